#pragma once

#include "site/SiteTypes.h"

#include <QStringView>
#include <array>

namespace quorvale {

/// The 25 tags a page template may hold, in the order they are substituted.
const std::array<QStringView, 25>& PageTagNames();

/// Replaces the 25 tags in @p page, which already holds a copy of a template,
/// one tag after the other in PageTagNames order: the SiteInfo texts, the
/// summaries of the four related articles, the current article's title and
/// body, the related articles' titles and page file names (index.html for the
/// one that is paths.homeArticlePath), then the read-more
/// and related-articles texts. Every value goes in literally and unescaped; a
/// value holding a later tag is expanded when that tag's turn comes.
/// The article files are read through @p articleLoaderText (the four related
/// ones, then the current one). Throws Error when an article cannot be read;
/// @p page then holds the tags replaced so far.
void FillPageTags(QString& page, const SiteInfo& info, const PageArticlePaths& paths, QString& articleLoaderText);

/// Fills a copy of the index template for state.paths into state.indexPageText
/// and saves it as index.html in the site folder of @p installFolder and
/// @p variation (see SiteFolderPath); a symbolic link of that name is replaced,
/// never written through. Returns the path written. Throws Error
/// when an article cannot be read or the page cannot be saved; the page is then
/// not written and state.indexPageText holds what was filled so far.
QString WriteIndexPage(BuildWorkState& state, const SiteInfo& info, const QString& installFolder,
                       const QString& variation);

/// Like WriteIndexPage with the article template into state.articlePageText,
/// saved in the site folder under PageFileNameFromPath of the current article.
QString WriteArticlePage(BuildWorkState& state, const SiteInfo& info, const QString& installFolder,
                         const QString& variation);

} // namespace quorvale
