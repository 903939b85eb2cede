// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "components/TextOperations.h"
#include "site/PageTags.h"

// Any template and any tag values fill without a crash or a hang, exactly as
// replacing one tag after the other would. The input is the 25 values and then
// the template, separated by NULs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList parts = quorvale::fuzz::textFromBytes(data, size).split(QChar(0));
    if (parts.size() <= qsizetype(quorvale::PageTagCount))
        return 0;
    quorvale::PageTagValues values;
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = parts.at(qsizetype(k));
    const QString templ = parts.mid(qsizetype(quorvale::PageTagCount)).join(QChar(0));
    QString expected = templ;
    for (std::size_t k = 0; k < values.size(); ++k)
        expected = quorvale::replaceAll(expected, quorvale::pageTagNames()[k].toString(), values[k]);
    FUZZ_CHECK(quorvale::fillPageTags(templ, values) == expected);
    return 0;
}
