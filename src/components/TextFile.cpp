// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/TextFile.h"

#include "components/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvale {

namespace {

const char* const Windows1252Name = "windows-1252";

QString decodeWindows1252(QByteArrayView bytes)
{
    QStringDecoder decoder(Windows1252Name);
    if (!decoder.isValid())
        throw Error(QStringLiteral("This system cannot read Windows-1252 text (Qt was built without ICU)."));
    return decoder.decode(bytes);
}

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : mark)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

QString nativeName(const QString& path)
{
    return QStringLiteral("\"") + path + QStringLiteral("\"");
}

QString systemReason(int error)
{
    return qt_error_string(error);
}

QString fileTypeProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    return QStringLiteral("it is not a regular file");
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + QStringLiteral(" MB");
}

/// Closes a file descriptor when it goes out of scope.
struct FileDescriptor
{
    int fd = -1;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

/// Appends what @p fd gives until its end, at most MaxTextFileBytes in all.
void readUpTo(int fd, QByteArray& bytes, const QString& name)
{
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw Error(QStringLiteral("Cannot read ") + name + QStringLiteral(": ") + systemReason(errno) + u'.');
        if (count == 0)
            return;
        if (bytes.size() + count > MaxTextFileBytes)
            throw Error(QStringLiteral("Cannot read ") + name +
                        QStringLiteral(": it holds more than 512 MB; up to 512 MB are read."));
        bytes.append(buffer, count);
    }
}

/// The bytes of the regular file at @p path, or the reason they cannot be read.
QByteArray readRegularFile(const QString& path)
{
    const auto fail = [&path](const QString& reason) {
        return Error(QStringLiteral("Cannot read ") + nativeName(path) + QStringLiteral(": ") + reason + u'.');
    };
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    FileDescriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        throw fail(systemReason(errno));
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0)
        throw fail(systemReason(errno));
    if (const QString problem = fileTypeProblem(status.st_mode); !problem.isEmpty())
        throw fail(problem);
    if (status.st_size > MaxTextFileBytes)
        throw fail(QStringLiteral("it holds ") + megabytes(status.st_size) +
                   QStringLiteral("; files of up to 512 MB are read"));
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size));
    readUpTo(file.fd, bytes, nativeName(path));
    return bytes;
}

/// The process's file creation mask.
mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    // The mark is cut off here; a second U+FEFF right after it is text and stays.
    constexpr auto AfterMark = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return {QStringDecoder(QStringConverter::Utf8, AfterMark).decode(bytes.sliced(3)), TextEncoding::Utf8Bom};
    if (startsWith(bytes, {0xFF, 0xFE}))
        return {QStringDecoder(QStringConverter::Utf16LE, AfterMark).decode(bytes.sliced(2)), TextEncoding::Utf16LE};
    if (startsWith(bytes, {0xFE, 0xFF}))
        return {QStringDecoder(QStringConverter::Utf16BE, AfterMark).decode(bytes.sliced(2)), TextEncoding::Utf16BE};

    // Stateless: a sequence cut off at the end is an error rather than held back.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QByteArray encodeText(const QString& text, TextEncoding& encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextEncoding::Utf16LE:
        return QByteArray("\xFF\xFE", 2) + QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text));
    case TextEncoding::Utf16BE:
        return QByteArray("\xFE\xFF", 2) + QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(text));
    case TextEncoding::Windows1252: {
        QStringEncoder encoder(Windows1252Name);
        if (encoder.isValid()) {
            QByteArray bytes = encoder.encode(text);
            // Only keep the code page when nothing was replaced by "?".
            if (!encoder.hasError() && decodeWindows1252(bytes) == text)
                return bytes;
        }
        encoding = TextEncoding::Utf8;
        return text.toUtf8();
    }
    }
    return text.toUtf8();
}

QString notARegularFile(const QString& path)
{
    struct stat status = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("it does not exist");
    return fileTypeProblem(status.st_mode);
}

QByteArray readFileBytes(const QString& path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Cannot read the file: no file name was given."));
    return readRegularFile(path);
}

QByteArray readStandardInput()
{
    QByteArray bytes;
    readUpTo(STDIN_FILENO, bytes, QStringLiteral("standard input"));
    return bytes;
}

DecodedText readDecodedTextFile(const QString& path)
{
    return decodeText(readFileBytes(path));
}

