// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/InstallLayout.h"
#include "site/SiteProject.h"
#include "site/SiteTypes.h"
#include "ui/MainWindowHost.h"
#include "ui/UiHost.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

class QSettings;

namespace quorvale {

/// Text colours as 0xRRGGBB.
inline constexpr quint32 SlotFilledColour = 0x0000ff; ///< blue: the slot holds an article
inline constexpr quint32 SlotEmptyColour = 0xff0000;  ///< red: "Not Selected"

/// One of the five article slots as the main window shows it.
struct ArticleSlot
{
    QString path; ///< full path of the article file; empty: the slot is empty
    QString displayText = QStringLiteral("Not Selected");
    quint32 colour = SlotEmptyColour;
    QString buttonCaption;
    bool missing = false; ///< a site opened with this article, which was not there

    bool filled() const noexcept { return !path.isEmpty(); }
};

/// A mounted file system offered by the drive list.
struct DriveEntry
{
    QString root;  ///< mount point, e.g. "/" or "/media/usb"
    QString label; ///< what the drive list shows
};

/// Controller of the main window: the article browser, the five article slots,
/// the background image list, the site texts, the template variation and the
/// commands of the window's buttons. It knows no widgets: the view binds its
/// controls to the state and signals here and forwards its events; dialogs and
/// the desktop go through UiHost, the window's own displays through
/// MainWindowHost.
class MainWindowController : public QObject
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 5;

    /// The site texts of the "General Site Info" group and the two link texts.
    enum class SiteField {
        SiteName,
        SiteHeadline,
        SiteDescription,
        AdTitle,
        AdDescription,
        ButtonText,
        ButtonUrl,
        VideoId,
        FooterText,
        ReadMoreText,
        RelatedArticlesText,
        SiteUrl,
    };
    Q_ENUM(SiteField)

    /// @p layout says where the program's data lies and sites are written;
    /// @p startFolder is the folder the article browser shows first (the
    /// process's current folder). Both hosts must outlive the controller.
    MainWindowController(UiHost& ui, MainWindowHost& window, InstallLayout layout, QString startFolder,
                         QObject* parent = nullptr);

    // Commands ---------------------------------------------------------------

    /// Start-up: caption, variation list, drives, the start folder, image list.
    void start();
    /// Slot button @p index (0..4): fills an empty slot with the selected article, empties a filled one.
    void toggleSlot(int index);
    /// "Refresh": re-reads the image folders; the selected image stays selected while it exists.
    void refreshImages();
    /// "Choose Image…": a picture from anywhere, through the desktop's file dialog (see useImage).
    void chooseImage();
    /// A picture dropped on the image list or the preview, or chosen: listed
    /// first (unless the list has it already) and selected. Returns false,
    /// with a message naming the file, when it cannot be a background.
    bool useImage(const QString& path);
    void openOutputFolder();
    /// The site folder shown beside the build buttons: opens it.
    void openSiteFolder();
    /// "Preview Site": opens the site's index.html in the default browser.
    void previewSite();
    /// A folder of recentFolders() chosen: the article browser goes there.
    void openRecentFolder(int index);
    /// The site address box was left: an address that a build takes (one
    /// typed without a scheme, say) is shown as the build will use it.
    void completeSiteAddress();
    /// Where the recent article folders are kept between runs (not owned; it
    /// must outlive the controller); without one they are forgotten at the end.
    void setSettings(QSettings* settings);
    void closeWindow();
    void openImagesFolder();
    /// "Tornelle": opens the rewriter on a copy of the five slots.
    void openTornelle();
    void showInstructions();
    /// "Build Minisite".
    void buildSite();
    /// "Load Dummy Data": fills the window with the sample site through the
    /// same operations a person uses (after asking about unsaved changes).
    void loadDemoData();

    // Site projects --------------------------------------------------------------

