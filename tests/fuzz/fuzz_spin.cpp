// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "components/Spinner.h"

// Spin only ever drops braces, bars and the alternatives it does not choose,
// and leaves a text without "{" alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    quint64 seed = 0;
    for (int i = 0; i < 8; ++i)
        seed = (seed << 8) | data[i];
    const QString text = quorvale::fuzz::textFromBytes(data + 8, size - 8);
    quorvale::Spinner spinner(seed);
    const QString spun = spinner.spin(text);
    FUZZ_CHECK(spun.size() <= text.size());
    if (!text.contains(u'{'))
        FUZZ_CHECK(spun == text);
    quorvale::Spinner again(seed);
    FUZZ_CHECK(again.spin(text) == spun);
    return 0;
}
