// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace quorvale {

/// The site-wide texts typed on the main window. The original tags insert
/// them as typed; the search tags (see pageTagNames) escape them.
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
    /// The site's public address ("https://example.org/"); empty: none, the
    /// build writes no sitemap, canonical links or absolute preview image.
    QString siteUrl;

    bool operator==(const SiteInfo&) const = default;
};

/// The two page templates of a template folder.
struct TemplateSet
{
    QString indexTemplate;
    QString articleTemplate;
};

/// The five article slots: 0 is the main article, 1 to 4 articles #1 to #4.
/// An empty path is an empty slot.
using SlotPaths = std::array<QString, 5>;

} // namespace quorvale
