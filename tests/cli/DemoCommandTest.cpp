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

/// A copy of fixtures/demo-home: six sample articles, three images, two variations.
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
    EXPECT_EQ(readAll(site + u"echo.html"), QByteArray("<h1>Echo</h1>Echo text.<br><br>\n<p>Depression Fighters video "
                                                       "fWFuQR_Wt4M</p>\n"));
    EXPECT_EQ(readAll(site + u"assets/images/bg.jpg"), QByteArray("image 288\n"));
}

TEST_F(DemoCommand, VariationAndProgramFolder)
{
    const CliRun run =
        CliRun::run({QStringLiteral("demo"), QStringLiteral("--variation"), QStringLiteral("2")}, home());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(home() + u"/output/template2\n")) << run.out.toStdString();
    EXPECT_EQ(readAll(inHome(QStringLiteral("output/template2/index.html"))), QByteArray("V2 Alpha\n"));
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("output/template1"))));
}

TEST_F(DemoCommand, IncompleteSampleDataIsWarnedAbout)
{
    ASSERT_TRUE(QFile::remove(inHome(QStringLiteral("appimages/Image288.jpg"))));
    for (const char* name : {"alpha.txt", "Bravo_step.txt", "charlie.txt"})
        ASSERT_TRUE(QFile::remove(inHome(QStringLiteral("apparticles/") + QString::fromUtf8(name))));
    const CliRun run = CliRun::run({QStringLiteral("demo"), QStringLiteral("--home"), home()});
    EXPECT_TRUE(run.err.contains(u"quorvale-cli demo: warning: The sample articles folder")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"holds 3 article files; 5 are needed.")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"The sample background Image288.jpg is not in")) << run.err.toStdString();
    // The later slots repeat the last article and the last image is taken, as the window would.
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(inHome(QStringLiteral("output/template1/assets/images/bg.jpg"))), QByteArray("image 300\n"));
    EXPECT_TRUE(QFile::exists(inHome(QStringLiteral("output/template1/zebra-crossing.html"))));
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
