// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvale {

/// The name of an article file without its folders and without anything from
/// its first dot on: "C:\a\My.Notes.txt" gives "My", "/a/.txt" gives "". Both
/// "/" and "\" separate folders, so no folder part can reach a page file name.
QString fileStem(const QString& path);

/// The title of an article: its file stem with "-" and "_" turned into spaces,
/// then capitalizeWords. "how-to_beat stress.txt" gives "How To Beat Stress".
QString titleFromPath(const QString& path);

/// The file name of an article's page: its file stem with "_" and spaces turned
/// into "-", then ".html". Letter case and every other character stay.
QString pageFileNameFromPath(const QString& path);

/// Upper-cases the first character of the text and every character right after
/// a space, and lower-cases all the others, with Unicode's case rules (a
/// character may change into more than one). Only the space starts a word; runs
/// of spaces stay as they are.
QString capitalizeWords(const QString& text);

} // namespace quorvale
