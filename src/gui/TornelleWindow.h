#pragma once

#include "ui/frmTornelle.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quorvale {

class Desktop;

/// The "Tornelle" window: binds its controls to a frmTornelle controller and
/// shows its messages. Resizable; the article box follows the window's width,
/// the rest stays put.
class TornelleWindow : public QWidget, private UiHost
{
    Q_OBJECT

public:
    /// Client area in twips when the window opens.
    static constexpr QSize SizeTwips{12375, 8655};

    /// @p desktop must outlive the window. @p articles is the copy of the main
    /// window's slots the window works from.
    TornelleWindow(Desktop& desktop, const QString& installFolder, const SlotPaths& articles,
                   QWidget* parent = nullptr);

    frmTornelle& controller() { return m_controller; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // UiHost
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override;
    void openFolder(const QString& path) override;
    void openAddress(const QString& address) override;

    int px(int twips) const;
    void placeControls();
    void refreshOptions();
    void refreshPleaseWait();
    void refreshTimers();

    Desktop& m_desktop;
    frmTornelle m_controller;
    QTimer m_timer1;
    QTimer m_pleaseWaitTimer;
    QLabel* m_selectLabel = nullptr;
    QRadioButton* m_options[5] = {};
    QLabel* m_articleLabel = nullptr;
    QPushButton* m_convert = nullptr;
    QLabel* m_pleaseWait = nullptr;
    QPlainTextEdit* m_article = nullptr;
    QLabel* m_rewrittenLabel = nullptr;
    QPushButton* m_save = nullptr;
    QPlainTextEdit* m_rewritten = nullptr;
    QLabel* m_rulesStatus = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quorvale