    /// "Open Site…": asks for a site file and opens it.
    void openSite();
    /// Opens the site file @p path: reads it, asks about unsaved changes, and
    /// fills the window from it; a file that cannot be read is refused with
    /// the reason and the window keeps what it holds. False when not opened.
    bool openSiteFile(const QString& path);
    /// An entry of "Recent Sites"; one whose file is gone may be removed from the list.
    void openRecentSite(const QString& path);
    void clearRecentSites();
    /// "Save Site": saves to the site file, or asks for one. False when nothing was saved.
    bool saveSite();
    /// "Save Site As…": asks for a site file and saves to it. False when nothing was saved.
    bool saveSiteAs();
    /// "Output Folder…": asks for the folder this site builds into.
    void chooseOutputFolder();
    /// Whether the window may close now: no unsaved changes, or the person
    /// saved or discarded them when asked.
    bool mayClose();
    /// "Versions:": 1 builds the site as written, more that many rewritten versions.
    void setVersions(int versions);
    /// Articles dropped on slot @p index fill it and the slots after it.
    void dropArticles(int index, const QStringList& paths);
    /// Makes the picture file @p path the background (see useImage). A file
    /// that is not there stays the background, marked missing, until another
    /// is chosen; empty: none.
    void setBackgroundPath(const QString& path);

    // What a person (or the demo data) does to the controls ------------------

    /// Chooses a drive: the folder list moves to the folder last visited there.
    void setDrive(const QString& root);
    /// Points the folder list at @p path, and the article list at its files.
    /// Returns false, changing nothing, when the folder cannot be opened.
    bool setFolder(const QString& path);
    /// Re-reads the mounted file systems.
    void refreshDrives();
    /// Re-reads the sub-folders of the current folder.
    void refreshFolders();
    /// Re-reads the article list; the selected file stays selected while it exists.
    void refreshFiles();
    /// Selects article @p index (-1: none). Returns false, changing nothing, when there is no such entry.
    bool selectFile(int index);
    /// Selects background image @p index and previews it. Returns false,
    /// changing nothing, when there is no such entry.
    bool selectImage(int index);
    void setSiteText(SiteField field, const QString& text);
    void setVariation(const QString& variation);

    // State --------------------------------------------------------------------

    const QString& caption() const noexcept { return m_caption; }
    const QString& appName() const noexcept { return m_appName; }
    bool tornelleButtonShown() const noexcept { return m_tornelleButtonShown; }
    const InstallLayout& layout() const noexcept { return m_layout; }

    const QList<DriveEntry>& drives() const noexcept { return m_drives; }
    const QString& drive() const noexcept { return m_drive; }
    const QString& folder() const noexcept { return m_folder; }
    /// The current folder and every folder above it, the top-most first.
    QStringList folderChain() const;
    const QStringList& subfolders() const noexcept { return m_subfolders; }
    const QString& fileFolder() const noexcept { return m_fileFolder; }
    const QStringList& files() const noexcept { return m_files; }
    int fileIndex() const noexcept { return m_fileIndex; }
    QString selectedFileName() const;
    const QString& filesFound() const noexcept { return m_filesFound; }

    const ArticleSlot& slot(int index) const { return m_slots.at(std::size_t(index)); }
    SlotPaths slotPaths() const;

    /// The folder "Open Images Folder" opens: the installation's appimages, or
    /// the images folder of the user's data folder where the installation
    /// cannot be written. The image list shows its pictures and the shipped ones.
    const QString& imageFolder() const noexcept { return m_imageFolder; }
    /// The names the image list shows, and the files they stand for.
    const QStringList& images() const noexcept { return m_images; }
    const QStringList& imagePaths() const noexcept { return m_imagePaths; }
    int imageIndex() const noexcept { return m_imageIndex; }
    QString selectedImageName() const;
    QString selectedImagePath() const;
    /// The picture the preview shows; empty until one could be shown.
    const QString& previewPath() const noexcept { return m_previewPath; }

    /// The folder the next build writes into: the site's own output folder,
    /// else output/template<V> of the layout; empty for a variation that
    /// cannot name a folder.
    QString siteFolder() const;
    /// Whether a site (its index.html, or that of its first version) is in siteFolder().
    bool siteBuilt() const;
    /// Folders articles were taken from, the latest first.
    const QStringList& recentFolders() const noexcept { return m_recentFolders; }

    const QStringList& variations() const noexcept { return m_variations; }
    const QString& variation() const noexcept { return m_variation; }
    const SiteInfo& siteInfo() const noexcept { return m_info; }
    QString siteText(SiteField field) const;

