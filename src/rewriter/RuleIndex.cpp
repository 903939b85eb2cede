// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/RuleIndex.h"

#include "components/Error.h"
#include "components/TextOperations.h"
#include "rewriter/Rewriter.h"
#include "rewriter/Tagger.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>
#include <new>
#include <optional>
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

constexpr char16_t Suffixes[4] = {u' ', u',', u'.', u':'};

constexpr quint64 HashSeed = 0xcbf29ce484222325ULL;

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

/// What the table knows about one text.
struct Lookup
{
    /// The item with exactly this text, or null. Valid while the table lives.
    const struct ItemRecord* item = nullptr;
    /// Some item goes on from this text with a suffix character (or a hash
    /// collision says so; then a scan merely looks a little further).
    bool prefix = false;
};

/// A distinct matchable item; its text follows the record in memory, so that
/// a match costs one visit to the slot array and one to the record.
struct ItemRecord
{
    quint64 ordinal; ///< position of its first (rule, item) pass among all items of the list
    qsizetype rule;  ///< index of that rule line
    size_t length;   ///< in UTF-16 units
    size_t id;       ///< dense number of the distinct item, from 0
    /// Where the item stands in its rule line when that line is plain (see
    /// isPlainRule), else -1.
    qsizetype lineOffset;
    QStringView line; ///< the group of the rule line, kept by RuleIndex::Data::rules
    qint32 condition; ///< index of the rule's conditions, -1 for a rule without
    /// The next record of the same text (see record()), 0 for none: an item of
    /// a conditioned rule leaves the places where its conditions fail to the
    /// next rule that holds the same item.
    size_t next;

    const char16_t* text() const noexcept { return reinterpret_cast<const char16_t*>(this + 1); }
};
static_assert(sizeof(ItemRecord) % sizeof(char16_t) == 0 && alignof(ItemRecord) <= 8);

/// The distinct matchable items and the texts some item goes on from, in one
/// open-addressing table keyed by the text's hash.
class ItemTable
{
public:
    /// Adds an item unless the same text is already there with no conditions
    /// (the first one wins); the same text after a conditioned item is chained
    /// to it. Returns where its record is kept (see record()), 0 for a text
    /// already there. Only items marked @p probed count for maxLength().
    size_t addItem(quint64 hash, const char16_t* text, size_t length, quint64 ordinal, qsizetype rule, QStringView line,
                   qsizetype lineOffset, bool probed, qint32 condition)
    {
        reserveOneMore();
        const size_t mask = m_slots.size() - 1;
        size_t i = slotOf(hash, mask);
        const auto store = [&] {
            return storeRecord(text, length, ordinal, rule, line, lineOffset, probed, condition);
        };
        for (; m_slots[i].used(); i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.hash != hash)
                continue;
            if (slot.record == 0) { // the text so far was only known as a prefix
                slot.record = store();
                return slot.record;
            }
            if (same(record(slot.record), text, length)) {
                size_t last = slot.record;
                while (record(last).next != 0)
                    last = record(last).next;
                if (record(last).condition < 0)
                    return 0;
                const size_t added = store();
                mutableRecord(last).next = added;
                return added;
            }
        }
        m_slots[i] = Slot{hash, store(), false};
        ++m_used;
        return m_slots[i].record;
    }

    /// Makes room for about @p entries items and prefixes without regrowing.
    void reserve(size_t entries)
    {
        size_t capacity = 64;
        while (capacity < entries * 2)
            capacity *= 2;
        if (capacity > m_slots.size()) {
            std::vector<Slot> old = std::move(m_slots);
            m_slots.assign(capacity, Slot{});
            rehash(old);
        }
    }

    /// Notes that some item goes on from the text with this hash.
    void addPrefix(quint64 hash)
    {
        reserveOneMore();
        const size_t mask = m_slots.size() - 1;
        size_t i = slotOf(hash, mask);
        for (; m_slots[i].used(); i = (i + 1) & mask) {
            if (m_slots[i].hash == hash) {
                m_slots[i].prefix = true;
                return;
            }
        }
        m_slots[i] = Slot{hash, 0, true};
        ++m_used;
    }

    /// The item (and whether items go on) for @p length units of @p text,
    /// compared lower-cased, whose lower-cased hash is @p hash.
    Lookup find(quint64 hash, const QChar* text, size_t length) const noexcept
    {
        Lookup result;
        if (m_used == 0)
            return result;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = slotOf(hash, mask); m_slots[i].used(); i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.hash != hash)
                continue;
            result.prefix = result.prefix || slot.prefix;
            if (slot.record != 0 && result.item == nullptr && sameLowered(record(slot.record), text, length))
                result.item = &record(slot.record);
        }
        return result;
    }

    /// Asks the processor to load the slot a lookup of @p hash starts at.
    void prefetch(quint64 hash) const noexcept
    {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[slotOf(hash, m_slots.size() - 1)]);
    }

    /// Asks the processor to load the item a lookup of @p hash will most
    /// likely find (best once its slot was fetched).
    void prefetchItem(quint64 hash) const noexcept
    {
        if (m_slots.empty())
            return;
        const Slot& slot = m_slots[slotOf(hash, m_slots.size() - 1)];
        if (slot.hash == hash && slot.record != 0)
            __builtin_prefetch(&record(slot.record));
    }

    const ItemRecord& record(size_t offset) const noexcept
    {
        return *reinterpret_cast<const ItemRecord*>(m_records.data() + offset - 1);
    }

    ItemRecord& mutableRecord(size_t offset) noexcept
    {
        return *reinterpret_cast<ItemRecord*>(m_records.data() + offset - 1);
    }

    size_t size() const noexcept { return m_items; }
    bool empty() const noexcept { return m_items == 0; }
    size_t maxLength() const noexcept { return m_maxLength; }

