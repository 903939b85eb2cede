#include "site/BuildSite.h"

#include "SiteTestSupport.h"
#include "components/TextFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

/// A reference build: fixtures/builds/<name>/home is the installation folder,
/// settings.json the window's choices (paths relative to home) and
/// expected/output the whole output folder the build must leave.
BuildInput readSettings(const QString& settingsFile, const QString& home)
{
    const QJsonObject settings = QJsonDocument::fromJson(readFile(settingsFile)).object();
    BuildInput input;
    input.installFolder = home;
    input.variation = settings.value(u"variation").toString();
    const QJsonArray slotNames = settings.value(u"slots").toArray();
    for (std::size_t i = 0; i < input.articlePaths.size(); ++i)
        input.articlePaths[i] = home + u'/' + slotNames.at(qsizetype(i)).toString();
    input.backgroundFolder = home + u'/' + settings.value(u"backgroundFolder").toString();
    input.backgroundFile = settings.value(u"backgroundFile").toString();
    const QJsonObject info = settings.value(u"info").toObject();
    const std::pair<const char16_t*, QString SiteInfo::*> texts[] = {
        {u"siteName", &SiteInfo::siteName},
        {u"siteHeadline", &SiteInfo::siteHeadline},
        {u"siteDescription", &SiteInfo::siteDescription},
        {u"adTitle", &SiteInfo::adTitle},
        {u"adDescription", &SiteInfo::adDescription},
        {u"buttonText", &SiteInfo::buttonText},
        {u"buttonUrl", &SiteInfo::buttonUrl},
        {u"videoId", &SiteInfo::videoId},
        {u"footerText", &SiteInfo::footerText},
        {u"readMoreText", &SiteInfo::readMoreText},
        {u"relatedArticlesText", &SiteInfo::relatedArticlesText}};
    for (const auto& [key, field] : texts) {
        if (info.contains(QStringView(key)))
            input.info.*field = info.value(QStringView(key)).toString();
    }
    return input;
}

class ReferenceBuild : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ReferenceBuild, WritesTheExpectedOutputFolder)
{
    const QString fixture = fixturePath(QStringLiteral("builds/") + QString::fromUtf8(GetParam()));
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    copyTree(fixture + u"/home", home);
    const BuildInput input = readSettings(fixture + u"/settings.json", home);
    const auto templatesBefore = treeOf(home);

    BuildWorkState state;
    RecordingHost host;
    const BuildOutcome outcome = BuildSite(input, state, host);

    EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
    EXPECT_EQ(outcome.siteFolder, home + u"/output/template" + input.variation);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().text, BuildDoneText);
    EXPECT_EQ(host.messages.first().title, u"Done");
    EXPECT_EQ(host.copyEndings, 1);
    EXPECT_FALSE(host.progress.isEmpty());

    const auto output = treeOf(home + u"/output");
    const auto expected = treeOf(fixture + u"/expected/output");
    EXPECT_EQ(output.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(output.value(it.key()).toStdString(), it.value().toStdString()) << it.key().toStdString();

    // The build read its templates and articles and changed none of them.
    auto after = treeOf(home);
    for (auto it = templatesBefore.begin(); it != templatesBefore.end(); ++it) {
        if (!it.key().startsWith(u"output/")) {
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        }
    }
    // The last page written was article #4's, so its article was read last.
    EXPECT_EQ(state.paths.currentArticlePath, input.articlePaths[4]);
    EXPECT_EQ(state.articleLoaderText, LoadFileIntoTextBox(input.articlePaths[4]));
}

INSTANTIATE_TEST_SUITE_P(Site, ReferenceBuild, ::testing::Values("video", "novideo"),
                         [](const auto& info) { return std::string(info.param); });

