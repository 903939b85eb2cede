// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/RuleList.h"

#include "components/TextFile.h"
#include "components/TextOperations.h"

namespace quorvale {

RuleList loadRuleList(const QString& path)
{
    return readTextLines(path);
}

namespace {

const QStringList& partOfSpeechNames()
{
    static const QStringList names{QStringLiteral("noun"),       QStringLiteral("verb"), QStringLiteral("past"),
                                   QStringLiteral("participle"), QStringLiteral("adj"),  QStringLiteral("adv")};
    return names;
}

RuleLine malformed(const QString& problem)
{
    RuleLine line;
    line.kind = RuleLine::Kind::Malformed;
    line.problem = problem;
    return line;
}

/// Reads the conditions after a group; returns the problem, or an empty text.
QString readConditions(QStringView text, RuleConditions& conditions)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("spaces after the closing brace");
    for (const QStringView word : words) {
        if (word.contains(u'{') || word.contains(u'}') || word.contains(u'|'))
            return QStringLiteral("a brace or bar after the group");
        const qsizetype eq = word.indexOf(u'=');
        const QStringView key = eq < 0 ? word : word.first(eq);
        const QList<QStringView> values = eq < 0 ? QList<QStringView>() : word.sliced(eq + 1).split(u',');
        if (values.isEmpty() || std::any_of(values.begin(), values.end(), [](QStringView v) { return v.isEmpty(); }))
            return QStringLiteral("a condition without a value: \"") + word + u'"';
        if (key == u"pos") {
            for (const QStringView v : values) {
                if (!partOfSpeechNames().contains(v))
                    return QStringLiteral("an unknown part of speech \"") + v +
                           QStringLiteral("\" (known: noun, verb, past, participle, adj, adv)");
                conditions.partsOfSpeech.append(v.toString());
            }
        } else if (key == u"notbefore" || key == u"notafter" || key == u"notwith") {
            for (const QStringView v : values) {
                const QStringList phrase = lowerUnits(v.toString()).split(u'_', Qt::SkipEmptyParts);
                if (phrase.isEmpty())
                    return QStringLiteral("a condition without a value: \"") + word + u'"';
                (key == u"notbefore"  ? conditions.notBefore
                 : key == u"notafter" ? conditions.notAfter
                                      : conditions.notWith)
                    .append(phrase);
            }
        } else if (key == u"keep") {
            for (const QStringView v : values)
                conditions.keep.append(lowerUnits(v.toString()).replace(u'_', u' '));
        } else {
            return QStringLiteral("an unknown condition \"") + word +
                   QStringLiteral("\" (known: pos=, notbefore=, notafter=, notwith=, keep=)");
        }
    }
    return QString();
}

} // namespace

RuleLine parseRuleLine(const QString& text)
{
    if (text.isEmpty() || text.front() != u'{')
        return RuleLine{};
    const qsizetype close = text.indexOf(u'}');
    if (close < 0)
        return malformed(QStringLiteral("no closing brace"));
    const QStringView body = QStringView(text).sliced(1, close - 1);
    if (body.contains(u'{'))
        return malformed(QStringLiteral("a brace inside the group"));
    RuleLine line;
    for (const QStringView item : body.split(u'|')) {
        if (item.isEmpty())
            return malformed(QStringLiteral("an empty item"));
        line.items.append(item.toString());
    }
    const QStringView rest = QStringView(text).sliced(close + 1);
    if (!rest.isEmpty()) {
        if (rest.front() != u' ')
            return malformed(QStringLiteral("text after the closing brace"));
        if (const QString problem = readConditions(rest, line.conditions); !problem.isEmpty())
            return malformed(problem);
    }
    line.kind = RuleLine::Kind::Rule;
    line.group = text.first(close + 1);
    return line;
}

bool isRuleLine(const QString& line)
{
    return parseRuleLine(line).kind == RuleLine::Kind::Rule;
}

QStringList ruleItems(const QString& line)
{
    return parseRuleLine(line).items;
}

QList<RuleProblem> ruleProblems(const RuleList& rules)
{
    QList<RuleProblem> problems;
    for (qsizetype i = 0; i < rules.size(); ++i) {
        // Most lines are plain rules: only those starting with "{" need a closer look.
        if (rules.at(i).startsWith(u'{')) {
            const RuleLine line = parseRuleLine(rules.at(i));
            if (line.kind == RuleLine::Kind::Malformed)
                problems.append(RuleProblem{i + 1, line.problem});
        }
    }
    return problems;
}

QString ruleProblemSummary(const QList<RuleProblem>& problems)
{
    if (problems.isEmpty())
        return QString();
    constexpr qsizetype Named = 5;
    QStringList numbers;
    for (qsizetype i = 0; i < std::min(problems.size(), Named); ++i)
        numbers.append(QString::number(problems.at(i).lineNumber));
    QString list = numbers.join(QStringLiteral(", "));
    if (problems.size() > Named)
        list += QStringLiteral(" and ") + QString::number(problems.size() - Named) + QStringLiteral(" more");
    return (problems.size() == 1 ? QStringLiteral("Rule line ") : QStringLiteral("Rule lines ")) + list +
           (problems.size() == 1 ? QStringLiteral(" cannot be used and is")
                                 : QStringLiteral(" cannot be used and are")) +
           QStringLiteral(" left out (quorvale-cli check-rules lists why).");
}

} // namespace quorvale
