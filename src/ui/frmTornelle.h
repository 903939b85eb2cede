#pragma once

#include "rewriter/Rewriter.h"
#include "site/SiteTypes.h"
#include "ui/UiHost.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

namespace quorvale {

/// The Tornelle window without its widgets: load one of the five slot
/// articles, rewrite it with the synonym rules of the installation folder and
/// save the result over the article file.
///
/// The view owns two timers and calls Timer1_Timer() every 500 ms while
/// timer1Enabled() and tmrPleaseWait_Timer() every 300 ms while
/// pleaseWaitTimerEnabled(); it shows messages through the UiHost given here.
class frmTornelle : public QObject
{
    Q_OBJECT

public:
    using SpinFunction = std::function<QString(const QString&)>;

    static constexpr int kTimer1IntervalMs = 500;
    static constexpr int kPleaseWaitIntervalMs = 300;
    /// Width of the "Please Wait" label; the layout keeps its right edge 700 twips inside the window.
    static constexpr int kPleaseWaitWidthTwips = 3735;
    static constexpr int kRightMarginTwips = 700;
    static constexpr int kRewrittenWidthTwips = 11670;

    /// @p host and the spin function must outlive the controller. @p spin makes
    /// one concrete wording of a spintax text (seeded in tests).
    frmTornelle(UiHost& host, QString installFolder, SpinFunction spin, QObject* parent = nullptr);

    // Events
    /// Takes the copy of the main window's slots; nothing is selected or loaded.
    void Form_Load(const SlotPaths& mainWindowSlots);
    /// Loads the article of option @p index (caption "Article index+1").
    void optArticles_Click(int index);
    /// The article box's text changed (typing or loading).
    void txtArticle_Change(const QString& text);
    /// The rewritten box was edited by hand.
    void txtRewritten_Change(const QString& text);
    void Timer1_Timer();
    void tmrPleaseWait_Timer();
    void vbtnConvert_Click();
    void vbtnSave_Click();
    void Command1_Click();
    /// The window's outer width changed (in twips).
    void Form_Resize(int outerWidthTwips);

    // State the view shows
    bool optionEnabled(int index) const { return !m_slotCopy.at(size_t(index)).isEmpty(); }
    const QString& optionPath(int index) const { return m_slotCopy.at(size_t(index)); }
    const QString& selectedPath() const noexcept { return m_selectedPath; }
    const QString& articleText() const noexcept { return m_articleText; }
    const QString& rewrittenText() const noexcept { return m_rewrittenText; }
    bool convertEnabled() const noexcept { return m_convertEnabled; }
    bool pleaseWaitVisible() const noexcept { return m_pleaseWaitVisible; }
    const QString& pleaseWaitCaption() const noexcept { return m_pleaseWaitCaption; }
    bool timer1Enabled() const noexcept { return m_timer1Enabled; }
    bool pleaseWaitTimerEnabled() const noexcept { return m_pleaseWaitTimerEnabled; }
    /// One line telling how many synonym rules were loaded, or that none were found.
    const QString& rulesStatus() const noexcept { return m_rulesStatus; }
    const RuleList& rules() const noexcept { return m_rules.rules(); }
    QString rulesPath() const;
    int articleWidthTwips() const noexcept { return m_articleWidthTwips; }
    int pleaseWaitLeftTwips() const noexcept { return m_pleaseWaitLeftTwips; }

signals:
    void optionsChanged();
    void articleTextChanged(const QString& text);
    void rewrittenTextChanged(const QString& text);
    void convertEnabledChanged(bool enabled);
    void pleaseWaitChanged();
    void timersChanged();
    void rulesStatusChanged(const QString& status);
    void layoutChanged();
    void closeRequested();

private:
    void setArticleText(const QString& text);
    void setRewrittenText(const QString& text);
    void setConvertEnabled(bool enabled);
    void setPleaseWait(bool visible, const QString& caption);
    void setTimers(bool timer1, bool pleaseWait);
    void loadRules();

    UiHost& m_host;
    QString m_installFolder;
    SpinFunction m_spin;
    SlotPaths m_slotCopy;
    QString m_selectedPath;
    QString m_articleText;
    QString m_rewrittenText;
    bool m_convertEnabled = false;
    bool m_pleaseWaitVisible = false;
    QString m_pleaseWaitCaption = QStringLiteral("Please Wait");
    bool m_timer1Enabled = true;
    bool m_pleaseWaitTimerEnabled = false;
    QString m_timer1Tag;
    RuleIndex m_rules;
    QString m_rulesStatus;
    int m_articleWidthTwips = 11670;
    int m_pleaseWaitLeftTwips = 7935;
};

} // namespace quorvale
