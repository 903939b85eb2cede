#include "components/Spinner.h"
#include "components/Version.h"
#include "gui/Desktop.h"
#include "gui/MainWindow.h"
#include "gui/TornelleWindow.h"

#include <QApplication>
#include <QDir>
#include <csignal>
#include <memory>

int main(int argc, char* argv[])
{
    // Past a file-size limit a write fails with an error the window reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QCoreApplication::setApplicationVersion(QString::fromUtf16(quorvale::Version));

    // The installation folder is the folder that holds the program.
    const QString installFolder = QCoreApplication::applicationDirPath();
    quorvale::Desktop desktop;
    quorvale::MainWindow window(desktop, installFolder, QDir::currentPath());
    window.setTornelleFactory([&desktop, installFolder](const quorvale::SlotPaths& articles) -> QWidget* {
        auto spinner = std::make_shared<quorvale::Spinner>();
        return new quorvale::TornelleWindow(desktop, installFolder + QStringLiteral("/rwdb.txt"), articles,
                                            [spinner](const QString& text, std::vector<quorvale::SpunGroup>* groups) {
                                                return spinner->spin(text, groups);
                                            });
    });
    window.show();
    return app.exec();
}
