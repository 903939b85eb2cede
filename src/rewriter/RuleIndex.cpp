#include "rewriter/RuleIndex.h"

#include "components/Parser.h"
#include "components/TextCase.h"
#include "rewriter/Rewriter.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

// How a rewrite finds its replacements without running one pass per rule item.
//
// The plain procedure runs one pass per (rule, item, suffix) in that order; a
// pass replaces every occurrence of " " + item + suffix, left to right and
// without overlap, by " " + alternatives + suffix with its spaces written as
// "%%". Three facts make a single scan over the article enough:
//
// 1. A pass only ever matches text of the spun article that no earlier pass
//    replaced. An inserted group has no space in it (its spaces are "%%"), so
//    no match starts inside one; a match that ran into a group would have to
//    hold "%%{" or end on "%", and items hold no "{" while suffixes are never
//    "%". (No code unit other than the space, "{" or "%" lower-cases to one
//    of them; the tests check all 65,536 units.)
// 2. So each pass takes, left to right, every occurrence of its pattern in the
//    original text whose units are all still unreplaced. Which occurrences
//    those are depends only on the occurrences of earlier passes that overlap
//    them. Groups of mutually overlapping occurrences ("clusters") can thus
//    be settled one at a time, each in pass order.
// 3. A pass that repeats an earlier pattern (a duplicate item or rule) finds
//    nothing: its predecessor already took every free occurrence. Only the
//    first (rule, item) of each distinct item text counts.
//
// Items that hold a unit which lower-casing changes never match, because the
// plain procedure looks for them in the lower-cased text; lower-casing is
// idempotent, so such units never appear there.

namespace quorvale {

namespace {

/// Position of a suffix in the order " ", ",", ".", ":", or -1.
inline int suffixIndex(char16_t c) noexcept
{
    switch (c) {
    case u' ':
        return 0;
    case u',':
        return 1;
    case u'.':
        return 2;
    case u':':
        return 3;
    default:
        return -1;
    }
}

constexpr char16_t kSuffixes[4] = {u' ', u',', u'.', u':'};

constexpr quint64 kHashSeed = 0xcbf29ce484222325ULL;

/// Hash of a unit sequence, extended one unit at a time.
inline quint64 extendHash(quint64 h, char16_t unit) noexcept
{
    h ^= quint64(unit) + 1;
    h *= 0x100000001b3ULL;
    return h ^ (h >> 29);
}

inline size_t slotOf(quint64 hash, size_t mask) noexcept
{
    return size_t((hash * 0x9E3779B97F4A7C15ULL) >> 17) & mask;
}

/// A set of 64-bit hashes; only used as a filter, so collisions are harmless.
class HashSet
{
public:
    void insert(quint64 h)
    {
        if (h == 0)
            h = 1;
        if ((m_size + 1) * 2 > m_slots.size())
            grow();
        size_t i = slotOf(h, m_slots.size() - 1);
        while (m_slots[i] != 0) {
            if (m_slots[i] == h)
                return;
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i] = h;
        ++m_size;
    }

    bool contains(quint64 h) const noexcept
    {
        if (m_size == 0)
            return false;
        if (h == 0)
            h = 1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = slotOf(h, mask);; i = (i + 1) & mask) {
            if (m_slots[i] == h)
                return true;
            if (m_slots[i] == 0)
                return false;
        }
    }

private:
    void grow()
    {
        std::vector<quint64> old = std::move(m_slots);
        m_slots.assign(std::max<size_t>(64, old.size() * 2), 0);
        m_size = 0;
        for (quint64 h : old)
            if (h != 0)
                insert(h);
    }

    std::vector<quint64> m_slots;
    size_t m_size = 0;
};

/// One distinct matchable item with the first rule and item that name it.
struct Item
{
    quint64 hash;
    size_t textOffset; ///< into ItemTable::m_text
    size_t length;
    quint64 ordinal; ///< position of the first (rule, item) pass among all items of the list
    qsizetype rule;  ///< index of that rule line
};

/// Distinct item texts, found by hash and compared in full.
class ItemTable
{
public:
    /// Adds an item unless the same text is already there (the first one wins).
    void add(quint64 hash, const char16_t* text, size_t length, quint64 ordinal, qsizetype rule)
    {
        if ((m_items.size() + 1) * 2 > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        size_t i = slotOf(hash, mask);
        for (; m_slots[i] != 0; i = (i + 1) & mask) {
            if (same(m_items[m_slots[i] - 1], hash, text, length))
                return;
        }
        m_items.push_back(Item{hash, m_text.size(), length, ordinal, rule});
        m_text.insert(m_text.end(), text, text + length);
        m_slots[i] = m_items.size();
        m_maxLength = std::max(m_maxLength, length);
    }

    const Item* find(quint64 hash, const char16_t* text, size_t length) const noexcept
    {
        if (m_items.empty())
            return nullptr;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = slotOf(hash, mask); m_slots[i] != 0; i = (i + 1) & mask) {
            const Item& item = m_items[m_slots[i] - 1];
            if (same(item, hash, text, length))
                return &item;
        }
        return nullptr;
    }

