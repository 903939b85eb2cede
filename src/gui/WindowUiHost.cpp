#include "gui/WindowUiHost.h"

#include "gui/Desktop.h"

#include <QUrl>

namespace quorvale {

MessageAnswer WindowUiHost::showMessage(const QString& text, const QString& title, MessageButtons buttons)
{
    return m_desktop.showMessage(m_window, text, title, buttons);
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
