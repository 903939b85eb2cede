#include "rewriter/Rewriter.h"

#include "components/TextOperations.h"
#include "rewriter/WordCount.h"

#include <cmath>

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

QString RewriteChanges::summary() const
{
    const int percent = words > 0 ? int(std::lround(100.0 * changedWords / words)) : 0;
    // Up to a thousand the number itself, beyond it the power of ten.
    const QString wordings = log10Wordings < 3 ? QString::number(std::lround(std::pow(10.0, log10Wordings)))
                                               : QStringLiteral("10^") + QString::number(std::lround(log10Wordings));
    return QString::number(percent) + QStringLiteral("% of words changed \u00B7 about ") + wordings +
           QStringLiteral(" possible wordings");
}

RewriteChanges describeChanges(const RewriteResult& rewrite, const QString& spun,
                               const std::vector<SpunGroup>& spunGroups)
{
    RewriteChanges changes;
    changes.words = countWords(spun);
    // Both lists run left to right; a group inside braces of the article itself is not an outermost one.
    auto spunGroup = spunGroups.begin();
    for (const RewriteGroup& group : rewrite.groups) {
        int alternatives = 1;
        int depth = 0;
        for (const QChar c : QStringView(rewrite.spintax).sliced(group.start, group.length)) {
            depth += c == u'{' ? 1 : c == u'}' ? -1 : 0;
            alternatives += c == u'|' && depth == 1 ? 1 : 0;
        }
        changes.log10Wordings += std::log10(double(alternatives));
        while (spunGroup != spunGroups.end() && spunGroup->inputStart < group.start)
            ++spunGroup;
        if (spunGroup == spunGroups.end() || spunGroup->inputStart != group.start)
            continue;
        const QStringView wording = QStringView(spun).sliced(spunGroup->outputStart, spunGroup->outputLength);
        const QStringView original = QStringView(rewrite.spunArticle).sliced(group.originalStart, group.originalLength);
        if (wording.compare(original, Qt::CaseInsensitive) != 0) {
            changes.changedWords += countWords(wording.toString());
            changes.changedRanges.append({spunGroup->outputStart, spunGroup->outputLength});
        }
    }
    return changes;
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