    QString text(const Item& item) const
    {
        return QString::fromUtf16(m_text.data() + item.textOffset, qsizetype(item.length));
    }

    size_t indexOf(const Item& item) const noexcept { return size_t(&item - m_items.data()); }
    bool empty() const noexcept { return m_items.empty(); }
    size_t maxLength() const noexcept { return m_maxLength; }

private:
    bool same(const Item& item, quint64 hash, const char16_t* text, size_t length) const noexcept
    {
        return item.hash == hash && item.length == length &&
               std::memcmp(m_text.data() + item.textOffset, text, length * sizeof(char16_t)) == 0;
    }

    void grow()
    {
        m_slots.assign(std::max<size_t>(64, m_slots.size() * 2), 0);
        const size_t mask = m_slots.size() - 1;
        for (size_t k = 0; k < m_items.size(); ++k) {
            size_t i = slotOf(m_items[k].hash, mask);
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = k + 1;
        }
    }

    std::vector<Item> m_items;
    std::vector<char16_t> m_text;
    std::vector<size_t> m_slots; ///< index + 1 into m_items, 0 = free
    size_t m_maxLength = 0;
};

/// One occurrence of " " + item + suffix in the article: units [start, end].
struct Candidate
{
    quint64 priority; ///< ordinal * 4 + suffix index: the order of the passes
    qsizetype start;  ///< the space before the item
    qsizetype end;    ///< the suffix after the item
    const Item* item;
};

} // namespace

struct RuleIndex::Data
{
    RuleList rules;
    ItemTable items;
    /// Hashes of item beginnings that stop just before a suffix character
    /// inside an item ("in" of "in addition"): a scan only goes on past a
    /// suffix character while the text so far can still grow into an item.
    HashSet prefixes;
    /// Some item starts with a suffix character (a space, for instance).
    bool itemStartsWithSuffix = false;

    void index();
};

void RuleIndex::Data::index()
{
    std::vector<char16_t> piece;
    std::vector<quint64> pieceStops; // prefix hashes of the current piece
    quint64 ordinal = 0;
    for (qsizetype r = 0; r < rules.size(); ++r) {
        const QString& line = rules.at(r);
        if (!isRuleLine(line))
            continue;
        // The same pieces as ShowRuleItems: braces dropped, split at "|", empty pieces dropped.
        const char16_t* units = reinterpret_cast<const char16_t*>(line.utf16());
        const qsizetype n = line.size();
        bool matchable = true;
        bool startsWithSuffix = false;
        quint64 hash = kHashSeed;
        piece.clear();
        pieceStops.clear();
        for (qsizetype k = 0; k <= n; ++k) {
            const char16_t c = k < n ? units[k] : u'|';
            if (c == u'{' || c == u'}')
                continue;
            if (c != u'|') {
                if (suffixIndex(c) >= 0) {
                    if (piece.empty())
                        startsWithSuffix = true;
                    else
                        pieceStops.push_back(hash);
                }
                piece.push_back(c);
                hash = extendHash(hash, c);
                if (lowerUnit(QChar(c)).unicode() != c)
                    matchable = false;
                continue;
            }
            if (!piece.empty()) {
                if (matchable) {
                    items.add(hash, piece.data(), piece.size(), ordinal, r);
                    for (quint64 stop : pieceStops)
                        prefixes.insert(stop);
                    itemStartsWithSuffix = itemStartsWithSuffix || startsWithSuffix;
                }
                ++ordinal;
            }
            piece.clear();
            pieceStops.clear();
            hash = kHashSeed;
            matchable = true;
            startsWithSuffix = false;
        }
    }
}

RuleIndex::RuleIndex() : m_data(std::make_unique<Data>()) {}

RuleIndex::RuleIndex(RuleList rules) : m_data(std::make_unique<Data>())
{
    m_data->rules = std::move(rules);
    m_data->index();
}

