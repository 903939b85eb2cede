// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiteralRewriter.h"

#include "components/TextOperations.h"
#include "rewriter/WordCount.h"

#include <algorithm>

namespace quorvale::test {

namespace {

constexpr CompareMode IgnoreCase = CompareMode::IgnoreCase;

/// A rule line is framed by one pair of braces and has no empty item; any other line gives nothing.
QStringList literalRuleItems(const QString& line)
{
    if (line.isEmpty() || line.at(0) != u'{' || line.at(line.size() - 1) != u'}')
        return {};
    if (line.count(u'{') != 1 || line.count(u'}') != 1)
        return {};
    const QStringList items = line.mid(1, line.size() - 2).split(u'|');
    if (items.contains(QString()))
        return {};
    return items;
}

/// Two units that occur nowhere in @p text or @p rules: the procedure's mark for the spaces it inserts, so that
/// they can never pair with a "%" of the article.
QString unusedMarker(const QString& text, const QStringList& rules)
{
    for (char16_t unit = 0xE000; unit < 0xF900; ++unit) {
        const QChar c(unit);
        if (!text.contains(c) &&
            std::none_of(rules.begin(), rules.end(), [c](const QString& line) { return line.contains(c); }))
            return QString(2, c);
    }
    return QStringLiteral("%%");
}

/// The replace loop written out: find, cut, append, count. A capitalised occurrence is left alone unless a
/// ".", "!", "?" or a line end stands before its space; then the alternatives take its capitals.
QString literalReplaceAndCount(QString text, const QString& item, const QString& suffix, const QString& alternatives,
                               const QString& marker, qint64& count)
{
    const QString find = QStringLiteral(" ") + item + suffix;
    QString result;
    for (;;) {
        // Position counting from 1, 0 when not found, compared ignoring case.
        const qsizetype p = lowerUnits(text).indexOf(lowerUnits(find), 0, Qt::CaseSensitive) + 1;
        if (p == 0)
            break;
        const QString found = text.mid(p, item.size());
        QString group = alternatives;
        if (found.at(0).isUpper() || found.at(0).isTitleCase()) {
            const QChar before = p >= 2 ? text.at(p - 2) : result.isEmpty() ? QChar(u'\n') : result.back();
            if (!QStringLiteral(".!?\n\r").contains(before)) {
                result = result + text.left(p);
                text = text.mid(p);
                continue;
            }
            const qsizetype letters = std::count_if(found.begin(), found.end(), [](QChar c) { return c.isLetter(); });
            const bool anyLower = std::any_of(found.begin(), found.end(), [](QChar c) { return c.isLower(); });
            if (!anyLower && letters > 1) {
                group = group.toUpper();
            } else {
                for (qsizetype i = 1; i < group.size(); ++i)
                    if ((group.at(i - 1) == u'{' || group.at(i - 1) == u'|') && !group.at(i).isSurrogate())
                        group[i] = group.at(i).toUpper();
            }
        }
        const QString replacement =
            replaceAll(QStringLiteral(" ") + group + suffix, QStringLiteral(" "), marker, IgnoreCase);
        result = result + text.left(p - 1) + replacement;
        text = text.mid(p - 1 + find.size());
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
    const QString marker = unusedMarker(text, rules);
    for (const QString& line : rules) {
        const QStringList items = literalRuleItems(line);
        for (const QString& item : items) {
            for (const QString& c : suffixes) {
                const QString pattern = QStringLiteral(" ") + item + c;
                if (lowerUnits(text).contains(pattern, Qt::CaseSensitive))
                    text = literalReplaceAndCount(text, item, c, literalAlternatives(line, item), marker,
                                                  r.replacementCount);
            }
        }
    }
    r.spintax = replaceAll(replaceAll(text, QStringLiteral("%%"), QStringLiteral(" "), IgnoreCase), marker,
                           QStringLiteral(" "));
    r.report = QString::number(r.replacementCount) + QStringLiteral(" Replacements on ") +
               QString::number(r.wordCount) + QStringLiteral(" words.");
    return r;
}

} // namespace quorvale::test
