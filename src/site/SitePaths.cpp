#include "site/SitePaths.h"

#include "components/Error.h"

namespace quorvale {

QString OutputRootPath(const QString& installFolder)
{
    return installFolder + u"/output";
}

QString SiteFolderPath(const QString& installFolder, const QString& variation)
{
    CheckVariation(variation);
    return installFolder + u"/output/template" + variation;
}

QString TemplateFolderPath(const QString& installFolder, const QString& variation)
{
    CheckVariation(variation);
    return installFolder + u"/template" + variation;
}

QString PageTemplateFolderPath(const QString& installFolder, const QString& variation, const QString& videoId)
{
    const QString folder = TemplateFolderPath(installFolder, variation);
    return videoId.isEmpty() ? folder + u"_novideo" : folder;
}

void CheckVariation(const QString& variation)
{
    for (const QChar c : variation) {
        if (c == u'/' || c == u'\\' || c == QChar::Null)
            throw Error(
                QStringLiteral("The template variation \"") + variation +
                QStringLiteral("\" is not a plain folder name: it must not hold \"/\", \"\\\" or a NUL character."));
    }
}

} // namespace quorvale
