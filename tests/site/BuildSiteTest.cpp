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

    BuildWorkState state;
    RecordingHost host;
    const BuildOutcome outcome = BuildSite(input, state, host);

    EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
    EXPECT_EQ(outcome.siteFolder, home + u"/output/template" + input.variation);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().text, BuildDoneText);
    EXPECT_EQ(host.messages.first().title, u"Done");

    const auto output = treeOf(home + u"/output");
    const auto expected = treeOf(fixture + u"/expected/output");
    // The earlier output/template2 of the "video" home is gone.
    EXPECT_EQ(output, expected);
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
    }

    QString path(QStringView relative) const { return m_home.filePath(relative.toString()); }
    BuildOutcome build() { return BuildSite(input, state, host); }

    QTemporaryDir m_home;
    BuildInput input;
    BuildWorkState state;
    RecordingHost host;
};

TEST_F(BuildRun, MissingArticleOrBackgroundStopsBeforeTouchingAnything)
{
    const auto before = treeOf(m_home.path());
    input.backgroundFile.clear();
    EXPECT_EQ(build().status, BuildOutcome::Status::MissingBackground);
    input.articlePaths[4].clear();
    EXPECT_EQ(build().status, BuildOutcome::Status::MissingArticles);
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages.at(0).text, u"Please select a background.");
    EXPECT_EQ(host.messages.at(0).title, u"Error");
    EXPECT_EQ(host.messages.at(1).text, u"You need to select more articles for your mini site.");
    EXPECT_EQ(host.messages.at(1).title, u"Missing Info");
    EXPECT_EQ(treeOf(m_home.path()), before);
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

/// What stands at output/ before the build, and what the build must make of it.
struct OutputCase
{
    const char* name;
    const char* variation;
    bool outputIsLink; ///< output/ is a link to a folder outside the installation folder
    bool noOutput;     ///< the first build: no output/ yet
    bool succeeds;
};

class OutputRoot : public BuildRun, public ::testing::WithParamInterface<OutputCase>
{
};

TEST_P(OutputRoot, OnlyTheOutputFolderChanges)
{
    const OutputCase& c = GetParam();
    QTemporaryDir outside;
    writeFile(outside.filePath(QStringLiteral("keep.txt")), "outside");
    if (c.noOutput || c.outputIsLink)
        QDir(path(u"output")).removeRecursively();
    if (c.outputIsLink) {
        ASSERT_TRUE(QFile::link(outside.path(), path(u"output")));
    }
    input.variation = QString::fromLatin1(c.variation);
    const BuildOutcome outcome = build();
    EXPECT_EQ(outcome.succeeded(), c.succeeds) << outcome.failures.join(u'\n').toStdString();
    if (!c.succeeds) {
        ASSERT_FALSE(outcome.failures.isEmpty());
        EXPECT_TRUE(outcome.failures.first().contains(u"is not a plain folder name"));
    }
    EXPECT_EQ(treeOf(outside.path()), (QMap<QString, QByteArray>{{QStringLiteral("keep.txt"), "outside"}}));
    EXPECT_EQ(QFileInfo::exists(path(u"output/template1/index.html")), c.succeeds);
    EXPECT_FALSE(QFileInfo(path(u"output")).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(Site, OutputRoot,
                         ::testing::Values(OutputCase{"first_build", "1", false, true, true},
                                           OutputCase{"linked_output_root_only_the_link_goes", "1", true, false, true},
                                           // A variation naming another folder would write outside output/.
                                           OutputCase{"variation_with_a_separator_refused", "1/../..", false, false,
                                                      false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
