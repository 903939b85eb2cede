#include "gui/TornelleWindow.h"

#include "gui/Twips.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>
#include <vector>

namespace quorvale {

namespace {

constexpr int LeftTwips = 240;
constexpr int BoxHeightTwips = 3015;
constexpr int RewrittenWidthTwips = 11670;
/// The article box and the "Please Wait" label end this far inside the window's right edge.
constexpr int RightMarginTwips = 700;
constexpr int PleaseWaitWidthTwips = 3735;

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

/// A text box that Tab and Shift+Tab leave, as in any form; Ctrl+Tab types a tab.
class TextBox : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\t"));
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

QPlainTextEdit* makeTextBox(QWidget* parent, const QString& name, const QString& label)
{
    auto* box = new TextBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(label);
    box->setTabChangesFocus(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    box->setFont(font);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

QPushButton* makeBoldButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(boldFont(button));
    return button;
}

} // namespace

TornelleWindow::TornelleWindow(Desktop& desktop, const QString& rulesPath, const SlotPaths& articles,
                               TornelleController::SpinFunction spin, QWidget* parent)
    : QWidget(parent), m_ui(desktop, this), m_controller(m_ui, rulesPath, articles, std::move(spin))
{
    setWindowTitle(QStringLiteral("Tornelle"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(palette);

    createControls();
    connectControls();
    connectController();
    m_loadingTimer.setInterval(TornelleController::LoadingIntervalMs);
    m_blinkTimer.setInterval(TornelleController::BlinkIntervalMs);
    connect(&m_loadingTimer, &QTimer::timeout, &m_controller, &TornelleController::loadingTick);
    connect(&m_blinkTimer, &QTimer::timeout, &m_controller, &TornelleController::blinkTick);

    m_rewrite->setEnabled(m_controller.rewriteEnabled());
    for (int i = 0; i < 5; ++i) {
        m_options[i]->setEnabled(m_controller.optionEnabled(i));
        m_options[i]->setToolTip(m_controller.optionPath(i));
    }
    refreshPleaseWait();
    refreshTimers();
    resize(twipsToPixels(SizeTwips, *this));
}

void TornelleWindow::createControls()
{
    m_selectLabel = new QLabel(QStringLiteral("Select an Article:"), this);
    m_selectLabel->setFont(boldFont(m_selectLabel));
    m_optionGroup = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_options[i] = new QRadioButton(QStringLiteral("Article ") + QString::number(i + 1), this);
        m_options[i]->setObjectName(QStringLiteral("optArticles") + QString::number(i));
        m_optionGroup->addButton(m_options[i], i);
    }
    m_articleLabel = new QLabel(QStringLiteral("Article"), this);
    m_articleLabel->setFont(boldFont(m_articleLabel));
    m_rewrite = makeBoldButton(QStringLiteral("Rewrite"), QStringLiteral("vbtnConvert"), this);
    m_pleaseWait = new QLabel(QStringLiteral("Please Wait"), this);
    m_pleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    m_pleaseWait->setFont(boldFont(m_pleaseWait));
    m_pleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pleaseWait->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    m_article = makeTextBox(this, QStringLiteral("txtArticle"), QStringLiteral("Article"));
    m_rewrittenLabel = new QLabel(QStringLiteral("Rewritten Article"), this);
    m_rewrittenLabel->setFont(boldFont(m_rewrittenLabel));
    m_save = makeBoldButton(QStringLiteral("Save Changes"), QStringLiteral("vbtnSave"), this);
    m_rewritten = makeTextBox(this, QStringLiteral("txtRewritten"), QStringLiteral("Rewritten Article"));
    m_changes = new QLabel(this);
    m_changes->setObjectName(QStringLiteral("lblChanges"));
    m_rulesStatus = new QLabel(this);
    m_rulesStatus->setObjectName(QStringLiteral("lblRulesStatus"));
    m_rulesStatus->setStyleSheet(QStringLiteral("color: rgb(96, 96, 96);"));
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("Command1"));
}

void TornelleWindow::connectControls()
{
    // By mouse, keyboard or a screen reader's action alike: an option that becomes ticked loads its article.
    for (int i = 0; i < 5; ++i)
        connect(m_options[i], &QRadioButton::toggled, this, [this, i](bool ticked) {
            if (ticked)
                m_controller.chooseArticle(i);
        });
    connect(m_rewrite, &QPushButton::clicked, &m_controller, &TornelleController::rewriteArticle);
    connect(m_save, &QPushButton::clicked, &m_controller, &TornelleController::saveArticle);
    connect(m_close, &QPushButton::clicked, &m_controller, &TornelleController::closeWindow);
    // A text box shows every line end as a line feed; only a real edit reaches
    // the controller, so an article keeps its CR LF line ends through a rewrite.
    connect(m_article, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_article->toPlainText();
        if (text != asShown(m_controller.articleText()))
            m_controller.editArticle(text);
    });
    connect(m_rewritten, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_rewritten->toPlainText();
        if (text != asShown(m_controller.rewrittenText()))
            m_controller.editRewritten(text);
    });
}

