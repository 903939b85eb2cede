// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/WindowUiHost.h"
#include "ui/InstructionsController.h"

#include <QDialog>

namespace quorvale {

class Desktop;

/// The "Quick Instructions" window: the static texts of InstructionsController, the
/// help link and "Close". Shown modally by the main window.
class InstructionsDialog : public QDialog, private InstructionsHost
{
    Q_OBJECT

public:
    /// Client area of the window in twips.
    static constexpr QSize SizeTwips{11910, 8100};

    /// @p desktop must outlive the dialog.
    InstructionsDialog(Desktop& desktop, const InstallLayout& layout, QWidget* parent = nullptr);

    InstructionsController& controller() noexcept { return m_controller; }

private:
    // InstructionsHost
    void closeWindow() override;

    WindowUiHost m_ui;
    InstructionsController m_controller;
};

} // namespace quorvale
