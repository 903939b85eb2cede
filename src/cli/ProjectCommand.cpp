// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "site/SiteProject.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace quorvale::cli {

namespace {

/// @p path, marked when there is no file there.
QString shownPath(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("(none)");
    return QFileInfo(path).isFile() ? path : path + QStringLiteral("  (missing)");
}

void show(const SiteProject& project, const QString& file, QTextStream& out)
{
    const auto line = [&out](const QString& label, const QString& value) {
        out << QString(label + u':').leftJustified(18) << value << u'\n';
    };
    line(QStringLiteral("Site file"), file);
    for (std::size_t i = 0; i < project.articles.size(); ++i)
        line(i == 0 ? QStringLiteral("Main article") : QStringLiteral("Article #%1").arg(i),
             shownPath(project.articles[i]));
    line(QStringLiteral("Background"), shownPath(project.background));
    line(QStringLiteral("Variation"), project.variation);
    line(QStringLiteral("Output folder"), outputFolderOf(project, file) +
                                              (project.outputFolder.isEmpty() ? QStringLiteral("  (beside the site file)")
                                                                              : QString()));
    line(QStringLiteral("Versions"), QString::number(project.versions));
    line(QStringLiteral("Seed"), QString::number(project.seed));
    for (const SiteTextKey& text : siteTextKeys())
        line(text.key.toString(), project.info.*text.field);
}

} // namespace

int runProject(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("project");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write or show a site project (.quorvale), the file the desktop program's \"Save Site\" "
                       "writes: the five articles, the background, the variation, the site texts, the output "
                       "folder, the number of versions and their seed. 'new FILE' writes one from the options "
                       "(paths below the project's folder are stored relative to it); 'show FILE' prints one. "
                       "'quorvale-cli build --project FILE' builds it."));
    parser.addPositionalArgument(QStringLiteral("ACTION"), QStringLiteral("new or show."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The site project."));
    const SiteOptions site(QStringLiteral("The project's output folder (default: the folder beside FILE named after "
                                          "it, NAME-site)."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("new: replace FILE when it exists."));
    site.addTo(parser);
    parser.addOptions({force, homeOption(QStringLiteral("whose sample files are named relative to it"))});
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 || (positional[0] != u"new" && positional[0] != u"show"))
        return usageError(context, name, QStringLiteral("give 'new FILE' or 'show FILE'"));
    const QString file = QDir::cleanPath(QFileInfo(positional[1]).absoluteFilePath());
    QStringList problems = site.problems(parser, false);
    problems << homeProblem(parser);
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(u'\n'));
    const QString home = installLayout(parser, context).installFolder();

    if (positional[0] == u"show") {
        try {
            show(loadSiteProject(file, home), file, context.out);
            return ExitOk;
        } catch (const Error& error) {
            return fail(context, error.message());
        }
    }
    if (QFileInfo(file).exists() && !parser.isSet(force))
        return fail(context, QStringLiteral("\"") + file +
                                 (isSiteProjectFile(file) ? QStringLiteral("\" exists")
                                                          : QStringLiteral("\" exists and is not a Quorvale site file")) +
                                 QStringLiteral("; nothing was written. --force replaces it."));
    SiteProject project;
    project.seed = QRandomGenerator::global()->bounded(MaxSiteProjectSeed);
    site.applyTo(project, parser);
    try {
        saveSiteProject(project, file, home);
    } catch (const Error& error) {
        return fail(context, error.message());
    }
    return ExitOk;
}

} // namespace quorvale::cli
