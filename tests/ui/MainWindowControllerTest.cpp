// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindowController.h"

#include "FakeHosts.h"
#include "ui/Pause.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QSettings>
#include <QUrl>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <optional>

namespace quorvale::test {
namespace {

using Field = MainWindowController::SiteField;

/// An installation folder with templates, images and sample articles, a
/// folder of articles to browse, and a controller started on that folder.
class MainWindowControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writeFile(install(u"/template1/index.html"), "<h1>#SITENAME#</h1>");
        writeFile(install(u"/template1/article.html"), "<h1>#ARTICLE_TITLE#</h1>");
        writeFile(install(u"/template1/assets/images/bg.jpg"), jpegBytes("default"));
        for (const char* name : {"b.jpg", "a.jpg"})
            writeFile(install(u"/appimages/") + QString::fromLatin1(name), jpegBytes(name));
        // Only *.txt files count, in any letter case; not hidden files, not folders, not other types.
        for (const char* name : {"b.txt", "A.txt", "c.TXT", "notes.md", ".hidden.txt"})
            writeFile(articles(u"/") + QString::fromLatin1(name), "Some text. More text.");
        QDir().mkpath(articles(u"/sub/deeper"));
        QDir().mkpath(articles(u"/folder.txt"));
        writeFile(articles(u"/sub/x.txt"), "In a sub-folder.");
    }

    MainWindowController& start(std::optional<InstallLayout> layout = std::nullopt)
    {
        m_window = std::make_unique<MainWindowController>(
            m_hosts, m_hosts, layout ? *layout : InstallLayout::forHome(install()), articles());
        m_window->start();
        return *m_window;
    }

