#include "gui/MainWindow.h"

#include "GuiTestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
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
        writePicture(install(u"/appimages/Image288.jpg"), Qt::darkMagenta);
        for (const char* name : {"one.txt", "two.txt", "three.txt", "four.txt", "five.txt"})
            writeFile(install(u"/apparticles/") + QString::fromLatin1(name), "A sample article.");
        writeFile(articles(u"/b.txt"), "B.");
        writeFile(articles(u"/a.txt"), "A.");
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

TEST_F(MainWindowTest, OpensFixedSizeAndASlotButtonTogglesLabelCaptionAndColour)
{
    MainWindow& window = *m_window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvale 1.0.6  PRO "));
    const QSize expected(qRound(15315 * window.logicalDpiX() / 1440.0), qRound(9420 * window.logicalDpiY() / 1440.0));
    EXPECT_EQ(window.size(), expected);
    EXPECT_EQ(window.minimumSize(), expected);
    EXPECT_EQ(window.maximumSize(), expected);
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    QPushButton* slot3 = button("cmdSelectArticle3");
    QLabel* label3 = label("lblSelected3");
    EXPECT_EQ(textColour(label3), Red);

    child<QListWidget>("File1")->setCurrentRow(1);
    slot3->click();
    EXPECT_EQ(label3->text(), QStringLiteral("b.txt"));
    EXPECT_EQ(textColour(label3), Blue);
    EXPECT_EQ(slot3->text(), QStringLiteral("Remove Article ( #3)"));

    slot3->click();
    EXPECT_EQ(label3->text(), QStringLiteral("Not Selected"));
    EXPECT_EQ(textColour(label3), Red);
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

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_window->tornelleWindow(), nullptr);
    button("Command4")->click();
    EXPECT_EQ(made.size(), 2u);
}

TEST_F(MainWindowTest, LoadDummyDataFillsTheWindowAndBuildMinisiteBuildsIt)
{
    writeFile(install(u"/template1/index.html"), "<title>#SITENAME#</title>");
    writeFile(install(u"/template1/article.html"), "<title>#SITENAME#</title>");
    writeFile(install(u"/template1/assets/images/bg.jpg"), "default");

    button("cmdDummy")->click();

    EXPECT_EQ(child<QLineEdit>("txtSiteName")->text(), QStringLiteral("Depression Fighters"));
    for (int i = 0; i < frmMass::SlotCount; ++i)
        EXPECT_EQ(textColour(label(QStringLiteral("lblSelected%1").arg(i).toLatin1().constData())), Blue) << i;
    EXPECT_EQ(child<QListWidget>("File2")->currentItem()->text(), QStringLiteral("Image288.jpg"));
    ASSERT_EQ(m_desktop.messages.size(), 1u);

    button("vbtnLoad")->click();

    ASSERT_EQ(m_desktop.messages.size(), 2u);
    EXPECT_EQ(m_desktop.messages[1].title, QStringLiteral("Done")) << m_desktop.messages[1].text.toStdString();
    QFile index(install(u"/output/template1/index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    EXPECT_EQ(index.readAll(), QByteArray("<title>Depression Fighters</title>"));
    EXPECT_TRUE(m_window->findChildren<QProgressDialog*>().isEmpty()) << "the copy progress is gone";
}

} // namespace
} // namespace quorvale::test
