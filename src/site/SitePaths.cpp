#include "site/SitePaths.h"

#include "components/Error.h"

namespace quorvale {

SitePaths SitePaths::derive(const QString& installFolder, const QString& variation, const QString& videoId)
{
    for (const QChar c : variation) {
        if (c == u'/' || c == u'\\' || c == QChar::Null)
            throw Error(
                QStringLiteral("The template variation \"") + variation +
                QStringLiteral("\" is not a plain folder name: it must not hold \"/\", \"\\\" or a NUL character."));
    }
    // An installation folder of "/" must not give "//output".
    const QString home = installFolder.endsWith(u'/') ? installFolder.chopped(1) : installFolder;
    SitePaths paths;
    paths.outputRoot = home + u"/output";
    paths.siteFolder = paths.outputRoot + u"/template" + variation;
    paths.templateFolder = home + u"/template" + variation;
    paths.pageTemplateFolder = videoId.isEmpty() ? paths.templateFolder + u"_novideo" : paths.templateFolder;
    return paths;
}

} // namespace quorvale
