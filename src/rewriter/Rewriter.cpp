#include "rewriter/Rewriter.h"

#include "components/Parser.h"
#include "components/TextCase.h"
#include "rewriter/WordCount.h"

namespace quorvale {

QString rewriteReport(qint64 replacementCount, qint32 wordCount)
{
    return QString::number(replacementCount) + QStringLiteral(" Replacements on ") + QString::number(wordCount) +
           QStringLiteral(" words.");
}

QString BuildAlternatives(const QString& ruleLine, const QString& item)
{
    const QString w = lowerUnits(item);
    QString s = Replace(ruleLine, u'{' + w + u'|', QStringLiteral("{"), CompareMode::IgnoreCase);
    s = Replace(s, u'|' + w + u'|', QStringLiteral("|"), CompareMode::IgnoreCase);
    s = Replace(s, u'|' + w + u'}', QStringLiteral("}"), CompareMode::IgnoreCase);
    return s;
}

QString ReplaceAndCount(const QString& text, const QString& find, const QString& replacement, qint64& count)
{
    if (find.isEmpty())
        return text;
    // One lower-cased copy serves the whole left-to-right scan: searching the
    // rest of the text after a match finds exactly what searching from there
    // in the full copy finds.
    const QString searched = lowerUnits(text);
    const QString pattern = lowerUnits(find);
    qsizetype pos = searched.indexOf(pattern, 0, Qt::CaseSensitive);
    if (pos < 0)
        return text;
    const QString marked = Replace(replacement, QStringLiteral(" "), QStringLiteral("%%"), CompareMode::IgnoreCase);
    QString result;
    result.reserve(text.size() + 64);
    qsizetype from = 0;
    while (pos >= 0) {
        result.append(QStringView(text).sliced(from, pos - from));
        result.append(marked);
        ++count;
        from = pos + pattern.size();
        pos = searched.indexOf(pattern, from, Qt::CaseSensitive);
    }
    result.append(QStringView(text).sliced(from));
    return result;
}

RewriteResult Reescribir(const QString& article, const RuleIndex& rules,
                         const std::function<QString(const QString&)>& spin)
{
    RewriteResult result;
    const QString working = spin ? spin(article) : article;
    result.wordCount = count_words(working);
    result.spintax = rules.apply(working, result.replacementCount);
    result.report = rewriteReport(result.replacementCount, result.wordCount);
    return result;
}

} // namespace quorvale
