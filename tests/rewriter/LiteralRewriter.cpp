#include "LiteralRewriter.h"

#include "components/Parser.h"
#include "components/TextCase.h"
#include "components/Tools.h"
#include "rewriter/WordCount.h"

namespace quorvale::test {

QStringList literalRuleItems(const QString& line)
{
    if (line.isEmpty() || line.at(0) != u'{' || line.at(line.size() - 1) != u'}')
        return {};
    QString s = Replace(line, QStringLiteral("{"), QString(), 1);
    s = Replace(s, QStringLiteral("}"), QString(), 1);
    return SplitIntoList(s, QStringLiteral("|"));
}

QString literalAlternatives(const QString& line, const QString& item)
{
    const QString w = lowerUnits(item);
    QString s = Replace(line, QStringLiteral("{") + w + QStringLiteral("|"), QStringLiteral("{"), 1);
    s = Replace(s, QStringLiteral("|") + w + QStringLiteral("|"), QStringLiteral("|"), 1);
    s = Replace(s, QStringLiteral("|") + w + QStringLiteral("}"), QStringLiteral("}"), 1);
    return s;
}

QString literalReplaceAndCount(QString text, const QString& find, QString replacement, qint64& count)
{
    QString result;
    const qsizetype length = find.size();
    for (;;) {
        // Position counting from 1, 0 when not found, compared ignoring case.
        const qsizetype p = lowerUnits(text).indexOf(lowerUnits(find), 0, Qt::CaseSensitive) + 1;
        if (p == 0)
            break;
        replacement = Replace(replacement, QStringLiteral(" "), QStringLiteral("%%"), 1);
        result = result + text.left(p - 1) + replacement;
        text = text.mid(p - 1 + length);
        count = count + 1;
    }
    return result + text;
}

LiteralResult literalRewrite(const QString& article, const QStringList& rules,
                             const std::function<QString(const QString&)>& spin)
{
    static const QString suffixes[] = {QStringLiteral(" "), QStringLiteral(","), QStringLiteral("."),
                                       QStringLiteral(":")};
    LiteralResult r;
    r.replacementCount = 0;
    QString text = spin(article);
    r.wordCount = count_words(text);
    const qsizetype ruleCount = rules.size();
    for (qsizetype i = 0; i < ruleCount; ++i) {
        const QString& line = rules.at(i);
        const QStringList items = literalRuleItems(line);
        const qsizetype itemCount = items.size();
        for (qsizetype j = 0; j < itemCount; ++j) {
            for (const QString& c : suffixes) {
                const QString pattern = QStringLiteral(" ") + items.at(j) + c;
                if (lowerUnits(text).contains(pattern, Qt::CaseSensitive)) {
                    const QString alternatives = literalAlternatives(line, items.at(j));
                    text = literalReplaceAndCount(text, pattern, QStringLiteral(" ") + alternatives + c,
                                                  r.replacementCount);
                }
            }
        }
    }
    text = Replace(text, QStringLiteral("%%"), QStringLiteral(" "), 1);
    r.spintax = text;
    r.report = QString::number(r.replacementCount) + QStringLiteral(" Replacements on ") +
               QString::number(r.wordCount) + QStringLiteral(" words.");
    return r;
}

} // namespace quorvale::test
