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
                                   QStringLiteral("Rule file to use instead of the installed rwdb.txt (or the "
                                                  "user's own in $XDG_DATA_HOME/quorvale)."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption spintax(QStringLiteral("spintax"),
                                     QStringLiteral("Print the spintax with its {a|b} groups instead of one wording."));
    const QCommandLineOption inPlace(QStringLiteral("in-place"),
                                     QStringLiteral("Overwrite FILE with the result instead of printing it."));
    const QCommandLineOption stats(QStringLiteral("stats"),
                                   QStringLiteral("Also print how much the wording changed (\"27% of words changed "
                                                  "\u00B7 about 10^41 possible wordings\") to standard error."));
    parser.addOptions(
        {rules, homeOption(QStringLiteral("whose rwdb.txt is used")), spintax, seedOption(), inPlace, stats});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Article to rewrite (\"-\": standard input)."));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(context, name,
                          files.isEmpty() ? QStringLiteral("no article given") : QStringLiteral("too many arguments"));
    if (parser.isSet(rules) && parser.isSet(QStringLiteral("home")))
        return usageError(context, name, QStringLiteral("--rules and --home exclude each other"));
    const QString& article = files.first();
    if (parser.isSet(inPlace) && article == u"-")
        return usageError(context, name, QStringLiteral("--in-place needs a file, not standard input"));
    QString seedError;
    std::optional<Spinner> spinner = spinnerFor(parser, seedError);
    QStringList problems = {seedError, fileOptionProblem(parser, rules), homeProblem(parser)};
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(u'\n'));

    try {
        const InstallLayout layout = installLayout(parser, context);
        const QString rulePath = parser.isSet(rules) ? parser.value(rules) : layout.rulesPath();
        const RuleIndex index(loadRuleList(rulePath), layout.taggerModelPath());
        if (!index.problems().isEmpty())
            context.err << rulePath << QStringLiteral(": ") << ruleProblemSummary(index.problems()) << u'\n';
        RewriteResult result;
        {
            // The article goes before the wording is made: a large one is held once at a time.
            const QString text = readInputText(article);
            result = rewriteArticle(text, index, [&spinner](const QString& t) { return spinner->spin(t); });
        }
        if (!parser.isSet(stats))
            result.spunArticle.clear(); // the article itself is not needed any more
        std::vector<SpunGroup> spunGroups;
        const QString wording = parser.isSet(spintax) && !parser.isSet(stats)
                                    ? QString()
                                    : spinner->spin(result.spintax, parser.isSet(stats) ? &spunGroups : nullptr);
        const QString& output = parser.isSet(spintax) ? result.spintax : wording;
        if (parser.isSet(inPlace))
            saveTextFile(output, article);
        else
            writeText(context.out, output);
        context.err << result.report << u'\n';
        if (parser.isSet(stats))
            context.err << describeChanges(result, wording, spunGroups).summary() << u'\n';
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
