#include "gui/TornelleWindow.h"

#include "GuiTestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvale;
using namespace quorvale::test;

namespace {

class TornelleWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_article = m_dir.filePath(QStringLiteral("articles/dog.txt"));
        writeFile(m_article, "My dog is big, very big.\r\n");
        writeFile(m_dir.filePath(QStringLiteral("install/rwdb.txt")), "{big|large}\n");
        m_window = std::make_unique<TornelleWindow>(m_desktop, m_dir.filePath(QStringLiteral("install")),
                                                    SlotPaths{m_article, QString(), QString(), QString(), QString()});
        m_window->show();
    }

    template <typename T> T* child(const char* name)
    {
        T* widget = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir m_dir;
    QString m_article;
    FakeDesktop m_desktop;
    std::unique_ptr<TornelleWindow> m_window;
};

TEST_F(TornelleWindowTest, LoadRewriteAndSaveThroughTheControls)
{
    auto* convert = child<QPushButton>("vbtnConvert");
    EXPECT_FALSE(child<QRadioButton>("optArticles1")->isEnabled());

    // The real 500 ms timer loads the rules; wait for the label to go away.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->controller().timer1Enabled(); }, 5000));
    EXPECT_TRUE(child<QLabel>("lblRulesStatus")->text().startsWith(QStringLiteral("1 synonym rules loaded")));

    child<QRadioButton>("optArticles0")->click();
    EXPECT_EQ(child<QPlainTextEdit>("txtArticle")->toPlainText(), QStringLiteral("My dog is big, very big.\n"));
    EXPECT_TRUE(convert->isEnabled());

    convert->click();
    ASSERT_EQ(m_desktop.messages.size(), 1u);
    EXPECT_EQ(m_desktop.messages[0].text, QStringLiteral("2 Replacements on 6 words."));
    auto* rewritten = child<QPlainTextEdit>("txtRewritten");
    EXPECT_EQ(rewritten->toPlainText(), QStringLiteral("My dog is large, very large.\n"));
    // The box shows line feeds, but the text saved keeps the article's CR LF.
    EXPECT_EQ(m_window->controller().rewrittenText(), QStringLiteral("My dog is large, very large.\r\n"));

    // The fake desktop answers Yes to the confirmation.
    const auto saved = [this] {
        QFile file(m_article);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    };
    child<QPushButton>("vbtnSave")->click();
    ASSERT_EQ(m_desktop.messages.size(), 3u);
    EXPECT_EQ(m_desktop.messages[2].title, QStringLiteral("File Saved"));
    EXPECT_EQ(saved(), QByteArray("My dog is large, very large.\r\n"));

    // An edit of the result is what gets saved next.
    rewritten->setPlainText(QStringLiteral("My dog is large, very large indeed."));
    child<QPushButton>("vbtnSave")->click();
    EXPECT_EQ(saved(), QByteArray("My dog is large, very large indeed."));
}

} // namespace
