#include "site/ArticleText.h"

#include <map>
#include <vector>

namespace quorvale {

const std::array<EmphasisRow, 16>& emphasisTable()
{
    static constexpr std::array<EmphasisRow, 16> table = {{
        {u"is very important", u"<b>is very important</b>"},
        {u"is important", u"<b>is important</b>"},
        {u"never", u"<b>never</b>"},
        {u"extremely", u"<u>extremely</u>"},
        {u"highly", u"<u>highly</u>"},
        {u"to consider", u"<b>to consider</b>"},
        {u"you need the ability", u"<b>you need the ability</b>"},
        {u"you need to consider", u"<b>you need to consider</b>"},
        {u"you must", u"<b>you must</b>"},
        {u"Step one:", u"<b>Step one:</b>"},
        {u"Step two:", u"<b>Step two:</b>"},
        {u"Step three:", u"<b>Step three:</b>"},
        {u"freedom", u"<u>freedom</u>"},
        {u"nothing to do", u"<u>nothing to do</u>"},
        {u"not necessary", u"<u>not necessary</u>"},
        {u"i love", u"<u>i love</u>"},
    }};
    return table;
}

QString summaryOfText(const QString& text)
{
    const qsizetype dot = text.indexOf(u'.');
    return dot < 0 ? QString() : text.left(dot + 1);
}

QString bodyHtmlOfText(const QString& text)
{
    // Articles written here end their lines with a line feed alone, older
    // ones with CR LF and a few with a lone CR: each is one line break.
    QString html;
    html.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            html += c;
            continue;
        }
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        html += u"<br><br>\n";
    }
    return emphasize(html);
}

// Applied one after the other, each row would wrap the phrase occurrences
// that no earlier row took. No phrase holds "<" or ">" and no phrase is part
// of an earlier one, so an occurrence can never run into or lie inside
// earlier markup: the rows' occurrences in the original text, settled in row
// order and left to right, are exactly those.
QString emphasize(const QString& text)
{
    const auto& table = emphasisTable();
    // Every phrase starts with an ASCII letter: the rows to try, by that letter.
    static const auto rowsByFirstUnit = [&table] {
        std::array<std::vector<std::size_t>, 128> rows;
        for (std::size_t row = 0; row < table.size(); ++row)
            rows[table[row].phrase.front().unicode()].push_back(row);
        return rows;
    }();
    std::array<std::vector<qsizetype>, 16> starts;
    for (qsizetype p = 0, n = text.size(); p < n; ++p) {
        const char16_t c = text.at(p).unicode();
        if (c >= 128)
            continue;
        for (const std::size_t row : rowsByFirstUnit[c]) {
            if (QStringView(text).sliced(p).startsWith(table[row].phrase))
                starts[row].push_back(p);
        }
    }
    std::map<qsizetype, std::size_t> taken; // start of a wrapped occurrence -> its row
    const auto overlapsTaken = [&](qsizetype start, qsizetype end) {
        const auto next = taken.lower_bound(start);
        if (next != taken.end() && next->first < end)
            return true;
        if (next == taken.begin())
            return false;
        const auto previous = std::prev(next);
        return previous->first + table[previous->second].phrase.size() > start;
    };
    for (std::size_t row = 0; row < table.size(); ++row) {
        const qsizetype length = table[row].phrase.size();
        std::vector<qsizetype> accepted;
        qsizetype passEnd = 0;
        for (const qsizetype start : starts[row]) {
            if (start < passEnd || overlapsTaken(start, start + length))
                continue;
            accepted.push_back(start);
            passEnd = start + length;
        }
        for (const qsizetype start : accepted)
            taken.emplace(start, row);
    }
    if (taken.empty())
        return text;
    QString result;
    result.reserve(text.size() + qsizetype(taken.size()) * 8);
    qsizetype from = 0;
    for (const auto& [start, row] : taken) {
        result += QStringView(text).sliced(from, start - from);
        result += table[row].replacement;
        from = start + table[row].phrase.size();
    }
    result += QStringView(text).sliced(from);
    return result;
}

} // namespace quorvale
