#pragma once

#include <QString>

namespace quorvale {

/// The folders of one build, derived once from the installation folder, the
/// template variation and the video id.
struct SitePaths
{
    QString outputRoot;         ///< installFolder/output: deleted and built anew by every build
    QString siteFolder;         ///< outputRoot/template<variation>: the site a build writes
    QString templateFolder;     ///< installFolder/template<variation>: copied whole into outputRoot
    QString pageTemplateFolder; ///< where index.html and article.html are read: template<variation>_novideo
                                ///< when the video id is exactly empty (a single space counts as a
                                ///< video), else templateFolder

    /// The folders for @p variation below @p installFolder. The variation
    /// becomes part of folder names; a text holding "/", "\" or a NUL
    /// character would name a folder elsewhere (even outside the installation
    /// folder), so it throws Error. Any other text, the empty one included,
    /// passes.
    static SitePaths derive(const QString& installFolder, const QString& variation, const QString& videoId = QString());
};

} // namespace quorvale
