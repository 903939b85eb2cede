// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Tagger.h"

#include "components/Error.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>

namespace quorvale {

// --- Tokens -------------------------------------------------------------------

namespace {

bool isOpening(QChar c) noexcept
{
    return c == u'"' || c == u'\u201C' || c == u'\u2018' || c == u'(' || c == u'[' || c == u'{' || c == u'\'';
}

bool isClosing(QChar c) noexcept
{
    switch (c.unicode()) {
    case u'"':
    case u'\u201D':
    case u'\u2019':
    case u')':
    case u']':
    case u'}':
    case u',':
    case u';':
    case u':':
    case u'!':
    case u'?':
    case u'.':
    case u'\'':
        return true;
    default:
        return false;
    }
}

bool isDash(QChar c) noexcept
{
    return c == u'\u2014' || c == u'\u2013';
}

/// Words whose full stop belongs to them, besides single letters and words
/// with an inner full stop ("U.S.", "e.g.").
bool isAbbreviation(QStringView word)
{
    static const char16_t* const known[] = {u"mr",   u"mrs", u"ms",  u"dr",   u"st",  u"jr",   u"sr",     u"co",
                                            u"corp", u"inc", u"ltd", u"etc",  u"fig", u"figs", u"vs",     u"vol",
                                            u"jan",  u"feb", u"aug", u"sept", u"sep", u"oct",  u"nov",    u"dec",
                                            u"gen",  u"gov", u"sen", u"rep",  u"rev", u"prof", u"capt",   u"col",
                                            u"lt",   u"sgt", u"mt",  u"ft",   u"ave", u"dept", u"approx", u"pp"};
    if (word.size() == 1 && word[0].isLetter())
        return true;
    if (word.contains(u'.'))
        return true;
    return std::any_of(std::begin(known), std::end(known),
                       [word](const char16_t* k) { return word.compare(QStringView(k), Qt::CaseInsensitive) == 0; });
}

QStringView tokenText(QStringView unit, bool opening)
{
    const QChar c = unit.size() == 1 ? unit[0] : QChar();
    if (c == u'"')
        return opening ? QStringView(u"``") : QStringView(u"''");
    if (c == u'\u201C')
        return u"``";
    if (c == u'\u201D')
        return u"''";
    if (c == u'\u2018')
        return u"`";
    if (c == u'\u2019')
        return u"'";
    if (isDash(c))
        return u"--";
    return unit;
}

/// Appends the tokens of one piece of text between white space.
void tokenizeChunk(QStringView text, qsizetype a, qsizetype b, std::vector<Token>& out)
{
    while (a < b && isOpening(text[a]) && b - a > 1) {
        out.push_back(Token{a, 1, tokenText(text.sliced(a, 1), true)});
        ++a;
    }
    // Closing marks come off the end; they are appended after the word, in text order.
    qsizetype end = b;
    while (end > a && isClosing(text[end - 1])) {
        const QChar c = text[end - 1];
        const QStringView rest = text.sliced(a, end - 1 - a);
        if (c == u'.' && !rest.isEmpty() && rest.back().isLetterOrNumber() && isAbbreviation(rest))
            break;
        if ((c == u'\'' || c == u'\u2019') && end - 1 > a && (text[end - 2] == u's' || text[end - 2] == u'S'))
            break; // "workers'": a possessive
        --end;
    }
    // Dashes inside a word separate it: "word--word", "word—word".
    qsizetype start = a;
    for (qsizetype i = a; i < end; ++i) {
        const bool dash = isDash(text[i]);
        const bool doubleHyphen = text[i] == u'-' && i + 1 < end && text[i + 1] == u'-';
        if (!dash && !doubleHyphen)
            continue;
        if (i > start)
            out.push_back(Token{start, i - start, tokenText(text.sliced(start, i - start), false)});
        qsizetype j = i + 1;
        while (j < end && (text[j] == u'-' || isDash(text[j])))
            ++j;
        out.push_back(Token{i, j - i, u"--"});
        start = j;
        i = j - 1;
    }
    if (start < end)
        out.push_back(Token{start, end - start, tokenText(text.sliced(start, end - start), false)});
    for (qsizetype i = end; i < b; ++i)
        out.push_back(Token{i, 1, tokenText(text.sliced(i, 1), false)});
}

} // namespace

std::vector<Token> tokenize(QStringView text)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        qsizetype j = i;
        while (j < n && !text[j].isSpace())
            ++j;
        if (j > i)
            tokenizeChunk(text, i, j, tokens);
        i = j;
    }
    return tokens;
}

