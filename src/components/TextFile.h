// SPDX-License-Identifier: GPL-3.0-or-later
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

/// The largest text file read: 512 MB.
inline constexpr qint64 MaxTextFileBytes = qint64(512) * 1024 * 1024;

/// Why @p path cannot be read as a file: empty when it is a regular file (a
/// link to one counts), else "it does not exist", "it is a folder", "it is a
/// named pipe (FIFO)" and the like. Never blocks and never throws.
QString notARegularFile(const QString& path);

/// The bytes of the file at @p path, under the same rules as readDecodedTextFile.
QByteArray readFileBytes(const QString& path);

/// The bytes of standard input up to its end, at most MaxTextFileBytes.
/// Throws Error when it cannot be read or holds more.
QByteArray readStandardInput();

/// Reads the whole file at @p path as text (see decodeText). Only regular
/// files (or links to them) of up to MaxTextFileBytes are read; opening never
/// waits on a named pipe or device. Throws Error naming the path and the
/// reason when the file is missing, is not a regular file, is too large or
/// cannot be read.
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
/// written, flushed to disk and renamed over it; a link to a regular file has
/// that file replaced. An existing file keeps its encoding and byte-order mark
/// (text it cannot hold makes it UTF-8), its permissions, and its owner and
/// group where the process may set them; a new file is UTF-8 without a mark.
/// Throws Error naming the path and the reason when anything fails (empty
/// path, missing folder, no permission, a target that is not a regular file,
/// disk full); the old file is then left exactly as it was.
void saveTextFile(const QString& text, const QString& path);

/// Writes @p bytes to @p path as saveTextFile writes its text, with the same
/// guarantees and errors.
void saveFile(const QByteArray& bytes, const QString& path);

} // namespace quorvale
