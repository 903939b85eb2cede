// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rewriter/EditableWording.h"
#include "rewriter/Rewriter.h"
#include "site/SiteTypes.h"
#include "ui/TornelleHost.h"
#include "ui/UiHost.h"

#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <optional>
#include <vector>

namespace quorvale {

/// The Tornelle window without its widgets: load one of the five slot
/// articles, rewrite it with the synonym rules, correct the wording spot by
/// spot (with undo), and save it over the article (keeping a backup that
/// "Undo Save" restores), to another file, as spintax or as several wordings.
///
/// The view owns two timers and calls loadingTick() every LoadingIntervalMs
/// while loadingTimerEnabled() and blinkTick() every BlinkIntervalMs while
/// blinkTimerEnabled(); it shows messages through the UiHost given here.
/// The rewritten text is held with every line end a line feed, as a text box
/// shows it; saving writes the line ends of the article.
class TornelleController : public QObject
{
    Q_OBJECT

public:
    static constexpr int LoadingIntervalMs = 500;
    static constexpr int BlinkIntervalMs = 300;
    /// Undo keeps this many steps.
    static constexpr int UndoSteps = 200;

    /// What the menu of one spot of the rewritten text offers.
    struct SpotMenu
    {
        QStringList wordings; ///< the group's wordings, in its order
        qsizetype current;    ///< the one shown; -1: the article's own words
        QString original;     ///< the article's own words
    };

    /// @p articles is the copy of the main window's slots the window works
    /// from; nothing is selected or loaded yet. @p rulesPath is the synonym
    /// rule file read on the first loading tick. @p userFolder holds the
    /// protected phrases and the backups. @p random makes every choice of a
    /// wording (seeded in tests). @p ui and @p host must outlive the controller.
    TornelleController(UiHost& ui, TornelleHost& host, QString rulesPath, QString userFolder, const SlotPaths& articles,
                       QRandomGenerator random, QObject* parent = nullptr);

    /// @p text as a text box shows it: every line end (CR LF, CR, U+2028, U+2029) a line feed.
    static QString shownText(QString text);

    /// The part-of-speech model that rules with conditions need (see RuleIndex); set before the rules load.
    void setTaggerPath(const QString& path) { m_taggerPath = path; }

    // Commands
    /// The main window's slots changed: the options follow. The boxes keep
    /// their article, and Save still writes to it.
    void setArticles(const SlotPaths& articles);
    /// Loads the article of option @p index (caption "Article index+1"). Another
    /// article than before empties the rewritten box: a rewrite is only ever
    /// saved over the article it came from. When the file cannot be read, the
    /// previous choice stays (selectedArticleChanged tells the view).
    void chooseArticle(int index);
    /// The article box's text was edited.
    void editArticle(const QString& text);
    /// The rewritten box now holds @p text (line ends as line feeds), the
    /// caret at @p caret after the edit (-1: unknown). An edit inside a spot
    /// makes it plain text.
    void editRewritten(const QString& text, qsizetype caret = -1);
    /// One tick of the rule loading cycle.
    void loadingTick();
    /// One tick of the "Please Wait" blinking.
    void blinkTick();
    /// "Rewrite".
    void rewriteArticle();
    /// "Spin Again": a new wording of the spots no person chose.
    void spinAgain();
    /// A choice from the menu of spot @p spot: wording @p wording of SpotMenu::wordings, -1 for "Keep original".
    void chooseWording(int spot, qsizetype wording);
    /// "Never Replace This": adds the words of spot @p spot to the user's
    /// protected list and gives every spot of those words its original back.
    void protectWords(int spot);
    void undo();
    void redo();
    /// "Save Changes".
    void saveArticle();
    /// "Undo Save": the article as it was before the last "Save Changes".
    void undoSave();
    /// "Save As…".
    void saveAs();
    /// "Save Spintax As…".
    void saveSpintaxAs();
    /// "Save Wordings…".
    void saveWordings();
    /// "Close".
    void closeWindow();

