#include "components/Tools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;

namespace {

struct SplitCase
{
    const char* name;
    const char16_t* text;
    const char16_t* separator;
    QStringList expected;
};

class SplitTest : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTest, GivesPieces)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitIntoList(QString::fromUtf16(c.text), QString::fromUtf16(c.separator)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Components, SplitTest,
    ::testing::Values(SplitCase{"plain", u"big|large|huge", u"|", {u"big"_qs, u"large"_qs, u"huge"_qs}},
                      SplitCase{"spaces_kept", u" in addition |also", u"|", {u" in addition "_qs, u"also"_qs}},
                      SplitCase{"empty_pieces_dropped", u"|a||b|", u"|", {u"a"_qs, u"b"_qs}},
                      SplitCase{"only_separators", u"|||", u"|", {}},
                      SplitCase{"multi_char_separator", u"a%%b%%%%c", u"%%", {u"a"_qs, u"b"_qs, u"c"_qs}},
                      SplitCase{"empty_separator", u"a|b", u"", {u"a|b"_qs}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FolderExists, TellsFoldersFromFilesAndMissingPaths)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("f.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("link"))));
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_TRUE(FolderExists(dir.path() + u'/'));
    EXPECT_TRUE(FolderExists(dir.filePath(QStringLiteral("link"))));
    EXPECT_FALSE(FolderExists(dir.filePath(QStringLiteral("f.txt"))));
    EXPECT_FALSE(FolderExists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(FolderExists(QString()));
}

} // namespace

#include <QCoreApplication>
#include <QTimer>

namespace {

TEST(Pause, KeepsEventsFlowing)
{
    int argc = 1;
    char name[] = "components_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    bool fired = false;
    QTimer::singleShot(0, &app, [&fired] { fired = true; });
    Pause(1);
    EXPECT_TRUE(fired);
}

} // namespace
