// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/PageTags.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "components/TextOperations.h"
#include "site/ArticleText.h"
#include "site/PageNames.h"
#include "site/SiteAddress.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace quorvale {

namespace {

/// Text between two "#" of a page, as pieces of the template and the values.
struct Gap
{
    std::vector<QStringView> pieces;
    qsizetype length = 0;

    void append(QStringView piece)
    {
        if (piece.isEmpty())
            return;
        pieces.push_back(piece);
        length += piece.size();
    }
    void append(const Gap& other)
    {
        pieces.insert(pieces.end(), other.pieces.begin(), other.pieces.end());
        length += other.length;
    }
    bool equals(QStringView text) const
    {
        if (length != text.size())
            return false;
        qsizetype at = 0;
        for (const QStringView piece : pieces) {
            if (piece != text.sliced(at, piece.size()))
                return false;
            at += piece.size();
        }
        return true;
    }
};

/// @p text as a JSON string. "<", ">" and "&" are escaped too: the object goes
/// into a script element, which "</script>" or "<!--" would end or derail.
QString jsonString(const QString& text)
{
    QString json = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            json += u'\\' + QString(c);
        else if (c.unicode() < 0x20 || c == u'<' || c == u'>' || c == u'&' || c == QChar(0x2028) || c == QChar(0x2029))
            json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            json += c;
    }
    return json + u'"';
}

/// The schema.org Article of a page; the image and address need a site address.
QString articleJsonLd(const QString& headline, const QString& description, const QString& siteAddress,
                      const QString& address)
{
    QString json = QStringLiteral("{\"@context\": \"https://schema.org\", \"@type\": \"Article\", \"headline\": ") +
                   jsonString(headline) + QStringLiteral(", \"description\": ") + jsonString(description);
    if (!siteAddress.isEmpty())
        json += QStringLiteral(", \"image\": ") + jsonString(siteAddress + QStringLiteral("assets/images/bg.jpg")) +
                QStringLiteral(", \"url\": ") + jsonString(address);
    return json + u'}';
}

/// Where a section marker at @p at (of @p length) begins and ends: its whole
/// line when nothing but blanks stands beside it, else the marker alone.
std::pair<qsizetype, qsizetype> markerSpan(const QString& text, qsizetype at, qsizetype length)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype start = at;
    while (start > 0 && blank(text.at(start - 1)))
        --start;
    qsizetype stop = at + length;
    while (stop < text.size() && (blank(text.at(stop)) || text.at(stop) == u'\r'))
        ++stop;
    const bool lineStart = start == 0 || text.at(start - 1) == u'\n';
    const bool lineEnd = stop == text.size() || text.at(stop) == u'\n';
    if (!lineStart || !lineEnd)
        return {at, at + length};
    return {start, stop < text.size() ? stop + 1 : stop};
}

QString fillOneTagAfterAnother(const QString& templateText, const PageTagValues& values)
{
    QString page = templateText;
    for (std::size_t k = 0; k < OneAfterAnotherTagCount; ++k)
        page = replaceAll(page, pageTagNames()[k].toString(), values[k]);
    return page;
}

/// @p page with the tags after the first OneAfterAnotherTagCount replaced, left
/// to right; a value, escaped for where it goes, is never searched again.
QString fillTogether(const QString& page, const PageTagValues& values)
{
    QString filled;
    filled.reserve(page.size());
    qsizetype from = 0;
    for (qsizetype hash = page.indexOf(u'#'); hash >= 0;) {
        const qsizetype next = page.indexOf(u'#', hash + 1);
        if (next < 0)
            break;
        const QStringView tag = QStringView(page).sliced(hash, next + 1 - hash);
        const auto& names = pageTagNames();
        const auto found = std::find(names.begin() + OneAfterAnotherTagCount, names.end(), tag);
        if (found == names.end()) {
            hash = next;
            continue;
        }
        filled += QStringView(page).sliced(from, hash - from);
        filled += values[std::size_t(found - names.begin())];
        from = next + 1;
        hash = page.indexOf(u'#', from);
    }
    return filled + QStringView(page).sliced(from);
}

/// Whether @p text can be an article: no NUL, and not mostly control characters.
QString notTextReason(const QString& text)
{
    qsizetype controls = 0;
    for (const QChar c : text) {
        if (c.isNull())
            return QStringLiteral("it holds NUL characters");
        if ((c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f' && c != u'\v') ||
            c.unicode() == 0x7F)
            ++controls;
    }
    if (controls * 4 > text.size())
        return QStringLiteral("more than a quarter of its characters are control characters");
    return {};
}

} // namespace

