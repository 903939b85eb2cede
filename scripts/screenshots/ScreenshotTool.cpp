// Renders the main window (as it opens and after "Load Dummy Data"), the
// instructions window and the Tornelle window after a rewrite offscreen and saves them as PNG pictures.
//
//   gui_screenshots INSTALL_FOLDER START_FOLDER OUTPUT_FOLDER

#include "components/Spinner.h"
#include "gui/Desktop.h"
#include "gui/InstructionsDialog.h"
#include "gui/MainWindow.h"
#include "gui/TornelleWindow.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <cstdio>

namespace {

/// Shows nothing and launches nothing; remembers the last message.
class SilentDesktop : public quorvale::Desktop
{
public:
    quorvale::MessageAnswer showMessage(QWidget*, const QString& text, const QString& title,
                                        quorvale::MessageButtons) override
    {
        lastMessage = title + QStringLiteral(": ") + text;
        return quorvale::MessageAnswer::Ok;
    }
    bool openUrl(const QUrl&) override { return true; }
    void execDialog(QDialog&) override {}

    QString lastMessage;
};

bool save(QWidget& window, const QString& path)
{
    window.show();
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(path, "PNG");
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << Qt::endl;
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fputs("usage: gui_screenshots INSTALL_FOLDER START_FOLDER OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString install = arguments.at(1);
    const quorvale::InstallLayout layout = quorvale::InstallLayout::forHome(install);
    const QDir output(arguments.at(3));

    SilentDesktop desktop;
    quorvale::MainWindow window(desktop, layout, arguments.at(2));
    bool ok = save(window, output.filePath(QStringLiteral("main-window.png")));

    window.findChild<QPushButton*>(QStringLiteral("cmdDummy"))->click();
    QTextStream(stdout) << desktop.lastMessage << Qt::endl;
    ok = save(window, output.filePath(QStringLiteral("main-window-demo-data.png"))) && ok;

    quorvale::InstructionsDialog instructions(desktop, layout);
    ok = save(instructions, output.filePath(QStringLiteral("instructions-window.png"))) && ok;

    quorvale::Spinner spinner(1);
    quorvale::TornelleWindow tornelle(desktop, install + QStringLiteral("/rwdb.txt"), window.controller().slotPaths(),
                                      [&spinner](const QString& text, std::vector<quorvale::SpunGroup>* groups) {
                                          return spinner.spin(text, groups);
                                      });
    while (tornelle.controller().loadingTimerEnabled())
        tornelle.controller().loadingTick();
    tornelle.findChild<QRadioButton*>(QStringLiteral("optArticles0"))->click();
    tornelle.findChild<QPushButton*>(QStringLiteral("vbtnConvert"))->click();
    QTextStream(stdout) << desktop.lastMessage << Qt::endl;
    ok = save(tornelle, output.filePath(QStringLiteral("tornelle-window.png"))) && ok;
    return ok ? 0 : 1;
}
