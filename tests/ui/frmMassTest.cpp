#include "ui/frmMass.h"

#include "MassTestSupport.h"

#include <memory>

namespace quorvale::test {
namespace {

using Field = frmMass::SiteField;

const QString NotSelected = QStringLiteral("Not Selected");

/// An installation folder with templates, images and sample articles, a
/// folder of articles to browse, and a controller started on that folder.
class MassTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // Templates: the flavours differ so that tests can tell which one was loaded.
        writeFile(install(u"/template1/index.html"), "<h1>#SITENAME#</h1>VIDEO");
        writeFile(install(u"/template1/article.html"), "<h1>#SITENAME#</h1>");
        writeFile(install(u"/template1/assets/images/bg.jpg"), jpegBytes("default"));
        writeFile(install(u"/template1_novideo/index.html"), "<h1>#SITENAME#</h1>NOVIDEO");
        writeFile(install(u"/template1_novideo/article.html"), "<h1>#SITENAME#</h1>");
        for (const char* name : {"b.jpg", "a.jpg"})
            writeFile(install(u"/appimages/") + QString::fromLatin1(name), jpegBytes(name));
        // Articles to browse: only *.txt files count, in any letter case; not
        // hidden files, not folders, not other types.
        for (const char* name : {"b.txt", "A.txt", "c.TXT", "notes.md", ".hidden.txt"})
            writeFile(articles(u"/") + QString::fromLatin1(name), "Some text. More text.");
        QDir().mkpath(articles(u"/sub/deeper"));
        QDir().mkpath(articles(u"/folder.txt"));
        writeFile(articles(u"/sub/x.txt"), "In a sub-folder.");
    }

    frmMass& start()
    {
        m_mass = std::make_unique<frmMass>(m_host, install(), articles(), nullptr);
        m_mass->Form_Load();
        return *m_mass;
    }