const std::array<QStringView, PageTagCount>& pageTagNames()
{
    static constexpr std::array<QStringView, PageTagCount> tags = {
        u"#SITENAME#",          u"#SITEHEADLINE#",     u"#SITEDESCRIPTION#",
        u"#ADTITLE#",           u"#ADDESCRIPTION#",    u"#ADCTA#",
        u"#ADCTA_URL#",         u"#ADTUBEID#",         u"#FOOTERTEXT#",
        u"#ARTICLESUMMARY_1#",  u"#ARTICLESUMMARY_2#", u"#ARTICLESUMMARY_3#",
        u"#ARTICLESUMMARY_4#",  u"#ARTICLE_TITLE#",    u"#ARTICLE_CONTENT#",
        u"#ARTICLETITLE_1#",    u"#ARTICLETITLE_2#",   u"#ARTICLETITLE_3#",
        u"#ARTICLETITLE_4#",    u"#ARTICLELINK_1#",    u"#ARTICLELINK_2#",
        u"#ARTICLELINK_3#",     u"#ARTICLELINK_4#",    u"#READMORE#",
        u"#ARTICLES_HEADLINE#", u"#PAGE_TITLE#",       u"#PAGE_DESCRIPTION#",
        u"#SITE_NAME_TEXT#",    u"#SITE_URL#",         u"#PAGE_URL#",
        u"#ARTICLE_JSON_LD#",   u"#BRAND_NAME#",       u"#AD_TITLE_TEXT#",
        u"#AD_BUTTON_URL#",     u"#VIDEO_ID#",
    };
    return tags;
}

QString readArticleText(const QString& path)
{
    const auto notText = [&path](const QString& reason) {
        return Error(QStringLiteral("The article \"") + path + QStringLiteral("\" does not look like text: ") + reason +
                     QStringLiteral(" (a picture, a program, or UTF-16 without its byte-order mark?)."));
    };
    QByteArray bytes = readFileBytes(path);
    // A NUL byte outside UTF-16 is found before a large file is decoded.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16 && bytes.contains('\0'))
        throw notText(QStringLiteral("it holds NUL characters"));
    const QString text = decodeText(bytes).text;
    bytes.clear();
    if (const QString reason = notTextReason(text); !reason.isEmpty())
        throw notText(reason);
    return text;
}

PageArticle pageArticle(const QString& path, const QString& text)
{
    PageArticle article{path, titleFromPath(path), pageFileNameFromPath(path), summaryOfText(text), {}, {}, {}};
    // The summary is cut from the text as written, so that a cut inside a tag shows as text.
    article.summaryHtml = escapeStrayMarkup(article.summary);
    article.bodyHtml = bodyHtmlOfText(escapeStrayMarkup(text, &article.stray));
    return article;
}

PageArticle readPageArticle(const QString& path)
{
    return pageArticle(path, readArticleText(path));
}

void checkVideoId(const QString& videoId)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-]{6,20}$"));
    if (!videoId.isEmpty() && !pattern.match(videoId).hasMatch())
        throw Error(QStringLiteral("The video id \"") + videoId +
                    QStringLiteral("\" is not a YouTube video id: 6 to 20 letters, digits, \"-\" or \"_\", the "
                                   "part after \"v=\" in the video's address."));
}

PageTagValues pageTagValues(const SiteInfo& info, const PageArticle& current,
                            const std::array<const PageArticle*, 4>& related, const QString& homeArticlePath,
                            bool indexPage)
{
    PageTagValues values = {info.siteName,  info.siteHeadline,  info.siteDescription,
                            info.adTitle,   info.adDescription, info.buttonText,
                            info.buttonUrl, info.videoId,       info.footerText};
    for (std::size_t n = 0; n < 4; ++n) {
        const PageArticle& article = *related[n];
        const bool isHome = !homeArticlePath.isEmpty() && article.path == homeArticlePath;
        values[9 + n] = article.summaryHtml;
        values[15 + n] = article.title.toHtmlEscaped();
        values[19 + n] = isHome ? QStringLiteral("index.html") : pagePath(article.pageFileName);
    }
    values[13] = current.title.toHtmlEscaped();
    values[14] = current.bodyHtml;
    values[23] = info.readMoreText;
    values[24] = info.relatedArticlesText;

    QString description = indexPage ? QString() : current.summary.simplified();
    if (description.isEmpty())
        description = info.siteDescription.simplified();
    const QString address = pageAddress(info.siteUrl, current.pageFileName, indexPage);
    values[25] = escapedForMarkup(current.title);
    values[26] = escapedForMarkup(description);
    values[27] = escapedForMarkup(info.siteName);
    values[28] = escapedForMarkup(info.siteUrl);
    values[29] = escapedForMarkup(address);
    values[30] = articleJsonLd(current.title, description, info.siteUrl, address);
    values[31] = info.siteName.trimmed().isEmpty() ? QStringLiteral("Home") : info.siteName;
    values[32] = escapedForMarkup(info.adTitle);
    values[33] = escapedForMarkup(info.buttonUrl);
    values[34] = escapedForMarkup(info.videoId);
    return values;
}

