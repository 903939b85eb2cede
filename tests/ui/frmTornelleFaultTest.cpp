#include "ui/frmTornelle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// "Save Changes" on a full file system: the article must stay byte for byte as
// it was and the window must say so instead of "Done!". A child process with a
// file-size limit stands in for the full disk: writes beyond it fail with
// EFBIG.

using namespace quorvale;

namespace {

/// Answers Yes to the confirmation and remembers every message.
class YesHost : public UiHost
{
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons) override
    {
        texts.append(text);
        titles.append(title);
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void openFolder(const QString&) override {}
    void openAddress(const QString&) override {}

    QStringList texts;
    QStringList titles;
};

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// Exit codes of the child; a readable name for each is printed on failure.
enum ChildResult { Reported = 0, SaidDone = 1, WrongMessages = 2, Threw = 3 };

class TornelleFullDisk : public ::testing::TestWithParam<int>
{
};

TEST_P(TornelleFullDisk, SaveKeepsTheArticleAndReportsTheError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A Windows-1252 article with CR LF line ends: the bytes are what must survive.
    const QByteArray old = QByteArray("Caf\xE9 \x93old\x94 article.\r\nSecond line.\r\n");
    const QString article = dir.filePath(QStringLiteral("my article «ñ».txt"));
    {
        QFile file(article);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(old), old.size());
    }

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int result = Threw;
        try {
            YesHost host;
            frmTornelle window(host, dir.path(), [](const QString& text) { return text; });
            window.Form_Load({article, QString(), QString(), QString(), QString()});
            window.optArticles_Click(0);
            window.txtRewritten_Change(QString(GetParam(), u'é'));
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256, 256};
            setrlimit(RLIMIT_FSIZE, &limit);
            window.vbtnSave_Click();
            if (host.titles.contains(QStringLiteral("File Saved")) || host.texts.contains(QStringLiteral("Done!")))
                result = SaidDone;
            else if (host.titles == QStringList{QStringLiteral("Warning"), QStringLiteral("Error")} &&
                     host.texts.last().contains(article))
                result = Reported;
            else
                result = WrongMessages;
        } catch (...) {
            result = Threw;
        }
        _exit(result);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), Reported)
        << "1: \"Done!\" shown, 2: no error message naming the article, 3: an exception escaped";
    EXPECT_EQ(readBytes(article), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(article).fileName()})
        << "a temporary file was left behind";
}

// Texts that fail at the final flush and in the middle of the write.
INSTANTIATE_TEST_SUITE_P(Tornelle, TornelleFullDisk, ::testing::Values(300, 5000, 100000));

TEST(TornelleOddPaths, InstallationFolderAndArticleWithQuotesAndNonLatinLetters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString install = dir.filePath(QStringLiteral("Mis «artículos» 'ñ' \"Ωμέγα\" 日本語"));
    ASSERT_TRUE(QDir().mkpath(install));
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    };
    write(install + u"/rwdb.txt", "{big|large}\n{día|jour}\n");
    const QString article = install + u"/my \"big\" día «1».txt";
    write(article, "A big dog, un día.");

    YesHost host;
    frmTornelle window(host, install, [](const QString& text) { return text; });
    window.Form_Load({article, QString(), QString(), QString(), QString()});
    for (int tick = 0; tick < 3; ++tick)
        window.Timer1_Timer();
    EXPECT_TRUE(window.rulesStatus().startsWith(QStringLiteral("2 synonym rules loaded from ")))
        << window.rulesStatus().toStdString();
    window.optArticles_Click(0);
    EXPECT_EQ(window.articleText(), QStringLiteral("A big dog, un día."));
    window.vbtnConvert_Click();
    EXPECT_EQ(window.rewrittenText(), QStringLiteral("A {large} dog, un {jour}."));
    window.vbtnSave_Click();
    EXPECT_EQ(host.titles.last(), QStringLiteral("File Saved"));
    EXPECT_EQ(readBytes(article), QByteArray("A {large} dog, un {jour}."));
}

} // namespace
