#include "ui/frmMass.h"

#include "components/Error.h"
#include "site/BuildSite.h"
#include "site/DemoData.h"
#include "site/Templates.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <utility>

namespace quorvale {

namespace {

const QString DisplayName = QStringLiteral("Quorvale");
const QString VersionText = QStringLiteral(QUORVALE_VERSION);
const QString EditionText = QStringLiteral(" PRO ");
const QString NotSelected = QStringLiteral("Not Selected");

struct DemoText
{
    frmMass::SiteField field;
    QStringView text;
};

// The sample texts "Load Dummy Data" types, in the order it types them.
const DemoText DemoTexts[] = {
    {frmMass::SiteField::SiteHeadline, DemoSiteHeadline}, {frmMass::SiteField::SiteDescription, DemoSiteDescription},
    {frmMass::SiteField::SiteName, DemoSiteName},         {frmMass::SiteField::VideoId, DemoVideoId},
    {frmMass::SiteField::AdTitle, DemoAdTitle},           {frmMass::SiteField::AdDescription, DemoAdDescription},
    {frmMass::SiteField::ButtonText, DemoButtonText},     {frmMass::SiteField::FooterText, DemoFooterText},
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

// Forwards a build's messages and copy progress to the window's host; a
// progress display still up when the build returns is taken down.
class MassBuildHost final : public BuildHost
{
public:
    explicit MassBuildHost(MassHost& host) : m_host(host) {}
    ~MassBuildHost() override { endCopy(); }
    MassBuildHost(const MassBuildHost&) = delete;
    MassBuildHost& operator=(const MassBuildHost&) = delete;

    void showMessage(const QString& text, const QString& title) override
    {
        m_host.showMessage(text, title, MessageButtons::Ok);
    }

    void copyProgress(qint64 done, qint64 total) override
    {
        m_copying = true;
        m_host.copyProgress(done, total);
    }

    void copyEnded() override { endCopy(); }

private:
    void endCopy()
    {
        if (m_copying) {
            m_copying = false;
            m_host.copyEnded();
        }
    }

    MassHost& m_host;
    bool m_copying = false;
};

QString SiteInfo::*memberOf(frmMass::SiteField field)
{
    using Field = frmMass::SiteField;
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
    }
    return &SiteInfo::siteName;
}

} // namespace

frmMass::frmMass(MassHost& host, QString installFolder, QString startFolder, QObject* parent)
    : QObject(parent), m_host(host), m_installFolder(std::move(installFolder)), m_startFolder(std::move(startFolder))
{
    for (int i = 0; i < SlotCount; ++i)
        m_slots[std::size_t(i)].buttonCaption = emptySlotCaption(i, true);
}

void frmMass::Form_Load()
{
    m_caption = DisplayName + u' ' + VersionText + u' ' + EditionText;
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
    UpdateFilesFound();

    // A missing template folder must not stop the window from opening: every
    // build loads the templates again and reports what it cannot read.
    try {
        m_work.templates = LoadTemplates(m_installFolder, m_variation, m_info.videoId);
    } catch (const Error&) {
    }

    m_imageFolder = m_installFolder + u'/' + DemoImageFolder;
    readImages();
    m_imageIndex = -1;
    Q_EMIT imagesChanged();
    if (!m_images.isEmpty())
        selectImage(0);
}

void frmMass::Drive1_Change()
{
    const QString remembered = m_driveFolders.value(m_drive);
    const QString target = !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : m_drive;
    // A drive that cannot be read leaves the folder and file lists as they are.
    setFolder(target);
}

void frmMass::Dir1_Change()
{
    m_fileFolder = m_folder;
    readFiles();
    m_fileIndex = -1;
    Q_EMIT filesChanged();
    Q_EMIT fileSelectionChanged(-1);
    UpdateFilesFound();
}

void frmMass::cmdSelectArticle_Click(int index)
{
    if (index < 0 || index >= SlotCount)
        return;
    ArticleSlot& slot = m_slots[std::size_t(index)];
    if (!slot.filled()) {
        const QString name = selectedFileName();
        if (name.isEmpty()) {
            m_host.showMessage(QStringLiteral("Please select an article."), QStringLiteral("Error"));
            return;
        }
        slot.displayText = name;
        slot.colour = SlotFilledColour;
        slot.path = m_fileFolder + u'/' + name;
        slot.buttonCaption = filledSlotCaption(index);
    } else {
        slot.displayText = NotSelected;
        slot.colour = SlotEmptyColour;
        slot.path.clear();
        slot.buttonCaption = emptySlotCaption(index, false);
    }
    Q_EMIT slotChanged(index);
}

void frmMass::UpdateFilesFound()
{
    m_filesFound = QString::number(m_files.size());
    Q_EMIT filesFoundChanged(m_filesFound);
}

void frmMass::File2_Click()
{
    const QString name = selectedImageName();
    if (name.isEmpty())
        return;
    const QString path = m_imageFolder + u'/' + name;
    if (m_host.showPicture(path))
        m_previewPath = path;
}

void frmMass::Label28_Click()
{
    const QString selected = selectedImageName();
    readImages();
    m_imageIndex = selected.isEmpty() ? -1 : int(m_images.indexOf(selected));
    Q_EMIT imagesChanged();
    Q_EMIT imageSelectionChanged(m_imageIndex);
}

void frmMass::Command1_Click()
{
    m_host.showMessage(QStringLiteral("Instructions: Copy all the files to your website. Please make a backup of "
                                      "these files as they will be deleted the next time you make a mini site."),
                       QStringLiteral("Important"));
    m_host.openFolder(outputFolder());
}

void frmMass::Command2_Click()
{
    m_host.closeWindow();
}

void frmMass::Command3_Click()
{
    m_host.openFolder(m_imageFolder);
}

void frmMass::Command4_Click()
{
    m_host.showTornelle(slotPaths());
}

void frmMass::lblInstructions_Click()
{
    m_host.showInstructions();
}

void frmMass::vbtnLoad_Click()
{
    const BuildInput input{m_installFolder, slotPaths(), m_imageFolder, selectedImageName(), m_variation, m_info};
    MassBuildHost buildHost(m_host);
    BuildSite(input, m_work, buildHost);
}

void frmMass::cmdDummy_Click()
{
    LoadDemoData();
}

void frmMass::LoadDemoData()
{
    // Missing or incomplete sample data is reported at the end instead of the
    // closing "Done!", and slots are never filled from another folder.
    QStringList problems;

    for (const DemoText& demo : DemoTexts)
        setSiteText(demo.field, demo.text.toString());

    const QString drive = driveOf(m_installFolder);
    if (!drive.isEmpty())
        setDrive(drive);

    const QString articleFolder = m_installFolder + u'/' + DemoArticleFolder;
    if (!setFolder(articleFolder)) {
        problems << QStringLiteral("The sample articles folder %1 cannot be opened.").arg(articleFolder);
    } else {
        refreshFolders();
        m_host.pause(2);
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
            cmdSelectArticle_Click(i);
            m_host.pause(1);
        }
    }

