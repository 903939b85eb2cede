// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Spinner.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quorvale {

QString spin(const QString& text, QRandomGenerator& random, std::vector<SpunGroup>* groups)
{
    const qsizetype n = text.size();
    const qsizetype firstBrace = text.indexOf(u'{');
    if (firstBrace < 0)
        return text;

    // Pair the braces first; a brace left without a partner is plain text.
    // Only the pairs are kept (open, close), sorted by their "{": memory
    // grows with the groups, not with the text.
    std::vector<std::pair<qsizetype, qsizetype>> pairs;
    {
        std::vector<qsizetype> open;
        for (qsizetype i = firstBrace; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c == u'{') {
                open.push_back(i);
            } else if (c == u'}' && !open.empty()) {
                pairs.emplace_back(open.back(), i);
                open.pop_back();
            }
        }
        std::sort(pairs.begin(), pairs.end());
    }
    // The "}" that closes the "{" at @p p, or -1 when it has none.
    const auto closeOf = [&pairs](qsizetype p) {
        const auto found = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(p, qsizetype(-1)));
        return found != pairs.end() && found->first == p ? found->second : qsizetype(-1);
    };

    QString out;
    out.reserve(n);
    const QChar* data = text.constData();
    // Where to go on once the current alternative is done: (end of the enclosing range, position after the group).
    std::vector<std::pair<qsizetype, qsizetype>> resume;
    std::vector<qsizetype> starts;
    qsizetype pos = 0;
    qsizetype end = n;
    for (;;) {
        while (pos < end) {
            qsizetype run = pos;
            while (run < end && !(data[run] == u'{' && closeOf(run) >= 0))
                ++run;
            out.append(data + pos, run - pos);
            pos = run;
            if (pos >= end)
                break;
            const qsizetype close = closeOf(pos);
            starts.clear();
            starts.push_back(pos + 1);
            for (qsizetype q = pos + 1; q < close; ++q) {
                if (data[q] == u'{') {
                    if (const qsizetype nested = closeOf(q); nested >= 0)
                        q = nested;
                } else if (data[q] == u'|') {
                    starts.push_back(q + 1);
                }
            }
            const size_t k = random.bounded(quint32(starts.size()));
            const qsizetype altEnd = k + 1 < starts.size() ? starts[k + 1] - 1 : close;
            if (groups && resume.empty())
                groups->push_back(SpunGroup{pos, out.size(), 0});
            resume.emplace_back(end, close + 1);
            pos = starts[k];
            end = altEnd;
        }
        if (resume.empty())
            break;
        std::tie(end, pos) = resume.back();
        resume.pop_back();
        if (groups && resume.empty())
            groups->back().outputLength = out.size() - groups->back().outputStart;
    }
    return out;
}

Spinner::Spinner() : m_random(QRandomGenerator::securelySeeded()) {}

namespace {
QRandomGenerator seededGenerator(quint64 seed)
{
    const quint32 words[2] = {quint32(seed), quint32(seed >> 32)};
    return QRandomGenerator(words);
}
} // namespace

Spinner::Spinner(quint64 seed) : m_random(seededGenerator(seed)) {}

QString Spinner::spin()
{
    return quorvale::spin(m_text, m_random);
}

QString Spinner::spin(const QString& text, std::vector<SpunGroup>* groups)
{
    return quorvale::spin(text, m_random, groups);
}

} // namespace quorvale
