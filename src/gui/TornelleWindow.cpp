#include "gui/TornelleWindow.h"

#include "components/Spinner.h"
#include "gui/Desktop.h"
#include "gui/Twips.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QUrl>
#include <memory>

namespace quorvale {

namespace {

constexpr int kLeftTwips = 240;
constexpr int kBoxHeightTwips = 3015;

QFont boldFont(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

/// The text as a QPlainTextEdit gives it back: every line end a line feed.
QString asShown(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QPlainTextEdit* makeTextBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    box->setFont(font);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

} // namespace

TornelleWindow::TornelleWindow(Desktop& desktop, const QString& installFolder, const SlotPaths& articles,
                               QWidget* parent)
    : QWidget(parent), m_desktop(desktop),
      m_controller(*this, installFolder,
                   [spinner = std::make_shared<Spinner>()](const QString& text) { return spinner->spin(text); })
{
    setWindowTitle(QStringLiteral("Tornelle"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(palette);

    m_selectLabel = new QLabel(QStringLiteral("Select an Article:"), this);
    m_selectLabel->setFont(boldFont(m_selectLabel));
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_options[i] = new QRadioButton(QStringLiteral("Article ") + QString::number(i + 1), this);
        m_options[i]->setObjectName(QStringLiteral("optArticles") + QString::number(i));
        group->addButton(m_options[i], i);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { m_controller.optArticles_Click(i); });
    }
    m_articleLabel = new QLabel(QStringLiteral("Article"), this);
    m_articleLabel->setFont(boldFont(m_articleLabel));
    m_convert = new QPushButton(QStringLiteral("Rewrite"), this);
    m_convert->setObjectName(QStringLiteral("vbtnConvert"));
    m_convert->setFont(boldFont(m_convert));
    m_pleaseWait = new QLabel(QStringLiteral("Please Wait"), this);
    m_pleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    m_pleaseWait->setFont(boldFont(m_pleaseWait));
    m_pleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pleaseWait->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    m_article = makeTextBox(this);
    m_article->setObjectName(QStringLiteral("txtArticle"));
    m_rewrittenLabel = new QLabel(QStringLiteral("Rewritten Article"), this);
    m_rewrittenLabel->setFont(boldFont(m_rewrittenLabel));
    m_save = new QPushButton(QStringLiteral("Save Changes"), this);
    m_save->setObjectName(QStringLiteral("vbtnSave"));
    m_save->setFont(boldFont(m_save));
    m_rewritten = makeTextBox(this);
    m_rewritten->setObjectName(QStringLiteral("txtRewritten"));
    m_rulesStatus = new QLabel(this);
    m_rulesStatus->setObjectName(QStringLiteral("lblRulesStatus"));
    m_rulesStatus->setStyleSheet(QStringLiteral("color: rgb(96, 96, 96);"));
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("Command1"));

    connect(m_convert, &QPushButton::clicked, &m_controller, &frmTornelle::vbtnConvert_Click);
    connect(m_save, &QPushButton::clicked, &m_controller, &frmTornelle::vbtnSave_Click);
    connect(m_close, &QPushButton::clicked, &m_controller, &frmTornelle::Command1_Click);
    // A text box shows every line end as a line feed; only a real edit reaches
    // the controller, so an article keeps its CR LF line ends through a rewrite.
    connect(m_article, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_article->toPlainText();
        if (text != asShown(m_controller.articleText()))
            m_controller.txtArticle_Change(text);
    });
    connect(m_rewritten, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_rewritten->toPlainText();
        if (text != asShown(m_controller.rewrittenText()))
            m_controller.txtRewritten_Change(text);
    });

