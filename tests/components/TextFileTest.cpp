// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/TextFile.h"

#include "TestSupport.h"
#include "components/Backups.h"
#include "components/Error.h"

#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

class Decode : public ::testing::TestWithParam<ReferenceCase>
{
};

TEST_P(Decode, ReadsTextAndSavesTheSameBytesBack)
{
    const ReferenceCase& c = GetParam();
    const QByteArray bytes = c["bytes"].toLatin1();
    const QStringList encodings = {u"utf8"_qs, u"utf8bom"_qs, u"utf16le"_qs, u"utf16be"_qs, u"windows1252"_qs};
    const TextEncoding encodingsInOrder[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                                             TextEncoding::Utf16BE, TextEncoding::Windows1252};
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("article.txt")), bytes);
    const DecodedText decoded = readDecodedTextFile(path);
    EXPECT_EQ(decoded.text, c["text"]);
    EXPECT_EQ(decoded.encoding, encodingsInOrder[encodings.indexOf(c["encoding"])]);
    // Saving the loaded text over the file loses nothing, mark and encoding included.
    saveTextFile(decoded.text, path);
    EXPECT_EQ(readFile(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Components, Decode, ::testing::ValuesIn(referenceCases("decode.txt")), referenceName);

TEST(TextFile, LinesEndAtCrLfLfOrCrAndAFinalLineEndAddsNoEntry)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("rules.txt")), "a\r\n\nb\r\rc\n");
    EXPECT_EQ(readTextLines(path), (QStringList{u"a"_qs, u""_qs, u"b"_qs, u""_qs, u"c"_qs}));
    EXPECT_EQ(splitLines(QStringLiteral("{a|b}")), QStringList{u"{a|b}"_qs});
}

TEST(TextFile, SaveKeepsTheCodePageOnlyWhileTheTextFits)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("new.txt"));
    saveTextFile(QStringLiteral("Ωmega é"), fresh);
    EXPECT_EQ(readFile(fresh), QByteArray("\xCE\xA9mega \xC3\xA9")) << "a new file is UTF-8 without a mark";

    const QString old = writeFile(dir.filePath(QStringLiteral("old.txt")), "caf\xE9 and a much longer old text");
    saveTextFile(QStringLiteral("café €"), old);
    EXPECT_EQ(readFile(old), QByteArray("caf\xE9 \x80"));
    saveTextFile(QStringLiteral("café Ω"), old);
    EXPECT_EQ(readFile(old), QByteArray("caf\xC3\xA9 \xCE\xA9"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u"new.txt"_qs, u"old.txt"_qs}));
}

struct NotAFileCase
{
    const char* name;
    std::function<QString(const QTemporaryDir&)> make; ///< makes the thing, returns its path
    const char* reason;
};

class NotAFile : public ::testing::TestWithParam<NotAFileCase>
{
};

// Reading never waits on a pipe or device, nor reads without end; saving never
// replaces what is not a regular file. Every message names the file.
TEST_P(NotAFile, IsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = GetParam().make(dir);
    ASSERT_FALSE(path.isEmpty());
    for (const bool save : {false, true}) {
        try {
            save ? saveTextFile(QStringLiteral("x"), path) : void(readTextFile(path));
            ADD_FAILURE() << (save ? "saved" : "read");
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(GetParam().reason)) &&
                        error.message().contains(path))
                << error.message().toStdString();
        }
        if (QString::fromUtf8(GetParam().name) == u"huge_file")
            break; // saving over a large file is allowed
    }
    EXPECT_EQ(notARegularFile(path).isEmpty(), QString::fromUtf8(GetParam().name) == u"huge_file");
}

