// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindowController.h"

#include "components/Error.h"
#include "components/Version.h"
#include "components/TextFile.h"
#include "site/BackgroundImage.h"
#include "site/BuildSite.h"
#include "site/DemoData.h"
#include "site/SiteAddress.h"
#include "site/SiteProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStorageInfo>
#include <QUrl>
#include <algorithm>
#include <utility>

namespace quorvale {

namespace {

const QString DisplayName = QStringLiteral("Quorvale");
const QString EditionText = QStringLiteral(" PRO ");
const QString NotSelected = QStringLiteral("Not Selected");
const QString RecentFoldersKey = QStringLiteral("recentArticleFolders");
constexpr qsizetype MaxRecentFolders = 8;

using Field = MainWindowController::SiteField;

struct DemoText
{
    Field field;
    QStringView text;
};

// The sample texts "Load Dummy Data" types, in the order it types them.
const DemoText DemoTexts[] = {
    {Field::SiteHeadline, DemoSiteHeadline}, {Field::SiteDescription, DemoSiteDescription},
    {Field::SiteName, DemoSiteName},         {Field::VideoId, DemoVideoId},
    {Field::AdTitle, DemoAdTitle},           {Field::AdDescription, DemoAdDescription},
    {Field::ButtonText, DemoButtonText},     {Field::FooterText, DemoFooterText},
};

QString emptySlotCaption(int index, bool atStartUp)
{
    if (index == 0)
        return atStartUp ? QStringLiteral("Use Selected Article as the Main Article")
                         : QStringLiteral("Use Current Article For Main Article");
    return QStringLiteral("Use Current Article as Article #") + QString::number(index);
}

QString filledSlotCaption(int index)
{
    if (index == 0)
        return QStringLiteral("Remove Article (Main Article)");
    return QStringLiteral("Remove Article ( #") + QString::number(index) + u')';
}

// The mount point of the file system holding @p path; empty when unknown.
QString driveOf(const QString& path)
{
    const QStorageInfo storage(path);
    return storage.isValid() ? storage.rootPath() : QString();
}

QString SiteInfo::*memberOf(Field field)
{
    switch (field) {
    case Field::SiteName:
        return &SiteInfo::siteName;
    case Field::SiteHeadline:
        return &SiteInfo::siteHeadline;
    case Field::SiteDescription:
        return &SiteInfo::siteDescription;
    case Field::AdTitle:
        return &SiteInfo::adTitle;
    case Field::AdDescription:
        return &SiteInfo::adDescription;
    case Field::ButtonText:
        return &SiteInfo::buttonText;
    case Field::ButtonUrl:
        return &SiteInfo::buttonUrl;
    case Field::VideoId:
        return &SiteInfo::videoId;
    case Field::FooterText:
        return &SiteInfo::footerText;
    case Field::ReadMoreText:
        return &SiteInfo::readMoreText;
    case Field::RelatedArticlesText:
        return &SiteInfo::relatedArticlesText;
    case Field::SiteUrl:
        return &SiteInfo::siteUrl;
    }
    return &SiteInfo::siteName;
}

/// How the window names a failed build step.
QString failedStepText(const BuildFailure& failure)
{
    switch (failure.step) {
    case BuildStep::StageFolder:
        return QStringLiteral("The new output folder could not be made");
    case BuildStep::CopyTemplate:
        return QStringLiteral("The template folder could not be copied");
    case BuildStep::RemoveIndexTemplate:
        return QStringLiteral("The template page index.html could not be removed from the site");
    case BuildStep::RemoveArticleTemplate:
        return QStringLiteral("The template page article.html could not be removed from the site");
    case BuildStep::WriteIndexPage:
        return QStringLiteral("The index page (main article) could not be written");
    case BuildStep::WriteArticlePage:
        return QStringLiteral("The page of article #%1 could not be written").arg(failure.article);
    case BuildStep::WriteRobotsAndSitemap:
        return QStringLiteral("robots.txt and sitemap.xml could not be written");
    case BuildStep::CopyBackground:
        return QStringLiteral("The background image could not be copied");
    case BuildStep::ReplaceOutput:
        return QStringLiteral("The new output folder could not be put in place of the old one");
    case BuildStep::RewriteArticles:
        return QStringLiteral("The articles could not be rewritten");
    }
    return {};
}

/// The most site files "Recent Sites" lists.
constexpr qsizetype MaxRecentSites = 10;

const QString UnsavedChangesTitle = QStringLiteral("Unsaved Changes");
const QString RecentSitesKey = QStringLiteral("recentSites");

/// Shows the copy of the template folder on the main window; a progress
/// display still up when the build returns is taken down.
class CopyProgressDisplay final : public BuildProgress
{
public:
    explicit CopyProgressDisplay(MainWindowHost& window) : m_window(window) {}
    ~CopyProgressDisplay() override { copyEnded(); }
    CopyProgressDisplay(const CopyProgressDisplay&) = delete;
    CopyProgressDisplay& operator=(const CopyProgressDisplay&) = delete;

