// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Desktop.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
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
    switch (question) {
    case MainWindowHost::PathQuestion::SiteToSave:
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Site As"), start,
                                            QStringLiteral("Quorvale sites (*.quorvale);;All files (*)"));
    case MainWindowHost::PathQuestion::OutputFolder:
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Output Folder of the Site"), start);
    }
    return {};
}

bool Desktop::openUrl(const QUrl& url)
{
    // xdg-open says by its exit status that the desktop has nothing to open
    // the address with, which QDesktopServices does not look at. It gets three
    // seconds to say so; a handler that runs longer is left running.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return QDesktopServices::openUrl(url);
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"),
                          QStringLiteral("xdg-open \"$1\" </dev/null >/dev/null 2>&1 & pid=$!; i=0; "
                                         "while [ $i -lt 30 ]; do kill -0 $pid 2>/dev/null || { wait $pid; exit $?; }; "
                                         "sleep 0.1; i=$((i + 1)); done"),
                          QStringLiteral("sh"), url.toString(QUrl::FullyEncoded)});
    process.start();
    if (!process.waitForFinished(10000)) {
        process.kill();
        return true;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString Desktop::chooseFileToOpen(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

void Desktop::execDialog(QDialog& dialog)
{
    dialog.exec();
}

} // namespace quorvale
