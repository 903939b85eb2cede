#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"

namespace quorvale::cli {

int runRewrite(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("rewrite");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Rewrite an article with the synonym rules: every listed word or phrase becomes a group of "
                       "its synonyms, and the result is spun into one wording. The report \"N Replacements on M "
                       "words.\" goes to standard error."));
    const QCommandLineOption rules(QStringLiteral("rules"),
                                   QStringLiteral("Rule file to use instead of rwdb.txt of the installation folder."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Installation folder whose rwdb.txt is used (default: the folder "
                                                 "of this program)."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption spintax(QStringLiteral("spintax"),
                                     QStringLiteral("Print the spintax with its {a|b} groups instead of one wording."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed for repeatable spins."),
                                  QStringLiteral("N"));
    const QCommandLineOption inPlace(QStringLiteral("in-place"),
                                     QStringLiteral("Overwrite FILE with the result instead of printing it."));
    parser.addOptions({rules, home, spintax, seed, inPlace});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Article to rewrite (\"-\": standard input)."));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(context, name, parser,
                          files.isEmpty() ? QStringLiteral("no article given") : QStringLiteral("too many arguments"));
    if (parser.isSet(rules) && parser.isSet(home))
        return usageError(context, name, parser, QStringLiteral("--rules and --home exclude each other"));
    const QString& article = files.first();
    if (parser.isSet(inPlace) && article == u"-")
        return usageError(context, name, parser, QStringLiteral("--in-place needs a file, not standard input"));
    bool seedOk = true;
    const quint64 seedValue = parser.isSet(seed) ? parser.value(seed).toULongLong(&seedOk) : 0;
    if (!seedOk)
        return usageError(context, name, parser,
                          QStringLiteral("--seed needs a whole number, not '") + parser.value(seed) + u'\'');

    const QString rulePath =
        parser.isSet(rules) ? parser.value(rules) : homeFolder(parser, context) + QStringLiteral("/rwdb.txt");
    try {
        const RuleIndex index(LoadRuleList(rulePath));
        const QString text = readInputText(article);
        Spinner spinner = parser.isSet(seed) ? Spinner(seedValue) : Spinner();
        const RewriteResult result = Reescribir(text, index, [&spinner](const QString& t) { return spinner.spin(t); });
        const QString output = parser.isSet(spintax) ? result.spintax : spinner.spin(result.spintax);
        if (parser.isSet(inPlace))
            SaveTextBoxToFile(output, article);
        else
            context.out << output;
        context.err << result.report << u'\n';
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