/// A small installation folder written by the test itself.
class BuildRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeFile(path(u"template1/index.html"), "index #ARTICLE_TITLE# #ARTICLELINK_1#");
        writeFile(path(u"template1/article.html"), "article #ARTICLE_TITLE#");
        writeFile(path(u"template1/assets/images/bg.jpg"), "template image");
        writeFile(path(u"template1_novideo/index.html"), "plain index #ARTICLE_TITLE#");
        writeFile(path(u"template1_novideo/article.html"), "plain article #ARTICLE_TITLE#");
        for (int i = 0; i < 5; ++i) {
            const QString name = QStringLiteral("articles/art%1.txt").arg(i);
            input.articlePaths[std::size_t(i)] =
                writeFile(path(name), QByteArray("Article ") + QByteArray::number(i) + '.');
        }
        input.installFolder = m_home.path();
        input.backgroundFolder = path(u"images");
        input.backgroundFile = QStringLiteral("sunset.jpg");
        writeFile(path(u"images/sunset.jpg"), "sunset");
        writeFile(path(u"output/earlier.txt"), "earlier build");
        state.templates = {QStringLiteral("old index"), QStringLiteral("old article")};
    }

    QString path(QStringView relative) const { return m_home.filePath(relative.toString()); }
    BuildOutcome build() { return BuildSite(input, state, host); }

    QTemporaryDir m_home;
    BuildInput input;
    BuildWorkState state;
    RecordingHost host;
};

class EmptySlot : public BuildRun, public ::testing::WithParamInterface<int>
{
};

TEST_P(EmptySlot, StopsWithMissingInfoBeforeTouchingAnything)
{
    input.articlePaths[std::size_t(GetParam())].clear();
    input.backgroundFile.clear();
    const auto before = treeOf(m_home.path());
    const BuildOutcome outcome = build();
    EXPECT_EQ(outcome.status, BuildOutcome::Status::MissingArticles);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().text, u"You need to select more articles for your mini site.");
    EXPECT_EQ(host.messages.first().title, u"Missing Info");
    EXPECT_EQ(state.templates.indexTemplate, u"old index");
    EXPECT_EQ(treeOf(m_home.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Site, EmptySlot, ::testing::Range(0, 5));

TEST_F(BuildRun, WithoutBackgroundReloadsTemplatesThenStops)
{
    input.backgroundFile.clear();
    const auto before = treeOf(m_home.path());
    const BuildOutcome outcome = build();
    EXPECT_EQ(outcome.status, BuildOutcome::Status::MissingBackground);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().text, u"Please select a background.");
    EXPECT_EQ(host.messages.first().title, u"Error");
    EXPECT_EQ(state.templates.indexTemplate, u"plain index #ARTICLE_TITLE#");
    EXPECT_EQ(state.templates.articleTemplate, u"plain article #ARTICLE_TITLE#");
    EXPECT_EQ(treeOf(m_home.path()), before);
}

TEST_F(BuildRun, FirstBuildWithoutOutputFolderIsNoFailure)
{
    ASSERT_TRUE(QDir(path(u"output")).removeRecursively());
    const BuildOutcome outcome = build();
    EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
    EXPECT_EQ(readFile(path(u"output/template1/index.html")), QByteArray("plain index Art0"));
    EXPECT_EQ(readFile(path(u"output/template1/art4.html")), QByteArray("plain article Art4"));
    EXPECT_EQ(readFile(path(u"output/template1/assets/images/bg.jpg")), QByteArray("sunset"));
}

TEST_F(BuildRun, MissingTemplateFolderIsReportedStepByStep)
{
    input.variation = QStringLiteral("3");
    const BuildOutcome outcome = build();
    EXPECT_EQ(outcome.status, BuildOutcome::Status::Finished);
    EXPECT_FALSE(outcome.succeeded());
    const char* steps[] = {"The page templates could not be loaded",
                           "The template folder could not be copied",
                           "The index page (main article) could not be written",
                           "The page of article #1 could not be written",
                           "The page of article #2 could not be written",
                           "The page of article #3 could not be written",
                           "The page of article #4 could not be written",
                           "The background image could not be copied"};
    ASSERT_EQ(outcome.failures.size(), qsizetype(std::size(steps))) << outcome.failures.join(u'\n').toStdString();
    for (qsizetype i = 0; i < outcome.failures.size(); ++i)
        EXPECT_TRUE(outcome.failures.at(i).startsWith(QString::fromLatin1(steps[i])))
            << outcome.failures.at(i).toStdString();
    EXPECT_TRUE(outcome.failures.first().contains(u"template3_novideo/index.html"));

    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().title, u"Build finished with errors");
    for (const QString& failure : outcome.failures)
        EXPECT_TRUE(host.messages.first().text.contains(failure));
    // The old output folder went, an empty one stands in its place.
    EXPECT_TRUE(QFileInfo(path(u"output")).isDir());
    EXPECT_EQ(treeOf(path(u"output")), (QMap<QString, QByteArray>{}));
}

