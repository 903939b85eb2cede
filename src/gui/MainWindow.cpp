// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainWindow.h"

#include "gui/Desktop.h"
#include "gui/InstructionsDialog.h"
#include "gui/LinkLabel.h"
#include "gui/TornelleWindow.h"
#include "gui/Twips.h"
#include "gui/VersionsReportDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace quorvale {

namespace {

const QColor Blue(0, 0, 255);
const QColor DarkBlue(0, 0, 128);
const QColor DarkGreen(0, 128, 0);
const QColor Grey(128, 128, 128);
const QColor BannerGrey(64, 64, 64);

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setBold(QWidget* widget, qreal pointSizeFactor = 1.0)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pointSizeFactor != 1.0)
        font.setPointSizeF(font.pointSizeF() * pointSizeFactor);
    widget->setFont(font);
}

QLabel* makeLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent, bool bold = false)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    if (bold)
        setBold(button);
    return button;
}

QColor colourOf(quint32 rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

// The hint under the video id box and an example address with the id in blue.
void addVideoHelp(QGridLayout* grid, int& row, QWidget* group)
{
    auto* emptyHint = makeLabel(QStringLiteral("Leave it empty to not use video."), QStringLiteral("Label33"), group);
    setTextColour(emptyHint, Grey);
    grid->addWidget(emptyHint, row++, 1);

    auto* explanation = makeLabel(
        QStringLiteral("In the following example, the video ID is the part of a YouTube url that you see in Blue:"),
        QStringLiteral("Label23"), group);
    explanation->setWordWrap(true);
    setTextColour(explanation, DarkGreen);
    auto* exampleAddress =
        makeLabel(QStringLiteral("https://www.youtube.com/watch?v="), QStringLiteral("Label30"), group);
    setTextColour(exampleAddress, Qt::black);
    auto* exampleId = makeLabel(QStringLiteral("fWFuQR_Wt4M"), QStringLiteral("Label31"), group);
    setTextColour(exampleId, Blue);
    auto* example = new QHBoxLayout;
    example->setSpacing(0);
    example->addWidget(exampleAddress);
    example->addWidget(exampleId);
    example->addStretch(1);
    auto* tip = makeLabel(QStringLiteral("Tip: You can use a Video Promo to Pre-Sell a Product"),
                          QStringLiteral("Label27"), group);
    setTextColour(tip, DarkGreen);
    grid->addItem(new QSpacerItem(0, 4), row++, 0);
    grid->addWidget(explanation, row++, 0, 1, 2);
    grid->addLayout(example, row++, 0, 1, 2);
    grid->addWidget(tip, row++, 0, 1, 2);
}

// The window "Tornelle" opens until the real one is plugged in.
QWidget* createTornellePlaceholder(const SlotPaths&)
{
    auto* window = new QWidget;
    window->setObjectName(QStringLiteral("tornelleWindow"));
    window->setWindowTitle(QStringLiteral("Tornelle"));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->resize(twipsToPixels(TornelleWindow::SizeTwips, *window));
    return window;
}

/// The one local file a drag carries; empty for anything else.
QString droppedFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}

/// The local files dropped with @p data.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

MainWindow::MainWindow(Desktop& desktop, const InstallLayout& installLayout, const QString& startFolder,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_desktop(desktop), m_ui(desktop, this), m_controller(m_ui, *this, installLayout, startFolder),
      m_tornelleFactory(createTornellePlaceholder)
{
    setObjectName(QStringLiteral("mainWindow"));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->setSpacing(10);
    body->addWidget(createArticlesGroup(), 56);
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(createSiteInfoGroup(), 1);
    right->addWidget(createBuildRow());
    body->addLayout(right, 44);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createBanner());
    layout->addLayout(body, 1);

    setFixedSize(twipsToPixels(SizeTwips, *this));
    centreOnScreen(*this);
    // Article files dropped on a slot, a picture on the image list, a site file anywhere.
    setAcceptDrops(true);

    connectController();
    m_controller.start();
    showRecentFolders();
}

MainWindow::~MainWindow() = default;

