// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"
#include "site/InstallLayout.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <functional>
#include <optional>

namespace quorvale {
class Spinner;
struct BuildInput;
struct SiteProject;
} // namespace quorvale

namespace quorvale::cli {

/// Parses a sub-command's arguments with @p parser (which already knows its
/// options), adding --help. Returns -1 to go on, or the exit code to return:
/// a usage error (an unknown option, shown as typed; an option given twice)
/// is printed to standard error and gives ExitUsage.
int parseSubcommand(QCommandLineParser& parser, const QString& name, const QStringList& arguments, Context& context);

/// What is wrong with the file named by @p option: "--rules "FILE": it does
/// not exist" and the like; empty when it is a readable file or the option
/// is not given.
QString fileOptionProblem(const QCommandLineParser& parser, const QCommandLineOption& option);

/// What is wrong with the value of the option @p name: "--NAME: " and the
/// message of the Error @p check throws for it; empty when it passes or the
/// option is not given.
QString valueProblem(const QCommandLineParser& parser, const QString& name,
                     const std::function<void(const QString&)>& check);

/// Writes @p text to the file @p path with the safe save, or straight to it
/// when it is a character device meant to take output (/dev/null, a
/// terminal). Throws Error as saveTextFile.
void saveOutput(const QString& text, const QString& path);

/// Prints a usage error of sub-command @p name with a hint to its --help; returns ExitUsage.
int usageError(Context& context, const QString& name, const QString& message);

/// Writes @p text to @p stream a piece at a time, so that a long text is never
/// held twice more (as a copy and as UTF-8) on its way out.
void writeText(QTextStream& stream, QStringView text);

/// Prints an error to standard error and returns ExitFailure.
int fail(Context& context, const QString& message);

/// The text of FILE, or of standard input when @p path is empty or "-".
/// Throws Error when the file cannot be read.
QString readInputText(const QString& path);

// Options several commands share ------------------------------------------------

/// --home DIR; @p use says what the command takes from the installation folder.
QCommandLineOption homeOption(const QString& use);
/// "--home "DIR": the folder does not exist" when --home names no folder; empty otherwise.
QString homeProblem(const QCommandLineParser& parser);
/// Where the data is read and sites are written: --home DIR as a portable
/// installation folder when given, else the executable's own layout
/// (portable beside it, or installed with the user's data folder).
InstallLayout installLayout(const QCommandLineParser& parser, const Context& context);

/// --variation V, "1" when omitted.
QCommandLineOption variationOption();

/// --quiet: print nothing on success.
QCommandLineOption quietOption();
/// --wait SECONDS for another build of the same site, 0 when omitted.
QCommandLineOption waitOption();
/// The --wait time in milliseconds; -1, with @p error set, when it is not a
/// whole number of seconds.
int waitMilliseconds(const QCommandLineParser& parser, QString& error);

/// --seed N.
QCommandLineOption seedOption();
/// A spinner seeded by --seed, or from the system's random source without it;
/// nothing, with @p error set, when the seed is not a whole number.
std::optional<Spinner> spinnerFor(const QCommandLineParser& parser, QString& error);

/// Runs a build and prints how it went: the site folder on success (nothing
/// when @p quiet; warnings to standard error), with several versions the seed
/// and how much they share; the reasons or the failed step otherwise.
/// Returns the exit code.
int runSiteBuild(const BuildInput& input, bool quiet, const QString& name, Context& context);

/// The options that say what a site is, shared by build and project new:
/// --main, --article1 … --article4, --background, --variation, the site
/// texts, --out, --versions and --seed.
class SiteOptions
{
public:
    /// @p outUse says what --out names for the command.
    explicit SiteOptions(const QString& outUse);

    void addTo(QCommandLineParser& parser) const;
    /// The usage errors of the options given, one line each; the five
    /// articles and the background must be given when @p filesRequired.
    QStringList problems(const QCommandLineParser& parser, bool filesRequired) const;
    /// @p project with every option given put in (file names made absolute).
    void applyTo(SiteProject& project, const QCommandLineParser& parser) const;
    /// True when --seed is given.
    bool seedGiven(const QCommandLineParser& parser) const;

private:
    QList<QCommandLineOption> m_slots;
    QCommandLineOption m_background;
    QCommandLineOption m_variation;
    QList<QCommandLineOption> m_texts;
    QCommandLineOption m_out;
    QCommandLineOption m_versions;
    QCommandLineOption m_seed;
};

} // namespace quorvale::cli
