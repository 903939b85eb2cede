#include "ui/TornelleController.h"

#include "FakeHosts.h"

#include <QTemporaryDir>

namespace quorvale::test {
namespace {

const QString Confirm = QStringLiteral(
    "Warning, this will overwrite your original article (we recommend you to make backups of your artices). Confirm?");

class TornelleControllerTest : public ::testing::Test
{
protected:
    QString file(const char* name, const QByteArray& bytes) { return writeFile(path(name), bytes); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    /// Spinning is the identity unless @p seed is given, so results are exact.
    std::unique_ptr<TornelleController> open(const SlotPaths& articles, int seed = -1)
    {
        return std::make_unique<TornelleController>(
            m_hosts, path("rwdb.txt"), articles, [seed](const QString& text, std::vector<SpunGroup>* groups) {
                return seed < 0 ? text : Spinner(quint64(seed)).spin(text, groups);
            });
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
};

TEST_F(TornelleControllerTest, OptionsFollowTheSlotCopyAndAnUnreadableArticleKeepsTheBox)
{
    const QString a = file("a.txt", "alpha");
    const QString gone = path("gone.txt");
    auto window = open({a, QString(), gone, QString(), QString()});
    EXPECT_TRUE(window->optionEnabled(0));
    EXPECT_FALSE(window->optionEnabled(1));
    EXPECT_FALSE(window->rewriteEnabled());

    // Choosing an article again drops edits.
    window->chooseArticle(0);
    window->editArticle(QStringLiteral("edited"));
    window->chooseArticle(0);
    EXPECT_EQ(window->articleText(), QStringLiteral("alpha"));
    EXPECT_TRUE(window->rewriteEnabled());

    window->chooseArticle(2);
    ASSERT_EQ(m_hosts.messages.size(), 1u);
    EXPECT_TRUE(m_hosts.messages[0].text.contains(gone));
    EXPECT_EQ(window->articleText(), QStringLiteral("alpha"));
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
    auto window = open({file("a.txt", "A big dog, a big cat."), QString(), QString(), QString(), QString()}, 1);
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
    EXPECT_EQ(window->changeSummary(), QStringLiteral("33% of words changed \u00B7 about 4 possible wordings"));
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

} // namespace
} // namespace quorvale::test
