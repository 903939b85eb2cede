#pragma once

#include "rewriter/RuleList.h"

#include <QString>

#include <functional>
#include <memory>

namespace quorvale {

/// What one rewrite gives back.
struct RewriteResult
{
    QString spintax;              ///< the article with rule items replaced by groups
    qint64 replacementCount = 0;  ///< number of replaced occurrences
    qint32 wordCount = 0;         ///< count_words of the spun article, before any replacement
    QString report;               ///< "N Replacements on M words."
};

/// The report sentence: "N Replacements on M words.".
QString rewriteReport(qint64 replacementCount, qint32 wordCount);

/// The rule line with @p item taken out of its group: every "{w|", "|w|" and
/// "|w}" (w = the item lower-cased) becomes "{", "|" and "}" respectively.
QString BuildAlternatives(const QString& ruleLine, const QString& item);

/// Replaces every occurrence of @p find in @p text (ignoring letter case) by
/// @p replacement with each space written as "%%", left to right, without
/// searching inserted text again; adds the number of replacements to @p count.
QString ReplaceAndCount(const QString& text, const QString& find, const QString& replacement, qint64& count);

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

/// Rewrites @p article: spins it once with @p spin, counts its words, replaces
/// every rule item that stands after a space and before " ", ",", "." or ":"
/// by a group of the rule's other items, and turns every "%%" into one space.
/// Never throws for any text or rule list.
RewriteResult Reescribir(const QString& article, const RuleIndex& rules,
                         const std::function<QString(const QString&)>& spin);

} // namespace quorvale