    void copyProgress(qint64 done, qint64 total) override
    {
        m_copying = true;
        m_window.copyProgress(done, total);
    }
    void copyEnded() override
    {
        if (m_copying) {
            m_copying = false;
            m_window.copyEnded();
        }
    }
    bool versionsProgress(int done, int total) override { return m_window.versionsProgress(done, total); }

private:
    MainWindowHost& m_window;
    bool m_copying = false;
};

} // namespace

MainWindowController::MainWindowController(UiHost& ui, MainWindowHost& window, InstallLayout layout,
                                           QString startFolder, QObject* parent)
    : QObject(parent), m_ui(ui), m_window(window), m_layout(std::move(layout)), m_startFolder(std::move(startFolder))
{
    for (int i = 0; i < SlotCount; ++i)
        m_slots[std::size_t(i)].buttonCaption = emptySlotCaption(i, true);
    m_seed = m_window.newSeed();
    // Whatever changes what a build uses may change the title's mark and the site folder.
    for (const auto changed : {&MainWindowController::slotChanged, &MainWindowController::imageSelectionChanged})
        connect(this, changed, this, &MainWindowController::updateSiteState);
    connect(this, &MainWindowController::siteTextChanged, this, &MainWindowController::updateSiteState);
    connect(this, &MainWindowController::variationChanged, this, &MainWindowController::updateSiteState);
    connect(this, &MainWindowController::versionsChanged, this, &MainWindowController::updateSiteState);
    // Files that appear in or vanish from a folder on show are listed at once.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &MainWindowController::folderContentsChanged);
}

void MainWindowController::start()
{
    m_caption = DisplayName + u' ' + QStringView(Version) + u' ' + EditionText;
    Q_EMIT captionChanged(m_caption);
    m_tornelleButtonShown = true;
    Q_EMIT tornelleButtonShownChanged(true);
    m_appName = DisplayName + EditionText;
    Q_EMIT appNameChanged(m_appName);

    m_variations = {QStringLiteral("1"), QStringLiteral("2")};
    Q_EMIT variationsChanged();
    setVariation(m_variations.first());

    // The browser lists show the start-up folder before anything else happens.
    refreshDrives();
    const QFileInfo start(m_startFolder);
    m_folder = start.isDir() ? QDir::cleanPath(start.absoluteFilePath()) : QString();
    m_drive = driveOf(m_folder);
    if (!m_folder.isEmpty())
        m_driveFolders.insert(m_drive, m_folder);
    readSubfolders();
    Q_EMIT driveChanged(m_drive);
    Q_EMIT folderChanged(m_folder);
    m_fileFolder = m_folder;
    readFiles();
    Q_EMIT filesChanged();
    updateFilesFound();

    // Where the installation cannot be written, the user's own pictures go into their data folder.
    const QString shipped = m_layout.installFolder() + u'/' + DemoImageFolder;
    m_imageFolder = m_layout.writesToUserFolder() ? m_layout.userFolder() + QStringLiteral("/images") : shipped;
    m_imageFolders = m_imageFolder == shipped ? QStringList{shipped} : QStringList{m_imageFolder, shipped};
    watchFolders();
    readImages();
    m_imageIndex = -1;
    Q_EMIT imagesChanged();
    if (!m_images.isEmpty())
        selectImage(0);

    // The window as it opens has nothing to save.
    m_savedProject = project();
    m_windowTitle = QStringLiteral("-");
    updateSiteState();
}

void MainWindowController::toggleSlot(int index)
{
    if (index < 0 || index >= SlotCount)
        return;
    ArticleSlot& slot = m_slots[std::size_t(index)];
    if (!slot.filled()) {
        const QString name = selectedFileName();
        if (name.isEmpty()) {
            m_ui.showMessage(QStringLiteral("Please select an article."), QStringLiteral("Error"));
            return;
        }
        slot.displayText = name;
        slot.colour = SlotFilledColour;
        slot.path = m_fileFolder + u'/' + name;
        slot.buttonCaption = filledSlotCaption(index);
        rememberFolder(m_fileFolder);
    } else {
        slot.displayText = NotSelected;
        slot.colour = SlotEmptyColour;
        slot.path.clear();
        slot.missing = false;
        slot.buttonCaption = emptySlotCaption(index, false);
    }
    Q_EMIT slotChanged(index);
}

void MainWindowController::refreshImages()
{
    const QString selected = selectedImagePath();
    readImages();
    m_imageIndex = selected.isEmpty() ? -1 : int(m_imagePaths.indexOf(selected));
    Q_EMIT imagesChanged();
    Q_EMIT imageSelectionChanged(m_imageIndex);
}

void MainWindowController::chooseImage()
{
    const QString path =
        m_ui.chooseFileToOpen(QStringLiteral("Choose Image"), m_imageFolder,
                              QStringLiteral("Pictures (") + backgroundImagePatterns().join(u' ') + u')');
    if (!path.isEmpty())
        useImage(path);
}

bool MainWindowController::useImage(const QString& path)
{
    if (const QString problem = backgroundImageProblem(path); !problem.isEmpty()) {
        m_ui.showMessage(QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
                             QStringLiteral("\" cannot be used as a background: ") + problem + u'.',
                         QStringLiteral("Error"));
        return false;
    }
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!m_imagePaths.contains(file)) {
        m_chosenImages.removeAll(file);
        m_chosenImages.prepend(file);
        readImages();
        Q_EMIT imagesChanged();
    }
    return selectImage(int(m_imagePaths.indexOf(file)));
}

