#include "rewriter/RuleList.h"

#include "components/Parser.h"
#include "components/TextFile.h"
#include "components/Tools.h"

namespace quorvale {

RuleList LoadRuleList(const QString& path)
{
    // LoadFileIntoList throws an Error naming the path for a missing or unreadable file.
    return LoadFileIntoList(path);
}

bool isRuleLine(QStringView line) noexcept
{
    return !line.isEmpty() && line.front() == u'{' && line.back() == u'}';
}

QStringList ShowRuleItems(const QString& line)
{
    if (!isRuleLine(line))
        return {};
    QString inner = Replace(line, QStringLiteral("{"), QString(), CompareMode::IgnoreCase);
    inner = Replace(inner, QStringLiteral("}"), QString(), CompareMode::IgnoreCase);
    return SplitIntoList(inner, QStringLiteral("|"));
}

} // namespace quorvale
