// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

using quorvale::test::CliRun;

namespace {

using quorvale::test::caseName;

class RewriteCommand : public ::testing::Test
{
protected:
    // The user's data folder (and their protected words) is the test's own.
    void SetUp() override { qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8()); }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    QString write(const char* name, const char* text) const
    {
        return quorvale::test::writeFile(dir.filePath(QString::fromUtf8(name)), text);
    }

    QTemporaryDir dir;
};

// The rewrite rules themselves are covered by the rewriter tests: here the
// rule file (CRLF lines too) found in the program folder, and the output streams.
TEST_F(RewriteCommand, SpintaxGoesToStandardOutputAndTheReportToStandardError)
{
    write("rwdb.txt", "{big|large|huge}\r\n{in addition|also}\n");
    const CliRun run =
        CliRun::run({QStringLiteral("rewrite"), write("article.txt", "A big dog, in addition a big cat."),
                     QStringLiteral("--spintax"), QStringLiteral("--stats")},
                    dir.path());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("A {large|huge} dog, {also} a {large|huge} cat."));
    // Every group changes its one word, in 2 x 1 x 2 ways; the wording has seven words.
    EXPECT_EQ(run.err, QStringLiteral("3 Replacements on 8 words.\n3 words changed (43%) \u00B7 0% of 5-word phrases "
                                      "as in the original \u00B7 about 4 possible wordings\n"));
}

TEST_F(RewriteCommand, SeedRepeatsBothSpinsAndPrintsOneWording)
{
    const QStringList args{QStringLiteral("rewrite"), write("article.txt", "A {big|big} dog, a big cat and a big dog."),
                           QStringLiteral("--rules"), write("rules.txt", "{big|large|huge}\n{dog|hound}\n")};
    QSet<QString> wordings;
    for (int seed = 0; seed < 20; ++seed) {
        const QStringList seeded = args + QStringList{QStringLiteral("--seed"), QString::number(seed)};
        const CliRun first = CliRun::run(seeded);
        ASSERT_EQ(first.code, 0) << first.err.toStdString();
        EXPECT_EQ(CliRun::run(seeded).out, first.out);
        EXPECT_FALSE(first.out.contains(u'{'));
        wordings.insert(first.out);
    }
    EXPECT_GT(wordings.size(), 5);
}

TEST_F(RewriteCommand, InPlaceOverwritesTheArticle)
{
    const QString article = write("article.txt", "A big dog.");
    const CliRun run = CliRun::run({QStringLiteral("rewrite"), article, QStringLiteral("--rules"),
                                    write("rules.txt", "{big|large}\n"), QStringLiteral("--in-place")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, QStringLiteral("1 Replacements on 3 words.\n"));
    EXPECT_EQ(quorvale::test::readFile(article), QByteArray("A large dog."));
}

TEST_F(RewriteCommand, ProtectedWordsFromTheUsersListOrAFileAndWordingsIntoAFolder)
{
    write("data/quorvale/protected.txt", "big\n");
    const QString article = write("article.txt", "A big dog, a big cat.");
    const QStringList args{QStringLiteral("rewrite"), article, QStringLiteral("--rules"),
                           write("rules.txt", "{big|large|huge}\n{dog|hound}\n")};
    CliRun run = CliRun::run(args + QStringList{QStringLiteral("--spintax")});
    EXPECT_EQ(run.out, QStringLiteral("A big {hound}, a big cat."));
    // A list that cannot be read is named, and the rewrite goes on without it.
    const QString none = dir.filePath(QStringLiteral("none.txt"));
    run = CliRun::run(args + QStringList{QStringLiteral("--spintax"), QStringLiteral("--protect"), none});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.err.contains(none) && run.err.contains(u"without protected phrases")) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("A {large|huge} dog, a {large|huge} cat."));

    // Four wordings exist of six asked for: all four are written, the shortfall is an error.
    const QString out = dir.filePath(QStringLiteral("out"));
    run = CliRun::run(args + QStringList{QStringLiteral("--wordings"), QStringLiteral("6"), QStringLiteral("--out"),
                                         out, QStringLiteral("--protect"), write("dog.txt", "dog")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(run.out.contains(out + u"/article-4.txt: 0% of 5-word phrases as in the original\n"));
    EXPECT_TRUE(run.err.contains(u"Only 4 different wordings exist")) << run.err.toStdString();
}

struct FailureCase
{
    const char* name;
    const char* arguments; ///< separated by spaces; "@" stands for the temporary folder, ARTICLE for an article
    int code;
    const char* errContains;
};

const FailureCase FailureCases[] = {
    {"missing_rule_file", "ARTICLE --rules @/none/rules.txt", 2, "--rules \"@/none/rules.txt\": it does not exist"},
    {"no_rwdb_in_the_installation_folder", "ARTICLE", 1, "@/rwdb.txt"},
    {"no_article", "", 2, "no article given"},
    {"in_place_on_standard_input", "- --in-place", 2, "--in-place"},
    {"wordings_without_out", "ARTICLE --wordings 3", 2, "--wordings and --out go together"},
    {"wordings_not_a_count", "ARTICLE --wordings 0 --out @/o", 2, "--wordings needs a number from 1 to 10000"},
    {"wordings_and_one_wording", "ARTICLE --wordings 2 --out @/o --in-place", 2, "--wordings excludes"},
};

class RewriteFailure : public RewriteCommand, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(RewriteFailure, ExitsWithAMessage)
{
    const QString article = write("article.txt", "A big dog.");
    QStringList args{QStringLiteral("rewrite")};
    for (const QString& a : QString::fromUtf8(GetParam().arguments).split(u' ', Qt::SkipEmptyParts))
        args.append(a == u"ARTICLE" ? article : QString(a).replace(u'@', dir.path()));
    const CliRun run = CliRun::run(args, dir.path());
    EXPECT_EQ(run.code, GetParam().code) << run.err.toStdString();
    const QString expected = QString::fromUtf8(GetParam().errContains).replace(u'@', dir.path());
    EXPECT_TRUE(run.err.contains(expected)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RewriteFailure, ::testing::ValuesIn(FailureCases), caseName);

} // namespace
