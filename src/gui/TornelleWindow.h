#pragma once

#include "gui/WindowUiHost.h"
#include "ui/TornelleController.h"

#include <QTimer>
#include <QWidget>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quorvale {

class Desktop;

/// The "Tornelle" window: binds its controls to a TornelleController and
/// shows its messages. Resizable; the article box and the "Please Wait" label
/// follow the window's width, the rest stays put.
class TornelleWindow : public QWidget
{
    Q_OBJECT

public:
    /// Client area in twips when the window opens.
    static constexpr QSize SizeTwips{12375, 8655};

    /// @p desktop must outlive the window. @p articles is the copy of the main
    /// window's slots the window works from, @p rulesPath the synonym rule
    /// file, @p spin what makes one wording of a spintax text.
    TornelleWindow(Desktop& desktop, const QString& rulesPath, const SlotPaths& articles,
                   TornelleController::SpinFunction spin, QWidget* parent = nullptr);

    TornelleController& controller() { return m_controller; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void connectControls();
    void connectController();
    int px(int twips) const;
    void placeControls();
    void showSelectedArticle(int index);
    void showRulesStatus();
    void showChanges();
    void refreshPleaseWait();
    void refreshTimers();

    WindowUiHost m_ui;
    TornelleController m_controller;
    QTimer m_loadingTimer;
    QTimer m_blinkTimer;
    QLabel* m_selectLabel = nullptr;
    QButtonGroup* m_optionGroup = nullptr;
    QRadioButton* m_options[5] = {};
    QLabel* m_articleLabel = nullptr;
    QPushButton* m_rewrite = nullptr;
    QLabel* m_pleaseWait = nullptr;
    QPlainTextEdit* m_article = nullptr;
    QLabel* m_rewrittenLabel = nullptr;
    QPushButton* m_save = nullptr;
    QPlainTextEdit* m_rewritten = nullptr;
    QLabel* m_changes = nullptr;
    QLabel* m_rulesStatus = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quorvale
