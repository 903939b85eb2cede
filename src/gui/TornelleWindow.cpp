// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TornelleWindow.h"

#include "gui/Desktop.h"
#include "gui/Twips.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

namespace quorvale {

namespace {

constexpr int LeftTwips = 240;
constexpr int BoxHeightTwips = 3015;
constexpr int RewrittenWidthTwips = 11670;
/// The article box and the "Please Wait" label end this far inside the window's right edge.
constexpr int RightMarginTwips = 700;
constexpr int PleaseWaitWidthTwips = 3735;
/// Between two buttons of a row.
constexpr int GapTwips = 90;

QFont boldFont(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

/// The keys every text box of the window shares: Tab and Shift+Tab leave it, as in any form; Ctrl+Tab types a tab.
bool typedTab(QPlainTextEdit& box, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Tab || event->modifiers() != Qt::ControlModifier)
        return false;
    box.insertPlainText(QStringLiteral("\t"));
    return true;
}

class TextBox : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!typedTab(*this, event))
            QPlainTextEdit::keyPressEvent(event);
    }
};

void setUpTextBox(QPlainTextEdit* box, const QString& name, const QString& label)
{
    box->setObjectName(name);
    box->setAccessibleName(label);
    box->setTabChangesFocus(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    box->setFont(font);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent, bool bold = false)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    if (bold)
        button->setFont(boldFont(button));
    // The caption without its mnemonic mark and the dots that promise a dialog.
    button->setAccessibleName(QString(text).remove(u'&').remove(u'\u2026'));
    return button;
}

bool isUndo(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Undo);
}

bool isRedo(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Redo) ||
           event->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace

/// The rewritten box: a click on a highlighted word, or the context-menu key
/// or Shift+F10 with the caret on any word a rewrite replaced, opens the
/// word's change menu; undo and redo are the controller's.
class RewrittenBox : public QPlainTextEdit
{
public:
    explicit RewrittenBox(TornelleWindow& window) : QPlainTextEdit(&window), m_window(window)
    {
        // Undo covers the choices of the change menus too, so the controller keeps it, typing included.
        setUndoRedoEnabled(false);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (isUndo(key) || isRedo(key)) {
                event->accept();
                return true;
            }
        }
        return QPlainTextEdit::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (isUndo(event)) {
            m_window.m_controller.undo();
        } else if (isRedo(event)) {
            m_window.m_controller.redo();
        } else if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
            const QPoint at = cursorRect().center();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
            contextMenuEvent(&menu);
        } else if (!typedTab(*this, event)) {
            QPlainTextEdit::keyPressEvent(event);
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QPlainTextEdit::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton || textCursor().hasSelection())
            return;
        const int spot = m_window.m_controller.spotAt(unitAt(event->position().toPoint()));
        if (spot >= 0 && m_window.m_controller.spotChanged(spot))
            m_window.openChangeMenu(spot, event->globalPosition().toPoint());
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        const TornelleController& controller = m_window.m_controller;
        int spot = -1;
        QPoint at = event->globalPos();
        if (event->reason() == QContextMenuEvent::Keyboard) {
            // The caret on a word or right after it.
            const int caret = textCursor().position();
            spot = controller.spotAt(caret) >= 0 ? controller.spotAt(caret) : controller.spotAt(caret - 1);
            at = viewport()->mapToGlobal(cursorRect().bottomLeft());
        } else {
            spot = controller.spotAt(unitAt(event->pos()));
        }
        if (spot >= 0) {
            m_window.openChangeMenu(spot, at);
            return;
        }
        QMenu* menu = createStandardContextMenu(event->pos());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The box's own undo is off: these are the window's.
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions)
            if (action->objectName() == u"edit-undo" || action->objectName() == u"edit-redo")
                menu->removeAction(action);
        QAction* first = menu->actions().value(0);
        QAction* undo = new QAction(QStringLiteral("&Undo"), menu);
        undo->setShortcut(QKeySequence::Undo);
        undo->setEnabled(controller.canUndo());
        connect(undo, &QAction::triggered, &m_window.m_controller, &TornelleController::undo);
        QAction* redo = new QAction(QStringLiteral("&Redo"), menu);
        redo->setShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z));
        redo->setEnabled(controller.canRedo());
        connect(redo, &QAction::triggered, &m_window.m_controller, &TornelleController::redo);
        menu->insertActions(first, {undo, redo});
        menu->insertSeparator(first);
        menu->popup(event->globalPos());
    }

