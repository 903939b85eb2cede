// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TornelleController.h"

#include "components/Backups.h"
#include "components/Error.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"
#include "rewriter/Spintax.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <new>

namespace quorvale {

namespace {

const QString LoadingCaption = QStringLiteral("Please Wait (Loading Synonyms)...");
const QString BlinkCaption = QStringLiteral("Please Wait ...");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

/// Whether the two paths name one file (links followed).
bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath());
}

/// A file name beside @p article that is not taken: "name-2.txt", "name-3.txt" … for an empty @p label,
/// else "name-label.txt", "name-label-2.txt" ….
QString freeName(const QString& article, const QString& label)
{
    const QFileInfo info(article);
    const QString extension = u'.' + (info.suffix().isEmpty() ? QStringLiteral("txt") : info.suffix());
    const QString stem = info.completeBaseName() + (label.isEmpty() ? QString() : u'-' + label);
    for (int n = label.isEmpty() ? 2 : 1;; ++n) {
        const QString name = stem + (n > 1 ? u'-' + QString::number(n) : QString()) + extension;
        if (!QFileInfo(info.dir(), name).exists() && !QFileInfo(info.dir(), name).isSymLink())
            return info.dir().filePath(name);
    }
}

QString percent(double share)
{
    return QString::number(std::lround(100 * share)) + u'%';
}

} // namespace

TornelleController::TornelleController(UiHost& ui, TornelleHost& host, QString rulesPath, QString userFolder,
                                       const SlotPaths& articles, QRandomGenerator random, QObject* parent)
    : QObject(parent), m_ui(ui), m_host(host), m_rulesPath(std::move(rulesPath)), m_userFolder(std::move(userFolder)),
      m_articles(articles), m_random(random)
{
}

QString TornelleController::shownText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QString TornelleController::articlesHint() const
{
    const bool none = std::all_of(m_articles.begin(), m_articles.end(), [](const QString& p) { return p.isEmpty(); });
    return none ? QStringLiteral("Choose articles in the main window first.") : QString();
}

