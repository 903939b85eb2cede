// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Shingles.h"

#include "components/TextOperations.h"

#include <algorithm>

namespace quorvale {

namespace {

quint64 mix(quint64 h) noexcept
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

} // namespace

bool isWordCharacter(QChar c) noexcept
{
    // A surrogate pair is a letter of the supplementary planes nearly always (CJK extensions, historic scripts).
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate() || c == u'\'' || c == u'\u2019';
}

QList<QStringView> wordsOf(QStringView text)
{
    QList<QStringView> words;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (!isWordCharacter(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordCharacter(text[i]))
            ++i;
        words.append(text.sliced(start, i - start));
    }
    return words;
}

Shingles::Shingles(QStringView text, int size)
{
    size = std::max(size, 1);
    const QList<QStringView> words = wordsOf(text);
    std::vector<quint64> wordHashes;
    wordHashes.reserve(size_t(words.size()));
    for (const QStringView word : words) {
        quint64 h = 0xcbf29ce484222325ULL; // the word lower-cased unit by unit, as a rewrite compares words
        for (const QChar c : word)
            h = (h ^ (c == u'\u2019' ? u'\'' : lowerUnit(c).unicode())) * 0x100000001b3ULL;
        wordHashes.push_back(mix(h));
    }
    const size_t width = std::min(size_t(size), wordHashes.size());
    if (width == 0)
        return;
    m_hashes.reserve(wordHashes.size() - width + 1);
    for (size_t start = 0; start + width <= wordHashes.size(); ++start) {
        quint64 h = width;
        for (size_t k = 0; k < width; ++k)
            h = mix(h ^ wordHashes[start + k]) + k;
        m_hashes.push_back(h);
    }
    std::sort(m_hashes.begin(), m_hashes.end());
    m_hashes.erase(std::unique(m_hashes.begin(), m_hashes.end()), m_hashes.end());
}

double Shingles::shareFoundIn(const Shingles& other) const noexcept
{
    if (m_hashes.empty())
        return 0;
    size_t shared = 0;
    auto theirs = other.m_hashes.begin();
    for (const quint64 h : m_hashes) {
        theirs = std::lower_bound(theirs, other.m_hashes.end(), h);
        if (theirs == other.m_hashes.end())
            break;
        shared += *theirs == h ? 1 : 0;
    }
    return double(shared) / double(m_hashes.size());
}

double sharedShingles(QStringView text, QStringView original)
{
    return Shingles(text).shareFoundIn(Shingles(original));
}

} // namespace quorvale
