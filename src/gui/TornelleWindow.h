// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/WindowUiHost.h"
#include "ui/TornelleController.h"
#include "ui/TornelleHost.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quorvale {

class Desktop;
class RewrittenBox;

/// The "Tornelle" window: binds its controls to a TornelleController and
/// shows its messages and dialogs. Resizable; the article box and the
/// "Please Wait" label follow the window's width, the rest stays put. A
/// highlighted word of the rewritten box opens its change menu when clicked,
/// and any word a rewrite replaced opens it with the context-menu key or
/// Shift+F10; Ctrl+Z and Ctrl+Shift+Z undo and redo its choices; Escape
/// closes the window.
class TornelleWindow : public QWidget, private TornelleHost
{
    Q_OBJECT

public:
    /// Client area in twips when the window opens.
    static constexpr QSize SizeTwips{12375, 8655};

    /// @p desktop must outlive the window. @p articles is the copy of the main
    /// window's slots the window starts from, @p rulesPath the synonym rule
    /// file, @p userFolder the user's data folder (protected words, backups),
    /// @p random what chooses wordings.
    TornelleWindow(Desktop& desktop, const QString& rulesPath, const QString& userFolder, const SlotPaths& articles,
                   QRandomGenerator random, QWidget* parent = nullptr);

    TornelleController& controller() { return m_controller; }
    /// The main window's slots changed.
    void setArticles(const SlotPaths& articles);
    /// Opens the change menu of the spot that holds the unit at @p position of
    /// the rewritten text, below that unit, as a click does; false when no
    /// spot holds it (or, unless @p anySpot, when its words did not change).
    bool showChangeMenu(qsizetype position, bool anySpot = false);
    /// The change menu last opened, or null.
    QMenu* changeMenu() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class RewrittenBox;

    // TornelleHost
    QString chooseSaveFile(const QString& title, const QString& suggested) override;
    QString chooseFolder(const QString& title, const QString& start) override;
    std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                 int maximum) override;
    QDateTime now() override;

    void createControls();
    void connectControls();
    void connectController();
    /// Runs @p command and gives the focus back to @p opener, which a message box or a disabled button took.
    void runFrom(QWidget* opener, const std::function<void()>& command);
    int px(int twips) const;
    void placeControls();
    void showArticles();
    void showSelectedArticle(int index);
    void showRulesStatus();
    void showChanges();
    void showCommands();
    void showRewrittenText(const QString& text);
    void openChangeMenu(int spot, const QPoint& globalPosition);
    void refreshPleaseWait();
    void refreshTimers();

    Desktop& m_desktop;
    WindowUiHost m_ui;
    TornelleController m_controller;
    QTimer m_loadingTimer;
    QTimer m_blinkTimer;
    QLabel* m_selectLabel = nullptr;
    QLabel* m_articlesHint = nullptr;
    QButtonGroup* m_optionGroup = nullptr;
    QRadioButton* m_options[5] = {};
    QLabel* m_articleLabel = nullptr;
    QPushButton* m_rewrite = nullptr;
    QPushButton* m_spinAgain = nullptr;
    QLabel* m_pleaseWait = nullptr;
    QPlainTextEdit* m_article = nullptr;
    QLabel* m_rewrittenLabel = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_undoSave = nullptr;
    QPushButton* m_saveAs = nullptr;
    QPushButton* m_saveSpintax = nullptr;
    QPushButton* m_saveWordings = nullptr;
    RewrittenBox* m_rewritten = nullptr;
    QLabel* m_changes = nullptr;
    QLabel* m_rulesStatus = nullptr;
    QPushButton* m_close = nullptr;
    QPointer<QMenu> m_changeMenu;
    /// The rewritten box is being set from the controller: its changes are no edits.
    bool m_showingRewritten = false;
};

} // namespace quorvale
