#include "ui/TornelleController.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"

#include <QDir>
#include <algorithm>
#include <new>

namespace quorvale {

namespace {

const QString LoadingCaption = QStringLiteral("Please Wait (Loading Synonyms)...");
const QString BlinkCaption = QStringLiteral("Please Wait ...");

} // namespace

TornelleController::TornelleController(UiHost& ui, QString rulesPath, const SlotPaths& articles, SpinFunction spin,
                                       QObject* parent)
    : QObject(parent), m_ui(ui), m_rulesPath(std::move(rulesPath)), m_articles(articles), m_spin(std::move(spin))
{
}

void TornelleController::chooseArticle(int index)
{
    if (index < 0 || index >= int(m_articles.size()))
        return;
    const QString& path = m_articles.at(size_t(index));
    QString text;
    try {
        text = readTextFile(path);
    } catch (const Error& error) {
        // The boxes keep their texts and the last good article stays the one Save writes to.
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
        Q_EMIT selectedArticleChanged(m_selectedIndex);
        return;
    } catch (const std::bad_alloc&) {
        m_ui.showMessage(QStringLiteral("There is not enough memory to load ") + path + u'.', QStringLiteral("Error"));
        Q_EMIT selectedArticleChanged(m_selectedIndex);
        return;
    }
    if (path != m_selectedPath) {
        setRewrittenText(QString());
        showChanges(QString(), {});
    }
    m_selectedPath = path;
    m_selectedIndex = index;
    setArticleText(text);
    Q_EMIT selectedArticleChanged(index);
}

void TornelleController::editArticle(const QString& text)
{
    setArticleText(text);
}

void TornelleController::editRewritten(const QString& text)
{
    m_rewrittenText = text;
}

void TornelleController::loadRules()
{
    const QString shownPath = QDir::toNativeSeparators(m_rulesPath);
    try {
        m_rules = RuleIndex(loadRuleList(m_rulesPath), m_taggerPath);
    } catch (const Error& error) {
        m_rules = RuleIndex();
        m_rulesStatus = QStringLiteral("No synonym rules found: ") + error.message();
        Q_EMIT rulesStatusChanged(m_rulesStatus);
        return;
    }
    const qsizetype usable = std::count_if(m_rules.rules().cbegin(), m_rules.rules().cend(),
                                           [](const QString& line) { return isRuleLine(line); });
    if (usable == 0)
        m_rulesStatus = QStringLiteral("No synonym rules found in ") + shownPath;
    else
        m_rulesStatus = QString::number(usable) + QStringLiteral(" synonym rules loaded from ") + shownPath;
    if (!m_rules.problems().isEmpty())
        m_rulesStatus += QStringLiteral(". ") + ruleProblemSummary(m_rules.problems());
    Q_EMIT rulesStatusChanged(m_rulesStatus);
}

void TornelleController::loadingTick()
{
    if (!m_loadingTimerEnabled)
        return;
    if (!m_lastRuleCount) {
        loadRules();
        m_lastRuleCount = 1;
        setPleaseWait(true, LoadingCaption);
        return;
    }
    // Loading has finished once the count holds still for one tick.
    const qsizetype count = m_rules.rules().size();
    if (count == *m_lastRuleCount) {
        setTimers(false, m_blinkTimerEnabled);
        setPleaseWait(false, BlinkCaption);
    } else {
        m_lastRuleCount = count;
    }
}

void TornelleController::blinkTick()
{
    if (m_blinkTimerEnabled)
        setPleaseWait(!m_pleaseWaitVisible, m_pleaseWaitCaption);
}

void TornelleController::rewriteArticle()
{
    if (m_articleText.isEmpty())
        return;
    setTimers(m_loadingTimerEnabled, true);
    setRewriteEnabled(false);
    try {
        const RewriteResult result = quorvale::rewriteArticle(
            m_articleText, m_rules, [this](const QString& text) { return m_spin(text, nullptr); });
        m_ui.showMessage(result.report, QStringLiteral("Done"));
        std::vector<SpunGroup> spunGroups;
        const QString wording = m_spin(result.spintax, &spunGroups);
        setRewrittenText(wording);
        const RewriteChanges changes = describeChanges(result, wording, spunGroups);
        showChanges(changes.summary(), changes.changedRanges);
    } catch (const Error& error) {
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
    } catch (const std::bad_alloc&) {
        m_ui.showMessage(QStringLiteral("There is not enough memory to rewrite this article."),
                         QStringLiteral("Error"));
    }
    setRewriteEnabled(true);
    setTimers(m_loadingTimerEnabled, false);
    setPleaseWait(false, m_pleaseWaitCaption);
}

void TornelleController::saveArticle()
{
    // Without a chosen article there is no file to write to.
    if (m_selectedPath.isEmpty()) {
        m_ui.showMessage(QStringLiteral("Please select an article."), QStringLiteral("Error"));
        return;
    }
    // An empty box would empty the article.
    if (m_rewrittenText.isEmpty()) {
        m_ui.showMessage(QStringLiteral("There is no rewritten text to save. Press Rewrite first."),
                         QStringLiteral("Error"));
        return;
    }
    const MessageAnswer answer = m_ui.showMessage(
        QStringLiteral("Warning, this will overwrite your original article (we recommend you to make backups of your "
                       "artices). Confirm?\n\n") +
            QDir::toNativeSeparators(m_selectedPath),
        QStringLiteral("Warning"), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    try {
        saveTextFile(m_rewrittenText, m_selectedPath);
    } catch (const Error& error) {
        m_ui.showMessage(QStringLiteral("The article was not saved; the file on disk is unchanged.\n\n") +
                             error.message(),
                         QStringLiteral("Error"));
        return;
    } catch (const std::bad_alloc&) {
        m_ui.showMessage(QStringLiteral("There is not enough memory to save the article; the file on disk is "
                                        "unchanged."),
                         QStringLiteral("Error"));
        return;
    }
    m_ui.showMessage(QStringLiteral("Done!"), QStringLiteral("File Saved"));
}

void TornelleController::closeWindow()
{
    Q_EMIT closeRequested();
}

void TornelleController::setArticleText(const QString& text)
{
    if (text != m_articleText) {
        m_articleText = text;
        Q_EMIT articleTextChanged(m_articleText);
    }
    setRewriteEnabled(!m_articleText.isEmpty());
}

void TornelleController::setRewrittenText(const QString& text)
{
    m_rewrittenText = text;
    Q_EMIT rewrittenTextChanged(m_rewrittenText);
}

void TornelleController::showChanges(const QString& summary, const QList<std::pair<qsizetype, qsizetype>>& ranges)
{
    m_changes.summary = summary;
    m_changes.ranges = ranges;
    Q_EMIT changesShown();
}

void TornelleController::setRewriteEnabled(bool enabled)
{
    if (enabled != m_rewriteEnabled) {
        m_rewriteEnabled = enabled;
        Q_EMIT rewriteEnabledChanged(enabled);
    }
}

void TornelleController::setPleaseWait(bool visible, const QString& caption)
{
    if (visible != m_pleaseWaitVisible || caption != m_pleaseWaitCaption) {
        m_pleaseWaitVisible = visible;
        m_pleaseWaitCaption = caption;
        Q_EMIT pleaseWaitChanged();
    }
}

void TornelleController::setTimers(bool loading, bool blink)
{
    if (loading != m_loadingTimerEnabled || blink != m_blinkTimerEnabled) {
        m_loadingTimerEnabled = loading;
        m_blinkTimerEnabled = blink;
        Q_EMIT timersChanged();
    }
}

} // namespace quorvale
