// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "site/BuildSite.h"
#include "site/StagedFolder.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <csignal>

// Builds in an installation folder whose path holds spaces, quotes and
// non-Latin letters, over an output folder full of traps, and with articles
// and templates no one would write by hand. Each ends with a complete site or
// a message naming the failed step. CTest stops each test after 300 seconds
// (TIMEOUT of site_hostile_tests), which fails it.

using namespace quorvale;
using namespace quorvale::test;

namespace fs = std::filesystem;

namespace {

void link(const QString& target, const QString& at)
{
    QDir().mkpath(QFileInfo(at).path());
    std::error_code error;
    fs::create_symlink(nativePath(target), nativePath(at), error);
    ASSERT_FALSE(error) << at.toStdString() << ": " << error.message();
}

void setMode(const QString& path, QFile::Permissions mode)
{
    ASSERT_TRUE(QFile::setPermissions(path, mode)) << path.toStdString();
}

bool isPlainFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

/// Article file names with spaces, quotes and non-Latin letters, and the page each gets.
const std::array<std::pair<const char*, const char*>, 5> kArticles = {{
    {"Ann's \"best\" día.txt", "index.html"},
    {"Ωμέγα #1 100% sure?.txt", "Ωμέγα-#1-100%-sure?.html"},
    {"日本語 notes.txt", "日本語-notes.html"},
    {"plain_one.txt", "plain-one.html"},
    {"«quoted» <ÑANDÚ> & co.txt", "«quoted»-<ÑANDÚ>-&-co.html"},
}};

QString page(std::size_t i)
{
    return QString::fromUtf8(kArticles[i].second);
}

QByteArray articleText(std::size_t i)
{
    return "Article " + QByteArray::number(qulonglong(i)) + " text. More words.";
}

/// The shipped templates of design 1 in an installation folder with odd
/// letters, and an "outside" folder beside it that no build may touch.
class HostileBuild : public ::testing::Test
{
public:
    QString home(QStringView relative) const { return m_home + u'/' + relative; }
    QString output(QStringView relative) const { return home(u"output/") + relative; }
    QString site(QStringView relative) const { return home(u"output/template1/") + relative; }
    QString outside(QStringView relative) const { return m_outside + u'/' + relative; }

protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_home = m_root.filePath(QStringLiteral("Mis sitios 'ÑANDÚ' \"Ωμέγα\" 日本語"));
        m_outside = m_root.filePath(QStringLiteral("outside"));
        ASSERT_TRUE(QDir().mkpath(m_home));
        const QString data = QStringLiteral(QUORVALE_SOURCE_DIR "/data/");
        copyTree(data + u"template1", home(u"template1"));
        writeFile(home(u"template1/.htaccess"), "hidden files are copied like any other");
        copyTree(data + u"template1_novideo", home(u"template1_novideo"));
        for (std::size_t i = 0; i < kArticles.size(); ++i)
            input.articlePaths[i] =
                writeFile(home(u"artículos «del» día/") + QString::fromUtf8(kArticles[i].first), articleText(i));
        input.layout = InstallLayout::forHome(m_home);
        input.backgroundFolder = home(u"fondos ñ");
        input.backgroundFile = QStringLiteral("sun set «1».jpg");
        writeFile(input.backgroundFolder + u'/' + input.backgroundFile, m_image);
        input.info.siteName = QStringLiteral("Site ñ");
        input.info.readMoreText = QStringLiteral("More");
        writeFile(outside(u"keep.txt"), "outside");
        writeFile(outside(u"sub/deep.txt"), "deeper");
        writeFile(outside(u"a-page.html"), "outside page");
        setMode(outside(u"sub"), QFile::ReadOwner | QFile::ExeOwner);
    }