    // State the view shows
    bool optionEnabled(int index) const { return !m_articles.at(size_t(index)).isEmpty(); }
    const QString& optionPath(int index) const { return m_articles.at(size_t(index)); }
    /// "Choose articles in the main window first." while no slot holds an article, else empty.
    QString articlesHint() const;
    const QString& selectedPath() const noexcept { return m_selectedPath; }
    /// The option whose article the boxes belong to; -1 before one was loaded.
    int selectedArticle() const noexcept { return m_selectedIndex; }
    const QString& articleText() const noexcept { return m_articleText; }
    const QString& rewrittenText() const noexcept { return m_wording.text(); }
    bool rewriteEnabled() const noexcept { return m_rewriteEnabled; }
    bool pleaseWaitVisible() const noexcept { return m_pleaseWaitVisible; }
    const QString& pleaseWaitCaption() const noexcept { return m_pleaseWaitCaption; }
    bool loadingTimerEnabled() const noexcept { return m_loadingTimerEnabled; }
    bool blinkTimerEnabled() const noexcept { return m_blinkTimerEnabled; }
    /// After a rewrite: "K words changed (N%) · M% of 5-word phrases as in the original · about X possible
    /// wordings"; empty before.
    const QString& changeSummary() const noexcept { return m_changeSummary; }
    /// The stretches of rewrittenText() that read otherwise than the article.
    TextSpans changedRanges() const { return m_wording.changedSpans(); }
    /// The spot of rewrittenText() that holds the unit at @p position, or -1.
    int spotAt(qsizetype position) const noexcept { return m_wording.spotAt(position); }
    bool spotChanged(int spot) const { return m_wording.changed(spot); }
    SpotMenu spotMenu(int spot) const;
    /// One line telling how many synonym rules were loaded, or that none were found.
    const QString& rulesStatus() const noexcept { return m_rulesStatus; }
    const RuleList& rules() const noexcept { return m_rules.rules(); }
    bool canSpinAgain() const;
    bool canUndo() const noexcept { return !m_undo.empty(); }
    bool canRedo() const noexcept { return !m_redo.empty(); }
    bool canUndoSave() const noexcept { return !m_saves.empty(); }
    /// Whether there is a rewritten text for "Save As…", "Save Spintax As…" and "Save Wordings…".
    bool canSaveCopies() const noexcept { return !m_wording.text().isEmpty(); }

Q_SIGNALS:
    void articlesChanged();
    void selectedArticleChanged(int index);
    void articleTextChanged(const QString& text);
    void rewrittenTextChanged(const QString& text);
    void changesShown();
    void commandsChanged();
    void rewriteEnabledChanged(bool enabled);
    void pleaseWaitChanged();
    void timersChanged();
    void rulesStatusChanged(const QString& status);
    void closeRequested();

private:
    /// What one undo step took back.
    enum class Step { Typing, Choice, Other };
    struct UndoStep
    {
        EditableWording before;
        Step step;
        int spot;
    };
    /// "Save Changes" that "Undo Save" can take back.
    struct SavedVersion
    {
        QString path;
        QString backup;     ///< the article before the save
        QByteArray written; ///< the article after it
    };

    void setArticleText(const QString& text);
    /// Keeps the wording as it is before a change: an undo step, or part of the last one.
    void record(Step step, int spot);
    void forgetSteps();
    /// Shows @p wording and its change line.
    void show(EditableWording wording);
    void setRewriteEnabled(bool enabled);
    void setPleaseWait(bool visible, const QString& caption);
    void setTimers(bool loading, bool blink);
    void loadRules();
    ProtectedPhrases loadProtected();
    QString protectedPath() const;
    QString backupsFolder() const;
    /// The rewritten text with the article's line ends.
    QString textToSave(const QString& text) const;
    /// Why writing a copy to @p path would overwrite an article of the window; empty when it would not.
    QString articleAt(const QString& path) const;
    /// Writes @p text to a file the user chooses, suggesting the article's name with @p suffix ("-2").
    void saveCopy(const QString& title, const QString& text, const QString& suffix);
    bool needRewrittenText();

    UiHost& m_ui;
    TornelleHost& m_host;
    QString m_rulesPath;
    QString m_taggerPath;
    QString m_userFolder;
    SlotPaths m_articles;
    QRandomGenerator m_random;
    QString m_selectedPath;
    int m_selectedIndex = -1;
    QString m_articleText;
    bool m_rewriteEnabled = false;
    bool m_pleaseWaitVisible = false;
    QString m_pleaseWaitCaption = QStringLiteral("Please Wait");
    bool m_loadingTimerEnabled = true;
    bool m_blinkTimerEnabled = false;
    /// The rule count seen at the last loading tick; none before the rules are read.
    std::optional<qsizetype> m_lastRuleCount;
    RuleIndex m_rules;
    QString m_rulesStatus;
    EditableWording m_wording;
    std::optional<Shingles> m_originalShingles;
    QString m_changeSummary;
    std::vector<UndoStep> m_undo;
    std::vector<UndoStep> m_redo;
    /// The last command made the step on top of m_undo: a choice at the same spot, or typing, joins it.
    bool m_stepOpen = false;
    std::vector<SavedVersion> m_saves;
};

} // namespace quorvale
