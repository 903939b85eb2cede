// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "rewriter/RuleList.h"

namespace quorvale::cli {

int runCheckRules(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("check-rules");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("List every line of a synonym rule file that starts like a rule but cannot be used (an "
                       "empty item, a brace inside the group, text after it that is no condition), with its number "
                       "and what is wrong. Exits with 1 when there is such a line."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Rule file, such as rwdb.txt."));
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(context, name,
                          files.isEmpty() ? QStringLiteral("no rule file given")
                                          : QStringLiteral("too many arguments"));
    try {
        const RuleList rules = loadRuleList(files.first());
        const QList<RuleProblem> problems = ruleProblems(rules);
        for (const RuleProblem& p : problems)
            context.out << files.first() << u':' << p.lineNumber << QStringLiteral(": ") << p.problem
                        << QStringLiteral(": ") << rules.at(p.lineNumber - 1) << u'\n';
        const qsizetype usable = std::count_if(rules.begin(), rules.end(), isRuleLine);
        context.err << usable << QStringLiteral(" rules can be used, ") << problems.size()
                    << (problems.size() == 1 ? QStringLiteral(" line cannot.\n") : QStringLiteral(" lines cannot.\n"));
        return problems.isEmpty() ? ExitOk : ExitFailure;
    } catch (const Error& error) {
        return fail(context, error.message());
    }
}

} // namespace quorvale::cli
