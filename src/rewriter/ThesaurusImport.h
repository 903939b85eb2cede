// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace quorvale {

/// Choices for turning a thesaurus into rule lines.
struct ThesaurusImportOptions
{
    /// Keep only the first meaning listed for each word.
    bool firstMeaningOnly = false;
    /// Keep at most this many items per rule (the word itself counts); 0 keeps all.
    qsizetype maxItems = 0;
    /// When not empty, an item is kept only if each of its words (split at
    /// spaces; a hyphenated word must be listed whole) is in this set of
    /// lower-case words, and a meaning whose own word fails the test gives no
    /// rule.
    QSet<QString> commonWords;
    /// Items never kept: an item is dropped when it is listed here whole or
    /// when one of its words (split at spaces) is listed. Lower case.
    QSet<QString> excluded;
    /// Keep only words whose sense is clear: a word gives a rule only from its
    /// first meaning and only when all its meanings share one part of speech,
    /// and a synonym stays in that rule only when it meets the same test and
    /// its own first meaning lists the word back. Implies firstMeaningOnly.
    bool unambiguousOnly = false;
};

/// Turns the text of a MyThes thesaurus (the ".dat" file of LibreOffice
/// thesauri: a line naming the encoding, then for each word a "word|n" line
/// followed by n meaning lines "(pos)|synonym|synonym|...") into rule lines
/// "{word|synonym|...}", one per meaning, in the thesaurus's order.
///
/// Items are lower-cased and trimmed; annotated entries such as
/// "animal (generic term)", "(related term)", "(similar term)" and
/// "(antonym)" are left out, as are items holding "{", "}" or "|". Repeated
/// items of one rule keep their first place. A meaning left with fewer than two
/// items gives no rule, and a rule with the same items as an earlier one (in
/// any order) is dropped.
/// Throws Error when the text is not in this format, naming the line.
QStringList importThesaurus(const QString& datText, const ThesaurusImportOptions& options);

/// Reads a MyThes ".dat" file in the encoding its first line names (UTF-8 or
/// an ISO-8859 code page) and converts it with importThesaurus.
/// Throws Error naming the path when the file cannot be read or converted.
QStringList importThesaurusFile(const QString& path, const ThesaurusImportOptions& options);

} // namespace quorvale