    void TearDown() override
    {
        // Read-only entries must not keep the temporary folder from going away.
        std::error_code error;
        for (fs::recursive_directory_iterator it(nativePath(m_root.path()), error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (!it->is_symlink(ignored))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }

    static std::string failures(const BuildResult& result)
    {
        return QString(result.failure.reason + result.problems.join(u'\n')).toStdString();
    }

    /// What a build may leave beside the output folder: nothing once it has ended.
    QStringList strays() const
    {
        return QDir(m_home).entryList({u".output*"_qs, u"output.lock"_qs}, QDir::AllEntries | QDir::Hidden);
    }

    QTemporaryDir m_root;
    QString m_home;
    QString m_outside;
    const QByteArray m_image = jpegBytes("chosen background");
    BuildInput input;
};

TEST_F(HostileBuild, OutputFolderFullOfTrapsLeavesOutsideIntactAndGivesACompleteSite)
{
    link(outside(u""), output(u"shared"));
    link(QStringLiteral("../../../outside/sub"), site(u"up")); // relative, through the path's odd letters
    link(outside(u"a-page.html"), site(page(1)));
    link(outside(u"a-page.html"), site(u"assets/images/bg.jpg"));
    writeFile(site(u"index.html"), "old index");
    setMode(site(u"index.html"), QFile::ReadOwner);
    writeFile(output(u"old.txt"), "old");
    setMode(output(u"old.txt"), QFile::Permissions());
    writeFile(site(u"assets/images/old.jpg"), "old");
    setMode(site(u"assets/images"), QFile::ReadOwner | QFile::ExeOwner);
    writeFile(site(u"it's \"quoted\" — Ωμέγα 日本 ñ.html"), "odd");
    writeFile(output(u"carpeta «x» 語/ünïcödé \\ back slash.txt"), "odd");
    writeFile(output(u" leading space and trailing space "), "odd");
    writeFile(output(u"line\nbreak"), "odd");
    ASSERT_TRUE(QDir().mkpath(output(u"locked/empty")));
    setMode(output(u"locked"), QFile::ReadOwner | QFile::ExeOwner);
    setMode(output(u""), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_FALSE(HasFatalFailure());
    const auto outsideBefore = treeOf(m_outside);

    const BuildResult result = buildSite(input);

    EXPECT_TRUE(result.succeeded()) << failures(result);
    EXPECT_EQ(treeOf(m_outside), outsideBefore);
    // The site is template1 without its two page templates, plus the chosen
    // background, robots.txt and the five pages, every one a plain file, and nothing else.
    QMap<QString, QByteArray> expected = treeOf(home(u"template1"));
    expected.remove(QStringLiteral("article.html"));
    expected.insert(QStringLiteral("assets/images/bg.jpg"), m_image);
    expected.insert(QStringLiteral("robots.txt"), "User-agent: *\nAllow: /\n");
    const QMap<QString, QByteArray> built = treeOf(site(u""));
    for (std::size_t i = 0; i < kArticles.size(); ++i) {
        EXPECT_TRUE(built.value(page(i)).contains(articleText(i))) << kArticles[i].second;
        expected.insert(page(i), built.value(page(i)));
    }
    EXPECT_EQ(built, expected);
    for (const QString& file : built.keys())
        EXPECT_TRUE(isPlainFile(site(file))) << file.toStdString();
    EXPECT_EQ(QDir(output(u"")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("template1")});
    EXPECT_EQ(strays(), QStringList());
}

// What a link in the template folder points to (private files, maybe) is never published.
TEST_F(HostileBuild, ALinkInTheTemplateFolderIsRefused)
{
    ASSERT_TRUE(QDir(home(u"template1/assets/images")).removeRecursively());
    link(outside(u""), home(u"template1/assets/images"));
    const auto outsideBefore = treeOf(m_outside);

    const BuildResult result = buildSite(input);

    EXPECT_EQ(treeOf(m_outside), outsideBefore);
    EXPECT_EQ(result.status, BuildResult::Status::Refused);
    EXPECT_TRUE(result.problems.value(0).contains(u"images\": a site is made of the template's own files"))
        << failures(result);
    EXPECT_FALSE(QFileInfo::exists(output(u"")));
}

// A step that fails, or a kill, while the new site is written leaves the
// previous one byte for byte, and the next build leaves nothing behind.
TEST_F(HostileBuild, AFailedOrKilledBuildLeavesThePreviousSite)
{
    ASSERT_TRUE(buildSite(input).succeeded());
    const auto previous = treeOf(output(u""));
    const QString background = input.backgroundFile;
    input.backgroundFile = QStringLiteral("huge.jpg");
    QFile huge(input.backgroundFolder + u"/huge.jpg");
    // A picture's header, then a sparse hole: quick to make, and read only when the site is written.
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.write(jpegBytes("huge")) > 0 && huge.resize(qint64(600) << 20));

    const BuildResult result = buildSite(input);

    EXPECT_EQ(result.status, BuildResult::Status::Failed);
    EXPECT_EQ(result.failure.step, BuildStep::CopyBackground);
    EXPECT_TRUE(result.failure.reason.contains(u"holds 600 MB")) << failures(result);
    EXPECT_EQ(treeOf(output(u"")), previous);
    EXPECT_EQ(strays(), QStringList());

    input.backgroundFile = background;
    struct KillDuringCopy final : BuildProgress
    {
        void copyProgress(qint64, qint64) override { ::raise(SIGKILL); }
        void copyEnded() override {}
    } kill;
    const pid_t child = fork();
    if (child == 0)
        _exit(buildSite(input, &kill).succeeded() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the build was not killed";
    EXPECT_EQ(treeOf(output(u"")), previous);
    EXPECT_EQ(strays().size(), 2) << "the killed build's new folder and lock file";

    EXPECT_TRUE(buildSite(input).succeeded());
    EXPECT_EQ(treeOf(output(u"")), previous);
    EXPECT_EQ(strays(), QStringList());
}

// Every link of every page, read as a browser reads it, names a file of the
// site, whatever characters the article file names hold; titles stay text.
TEST_F(HostileBuild, EveryLinkResolvesToAFileOfTheSite)
{
    input.articlePaths[2] = writeFile(home(u"artículos «del» día/") + QString(245, u'x') + u".txt", "Long name.");
    const BuildResult result = buildSite(input);
    ASSERT_TRUE(result.succeeded()) << failures(result);
    const QRegularExpression reference(QStringLiteral(" (?:href|src)=\"([^\"]*)\""));
    const QStringList pages = QDir(site(u"")).entryList({u"*.html"_qs});
    EXPECT_EQ(pages.size(), 5);
    for (const QString& name : pages) {
        const QString text = QString::fromUtf8(readFile(site(name)));
        EXPECT_FALSE(text.contains(u"<ñandú>", Qt::CaseInsensitive)) << name.toStdString();
        for (const QRegularExpressionMatch& match : reference.globalMatch(text)) {
            const QUrl url = QUrl::fromLocalFile(site(name)).resolved(QUrl(match.captured(1)));
            if (url.isLocalFile() && !match.captured(1).startsWith(u'#')) {
                EXPECT_TRUE(QFileInfo(url.toLocalFile()).isFile())
                    << name.toStdString() << " links to " << match.captured(1).toStdString();
            }
        }
    }
}

// Where the file system cannot exchange two names, the target is renamed
// aside first; a replacement killed between the two renames gets it back.
TEST(StagedFolder, TwoRenamesAndAReplacementKilledBetweenThem)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("site"));
    writeFile(target + u"/old.txt", "old");
    {
        StagedFolder staged(target);
        writeFile(staged.path() + u"/new.txt", "new");
        EXPECT_EQ(staged.commit(StagedFolder::Swap::TwoRenames), QString());
    }
    const QMap<QString, QByteArray> replaced{{QStringLiteral("site/new.txt"), "new"}};
    EXPECT_EQ(treeOf(dir.path()), replaced);
    ASSERT_TRUE(QDir().rename(target, dir.filePath(QStringLiteral(".site.staging-AbCdEf.old"))));
    writeFile(dir.filePath(QStringLiteral(".site.staging-AbCdEf/newer.txt")), "newer");
    const StagedFolder next(target);
    EXPECT_EQ(treeOf(dir.path()), replaced);
}

// --- Articles and templates no one would write by hand ----------------------

struct Case
{
    const char* name;
    bool intoTemplate; ///< the bytes are the index template, else article #1
    QByteArray bytes;  ///< repeated `times`
    QByteArray page;   ///< the page a reader expects, repeated `times`
    qsizetype times = 1;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class HostileFile : public HostileBuild, public ::testing::WithParamInterface<Case>
{
};

TEST_P(HostileFile, GivesThePageAReaderExpects)
{
    const Case& c = GetParam();
    writeFile(home(u"template1_novideo/article.html"), "#ARTICLE_CONTENT#");
    const QString file = c.intoTemplate ? home(u"template1_novideo/index.html") : input.articlePaths[1];
    writeFile(file, c.bytes.repeated(c.times));
    const BuildResult result = buildSite(input);
    EXPECT_TRUE(result.succeeded()) << failures(result);
    const QByteArray written = readFile(c.intoTemplate ? site(u"index.html") : site(page(1)));
    EXPECT_TRUE(written == c.page.repeated(c.times)) << written.size() << " bytes: " << written.left(80).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Site, HostileFile,
    ::testing::Values(
        Case{"empty_article", false, "", ""},
        Case{"fifty_megabyte_article", false, "Calm words never end,\r\nline after line. ",
             "Calm words <b>never</b> end,<br><br>\nline after line. ", 50 * 1024 * 1024 / 40},
        Case{"template_without_tags", true, "<p>No tags # here ## #sitename# #ARTICLE TITLE#</p>",
             "<p>No tags # here ## #sitename# #ARTICLE TITLE#</p>"},
        Case{"template_of_ten_thousand_tags", true, // five tags, 2,000 times each
             "#SITENAME#|#ARTICLE_TITLE#|#ARTICLELINK_3#|#READMORE#|#ARTICLESUMMARY_2#|",
             QStringLiteral("Site ñ|Ann's &quot;best&quot; Día|plain-one.html|More|Article 2 text.|").toUtf8(), 2000}),
    caseName);

} // namespace
