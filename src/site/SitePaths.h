// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/InstallLayout.h"

#include <QString>

namespace quorvale {

/// The folders of one build, derived once from the install layout, the
/// template variation and the video id.
struct SitePaths
{
    QString outputRoot;     ///< output/ of the installation or user folder: replaced as a whole by every build
    QString siteFolder;     ///< outputRoot/template<variation>: the site a build writes
    QString templateFolder; ///< template<variation> (the user's own or the shipped one): copied whole into outputRoot
    QString pageTemplateFolder; ///< where index.html and article.html are read: template<variation>_novideo
                                ///< when the video id is exactly empty (a single space counts as a
                                ///< video), else templateFolder

    /// The folders for @p variation in @p layout. Throws Error when the
    /// variation is not a plain folder name (see InstallLayout::siteFolder).
    static SitePaths derive(const InstallLayout& layout, const QString& variation, const QString& videoId = QString());
};

} // namespace quorvale
