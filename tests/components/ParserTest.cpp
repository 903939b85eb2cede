#include "components/Parser.h"

#include "components/TextCase.h"

#include <gtest/gtest.h>

using namespace quorvale;

namespace {

struct ReplaceCase
{
    const char* name;
    const char16_t* text;
    const char16_t* find;
    const char16_t* replacement;
    int mode;
    const char16_t* expected;
};

class ReplaceTest : public ::testing::TestWithParam<ReplaceCase>
{
};

TEST_P(ReplaceTest, GivesExpectedText)
{
    const ReplaceCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(Replace(text, QString::fromUtf16(c.find), QString::fromUtf16(c.replacement), c.mode),
              QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Components, ReplaceTest,
    ::testing::Values(ReplaceCase{"inserted_text_not_searched_again", u"aa", u"a", u"aa", 0, u"aaaa"},
                      ReplaceCase{"left_to_right_no_overlap", u"aaa", u"aa", u"b", 0, u"ba"},
                      ReplaceCase{"empty_find_unchanged", u"abc", u"", u"X", 0, u"abc"},
                      ReplaceCase{"delete_occurrences", u"{a|{b}}", u"{", u"", 1, u"a|b}}"},
                      ReplaceCase{"exact_respects_case", u"Big big BIG", u"big", u"X", 0, u"Big X BIG"},
                      ReplaceCase{"ignore_case_matches_all", u"Big big BIG", u"big", u"X", 1, u"X X X"},
                      ReplaceCase{"ignore_case_accented", u"Café CAFÉ", u"café", u"tea", 1, u"tea tea"},
                      ReplaceCase{"ignore_case_greek", u"ΣΟΦΙΑ σοφια", u"σοφια", u"x", 1, u"x x"},
                      ReplaceCase{"replacement_keeps_own_case", u"a BIG dog", u"big", u"{Large|huge}", 1,
                                  u"a {Large|huge} dog"},
                      ReplaceCase{"unknown_mode_is_exact", u"Aa", u"a", u"x", 7, u"Ax"},
                      ReplaceCase{"carriage_return", u"one\r\ntwo", u"\r", u"<br><br>", 0, u"one<br><br>\ntwo"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextCase, LowerUnitKeepsLengthAndNeverCreatesSyntaxCharacters)
{
    // The rewriter relies on lower-casing never turning some other code unit
    // into a character that has a meaning in rules or patterns.
    const QString syntax = QStringLiteral(" ,.:{|}%");
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QChar lower = lowerUnit(QChar(char16_t(u)));
        if (syntax.contains(lower)) {
            EXPECT_EQ(lower, QChar(char16_t(u))) << "unit " << unsigned(u);
        }
    }
    EXPECT_EQ(lowerUnit(QChar(u'A')), QChar(u'a'));
    EXPECT_EQ(lowerUnit(QChar(u'\u00C9')), QChar(u'\u00E9'));
    EXPECT_EQ(lowerUnit(QChar(u'\u0393')), QChar(u'\u03B3'));
    const QString mixed = QStringLiteral("ÀB\U0001F600C");
    EXPECT_EQ(lowerUnits(mixed), QStringLiteral("àb\U0001F600c"));
}

} // namespace
