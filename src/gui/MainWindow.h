#pragma once

#include "site/SiteTypes.h"
#include "ui/MassHost.h"
#include "ui/frmMass.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressDialog;
class QPushButton;
class QTreeWidget;

namespace quorvale {

class Desktop;
class LinkLabel;

/// The main window: binds its controls to the frmMass controller and is the
/// controller's host for pictures, windows and dialogs. Controls carry the
/// controller's names as object names (cmdDummy, lblSelected0, File2 ...).
class MainWindow : public QWidget, private MassHost
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

    /// @p desktop must outlive the window. The window starts (Form_Load) at once.
    MainWindow(Desktop& desktop, const QString& installFolder, const QString& startFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    frmMass& controller() noexcept { return m_controller; }
    /// Replaces the window "Tornelle" opens; the default is an empty placeholder.
    void setTornelleFactory(TornelleFactory factory);
    /// The open Tornelle window, or null.
    QWidget* tornelleWindow() const { return m_tornelle.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // MassHost
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override;
    void openFolder(const QString& path) override;
    void openAddress(const QString& address) override;
    bool showPicture(const QString& path) override;
    void showTornelle(const SlotPaths& articles) override;
    void showInstructions() override;
    void closeWindow() override;
    void copyProgress(qint64 done, qint64 total) override;
    void copyEnded() override;

    QWidget* createBanner();
    QWidget* createArticlesGroup();
    QWidget* createSiteInfoGroup();
    QWidget* createBuildRow();
    QLineEdit* addSiteText(frmMass::SiteField field, const QString& name);
    void connectController();

    void showDrives();
    void showDrive(const QString& root);
    void showFolder();
    void revealCurrentFolder();
    void showFiles();
    void showImages();
    void showSlot(int index);
    void showVariations();

    Desktop& m_desktop;
    frmMass m_controller;
    TornelleFactory m_tornelleFactory;
    QPointer<QWidget> m_tornelle;
    QPointer<QProgressDialog> m_progress;

    QLabel* m_lblAppName = nullptr;
    QPushButton* m_command4 = nullptr;
    QComboBox* m_drive1 = nullptr;
    QTreeWidget* m_dir1 = nullptr;
    QListWidget* m_file1 = nullptr;
    QLabel* m_lblFilesFound = nullptr;
    QPushButton* m_cmdSelectArticle[frmMass::SlotCount] = {};
    QLabel* m_lblSelected[frmMass::SlotCount] = {};
    QListWidget* m_file2 = nullptr;
    QLabel* m_image1 = nullptr;
    QComboBox* m_cboVariation = nullptr;
    std::vector<std::pair<frmMass::SiteField, QLineEdit*>> m_siteTexts;
};

} // namespace quorvale
