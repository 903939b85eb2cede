#pragma once

#include <QString>

namespace quorvale {

/// How Replace compares the find text with the text.
enum class CompareMode : int {
    Exact = 0,      ///< code unit by code unit
    IgnoreCase = 1, ///< both sides lower-cased unit by unit (lowerUnit)
};

/// Replaces every occurrence of @p find in @p text by @p replacement in one
/// left-to-right pass. Matches never overlap, inserted text is never searched
/// again, and an empty @p find returns @p text unchanged. Never throws.
QString Replace(const QString& text, const QString& find, const QString& replacement, CompareMode mode);

/// Same as above with the numeric mode callers pass (0 exact, 1 ignoring case;
/// any other value compares exactly).
QString Replace(const QString& text, const QString& find, const QString& replacement, int mode);

} // namespace quorvale
