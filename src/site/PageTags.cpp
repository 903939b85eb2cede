#include "site/PageTags.h"

#include "components/Error.h"
#include "components/Parser.h"
#include "components/TextFile.h"
#include "site/ArticleText.h"
#include "site/PageNames.h"
#include "site/SitePaths.h"

#include <QFile>
#include <QFileInfo>

namespace quorvale {

namespace {

void replaceTag(QString& page, QStringView tag, const QString& value)
{
    page = Replace(page, tag.toString(), value, 0);
}

/// Saves a filled page. A symbolic link standing at its name (one that came
/// with the template folder, say) is removed first: the page becomes a file of
/// its own instead of overwriting whatever the link points at.
void savePage(const QString& text, const QString& path)
{
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        throw Error(QStringLiteral("Cannot replace the symbolic link \"") + path + QStringLiteral("\" with the page."));
    SaveTextBoxToFile(text, path);
}

} // namespace

const std::array<QStringView, 25>& PageTagNames()
{
    static constexpr std::array<QStringView, 25> tags = {
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

void FillPageTags(QString& page, const SiteInfo& info, const PageArticlePaths& paths, QString& articleLoaderText)
{
    const auto& tags = PageTagNames();
    const auto& related = paths.relatedArticlePaths;

    const std::array<const QString*, 9> siteTexts = {
        &info.siteName,   &info.siteHeadline, &info.siteDescription, &info.adTitle,    &info.adDescription,
        &info.buttonText, &info.buttonUrl,    &info.videoId,         &info.footerText,
    };
    std::size_t step = 0;
    for (const QString* text : siteTexts)
        replaceTag(page, tags[step++], *text);

    std::array<QString, 4> summaries;
    for (std::size_t n = 0; n < 4; ++n)
        summaries[n] = ArticleSummary(related[n], articleLoaderText);
    for (const QString& summary : summaries)
        replaceTag(page, tags[step++], summary);

    const QString title = TitleFromPath(paths.currentArticlePath);
    const QString body = ArticleBodyHtml(paths.currentArticlePath, articleLoaderText);
    replaceTag(page, tags[step++], title);
    replaceTag(page, tags[step++], body);

    std::array<QString, 4> titles;
    std::array<QString, 4> links;
    for (std::size_t n = 0; n < 4; ++n) {
        titles[n] = TitleFromPath(related[n]);
        // The main article is written only into index.html; a page file of its
        // own name would be a dead link.
        const bool isHomeArticle = !paths.homeArticlePath.isEmpty() && related[n] == paths.homeArticlePath;
        links[n] = isHomeArticle ? QStringLiteral("index.html") : PageFileNameFromPath(related[n]);
    }
    for (const QString& relatedTitle : titles)
        replaceTag(page, tags[step++], relatedTitle);
    for (const QString& link : links)
        replaceTag(page, tags[step++], link);

    replaceTag(page, tags[step++], info.readMoreText);
    replaceTag(page, tags[step++], info.relatedArticlesText);
}

QString WriteIndexPage(BuildWorkState& state, const SiteInfo& info, const QString& installFolder,
                       const QString& variation)
{
    state.indexPageText = state.templates.indexTemplate;
    FillPageTags(state.indexPageText, info, state.paths, state.articleLoaderText);
    const QString path = SiteFolderPath(installFolder, variation) + u"/index.html";
    savePage(state.indexPageText, path);
    return path;
}

QString WriteArticlePage(BuildWorkState& state, const SiteInfo& info, const QString& installFolder,
                         const QString& variation)
{
    state.articlePageText = state.templates.articleTemplate;
    FillPageTags(state.articlePageText, info, state.paths, state.articleLoaderText);
    const QString path =
        SiteFolderPath(installFolder, variation) + u'/' + PageFileNameFromPath(state.paths.currentArticlePath);
    savePage(state.articlePageText, path);
    return path;
}

} // namespace quorvale
