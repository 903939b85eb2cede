// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/ProtectedPhrases.h"

#include "components/TextFile.h"
#include "components/TextOperations.h"
#include "rewriter/Shingles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace quorvale {

namespace {

/// The end of @p phrase (normalized) when it stands in @p text from @p start, else -1.
qsizetype matchEnd(QStringView text, qsizetype start, QStringView phrase)
{
    qsizetype t = start;
    for (const QChar p : phrase) {
        if (t >= text.size())
            return -1;
        if (p == u' ') {
            if (!text[t].isSpace())
                return -1;
            while (t < text.size() && text[t].isSpace())
                ++t;
        } else if (lowerUnit(text[t]) != p) {
            return -1;
        } else {
            ++t;
        }
    }
    return t;
}

} // namespace

QString ProtectedPhrases::normalized(const QString& phrase)
{
    return lowerUnits(phrase.simplified());
}

ProtectedPhrases::ProtectedPhrases(const QStringList& lines)
{
    for (const QString& line : lines) {
        const QString phrase = normalized(line);
        if (phrase.startsWith(u'#') || m_phrases.contains(phrase))
            continue;
        const QList<QStringView> words = wordsOf(phrase);
        if (words.isEmpty())
            continue;
        m_byFirstWord[words.first().toString()].push_back(
            Entry{m_phrases.size(), qsizetype(words.first().data() - phrase.data())});
        m_phrases.append(phrase);
    }
}

TextSpans ProtectedPhrases::find(QStringView text) const
{
    TextSpans spans;
    if (m_phrases.isEmpty())
        return spans;
    for (const QStringView word : wordsOf(text)) {
        const auto found = m_byFirstWord.constFind(lowerUnits(word.toString()));
        if (found == m_byFirstWord.cend())
            continue;
        const qsizetype wordStart = word.data() - text.data();
        for (const Entry& entry : *found) {
            const QString& phrase = m_phrases.at(entry.phrase);
            const qsizetype start = wordStart - entry.firstWordAt;
            if (start < 0)
                continue;
            const qsizetype end = matchEnd(text, start, phrase);
            // Whole words: no letter or digit may go on before or after a phrase that starts or ends with one.
            if (end < 0 || (start > 0 && isWordCharacter(phrase.front()) && isWordCharacter(text[start - 1])) ||
                (end < text.size() && isWordCharacter(phrase.back()) && isWordCharacter(text[end])))
                continue;
            spans.emplace_back(start, end - start);
        }
    }
    // A phrase that starts with punctuation may start before one found earlier.
    std::sort(spans.begin(), spans.end());
    TextSpans joined;
    for (const auto& [start, length] : spans) {
        if (!joined.empty() && start <= joined.back().first + joined.back().second)
            joined.back().second = std::max(joined.back().second, start + length - joined.back().first);
        else
            joined.emplace_back(start, length);
    }
    return joined;
}

ProtectedPhrases loadProtectedPhrases(const QString& path)
{
    return ProtectedPhrases(readTextLines(path));
}

bool addProtectedPhrase(const QString& path, const QString& phrase)
{
    const QString line = phrase.simplified();
    if (wordsOf(line).isEmpty())
        return false;
    QString text;
    QString lineEnd = QStringLiteral("\n");
    if (QFileInfo(path).exists()) {
        text = readTextFile(path);
        if (ProtectedPhrases(splitLines(text)).contains(line))
            return false;
        lineEnd = text.contains(u"\r\n") ? QStringLiteral("\r\n") : lineEnd;
        if (!text.isEmpty() && !text.endsWith(u'\n') && !text.endsWith(u'\r'))
            text += lineEnd;
    } else {
        text = QStringLiteral("# Words and phrases that a rewrite never replaces, one a line. Letter case does not\n"
                              "# matter, and only whole words count. Lines that start with \"#\" are notes.\n");
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    saveTextFile(text + line + lineEnd, path);
    return true;
}

} // namespace quorvale
