#include "ui/frmTornelle.h"

#include "MassTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;
using quorvale::test::FakeMassHost;

namespace {

const QString kConfirm = QStringLiteral(
    "Warning, this will overwrite your original article (we recommend you to make backups of your artices). Confirm?");

class TornelleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_install = m_dir.filePath(QStringLiteral("install"));
        QDir().mkpath(m_install);
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void writeRules(const QByteArray& bytes) { writeFile(QStringLiteral("install/rwdb.txt"), bytes); }

    std::unique_ptr<frmTornelle> open(const SlotPaths& articles)
    {
        // Spinning is the identity here, so results are exact.
        auto window = std::make_unique<frmTornelle>(m_host, m_install, [](const QString& text) { return text; });
        window->Form_Load(articles);
        window->Form_Resize(12375 + 240);
        return window;
    }

    // Drives the loading timer until it stops; returns the number of ticks.
    static int finishLoading(frmTornelle& window)
    {
        int ticks = 0;
        while (window.timer1Enabled() && ticks < 10) {
            window.Timer1_Timer();
            ++ticks;
        }
        return ticks;
    }

    QTemporaryDir m_dir;
    QString m_install;
    FakeMassHost m_host;
};

TEST_F(TornelleTest, OptionsFollowTheSlotCopy)
{
    const QString a = writeFile(QStringLiteral("a.txt"), "alpha");
    const QString c = writeFile(QStringLiteral("c.txt"), "gamma");
    SlotPaths articles{a, QString(), c, QString(), QString()};
    auto window = open(articles);
    const bool expected[] = {true, false, true, false, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window->optionEnabled(i), expected[i]) << i;
    EXPECT_FALSE(window->convertEnabled());

    // "Article 3" is slot 2; choosing it again drops edits.
    window->optArticles_Click(2);
    window->txtArticle_Change(QStringLiteral("edited"));
    window->optArticles_Click(2);
    EXPECT_EQ(window->articleText(), QStringLiteral("gamma"));
    EXPECT_EQ(window->selectedPath(), c);
    EXPECT_TRUE(window->convertEnabled());

    // Emptying a slot in the main window does not reach an open window.
    articles[2].clear();
    EXPECT_TRUE(window->optionEnabled(2));
    EXPECT_FALSE(open(articles)->optionEnabled(2));
}

TEST_F(TornelleTest, UnreadableArticleShowsErrorAndKeepsTheBox)
{
    const QString a = writeFile(QStringLiteral("a.txt"), "kept text");
    const QString gone = m_dir.filePath(QStringLiteral("gone.txt"));
    auto window = open({a, gone, QString(), QString(), QString()});
    window->optArticles_Click(0);
    window->optArticles_Click(1);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].text.contains(gone));
    EXPECT_EQ(window->articleText(), QStringLiteral("kept text"));
    EXPECT_EQ(window->selectedPath(), a);
}

