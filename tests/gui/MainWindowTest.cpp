#include "gui/MainWindow.h"

#include "GuiTestSupport.h"
#include "gui/InstructionsDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace quorvale::test {
namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

/// A real main window on an installation folder with pictures and sample
/// articles, started on a folder of articles.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writePicture(install(u"/appimages/Image101.jpg"), Qt::darkCyan);
        writePicture(install(u"/appimages/Image288.jpg"), Qt::darkMagenta);
        writeFile(install(u"/appimages/Image300.jpg"), "not a picture");
        for (const char* name : {"one.txt", "two.txt", "three.txt", "four.txt", "five.txt"})
            writeFile(install(u"/apparticles/") + QString::fromLatin1(name), "A sample article.");
        writeFile(articles(u"/b.txt"), "B.");
        writeFile(articles(u"/a.txt"), "A.");
        writeFile(articles(u"/sub/c.txt"), "C.");
        m_window = std::make_unique<MainWindow>(m_desktop, install(), articles());
    }

    void TearDown() override
    {
        if (QWidget* tornelle = m_window->tornelleWindow())
            delete tornelle;
    }

    QString install(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/app") + rest; }
    QString articles(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/articles") + rest; }

    template <typename T> T* child(const char* name) const
    {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QLabel* label(const char* name) const { return child<QLabel>(name); }

    QTemporaryDir m_dir;
    FakeDesktop m_desktop;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, OpensFixedSizeWithItsCaptionsAndDefaults)
{
    MainWindow& window = *m_window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvale 1.0.6  PRO "));
    EXPECT_EQ(label("lblAppName")->text(), QStringLiteral("Quorvale PRO "));
    const QSize expected(qRound(15315 * window.logicalDpiX() / 1440.0), qRound(9420 * window.logicalDpiY() / 1440.0));
    EXPECT_EQ(window.size(), expected);
    EXPECT_EQ(window.minimumSize(), expected);
    EXPECT_EQ(window.maximumSize(), expected);
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(button("Command4")->isHidden());
    EXPECT_EQ(label("lblFilesFound")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>("txtAdTitle")->text(), QStringLiteral("Learn How to YXZ."));
    EXPECT_EQ(child<QComboBox>("cboVariation")->currentText(), QStringLiteral("1"));
    for (int i = 0; i < frmMass::SlotCount; ++i) {
        const QLabel* slotLabel = label(QStringLiteral("lblSelected%1").arg(i).toLatin1().constData());
        EXPECT_EQ(slotLabel->text(), QStringLiteral("Not Selected"));
        EXPECT_EQ(textColour(slotLabel), Red);
    }
}

TEST_F(MainWindowTest, SlotButtonsToggleLabelCaptionAndColour)
{
    QListWidget* file1 = child<QListWidget>("File1");
    QPushButton* slot3 = button("cmdSelectArticle3");
    QLabel* label3 = label("lblSelected3");

    slot3->click();
    ASSERT_EQ(m_desktop.messages.size(), 1u);
    EXPECT_EQ(m_desktop.messages[0].text, QStringLiteral("Please select an article."));
    EXPECT_EQ(label3->text(), QStringLiteral("Not Selected"));

    file1->setCurrentRow(1);
    slot3->click();
    EXPECT_EQ(label3->text(), QStringLiteral("b.txt"));
    EXPECT_EQ(textColour(label3), Blue);
    EXPECT_EQ(slot3->text(), QStringLiteral("Remove Article ( #3)"));
    EXPECT_EQ(m_window->controller().slot(3).path, articles(u"/b.txt"));

    slot3->click();
    EXPECT_EQ(label3->text(), QStringLiteral("Not Selected"));
    EXPECT_EQ(textColour(label3), Red);
    EXPECT_EQ(slot3->text(), QStringLiteral("Use Current Article as Article #3"));
    EXPECT_EQ(m_desktop.messages.size(), 1u);
}

TEST_F(MainWindowTest, FolderListOpensSubFoldersAndGoesUpWithTheKeyboard)
{
    QTreeWidget* dir1 = child<QTreeWidget>("Dir1");
    QListWidget* file1 = child<QListWidget>("File1");
    const auto findItem = [dir1](const QString& text) {
        const auto items = dir1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return items.isEmpty() ? nullptr : items.first();
    };
    QTreeWidgetItem* sub = findItem(QStringLiteral("sub"));
    ASSERT_NE(sub, nullptr);

    dir1->setCurrentItem(sub);
    QTest::keyClick(dir1, Qt::Key_Return);

    EXPECT_EQ(m_window->controller().folder(), articles(u"/sub"));
    ASSERT_EQ(file1->count(), 1);
    EXPECT_EQ(file1->item(0)->text(), QStringLiteral("c.txt"));
    EXPECT_EQ(label("lblFilesFound")->text(), QStringLiteral("1"));

    QTest::keyClick(dir1, Qt::Key_Backspace);

    EXPECT_EQ(m_window->controller().folder(), articles());
    EXPECT_EQ(label("lblFilesFound")->text(), QStringLiteral("2"));
}

TEST_F(MainWindowTest, PreviewShowsPicturesAndKeepsThePreviousForAnUndecodableFile)
{
    QListWidget* file2 = child<QListWidget>("File2");
    QLabel* image1 = label("Image1");
    ASSERT_EQ(file2->count(), 3);

    file2->setCurrentRow(1);
    const QImage shown = image1->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), image1->contentsRect().size());
    EXPECT_NEAR(shown.pixelColor(shown.width() / 2, shown.height() / 2).red(), QColor(Qt::darkMagenta).red(), 8);

    file2->setCurrentRow(2);

    EXPECT_EQ(image1->pixmap().toImage(), shown);
    EXPECT_EQ(m_window->controller().selectedImageName(), QStringLiteral("Image300.jpg"));
}

