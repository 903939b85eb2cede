#include "CliTestSupport.h"
#include "components/Spinner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

QString writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    return path;
}

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

class RewriteCommand : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

struct SpintaxCase
{
    const char* name;
    const char* rules;
    const char* article;
    const char* spintax;
    const char* report;
};

class RewriteSpintax : public RewriteCommand, public ::testing::WithParamInterface<SpintaxCase>
{
};

TEST_P(RewriteSpintax, PrintsTheSpintaxAndTheReport)
{
    const SpintaxCase& c = GetParam();
    writeFile(path("rwdb.txt"), QString::fromUtf8(c.rules));
    const QString article = writeFile(path("article.txt"), QString::fromUtf8(c.article));
    const CliRun run = CliRun::run({QStringLiteral("rewrite"), article, QStringLiteral("--spintax")}, dir.path());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), c.spintax);
    EXPECT_EQ(run.err.toStdString(), std::string(c.report) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RewriteSpintax,
    ::testing::Values(
        SpintaxCase{"two_groups", "{big|large|huge}\n", "A big dog, a big cat.",
                    "A {large|huge} dog, a {large|huge} cat.", "2 Replacements on 6 words."},
        SpintaxCase{"comma_and_full_stop", "{big|large|huge}\n", "He is big, very big.",
                    "He is {large|huge}, very {large|huge}.", "2 Replacements on 5 words."},
        SpintaxCase{"first_word_kept", "{big|large|huge}\n", "Big news", "Big news", "0 Replacements on 2 words."},
        SpintaxCase{"adjacent_repeat", "{big|large|huge}\n", "a big big dog", "a {large|huge} big dog",
                    "1 Replacements on 4 words."},
        SpintaxCase{"phrase", "{in addition|also}\r\n", "x in addition y also z", "x {also} y {in addition} z",
                    "2 Replacements on 6 words."},
        SpintaxCase{"inserted_text_not_matched", "{big|large}\n{large|huge}\n", "a big dog", "a {large} dog",
                    "1 Replacements on 3 words."},
        SpintaxCase{"marker_becomes_space", "{big|large}\n", "50%% off", "50  off", "0 Replacements on 2 words."},
        SpintaxCase{"non_rule_line_skipped", "big|large\n{big|huge}\n", "a big dog", "a {huge} dog",
                    "1 Replacements on 3 words."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RewriteCommand, SeedRepeatsBothSpinsAndPrintsTheSecondOne)
{
    const QString rules = writeFile(path("rules.txt"), QStringLiteral("{big|large|huge}\n{dog|hound}\n"));
    const QString text = QStringLiteral("A {big|big} dog, a big cat and a big dog.");
    const QString article = writeFile(path("article.txt"), text);
    const QStringList args{QStringLiteral("rewrite"), article,
                           QStringLiteral("--rules"), rules,
                           QStringLiteral("--seed"),  QStringLiteral("7")};
    const CliRun first = CliRun::run(args);
    const CliRun second = CliRun::run(args);
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, second.out);

    // The same spinner spins the article, then the spintax.
    quorvale::Spinner spinner(7);
    const QString spun = spinner.spin(text);
    const CliRun spintax = CliRun::run(args + QStringList{QStringLiteral("--spintax")});
    // The word after a group has lost its space to the group, so no "dog" is replaced.
    EXPECT_EQ(spintax.out, QStringLiteral("A {large|huge} dog, a {large|huge} cat and a {large|huge} dog."));
    EXPECT_EQ(spun, QStringLiteral("A big dog, a big cat and a big dog."));
    EXPECT_EQ(first.out, spinner.spin(spintax.out));
    EXPECT_FALSE(first.out.contains(u'{'));
}

TEST_F(RewriteCommand, InPlaceOverwritesTheArticle)
{
    const QString rules = writeFile(path("rules.txt"), QStringLiteral("{big|large}\n"));
    const QString article = writeFile(path("article.txt"), QStringLiteral("A big dog."));
    const CliRun run = CliRun::run({QStringLiteral("rewrite"), article, QStringLiteral("--rules"), rules,
                                    QStringLiteral("--in-place"), QStringLiteral("--seed"), QStringLiteral("1")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, QStringLiteral("1 Replacements on 3 words.\n"));
    EXPECT_EQ(readFile(article), QStringLiteral("A large dog."));
}

TEST_F(RewriteCommand, HomeFolderSuppliesTheRules)
{
    writeFile(path("rwdb.txt"), QStringLiteral("{big|large}\n"));
    const QString article = writeFile(path("article.txt"), QStringLiteral("A big dog."));
    const CliRun run = CliRun::run(
        {QStringLiteral("rewrite"), article, QStringLiteral("--home"), dir.path(), QStringLiteral("--spintax")},
        QStringLiteral("/nonexistent"));
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("A {large} dog."));
}

struct FailureCase
{
    const char* name;
    QStringList arguments; ///< "@" stands for the temporary folder
    int code;
    const char* errContains;
};

class RewriteFailure : public RewriteCommand, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(RewriteFailure, ExitsWithAMessage)
{
    const QString article = writeFile(path("article.txt"), QStringLiteral("A big dog."));
    QStringList args{QStringLiteral("rewrite")};
    for (const QString& a : GetParam().arguments)
        args.append(QString(a).replace(u'@', dir.path()).replace(QStringLiteral("ARTICLE"), article));
    const CliRun run = CliRun::run(args, dir.path());
    EXPECT_EQ(run.code, GetParam().code) << run.err.toStdString();
    const QString expected = QString::fromUtf8(GetParam().errContains).replace(u'@', dir.path());
    EXPECT_TRUE(run.err.contains(expected)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteFailure,
    ::testing::Values(
        FailureCase{"missing_rule_file",
                    {QStringLiteral("ARTICLE"), QStringLiteral("--rules"), QStringLiteral("@/none/rules.txt")},
                    1,
                    "@/none/rules.txt"},
        FailureCase{"no_rwdb_in_the_installation_folder", {QStringLiteral("ARTICLE")}, 1, "@/rwdb.txt"},
        FailureCase{"no_rwdb_in_home",
                    {QStringLiteral("ARTICLE"), QStringLiteral("--home"), QStringLiteral("@/sub")},
                    1,
                    "@/sub/rwdb.txt"},
        FailureCase{"missing_article",
                    {QStringLiteral("@/missing.txt"), QStringLiteral("--rules"), QStringLiteral("ARTICLE")},
                    1,
                    "@/missing.txt"},
        FailureCase{"no_article", {}, 2, "no article given"},
        FailureCase{"two_articles", {QStringLiteral("ARTICLE"), QStringLiteral("ARTICLE")}, 2, "too many arguments"},
        FailureCase{"rules_and_home",
                    {QStringLiteral("ARTICLE"), QStringLiteral("--rules"), QStringLiteral("x"),
                     QStringLiteral("--home"), QStringLiteral("y")},
                    2,
                    "exclude each other"},
        FailureCase{"in_place_on_standard_input", {QStringLiteral("-"), QStringLiteral("--in-place")}, 2, "--in-place"},
        FailureCase{"bad_seed",
                    {QStringLiteral("ARTICLE"), QStringLiteral("--seed"), QStringLiteral("x")},
                    2,
                    "--seed needs a whole number"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