private:
    /// The unit of the text under @p point of the viewport.
    qsizetype unitAt(const QPoint& point) const
    {
        const QTextCursor cursor = cursorForPosition(point);
        return point.x() < cursorRect(cursor).x() ? cursor.position() - 1 : cursor.position();
    }

    TornelleWindow& m_window;
};

TornelleWindow::TornelleWindow(Desktop& desktop, const QString& rulesPath, const QString& userFolder,
                               const SlotPaths& articles, QRandomGenerator random, QWidget* parent)
    : QWidget(parent), m_desktop(desktop), m_ui(desktop, this),
      m_controller(m_ui, *this, rulesPath, userFolder, articles, random)
{
    setWindowTitle(QStringLiteral("Tornelle"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(palette);

    createControls();
    connectControls();
    connectController();
    m_loadingTimer.setInterval(TornelleController::LoadingIntervalMs);
    m_blinkTimer.setInterval(TornelleController::BlinkIntervalMs);
    connect(&m_loadingTimer, &QTimer::timeout, &m_controller, &TornelleController::loadingTick);
    connect(&m_blinkTimer, &QTimer::timeout, &m_controller, &TornelleController::blinkTick);

    m_rewrite->setEnabled(m_controller.rewriteEnabled());
    showArticles();
    showCommands();
    refreshPleaseWait();
    refreshTimers();
    resize(twipsToPixels(SizeTwips, *this));
}

void TornelleWindow::createControls()
{
    m_selectLabel = new QLabel(QStringLiteral("Select an Article:"), this);
    m_selectLabel->setFont(boldFont(m_selectLabel));
    m_articlesHint = new QLabel(this);
    m_articlesHint->setObjectName(QStringLiteral("lblArticlesHint"));
    m_optionGroup = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_options[i] = new QRadioButton(QStringLiteral("Article &") + QString::number(i + 1), this);
        m_options[i]->setObjectName(QStringLiteral("optArticles") + QString::number(i));
        m_optionGroup->addButton(m_options[i], i);
    }
    m_articleLabel = new QLabel(QStringLiteral("Article"), this);
    m_articleLabel->setFont(boldFont(m_articleLabel));
    m_rewrite = makeButton(QStringLiteral("&Rewrite"), QStringLiteral("vbtnConvert"), this, true);
    m_spinAgain = makeButton(QStringLiteral("S&pin Again"), QStringLiteral("spinAgain"), this);
    m_spinAgain->setToolTip(QStringLiteral("Another wording of the same rewrite; the words you chose stay."));
    m_pleaseWait = new QLabel(QStringLiteral("Please Wait"), this);
    m_pleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    m_pleaseWait->setFont(boldFont(m_pleaseWait));
    m_pleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pleaseWait->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    m_article = new TextBox(this);
    setUpTextBox(m_article, QStringLiteral("txtArticle"), QStringLiteral("Article"));
    m_rewrittenLabel = new QLabel(QStringLiteral("Rewritten Article"), this);
    m_rewrittenLabel->setFont(boldFont(m_rewrittenLabel));
    m_save = makeButton(QStringLiteral("&Save Changes"), QStringLiteral("vbtnSave"), this, true);
    m_undoSave = makeButton(QStringLiteral("&Undo Save"), QStringLiteral("undoSave"), this);
    m_undoSave->setToolTip(QStringLiteral("Put back the article as it was before the last save."));
    m_saveAs = makeButton(QStringLiteral("Save &As\u2026"), QStringLiteral("saveAs"), this);
    m_saveSpintax = makeButton(QStringLiteral("Save Spin&tax As\u2026"), QStringLiteral("saveSpintax"), this);
    m_saveWordings = makeButton(QStringLiteral("Save &Wordings\u2026"), QStringLiteral("saveWordings"), this);
    m_rewritten = new RewrittenBox(*this);
    setUpTextBox(m_rewritten, QStringLiteral("txtRewritten"), QStringLiteral("Rewritten Article"));
    m_rewritten->setAccessibleDescription(
        QStringLiteral("Words the rewrite replaced can be changed: Shift+F10 on a word opens its choices."));
    m_changes = new QLabel(this);
    m_changes->setObjectName(QStringLiteral("lblChanges"));
    m_rulesStatus = new QLabel(this);
    m_rulesStatus->setObjectName(QStringLiteral("lblRulesStatus"));
    m_rulesStatus->setStyleSheet(QStringLiteral("color: rgb(96, 96, 96);"));
    m_close = makeButton(QStringLiteral("&Close"), QStringLiteral("Command1"), this);

    // Tab goes through the window as it reads, top to bottom.
    QWidget* order[] = {m_options[0], m_options[1],  m_options[2],   m_options[3], m_options[4],
                        m_rewrite,    m_spinAgain,   m_article,      m_save,       m_undoSave,
                        m_saveAs,     m_saveSpintax, m_saveWordings, m_rewritten,  m_close};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TornelleWindow::runFrom(QWidget* opener, const std::function<void()>& command)
{
    const QPointer<QWidget> guard(opener);
    command();
    if (guard && guard->isEnabled() && guard->isVisible() && isVisible())
        guard->setFocus(Qt::OtherFocusReason);
}

void TornelleWindow::connectControls()
{
    // By mouse, keyboard or a screen reader's action alike: an option that becomes ticked loads its article.
    for (int i = 0; i < 5; ++i)
        connect(m_options[i], &QRadioButton::toggled, this, [this, i](bool ticked) {
            if (ticked)
                runFrom(m_options[i], [this, i] { m_controller.chooseArticle(i); });
        });
    const auto bind = [this](QPushButton* button, void (TornelleController::*command)()) {
        connect(button, &QPushButton::clicked, this,
                [this, button, command] { runFrom(button, [this, command] { (m_controller.*command)(); }); });
    };
    bind(m_rewrite, &TornelleController::rewriteArticle);
    bind(m_spinAgain, &TornelleController::spinAgain);
    bind(m_save, &TornelleController::saveArticle);
    bind(m_undoSave, &TornelleController::undoSave);
    bind(m_saveAs, &TornelleController::saveAs);
    bind(m_saveSpintax, &TornelleController::saveSpintaxAs);
    bind(m_saveWordings, &TornelleController::saveWordings);
    connect(m_close, &QPushButton::clicked, &m_controller, &TornelleController::closeWindow);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, &m_controller, &TornelleController::closeWindow);
    // Outside the two boxes (which keep their own keys), the window's undo and redo.
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, &m_controller, &TornelleController::undo);
    auto* redo = new QShortcut(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z), this);
    connect(redo, &QShortcut::activated, &m_controller, &TornelleController::redo);
    // A text box shows every line end as a line feed; only a real edit reaches
    // the controller, so an article keeps its CR LF line ends through a rewrite.
    connect(m_article, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_article->toPlainText();
        if (text != TornelleController::shownText(m_controller.articleText()))
            m_controller.editArticle(text);
    });
    connect(m_rewritten, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showingRewritten)
            m_controller.editRewritten(m_rewritten->toPlainText(), m_rewritten->textCursor().position());
    });
}

