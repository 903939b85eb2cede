// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

namespace quorvale {

/// Whether @p c belongs to a word: a letter, digit, combining mark, either
/// half of a surrogate pair, or an apostrophe (' and U+2019).
bool isWordCharacter(QChar c) noexcept;

/// The words of @p text, left to right: maximal runs of letters, digits,
/// combining marks and apostrophes (' and U+2019), so that punctuation,
/// hyphens and spaces separate words and "don't" is one word. The views
/// point into @p text. Never throws, except for lack of memory.
QList<QStringView> wordsOf(QStringView text);

/// The w-shingles of a text: every run of @p size consecutive words, the
/// words lower-cased (and U+2019 read as an apostrophe), kept as a set of 64-bit hashes (two different runs
/// share a hash with a chance of about one in 10^19). A text with fewer
/// words than @p size but at least one has one shingle, all its words.
///
/// Used to say how much of a rewritten text still reads as in the original:
/// build the original's shingles once and compare any number of texts with it.
class Shingles
{
public:
    static constexpr int DefaultSize = 5;

    /// The shingles of @p text (words as wordsOf finds them); @p size below 1 counts as 1.
    explicit Shingles(QStringView text, int size = DefaultSize);

    /// The number of distinct shingles.
    qsizetype count() const noexcept { return qsizetype(m_hashes.size()); }

    /// The share, from 0 to 1, of these shingles that also occur in @p other;
    /// 0 when this text has no words.
    double shareFoundIn(const Shingles& other) const noexcept;

private:
    std::vector<quint64> m_hashes; ///< sorted, no repeats
};

/// The share of @p text's 5-word shingles that also occur in @p original (see Shingles).
double sharedShingles(QStringView text, QStringView original);

} // namespace quorvale
