// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/BuildSite.h"

#include "TestSupport.h"
#include "site/SiteProject.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>
#include <sys/stat.h>
#include <thread>

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
    input.layout = InstallLayout::forHome(home);
    input.variation = settings.value(u"variation").toString();
    const QJsonArray slotNames = settings.value(u"slots").toArray();
    for (std::size_t i = 0; i < input.articlePaths.size(); ++i)
        input.articlePaths[i] = home + u'/' + slotNames.at(qsizetype(i)).toString();
    input.backgroundFolder = home + u'/' + settings.value(u"backgroundFolder").toString();
    input.backgroundFile = settings.value(u"backgroundFile").toString();
    // The site texts under the names of quorvale-cli's options, as site files keep them.
    const QJsonObject info = settings.value(u"info").toObject();
    for (const SiteTextKey& text : siteTextKeys()) {
        if (info.contains(text.key))
            input.info.*text.field = info.value(text.key).toString();
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

    EXPECT_TRUE(result.succeeded()) << result.failure.reason.toStdString();
    EXPECT_EQ(result.siteFolder, home + u"/output/template" + input.variation);
    // The earlier output/template2 of the "video" home is gone.
    EXPECT_EQ(treeOf(home + u"/output"), treeOf(fixture + u"/expected/output"));
}

INSTANTIATE_TEST_SUITE_P(Site, ReferenceBuild, ::testing::Values("video", "novideo", "address"),
                         [](const auto& info) { return std::string(info.param); });

