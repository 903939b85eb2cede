#include "rewriter/WordCount.h"

#include <gtest/gtest.h>

namespace {

struct WordCase
{
    const char* name;
    const char16_t* text;
    qint32 words;
};

const WordCase WordCases[] = {
    {"capitals_and_punctuation", u"HELLO, world!", 2},
    {"digits", u"2024 42", 2},
    {"ascii_apostrophe_joins", u"don't stop", 2},
    {"typographic_apostrophe_separates", u"don\u2019t stop", 3},
    {"multiplication_sign_separates", u"3\u00D74", 2},
    {"division_sign_separates", u"8\u00F72", 2},
    {"accented_letters_join", u"na\u00EFve caf\u00E9", 2},
    {"hyphen_separates", u"e-mail", 2},
    {"ellipsis_is_a_word", u"... and", 2},
    {"full_stops_join", u"e.g. 3.5 end.", 3},
    {"line_breaks_and_tabs_separate", u"one\r\ntwo\tthree", 3},
    {"no_break_space_separates", u"one\u00A0two", 2},
    // 160 to 187 separate, 188 joins: U+00BB ends a word, U+00BC is part of one.
    {"guillemet_separates", u"a\u00BBb", 2},
    {"quarter_joins", u"a\u00BCb", 1},
    // Units above U+00FF take the class of their low byte.
    {"high_unit_with_letter_low_byte", u"\u0161", 1},  // low byte 0x61
    {"high_unit_with_space_low_byte", u"a\u0120b", 2}, // low byte 0x20
    {"c1_controls_join", u"a\u0085b", 1},
};

class CountWords : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(CountWords, CountsRunsOfWordCharacters)
{
    EXPECT_EQ(quorvale::count_words(QString::fromUtf16(GetParam().text)), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Cases, CountWords, ::testing::ValuesIn(WordCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
