#pragma once

#include "site/InstallLayout.h"
#include "site/SiteTypes.h"
#include "ui/MainWindowHost.h"
#include "ui/UiHost.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

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
    /// "Refresh": re-reads the image folder; the selected image stays selected while it exists.
    void refreshImages();
    void openOutputFolder();
    void closeWindow();
    void openImagesFolder();
    /// "Tornelle": opens the rewriter on a copy of the five slots.
    void openTornelle();
    void showInstructions();
    /// "Build Minisite".
    void buildSite();
    /// "Load Dummy Data": fills the window with the sample site through the
    /// same operations a person uses.
    void loadDemoData();

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

    const QString& imageFolder() const noexcept { return m_imageFolder; }
    const QStringList& images() const noexcept { return m_images; }
    int imageIndex() const noexcept { return m_imageIndex; }
    QString selectedImageName() const;
    /// The picture the preview shows; empty until one could be shown.
    const QString& previewPath() const noexcept { return m_previewPath; }

    const QStringList& variations() const noexcept { return m_variations; }
    const QString& variation() const noexcept { return m_variation; }
    const SiteInfo& siteInfo() const noexcept { return m_info; }
    QString siteText(SiteField field) const;

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

private:
    void openDriveFolder();
    void openFolderOrSayWhere(const QString& folder);
    void showFolderFiles();
    void updateFilesFound();
    void previewSelectedImage();
    void readSubfolders();
    void readFiles();
    void readImages();
    QStringList fillSlotsFromSampleArticles();

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
    QStringList m_images;
    int m_imageIndex = -1;
    QString m_previewPath;

    QStringList m_variations;
    QString m_variation;
    SiteInfo m_info;
};

} // namespace quorvale