void MainWindowController::openOutputFolder()
{
    QString folder = siteFolder();
    try {
        if (folder.isEmpty())
            m_layout.siteFolder(m_variation);
    } catch (const Error& error) {
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
        return;
    }
    folder += u'/';
    m_ui.showMessage(QStringLiteral("Instructions: Copy all the files to your website. Please make a backup of "
                                    "these files as they will be deleted the next time you make a mini site."),
                     QStringLiteral("Important"));
    openFolderOrSayWhere(folder);
}

void MainWindowController::openSiteFolder()
{
    const QString folder = siteFolder();
    if (QFileInfo(folder).isDir())
        openFolderOrSayWhere(folder);
    else
        m_ui.showMessage(QStringLiteral("No site has been built yet. \"Build Minisite\" writes it here:\n\n") +
                             QDir::toNativeSeparators(folder),
                         QStringLiteral("Open Folder"));
}

void MainWindowController::previewSite()
{
    const QString page = builtIndexPage();
    if (page.isEmpty())
        m_ui.showMessage(QStringLiteral("No site has been built yet. \"Build Minisite\" writes it here:\n\n") +
                             QDir::toNativeSeparators(siteFolder()),
                         QStringLiteral("Preview Site"));
    else if (!m_ui.openAddress(QUrl::fromLocalFile(page).toString()))
        m_ui.showMessage(QStringLiteral("The page could not be opened on this desktop. You find it here:\n\n") +
                             QDir::toNativeSeparators(page),
                         QStringLiteral("Preview Site"));
}

void MainWindowController::openRecentFolder(int index)
{
    const QString folder = m_recentFolders.value(index);
    if (!folder.isEmpty() && !setFolder(folder))
        m_ui.showMessage(QStringLiteral("The folder \"") + QDir::toNativeSeparators(folder) +
                             QStringLiteral("\" cannot be opened."),
                         QStringLiteral("Error"));
}

void MainWindowController::completeSiteAddress()
{
    const QString typed = m_info.siteUrl.trimmed();
    if (typed.isEmpty() || typed.contains(QStringLiteral("://")))
        return;
    try {
        normalizedSiteAddress(typed);
    } catch (const Error&) {
        return; // the build names what is wrong with it
    }
    setSiteText(SiteField::SiteUrl,
                QStringLiteral("https://") + typed + (typed.endsWith(u'/') ? QString() : QStringLiteral("/")));
}

void MainWindowController::setSettings(QSettings* settings)
{
    m_settings = settings;
    m_recentFolders = settings ? settings->value(RecentFoldersKey).toStringList() : QStringList();
    Q_EMIT recentFoldersChanged();
    // Kept as they are: a site on a disk that is not there today may be back tomorrow.
    m_recentSites = settings ? settings->value(RecentSitesKey).toStringList() : QStringList();
    Q_EMIT recentSitesChanged();
}

void MainWindowController::rememberFolder(const QString& folder)
{
    if (!m_recentFolders.isEmpty() && m_recentFolders.first() == folder)
        return;
    m_recentFolders.removeAll(folder);
    m_recentFolders.prepend(folder);
    while (m_recentFolders.size() > MaxRecentFolders)
        m_recentFolders.removeLast();
    if (m_settings)
        m_settings->setValue(RecentFoldersKey, m_recentFolders);
    Q_EMIT recentFoldersChanged();
}

