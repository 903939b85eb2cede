// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "components/TextFile.h"

// Any bytes decode; encoding the text again in the encoding it was read with
// gives text that decodes to the same text (what a load and save relies on).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const quorvale::DecodedText decoded = quorvale::decodeText(bytes);
    quorvale::TextEncoding encoding = decoded.encoding;
    const QByteArray encoded = quorvale::encodeText(decoded.text, encoding);
    const quorvale::DecodedText again = quorvale::decodeText(encoded);
    FUZZ_CHECK(again.text == decoded.text);
    // Files without a mark are valid UTF-8 or single-byte text: they come back byte for byte.
    if (encoding == decoded.encoding &&
        (encoding == quorvale::TextEncoding::Utf8 || encoding == quorvale::TextEncoding::Windows1252))
        FUZZ_CHECK(encoded == bytes);
    return 0;
}
