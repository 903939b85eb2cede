// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/PageNames.h"

namespace quorvale {

QString fileStem(const QString& path)
{
    const qsizetype lastSeparator = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    QString name = path.mid(lastSeparator + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QString titleFromPath(const QString& path)
{
    QString title = fileStem(path);
    title.replace(u'-', u' ').replace(u'_', u' ');
    return capitalizeWords(title);
}

QString pageFileNameFromPath(const QString& path)
{
    QString name = fileStem(path);
    name.replace(u'_', u'-').replace(u' ', u'-');
    return name + u".html";
}

QString capitalizeWords(const QString& text)
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
