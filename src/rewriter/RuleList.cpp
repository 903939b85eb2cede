#include "rewriter/RuleList.h"

#include "components/TextFile.h"
#include "components/TextOperations.h"

namespace quorvale {

RuleList loadRuleList(const QString& path)
{
    return readTextLines(path);
}

bool isRuleLine(QStringView line) noexcept
{
    return !line.isEmpty() && line.front() == u'{' && line.back() == u'}';
}

QStringList ruleItems(const QString& line)
{
    if (!isRuleLine(line))
        return {};
    QString inner = line;
    inner.remove(u'{').remove(u'}');
    return splitNonEmpty(inner, QStringLiteral("|"));
}

} // namespace quorvale
