#include "site/PageNames.h"

#include "components/Parser.h"

namespace quorvale {

QString FileStem(const QString& path)
{
    const qsizetype lastSeparator = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    QString name = path.mid(lastSeparator + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QString TitleFromPath(QString path)
{
    QString title = FileStem(path);
    title = Replace(title, QStringLiteral("-"), QStringLiteral(" "), 0);
    title = Replace(title, QStringLiteral("_"), QStringLiteral(" "), 0);
    return CapitalizeWords(title);
}

QString PageFileNameFromPath(QString path)
{
    QString name = FileStem(path);
    name = Replace(name, QStringLiteral("_"), QStringLiteral("-"), 0);
    name = Replace(name, QStringLiteral(" "), QStringLiteral("-"), 0);
    return name + u".html";
}

QString CapitalizeWords(const QString& text)
{
    QString result;
    result.reserve(text.size());
    qsizetype wordStart = 0;
    for (qsizetype i = 0, n = text.size(); i < n;) {
        // One character at a time; a surrogate pair is one character.
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString character = text.mid(i, length);
        if (character == u" ")
            wordStart = i + 1;
        result += (i == wordStart) ? character.toUpper() : character.toLower();
        i += length;
    }
    return result;
}

} // namespace quorvale
