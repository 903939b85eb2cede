// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rewriter/RuleList.h"

#include <QList>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace quorvale {

/// Stretches (start, length) of a text, sorted by start, none overlapping another.
using TextSpans = std::vector<std::pair<qsizetype, qsizetype>>;

/// One group a rewrite put into the spintax.
struct RewriteGroup
{
    qsizetype start = 0;          ///< where its "{" stands in the spintax
    qsizetype length = 0;         ///< up to and including its "}"
    qsizetype originalStart = 0;  ///< where the words it replaced stand in the text given to apply()
    qsizetype originalLength = 0; ///< and how long they are
};

/// A rule list prepared for rewriting: the items of every rule are indexed once,
/// so that a rewrite costs about the article's length, whatever the number of
/// rules. Immutable after construction; safe to share between rewrites, also
/// on several threads at once. Any number of rules, items and replacements.
class RuleIndex
{
public:
    /// An index of no rules: a rewrite only turns "%%" into spaces.
    RuleIndex();
    /// Indexes @p rules (kept as given, see rules()). Takes time and memory
    /// about proportional to the total length of the lines; never throws
    /// except for lack of memory. Malformed lines are left out (see
    /// problems()). @p taggerPath is the part-of-speech model that rules with
    /// "pos=" need; it is read the first time a rewrite needs it.
    explicit RuleIndex(RuleList rules, QString taggerPath = QString());
    ~RuleIndex();
    RuleIndex(RuleIndex&&) noexcept;
    RuleIndex& operator=(RuleIndex&&) noexcept;

    /// The rule lines, in file order, exactly as given.
    const RuleList& rules() const noexcept;

    /// The lines that start like a rule but cannot be used, which no rewrite
    /// applies (see parseRuleLine).
    const QList<RuleProblem>& problems() const noexcept;

    /// The spintax of @p workingText (an article already spun once) under these
    /// rules: what applying every rule, item and suffix in order gives, with
    /// the replacement count added to @p count and, when @p groups is given,
    /// each group appended to it. A capitalised word that opens no sentence
    /// (a name, nearly always) is not replaced; at a sentence start the
    /// alternatives take the word's capitals. A "%" next to a replaced word
    /// stays where it is. An item of a rule with conditions is replaced only
    /// where they hold; elsewhere the next rule holding the same item may
    /// take it. Time and memory grow with the text and what is found in it,
    /// whatever the items. No replacement touches a unit of @p untouchable
    /// (protected phrases, say). Throws Error when the spintax would exceed
    /// 512 MB (rules of a great many items can make it so), or when a rule
    /// needs the part-of-speech model and it cannot be read.
    QString apply(const QString& workingText, qint64& count, QList<RewriteGroup>* groups = nullptr,
                  const TextSpans& untouchable = {}) const;

    struct Data; ///< the index itself, private to RuleIndex.cpp

private:
    std::unique_ptr<Data> m_data;
};

} // namespace quorvale
