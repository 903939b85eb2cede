#include "components/TextFile.h"

#include "components/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

DecodedText readDecodedTextFile(const QString& path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Cannot read the file: no file name was given."));
    const QFileInfo info(path);
    if (info.isDir())
        throw Error(QStringLiteral("Cannot read ") + nativeName(path) +
                    QStringLiteral(": it is a folder, not a file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read ") + nativeName(path) + QStringLiteral(": ") + file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot read ") + nativeName(path) + QStringLiteral(": ") + file.errorString());
    return decodeText(bytes);
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

void saveTextFile(const QString& text, const QString& path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Cannot save: no file name was given."));
    const auto fail = [&path](const QString& reason) {
        return Error(QStringLiteral("Cannot save ") + nativeName(path) + QStringLiteral(": ") + reason);
    };
    const QFileInfo info(path);
    if (info.isDir())
        throw fail(QStringLiteral("it is a folder, not a file."));

    TextEncoding encoding = TextEncoding::Utf8;
    if (info.exists()) {
        QFile old(path);
        if (old.open(QIODevice::ReadOnly))
            encoding = decodeText(old.readAll()).encoding;
    }
    const QByteArray bytes = encodeText(text, encoding);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw fail(file.errorString());
    // QSaveFile::commit() can report success after a failed final flush (a
    // full disk), so every byte is checked and flushed by hand first.
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw fail(reason.isEmpty() ? QStringLiteral("the text could not be written completely.") : reason);
    }
    if (!file.commit())
        throw fail(file.errorString());
}

} // namespace quorvale
