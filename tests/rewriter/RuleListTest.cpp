// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/RuleList.h"

#include "TestSupport.h"

#include <QTemporaryDir>

namespace {

struct LineCase
{
    const char* name;
    const char16_t* line;
    const char16_t* items;      ///< separated by '/'
    const char* problem;        ///< part of the problem of a malformed line; empty for a usable or no rule
    const char16_t* conditions; ///< parts of speech; words after; before; in the sentence; kept
};

class ParseRuleLine : public ::testing::TestWithParam<LineCase>
{
};

QString joined(const QList<QStringList>& phrases)
{
    QStringList out;
    for (const QStringList& phrase : phrases)
        out.append(phrase.join(u' '));
    return out.join(u',');
}

TEST_P(ParseRuleLine, GivesItemsConditionsOrTheProblem)
{
    const LineCase& c = GetParam();
    const quorvale::RuleLine line = quorvale::parseRuleLine(QString::fromUtf16(c.line));
    EXPECT_EQ(line.items, QString::fromUtf16(c.items).split(u'/', Qt::SkipEmptyParts));
    EXPECT_EQ(quorvale::ruleItems(QString::fromUtf16(c.line)), line.items);
    EXPECT_EQ(line.kind == quorvale::RuleLine::Kind::Malformed, *c.problem != 0) << line.problem.toStdString();
    EXPECT_TRUE(line.problem.contains(QString::fromUtf8(c.problem))) << line.problem.toStdString();
    EXPECT_EQ(line.conditions.partsOfSpeech.join(u',') + u';' + joined(line.conditions.notBefore) + u';' +
                  joined(line.conditions.notAfter) + u';' + joined(line.conditions.notWith) + u';' +
                  line.conditions.keep.join(u','),
              QString::fromUtf16(c.conditions));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRuleLine,
    ::testing::Values(LineCase{"phrase_keeps_inner_space", u"{in addition|also}", u"in addition/also", "", u";;;;"},
                      LineCase{"not_a_rule", u"big|large}", u"", "", u";;;;"},
                      LineCase{"no_closing_brace", u"{big|large", u"", "no closing brace", u";;;;"},
                      LineCase{"nested_braces", u"{a|{b|c}}", u"", "a brace inside the group", u";;;;"},
                      LineCase{"empty_items_spaces_and_case", u"{ a ||B|}", u"", "an empty item", u";;;;"},
                      LineCase{"stray_bar_after_the_group", u"{a|b}|c}", u"", "text after the closing brace", u";;;;"},
                      LineCase{"trailing_space", u"{a|b} ", u"", "spaces after the closing brace", u";;;;"},
                      LineCase{"conditions",
                               u"{heavy|Weighty}  pos=adj,adv notbefore=Rain,heavy_smoker notafter=a notafter=b "
                               u"notwith=Partly keep=Weighty,in_all",
                               u"heavy/Weighty", "", u"adj,adv;rain,heavy smoker;a,b;partly;weighty,in all"},
                      LineCase{"unknown_part_of_speech", u"{a|b} pos=thing", u"", "unknown part of speech \"thing\"",
                               u";;;;"},
                      LineCase{"unknown_condition", u"{a|b} near=x", u"", "unknown condition \"near=x\"", u";;;;"},
                      LineCase{"condition_without_value", u"{a|b} notbefore=x,", u"", "without a value", u";;;;"}),
    quorvale::test::caseName);

TEST(LoadRuleList, OneEntryPerLineWithDuplicatesAndNonRulesAndTheMalformedLineNumbered)
{
    QTemporaryDir dir;
    const QString path =
        quorvale::test::writeFile(dir.filePath(QStringLiteral("rwdb.txt")),
                                  "{big|large}\r\nnot a rule\r\n{big|large}\r\n\r\n{Gro\xC3\x9F}\r\n{a|}\n");
    const quorvale::RuleList rules = quorvale::loadRuleList(path);
    EXPECT_EQ(rules,
              (QStringList{QStringLiteral("{big|large}"), QStringLiteral("not a rule"), QStringLiteral("{big|large}"),
                           QString(), QStringLiteral(u"{Gro\u00DF}"), QStringLiteral("{a|}")}));
    const QList<quorvale::RuleProblem> problems = quorvale::ruleProblems(rules);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.first().lineNumber, 6);
    EXPECT_EQ(quorvale::ruleProblemSummary(problems),
              QStringLiteral("Rule line 6 cannot be used and is left out (quorvale-cli check-rules lists why)."));
    // Five line numbers are named, the rest counted.
    const auto summary = [&](qsizetype n) {
        return quorvale::ruleProblemSummary(QList<quorvale::RuleProblem>(n, problems.first()));
    };
    EXPECT_TRUE(summary(5).startsWith(u"Rule lines 6, 6, 6, 6, 6 cannot")) << summary(5).toStdString();
    EXPECT_TRUE(summary(6).startsWith(u"Rule lines 6, 6, 6, 6, 6 and 1 more cannot")) << summary(6).toStdString();
}

} // namespace
