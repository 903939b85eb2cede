#include "components/TextFile.h"

#include "components/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvale;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct DecodeCase
{
    const char* name;
    QByteArray bytes;
    QString text;
    TextEncoding encoding;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(DecodeTest, ReadsTextAndSavesSameBytesBack)
{
    const DecodeCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("article.txt"));
    writeBytes(path, c.bytes);

    const DecodedText decoded = readTextFile(path);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(LoadFileIntoTextBox(path), c.text);

    // Saving the loaded text over the file loses nothing, mark and encoding included.
    SaveTextBoxToFile(decoded.text, path);
    EXPECT_EQ(readBytes(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Components, DecodeTest,
    ::testing::Values(
        DecodeCase{"plain_utf8", QByteArray("caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D"),
                   QStringLiteral("café “quoted”"), TextEncoding::Utf8},
        DecodeCase{"utf8_bom", QByteArray("\xEF\xBB\xBFna\xC3\xAFve"), QStringLiteral("naïve"), TextEncoding::Utf8Bom},
        DecodeCase{"utf16le_bom", QByteArray("\xFF\xFEh\0\xE9\0\r\0\n\0", 10), QStringLiteral("hé\r\n"),
                   TextEncoding::Utf16LE},
        DecodeCase{"utf16be_bom", QByteArray("\xFE\xFF\0h\x03\xA3", 6), QStringLiteral("hΣ"), TextEncoding::Utf16BE},
        DecodeCase{"windows1252_accent", QByteArray("caf\xE9"), QStringLiteral("café"), TextEncoding::Windows1252},
        DecodeCase{"windows1252_curly_quotes", QByteArray("\x93hi\x94 \x85 \x80"), QStringLiteral("“hi” … €"),
                   TextEncoding::Windows1252},
        DecodeCase{"invalid_utf8_cut_at_end", QByteArray("ok \xC3"), QStringLiteral("ok Ã"), TextEncoding::Windows1252},
        DecodeCase{"overlong_utf8", QByteArray("\xC0\xAF"), QStringLiteral("À¯"), TextEncoding::Windows1252},
        // Found by fuzzing: a U+FEFF right after the mark is text, not a second mark.
        DecodeCase{"utf16le_mark_then_zwnbsp",
                   QByteArray("\xFF\xFE\xFF\xFE"
                              "a\0",
                              6),
                   QStringLiteral("\uFEFFa"), TextEncoding::Utf16LE},
        DecodeCase{"utf8_mark_then_zwnbsp", QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx"), QStringLiteral("\uFEFFx"),
                   TextEncoding::Utf8Bom},
        DecodeCase{"empty", QByteArray(), QString(), TextEncoding::Utf8},
        DecodeCase{"ascii_crlf", QByteArray("a\r\nb\rc\n"), QStringLiteral("a\r\nb\rc\n"), TextEncoding::Utf8}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinesCase
{
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

class LinesTest : public ::testing::TestWithParam<LinesCase>
{
};

TEST_P(LinesTest, OneEntryPerLine)
{
    const LinesCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rules.txt"));
    writeBytes(path, c.bytes);
    EXPECT_EQ(LoadFileIntoList(path), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Components, LinesTest,
    ::testing::Values(LinesCase{"crlf", "a\r\nb\r\n", {u"a"_qs, u"b"_qs}}, LinesCase{"cr", "a\rb", {u"a"_qs, u"b"_qs}},
                      LinesCase{"mixed_and_empty_lines", "a\r\n\nb\r\rc", {u"a"_qs, u""_qs, u"b"_qs, u""_qs, u"c"_qs}},
                      LinesCase{"no_final_line_end", "{a|b}", {u"{a|b}"_qs}}, LinesCase{"empty_file", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFileSave, NewFileIsUtf8WithoutMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.txt"));
    SaveTextBoxToFile(QStringLiteral("Ωmega é"), path);
    EXPECT_EQ(readBytes(path), QByteArray("\xCE\xA9mega \xC3\xA9"));
}

TEST(TextFileSave, Windows1252FileBecomesUtf8WhenTextDoesNotFit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.txt"));
    writeBytes(path, QByteArray("caf\xE9"));
    SaveTextBoxToFile(QStringLiteral("café €"), path);
    EXPECT_EQ(readBytes(path), QByteArray("caf\xE9 \x80")); // still fits the code page
    SaveTextBoxToFile(QStringLiteral("café Ω"), path);
    EXPECT_EQ(readBytes(path), QByteArray("caf\xC3\xA9 \xCE\xA9"));
    EXPECT_EQ(LoadFileIntoTextBox(path), QStringLiteral("café Ω"));
}

TEST(TextFileSave, ReplacesContentsAndKeepsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeBytes(path, QByteArray("a much longer old text than the new one"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    SaveTextBoxToFile(QStringLiteral("short"), path);
    EXPECT_EQ(readBytes(path), QByteArray("short"));
    EXPECT_EQ(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"a.txt"_qs});
}

TEST(TextFileRead, MissingFileOrFolderRaisesErrorNamingThePath)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nope.txt"));
    for (const QString& path : {missing, dir.path()}) {
        try {
            LoadFileIntoTextBox(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        }
    }
    EXPECT_THROW(LoadFileIntoList(missing), Error);
    EXPECT_THROW(LoadFileIntoTextBox(QString()), Error);
}

class SaveFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("article.txt"));
        writeBytes(m_path, m_old);
    }

    void expectOldFileKept()
    {
        EXPECT_EQ(readBytes(m_path), m_old);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"article.txt"_qs})
            << "a temporary file was left behind";
    }

    QTemporaryDir m_dir;
    QString m_path;
    const QByteArray m_old = QByteArray("Old text\xE9 that must survive.\r\n");
};

TEST_F(SaveFailure, EmptyPathOrMissingFolderRaises)
{
    EXPECT_THROW(SaveTextBoxToFile(QStringLiteral("x"), QString()), Error);
    EXPECT_THROW(SaveTextBoxToFile(QStringLiteral("x"), m_dir.filePath(QStringLiteral("gone/article.txt"))), Error);
    EXPECT_THROW(SaveTextBoxToFile(QStringLiteral("x"), m_dir.path()), Error);
    expectOldFileKept();
}

TEST_F(SaveFailure, FolderWithoutWritePermissionRaises)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_THROW(SaveTextBoxToFile(QStringLiteral("new"), m_path), Error);
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    expectOldFileKept();
}

// A child process with a file-size limit stands in for a full disk: writes
// beyond the limit fail with EFBIG.
class FullDisk : public SaveFailure, public ::testing::WithParamInterface<int>
{
};

TEST_P(FullDisk, FailedSaveRaisesAndKeepsOldFile)
{
    const int size = GetParam();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{512, 512};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SaveTextBoxToFile(QString(size, u'x'), m_path);
            _exit(1); // reported success
        } catch (const Error& error) {
            _exit(error.message().contains(m_path) ? 0 : 2);
        } catch (...) {
            _exit(3);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: success reported, 2: message without the path, 3: wrong error type";
    expectOldFileKept();
}

// Below Qt's 16 KB write buffer the failure shows only at the final flush.
INSTANTIATE_TEST_SUITE_P(Components, FullDisk, ::testing::Values(600, 5000, 16383, 16384, 40000, 1000000));

} // namespace
