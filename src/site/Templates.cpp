#include "site/Templates.h"

#include "components/TextFile.h"
#include "site/SitePaths.h"

namespace quorvale {

TemplateSet LoadTemplates(const QString& installFolder, const QString& variation, const QString& videoId)
{
    const QString folder = PageTemplateFolderPath(installFolder, variation, videoId) + u'/';
    TemplateSet templates;
    templates.indexTemplate = LoadFileIntoTextBox(folder + u"index.html");
    templates.articleTemplate = LoadFileIntoTextBox(folder + u"article.html");
    return templates;
}

} // namespace quorvale