private:
    struct Slot
    {
        quint64 hash = 0;
        size_t record = 0; ///< 1 + offset of the item's record in m_records; 0: no item
        bool prefix = false;

        bool used() const noexcept { return record != 0 || prefix; }
    };
    static_assert(sizeof(Slot) <= 24);

    static constexpr size_t RecordWords = sizeof(ItemRecord) / sizeof(quint64);

    static bool same(const ItemRecord& item, const char16_t* text, size_t length) noexcept
    {
        return item.length == length && std::memcmp(item.text(), text, length * sizeof(char16_t)) == 0;
    }

    static bool sameLowered(const ItemRecord& item, const QChar* text, size_t length) noexcept
    {
        if (item.length != length)
            return false;
        const char16_t* units = item.text();
        for (size_t i = 0; i < length; ++i) {
            if (lowerUnit(text[i]).unicode() != units[i])
                return false;
        }
        return true;
    }

    size_t storeRecord(const char16_t* text, size_t length, quint64 ordinal, qsizetype rule, QStringView line,
                       qsizetype lineOffset, bool probed, qint32 condition)
    {
        const size_t offset = m_records.size();
        const size_t words = RecordWords + (length * sizeof(char16_t) + sizeof(quint64) - 1) / sizeof(quint64);
        m_records.resize(offset + words);
        auto* item = new (m_records.data() + offset) ItemRecord;
        *item = ItemRecord{ordinal, rule, length, m_items++, lineOffset, line, condition, 0};
        std::memcpy(reinterpret_cast<char16_t*>(item + 1), text, length * sizeof(char16_t));
        if (probed)
            m_maxLength = std::max(m_maxLength, length);
        return offset + 1;
    }

    void reserveOneMore()
    {
        if ((m_used + 1) * 2 <= m_slots.size())
            return;
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(std::max<size_t>(64, old.size() * 2), Slot{});
        rehash(old);
    }

    void rehash(const std::vector<Slot>& old)
    {
        const size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.used())
                continue;
            size_t i = slotOf(slot.hash, mask);
            while (m_slots[i].used())
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::vector<quint64> m_records; ///< ItemRecord, text, ItemRecord, text, ... (8-byte aligned)
    size_t m_used = 0;
    size_t m_items = 0;
    size_t m_maxLength = 0;
};

/// One occurrence of " " + item + suffix in the article: units [start, end].
struct Candidate
{
    quint64 priority; ///< ordinal * 4 + suffix index: the order of the passes
    qsizetype start;  ///< the space before the item
    qsizetype end;    ///< the suffix after the item
    const ItemRecord* record;
};

/// The largest spintax a rewrite makes: 512 MB of text.
constexpr qsizetype MaxSpintaxUnits = qsizetype(256) * 1024 * 1024;

/// Items longer than this are not probed from every space but found by one
/// automaton over the text: probing a long phrase item from every space of a
/// text that repeats its beginning would take time quadratic in the text.
constexpr size_t LongItemUnits = 256;

/// The long items, found with an Aho-Corasick automaton over " " + item.
class LongItemMatcher
{
public:
    void add(const ItemRecord* item) { m_items.push_back(item); }
    bool empty() const noexcept { return m_items.empty(); }