void TornelleWindow::connectController()
{
    connect(&m_controller, &TornelleController::articleTextChanged, this, [this](const QString& text) {
        if (m_article->toPlainText() != TornelleController::shownText(text))
            m_article->setPlainText(text);
    });
    connect(&m_controller, &TornelleController::rewrittenTextChanged, this, &TornelleWindow::showRewrittenText);
    connect(&m_controller, &TornelleController::rewriteEnabledChanged, m_rewrite, &QPushButton::setEnabled);
    connect(&m_controller, &TornelleController::pleaseWaitChanged, this, &TornelleWindow::refreshPleaseWait);
    connect(&m_controller, &TornelleController::timersChanged, this, &TornelleWindow::refreshTimers);
    connect(&m_controller, &TornelleController::rulesStatusChanged, this, &TornelleWindow::showRulesStatus);
    connect(&m_controller, &TornelleController::articlesChanged, this, &TornelleWindow::showArticles);
    connect(&m_controller, &TornelleController::selectedArticleChanged, this, &TornelleWindow::showSelectedArticle);
    connect(&m_controller, &TornelleController::changesShown, this, &TornelleWindow::showChanges);
    connect(&m_controller, &TornelleController::commandsChanged, this, &TornelleWindow::showCommands);
    connect(&m_controller, &TornelleController::closeRequested, this, &QWidget::close);
}

