#include "rewriter/WordCount.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

struct WordCase
{
    const char* name;
    QString text;
    qint32 words;
};

class CountWords : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(CountWords, CountsRunsOfWordCharacters)
{
    EXPECT_EQ(quorvale::count_words(GetParam().text), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountWords,
    ::testing::Values(WordCase{"empty", QString(), 0}, WordCase{"spaces_only", QStringLiteral("   "), 0},
                      WordCase{"two_words", QStringLiteral("Hello world"), 2},
                      WordCase{"punctuation_separates", QStringLiteral("Hello, world!"), 2},
                      WordCase{"leading_space", QStringLiteral(" hello"), 1},
                      WordCase{"ascii_apostrophe_joins", QStringLiteral("don't stop"), 2},
                      WordCase{"typographic_apostrophe_separates", QStringLiteral(u"don\u2019t stop"), 3},
                      WordCase{"multiplication_sign_separates", QStringLiteral(u"3\u00D74"), 2},
                      WordCase{"division_sign_separates", QStringLiteral(u"8\u00F72"), 2},
                      WordCase{"accented_letters_join", QStringLiteral(u"na\u00EFve caf\u00E9"), 2},
                      WordCase{"lone_hyphen", QStringLiteral("a - b"), 2},
                      WordCase{"hyphen_separates", QStringLiteral("e-mail"), 2},
                      WordCase{"ellipsis_is_a_word", QStringLiteral("... and"), 2},
                      WordCase{"full_stops_join", QStringLiteral("e.g. 3.5 end."), 3},
                      WordCase{"line_breaks_separate", QStringLiteral("one\r\ntwo"), 2},
                      WordCase{"tab_separates", QStringLiteral("one\ttwo"), 2},
                      WordCase{"no_break_space_separates", QStringLiteral(u"one\u00A0two"), 2},
                      // 160 to 187 separate, 188 joins: U+00BB ends a word, U+00BC is part of one.
                      WordCase{"guillemet_separates", QStringLiteral(u"a\u00BBb"), 2},
                      WordCase{"quarter_joins", QStringLiteral(u"a\u00BCb"), 1},
                      // Units above U+00FF take the class of their low byte.
                      WordCase{"high_unit_with_letter_low_byte", QStringLiteral(u"\u0161"), 1},  // low byte 0x61
                      WordCase{"high_unit_with_space_low_byte", QStringLiteral(u"a\u0120b"), 2}, // low byte 0x20
                      WordCase{"c1_controls_join", QStringLiteral(u"a\u0085b"), 1},
                      WordCase{"single_letter", QStringLiteral("x"), 1},
                      WordCase{"digits", QStringLiteral("2024 42"), 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