void TornelleController::setArticles(const SlotPaths& articles)
{
    m_articles = articles;
    Q_EMIT articlesChanged();
    // The option stays ticked while it still holds the boxes' article.
    int index = -1;
    for (int i = 0; i < int(m_articles.size()) && !m_selectedPath.isEmpty(); ++i)
        if (m_articles.at(size_t(i)) == m_selectedPath && (index < 0 || i == m_selectedIndex))
            index = i;
    m_selectedIndex = index;
    Q_EMIT selectedArticleChanged(index);
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
        m_originalShingles.reset();
        forgetSteps();
        show(EditableWording());
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

void TornelleController::editRewritten(const QString& text, qsizetype caret)
{
    const QString& old = m_wording.text();
    if (text == old)
        return;
    // The edit is the middle that differs; where repeated letters leave it open, it ends at the caret.
    const qsizetype n = old.size();
    const qsizetype m = text.size();
    const qsizetype suffixLimit = caret >= 0 && caret <= m ? m - caret : m;
    qsizetype suffix = 0;
    while (suffix < std::min(n, m) && suffix < suffixLimit && old[n - 1 - suffix] == text[m - 1 - suffix])
        ++suffix;
    qsizetype prefix = 0;
    while (prefix < std::min(n, m) - suffix && old[prefix] == text[prefix])
        ++prefix;
    EditableWording wording = m_wording;
    wording.replace(prefix, n - suffix - prefix, text.mid(prefix, m - suffix - prefix));
    record(Step::Typing, -1);
    show(std::move(wording));
}

void TornelleController::loadRules()
{
    const QString shownPath = shown(m_rulesPath);
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

QString TornelleController::protectedPath() const
{
    return m_userFolder.isEmpty() ? QString() : m_userFolder + u'/' + ProtectedPhrasesFileName;
}

QString TornelleController::backupsFolder() const
{
    return m_userFolder + QStringLiteral("/backups");
}

ProtectedPhrases TornelleController::loadProtected()
{
    // Read at every rewrite: a list edited by hand meanwhile counts at once.
    const QString path = protectedPath();
    if (path.isEmpty() || (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()))
        return {};
    try {
        return loadProtectedPhrases(path);
    } catch (const Error& error) {
        m_ui.showMessage(error.message() + QStringLiteral("\n\nThe rewrite goes on without the protected words."),
                         QStringLiteral("Protected Words"));
        return {};
    }
}

void TornelleController::rewriteArticle()
{
    if (m_articleText.isEmpty())
        return;
    setTimers(m_loadingTimerEnabled, true);
    setRewriteEnabled(false);
    try {
        const ProtectedPhrases phrases = loadProtected();
        const RewriteResult result = quorvale::rewriteArticle(
            shownText(m_articleText), m_rules, [this](const QString& text) { return spin(text, m_random); }, phrases);
        m_ui.showMessage(result.report, QStringLiteral("Done"));
        m_originalShingles.emplace(result.spunArticle);
        forgetSteps();
        show(EditableWording(result, m_random));
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

bool TornelleController::canSpinAgain() const
{
    const auto& spots = m_wording.spots();
    return std::any_of(spots.begin(), spots.end(), [](const auto& s) { return !s.byHand && s.wordingCount > 1; });
}

void TornelleController::spinAgain()
{
    if (!canSpinAgain())
        return;
    EditableWording wording = m_wording;
    wording.respin(m_random);
    record(Step::Other, -1);
    show(std::move(wording));
}

TornelleController::SpotMenu TornelleController::spotMenu(int spot) const
{
    if (spot < 0 || spot >= int(m_wording.spots().size()))
        return {};
    return {m_wording.wordings(spot), m_wording.spots().at(size_t(spot)).choice,
            m_wording.originalWords(spot).toString()};
}

void TornelleController::chooseWording(int spot, qsizetype wording)
{
    if (spot < 0 || spot >= int(m_wording.spots().size()))
        return;
    EditableWording chosen = m_wording;
    chosen.choose(spot, wording);
    record(Step::Choice, spot);
    show(std::move(chosen));
}

void TornelleController::protectWords(int spot)
{
    if (spot < 0 || spot >= int(m_wording.spots().size()))
        return;
    const QString phrase = ProtectedPhrases::normalized(m_wording.originalWords(spot).toString());
    if (m_userFolder.isEmpty()) {
        m_ui.showMessage(QStringLiteral("There is no data folder to keep the protected words in."),
                         QStringLiteral("Error"));
        return;
    }
    try {
        addProtectedPhrase(protectedPath(), phrase);
    } catch (const Error& error) {
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
        return;
    }
    // Every spot of these words reads as the article has it, as the next rewrite will leave it.
    EditableWording wording = m_wording;
    for (int i = int(wording.spots().size()) - 1; i >= 0; --i) {
        if (ProtectedPhrases::normalized(wording.originalWords(i).toString()) == phrase) {
            wording.choose(i, -1);
            wording.makePlain(i);
        }
    }
    record(Step::Other, -1);
    show(std::move(wording));
}

void TornelleController::undo()
{
    if (m_undo.empty())
        return;
    UndoStep step = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(UndoStep{m_wording, step.step, step.spot});
    m_stepOpen = false;
    show(std::move(step.before));
}

void TornelleController::redo()
{
    if (m_redo.empty())
        return;
    UndoStep step = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(UndoStep{m_wording, step.step, step.spot});
    m_stepOpen = false;
    show(std::move(step.before));
}

void TornelleController::record(Step step, int spot)
{
    // Typing goes on, or the same spot is chosen again: one step. Anything else is a step of its own.
    const bool joins = m_stepOpen && !m_undo.empty() && step != Step::Other && m_undo.back().step == step &&
                       m_undo.back().spot == spot;
    if (!joins) {
        m_undo.push_back(UndoStep{m_wording, step, spot});
        if (m_undo.size() > size_t(UndoSteps))
            m_undo.erase(m_undo.begin());
    }
    m_redo.clear();
    m_stepOpen = true;
}

void TornelleController::forgetSteps()
{
    m_undo.clear();
    m_redo.clear();
    m_stepOpen = false;
}

void TornelleController::show(EditableWording wording)
{
    const bool textChanged = wording.text() != m_wording.text();
    m_wording = std::move(wording);
    m_changeSummary = m_originalShingles ? m_wording.changes(*m_originalShingles).summary() : QString();
    if (textChanged)
        Q_EMIT rewrittenTextChanged(m_wording.text());
    Q_EMIT changesShown();
    Q_EMIT commandsChanged();
}

QString TornelleController::textToSave(const QString& text) const
{
    // The article's own line ends: CR LF or CR when it uses them, else line feeds.
    if (m_articleText.contains(QStringLiteral("\r\n")))
        return QString(text).replace(u'\n', QStringLiteral("\r\n"));
    if (m_articleText.contains(u'\r'))
        return QString(text).replace(u'\n', u'\r');
    return text;
}

bool TornelleController::needRewrittenText()
{
    if (!m_wording.text().isEmpty())
        return true;
    m_ui.showMessage(QStringLiteral("There is no rewritten text to save. Press Rewrite first."),
                     QStringLiteral("Error"));
    return false;
}

void TornelleController::saveArticle()
{
    // Without a chosen article there is no file to write to.
    if (m_selectedPath.isEmpty()) {
        m_ui.showMessage(QStringLiteral("Please select an article."), QStringLiteral("Error"));
        return;
    }
    // An empty box would empty the article.
    if (!needRewrittenText())
        return;
    const MessageAnswer answer = m_ui.showMessage(
        QStringLiteral("Warning, this will overwrite your original article (we recommend you to make backups of your "
                       "artices). Confirm?\n\n") +
            shown(m_selectedPath),
        QStringLiteral("Warning"), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    const QString path = m_selectedPath;
    QString backup;
    try {
        // No backup, no save: the article is never overwritten without its copy.
        if (m_userFolder.isEmpty())
            throw Error(QStringLiteral("There is no data folder to keep a backup in."));
        backup = Backups(backupsFolder()).keep(path, m_host.now());
    } catch (const Error& error) {
        m_ui.showMessage(QStringLiteral("The article was not saved, because its backup could not be written; the file "
                                        "on disk is unchanged.\n\n") +
                             error.message(),
                         QStringLiteral("Error"));
        return;
    }
    try {
        saveTextFile(textToSave(m_wording.text()), path);
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
    if (!backup.isEmpty()) {
        // What was written, to tell later whether the file changed elsewhere; unreadable, it counts as changed.
        QByteArray written;
        try {
            written = readFileBytes(path);
        } catch (const Error&) {
        }
        m_saves.push_back(SavedVersion{path, backup, written});
        Q_EMIT commandsChanged();
    }
    m_ui.showMessage(QStringLiteral("Done!"), QStringLiteral("File Saved"));
}

void TornelleController::undoSave()
{
    if (m_saves.empty())
        return;
    const SavedVersion saved = m_saves.back();
    QByteArray now;
    bool present = true;
    try {
        now = readFileBytes(saved.path);
    } catch (const Error&) {
        present = false;
    }
    if ((!present || now != saved.written) &&
        m_ui.showMessage(QStringLiteral("The article was changed after it was saved here:\n\n") + shown(saved.path) +
                             QStringLiteral("\n\nPut back the version from before the save all the same? What the "
                                            "file holds now is kept as a backup."),
                         QStringLiteral("Undo Save"), MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    try {
        if (present)
            Backups(backupsFolder()).keep(saved.path, m_host.now());
        saveFile(readFileBytes(saved.backup), saved.path);
    } catch (const Error& error) {
        m_ui.showMessage(QStringLiteral("The article could not be put back.\n\n") + error.message(),
                         QStringLiteral("Error"));
        return;
    }
    m_saves.pop_back();
    Q_EMIT commandsChanged();
    m_ui.showMessage(QStringLiteral("The article is back as it was before the save:\n\n") + shown(saved.path),
                     QStringLiteral("Undo Save"));
}

QString TornelleController::articleAt(const QString& path) const
{
    if (!m_selectedPath.isEmpty() && sameFile(path, m_selectedPath))
        return QStringLiteral("it is the article being edited (\"Save Changes\" writes it, keeping a backup)");
    for (size_t i = 0; i < m_articles.size(); ++i)
        if (!m_articles[i].isEmpty() && sameFile(path, m_articles[i]))
            return QStringLiteral("it is the file of \"Article %1\", an article of the site").arg(i + 1);
    return {};
}

void TornelleController::saveCopy(const QString& title, const QString& text, const QString& label)
{
    const QString article =
        m_selectedPath.isEmpty() ? QDir::home().filePath(QStringLiteral("rewritten.txt")) : m_selectedPath;
    const QString path = m_host.chooseSaveFile(title, freeName(article, label));
    if (path.isEmpty())
        return;
    try {
        if (const QString reason = articleAt(path); !reason.isEmpty())
            throw Error(QStringLiteral("Cannot save \"") + shown(path) + QStringLiteral("\": ") + reason + u'.');
        saveTextFile(textToSave(text), path);
    } catch (const Error& error) {
        m_ui.showMessage(error.message(), QStringLiteral("Error"));
        return;
    }
    m_ui.showMessage(QStringLiteral("Saved as ") + shown(path), QStringLiteral("File Saved"));
}

void TornelleController::saveAs()
{
    if (needRewrittenText())
        saveCopy(QStringLiteral("Save As"), m_wording.text(), QString());
}

void TornelleController::saveSpintaxAs()
{
    if (needRewrittenText())
        saveCopy(QStringLiteral("Save Spintax As"), m_wording.spintax(), QStringLiteral("spintax"));
}

void TornelleController::saveWordings()
{
    if (!needRewrittenText())
        return;
    const QString title = QStringLiteral("Save Wordings");
    const std::optional<int> count = m_host.askNumber(title, QStringLiteral("How many wordings?"), 3, 1, 1000);
    if (!count)
        return;
    const QFileInfo article(m_selectedPath.isEmpty() ? QDir::home().filePath(QStringLiteral("rewritten.txt"))
                                                     : m_selectedPath);
    const QString folder = m_host.chooseFolder(title, article.absolutePath());
    if (folder.isEmpty())
        return;
    const QStringList wordings = distinctWordings(m_wording.spintax(), *count, m_random);
    const QString extension = u'.' + (article.suffix().isEmpty() ? QStringLiteral("txt") : article.suffix());
    QStringList paths;
    QStringList taken;
    for (qsizetype k = 0; k < wordings.size(); ++k) {
        paths.append(QDir(folder).filePath(article.completeBaseName() + u'-' + QString::number(k + 1) + extension));
        if (const QString reason = articleAt(paths.back()); !reason.isEmpty()) {
            m_ui.showMessage(QStringLiteral("Cannot save \"") + shown(paths.back()) + QStringLiteral("\": ") + reason +
                                 QStringLiteral(". Choose another folder."),
                             QStringLiteral("Error"));
            return;
        }
        if (QFileInfo::exists(paths.back()))
            taken.append(QFileInfo(paths.back()).fileName());
    }
    if (!taken.isEmpty() && m_ui.showMessage(taken.join(QStringLiteral(", ")) +
                                                 (taken.size() == 1 ? u" already exists in " : u" already exist in ") +
                                                 shown(folder) + QStringLiteral(". Replace?"),
                                             title, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const Shingles original = m_originalShingles ? *m_originalShingles : Shingles(shownText(m_articleText));
    QString report;
    if (wordings.size() < *count)
        report = QStringLiteral("Only %1 different wordings can be made of this rewrite.\n\n").arg(wordings.size());
    report += QStringLiteral("Saved in ") + shown(folder) + QStringLiteral(":\n");
    for (qsizetype k = 0; k < wordings.size(); ++k) {
        try {
            saveTextFile(textToSave(wordings.at(k)), paths.at(k));
        } catch (const Error& error) {
            m_ui.showMessage(report + QStringLiteral("\n") + error.message(), QStringLiteral("Error"));
            return;
        }
        report += u'\n' + QFileInfo(paths.at(k)).fileName() + QStringLiteral(": ") +
                  percent(Shingles(wordings.at(k)).shareFoundIn(original)) +
                  QStringLiteral(" of 5-word phrases as in the original");
    }
    m_ui.showMessage(report, title);
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
