// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/WordCount.h"

#include "TestSupport.h"

namespace {

struct WordCase
{
    const char* name;
    const char16_t* text;
    qint32 words;
};

class CountWords : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(CountWords, CountsRunsOfWordCharacters)
{
    EXPECT_EQ(quorvale::countWords(QString::fromUtf16(GetParam().text)), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Cases, CountWords,
                         ::testing::Values(WordCase{"punctuation_separates", u"HELLO, world! 2024 e-mail", 5},
                                           WordCase{"ascii_apostrophe_joins_typographic_separates", u"don't don\u2019t",
                                                    3},
                                           WordCase{"full_stops_join", u"e.g. 3.5 end. ...", 4},
                                           WordCase{"ends_of_the_ranges", u"a-z 0-9 A-Z \u00FF", 7},
                                           // 160 to 187 separate, 188 joins: U+00BB ends a word, U+00BC is part of one.
                                           WordCase{"upper_half_of_latin1", u"a\u00BBb a\u00BCb a\u0085b", 4},
                                           // Units above U+00FF take the class of their low byte.
                                           WordCase{"high_units_by_low_byte", u"\u0161 a\u0120b", 3}),
                         quorvale::test::caseName);

} // namespace