bool endsSentence(const Token& token) noexcept
{
    return token.text.size() == 1 && (token.text[0] == u'.' || token.text[0] == u'!' || token.text[0] == u'?');
}

// --- The model ----------------------------------------------------------------

namespace {

// Feature templates, numbered as the training script numbers them.
enum Template : quint64 {
    Bias,
    Word,
    Suffix3,
    Prefix1,
    Tag1,
    Tags21,
    Tag1Word,
    PreviousWord,
    PreviousSuffix3,
    SecondPreviousWord,
    NextWord,
    NextSuffix3,
    SecondNextWord,
    Shape,
    Suffix2,
};

constexpr quint64 FnvOffset = 0xcbf29ce484222325ULL;
constexpr quint64 FnvPrime = 0x100000001b3ULL;

quint64 textHash(QStringView text) noexcept
{
    quint64 h = FnvOffset;
    for (const QChar c : text) {
        h ^= c.unicode();
        h *= FnvPrime;
    }
    return h;
}

inline quint64 featureHash(quint64 templ, quint64 text) noexcept
{
    quint64 h = (templ + 1) * 0x9E3779B97F4A7C15ULL;
    h = (h ^ text) * FnvPrime;
    return h ^ (h >> 32);
}

inline quint64 featureHash(quint64 templ, quint64 first, quint64 second) noexcept
{
    quint64 h = featureHash(templ, first);
    h = (h ^ second) * FnvPrime;
    return h ^ (h >> 32);
}

/// A unit of a word as the features see it: lower case, a typographic apostrophe as "'".
inline char16_t featureUnit(QChar c) noexcept
{
    return c == u'\u2019' ? u'\'' : c.toLower().unicode();
}

/// The hashes of a word's form as the features see it (lower case; a number
/// as "!num") and of its last three, its last two and its first unit.
struct WordHashes
{
    quint64 word, suffix3, suffix2, prefix1;
};

quint64 unitsHash(QStringView word, qsizetype from, qsizetype to) noexcept
{
    quint64 h = FnvOffset;
    for (qsizetype i = std::max<qsizetype>(0, from); i < to; ++i) {
        h ^= featureUnit(word[i]);
        h *= FnvPrime;
    }
    return h;
}

WordHashes wordHashes(QStringView word) noexcept
{
    bool digit = false;
    bool numeric = true;
    for (const QChar c : word) {
        digit = digit || c.isDigit();
        numeric = numeric && (c.isDigit() || c == u'.' || c == u',' || c == u':' || c == u'/' || c == u'-');
    }
    if (digit && numeric)
        word = u"!num";
    const qsizetype n = word.size();
    return WordHashes{unitsHash(word, 0, n), unitsHash(word, n - 3, n), unitsHash(word, n - 2, n),
                      unitsHash(word, 0, std::min<qsizetype>(1, n))};
}

/// The hash of the word's shape: capitalised, all capitals, hyphen, digit, first in its sentence.
quint64 shapeHash(QStringView word, bool first) noexcept
{
    char16_t shape[5];
    int n = 0;
    if (!word.isEmpty() && word[0].isUpper())
        shape[n++] = u'X';
    int letters = 0;
    bool allUpper = true;
    bool hyphen = false;
    bool digit = false;
    for (const QChar c : word) {
        if (c.isLetter()) {
            ++letters;
            allUpper = allUpper && c.isUpper();
        }
        hyphen = hyphen || c == u'-';
        digit = digit || c.isDigit();
    }
    if (letters > 1 && allUpper)
        shape[n++] = u'A';
    if (hyphen)
        shape[n++] = u'h';
    if (digit)
        shape[n++] = u'd';
    if (first)
        shape[n++] = u's';
    return textHash(QStringView(shape, n));
}

struct FeatureSlot
{
    quint64 key = 0;
    quint32 offset = 0;
    quint16 count = 0; ///< 0: empty
};

struct Weight
{
    quint8 tag;
    qint16 value;
};

class Reader
{
public:
    Reader(const QByteArray& bytes, const QString& path) : m_bytes(bytes), m_path(path) {}

