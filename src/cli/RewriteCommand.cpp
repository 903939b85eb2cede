// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "rewriter/EditableWording.h"
#include "rewriter/Rewriter.h"
#include "rewriter/Spintax.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace quorvale::cli {

namespace {

/// The protected phrases of --protect FILE, or of the user's list when it exists; nothing, with a
/// warning, when the file cannot be read: the rewrite goes on without them.
ProtectedPhrases protectedPhrases(const QString& path, bool named, Context& context)
{
    if (path.isEmpty() || (!named && !QFileInfo::exists(path)))
        return {};
    try {
        return loadProtectedPhrases(path);
    } catch (const Error& error) {
        context.err << error.message() << QStringLiteral(" The rewrite goes on without protected phrases.\n");
        return {};
    }
}

/// Writes @p count wordings of @p spintax as STEM-1.EXT ... into @p folder and names each with its share of
/// 5-word phrases as in @p original. Fewer than asked exist: said, exit code 1.
int writeWordings(const RewriteResult& result, const QString& article, int count, const QString& folder,
                  QRandomGenerator& random, Context& context)
{
    if (!QDir().mkpath(folder))
        return fail(context, QStringLiteral("Cannot make the folder \"") + folder + QStringLiteral("\"."));
    const QFileInfo file(article == u"-" ? QStringLiteral("wording.txt") : article);
    const QString suffix = u'.' + (file.suffix().isEmpty() ? QStringLiteral("txt") : file.suffix());
    const Shingles original(result.spunArticle);
    const QStringList wordings = distinctWordings(result.spintax, count, random);
    for (qsizetype k = 0; k < wordings.size(); ++k) {
        const QString path = QDir(folder).filePath(file.completeBaseName() + u'-' + QString::number(k + 1) + suffix);
        saveTextFile(wordings.at(k), path);
        context.out << path << QStringLiteral(": ")
                    << std::lround(100 * Shingles(wordings.at(k)).shareFoundIn(original))
                    << QStringLiteral("% of 5-word phrases as in the original\n");
    }
    if (wordings.size() == count)
        return ExitOk;
    return fail(context, QStringLiteral("Only %1 different wordings exist; %1 were written.").arg(wordings.size()));
}

} // namespace

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
    const QCommandLineOption protect(
        QStringLiteral("protect"),
        QStringLiteral("Words and phrases never to replace, one a line (whole words, any letter case). Without it, "
                       "the user's list $XDG_DATA_HOME/quorvale/protected.txt is used when it exists."),
        QStringLiteral("FILE"));
    const QCommandLineOption spintax(QStringLiteral("spintax"),
                                     QStringLiteral("Print the spintax with its {a|b} groups instead of one wording."));
    const QCommandLineOption inPlace(QStringLiteral("in-place"),
                                     QStringLiteral("Overwrite FILE with the result instead of printing it."));
    const QCommandLineOption stats(QStringLiteral("stats"),
                                   QStringLiteral("Also print how much the wording changed (\"15 words changed (3%) "
                                                  "\u00B7 91% of 5-word phrases as in the original \u00B7 about "
                                                  "10^12 possible wordings\") to standard error."));
    const QCommandLineOption wordings(
        QStringLiteral("wordings"),
        QStringLiteral("Write N different wordings, FILE-1.txt to FILE-N.txt, into the folder of --out, and print "
                       "how much of each reads as in the article."),
        QStringLiteral("N"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for --wordings (made when missing)."),
                                 QStringLiteral("DIR"));
    parser.addOptions({rules, homeOption(QStringLiteral("whose rwdb.txt is used")), protect, spintax, seedOption(),
                       inPlace, stats, wordings, out});
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
    if (parser.isSet(wordings) != parser.isSet(out))
        return usageError(context, name, QStringLiteral("--wordings and --out go together"));
    bool countOk = false;
    const int count = parser.value(wordings).toInt(&countOk);
    if (parser.isSet(wordings) && (!countOk || count < 1 || count > 10000))
        return usageError(context, name, QStringLiteral("--wordings needs a number from 1 to 10000"));
    if (parser.isSet(wordings) && (parser.isSet(spintax) || parser.isSet(inPlace) || parser.isSet(stats)))
        return usageError(context, name, QStringLiteral("--wordings excludes --spintax, --in-place and --stats"));
    QString seedError;
    std::optional<Spinner> spinner = spinnerFor(parser, seedError);
    QStringList problems = {seedError, fileOptionProblem(parser, rules), homeProblem(parser)};
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(u'\n'));

    try {
        const InstallLayout layout = installLayout(parser, context);
        const QString rulePath = parser.isSet(rules) ? parser.value(rules) : layout.rulesPath();
        const QString userList =
            layout.userFolder().isEmpty() ? QString() : layout.userFolder() + u'/' + ProtectedPhrasesFileName;
        const RuleIndex index(loadRuleList(rulePath), layout.taggerModelPath());
        if (!index.problems().isEmpty())
            context.err << rulePath << QStringLiteral(": ") << ruleProblemSummary(index.problems()) << u'\n';
        const ProtectedPhrases phrases = parser.isSet(protect) ? protectedPhrases(parser.value(protect), true, context)
                                                               : protectedPhrases(userList, false, context);
        RewriteResult result;
        {
            // The article goes before the wording is made: a large one is held once at a time.
            const QString text = readInputText(article);
            result = rewriteArticle(
                text, index, [&spinner](const QString& t) { return spinner->spin(t); }, phrases);
        }
        if (parser.isSet(wordings)) {
            context.err << result.report << u'\n';
            return writeWordings(result, article, count, parser.value(out), spinner->random(), context);
        }
        QString changeLine;
        QString wording;
        if (parser.isSet(stats)) {
            const EditableWording editable(result, spinner->random());
            changeLine = editable.changes(Shingles(result.spunArticle)).summary();
            wording = editable.text();
        } else if (!parser.isSet(spintax)) {
            result.spunArticle.clear(); // the article itself is not needed any more
            wording = spinner->spin(result.spintax);
        }
        const QString& output = parser.isSet(spintax) ? result.spintax : wording;
        if (parser.isSet(inPlace))
            saveTextFile(output, article);
        else
            writeText(context.out, output);
        context.err << result.report << u'\n';
        if (parser.isSet(stats))
            context.err << changeLine << u'\n';
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
