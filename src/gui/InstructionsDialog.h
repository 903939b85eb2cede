#pragma once

#include "ui/frmInstructions.h"

#include <QDialog>

namespace quorvale {

class Desktop;

/// The "Quick Instructions" window: the static texts of frmInstructions, the
/// help link and "Close". Shown modally by the main window.
class InstructionsDialog : public QDialog, private InstructionsHost
{
    Q_OBJECT

public:
    /// Client area of the window in twips.
    static constexpr QSize SizeTwips{11910, 8100};

    /// @p desktop must outlive the dialog.
    InstructionsDialog(Desktop& desktop, const QString& installFolder, QWidget* parent = nullptr);

    frmInstructions& controller() noexcept { return m_controller; }

private:
    // InstructionsHost
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override;
    void openFolder(const QString& path) override;
    void openAddress(const QString& address) override;
    void closeWindow() override;

    Desktop& m_desktop;
    frmInstructions m_controller;
};

} // namespace quorvale
