// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainWindow.h"

#include "GuiTestSupport.h"
#include "gui/TornelleWindow.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace quorvale::test {
namespace {

/// A real main window on an installation folder with a picture, templates and
/// sample articles, started on a folder of articles.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkMagenta);
        QDir().mkpath(install(u"/appimages"));
        ASSERT_TRUE(picture.save(install(u"/appimages/Image288.jpg"), "JPG"));
        for (const char* name : {"one.txt", "two.txt", "three.txt", "four.txt", "five.txt"})
            writeFile(install(u"/apparticles/") + QString::fromLatin1(name), "A sample article.");
        writeFile(install(u"/template1/index.html"), "<title>#SITENAME#</title>");
        writeFile(install(u"/template1/article.html"), "<title>#SITENAME#</title>");
        writeFile(install(u"/template1/assets/images/bg.jpg"), jpegBytes("default"));
        writeFile(articles(u"/b.txt"), "B.");
        writeFile(articles(u"/a.txt"), "A.");
        m_window = std::make_unique<MainWindow>(m_desktop, InstallLayout::forHome(install()), articles());
    }

    QString install(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/app") + rest; }
    QString articles(QStringView rest = {}) const { return m_dir.path() + QStringLiteral("/articles") + rest; }
    QPushButton* button(const char* name) const { return child<QPushButton>(*m_window, name); }

    QTemporaryDir m_dir;
    FakeDesktop m_desktop;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, OpensFixedSizeAndItsControlsFollowTheController)
{
    const MainWindow& window = *m_window;
    const QSize expected(qRound(15315 * window.logicalDpiX() / 1440.0), qRound(9420 * window.logicalDpiY() / 1440.0));
    EXPECT_EQ(window.minimumSize(), expected);
    EXPECT_EQ(window.maximumSize(), expected);

    auto* slotLabel = child<QLabel>(window, "lblSelected3");
    EXPECT_EQ(textColour(slotLabel), QColor(255, 0, 0));
    child<QListWidget>(window, "File1")->setCurrentRow(1);
    button("cmdSelectArticle3")->click();
    EXPECT_EQ(slotLabel->text(), QStringLiteral("b.txt"));
    EXPECT_EQ(textColour(slotLabel), QColor(0, 0, 255));
    EXPECT_EQ(button("cmdSelectArticle3")->text(), QStringLiteral("Remove Article ( #3)"));
    EXPECT_EQ(child<QLineEdit>(window, "txtSiteName")->accessibleName(), QStringLiteral("Site Name"));

    // A typed variation is used, but the list keeps its two entries.
    auto* variation = child<QComboBox>(window, "cboVariation");
    QTest::keyClicks(variation->lineEdit(), QStringLiteral("3"));
    QTest::keyClick(variation->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(variation->count(), 2);
    EXPECT_EQ(m_window->controller().variation(), QStringLiteral("13"));
}

TEST_F(MainWindowTest, TornelleOpensOnceAndAgainAfterClosing)
{
    std::vector<SlotPaths> made;
    m_window->setTornelleFactory([&made, this](const SlotPaths& articles) {
        made.push_back(articles);
        return new TornelleWindow(m_desktop, install(u"/rwdb.txt"), m_dir.path(), articles, QRandomGenerator(1));
    });
    child<QListWidget>(*m_window, "File1")->setCurrentRow(0);
    button("cmdSelectArticle0")->click();
    button("Command4")->click();
    QWidget* first = m_window->tornelleWindow();
    button("Command4")->click();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0][0], articles(u"/a.txt"));
    EXPECT_TRUE(first->isVisible());
    // The open window follows the slots.
    button("cmdSelectArticle0")->click();
    EXPECT_FALSE(child<QRadioButton>(*first, "optArticles0")->isEnabled());

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_window->tornelleWindow(), nullptr);
    button("Command4")->click();
    EXPECT_EQ(made.size(), 2u);
    delete m_window->tornelleWindow();
}