    void build()
    {
        m_nodes.assign(1, Node{});
        std::vector<std::vector<std::pair<char16_t, qint32>>> children(1);
        for (qint32 i = 0; i < qint32(m_items.size()); ++i) {
            const ItemRecord& item = *m_items[size_t(i)];
            qint32 node = 0;
            for (size_t k = 0; k <= item.length; ++k) {
                const char16_t unit = k == 0 ? u' ' : item.text()[k - 1];
                const auto found = m_next.find(key(node, unit));
                if (found != m_next.end()) {
                    node = found->second;
                    continue;
                }
                const qint32 child = qint32(m_nodes.size());
                m_nodes.push_back(Node{});
                children.emplace_back();
                children[size_t(node)].emplace_back(unit, child);
                m_next.emplace(key(node, unit), child);
                node = child;
            }
            m_nodes[size_t(node)].item = i;
        }
        // Failure links breadth first: each node's points at its longest proper suffix in the trie.
        std::vector<qint32> queue{0};
        for (size_t head = 0; head < queue.size(); ++head) {
            const qint32 node = queue[head];
            for (const auto& [unit, child] : children[size_t(node)]) {
                const qint32 fail = node == 0 ? 0 : step(m_nodes[size_t(node)].fail, unit);
                Node& c = m_nodes[size_t(child)];
                c.fail = fail;
                c.output = m_nodes[size_t(fail)].item >= 0 ? fail : m_nodes[size_t(fail)].output;
                queue.push_back(child);
            }
        }
    }

    /// Appends every occurrence of " " + item + suffix in @p text (compared lower-cased).
    void find(const QChar* text, qsizetype n, std::vector<Candidate>& out) const
    {
        qint32 node = 0;
        for (qsizetype q = 0; q + 1 < n; ++q) {
            node = step(node, lowerUnit(text[q]).unicode());
            const int suffix = suffixIndex(lowerUnit(text[q + 1]).unicode());
            if (suffix < 0)
                continue;
            for (qint32 x = m_nodes[size_t(node)].item >= 0 ? node : m_nodes[size_t(node)].output; x >= 0;
                 x = m_nodes[size_t(x)].output) {
                const ItemRecord* item = m_items[size_t(m_nodes[size_t(x)].item)];
                out.push_back(Candidate{item->ordinal * 4 + quint64(suffix), q - qsizetype(item->length), q + 1, item});
            }
        }
    }

private:
    struct Node
    {
        qint32 fail = 0;
        qint32 output = -1; ///< the nearest node down the failure links where an item ends
        qint32 item = -1;   ///< the item ending here
    };

    static quint64 key(qint32 node, char16_t unit) noexcept { return (quint64(node) << 16) | unit; }

    qint32 step(qint32 node, char16_t unit) const
    {
        for (;;) {
            const auto found = m_next.find(key(node, unit));
            if (found != m_next.end())
                return found->second;
            if (node == 0)
                return 0;
            node = m_nodes[size_t(node)].fail;
        }
    }

    std::vector<const ItemRecord*> m_items;
    std::vector<Node> m_nodes;
    std::unordered_map<quint64, qint32> m_next;
};

/// A rule line "{i1|...|ik}" with one pair of braces, no empty or repeated
/// item and no unit that lower-casing changes. For such a line,
/// alternativesFor(line, ij) takes out exactly "ij" and one separator next
/// to it: "{w|" can only stand at the start, and "|w|" or "|w}" only around
/// the item itself, as the items differ and hold no "|" or brace.
bool isPlainRule(QStringView line)
{
    const qsizetype n = line.size();
    if (n < 3 || line[0] != u'{' || line[n - 1] != u'}')
        return false;
    QVarLengthArray<QStringView, 16> pieces;
    qsizetype start = 1;
    for (qsizetype i = 1; i < n; ++i) {
        const QChar c = line[i];
        if (c == u'|' || i == n - 1) {
            if (i == start)
                return false;
            pieces.append(line.sliced(start, i - start));
            start = i + 1;
        } else if (c == u'{' || c == u'}' || lowerUnit(c) != c) {
            return false;
        }
    }
    // Sorted, so that a rule line of many thousand items costs no more than
    // reading it: comparing every pair would stall a rewrite for minutes.
    std::sort(pieces.begin(), pieces.end());
    return std::adjacent_find(pieces.begin(), pieces.end()) == pieces.end();
}

/// Appends @p text with every "%%" written as one space, left to right.
void appendText(QString& out, QStringView text)
{
    // Mostly short pieces and few "%": a plain loop beats a library search.
    const QChar* units = text.data();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (units[i] != u'%' || units[i + 1] != u'%')
            continue;
        out.append(units + from, i - from);
        out.append(u' ');
        from = ++i + 1;
    }
    out.append(units + from, n - from);
}

