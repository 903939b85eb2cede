#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// A copy of fixtures/demo-home: six sample articles, three images, one variation.
class DemoCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        fs::copy(fs::path(QStringLiteral(QUORVALE_TEST_DATA "/fixtures/demo-home").toStdU16String()),
                 fs::path(home().toStdU16String()), fs::copy_options::recursive);
    }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString inHome(const QString& relative) const { return home() + u'/' + relative; }

    QTemporaryDir m_dir;
};

TEST_F(DemoCommand, BuildsTheSampleSite)
{
    const CliRun run = CliRun::run({QStringLiteral("demo"), QStringLiteral("--home"), home()});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, QStringLiteral("Done! Process complete. Click the 'Open Output Folder' to see the mini site\n") +
                           home() + u"/output/template1\n");
    const QString site = inHome(QStringLiteral("output/template1/"));
    EXPECT_EQ(readAll(site + u"index.html"),
              readAll(QStringLiteral(QUORVALE_TEST_DATA "/fixtures/demo-expected-index.html")));
    // Articles #1 to #4 are the second to fifth file by name, letter case aside.
    EXPECT_EQ(QDir(site).entryList(QDir::Files, QDir::Name),
              (QStringList{u"Bravo-step.html"_qs, u"Delta-Force.html"_qs, u"charlie.html"_qs, u"echo.html"_qs,
                           u"index.html"_qs}));
    EXPECT_EQ(readAll(site + u"assets/images/bg.jpg"), QByteArray("image 288\n"));
}

TEST_F(DemoCommand, WithoutSampleArticlesTheBuildSaysWhatIsMissing)
{
    ASSERT_TRUE(QDir(inHome(QStringLiteral("apparticles"))).removeRecursively());
    const CliRun run = CliRun::run({QStringLiteral("demo"), QStringLiteral("--home"), home()});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.endsWith(u"You need to select more articles for your mini site.\n")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("output"))));
}

} // namespace
