// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/TextOperations.h"

#include "TestSupport.h"

using namespace quorvale;
using quorvale::test::caseName;

namespace {

struct ReplaceCase
{
    const char* name;
    const char16_t* text;
    const char16_t* find;
    const char16_t* replacement;
    CompareMode mode;
    const char16_t* expected;
};

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase>
{
};

TEST_P(ReplaceAll, GivesExpectedText)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(
        replaceAll(QString::fromUtf16(c.text), QString::fromUtf16(c.find), QString::fromUtf16(c.replacement), c.mode),
        QString::fromUtf16(c.expected));
}

constexpr CompareMode Exact = CompareMode::Exact;
constexpr CompareMode IgnoreCase = CompareMode::IgnoreCase;

INSTANTIATE_TEST_SUITE_P(
    Components, ReplaceAll,
    ::testing::Values(ReplaceCase{"inserted_text_not_searched_again", u"aa", u"a", u"aa", Exact, u"aaaa"},
                      ReplaceCase{"left_to_right_no_overlap", u"aaa", u"aa", u"b", Exact, u"ba"},
                      ReplaceCase{"empty_find_unchanged", u"abc", u"", u"X", Exact, u"abc"},
                      ReplaceCase{"exact_respects_case", u"Big big BIG", u"big", u"X", Exact, u"Big X BIG"},
                      ReplaceCase{"ignore_case_replacement_as_given", u"ΣΟΦΙΑ σοφια CAFÉ", u"σοφια", u"{X|y}",
                                  IgnoreCase, u"{X|y} {X|y} CAFÉ"}),
    caseName);

TEST(SplitNonEmpty, KeepsPiecesAsTheyStandAndDropsEmptyOnes)
{
    EXPECT_EQ(splitNonEmpty(QStringLiteral(" in addition ||also|"), QStringLiteral("|")),
              (QStringList{QStringLiteral(" in addition "), QStringLiteral("also")}));
    EXPECT_EQ(splitNonEmpty(QStringLiteral("a%%b%%%%c"), QStringLiteral("%%")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(splitNonEmpty(QStringLiteral("a|b"), QString()), QStringList{QStringLiteral("a|b")});
    EXPECT_TRUE(splitNonEmpty(QStringLiteral("|||"), QStringLiteral("|")).isEmpty());
}

// The rewriter relies on lower-casing never turning another unit into one of
// the characters that shape a match or a group, and on lower-casing twice
// changing nothing more (so items with upper-case units never match).
TEST(LowerUnit, IdempotentAndNeverProducesSyntaxCharactersFromOtherUnits)
{
    const QString syntax = QStringLiteral(" ,.:{|}%");
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QChar c{char16_t(u)};
        const QChar lower = lowerUnit(c);
        ASSERT_EQ(lowerUnit(lower), lower) << "unit " << unsigned(u);
        if (syntax.contains(lower)) {
            ASSERT_EQ(lower, c) << "unit " << unsigned(u) << " lower-cases to a syntax character";
        }
    }
    EXPECT_EQ(lowerUnits(QStringLiteral("ÀBΓ\U0001F600C")), QStringLiteral("àbγ\U0001F600c"));
}

} // namespace
