// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "rewriter/WordCount.h"

namespace quorvale::cli {

int runCountWords(const QStringList& arguments, Context& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Print the number of words of a text."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Text file; standard input when omitted."),
                                 QStringLiteral("[FILE]"));
    if (const int code = parseSubcommand(parser, QStringLiteral("count-words"), arguments, context); code >= 0)
        return code;
    if (parser.positionalArguments().size() > 1)
        return usageError(context, QStringLiteral("count-words"), QStringLiteral("too many arguments"));
    try {
        const QString text = readInputText(parser.positionalArguments().value(0));
        context.out << countWords(text) << u'\n';
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
