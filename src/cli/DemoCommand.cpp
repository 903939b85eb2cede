// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "site/BuildSite.h"
#include "site/DemoData.h"
#include "site/SiteAddress.h"

namespace quorvale::cli {

int runDemo(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("demo");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build the sample mini site: the sample site texts, the first five articles of apparticles "
                       "and the background Image288.jpg of appimages, as \"Load Dummy Data\" followed by "
                       "\"Build Minisite\" does."));
    const QCommandLineOption variation = variationOption();
    const QCommandLineOption quiet = quietOption();
    const QCommandLineOption siteUrl(QStringLiteral("site-url"),
                                     QStringLiteral("The site's public address (http:// or https://) for sitemap.xml, "
                                                    "canonical links and link previews; omitted: none."),
                                     QStringLiteral("URL"));
    parser.addOptions({variation, siteUrl, quiet, waitOption(),
                       homeOption(QStringLiteral("holding the sample data and the template folders"))});
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return usageError(context, name,
                          QStringLiteral("unexpected argument '") + parser.positionalArguments().first() + u'\'');

    QString waitError;
    const int waitMs = waitMilliseconds(parser, waitError);
    QStringList problems = {waitError, homeProblem(parser),
                            valueProblem(parser, QStringLiteral("variation"), &InstallLayout::checkVariation),
                            valueProblem(parser, QStringLiteral("site-url"), &normalizedSiteAddress)};
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(u'\n'));

    const InstallLayout layout = installLayout(parser, context);
    for (const QString& problem : demoDataProblems(layout.installFolder()))
        context.err << context.programName << u' ' << name << QStringLiteral(": warning: ") << problem << u'\n';
    BuildInput input = demoBuildInput(layout, parser.value(variation));
    input.lockWaitMs = waitMs;
    input.info.siteUrl = parser.value(siteUrl);
    return runSiteBuild(input, parser.isSet(quiet), name, context);
}

} // namespace quorvale::cli
