#include "gui/Desktop.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QUrl>

namespace quorvale {

MessageAnswer Desktop::showMessage(QWidget* parent, const QString& text, const QString& title, MessageButtons buttons)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    const bool save = buttons == MessageButtons::SaveDiscardCancel;
    QMessageBox box(save ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    save    ? QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel
                    : yesNo ? QMessageBox::Yes | QMessageBox::No
                            : QMessageBox::Ok,
                    parent);
    // Enter must not confirm what cannot be taken back.
    if (yesNo)
        box.setDefaultButton(QMessageBox::No);
    if (save)
        box.setDefaultButton(QMessageBox::Save);
    // A short text would give a box too narrow for its own title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(title) + 160;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    const int pressed = box.exec();
    if (save)
        return pressed == QMessageBox::Save      ? MessageAnswer::Save
               : pressed == QMessageBox::Discard ? MessageAnswer::Discard
                                                 : MessageAnswer::Cancel;
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString Desktop::askForPath(QWidget* parent, MainWindowHost::PathQuestion question, const QString& start)
{
    const QString sites = QStringLiteral("Quorvale sites (*.quorvale);;All files (*)");
    switch (question) {
    case MainWindowHost::PathQuestion::SiteToOpen:
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Site"), start, sites);
    case MainWindowHost::PathQuestion::SiteToSave:
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Site As"), start, sites);
    case MainWindowHost::PathQuestion::OutputFolder:
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Output Folder of the Site"), start);
    }
    return {};
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
