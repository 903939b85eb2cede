#pragma once

#include "cli/Command.h"

#include <QCommandLineParser>

namespace quorvale::cli {

/// Parses a sub-command's arguments with @p parser (which already knows its
/// options), adding --help. Returns -1 to go on, or the exit code to return:
/// a usage error is printed to standard error and gives ExitUsage.
int parseSubcommand(QCommandLineParser& parser, const QString& name, const QStringList& arguments, Context& context);

/// Prints a usage error of sub-command @p name and its help; returns ExitUsage.
int usageError(Context& context, const QString& name, const QCommandLineParser& parser, const QString& message);

/// The text of FILE, or of standard input when @p path is empty or "-".
/// Throws Error when the file cannot be read.
QString readInputText(const QString& path);

/// Prints an error to standard error and returns ExitFailure.
int fail(Context& context, const QString& message);

/// The installation folder: --home when given, else the executable's folder.
QString homeFolder(const QCommandLineParser& parser, const Context& context);

} // namespace quorvale::cli
