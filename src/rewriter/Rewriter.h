// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "components/Spinner.h"
#include "rewriter/ProtectedPhrases.h"
#include "rewriter/RuleIndex.h"

#include <QString>
#include <functional>

namespace quorvale {

/// What one rewrite gives back.
struct RewriteResult
{
    QString spintax;             ///< the article with rule items replaced by groups
    QString spunArticle;         ///< the article as spun before the rules applied (see RewriteGroup)
    qint64 replacementCount = 0; ///< number of replaced occurrences
    qint32 wordCount = 0;        ///< countWords of the spun article, before any replacement
    QString report;              ///< "N Replacements on M words."
    QList<RewriteGroup> groups;  ///< the groups of the spintax, left to right
};

/// The report sentence: "N Replacements on M words.".
QString rewriteReport(qint64 replacementCount, qint32 wordCount);

/// The rule line with @p item taken out of its group: every "{w|", "|w|" and
/// "|w}" (w = the item lower-cased) becomes "{", "|" and "}" respectively.
QString alternativesFor(const QString& ruleLine, const QString& item);

/// Rewrites @p article: spins it once with @p spin, counts its words, replaces
/// every rule item that stands after a space and before " ", ",", "." or ":"
/// by a group of the rule's other items, and turns every "%%" into one space
/// (see RuleIndex::apply). Where @p protectedPhrases stand in the spun
/// article, nothing is replaced. Throws Error when the spintax would exceed 512 MB.
RewriteResult rewriteArticle(const QString& article, const RuleIndex& rules,
                             const std::function<QString(const QString&)>& spin,
                             const ProtectedPhrases& protectedPhrases = {});

} // namespace quorvale
