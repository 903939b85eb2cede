// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/WindowUiHost.h"

#include "gui/Desktop.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QUrl>

namespace quorvale {

namespace {

/// Gives the keyboard focus back, when the dialog is over, to the control that had it before.
class FocusKeeper
{
public:
    FocusKeeper() : m_focus(QApplication::focusWidget()) {}
    ~FocusKeeper()
    {
        if (m_focus && m_focus->isVisible() && m_focus->isEnabled())
            m_focus->setFocus(Qt::OtherFocusReason);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> m_focus;
};

} // namespace

MessageAnswer WindowUiHost::showMessage(const QString& text, const QString& title, MessageButtons buttons)
{
    const FocusKeeper focus;
    return m_desktop.showMessage(m_window, text, title, buttons);
}

QString WindowUiHost::chooseFileToOpen(const QString& title, const QString& folder, const QString& filter)
{
    const FocusKeeper focus;
    return m_desktop.chooseFileToOpen(m_window, title, folder, filter);
}

bool WindowUiHost::openFolder(const QString& path)
{
    return m_desktop.openUrl(QUrl::fromLocalFile(path));
}

bool WindowUiHost::openAddress(const QString& address)
{
    return m_desktop.openUrl(QUrl(address));
}

} // namespace quorvale
