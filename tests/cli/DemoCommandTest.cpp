// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include <QTemporaryDir>

using namespace quorvale::test;

namespace {

/// A copy of fixtures/demo-home: six sample articles, three images, one variation.
class DemoCommand : public ::testing::Test
{
protected:
    void SetUp() override { copyTree(QStringLiteral(QUORVALE_TEST_DATA "/fixtures/demo-home"), home()); }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString inHome(const QString& relative) const { return home() + u'/' + relative; }

    QTemporaryDir m_dir;
};

TEST_F(DemoCommand, BuildsTheSampleSite)
{
    const CliRun run = CliRun::run({QStringLiteral("demo"), QStringLiteral("--home"), home(),
                                    QStringLiteral("--site-url"), QStringLiteral("https://example.org")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, u"Site written to " + home() + u"/output/template1\n");
    const QString site = inHome(QStringLiteral("output/template1/"));
    EXPECT_EQ(readFile(site + u"index.html"),
              readFile(QStringLiteral(QUORVALE_TEST_DATA "/fixtures/demo-expected-index.html")));
    // Articles #1 to #4 are the second to fifth file by name, letter case aside.
    EXPECT_EQ(QDir(site).entryList(QDir::Files, QDir::Name),
              (QStringList{u"Bravo-step.html"_qs, u"Delta-Force.html"_qs, u"charlie.html"_qs, u"echo.html"_qs,
                           u"index.html"_qs, u"robots.txt"_qs, u"sitemap.xml"_qs}));
    EXPECT_TRUE(readFile(site + u"robots.txt").endsWith("\nSitemap: https://example.org/sitemap.xml\n"));
    EXPECT_EQ(readFile(site + u"assets/images/bg.jpg"), jpegBytes("image 288\n"));
}

TEST_F(DemoCommand, WithoutSampleArticlesTheBuildSaysWhatIsMissing)
{
    ASSERT_TRUE(QDir(inHome(QStringLiteral("apparticles"))).removeRecursively());
    const CliRun run = CliRun::run({QStringLiteral("demo"), QStringLiteral("--home"), home()});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(u"warning: The sample articles folder")) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(u"five articles are needed; 5 are missing.\n")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("output"))));
}

} // namespace
