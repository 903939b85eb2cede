// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/TextOperations.h"

namespace quorvale {

namespace {

// The haystack is searched in `searched` while pieces are copied from `text`;
// both have the same length, so positions carry over.
QString replaceIn(const QString& text, const QString& searched, const QString& find, const QString& replacement)
{
    qsizetype pos = searched.indexOf(find, 0, Qt::CaseSensitive);
    if (pos < 0)
        return text;
    QString result;
    result.reserve(text.size() + qMax<qsizetype>(0, replacement.size() - find.size()) * 4);
    qsizetype from = 0;
    while (pos >= 0) {
        result.append(QStringView(text).mid(from, pos - from));
        result.append(replacement);
        from = pos + find.size();
        pos = searched.indexOf(find, from, Qt::CaseSensitive);
    }
    result.append(QStringView(text).mid(from));
    return result;
}

} // namespace

QString lowerUnits(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    const QChar* in = text.constData();
    QChar* out = result.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        out[i] = lowerUnit(in[i]);
    return result;
}

QString replaceAll(const QString& text, const QString& find, const QString& replacement, CompareMode mode)
{
    if (find.isEmpty() || text.size() < find.size())
        return text;
    if (mode == CompareMode::IgnoreCase)
        return replaceIn(text, lowerUnits(text), lowerUnits(find), replacement);
    return replaceIn(text, text, find, replacement);
}

QStringList splitNonEmpty(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return text.isEmpty() ? QStringList() : QStringList{text};
    return text.split(separator, Qt::SkipEmptyParts, Qt::CaseSensitive);
}

} // namespace quorvale
