// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvale {

/// The synonym rules in file order, one entry per line of the rule file,
/// duplicates and lines that are not rules kept.
using RuleList = QStringList;

/// Reads the rule file at @p path, one entry per line (see readTextLines).
/// Throws Error naming the path when the file is missing or unreadable.
RuleList loadRuleList(const QString& path);

/// Where a rule may be applied: what a rule line says after its group, as in
/// "{heavy|weighty} pos=adj notbefore=rain,smoker". Words are lower-case.
struct RuleConditions
{
    /// The item (its first word) must be tagged as one of these in the
    /// article: "noun", "verb", "past", "participle", "adj", "adv"; empty: any.
    QStringList partsOfSpeech;
    /// Not where one of these words or phrases (words in order) follows the item.
    QList<QStringList> notBefore;
    /// Not where one of these words or phrases ends right before the item.
    QList<QStringList> notAfter;
    /// Not in a sentence where one of these words or phrases stands outside
    /// the item: the other half of "partly ... partly".
    QList<QStringList> notWith;
    /// Items that are only alternatives: where one of them stands in the
    /// article, it is left to the next rule that holds it.
    QStringList keep;

    bool isEmpty() const noexcept
    {
        return partsOfSpeech.isEmpty() && notBefore.isEmpty() && notAfter.isEmpty() && notWith.isEmpty() &&
               keep.isEmpty();
    }
};

/// One line of a rule file as the rewriter reads it.
struct RuleLine
{
    enum class Kind {
        Other,     ///< not a rule: it does not start with "{" (blank lines, notes)
        Rule,      ///< a usable rule
        Malformed, ///< starts with "{" but cannot be used; see problem
    };
    Kind kind = Kind::Other;
    /// The group "{a|b|c}" of a rule, without what follows it.
    QString group;
    /// Its items, in order, exactly as written (never empty, never holding "{", "}" or "|").
    QStringList items;
    RuleConditions conditions;
    /// What is wrong with a malformed line, in a few words.
    QString problem;
};

/// Reads one line: a rule is "{" item "|" item ... "}" with items that are not
/// empty and hold no brace or bar, optionally followed by one space or more
/// and conditions: pos=NAME[,NAME...], notbefore=WORDS[,WORDS...],
/// notafter=WORDS[,WORDS...], notwith=WORDS[,WORDS...] (where "_" joins the
/// words of a phrase) and keep=ITEM[,ITEM...]. A line
/// that starts with "{" and is no such rule is malformed; any other line is
/// not a rule.
RuleLine parseRuleLine(const QString& line);

/// True when @p line is a usable rule (see parseRuleLine).
bool isRuleLine(const QString& line);

/// The items of a usable rule line such as "{big|large|huge}"; empty for any
/// other line.
QStringList ruleItems(const QString& line);

/// A line of a rule file that starts like a rule but cannot be used.
struct RuleProblem
{
    qsizetype lineNumber = 0; ///< counting from 1
    QString problem;
};

/// Every malformed line of @p rules, in file order.
QList<RuleProblem> ruleProblems(const RuleList& rules);

/// One line for a status bar or a log: "Rule lines 3, 7 and 12 cannot be used
/// ...", or empty when there is no problem.
QString ruleProblemSummary(const QList<RuleProblem>& problems);

} // namespace quorvale