QString fillPageTags(const QString& templateText, const PageTagValues& values)
{
    // A value holding "#" may form tags with the text around it; those pages
    // are filled one tag after the other.
    if (std::any_of(values.begin(), values.begin() + OneAfterAnotherTagCount,
                    [](const QString& value) { return value.contains(u'#'); }))
        return fillTogether(fillOneTagAfterAnother(templateText, values), values);

    // Otherwise every "#" is one of the template's, and a tag is two
    // neighbouring "#" with its name in the gap between them, then or once
    // earlier tags are replaced. A pass over the gaps per tag does what a
    // pass over the whole page would, left to right without overlap.
    std::vector<Gap> gaps;
    for (qsizetype from = 0;;) {
        const qsizetype hash = templateText.indexOf(u'#', from);
        gaps.emplace_back();
        gaps.back().append(QStringView(templateText).sliced(from, (hash < 0 ? templateText.size() : hash) - from));
        if (hash < 0)
            break;
        from = hash + 1;
    }
    for (std::size_t k = 0; k < OneAfterAnotherTagCount; ++k) {
        const QStringView tag = pageTagNames()[k];
        const QStringView name = tag.sliced(1, tag.size() - 2);
        std::vector<Gap> next;
        next.reserve(gaps.size());
        next.push_back(std::move(gaps[0]));
        for (std::size_t i = 1; i < gaps.size(); ++i) {
            if (i + 1 < gaps.size() && gaps[i].equals(name)) {
                next.back().append(values[k]);
                next.back().append(gaps[i + 1]);
                ++i;
            } else {
                next.push_back(std::move(gaps[i]));
            }
        }
        gaps = std::move(next);
    }

    qsizetype length = qsizetype(gaps.size()) - 1;
    for (const Gap& gap : gaps)
        length += gap.length;
    QString page;
    page.reserve(length);
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        if (i > 0)
            page += u'#';
        for (const QStringView piece : gaps[i].pieces)
            page += piece;
    }
    return fillTogether(page, values);
}

QString resolveSection(const QString& templateText, QStringView name, bool keep)
{
    const QString begin = QStringLiteral("<!--#IF_") + name + QStringLiteral("#-->");
    const QString end = QStringLiteral("<!--#END_") + name + QStringLiteral("#-->");
    const auto problem = [&](const QString& what) {
        return Error(QStringLiteral("The template has ") + what + QStringLiteral("; a section runs from ") + begin +
                     QStringLiteral(" to ") + end + u'.');
    };
    QString page;
    for (qsizetype from = 0;;) {
        const qsizetype open = templateText.indexOf(begin, from);
        const qsizetype close = templateText.indexOf(end, from);
        if (open < 0 && close < 0)
            return from == 0 ? templateText : page + QStringView(templateText).sliced(from);
        if (open < 0 || (close >= 0 && close < open))
            throw problem(end + QStringLiteral(" without its beginning"));
        if (close < 0)
            throw problem(begin + QStringLiteral(" without its end"));
        const qsizetype next = templateText.indexOf(begin, open + 1);
        if (next >= 0 && next < close)
            throw problem(QStringLiteral("a section inside a section of the same name"));
        const auto [openStart, openStop] = markerSpan(templateText, open, begin.size());
        const auto [closeStart, closeStop] = markerSpan(templateText, close, end.size());
        page += QStringView(templateText).sliced(from, openStart - from);
        if (keep)
            page += QStringView(templateText).sliced(openStop, closeStart - openStop);
        from = closeStop;
    }
}

QList<std::pair<QString, bool>> templateSections(const SiteInfo& info)
{
    const auto given = [](const QString& text) { return !text.trimmed().isEmpty(); };
    const QString address = info.buttonUrl.trimmed();
    const bool link = given(info.buttonText) && !address.isEmpty() &&
                      address.compare(u"http://", Qt::CaseInsensitive) != 0 &&
                      address.compare(u"https://", Qt::CaseInsensitive) != 0;
    return {
        {QStringLiteral("SITE_URL"), given(info.siteUrl)},
        {QStringLiteral("SITE_NAME"), given(info.siteName)},
        {QStringLiteral("AD"), given(info.adTitle) || given(info.adDescription) || given(info.buttonText) ||
                                   !info.videoId.isEmpty()},
        {QStringLiteral("AD_TITLE"), given(info.adTitle)},
        {QStringLiteral("AD_TEXT"), given(info.adDescription)},
        {QStringLiteral("AD_LINK"), link},
        {QStringLiteral("AD_CALL"), given(info.buttonText) && !link},
    };
}

QString resolveSections(const QString& templateText, const QList<std::pair<QString, bool>>& sections)
{
    QString text = templateText;
    for (const auto& [name, keep] : sections)
        text = resolveSection(text, name, keep);
    return text;
}

} // namespace quorvale
