// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quorvale::cli {

/// Exit codes of the command-line tool.
enum ExitCode : int { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

/// The streams and settings a sub-command runs with.
struct Context
{
    QTextStream& out;
    QTextStream& err;
    QString programName; ///< "quorvale-cli"
    QString appFolder;   ///< the folder that holds the executable
};

/// One sub-command of quorvale-cli: a name, a line of help and its entry point,
/// which gets the arguments after the sub-command's name.
struct Command
{
    QString name;
    QString summary;
    int (*run)(const QStringList& arguments, Context& context);
};

/// Every sub-command, in the order --help lists them.
const QList<Command>& commands();

/// Runs the tool on the given arguments (argv[0] first); returns the exit code.
int runCli(const QStringList& arguments, Context& context);

} // namespace quorvale::cli
