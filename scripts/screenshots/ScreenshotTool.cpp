// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window (as it opens, after "Load Dummy Data", and holding a
// site opened from its file with the "Site" menu open), the instructions
// window, the Tornelle window after a rewrite with the change menu of a word
// open, and the report of a build of ten versions offscreen and saves them as
// PNG pictures.
//
//   gui_screenshots INSTALL_FOLDER START_FOLDER OUTPUT_FOLDER

#include "gui/Desktop.h"
#include "gui/InstructionsDialog.h"
#include "gui/MainWindow.h"
#include "gui/TornelleWindow.h"
#include "site/SiteProject.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>

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
    void execDialog(QDialog& dialog) override
    {
        if (onDialog)
            onDialog(dialog);
    }

    QString lastMessage;
    std::function<void(QDialog&)> onDialog;
};

bool save(const QPixmap& picture, const QString& path)
{
    const bool saved = picture.save(path, "PNG");
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << Qt::endl;
    return saved;
}

bool save(QWidget& window, const QString& path)
{
    window.show();
    QCoreApplication::processEvents();
    return save(window.grab(), path);
}

/// A site of one's own: five sample articles and a sample picture copied into
/// a folder with the site file, which the window opens.
QString writeSampleSite(const QString& install, const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/articles"));
    QDir().mkpath(folder + QStringLiteral("/images"));
    quorvale::SiteProject site;
    const QStringList articles = QDir(install + QStringLiteral("/apparticles")).entryList(QDir::Files, QDir::Name);
    for (int i = 0; i < 5 && i + 2 < articles.size(); ++i) {
        site.articles[std::size_t(i)] = folder + QStringLiteral("/articles/") + articles.at(i + 2);
        QFile::copy(install + QStringLiteral("/apparticles/") + articles.at(i + 2), site.articles[std::size_t(i)]);
    }
    site.background = folder + QStringLiteral("/images/lake.jpg");
    QFile::copy(install + QStringLiteral("/appimages/Image150.jpg"), site.background);
    site.variation = QStringLiteral("2");
    site.info.siteName = QStringLiteral("Calm Evenings");
    site.info.siteHeadline = QStringLiteral("Small Steps Toward Brighter Days");
    site.info.siteDescription = QStringLiteral("Everyday habits that lift a low mood.");
    site.info.footerText = QStringLiteral("Calm Evenings - written with care");
    site.info.siteUrl = QStringLiteral("https://calm-evenings.example/");
    site.versions = 10;
    site.seed = 2024;
    const QString file = folder + QStringLiteral("/calm-evenings.quorvale");
    quorvale::saveSiteProject(site, file, install);
    return file;
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

    // A change menu open under a word the rewrite changed; the menu is a window of its own, so it is painted
    // onto the picture of the window where it stands.
    const QTemporaryDir userFolder;
    quorvale::TornelleWindow tornelle(desktop, install + QStringLiteral("/rwdb.txt"), userFolder.path(),
                                      window.controller().slotPaths(), QRandomGenerator(1));
    tornelle.controller().setTaggerPath(window.controller().layout().taggerModelPath());
    while (tornelle.controller().loadingTimerEnabled())
        tornelle.controller().loadingTick();
    tornelle.findChild<QRadioButton*>(QStringLiteral("optArticles0"))->click();
    tornelle.findChild<QPushButton*>(QStringLiteral("vbtnConvert"))->click();
    QTextStream(stdout) << desktop.lastMessage << Qt::endl;
    tornelle.show();
    QCoreApplication::processEvents();
    // The first changed word in view that offers more than one other word, else the first changed word.
    const quorvale::TornelleController& controller = tornelle.controller();
    const quorvale::TextSpans changed = controller.changedRanges();
    auto shown = changed.begin();
    for (auto it = changed.begin(); it != changed.end() && it->first < 500; ++it) {
        if (controller.spotMenu(controller.spotAt(it->first)).wordings.size() > 1) {
            shown = it;
            break;
        }
    }
    if (shown == changed.end() || !tornelle.showChangeMenu(shown->first)) {
        std::fputs("the rewrite changed no word\n", stderr);
        return 1;
    }
    QMenu* menu = tornelle.changeMenu();
    QCoreApplication::processEvents();
    QImage picture = tornelle.grab().toImage();
    QPainter painter(&picture);
    painter.drawPixmap(menu->pos() - tornelle.mapToGlobal(QPoint(0, 0)), menu->grab());
    painter.end();
    const QString tornellePath = output.filePath(QStringLiteral("tornelle-window.png"));
    const bool saved = picture.save(tornellePath, "PNG");
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << tornellePath << Qt::endl;
    ok = saved && ok;

    QTemporaryDir sites(QDir::tempPath() + QStringLiteral("/sites-XXXXXX"));
    const QString siteFile = writeSampleSite(install, sites.filePath(QStringLiteral("Calm Evenings")));
    quorvale::MainWindow siteWindow(desktop, layout, QFileInfo(siteFile).absolutePath() + QStringLiteral("/articles"));
    siteWindow.controller().openSiteFile(siteFile);
    siteWindow.show();
    QCoreApplication::processEvents();
    // The "Site" menu is a window of its own: it is painted over the main window where it opens.
    siteWindow.findChild<QPushButton*>(QStringLiteral("cmdSite"))->click();
    QCoreApplication::processEvents();
    auto* siteMenu = siteWindow.findChild<QMenu*>(QStringLiteral("mnuSite"));
    QPixmap withMenu = siteWindow.grab();
    QPainter(&withMenu).drawPixmap(siteWindow.mapFromGlobal(siteMenu->pos()), siteMenu->grab());
    siteMenu->hide();
    ok = save(withMenu, output.filePath(QStringLiteral("main-window-site.png"))) && ok;

    desktop.onDialog = [&](QDialog& report) {
        ok = save(report, output.filePath(QStringLiteral("versions-report.png"))) && ok;
    };
    siteWindow.findChild<QPushButton*>(QStringLiteral("vbtnLoad"))->click();
    return ok ? 0 : 1;
}
