// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "rewriter/RuleList.h"

// Items never hold a brace or a bar and are never empty; a line that does not
// start with a brace has none.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = quorvale::fuzz::unitsFromBytes(data, size);
    const QStringList items = quorvale::ruleItems(line);
    if (line.isEmpty() || line.front() != u'{')
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
