#include "site/PageNames.h"

#include "TestSupport.h"

using namespace quorvale;

namespace {

using quorvale::test::caseName;

struct PathCase
{
    const char* name;
    const char16_t* path;
    const char16_t* title;
    const char16_t* pageFile;
};

const PathCase PathCases[] = {
    {"separators_in_stem", u"C:\\articles\\how-to_beat stress.txt", u"How To Beat Stress", u"how-to-beat-stress.html"},
    {"several_dots", u"C:\\articles\\My.Notes.Final.txt", u"My", u"My.html"},
    {"runs_kept", u"C:\\articles\\SIMPLE_Tips--NOW.txt", u"Simple Tips  Now", u"SIMPLE-Tips--NOW.html"},
    {"name_begins_with_dot", u"C:\\a\\.txt", u"", u".html"},
    {"other_characters_and_case_pass", u"/a/iPHONE & (live)'s.txt", u"Iphone & (live)'s", u"iPHONE-&-(live)'s.html"},
};

class PathNames : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(PathNames, GiveTitleAndPageFileName)
{
    const PathCase& c = GetParam();
    const QString path = QString::fromUtf16(c.path);
    EXPECT_EQ(titleFromPath(path), QString::fromUtf16(c.title));
    EXPECT_EQ(pageFileNameFromPath(path), QString::fromUtf16(c.pageFile));
}

INSTANTIATE_TEST_SUITE_P(Site, PathNames, ::testing::ValuesIn(PathCases), caseName);

struct CapitalizeCase
{
    const char* name;
    const char16_t* text;
    const char16_t* expected;
};

const CapitalizeCase CapitalizeCases[] = {
    {"leading_spaces", u"  lead on", u"  Lead On"},
    {"only_space_starts_a_word", u"one\ttwo-three.four", u"One\ttwo-three.four"},
    {"greek_and_cyrillic", u"ΚΑΛΗ ζωή привет МИР", u"Καλη Ζωή Привет Мир"},
    // U+10428 DESERET SMALL LETTER LONG I is one character of two code units.
    {"outside_basic_plane", u"\U00010428\U00010428 \U00010400", u"\U00010400\U00010428 \U00010400"},
    {"full_case_mapping", u"ßtraße", u"SStraße"},
};

class Capitalize : public ::testing::TestWithParam<CapitalizeCase>
{
};

TEST_P(Capitalize, UpperCasesWordStartsOnly)
{
    EXPECT_EQ(capitalizeWords(QString::fromUtf16(GetParam().text)), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Site, Capitalize, ::testing::ValuesIn(CapitalizeCases), caseName);

} // namespace
