#pragma once

#include <QString>

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

} // namespace quorvale