INSTANTIATE_TEST_SUITE_P(
    Components, NotAFile,
    ::testing::Values(NotAFileCase{"missing_in_a_missing_folder",
                                   [](const QTemporaryDir& dir) {
                                       return dir.filePath(QStringLiteral("gone/nope.txt"));
                                   },
                                   "No such file or directory"},
                      NotAFileCase{"fifo",
                                   [](const QTemporaryDir& dir) {
                                       const QString path = dir.filePath(QStringLiteral("pipe"));
                                       return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0 ? path
                                                                                                       : QString();
                                   },
                                   "named pipe"},
                      NotAFileCase{"device",
                                   [](const QTemporaryDir& dir) {
                                       // A node like /dev/null of the test's own, so that a failing save replaces
                                       // nothing real.
                                       const QString path = dir.filePath(QStringLiteral("null"));
                                       const bool made = ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666,
                                                                 makedev(1, 3)) == 0;
                                       return made ? path : QStringLiteral("/dev/zero");
                                   },
                                   "device"},
                      NotAFileCase{"link_to_a_pipe_without_a_path", // what /dev/stdout is in "| cat"
                                   [](const QTemporaryDir& dir) {
                                       int ends[2];
                                       const QString path = dir.filePath(QStringLiteral("stdout"));
                                       return ::pipe(ends) == 0 &&
                                                      QFile::link(QStringLiteral("/proc/self/fd/%1").arg(ends[1]), path)
                                                  ? path
                                                  : QString();
                                   },
                                   "named pipe"},
                      NotAFileCase{"folder", [](const QTemporaryDir& dir) { return dir.path(); }, "folder"},
                      NotAFileCase{"huge_file",
                                   [](const QTemporaryDir& dir) {
                                       QFile file(dir.filePath(QStringLiteral("huge.txt")));
                                       return file.open(QIODevice::WriteOnly) && file.resize(MaxTextFileBytes + 1)
                                                  ? file.fileName()
                                                  : QString();
                                   },
                                   "512 MB"}),
    caseName);

// A link to a regular file has that file replaced, and stays a link.
TEST(TextFile, SaveKeepsModeOwnerGroupAndLinks)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("other.txt")), "old");
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(path, link));
    const QByteArray name = QFile::encodeName(path);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(name.constData(), 1234, 5678), 0);
    }
    ASSERT_EQ(::chmod(name.constData(), root ? 0444 : 0640), 0);
    saveTextFile(QStringLiteral("new"), link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat after = {};
    ASSERT_EQ(::stat(name.constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, root ? 0444u : 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, 1234u);
        EXPECT_EQ(after.st_gid, 5678u);
    }
    EXPECT_EQ(readFile(path), QByteArray("new"));
}

// A child process with a file-size limit stands in for a full disk: writes
// beyond the limit fail with EFBIG.
TEST(TextFile, FailedSaveOnAFullDiskRaisesAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QByteArray old("Old text\xE9 that must survive.\r\n");
    const QString path = writeFile(dir.filePath(QStringLiteral("article.txt")), old);
    EXPECT_TRUE(trueInLimitedChild(RLIMIT_FSIZE, 512, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        try {
            saveTextFile(QString(100000, u'x'), path);
        } catch (const Error& error) {
            // The system's own reason, not "Unknown error".
            return error.message().contains(path) && error.message().contains(u"File too large");
        }
        return false;
    }));
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"article.txt"_qs})
        << "a temporary file was left behind";
}

TEST(Backups, KeepTheLastTenCopiesOfEachFileByteForByte)
{
    QTemporaryDir dir;
    const Backups backups(dir.filePath(QStringLiteral("backups")));
    const QString article = writeFile(dir.filePath(QStringLiteral("one/a.txt")), "v0");
    const QString twin = writeFile(dir.filePath(QStringLiteral("two/a.txt")), "twin");
    const QDateTime noon(QDate(2024, 5, 1), QTime(12, 0));
    for (int i = 1; i <= 12; ++i) {
        backups.keep(article, noon); // one time for all: each copy takes the next free millisecond
        writeFile(article, "v" + QByteArray::number(i));
    }
    backups.keep(twin, noon);
    const QStringList copies = backups.copiesOf(article);
    ASSERT_EQ(copies.size(), Backups::KeptPerFile);
    EXPECT_EQ(readFile(copies.front()), QByteArray("v2"));
    EXPECT_EQ(readFile(copies.back()), QByteArray("v11"));
    EXPECT_TRUE(copies.back().endsWith(u"/a 2024-05-01 12-00-00.011.txt")) << copies.back().toStdString();
    EXPECT_EQ(backups.copiesOf(twin).size(), 1);
    EXPECT_TRUE(backups.keep(dir.filePath(QStringLiteral("none.txt")), noon).isEmpty());
    writeFile(dir.filePath(QStringLiteral("blocked")), "a file where the folder should be");
    EXPECT_THROW(Backups(dir.filePath(QStringLiteral("blocked"))).keep(article, noon), Error);
}

} // namespace
