#include "gui/Desktop.h"
#include "gui/MainWindow.h"
#include "gui/TornelleWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));

    // The installation folder is the folder that holds the program.
    quorvale::Desktop desktop;
    quorvale::MainWindow window(desktop, QCoreApplication::applicationDirPath(), QDir::currentPath());
    window.setTornelleFactory([&desktop](const quorvale::SlotPaths& articles) -> QWidget* {
        return new quorvale::TornelleWindow(desktop, QCoreApplication::applicationDirPath(), articles);
    });
    window.show();
    return app.exec();
}
