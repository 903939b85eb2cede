#include "CliTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct CliCase
{
    const char* name;
    QStringList arguments;
    int code;
    const char* outContains;
    const char* errContains;
};

class CliGeneral : public ::testing::TestWithParam<CliCase>
{
};

TEST_P(CliGeneral, ExitCodeAndOutput)
{
    const CliCase& c = GetParam();
    const CliRun run = CliRun::run(c.arguments);
    EXPECT_EQ(run.code, c.code) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.outContains))) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errContains))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliGeneral,
    ::testing::Values(
        CliCase{"version", {QStringLiteral("--version")}, 0, "1.0.6\n", ""},
        CliCase{"help", {QStringLiteral("--help")}, 0, "count-words", ""}, CliCase{"no_command", {}, 2, "", "Usage:"},
        CliCase{"unknown_command", {QStringLiteral("frobnicate")}, 2, "", "unknown command 'frobnicate'"},
        CliCase{"unknown_option", {QStringLiteral("spin"), QStringLiteral("--bogus")}, 2, "", "Unknown option 'bogus'"},
        CliCase{"bad_seed",
                {QStringLiteral("spin"), QStringLiteral("--seed"), QStringLiteral("x")},
                2,
                "",
                "--seed needs a whole number"},
        CliCase{"missing_file",
                {QStringLiteral("count-words"), QStringLiteral("/nonexistent/article.txt")},
                1,
                "",
                "/nonexistent/article.txt"},
        CliCase{"two_files",
                {QStringLiteral("count-words"), QStringLiteral("a"), QStringLiteral("b")},
                2,
                "",
                "too many arguments"},
        CliCase{"subcommand_help",
                {QStringLiteral("spin"), QStringLiteral("--help")},
                0,
                "Usage: quorvale-cli spin [options]",
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCountWords, CountsAFileDecodedAsWindows1252)
{
    QTemporaryDir dir;
    // "café naïve 3×4" in Windows-1252: é, ï are word characters, × separates.
    const QString path = writeFile(dir, QStringLiteral("a.txt"),
                                   QByteArray("caf\xE9 na\xEFve 3\xD7"
                                              "4"));
    const CliRun run = CliRun::run({QStringLiteral("count-words"), path});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, QStringLiteral("4\n"));
}

TEST(CliSpin, SameSeedSameOutputAndEveryAlternativeReachable)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("s.txt"), QByteArray("{red|green|blue} car"));
    QSet<QString> seen;
    for (int seed = 0; seed < 64; ++seed) {
        const QStringList args{QStringLiteral("spin"), QStringLiteral("--seed"), QString::number(seed), path};
        const CliRun first = CliRun::run(args);
        const CliRun second = CliRun::run(args);
        ASSERT_EQ(first.code, 0);
        EXPECT_EQ(first.out, second.out);
        seen.insert(first.out);
    }
    EXPECT_EQ(seen,
              (QSet<QString>{QStringLiteral("red car"), QStringLiteral("green car"), QStringLiteral("blue car")}));
}

} // namespace
