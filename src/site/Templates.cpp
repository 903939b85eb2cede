// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/Templates.h"

#include "components/TextFile.h"

namespace quorvale {

TemplateSet loadTemplates(const SitePaths& paths)
{
    TemplateSet templates;
    templates.indexTemplate = readTextFile(paths.pageTemplateFolder + u"/index.html");
    templates.articleTemplate = readTextFile(paths.pageTemplateFolder + u"/article.html");
    return templates;
}

} // namespace quorvale
