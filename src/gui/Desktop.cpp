#include "gui/Desktop.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QUrl>

namespace quorvale {

MessageAnswer Desktop::showMessage(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(QMessageBox::Information, title, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    parent);
    const int pressed = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void Desktop::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void Desktop::execDialog(QDialog& dialog)
{
    dialog.exec();
}

} // namespace quorvale