void TornelleWindow::connectController()
{
    connect(&m_controller, &TornelleController::articleTextChanged, this, [this](const QString& text) {
        if (m_article->toPlainText() != asShown(text))
            m_article->setPlainText(text);
    });
    connect(&m_controller, &TornelleController::rewrittenTextChanged, this, [this](const QString& text) {
        if (m_rewritten->toPlainText() != asShown(text))
            m_rewritten->setPlainText(text);
    });
    connect(&m_controller, &TornelleController::rewriteEnabledChanged, m_rewrite, &QPushButton::setEnabled);
    connect(&m_controller, &TornelleController::pleaseWaitChanged, this, &TornelleWindow::refreshPleaseWait);
    connect(&m_controller, &TornelleController::timersChanged, this, &TornelleWindow::refreshTimers);
    connect(&m_controller, &TornelleController::rulesStatusChanged, this, &TornelleWindow::showRulesStatus);
    connect(&m_controller, &TornelleController::selectedArticleChanged, this, &TornelleWindow::showSelectedArticle);
    connect(&m_controller, &TornelleController::changesShown, this, &TornelleWindow::showChanges);
    connect(&m_controller, &TornelleController::closeRequested, this, &QWidget::close);
}

int TornelleWindow::px(int twips) const
{
    return twipsToPixels(twips, logicalDpiX());
}

void TornelleWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TornelleWindow::placeControls()
{
    // A window narrower than the margins gives no negative sizes.
    const int widthTwips = qRound(width() * 1440.0 / logicalDpiX());
    const int articleWidth = qMax(0, widthTwips - RightMarginTwips);
    const int pleaseWaitLeft = qMax(0, widthTwips - RightMarginTwips - PleaseWaitWidthTwips);
    const int rowHeight = px(375);
    m_selectLabel->setGeometry(px(LeftTwips), px(120), px(3000), rowHeight);
    for (int i = 0; i < 5; ++i)
        m_options[i]->setGeometry(px(LeftTwips + i * 1500), px(480), px(1440), rowHeight);
    m_articleLabel->setGeometry(px(LeftTwips), px(1005), px(900), rowHeight);
    m_rewrite->setGeometry(px(1200), px(960), px(1500), px(420));
    m_pleaseWait->setGeometry(px(pleaseWaitLeft), px(1005), px(PleaseWaitWidthTwips), rowHeight);
    m_article->setGeometry(px(LeftTwips), px(1440), px(articleWidth), px(BoxHeightTwips));
    m_rewrittenLabel->setGeometry(px(LeftTwips), px(4605), px(1800), rowHeight);
    m_save->setGeometry(px(2100), px(4560), px(1800), px(420));
    m_rewritten->setGeometry(px(LeftTwips), px(5040), px(RewrittenWidthTwips), px(BoxHeightTwips));
    m_changes->setGeometry(px(LeftTwips), px(8070), px(9000), px(300));
    m_rulesStatus->setGeometry(px(LeftTwips), px(8370), px(9000), px(270));
    m_close->setGeometry(px(LeftTwips + RewrittenWidthTwips - 1335), px(8130), px(1335), px(420));
    showRulesStatus();
}

void TornelleWindow::showSelectedArticle(int index)
{
    // An option may stay ticked only for the article the boxes hold.
    const QSignalBlocker blocker(m_optionGroup);
    m_optionGroup->setExclusive(index >= 0);
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker buttonBlocker(m_options[i]);
        m_options[i]->setChecked(i == index);
    }
    m_optionGroup->setExclusive(true);
}

void TornelleWindow::showRulesStatus()
{
    // A long path is shortened in the middle; the whole line is the tooltip.
    const QString text = m_controller.rulesStatus();
    m_rulesStatus->setText(m_rulesStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, m_rulesStatus->width()));
    m_rulesStatus->setToolTip(text);
}

void TornelleWindow::showChanges()
{
    m_changes->setText(m_controller.changeSummary());
    // The box shows a line feed for each CR LF: positions move back by one per CR LF before them.
    const QString text = m_controller.rewrittenText();
    std::vector<qsizetype> pairs;
    for (qsizetype at = text.indexOf(QStringLiteral("\r\n")); at >= 0;
         at = text.indexOf(QStringLiteral("\r\n"), at + 2))
        pairs.push_back(at);
    const auto shown = [&pairs](qsizetype position) {
        return position - qsizetype(std::lower_bound(pairs.begin(), pairs.end(), position) - pairs.begin());
    };
    QList<QTextEdit::ExtraSelection> selections;
    for (const auto& [start, length] : m_controller.changedRanges()) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(m_rewritten->document());
        selection.cursor.setPosition(int(shown(start)));
        selection.cursor.setPosition(int(shown(start + length)), QTextCursor::KeepAnchor);
        selection.format.setBackground(QColor(255, 236, 153));
        selections.append(selection);
    }
    m_rewritten->setExtraSelections(selections);
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
    apply(m_loadingTimer, m_controller.loadingTimerEnabled());
    apply(m_blinkTimer, m_controller.blinkTimerEnabled());
}

} // namespace quorvale
