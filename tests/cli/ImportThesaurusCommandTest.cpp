// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include <QTemporaryDir>
#include <sys/stat.h>

using quorvale::test::CliRun;

namespace {

const QByteArray kThesaurus = "UTF-8\n"
                              "big|2\n"
                              "(adj)|large|Huge|animal (generic term)\n"
                              "(adj)|important\n"
                              "large|1\n"
                              "(adj)|big\n";

struct ImportCase
{
    const char* name;
    QByteArray dat;      ///< empty: no thesaurus file at all
    const char* options; ///< separated by spaces; WORDS stands for a word-list file, @ for the temporary folder
    int code;
    const char* out;         ///< the whole standard output
    const char* errContains; ///< @ stands for the temporary folder
};

// The choice of meanings and items is covered by the rewriter tests: here each
// option reaches the import, and failures give their exit code and message.
const ImportCase ImportCases[] = {
    {"all_meanings", kThesaurus, "", 0, "{big|large|huge}\n{big|important}\n{large|big}\n", ""},
    {"options_reach_the_import", kThesaurus, "--first-meaning --max-items 2 --words WORDS", 0, "{big|large}\n", ""},
    {"output_file", kThesaurus, "-o @/rules.txt", 0, "", "3 rules written to @/rules.txt"},
    {"output_to_standard_output", kThesaurus, "--first-meaning -o -", 0, "{big|large|huge}\n{large|big}\n", ""},
    {"output_onto_a_pipe_refused", kThesaurus, "-o FIFO", 1, "", "named pipe"},
    {"output_into_a_device", kThesaurus, "-o /dev/null", 0, "", "3 rules written to /dev/null"},
    {"missing_word_list", kThesaurus, "--exclude @/none.txt", 2, "", "--exclude \"@/none.txt\": it does not exist"},
    {"not_mythes", "UTF-8\nbig\n", "", 1, "", "line 2"},
    {"max_items_too_small", kThesaurus, "--max-items 1", 2, "", "--max-items"},
    {"two_files", {}, "a b", 2, "", "too many arguments"},
};

class ImportThesaurusCommand : public ::testing::TestWithParam<ImportCase>
{
protected:
    QString write(const char* name, const QByteArray& bytes) const
    {
        return quorvale::test::writeFile(dir.filePath(QString::fromUtf8(name)), bytes);
    }

    QString fifo() const
    {
        const QString path = dir.filePath(QStringLiteral("pipe"));
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        return path;
    }

    QTemporaryDir dir;
};

TEST_P(ImportThesaurusCommand, PrintsTheRulesOrFails)
{
    const ImportCase& c = GetParam();
    QStringList args{QStringLiteral("import-thesaurus"),
                     c.dat.isEmpty() ? dir.filePath(QStringLiteral("missing.dat")) : write("th.dat", c.dat)};
    for (const QString& option : QString::fromUtf8(c.options).split(u' ', Qt::SkipEmptyParts))
        args.append(option == u"WORDS"  ? write("words.txt", "# common words\nbig\nLarge\n\n")
                    : option == u"FIFO" ? fifo()
                                        : QString(option).replace(u'@', dir.path()));
    const CliRun result = CliRun::run(args);
    EXPECT_EQ(result.code, c.code) << result.err.toStdString();
    EXPECT_EQ(result.out.toStdString(), c.out);
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.errContains).replace(u'@', dir.path())))
        << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportThesaurusCommand, ::testing::ValuesIn(ImportCases), quorvale::test::caseName);

} // namespace
