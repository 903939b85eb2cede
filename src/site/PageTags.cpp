#include "site/PageTags.h"

#include "components/TextFile.h"
#include "components/TextOperations.h"
#include "site/ArticleText.h"
#include "site/PageNames.h"

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

QString fillOneTagAfterAnother(const QString& templateText, const PageTagValues& values)
{
    QString page = templateText;
    for (std::size_t k = 0; k < PageTagCount; ++k)
        page = replaceAll(page, pageTagNames()[k].toString(), values[k]);
    return page;
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
        u"#ARTICLES_HEADLINE#",
    };
    return tags;
}

PageArticle readPageArticle(const QString& path)
{
    const QString text = readTextFile(path);
    return {path, titleFromPath(path), pageFileNameFromPath(path), summaryOfText(text), bodyHtmlOfText(text)};
}

PageTagValues pageTagValues(const SiteInfo& info, const PageArticle& current,
                            const std::array<const PageArticle*, 4>& related, const QString& homeArticlePath)
{
    PageTagValues values = {info.siteName,  info.siteHeadline,  info.siteDescription,
                            info.adTitle,   info.adDescription, info.buttonText,
                            info.buttonUrl, info.videoId,       info.footerText};
    for (std::size_t n = 0; n < 4; ++n) {
        const PageArticle& article = *related[n];
        const bool isHome = !homeArticlePath.isEmpty() && article.path == homeArticlePath;
        values[9 + n] = article.summary;
        values[15 + n] = article.title;
        values[19 + n] = isHome ? QStringLiteral("index.html") : article.pageFileName;
    }
    values[13] = current.title;
    values[14] = current.bodyHtml;
    values[23] = info.readMoreText;
    values[24] = info.relatedArticlesText;
    return values;
}

QString fillPageTags(const QString& templateText, const PageTagValues& values)
{
    // A value holding "#" may form tags with the text around it; those pages
    // are filled one tag after the other.
    if (std::any_of(values.begin(), values.end(), [](const QString& value) { return value.contains(u'#'); }))
        return fillOneTagAfterAnother(templateText, values);

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
    for (std::size_t k = 0; k < PageTagCount; ++k) {
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
    return page;
}

} // namespace quorvale