    /// The site file of the window; empty until the site is saved or opened.
    const QString& siteFile() const noexcept { return m_siteFile; }
    /// What the window holds, as a site project.
    SiteProject project() const;
    /// True when the window holds what its site file (or, without one, the
    /// window at start-up) does not.
    bool modified() const;
    /// The site's name, the unsaved-changes mark and the caption ("calm* — Quorvale …").
    const QString& windowTitle() const noexcept { return m_windowTitle; }
    int versions() const noexcept { return m_versions; }
    /// The background of a site opened while its file was not there; empty otherwise.
    const QString& missingBackground() const noexcept { return m_missingBackground; }
    /// The site files opened or saved last, newest first.
    const QStringList& recentSites() const noexcept { return m_recentSites; }

Q_SIGNALS:
    void captionChanged(const QString& caption);
    void appNameChanged(const QString& name);
    void tornelleButtonShownChanged(bool shown);
    void drivesChanged();
    void driveChanged(const QString& root);
    void folderChanged(const QString& folder);
    void filesChanged();
    void fileSelectionChanged(int index);
    void filesFoundChanged(const QString& count);
    void slotChanged(int index);
    void imagesChanged();
    void imageSelectionChanged(int index);
    void variationsChanged();
    void variationChanged(const QString& variation);
    void siteTextChanged(quorvale::MainWindowController::SiteField field, const QString& text);
    void windowTitleChanged(const QString& title);
    /// siteFolder() or siteBuilt() may have changed.
    void siteFolderChanged();
    void versionsChanged(int versions);
    void recentSitesChanged();
    void recentFoldersChanged();

private:
    void openDriveFolder();
    void openFolderOrSayWhere(const QString& folder);
    void showFolderFiles();
    void updateFilesFound();
    void previewSelectedImage();
    void readSubfolders();
    void readFiles();
    void readImages();
    void rememberFolder(const QString& folder);
    void watchFolders();
    void folderContentsChanged(const QString& folder);
    QStringList fillSlotsFromSampleArticles();
    void fillSlot(int index, const QString& path, bool missing);
    void updateSiteState();
    bool mayDiscardChanges(const QString& before);
    bool saveTo(const QString& path);
    void applyProject(const SiteProject& project, const QString& path);
    void rememberRecent(const QString& path);
    void setRecentSites(const QStringList& files);
    bool refuseMissingFiles();
    QString builtIndexPage() const;
    void showVersionsResult(const BuildResult& result);

    UiHost& m_ui;
    MainWindowHost& m_window;
    InstallLayout m_layout;
    QString m_startFolder;

    QString m_caption;
    QString m_appName;
    bool m_tornelleButtonShown = false;

    QList<DriveEntry> m_drives;
    QString m_drive;
    QHash<QString, QString> m_driveFolders; ///< last folder visited on each drive
    QString m_folder;
    QStringList m_subfolders;
    QString m_fileFolder;
    QStringList m_files;
    int m_fileIndex = -1;
    QString m_filesFound = QStringLiteral("0");

    std::array<ArticleSlot, SlotCount> m_slots;

    QString m_imageFolder;
    QStringList m_imageFolders; ///< listed one after the other
    QStringList m_chosenImages; ///< chosen or dropped, listed first, the latest first
    QStringList m_images;
    QStringList m_imagePaths;
    int m_imageIndex = -1;
    QString m_previewPath;

    QStringList m_variations;
    QString m_variation;
    SiteInfo m_info;

    QString m_siteFile;
    SiteProject m_savedProject; ///< what the site file holds (at start-up: what the window holds)
    QByteArray m_savedFingerprint; ///< of the site file as this window last read or wrote it
    QString m_outputFolder;        ///< chosen with "Output Folder…"; empty: the default
    int m_versions = 1;
    quint64 m_seed = 0;
    QString m_missingBackground;
    QString m_windowTitle;
    QString m_shownSiteFolder; ///< siteFolder() as last announced
    QStringList m_recentSites;
    QStringList m_recentFolders;
    QSettings* m_settings = nullptr;
    QFileSystemWatcher m_watcher;
};

} // namespace quorvale
