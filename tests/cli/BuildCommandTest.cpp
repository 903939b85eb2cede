#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace quorvale::test;

namespace {

QByteArray readAll(const QString& path)
{
    return readFile(path);
}

/// A copy of one of the site's reference builds (tests/site/fixtures/builds) to build in.
class BuildCommand : public ::testing::Test
{
protected:
    void useFixture(const char* name)
    {
        m_fixture = QStringLiteral(QUORVALE_SOURCE_DIR "/tests/site/fixtures/builds/") + QString::fromUtf8(name);
        copyTree(m_fixture + u"/home", home());
    }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString inHome(const QString& relative) const { return home() + u'/' + relative; }

    /// The command line of the fixture's settings.json: the texts it leaves out
    /// are left out, and so is variation 1, the default.
    QStringList arguments() const
    {
        const QJsonObject settings = QJsonDocument::fromJson(readAll(m_fixture + u"/settings.json")).object();
        QStringList arguments{QStringLiteral("build"), QStringLiteral("--home"), home()};
        if (variation() != u"1")
            arguments << QStringLiteral("--variation") << variation();
        const QJsonArray slotNames = settings.value(u"slots").toArray();
        for (qsizetype i = 0; i < slotNames.size(); ++i)
            arguments << (i == 0 ? QStringLiteral("--main") : QStringLiteral("--article%1").arg(i))
                      << inHome(slotNames.at(i).toString());
        arguments << QStringLiteral("--background")
                  << inHome(settings.value(u"backgroundFolder").toString() + u'/' +
                            settings.value(u"backgroundFile").toString());
        const std::pair<const char*, const char*> texts[] = {{"siteName", "--site-name"},
                                                             {"siteHeadline", "--site-headline"},
                                                             {"siteDescription", "--site-description"},
                                                             {"adTitle", "--ad-title"},
                                                             {"adDescription", "--ad-description"},
                                                             {"buttonText", "--button-text"},
                                                             {"buttonUrl", "--button-url"},
                                                             {"videoId", "--video-id"},
                                                             {"footerText", "--footer"},
                                                             {"readMoreText", "--read-more"},
                                                             {"relatedArticlesText", "--related-articles"},
                                                             {"siteUrl", "--site-url"}};
        const QJsonObject info = settings.value(u"info").toObject();
        for (const auto& [key, option] : texts) {
            if (info.contains(QLatin1StringView(key)))
                arguments << QString::fromLatin1(option) << info.value(QLatin1StringView(key)).toString();
        }
        return arguments;
    }

    QString variation() const
    {
        return QJsonDocument::fromJson(readAll(m_fixture + u"/settings.json")).object().value(u"variation").toString();
    }

    /// arguments() without @p option and its value.
    QStringList argumentsWithout(const QString& option) const
    {
        QStringList all = arguments();
        const qsizetype at = all.indexOf(option);
        EXPECT_GE(at, 0) << option.toStdString();
        all.remove(at, 2);
        return all;
    }

    QTemporaryDir m_dir;
    QString m_fixture;
};

class ReferenceBuildCommand : public BuildCommand, public ::testing::WithParamInterface<const char*>
{
};

// "novideo" sets only three texts: the others take the window's defaults.
TEST_P(ReferenceBuildCommand, WritesTheReferenceSiteAndPrintsWhereItIs)
{
    useFixture(GetParam());
    const CliRun run = CliRun::run(arguments());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"Site written to " + home() + u"/output/template" + variation() + u'\n');
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(treeOf(inHome(QStringLiteral("output"))), treeOf(m_fixture + QStringLiteral("/expected/output")));
}

INSTANTIATE_TEST_SUITE_P(Cli, ReferenceBuildCommand, ::testing::Values("video", "novideo", "address"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(BuildCommand, AMissingArticleOrBackgroundIsAUsageErrorNamingTheOption)
{
    useFixture("video");
    for (const char* left : {"--article4", "--background"}) {
        const CliRun run = CliRun::run(argumentsWithout(QString::fromLatin1(left)));
        EXPECT_EQ(run.code, 2) << left;
        EXPECT_TRUE(run.err.startsWith(u"quorvale-cli build: " + QString::fromLatin1(left) + u" is required\n"))
            << run.err.toStdString();
        EXPECT_EQ(run.out, QString()) << left;
    }
    EXPECT_EQ(CliRun::run({QStringLiteral("build"), QStringLiteral("extra")}).code, 2);
}

TEST_F(BuildCommand, AnInvalidSiteAddressIsRefusedBeforeAnythingIsDeleted)
{
    useFixture("video");
    const auto before = treeOf(inHome(QStringLiteral("output")));
    const CliRun run = CliRun::run(arguments() << QStringLiteral("--site-url") << QStringLiteral("example.org"));
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("quorvale-cli build: The site address \"example.org\" is not an absolute http:// "
                             "or https:// address without query or fragment, such as https://example.org/.\n"));
    EXPECT_EQ(treeOf(inHome(QStringLiteral("output"))), before);
}

TEST_F(BuildCommand, FailedStepsAreListedWithExitCodeOne)
{
    useFixture("video");
    ASSERT_TRUE(QFile::remove(inHome(QStringLiteral("articles/Sleep.Well.txt"))));
    const CliRun run = CliRun::run(arguments());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_TRUE(run.err.startsWith(u"quorvale-cli build: the build finished with errors:\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"  writing the page of article #4: Cannot read \"" +
                                 inHome(QStringLiteral("articles/Sleep.Well.txt"))))
        << run.err.toStdString();
}

} // namespace
