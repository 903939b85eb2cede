// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/EditableWording.h"

#include "components/TextOperations.h"
#include "rewriter/Spintax.h"

#include <algorithm>
#include <cmath>

namespace quorvale {

namespace {

/// The words of @p wording that a longest common run of words with @p original leaves out.
qsizetype wordsNotIn(QStringView wording, QStringView original)
{
    const QList<QStringView> a = wordsOf(wording);
    const QList<QStringView> b = wordsOf(original);
    // A longest common subsequence of lower-cased words; a spot holds a few words only.
    std::vector<qsizetype> row(size_t(b.size() + 1), 0);
    for (const QStringView word : a) {
        qsizetype diagonal = 0;
        for (qsizetype j = 0; j < b.size(); ++j) {
            const qsizetype above = row[size_t(j + 1)];
            row[size_t(j + 1)] =
                word.compare(b[j], Qt::CaseInsensitive) == 0 ? diagonal + 1 : std::max(above, row[size_t(j)]);
            diagonal = above;
        }
    }
    return a.size() - row.back();
}

} // namespace

QString WordingChanges::summary() const
{
    const auto percent = [](double share) -> QString { return QString::number(std::lround(100 * share)) + u'%'; };
    // Up to a thousand the number itself, beyond it the power of ten.
    const long wordings = log10Wordings < 3 ? std::lround(std::pow(10.0, log10Wordings)) : 0;
    const QString possible = log10Wordings < 3 ? QString::number(wordings)
                                               : QStringLiteral("10^") + QString::number(std::lround(log10Wordings));
    return QStringLiteral("%1 %2 (%3) \u00B7 %4 of 5-word phrases as in the original \u00B7 about %5 %6")
        .arg(QString::number(changedWords),
             changedWords == 1 ? QStringLiteral("word changed") : QStringLiteral("words changed"),
             percent(words > 0 ? double(changedWords) / double(words) : 0), percent(sharedPhrases), possible,
             wordings == 1 ? QStringLiteral("possible wording") : QStringLiteral("possible wordings"));
}

EditableWording::EditableWording(const QString& text) : m_text(text) {}

EditableWording::EditableWording(const RewriteResult& rewrite, QRandomGenerator& random)
    : m_spintax(rewrite.spintax), m_original(rewrite.spunArticle)
{
    m_spots.reserve(size_t(rewrite.groups.size()));
    qsizetype from = 0;
    for (const RewriteGroup& group : rewrite.groups) {
        const QStringList wordings = groupWordings(QStringView(m_spintax).sliced(group.start, group.length));
        const qsizetype choice = qsizetype(random.bounded(quint32(wordings.size())));
        m_text += QStringView(m_spintax).sliced(from, group.start - from);
        m_spots.push_back(Spot{m_text.size(), wordings.at(choice).size(), group.start, group.length,
                               group.originalStart, group.originalLength, wordings.size(), choice, false});
        m_text += wordings.at(choice);
        from = group.start + group.length;
    }
    m_text += QStringView(m_spintax).sliced(from);
}

int EditableWording::spotAt(qsizetype position) const noexcept
{
    const auto after = std::upper_bound(m_spots.begin(), m_spots.end(), position,
                                        [](qsizetype at, const Spot& spot) { return at < spot.start; });
    if (after == m_spots.begin())
        return -1;
    const Spot& spot = *(after - 1);
    return position < spot.start + spot.length ? int(after - 1 - m_spots.begin()) : -1;
}

QStringList EditableWording::wordings(int spot) const
{
    const Spot& s = m_spots.at(size_t(spot));
    return groupWordings(QStringView(m_spintax).sliced(s.groupStart, s.groupLength));
}

QStringView EditableWording::originalWords(int spot) const
{
    const Spot& s = m_spots.at(size_t(spot));
    return QStringView(m_original).sliced(s.originalStart, s.originalLength);
}

bool EditableWording::changed(int spot) const
{
    const Spot& s = m_spots.at(size_t(spot));
    return QStringView(m_text).sliced(s.start, s.length).compare(originalWords(spot), Qt::CaseInsensitive) != 0;
}

TextSpans EditableWording::changedSpans() const
{
    TextSpans spans;
    for (size_t i = 0; i < m_spots.size(); ++i)
        if (changed(int(i)))
            spans.emplace_back(m_spots[i].start, m_spots[i].length);
    return spans;
}

void EditableWording::setSpotText(size_t spot, const QString& text)
{
    Spot& s = m_spots[spot];
    m_text.replace(s.start, s.length, text);
    const qsizetype shift = text.size() - s.length;
    s.length = text.size();
    for (size_t k = spot + 1; k < m_spots.size(); ++k)
        m_spots[k].start += shift;
}

void EditableWording::choose(int spot, qsizetype choice)
{
    const QStringList all = wordings(spot);
    if (choice < -1 || choice >= all.size())
        return;
    setSpotText(size_t(spot), choice < 0 ? originalWords(spot).toString() : all.at(choice));
    m_spots[size_t(spot)].choice = choice;
    m_spots[size_t(spot)].byHand = true;
}

void EditableWording::respin(QRandomGenerator& random)
{
    QString text;
    text.reserve(m_text.size());
    qsizetype from = 0;
    for (size_t i = 0; i < m_spots.size(); ++i) {
        Spot& spot = m_spots[i];
        text += QStringView(m_text).sliced(from, spot.start - from);
        from = spot.start + spot.length;
        spot.start = text.size();
        if (!spot.byHand) {
            spot.choice = qsizetype(random.bounded(quint32(spot.wordingCount)));
            const QString wording = wordings(int(i)).at(spot.choice);
            spot.length = wording.size();
            text += wording;
        } else {
            text += QStringView(m_text).sliced(from - spot.length, spot.length);
        }
    }
    text += QStringView(m_text).sliced(from);
    m_text = std::move(text);
}

void EditableWording::replace(qsizetype start, qsizetype length, const QString& text)
{
    start = std::clamp<qsizetype>(start, 0, m_text.size());
    length = std::clamp<qsizetype>(length, 0, m_text.size() - start);
    const qsizetype end = start + length;
    const qsizetype shift = text.size() - length;
    // What stands next to a spot on the side of the edit once it is made.
    const auto joinsAfter = [&](const Spot& s) {
        const QChar next = !text.isEmpty() ? text.front() : end < m_text.size() ? m_text[end] : QChar(u' ');
        return s.start + s.length == start && s.length > 0 && isWordCharacter(next);
    };
    const auto joinsBefore = [&](const Spot& s) {
        const QChar previous = !text.isEmpty() ? text.back() : start > 0 ? m_text[start - 1] : QChar(u' ');
        return s.start == end && s.length > 0 && isWordCharacter(previous);
    };
    std::vector<Spot> kept;
    kept.reserve(m_spots.size());
    for (Spot spot : m_spots) {
        // An insertion counts as inside a spot only strictly between its ends; at an end it may join it.
        const bool overlaps = length > 0 ? spot.start < end && spot.start + spot.length > start
                                         : spot.start < start && start < spot.start + spot.length;
        if (overlaps || joinsAfter(spot) || joinsBefore(spot))
            continue;
        if (spot.start >= end)
            spot.start += shift;
        kept.push_back(spot);
    }
    m_spots = std::move(kept);
    m_text.replace(start, length, text);
}

void EditableWording::makePlain(int spot)
{
    m_spots.erase(m_spots.begin() + spot);
}

QString EditableWording::spintax() const
{
    QString out;
    qsizetype from = 0;
    for (const Spot& spot : m_spots) {
        if (spot.byHand)
            continue;
        out += QStringView(m_text).sliced(from, spot.start - from);
        out += QStringView(m_spintax).sliced(spot.groupStart, spot.groupLength);
        from = spot.start + spot.length;
    }
    out += QStringView(m_text).sliced(from);
    return out;
}

WordingChanges EditableWording::changes(const Shingles& original) const
{
    WordingChanges changes;
    changes.words = wordsOf(m_text).size();
    for (size_t i = 0; i < m_spots.size(); ++i) {
        const Spot& spot = m_spots[i];
        changes.changedWords += wordsNotIn(QStringView(m_text).sliced(spot.start, spot.length), originalWords(int(i)));
        if (!spot.byHand)
            changes.log10Wordings += std::log10(double(spot.wordingCount));
    }
    changes.sharedPhrases = Shingles(m_text).shareFoundIn(original);
    return changes;
}

} // namespace quorvale