void MainWindow::setTornelleFactory(TornelleFactory factory)
{
    m_tornelleFactory = std::move(factory);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A picture dropped on the image list or the preview becomes the background.
    if ((watched == m_imageList->viewport() || watched == m_preview) &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            m_controller.useImage(file);
        return true;
    }
    // Backspace in the folder list goes up one folder.
    if (watched == m_folderTree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        const QStringList chain = m_controller.folderChain();
        if (chain.size() > 1)
            m_controller.setFolder(chain.at(chain.size() - 2));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The folder list and the site folder's link had no size before the window was first shown.
    revealCurrentFolder();
    showSiteFolder();
}

QWidget* MainWindow::createBanner()
{
    auto* banner = new QWidget(this);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setAutoFillBackground(true);
    QPalette palette = banner->palette();
    palette.setColor(QPalette::Window, BannerGrey);
    palette.setColor(QPalette::WindowText, Qt::white);
    banner->setPalette(palette);

    m_appNameLabel = makeLabel(QString(), QStringLiteral("lblAppName"), banner);
    setBold(m_appNameLabel, 1.8);
    auto* instructions = new LinkLabel(QStringLiteral("Instructions"), banner);
    instructions->setObjectName(QStringLiteral("lblInstructions"));
    setBold(instructions);
    connect(instructions, &LinkLabel::clicked, &m_controller, &MainWindowController::showInstructions);
    m_tornelleButton = makeButton(QStringLiteral("&Tornelle"), QStringLiteral("Command4"), banner, true);
    m_tornelleButton->hide();
    connect(m_tornelleButton, &QPushButton::clicked, &m_controller, &MainWindowController::openTornelle);
    auto* dummy = makeButton(QStringLiteral("&Load Dummy Data"), QStringLiteral("cmdDummy"), banner);
    connect(dummy, &QPushButton::clicked, &m_controller, &MainWindowController::loadDemoData);

    auto* layout = new QHBoxLayout(banner);
    layout->setContentsMargins(14, 8, 12, 8);
    layout->setSpacing(18);
    layout->addWidget(m_appNameLabel);
    layout->addSpacing(12);
    layout->addWidget(instructions);
    layout->addWidget(m_tornelleButton);
    layout->addWidget(createSiteMenu(banner));
    layout->addStretch(1);
    layout->addWidget(dummy);
    return banner;
}

// "Site": the site file and the site's output folder; the shortcuts work anywhere in the window.
QPushButton* MainWindow::createSiteMenu(QWidget* banner)
{
    // The arrow is part of the caption: not every style draws a menu button's own.
    auto* button = makeButton(QStringLiteral("&Site \u25BE"), QStringLiteral("cmdSite"), banner, true);
    auto* menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("mnuSite"));
    const auto add = [this, menu](const QString& text, const QString& name, const QKeySequence& keys, auto command) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, &m_controller, command);
        addAction(action);
        menu->addAction(action);
    };
    add(QStringLiteral("&Open Site…"), QStringLiteral("actOpenSite"), QKeySequence::Open,
        &MainWindowController::openSite);
    m_recentMenu = menu->addMenu(QStringLiteral("&Recent Sites"));
    m_recentMenu->setObjectName(QStringLiteral("mnuRecentSites"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::showRecentSites);
    menu->addSeparator();
    add(QStringLiteral("&Save Site"), QStringLiteral("actSaveSite"), QKeySequence::Save,
        &MainWindowController::saveSite);
    add(QStringLiteral("Save Site &As…"), QStringLiteral("actSaveSiteAs"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
        &MainWindowController::saveSiteAs);
    menu->addSeparator();
    add(QStringLiteral("O&utput Folder…"), QStringLiteral("actOutputFolder"), QKeySequence(),
        &MainWindowController::chooseOutputFolder);
    connect(button, &QPushButton::clicked, menu,
            [button, menu] { menu->popup(button->mapToGlobal(QPoint(0, button->height()))); });
    button->setAccessibleName(QStringLiteral("Site"));
    return button;
}

// Rebuilt each time the menu opens: a site saved in another window shows at once.
void MainWindow::showRecentSites()
{
    m_recentMenu->clear();
    const QStringList files = m_controller.recentSites();
    for (const QString& file : files) {
        QAction* action = m_recentMenu->addAction(QDir::toNativeSeparators(file));
        connect(action, &QAction::triggered, this, [this, file] { m_controller.openRecentSite(file); });
    }
    if (files.isEmpty())
        m_recentMenu->addAction(QStringLiteral("No Recent Sites"))->setEnabled(false);
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(QStringLiteral("&Clear Recent Sites"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, &m_controller, &MainWindowController::clearRecentSites);
}

QWidget* MainWindow::createArticlesGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Articles"), this);
    group->setObjectName(QStringLiteral("fraArticles"));
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(5);
    auto* heading = makeLabel(QStringLiteral("Select a Folder with Articles:"), QStringLiteral("Label6"), group);
    setBold(heading);
    m_recentFolders = new QComboBox(group);
    m_recentFolders->setObjectName(QStringLiteral("cboRecentFolders"));
    m_recentFolders->setPlaceholderText(QStringLiteral("Recent Folders"));
    m_recentFolders->setAccessibleName(QStringLiteral("Recent article folders"));
    m_recentFolders->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_recentFolders->setMinimumContentsLength(14);
    connect(m_recentFolders, &QComboBox::activated, this, [this](int index) {
        m_controller.openRecentFolder(index);
        m_recentFolders->setCurrentIndex(-1);
    });
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(heading);
    headingRow->addStretch(1);
    headingRow->addWidget(m_recentFolders);
    layout->addLayout(headingRow);
    layout->addLayout(createBrowser(group), 1);
    layout->addLayout(createSlots(group));
    layout->addSpacing(2);
    layout->addLayout(createLinkTexts(group));
    layout->addSpacing(2);
    layout->addLayout(createImagePicker(group));
    return group;
}

// Drive and folder lists on the left, the article list on the right.
QLayout* MainWindow::createBrowser(QWidget* group)
{
    m_driveList = new QComboBox(group);
    m_driveList->setObjectName(QStringLiteral("Drive1"));
    // Long mount points must not widen the folder column.
    m_driveList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_driveList->setMinimumContentsLength(8);
    connect(m_driveList, &QComboBox::activated, this,
            [this](int index) { m_controller.setDrive(m_driveList->itemData(index).toString()); });
    m_folderTree = new QTreeWidget(group);
    m_folderTree->setObjectName(QStringLiteral("Dir1"));
    m_folderTree->setHeaderHidden(true);
    m_folderTree->setRootIsDecorated(false);
    m_folderTree->setItemsExpandable(false);
    m_folderTree->setIndentation(12);
    m_folderTree->setToolTip(QStringLiteral("Double-click or press Enter to open a folder, Backspace to go up"));
    connect(m_folderTree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { m_controller.setFolder(item->data(0, Qt::UserRole).toString()); });
    m_folderTree->installEventFilter(this);
    auto* folderColumn = new QVBoxLayout;
    folderColumn->setSpacing(4);
    folderColumn->addWidget(m_driveList);
    folderColumn->addWidget(m_folderTree, 1);

    m_articleList = new QListWidget(group);
    m_articleList->setObjectName(QStringLiteral("File1"));
    connect(m_articleList, &QListWidget::currentRowChanged, &m_controller, &MainWindowController::selectFile);
    m_filesFoundLabel = makeLabel(QStringLiteral("0"), QStringLiteral("lblFilesFound"), group);
    auto* count = new QHBoxLayout;
    count->addWidget(makeLabel(QStringLiteral("Files Found:"), QStringLiteral("Label9"), group));
    count->addWidget(m_filesFoundLabel);
    count->addStretch(1);
    auto* fileColumn = new QVBoxLayout;
    fileColumn->setSpacing(4);
    fileColumn->addWidget(m_articleList, 1);
    fileColumn->addLayout(count);

    auto* browser = new QHBoxLayout;
    browser->addLayout(folderColumn, 7);
    browser->addLayout(fileColumn, 13);
    return browser;
}

// The five slot buttons and their labels.
QLayout* MainWindow::createSlots(QWidget* group)
{
    auto* slotGrid = new QGridLayout;
    slotGrid->setHorizontalSpacing(10);
    slotGrid->setVerticalSpacing(3);
    for (int i = 0; i < MainWindowController::SlotCount; ++i) {
        m_slotButtons[i] =
            makeButton(m_controller.slot(i).buttonCaption, QStringLiteral("cmdSelectArticle%1").arg(i), group);
        connect(m_slotButtons[i], &QPushButton::clicked, this, [this, i] { m_controller.toggleSlot(i); });
        m_slotLabels[i] = makeLabel(QString(), QStringLiteral("lblSelected%1").arg(i), group);
        slotGrid->addWidget(m_slotButtons[i], i, 0);
        slotGrid->addWidget(m_slotLabels[i], i, 1);
        showSlot(i);
    }
    // The captions change with the slot state; the buttons keep the widest one's width.
    for (QPushButton* slotButton : m_slotButtons)
        slotButton->setMinimumWidth(m_slotButtons[0]->sizeHint().width());
    slotGrid->setColumnStretch(1, 1);
    return slotGrid;
}

// The two link texts of the article pages.
QLayout* MainWindow::createLinkTexts(QWidget* group)
{
    using Field = MainWindowController::SiteField;
    auto* linkTexts = new QGridLayout;
    linkTexts->setHorizontalSpacing(8);
    auto* related = makeLabel(QStringLiteral("\"Related Articles\" Text:"), QStringLiteral("Label24"), group);
    auto* readMore = makeLabel(QStringLiteral("\"Read More\" Text:"), QStringLiteral("Label25"), group);
    linkTexts->addWidget(related, 0, 0);
    linkTexts->addWidget(addSiteText(Field::RelatedArticlesText, QStringLiteral("txtRelatedArticles"), related), 0, 1);
    linkTexts->addWidget(readMore, 0, 2);
    linkTexts->addWidget(addSiteText(Field::ReadMoreText, QStringLiteral("txtReadMore"), readMore), 0, 3);
    linkTexts->setColumnStretch(1, 3);
    linkTexts->setColumnStretch(3, 2);
    return linkTexts;
}

// The background image list, its preview and its two commands.
QLayout* MainWindow::createImagePicker(QWidget* group)
{
    auto* heading = makeLabel(QStringLiteral("Select an Image to use as Background  (Headline Section)"),
                              QStringLiteral("Label29"), group);
    setBold(heading);
    m_imageList = new QListWidget(group);
    m_imageList->setObjectName(QStringLiteral("File2"));
    connect(m_imageList, &QListWidget::currentRowChanged, &m_controller, &MainWindowController::selectImage);
    m_preview = makeLabel(QString(), QStringLiteral("Image1"), group);
    m_preview->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_preview->setLineWidth(1);
    m_preview->setFixedSize(twipsToPixels(PreviewTwips, *this));
    m_preview->setScaledContents(true);
    m_imageList->viewport()->setAcceptDrops(true);
    m_imageList->viewport()->installEventFilter(this);
    m_preview->setAcceptDrops(true);
    m_preview->installEventFilter(this);
    m_preview->setToolTip(QStringLiteral("Drop a picture here to use it as the background"));
    auto* openImages = makeButton(QStringLiteral("Open &Images Folder"), QStringLiteral("Command3"), group);
    connect(openImages, &QPushButton::clicked, &m_controller, &MainWindowController::openImagesFolder);
    auto* chooseImage = makeButton(QStringLiteral("C&hoose Image…"), QStringLiteral("cmdChooseImage"), group);
    connect(chooseImage, &QPushButton::clicked, &m_controller, &MainWindowController::chooseImage);
    auto* refresh = new LinkLabel(QStringLiteral("Refresh"), group);
    refresh->setObjectName(QStringLiteral("Label28"));
    setBold(refresh);
    setTextColour(refresh, DarkBlue);
    connect(refresh, &LinkLabel::clicked, &m_controller, &MainWindowController::refreshImages);
    auto* imageCommands = new QVBoxLayout;
    imageCommands->addWidget(openImages);
    imageCommands->addWidget(chooseImage);
    imageCommands->addWidget(refresh, 0, Qt::AlignLeft);
    imageCommands->addStretch(1);

    auto* images = new QHBoxLayout;
    images->setSpacing(10);
    images->addWidget(m_imageList, 1);
    images->addWidget(m_preview, 0, Qt::AlignTop);
    images->addLayout(imageCommands);
    m_imageList->setFixedHeight(m_preview->height());
    auto* picker = new QVBoxLayout;
    picker->setSpacing(5);
    picker->addWidget(heading);
    picker->addLayout(images);
    return picker;
}

QWidget* MainWindow::createSiteInfoGroup()
{
    auto* group = new QGroupBox(QStringLiteral("General Site Info"), this);
    group->setObjectName(QStringLiteral("fraSiteInfo"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    int row = 0;
    const auto addRow = [&](const QString& caption, const QString& labelName, MainWindowController::SiteField field,
                            const QString& boxName) {
        auto* label = makeLabel(caption, labelName, group);
        grid->addWidget(label, row, 0);
        QLineEdit* box = addSiteText(field, boxName, label);
        grid->addWidget(box, row, 1);
        ++row;
        return box;
    };
    addRow(QStringLiteral("Site Name:"), QStringLiteral("Label14"), MainWindowController::SiteField::SiteName,
           QStringLiteral("txtSiteName"));
    addRow(QStringLiteral("Site Headline:"), QStringLiteral("Label15"), MainWindowController::SiteField::SiteHeadline,
           QStringLiteral("txtSiteHeadline"));
    addRow(QStringLiteral("Site Description:"), QStringLiteral("Label13"),
           MainWindowController::SiteField::SiteDescription, QStringLiteral("txtSiteDescription"));
    addRow(QStringLiteral("Site Footer Text:"), QStringLiteral("Label26"), MainWindowController::SiteField::FooterText,
           QStringLiteral("txtFooter"));
    QLineEdit* address = addRow(QStringLiteral("Site Address:"), QStringLiteral("Label34"),
                                MainWindowController::SiteField::SiteUrl, QStringLiteral("txtSiteAddress"));
    address->setPlaceholderText(QStringLiteral("https://example.org/"));
    connect(address, &QLineEdit::editingFinished, &m_controller, &MainWindowController::completeSiteAddress);
    auto* addressHint =
        makeLabel(QStringLiteral("Optional: for the sitemap and link previews."), QStringLiteral("Label35"), group);
    addressHint->setWordWrap(true);
    setTextColour(addressHint, Grey);
    grid->addWidget(addressHint, row++, 1);

    auto* adHeading = makeLabel(QStringLiteral("Ad Spot"), QStringLiteral("Label17"), group);
    setBold(adHeading);
    auto* adPurpose = makeLabel(QStringLiteral("Use it to Promote Your Products, Affiliate Products etc"),
                                QStringLiteral("Label18"), group);
    auto* adHeadingRow = new QHBoxLayout;
    adHeadingRow->setSpacing(10);
    adHeadingRow->addWidget(adHeading);
    adHeadingRow->addWidget(adPurpose, 1);
    grid->addItem(new QSpacerItem(0, 6), row++, 0);
    grid->addLayout(adHeadingRow, row++, 0, 1, 2);

    addRow(QStringLiteral("Ad Title:"), QStringLiteral("Label16"), MainWindowController::SiteField::AdTitle,
           QStringLiteral("txtAdTitle"));
    addRow(QStringLiteral("Ad Description:"), QStringLiteral("Label19"), MainWindowController::SiteField::AdDescription,
           QStringLiteral("txtAdDescription"));
    addRow(QStringLiteral("Button Text:"), QStringLiteral("Label20"), MainWindowController::SiteField::ButtonText,
           QStringLiteral("txtButtonText"));
    addRow(QStringLiteral("Link Button to:"), QStringLiteral("Label21"), MainWindowController::SiteField::ButtonUrl,
           QStringLiteral("txtButtonUrl"));
    addRow(QStringLiteral("YouTube Video id:"), QStringLiteral("Label22"), MainWindowController::SiteField::VideoId,
           QStringLiteral("txtVideoUrl"));
    addVideoHelp(grid, row, group);
    grid->setRowStretch(row, 1);
    return group;
}

QWidget* MainWindow::createBuildRow()
{
    auto* bar = new QWidget(this);
    m_variationBox = new QComboBox(bar);
    m_variationBox->setObjectName(QStringLiteral("cboVariation"));
    m_variationBox->setEditable(true);
    // A typed variation is used for the build but never joins the list.
    m_variationBox->setInsertPolicy(QComboBox::NoInsert);
    m_variationBox->setMinimumWidth(56);
    connect(m_variationBox, &QComboBox::currentTextChanged, &m_controller, &MainWindowController::setVariation);
    auto* build = makeButton(QStringLiteral("&Build Minisite"), QStringLiteral("vbtnLoad"), bar, true);
    build->setDefault(true);
    connect(build, &QPushButton::clicked, &m_controller, &MainWindowController::buildSite);
    auto* openOutput = makeButton(QStringLiteral("&Open Output Folder"), QStringLiteral("Command1"), bar, true);
    connect(openOutput, &QPushButton::clicked, &m_controller, &MainWindowController::openOutputFolder);
    auto* close = makeButton(QStringLiteral("&Close"), QStringLiteral("Command2"), bar, true);
    connect(close, &QPushButton::clicked, &m_controller, &MainWindowController::closeWindow);

    // Where the site goes, to be found and looked at in one click.
    m_siteFolderLink = new LinkLabel(QString(), bar);
    m_siteFolderLink->setObjectName(QStringLiteral("lblSiteFolder"));
    m_siteFolderLink->setAccessibleName(QStringLiteral("Open the site folder"));
    m_siteFolderLink->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(m_siteFolderLink, &LinkLabel::clicked, &m_controller, &MainWindowController::openSiteFolder);
    m_previewButton = makeButton(QStringLiteral("&Preview Site"), QStringLiteral("cmdPreviewSite"), bar);
    connect(m_previewButton, &QPushButton::clicked, &m_controller, &MainWindowController::previewSite);

    auto* siteRow = new QHBoxLayout;
    siteRow->setSpacing(8);
    siteRow->addWidget(m_siteFolderLink, 1);
    siteRow->addWidget(m_previewButton);
    auto* variationRow = new QHBoxLayout;
    variationRow->setSpacing(8);
    variationRow->addStretch(1);
    m_versionsBox = new QSpinBox(bar);
    m_versionsBox->setObjectName(QStringLiteral("spnVersions"));
    m_versionsBox->setRange(1, MaxSiteVersions);
    m_versionsBox->setAccessibleName(QStringLiteral("Versions"));
    m_versionsBox->setToolTip(QStringLiteral("1: the site as written. More: that many versions, the articles of "
                                             "each rewritten with the synonym rules, into 01, 02 ... of the output "
                                             "folder"));
    connect(m_versionsBox, &QSpinBox::valueChanged, &m_controller, &MainWindowController::setVersions);
    auto* versionsLabel = makeLabel(QStringLiteral("&Versions:"), QStringLiteral("lblVersions"), bar);
    versionsLabel->setBuddy(m_versionsBox);
    variationRow->addWidget(versionsLabel);
    variationRow->addWidget(m_versionsBox);
    variationRow->addSpacing(8);
    auto* variationLabel = makeLabel(QStringLiteral("Template Variation:"), QStringLiteral("Label32"), bar);
    variationLabel->setBuddy(m_variationBox);
    m_variationBox->setAccessibleName(QStringLiteral("Template Variation"));
    variationRow->addWidget(variationLabel);
    variationRow->addWidget(m_variationBox);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(8);
    buttonRow->addStretch(1);
    buttonRow->addWidget(build);
    buttonRow->addWidget(openOutput);
    buttonRow->addWidget(close);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(siteRow);
    layout->addLayout(variationRow);
    layout->addLayout(buttonRow);
    for (QPushButton* button : {build, openOutput, close})
        button->setMinimumSize(button->sizeHint().width() + 16, 32);
    return bar;
}

QLineEdit* MainWindow::addSiteText(MainWindowController::SiteField field, const QString& name, QLabel* label)
{
    auto* box = new QLineEdit(m_controller.siteText(field), this);
    box->setObjectName(name);
    // A screen reader names the box after its label, not after the group around it.
    label->setBuddy(box);
    box->setAccessibleName(label->text().remove(u':'));
    connect(box, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_controller.setSiteText(field, text); });
    m_siteTexts.emplace_back(field, box);
    return box;
}

void MainWindow::connectController()
{
    connect(&m_controller, &MainWindowController::windowTitleChanged, this, &QWidget::setWindowTitle);
    connect(&m_controller, &MainWindowController::versionsChanged, this, [this](int versions) {
        const QSignalBlocker blocker(m_versionsBox);
        m_versionsBox->setValue(versions);
    });
    connect(&m_controller, &MainWindowController::appNameChanged, m_appNameLabel, &QLabel::setText);
    connect(&m_controller, &MainWindowController::tornelleButtonShownChanged, m_tornelleButton, &QWidget::setVisible);
    connect(&m_controller, &MainWindowController::drivesChanged, this, &MainWindow::showDrives);
    connect(&m_controller, &MainWindowController::driveChanged, this, &MainWindow::showDrive);
    connect(&m_controller, &MainWindowController::folderChanged, this, &MainWindow::showFolder);
    connect(&m_controller, &MainWindowController::filesChanged, this, &MainWindow::showFiles);
    connect(&m_controller, &MainWindowController::fileSelectionChanged, this, [this](int index) {
        const QSignalBlocker blocker(m_articleList);
        m_articleList->setCurrentRow(index);
    });
    connect(&m_controller, &MainWindowController::filesFoundChanged, m_filesFoundLabel, &QLabel::setText);
    connect(&m_controller, &MainWindowController::slotChanged, this, &MainWindow::showSlot);
    // An open Tornelle window offers the articles of the slots as they are now.
    connect(&m_controller, &MainWindowController::slotChanged, this, [this] {
        if (auto* tornelle = qobject_cast<TornelleWindow*>(m_tornelle.data()))
            tornelle->setArticles(m_controller.slotPaths());
    });
    connect(&m_controller, &MainWindowController::imagesChanged, this, &MainWindow::showImages);
    connect(&m_controller, &MainWindowController::imageSelectionChanged, this, [this](int index) {
        const QSignalBlocker blocker(m_imageList);
        m_imageList->setCurrentRow(index);
    });
    connect(&m_controller, &MainWindowController::variationsChanged, this, &MainWindow::showVariations);
    connect(&m_controller, &MainWindowController::variationChanged, this, [this](const QString& variation) {
        if (m_variationBox->currentText() != variation) {
            const QSignalBlocker blocker(m_variationBox);
            m_variationBox->setCurrentText(variation);
        }
    });
    connect(&m_controller, &MainWindowController::recentFoldersChanged, this, &MainWindow::showRecentFolders);
    connect(&m_controller, &MainWindowController::siteFolderChanged, this, &MainWindow::showSiteFolder);
    connect(&m_controller, &MainWindowController::siteTextChanged, this,
            [this](MainWindowController::SiteField field, const QString& text) {
                for (const auto& [boxField, box] : m_siteTexts)
                    if (boxField == field && box->text() != text) {
                        box->setText(text);
                        box->setCursorPosition(0);
                    }
            });
}

void MainWindow::showDrives()
{
    const QSignalBlocker blocker(m_driveList);
    m_driveList->clear();
    for (const DriveEntry& drive : m_controller.drives())
        m_driveList->addItem(drive.label, drive.root);
    showDrive(m_controller.drive());
}

void MainWindow::showDrive(const QString& root)
{
    const QSignalBlocker blocker(m_driveList);
    int index = m_driveList->findData(root);
    if (index < 0 && !root.isEmpty()) {
        m_driveList->addItem(root, root);
        index = m_driveList->count() - 1;
    }
    m_driveList->setCurrentIndex(index);
}

void MainWindow::showFolder()
{
    m_folderTree->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& path : m_controller.folderChain()) {
        const QString name = QDir(path).dirName();
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_folderTree);
        item->setText(0, name.isEmpty() ? path : name);
        item->setIcon(0, open);
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(0, path);
        item->setExpanded(true);
        parent = item;
    }
    if (parent == nullptr)
        return;
    const QString folder = m_controller.folder();
    for (const QString& name : m_controller.subfolders()) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, name);
        item->setIcon(0, closed);
        item->setData(0, Qt::UserRole, QDir(folder).filePath(name));
    }
    parent->setExpanded(true);
    m_folderTree->setCurrentItem(parent);
    revealCurrentFolder();
}

