#include "CliTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

const QString DoneText = QStringLiteral("Done! Process complete. Click the 'Open Output Folder' to see the mini site");

QString siteFixture(const QString& name)
{
    return QStringLiteral(QUORVALE_SOURCE_DIR "/tests/site/fixtures/builds/") + name;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// Every file below @p folder with its bytes, by relative path.
QMap<QString, QByteArray> filesBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readAll(path));
    }
    return files;
}

/// A copy of one of the site's reference builds to build in.
class BuildCommand : public ::testing::Test
{
protected:
    void useFixture(const QString& name)
    {
        m_fixture = siteFixture(name);
        namespace fs = std::filesystem;
        fs::copy(fs::path(QString(m_fixture + u"/home").toStdU16String()), fs::path(home().toStdU16String()),
                 fs::copy_options::recursive);
    }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString inHome(const QString& relative) const { return home() + u'/' + relative; }
    QString expected(const QString& relative) const { return m_fixture + u"/expected/" + relative; }

    /// The article and background options of the "video" reference build.
    QStringList choices() const
    {
        return {QStringLiteral("--main"),       inHome(QStringLiteral("articles/main-article.txt")),
                QStringLiteral("--article1"),   inHome(QStringLiteral("articles/how-to_beat stress.txt")),
                QStringLiteral("--article2"),   inHome(QStringLiteral("articles/Sleep.Well.txt")),
                QStringLiteral("--article3"),   inHome(QStringLiteral("articles/ΚΑΛΗ_ζωή.txt")),
                QStringLiteral("--article4"),   inHome(QStringLiteral("articles/iPHONE tips.txt")),
                QStringLiteral("--background"), inHome(QStringLiteral("images/sunset.jpg"))};
    }

    QTemporaryDir m_dir;
    QString m_fixture;
};

TEST_F(BuildCommand, WritesTheReferenceSiteAndPrintsWhereItIs)
{
    useFixture(QStringLiteral("video"));
    const CliRun run = CliRun::run(
        QStringList{QStringLiteral("build"), QStringLiteral("--home"), home()} + choices() +
        QStringList{QStringLiteral("--site-name"), QStringLiteral("Calm & Co #READMORE#"),
                    QStringLiteral("--site-headline"), QStringLiteral("Feel <em>better</em>"),
                    QStringLiteral("--site-description"), QStringLiteral("Small steps. #SITENAME#"),
                    QStringLiteral("--button-text"), QStringLiteral("Start now"), QStringLiteral("--button-url"),
                    QStringLiteral("https://example.org/start?a=1&b=2"), QStringLiteral("--video-id"),
                    QStringLiteral("fWFuQR_Wt4M"), QStringLiteral("--footer"), QStringLiteral("© 2024 Calm & Co"),
                    QStringLiteral("--read-more"), QStringLiteral("Keep reading"), QStringLiteral("--related-articles"),
                    QStringLiteral("More to read")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, DoneText + u'\n' + home() + u"/output/template1\n");
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(filesBelow(inHome(QStringLiteral("output"))), filesBelow(expected(QStringLiteral("output"))));
}

TEST_F(BuildCommand, OmittedTextsTakeTheWindowDefaults)
{
    useFixture(QStringLiteral("novideo"));
    // The "novideo" reference sets only these three texts and the variation.
    const CliRun run = CliRun::run({QStringLiteral("build"),
                                    QStringLiteral("--home"),
                                    home(),
                                    QStringLiteral("--variation"),
                                    QStringLiteral("2"),
                                    QStringLiteral("--main"),
                                    inHome(QStringLiteral("articles/main.txt")),
                                    QStringLiteral("--article1"),
                                    inHome(QStringLiteral("articles/a b.txt")),
                                    QStringLiteral("--article2"),
                                    inHome(QStringLiteral("articles/a_b.txt")),
                                    QStringLiteral("--article3"),
                                    inHome(QStringLiteral("articles/same.txt")),
                                    QStringLiteral("--article4"),
                                    inHome(QStringLiteral("articles/same.txt")),
                                    QStringLiteral("--background"),
                                    inHome(QStringLiteral("pictures/calm.jpg")),
                                    QStringLiteral("--site-name"),
                                    QStringLiteral("Quiet Corner"),
                                    QStringLiteral("--site-headline"),
                                    QStringLiteral("Rest well"),
                                    QStringLiteral("--footer"),
                                    QStringLiteral("Footer")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(filesBelow(inHome(QStringLiteral("output"))), filesBelow(expected(QStringLiteral("output"))));
}

TEST_F(BuildCommand, ValidationMessagesGoToStandardError)
{
    useFixture(QStringLiteral("video"));
    const QStringList all = choices();
    // Each of the five article options left out in turn, then the background.
    for (int left = 0; left < 6; ++left) {
        QStringList arguments{QStringLiteral("build"), QStringLiteral("--home"), home()};
        arguments += all.mid(0, left * 2) + all.mid(left * 2 + 2);
        const CliRun run = CliRun::run(arguments);
        const QString message = left < 5 ? QStringLiteral("You need to select more articles for your mini site.\n")
                                         : QStringLiteral("Please select a background.\n");
        EXPECT_EQ(run.code, 1) << left;
        EXPECT_EQ(run.err, message) << left;
        EXPECT_EQ(run.out, QString()) << left;
    }
    // Nothing was built or deleted.
    EXPECT_TRUE(QFile::exists(inHome(QStringLiteral("output/template2/index.html"))));
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("output/template1"))));
}

TEST_F(BuildCommand, FailedStepsAreListedWithExitCodeOne)
{
    useFixture(QStringLiteral("video"));
    ASSERT_TRUE(QFile::remove(inHome(QStringLiteral("articles/Sleep.Well.txt"))));
    const CliRun run = CliRun::run(QStringList{QStringLiteral("build"), QStringLiteral("--home"), home()} + choices());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.startsWith(u"Build finished with errors.")) << run.err.toStdString();
    for (const char* page : {"The index page (main article)", "The page of article #1", "The page of article #4"})
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(page) + u" could not be written: Cannot read \"" +
                                     inHome(QStringLiteral("articles/Sleep.Well.txt"))))
            << page << run.err.toStdString();
    // The rest of the site is there.
    EXPECT_EQ(readAll(inHome(QStringLiteral("output/template1/assets/images/bg.jpg"))),
              readAll(inHome(QStringLiteral("images/sunset.jpg"))));
}

TEST(BuildCommandUsage, StrayArgumentsAndUnknownOptionsAreUsageErrors)
{
    EXPECT_EQ(CliRun::run({QStringLiteral("build"), QStringLiteral("extra")}).code, 2);
    EXPECT_EQ(CliRun::run({QStringLiteral("build"), QStringLiteral("--article5"), QStringLiteral("x")}).code, 2);
    const CliRun help = CliRun::run({QStringLiteral("build"), QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    for (const char* option :
         {"--main", "--article4", "--background", "--variation", "--home", "--site-name", "--site-headline",
          "--site-description", "--ad-title", "--ad-description", "--button-text", "--button-url", "--video-id",
          "--footer", "--read-more", "--related-articles"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(option))) << option;
}

} // namespace
