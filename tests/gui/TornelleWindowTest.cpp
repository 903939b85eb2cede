// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TornelleWindow.h"

#include "GuiTestSupport.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace quorvale::test {
namespace {

TEST(TornelleWindowTest, LoadRewriteAndSaveThroughTheControlsKeepCrLf)
{
    QTemporaryDir dir;
    const QString article = writeFile(dir.filePath(QStringLiteral("dog.txt")), "My dog is big, very big.\r\n");
    FakeDesktop desktop;
    TornelleWindow window(desktop, writeFile(dir.filePath(QStringLiteral("rwdb.txt")), "{big|large}\n"),
                          dir.filePath(QStringLiteral("user")),
                          SlotPaths{article, dir.filePath(QStringLiteral("gone.txt")), QString(), QString(), QString()},
                          QRandomGenerator(1));
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
    EXPECT_FALSE(child<QPushButton>(window, "saveAs")->isEnabled()) << "nothing rewritten yet";
    child<QPushButton>(window, "vbtnConvert")->click();
    EXPECT_TRUE(child<QPushButton>(window, "saveAs")->isEnabled());
    auto* rewritten = child<QPlainTextEdit>(window, "txtRewritten");
    EXPECT_EQ(rewritten->toPlainText(), QStringLiteral("My dog is large, very large.\n"));
    EXPECT_EQ(child<QLabel>(window, "lblChanges")->toolTip(),
              QStringLiteral("2 words changed (33%) \u00B7 0% of 5-word phrases as in the original \u00B7 about 1 "
                             "possible wording"));
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

TEST(TornelleWindowTest, ChangeMenusByClickOrKeysWithUndoAndEveryButtonByKeyboard)
{
    QTemporaryDir dir;
    FakeDesktop desktop;
    TornelleWindow window(desktop, writeFile(dir.filePath(QStringLiteral("rwdb.txt")), "{big|large|huge}\n"),
                          dir.filePath(QStringLiteral("user")),
                          SlotPaths{writeFile(dir.filePath(QStringLiteral("a.txt")), "A big dog, a big cat."),
                                    QString(), QString(), QString(), QString()},
                          QRandomGenerator(1));
    window.show();
    while (window.controller().loadingTimerEnabled())
        window.controller().loadingTick();
    child<QRadioButton>(window, "optArticles0")->click();
    // The button that opened the "Done" box has the focus back, though it was disabled meanwhile.
    auto* rewrite = child<QPushButton>(window, "vbtnConvert");
    rewrite->setFocus();
    rewrite->click();
    EXPECT_EQ(window.focusWidget(), rewrite);

    // A click on a highlighted word opens its menu: the other words, the current one ticked, the article's own.
    auto* box = child<QPlainTextEdit>(window, "txtRewritten");
    ASSERT_EQ(window.controller().changedRanges().size(), 2u);
    QTextCursor at(box->document());
    at.setPosition(int(window.controller().changedRanges()[0].first) + 1);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->cursorRect(at).center());
    QMenu* menu = window.changeMenu();
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text() + (action->isChecked() ? u" *" : u"");
    EXPECT_EQ(items.size(), 4);
    EXPECT_EQ(items.filter(u" *").size(), 1);
    EXPECT_EQ(items.mid(2), (QStringList{u"Keep original\tbig"_qs, u"Never Replace This"_qs}));
    menu->actions()[3]->trigger(); // Keep original
    EXPECT_EQ(box->toPlainText().left(6), QStringLiteral("A big "));
    EXPECT_EQ(box->extraSelections().size(), 1);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->extraSelections().size(), 2);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box->toPlainText().left(6), QStringLiteral("A big "));
    // Shift+F10 with the caret on a word the rewrite replaced opens its menu, highlighted or not.
    menu->close();
    at.setPosition(3);
    box->setTextCursor(at);
    QTest::keyClick(box, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NE(window.changeMenu(), nullptr);
    EXPECT_TRUE(window.changeMenu()->isVisible());
    window.changeMenu()->close();
    // Typing inside a highlighted word makes it plain text.
    at.setPosition(int(window.controller().changedRanges()[0].first) + 2);
    box->setTextCursor(at);
    QTest::keyClick(box, Qt::Key_X);
    EXPECT_EQ(box->extraSelections().size(), 0);

    // Every button is reached by Tab, named for a screen reader and has its own mnemonic.
    QSet<QChar> mnemonics;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
        EXPECT_FALSE(button->accessibleName().isEmpty() && button->text().isEmpty());
        const qsizetype mark = button->text().indexOf(u'&');
        ASSERT_GE(mark, 0) << button->text().toStdString();
        EXPECT_FALSE(mnemonics.contains(button->text()[mark + 1].toLower())) << button->text().toStdString();
        mnemonics.insert(button->text()[mark + 1].toLower());
    }
    EXPECT_EQ(mnemonics.size(), 13);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace quorvale::test
