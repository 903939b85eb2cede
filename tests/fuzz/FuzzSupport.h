// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace quorvale::fuzz {

/// The fuzzer's bytes as UTF-16 code units (any unit, unpaired surrogates included).
inline QString unitsFromBytes(const uint8_t* data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

/// The fuzzer's bytes as text the way a person would type it: UTF-8, with
/// invalid sequences replaced.
inline QString textFromBytes(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

/// Stops the run with a message when a property does not hold.
[[noreturn]] void failure(const char* what);

} // namespace quorvale::fuzz

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::quorvale::fuzz::failure(#condition);                                                                     \
    } while (false)