/// Appends the group of a plain rule line without the item of @p length units
/// at @p offset: what alternativesFor gives for it.
void appendPlainGroup(QString& out, QStringView line, qsizetype offset, qsizetype length)
{
    if (offset == 1 && length == line.size() - 2) {
        appendText(out, line); // a one-item rule keeps its item
    } else if (offset == 1) {
        out.append(u'{');
        appendText(out, line.sliced(offset + length + 1)); // drop "w|"
    } else {
        appendText(out, line.first(offset - 1)); // drop "|w"
        appendText(out, line.sliced(offset + length));
    }
}

} // namespace

/// Whether the Brown Corpus tag @p tag is of the part of speech @p name of a rule's "pos=".
bool tagOfPartOfSpeech(const QString& tag, const QString& name)
{
    static const QHash<QString, QStringList> tags{
        {QStringLiteral("noun"), {QStringLiteral("nn"), QStringLiteral("nns")}},
        {QStringLiteral("verb"),
         {QStringLiteral("vb"), QStringLiteral("vbz"), QStringLiteral("vbd"), QStringLiteral("vbn"),
          QStringLiteral("vbg")}},
        {QStringLiteral("past"), {QStringLiteral("vbd")}},
        {QStringLiteral("participle"), {QStringLiteral("vbn")}},
        {QStringLiteral("adj"),
         {QStringLiteral("jj"), QStringLiteral("jjr"), QStringLiteral("jjs"), QStringLiteral("jjt")}},
        {QStringLiteral("adv"),
         {QStringLiteral("rb"), QStringLiteral("rbr"), QStringLiteral("rbt"), QStringLiteral("ql")}},
    };
    return tags.value(name).contains(tag);
}

/// The conditions of one rule, ready to be tested.
struct CompiledConditions
{
    QStringList partsOfSpeech;
    QList<QStringList> notBefore;
    QList<QStringList> notAfter;
    QList<QStringList> notWith;
    QStringList keep;
    /// Per tag of the tagger: whether it is one of partsOfSpeech; filled when the tagger is loaded.
    mutable std::vector<bool> tags;
};

/// The length of the group when @p line is a usable rule without conditions
/// ("{" items "}", no empty item, no other brace); else -1. Reads the line once
/// and makes nothing, as most lines of a large rule file are such rules.
qsizetype plainGroupLength(QStringView line) noexcept
{
    const qsizetype n = line.size();
    if (n < 3 || line[0] != u'{' || line[n - 1] != u'}' || line[1] == u'|' || line[n - 2] == u'|')
        return -1;
    for (qsizetype i = 1; i < n - 1; ++i) {
        const QChar c = line[i];
        if (c == u'{' || c == u'}' || (c == u'|' && line[i + 1] == u'|'))
            return -1;
    }
    return n;
}

struct RuleIndex::Data
{
    RuleList rules;
    /// The items, and the item beginnings that stop just before a suffix
    /// character inside an item ("in" of "in addition"): a scan only goes on
    /// past a suffix character while the text so far can still grow into an
    /// item.
    ItemTable items;
    /// Some probed item starts with a suffix character (a space, for instance).
    bool itemStartsWithSuffix = false;
    LongItemMatcher longItems;
    std::vector<CompiledConditions> conditions;
    QList<RuleProblem> problems;

    /// The part-of-speech model, read the first time a rule needs it.
    QString taggerPath;
    mutable std::once_flag taggerLoaded;
    mutable std::unique_ptr<Tagger> tagger;
    mutable QString taggerError;

    void index();
    const Tagger& loadedTagger() const;
};

const Tagger& RuleIndex::Data::loadedTagger() const
{
    std::call_once(taggerLoaded, [this] {
        try {
            if (taggerPath.isEmpty())
                throw Error(QStringLiteral("Rules with a part of speech (pos=) need the part-of-speech model, "
                                           "and none was given."));
            tagger = std::make_unique<Tagger>(taggerPath);
            for (const CompiledConditions& c : conditions) {
                c.tags.assign(size_t(tagger->tagNames().size()), false);
                for (qsizetype t = 0; t < tagger->tagNames().size(); ++t)
                    for (const QString& name : c.partsOfSpeech)
                        c.tags[size_t(t)] = c.tags[size_t(t)] || tagOfPartOfSpeech(tagger->tagNames().at(t), name);
            }
        } catch (const Error& error) {
            taggerError = error.message();
        }
    });
    if (!tagger)
        throw Error(taggerError);
    return *tagger;
}