    connect(&m_controller, &frmTornelle::optionsChanged, this, &TornelleWindow::refreshOptions);
    connect(&m_controller, &frmTornelle::articleTextChanged, this, [this](const QString& text) {
        if (m_article->toPlainText() != asShown(text))
            m_article->setPlainText(text);
    });
    connect(&m_controller, &frmTornelle::rewrittenTextChanged, this, [this](const QString& text) {
        if (m_rewritten->toPlainText() != asShown(text))
            m_rewritten->setPlainText(text);
    });
    connect(&m_controller, &frmTornelle::convertEnabledChanged, m_convert, &QPushButton::setEnabled);
    connect(&m_controller, &frmTornelle::pleaseWaitChanged, this, &TornelleWindow::refreshPleaseWait);
    connect(&m_controller, &frmTornelle::timersChanged, this, &TornelleWindow::refreshTimers);
    connect(&m_controller, &frmTornelle::rulesStatusChanged, m_rulesStatus, &QLabel::setText);
    connect(&m_controller, &frmTornelle::layoutChanged, this, &TornelleWindow::placeControls);
    connect(&m_controller, &frmTornelle::closeRequested, this, &QWidget::close);

    m_timer1.setInterval(frmTornelle::kTimer1IntervalMs);
    m_pleaseWaitTimer.setInterval(frmTornelle::kPleaseWaitIntervalMs);
    connect(&m_timer1, &QTimer::timeout, &m_controller, &frmTornelle::Timer1_Timer);
    connect(&m_pleaseWaitTimer, &QTimer::timeout, &m_controller, &frmTornelle::tmrPleaseWait_Timer);

    m_convert->setEnabled(m_controller.convertEnabled());
    refreshPleaseWait();
    m_controller.Form_Load(articles);
    refreshTimers();
    resize(twipsToPixels(SizeTwips, *this));
}

MessageAnswer TornelleWindow::showMessage(const QString& text, const QString& title, MessageButtons buttons)
{
    return m_desktop.showMessage(this, text, title, buttons);
}

void TornelleWindow::openFolder(const QString& path)
{
    m_desktop.openUrl(QUrl::fromLocalFile(path));
}

void TornelleWindow::openAddress(const QString& address)
{
    m_desktop.openUrl(QUrl(address));
}

int TornelleWindow::px(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

void TornelleWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_controller.Form_Resize(qRound(event->size().width() * 1440.0 / logicalDpiX()));
}

void TornelleWindow::placeControls()
{
    const int rowHeight = px(375);
    m_selectLabel->setGeometry(px(kLeftTwips), px(120), px(3000), rowHeight);
    for (int i = 0; i < 5; ++i)
        m_options[i]->setGeometry(px(kLeftTwips + i * 1500), px(480), px(1440), rowHeight);
    m_articleLabel->setGeometry(px(kLeftTwips), px(1005), px(900), rowHeight);
    m_convert->setGeometry(px(1200), px(960), px(1500), px(420));
    m_pleaseWait->setGeometry(px(m_controller.pleaseWaitLeftTwips()), px(1005), px(frmTornelle::kPleaseWaitWidthTwips),
                              rowHeight);
    m_article->setGeometry(px(kLeftTwips), px(1440), px(m_controller.articleWidthTwips()), px(kBoxHeightTwips));
    m_rewrittenLabel->setGeometry(px(kLeftTwips), px(4605), px(1800), rowHeight);
    m_save->setGeometry(px(2100), px(4560), px(1800), px(420));
    m_rewritten->setGeometry(px(kLeftTwips), px(5040), px(frmTornelle::kRewrittenWidthTwips), px(kBoxHeightTwips));
    m_rulesStatus->setGeometry(px(kLeftTwips), px(8145), px(9000), rowHeight);
    m_close->setGeometry(px(kLeftTwips + frmTornelle::kRewrittenWidthTwips - 1335), px(8130), px(1335), px(420));
}

void TornelleWindow::refreshOptions()
{
    for (int i = 0; i < 5; ++i) {
        m_options[i]->setEnabled(m_controller.optionEnabled(i));
        m_options[i]->setToolTip(m_controller.optionPath(i));
    }
}

void TornelleWindow::refreshPleaseWait()
{
    m_pleaseWait->setText(m_controller.pleaseWaitCaption());
    m_pleaseWait->setVisible(m_controller.pleaseWaitVisible());
}

void TornelleWindow::refreshTimers()
{
    const auto apply = [](QTimer& timer, bool enabled) {
        if (enabled && !timer.isActive())
            timer.start();
        else if (!enabled)
            timer.stop();
    };
    apply(m_timer1, m_controller.timer1Enabled());
    apply(m_pleaseWaitTimer, m_controller.pleaseWaitTimerEnabled());
}

} // namespace quorvale