    QString install(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/app") + rest; }
    QString articles(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/articles") + rest; }

    /// Selects @p name in the article list of the current folder.
    void selectArticle(const QString& name)
    {
        const int index = int(m_mass->files().indexOf(name));
        ASSERT_GE(index, 0) << name.toStdString();
        ASSERT_TRUE(m_mass->selectFile(index));
    }

    /// Selects @p name and presses the button of slot @p index.
    void fillSlot(int index, const QString& name)
    {
        selectArticle(name);
        m_mass->cmdSelectArticle_Click(index);
    }

    QTemporaryDir m_dir;
    FakeMassHost m_host;
    std::unique_ptr<frmMass> m_mass;
};

// Start-up ------------------------------------------------------------------

TEST_F(MassTest, StartUpSetsCaptionsListsAndFirstImage)
{
    frmMass& mass = start();

    EXPECT_EQ(mass.caption(), QStringLiteral("Quorvale 1.0.6  PRO "));
    EXPECT_EQ(mass.appName(), QStringLiteral("Quorvale PRO "));
    // Only *.txt files in any letter case, sorted by name.
    EXPECT_EQ(mass.files(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c.TXT")}));
    EXPECT_EQ(mass.filesFound(), QStringLiteral("3"));
    // The video id is empty at start-up: the no-video templates are loaded.
    EXPECT_EQ(mass.workState().templates.indexTemplate, QStringLiteral("<h1>#SITENAME#</h1>NOVIDEO"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("a.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/a.jpg"));
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(MassTest, ChangingFolderUpdatesListAndCount)
{
    frmMass& mass = start();
    QStringList counts;
    QObject::connect(&mass, &frmMass::filesFoundChanged, [&counts](const QString& count) { counts << count; });
    selectArticle(QStringLiteral("b.txt"));

    ASSERT_TRUE(mass.setFolder(articles(u"/sub/deeper")));
    EXPECT_EQ(counts, QStringList{QStringLiteral("0")});
    ASSERT_TRUE(mass.setFolder(articles(u"/sub/deeper/..")));
    EXPECT_EQ(mass.files(), QStringList{QStringLiteral("x.txt")});
    EXPECT_EQ(counts.last(), QStringLiteral("1"));
    EXPECT_EQ(mass.folder(), articles(u"/sub")) << "the folder is kept without \"..\"";
    EXPECT_EQ(mass.fileIndex(), -1) << "a new folder starts without a selection";
}

// Slots and their toggle captions -------------------------------------------

TEST_F(MassTest, SlotButtonsToggleCaptionsColoursAndPaths)
{
    frmMass& mass = start();
    std::vector<int> changed;
    QObject::connect(&mass, &frmMass::slotChanged, [&changed](int index) { changed.push_back(index); });
    const ArticleSlot& main = mass.slot(0);
    EXPECT_EQ(main.buttonCaption, QStringLiteral("Use Selected Article as the Main Article"));

    mass.cmdSelectArticle_Click(3);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("Please select an article."));
    EXPECT_TRUE(changed.empty());

    ASSERT_TRUE(mass.setFolder(articles(u"/sub")));
    fillSlot(0, QStringLiteral("x.txt"));
    fillSlot(3, QStringLiteral("x.txt"));
    EXPECT_EQ(main.displayText, QStringLiteral("x.txt"));
    EXPECT_EQ(main.colour, 0x0000ffu);
    EXPECT_EQ(main.buttonCaption, QStringLiteral("Remove Article (Main Article)"));
    EXPECT_EQ(mass.slot(3).buttonCaption, QStringLiteral("Remove Article ( #3)"));
    EXPECT_EQ(mass.slotPaths(), (SlotPaths{articles(u"/sub/x.txt"), {}, {}, articles(u"/sub/x.txt"), {}}));

    // A filled slot empties even without a selected article.
    ASSERT_TRUE(mass.setFolder(articles()));
    mass.cmdSelectArticle_Click(0);
    mass.cmdSelectArticle_Click(3);
    EXPECT_EQ(main.displayText, NotSelected);
    EXPECT_EQ(main.colour, 0xff0000u);
    EXPECT_TRUE(main.path.isEmpty());
    EXPECT_EQ(main.buttonCaption, QStringLiteral("Use Current Article For Main Article"));
    EXPECT_EQ(mass.slot(3).buttonCaption, QStringLiteral("Use Current Article as Article #3"));
    EXPECT_EQ(changed, (std::vector<int>{0, 3, 0, 3}));
    EXPECT_EQ(m_host.messages.size(), 1u);
}

// Image selection, preview and refresh --------------------------------------

TEST_F(MassTest, ImagesShowTheirPreviewAndRefreshKeepsTheSelection)
{
    writeFile(install(u"/appimages/c-broken.jpg"), "not a picture");
    frmMass& mass = start();

    ASSERT_TRUE(mass.selectImage(1));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/b.jpg"));
    ASSERT_TRUE(mass.selectImage(2));
    EXPECT_EQ(m_host.pictures.last(), install(u"/appimages/c-broken.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/b.jpg")) << "an undecodable image keeps the preview";
    EXPECT_FALSE(mass.selectImage(3));

    ASSERT_TRUE(mass.selectImage(1));
    writeFile(install(u"/appimages/0-new.jpg"), jpegBytes("new"));
    mass.Label28_Click();
    EXPECT_EQ(mass.images().first(), QStringLiteral("0-new.jpg"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("b.jpg"));
}

TEST_F(MassTest, OpenOutputFolderWarnsFirstThenOpensTheVariationsFolder)
{
    frmMass& mass = start();
    mass.setVariation(QStringLiteral("2"));

    mass.Command1_Click();

    // Nothing has been built: the path is passed all the same.
    EXPECT_EQ(m_host.log, (QStringList{QStringLiteral("message:Important"),
                                       QStringLiteral("folder:") + install(u"/output/template2/")}));
    EXPECT_TRUE(m_host.messages.back().text.startsWith(QStringLiteral("Instructions: Copy all the files")));
}

// Demo data -----------------------------------------------------------------

class DemoDataTest : public MassTest
{
protected:
    void SetUp() override
    {
        MassTest::SetUp();
        for (const char* name : {"f6.txt", "e5.txt", "D4.txt", "c3.txt", "b2.txt", "a1.txt"})
            writeFile(install(u"/apparticles/") + QString::fromLatin1(name), "Sample text.");
        for (const char* name : {"Image101.jpg", "Image288.jpg", "Image300.jpg"})
            writeFile(install(u"/appimages/") + QString::fromLatin1(name), jpegBytes(name));
    }

    /// @p names: the sample article of each slot separated by spaces, "-" for an empty slot.
    void expectSlots(const QString& names) const
    {
        const QStringList files = names.split(u' ');
        ASSERT_EQ(files.size(), frmMass::SlotCount);
        for (int i = 0; i < frmMass::SlotCount; ++i)
            EXPECT_EQ(m_mass->slot(i).path, files.at(i) == u"-" ? QString() : install(u"/apparticles/") + files.at(i))
                << "slot " << i;
    }
};

TEST_F(DemoDataTest, OnePressFillsTextsSlotsAndBackgroundASecondEmptiesTheSlots)
{
    frmMass& mass = start();
    mass.setSiteText(Field::ButtonUrl, QStringLiteral("https://example.org/"));

    mass.cmdDummy_Click();

    EXPECT_EQ(mass.siteText(Field::SiteName), QStringLiteral("Depression Fighters"));
    EXPECT_EQ(mass.siteText(Field::VideoId), QStringLiteral("fWFuQR_Wt4M"));
    EXPECT_EQ(mass.siteText(Field::ButtonUrl), QStringLiteral("https://example.org/")) << "not a demo field";
    expectSlots(QStringLiteral("a1.txt b2.txt c3.txt D4.txt e5.txt"));
    EXPECT_EQ(mass.filesFound(), QStringLiteral("6"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/Image288.jpg"));
    EXPECT_EQ(m_host.pauses, (std::vector<int>{2, 1, 1, 1, 1, 1}));
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("Done! You can now create your mini site."));

    mass.cmdDummy_Click();
    expectSlots(QStringLiteral("- - - - -"));
    EXPECT_EQ(mass.slot(0).buttonCaption, QStringLiteral("Use Current Article For Main Article"));
    EXPECT_EQ(mass.siteText(Field::SiteName), QStringLiteral("Depression Fighters"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("Image288.jpg"));
}

TEST_F(DemoDataTest, APrefilledSlotTwoIsEmptied)
{
    frmMass& mass = start();
    fillSlot(2, QStringLiteral("A.txt"));

    mass.cmdDummy_Click();
    expectSlots(QStringLiteral("a1.txt b2.txt - D4.txt e5.txt"));
}

TEST_F(DemoDataTest, IncompleteSampleDataFillsWhatItCanAndReportsEveryGap)
{
    for (const char* name :
         {"apparticles/f6.txt", "apparticles/e5.txt", "apparticles/D4.txt", "appimages/Image288.jpg"})
        ASSERT_TRUE(QFile::remove(install(u"/") + QString::fromLatin1(name))) << name;
    frmMass& mass = start();
    selectArticle(QStringLiteral("A.txt"));

    mass.cmdDummy_Click();

    expectSlots(QStringLiteral("a1.txt b2.txt c3.txt c3.txt c3.txt"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("Image300.jpg"));
    ASSERT_EQ(m_host.messages.size(), 1u) << "no \"Please select an article.\" for each slot";
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Demo data incomplete"));
    const QString report = m_host.messages[0].text;
    EXPECT_TRUE(report.contains(QStringLiteral("holds 3 article files"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Image288.jpg is not in"))) << report.toStdString();
}

// The build -------------------------------------------------------------------

TEST_F(MassTest, TheBuildsTwoValidationMessagesStopItBeforeTheOutputIsTouched)
{
    writeFile(install(u"/output/keep.txt"), "from an earlier build");
    frmMass& mass = start();
    for (int i : {0, 1, 3, 4})
        fillSlot(i, QStringLiteral("b.txt"));
    mass.setSiteText(Field::VideoId, QStringLiteral(" "));

    mass.vbtnLoad_Click();

    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("You need to select more articles for your mini site."));
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Missing Info"));
    EXPECT_EQ(mass.workState().templates.indexTemplate, QStringLiteral("<h1>#SITENAME#</h1>NOVIDEO"))
        << "the templates are not reloaded";

    fillSlot(2, QStringLiteral("A.txt"));
    QDir(install(u"/appimages")).removeRecursively();
    mass.Label28_Click();
    mass.vbtnLoad_Click();

    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_EQ(m_host.messages[1].text, QStringLiteral("Please select a background."));
    EXPECT_EQ(mass.workState().templates.indexTemplate, QStringLiteral("<h1>#SITENAME#</h1>VIDEO"));
    EXPECT_TRUE(QFileInfo::exists(install(u"/output/keep.txt")));
}

} // namespace
} // namespace quorvale::test
