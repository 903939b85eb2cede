// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/WordCount.h"

#include <array>

namespace quorvale {

namespace {

using WordCharTable = std::array<bool, 256>;

void markRange(WordCharTable& table, int from, int to, bool isWord)
{
    for (int i = from; i <= to; ++i)
        table[size_t(i)] = isWord;
}

WordCharTable buildWordCharTable()
{
    WordCharTable table{};
    markRange(table, 97, 122, true);
    markRange(table, 48, 57, true);
    markRange(table, 65, 90, true);
    markRange(table, 188, 255, true);
    markRange(table, 128, 159, true);
    table[247] = false; // division sign
    table[215] = false; // multiplication sign
    table[46] = true;   // full stop: "3.5" and "e.g." are one word
    table[39] = true;   // apostrophe: "don't" is one word
    return table;
}

} // namespace

qint32 countWords(const QString& text)
{
    if (text.isEmpty())
        return 0;
    static const WordCharTable table = buildWordCharTable();
    qint32 words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool isWord = table[c.unicode() & 0xFF];
        if (isWord && !inWord)
            ++words;
        inWord = isWord;
    }
    return words;
}

} // namespace quorvale