RuleIndex::~RuleIndex() = default;
RuleIndex::RuleIndex(RuleIndex&&) noexcept = default;
RuleIndex& RuleIndex::operator=(RuleIndex&&) noexcept = default;

const RuleList& RuleIndex::rules() const noexcept
{
    return m_data->rules;
}

QString RuleIndex::apply(const QString& workingText, qint64& count) const
{
    const QString marker = QStringLiteral("%%");
    const qsizetype n = workingText.size();
    const Data& d = *m_data;
    if (d.items.empty() || n < 3)
        return Replace(workingText, marker, QStringLiteral(" "), CompareMode::IgnoreCase);

    // Every occurrence of " " + item + suffix in the lower-cased article, by start.
    const QString lowered = lowerUnits(workingText);
    const char16_t* s = reinterpret_cast<const char16_t*>(lowered.utf16());
    const qsizetype maxLength = qsizetype(std::min<size_t>(d.items.maxLength(), size_t(n)));
    std::vector<Candidate> candidates;
    for (qsizetype p = 0; p + 2 < n; ++p) {
        if (s[p] != u' ')
            continue;
        quint64 hash = kHashSeed;
        const qsizetype last = std::min(n - 1, p + 1 + maxLength);
        for (qsizetype q = p + 1; q <= last; ++q) {
            const char16_t c = s[q];
            const int suffix = suffixIndex(c);
            if (suffix >= 0) {
                if (q == p + 1) {
                    if (!d.itemStartsWithSuffix)
                        break;
                } else {
                    if (const Item* item = d.items.find(hash, s + p + 1, size_t(q - p - 1)))
                        candidates.push_back(Candidate{item->ordinal * 4 + quint64(suffix), p, q, item});
                    if (!d.prefixes.contains(hash))
                        break;
                }
            }
            hash = extendHash(hash, c);
        }
    }

    // Settle each cluster of overlapping occurrences in pass order: an
    // occurrence is replaced when none of its units went to an earlier one.
    std::vector<char> taken(candidates.size(), 0);
    std::vector<char> used;
    std::vector<size_t> order;
    for (size_t i = 0; i < candidates.size();) {
        size_t j = i + 1;
        qsizetype clusterEnd = candidates[i].end;
        while (j < candidates.size() && candidates[j].start <= clusterEnd) {
            clusterEnd = std::max(clusterEnd, candidates[j].end);
            ++j;
        }
        if (j == i + 1) {
            taken[i] = 1;
            i = j;
            continue;
        }
        const qsizetype clusterStart = candidates[i].start;
        used.assign(size_t(clusterEnd - clusterStart + 1), 0);
        order.clear();
        for (size_t k = i; k < j; ++k)
            order.push_back(k);
        std::sort(order.begin(), order.end(), [&candidates](size_t a, size_t b) {
            const Candidate& x = candidates[a];
            const Candidate& y = candidates[b];
            return x.priority != y.priority ? x.priority < y.priority : x.start < y.start;
        });
        for (size_t k : order) {
            const Candidate& c = candidates[k];
            char* first = used.data() + (c.start - clusterStart);
            char* last = used.data() + (c.end - clusterStart) + 1;
            if (std::find(first, last, 1) != last)
                continue;
            std::fill(first, last, 1);
            taken[k] = 1;
        }
        i = j;
    }

    // The replacement of each (item, suffix), made once per rewrite.
    std::unordered_map<quint64, QString> replacements;
    const auto replacementFor = [&](const Candidate& c) -> const QString& {
        const int suffix = int(c.priority % 4);
        const quint64 key = quint64(d.items.indexOf(*c.item)) * 4 + quint64(suffix);
        auto [it, inserted] = replacements.try_emplace(key);
        if (inserted) {
            const QString alternatives = BuildAlternatives(d.rules.at(c.item->rule), d.items.text(*c.item));
            it->second = Replace(u' ' + alternatives + QChar(kSuffixes[suffix]), QStringLiteral(" "), marker,
                                 CompareMode::IgnoreCase);
        }
        return it->second;
    };

    QString result;
    result.reserve(n + n / 2);
    qsizetype from = 0;
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (!taken[k])
            continue;
        const Candidate& c = candidates[k];
        result.append(QStringView(workingText).sliced(from, c.start - from));
        result.append(replacementFor(c));
        from = c.end + 1;
        ++count;
    }
    result.append(QStringView(workingText).sliced(from));
    return Replace(result, marker, QStringLiteral(" "), CompareMode::IgnoreCase);
}

} // namespace quorvale
