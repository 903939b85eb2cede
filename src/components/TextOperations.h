// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// Simple Unicode lower-casing of one UTF-16 code unit. Surrogates and units
/// without a lower-case form stay as they are; the result never changes length.
inline QChar lowerUnit(QChar c) noexcept
{
    if (c.unicode() < 0x80)
        return (c.unicode() >= 'A' && c.unicode() <= 'Z') ? QChar(char16_t(c.unicode() + 32)) : c;
    if (c.isSurrogate())
        return c;
    return QChar(char16_t(QChar::toLower(char32_t(c.unicode()))));
}

/// The text lower-cased unit by unit with lowerUnit(); same length as the input.
QString lowerUnits(const QString& text);

/// How replaceAll compares the find text with the text.
enum class CompareMode {
    Exact,      ///< code unit by code unit
    IgnoreCase, ///< both sides lower-cased unit by unit (lowerUnit)
};

/// Replaces every occurrence of @p find in @p text by @p replacement in one
/// left-to-right pass. Matches never overlap, inserted text is never searched
/// again, and an empty @p find returns @p text unchanged. Never throws.
QString replaceAll(const QString& text, const QString& find, const QString& replacement,
                   CompareMode mode = CompareMode::Exact);

/// The pieces of @p text between occurrences of @p separator, in order and
/// exactly as they stand (no trimming). Empty pieces, such as the one between
/// two adjacent separators, are dropped. An empty separator yields the whole
/// text as one piece (or nothing when the text is empty).
QStringList splitNonEmpty(const QString& text, const QString& separator);

} // namespace quorvale
