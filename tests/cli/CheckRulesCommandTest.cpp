// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include <QTemporaryDir>

using quorvale::test::CliRun;

namespace {

struct CheckCase
{
    const char* name;
    const char* rules; ///< the rule file; nullptr: the shipped data/rwdb.txt
    int code;
    const char* out; ///< "F" stands for the rule file's path
    const char* errContains;
};

const CheckCase CheckCases[] = {
    {"shipped_rules_are_clean", nullptr, 0, "", " lines cannot."},
    {"usable_rules_and_notes", "{big|large}\nnote\n{a|b} pos=noun notbefore=x\n", 0, "",
     "2 rules can be used, 0 lines cannot."},
    {"every_malformed_line_by_number", "{big|}\r\n{a|b}\n{x|{y}}\n{c|d} pos=thing\n", 1,
     "F:1: an empty item: {big|}\nF:3: a brace inside the group: {x|{y}}\nF:4: an unknown part of speech \"thing\" "
     "(known: noun, verb, past, participle, adj, adv): {c|d} pos=thing\n",
     "1 rules can be used, 3 lines cannot."},
};

class CheckRules : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(CheckRules, ListsWhatCannotBeUsed)
{
    const CheckCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = c.rules ? quorvale::test::writeFile(dir.filePath(QStringLiteral("rules.txt")), c.rules)
                                 : QStringLiteral(QUORVALE_SOURCE_DIR "/data/rwdb.txt");
    const CliRun run = CliRun::run({QStringLiteral("check-rules"), path});
    EXPECT_EQ(run.code, c.code) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromUtf8(c.out).replace(QStringLiteral("F:"), path + u':'));
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errContains))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckRules, ::testing::ValuesIn(CheckCases), quorvale::test::caseName);

TEST(CheckRules, MissingFileOrArgument)
{
    const CliRun missing = CliRun::run({QStringLiteral("check-rules"), QStringLiteral("/nonexistent/rules.txt")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(u"/nonexistent/rules.txt")) << missing.err.toStdString();
    EXPECT_EQ(CliRun::run({QStringLiteral("check-rules")}).code, 2);
}

} // namespace