TEST_F(BuildRun, UnreadableArticleLeavesOutThePagesThatNeedIt)
{
    // Slot 3's "file" is a folder.
    input.articlePaths[3] = path(u"articles/folder.txt");
    ASSERT_TRUE(QDir().mkpath(input.articlePaths[3]));
    input.info.videoId = QStringLiteral("v");
    const BuildOutcome outcome = build();
    EXPECT_EQ(outcome.status, BuildOutcome::Status::Finished);
    // Every page lists article #3 among its related articles or is its page.
    EXPECT_EQ(outcome.failures.size(), 5) << outcome.failures.join(u'\n').toStdString();
    for (const QString& failure : outcome.failures)
        EXPECT_TRUE(failure.contains(u"articles/folder.txt")) << failure.toStdString();
    EXPECT_EQ(treeOf(path(u"output")),
              (QMap<QString, QByteArray>{{QStringLiteral("template1/assets/images/bg.jpg"), "sunset"}}));
    EXPECT_EQ(host.messages.first().title, u"Build finished with errors");
}

TEST_F(BuildRun, MissingImagesFolderFailsOnlyTheBackground)
{
    ASSERT_TRUE(QDir(path(u"template1/assets")).removeRecursively());
    const BuildOutcome outcome = build();
    ASSERT_EQ(outcome.failures.size(), 1);
    EXPECT_TRUE(outcome.failures.first().startsWith(u"The background image could not be copied"));
    EXPECT_TRUE(outcome.failures.first().contains(u"assets/images"));
}

TEST_F(BuildRun, SamePageNameTwiceKeepsTheLaterSlot)
{
    input.articlePaths[2] = writeFile(path(u"articles/a b.txt"), "Space.");
    input.articlePaths[3] = writeFile(path(u"articles/a_b.txt"), "Underscore.");
    writeFile(path(u"template1_novideo/article.html"), "#ARTICLE_CONTENT#");
    EXPECT_TRUE(build().succeeded());
    EXPECT_EQ(readFile(path(u"output/template1/a-b.html")), QByteArray("Underscore."));
    EXPECT_EQ(treeOf(path(u"output/template1")).size(), 5); // index, art1, a-b, art4, bg.jpg
}

TEST_F(BuildRun, OutputFolderThatIsALinkIsReplacedNotFollowed)
{
    QTemporaryDir elsewhere;
    writeFile(elsewhere.filePath(QStringLiteral("precious.txt")), "keep me");
    ASSERT_TRUE(QDir(path(u"output")).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere.path(), path(u"output")));
    EXPECT_TRUE(build().succeeded());
    EXPECT_EQ(treeOf(elsewhere.path()), (QMap<QString, QByteArray>{{QStringLiteral("precious.txt"), "keep me"}}));
    EXPECT_FALSE(QFileInfo(path(u"output")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(path(u"output/template1/index.html")));
}

TEST_F(BuildRun, VariationNamingAnotherFolderWritesNothing)
{
    writeFile(path(u"template1/x/index.html"), "#SITENAME#");
    input.variation = QStringLiteral("1/x");
    const BuildOutcome outcome = build();
    EXPECT_FALSE(outcome.succeeded());
    for (const QString& failure : outcome.failures)
        EXPECT_TRUE(failure.contains(u"is not a plain folder name")) << failure.toStdString();
    EXPECT_EQ(treeOf(path(u"output")), (QMap<QString, QByteArray>{}));
}

} // namespace
