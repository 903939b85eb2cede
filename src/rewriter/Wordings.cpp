#include "rewriter/Wordings.h"

#include "components/Spinner.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace quorvale {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'\'' || c == u'\u2019';
}

/// Tries per wording beyond the first before a repeat is kept.
constexpr int ExtraTries = 8;

} // namespace

Shingles::Shingles(const QString& text, int width)
{
    std::vector<size_t> words;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (!isWordCharacter(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordCharacter(text[i]))
            ++i;
        words.push_back(qHash(QStringView(text).sliced(start, i - start).toString().toLower()));
    }
    if (words.empty())
        return;
    const std::size_t w = std::min(std::size_t(std::max(width, 1)), words.size());
    for (std::size_t i = 0; i + w <= words.size(); ++i) {
        quint64 hash = 0;
        for (std::size_t k = i; k < i + w; ++k)
            hash = mixedSeed(hash, words[k]);
        m_hashes.push_back(hash);
    }
    std::sort(m_hashes.begin(), m_hashes.end());
    m_hashes.erase(std::unique(m_hashes.begin(), m_hashes.end()), m_hashes.end());
}

qsizetype Shingles::commonWith(const Shingles& other) const
{
    qsizetype common = 0;
    auto a = m_hashes.begin();
    auto b = other.m_hashes.begin();
    while (a != m_hashes.end() && b != other.m_hashes.end()) {
        if (*a < *b) {
            ++a;
        } else if (*b < *a) {
            ++b;
        } else {
            ++common, ++a, ++b;
        }
    }
    return common;
}

double Shingles::shareIn(const Shingles& other) const
{
    return m_hashes.empty() ? 0.0 : double(commonWith(other)) / double(m_hashes.size());
}

QStringList distinctWordings(const QString& spintax, int count, quint64 seed)
{
    QStringList wordings;
    QSet<QString> seen;
    for (int n = 0; n < count; ++n) {
        QString wording;
        for (int attempt = 0; attempt <= ExtraTries; ++attempt) {
            Spinner spinner(mixedSeed(mixedSeed(seed, quint64(n)), quint64(attempt)));
            wording = spinner.spin(spintax);
            if (!seen.contains(wording))
                break;
        }
        seen.insert(wording);
        wordings.append(wording);
    }
    return wordings;
}

quint64 mixedSeed(quint64 seed, quint64 part)
{
    // SplitMix64 of the two: nearby inputs give unrelated outputs.
    quint64 z = seed + 0x9E3779B97F4A7C15ull * (part + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace quorvale
