// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/UiHost.h"

class QWidget;

namespace quorvale {

class Desktop;

/// The desktop's dialogs and handlers as one window's controller reaches
/// them: message boxes over that window, folders and addresses opened through
/// the desktop.
class WindowUiHost final : public UiHost
{
public:
    /// @p desktop must outlive this host; @p window parents the message boxes.
    WindowUiHost(Desktop& desktop, QWidget* window) : m_desktop(desktop), m_window(window) {}

    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override;
    bool openFolder(const QString& path) override;
    bool openAddress(const QString& address) override;
    QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter) override;

private:
    Desktop& m_desktop;
    QWidget* m_window;
};

} // namespace quorvale
