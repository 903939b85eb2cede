#pragma once

#include "site/SiteTypes.h"

namespace quorvale {

/// Loads index.html and article.html of the template folder
/// installFolder/template<variation>, or of template<variation>_novideo when
/// @p videoId is exactly empty. Throws Error naming the file that cannot be read.
TemplateSet LoadTemplates(const QString& installFolder, const QString& variation, const QString& videoId);

} // namespace quorvale
