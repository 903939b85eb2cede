#include "components/TextFile.h"

#include "TestSupport.h"
#include "components/Error.h"

#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

struct DecodeCase
{
    const char* name;
    QByteArray bytes;
    QString text;
    TextEncoding encoding;
};

class Decode : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(Decode, ReadsTextAndSavesTheSameBytesBack)
{
    const DecodeCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("article.txt")), c.bytes);
    const DecodedText decoded = readDecodedTextFile(path);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.encoding, c.encoding);
    // Saving the loaded text over the file loses nothing, mark and encoding included.
    saveTextFile(decoded.text, path);
    EXPECT_EQ(readFile(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Components, Decode,
    ::testing::Values(
        DecodeCase{"plain_utf8", QByteArray("caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D"), QStringLiteral("café “q”"),
                   TextEncoding::Utf8},
        DecodeCase{"utf8_bom", QByteArray("\xEF\xBB\xBFna\xC3\xAFve"), QStringLiteral("naïve"), TextEncoding::Utf8Bom},
        DecodeCase{"utf16le_bom", QByteArray("\xFF\xFEh\0\xE9\0\r\0\n\0", 10), QStringLiteral("hé\r\n"),
                   TextEncoding::Utf16LE},
        DecodeCase{"utf16be_bom", QByteArray("\xFE\xFF\0h\x03\xA3", 6), QStringLiteral("hΣ"), TextEncoding::Utf16BE},
        DecodeCase{"windows1252", QByteArray("caf\xE9 \x93hi\x94 \x85 \x80"), QStringLiteral("café “hi” … €"),
                   TextEncoding::Windows1252},
        DecodeCase{"invalid_utf8_cut_at_end", QByteArray("ok \xC3"), QStringLiteral("ok Ã"), TextEncoding::Windows1252},
        // Found by fuzzing: a U+FEFF right after the mark is text, not a second mark.
        DecodeCase{"utf16le_mark_then_zwnbsp",
                   QByteArray("\xFF\xFE\xFF\xFE"
                              "a\0",
                              6),
                   QStringLiteral("\uFEFFa"), TextEncoding::Utf16LE},
        DecodeCase{"utf8_mark_then_zwnbsp", QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx"), QStringLiteral("\uFEFFx"),
                   TextEncoding::Utf8Bom}),
    caseName);

TEST(TextFile, LinesEndAtCrLfLfOrCrAndAFinalLineEndAddsNoEntry)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("rules.txt")), "a\r\n\nb\r\rc\n");
    EXPECT_EQ(readTextLines(path), (QStringList{u"a"_qs, u""_qs, u"b"_qs, u""_qs, u"c"_qs}));
    EXPECT_EQ(splitLines(QStringLiteral("{a|b}")), QStringList{u"{a|b}"_qs});
}

TEST(TextFile, SaveKeepsTheCodePageOnlyWhileTheTextFitsAndKeepsPermissions)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("new.txt"));
    saveTextFile(QStringLiteral("Ωmega é"), fresh);
    EXPECT_EQ(readFile(fresh), QByteArray("\xCE\xA9mega \xC3\xA9")) << "a new file is UTF-8 without a mark";

    const QString old = writeFile(dir.filePath(QStringLiteral("old.txt")), "caf\xE9 and a much longer old text");
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    saveTextFile(QStringLiteral("café €"), old);
    EXPECT_EQ(readFile(old), QByteArray("caf\xE9 \x80"));
    saveTextFile(QStringLiteral("café Ω"), old);
    EXPECT_EQ(readFile(old), QByteArray("caf\xC3\xA9 \xCE\xA9"));
    EXPECT_EQ(QFile::permissions(old) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u"new.txt"_qs, u"old.txt"_qs}));
}

TEST(TextFile, ErrorsNameThePath)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone/nope.txt"));
    for (const QString& path : {missing, dir.path()}) {
        try {
            readTextFile(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        }
        EXPECT_THROW(saveTextFile(QStringLiteral("x"), path), Error);
    }
    EXPECT_THROW(readTextFile(QString()), Error);
    EXPECT_THROW(saveTextFile(QStringLiteral("x"), QString()), Error);
}

// A child process with a file-size limit stands in for a full disk: writes
// beyond the limit fail with EFBIG. Below Qt's 16 KB write buffer the failure
// shows only at the final flush.
class FullDisk : public ::testing::TestWithParam<int>
{
};

TEST_P(FullDisk, FailedSaveRaisesAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QByteArray old("Old text\xE9 that must survive.\r\n");
    const QString path = writeFile(dir.filePath(QStringLiteral("article.txt")), old);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{512, 512};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            saveTextFile(QString(GetParam(), u'x'), path);
            _exit(1); // reported success
        } catch (const Error& error) {
            _exit(error.message().contains(path) ? 0 : 2);
        } catch (...) {
            _exit(3);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: success reported, 2: message without the path, 3: wrong error type";
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"article.txt"_qs})
        << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Components, FullDisk, ::testing::Values(600, 1000000));

} // namespace
