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
const QString WaitName = QStringLiteral("wait");

/// How the command line names a failed build step.
QString stepText(const BuildFailure& failure)
{
    switch (failure.step) {
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
        return usageError(context, name, parser.errorText());
    if (parser.isSet(help)) {
        context.out << helpFor(parser, context, name);
        return ExitOk;
    }
    return -1;
}

int usageError(Context& context, const QString& name, const QString& message)
{
    context.err << context.programName << u' ' << name << QStringLiteral(": ") << message << u'\n'
                << QStringLiteral("Run '") << context.programName << u' ' << name
                << QStringLiteral(" --help' for its options.\n");
    return ExitUsage;
}

void writeText(QTextStream& stream, QStringView text)
{
    constexpr qsizetype Piece = 1 << 16;
    for (qsizetype at = 0; at < text.size(); at += Piece) {
        // A piece never ends between the two halves of a surrogate pair.
        qsizetype length = std::min(Piece, text.size() - at);
        if (at + length < text.size() && text[at + length - 1].isHighSurrogate())
            --length;
        stream << text.sliced(at, length);
        stream.flush();
        at -= Piece - length;
    }
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
    return decodeText(readStandardInput()).text;
}

QCommandLineOption homeOption(const QString& use)
{
    return QCommandLineOption(HomeName,
                              QStringLiteral("Installation folder ") + use +
                                  QStringLiteral(" (default: the folder of this program, or ../share/quorvale "
                                                 "beside it when installed)."),
                              QStringLiteral("DIR"));
}

InstallLayout installLayout(const QCommandLineParser& parser, const Context& context)
{
    if (parser.isSet(HomeName))
        return InstallLayout::forHome(parser.value(HomeName));
    return InstallLayout::forExecutable(context.appFolder);
}

QCommandLineOption variationOption()
{
    return QCommandLineOption(QStringLiteral("variation"),
                              QStringLiteral("Template variation: 1 or 2 (default: 1), or the V of any other "
                                             "template<V> folder of the installation folder."),
                              QStringLiteral("V"), QStringLiteral("1"));
}

QCommandLineOption quietOption()
{
    return QCommandLineOption({QStringLiteral("q"), QStringLiteral("quiet")},
                              QStringLiteral("Print nothing when the site was written."));
}

QCommandLineOption waitOption()
{
    return QCommandLineOption(WaitName,
                              QStringLiteral("Wait up to SECONDS for another build of the same site to end "
                                             "(default: 0, give up at once)."),
                              QStringLiteral("SECONDS"), QStringLiteral("0"));
}

int waitMilliseconds(const QCommandLineParser& parser, QString& error)
{
    bool ok = false;
    const int seconds = parser.value(WaitName).toInt(&ok);
    if (!ok || seconds < 0 || seconds > 24 * 3600) {
        error = QStringLiteral("--wait needs a whole number of seconds, not '") + parser.value(WaitName) + u'\'';
        return -1;
    }
    return seconds * 1000;
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

int runSiteBuild(const BuildInput& input, bool quiet, const QString& name, Context& context)
{
    const BuildResult result = buildSite(input);
    if (result.succeeded()) {
        if (!quiet)
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
    case BuildResult::Status::Refused:
        context.err << prefix << QStringLiteral("the site was not built and nothing was changed:\n");
        for (const QString& problem : result.problems)
            context.err << QStringLiteral("  ") << problem << u'\n';
        return ExitFailure;
    case BuildResult::Status::Busy:
        context.err << prefix << QStringLiteral("another build is writing ") << result.siteFolder
                    << QStringLiteral("; nothing was changed. --wait SECONDS waits for it.\n");
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
