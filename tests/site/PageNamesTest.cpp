#include "site/PageNames.h"

#include <gtest/gtest.h>

using namespace quorvale;

namespace {

struct PathCase
{
    const char* name;
    const char16_t* path;
    const char16_t* title;
    const char16_t* pageFile;
};

class PathNames : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(PathNames, GiveTitleAndPageFileName)
{
    const PathCase& c = GetParam();
    const QString path = QString::fromUtf16(c.path);
    EXPECT_EQ(TitleFromPath(path), QString::fromUtf16(c.title));
    EXPECT_EQ(PageFileNameFromPath(path), QString::fromUtf16(c.pageFile));
}

INSTANTIATE_TEST_SUITE_P(
    Site, PathNames,
    ::testing::Values(
        PathCase{"separators_in_stem", u"C:\\articles\\how-to_beat stress.txt", u"How To Beat Stress",
                 u"how-to-beat-stress.html"},
        PathCase{"several_dots", u"C:\\articles\\My.Notes.Final.txt", u"My", u"My.html"},
        PathCase{"runs_kept", u"C:\\articles\\SIMPLE_Tips--NOW.txt", u"Simple Tips  Now", u"SIMPLE-Tips--NOW.html"},
        PathCase{"no_folder", u"plain name.txt", u"Plain Name", u"plain-name.html"},
        // A forward slash separates folders as well: no folder part may reach a page file name.
        PathCase{"forward_slashes", u"C:/articles/note.txt", u"Note", u"note.html"},
        PathCase{"posix_path", u"/home/ann/articles/how-to_beat stress.txt", u"How To Beat Stress",
                 u"how-to-beat-stress.html"},
        PathCase{"mixed_separators", u"/home/ann\\old/a\\b c.txt", u"B C", u"b-c.html"},
        PathCase{"trailing_separator", u"/home/ann/", u"", u".html"},
        PathCase{"name_begins_with_dot", u"C:\\a\\.txt", u"", u".html"}, PathCase{"empty_path", u"", u"", u".html"},
        PathCase{"case_kept_in_file_name", u"C:\\a\\iPHONE tips.txt", u"Iphone Tips", u"iPHONE-tips.html"},
        PathCase{"other_characters_pass", u"/a/rock & roll (live)'s.txt", u"Rock & Roll (live)'s",
                 u"rock-&-roll-(live)'s.html"},
        PathCase{"no_extension", u"/a/b.c/notes", u"Notes", u"notes.html"},
        PathCase{"greek", u"/a/ΚΑΛΗ_ζωή.txt", u"Καλη Ζωή", u"ΚΑΛΗ-ζωή.html"},
        PathCase{"cyrillic", u"/a/привет-МИР.txt", u"Привет Мир", u"привет-МИР.html"},
        PathCase{"chinese", u"/a/中文 标题.txt", u"中文 标题", u"中文-标题.html"},
        PathCase{"dot_dot_stays_inside", u"/a/...txt", u"", u".html"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CapitalizeCase
{
    const char* name;
    const char16_t* text;
    const char16_t* expected;
};

class Capitalize : public ::testing::TestWithParam<CapitalizeCase>
{
};

TEST_P(Capitalize, UpperCasesWordStartsOnly)
{
    const CapitalizeCase& c = GetParam();
    EXPECT_EQ(CapitalizeWords(QString::fromUtf16(c.text)), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Site, Capitalize,
                         ::testing::Values(CapitalizeCase{"empty", u"", u""}, CapitalizeCase{"one_space", u" ", u" "},
                                           CapitalizeCase{"leading_spaces", u"  lead on", u"  Lead On"},
                                           CapitalizeCase{"space_runs_kept", u"a   b", u"A   B"},
                                           CapitalizeCase{"only_space_starts_a_word", u"one\ttwo-three.four",
                                                          u"One\ttwo-three.four"},
                                           CapitalizeCase{"rest_lower_cased", u"hELLO wORLD", u"Hello World"},
                                           CapitalizeCase{"digit_first", u"3rd PLACE", u"3rd Place"},
                                           CapitalizeCase{"no_break_space_is_no_space", u"a\u00A0b", u"A\u00A0b"},
                                           CapitalizeCase{"latin_accents", u"ÉCOLE élève", u"École Élève"},
                                           CapitalizeCase{"greek", u"ΚΑΛΗ ζωή", u"Καλη Ζωή"},
                                           CapitalizeCase{"cyrillic", u"привет МИР", u"Привет Мир"},
                                           CapitalizeCase{"chinese_unchanged", u"中文 标题", u"中文 标题"},
                                           // U+10428 DESERET SMALL LETTER LONG I is one character of two code units.
                                           CapitalizeCase{"outside_basic_plane", u"\U00010428\U00010428 \U00010400",
                                                          u"\U00010400\U00010428 \U00010400"},
                                           CapitalizeCase{"full_case_mapping", u"ßtraße", u"SStraße"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
