#include "SiteTestSupport.h"
#include "site/BuildSite.h"

#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>

// Builds under hostile conditions: an installation folder whose path holds
// spaces, quotes and non-Latin letters, an output folder left full of traps by
// someone else, links in the template folder, and articles and templates no
// one would write by hand. Every case ends with a complete site or with a
// message naming the failed step; none may crash or hang. Time bound: CTest
// stops each test of this file after 300 seconds (TIMEOUT of
// site_hostile_tests in CMakeLists.txt), which fails it. The slowest case,
// 50 MB, takes a few seconds in a release build and about half a minute under
// the sanitizers.

using namespace quorvale;
using namespace quorvale::test;

namespace fs = std::filesystem;

namespace {

fs::path native(const QString& path)
{
    return fs::path(path.toStdU16String());
}

void link(const QString& target, const QString& at)
{
    QDir().mkpath(QFileInfo(at).path());
    std::error_code error;
    fs::create_symlink(native(target), native(at), error);
    ASSERT_FALSE(error) << at.toStdString() << ": " << error.message();
}

void setMode(const QString& path, fs::perms mode)
{
    std::error_code error;
    fs::permissions(native(path), mode, error);
    ASSERT_FALSE(error) << path.toStdString() << ": " << error.message();
}

/// The bytes of a string literal, NUL bytes included.
template <std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

bool isPlainFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

/// The five articles: names with spaces, quotes and non-Latin letters, with
/// the titles and page file names a reader expects of them.
struct ArticleName
{
    const char* file;
    const char* title;
    const char* page;
};

const std::array<ArticleName, 5> kArticles = {{
    {"Ann's \"best\" día.txt", "Ann's \"best\" Día", "Ann's-\"best\"-día.html"},
    {"Ωμέγα and more.txt", "Ωμέγα And More", "Ωμέγα-and-more.html"},
    {"日本語 notes.txt", "日本語 Notes", "日本語-notes.html"},
    {"plain_one.txt", "Plain One", "plain-one.html"},
    {"«quoted» ÑANDÚ.txt", "«quoted» Ñandú", "«quoted»-ÑANDÚ.html"},
}};

const std::array<const char*, 5> kArticleTexts = {
    "Article zero text. More words.",  "Article one text. More words.",  "Article two text. More words.",
    "Article three text. More words.", "Article four text. More words.",
};

/// An installation folder with the shipped templates of design 1, at a path
/// with spaces, quotes and non-Latin letters, and an "outside" folder beside
/// it that no build may touch.
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
        copyTree(data + u"template1_novideo", home(u"template1_novideo"));

        for (std::size_t i = 0; i < kArticles.size(); ++i)
            input.articlePaths[i] =
                writeFile(home(u"artículos «del» día/") + QString::fromUtf8(kArticles[i].file), kArticleTexts[i]);
        input.installFolder = m_home;
        input.backgroundFolder = home(u"fondos ñ");
        input.backgroundFile = QStringLiteral("sun set «1».jpg");
        writeFile(input.backgroundFolder + u'/' + input.backgroundFile, m_image);
        input.info.siteName = QStringLiteral("Site ñ");
        input.info.readMoreText = QStringLiteral("More");

