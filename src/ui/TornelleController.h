#pragma once

#include "rewriter/Rewriter.h"
#include "site/SiteTypes.h"
#include "ui/UiHost.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace quorvale {

/// The Tornelle window without its widgets: load one of the five slot
/// articles, rewrite it with the synonym rules and save the result over the
/// article file.
///
/// The view owns two timers and calls loadingTick() every LoadingIntervalMs
/// while loadingTimerEnabled() and blinkTick() every BlinkIntervalMs while
/// blinkTimerEnabled(); it shows messages through the UiHost given here.
class TornelleController : public QObject
{
    Q_OBJECT

public:
    /// Makes one wording of a spintax text and, when asked, says where its outermost groups went.
    using SpinFunction = std::function<QString(const QString&, std::vector<SpunGroup>*)>;

    static constexpr int LoadingIntervalMs = 500;
    static constexpr int BlinkIntervalMs = 300;

    /// @p articles is the copy of the main window's slots the window works
    /// from; nothing is selected or loaded yet. @p rulesPath is the synonym
    /// rule file read on the first loading tick. @p spin makes one concrete
    /// wording of a spintax text (seeded in tests). @p ui must outlive the
    /// controller.
    TornelleController(UiHost& ui, QString rulesPath, const SlotPaths& articles, SpinFunction spin,
                       QObject* parent = nullptr);

    /// The part-of-speech model that rules with conditions need (see RuleIndex); set before the rules load.
    void setTaggerPath(const QString& path) { m_taggerPath = path; }

    // Commands
    /// Loads the article of option @p index (caption "Article index+1"). Another
    /// article than before empties the rewritten box: a rewrite is only ever
    /// saved over the article it came from. When the file cannot be read, the
    /// previous choice stays (selectedArticleChanged tells the view).
    void chooseArticle(int index);
    /// The article box's text was edited.
    void editArticle(const QString& text);
    /// The rewritten box was edited by hand.
    void editRewritten(const QString& text);
    /// One tick of the rule loading cycle.
    void loadingTick();
    /// One tick of the "Please Wait" blinking.
    void blinkTick();
    /// "Rewrite".
    void rewriteArticle();
    /// "Save Changes".
    void saveArticle();
    /// "Close".
    void closeWindow();

    // State the view shows
    bool optionEnabled(int index) const { return !m_articles.at(size_t(index)).isEmpty(); }
    const QString& optionPath(int index) const { return m_articles.at(size_t(index)); }
    const QString& selectedPath() const noexcept { return m_selectedPath; }
    /// The option whose article the boxes belong to; -1 before one was loaded.
    int selectedArticle() const noexcept { return m_selectedIndex; }
    const QString& articleText() const noexcept { return m_articleText; }
    const QString& rewrittenText() const noexcept { return m_rewrittenText; }
    bool rewriteEnabled() const noexcept { return m_rewriteEnabled; }
    bool pleaseWaitVisible() const noexcept { return m_pleaseWaitVisible; }
    const QString& pleaseWaitCaption() const noexcept { return m_pleaseWaitCaption; }
    bool loadingTimerEnabled() const noexcept { return m_loadingTimerEnabled; }
    bool blinkTimerEnabled() const noexcept { return m_blinkTimerEnabled; }
    /// After a rewrite: "27% of words changed · about 10^41 possible wordings"; empty before.
    const QString& changeSummary() const noexcept { return m_changes.summary; }
    /// The stretches of rewrittenText() that a rewrite worded otherwise: (start, length).
    const QList<std::pair<qsizetype, qsizetype>>& changedRanges() const noexcept { return m_changes.ranges; }
    /// One line telling how many synonym rules were loaded, or that none were found.
    const QString& rulesStatus() const noexcept { return m_rulesStatus; }
    const RuleList& rules() const noexcept { return m_rules.rules(); }

Q_SIGNALS:
    void selectedArticleChanged(int index);
    void articleTextChanged(const QString& text);
    void rewrittenTextChanged(const QString& text);
    void changesShown();
    void rewriteEnabledChanged(bool enabled);
    void pleaseWaitChanged();
    void timersChanged();
    void rulesStatusChanged(const QString& status);
    void closeRequested();

private:
    void setArticleText(const QString& text);
    void setRewrittenText(const QString& text);
    void showChanges(const QString& summary, const QList<std::pair<qsizetype, qsizetype>>& ranges);
    void setRewriteEnabled(bool enabled);
    void setPleaseWait(bool visible, const QString& caption);
    void setTimers(bool loading, bool blink);
    void loadRules();

    UiHost& m_ui;
    QString m_rulesPath;
    QString m_taggerPath;
    SlotPaths m_articles;
    SpinFunction m_spin;
    QString m_selectedPath;
    int m_selectedIndex = -1;
    QString m_articleText;
    QString m_rewrittenText;
    bool m_rewriteEnabled = false;
    bool m_pleaseWaitVisible = false;
    QString m_pleaseWaitCaption = QStringLiteral("Please Wait");
    bool m_loadingTimerEnabled = true;
    bool m_blinkTimerEnabled = false;
    /// The rule count seen at the last loading tick; none before the rules are read.
    std::optional<qsizetype> m_lastRuleCount;
    RuleIndex m_rules;
    QString m_rulesStatus;
    struct
    {
        QString summary;
        QList<std::pair<qsizetype, qsizetype>> ranges;
    } m_changes;
};

} // namespace quorvale
