// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SitePaths.h"

namespace quorvale {

SitePaths SitePaths::derive(const InstallLayout& layout, const QString& variation, const QString& videoId)
{
    SitePaths paths;
    paths.siteFolder = layout.siteFolder(variation);
    paths.outputRoot = layout.outputRoot();
    paths.templateFolder = layout.templateFolder(variation);
    paths.pageTemplateFolder = layout.pageTemplateFolder(variation, videoId);
    return paths;
}

} // namespace quorvale
