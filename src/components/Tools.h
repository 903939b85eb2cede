#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// True when @p path names an existing folder (a link to a folder counts).
bool FolderExists(const QString& path);

/// The pieces of @p text between occurrences of @p separator, in order and
/// exactly as they stand (no trimming). Empty pieces, such as the one between
/// two adjacent separators, are dropped. An empty separator yields the whole
/// text as one piece (or nothing when the text is empty).
QStringList SplitIntoList(const QString& text, const QString& separator);

/// Waits a short moment (@p count × 10 ms, at most 40 ms) while the event
/// loop of the calling thread keeps running.
void Pause(int count);

} // namespace quorvale
