#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "site/DemoData.h"

namespace quorvale::cli {

int runDemo(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("demo");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build the sample mini site: the sample site texts, the first five articles of apparticles "
                       "and the background Image288.jpg of appimages, as \"Load Dummy Data\" followed by "
                       "\"Build Minisite\" does."));
    const QCommandLineOption variation(QStringLiteral("variation"), QStringLiteral("Template variation (default: 1)."),
                                       QStringLiteral("V"), QStringLiteral("1"));
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Installation folder holding the sample data and the template "
                                                 "folders (default: the folder of this program)."),
                                  QStringLiteral("DIR"));
    parser.addOptions({variation, home});
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return usageError(context, name, parser,
                          QStringLiteral("unexpected argument '") + parser.positionalArguments().first() + u'\'');

    const QString folder = homeFolder(parser, context);
    for (const QString& problem : DemoDataProblems(folder))
        context.err << context.programName << u' ' << name << QStringLiteral(": warning: ") << problem << u'\n';
    const BuildInput input = DemoBuildInput(folder, parser.value(variation));

    // The same build as "build" with the sample choices as its options.
    QStringList build{QStringLiteral("build"), QStringLiteral("--home"), folder, QStringLiteral("--variation"),
                      input.variation};
    const std::array<QString, 5> slotOptions = {QStringLiteral("--main"), QStringLiteral("--article1"),
                                                QStringLiteral("--article2"), QStringLiteral("--article3"),
                                                QStringLiteral("--article4")};
    for (std::size_t i = 0; i < slotOptions.size(); ++i) {
        if (!input.articlePaths[i].isEmpty())
            build << slotOptions[i] << input.articlePaths[i];
    }
    if (!input.backgroundFile.isEmpty())
        build << QStringLiteral("--background") << input.backgroundFolder + u'/' + input.backgroundFile;
    const SiteInfo& info = input.info;
    build << QStringLiteral("--site-name") << info.siteName << QStringLiteral("--site-headline") << info.siteHeadline
          << QStringLiteral("--site-description") << info.siteDescription << QStringLiteral("--ad-title")
          << info.adTitle << QStringLiteral("--ad-description") << info.adDescription << QStringLiteral("--button-text")
          << info.buttonText << QStringLiteral("--button-url") << info.buttonUrl << QStringLiteral("--video-id")
          << info.videoId << QStringLiteral("--footer") << info.footerText << QStringLiteral("--read-more")
          << info.readMoreText << QStringLiteral("--related-articles") << info.relatedArticlesText;
    return runBuild(build, context);
}

} // namespace quorvale::cli
