#include "CliTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quorvale::test::CliRun;

namespace {

const auto caseName = [](const auto& info) { return std::string(info.param.name); };

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
    QString write(const char* name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    /// import-thesaurus with @p options (separated by spaces; WORDS stands for a word-list file).
    CliRun run(const QString& dat, const char* options) const
    {
        QStringList args{QStringLiteral("import-thesaurus"), dat};
        for (const QString& option : QString::fromUtf8(options).split(u' ', Qt::SkipEmptyParts))
            args.append(option == u"WORDS" ? write("words.txt", "# common words\nbig\nLarge\nin\naddition\nalso\n\n")
                                           : QString(option).replace(u'@', dir.path()));
        return CliRun::run(args);
    }

    QTemporaryDir dir;
};

struct ImportCase
{
    const char* name;
    const char* options;
    const char* rules;
};

// One rule per meaning, lower-case, without annotated terms.
const ImportCase ImportCases[] = {
    {"all_meanings", "", "{big|large|huge}\n{big|important}\n{large|big}\n{in addition|also|additionally}\n"},
    {"first_meaning", "--first-meaning", "{big|large|huge}\n{large|big}\n{in addition|also|additionally}\n"},
    {"two_items", "--max-items 2", "{big|large}\n{big|important}\n{in addition|also}\n"},
    {"common_words", "--words WORDS", "{big|large}\n{in addition|also}\n"},
    {"unambiguous", "--unambiguous", "{big|large}\n"},
};

class ImportOptions : public ImportThesaurusCommand, public ::testing::WithParamInterface<ImportCase>
{
};

TEST_P(ImportOptions, PrintsTheRules)
{
    const CliRun result = run(write("th.dat", kThesaurus), GetParam().options);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.toStdString(), GetParam().rules);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportOptions, ::testing::ValuesIn(ImportCases), caseName);

TEST_F(ImportThesaurusCommand, TheWrittenRuleFileRewrites)
{
    const CliRun import = run(write("th.dat", kThesaurus), "-o @/rules.txt");
    ASSERT_EQ(import.code, 0) << import.err.toStdString();
    EXPECT_TRUE(import.err.contains(QStringLiteral("4 rules written to ") + dir.filePath(QStringLiteral("rules.txt"))))
        << import.err.toStdString();
    const CliRun rewrite =
        CliRun::run({QStringLiteral("rewrite"), write("a.txt", "A big dog, also big."), QStringLiteral("--rules"),
                     dir.filePath(QStringLiteral("rules.txt")), QStringLiteral("--spintax")});
    EXPECT_EQ(rewrite.out, QStringLiteral("A {large|huge} dog, also {large|huge}."));
}

struct ImportFailure
{
    const char* name;
    QByteArray dat; ///< empty: no thesaurus file at all
    const char* options;
    int code;
    const char* errContains;
};

const ImportFailure FailureCases[] = {
    {"missing_file", {}, "", 1, "@/missing.dat"},
    {"not_mythes", "UTF-8\nbig\n", "", 1, "line 2"},
    {"unknown_encoding", "NO-SUCH-CODE\nbig|0\n", "", 1, "NO-SUCH-CODE"},
    {"max_items_too_small", kThesaurus, "--max-items 1", 2, "--max-items"},
    {"missing_word_list", kThesaurus, "--words /nonexistent/words.txt", 1, "/nonexistent/words.txt"},
    {"two_files", {}, "a b", 2, "too many arguments"},
};

class ImportFailures : public ImportThesaurusCommand, public ::testing::WithParamInterface<ImportFailure>
{
};

TEST_P(ImportFailures, ExitWithAMessage)
{
    const ImportFailure& c = GetParam();
    const QString dat = c.dat.isEmpty() ? dir.filePath(QStringLiteral("missing.dat")) : write("th.dat", c.dat);
    const CliRun result = run(dat, c.options);
    EXPECT_EQ(result.code, c.code);
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.errContains).replace(u'@', dir.path())))
        << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportFailures, ::testing::ValuesIn(FailureCases), caseName);

} // namespace