    template <typename T> T take()
    {
        if (m_at + qsizetype(sizeof(T)) > m_bytes.size())
            bad();
        T value;
        std::memcpy(&value, m_bytes.constData() + m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }

    QByteArray bytes(qsizetype n)
    {
        if (m_at + n > m_bytes.size())
            bad();
        const QByteArray out = m_bytes.mid(m_at, n);
        m_at += n;
        return out;
    }

    [[noreturn]] void bad() const
    {
        throw Error(QStringLiteral("The part-of-speech model \"") + m_path +
                    QStringLiteral("\" is damaged or not a model of this version of Quorvale."));
    }

    bool atEnd() const noexcept { return m_at == m_bytes.size(); }

private:
    const QByteArray& m_bytes;
    const QString& m_path;
    qsizetype m_at = 0;
};

size_t tableSize(size_t entries)
{
    size_t size = 64;
    while (size < entries * 2)
        size *= 2;
    return size;
}

} // namespace

struct Tagger::Data
{
    QStringList tags;
    std::vector<quint64> tagHashes; ///< textHash of each tag name
    quint8 fallback = 0;
    std::vector<std::pair<quint64, qint16>> dictionary; ///< word hash, tag + 1 (0: empty)
    std::vector<FeatureSlot> features;
    std::vector<Weight> weights;

    int dictionaryTag(quint64 word) const noexcept
    {
        const size_t mask = dictionary.size() - 1;
        for (size_t i = word & mask; dictionary[i].second != 0; i = (i + 1) & mask)
            if (dictionary[i].first == word)
                return dictionary[i].second - 1;
        return -1;
    }

    const FeatureSlot* slotOf(quint64 key) const noexcept
    {
        return &features[(key ^ (key >> 29)) & (features.size() - 1)];
    }

    const FeatureSlot* feature(quint64 key) const noexcept
    {
        const size_t mask = features.size() - 1;
        for (size_t i = (key ^ (key >> 29)) & mask; features[i].count != 0; i = (i + 1) & mask)
            if (features[i].key == key)
                return &features[i];
        return nullptr;
    }
};

Tagger::Tagger(const QString& path) : m_data(std::make_unique<Data>())
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("The part-of-speech model \"") + path + QStringLiteral("\" cannot be read: ") +
                    file.errorString());
    const QByteArray bytes = file.readAll();
    Reader in(bytes, path);
    if (in.bytes(8) != "QVTAGGER" || in.take<quint32>() != 1)
        in.bad();
    Data& d = *m_data;
    const quint32 tagCount = in.take<quint32>();
    if (tagCount == 0 || tagCount > 255)
        in.bad();
    for (quint32 t = 0; t < tagCount; ++t) {
        const QString name = QString::fromLatin1(in.bytes(in.take<quint8>()));
        d.tags.append(name);
        d.tagHashes.push_back(textHash(name));
    }
    const quint32 fallback = in.take<quint32>();
    if (fallback >= tagCount)
        in.bad();
    d.fallback = quint8(fallback);

    const quint32 words = in.take<quint32>();
    d.dictionary.assign(tableSize(words), {0, 0});
    for (quint32 k = 0; k < words; ++k) {
        const quint64 hash = in.take<quint64>();
        const quint8 tag = in.take<quint8>();
        if (tag >= tagCount)
            in.bad();
        const size_t mask = d.dictionary.size() - 1;
        size_t i = hash & mask;
        while (d.dictionary[i].second != 0)
            i = (i + 1) & mask;
        d.dictionary[i] = {hash, qint16(tag + 1)};
    }

    const quint32 featureCount = in.take<quint32>();
    const quint32 weightCount = in.take<quint32>();
    d.features.assign(tableSize(featureCount), FeatureSlot{});
    quint64 offset = 0;
    for (quint32 k = 0; k < featureCount; ++k) {
        const quint64 key = in.take<quint64>();
        const quint16 count = in.take<quint16>();
        if (count == 0 || offset + count > weightCount)
            in.bad();
        const size_t mask = d.features.size() - 1;
        size_t i = (key ^ (key >> 29)) & mask;
        while (d.features[i].count != 0)
            i = (i + 1) & mask;
        d.features[i] = FeatureSlot{key, quint32(offset), count};
        offset += count;
    }
    if (offset != weightCount)
        in.bad();
    d.weights.resize(weightCount);
    for (Weight& w : d.weights) {
        w.tag = in.take<quint8>();
        w.value = in.take<qint16>();
        if (w.tag >= tagCount)
            in.bad();
    }
    if (!in.atEnd())
        in.bad();
}

