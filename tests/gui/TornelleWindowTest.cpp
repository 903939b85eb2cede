#include "gui/TornelleWindow.h"

#include "GuiTestSupport.h"
#include "components/Spinner.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace quorvale::test {
namespace {

TEST(TornelleWindowTest, LoadRewriteAndSaveThroughTheControlsKeepCrLf)
{
    QTemporaryDir dir;
    const QString article = writeFile(dir.filePath(QStringLiteral("dog.txt")), "My dog is big, very big.\r\n");
    FakeDesktop desktop;
    TornelleWindow window(
        desktop, writeFile(dir.filePath(QStringLiteral("rwdb.txt")), "{big|large}\n"),
        SlotPaths{article, dir.filePath(QStringLiteral("gone.txt")), QString(), QString(), QString()},
        [](const QString& text, std::vector<SpunGroup>* groups) { return Spinner(1).spin(text, groups); });
    window.show();
    EXPECT_FALSE(child<QRadioButton>(window, "optArticles2")->isEnabled());
    // The real 500 ms timer loads the rules.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.controller().loadingTimerEnabled(); }, 5000));
    EXPECT_TRUE(child<QLabel>(window, "lblRulesStatus")->text().startsWith(QStringLiteral("1 synonym rules loaded")));

    // Ticked by any means (here as a screen reader's toggle would), an option loads its article; one that
    // cannot be read gives the tick back.
    child<QRadioButton>(window, "optArticles0")->setChecked(true);
    auto* box = child<QPlainTextEdit>(window, "txtArticle");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("My dog is big, very big.\n"));
    child<QRadioButton>(window, "optArticles1")->setChecked(true);
    EXPECT_TRUE(child<QRadioButton>(window, "optArticles0")->isChecked());
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Article"));
    EXPECT_TRUE(box->tabChangesFocus());
    child<QPushButton>(window, "vbtnConvert")->click();
    auto* rewritten = child<QPlainTextEdit>(window, "txtRewritten");
    EXPECT_EQ(rewritten->toPlainText(), QStringLiteral("My dog is large, very large.\n"));
    EXPECT_EQ(child<QLabel>(window, "lblChanges")->text(),
              QStringLiteral("33% of words changed \u00B7 about 1 possible wordings"));
    ASSERT_EQ(rewritten->extraSelections().size(), 2);
    EXPECT_EQ(rewritten->extraSelections()[1].cursor.selectedText(), QStringLiteral("large"));
    // The box shows line feeds, but the text saved keeps the article's CR LF.
    child<QPushButton>(window, "vbtnSave")->click();
    EXPECT_EQ(readFile(article), QByteArray("My dog is large, very large.\r\n"));
    // An edit of the result is what gets saved next.
    rewritten->setPlainText(QStringLiteral("My dog is large, very large indeed."));
    child<QPushButton>(window, "vbtnSave")->click();
    EXPECT_EQ(readFile(article), QByteArray("My dog is large, very large indeed."));
    EXPECT_EQ(desktop.messages.last(), QStringLiteral("File Saved: Done!"));
    EXPECT_TRUE(desktop.messages[0].contains(u"gone.txt"));
}

} // namespace
} // namespace quorvale::test
