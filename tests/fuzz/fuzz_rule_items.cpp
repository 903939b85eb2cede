#include "FuzzSupport.h"
#include "rewriter/RuleList.h"

// Items never hold a brace or a bar and are never empty; a line that is not
// framed by braces has none.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = quorvale::fuzz::unitsFromBytes(data, size);
    const QStringList items = quorvale::ruleItems(line);
    const bool framed = line.size() >= 1 && line.front() == u'{' && line.back() == u'}';
    if (!framed)
        FUZZ_CHECK(items.isEmpty());
    qsizetype total = 0;
    for (const QString& item : items) {
        FUZZ_CHECK(!item.isEmpty());
        FUZZ_CHECK(!item.contains(u'{') && !item.contains(u'}') && !item.contains(u'|'));
        total += item.size();
    }
    FUZZ_CHECK(total <= line.size());
    return 0;
}
