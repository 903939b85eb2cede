#include "CliTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

const QByteArray kThesaurus = "UTF-8\n"
                              "big|2\n"
                              "(adj)|large|Huge|animal (generic term)\n"
                              "(adj)|important\n"
                              "large|1\n"
                              "(adj)|big\n"
                              "in addition|1\n"
                              "(adv)|also|additionally\n";

class ImportThesaurusCommand : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QByteArray read(const char* name) const
    {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

struct ImportCase
{
    const char* name;
    QStringList options;
    const char* rules;
};

class ImportOptions : public ImportThesaurusCommand, public ::testing::WithParamInterface<ImportCase>
{
};

TEST_P(ImportOptions, WritesTheRuleFile)
{
    const QString dat = write("th.dat", kThesaurus);
    const QString words = write("words.txt", "# common words\nbig\nLarge\nin\naddition\nalso\n\n");
    QStringList args{QStringLiteral("import-thesaurus"), dat, QStringLiteral("-o"),
                     dir.filePath(QStringLiteral("rules.txt"))};
    for (const QString& option : GetParam().options)
        args.append(option == u"WORDS" ? words : option);
    const CliRun run = CliRun::run(args);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(read("rules.txt"), QByteArray(GetParam().rules));
    EXPECT_TRUE(run.err.contains(QStringLiteral(" rules written to "))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportOptions,
    ::testing::Values(ImportCase{"all_meanings",
                                 {},
                                 "{big|large|huge}\n{big|important}\n{large|big}\n{in addition|also|additionally}\n"},
                      ImportCase{"first_meaning",
                                 {QStringLiteral("--first-meaning")},
                                 "{big|large|huge}\n{large|big}\n{in addition|also|additionally}\n"},
                      ImportCase{"two_items",
                                 {QStringLiteral("--max-items"), QStringLiteral("2")},
                                 "{big|large}\n{big|important}\n{in addition|also}\n"},
                      ImportCase{"common_words",
                                 {QStringLiteral("--words"), QStringLiteral("WORDS")},
                                 "{big|large}\n{in addition|also}\n"},
                      ImportCase{"unambiguous", {QStringLiteral("--unambiguous")}, "{big|large}\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportThesaurusCommand, PrintsToStandardOutputWithoutOutputFile)
{
    const CliRun run = CliRun::run(
        {QStringLiteral("import-thesaurus"), write("th.dat", kThesaurus), QStringLiteral("--first-meaning")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, QStringLiteral("{big|large|huge}\n{large|big}\n{in addition|also|additionally}\n"));
}

TEST_F(ImportThesaurusCommand, ImportedRulesRewrite)
{
    const QString rules = dir.filePath(QStringLiteral("rules.txt"));
    ASSERT_EQ(
        CliRun::run({QStringLiteral("import-thesaurus"), write("th.dat", kThesaurus), QStringLiteral("-o"), rules})
            .code,
        0);
    const CliRun run = CliRun::run({QStringLiteral("rewrite"), write("a.txt", "A big dog, also big."),
                                    QStringLiteral("--rules"), rules, QStringLiteral("--spintax")});
    EXPECT_EQ(run.out, QStringLiteral("A {large|huge} dog, also {large|huge}."));
}

struct ImportFailure
{
    const char* name;
    QByteArray dat; ///< empty: no thesaurus file at all
    QStringList options;
    int code;
    const char* errContains;
};

class ImportFailures : public ImportThesaurusCommand, public ::testing::WithParamInterface<ImportFailure>
{
};

TEST_P(ImportFailures, ExitWithAMessage)
{
    const ImportFailure& c = GetParam();
    const QString dat = c.dat.isEmpty() ? dir.filePath(QStringLiteral("missing.dat")) : write("th.dat", c.dat);
    const CliRun run = CliRun::run(QStringList{QStringLiteral("import-thesaurus"), dat} + c.options);
    EXPECT_EQ(run.code, c.code);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errContains).replace(u'@', dir.path()))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportFailures,
    ::testing::Values(
        ImportFailure{"missing_file", {}, {}, 1, "@/missing.dat"},
        ImportFailure{"not_mythes", "UTF-8\nbig\n", {}, 1, "line 2"},
        ImportFailure{"unknown_encoding", "NO-SUCH-CODE\nbig|0\n", {}, 1, "NO-SUCH-CODE"},
        ImportFailure{
            "max_items_too_small", kThesaurus, {QStringLiteral("--max-items"), QStringLiteral("1")}, 2, "--max-items"},
        ImportFailure{"missing_word_list",
                      kThesaurus,
                      {QStringLiteral("--words"), QStringLiteral("/nonexistent/words.txt")},
                      1,
                      "/nonexistent/words.txt"},
        ImportFailure{"no_file", {}, {QStringLiteral("a"), QStringLiteral("b")}, 2, "too many arguments"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
