#include "rewriter/ThesaurusImport.h"

#include "components/Error.h"
#include "components/TextCase.h"
#include "components/TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

namespace quorvale {

namespace {

bool isAnnotated(QStringView field)
{
    // "(noun)"-style part of speech fields and "word (generic term)" entries.
    return field.endsWith(u')') && field.contains(u'(');
}

bool isCommon(const QString& item, const QSet<QString>& words)
{
    if (words.isEmpty())
        return true;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= item.size(); ++i) {
        if (i < item.size() && item.at(i) != u' ' && item.at(i) != u'-')
            continue;
        if (i > start && !words.contains(item.mid(start, i - start)))
            return false;
        start = i + 1;
    }
    return true;
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

} // namespace

QStringList importThesaurus(const QString& datText, const ThesaurusImportOptions& options)
{
    const QStringList lines = splitLines(datText);
    QStringList rules;
    QSet<QString> seenRules;
    QStringList items;
    // The first line names the encoding; entries follow.
    qsizetype i = lines.isEmpty() ? 0 : 1;
    while (i < lines.size()) {
        const QString& header = lines.at(i);
        const qsizetype bar = header.lastIndexOf(u'|');
        bool ok = false;
        const qsizetype meanings = bar > 0 ? QStringView(header).sliced(bar + 1).toLongLong(&ok) : 0;
        if (!ok || meanings < 0)
            throw formatError(i + 1, QStringLiteral("should read \"word|number of meanings\"."));
        if (i + meanings >= lines.size())
            throw formatError(i + 1, QStringLiteral("announces more meanings than the file holds."));
        const QString head = cleanItem(QStringView(header).first(bar));
        const bool headKept = !head.isEmpty() && isCommon(head, options.commonWords);
        const qsizetype used = options.firstMeaningOnly ? std::min<qsizetype>(meanings, 1) : meanings;
        for (qsizetype m = 0; m < used && headKept; ++m) {
            const QStringList fields = lines.at(i + 1 + m).split(u'|');
            items.clear();
            items.append(head);
            for (qsizetype f = 1; f < fields.size(); ++f) {
                if (options.maxItems > 0 && items.size() >= options.maxItems)
                    break;
                if (isAnnotated(fields.at(f)))
                    continue;
                const QString item = cleanItem(fields.at(f));
                if (item.isEmpty() || items.contains(item) || !isCommon(item, options.commonWords))
                    continue;
                items.append(item);
            }
            if (items.size() < 2)
                continue;
            QStringList key = items;
            key.sort();
            if (!seenRules.contains(key.join(u'|'))) {
                seenRules.insert(key.join(u'|'));
                rules.append(u'{' + items.join(u'|') + u'}');
            }
        }
        i += 1 + meanings;
    }
    return rules;
}

QStringList importThesaurusFile(const QString& path, const ThesaurusImportOptions& options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read \"") + path + QStringLiteral("\": ") + file.errorString());
    const QByteArray bytes = file.readAll();
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
