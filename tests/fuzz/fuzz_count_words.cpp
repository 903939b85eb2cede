// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "rewriter/WordCount.h"

// Words are separated, so there can be at most one per two code units (rounded
// up); joining two texts with a space adds their counts.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = quorvale::fuzz::unitsFromBytes(data, size);
    const qint32 words = quorvale::countWords(text);
    FUZZ_CHECK(words >= 0);
    FUZZ_CHECK(words <= (text.size() + 1) / 2);
    const qsizetype half = text.size() / 2;
    const QString left = text.left(half);
    const QString right = text.mid(half);
    FUZZ_CHECK(quorvale::countWords(left + u' ' + right) == quorvale::countWords(left) + quorvale::countWords(right));
    return 0;
}
