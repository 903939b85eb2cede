#include "ui/frmMass.h"

#include "MassTestSupport.h"

#include <QStorageInfo>
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
    QString noSuchDrive() const { return m_dir.path() + QStringLiteral("/no-such-drive"); }

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

    void fillAllSlots()
    {
        for (int i = 0; i < frmMass::SlotCount; ++i)
            fillSlot(i, m_mass->files().at(i % m_mass->files().size()));
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
    EXPECT_TRUE(mass.tornelleButtonShown());
    EXPECT_EQ(mass.variations(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(mass.variation(), QStringLiteral("1"));
    // Only *.txt files in any letter case, sorted by name; every sub-folder.
    EXPECT_EQ(mass.folder(), articles());
    EXPECT_EQ(mass.files(), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c.TXT")}));
    EXPECT_EQ(mass.subfolders(), (QStringList{QStringLiteral("folder.txt"), QStringLiteral("sub")}));
    EXPECT_EQ(mass.filesFound(), QStringLiteral("3"));
    EXPECT_EQ(mass.fileIndex(), -1);
    ASSERT_FALSE(mass.drives().isEmpty());
    EXPECT_EQ(mass.drives().first().root, QStringLiteral("/"));
    // The video id is empty at start-up: the no-video templates are loaded.
    EXPECT_EQ(mass.workState().templates.indexTemplate, QStringLiteral("<h1>#SITENAME#</h1>NOVIDEO"));
    EXPECT_EQ(mass.images(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("a.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/a.jpg"));
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(MassTest, StartUpWithoutTemplatesOrImagesOpensQuietly)
{
    QDir(install(u"/template1_novideo")).removeRecursively();
    QDir(install(u"/appimages")).removeRecursively();

    frmMass& mass = start();

    EXPECT_EQ(mass.caption(), QStringLiteral("Quorvale 1.0.6  PRO "));
    EXPECT_TRUE(mass.workState().templates.indexTemplate.isEmpty());
    EXPECT_EQ(mass.imageIndex(), -1);
    EXPECT_TRUE(m_host.pictures.isEmpty());
    EXPECT_TRUE(m_host.messages.empty());
}

// Browsing and the count label --------------------------------------------

TEST_F(MassTest, OpeningFoldersUpdatesListsAndCountAtOnce)
{
    frmMass& mass = start();
    QStringList counts;
    QObject::connect(&mass, &frmMass::filesFoundChanged, [&counts](const QString& count) { counts << count; });
    selectArticle(QStringLiteral("b.txt"));

    const std::tuple<QString, QStringList, QString> steps[] = {
        {articles(u"/sub"), {QStringLiteral("x.txt")}, QStringLiteral("1")},
        {articles(u"/sub/deeper"), {}, QStringLiteral("0")},
        {articles(u"/sub/deeper/.."), {QStringLiteral("x.txt")}, QStringLiteral("1")},
    };
    for (const auto& [folder, files, count] : steps) {
        ASSERT_TRUE(mass.setFolder(folder)) << folder.toStdString();
        EXPECT_EQ(mass.files(), files) << folder.toStdString();
        EXPECT_EQ(mass.filesFound(), count) << folder.toStdString();
        EXPECT_EQ(counts.last(), count);
        EXPECT_EQ(mass.fileIndex(), -1) << "a new folder starts without a selection";
    }
    EXPECT_EQ(mass.folder(), articles(u"/sub")) << "the folder is kept without \"..\"";
    const QStringList chain = mass.folderChain();
    EXPECT_EQ(chain.mid(chain.size() - 2), (QStringList{articles(), articles(u"/sub")}));
    EXPECT_EQ(chain.first(), QStringLiteral("/"));
}

TEST_F(MassTest, AFolderThatCannotBeOpenedChangesNothing)
{
    frmMass& mass = start();
    selectArticle(QStringLiteral("b.txt"));
    int changes = 0;
    QObject::connect(&mass, &frmMass::filesChanged, [&changes] { ++changes; });

    for (const QString& path : {articles(u"/missing"), articles(u"/b.txt"), QString()})
        EXPECT_FALSE(mass.setFolder(path)) << path.toStdString();

    EXPECT_EQ(changes, 0);
    EXPECT_EQ(mass.folder(), articles());
    EXPECT_EQ(mass.selectedFileName(), QStringLiteral("b.txt"));
}

TEST_F(MassTest, AnUnreadableDriveKeepsTheListsAndADriveChosenAgainReturnsToItsLastFolder)
{
    frmMass& mass = start();
    const QString drive = QStorageInfo(articles()).rootPath();
    EXPECT_EQ(mass.drive(), drive);
    ASSERT_TRUE(mass.setFolder(articles(u"/sub")));

    mass.setDrive(noSuchDrive());

    EXPECT_EQ(mass.drive(), noSuchDrive());
    EXPECT_EQ(mass.folder(), articles(u"/sub"));
    EXPECT_EQ(mass.filesFound(), QStringLiteral("1"));

    mass.setDrive(drive);

    EXPECT_EQ(mass.folder(), articles(u"/sub")) << "not the drive's root";
    EXPECT_EQ(mass.files(), QStringList{QStringLiteral("x.txt")});
}

TEST_F(MassTest, RefreshingTheArticleListKeepsTheSelectionAndFindsNewFiles)
{
    frmMass& mass = start();
    selectArticle(QStringLiteral("b.txt"));
    writeFile(articles(u"/0-first.txt"), "New.");

    mass.refreshFiles();

    EXPECT_EQ(mass.files().first(), QStringLiteral("0-first.txt"));
    EXPECT_EQ(mass.selectedFileName(), QStringLiteral("b.txt"));
    EXPECT_FALSE(mass.selectFile(mass.files().size())) << "no such entry";
    EXPECT_EQ(mass.selectedFileName(), QStringLiteral("b.txt"));
}

// Slots and their toggle captions -------------------------------------------

struct SlotCaptions
{
    int index;
    const char* atStartUp;
    const char* filled;
    const char* emptiedAgain;
};

void PrintTo(const SlotCaptions& captions, std::ostream* out)
{
    *out << "slot " << captions.index;
}

class SlotToggleTest : public MassTest, public ::testing::WithParamInterface<SlotCaptions>
{
};

TEST_P(SlotToggleTest, FillsAndEmptiesWithCaptionsAndColours)
{
    const SlotCaptions& captions = GetParam();
    frmMass& mass = start();
    std::vector<int> changed;
    QObject::connect(&mass, &frmMass::slotChanged, [&changed](int index) { changed.push_back(index); });
    const ArticleSlot& slot = mass.slot(captions.index);
    EXPECT_EQ(slot.buttonCaption, QString::fromLatin1(captions.atStartUp));
    EXPECT_EQ(slot.displayText, NotSelected);
    EXPECT_EQ(slot.colour, 0xff0000u);

    ASSERT_TRUE(mass.setFolder(articles(u"/sub")));
    fillSlot(captions.index, QStringLiteral("x.txt"));

    EXPECT_EQ(slot.displayText, QStringLiteral("x.txt"));
    EXPECT_EQ(slot.colour, 0x0000ffu);
    EXPECT_EQ(slot.buttonCaption, QString::fromLatin1(captions.filled));
    EXPECT_EQ(mass.slotPaths()[std::size_t(captions.index)], articles(u"/sub/x.txt"));

    mass.cmdSelectArticle_Click(captions.index);

    EXPECT_EQ(slot.displayText, NotSelected);
    EXPECT_EQ(slot.colour, 0xff0000u);
    EXPECT_TRUE(slot.path.isEmpty());
    EXPECT_EQ(slot.buttonCaption, QString::fromLatin1(captions.emptiedAgain));
    EXPECT_EQ(changed, (std::vector<int>{captions.index, captions.index}));
    EXPECT_TRUE(m_host.messages.empty());
}

const SlotCaptions AllSlotCaptions[] = {
    {0, "Use Selected Article as the Main Article", "Remove Article (Main Article)",
     "Use Current Article For Main Article"},
    {1, "Use Current Article as Article #1", "Remove Article ( #1)", "Use Current Article as Article #1"},
    {2, "Use Current Article as Article #2", "Remove Article ( #2)", "Use Current Article as Article #2"},
    {3, "Use Current Article as Article #3", "Remove Article ( #3)", "Use Current Article as Article #3"},
    {4, "Use Current Article as Article #4", "Remove Article ( #4)", "Use Current Article as Article #4"},
};

INSTANTIATE_TEST_SUITE_P(AllSlots, SlotToggleTest, ::testing::ValuesIn(AllSlotCaptions));

TEST_F(MassTest, FillingWithoutASelectedArticleAsksForOne)
{
    frmMass& mass = start();
    int changes = 0;
    QObject::connect(&mass, &frmMass::slotChanged, [&changes] { ++changes; });

    mass.cmdSelectArticle_Click(3);

    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("Please select an article."));
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(m_host.messages[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(mass.slot(3).filled());
    EXPECT_EQ(changes, 0);
}

TEST_F(MassTest, AFilledSlotSurvivesBrowsingAndEmptiesWithoutASelection)
{
    frmMass& mass = start();
    fillSlot(0, QStringLiteral("A.txt"));
    mass.cmdSelectArticle_Click(1);
    fillSlot(2, QStringLiteral("c.TXT"));

    ASSERT_TRUE(mass.setFolder(articles(u"/sub/deeper")));
    mass.setDrive(noSuchDrive());

    EXPECT_EQ(mass.slotPaths(), (SlotPaths{articles(u"/A.txt"), articles(u"/A.txt"), articles(u"/c.TXT"), {}, {}}))
        << "one article may fill several slots";
    ASSERT_EQ(mass.fileIndex(), -1);

    mass.cmdSelectArticle_Click(2);

    EXPECT_FALSE(mass.slot(2).filled());
    EXPECT_TRUE(m_host.messages.empty());
}

// Image selection and preview --------------------------------------------

TEST_F(MassTest, SelectingAnImageShowsItAndAnUndecodableOneKeepsThePreview)
{
    writeFile(install(u"/appimages/c-broken.jpg"), "not a picture");
    frmMass& mass = start();
    ASSERT_EQ(mass.images().size(), 3);

    ASSERT_TRUE(mass.selectImage(1));
    EXPECT_EQ(m_host.pictures.last(), install(u"/appimages/b.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/b.jpg"));

    ASSERT_TRUE(mass.selectImage(2));
    EXPECT_EQ(m_host.pictures.last(), install(u"/appimages/c-broken.jpg"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("c-broken.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/b.jpg"));

    EXPECT_FALSE(mass.selectImage(3));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("c-broken.jpg"));
}

TEST_F(MassTest, RefreshFindsANewImageAndKeepsTheSelection)
{
    frmMass& mass = start();
    ASSERT_TRUE(mass.selectImage(1));
    const qsizetype shown = m_host.pictures.size();
    writeFile(install(u"/appimages/0-new.jpg"), jpegBytes("new"));

    mass.Label28_Click();

    EXPECT_EQ(mass.images(),
              (QStringList{QStringLiteral("0-new.jpg"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("b.jpg"));
    EXPECT_EQ(m_host.pictures.size(), shown) << "a refresh does not reload the preview";

    QFile::remove(install(u"/appimages/b.jpg"));
    mass.Label28_Click();
    EXPECT_EQ(mass.imageIndex(), -1) << "a vanished image is no longer the background";
}

// The folder commands and the other windows --------------------------------

TEST_F(MassTest, OpenOutputFolderWarnsFirstThenOpensTheVariationsFolder)
{
    frmMass& mass = start();
    mass.setVariation(QStringLiteral("2"));

    mass.Command1_Click();

    // Nothing has been built: the path is passed all the same.
    EXPECT_EQ(m_host.log, (QStringList{QStringLiteral("message:Important"),
                                       QStringLiteral("folder:") + install(u"/output/template2/")}));
    EXPECT_EQ(m_host.messages.back().text,
              QStringLiteral("Instructions: Copy all the files to your website. Please make a backup of these files "
                             "as they will be deleted the next time you make a mini site."));
    EXPECT_EQ(m_host.messages.back().buttons, MessageButtons::Ok);
}

TEST_F(MassTest, ImagesFolderTornelleInstructionsAndCloseGoToTheHost)
{
    frmMass& mass = start();
    fillSlot(0, QStringLiteral("A.txt"));
    fillSlot(2, QStringLiteral("c.TXT"));

    mass.Command3_Click();
    mass.Command4_Click();
    mass.lblInstructions_Click();
    mass.Command2_Click();

    EXPECT_EQ(m_host.folders, QStringList{install(u"/appimages")});
    EXPECT_TRUE(m_host.messages.empty());
    ASSERT_EQ(m_host.tornelle.size(), 1u);
    EXPECT_EQ(m_host.tornelle[0], (SlotPaths{articles(u"/A.txt"), {}, articles(u"/c.TXT"), {}, {}}));
    EXPECT_EQ(m_host.instructions, 1);
    EXPECT_EQ(m_host.closed, 1);
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

TEST_F(DemoDataTest, OnePressFillsTextsSlotsAndBackground)
{
    frmMass& mass = start();
    mass.setSiteText(Field::VideoId, QStringLiteral("old id"));
    mass.setSiteText(Field::ButtonUrl, QStringLiteral("https://example.org/"));

    mass.cmdDummy_Click();

    const std::pair<Field, const char*> texts[] = {
        {Field::SiteHeadline, "Depression Fighters - Get Rid of Depression"},
        {Field::SiteDescription, "Learn How to Get Rid of Depression without Pills!"},
        {Field::SiteName, "Depression Fighters"},
        {Field::VideoId, "fWFuQR_Wt4M"},
        {Field::AdTitle, "Best Program to Get Rid of Depression"},
        {Field::AdDescription, "Solid program with tons of positive reviews."},
        {Field::ButtonText, "Click Here to Access"},
        {Field::FooterText, "Depression Fighters - All Rights Reserved"},
        {Field::ButtonUrl, "https://example.org/"},
        {Field::ReadMoreText, "Read More"},
        {Field::RelatedArticlesText, "Related Articles"},
    };
    for (const auto& [field, text] : texts)
        EXPECT_EQ(mass.siteText(field), QString::fromLatin1(text)) << int(field);
    expectSlots(QStringLiteral("a1.txt b2.txt c3.txt D4.txt e5.txt"));
    EXPECT_EQ(mass.folder(), install(u"/apparticles"));
    EXPECT_EQ(mass.filesFound(), QStringLiteral("6"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("Image288.jpg"));
    EXPECT_EQ(mass.previewPath(), install(u"/appimages/Image288.jpg"));
    EXPECT_EQ(m_host.pauses, (std::vector<int>{2, 1, 1, 1, 1, 1}));
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("Done! You can now create your mini site."));
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Done"));
}

TEST_F(DemoDataTest, SecondPressEmptiesTheSlotsAndKeepsTextsAndBackground)
{
    frmMass& mass = start();
    mass.cmdDummy_Click();

    mass.cmdDummy_Click();

    expectSlots(QStringLiteral("- - - - -"));
    EXPECT_EQ(mass.slot(0).buttonCaption, QStringLiteral("Use Current Article For Main Article"));
    EXPECT_EQ(mass.siteText(Field::SiteName), QStringLiteral("Depression Fighters"));
    EXPECT_EQ(mass.selectedImageName(), QStringLiteral("Image288.jpg"));
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_EQ(m_host.messages[1].title, QStringLiteral("Done"));
}

TEST_F(DemoDataTest, APrefilledSlotTwoIsEmptiedAndTheOthersTakeTheirListItem)
{
    frmMass& mass = start();
    fillSlot(2, QStringLiteral("A.txt"));

    mass.cmdDummy_Click();

    expectSlots(QStringLiteral("a1.txt b2.txt - D4.txt e5.txt"));
}

/// Sample data that is missing or incomplete: what the demo still does, and
/// the report that takes the place of its closing "Done!".
struct IncompleteSample
{
    const char* what;
    const char* removed;   ///< below the installation folder, separated by spaces
    const char* slotFiles; ///< the sample article of each slot, "-" for an empty one
    const char* background;
    const char* reported;
};

void PrintTo(const IncompleteSample& sample, std::ostream* out)
{
    *out << sample.what;
}

const IncompleteSample IncompleteSamples[] = {
    {"NoArticleFolder", "apparticles", "- - - - -", "Image288.jpg", "apparticles cannot be opened"},
    {"ThreeArticles", "apparticles/f6.txt apparticles/e5.txt apparticles/D4.txt", "a1.txt b2.txt c3.txt c3.txt c3.txt",
     "Image288.jpg", "holds 3 article files"},
    {"NoArticles",
     "apparticles/f6.txt apparticles/e5.txt apparticles/D4.txt apparticles/c3.txt apparticles/b2.txt "
     "apparticles/a1.txt",
     "- - - - -", "Image288.jpg", "holds 0 article files"},
    {"NoSampleBackground", "appimages/Image288.jpg", "a1.txt b2.txt c3.txt D4.txt e5.txt", "Image300.jpg",
     "Image288.jpg is not in"},
};

class IncompleteDemoDataTest : public DemoDataTest, public ::testing::WithParamInterface<IncompleteSample>
{
};

TEST_P(IncompleteDemoDataTest, FillsWhatItCanAndReportsWhatIsMissing)
{
    const IncompleteSample& sample = GetParam();
    for (const QString& removed : QString::fromLatin1(sample.removed).split(u' ')) {
        const QString path = install(u"/") + removed;
        ASSERT_TRUE(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path))
            << removed.toStdString();
    }
    frmMass& mass = start();
    selectArticle(QStringLiteral("A.txt"));

    mass.cmdDummy_Click();

    expectSlots(QString::fromLatin1(sample.slotFiles));
    EXPECT_EQ(mass.selectedImageName(), QString::fromLatin1(sample.background));
    ASSERT_EQ(m_host.messages.size(), 1u) << "no \"Please select an article.\" for each slot";
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Demo data incomplete"));
    EXPECT_TRUE(m_host.messages[0].text.contains(QString::fromLatin1(sample.reported)))
        << m_host.messages[0].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, IncompleteDemoDataTest, ::testing::ValuesIn(IncompleteSamples),
                         [](const auto& info) { return std::string(info.param.what); });

// The build -------------------------------------------------------------------

TEST_F(MassTest, TheBuildsTwoValidationMessagesStopItBeforeTheOutputIsTouched)
{
    writeFile(install(u"/output/keep.txt"), "from an earlier build");
    frmMass& mass = start();
    fillAllSlots();
    mass.cmdSelectArticle_Click(2);
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
    EXPECT_EQ(m_host.messages[1].title, QStringLiteral("Error"));
    EXPECT_EQ(mass.workState().templates.indexTemplate, QStringLiteral("<h1>#SITENAME#</h1>VIDEO"));
    EXPECT_TRUE(QFileInfo::exists(install(u"/output/keep.txt")));
}

TEST_F(MassTest, ABuildUsesTheWindowsInputsAndEndsTheProgressBeforeItsMessage)
{
    writeFile(install(u"/output/keep.txt"), "from an earlier build");
    frmMass& mass = start();
    fillAllSlots();
    ASSERT_TRUE(mass.selectImage(1));
    mass.setSiteText(Field::SiteName, QStringLiteral("My <b>Site</b>"));
    mass.setSiteText(Field::VideoId, QStringLiteral("abc"));

    mass.vbtnLoad_Click();

    ASSERT_FALSE(m_host.messages.empty());
    EXPECT_EQ(m_host.messages.back().title, QStringLiteral("Done")) << m_host.messages.back().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(install(u"/output/keep.txt")));
    const QString site = install(u"/output/template1");
    EXPECT_EQ(readFile(site + QStringLiteral("/index.html")), QByteArray("<h1>My <b>Site</b></h1>VIDEO"));
    EXPECT_EQ(readFile(site + QStringLiteral("/assets/images/bg.jpg")), jpegBytes("b.jpg"));
    ASSERT_GE(m_host.log.size(), 3);
    EXPECT_TRUE(m_host.log.first().startsWith(QStringLiteral("progress:")));
    EXPECT_EQ(m_host.log.mid(m_host.log.size() - 2),
              (QStringList{QStringLiteral("copyEnded"), QStringLiteral("message:Done")}));
    EXPECT_EQ(m_host.log.count(QStringLiteral("copyEnded")), 1);
}

} // namespace
} // namespace quorvale::test
