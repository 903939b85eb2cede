#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// How the bytes of a text file are turned into text and back.
enum class TextEncoding {
    Utf8,       ///< UTF-8 without a byte-order mark
    Utf8Bom,    ///< UTF-8 with a byte-order mark
    Utf16LE,    ///< UTF-16 little endian with a byte-order mark
    Utf16BE,    ///< UTF-16 big endian with a byte-order mark
    Windows1252 ///< the single-byte code page of older Windows text files
};

/// A decoded file: its text and the encoding it was read with.
struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

/// Decodes file bytes: a UTF-8 or UTF-16 byte-order mark decides; otherwise
/// bytes that are valid UTF-8 throughout are read as UTF-8 and anything else
/// as Windows-1252. The mark itself is not part of the text. Never throws.
DecodedText decodeText(const QByteArray& bytes);

/// Encodes @p text in @p encoding, byte-order mark included. When the text
/// holds a character that Windows-1252 cannot represent, the result is UTF-8
/// and @p encoding is changed to say so.
QByteArray encodeText(const QString& text, TextEncoding& encoding);

/// Reads the whole file at @p path as text (see decodeText).
/// Throws Error naming the path and the system's reason when the file is
/// missing, is a folder or cannot be read.
DecodedText readDecodedTextFile(const QString& path);

/// The whole text of the file at @p path. Throws Error as readDecodedTextFile.
QString readTextFile(const QString& path);

/// One entry per line of the file at @p path, in file order (see splitLines).
/// Throws Error as readDecodedTextFile.
QStringList readTextLines(const QString& path);

/// The lines of @p text: CR LF, LF and CR each end a line; a final line end
/// adds no empty entry.
QStringList splitLines(const QString& text);

/// Writes @p text to @p path atomically: a temporary file beside the target is
/// written, flushed and renamed over it. An existing file keeps its encoding and
/// byte-order mark (text it cannot hold makes it UTF-8); a new file is UTF-8
/// without a mark. Throws Error naming the path and the reason when anything
/// fails (empty path, missing folder, no permission, disk full); the old file
/// is then left exactly as it was.
void saveTextFile(const QString& text, const QString& path);

} // namespace quorvale