void MainWindowController::watchFolders()
{
    // Changes are told through the event loop; without an application there is none.
    if (!QCoreApplication::instance())
        return;
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    QStringList folders = m_imageFolders;
    folders << m_fileFolder;
    folders.removeAll(QString());
    folders.removeDuplicates();
    for (const QString& folder : std::as_const(folders))
        if (QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
}

void MainWindowController::folderContentsChanged(const QString& folder)
{
    if (folder == m_fileFolder) {
        refreshFiles();
        updateFilesFound();
    }
    if (m_imageFolders.contains(folder))
        refreshImages();
}

void MainWindowController::openFolderOrSayWhere(const QString& folder)
{
    if (!m_ui.openFolder(folder))
        m_ui.showMessage(QStringLiteral("The folder could not be opened on this desktop. You find it here:\n\n") +
                             QDir::toNativeSeparators(folder),
                         QStringLiteral("Open Folder"));
}

void MainWindowController::closeWindow()
{
    m_window.closeWindow();
}

void MainWindowController::openImagesFolder()
{
    // The user's images folder is made the first time it is asked for.
    if (!QFileInfo(m_imageFolder).isDir() && QDir().mkpath(m_imageFolder))
        watchFolders();
    openFolderOrSayWhere(m_imageFolder);
}

void MainWindowController::openTornelle()
{
    m_window.showTornelle(slotPaths());
}

void MainWindowController::showInstructions()
{
    m_window.showInstructions();
}

void MainWindowController::buildSite()
{
    if (refuseMissingFiles())
        return;
    const BuildInput input = siteBuildInput(project(), m_siteFile, m_layout);
    BuildResult result;
    {
        CopyProgressDisplay progress(m_window);
        result = quorvale::buildSite(input, &progress);
    }
    m_window.versionsEnded();
    Q_EMIT siteFolderChanged();
    switch (result.status) {
    case BuildResult::Status::MissingArticles:
        m_ui.showMessage(QStringLiteral("You need to select more articles for your mini site."),
                         QStringLiteral("Missing Info"));
        return;
    case BuildResult::Status::MissingBackground:
        m_ui.showMessage(QStringLiteral("Please select a background."), QStringLiteral("Error"));
        return;
    case BuildResult::Status::Refused:
        m_ui.showMessage(QStringLiteral("The site was not built and nothing was changed:\n\n- ") +
                             result.problems.join(QStringLiteral("\n- ")),
                         QStringLiteral("Error"));
        return;
    case BuildResult::Status::Busy:
        m_ui.showMessage(QStringLiteral("Another build is writing this site. Try again when it has finished."),
                         QStringLiteral("Error"));
        return;
    case BuildResult::Status::Failed:
        m_ui.showMessage(QStringLiteral("The site was not built; the previous one is as it was.\n\n") +
                             failedStepText(result.failure) +
                             (result.failure.version > 0
                                  ? QStringLiteral(" (version ") +
                                        versionFolderName(result.failure.version, input.versions) + u')'
                                  : QString()) +
                             QStringLiteral(": ") + result.failure.reason,
                         QStringLiteral("Error"));
        return;
    case BuildResult::Status::Finished:
    case BuildResult::Status::Cancelled:
        if (input.versions > 1) {
            showVersionsResult(result);
            return;
        }
        break;
    }
    QString text = QStringLiteral("Done! Process complete. Click the 'Open Output Folder' to see the mini site");
    for (const QString& warning : result.warnings)
        text += QStringLiteral("\n\n") + warning;
    if (!result.escapedArticles.isEmpty())
        text += QStringLiteral("\n\nA \"<\" or \"&\" that is not markup is shown as text in:\n- ") +
                result.escapedArticles.join(QStringLiteral("\n- "));
    m_ui.showMessage(text, QStringLiteral("Done"));
}

void MainWindowController::loadDemoData()
{
    if (!mayDiscardChanges(QStringLiteral("loading the sample data")))
        return;
    for (const DemoText& demo : DemoTexts)
        setSiteText(demo.field, demo.text.toString());

    const QString drive = driveOf(m_layout.installFolder());
    if (!drive.isEmpty())
        setDrive(drive);

    // Missing or incomplete sample data is reported at the end instead of the
    // closing "Done!", and slots are never filled from another folder.
    QStringList problems = fillSlotsFromSampleArticles();

    bool backgroundFound = false;
    for (int j = 0; j < m_images.size() && !backgroundFound; ++j) {
        selectImage(j);
        backgroundFound = selectedImageName() == DemoImageFile;
    }
    if (!backgroundFound)
        problems << QStringLiteral("The sample background %1 is not in %2.")
                        .arg(DemoImageFile.toString(), m_layout.installFolder() + u'/' + DemoImageFolder);

    if (problems.isEmpty())
        m_ui.showMessage(QStringLiteral("Done! You can now create your mini site."), QStringLiteral("Done"));
    else
        m_ui.showMessage(QStringLiteral("Some of the sample data is missing:\n\n") + problems.join(u'\n'),
                         QStringLiteral("Demo data incomplete"));
}

QStringList MainWindowController::fillSlotsFromSampleArticles()
{
    const QString articleFolder = m_layout.installFolder() + u'/' + DemoArticleFolder;
    if (!setFolder(articleFolder))
        return {QStringLiteral("The sample articles folder %1 cannot be opened.").arg(articleFolder)};
    QStringList problems;
    refreshFolders();
    m_window.pause(2);
    refreshFiles();
    if (m_files.size() < SlotCount)
        problems << QStringLiteral("The sample articles folder %1 holds %2 article files; %3 are needed.")
                        .arg(articleFolder)
                        .arg(m_files.size())
                        .arg(SlotCount);
    // With fewer than five articles a missing entry leaves the previous one
    // selected, so the later slots take the last article again.
    for (int i = 0; i < SlotCount && !m_files.isEmpty(); ++i) {
        selectFile(i);
        toggleSlot(i);
        m_window.pause(1);
    }
    return problems;
}

void MainWindowController::setDrive(const QString& root)
{
    m_drive = root;
    Q_EMIT driveChanged(m_drive);
    openDriveFolder();
}

void MainWindowController::openDriveFolder()
{
    const QString remembered = m_driveFolders.value(m_drive);
    const QString target = !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : m_drive;
    // A drive that cannot be read leaves the folder and file lists as they are.
    setFolder(target);
}

bool MainWindowController::setFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !QDir(info.absoluteFilePath()).isReadable())
        return false;
    m_folder = QDir::cleanPath(info.absoluteFilePath());
    readSubfolders();
    const QString drive = driveOf(m_folder);
    if (!drive.isEmpty() && drive != m_drive) {
        m_drive = drive;
        Q_EMIT driveChanged(m_drive);
    }
    m_driveFolders.insert(m_drive, m_folder);
    Q_EMIT folderChanged(m_folder);
    showFolderFiles();
    return true;
}