TEST_F(TornelleTest, LoadingEndsOnTickTwoOrWithANoticeOnTickThree)
{
    const struct
    {
        const char* rules; ///< nullptr: no rule file at all
        int ticks;
        const char* status;
    } cases[] = {{"{big|large|huge}\n", 2, "1 synonym rules loaded"},
                 {"", 3, "No synonym rules found in"},
                 {nullptr, 3, "No synonym rules found: Cannot read"}};
    for (const auto& c : cases) {
        QFile::remove(m_install + QStringLiteral("/rwdb.txt"));
        if (c.rules)
            writeRules(c.rules);
        auto window = open({});
        window->Timer1_Timer();
        EXPECT_EQ(window->pleaseWaitCaption(), QStringLiteral("Please Wait (Loading Synonyms)..."));
        EXPECT_TRUE(window->pleaseWaitVisible());
        EXPECT_EQ(1 + finishLoading(*window), c.ticks) << c.status;
        EXPECT_FALSE(window->pleaseWaitVisible());
        EXPECT_TRUE(window->rulesStatus().startsWith(QString::fromUtf8(c.status)))
            << window->rulesStatus().toStdString();
    }
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(TornelleTest, RewriteReportsAndTheLabelBlinksWhileTheReportIsShown)
{
    writeRules("{big|large|huge}\n");
    const QString a = writeFile(QStringLiteral("a.txt"), "A big dog, a big cat.");
    auto window = open({a, QString(), QString(), QString(), QString()});
    finishLoading(*window);
    window->optArticles_Click(0);
    std::vector<bool> blinks;
    m_host.onMessage = [&] {
        EXPECT_FALSE(window->convertEnabled());
        for (int i = 0; i < 3; ++i) {
            window->tmrPleaseWait_Timer();
            blinks.push_back(window->pleaseWaitVisible());
        }
    };
    window->vbtnConvert_Click();
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("2 Replacements on 6 words."));
    EXPECT_EQ(m_host.messages[0].title, QStringLiteral("Done"));
    EXPECT_EQ(window->rewrittenText(), QStringLiteral("A {large|huge} dog, a {large|huge} cat."));
    EXPECT_EQ(blinks, (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(window->pleaseWaitTimerEnabled());
    EXPECT_FALSE(window->pleaseWaitVisible());
    EXPECT_TRUE(window->convertEnabled());
}

TEST_F(TornelleTest, SaveAsksFirstAndWritesOnlyOnYes)
{
    const QString a = writeFile(QStringLiteral("a.txt"), "original");
    auto window = open({a, QString(), QString(), QString(), QString()});
    window->optArticles_Click(0);
    window->txtRewritten_Change(QStringLiteral("rewritten ✓"));

    m_host.answers.push_back(MessageAnswer::No);
    window->vbtnSave_Click();
    EXPECT_EQ(quorvale::test::readFile(a), QByteArray("original"));
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, kConfirm);
    EXPECT_EQ(m_host.messages[0].buttons, MessageButtons::YesNo);

    m_host.answers.push_back(MessageAnswer::Yes);
    window->vbtnSave_Click();
    EXPECT_EQ(quorvale::test::readFile(a), QByteArray("rewritten \xE2\x9C\x93"));
    ASSERT_EQ(m_host.messages.size(), 3u);
    EXPECT_EQ(m_host.messages[2].title, QStringLiteral("File Saved"));
}

TEST_F(TornelleTest, SaveWithoutArticleOrFailingReportsInsteadOfDone)
{
    auto empty = open({});
    empty->txtRewritten_Change(QStringLiteral("text"));
    empty->vbtnSave_Click();
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, QStringLiteral("Please select an article."));

    const QString folder = m_dir.filePath(QStringLiteral("sub"));
    QDir().mkpath(folder);
    const QString a = writeFile(QStringLiteral("sub/a.txt"), "original");
    auto window = open({a, QString(), QString(), QString(), QString()});
    window->optArticles_Click(0);
    window->txtRewritten_Change(QStringLiteral("new"));
    QDir(folder).removeRecursively(); // the file's folder is gone
    m_host.answers.push_back(MessageAnswer::Yes);
    window->vbtnSave_Click();
    ASSERT_EQ(m_host.messages.size(), 3u);
    EXPECT_EQ(m_host.messages[2].title, QStringLiteral("Error"));
    EXPECT_TRUE(m_host.messages[2].text.contains(a));
}

TEST_F(TornelleTest, ResizeMovesArticleWidthAndLabel)
{
    auto window = open({});
    const int width = window->articleWidthTwips();
    const int left = window->pleaseWaitLeftTwips();
    window->Form_Resize(12375 + 240 + 1000);
    EXPECT_EQ(window->articleWidthTwips(), width + 1000);
    EXPECT_EQ(window->pleaseWaitLeftTwips(), left + 1000);
    window->Form_Resize(100);
    EXPECT_EQ(window->articleWidthTwips(), 0);
    EXPECT_EQ(window->pleaseWaitLeftTwips(), 0);
}

} // namespace