void TornelleWindow::setArticles(const SlotPaths& articles)
{
    m_controller.setArticles(articles);
}

int TornelleWindow::px(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

void TornelleWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TornelleWindow::placeControls()
{
    // A window narrower than the margins gives no negative sizes.
    const int widthTwips = qRound(width() * 1440.0 / logicalDpiX());
    const int articleWidth = qMax(0, widthTwips - RightMarginTwips);
    const int pleaseWaitLeft = qMax(0, widthTwips - RightMarginTwips - PleaseWaitWidthTwips);
    const int rowHeight = px(375);
    const int buttonHeight = px(420);
    m_selectLabel->setGeometry(px(LeftTwips), px(120), px(3000), rowHeight);
    for (int i = 0; i < 5; ++i)
        m_options[i]->setGeometry(px(LeftTwips + i * 1500), px(480), px(1440), rowHeight);
    m_articlesHint->setGeometry(px(LeftTwips), px(480), px(RewrittenWidthTwips), rowHeight);
    m_articleLabel->setGeometry(px(LeftTwips), px(1005), px(900), rowHeight);
    m_rewrite->setGeometry(px(1200), px(960), px(1500), buttonHeight);
    m_spinAgain->setGeometry(px(2700 + GapTwips), px(960), qMax(px(1500), m_spinAgain->sizeHint().width()),
                             buttonHeight);
    m_pleaseWait->setGeometry(px(pleaseWaitLeft), px(1005), px(PleaseWaitWidthTwips), rowHeight);
    m_article->setGeometry(px(LeftTwips), px(1440), px(articleWidth), px(BoxHeightTwips));
    m_rewrittenLabel->setGeometry(px(LeftTwips), px(4605), px(1800), rowHeight);
    m_save->setGeometry(px(2100), px(4560), px(1800), buttonHeight);
    // The other saves follow "Save Changes", each as wide as its caption needs.
    int left = px(3900 + GapTwips);
    for (QPushButton* button : {m_undoSave, m_saveAs, m_saveSpintax, m_saveWordings}) {
        const int width = button->sizeHint().width();
        button->setGeometry(left, px(4560), width, buttonHeight);
        left += width + px(GapTwips);
    }
    m_rewritten->setGeometry(px(LeftTwips), px(5040), px(RewrittenWidthTwips), px(BoxHeightTwips));
    m_changes->setGeometry(px(LeftTwips), px(8070), px(RewrittenWidthTwips - 1335 - 120), px(300));
    m_rulesStatus->setGeometry(px(LeftTwips), px(8370), px(9000), px(270));
    m_close->setGeometry(px(LeftTwips + RewrittenWidthTwips - 1335), px(8130), px(1335), buttonHeight);
    showRulesStatus();
    showChanges();
}

void TornelleWindow::showArticles()
{
    const QString hint = m_controller.articlesHint();
    m_articlesHint->setText(hint);
    m_articlesHint->setVisible(!hint.isEmpty());
    for (int i = 0; i < 5; ++i) {
        m_options[i]->setVisible(hint.isEmpty());
        m_options[i]->setEnabled(m_controller.optionEnabled(i));
        m_options[i]->setToolTip(m_controller.optionPath(i));
    }
}

void TornelleWindow::showSelectedArticle(int index)
{
    // An option may stay ticked only for the article the boxes hold.
    const QSignalBlocker blocker(m_optionGroup);
    m_optionGroup->setExclusive(index >= 0);
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker buttonBlocker(m_options[i]);
        m_options[i]->setChecked(i == index);
    }
    m_optionGroup->setExclusive(true);
}

void TornelleWindow::showRulesStatus()
{
    // A long path is shortened in the middle; the whole line is the tooltip.
    const QString text = m_controller.rulesStatus();
    m_rulesStatus->setText(m_rulesStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, m_rulesStatus->width()));
    m_rulesStatus->setToolTip(text);
}

