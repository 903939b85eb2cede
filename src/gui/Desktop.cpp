#include "gui/Desktop.h"

#include <QDesktopServices>
#include <QDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QUrl>

namespace quorvale {

MessageAnswer Desktop::showMessage(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(QMessageBox::Information, title, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    parent);
    // Enter must not confirm what cannot be taken back.
    if (yesNo)
        box.setDefaultButton(QMessageBox::No);
    // A short text would give a box too narrow for its own title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(title) + 160;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    const int pressed = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

bool Desktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void Desktop::execDialog(QDialog& dialog)
{
    dialog.exec();
}

} // namespace quorvale
