#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/TextFile.h"
#include "site/BuildSite.h"
#include "site/PageTags.h"
#include "site/SiteAddress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>

namespace quorvale::cli {

namespace {

struct SiteTextOption
{
    const char16_t* name;
    const char16_t* description;
    QString SiteInfo::*field;
};

const std::array<SiteTextOption, 12> SiteTextOptions = {{
    {u"site-name", u"Site name.", &SiteInfo::siteName},
    {u"site-headline", u"Site headline.", &SiteInfo::siteHeadline},
    {u"site-description", u"Site description.", &SiteInfo::siteDescription},
    {u"ad-title", u"Title of the advertising spot.", &SiteInfo::adTitle},
    {u"ad-description", u"Text of the advertising spot.", &SiteInfo::adDescription},
    {u"button-text", u"Caption of the spot's button.", &SiteInfo::buttonText},
    {u"button-url", u"Address the button links to.", &SiteInfo::buttonUrl},
    {u"video-id", u"YouTube video id; empty or omitted: no video.", &SiteInfo::videoId},
    {u"footer", u"Footer text.", &SiteInfo::footerText},
    {u"read-more", u"Text of the read-more links.", &SiteInfo::readMoreText},
    {u"related-articles", u"Heading of the related articles.", &SiteInfo::relatedArticlesText},
    {u"site-url",
     u"The site's public address (http:// or https://) for sitemap.xml, canonical links and link "
     u"previews; empty or omitted: none.",
     &SiteInfo::siteUrl},
}};

const std::array<const char16_t*, 5> SlotOptions = {u"main", u"article1", u"article2", u"article3", u"article4"};

} // namespace

int runBuild(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("build");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build the mini site into output/template<V> of the installation folder (of the user's data "
                       "folder, $XDG_DATA_HOME/quorvale, when an installed program cannot write there): the main "
                       "article on index.html, one page for each of articles #1 to #4, the background as "
                       "assets/images/bg.jpg. The new output folder replaces the old one only once it is complete; a "
                       "build that fails leaves the previous site as it was."));
    QList<QCommandLineOption> slotOptions;
    for (std::size_t i = 0; i < SlotOptions.size(); ++i) {
        const QString description =
            i == 0 ? QStringLiteral("Main article, shown on index.html.") : QStringLiteral("Article #%1.").arg(i);
        slotOptions.append(QCommandLineOption(QString::fromUtf16(SlotOptions[i]), description, QStringLiteral("FILE")));
    }
    const QCommandLineOption background(QStringLiteral("background"),
                                        QStringLiteral("Background image of the headline section."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption variation = variationOption();
    const QCommandLineOption quiet = quietOption();
    parser.addOptions(slotOptions);
    parser.addOptions({background, variation, quiet, waitOption(),
                       homeOption(QStringLiteral("holding the template folders and receiving output/"))});
    const SiteInfo defaults;
    QList<QCommandLineOption> textOptions;
    for (const SiteTextOption& option : SiteTextOptions) {
        const QString fallback = defaults.*option.field;
        QString description = QString::fromUtf16(option.description);
        if (!fallback.isEmpty())
            description += QStringLiteral(" Default: \"") + fallback + u'"';
        textOptions.append(
            QCommandLineOption(QString::fromUtf16(option.name), description, QStringLiteral("TEXT"), fallback));
    }
    parser.addOptions(textOptions);
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return usageError(context, name,
                          QStringLiteral("unexpected argument '") + parser.positionalArguments().first() + u'\'');
    // Every file must be there and readable, and every value valid, named by its option.
    QStringList problems;
    for (const QCommandLineOption& option : slotOptions + QList<QCommandLineOption>{background}) {
        problems << (parser.value(option).isEmpty()
                         ? QStringLiteral("--") + option.names().first() + QStringLiteral(" is required")
                         : fileOptionProblem(parser, option));
    }
    problems << valueProblem(parser, QStringLiteral("variation"), &InstallLayout::checkVariation)
             << valueProblem(parser, QStringLiteral("site-url"), &normalizedSiteAddress)
             << valueProblem(parser, QStringLiteral("video-id"), &checkVideoId);
    QString waitError;
    const int waitMs = waitMilliseconds(parser, waitError);
    problems << waitError;
    const InstallLayout layout = installLayout(parser, context);
    const QString home = layout.installFolder();
    if (const QString problem = homeProblem(parser); !problem.isEmpty())
        problems << problem;
    else if (!QFileInfo(home).isDir())
        problems << QStringLiteral("the installation folder \"") + home + QStringLiteral("\" does not exist");
    else if (QDir(home).entryList({QStringLiteral("template*")}, QDir::Dirs).isEmpty())
        problems << QStringLiteral("the installation folder \"") + home +
                        QStringLiteral("\" holds no template folder (template1, template2 ...)");
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(QStringLiteral("\n")));

    BuildInput input;
    input.layout = layout;
    input.lockWaitMs = waitMs;
    input.variation = parser.value(variation);
    for (std::size_t i = 0; i < input.articlePaths.size(); ++i)
        input.articlePaths[i] = QFileInfo(parser.value(slotOptions.at(qsizetype(i)))).absoluteFilePath();
    const QFileInfo image(parser.value(background));
    input.backgroundFolder = image.absolutePath();
    input.backgroundFile = image.fileName();
    for (std::size_t i = 0; i < SiteTextOptions.size(); ++i)
        input.info.*SiteTextOptions[i].field = parser.value(textOptions.at(qsizetype(i)));
    return runSiteBuild(input, parser.isSet(quiet), name, context);
}

} // namespace quorvale::cli