void MainWindow::revealCurrentFolder()
{
    // The folders above come into view too, as far as the list has room for them.
    m_folderTree->scrollToTop();
    if (QTreeWidgetItem* current = m_folderTree->currentItem())
        m_folderTree->scrollToItem(current, QAbstractItemView::EnsureVisible);
}

void MainWindow::showFiles()
{
    const QSignalBlocker blocker(m_articleList);
    m_articleList->clear();
    m_articleList->addItems(m_controller.files());
    m_articleList->setCurrentRow(m_controller.fileIndex());
}

void MainWindow::showImages()
{
    const QSignalBlocker blocker(m_imageList);
    m_imageList->clear();
    m_imageList->addItems(m_controller.images());
    m_imageList->setCurrentRow(m_controller.imageIndex());
}

void MainWindow::showRecentFolders()
{
    const QSignalBlocker blocker(m_recentFolders);
    m_recentFolders->clear();
    for (const QString& folder : m_controller.recentFolders())
        m_recentFolders->addItem(QDir::toNativeSeparators(folder));
    m_recentFolders->setCurrentIndex(-1);
    m_recentFolders->setEnabled(m_recentFolders->count() > 0);
}

void MainWindow::showSiteFolder()
{
    const QString folder = QDir::toNativeSeparators(m_controller.siteFolder());
    const int room = qMax(40, m_siteFolderLink->width());
    m_siteFolderLink->setText(m_siteFolderLink->fontMetrics().elidedText(folder, Qt::ElideLeft, room));
    m_siteFolderLink->setToolTip(folder);
    m_previewButton->setEnabled(m_controller.siteBuilt());
}

