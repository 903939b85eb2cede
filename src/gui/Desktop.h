// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MainWindowHost.h"
#include "ui/UiHost.h"

#include <QString>

class QDialog;
class QUrl;
class QWidget;

namespace quorvale {

/// The desktop as the views reach it: message boxes, modal windows and the
/// desktop's handlers for folders and addresses. Tests replace it so that no
/// dialog ever blocks and nothing is launched.
class Desktop
{
public:
    virtual ~Desktop() = default;

    /// A modal message box with an information icon over @p parent.
    virtual MessageAnswer showMessage(QWidget* parent, const QString& text, const QString& title,
                                      MessageButtons buttons);
    /// Opens a folder in the file manager or an address in the web browser;
    /// false when the desktop has nothing to open it with.
    virtual bool openUrl(const QUrl& url);
    /// Shows @p dialog modally and returns when it has been closed.
    virtual void execDialog(QDialog& dialog);
    /// The desktop's dialog for choosing an existing file; empty when none was chosen.
    virtual QString chooseFileToOpen(QWidget* parent, const QString& title, const QString& folder,
                                     const QString& filter);
    /// Asks for a file or folder in the desktop's file dialog; empty when cancelled.
    virtual QString askForPath(QWidget* parent, MainWindowHost::PathQuestion question, const QString& start);
};

} // namespace quorvale
