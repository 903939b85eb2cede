// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace quorvale {

/// Buttons of a message box.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };

/// The button a message box was closed with (Cancel also when it was closed otherwise).
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

/// What the window controllers need of the desktop: message boxes and the
/// desktop's handlers for folders and addresses. The Qt views implement it
/// with real dialogs; tests replace it with a fake that records the calls and
/// answers for the user.
class UiHost
{
public:
    virtual ~UiHost() = default;

    /// Shows a modal message box with an information icon; returns the button pressed.
    virtual MessageAnswer showMessage(const QString& text, const QString& title,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    /// Opens a folder in the desktop's file manager; false when the desktop could not.
    virtual bool openFolder(const QString& path) = 0;
    /// Opens an address (a web address or a local file's URL) in the default browser;
    /// false when the desktop could not.
    virtual bool openAddress(const QString& address) = 0;
    /// Asks for an existing file, starting in @p folder and offering the files
    /// @p filter names ("Pictures (*.jpg *.png)"); empty when none was chosen.
    virtual QString chooseFileToOpen(const QString& title, const QString& folder, const QString& filter)
    {
        Q_UNUSED(title);
        Q_UNUSED(folder);
        Q_UNUSED(filter);
        return {};
    }
};

} // namespace quorvale
