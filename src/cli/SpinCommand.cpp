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
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed for a repeatable choice."),
                                  QStringLiteral("N"));
    parser.addOption(seed);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Spintax file; standard input when omitted."),
                                 QStringLiteral("[FILE]"));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (parser.positionalArguments().size() > 1)
        return usageError(context, name, parser, QStringLiteral("too many arguments"));
    bool seedOk = true;
    const quint64 seedValue = parser.isSet(seed) ? parser.value(seed).toULongLong(&seedOk) : 0;
    if (!seedOk)
        return usageError(context, name, parser,
                          QStringLiteral("--seed needs a whole number, not '") + parser.value(seed) + u'\'');
    try {
        const QString text = readInputText(parser.positionalArguments().value(0));
        Spinner spinner = parser.isSet(seed) ? Spinner(seedValue) : Spinner();
        context.out << spinner.spin(text);
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
