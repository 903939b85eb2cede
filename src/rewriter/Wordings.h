#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace quorvale {

/// The w-shingles of a text (Broder 1997): every run of w consecutive words,
/// words being runs of letters, digits and apostrophes, lower-cased. A text
/// of fewer than w words (but at least one) has one shingle of all its words.
/// Kept as sorted, distinct 64-bit hashes.
class Shingles
{
public:
    static constexpr int DefaultWidth = 5;

    Shingles() = default;
    explicit Shingles(const QString& text, int width = DefaultWidth);

    qsizetype size() const noexcept { return qsizetype(m_hashes.size()); }
    /// How many shingles the two sets have in common.
    qsizetype commonWith(const Shingles& other) const;
    /// The share (0 to 1) of this text's shingles that @p other holds too; 0 for a text without words.
    double shareIn(const Shingles& other) const;

private:
    std::vector<quint64> m_hashes;
};

/// @p count wordings of @p spintax, each spun with a seed made from @p seed
/// and its number, so that the same arguments always give the same list.
/// A wording equal to an earlier one is spun again with other seeds a few
/// times; when the spintax offers too few wordings, repeats stay (count them
/// to tell). Never throws, except for lack of memory.
QStringList distinctWordings(const QString& spintax, int count, quint64 seed);

/// A seed made of @p seed and @p part (a version, an article), so that
/// different parts get unrelated spins.
quint64 mixedSeed(quint64 seed, quint64 part);

} // namespace quorvale
