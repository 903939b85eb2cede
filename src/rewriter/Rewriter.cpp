// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Rewriter.h"

#include "components/TextOperations.h"
#include "rewriter/WordCount.h"

namespace quorvale {

QString rewriteReport(qint64 replacementCount, qint32 wordCount)
{
    return QString::number(replacementCount) + QStringLiteral(" Replacements on ") + QString::number(wordCount) +
           QStringLiteral(" words.");
}

QString alternativesFor(const QString& ruleLine, const QString& item)
{
    const QString w = lowerUnits(item);
    QString s = replaceAll(ruleLine, u'{' + w + u'|', QStringLiteral("{"), CompareMode::IgnoreCase);
    s = replaceAll(s, u'|' + w + u'|', QStringLiteral("|"), CompareMode::IgnoreCase);
    s = replaceAll(s, u'|' + w + u'}', QStringLiteral("}"), CompareMode::IgnoreCase);
    return s;
}

RewriteResult rewriteArticle(const QString& article, const RuleIndex& rules,
                             const std::function<QString(const QString&)>& spin,
                             const ProtectedPhrases& protectedPhrases)
{
    RewriteResult result;
    result.spunArticle = spin ? spin(article) : article;
    result.wordCount = countWords(result.spunArticle);
    result.spintax = rules.apply(result.spunArticle, result.replacementCount, &result.groups,
                                 protectedPhrases.find(result.spunArticle));
    result.report = rewriteReport(result.replacementCount, result.wordCount);
    return result;
}

} // namespace quorvale
