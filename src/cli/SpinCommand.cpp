// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "components/Spinner.h"

namespace quorvale::cli {

int runSpin(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("spin");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Print one wording of a spintax text, each {a|b|c} group "
                                                    "replaced by one of its alternatives."));
    parser.addOption(seedOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Spintax file; standard input when omitted."),
                                 QStringLiteral("[FILE]"));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (parser.positionalArguments().size() > 1)
        return usageError(context, name, QStringLiteral("too many arguments"));
    QString seedError;
    std::optional<Spinner> spinner = spinnerFor(parser, seedError);
    if (!spinner)
        return usageError(context, name, seedError);
    try {
        const QString text = readInputText(parser.positionalArguments().value(0));
        context.out << spinner->spin(text);
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