void MainWindowController::showFolderFiles()
{
    m_fileFolder = m_folder;
    watchFolders();
    readFiles();
    m_fileIndex = -1;
    Q_EMIT filesChanged();
    Q_EMIT fileSelectionChanged(-1);
    updateFilesFound();
}

void MainWindowController::updateFilesFound()
{
    m_filesFound = QString::number(m_files.size());
    Q_EMIT filesFoundChanged(m_filesFound);
}

void MainWindowController::refreshDrives()
{
    m_drives.clear();
    QStringList seen;
    const auto volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || seen.contains(root) || !QFileInfo(root).isDir())
            continue;
        seen << root;
        const QString device = QString::fromLocal8Bit(volume.device());
        m_drives.append({root, device.isEmpty() ? root : root + QStringLiteral("   [") + device + u']'});
    }
    std::sort(m_drives.begin(), m_drives.end(), [](const DriveEntry& a, const DriveEntry& b) {
        if ((a.root == u"/") != (b.root == u"/"))
            return a.root == u"/";
        return a.root < b.root;
    });
    Q_EMIT drivesChanged();
}

void MainWindowController::refreshFolders()
{
    readSubfolders();
    Q_EMIT folderChanged(m_folder);
}

void MainWindowController::refreshFiles()
{
    const QString selected = selectedFileName();
    readFiles();
    m_fileIndex = selected.isEmpty() ? -1 : int(m_files.indexOf(selected));
    Q_EMIT filesChanged();
    Q_EMIT fileSelectionChanged(m_fileIndex);
}

bool MainWindowController::selectFile(int index)
{
    if (index < -1 || index >= m_files.size())
        return false;
    m_fileIndex = index;
    Q_EMIT fileSelectionChanged(index);
    return true;
}

bool MainWindowController::selectImage(int index)
{
    if (index < 0 || index >= m_images.size())
        return false;
    m_missingBackground.clear();
    m_imageIndex = index;
    Q_EMIT imageSelectionChanged(index);
    previewSelectedImage();
    return true;
}

void MainWindowController::previewSelectedImage()
{
    const QString path = selectedImagePath();
    if (path.isEmpty())
        return;
    if (m_window.showPicture(path))
        m_previewPath = path;
}

void MainWindowController::setSiteText(SiteField field, const QString& text)
{
    QString& current = m_info.*memberOf(field);
    if (current == text)
        return;
    current = text;
    Q_EMIT siteTextChanged(field, text);
}

void MainWindowController::setVariation(const QString& variation)
{
    if (m_variation == variation)
        return;
    m_variation = variation;
    Q_EMIT variationChanged(variation);
    Q_EMIT siteFolderChanged();
}