        writeFile(outside(u"keep.txt"), "outside");
        writeFile(outside(u"sub/deep.txt"), "deeper");
        writeFile(outside(u"bg.jpg"), "outside image");
        writeFile(outside(u"a-page.html"), "outside page");
        setMode(outside(u"sub"), fs::perms::owner_read | fs::perms::owner_exec);
    }

    void TearDown() override
    {
        // Read-only entries a failed build left behind must not keep the
        // temporary folder from going away.
        std::error_code error;
        for (fs::recursive_directory_iterator it(native(m_root.path()), error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (!it->is_symlink(ignored))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }

    BuildOutcome build() { return BuildSite(input, state, host); }

    /// The site folder holds the pages, the chosen background and the rest of
    /// template1, every one a plain file, and nothing else; the output folder
    /// holds nothing but the site folder.
    void expectCompleteSite(const std::function<QByteArray(std::size_t slot)>& articleBytes = {})
    {
        QMap<QString, QByteArray> expected = treeOf(home(u"template1"));
        expected.remove(QStringLiteral("index.html"));
        expected.remove(QStringLiteral("article.html"));
        expected.insert(QStringLiteral("assets/images/bg.jpg"), m_image);
        const QMap<QString, QByteArray> built = treeOf(site(u""));
        QStringList pages{QStringLiteral("index.html")};
        for (std::size_t i = 1; i < kArticles.size(); ++i)
            pages.append(QString::fromUtf8(kArticles[i].page));
        for (const QString& page : pages) {
            EXPECT_TRUE(isPlainFile(site(page))) << page.toStdString();
            expected.insert(page, built.value(page));
        }
        EXPECT_EQ(built.keys(), expected.keys());
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            EXPECT_TRUE(isPlainFile(site(it.key()))) << it.key().toStdString();
            EXPECT_TRUE(built.value(it.key()) == it.value()) << it.key().toStdString();
        }
        EXPECT_EQ(QDir(output(u"")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("template1")});
        // Each page shows its own article.
        for (std::size_t i = 0; i < kArticles.size(); ++i) {
            const QByteArray text = articleBytes ? articleBytes(i) : QByteArray(kArticleTexts[i]);
            EXPECT_TRUE(built.value(pages.at(qsizetype(i))).contains(text)) << pages.at(qsizetype(i)).toStdString();
            EXPECT_TRUE(built.value(pages.at(qsizetype(i))).contains(kArticles[i].title));
        }
    }

    QTemporaryDir m_root;
    QString m_home;
    QString m_outside;
    const QByteArray m_image = QByteArray("\xFF\xD8\xFF\xE0 chosen background", 22);
    BuildInput input;
    BuildWorkState state;
    RecordingHost host;
};

// --- An output folder full of traps ----------------------------------------

struct TrapCase
{
    const char* name;
    /// Plants the traps in the old output folder, given the fixture.
    void (*plant)(const HostileBuild& fixture);
};

void PrintTo(const TrapCase& c, std::ostream* out)
{
    *out << c.name;
}

class OutputTraps : public HostileBuild, public ::testing::WithParamInterface<TrapCase>
{
public:
    static void linksToOutsideFolder(const HostileBuild& f)
    {
        link(f.outside(u""), f.output(u"shared"));
        ASSERT_TRUE(QDir().mkpath(f.site(u"")));
        link(f.outside(u""), f.site(u"assets"));                     // where the template copy writes
        link(QStringLiteral("../../../outside/sub"), f.site(u"up")); // relative, through the path's odd letters
    }
    static void linksToOutsideFiles(const HostileBuild& f)
    {
        link(f.outside(u"a-page.html"), f.site(u"index.html"));
        link(f.outside(u"a-page.html"), f.site(QString::fromUtf8(kArticles[1].page)));
        link(f.outside(u"bg.jpg"), f.site(u"assets/images/bg.jpg"));
    }
    static void readOnlyFiles(const HostileBuild& f)
    {
        writeFile(f.site(u"index.html"), "old index");
        writeFile(f.output(u"old.txt"), "old");
        setMode(f.site(u"index.html"), fs::perms::owner_read | fs::perms::group_read);
        setMode(f.output(u"old.txt"), fs::perms::none);
    }
    static void readOnlyFolders(const HostileBuild& f)
    {
        writeFile(f.site(u"assets/images/old.jpg"), "old");
        setMode(f.site(u"assets/images/old.jpg"), fs::perms::owner_read);
        setMode(f.site(u"assets/images"), fs::perms::owner_read | fs::perms::owner_exec);
        ASSERT_TRUE(QDir().mkpath(f.output(u"locked/empty")));
        setMode(f.output(u"locked"), fs::perms::owner_read | fs::perms::owner_exec);
        setMode(f.output(u""), fs::perms::owner_read | fs::perms::owner_exec);
    }
    static void oddNames(const HostileBuild& f)
    {
        writeFile(f.site(u"it's \"quoted\" — Ωμέγα 日本 ñ.html"), "odd");
        writeFile(f.output(u"carpeta «x» 語/ünïcödé \\ back slash.txt"), "odd");
        writeFile(f.output(u" leading space and trailing space "), "odd");
        writeFile(f.output(u"line\nbreak"), "odd");
        writeFile(f.output(u".hidden «ñ»"), "odd");
    }
    static void everything(const HostileBuild& f)
    {
        linksToOutsideFolder(f);
        // The copy of "assets" would otherwise go through the link planted above.
        ASSERT_TRUE(QFile::remove(f.site(u"assets")));
        linksToOutsideFiles(f);
        oddNames(f);
        writeFile(f.site(u"assets/images/old.jpg"), "old");
        readOnlyFiles(f);
        readOnlyFolders(f);
    }
};

