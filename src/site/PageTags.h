#pragma once

#include "site/SiteTypes.h"

#include <QStringView>
#include <array>

namespace quorvale {

inline constexpr std::size_t PageTagCount = 25;

/// The 25 tags a page template may hold, in the order they are substituted.
const std::array<QStringView, PageTagCount>& pageTagNames();

/// The value of each tag of pageTagNames(), in the same order.
using PageTagValues = std::array<QString, PageTagCount>;

/// What the pages show of one article, read once per build.
struct PageArticle
{
    QString path;
    QString title;        ///< titleFromPath
    QString pageFileName; ///< pageFileNameFromPath
    QString summary;      ///< summaryOfText of its text
    QString bodyHtml;     ///< bodyHtmlOfText of its text
};

/// Reads the article file at @p path and derives what the pages show of it.
/// Throws Error naming the path when the file cannot be read.
PageArticle readPageArticle(const QString& path);

/// The tag values of the page of @p current listing @p related: the SiteInfo
/// texts, the four related summaries, the current title and body, the related
/// titles and page file names (index.html for the one whose path is
/// @p homeArticlePath: the main article is shown there, a page of its own
/// name would be a dead link), then the read-more and related-articles texts.
PageTagValues pageTagValues(const SiteInfo& info, const PageArticle& current,
                            const std::array<const PageArticle*, 4>& related, const QString& homeArticlePath);

/// The page @p templateText with its tags replaced by @p values: what
/// replacing one tag after the other in pageTagNames() order gives. Every
/// value goes in literally and unescaped; a value holding a later tag is
/// expanded when that tag's turn comes. Never throws.
QString fillPageTags(const QString& templateText, const PageTagValues& values);

} // namespace quorvale