QStringList MainWindowController::folderChain() const
{
    QStringList chain;
    QString path = m_folder;
    while (!path.isEmpty()) {
        chain.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path || parent == u".")
            break;
        path = parent;
    }
    return chain;
}

QString MainWindowController::selectedFileName() const
{
    return m_fileIndex >= 0 && m_fileIndex < m_files.size() ? m_files.at(m_fileIndex) : QString();
}

SlotPaths MainWindowController::slotPaths() const
{
    SlotPaths paths;
    for (std::size_t i = 0; i < paths.size(); ++i)
        paths[i] = m_slots[i].path;
    return paths;
}

QString MainWindowController::selectedImageName() const
{
    return m_images.value(m_imageIndex);
}

QString MainWindowController::selectedImagePath() const
{
    return m_imagePaths.value(m_imageIndex);
}

bool MainWindowController::siteBuilt() const
{
    return !builtIndexPage().isEmpty();
}

QString MainWindowController::builtIndexPage() const
{
    const QString folder = siteFolder();
    if (folder.isEmpty())
        return {};
    // A build of versions has its sites in 01, 02 ... (001 ... from 100 on).
    for (const QStringView page : {u"/index.html", u"/01/index.html", u"/001/index.html"}) {
        if (QFileInfo(folder + page).isFile())
            return folder + page;
    }
    return {};
}

QString MainWindowController::siteText(SiteField field) const
{
    return m_info.*memberOf(field);
}