TEST_F(MainWindowTest, TornelleOpensOnceAndAgainAfterClosing)
{
    std::vector<SlotPaths> made;
    m_window->setTornelleFactory([&made](const SlotPaths& articles) {
        made.push_back(articles);
        return new QWidget;
    });
    child<QListWidget>("File1")->setCurrentRow(0);
    button("cmdSelectArticle0")->click();

    button("Command4")->click();
    QWidget* first = m_window->tornelleWindow();
    button("Command4")->click();

    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0][0], articles(u"/a.txt"));
    EXPECT_EQ(m_window->tornelleWindow(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parent(), nullptr) << "it may outlive the main window";

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_window->tornelleWindow(), nullptr);
    button("Command4")->click();

    EXPECT_EQ(made.size(), 2u);
    EXPECT_NE(m_window->tornelleWindow(), nullptr);
}

TEST_F(MainWindowTest, FolderCommandsOpenTheOutputAndImageFolders)
{
    QComboBox* variation = child<QComboBox>("cboVariation");
    variation->setCurrentIndex(1);

    button("Command1")->click();
    button("Command3")->click();

    ASSERT_EQ(m_desktop.messages.size(), 1u);
    EXPECT_EQ(m_desktop.messages[0].title, QStringLiteral("Important"));
    ASSERT_EQ(m_desktop.urls.size(), 2u);
    EXPECT_EQ(m_desktop.urls[0], QUrl::fromLocalFile(install(u"/output/template2/")));
    EXPECT_EQ(m_desktop.urls[1], QUrl::fromLocalFile(install(u"/appimages")));
}

TEST_F(MainWindowTest, RefreshLinkRereadsTheImageFolder)
{
    QLabel* refresh = label("Label28");
    writePicture(install(u"/appimages/Image000.jpg"), Qt::yellow);

    QTest::mouseClick(refresh, Qt::LeftButton);

    QListWidget* file2 = child<QListWidget>("File2");
    ASSERT_EQ(file2->count(), 4);
    EXPECT_EQ(file2->item(0)->text(), QStringLiteral("Image000.jpg"));
    EXPECT_EQ(file2->currentItem()->text(), QStringLiteral("Image101.jpg")) << "the selection stays";
}

TEST_F(MainWindowTest, TypedTextsReachTheController)
{
    QLineEdit* siteName = child<QLineEdit>("txtSiteName");
    QTest::keyClicks(siteName, QStringLiteral("My Site"));
    QComboBox* variation = child<QComboBox>("cboVariation");
    variation->lineEdit()->selectAll();
    QTest::keyClicks(variation->lineEdit(), QStringLiteral("7"));

    EXPECT_EQ(m_window->controller().siteInfo().siteName, QStringLiteral("My Site"));
    EXPECT_EQ(m_window->controller().variation(), QStringLiteral("7"));
}

TEST_F(MainWindowTest, LoadDummyDataFillsTheWindowAndBuildMinisiteBuildsIt)
{
    writeFile(install(u"/template1/index.html"), "<title>#SITENAME#</title>");
    writeFile(install(u"/template1/article.html"), "<title>#SITENAME#</title>");
    writeFile(install(u"/template1/assets/images/bg.jpg"), "default");

    button("cmdDummy")->click();

    EXPECT_EQ(child<QLineEdit>("txtSiteName")->text(), QStringLiteral("Depression Fighters"));
    EXPECT_EQ(child<QLineEdit>("txtVideoUrl")->text(), QStringLiteral("fWFuQR_Wt4M"));
    for (int i = 0; i < frmMass::SlotCount; ++i)
        EXPECT_EQ(textColour(label(QStringLiteral("lblSelected%1").arg(i).toLatin1().constData())), Blue) << i;
    EXPECT_EQ(child<QListWidget>("File2")->currentItem()->text(), QStringLiteral("Image288.jpg"));
    ASSERT_EQ(m_desktop.messages.size(), 1u);
    EXPECT_EQ(m_desktop.messages[0].title, QStringLiteral("Done"));

    button("vbtnLoad")->click();

    ASSERT_EQ(m_desktop.messages.size(), 2u);
    EXPECT_EQ(m_desktop.messages[1].title, QStringLiteral("Done")) << m_desktop.messages[1].text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(install(u"/output/template1/index.html")));
    EXPECT_TRUE(m_window->findChildren<QProgressDialog*>().isEmpty()) << "the copy progress is gone";
}

TEST_F(MainWindowTest, CloseClosesTheWindow)
{
    m_window->show();
    button("Command2")->click();
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(MainWindowTest, InstructionsLinkShowsTheInstructionsModally)
{
    QString title;
    m_desktop.onDialog = [&title](QDialog& dialog) {
        title = dialog.windowTitle();
        EXPECT_NE(qobject_cast<InstructionsDialog*>(&dialog), nullptr);
    };
    QTest::mouseClick(label("lblInstructions"), Qt::LeftButton);

    EXPECT_EQ(m_desktop.dialogs, 1);
    EXPECT_EQ(title, QStringLiteral("Quick Instructions"));
}

} // namespace
} // namespace quorvale::test
