// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SiteProject.h"

#include "TestSupport.h"
#include "components/Error.h"

#include <QTemporaryDir>
#include <sys/stat.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

// A folder holding a project with its articles and picture moves as a whole;
// the sample files stay named relative to the installation, anything else absolutely.
TEST(SiteProject, PathsFollowTheProjectFolderAndTheInstallation)
{
    QTemporaryDir dir;
    const QString install = dir.filePath(QStringLiteral("app"));
    const QString folder = dir.filePath(QStringLiteral("sites/calm"));
    SiteProject project;
    project.articles = {folder + u"/articles/main.txt", folder + u"/{odd}.txt", install + u"/apparticles/a.txt",
                        u"/elsewhere/b.txt"_qs, QString()};
    project.background = install + u"/appimages/Image288.jpg";
    project.variation = QStringLiteral("2");
    project.info.siteName = QStringLiteral("Calm \"Evenings\" ñ");
    project.info.siteUrl = QStringLiteral("https://example.org/");
    project.outputFolder = folder + u"/out";
    project.versions = 12;
    project.seed = MaxSiteProjectSeed;
    ASSERT_TRUE(QDir().mkpath(folder));
    saveSiteProject(project, folder + u"/calm.quorvale", install);

    const QString text = QString::fromUtf8(readFile(folder + u"/calm.quorvale"));
    EXPECT_FALSE(text.contains(install)) << text.toStdString();
    for (const char* stored : {"\"articles/main.txt\"", "\"./{odd}.txt\"", "\"{install}/apparticles/a.txt\"",
                               "\"/elsewhere/b.txt\"", "\"{install}/appimages/Image288.jpg\"", "\"out\""})
        EXPECT_TRUE(text.contains(QString::fromUtf8(stored))) << stored;

    // Moved, and opened by an installation elsewhere.
    ASSERT_TRUE(QDir().rename(dir.filePath(QStringLiteral("sites")), dir.filePath(QStringLiteral("moved"))));
    const QString moved = dir.filePath(QStringLiteral("moved/calm"));
    const QString otherInstall = dir.filePath(QStringLiteral("usr/share/quorvale"));
    SiteProject expected = project;
    expected.articles = {moved + u"/articles/main.txt", moved + u"/{odd}.txt", otherInstall + u"/apparticles/a.txt",
                         u"/elsewhere/b.txt"_qs, QString()};
    expected.background = otherInstall + u"/appimages/Image288.jpg";
    expected.outputFolder = moved + u"/out";
    EXPECT_TRUE(loadSiteProject(moved + u"/calm.quorvale", otherInstall) == expected);
    EXPECT_TRUE(isSiteProjectFile(moved + u"/calm.quorvale"));
    EXPECT_EQ(outputFolderOf(SiteProject(), moved + u"/calm.quorvale"), moved + u"/calm-site");
}

struct UnreadableCase
{
    const char* name;
    QByteArray bytes; ///< the file; "fifo" and "folder" make one of those instead
    const char* reason;
    bool aProject = false; ///< a project all the same, of another format version or damaged
};

class UnreadableProject : public ::testing::TestWithParam<UnreadableCase>
{
};

TEST_P(UnreadableProject, IsRefusedWithTheReason)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("site.quorvale"));
    const UnreadableCase& c = GetParam();
    if (c.bytes == "fifo")
        ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    else if (c.bytes == "folder")
        ASSERT_TRUE(QDir().mkpath(file));
    else if (!c.bytes.isNull())
        writeFile(file, c.bytes);
    try {
        loadSiteProject(file, dir.path());
        ADD_FAILURE() << "read";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().startsWith(u"The site file \"" + file + u"\" cannot be opened: "));
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.reason))) << error.message().toStdString();
    }
    EXPECT_EQ(isSiteProjectFile(file), c.aProject) << "saving over it would ask first when not";
}

const QByteArray Head = "{\"format\": \"quorvale-site\", \"version\": 1, ";

INSTANTIATE_TEST_SUITE_P(
    Site, UnreadableProject,
    ::testing::Values(UnreadableCase{"missing", QByteArray(), "it does not exist"},
                      UnreadableCase{"fifo", "fifo", "named pipe"}, UnreadableCase{"folder", "folder", "is a folder"},
                      UnreadableCase{"over_a_megabyte", QByteArray(MaxSiteProjectBytes + 1, ' '), "at most 1 MB"},
                      UnreadableCase{"not_json", "{\"format\": \"quorvale-site\",\n  \"version\": 1,,",
                                     "not a Quorvale site file (line 2, column 17"},
                      UnreadableCase{"other_json", "{\"articles\": {}}", "does not start with {\"format\""},
                      UnreadableCase{"newer_format", "{\"format\": \"quorvale-site\", \"version\": 2}",
                                     "newer Quorvale (format version 2)", true},
                      UnreadableCase{"articles_a_list", Head + "\"articles\": []}", "damaged: \"articles\" must be", true},
                      UnreadableCase{"slot_a_number", Head + "\"articles\": {\"article3\": 7}}",
                                     "damaged: \"articles.article3\" must be a text", true},
                      UnreadableCase{"versions_too_many", Head + "\"versions\": 1000}",
                                     "\"versions\" must be a whole number from 1 to 999", true}),
    caseName);

} // namespace