void RuleIndex::Data::index()
{
    std::vector<char16_t> piece;
    std::vector<quint64> pieceStops; // prefix hashes of the current piece
    std::vector<size_t> longRecords;
    quint64 ordinal = 0;
    items.reserve(size_t(rules.size()) * 4); // a rule has about three items, some of them phrases
    for (qsizetype r = 0; r < rules.size(); ++r) {
        const QString& text = rules.at(r);
        if (text.isEmpty() || text.front() != u'{')
            continue;
        qsizetype groupLength = plainGroupLength(text);
        qint32 condition = -1;
        if (groupLength < 0) {
            const RuleLine parsed = parseRuleLine(text);
            if (parsed.kind != RuleLine::Kind::Rule) {
                problems.append(RuleProblem{r + 1, parsed.problem});
                continue;
            }
            groupLength = parsed.group.size();
            if (!parsed.conditions.isEmpty()) {
                condition = qint32(conditions.size());
                conditions.push_back(CompiledConditions{parsed.conditions.partsOfSpeech,
                                                        parsed.conditions.notBefore,
                                                        parsed.conditions.notAfter,
                                                        parsed.conditions.notWith,
                                                        parsed.conditions.keep,
                                                        {}});
            }
        }
        const QStringView line = QStringView(text).first(groupLength);
        // The items: the group without its braces, split at "|".
        const char16_t* units = reinterpret_cast<const char16_t*>(line.utf16());
        const qsizetype n = line.size() - 1;
        const bool plain = isPlainRule(line);
        qsizetype pieceStart = 1; // where the current piece starts in a plain line
        bool matchable = true;
        bool startsWithSuffix = false;
        quint64 hash = HashSeed;
        piece.clear();
        pieceStops.clear();
        for (qsizetype k = 1; k <= n; ++k) {
            const char16_t c = k < n ? units[k] : u'|';
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
            const bool probed = piece.size() <= LongItemUnits;
            if (matchable) {
                const size_t record = items.addItem(hash, piece.data(), piece.size(), ordinal, r, line,
                                                    plain ? pieceStart : -1, probed, condition);
                if (!probed && record != 0)
                    longRecords.push_back(record);
            }
            if (matchable && probed) {
                for (quint64 stop : pieceStops)
                    items.addPrefix(stop);
                itemStartsWithSuffix = itemStartsWithSuffix || startsWithSuffix;
            }
            ++ordinal;
            piece.clear();
            pieceStops.clear();
            hash = HashSeed;
            matchable = true;
            startsWithSuffix = false;
            pieceStart = k + 1;
        }
    }
    // Records stay where they are once every item is in.
    for (const size_t record : longRecords)
        longItems.add(&items.record(record));
    longItems.build();
}

RuleIndex::RuleIndex() : m_data(std::make_unique<Data>()) {}

RuleIndex::RuleIndex(RuleList rules, QString taggerPath) : m_data(std::make_unique<Data>())
{
    m_data->rules = std::move(rules);
    m_data->taggerPath = std::move(taggerPath);
    m_data->index();
}

RuleIndex::~RuleIndex() = default;
RuleIndex::RuleIndex(RuleIndex&&) noexcept = default;
RuleIndex& RuleIndex::operator=(RuleIndex&&) noexcept = default;

const RuleList& RuleIndex::rules() const noexcept
{
    return m_data->rules;
}

const QList<RuleProblem>& RuleIndex::problems() const noexcept
{
    return m_data->problems;
}

namespace {

} // namespace