void TornelleWindow::showRewrittenText(const QString& text)
{
    // Only what changed is replaced, so the caret and the part of the text in view stay where they are.
    const QString old = m_rewritten->toPlainText();
    if (old == text)
        return;
    const qsizetype most = std::min(old.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < most && old[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    const QScopedValueRollback<bool> showing(m_showingRewritten, true);
    QTextCursor cursor(m_rewritten->document());
    cursor.setPosition(int(prefix));
    cursor.setPosition(int(old.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(text.mid(prefix, text.size() - suffix - prefix));
}

void TornelleWindow::showChanges()
{
    const QString summary = m_controller.changeSummary();
    m_changes->setText(m_changes->fontMetrics().elidedText(summary, Qt::ElideRight, m_changes->width()));
    m_changes->setToolTip(summary);
    m_changes->setAccessibleName(summary);
    QList<QTextEdit::ExtraSelection> selections;
    for (const auto& [start, length] : m_controller.changedRanges()) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(m_rewritten->document());
        selection.cursor.setPosition(int(start));
        selection.cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
        selection.format.setBackground(QColor(255, 236, 153));
        selections.append(selection);
    }
    m_rewritten->setExtraSelections(selections);
}

void TornelleWindow::showCommands()
{
    m_spinAgain->setEnabled(m_controller.canSpinAgain());
    m_undoSave->setEnabled(m_controller.canUndoSave());
    for (QPushButton* button : {m_saveAs, m_saveSpintax, m_saveWordings})
        button->setEnabled(m_controller.canSaveCopies());
}

bool TornelleWindow::showChangeMenu(qsizetype position, bool anySpot)
{
    const int spot = m_controller.spotAt(position);
    if (spot < 0 || (!anySpot && !m_controller.spotChanged(spot)))
        return false;
    QTextCursor cursor(m_rewritten->document());
    cursor.setPosition(int(position));
    openChangeMenu(spot, m_rewritten->viewport()->mapToGlobal(m_rewritten->cursorRect(cursor).bottomLeft()));
    return true;
}

QMenu* TornelleWindow::changeMenu() const
{
    return m_changeMenu.data();
}

void TornelleWindow::openChangeMenu(int spot, const QPoint& globalPosition)
{
    delete m_changeMenu.data();
    const TornelleController::SpotMenu choices = m_controller.spotMenu(spot);
    auto* menu = new QMenu(this);
    m_changeMenu = menu;
    menu->setObjectName(QStringLiteral("changeMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(QStringLiteral("Choices for \"") + choices.original + u'"');
    auto* group = new QActionGroup(menu);
    QAction* current = nullptr;
    const auto add = [&](const QString& text, qsizetype wording) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(wording == choices.current);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, spot, wording] { m_controller.chooseWording(spot, wording); });
        current = wording == choices.current ? action : current;
    };
    for (qsizetype k = 0; k < choices.wordings.size(); ++k)
        add(QString(choices.wordings.at(k)).replace(u'&', QStringLiteral("&&")), k);
    menu->addSeparator();
    // The article's own words stand where a shortcut would, so the name of the choice stays as it is.
    add(QStringLiteral("Keep original\t") + QString(choices.original).replace(u'&', QStringLiteral("&&")), -1);
    menu->addSeparator();
    QAction* protect = menu->addAction(QStringLiteral("Never Replace This"));
    protect->setObjectName(QStringLiteral("neverReplace"));
    connect(protect, &QAction::triggered, this, [this, spot] { m_controller.protectWords(spot); });
    menu->popup(globalPosition);
    menu->setActiveAction(current);
}

void TornelleWindow::refreshPleaseWait()
{
    m_pleaseWait->setText(m_controller.pleaseWaitCaption());
    m_pleaseWait->setVisible(m_controller.pleaseWaitVisible());
}

void TornelleWindow::refreshTimers()
{
    const auto apply = [](QTimer& timer, bool enabled) {
        if (enabled && !timer.isActive())
            timer.start();
        else if (!enabled)
            timer.stop();
    };
    apply(m_loadingTimer, m_controller.loadingTimerEnabled());
    apply(m_blinkTimer, m_controller.blinkTimerEnabled());
}

QString TornelleWindow::chooseSaveFile(const QString& title, const QString& suggested)
{
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(suggested);
    m_desktop.execDialog(dialog);
    return dialog.result() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString TornelleWindow::chooseFolder(const QString& title, const QString& start)
{
    QFileDialog dialog(this, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    m_desktop.execDialog(dialog);
    return dialog.result() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<int> TornelleWindow::askNumber(const QString& title, const QString& label, int value, int minimum,
                                             int maximum)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(value);
    m_desktop.execDialog(dialog);
    if (dialog.result() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

QDateTime TornelleWindow::now()
{
    return QDateTime::currentDateTime();
}

} // namespace quorvale
