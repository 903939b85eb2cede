// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Commands.h"
#include "components/Version.h"

#include <QCommandLineParser>
#include <csignal>
#include <new>

namespace quorvale::cli {

const QList<Command>& commands()
{
    static const QList<Command> list = {
        {QStringLiteral("count-words"), QStringLiteral("Print the number of words of FILE (or standard input)."),
         &runCountWords},
        {QStringLiteral("spin"), QStringLiteral("Print one spun wording of the spintax in FILE (or standard input)."),
         &runSpin},
        {QStringLiteral("rewrite"), QStringLiteral("Rewrite the article FILE with the synonym rules."), &runRewrite},
        {QStringLiteral("import-thesaurus"), QStringLiteral("Turn a MyThes thesaurus (.dat) into a synonym rule file."),
         &runImportThesaurus},
        {QStringLiteral("check-rules"), QStringLiteral("List the lines of a rule file that cannot be used."),
         &runCheckRules},
        {QStringLiteral("build"), QStringLiteral("Build the mini site from five articles and a background image."),
         &runBuild},
        {QStringLiteral("demo"), QStringLiteral("Build the sample mini site from the installed sample data."),
         &runDemo},
        {QStringLiteral("project"), QStringLiteral("Write (new) or print (show) a site project, a .quorvale file."),
         &runProject},
    };
    return list;
}

namespace {

QString usageText(const QString& program)
{
    QString text = QStringLiteral("Usage: ") + program + QStringLiteral(" [--help] [--version] COMMAND [ARGS...]\n\n") +
                   QStringLiteral("Quorvale builds mini websites from plain-text articles and rewrites articles\n") +
                   QStringLiteral("with synonym rules. Commands:\n");
    for (const Command& command : commands())
        text += QStringLiteral("  ") + command.name.leftJustified(18) + command.summary + u'\n';
    text += QStringLiteral("\nRun '") + program + QStringLiteral(" COMMAND --help' for a command's options.\n");
    return text;
}

} // namespace

int runCli(const QStringList& arguments, Context& context)
{
    // Past a file-size limit a write fails with an error the tool reports, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const QStringList rest = arguments.mid(1);
    if (rest.isEmpty()) {
        context.err << usageText(context.programName);
        return ExitUsage;
    }
    const QString& first = rest.first();
    if (first == u"--help" || first == u"-h" || first == u"help") {
        context.out << usageText(context.programName);
        return ExitOk;
    }
    if (first == u"--version" || first == u"-v") {
        context.out << QStringView(Version) << u'\n';
        return ExitOk;
    }
    for (const Command& command : commands()) {
        if (command.name != first)
            continue;
        try {
            return command.run(rest, context);
        } catch (const std::bad_alloc&) {
            context.err << context.programName << u' ' << first
                        << QStringLiteral(": there is not enough memory for this; nothing was saved.\n");
            return ExitFailure;
        }
    }
    context.err << context.programName << QStringLiteral(": unknown command '") << first << QStringLiteral("'\n\n")
                << usageText(context.programName);
    return ExitUsage;
}

} // namespace quorvale::cli