namespace {

constexpr size_t SlotsAhead = 8;
constexpr size_t ItemsAhead = 4;

/// Every occurrence of " " + item + suffix in @p text, compared lower-cased,
/// ordered by start. The text is lower-cased as it is read: a lower-cased copy
/// would double the memory a large article takes.
std::vector<Candidate> findCandidates(const ItemTable& items, bool itemStartsWithSuffix,
                                      const LongItemMatcher& longItems, const QString& text)
{
    const qsizetype n = text.size();
    const QChar* t = text.constData();
    const auto s = [t](qsizetype i) { return lowerUnit(t[i]).unicode(); };
    const qsizetype maxLength = qsizetype(std::min<size_t>(items.maxLength(), size_t(n)));
    std::vector<Candidate> candidates;

    // The word after each space is hashed a few spaces ahead of its lookup, so
    // that its table entries can be fetched meanwhile: the lookups, not the
    // scan, are what takes the time.
    struct Start
    {
        qsizetype space; ///< a space
        qsizetype stop;  ///< the first suffix character after it (beyond reach when none)
        quint64 hash;    ///< of the units between them
    };
    std::array<Start, 16> ahead;
    size_t queued = 0;
    size_t done = 0;
    qsizetype next = 0; // where the search for the next space goes on
    const auto queueNext = [&] {
        for (; next + 2 < n; ++next) {
            if (t[next] != u' ')
                continue;
            const qsizetype last = std::min(n - 1, next + 1 + maxLength);
            quint64 hash = HashSeed;
            qsizetype q = next + 1;
            for (; q <= last && suffixIndex(s(q)) < 0; ++q)
                hash = extendHash(hash, s(q));
            ahead[queued++ % ahead.size()] = Start{next++, q, hash};
            if (queued - done > SlotsAhead)
                items.prefetch(ahead[(queued - 1) % ahead.size()].hash);
            return true;
        }
        return false;
    };
    while (queued - done < SlotsAhead + 1 && queueNext()) {
    }
    while (done < queued) {
        const Start start = ahead[done++ % ahead.size()];
        queueNext();
        if (queued - done > ItemsAhead)
            items.prefetchItem(ahead[(done + ItemsAhead) % ahead.size()].hash);
        const qsizetype p = start.space;
        const qsizetype last = std::min(n - 1, p + 1 + maxLength);
        qsizetype q = start.stop;
        if (q > last || (q == p + 1 && !itemStartsWithSuffix))
            continue;
        quint64 hash = start.hash;
        for (; q <= last; ++q) {
            const char16_t c = s(q);
            const int suffix = suffixIndex(c);
            if (suffix >= 0 && q > p + 1) {
                const Lookup found = items.find(hash, t + p + 1, size_t(q - p - 1));
                if (found.item != nullptr)
                    candidates.push_back(Candidate{found.item->ordinal * 4 + quint64(suffix), p, q, found.item});
                if (!found.prefix)
                    break;
            }
            hash = extendHash(hash, c);
        }
    }

    if (!longItems.empty()) {
        std::vector<Candidate> found;
        longItems.find(t, n, found);
        const auto byStart = [](const Candidate& a, const Candidate& b) {
            return a.start != b.start ? a.start < b.start : a.end < b.end;
        };
        std::sort(found.begin(), found.end(), byStart);
        std::vector<Candidate> merged;
        merged.reserve(candidates.size() + found.size());
        std::merge(candidates.begin(), candidates.end(), found.begin(), found.end(), std::back_inserter(merged),
                   byStart);
        candidates = std::move(merged);
    }
    return candidates;
}

/// How the alternatives of a replaced word are written, after the word itself.
enum class Capitals { AsInTheRule, First, All };

/// A capitalised word that opens no sentence (none of ".", "!", "?" or a line
/// end before its space) is nearly always part of a name ("Mercy Hospital"):
/// it is left as it is. At a sentence start a capitalised word gets
/// capitalised alternatives, a word in capitals alternatives in capitals.
/// Empty for a word that is left.
std::optional<Capitals> capitalsOf(QStringView text, const Candidate& c)
{
    const QChar first = text[c.start + 1];
    if (!first.isUpper() && !first.isTitleCase())
        return Capitals::AsInTheRule;
    const QChar before = c.start > 0 ? text[c.start - 1] : QChar(u'\n');
    if (before != u'.' && before != u'!' && before != u'?' && before != u'\n' && before != u'\r')
        return std::nullopt;
    int letters = 0;
    for (const QChar unit : text.sliced(c.start + 1, c.end - c.start - 1)) {
        if (unit.isLower())
            return Capitals::First;
        letters += unit.isLetter() ? 1 : 0;
    }
    return letters > 1 ? Capitals::All : Capitals::First;
}

/// @p group written with the capitals of the word it replaces.
void applyCapitals(QString& group, Capitals capitals)
{
    if (capitals == Capitals::All) {
        group = group.toUpper();
        return;
    }
    // The first letter of every alternative: after a "{" or a "|".
    for (qsizetype i = 1; i < group.size(); ++i) {
        const QChar before = group[i - 1];
        if ((before == u'{' || before == u'|') && !group[i].isSurrogate())
            group[i] = group[i].toUpper();
    }
}

/// Which candidates are replaced: each cluster of overlapping occurrences is
/// settled in pass order, and an occurrence is replaced when none of its units
/// went to an earlier one.
std::vector<char> settleOverlaps(const std::vector<Candidate>& candidates)
{
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
    return taken;
}

} // namespace

namespace {

/// The tokens and, when asked, the tags of the line of the working text that
/// a candidate stands in. Candidates come left to right, so one line at a
/// time is kept, and only the sentences a rule asks about are tagged.
class Context
{
public:
    Context(const RuleIndex::Data& data, QStringView text) : m_data(data), m_text(text) {}

