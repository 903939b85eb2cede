// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/SitePaths.h"
#include "site/SiteTypes.h"

namespace quorvale {

/// Loads index.html and article.html of paths.pageTemplateFolder, both or
/// neither. Throws Error naming the file that cannot be read.
TemplateSet loadTemplates(const SitePaths& paths);

} // namespace quorvale