/// A small installation folder written by the test itself.
class BuildRun : public ::testing::Test
{
public:
    void SetUp() override
    {
        writeFile(path(u"template1/index.html"), "index #ARTICLE_TITLE# #ARTICLELINK_1#");
        writeFile(path(u"template1/article.html"), "article #ARTICLE_TITLE#");
        writeFile(path(u"template1/assets/images/bg.jpg"), jpegBytes("template image"));
        writeFile(path(u"template1_novideo/index.html"), "plain index #ARTICLE_TITLE#");
        writeFile(path(u"template1_novideo/article.html"), "plain article #ARTICLE_TITLE#");
        for (int i = 0; i < 5; ++i)
            input.articlePaths[std::size_t(i)] = writeFile(path(QStringLiteral("articles/art%1.txt").arg(i)),
                                                           QByteArray("Article ") + QByteArray::number(i) + '.');
        input.layout = InstallLayout::forHome(m_home.path());
        input.backgroundFolder = path(u"images");
        input.backgroundFile = QStringLiteral("sunset.jpg");
        writeFile(path(u"images/sunset.jpg"), jpegBytes("sunset"));
        writeFile(path(u"output/earlier.txt"), "earlier build");
        input.siteFile = path(u"output-notes.quorvale"); // beside the output folder, not inside it
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

/// Something a build checks before it changes anything, made wrong.
struct RefusalCase
{
    const char* name;
    std::function<void(BuildRun&)> spoil;
    const char* problem; ///< what the one line of the refusal says
};

class Refusal : public BuildRun, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(Refusal, LeavesTheOldSiteByteForByteAndSaysWhyOnce)
{
    GetParam().spoil(*this);
    const auto before = treeOf(m_home.path());
    const BuildResult result = buildSite(input);
    EXPECT_EQ(result.status, BuildResult::Status::Refused);
    ASSERT_EQ(result.problems.size(), 1) << result.problems.join(u'\n').toStdString();
    EXPECT_TRUE(result.problems.first().contains(QString::fromUtf8(GetParam().problem)))
        << result.problems.first().toStdString();
    EXPECT_EQ(treeOf(m_home.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Site, Refusal,
    ::testing::Values(
        RefusalCase{"variation_without_a_folder", [](BuildRun& b) { b.input.variation = QStringLiteral("3"); },
                    "no template folder for the variation \"3\""},
        RefusalCase{"variation_naming_another_folder",
                    [](BuildRun& b) { b.input.variation = QStringLiteral("1/../.."); }, "is not a plain folder name"},
        RefusalCase{"page_template_missing",
                    [](BuildRun& b) { QFile::remove(b.path(u"template1_novideo/article.html")); },
                    "template1_novideo/article.html"},
        RefusalCase{"an_article_missing_from_two_slots",
                    [](BuildRun& b) { b.input.articlePaths[3] = b.input.articlePaths[4] = b.path(u"gone.txt"); },
                    "gone.txt"},
        RefusalCase{"an_article_that_is_a_pipe",
                    [](BuildRun& b) {
                        b.input.articlePaths[2] = b.path(u"articles/pipe.txt");
                        ASSERT_EQ(::mkfifo(QFile::encodeName(b.input.articlePaths[2]).constData(), 0644), 0);
                    },
                    "named pipe"},
        RefusalCase{"background_that_is_a_folder",
                    [](BuildRun& b) {
                        QFile::remove(b.path(u"images/sunset.jpg")), QDir().mkpath(b.path(u"images/sunset.jpg"));
                    },
                    "is a folder"},
        RefusalCase{"output_that_is_a_file",
                    [](BuildRun& b) {
                        QDir(b.path(u"output")).removeRecursively();
                        writeFile(b.path(u"output"), "a file");
                    },
                    "is a file, not a folder"},
        RefusalCase{"installation_folder_missing",
                    [](BuildRun& b) { b.input.layout = InstallLayout::forHome(b.path(u"mistyped")); },
                    "mistyped\" does not exist"},
        RefusalCase{"two_pages_of_one_name",
                    [](BuildRun& b) {
                        b.input.articlePaths[2] = writeFile(b.path(u"articles/a b.txt"), "One.");
                        b.input.articlePaths[4] = writeFile(b.path(u"articles/a_b.txt"), "Two.");
                    },
                    "Articles #2 and #4 would both be written as the page \"a-b.html\""},
        RefusalCase{"a_page_named_index",
                    [](BuildRun& b) { b.input.articlePaths[3] = writeFile(b.path(u"articles/index.txt"), "I."); },
                    "\"index.html\", the main article's"},
        RefusalCase{"a_page_hidden", [](BuildRun& b) { b.input.articlePaths[1] = writeFile(b.path(u"a/.txt"), "H."); },
                    "hidden file \".html\""},
        RefusalCase{"article_of_nul_bytes",
                    [](BuildRun& b) { writeFile(b.input.articlePaths[2], QByteArray("PNG\0\0text", 9)); },
                    "art2.txt\" does not look like text: it holds NUL characters"},
        RefusalCase{"article_of_control_characters",
                    [](BuildRun& b) { writeFile(b.input.articlePaths[0], "\x1B\x02\x03\x04\x05\x06\x07\x08 b c."); },
                    "control characters"},
        RefusalCase{"video_id_leaving_its_attribute",
                    [](BuildRun& b) { b.input.info.videoId = QStringLiteral("abcdef\" onload=\"x"); },
                    "is not a YouTube video id"},
        RefusalCase{"page_address_too_long",
                    [](BuildRun& b) { b.input.info.siteUrl = u"https://example.org/"_qs + QString(2040, u'a'); },
                    "characters long; search engines take up to 2,048"},
        RefusalCase{"pipe_in_the_template_folder",
                    [](BuildRun& b) {
                        ASSERT_EQ(::mkfifo(QFile::encodeName(b.path(u"template1/assets/pipe")).constData(), 0644), 0);
                    },
                    "assets/pipe\", but it is a named pipe"},
        RefusalCase{"page_template_through_a_link",
                    [](BuildRun& b) {
                        QFile::rename(b.path(u"template1_novideo/index.html"), b.path(u"elsewhere.html"));
                        QFile::link(b.path(u"elsewhere.html"), b.path(u"template1_novideo/index.html"));
                    },
                    "index.html\" is a symbolic link"},
        RefusalCase{"lock_file_a_folder", [](BuildRun& b) { QDir().mkpath(b.path(u"output.lock")); },
                    "output.lock\" cannot be used: it is a folder. When no other build is running, it can be removed."},
        RefusalCase{"lock_file_a_pipe",
                    [](BuildRun& b) { ::mkfifo(QFile::encodeName(b.path(u"output.lock")).constData(), 0644); },
                    "cannot be used: it is a named pipe"},
        RefusalCase{"lock_file_a_link", [](BuildRun& b) { QFile::link(b.path(u"images"), b.path(u"output.lock")); },
                    "cannot be used: it is a symbolic link"},
        RefusalCase{"own_folder_holding_other_files",
                    [](BuildRun& b) {
                        b.input.siteFolder = b.path(u"mine");
                        writeFile(b.path(u"mine/notes.txt"), "not a site");
                    },
                    "mine\" holds files that are not a site Quorvale built"},
        RefusalCase{"own_folder_a_link",
                    [](BuildRun& b) {
                        b.input.siteFolder = b.path(u"mine");
                        QFile::link(b.path(u"images"), b.path(u"mine"));
                    },
                    "mine\" is a symbolic link; a build replaces only a real folder"},
        RefusalCase{"an_article_inside_the_output_folder",
                    [](BuildRun& b) { b.input.articlePaths[3] = writeFile(b.path(u"output/art3.txt"), "Inside."); },
                    "art3.txt\" lies inside the output folder"},
        RefusalCase{"its_site_file_inside_the_output_folder",
                    [](BuildRun& b) {
                        b.input.siteFolder = b.path(u"mine");
                        writeFile(b.path(u"mine/.quorvale-site"), "an earlier site");
                        b.input.siteFile = writeFile(b.path(u"mine/calm.quorvale"), "{}");
                    },
                    "mine/calm.quorvale\" lies inside the output folder"},
        RefusalCase{"too_many_versions", [](BuildRun& b) { b.input.versions = 1000; }, "1 to 999 versions of a site"},
        RefusalCase{"versions_without_rules", [](BuildRun& b) { b.input.versions = 2; },
                    "rewritten with the synonym rules, which cannot be read"}),
    caseName);

TEST_F(BuildRun, AnotherBuildOfTheSameSiteIsWaitedForOrReported)
{
    // What a killed build or another host left in the lock file holds no one up.
    writeFile(path(u"output.lock"), "4242\nquorvale\nanother-host\n");
    EXPECT_TRUE(buildSite(input).succeeded());
    EXPECT_FALSE(QFileInfo::exists(path(u"output.lock")));
    QLockFile other(path(u"output.lock"));
    ASSERT_TRUE(other.lock());
    const auto before = treeOf(m_home.path());
    EXPECT_EQ(buildSite(input).status, BuildResult::Status::Busy);
    EXPECT_EQ(treeOf(m_home.path()), before);
    other.unlock();

    // Two builds at once, each waiting for the other: one complete site.
    input.lockWaitMs = 60000;
    BuildResult results[2];
    std::thread second([&] { results[1] = buildSite(input); });
    results[0] = buildSite(input);
    second.join();
    EXPECT_TRUE(results[0].succeeded() && results[1].succeeded());
    EXPECT_EQ(treeOf(path(u"output/template1")).keys(),
              (QStringList{u"art1.html"_qs, u"art2.html"_qs, u"art3.html"_qs, u"art4.html"_qs,
                           u"assets/images/bg.jpg"_qs, u"index.html"_qs, u"robots.txt"_qs}));
}

// The first build finds no output folder; a linked one loses only the link.
// The longest video id and page address (2,048 characters) are taken.
TEST_F(BuildRun, OnlyTheOutputFolderChanges)
{
    input.info.videoId = QString(20, u'v');
    input.info.siteUrl = u"https://example.org/"_qs + QString(2018, u'a'); // and "/art1.html"
    for (const bool outputIsLink : {false, true}) {
        QTemporaryDir outside;
        writeFile(outside.filePath(QStringLiteral("keep.txt")), "outside");
        QDir(path(u"output")).removeRecursively();
        if (outputIsLink) {
            ASSERT_TRUE(QFile::link(outside.path(), path(u"output")));
        }
        const BuildResult result = buildSite(input);
        EXPECT_TRUE(result.succeeded() && result.warnings.isEmpty()) << result.problems.join(u'\n').toStdString();
        EXPECT_EQ(treeOf(outside.path()), (QMap<QString, QByteArray>{{QStringLiteral("keep.txt"), "outside"}}));
        EXPECT_TRUE(QFileInfo::exists(path(u"output/template1/index.html")));
        EXPECT_FALSE(QFileInfo(path(u"output")).isSymLink());
    }
}

/// Cancels a build of versions once @p after versions are done (0: before the first).
struct CancelVersions final : BuildProgress
{
    explicit CancelVersions(int after) : after(after) {}
    void copyProgress(qint64, qint64) override {}
    void copyEnded() override {}
    bool versionsProgress(int done, int) override { return done < after; }
    int after;
};

// Versions go into a folder of their own, the same ones for the same seed;
// the layout's output stays as it was, and a cancelled build keeps whole versions only.
TEST_F(BuildRun, VersionsInAFolderOfTheirOwnRepeatExactlyAndSayWhenTheyRepeat)
{
    // The shipped rules name parts of speech: the versions are tagged with the installation's model.
    writeFile(path(u"rwdb.txt"), "{article|text|piece} pos=noun\n{one|1}\n");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVALE_SOURCE_DIR "/data/tagger.model"), path(u"tagger.model")));
    writeFile(path(u"template1_novideo/index.html"), "#ARTICLE_CONTENT#");
    for (std::size_t i = 0; i < 5; ++i)
        writeFile(input.articlePaths[i], "Page " + QByteArray::number(qulonglong(i)) +
                                             ": this article is a good article of one day.");
    input.siteFolder = path(u"mine");
    input.versions = 3;
    input.seed = 7;
    const BuildResult result = buildSite(input);
    ASSERT_TRUE(result.succeeded()) << result.problems.join(u'\n').toStdString();
    EXPECT_EQ(result.siteFolder, path(u"mine"));
    const auto built = treeOf(path(u"mine"));
    QStringList pages;
    for (const char* version : {"01", "02", "03"}) {
        for (const char* page : {"art1.html", "art2.html", "art3.html", "art4.html", "assets/images/bg.jpg",
                                 "index.html", "robots.txt"})
            EXPECT_TRUE(built.contains(QString::fromLatin1(version) + u'/' + QString::fromLatin1(page))) << page;
        pages << QString::fromUtf8(built.value(QString::fromLatin1(version) + u"/index.html"));
    }
    EXPECT_EQ(built.size(), 3 * 7 + 2) << "three sites, the marker and the report";
    EXPECT_TRUE(built.value(u".quorvale-site"_qs).contains("built by Quorvale"));
    EXPECT_TRUE(built.value(u"versions.txt"_qs).contains("Highest share with the original"));
    EXPECT_EQ(QSet<QString>(pages.begin(), pages.end()).size(), 3) << "three different wordings of the main article";
    EXPECT_FALSE(pages[0].contains(u"this article is a good article")) << pages[0].toStdString();
    EXPECT_EQ(result.report.versions.size(), 3);
    EXPECT_TRUE(result.report.repeats.isEmpty());
    EXPECT_EQ(treeOf(path(u"output")), (QMap<QString, QByteArray>{{u"earlier.txt"_qs, "earlier build"}}));

    EXPECT_TRUE(buildSite(input).succeeded());
    EXPECT_EQ(treeOf(path(u"mine")), built) << "the same seed gives the same versions";

    // "article" twice, two other words each: four wordings for six versions.
    input.versions = 6;
    const BuildResult repeated = buildSite(input);
    EXPECT_TRUE(repeated.report.repeats.value(0).startsWith(u"The rules give the main article only 4 different "
                                                            u"wordings for 6 versions"))
        << repeated.report.repeats.join(u'\n').toStdString();

    const auto six = treeOf(path(u"mine"));
    CancelVersions never(0);
    EXPECT_EQ(buildSite(input, &never).status, BuildResult::Status::Cancelled);
    EXPECT_EQ(treeOf(path(u"mine")), six) << "cancelled before the first version: nothing changed";
    input.versions = 40;
    CancelVersions early(1);
    const BuildResult cancelled = buildSite(input, &early);
    // The versions begun when Cancel came are finished; none after them is begun.
    const int kept = cancelled.versionsBuilt;
    EXPECT_EQ(QDir(path(u"mine")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), kept);
    EXPECT_TRUE(QFileInfo::exists(path(u"mine/%1/robots.txt").arg(kept, 2, 10, QLatin1Char('0'))));
    EXPECT_EQ(cancelled.report.versions.size(), kept);
}

// Hand-counted shares of 5-word shingles: ten words make six shingles.
TEST(CompareVersions, SharesOfShinglesWithTheOriginalAndTheOtherVersions)
{
    const QString original = QStringLiteral("One two three four five six seven eight nine ten.");
    const QString lastChanged = QStringLiteral("one, TWO three four five six seven eight nine eleven");
    std::array<QStringList, 5> wordings;
    wordings.fill({original, lastChanged});
    const VersionsReport report = compareVersions({original, original, original, original, original}, wordings, 2);
    ASSERT_EQ(report.versions.size(), 2);
    EXPECT_DOUBLE_EQ(report.versions[0].withOriginal, 1.0);
    EXPECT_DOUBLE_EQ(report.versions[0].withOther, 5.0 / 6);
    EXPECT_EQ(report.versions[0].otherVersion, 2);
    EXPECT_DOUBLE_EQ(report.versions[1].withOriginal, 5.0 / 6);
    EXPECT_TRUE(report.repeats.isEmpty());
    wordings[3] = {lastChanged, lastChanged};
    EXPECT_EQ(compareVersions({original, original, original, original, original}, wordings, 2).repeats,
              QStringList{u"The rules give article #3 only 1 different wordings for 2 versions: some versions share "
                          u"its wording."_qs});
}

} // namespace