    /// Moves to the line holding @p position; the token that starts there, or -1.
    qsizetype tokenAt(qsizetype position)
    {
        if (position >= m_lineEnd) {
            const qsizetype from = m_text.sliced(0, position).lastIndexOf(u'\n') + 1;
            const qsizetype end = m_text.indexOf(u'\n', position);
            m_lineEnd = end < 0 ? m_text.size() : end;
            m_tokens = tokenize(m_text.sliced(from, m_lineEnd - from));
            for (Token& t : m_tokens)
                t.start += from;
            m_sentenceOf.assign(m_tokens.size(), 0);
            m_sentenceStarts.assign(1, 0);
            for (size_t i = 0; i < m_tokens.size(); ++i) {
                m_sentenceOf[i] = m_sentenceStarts.size() - 1;
                if (endsSentence(m_tokens[i]) && i + 1 < m_tokens.size())
                    m_sentenceStarts.push_back(i + 1);
            }
            m_sentenceStarts.push_back(m_tokens.size());
            m_tags.clear();
            m_tagged.assign(m_sentenceStarts.size(), false);
        }
        const auto found = std::lower_bound(m_tokens.begin(), m_tokens.end(), position,
                                            [](const Token& t, qsizetype p) { return t.start < p; });
        m_next = found - m_tokens.begin();
        return found != m_tokens.end() && found->start == position ? m_next : -1;
    }

    /// The first token at or after @p position, after tokenAt() of a position before it on the same line.
    qsizetype tokenFrom(qsizetype position) const
    {
        const auto found = std::lower_bound(m_tokens.begin() + m_next, m_tokens.end(), position,
                                            [](const Token& t, qsizetype p) { return t.start < p; });
        return found - m_tokens.begin();
    }

    /// Whether @p phrase stands in the tokens from @p first on.
    bool phraseAt(qsizetype first, const QStringList& phrase) const
    {
        if (first < 0 || first + phrase.size() > qsizetype(m_tokens.size()))
            return false;
        for (qsizetype k = 0; k < phrase.size(); ++k)
            if (m_tokens[size_t(first + k)].text.compare(QStringView(phrase.at(k)), Qt::CaseInsensitive) != 0)
                return false;
        return true;
    }

    /// Whether @p phrase stands in the sentence of token @p first, outside its tokens before @p after.
    bool phraseInSentence(qsizetype first, qsizetype after, const QStringList& phrase) const
    {
        const size_t sentence = m_sentenceOf[size_t(first)];
        const qsizetype from = qsizetype(m_sentenceStarts[sentence]);
        const qsizetype to = qsizetype(m_sentenceStarts[sentence + 1]) - phrase.size();
        for (qsizetype k = from; k <= to; ++k)
            if ((k + phrase.size() <= first || k >= after) && phraseAt(k, phrase))
                return true;
        return false;
    }

    /// The tag of token @p index, its sentence tagged when first asked.
    quint8 tagOf(qsizetype index)
    {
        const size_t sentence = m_sentenceOf[size_t(index)];
        if (!m_tagged[sentence]) {
            const Tagger& tagger = m_data.loadedTagger();
            const size_t from = m_sentenceStarts[sentence];
            const size_t to = m_sentenceStarts[sentence + 1];
            const std::vector<quint8> tags = tagger.tag(std::span<const Token>(m_tokens).subspan(from, to - from));
            m_tags.resize(m_tokens.size());
            std::copy(tags.begin(), tags.end(), m_tags.begin() + qsizetype(from));
            m_tagged[sentence] = true;
        }
        return m_tags[size_t(index)];
    }

private:
    const RuleIndex::Data& m_data;
    QStringView m_text;
    qsizetype m_lineEnd = -1;
    std::vector<Token> m_tokens;
    std::vector<size_t> m_sentenceOf;
    std::vector<size_t> m_sentenceStarts;
    std::vector<quint8> m_tags;
    std::vector<bool> m_tagged;
    qsizetype m_next = 0;
};

bool holds(const CompiledConditions& c, const Candidate& candidate, const ItemRecord& item, Context& context)
{
    const QStringView text(item.text(), qsizetype(item.length));
    for (const QString& kept : c.keep)
        if (text.compare(kept, Qt::CaseInsensitive) == 0)
            return false;
    if (c.notAfter.isEmpty() && c.notBefore.isEmpty() && c.notWith.isEmpty() && c.partsOfSpeech.isEmpty())
        return true; // no need to read the words around it
    const qsizetype first = context.tokenAt(candidate.start + 1);
    if (first < 0)
        return false; // the item does not start a word
    for (const QStringList& phrase : c.notAfter)
        if (context.phraseAt(first - phrase.size(), phrase))
            return false;
    if (!c.notBefore.isEmpty() || !c.notWith.isEmpty()) {
        const qsizetype after = context.tokenFrom(candidate.end);
        for (const QStringList& phrase : c.notBefore)
            if (context.phraseAt(after, phrase))
                return false;
        for (const QStringList& phrase : c.notWith)
            if (context.phraseInSentence(first, after, phrase))
                return false;
    }
    if (!c.partsOfSpeech.isEmpty()) {
        if (!c.tags[context.tagOf(first)])
            return false;
    }
    return true;
}

/// Gives each candidate the first of the rules holding its item whose
/// conditions hold where it stands; drops the candidates of none.
void applyConditions(const RuleIndex::Data& data, QStringView text, std::vector<Candidate>& candidates)
{
    Context context(data, text);
    const auto fails = [&](Candidate& c) {
        const ItemRecord* record = c.record;
        while (record->condition >= 0 && !holds(data.conditions[size_t(record->condition)], c, *record, context)) {
            if (record->next == 0)
                return true;
            record = &data.items.record(record->next);
        }
        c.priority = record->ordinal * 4 + c.priority % 4;
        c.record = record;
        return false;
    };
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(), fails), candidates.end());
}

} // namespace