QString readTextFile(const QString& path)
{
    return readDecodedTextFile(path).text;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList readTextLines(const QString& path)
{
    return splitLines(readTextFile(path));
}

namespace {

/// Where a save writes and what it keeps: the file itself (a link to a
/// regular file has that file replaced) and its status when it exists.
struct SaveTarget
{
    QString path;
    bool exists = false;
    struct stat old = {};
};

SaveTarget saveTarget(const QString& path, const std::function<Error(const QString&)>& fail)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Cannot save: no file name was given."));
    SaveTarget target{path};
    const QFileInfo link(path);
    if (link.isSymLink()) {
        target.path = link.canonicalFilePath();
        if (target.path.isEmpty()) {
            // /dev/stdout and its like lead through /proc to a pipe or socket that has no path.
            struct stat status = {};
            if (::stat(QFile::encodeName(path).constData(), &status) == 0)
                throw fail(fileTypeProblem(status.st_mode) + QStringLiteral("; nothing was written"));
            throw fail(QStringLiteral("it is a link to a file that does not exist"));
        }
    }
    const QByteArray name = QFile::encodeName(target.path);
    target.exists = ::stat(name.constData(), &target.old) == 0;
    if (target.exists) {
        if (const QString problem = fileTypeProblem(target.old.st_mode); !problem.isEmpty())
            throw fail(problem + QStringLiteral("; nothing was written"));
        // A file its owner made read-only stays as it is (root may write it all the same).
        if (::access(name.constData(), W_OK) != 0)
            throw fail(systemReason(errno));
    }
    return target;
}

/// Writes @p bytes to a temporary file beside the target, flushes it to disk,
/// gives it the old file's permissions, owner and group, and renames it over
/// the target.
void writeAtomically(const QByteArray& bytes, const SaveTarget& target,
                     const std::function<Error(const QString&)>& fail)
{
    const QString folder = QFileInfo(target.path).path();
    // The temporary name is "." + name + ".XXXXXX": for a name near the
    // system's limit of 255 bytes only the name's start is taken.
    QByteArray name = QFile::encodeName(QFileInfo(target.path).fileName());
    name.truncate(200);
    QByteArray temporary = QFile::encodeName(folder) + "/." + name + ".XXXXXX";
    FileDescriptor file{::mkstemp(temporary.data())};
    if (file.fd < 0)
        throw fail(systemReason(errno));
    const auto discard = [&](int error) {
        ::unlink(temporary.constData());
        return fail(systemReason(error));
    };
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count = ::write(file.fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw discard(errno);
        done += count;
    }
    if (::fsync(file.fd) != 0)
        throw discard(errno);
    const struct stat& old = target.old;
    if (::fchmod(file.fd, target.exists ? (old.st_mode & 07777) : (0666 & ~currentUmask())) != 0)
        throw discard(errno);
    // Keeping another user's ownership is allowed to root only; anyone else keeps the file as theirs.
    if (target.exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        const int kept = ::fchown(file.fd, old.st_uid, old.st_gid);
        Q_UNUSED(kept);
    }
    const int closed = ::close(file.fd);
    file.fd = -1;
    if (closed != 0)
        throw discard(errno);
    if (::rename(temporary.constData(), QFile::encodeName(target.path).constData()) != 0)
        throw discard(errno);
}

std::function<Error(const QString&)> saveFailure(const QString& path)
{
    return [path](const QString& reason) {
        return Error(QStringLiteral("Cannot save ") + nativeName(path) + QStringLiteral(": ") + reason + u'.');
    };
}

} // namespace

void saveTextFile(const QString& text, const QString& path)
{
    const auto fail = saveFailure(path);
    const SaveTarget target = saveTarget(path, fail);
    TextEncoding encoding = TextEncoding::Utf8;
    if (target.exists) {
        try {
            encoding = decodeText(readRegularFile(target.path)).encoding;
        } catch (const Error&) {
            // An old file that cannot be read has no encoding to keep.
        }
    }
    writeAtomically(encodeText(text, encoding), target, fail);
}

void saveFile(const QByteArray& bytes, const QString& path)
{
    const auto fail = saveFailure(path);
    writeAtomically(bytes, saveTarget(path, fail), fail);
}

} // namespace quorvale
