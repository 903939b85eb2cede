// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Error.h"
#include "components/Version.h"
#include "gui/Desktop.h"
#include "gui/MainWindow.h"
#include "gui/TornelleWindow.h"
#include "site/InstallLayout.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QIcon>
#include <QRandomGenerator>
#include <QSettings>
#include <csignal>

int main(int argc, char* argv[])
{
    // Past a file-size limit a write fails with an error the window reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QString::fromUtf16(quorvale::Version));
    // Ties the windows to the menu entry, and gives every window the icon, installed or not.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvale.quorvale"));
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    QApplication::setWindowIcon(icon);

    // The data beside the program (portable) or in ../share/quorvale (installed).
    const quorvale::InstallLayout layout =
        quorvale::InstallLayout::forExecutable(QCoreApplication::applicationDirPath());
    quorvale::Desktop desktop;
    quorvale::MainWindow window(desktop, layout, QDir::currentPath());
    // ~/.config/quorvale/quorvale.conf: what the window remembers between runs.
    QSettings settings(QStringLiteral("quorvale"), QStringLiteral("quorvale"));
    window.controller().setSettings(&settings);
    window.setTornelleFactory([&desktop, &window, layout](const quorvale::SlotPaths& articles) -> QWidget* {
        // Looked up at each opening, so rules the user has just put in place are used.
        QString rules;
        try {
            rules = layout.rulesPath();
        } catch (const quorvale::Error& error) {
            desktop.showMessage(&window, error.message(), QStringLiteral("Error"), quorvale::MessageButtons::Ok);
            return nullptr;
        }
        auto* tornelle = new quorvale::TornelleWindow(desktop, rules, layout.userFolder(), articles,
                                                      QRandomGenerator::securelySeeded());
        tornelle->controller().setTaggerPath(layout.taggerModelPath());
        return tornelle;
    });
    window.show();
    // "quorvale FILE.quorvale", as the desktop starts it for a double-clicked site file.
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (!files.isEmpty())
        window.controller().openSiteFile(files.first());
    return app.exec();
}
