// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"

#include "components/Error.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "site/BuildSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sys/stat.h>

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
    case BuildStep::StageFolder:
        return QStringLiteral("making the new output folder");
    case BuildStep::CopyTemplate:
        return QStringLiteral("copying the template folder");
    case BuildStep::RemoveIndexTemplate:
    case BuildStep::RemoveArticleTemplate:
        return QStringLiteral("removing the template pages from the site");
    case BuildStep::WriteIndexPage:
        return QStringLiteral("writing index.html");
    case BuildStep::WriteArticlePage:
        return QStringLiteral("writing the page of article #%1").arg(failure.article);
    case BuildStep::WriteRobotsAndSitemap:
        return QStringLiteral("writing robots.txt and sitemap.xml");
    case BuildStep::CopyBackground:
        return QStringLiteral("copying the background image");
    case BuildStep::ReplaceOutput:
        return QStringLiteral("putting the new output folder in place");
    case BuildStep::RewriteArticles:
        return QStringLiteral("rewriting the articles");
    }
    return {};
}

/// The failed step, and the version it was writing.
QString failedStepText(const BuildFailure& failure, int versions)
{
    QString text = stepText(failure);
    if (failure.version > 0)
        text += QStringLiteral(" of version ") + versionFolderName(failure.version, versions);
    return text;
}

/// @p names (as the parser gives them, without dashes) as they were typed in @p arguments.
QString asTyped(const QStringList& names, const QStringList& arguments)
{
    QStringList typed;
    for (const QString& name : names) {
        const QString longForm = QStringLiteral("--") + name;
        const bool isLong = std::any_of(arguments.begin(), arguments.end(), [&](const QString& argument) {
            return argument == longForm || argument.startsWith(longForm + u'=');
        });
        typed << u'\'' + (isLong ? longForm : u'-' + name) + u'\'';
    }
    return typed.join(QStringLiteral(", "));
}

/// The first option given more than once, as typed; empty when there is none.
QString repeatedOption(const QCommandLineParser& parser)
{
    const QStringList names = parser.optionNames();
    for (const QString& name : names) {
        if (names.count(name) > 1 || parser.values(name).size() > 1)
            return (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name;
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
    if (!parser.parse(argv)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return usageError(context, name, parser.errorText());
        return usageError(
            context, name,
            (unknown.size() == 1 ? QStringLiteral("unknown option ") : QStringLiteral("unknown options ")) +
                asTyped(unknown, arguments.mid(1)));
    }
    if (const QString repeated = repeatedOption(parser); !repeated.isEmpty())
        return usageError(context, name, repeated + QStringLiteral(" is given more than once"));
    if (parser.isSet(help)) {
        context.out << helpFor(parser, context, name);
        return ExitOk;
    }
    return -1;
}

QString fileOptionProblem(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    if (!parser.isSet(option))
        return {};
    const QString file = parser.value(option);
    QString problem = notARegularFile(file);
    if (QFile readable(file); problem.isEmpty() && !readable.open(QIODevice::ReadOnly))
        problem = readable.errorString();
    if (problem.isEmpty())
        return {};
    return QStringLiteral("--") + option.names().last() + QStringLiteral(" \"") + file + QStringLiteral("\": ") +
           problem;
}

QString valueProblem(const QCommandLineParser& parser, const QString& name,
                     const std::function<void(const QString&)>& check)
{
    if (!parser.isSet(name))
        return {};
    try {
        check(parser.value(name));
    } catch (const Error& error) {
        return QStringLiteral("--") + name + QStringLiteral(": ") + error.message();
    }
    return {};
}

void saveOutput(const QString& text, const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISCHR(status.st_mode)) {
        saveTextFile(text, path);
        return;
    }
    QFile device(path);
    if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || device.write(text.toUtf8()) < 0)
        throw Error(QStringLiteral("Cannot write to \"") + path + QStringLiteral("\": ") + device.errorString() + u'.');
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

QString homeProblem(const QCommandLineParser& parser)
{
    if (!parser.isSet(HomeName) || QFileInfo(parser.value(HomeName)).isDir())
        return {};
    return QStringLiteral("--home \"") + parser.value(HomeName) + QStringLiteral("\": the folder does not exist");
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
    const QString prefix = context.programName + u' ' + name + QStringLiteral(": ");
    switch (result.status) {
    case BuildResult::Status::Finished:
    case BuildResult::Status::Cancelled:
        if (!quiet && input.versions == 1)
            context.out << QStringLiteral("Site written to ") << result.siteFolder << u'\n';
        if (!quiet && input.versions > 1)
            context.out << QStringLiteral("%1 versions of the site (seed %2) written to %3\n\n")
                               .arg(result.versionsBuilt)
                               .arg(input.seed)
                               .arg(result.siteFolder)
                        << versionsReportText(result.report);
        for (const QString& warning : result.warnings)
            context.err << prefix << QStringLiteral("warning: ") << warning << u'\n';
        if (!result.escapedArticles.isEmpty()) {
            context.err << prefix << QStringLiteral("a \"<\" or \"&\" that is not markup was written as text in:\n");
            for (const QString& article : result.escapedArticles)
                context.err << QStringLiteral("  ") << article << u'\n';
        }
        return ExitOk;
    case BuildResult::Status::MissingArticles:
        context.err << prefix << QStringLiteral("five articles are needed; ") << result.emptySlots.size()
                    << QStringLiteral(" are missing.\n");
        break;
    case BuildResult::Status::MissingBackground:
        context.err << prefix << QStringLiteral("a background image is needed.\n");
        break;
    case BuildResult::Status::Refused:
        context.err << prefix << QStringLiteral("the site was not built and nothing was changed:\n");
        for (const QString& problem : result.problems)
            context.err << QStringLiteral("  ") << problem << u'\n';
        break;
    case BuildResult::Status::Busy:
        context.err << prefix << QStringLiteral("another build is writing ") << result.siteFolder
                    << QStringLiteral("; nothing was changed. --wait SECONDS waits for it.\n");
        break;
    case BuildResult::Status::Failed:
        context.err << prefix << QStringLiteral("the site was not built; the previous one is as it was:\n  ")
                    << failedStepText(result.failure, input.versions) << QStringLiteral(": ")
                    << result.failure.reason << u'\n';
        break;
    }
    return ExitFailure;
}

} // namespace quorvale::cli
