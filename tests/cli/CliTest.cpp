// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"
#include "components/Version.h"

#include <QTemporaryDir>
#include <QTemporaryFile>

using namespace quorvale::test;

namespace {

struct CliCase
{
    const char* name;
    QStringList arguments;
    int code;
    const char* outContains;
    const char* errContains;
    const char* input = nullptr; ///< standard input
};

class CliGeneral : public ::testing::TestWithParam<CliCase>
{
};

TEST_P(CliGeneral, ExitCodeAndOutput)
{
    const CliCase& c = GetParam();
    QTemporaryFile input;
    ASSERT_TRUE(input.open() && input.write(c.input ? c.input : "") >= 0 && input.flush());
    const int standardInput = ::dup(STDIN_FILENO);
    ::lseek(input.handle(), 0, SEEK_SET);
    ::dup2(input.handle(), STDIN_FILENO);
    const CliRun run = CliRun::run(c.arguments);
    ::dup2(standardInput, STDIN_FILENO);
    ::close(standardInput);
    EXPECT_EQ(run.code, c.code) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.outContains).replace(u'@', QString::fromUtf16(quorvale::Version))))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errContains))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliGeneral,
    ::testing::Values(
        CliCase{"version", {QStringLiteral("--version")}, 0, "@\n", ""},
        CliCase{"help", {QStringLiteral("--help")}, 0, "count-words", ""}, CliCase{"no_command", {}, 2, "", "Usage:"},
        CliCase{"unknown_command", {QStringLiteral("frobnicate")}, 2, "", "unknown command 'frobnicate'"},
        CliCase{
            "unknown_option", {QStringLiteral("spin"), QStringLiteral("--bogus")}, 2, "", "unknown option '--bogus'"},
        CliCase{"missing_installation_folder",
                {QStringLiteral("demo"), QStringLiteral("--home"), QStringLiteral("/nonexistent")},
                2,
                "",
                "quorvale-cli demo: --home \"/nonexistent\": the folder does not exist"},
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
        CliCase{"dash_is_standard_input", {u"count-words"_qs, u"-"_qs}, 0, "3\n", "", "one two, three"},
        CliCase{"no_file_is_standard_input", {u"spin"_qs, u"--seed"_qs, u"1"_qs}, 0, "a blue car", "", "a {blue} car"},
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
    quorvale::test::caseName);

// Running out of memory ends in a message and exit code 1, never an abort.
TEST(Cli, LackOfMemoryIsAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(400 * 1024 * 1024)); // sparse: quick to make and read
    big.close();
    EXPECT_TRUE(trueInLimitedChild(RLIMIT_AS, 300 * 1024 * 1024, [&] {
        const CliRun run = CliRun::run({QStringLiteral("count-words"), big.fileName()});
        return run.code == 1 && run.err.contains(u"not enough memory");
    }));
}

} // namespace
