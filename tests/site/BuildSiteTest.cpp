#include "site/BuildSite.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

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
        {u"relatedArticlesText", &SiteInfo::relatedArticlesText},
        {u"siteUrl", &SiteInfo::siteUrl}};
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
    const QString fixture = QStringLiteral(QUORVALE_TEST_DATA "/fixtures/builds/") + QString::fromUtf8(GetParam());
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    copyTree(fixture + u"/home", home);
    const BuildInput input = readSettings(fixture + u"/settings.json", home);

    const BuildResult result = buildSite(input);

    EXPECT_TRUE(result.succeeded()) << result.failures.value(0).reason.toStdString();
    EXPECT_EQ(result.siteFolder, home + u"/output/template" + input.variation);
    // The earlier output/template2 of the "video" home is gone.
    EXPECT_EQ(treeOf(home + u"/output"), treeOf(fixture + u"/expected/output"));
}

INSTANTIATE_TEST_SUITE_P(Site, ReferenceBuild, ::testing::Values("video", "novideo", "address"),
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
        for (int i = 0; i < 5; ++i)
            input.articlePaths[std::size_t(i)] = writeFile(path(QStringLiteral("articles/art%1.txt").arg(i)),
                                                           QByteArray("Article ") + QByteArray::number(i) + '.');
        input.installFolder = m_home.path();
        input.backgroundFolder = path(u"images");
        input.backgroundFile = QStringLiteral("sunset.jpg");
        writeFile(path(u"images/sunset.jpg"), "sunset");
        writeFile(path(u"output/earlier.txt"), "earlier build");
    }

    QString path(QStringView relative) const { return m_home.filePath(relative.toString()); }

    QTemporaryDir m_home;
    BuildInput input;
};

TEST_F(BuildRun, MissingArticleOrBackgroundStopsBeforeTouchingAnything)
{
    const auto before = treeOf(m_home.path());
    input.backgroundFile.clear();
    EXPECT_EQ(buildSite(input).status, BuildResult::Status::MissingBackground);
    input.articlePaths[4].clear();
    input.articlePaths[1].clear();
    const BuildResult result = buildSite(input);
    EXPECT_EQ(result.status, BuildResult::Status::MissingArticles);
    EXPECT_EQ(result.emptySlots, (QList<int>{1, 4}));
    EXPECT_EQ(treeOf(m_home.path()), before);
}

TEST_F(BuildRun, MissingTemplateFolderIsReportedStepByStep)
{
    input.variation = QStringLiteral("3");
    const BuildResult result = buildSite(input);
    EXPECT_EQ(result.status, BuildResult::Status::Finished);
    QList<std::pair<BuildStep, int>> steps;
    for (const BuildFailure& failure : result.failures)
        steps.append({failure.step, failure.article});
    const QList<std::pair<BuildStep, int>> expected = {
        {BuildStep::LoadTemplates, 0},    {BuildStep::CopyTemplate, 0},          {BuildStep::WriteIndexPage, 0},
        {BuildStep::WriteArticlePage, 1}, {BuildStep::WriteArticlePage, 2},      {BuildStep::WriteArticlePage, 3},
        {BuildStep::WriteArticlePage, 4}, {BuildStep::WriteRobotsAndSitemap, 0}, {BuildStep::CopyBackground, 0}};
    EXPECT_EQ(steps, expected);
    EXPECT_TRUE(result.failures.first().reason.contains(u"template3_novideo/index.html"));
    // The old output folder went, an empty one stands in its place.
    EXPECT_TRUE(QFileInfo(path(u"output")).isDir());
    EXPECT_TRUE(treeOf(path(u"output")).isEmpty());
}

TEST_F(BuildRun, UnreadableArticleLeavesOutThePagesThatNeedIt)
{
    // Slot 3's "file" is a folder, and every page lists article #3 or is its page.
    input.articlePaths[3] = path(u"articles/folder.txt");
    ASSERT_TRUE(QDir().mkpath(input.articlePaths[3]));
    input.info.videoId = QStringLiteral("v");
    const BuildResult result = buildSite(input);
    ASSERT_EQ(result.failures.size(), 5);
    for (const BuildFailure& failure : result.failures)
        EXPECT_TRUE(failure.reason.contains(u"articles/folder.txt")) << failure.reason.toStdString();
    EXPECT_EQ(treeOf(path(u"output")),
              (QMap<QString, QByteArray>{{QStringLiteral("template1/assets/images/bg.jpg"), "sunset"},
                                         {QStringLiteral("template1/robots.txt"), "User-agent: *\nAllow: /\n"}}));
}

/// What stands at output/ before the build, and what the build must make of it.
struct OutputCase
{
    const char* name;
    const char* variation;
    bool outputIsLink; ///< output/ is a link to a folder outside the installation folder
    bool noOutput;     ///< the first build: no output/ yet
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
    const auto before = treeOf(m_home.path());
    const BuildResult result = buildSite(input);
    const bool plainVariation = !input.variation.contains(u'/');
    EXPECT_EQ(result.succeeded(), plainVariation);
    if (!plainVariation) {
        // A variation naming another folder would write outside output/: nothing is touched.
        ASSERT_EQ(result.failures.size(), 1);
        EXPECT_EQ(result.failures.first().step, BuildStep::CheckVariation);
        EXPECT_TRUE(result.failures.first().reason.contains(u"is not a plain folder name"));
        EXPECT_EQ(treeOf(m_home.path()), before);
    }
    EXPECT_EQ(treeOf(outside.path()), (QMap<QString, QByteArray>{{QStringLiteral("keep.txt"), "outside"}}));
    EXPECT_EQ(QFileInfo::exists(path(u"output/template1/index.html")), plainVariation);
    EXPECT_EQ(QFileInfo(path(u"output")).isSymLink(), c.outputIsLink && !plainVariation);
}

INSTANTIATE_TEST_SUITE_P(Site, OutputRoot,
                         ::testing::Values(OutputCase{"first_build", "1", false, true},
                                           OutputCase{"linked_output_root_only_the_link_goes", "1", true, false},
                                           OutputCase{"variation_with_a_separator_refused", "1/../..", false, false}),
                         caseName);

} // namespace
