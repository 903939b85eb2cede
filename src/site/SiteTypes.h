#pragma once

#include <QString>
#include <array>

namespace quorvale {

/// The site-wide texts typed on the main window, inserted into pages as typed.
struct SiteInfo
{
    QString siteName;
    QString siteHeadline;
    QString siteDescription;
    QString adTitle = QStringLiteral("Learn How to YXZ.");
    QString adDescription = QStringLiteral("Learn How to XYZ with just some clicks.");
    QString buttonText = QStringLiteral("Learn More");
    QString buttonUrl = QStringLiteral("http://");
    QString videoId; ///< empty: no video, the "_novideo" templates are used
    QString footerText;
    QString readMoreText = QStringLiteral("Read More");
    QString relatedArticlesText = QStringLiteral("Related Articles");
};

/// The two page templates of a template folder.
struct TemplateSet
{
    QString indexTemplate;
    QString articleTemplate;
};

/// The article a page is written for and the four it lists as related.
struct PageArticlePaths
{
    QString currentArticlePath;
    std::array<QString, 4> relatedArticlePaths;
    /// The main article, which has no page of its own: it is shown on
    /// index.html, so a related article with this path links there.
    /// Empty: every related article links to its own page.
    QString homeArticlePath;
};

/// The five article slots: 0 is the main article, 1 to 4 articles #1 to #4.
/// An empty path is an empty slot.
using SlotPaths = std::array<QString, 5>;

/// The texts a build (or the page writers on their own) leave behind for the
/// window that ran it: the loaded templates, the last index and article page
/// filled, the article text read last and the page article paths of the last
/// page.
struct BuildWorkState
{
    TemplateSet templates;
    QString indexPageText;
    QString articlePageText;
    QString articleLoaderText;
    PageArticlePaths paths;
};

} // namespace quorvale
