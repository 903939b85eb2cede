// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/ArticleText.h"
#include "site/SiteTypes.h"

#include <QList>
#include <QStringView>
#include <array>

namespace quorvale {

inline constexpr std::size_t PageTagCount = 35;

/// The first 25 tags are filled one after the other; the ones after them
/// together, in one pass (see fillPageTags).
inline constexpr std::size_t OneAfterAnotherTagCount = 25;

/// The tags a page template may hold, in the order they are substituted: the
/// 25 whose values go in as typed; six for search engines and link previews
/// whose values are escaped (#PAGE_TITLE#, #PAGE_DESCRIPTION#,
/// #SITE_NAME_TEXT#, #SITE_URL#, #PAGE_URL#, #ARTICLE_JSON_LD#); the site name
/// as typed, or "Home" without one, for the link to the index page
/// (#BRAND_NAME#); and the ad title, button address and video id escaped for
/// attributes (#AD_TITLE_TEXT#, #AD_BUTTON_URL#, #VIDEO_ID#).
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
    QString summaryHtml;  ///< the summary with its stray "<" and "&" escaped (escapeStrayMarkup)
    QString bodyHtml;     ///< bodyHtmlOfText of its text, its stray "<" and "&" escaped first
    StrayMarkup stray;    ///< what of its text was written as text rather than markup
};

/// The text of the article file at @p path. Throws Error naming the path
/// when the file cannot be read or does not look like text: it holds a NUL
/// character, or more than a quarter of its characters are control
/// characters other than line breaks and tabs.
QString readArticleText(const QString& path);

/// What the pages show of the article file at @p path whose text is @p text.
PageArticle pageArticle(const QString& path, const QString& text);

/// pageArticle() of the text readArticleText() reads. Throws Error as readArticleText.
PageArticle readPageArticle(const QString& path);

/// Throws Error naming @p videoId unless it is empty (no video) or a video id:
/// 6 to 20 of the letters A to Z and a to z, digits, "-" and "_".
void checkVideoId(const QString& videoId);

/// The tag values of the page of @p current listing @p related (@p indexPage:
/// index.html): the SiteInfo texts, the four related summaries, the current
/// title and body, the related titles and page links (pagePath of their page
/// file names; index.html for the one whose path is @p homeArticlePath: the
/// main article is shown there, a page of its own name would be a dead link),
/// the read-more and related-articles texts; the titles, made from file names,
/// are escaped for HTML text. Then, escaped for HTML text and attributes: the
/// current title; the page description (the site description on the index
/// page, the article's summary on its page, the site description for an
/// article without one; white space collapsed); the site name; the site and
/// page address (empty without one; info.siteUrl must be a
/// normalizedSiteAddress()); and the schema.org Article JSON-LD object of the
/// page, whose strings hold no "<", ">" or "&" so that it cannot end its
/// script element. Then the site name or "Home", and the ad title, button
/// address and video id escaped.
PageTagValues pageTagValues(const SiteInfo& info, const PageArticle& current,
                            const std::array<const PageArticle*, 4>& related, const QString& homeArticlePath,
                            bool indexPage);

/// The page @p templateText with its tags replaced by @p values: first what
/// replacing the first OneAfterAnotherTagCount tags one after the other in
/// pageTagNames() order gives (a value holding a later tag is expanded when
/// that tag's turn comes), then the later tags in one pass from left to
/// right, whose values are never searched for tags again. Every value goes in
/// literally. Never throws.
QString fillPageTags(const QString& templateText, const PageTagValues& values);

/// @p templateText with the sections of @p name resolved: what stands between
/// "<!--#IF_name#-->" and "<!--#END_name#-->" is kept, without the markers,
/// when @p keep, and left out otherwise. A marker alone on its line takes the
/// line with it. A template without markers comes back unchanged. Throws
/// Error on a marker without its partner or a section inside one of the same
/// name (sections of different names may nest).
QString resolveSection(const QString& templateText, QStringView name, bool keep);

/// The sections a page template may hold and whether @p info keeps them:
/// SITE_URL (the site has an address), SITE_NAME (a site name), AD (the
/// advertising spot has a title, a text, a button text or a video), AD_TITLE,
/// AD_TEXT (its title, its text), AD_LINK (a button text and an address other
/// than an empty one or a bare "http://"), AD_CALL (a button text without
/// such an address: shown as text, not as a link going nowhere).
QList<std::pair<QString, bool>> templateSections(const SiteInfo& info);

/// resolveSection() of each of @p sections in turn.
QString resolveSections(const QString& templateText, const QList<std::pair<QString, bool>>& sections);

} // namespace quorvale
