#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// The synonym rules in file order, one entry per line of the rule file,
/// duplicates and lines that are not rules kept.
using RuleList = QStringList;

/// Reads the rule file at @p path, one entry per line (see readTextLines).
/// Throws Error naming the path when the file is missing or unreadable.
RuleList loadRuleList(const QString& path);

/// True when @p line is a rule: it starts with "{" and ends with "}" (an empty
/// line is not a rule).
bool isRuleLine(QStringView line) noexcept;

/// The items of one rule line such as "{big|large|huge}": empty unless the line
/// starts with "{" and ends with "}"; every brace of the line is dropped and
/// the rest split at "|", pieces kept exactly (empty pieces dropped).
QStringList ruleItems(const QString& line);

} // namespace quorvale