void MainWindow::showSlot(int index)
{
    const ArticleSlot& slot = m_controller.slot(index);
    m_slotLabels[index]->setText(slot.displayText);
    m_slotLabels[index]->setToolTip(slot.path);
    setTextColour(m_slotLabels[index], colourOf(slot.colour));
    m_slotButtons[index]->setText(slot.buttonCaption);
}

void MainWindow::showVariations()
{
    const QSignalBlocker blocker(m_variationBox);
    m_variationBox->clear();
    m_variationBox->addItems(m_controller.variations());
    m_variationBox->setCurrentText(m_controller.variation());
}

bool MainWindow::showPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = m_preview->contentsRect().size();
    // Decoding at the preview's size keeps large photos quick to show.
    if (reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_preview->setPixmap(QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return true;
}

void MainWindow::showTornelle(const SlotPaths& articles)
{
    if (m_tornelle == nullptr) {
        QWidget* window = m_tornelleFactory(articles);
        if (window == nullptr)
            return;
        window->setAttribute(Qt::WA_DeleteOnClose);
        centreOnScreen(*window);
        m_tornelle = window;
    }
    m_tornelle->show();
    m_tornelle->raise();
    m_tornelle->activateWindow();
}

void MainWindow::showInstructions()
{
    InstructionsDialog dialog(m_desktop, m_controller.layout(), this);
    m_desktop.execDialog(dialog);
}

void MainWindow::closeWindow()
{
    close();
}

void MainWindow::copyProgress(qint64 done, qint64 total)
{
    if (m_progress == nullptr) {
        m_progress = new QProgressDialog(this);
        m_progress->setWindowTitle(QStringLiteral("Build Minisite"));
        m_progress->setLabelText(QStringLiteral("Copying the template folder..."));
        m_progress->setCancelButton(nullptr);
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(300);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setRange(0, 1000);
    }
    m_progress->setValue(total > 0 ? int(qBound(qint64(0), done * 1000 / total, qint64(1000))) : 1000);
}

void MainWindow::copyEnded()
{
    delete m_progress.data();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_controller.mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (QWidget* widget = childAt(event->position().toPoint()); widget != nullptr && widget != this;
         widget = widget->parentWidget()) {
        for (int i = 0; i < MainWindowController::SlotCount; ++i) {
            if (widget == m_slotButtons[i] || widget == m_slotLabels[i]) {
                m_controller.dropArticles(i, files);
                return;
            }
        }
    }
    if (files.first().endsWith(QStringLiteral(".quorvale"), Qt::CaseInsensitive))
        m_controller.openSiteFile(files.first());
}

QString MainWindow::askForPath(PathQuestion question, const QString& start)
{
    return m_desktop.askForPath(this, question, start);
}

quint64 MainWindow::newSeed()
{
    return QRandomGenerator::global()->bounded(MaxSiteProjectSeed);
}

bool MainWindow::versionsProgress(int done, int total)
{
    if (m_versionsProgress == nullptr) {
        m_versionsProgress = new QProgressDialog(this);
        m_versionsProgress->setWindowTitle(QStringLiteral("Build Minisite"));
        m_versionsProgress->setLabelText(QStringLiteral("Building %1 versions of the site...").arg(total));
        m_versionsProgress->setCancelButtonText(QStringLiteral("Cancel"));
        m_versionsProgress->setWindowModality(Qt::WindowModal);
        m_versionsProgress->setMinimumDuration(300);
        m_versionsProgress->setAutoClose(false);
        m_versionsProgress->setAutoReset(false);
        m_versionsProgress->setRange(0, total);
    }
    // A modal progress display handles the window's events here: Cancel among them.
    m_versionsProgress->setValue(done);
    return !m_versionsProgress->wasCanceled();
}

void MainWindow::versionsEnded()
{
    delete m_versionsProgress.data();
}

void MainWindow::showVersionsReport(const QString& summary, const VersionsReport& report)
{
    VersionsReportDialog dialog(summary, report, this);
    m_desktop.execDialog(dialog);
}

} // namespace quorvale
