// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Spintax.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace quorvale {

namespace {

/// Groups nested deeper than this are taken as plain text: a wording list
/// is made by recursion, which must not run out of stack on hostile input.
constexpr int MaxDepth = 64;

/// The pairs of braces of a text as spin() makes them.
class BracePairs
{
public:
    explicit BracePairs(QStringView text)
    {
        std::vector<qsizetype> open;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'{') {
                open.push_back(i);
            } else if (text[i] == u'}' && !open.empty()) {
                m_pairs.emplace_back(open.back(), i);
                open.pop_back();
            }
        }
        std::sort(m_pairs.begin(), m_pairs.end());
    }

    /// The "}" that closes the "{" at @p open, or -1.
    qsizetype closeOf(qsizetype open) const
    {
        const auto found = std::lower_bound(m_pairs.begin(), m_pairs.end(), std::make_pair(open, qsizetype(-1)));
        return found != m_pairs.end() && found->first == open ? found->second : -1;
    }

private:
    std::vector<std::pair<qsizetype, qsizetype>> m_pairs;
};

class Expander
{
public:
    explicit Expander(QStringView text) : m_text(text), m_pairs(text) {}

    /// The wordings of text[from, to), whose pairs all lie inside it.
    QStringList expand(qsizetype from, qsizetype to, int depth) const
    {
        QStringList results{QString()};
        qsizetype pos = from;
        for (;;) {
            qsizetype q = pos;
            while (q < to && !(m_text[q] == u'{' && depth < MaxDepth && m_pairs.closeOf(q) >= 0))
                ++q;
            for (QString& result : results)
                result += m_text.sliced(pos, q - pos);
            if (q >= to)
                return results;
            const qsizetype close = m_pairs.closeOf(q);
            const QStringList alternatives = group(q, close, depth + 1);
            QStringList combined;
            for (const QString& result : std::as_const(results))
                for (const QString& alternative : alternatives)
                    if (combined.size() < MaxGroupWordings)
                        combined.append(result + alternative);
            results = std::move(combined);
            pos = close + 1;
        }
    }

    /// The distinct wordings of the group from @p open to @p close.
    QStringList group(qsizetype open, qsizetype close, int depth) const
    {
        QStringList wordings;
        QSet<QString> seen;
        qsizetype start = open + 1;
        for (qsizetype q = open + 1; q <= close && wordings.size() < MaxGroupWordings; ++q) {
            if (q < close && m_text[q] == u'{' && depth < MaxDepth) {
                if (const qsizetype nested = m_pairs.closeOf(q); nested >= 0)
                    q = nested;
                continue;
            }
            if (q < close && m_text[q] != u'|')
                continue;
            for (const QString& wording : expand(start, q, depth)) {
                if (wordings.size() < MaxGroupWordings && !seen.contains(wording)) {
                    seen.insert(wording);
                    wordings.append(wording);
                }
            }
            start = q + 1;
        }
        return wordings;
    }

private:
    QStringView m_text;
    BracePairs m_pairs;
};

} // namespace

std::vector<SpintaxPiece> spintaxPieces(QStringView spintax)
{
    std::vector<SpintaxPiece> pieces;
    const BracePairs pairs(spintax);
    qsizetype text = 0;
    for (qsizetype i = 0; i < spintax.size(); ++i) {
        if (spintax[i] != u'{')
            continue;
        const qsizetype close = pairs.closeOf(i);
        if (close < 0)
            continue;
        if (i > text)
            pieces.push_back({text, i - text, false});
        pieces.push_back({i, close + 1 - i, true});
        i = close;
        text = close + 1;
    }
    if (spintax.size() > text)
        pieces.push_back({text, spintax.size() - text, false});
    return pieces;
}

QStringList groupWordings(QStringView group)
{
    const Expander expander(group);
    const qsizetype n = group.size();
    if (n >= 2 && group[0] == u'{' && BracePairs(group).closeOf(0) == n - 1)
        return expander.group(0, n - 1, 1);
    return {group.toString()};
}

double log10Wordings(QStringView spintax)
{
    double sum = 0;
    for (const SpintaxPiece& piece : spintaxPieces(spintax))
        if (piece.group)
            sum += std::log10(double(groupWordings(spintax.sliced(piece.start, piece.length)).size()));
    return sum;
}

QStringList distinctWordings(const QString& spintax, int count, QRandomGenerator& random)
{
    if (count <= 0)
        return {};
    // Plain text and groups of one wording are merged into the fixed pieces between the groups that vary.
    std::vector<QString> fixed{QString()};
    std::vector<QStringList> groups;
    double log10Total = 0;
    for (const SpintaxPiece& piece : spintaxPieces(spintax)) {
        const QStringView text = QStringView(spintax).sliced(piece.start, piece.length);
        QStringList wordings = piece.group ? groupWordings(text) : QStringList{text.toString()};
        if (wordings.size() == 1) {
            fixed.back() += wordings.first();
            continue;
        }
        log10Total += std::log10(double(wordings.size()));
        groups.push_back(std::move(wordings));
        fixed.emplace_back();
    }
    const auto wordingOf = [&](const std::vector<qsizetype>& choices) {
        QString text = fixed[0];
        for (size_t g = 0; g < groups.size(); ++g)
            text += groups[g].at(choices[g]) + fixed[g + 1];
        return text;
    };

    QStringList wordings;
    QSet<QString> seen;
    std::vector<qsizetype> choices(groups.size());
    const auto add = [&] {
        QString text = wordingOf(choices);
        if (!seen.contains(text)) {
            seen.insert(text);
            wordings.append(std::move(text));
        }
    };
    constexpr double Log10Enumerated = 5; // up to 100,000 wordings are all tried, in a shuffled order
    if (log10Total <= Log10Enumerated) {
        qint64 total = 1;
        for (const QStringList& group : groups)
            total *= group.size();
        std::vector<qint64> order(static_cast<size_t>(total));
        std::iota(order.begin(), order.end(), qint64(0));
        std::shuffle(order.begin(), order.end(), random);
        for (size_t k = 0; k < order.size() && wordings.size() < count; ++k) {
            qint64 index = order[k];
            for (size_t g = 0; g < groups.size(); ++g) {
                choices[g] = qsizetype(index % groups[g].size());
                index /= groups[g].size();
            }
            add();
        }
        return wordings;
    }
    // So many wordings that a repeat is rare: draw until enough are different.
    for (qint64 draws = 0; wordings.size() < count && draws < qint64(count) * 20; ++draws) {
        for (size_t g = 0; g < groups.size(); ++g)
            choices[g] = qsizetype(random.bounded(quint32(groups[g].size())));
        add();
    }
    return wordings;
}

} // namespace quorvale
