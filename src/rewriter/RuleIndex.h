#pragma once

#include "rewriter/RuleList.h"

#include <QString>
#include <memory>

namespace quorvale {

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
    /// except for lack of memory.
    explicit RuleIndex(RuleList rules);
    ~RuleIndex();
    RuleIndex(RuleIndex&&) noexcept;
    RuleIndex& operator=(RuleIndex&&) noexcept;

    /// The rule lines, in file order, exactly as given.
    const RuleList& rules() const noexcept;

    /// The spintax of @p workingText (an article already spun once) under these
    /// rules: exactly what applying every rule, item and suffix in order would
    /// give, with the replacement count added to @p count.
    QString apply(const QString& workingText, qint64& count) const;

private:
    struct Data;
    std::unique_ptr<Data> m_data;
};

} // namespace quorvale