void MainWindowController::readSubfolders()
{
    m_subfolders = m_folder.isEmpty()
                       ? QStringList()
                       : QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void MainWindowController::readFiles()
{
    m_files = articleFileNames(m_fileFolder);
}

void MainWindowController::readImages()
{
    m_images.clear();
    m_imagePaths.clear();
    for (const QString& path : std::as_const(m_chosenImages)) {
        if (QFileInfo(path).isFile()) {
            m_images << QFileInfo(path).fileName();
            m_imagePaths << path;
        }
    }
    for (const QString& folder : std::as_const(m_imageFolders)) {
        for (const QString& name : imageFileNames(folder)) {
            const QString path = folder + u'/' + name;
            if (!m_imagePaths.contains(path)) {
                m_images << name;
                m_imagePaths << path;
            }
        }
    }
}

// Site projects ------------------------------------------------------------------

SiteProject MainWindowController::project() const
{
    SiteProject project;
    project.articles = slotPaths();
    project.background = m_missingBackground.isEmpty() ? selectedImagePath() : m_missingBackground;
    project.variation = m_variation;
    project.info = m_info;
    project.outputFolder = m_outputFolder;
    project.versions = m_versions;
    project.seed = m_seed;
    return project;
}

bool MainWindowController::modified() const
{
    return project() != m_savedProject;
}

QString MainWindowController::siteFolder() const
{
    if (!m_outputFolder.isEmpty() || !m_siteFile.isEmpty())
        return outputFolderOf(project(), m_siteFile);
    try {
        return m_layout.siteFolder(m_variation);
    } catch (const Error&) {
        return {};
    }
}

void MainWindowController::updateSiteState()
{
    if (m_windowTitle.isEmpty())
        return; // still starting
    const bool changed = modified();
    QString title = m_caption;
    if (!m_siteFile.isEmpty())
        title = QFileInfo(m_siteFile).completeBaseName() + (changed ? QStringLiteral("*") : QString()) +
                QStringLiteral(" \u2014 ") + m_caption;
    else if (changed)
        title = QStringLiteral("Untitled Site* \u2014 ") + m_caption;
    if (title != m_windowTitle) {
        m_windowTitle = title;
        Q_EMIT windowTitleChanged(m_windowTitle);
    }
    if (const QString folder = siteFolder(); folder != m_shownSiteFolder) {
        m_shownSiteFolder = folder;
        Q_EMIT siteFolderChanged();
    }
}

bool MainWindowController::mayDiscardChanges(const QString& before)
{
    if (!modified())
        return true;
    const QString site = m_siteFile.isEmpty()
                             ? QStringLiteral("this site")
                             : QStringLiteral("the site \"") + QFileInfo(m_siteFile).completeBaseName() + u'"';
    switch (m_ui.showMessage(QStringLiteral("Save the changes to ") + site + QStringLiteral(" before ") + before +
                                 QStringLiteral("?\n\nWithout saving, they are lost."),
                             UnsavedChangesTitle, MessageButtons::SaveDiscardCancel)) {
    case MessageAnswer::Save:
        return saveSite();
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

bool MainWindowController::mayClose()
{
    return mayDiscardChanges(QStringLiteral("closing"));
}

void MainWindowController::openSite()
{
    const QString start = m_siteFile.isEmpty() ? m_folder : QFileInfo(m_siteFile).absolutePath();
    const QString path = m_ui.chooseFileToOpen(QStringLiteral("Open Site"), start,
                                               QStringLiteral("Quorvale sites (*.quorvale);;All files (*)"));
    if (!path.isEmpty())
        openSiteFile(path);
}

bool MainWindowController::openSiteFile(const QString& path)
{
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    SiteProject loaded;
    try {
        loaded = loadSiteProject(file, m_layout.installFolder());
    } catch (const Error& error) {
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
        return false;
    }
    if (!mayDiscardChanges(QStringLiteral("opening another site")))
        return false;
    applyProject(loaded, file);
    return true;
}

void MainWindowController::applyProject(const SiteProject& project, const QString& path)
{
    m_siteFile = path;
    m_savedProject = project;
    m_savedFingerprint = fileFingerprint(path);
    m_outputFolder = project.outputFolder;
    m_seed = project.seed;
    QStringList missing;
    for (int i = 0; i < SlotCount; ++i) {
        const QString& article = project.articles[std::size_t(i)];
        const bool gone = !article.isEmpty() && !notARegularFile(article).isEmpty();
        fillSlot(i, article, gone);
        if (gone)
            missing << (i == 0 ? QStringLiteral("Main article: ") : QStringLiteral("Article #%1: ").arg(i)) + article;
    }
    for (int field = 0; field <= int(SiteField::SiteUrl); ++field)
        setSiteText(SiteField(field), project.info.*memberOf(SiteField(field)));
    setVariation(project.variation);
    setVersions(project.versions);
    setBackgroundPath(project.background);
    if (!m_missingBackground.isEmpty())
        missing << QStringLiteral("Background: ") + m_missingBackground;
    rememberRecent(path);
    updateSiteState();
    if (!missing.isEmpty())
        m_ui.showMessage(QStringLiteral("The site opened, but some of its files are not there. Choose them again "
                                        "before building:\n\n") +
                             missing.join(u'\n'),
                         QStringLiteral("Missing Files"));
}

void MainWindowController::fillSlot(int index, const QString& path, bool missing)
{
    ArticleSlot& slot = m_slots[std::size_t(index)];
    slot.path = path;
    slot.missing = missing;
    if (path.isEmpty()) {
        slot.displayText = NotSelected;
        slot.colour = SlotEmptyColour;
        slot.buttonCaption = emptySlotCaption(index, true);
    } else {
        const QString name = QFileInfo(path).fileName();
        slot.displayText = missing ? name + QStringLiteral(" (missing)") : name;
        slot.colour = missing ? SlotEmptyColour : SlotFilledColour;
        slot.buttonCaption = filledSlotCaption(index);
    }
    Q_EMIT slotChanged(index);
}

void MainWindowController::openRecentSite(const QString& path)
{
    if (const QString problem = notARegularFile(path); !problem.isEmpty()) {
        // A file on a disk that is not there today may be back tomorrow: the person decides.
        if (m_ui.showMessage(QStringLiteral("The site file \"") + path + QStringLiteral("\" cannot be opened: ") +
                                 problem + QStringLiteral(".\n\nRemove it from the recent sites?"),
                             QStringLiteral("Recent Sites"), MessageButtons::YesNo) == MessageAnswer::Yes) {
            QStringList files = m_recentSites;
            files.removeAll(path);
            setRecentSites(files);
        }
        return;
    }
    openSiteFile(path);
}

void MainWindowController::clearRecentSites()
{
    setRecentSites({});
}

void MainWindowController::rememberRecent(const QString& path)
{
    QStringList files = m_recentSites;
    files.removeAll(path);
    files.prepend(path);
    setRecentSites(files.mid(0, MaxRecentSites));
}

void MainWindowController::setRecentSites(const QStringList& files)
{
    m_recentSites = files;
    if (m_settings)
        m_settings->setValue(RecentSitesKey, files);
    Q_EMIT recentSitesChanged();
}

bool MainWindowController::saveSite()
{
    if (m_siteFile.isEmpty())
        return saveSiteAs();
    // Another window or program may have saved the file since this one read it.
    if (fileFingerprint(m_siteFile) != m_savedFingerprint &&
        m_ui.showMessage(QStringLiteral("The site file \"") + m_siteFile +
                             QStringLiteral("\" was changed or removed since this window opened or saved it, by "
                                            "another window or program. Save over it all the same?"),
                         QStringLiteral("Site File Changed"), MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    return saveTo(m_siteFile);
}

bool MainWindowController::saveSiteAs()
{
    QString start = m_siteFile;
    if (start.isEmpty()) {
        QString name = m_info.siteName.trimmed();
        name.replace(QRegularExpression(QStringLiteral("[^\\w-]+")), QStringLiteral("-"));
        // The sample articles of an installed program lie where no one may write.
        const QString folder = QFileInfo(m_folder).isWritable() ? m_folder : QDir::homePath();
        start = folder + u'/' + (name.isEmpty() ? QStringLiteral("site") : name) + QStringLiteral(".quorvale");
    }
    QString path = m_window.askForPath(MainWindowHost::PathQuestion::SiteToSave, start);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".quorvale");
    path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (QFileInfo::exists(path) && !isSiteProjectFile(path) &&
        m_ui.showMessage(u'"' + path +
                             QStringLiteral("\" is not a Quorvale site file. Replace it with this site all the same?"),
                         QStringLiteral("Save Site As"), MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    return saveTo(path);
}

bool MainWindowController::saveTo(const QString& path)
{
    const SiteProject current = project();
    try {
        saveSiteProject(current, path, m_layout.installFolder());
    } catch (const Error& error) {
        m_ui.showMessage(error.message() + QStringLiteral("\n\nThe site was not saved."), QStringLiteral("Error"));
        return false;
    }
    m_siteFile = path;
    m_savedProject = current;
    m_savedFingerprint = fileFingerprint(path);
    rememberRecent(path);
    updateSiteState();
    return true;
}

void MainWindowController::chooseOutputFolder()
{
    const QString folder = m_window.askForPath(MainWindowHost::PathQuestion::OutputFolder, siteFolder());
    if (folder.isEmpty())
        return;
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (const QString problem = siteFolderProblem(clean); !problem.isEmpty()) {
        m_ui.showMessage(problem, QStringLiteral("Output Folder"));
        return;
    }
    m_outputFolder = clean;
    updateSiteState();
}

void MainWindowController::setVersions(int versions)
{
    versions = std::clamp(versions, 1, MaxSiteVersions);
    if (m_versions == versions)
        return;
    m_versions = versions;
    Q_EMIT versionsChanged(versions);
}

void MainWindowController::dropArticles(int index, const QStringList& paths)
{
    for (const QString& path : paths) {
        if (index >= SlotCount)
            return;
        if (const QString problem = notARegularFile(path); !problem.isEmpty()) {
            m_ui.showMessage(u'"' + path + QStringLiteral("\" cannot be an article: ") + problem + u'.',
                             QStringLiteral("Error"));
            return;
        }
        fillSlot(index++, QDir::cleanPath(QFileInfo(path).absoluteFilePath()), false);
    }
}

void MainWindowController::setBackgroundPath(const QString& path)
{
    m_missingBackground.clear();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // Kept, so that the site stays as its file has it until another background is chosen.
        m_missingBackground = path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        m_imageIndex = -1;
        Q_EMIT imageSelectionChanged(-1);
    } else if (!useImage(path)) {
        m_missingBackground = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
}

bool MainWindowController::refuseMissingFiles()
{
    QStringList missing;
    for (int i = 0; i < SlotCount; ++i) {
        const ArticleSlot& slot = m_slots[std::size_t(i)];
        if (slot.missing && !notARegularFile(slot.path).isEmpty())
            missing << slot.path;
    }
    if (!m_missingBackground.isEmpty())
        missing << m_missingBackground;
    if (missing.isEmpty())
        return false;
    m_ui.showMessage(QStringLiteral("These files of the site are not there; choose them again before building:\n\n") +
                         missing.join(u'\n'),
                     QStringLiteral("Missing Files"));
    return true;
}

void MainWindowController::showVersionsResult(const BuildResult& result)
{
    const QString folder = QDir::toNativeSeparators(result.siteFolder);
    if (result.versionsBuilt == 0) {
        m_ui.showMessage(QStringLiteral("The build was cancelled before the first version was finished; the "
                                        "previous site is as it was."),
                         QStringLiteral("Cancelled"));
        return;
    }
    QString summary = result.status == BuildResult::Status::Cancelled
                          ? QStringLiteral("Cancelled: the first %1 of %2 versions were built and are complete in %3; "
                                           "the others were not begun.")
                                .arg(result.versionsBuilt)
                                .arg(result.report.requested)
                                .arg(folder)
                          : QStringLiteral("Done! %1 versions of the site were built into %2.")
                                .arg(result.versionsBuilt)
                                .arg(folder);
    for (const QString& warning : result.warnings)
        summary += QStringLiteral("\n\n") + warning;
    if (!result.escapedArticles.isEmpty())
        summary += QStringLiteral("\n\nA \"<\" or \"&\" that is not markup is shown as text in:\n- ") +
                   result.escapedArticles.join(QStringLiteral("\n- "));
    m_window.showVersionsReport(summary, result.report);
}

} // namespace quorvale
