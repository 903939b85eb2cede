#pragma once

#include <QString>

namespace quorvale {

/// installFolder/output: the folder every build deletes and builds anew.
QString OutputRootPath(const QString& installFolder);

/// installFolder/output/template<variation>: the site folder a build writes.
/// Throws Error when @p variation is not a plain folder name (see CheckVariation).
QString SiteFolderPath(const QString& installFolder, const QString& variation);

/// installFolder/template<variation>: the variation's skeleton folder, copied
/// whole into the output root. Throws Error as SiteFolderPath.
QString TemplateFolderPath(const QString& installFolder, const QString& variation);

/// The folder whose index.html and article.html are the page templates:
/// installFolder/template<variation>_novideo when @p videoId is exactly empty
/// (a single space counts as a video), else TemplateFolderPath. Throws Error as
/// SiteFolderPath.
QString PageTemplateFolderPath(const QString& installFolder, const QString& variation, const QString& videoId);

/// The variation becomes part of a folder name; a text holding "/", "\" or a
/// NUL character would name a folder elsewhere (even outside the installation
/// folder), so it throws Error. Any other text, the empty one included, passes.
void CheckVariation(const QString& variation);

} // namespace quorvale
