// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/WindowUiHost.h"
#include "site/SiteTypes.h"
#include "ui/MainWindowController.h"
#include "ui/MainWindowHost.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressDialog;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace quorvale {

class Desktop;
class LinkLabel;

/// The main window: binds its controls to a MainWindowController and is the
/// controller's host for pictures, windows and the copy progress. Tests and
/// screenshots find the controls by their object names.
class MainWindow : public QWidget, private MainWindowHost
{
    Q_OBJECT

public:
    /// Makes the Tornelle window for the five slot paths; the window is shown
    /// without a parent, so it may stay open after the main window closes.
    using TornelleFactory = std::function<QWidget*(const SlotPaths& articles)>;

    /// Client area of the window in twips.
    static constexpr QSize SizeTwips{15315, 9420};
    /// The preview picture's size in twips.
    static constexpr QSize PreviewTwips{1770, 1455};

    /// @p desktop must outlive the window. The controller starts at once.
    MainWindow(Desktop& desktop, const InstallLayout& layout, const QString& startFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowController& controller() noexcept { return m_controller; }
    /// Replaces the window "Tornelle" opens; the default is an empty placeholder.
    void setTornelleFactory(TornelleFactory factory);
    /// The open Tornelle window, or null.
    QWidget* tornelleWindow() const { return m_tornelle.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainWindowHost
    bool showPicture(const QString& path) override;
    void showTornelle(const SlotPaths& articles) override;
    void showInstructions() override;
    void closeWindow() override;
    void copyProgress(qint64 done, qint64 total) override;
    void copyEnded() override;
    QString askForPath(PathQuestion question, const QString& start) override;
    quint64 newSeed() override;
    bool versionsProgress(int done, int total) override;
    void versionsEnded() override;
    void showVersionsReport(const QString& summary, const VersionsReport& report) override;

    QWidget* createBanner();
    QPushButton* createSiteMenu(QWidget* banner);
    void showRecentSites();
    QWidget* createArticlesGroup();
    QLayout* createBrowser(QWidget* group);
    QLayout* createSlots(QWidget* group);
    QLayout* createLinkTexts(QWidget* group);
    QLayout* createImagePicker(QWidget* group);
    QWidget* createSiteInfoGroup();
    QWidget* createBuildRow();
    QLineEdit* addSiteText(MainWindowController::SiteField field, const QString& name, QLabel* label);
    void connectController();

    void showDrives();
    void showDrive(const QString& root);
    void showFolder();
    void revealCurrentFolder();
    void showFiles();
    void showImages();
    void showSlot(int index);
    void showVariations();
    void showRecentFolders();
    void showSiteFolder();

    Desktop& m_desktop;
    WindowUiHost m_ui;
    MainWindowController m_controller;
    TornelleFactory m_tornelleFactory;
    QPointer<QWidget> m_tornelle;
    QPointer<QProgressDialog> m_progress;
    QPointer<QProgressDialog> m_versionsProgress;

    QLabel* m_appNameLabel = nullptr;
    QPushButton* m_tornelleButton = nullptr;
    QComboBox* m_driveList = nullptr;
    QTreeWidget* m_folderTree = nullptr;
    QListWidget* m_articleList = nullptr;
    QLabel* m_filesFoundLabel = nullptr;
    QPushButton* m_slotButtons[MainWindowController::SlotCount] = {};
    QLabel* m_slotLabels[MainWindowController::SlotCount] = {};
    QListWidget* m_imageList = nullptr;
    QLabel* m_preview = nullptr;
    QComboBox* m_variationBox = nullptr;
    QComboBox* m_recentFolders = nullptr;
    LinkLabel* m_siteFolderLink = nullptr;
    QPushButton* m_previewButton = nullptr;
    QSpinBox* m_versionsBox = nullptr;
    QMenu* m_recentMenu = nullptr;
    std::vector<std::pair<MainWindowController::SiteField, QLineEdit*>> m_siteTexts;
};

} // namespace quorvale
