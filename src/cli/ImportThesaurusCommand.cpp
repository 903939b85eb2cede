// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "components/TextFile.h"
#include "components/TextOperations.h"
#include "rewriter/ThesaurusImport.h"

namespace quorvale::cli {

namespace {

/// The entries of a word-list file, one word or phrase per line, trimmed and
/// lower-cased; blank lines and lines starting with "#" are skipped.
QSet<QString> readWordList(const QString& path)
{
    QSet<QString> words;
    for (const QString& line : readTextLines(path)) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !word.startsWith(u'#'))
            words.insert(lowerUnits(word));
    }
    return words;
}

} // namespace

int runImportThesaurus(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("import-thesaurus");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turn a MyThes thesaurus (such as /usr/share/mythes/th_en_US_v2.dat) into a synonym rule "
                       "file: one {word|synonym|...} rule per meaning, lower-case, without generic, related, similar "
                       "or opposite terms, duplicate rules removed."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Rule file to write; \"-\" or none: standard output."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption firstMeaning(QStringLiteral("first-meaning"),
                                          QStringLiteral("Keep only the first meaning of each word."));
    const QCommandLineOption maxItems(QStringLiteral("max-items"),
                                      QStringLiteral("Keep at most N items per rule, the word itself included."),
                                      QStringLiteral("N"));
    const QCommandLineOption words(
        QStringLiteral("words"),
        QStringLiteral("Keep only items made of the words listed in LIST (one per line; split at spaces)."),
        QStringLiteral("LIST"));
    const QCommandLineOption exclude(QStringLiteral("exclude"),
                                     QStringLiteral("Leave out the items and words listed in LIST (one per line); an "
                                                    "item goes when it or one of its words is listed."),
                                     QStringLiteral("LIST"));
    const QCommandLineOption unambiguous(
        QStringLiteral("unambiguous"),
        QStringLiteral("Keep only words of one part of speech, from their first meaning, and only synonyms whose own "
                       "first meaning names the word back (implies --first-meaning)."));
    parser.addOptions({output, firstMeaning, maxItems, words, exclude, unambiguous});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The thesaurus's .dat file."));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(context, name,
                          files.isEmpty() ? QStringLiteral("no thesaurus given")
                                          : QStringLiteral("too many arguments"));
    QStringList problems = {fileOptionProblem(parser, words), fileOptionProblem(parser, exclude)};
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(u'\n'));
    ThesaurusImportOptions options;
    options.firstMeaningOnly = parser.isSet(firstMeaning);
    options.unambiguousOnly = parser.isSet(unambiguous);
    if (parser.isSet(maxItems)) {
        bool ok = false;
        options.maxItems = parser.value(maxItems).toLongLong(&ok);
        if (!ok || options.maxItems < 2)
            return usageError(context, name,
                              QStringLiteral("--max-items needs a whole number of at least 2, not '") +
                                  parser.value(maxItems) + u'\'');
    }
    try {
        if (parser.isSet(words)) {
            options.commonWords = readWordList(parser.value(words));
            if (options.commonWords.isEmpty())
                return fail(context, QStringLiteral("The word list \"") + parser.value(words) +
                                         QStringLiteral("\" holds no words."));
        }
        if (parser.isSet(exclude))
            options.excluded = readWordList(parser.value(exclude));
        const QStringList rules = importThesaurusFile(files.first(), options);
        const QString text = rules.isEmpty() ? QString() : rules.join(u'\n') + u'\n';
        if (parser.isSet(output) && parser.value(output) != u"-") {
            saveOutput(text, parser.value(output));
            context.err << rules.size() << QStringLiteral(" rules written to ") << parser.value(output) << u'\n';
        } else {
            context.out << text;
        }
        return ExitOk;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
