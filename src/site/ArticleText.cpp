// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/ArticleText.h"

#include <QRegularExpression>
#include <QSet>

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
    const auto lineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    qsizetype lastText = text.size() - 1; // the last character that is no line end
    while (lastText >= 0 && lineEnd(text.at(lastText)))
        --lastText;
    QString html;
    html.reserve(text.size() + text.size() / 8);
    bool lineHasText = false;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text.at(i);
        if (!lineEnd(c)) {
            html += c;
            lineHasText = lineHasText || (c != u' ' && c != u'\t');
            continue;
        }
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        html += lineHasText && i < lastText ? QStringView(u"<br><br>\n")
                                            : QStringView(u"<br class=\"blank\"><br class=\"blank\">\n");
        lineHasText = false;
    }
    return emphasize(html);
}

namespace {

bool isHtmlElement(QStringView name)
{
    static const QSet<QString> elements = [] {
        QSet<QString> set;
        for (const char16_t* element :
             {u"a",        u"abbr",     u"address",  u"area",     u"article",    u"aside",    u"audio",   u"b",
              u"base",     u"bdi",      u"bdo",      u"blockquote", u"body",     u"br",       u"button",  u"canvas",
              u"caption",  u"cite",     u"code",     u"col",      u"colgroup",   u"data",     u"datalist", u"dd",
              u"del",      u"details",  u"dfn",      u"dialog",   u"div",        u"dl",       u"dt",      u"em",
              u"embed",    u"fieldset", u"figcaption", u"figure", u"footer",     u"form",     u"h1",      u"h2",
              u"h3",       u"h4",       u"h5",       u"h6",       u"head",       u"header",   u"hgroup",  u"hr",
              u"html",     u"i",        u"iframe",   u"img",      u"input",      u"ins",      u"kbd",     u"label",
              u"legend",   u"li",       u"link",     u"main",     u"map",        u"mark",     u"menu",    u"meta",
              u"meter",    u"nav",      u"noscript", u"object",   u"ol",         u"optgroup", u"option",  u"output",
              u"p",        u"picture",  u"pre",      u"progress", u"q",          u"rp",       u"rt",      u"ruby",
              u"s",        u"samp",     u"script",   u"search",   u"section",    u"select",   u"slot",    u"small",
              u"source",   u"span",     u"strong",   u"style",    u"sub",        u"summary",  u"sup",     u"table",
              u"tbody",    u"td",       u"template", u"textarea", u"tfoot",      u"th",       u"thead",   u"time",
              u"title",    u"tr",       u"track",    u"u",        u"ul",         u"var",      u"video",   u"wbr"})
            set.insert(QString::fromUtf16(element));
        return set;
    }();
    return elements.contains(name.toString().toLower());
}

/// The length of the tag or comment that the "<" at @p at opens, when it is
/// well formed and ends on its line; 0 otherwise.
qsizetype markupLength(const QString& text, qsizetype at)
{
    // A start tag with its attributes, an end tag, or a comment. Nothing in it
    // may break the line: the body turns line ends into markup of its own.
    static const QRegularExpression markup(QStringLiteral(
        R"re(<(?:([A-Za-z][A-Za-z0-9]*)(?:[ \t]+[^\s"'>/=]+(?:[ \t]*=[ \t]*(?:"[^"\r\n]*"|'[^'\r\n]*'|[^\s"'=<>`]+))?)*)re"
        R"re([ \t]*/?>|/([A-Za-z][A-Za-z0-9]*)[ \t]*>|!--(?:(?!-->)[^\r\n])*-->))re"));
    const QRegularExpressionMatch match =
        markup.match(text, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    if (!match.hasMatch())
        return 0;
    const QStringView name = match.hasCaptured(1) ? match.capturedView(1) : match.capturedView(2);
    return name.isEmpty() || isHtmlElement(name) ? match.capturedLength() : 0;
}

/// Whether the "&" at @p at starts a character reference: "&name;", "&#123;" or "&#x7B;".
bool startsReference(const QString& text, qsizetype at)
{
    static const QRegularExpression reference(
        QStringLiteral("&(?:[A-Za-z][A-Za-z0-9]{1,31}|#[0-9]{1,7}|#[xX][0-9A-Fa-f]{1,6});"));
    return reference.match(text, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
        .hasMatch();
}

} // namespace

QString escapeStrayMarkup(const QString& text, StrayMarkup* found)
{
    StrayMarkup stray;
    QString html;
    qsizetype from = 0; // what is copied so far
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 == n || text.at(i + 1) != u'\n'))) {
            ++line;
            lineStart = i + 1;
            continue;
        }
        if (c == u'<') {
            if (const qsizetype length = markupLength(text, i); length > 0) {
                i += length - 1; // a tag holds no line end
                continue;
            }
        } else if (c != u'&' || startsReference(text, i)) {
            continue;
        }
        if (stray.count++ == 0) {
            stray.line = line;
            stray.column = int(i - lineStart + 1);
            qsizetype contextEnd = i + 1;
            while (contextEnd < n && contextEnd < i + 16 && text.at(contextEnd) != u'\r' && text.at(contextEnd) != u'\n')
                ++contextEnd;
            const qsizetype contextStart = std::max(lineStart, i - 15);
            stray.context = text.sliced(contextStart, contextEnd - contextStart).trimmed();
        }
        if (html.isNull())
            html.reserve(text.size() + 16);
        html += QStringView(text).sliced(from, i - from);
        html += c == u'<' ? u"&lt;" : u"&amp;";
        from = i + 1;
    }
    if (found)
        *found = stray;
    if (from == 0)
        return text;
    html += QStringView(text).sliced(from);
    return html;
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
