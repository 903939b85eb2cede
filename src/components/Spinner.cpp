#include "components/Spinner.h"

#include <utility>
#include <vector>

namespace quorvale {

QString spin(const QString& text, QRandomGenerator& random)
{
    const qsizetype n = text.size();
    const qsizetype firstBrace = text.indexOf(u'{');
    if (firstBrace < 0)
        return text;

    // Pair the braces first; a brace left without a partner is plain text.
    std::vector<qsizetype> partner(size_t(n), -1);
    {
        std::vector<qsizetype> open;
        for (qsizetype i = firstBrace; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c == u'{') {
                open.push_back(i);
            } else if (c == u'}' && !open.empty()) {
                partner[size_t(i)] = open.back();
                partner[size_t(open.back())] = i;
                open.pop_back();
            }
        }
    }

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
            while (run < end && !(data[run] == u'{' && partner[size_t(run)] >= 0))
                ++run;
            out.append(data + pos, run - pos);
            pos = run;
            if (pos >= end)
                break;
            const qsizetype close = partner[size_t(pos)];
            starts.clear();
            starts.push_back(pos + 1);
            for (qsizetype q = pos + 1; q < close; ++q) {
                if (data[q] == u'{' && partner[size_t(q)] >= 0)
                    q = partner[size_t(q)];
                else if (data[q] == u'|')
                    starts.push_back(q + 1);
            }
            const size_t k = random.bounded(quint32(starts.size()));
            const qsizetype altEnd = k + 1 < starts.size() ? starts[k + 1] - 1 : close;
            resume.emplace_back(end, close + 1);
            pos = starts[k];
            end = altEnd;
        }
        if (resume.empty())
            break;
        std::tie(end, pos) = resume.back();
        resume.pop_back();
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

QString Spinner::spin(const QString& text)
{
    return quorvale::spin(text, m_random);
}

} // namespace quorvale
