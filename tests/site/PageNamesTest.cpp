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
    // A forward slash separates folders as well: no folder name may reach a page file name.
    {"posix_path", u"/home/ann/articles/how-to_beat stress.txt", u"How To Beat Stress", u"how-to-beat-stress.html"},
    {"name_begins_with_dot", u"C:\\a\\.txt", u"", u".html"},
    {"case_kept_in_file_name", u"C:\\a\\iPHONE tips.txt", u"Iphone Tips", u"iPHONE-tips.html"},
    {"other_characters_pass", u"/a/rock & roll (live)'s.txt", u"Rock & Roll (live)'s", u"rock-&-roll-(live)'s.html"},
    {"greek", u"/a/ΚΑΛΗ_ζωή.txt", u"Καλη Ζωή", u"ΚΑΛΗ-ζωή.html"},
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
    {"no_break_space_is_no_space", u"a\u00A0b", u"A\u00A0b"},
    {"greek", u"ΚΑΛΗ ζωή", u"Καλη Ζωή"},
    {"cyrillic", u"привет МИР", u"Привет Мир"},
    {"chinese_unchanged", u"中文 标题", u"中文 标题"},
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
