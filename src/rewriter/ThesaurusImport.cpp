// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/ThesaurusImport.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "components/TextOperations.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <vector>

namespace quorvale {

namespace {

struct Meaning
{
    QString partOfSpeech; ///< "(noun)", "(verb)", ...
    QStringList items;    ///< cleaned synonyms, annotated entries left out
};

struct Entry
{
    QString word; ///< cleaned head word
    std::vector<Meaning> meanings;
};

bool isAnnotated(QStringView field)
{
    // "word (generic term)", "(related term)", "(similar term)", "(antonym)".
    return field.endsWith(u')') && field.contains(u'(');
}

/// True when @p test holds for every word of @p item (split at spaces).
template <typename Test> bool allWords(const QString& item, Test test)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= item.size(); ++i) {
        if (i < item.size() && item.at(i) != u' ')
            continue;
        if (i > start && !test(item.mid(start, i - start)))
            return false;
        start = i + 1;
    }
    return true;
}

/// The word lists of the options allow @p item.
bool isAllowed(const QString& item, const ThesaurusImportOptions& options)
{
    if (!options.commonWords.isEmpty() &&
        !allWords(item, [&options](const QString& word) { return options.commonWords.contains(word); }))
        return false;
    if (options.excluded.isEmpty())
        return true;
    return !options.excluded.contains(item) &&
           allWords(item, [&options](const QString& word) { return !options.excluded.contains(word); });
}

QString cleanItem(QStringView field)
{
    QString item = lowerUnits(field.trimmed().toString());
    if (item.contains(u'{') || item.contains(u'}') || item.contains(u'|'))
        return {};
    return item;
}

Error formatError(qsizetype lineNumber, const QString& what)
{
    return Error(QStringLiteral("Not a MyThes thesaurus: line ") + QString::number(lineNumber) + QStringLiteral(" ") +
                 what);
}

std::vector<Entry> parseEntries(const QString& datText)
{
    const QStringList lines = splitLines(datText);
    std::vector<Entry> entries;
    // The first line names the encoding; entries follow.
    qsizetype i = lines.isEmpty() ? 0 : 1;
    while (i < lines.size()) {
        const QString& header = lines.at(i);
        const qsizetype bar = header.lastIndexOf(u'|');
        bool ok = false;
        const qsizetype count = bar > 0 ? QStringView(header).sliced(bar + 1).toLongLong(&ok) : 0;
        if (!ok || count < 0)
            throw formatError(i + 1, QStringLiteral("should read \"word|number of meanings\"."));
        if (count > lines.size() - i - 1)
            throw formatError(i + 1, QStringLiteral("announces more meanings than the file holds."));
        Entry entry{cleanItem(QStringView(header).first(bar)), {}};
        for (qsizetype m = 0; m < count; ++m) {
            const QStringList fields = lines.at(i + 1 + m).split(u'|');
            Meaning meaning{fields.value(0), {}};
            for (qsizetype f = 1; f < fields.size(); ++f) {
                if (isAnnotated(fields.at(f)))
                    continue;
                const QString item = cleanItem(fields.at(f));
                if (!item.isEmpty())
                    meaning.items.append(item);
            }
            entry.meanings.push_back(std::move(meaning));
        }
        entries.push_back(std::move(entry));
        i += 1 + count;
    }
    return entries;
}

bool hasOnePartOfSpeech(const Entry& entry)
{
    return std::all_of(entry.meanings.begin(), entry.meanings.end(),
                       [&entry](const Meaning& m) { return m.partOfSpeech == entry.meanings.front().partOfSpeech; });
}

} // namespace

QStringList importThesaurus(const QString& datText, const ThesaurusImportOptions& options)
{
    const std::vector<Entry> entries = parseEntries(datText);
    QHash<QString, const Entry*> byWord;
    if (options.unambiguousOnly) {
        for (const Entry& entry : entries) {
            if (!byWord.contains(entry.word)) // the first entry of a word wins
                byWord.insert(entry.word, &entry);
        }
    }
    // A synonym keeps its place when its own first meaning is of the same kind and names the head word.
    const auto clearSynonym = [&byWord](const QString& synonym, const QString& head, const Meaning& meaning) {
        const Entry* own = byWord.value(synonym);
        return own != nullptr && !own->meanings.empty() && hasOnePartOfSpeech(*own) &&
               own->meanings.front().partOfSpeech == meaning.partOfSpeech && own->meanings.front().items.contains(head);
    };

    QStringList rules;
    QSet<QString> seenRules;
    QStringList items;
    for (const Entry& entry : entries) {
        if (entry.word.isEmpty() || !isAllowed(entry.word, options))
            continue;
        if (options.unambiguousOnly && !hasOnePartOfSpeech(entry))
            continue;
        const size_t used = options.firstMeaningOnly || options.unambiguousOnly
                                ? std::min<size_t>(entry.meanings.size(), 1)
                                : entry.meanings.size();
        for (size_t m = 0; m < used; ++m) {
            const Meaning& meaning = entry.meanings[m];
            items = {entry.word};
            for (const QString& item : meaning.items) {
                if (options.maxItems > 0 && items.size() >= options.maxItems)
                    break;
                if (items.contains(item) || !isAllowed(item, options))
                    continue;
                if (options.unambiguousOnly && !clearSynonym(item, entry.word, meaning))
                    continue;
                items.append(item);
            }
            if (items.size() < 2)
                continue;
            QStringList key = items;
            key.sort();
            const QString keyText = key.join(u'|');
            if (seenRules.contains(keyText))
                continue;
            seenRules.insert(keyText);
            rules.append(u'{' + items.join(u'|') + u'}');
        }
    }
    return rules;
}

QStringList importThesaurusFile(const QString& path, const ThesaurusImportOptions& options)
{
    const QByteArray bytes = readFileBytes(path);
    const qsizetype firstEnd = bytes.indexOf('\n');
    const QByteArray encoding = bytes.first(firstEnd < 0 ? bytes.size() : firstEnd).trimmed();
    QStringDecoder decoder(encoding.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        throw Error(QStringLiteral("Cannot read \"") + path + QStringLiteral("\": unknown encoding \"") +
                    QString::fromLatin1(encoding) + QStringLiteral("\"."));
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw Error(QStringLiteral("Cannot read \"") + path + QStringLiteral("\": it is not valid ") +
                    QString::fromLatin1(encoding) + QStringLiteral(" text."));
    try {
        return importThesaurus(text, options);
    } catch (const Error& error) {
        throw Error(QStringLiteral("\"") + path + QStringLiteral("\": ") + error.message());
    }
}

} // namespace quorvale