    bool backgroundFound = false;
    for (int j = 0; j < m_images.size() && !backgroundFound; ++j) {
        selectImage(j);
        backgroundFound = selectedImageName() == DemoImageFile;
    }
    if (!backgroundFound)
        problems
            << QStringLiteral("The sample background %1 is not in %2.").arg(DemoImageFile.toString(), m_imageFolder);

    if (problems.isEmpty())
        m_host.showMessage(DemoDoneText.toString(), DemoDoneTitle.toString());
    else
        m_host.showMessage(QStringLiteral("Some of the sample data is missing:\n\n") + problems.join(u'\n'),
                           QStringLiteral("Demo data incomplete"));
}

void frmMass::setDrive(const QString& root)
{
    m_drive = root;
    Q_EMIT driveChanged(m_drive);
    Drive1_Change();
}

bool frmMass::setFolder(const QString& path)
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
    Dir1_Change();
    return true;
}

void frmMass::refreshDrives()
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

void frmMass::refreshFolders()
{
    readSubfolders();
    Q_EMIT folderChanged(m_folder);
}

void frmMass::refreshFiles()
{
    const QString selected = selectedFileName();
    readFiles();
    m_fileIndex = selected.isEmpty() ? -1 : int(m_files.indexOf(selected));
    Q_EMIT filesChanged();
    Q_EMIT fileSelectionChanged(m_fileIndex);
}

bool frmMass::selectFile(int index)
{
    if (index < -1 || index >= m_files.size())
        return false;
    m_fileIndex = index;
    Q_EMIT fileSelectionChanged(index);
    return true;
}

bool frmMass::selectImage(int index)
{
    if (index < 0 || index >= m_images.size())
        return false;
    m_imageIndex = index;
    Q_EMIT imageSelectionChanged(index);
    File2_Click();
    return true;
}

void frmMass::setSiteText(SiteField field, const QString& text)
{
    QString& current = m_info.*memberOf(field);
    if (current == text)
        return;
    current = text;
    Q_EMIT siteTextChanged(field, text);
}

void frmMass::setVariation(const QString& variation)
{
    if (m_variation == variation)
        return;
    m_variation = variation;
    Q_EMIT variationChanged(variation);
}

QStringList frmMass::folderChain() const
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

QString frmMass::selectedFileName() const
{
    return m_fileIndex >= 0 && m_fileIndex < m_files.size() ? m_files.at(m_fileIndex) : QString();
}

SlotPaths frmMass::slotPaths() const
{
    SlotPaths paths;
    for (std::size_t i = 0; i < paths.size(); ++i)
        paths[i] = m_slots[i].path;
    return paths;
}

QString frmMass::selectedImageName() const
{
    return m_imageIndex >= 0 && m_imageIndex < m_images.size() ? m_images.at(m_imageIndex) : QString();
}

QString frmMass::siteText(SiteField field) const
{
    return m_info.*memberOf(field);
}

QString frmMass::outputFolder() const
{
    return m_installFolder + QStringLiteral("/output/template") + m_variation + u'/';
}

void frmMass::readSubfolders()
{
    m_subfolders = m_folder.isEmpty()
                       ? QStringList()
                       : QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void frmMass::readFiles()
{
    m_files = ArticleFileNames(m_fileFolder);
}

void frmMass::readImages()
{
    m_images = ImageFileNames(m_imageFolder);
}

} // namespace quorvale
