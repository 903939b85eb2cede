#include "ui/frmTornelle.h"

#include "components/Error.h"
#include "components/TextFile.h"

#include <QDir>
#include <algorithm>

namespace quorvale {

namespace {

const QString kLoadingCaption = QStringLiteral("Please Wait (Loading Synonyms)...");
const QString kBlinkCaption = QStringLiteral("Please Wait ...");

} // namespace

frmTornelle::frmTornelle(UiHost& host, QString installFolder, SpinFunction spin, QObject* parent)
    : QObject(parent), m_host(host), m_installFolder(std::move(installFolder)), m_spin(std::move(spin))
{
}

QString frmTornelle::rulesPath() const
{
    return m_installFolder + QStringLiteral("/rwdb.txt");
}

void frmTornelle::Form_Load(const SlotPaths& mainWindowSlots)
{
    m_slotCopy = mainWindowSlots;
    emit optionsChanged();
}

void frmTornelle::optArticles_Click(int index)
{
    if (index < 0 || index >= int(m_slotCopy.size()))
        return;
    const QString& path = m_slotCopy.at(size_t(index));
    try {
        setArticleText(LoadFileIntoTextBox(path));
    } catch (const Error& error) {
        // The box keeps its text and the last good article stays the one Save writes to.
        m_host.showMessage(error.message(), QStringLiteral("Error"));
        return;
    }
    m_selectedPath = path;
}

void frmTornelle::txtArticle_Change(const QString& text)
{
    setArticleText(text);
}

void frmTornelle::txtRewritten_Change(const QString& text)
{
    m_rewrittenText = text;
}

void frmTornelle::loadRules()
{
    const QString path = rulesPath();
    try {
        m_rules = RuleIndex(LoadRuleList(path));
    } catch (const Error& error) {
        m_rules = RuleIndex();
        m_rulesStatus = QStringLiteral("No synonym rules found: ") + error.message();
        emit rulesStatusChanged(m_rulesStatus);
        return;
    }
    const qsizetype usable = std::count_if(m_rules.rules().cbegin(), m_rules.rules().cend(),
                                           [](const QString& line) { return isRuleLine(line); });
    if (usable == 0)
        m_rulesStatus = QStringLiteral("No synonym rules found in ") + QDir::toNativeSeparators(path);
    else
        m_rulesStatus =
            QString::number(usable) + QStringLiteral(" synonym rules loaded from ") + QDir::toNativeSeparators(path);
    emit rulesStatusChanged(m_rulesStatus);
}

void frmTornelle::Timer1_Timer()
{
    if (!m_timer1Enabled)
        return;
    if (m_timer1Tag.isEmpty()) {
        loadRules();
        m_timer1Tag = QStringLiteral("1");
        setPleaseWait(true, kLoadingCaption);
        return;
    }
    // Loading has finished once the count holds still for one tick.
    const QString count = QString::number(m_rules.rules().size());
    if (count == m_timer1Tag) {
        setTimers(false, m_pleaseWaitTimerEnabled);
        setPleaseWait(false, kBlinkCaption);
    } else {
        m_timer1Tag = count;
    }
}

void frmTornelle::tmrPleaseWait_Timer()
{
    if (m_pleaseWaitTimerEnabled)
        setPleaseWait(!m_pleaseWaitVisible, m_pleaseWaitCaption);
}

void frmTornelle::vbtnConvert_Click()
{
    if (m_articleText.isEmpty())
        return;
    setTimers(m_timer1Enabled, true);
    setConvertEnabled(false);
    const RewriteResult result = Reescribir(m_articleText, m_rules, m_spin);
    m_host.showMessage(result.report, QStringLiteral("Done"));
    setRewrittenText(m_spin(result.spintax));
    setConvertEnabled(true);
    setTimers(m_timer1Enabled, false);
    setPleaseWait(false, m_pleaseWaitCaption);
}

void frmTornelle::vbtnSave_Click()
{
    // Without a chosen article there is no file to write to.
    if (m_selectedPath.isEmpty()) {
        m_host.showMessage(QStringLiteral("Please select an article."), QStringLiteral("Error"));
        return;
    }
    const MessageAnswer answer = m_host.showMessage(
        QStringLiteral("Warning, this will overwrite your original article (we recommend you to make backups of your "
                       "artices). Confirm?"),
        QStringLiteral("Warning"), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    try {
        SaveTextBoxToFile(m_rewrittenText, m_selectedPath);
    } catch (const Error& error) {
        m_host.showMessage(QStringLiteral("The article was not saved; the file on disk is unchanged.\n\n") +
                               error.message(),
                           QStringLiteral("Error"));
        return;
    }
    m_host.showMessage(QStringLiteral("Done!"), QStringLiteral("File Saved"));
}

void frmTornelle::Command1_Click()
{
    emit closeRequested();
}

void frmTornelle::Form_Resize(int outerWidthTwips)
{
    // A window narrower than the margins gives no negative sizes.
    m_articleWidthTwips = qMax(0, outerWidthTwips - kRightMarginTwips);
    m_pleaseWaitLeftTwips = qMax(0, outerWidthTwips - kRightMarginTwips - kPleaseWaitWidthTwips);
    emit layoutChanged();
}

void frmTornelle::setArticleText(const QString& text)
{
    if (text != m_articleText) {
        m_articleText = text;
        emit articleTextChanged(m_articleText);
    }
    setConvertEnabled(!m_articleText.isEmpty());
}

void frmTornelle::setRewrittenText(const QString& text)
{
    m_rewrittenText = text;
    emit rewrittenTextChanged(m_rewrittenText);
}

void frmTornelle::setConvertEnabled(bool enabled)
{
    if (enabled != m_convertEnabled) {
        m_convertEnabled = enabled;
        emit convertEnabledChanged(enabled);
    }
}

void frmTornelle::setPleaseWait(bool visible, const QString& caption)
{
    if (visible != m_pleaseWaitVisible || caption != m_pleaseWaitCaption) {
        m_pleaseWaitVisible = visible;
        m_pleaseWaitCaption = caption;
        emit pleaseWaitChanged();
    }
}

void frmTornelle::setTimers(bool timer1, bool pleaseWait)
{
    if (timer1 != m_timer1Enabled || pleaseWait != m_pleaseWaitTimerEnabled) {
        m_timer1Enabled = timer1;
        m_pleaseWaitTimerEnabled = pleaseWait;
        emit timersChanged();
    }
}

} // namespace quorvale