Tagger::~Tagger() = default;
Tagger::Tagger(Tagger&&) noexcept = default;
Tagger& Tagger::operator=(Tagger&&) noexcept = default;

const QStringList& Tagger::tagNames() const noexcept
{
    return m_data->tags;
}

std::vector<quint8> Tagger::tag(std::span<const Token> sentence) const
{
    const Data& d = *m_data;
    const size_t n = sentence.size();
    // Per word, padded with two markers at each end: the hashes of its form and of its affixes.
    static const quint64 start = textHash(u"-START-");
    static const WordHashes before{start, textHash(u"RT-"), textHash(u"T-"), textHash(u"-")};
    static const WordHashes after{textHash(u"-END-"), textHash(u"ND-"), textHash(u"D-"), textHash(u"-")};
    std::vector<WordHashes> h(n + 4);
    h[0] = h[1] = before;
    h[n + 2] = h[n + 3] = after;
    for (size_t i = 0; i < n; ++i)
        h[i + 2] = wordHashes(sentence[i].text);
    static const quint64 empty = textHash(u"");
    std::vector<quint8> tags(n);
    std::array<qint32, 256> scores;
    std::array<quint64, 15> keys;
    for (size_t i = 0; i < n; ++i) {
        const WordHashes& w = h[i + 2];
        if (const int fixed = d.dictionaryTag(w.word); fixed >= 0) {
            tags[i] = quint8(fixed);
            continue;
        }
        const quint64 t1 = i >= 1 ? d.tagHashes[tags[i - 1]] : start;
        const quint64 t2 = i >= 2 ? d.tagHashes[tags[i - 2]] : start;
        keys = {featureHash(Bias, empty),
                featureHash(Word, w.word),
                featureHash(Suffix3, w.suffix3),
                featureHash(Suffix2, w.suffix2),
                featureHash(Prefix1, w.prefix1),
                featureHash(Tag1, t1),
                featureHash(Tags21, t2, t1),
                featureHash(Tag1Word, t1, w.word),
                featureHash(PreviousWord, h[i + 1].word),
                featureHash(PreviousSuffix3, h[i + 1].suffix3),
                featureHash(SecondPreviousWord, h[i].word),
                featureHash(NextWord, h[i + 3].word),
                featureHash(NextSuffix3, h[i + 3].suffix3),
                featureHash(SecondNextWord, h[i + 4].word),
                featureHash(Shape, shapeHash(sentence[i].text, i == 0))};
        for (const quint64 key : keys) // the lookups miss the cache: ask for all slots at once
            __builtin_prefetch(d.slotOf(key));
        std::fill_n(scores.begin(), d.tags.size(), 0);
        bool seen = false;
        for (const quint64 key : keys) {
            const FeatureSlot* f = d.feature(key);
            if (f == nullptr)
                continue;
            seen = true;
            for (const Weight *x = d.weights.data() + f->offset, *e = x + f->count; x != e; ++x)
                scores[x->tag] += x->value;
        }
        if (!seen) {
            tags[i] = d.fallback;
            continue;
        }
        tags[i] = quint8(std::max_element(scores.begin(), scores.begin() + d.tags.size()) - scores.begin());
    }
    return tags;
}

} // namespace quorvale