QString RuleIndex::apply(const QString& workingText, qint64& count, QList<RewriteGroup>* groups,
                         const TextSpans& untouchable) const
{
    const Data& d = *m_data;
    if (d.items.empty() || workingText.size() < 3) {
        QString result;
        appendText(result, workingText);
        return result;
    }
    std::vector<Candidate> candidates = findCandidates(d.items, d.itemStartsWithSuffix, d.longItems, workingText);
    // Names and untouchable stretches are left as they are; the rest of the text may still match around them.
    const auto touchesUntouchable = [&untouchable](const Candidate& c) {
        // The first stretch that ends after the item's first unit; the space and suffix around the item may touch it.
        const auto after =
            std::upper_bound(untouchable.begin(), untouchable.end(), c.start + 1,
                             [](qsizetype at, const auto& span) { return at < span.first + span.second; });
        return after != untouchable.end() && after->first < c.end;
    };
    candidates.erase(
        std::remove_if(candidates.begin(), candidates.end(),
                       [&](const Candidate& c) { return !capitalsOf(workingText, c) || touchesUntouchable(c); }),
        candidates.end());
    if (!d.conditions.empty())
        applyConditions(d, workingText, candidates);
    const std::vector<char> taken = settleOverlaps(candidates);

    // Groups of rule lines that are not plain, made once per rewrite.
    std::unordered_map<size_t, QString> otherGroups;
    const auto appendGroup = [&](QString& out, const ItemRecord& item, Capitals capitals) {
        const qsizetype start = out.size();
        if (item.lineOffset >= 0) {
            appendPlainGroup(out, item.line, item.lineOffset, qsizetype(item.length));
        } else {
            auto [it, inserted] = otherGroups.try_emplace(item.id);
            if (inserted)
                appendText(it->second, alternativesFor(item.line.toString(),
                                                       QString::fromUtf16(item.text(), qsizetype(item.length))));
            out.append(it->second);
        }
        if (capitals != Capitals::AsInTheRule) {
            QString group = out.sliced(start);
            applyCapitals(group, capitals);
            out.truncate(start);
            out.append(group);
        }
    };

    // The working text with every replaced occurrence " " + item + suffix
    // turned into " " + group + suffix. A "%%" of the article or of a group
    // becomes one space; the spaces around a group never pair with a "%" next
    // to them ("30% big" stays "30% {large}").
    // The result's size is known before it is made: one allocation, however large the article.
    qsizetype size = workingText.size();
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (!taken[k])
            continue;
        const ItemRecord& item = *candidates[k].record;
        const qsizetype line = item.line.size();
        const bool wholeLine = item.lineOffset < 0 || line - 2 == qsizetype(item.length); // an upper bound, or exact
        const qsizetype groupSize = wholeLine ? line : line - qsizetype(item.length) - 1;
        size += groupSize - qsizetype(item.length);
    }
    if (size > MaxSpintaxUnits)
        throw Error(QStringLiteral("The rewrite was stopped: its groups would make a text of more than 512 MB "
                                   "(rules of a great many items make long groups)."));
    QString result;
    result.reserve(size + 16);
    qsizetype from = 0;
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (k + SlotsAhead < candidates.size())
            __builtin_prefetch(candidates[k + SlotsAhead].record);
        if (k + ItemsAhead < candidates.size())
            __builtin_prefetch(candidates[k + ItemsAhead].record->line.data());
        if (!taken[k])
            continue;
        const Candidate& c = candidates[k];
        appendText(result, QStringView(workingText).sliced(from, c.start - from));
        result.append(u' ');
        const qsizetype groupStart = result.size();
        appendGroup(result, *c.record, *capitalsOf(workingText, c));
        if (groups)
            groups->append(RewriteGroup{groupStart, result.size() - groupStart, c.start + 1, c.end - c.start - 1});
        result.append(QChar(Suffixes[c.priority % 4]));
        from = c.end + 1;
        ++count;
    }
    appendText(result, QStringView(workingText).sliced(from));
    return result;
}

} // namespace quorvale
