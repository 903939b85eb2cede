// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvale {

/// Number of words in @p text: maximal runs of word characters, where each
/// UTF-16 code unit is classified by its low 8 bits (letters, digits, the full
/// stop, the apostrophe and the accented letters of the upper half are word
/// characters; spaces, punctuation, hyphens and most symbols separate).
qint32 countWords(const QString& text);

} // namespace quorvale
