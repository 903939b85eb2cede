#include "cli/CommandSupport.h"

#include "components/Error.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "site/BuildSite.h"

#include <QDir>
#include <QFile>

namespace quorvale::cli {

namespace {

// QCommandLineParser names the executable as it was started; the usage line
// should name the tool and the sub-command instead.
QString helpFor(const QCommandLineParser& parser, const Context& context, const QString& name)
{
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf(u'\n');
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (text.startsWith(QStringLiteral("Usage: ")) && options > 0 && (lineEnd < 0 || options < lineEnd))
        text.replace(7, options - 7, context.programName + u' ' + name);
    return text;
}

const QString HomeName = QStringLiteral("home");
const QString SeedName = QStringLiteral("seed");

/// How the command line names a failed build step.
QString stepText(const BuildFailure& failure)
{
    switch (failure.step) {
    case BuildStep::CheckVariation:
        return QStringLiteral("checking the template variation");
    case BuildStep::LoadTemplates:
        return QStringLiteral("loading the page templates");
    case BuildStep::DeleteOutput:
        return QStringLiteral("deleting the old output folder");
    case BuildStep::CopyTemplate:
        return QStringLiteral("copying the template folder");
    case BuildStep::RemoveIndexTemplate:
    case BuildStep::RemoveArticleTemplate:
        return QStringLiteral("removing the template pages from the site");
    case BuildStep::CreateOutput:
        return QStringLiteral("creating the output folder");
    case BuildStep::WriteIndexPage:
        return QStringLiteral("writing index.html");
    case BuildStep::WriteArticlePage:
        return QStringLiteral("writing the page of article #%1").arg(failure.article);
    case BuildStep::WriteRobotsAndSitemap:
        return QStringLiteral("writing robots.txt and sitemap.xml");
    case BuildStep::CopyBackground:
        return QStringLiteral("copying the background image");
    }
    return {};
}

} // namespace

int parseSubcommand(QCommandLineParser& parser, const QString& name, const QStringList& arguments, Context& context)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    QStringList argv = arguments;
    argv[0] = context.programName + u' ' + name;
    if (!parser.parse(argv))
        return usageError(context, name, parser, parser.errorText());
    if (parser.isSet(help)) {
        context.out << helpFor(parser, context, name);
        return ExitOk;
    }
    return -1;
}

int usageError(Context& context, const QString& name, const QCommandLineParser& parser, const QString& message)
{
    context.err << context.programName << u' ' << name << QStringLiteral(": ") << message << u'\n'
                << helpFor(parser, context, name);
    return ExitUsage;
}

int fail(Context& context, const QString& message)
{
    context.err << context.programName << QStringLiteral(": ") << message << u'\n';
    return ExitFailure;
}

QString readInputText(const QString& path)
{
    if (!path.isEmpty() && path != u"-")
        return readTextFile(path);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read standard input: ") + in.errorString());
    return decodeText(in.readAll()).text;
}

QCommandLineOption homeOption(const QString& use)
{
    return QCommandLineOption(HomeName,
                              QStringLiteral("Installation folder ") + use +
                                  QStringLiteral(" (default: the folder of this program)."),
                              QStringLiteral("DIR"));
}

QString homeFolder(const QCommandLineParser& parser, const Context& context)
{
    const QString home = parser.isSet(HomeName) ? parser.value(HomeName) : context.appFolder;
    return QDir::cleanPath(QDir(home).absolutePath());
}

QCommandLineOption variationOption()
{
    return QCommandLineOption(QStringLiteral("variation"), QStringLiteral("Template variation (default: 1)."),
                              QStringLiteral("V"), QStringLiteral("1"));
}

QCommandLineOption seedOption()
{
    return QCommandLineOption(SeedName, QStringLiteral("Seed for repeatable spins."), QStringLiteral("N"));
}

std::optional<Spinner> spinnerFor(const QCommandLineParser& parser, QString& error)
{
    if (!parser.isSet(SeedName))
        return Spinner();
    bool ok = false;
    const quint64 seed = parser.value(SeedName).toULongLong(&ok);
    if (!ok) {
        error = QStringLiteral("--seed needs a whole number, not '") + parser.value(SeedName) + u'\'';
        return std::nullopt;
    }
    return Spinner(seed);
}

int runSiteBuild(const BuildInput& input, const QString& name, Context& context)
{
    const BuildResult result = buildSite(input);
    if (result.succeeded()) {
        context.out << QStringLiteral("Site written to ") << result.siteFolder << u'\n';
        return ExitOk;
    }
    const QString prefix = context.programName + u' ' + name + QStringLiteral(": ");
    switch (result.status) {
    case BuildResult::Status::MissingArticles:
        context.err << prefix << QStringLiteral("five articles are needed; ") << result.emptySlots.size()
                    << QStringLiteral(" are missing.\n");
        return ExitFailure;
    case BuildResult::Status::MissingBackground:
        context.err << prefix << QStringLiteral("a background image is needed.\n");
        return ExitFailure;
    case BuildResult::Status::InvalidSiteAddress:
        context.err << prefix << result.siteAddressProblem << u'\n';
        return ExitFailure;
    case BuildResult::Status::Finished:
        break;
    }
    context.err << prefix << QStringLiteral("the build finished with errors:\n");
    for (const BuildFailure& failure : result.failures)
        context.err << QStringLiteral("  ") << stepText(failure) << QStringLiteral(": ") << failure.reason << u'\n';
    return ExitFailure;
}

} // namespace quorvale::cli