TEST_F(MainWindowTest, LoadDummyDataFillsTheWindowAndBuildMinisiteBuildsIt)
{
    button("cmdDummy")->click();
    EXPECT_EQ(child<QLineEdit>(*m_window, "txtSiteName")->text(), QStringLiteral("Depression Fighters"));
    EXPECT_EQ(child<QLabel>(*m_window, "lblSelected4")->text(), QStringLiteral("two.txt"));
    EXPECT_EQ(child<QListWidget>(*m_window, "File2")->currentItem()->text(), QStringLiteral("Image288.jpg"));

    QTest::keyClicks(child<QLineEdit>(*m_window, "txtSiteAddress"), QStringLiteral("https://example.org"));
    EXPECT_FALSE(button("cmdPreviewSite")->isEnabled()) << "nothing built yet";
    button("vbtnLoad")->click();
    ASSERT_EQ(m_desktop.messages.size(), 2);
    EXPECT_TRUE(m_desktop.messages[1].startsWith(u"Done: ")) << m_desktop.messages[1].toStdString();
    EXPECT_EQ(readFile(install(u"/output/template1/index.html")), QByteArray("<title>Depression Fighters</title>"));
    EXPECT_TRUE(
        readFile(install(u"/output/template1/robots.txt")).endsWith("Sitemap: https://example.org/sitemap.xml\n"));
    EXPECT_TRUE(m_window->findChildren<QProgressDialog*>().isEmpty()) << "the copy progress is gone";
    EXPECT_TRUE(button("cmdPreviewSite")->isEnabled());
    EXPECT_EQ(child<QComboBox>(*m_window, "cboRecentFolders")->count(), 1);

    // An article that appears in the folder on show is listed without a refresh.
    writeFile(install(u"/apparticles/six.txt"), "Six.");
    auto* list = child<QListWidget>(*m_window, "File1");
    for (int waited = 0; list->count() < 6 && waited < 5000; waited += 20)
        QTest::qWait(20);
    EXPECT_EQ(list->count(), 6);
    EXPECT_EQ(child<QLabel>(*m_window, "lblFilesFound")->text(), QStringLiteral("6"));
}

// The Site menu's commands work from the keyboard anywhere in the window; the
// title names the site and marks changes, and closing asks before they are lost.
TEST_F(MainWindowTest, SiteCommandsTitleDropsAndTheQuestionBeforeClosing)
{
    m_window->show();
    const QString caption = m_window->controller().caption();
    EXPECT_EQ(m_window->windowTitle(), caption);
    const std::pair<const char*, const char*> shortcuts[] = {
        {"actOpenSite", "Ctrl+O"}, {"actSaveSite", "Ctrl+S"}, {"actSaveSiteAs", "Ctrl+Shift+S"}};
    for (const auto& [name, keys] : shortcuts) {
        auto* action = m_window->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(keys))) << name;
        EXPECT_TRUE(m_window->actions().contains(action)) << name << " works wherever the focus is";
    }

    // An article dropped on a slot's label fills that slot.
    auto* label = child<QLabel>(*m_window, "lblSelected2");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(articles(u"/a.txt"))});
    const QPoint at = label->mapTo(m_window.get(), label->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(label->text(), QStringLiteral("a.txt"));
    EXPECT_EQ(m_window->windowTitle(), u"Untitled Site* \u2014 " + caption);

    // Clear Recent Sites is there once a site is.
    QMenu* recent = nullptr;
    for (QMenu* menu : m_window->findChildren<QMenu*>())
        recent = menu->title() == u"&Recent Sites" ? menu : recent;
    ASSERT_NE(recent, nullptr);
    const auto clearEnabled = [recent] {
        Q_EMIT recent->aboutToShow();
        return recent->actions().last()->isEnabled();
    };
    EXPECT_FALSE(clearEnabled());
    m_desktop.paths = {m_dir.filePath(QStringLiteral("mine"))};
    m_window->findChild<QAction*>(QStringLiteral("actSaveSite"))->trigger();
    EXPECT_EQ(m_window->windowTitle(), u"mine \u2014 " + caption);
    EXPECT_TRUE(clearEnabled());
    // A site file dropped anywhere else is opened, whatever the letter case of its name.
    const QString copy = m_dir.filePath(QStringLiteral("Copy.QUORVALE"));
    ASSERT_TRUE(QFile::copy(m_dir.filePath(QStringLiteral("mine.quorvale")), copy));
    data.setUrls({QUrl::fromLocalFile(copy)});
    QDragEnterEvent enterElsewhere(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &enterElsewhere);
    QDropEvent elsewhere(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &elsewhere);
    EXPECT_EQ(m_window->windowTitle(), u"Copy \u2014 " + caption);
    child<QSpinBox>(*m_window, "spnVersions")->setValue(3);
    EXPECT_EQ(m_window->controller().versions(), 3);
    EXPECT_FALSE(m_window->close()) << "the question is answered with Cancel";
    EXPECT_TRUE(m_desktop.messages.last().startsWith(u"Unsaved Changes: Save the changes to the site \"Copy\" "));
    EXPECT_TRUE(m_window->isVisible());
}

} // namespace
} // namespace quorvale::test
