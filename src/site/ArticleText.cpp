#include "site/ArticleText.h"

#include "components/Parser.h"
#include "components/TextFile.h"

namespace quorvale {

const std::array<EmphasisRow, 16>& EmphasisTable()
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

QString LoadArticleText(const QString& path, QString& articleLoaderText)
{
    articleLoaderText = LoadFileIntoTextBox(path);
    return articleLoaderText;
}

QString SummaryOfText(const QString& text)
{
    const qsizetype dot = text.indexOf(u'.');
    return dot < 0 ? QString() : text.left(dot + 1);
}

QString BodyHtmlOfText(const QString& text)
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
    return Emphasize(html);
}

QString ArticleSummary(const QString& path, QString& articleLoaderText)
{
    return SummaryOfText(LoadArticleText(path, articleLoaderText));
}

QString ArticleBodyHtml(const QString& path, QString& articleLoaderText)
{
    return BodyHtmlOfText(LoadArticleText(path, articleLoaderText));
}

QString Emphasize(QString text)
{
    for (const EmphasisRow& row : EmphasisTable())
        text = Replace(text, row.phrase.toString(), row.replacement.toString(), 0);
    return text;
}

} // namespace quorvale