    /// Where an installed program in bin/ finds its data.
    QString install(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/share/quorvale") + rest; }
    QString articles(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/articles") + rest; }

    /// Selects @p name in the article list and presses the button of slot @p index.
    void fillSlot(int index, const QString& name)
    {
        ASSERT_TRUE(m_window->selectFile(int(m_window->files().indexOf(name)))) << name.toStdString();
        m_window->toggleSlot(index);
    }

    QTemporaryDir m_dir;
    FakeHosts m_hosts;
    std::unique_ptr<MainWindowController> m_window;
};

TEST_F(MainWindowControllerTest, StartUpSetsCaptionsListsAndFirstImage)
{
    MainWindowController& window = start();
    EXPECT_EQ(window.files(), (QStringList{u"A.txt"_qs, u"b.txt"_qs, u"c.TXT"_qs}));
    EXPECT_EQ(window.filesFound(), QStringLiteral("3"));
    EXPECT_EQ(window.previewPath(), install(u"/appimages/a.jpg"));

    ASSERT_TRUE(window.selectFile(1));
    ASSERT_TRUE(window.setFolder(articles(u"/sub/deeper/..")));
    EXPECT_EQ(window.folder(), articles(u"/sub")) << "the folder is kept without \"..\"";
    EXPECT_EQ(window.files(), QStringList{u"x.txt"_qs});
    EXPECT_EQ(window.filesFound(), QStringLiteral("1"));
    EXPECT_EQ(window.fileIndex(), -1) << "a new folder starts without a selection";
    EXPECT_TRUE(m_hosts.messages.empty());
}

TEST_F(MainWindowControllerTest, PicturesFromAnywhereAndFromTheUsersImagesFolder)
{
    // Installed where it cannot write: the user's images folder is listed before the shipped pictures.
    const QString user = m_dir.path() + QStringLiteral("/user");
    writeFile(user + QStringLiteral("/images/0-mine.png"), jpegBytes("mine"));
    MainWindowController& window = start(InstallLayout::forExecutable(m_dir.path() + QStringLiteral("/bin"), user,
                                                                      {m_dir.path()}));
    EXPECT_EQ(window.images(), (QStringList{u"0-mine.png"_qs, u"a.jpg"_qs, u"b.jpg"_qs}));
    EXPECT_EQ(window.imageFolder(), user + QStringLiteral("/images"));

    m_hosts.chosenFile = writeFile(articles(u"/photo.webp"), jpegBytes("photo"));
    window.chooseImage();
    EXPECT_TRUE(window.useImage(articles(u"/./photo.webp"))) << "the same file is listed once";
    EXPECT_EQ(window.images(), (QStringList{u"photo.webp"_qs, u"0-mine.png"_qs, u"a.jpg"_qs, u"b.jpg"_qs}));
    EXPECT_EQ(window.selectedImagePath(), articles(u"/photo.webp"));
    EXPECT_FALSE(window.useImage(writeFile(articles(u"/text.png"), "text")));
    EXPECT_TRUE(m_hosts.messages.back().text.startsWith(u"The file \"" + articles(u"/text.png") +
                                                        u"\" cannot be used as a background: it is not a picture"));
    EXPECT_EQ(window.images().size(), 4);
}

TEST_F(MainWindowControllerTest, SiteFolderPreviewRecentFoldersAndAddress)
{
    QSettings settings(m_dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    MainWindowController& window = start();
    window.setSettings(&settings);
    window.previewSite();
    EXPECT_TRUE(m_hosts.messages.back().text.startsWith(u"No site has been built yet."));
    EXPECT_EQ(window.siteFolder(), install(u"/output/template1"));
    for (int i = 0; i < 5; ++i)
        fillSlot(i, QStringLiteral("b.txt"));
    window.setSiteText(Field::VideoId, QStringLiteral("abcdef"));
    window.buildSite();
    ASSERT_TRUE(window.siteBuilt()) << m_hosts.messages.back().text.toStdString();
    window.previewSite();
    EXPECT_EQ(m_hosts.folders.last(), QUrl::fromLocalFile(install(u"/output/template1/index.html")).toString());
    m_hosts.desktopOpens = false;
    window.previewSite();
    EXPECT_TRUE(m_hosts.messages.back().text.endsWith(install(u"/output/template1/index.html")));

    // The last eight folders articles come from are remembered, across runs too, and take the browser back.
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(window.setFolder(QFileInfo(writeFile(articles(u"/r%1/x.txt").arg(i), "X.")).path()));
        fillSlot(0, QStringLiteral("x.txt"));
        fillSlot(0, QStringLiteral("x.txt"));
    }
    EXPECT_EQ(window.recentFolders().size(), 8);
    EXPECT_EQ(window.recentFolders().last(), articles(u"/r0")) << "the folder of the built site's articles is gone";
    MainWindowController& again = start();
    again.setSettings(&settings);
    again.openRecentFolder(1);
    EXPECT_EQ(again.folder(), articles(u"/r6"));

    for (const auto& [typed, shown] : {std::pair{u"www.example.com", u"https://www.example.com/"},
                                       {u"example.com/blog/", u"https://example.com/blog/"},
                                       {u"ftp://example.com", u"ftp://example.com"}, {u"localhost", u"localhost"}}) {
        again.setSiteText(Field::SiteUrl, QString::fromUtf16(typed));
        again.completeSiteAddress();
        EXPECT_EQ(again.siteInfo().siteUrl, QString::fromUtf16(shown));
    }
}

TEST_F(MainWindowControllerTest, SlotButtonsToggleCaptionsColoursAndPaths)
{
    MainWindowController& window = start();
    const ArticleSlot& main = window.slot(0);
    window.toggleSlot(3);
    EXPECT_EQ(m_hosts.messages.at(0).text, QStringLiteral("Please select an article."));
    ASSERT_TRUE(window.setFolder(articles(u"/sub")));
    fillSlot(0, QStringLiteral("x.txt"));
    fillSlot(3, QStringLiteral("x.txt"));
    EXPECT_EQ(main.colour, 0x0000ffu);
    EXPECT_EQ(window.slot(3).buttonCaption, QStringLiteral("Remove Article ( #3)"));
    EXPECT_EQ(window.slotPaths(), (SlotPaths{articles(u"/sub/x.txt"), {}, {}, articles(u"/sub/x.txt"), {}}));
    // A filled slot empties even without a selected article; the main slot's caption is worded anew.
    ASSERT_TRUE(window.setFolder(articles()));
    window.toggleSlot(0);
    EXPECT_EQ(main.displayText, QStringLiteral("Not Selected"));
    EXPECT_EQ(main.colour, 0xff0000u);
    EXPECT_EQ(main.buttonCaption, QStringLiteral("Use Current Article For Main Article"));
    EXPECT_EQ(m_hosts.messages.size(), 1u);
}

TEST_F(MainWindowControllerTest, ImagesPreviewAndRefreshKeepsTheSelection)
{
    writeFile(install(u"/appimages/c-broken.jpg"), "not a picture");
    MainWindowController& window = start();
    ASSERT_TRUE(window.selectImage(1));
    ASSERT_TRUE(window.selectImage(2));
    EXPECT_EQ(window.previewPath(), install(u"/appimages/b.jpg")) << "an undecodable image keeps the preview";
    EXPECT_FALSE(window.selectImage(3));

    ASSERT_TRUE(window.selectImage(1));
    writeFile(install(u"/appimages/0-new.jpg"), jpegBytes("new"));
    window.refreshImages();
    EXPECT_EQ(window.images().first(), QStringLiteral("0-new.jpg"));
    EXPECT_EQ(window.selectedImageName(), QStringLiteral("b.jpg"));
}

TEST_F(MainWindowControllerTest, OpenOutputFolderWarnsFirstThenOpensTheVariationsFolder)
{
    MainWindowController& window = start();
    window.setVariation(QStringLiteral("2"));
    window.openOutputFolder();
    // Nothing has been built: the path is passed all the same.
    EXPECT_EQ(m_hosts.titles(), QStringList{u"Important"_qs});
    EXPECT_EQ(m_hosts.folders, QStringList{install(u"/output/template2/")});

    // Without a file manager, the message says where the folder is.
    m_hosts.desktopOpens = false;
    window.openImagesFolder();
    EXPECT_TRUE(m_hosts.messages.back().text.endsWith(u'\n' + install(u"/appimages")));

    window.setVariation(QStringLiteral("../.."));
    window.openOutputFolder();
    EXPECT_EQ(m_hosts.titles().last(), QStringLiteral("Error"));
    EXPECT_EQ(m_hosts.folders.size(), 2);
}

class DemoDataTest : public MainWindowControllerTest
{
protected:
    void SetUp() override
    {
        MainWindowControllerTest::SetUp();
        for (const char* name : {"f6.txt", "e5.txt", "D4.txt", "c3.txt", "b2.txt", "a1.txt"})
            writeFile(install(u"/apparticles/") + QString::fromLatin1(name), "Sample text.");
        for (const char* name : {"Image101.jpg", "Image288.jpg", "Image300.jpg"})
            writeFile(install(u"/appimages/") + QString::fromLatin1(name), jpegBytes(name));
    }

    /// @p names: the sample article of each slot separated by spaces, "-" for an empty slot.
    void expectSlots(const QString& names) const
    {
        const QStringList files = names.split(u' ');
        for (int i = 0; i < MainWindowController::SlotCount; ++i)
            EXPECT_EQ(m_window->slot(i).path, files.at(i) == u"-" ? QString() : install(u"/apparticles/") + files.at(i))
                << "slot " << i;
    }
};

TEST_F(DemoDataTest, FillsTextsSlotsAndBackgroundAndASecondPressEmptiesTheSlots)
{
    MainWindowController& window = start();
    window.setSiteText(Field::ButtonUrl, QStringLiteral("https://example.org/"));
    fillSlot(2, QStringLiteral("A.txt"));

    window.loadDemoData();

    EXPECT_EQ(window.siteText(Field::VideoId), QStringLiteral("fWFuQR_Wt4M"));
    EXPECT_EQ(window.siteText(Field::ButtonUrl), QStringLiteral("https://example.org/")) << "not a demo field";
    // A slot filled before is emptied by its button press.
    expectSlots(QStringLiteral("a1.txt b2.txt - D4.txt e5.txt"));
    EXPECT_EQ(window.previewPath(), install(u"/appimages/Image288.jpg"));
    EXPECT_EQ(m_hosts.pauses, (std::vector<int>{2, 1, 1, 1, 1, 1}));
    EXPECT_EQ(m_hosts.titles(), (QStringList{u"Unsaved Changes"_qs, u"Done"_qs})) << "what was typed is asked about";
    window.loadDemoData();
    expectSlots(QStringLiteral("- - c3.txt - -"));
}

TEST_F(DemoDataTest, ASystemWideInstallationBuildsAndOpensTheSiteInTheUserFolder)
{
    const QString user = m_dir.path() + QStringLiteral("/user");
    MainWindowController& window =
        start(InstallLayout::forExecutable(m_dir.path() + QStringLiteral("/bin"), user, {m_dir.path()}));
    window.loadDemoData();
    window.buildSite();
    EXPECT_EQ(m_hosts.messages.back().title, QStringLiteral("Done")) << m_hosts.messages.back().text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(user + QStringLiteral("/output/template1/index.html")));
    EXPECT_FALSE(QFileInfo::exists(install(u"/output")));
    window.openOutputFolder();
    EXPECT_EQ(m_hosts.folders, QStringList{user + QStringLiteral("/output/template1/")});
}

TEST_F(DemoDataTest, IncompleteSampleDataFillsWhatItCanAndReportsEveryGap)
{
    for (const char* name :
         {"apparticles/f6.txt", "apparticles/e5.txt", "apparticles/D4.txt", "appimages/Image288.jpg"})
        ASSERT_TRUE(QFile::remove(install(u"/") + QString::fromLatin1(name))) << name;
    start().loadDemoData();
    expectSlots(QStringLiteral("a1.txt b2.txt c3.txt c3.txt c3.txt"));
    EXPECT_EQ(m_window->selectedImageName(), QStringLiteral("Image300.jpg"));
    ASSERT_EQ(m_hosts.titles(), QStringList{u"Demo data incomplete"_qs}) << "no \"Please select an article.\"";
    const QString report = m_hosts.messages[0].text;
    EXPECT_TRUE(report.contains(QStringLiteral("holds 3 article files"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Image288.jpg is not in"))) << report.toStdString();
}

TEST_F(MainWindowControllerTest, BuildShowsWhatIsMissingOrHowItWent)
{
    MainWindowController& window = start();
    for (int i : {0, 1, 3, 4})
        fillSlot(i, QStringLiteral("b.txt"));
    window.setSiteText(Field::VideoId, QStringLiteral("abcdef"));
    window.buildSite();
    fillSlot(2, QStringLiteral("A.txt"));
    QDir(install(u"/appimages")).removeRecursively();
    window.refreshImages();
    window.buildSite();
    EXPECT_EQ(m_hosts.titles(), (QStringList{u"Missing Info"_qs, u"Error"_qs}));
    EXPECT_EQ(m_hosts.messages[0].text, QStringLiteral("You need to select more articles for your mini site."));
    EXPECT_EQ(m_hosts.messages[1].text, QStringLiteral("Please select a background."));

    // A background no one can decode is refused before anything is touched.
    writeFile(install(u"/appimages/bg.jpg"), "not a picture");
    window.refreshImages();
    ASSERT_TRUE(window.selectImage(0));
    window.buildSite();
    EXPECT_TRUE(m_hosts.messages.back().text.contains(u"- The background \"" + install(u"/appimages/bg.jpg") +
                                                      u"\" cannot be used: it is not a picture"));
    writeFile(install(u"/appimages/bg.jpg"), jpegBytes("now a picture"));
    window.buildSite();
    EXPECT_EQ(m_hosts.messages.back().text,
              QStringLiteral("Done! Process complete. Click the 'Open Output Folder' to see the mini site"));
    EXPECT_EQ(readFile(install(u"/output/template1/b.html")), QByteArray("<h1>B</h1>"));

    // A build that cannot succeed says why; so does one that finds another at work.
    ASSERT_TRUE(QFile::remove(articles(u"/A.txt")));
    window.buildSite();
    EXPECT_TRUE(m_hosts.messages.back().text.startsWith(
        u"The site was not built and nothing was changed:\n\n- Cannot read \"" + articles(u"/A.txt")));
    writeFile(articles(u"/A.txt"), "Back.");
    QLockFile other(install(u"/output.lock"));
    ASSERT_TRUE(other.lock());
    window.buildSite();
    EXPECT_EQ(m_hosts.messages.back().text,
              QStringLiteral("Another build is writing this site. Try again when it has finished."));
}

// A site saved, changed and opened again: the title's mark follows the changes,
// and a question comes before any can be lost.
TEST_F(MainWindowControllerTest, ASiteIsSavedAndOpenedWithEveryChoice)
{
    MainWindowController& window = start();
    const QString caption = window.caption();
    EXPECT_EQ(window.windowTitle(), caption);
    for (int i = 0; i < MainWindowController::SlotCount; ++i)
        fillSlot(i, i % 2 ? QStringLiteral("b.txt") : QStringLiteral("A.txt"));
    window.setSiteText(Field::SiteName, QStringLiteral("Calm"));
    window.setVersions(4);
    EXPECT_EQ(window.windowTitle(), u"Untitled Site* \u2014 " + caption);
    m_hosts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(window.mayClose());
    EXPECT_EQ(m_hosts.titles(), QStringList{u"Unsaved Changes"_qs});

    m_hosts.paths = {articles(u"/calm")};
    EXPECT_TRUE(window.saveSite());
    EXPECT_EQ(window.siteFile(), articles(u"/calm.quorvale"));
    EXPECT_EQ(window.windowTitle(), u"calm \u2014 " + caption);
    EXPECT_EQ(window.siteFolder(), articles(u"/calm-site"));
    EXPECT_EQ(window.recentSites(), QStringList{articles(u"/calm.quorvale")});
    EXPECT_TRUE(window.mayClose());

    FakeHosts secondHosts;
    MainWindowController second(secondHosts, secondHosts, InstallLayout::forHome(install()), articles());
    second.start();
    EXPECT_TRUE(second.openSiteFile(articles(u"/calm.quorvale")));
    EXPECT_TRUE(second.project() == window.project());
    EXPECT_EQ(second.windowTitle(), u"calm \u2014 " + caption);
    // Two windows on one site: the one that saves second is warned.
    second.setSiteText(Field::SiteName, QStringLiteral("Calm, second"));
    window.setSiteText(Field::SiteName, QStringLiteral("Calm, first"));
    EXPECT_TRUE(window.saveSite());
    secondHosts.answers = {MessageAnswer::No};
    EXPECT_FALSE(second.saveSite());
    EXPECT_EQ(secondHosts.titles().last(), QStringLiteral("Site File Changed"));
    // A file that is no site is refused, and the window keeps what it holds; so does Cancel.
    EXPECT_FALSE(second.openSiteFile(articles(u"/A.txt")));
    secondHosts.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(second.openSiteFile(articles(u"/calm.quorvale")));
    EXPECT_EQ(second.siteText(Field::SiteName), QStringLiteral("Calm, second"));
    // Saving over a file that is no site asks first.
    secondHosts.paths = {articles(u"/b.txt")};
    secondHosts.answers = {MessageAnswer::No};
    EXPECT_FALSE(second.saveSiteAs());
    EXPECT_EQ(readFile(articles(u"/b.txt")), QByteArray("Some text. More text."));
}

TEST_F(MainWindowControllerTest, MissingFilesAreMarkedAndStopTheBuild)
{
    MainWindowController& window = start();
    for (int i = 0; i < MainWindowController::SlotCount; ++i)
        fillSlot(i, QStringLiteral("b.txt"));
    m_hosts.paths = {articles(u"/site.quorvale")};
    ASSERT_TRUE(window.saveSite());
    ASSERT_TRUE(QFile::remove(articles(u"/b.txt")));
    ASSERT_TRUE(QFile::remove(install(u"/appimages/a.jpg")));
    m_hosts.messages.clear();
    ASSERT_TRUE(window.openSiteFile(articles(u"/site.quorvale")));
    EXPECT_EQ(window.slot(2).displayText, QStringLiteral("b.txt (missing)"));
    EXPECT_EQ(window.slot(2).path, articles(u"/b.txt")) << "kept, not emptied";
    EXPECT_EQ(window.missingBackground(), install(u"/appimages/a.jpg"));
    EXPECT_FALSE(window.modified());
    window.buildSite();
    EXPECT_EQ(m_hosts.titles(), (QStringList{u"Missing Files"_qs, u"Missing Files"_qs}));
    EXPECT_FALSE(QFileInfo::exists(articles(u"/site-site")));

    // The recent entry of a file that is gone may be removed.
    ASSERT_TRUE(QFile::rename(articles(u"/site.quorvale"), articles(u"/moved.quorvale")));
    window.openRecentSite(articles(u"/site.quorvale"));
    EXPECT_EQ(window.recentSites(), QStringList());
}

TEST_F(MainWindowControllerTest, OutputFolderVersionsAndDrops)
{
    MainWindowController& window = start();
    int folderChanges = 0;
    QObject::connect(&window, &MainWindowController::siteFolderChanged, [&folderChanges] { ++folderChanges; });
    window.dropArticles(3, {articles(u"/A.txt"), articles(u"/b.txt"), articles(u"/c.TXT")});
    EXPECT_EQ(window.slot(4).path, articles(u"/b.txt"));
    window.dropArticles(0, {articles(u"/sub")});
    EXPECT_TRUE(m_hosts.messages.back().text.endsWith(u"sub\" cannot be an article: it is a folder, not a file."));
    for (int i : {0, 1, 2})
        fillSlot(i, QStringLiteral("c.TXT"));
    m_hosts.paths = {articles(), articles(u"/out")};
    window.chooseOutputFolder();
    EXPECT_TRUE(m_hosts.messages.back().text.contains(u"holds files that are not a site Quorvale built"));
    QDir().mkpath(articles(u"/out"));
    window.chooseOutputFolder();
    EXPECT_EQ(window.siteFolder(), articles(u"/out"));
    EXPECT_EQ(folderChanges, 1);

    writeFile(install(u"/rwdb.txt"), "{text|words}\n");
    window.setSiteText(Field::VideoId, QStringLiteral("abcdef"));
    window.setVersions(2);
    window.buildSite();
    ASSERT_EQ(m_hosts.reports.size(), 1u) << m_hosts.messages.back().text.toStdString();
    EXPECT_TRUE(m_hosts.messages.back().text.startsWith(u"Done! 2 versions of the site were built into "));
    EXPECT_TRUE(QFileInfo::exists(articles(u"/out/02/index.html")));
    m_hosts.cancelVersions = true;
    window.buildSite();
    EXPECT_EQ(m_hosts.titles().last(), QStringLiteral("Cancelled"));
    window.openOutputFolder();
    EXPECT_EQ(m_hosts.folders.last(), articles(u"/out/"));
}

TEST(Pause, KeepsEventsFlowing)
{
    int argc = 1;
    char name[] = "ui_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    bool fired = false;
    QTimer::singleShot(0, &app, [&fired] { fired = true; });
    pause(1);
    EXPECT_TRUE(fired);
}

} // namespace
} // namespace quorvale::test
