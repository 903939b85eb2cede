#include "cli/CommandSupport.h"

#include "components/Error.h"
#include "components/TextFile.h"

#include <QDir>
#include <QFile>
#include <cstdio>

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

QString readInputText(const QString& path)
{
    if (!path.isEmpty() && path != u"-")
        return LoadFileIntoTextBox(path);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read standard input: ") + in.errorString());
    return decodeText(in.readAll()).text;
}

int fail(Context& context, const QString& message)
{
    context.err << context.programName << QStringLiteral(": ") << message << u'\n';
    return ExitFailure;
}

QString homeFolder(const QCommandLineParser& parser, const Context& context)
{
    const QString home =
        parser.isSet(QStringLiteral("home")) ? parser.value(QStringLiteral("home")) : context.appFolder;
    return QDir::cleanPath(QDir(home).absolutePath());
}

} // namespace quorvale::cli
