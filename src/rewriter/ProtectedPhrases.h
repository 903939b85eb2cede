// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rewriter/RuleIndex.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorvale {

/// The name of the user's list of protected phrases in their data folder.
inline constexpr QStringView ProtectedPhrasesFileName = u"protected.txt";

/// Words and phrases that a rewrite leaves as they are (a name, a term of
/// the trade). A phrase is found in a text as whole words, letter case aside
/// (compared unit by unit, as a rewrite compares items), and a run of white
/// space in the text (a line end too) stands for the single space between
/// two of its words. Immutable once made; cheap to search however long the
/// list, as only phrases that start with a word of the text are tried.
class ProtectedPhrases
{
public:
    /// No phrases.
    ProtectedPhrases() = default;
    /// The phrases of @p lines, one a line: each trimmed, with the white space
    /// inside it made one space. Empty lines, lines that start with "#" and
    /// lines without a word (see wordsOf) are skipped, and so are repeats.
    explicit ProtectedPhrases(const QStringList& lines);

    bool isEmpty() const noexcept { return m_phrases.isEmpty(); }
    /// The phrases as they are compared: lower-cased, one space between words.
    const QStringList& phrases() const noexcept { return m_phrases; }
    /// Whether @p phrase is one of them (in any letter case or spacing).
    bool contains(const QString& phrase) const { return m_phrases.contains(normalized(phrase)); }

    /// Where the phrases stand in @p text, as stretches that overlap none of
    /// the others (overlapping finds are joined), sorted.
    TextSpans find(QStringView text) const;

    /// @p phrase as it is compared: trimmed, inner white space one space, lower-cased unit by unit.
    static QString normalized(const QString& phrase);

private:
    struct Entry
    {
        qsizetype phrase;      ///< index into m_phrases
        qsizetype firstWordAt; ///< where its first word starts in the phrase
    };

    QStringList m_phrases;
    QHash<QString, std::vector<Entry>> m_byFirstWord;
};

/// The protected phrases in the file at @p path, one a line (see
/// ProtectedPhrases). Throws Error naming the path when the file is missing or
/// cannot be read.
ProtectedPhrases loadProtectedPhrases(const QString& path);

/// Adds @p phrase as a line of the list file at @p path, which is made (with
/// its folder and a heading that tells what the file is) when missing.
/// Returns false, writing nothing, when the phrase holds no word or the list
/// already has it. Throws Error naming the path when the file cannot be read
/// or written; it is then left as it was.
bool addProtectedPhrase(const QString& path, const QString& phrase);

} // namespace quorvale
