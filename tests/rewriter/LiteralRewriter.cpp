#include "LiteralRewriter.h"

#include "components/TextOperations.h"
#include "rewriter/WordCount.h"

namespace quorvale::test {

namespace {

constexpr CompareMode IgnoreCase = CompareMode::IgnoreCase;

QStringList literalRuleItems(const QString& line)
{
    if (line.isEmpty() || line.at(0) != u'{' || line.at(line.size() - 1) != u'}')
        return {};
    QString s = replaceAll(line, QStringLiteral("{"), QString(), IgnoreCase);
    s = replaceAll(s, QStringLiteral("}"), QString(), IgnoreCase);
    return splitNonEmpty(s, QStringLiteral("|"));
}

/// The replace loop written out: find, cut, append, count.
QString literalReplaceAndCount(QString text, const QString& find, QString replacement, qint64& count)
{
    QString result;
    const qsizetype length = find.size();
    for (;;) {
        // Position counting from 1, 0 when not found, compared ignoring case.
        const qsizetype p = lowerUnits(text).indexOf(lowerUnits(find), 0, Qt::CaseSensitive) + 1;
        if (p == 0)
            break;
        replacement = replaceAll(replacement, QStringLiteral(" "), QStringLiteral("%%"), IgnoreCase);
        result = result + text.left(p - 1) + replacement;
        text = text.mid(p - 1 + length);
        count = count + 1;
    }
    return result + text;
}

} // namespace

QString literalAlternatives(const QString& line, const QString& item)
{
    const QString w = lowerUnits(item);
    QString s = replaceAll(line, QStringLiteral("{") + w + QStringLiteral("|"), QStringLiteral("{"), IgnoreCase);
    s = replaceAll(s, QStringLiteral("|") + w + QStringLiteral("|"), QStringLiteral("|"), IgnoreCase);
    s = replaceAll(s, QStringLiteral("|") + w + QStringLiteral("}"), QStringLiteral("}"), IgnoreCase);
    return s;
}

LiteralResult literalRewrite(const QString& article, const QStringList& rules,
                             const std::function<QString(const QString&)>& spin)
{
    static const QString suffixes[] = {QStringLiteral(" "), QStringLiteral(","), QStringLiteral("."),
                                       QStringLiteral(":")};
    LiteralResult r;
    QString text = spin(article);
    r.wordCount = countWords(text);
    for (const QString& line : rules) {
        const QStringList items = literalRuleItems(line);
        for (const QString& item : items) {
            for (const QString& c : suffixes) {
                const QString pattern = QStringLiteral(" ") + item + c;
                if (lowerUnits(text).contains(pattern, Qt::CaseSensitive))
                    text = literalReplaceAndCount(
                        text, pattern, QStringLiteral(" ") + literalAlternatives(line, item) + c, r.replacementCount);
            }
        }
    }
    r.spintax = replaceAll(text, QStringLiteral("%%"), QStringLiteral(" "), IgnoreCase);
    r.report = QString::number(r.replacementCount) + QStringLiteral(" Replacements on ") +
               QString::number(r.wordCount) + QStringLiteral(" words.");
    return r;
}

} // namespace quorvale::test
