#pragma once

#include "rewriter/RuleList.h"

#include <QString>
#include <memory>

namespace quorvale {

/// A rule list prepared for rewriting: the items of every rule are indexed once,
/// so that a rewrite costs about the article's length, whatever the number of
/// rules. Immutable after construction; safe to share between rewrites.
class RuleIndex
{
public:
    RuleIndex();
    explicit RuleIndex(RuleList rules);
    ~RuleIndex();
    RuleIndex(RuleIndex&&) noexcept;
    RuleIndex& operator=(RuleIndex&&) noexcept;

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
