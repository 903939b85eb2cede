// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TornelleController.h"

#include "FakeHosts.h"

#include <QSet>
#include <QTemporaryDir>

namespace quorvale::test {
namespace {

const QString Confirm = QStringLiteral(
    "Warning, this will overwrite your original article (we recommend you to make backups of your artices). Confirm?");

/// Answers the window's file, folder and number questions and tells a fixed time.
class FakeTornelleHost : public TornelleHost
{
public:
    QString chooseSaveFile(const QString&, const QString& offered) override
    {
        suggested.append(offered);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseFolder(const QString&, const QString&) override { return folder; }
    std::optional<int> askNumber(const QString&, const QString&, int, int, int) override { return number; }
    QDateTime now() override { return QDateTime(QDate(2024, 5, 1), QTime(10, 22, 33)); }

    QStringList files; ///< the answers of chooseSaveFile, in turn
    QStringList suggested;
    QString folder;
    int number = 3;
};

class TornelleControllerTest : public ::testing::Test
{
protected:
    QString file(const char* name, const QByteArray& bytes) { return writeFile(path(name), bytes); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TornelleController> open(const SlotPaths& articles, quint32 seed = 1)
    {
        return std::make_unique<TornelleController>(m_hosts, m_host, path("rwdb.txt"), path("user"), articles,
                                                    QRandomGenerator(seed));
    }

    /// A window with the rules {big|large|huge} loaded and @p article rewritten.
    std::unique_ptr<TornelleController> rewritten(const QByteArray& article, quint32 seed = 1)
    {
        file("rwdb.txt", "{big|large|huge}\n");
        auto window = open({file("a.txt", article), file("b.txt", "other"), QString(), QString(), QString()}, seed);
        finishLoading(*window);
        window->chooseArticle(0);
        window->rewriteArticle();
        return window;
    }

    /// The word at each spot of the rewritten text, in order.
    static QStringList spotWords(const TornelleController& window)
    {
        QStringList words;
        const QString& text = window.rewrittenText();
        for (qsizetype at = 0; at < text.size(); ++at)
            if (window.spotAt(at) == int(words.size())) {
                qsizetype end = at;
                while (end < text.size() && text[end].isLetter())
                    ++end;
                words.append(text.mid(at, end - at));
            }
        return words;
    }

    /// Drives the loading timer until it stops; returns the number of ticks.
    static int finishLoading(TornelleController& window)
    {
        int ticks = 0;
        for (; window.loadingTimerEnabled() && ticks < 10; ++ticks)
            window.loadingTick();
        return ticks;
    }

    QTemporaryDir m_dir;
    FakeHosts m_hosts;
    FakeTornelleHost m_host;
};

TEST_F(TornelleControllerTest, OptionsFollowTheSlotCopyAndAnUnreadableArticleKeepsTheBox)
{
    const QString a = file("a.txt", "alpha");
    const QString gone = path("gone.txt");
    auto window = open({a, QString(), gone, QString(), QString()});
    EXPECT_TRUE(window->optionEnabled(0));
    EXPECT_FALSE(window->optionEnabled(1));
    EXPECT_FALSE(window->rewriteEnabled() || window->canSaveCopies());

    // Choosing an article again drops edits; an emptied box cannot be rewritten.
    window->chooseArticle(0);
    window->editArticle(QString());
    EXPECT_FALSE(window->rewriteEnabled());
    window->chooseArticle(0);
    EXPECT_EQ(window->articleText(), QStringLiteral("alpha"));
    EXPECT_TRUE(window->rewriteEnabled());

    window->chooseArticle(2);
    ASSERT_EQ(m_hosts.messages.size(), 1u);
    EXPECT_TRUE(m_hosts.messages[0].text.contains(gone));
    EXPECT_EQ(window->articleText(), QStringLiteral("alpha"));
    EXPECT_EQ(window->selectedPath(), a);

    // The main window's slots change while the window is open: the options follow, the boxes stay.
    EXPECT_TRUE(window->articlesHint().isEmpty());
    window->setArticles({QString(), a, QString(), QString(), QString()});
    EXPECT_EQ(window->selectedArticle(), 1);
    EXPECT_FALSE(window->optionEnabled(0));
    window->setArticles({});
    EXPECT_EQ(window->selectedArticle(), -1);
    EXPECT_EQ(window->articlesHint(), QStringLiteral("Choose articles in the main window first."));
    EXPECT_EQ(window->selectedPath(), a);
}

TEST_F(TornelleControllerTest, LoadingEndsOnTickTwoOrWithANoticeOnTickThree)
{
    const struct
    {
        const char* rules; ///< nullptr: no rule file at all
        int ticks;
        const char* status;
    } cases[] = {{"{big|large|huge}\nnot a rule\n", 3, "1 synonym rules loaded"},
                 {"{big|large|huge}\n{a|}\n", 3, "Rule line 2 cannot be used"},
                 {"{big|large|huge}\n", 2, "1 synonym rules loaded"},
                 {"", 3, "No synonym rules found in"},
                 {nullptr, 3, "No synonym rules found: Cannot read"}};
    for (const auto& c : cases) {
        QFile::remove(path("rwdb.txt"));
        if (c.rules)
            file("rwdb.txt", c.rules);
        auto window = open({});
        window->loadingTick();
        EXPECT_EQ(window->pleaseWaitCaption(), QStringLiteral("Please Wait (Loading Synonyms)..."));
        EXPECT_TRUE(window->pleaseWaitVisible());
        EXPECT_EQ(1 + finishLoading(*window), c.ticks) << c.status;
        EXPECT_FALSE(window->pleaseWaitVisible());
        EXPECT_EQ(window->pleaseWaitCaption(), QStringLiteral("Please Wait ..."));
        EXPECT_TRUE(window->rulesStatus().contains(QString::fromUtf8(c.status))) << c.status;
    }
    EXPECT_TRUE(m_hosts.messages.empty());
}

TEST_F(TornelleControllerTest, RewriteReportsAndTheLabelBlinksWhileTheReportIsShown)
{
    file("rwdb.txt", "{big|large|huge}\n");
    auto window = open({file("a.txt", "A big dog, a big cat."), QString(), QString(), QString(), QString()});
    finishLoading(*window);
    window->chooseArticle(0);
    std::vector<bool> blinks;
    m_hosts.onMessage = [&] {
        EXPECT_FALSE(window->rewriteEnabled());
        for (int i = 0; i < 3; ++i) {
            window->blinkTick();
            blinks.push_back(window->pleaseWaitVisible());
        }
    };
    window->rewriteArticle();
    ASSERT_EQ(m_hosts.titles(), QStringList{u"Done"_qs});
    EXPECT_EQ(m_hosts.messages[0].text, QStringLiteral("2 Replacements on 6 words."));
    // Two words of six changed, each in one of two ways; the changes are the two group wordings.
    EXPECT_EQ(window->changeSummary(), QStringLiteral("2 words changed (33%) \u00B7 0% of 5-word phrases as in the "
                                                      "original \u00B7 about 4 possible wordings"));
    ASSERT_EQ(window->changedRanges().size(), 2);
    for (const auto& [start, length] : window->changedRanges())
        EXPECT_TRUE(QStringList({u"large"_qs, u"huge"_qs}).contains(window->rewrittenText().mid(start, length)));
    EXPECT_EQ(window->rewrittenText().size(), window->changedRanges()[1].first + window->changedRanges()[1].second + 5);
    EXPECT_EQ(blinks, (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(window->blinkTimerEnabled());
    EXPECT_FALSE(window->pleaseWaitVisible());
    EXPECT_TRUE(window->rewriteEnabled());
}

TEST_F(TornelleControllerTest, SaveAsksFirstAndNeverEmptiesOrSwapsAnArticle)
{
    auto none = open({});
    none->editRewritten(QStringLiteral("text"));
    none->saveArticle();
    EXPECT_EQ(m_hosts.messages.back().text, QStringLiteral("Please select an article."));

    const QString a = file("sub/a.txt", "original");
    const QString b = file("b.txt", "other");
    auto window = open({a, b, path("gone.txt"), QString(), QString()});
    std::vector<int> ticked;
    QObject::connect(window.get(), &TornelleController::selectedArticleChanged, [&](int i) { ticked.push_back(i); });
    window->chooseArticle(0);
    window->saveArticle(); // nothing rewritten yet
    EXPECT_EQ(m_hosts.messages.back().text, QStringLiteral("There is no rewritten text to save. Press Rewrite first."));
    window->editRewritten(QStringLiteral("rewritten ✓"));
    window->chooseArticle(2); // cannot be read: the option goes back, the rewrite stays
    window->chooseArticle(1); // another article: the rewrite of the first is gone
    EXPECT_EQ(ticked, (std::vector<int>{0, 0, 1}));
    EXPECT_TRUE(window->rewrittenText().isEmpty());
    window->saveArticle();
    window->chooseArticle(0);
    window->editRewritten(QStringLiteral("rewritten ✓"));
    m_hosts.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    window->saveArticle();
    EXPECT_EQ(readFile(a), QByteArray("original"));
    EXPECT_EQ(m_hosts.messages.back().text, Confirm + u"\n\n" + a);
    EXPECT_EQ(m_hosts.messages.back().buttons, MessageButtons::YesNo);
    window->saveArticle();
    EXPECT_EQ(readFile(a), QByteArray("rewritten \xE2\x9C\x93"));
    EXPECT_EQ(readFile(b), QByteArray("other"));

    QDir(path("sub")).removeRecursively(); // the file's folder is gone
    window->saveArticle();
    EXPECT_EQ(m_hosts.titles().mid(2), (QStringList{u"Error"_qs, u"Error"_qs, u"Warning"_qs, u"Warning"_qs,
                                                    u"File Saved"_qs, u"Warning"_qs, u"Error"_qs}));
    EXPECT_TRUE(m_hosts.messages.back().text.contains(a));
}

TEST_F(TornelleControllerTest, ChoicesTypingAndSpinAgainAreUndoneStepByStep)
{
    auto window = rewritten("A big dog, a big cat, a big cow.");
    ASSERT_EQ(spotWords(*window).size(), 3);
    const TornelleController::SpotMenu menu = window->spotMenu(0);
    EXPECT_EQ(menu.wordings, (QStringList{u"large"_qs, u"huge"_qs}));
    EXPECT_EQ(menu.original, QStringLiteral("big"));
    const QStringList rewrittenWords = spotWords(*window);

    window->chooseWording(0, 1);
    window->chooseWording(0, 0); // the same spot again: one undo step
    window->chooseWording(1, -1);
    EXPECT_EQ(spotWords(*window).mid(0, 2), (QStringList{u"large"_qs, u"big"_qs}));
    EXPECT_EQ(window->changedRanges().size(), 2u) << "a kept original is not highlighted";
    // Spin Again varies only the third spot, which no one chose.
    QSet<QString> third;
    for (int i = 0; i < 20; ++i) {
        window->spinAgain();
        EXPECT_EQ(spotWords(*window).mid(0, 2), (QStringList{u"large"_qs, u"big"_qs}));
        third.insert(spotWords(*window)[2]);
    }
    EXPECT_EQ(third, (QSet<QString>{u"large"_qs, u"huge"_qs}));
    // Typing inside a spot makes it plain text; typing goes back as one step.
    QString typed = window->rewrittenText();
    typed.insert(typed.indexOf(u"large") + 2, QStringLiteral("xx"));
    window->editRewritten(typed, typed.indexOf(u"laxxrge") + 4);
    EXPECT_EQ(spotWords(*window).size(), 2);
    EXPECT_TRUE(window->changeSummary().startsWith(QStringLiteral("1 word changed")))
        << window->changeSummary().toStdString();
    window->undo();
    EXPECT_EQ(spotWords(*window).size(), 3);
    while (window->canUndo())
        window->undo();
    EXPECT_EQ(spotWords(*window), rewrittenWords);
    window->redo();
    window->redo();
    EXPECT_EQ(spotWords(*window).mid(0, 2), (QStringList{u"large"_qs, u"big"_qs}));
}

TEST_F(TornelleControllerTest, ProtectedWordsStayFromTheMenuOnAndAnUnreadableListIsNamed)
{
    auto window = rewritten("A dog. Big cats, a big cow.");
    ASSERT_EQ(window->spotMenu(0).original, QStringLiteral("Big"));
    window->protectWords(0);
    EXPECT_EQ(window->rewrittenText(), QStringLiteral("A dog. Big cats, a big cow.")) << "every spot of the words";
    EXPECT_TRUE(readFile(path("user/protected.txt")).endsWith("\nbig\n"));
    window->rewriteArticle();
    EXPECT_EQ(m_hosts.messages.back().text, QStringLiteral("0 Replacements on 7 words."));

    QFile::remove(path("user/protected.txt"));
    QDir().mkpath(path("user/protected.txt"));
    window->rewriteArticle();
    EXPECT_EQ(m_hosts.titles().mid(2), (QStringList{u"Protected Words"_qs, u"Done"_qs}));
    EXPECT_TRUE(m_hosts.messages[2].text.contains(path("user/protected.txt")));
    EXPECT_EQ(m_hosts.messages.back().text, QStringLiteral("2 Replacements on 7 words."));
}

TEST_F(TornelleControllerTest, SaveKeepsABackupThatUndoSavePutsBackByteForByte)
{
    const QByteArray original("A big dog,\r\na big caf\xE9.\r\n");
    auto window = rewritten(original);
    const QString article = path("a.txt");
    window->saveArticle();
    const QStringList copies = QDir(path("user/backups")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(copies[0].startsWith(u"a.txt-"));
    const QByteArray saved = readFile(article);
    EXPECT_EQ(saved.count("\r\n"), 2) << "the article's line ends";
    EXPECT_EQ(readFile(path("user/backups/") + copies[0] + u"/a 2024-05-01 10-22-33.000.txt"), original);
    ASSERT_TRUE(window->canUndoSave());
    window->undoSave();
    EXPECT_EQ(readFile(article), original);
    EXPECT_FALSE(window->canUndoSave());

    // Changed outside the window after the save: Undo Save asks, and keeps what it replaces.
    window->saveArticle();
    writeFile(article, "changed elsewhere");
    m_hosts.answers = {MessageAnswer::No, MessageAnswer::Yes};
    window->undoSave();
    EXPECT_EQ(readFile(article), QByteArray("changed elsewhere"));
    window->undoSave();
    EXPECT_EQ(readFile(article), original);
    // The article before each of the two saves and before each Undo Save that went ahead.
    EXPECT_EQ(QDir(path("user/backups/") + copies[0]).entryList(QDir::Files).size(), 4);

    // No backup, no save.
    QDir(path("user/backups")).removeRecursively();
    writeFile(path("user/backups"), "a file where the folder should be");
    window->saveArticle();
    EXPECT_EQ(readFile(article), original);
    EXPECT_TRUE(
        m_hosts.messages.back().text.startsWith(QStringLiteral("The article was not saved, because its backup")))
        << m_hosts.messages.back().text.toStdString();
}

TEST_F(TornelleControllerTest, CopiesAndWordingsNeverOverwriteAnArticle)
{
    auto window = rewritten("A big dog, a big cat.");
    window->chooseWording(0, 1);
    QDir().mkpath(path("folder.txt"));
    QFile::link(path("a.txt"), path("link.txt"));
    m_host.files = {path("a.txt"),      path("link.txt"), path("b.txt"),
                    path("folder.txt"), path("copy.txt"), path("spintax.txt")};
    for (int i = 0; i < 5; ++i)
        window->saveAs();
    EXPECT_EQ(m_host.suggested[0], path("a-2.txt"));
    EXPECT_EQ(readFile(path("a.txt")), QByteArray("A big dog, a big cat."));
    EXPECT_EQ(readFile(path("b.txt")), QByteArray("other"));
    EXPECT_EQ(m_hosts.titles().mid(1),
              (QStringList{u"Error"_qs, u"Error"_qs, u"Error"_qs, u"Error"_qs, u"File Saved"_qs}));
    EXPECT_TRUE(m_hosts.messages[4].text.contains(u"a folder"));
    EXPECT_EQ(QString::fromUtf8(readFile(path("copy.txt"))), window->rewrittenText());
    window->saveSpintaxAs();
    EXPECT_EQ(m_host.suggested.back(), path("a-spintax.txt"));
    EXPECT_EQ(readFile(path("spintax.txt")), QByteArray("A huge dog, a {large|huge} cat."));

    // Two wordings exist of five asked for; an article in the folder is never among them.
    m_host.number = 5;
    m_host.folder = path("out");
    QDir().mkpath(m_host.folder);
    window->saveWordings();
    EXPECT_TRUE(m_hosts.messages.back().text.startsWith(u"Only 2 different wordings"))
        << m_hosts.messages.back().text.toStdString();
    EXPECT_NE(readFile(path("out/a-1.txt")), readFile(path("out/a-2.txt")));
    EXPECT_TRUE(readFile(path("out/a-1.txt")).startsWith("A huge dog"));
    m_host.folder = m_dir.path();
    writeFile(path("a-1.txt"), "x");
    window->setArticles({path("a.txt"), path("a-2.txt"), QString(), QString(), QString()});
    window->saveWordings();
    EXPECT_TRUE(m_hosts.messages.back().text.contains(u"Article 2")) << m_hosts.messages.back().text.toStdString();
    EXPECT_EQ(readFile(path("a-1.txt")), QByteArray("x"));
}

} // namespace
} // namespace quorvale::test
