// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rewriter/Rewriter.h"
#include "rewriter/Shingles.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorvale {

/// How much a wording differs from the text it was rewritten from.
struct WordingChanges
{
    qsizetype words = 0;        ///< words of the wording (wordsOf)
    qsizetype changedWords = 0; ///< words at its spots that the original does not have there
    double sharedPhrases = 0;   ///< share of its 5-word shingles found in the original, 0 to 1
    double log10Wordings = 0;   ///< log10 of the wordings its free spots allow

    /// "K words changed (N%) · M% of 5-word phrases as in the original · about X possible wordings".
    QString summary() const;
};

/// One wording of a rewrite, kept so that a person can correct it spot by
/// spot: every group the rewrite made is a spot of the text, with the
/// group's wordings, the article's own words it replaced, and whether a
/// person chose its wording. Edits of the text move the spots after them; an
/// edit of a spot itself makes it plain text. A value type: copies are cheap
/// until changed, so an undo step may keep a whole copy.
class EditableWording
{
public:
    /// A place of the text where the rewrite put a group.
    struct Spot
    {
        qsizetype start = 0;          ///< where its wording stands in text()
        qsizetype length = 0;         ///< the wording's length
        qsizetype groupStart = 0;     ///< where the group stands in the rewrite's spintax
        qsizetype groupLength = 0;    ///< the group's length, braces included
        qsizetype originalStart = 0;  ///< where the words it replaced stand in original()
        qsizetype originalLength = 0; ///< their length
        qsizetype wordingCount = 1;   ///< the group's distinct wordings (groupWordings)
        qsizetype choice = 0;         ///< the wording shown, an index into wordings(); -1: the original words
        bool byHand = false;          ///< a person chose it: respin() and spintax() keep it
    };

    /// No text.
    EditableWording() = default;
    /// @p text without spots (typed by hand, say).
    explicit EditableWording(const QString& text);
    /// The wording of @p rewrite in which @p random chooses each group's wording.
    EditableWording(const RewriteResult& rewrite, QRandomGenerator& random);

    const QString& text() const noexcept { return m_text; }
    /// The text the rewrite started from (empty for a text without a rewrite).
    const QString& original() const noexcept { return m_original; }
    const std::vector<Spot>& spots() const noexcept { return m_spots; }

    /// The spot whose wording holds the unit at @p position, or -1.
    int spotAt(qsizetype position) const noexcept;
    /// The distinct wordings the group of spot @p spot offers, in its order.
    QStringList wordings(int spot) const;
    /// The words of the original that spot @p spot replaced.
    QStringView originalWords(int spot) const;
    /// Whether spot @p spot reads otherwise than those words (letter case aside).
    bool changed(int spot) const;
    /// The stretches (start, length) of text() where a spot reads otherwise than the original.
    TextSpans changedSpans() const;

    /// Words spot @p spot with its wording @p choice (-1: the original words) as a person's choice.
    void choose(int spot, qsizetype choice);
    /// Chooses anew, with @p random, the wording of every spot no person chose.
    void respin(QRandomGenerator& random);
    /// Replaces @p length units of text() from @p start by @p text. A spot
    /// the edit overlaps, or that it joins to a letter or digit next to it
    /// ("large" + "r"), becomes plain text; spots after it move.
    void replace(qsizetype start, qsizetype length, const QString& text);
    /// Makes spot @p spot plain text, as it reads now.
    void makePlain(int spot);

    /// The spintax of this wording: the text with each spot no person chose
    /// written as its group, so that spinning it keeps every other word.
    QString spintax() const;
    /// How much the wording differs from @p original (the shingles of original()).
    WordingChanges changes(const Shingles& original) const;

private:
    void setSpotText(size_t spot, const QString& text);

    QString m_text;
    QString m_spintax;
    QString m_original;
    std::vector<Spot> m_spots;
};

} // namespace quorvale
