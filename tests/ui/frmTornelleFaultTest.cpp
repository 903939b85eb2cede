#include "MassTestSupport.h"
#include "ui/frmTornelle.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// "Save Changes" on a full file system: a child process with a file-size
// limit stands in for the full disk (writes beyond it fail with EFBIG). The
// article must stay byte for byte and the window must report an error.

using namespace quorvale;
using namespace quorvale::test;

namespace {

class TornelleFullDisk : public ::testing::TestWithParam<int>
{
};

TEST_P(TornelleFullDisk, SaveKeepsTheArticleAndReportsTheError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray old("Caf\xE9 \x93old\x94 article.\r\nSecond line.\r\n");
    const QString article = dir.filePath(QStringLiteral("my article «ñ».txt"));
    writeFile(article, old);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int result = 3; // an exception escaped
        try {
            FakeMassHost host;
            frmTornelle window(host, dir.path(), [](const QString& text) { return text; });
            window.Form_Load({article, QString(), QString(), QString(), QString()});
            window.optArticles_Click(0);
            window.txtRewritten_Change(QString(GetParam(), u'é'));
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256, 256};
            setrlimit(RLIMIT_FSIZE, &limit);
            window.vbtnSave_Click();
            QStringList titles;
            for (const ShownMessage& m : host.messages)
                titles << m.title;
            result = titles == QStringList{QStringLiteral("Warning"), QStringLiteral("Error")} &&
                             host.messages.back().text.contains(article)
                         ? 0
                         : 1;
        } catch (...) {
        }
        _exit(result);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error naming the article (or \"Done!\"), 3: an exception escaped";
    EXPECT_EQ(readFile(article), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(article).fileName()})
        << "a temporary file was left behind";
}

// Texts that fail at the final flush and in the middle of the write.
INSTANTIATE_TEST_SUITE_P(Tornelle, TornelleFullDisk, ::testing::Values(300, 100000));

} // namespace