TEST_P(OutputTraps, OutsideStaysIntactAndTheNewSiteIsComplete)
{
    GetParam().plant(*this);
    if (HasFatalFailure())
        return;
    const auto outsideBefore = treeOf(m_outside);
    ASSERT_EQ(outsideBefore.size(), 4);

    const BuildOutcome outcome = build();

    EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().text, BuildDoneText);
    EXPECT_EQ(treeOf(m_outside), outsideBefore);
    EXPECT_FALSE(QFileInfo(home(u"output")).isSymLink());
    expectCompleteSite();
}

INSTANTIATE_TEST_SUITE_P(Site, OutputTraps,
                         ::testing::Values(TrapCase{"links_to_outside_folder", &OutputTraps::linksToOutsideFolder},
                                           TrapCase{"links_to_outside_files", &OutputTraps::linksToOutsideFiles},
                                           TrapCase{"read_only_files", &OutputTraps::readOnlyFiles},
                                           TrapCase{"read_only_folders", &OutputTraps::readOnlyFolders},
                                           TrapCase{"odd_file_names", &OutputTraps::oddNames},
                                           TrapCase{"everything_at_once", &OutputTraps::everything}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Links inside the template folder ----------------------------------------

struct TemplateLinkCase
{
    const char* name;
    /// Replaces something of template1 by a link to the outside folder.
    void (*plant)(const HostileBuild& fixture);
    /// The start of the one failure the build reports; nullptr: none.
    const char* failure;
};

void PrintTo(const TemplateLinkCase& c, std::ostream* out)
{
    *out << c.name;
}

class TemplateLinks : public HostileBuild, public ::testing::WithParamInterface<TemplateLinkCase>
{
public:
    static void pageNameIsLink(const HostileBuild& f)
    {
        link(f.outside(u"a-page.html"), f.home(u"template1/") + QString::fromUtf8(kArticles[2].page));
    }
    static void backgroundIsLink(const HostileBuild& f)
    {
        ASSERT_TRUE(QFile::remove(f.home(u"template1/assets/images/bg.jpg")));
        link(f.outside(u"bg.jpg"), f.home(u"template1/assets/images/bg.jpg"));
    }
    static void imagesFolderIsLink(const HostileBuild& f)
    {
        ASSERT_TRUE(QDir(f.home(u"template1/assets/images")).removeRecursively());
        link(f.outside(u""), f.home(u"template1/assets/images"));
    }
};

TEST_P(TemplateLinks, TheBuildNeverWritesThroughThem)
{
    const TemplateLinkCase& c = GetParam();
    c.plant(*this);
    if (HasFatalFailure())
        return;
    const auto outsideBefore = treeOf(m_outside);

    const BuildOutcome outcome = build();

    EXPECT_EQ(treeOf(m_outside), outsideBefore);
    for (std::size_t i = 1; i < kArticles.size(); ++i)
        EXPECT_TRUE(isPlainFile(site(QString::fromUtf8(kArticles[i].page)))) << kArticles[i].page;
    if (c.failure == nullptr) {
        EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
        EXPECT_TRUE(isPlainFile(site(u"assets/images/bg.jpg")));
        EXPECT_EQ(readFile(site(u"assets/images/bg.jpg")), m_image);
        return;
    }
    ASSERT_EQ(outcome.failures.size(), 1) << outcome.failures.join(u'\n').toStdString();
    EXPECT_TRUE(outcome.failures.first().startsWith(QString::fromUtf8(c.failure)))
        << outcome.failures.first().toStdString();
    EXPECT_TRUE(outcome.failures.first().contains(u"link")) << outcome.failures.first().toStdString();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().title, BuildFailedTitle);
}

INSTANTIATE_TEST_SUITE_P(
    Site, TemplateLinks,
    ::testing::Values(TemplateLinkCase{"page_name_is_link", &TemplateLinks::pageNameIsLink, nullptr},
                      TemplateLinkCase{"background_is_link", &TemplateLinks::backgroundIsLink, nullptr},
                      TemplateLinkCase{"images_folder_is_link", &TemplateLinks::imagesFolderIsLink,
                                       "The background image could not be copied"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Articles no one would write by hand ------------------------------------

/// Lines of a long article, and the HTML its page shows for each.
const QByteArray kLongLine = "Calm words never end, line after line.\r\n";
const QByteArray kLongLineHtml = "Calm words <b>never</b> end, line after line.<br><br>\n";
constexpr qsizetype kLongLines = 50 * 1024 * 1024 / 40; // 50 MB

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random() & 0xFF);
    return bytes;
}

struct ArticleCase
{
    const char* name;
    QByteArray (*bytes)();
    /// What the article's page shows (its template is "#ARTICLE_CONTENT#")
    /// and the index shows as its summary ("#ARTICLESUMMARY_1#"), both UTF-8.
    /// Null: the text is random; the page then keeps every NUL of the file.
    QByteArray (*page)();
    QByteArray (*summary)();
};

void PrintTo(const ArticleCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileArticle : public HostileBuild, public ::testing::WithParamInterface<ArticleCase>
{
};

TEST_P(HostileArticle, GivesAPageWithTheDecodedText)
{
    const ArticleCase& c = GetParam();
    writeFile(home(u"template1_novideo/index.html"), "#ARTICLESUMMARY_1#");
    writeFile(home(u"template1_novideo/article.html"), "#ARTICLE_CONTENT#");
    const QByteArray bytes = c.bytes();
    writeFile(input.articlePaths[1], bytes);

    const BuildOutcome outcome = build();

    EXPECT_TRUE(outcome.succeeded()) << outcome.failures.join(u'\n').toStdString();
    const QByteArray page = readFile(site(QString::fromUtf8(kArticles[1].page)));
    const QByteArray index = readFile(site(u"index.html"));
    if (c.page != nullptr) {
        const QByteArray expected = c.page();
        EXPECT_TRUE(page == expected) << page.size() << " bytes instead of " << expected.size() << ": "
                                      << page.left(80).toStdString();
        EXPECT_EQ(index.toStdString(), c.summary().toStdString());
    } else {
        EXPECT_GE(page.size(), bytes.size() / 2);
        EXPECT_EQ(page.count('\0'), bytes.count('\0'));
    }
    // The article read last (article #4's) is the one the build leaves loaded.
    EXPECT_EQ(state.articleLoaderText, QString::fromUtf8(kArticleTexts[4]));
}

INSTANTIATE_TEST_SUITE_P(
    Site, HostileArticle,
    ::testing::Values(
        ArticleCase{"empty", []() -> QByteArray { return QByteArray(); }, []() -> QByteArray { return QByteArray(); },
                    []() -> QByteArray { return QByteArray(); }},
        ArticleCase{"binary_with_nul_bytes",
                    []() -> QByteArray { return raw("\0\x01\x02PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xD8.\0tail"); },
                    []() -> QByteArray {
                        return raw("\0\x01\x02PNG<br><br>\n\x1A<br><br>\n\0\0\0<br><br>\nIHDR\xC3\xBF\xC3\x98.\0tail");
                    },
                    []() -> QByteArray { return raw("\0\x01\x02PNG\r\n\x1A\n\0\0\0\rIHDR\xC3\xBF\xC3\x98."); }},
        ArticleCase{"random_binary", []() -> QByteArray { return randomBytes(1 << 20, 7); }, nullptr, nullptr},
        ArticleCase{
            "windows_1252", []() -> QByteArray { return QByteArray("Caf\xE9 \x93quoted\x94 \x80 5.\r\nnever"); },
            []() -> QByteArray {
                return QByteArray("Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC 5.<br><br>\n<b>never</b>");
            },
            []() -> QByteArray { return QByteArray("Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC 5."); }},
        ArticleCase{"utf16_little_endian",
                    []() -> QByteArray {
                        const QString text = QStringLiteral("Ωμέγα 日本語. 😀\nnever");
                        return QByteArray("\xFF\xFE", 2) +
                               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
                    },
                    []() -> QByteArray { return QStringLiteral("Ωμέγα 日本語. 😀<br><br>\n<b>never</b>").toUtf8(); },
                    []() -> QByteArray { return QStringLiteral("Ωμέγα 日本語.").toUtf8(); }},
        ArticleCase{"utf16_big_endian",
                    []() -> QByteArray {
                        QByteArray bytes("\xFE\xFF", 2);
                        for (const QChar c : QStringLiteral("Añ. b")) {
                            bytes += char(c.unicode() >> 8);
                            bytes += char(c.unicode() & 0xFF);
                        }
                        return bytes;
                    },
                    []() -> QByteArray { return QStringLiteral("Añ. b").toUtf8(); },
                    []() -> QByteArray { return QStringLiteral("Añ.").toUtf8(); }},
        ArticleCase{"invalid_utf8",
                    []() -> QByteArray { return QByteArray("ok \xC3\x28 fine. \xED\xA0\x80 \xF8\x88"); },
                    []() -> QByteArray {
                        return QByteArray("ok \xC3\x83( fine. \xC3\xAD\xC2\xA0\xE2\x82\xAC \xC3\xB8\xCB\x86");
                    },
                    []() -> QByteArray { return QByteArray("ok \xC3\x83( fine."); }},
        ArticleCase{"fifty_megabytes", []() -> QByteArray { return kLongLine.repeated(kLongLines); },
                    []() -> QByteArray { return kLongLineHtml.repeated(kLongLines); },
                    []() -> QByteArray { return QByteArray("Calm words never end, line after line."); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Templates no one would write by hand -----------------------------------

/// Five tags, 2,000 times each.
const QByteArray kTagRun = "#SITENAME#|#ARTICLE_TITLE#|#ARTICLELINK_1#|#READMORE#|#ARTICLESUMMARY_2#|";
constexpr int kTagRuns = 2000;
/// Stands for a template of kTagRuns runs of kTagRun.
const char* const kTenThousandTags = "<10,000 tags>";

struct TemplateCase
{
    const char* name;
    const char* indexTemplate;   ///< nullptr: the file is missing
    const char* articleTemplate; ///< likewise
    /// The index page and the page of article #1 a reader expects; empty: not written.
    QByteArray (*index)();
    QByteArray (*page)();
    /// The start of each failure the build reports, in order.
    std::vector<const char*> failures;
};

void PrintTo(const TemplateCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileTemplate : public HostileBuild, public ::testing::WithParamInterface<TemplateCase>
{
protected:
    void writeTemplate(const QString& path, const char* text)
    {
        ASSERT_TRUE(QFile::remove(path));
        if (text != nullptr)
            writeFile(path, text == kTenThousandTags ? kTagRun.repeated(kTagRuns) : QByteArray(text));
    }
};

TEST_P(HostileTemplate, GivesPagesOrSaysWhichFileIsMissing)
{
    const TemplateCase& c = GetParam();
    writeTemplate(home(u"template1_novideo/index.html"), c.indexTemplate);
    writeTemplate(home(u"template1_novideo/article.html"), c.articleTemplate);
    // What an earlier build or another design left loaded must not turn into pages.
    state.templates = {QStringLiteral("stale index #SITENAME#"), QStringLiteral("stale article #SITENAME#")};

    const BuildOutcome outcome = build();

    ASSERT_EQ(outcome.failures.size(), qsizetype(c.failures.size())) << outcome.failures.join(u'\n').toStdString();
    for (std::size_t i = 0; i < c.failures.size(); ++i)
        EXPECT_TRUE(outcome.failures.at(qsizetype(i)).startsWith(QString::fromUtf8(c.failures[i])))
            << outcome.failures.at(qsizetype(i)).toStdString();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages.first().title, c.failures.empty() ? BuildDoneTitle : BuildFailedTitle);
    EXPECT_EQ(readFile(site(u"assets/images/bg.jpg")), m_image);

    const QString index = site(u"index.html");
    const QString page = site(QString::fromUtf8(kArticles[1].page));
    for (const auto& [path, expected] : {std::pair(index, c.index()), std::pair(page, c.page())}) {
        if (expected.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
        } else {
            const QByteArray written = readFile(path);
            EXPECT_TRUE(written == expected) << path.toStdString() << ": " << written.left(200).toStdString();
        }
    }
    if (!c.failures.empty()) {
        // The first failure names the template file that is missing.
        EXPECT_TRUE(outcome.failures.first().contains(c.indexTemplate == nullptr ? u"index.html" : u"article.html"))
            << outcome.failures.first().toStdString();
    }
}

const std::vector<const char*> kNoPages = {
    "The page templates could not be loaded",      "The index page (main article) could not be written",
    "The page of article #1 could not be written", "The page of article #2 could not be written",
    "The page of article #3 could not be written", "The page of article #4 could not be written",
};

INSTANTIATE_TEST_SUITE_P(
    Site, HostileTemplate,
    ::testing::Values(
        TemplateCase{"no_tags",
                     "<p>No tags # here ## #sitename#</p>",
                     "<p>#ARTICLE TITLE#</p>",
                     []() -> QByteArray { return QByteArray("<p>No tags # here ## #sitename#</p>"); },
                     []() -> QByteArray { return QByteArray("<p>#ARTICLE TITLE#</p>"); },
                     {}},
        TemplateCase{"ten_thousand_tags",
                     kTenThousandTags,
                     kTenThousandTags,
                     []() -> QByteArray {
                         return QStringLiteral("Site ñ|Ann's \"best\" Día|Ωμέγα-and-more.html|More|Article two text.|")
                             .toUtf8()
                             .repeated(kTagRuns);
                     },
                     []() -> QByteArray {
                         return QStringLiteral("Site ñ|Ωμέγα And More|日本語-notes.html|More|Article three text.|")
                             .toUtf8()
                             .repeated(kTagRuns);
                     },
                     {}},
        TemplateCase{"missing_index_template", nullptr, "#ARTICLE_TITLE#", []() -> QByteArray { return QByteArray(); },
                     []() -> QByteArray { return QByteArray(); }, kNoPages},
        TemplateCase{"missing_article_template", "#ARTICLE_TITLE#", nullptr,
                     []() -> QByteArray { return QByteArray(); }, []() -> QByteArray { return QByteArray(); },
                     kNoPages}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
