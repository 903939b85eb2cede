#include "rewriter/ThesaurusImport.h"

#include "QStringPrinter.h"
#include "components/Error.h"

#include <gtest/gtest.h>

namespace {

using namespace quorvale;

const QString kThesaurus = QStringLiteral(u"UTF-8\n"
                                          "big|2\n"
                                          "(adj)|large|Huge|animal (generic term)|great (similar term)\n"
                                          "(adj)|important|big|Large\n"
                                          "large|1\n"
                                          "(adj)|big|huge\n"
                                          "Hague|1\n"
                                          "(noun)|The Hague|den Haag|city (generic term)\n"
                                          "odd|1\n"
                                          "(adj)|curious (related term)|small (antonym)\n"
                                          "in addition|1\n"
                                          "(adv)|also|additionally|too\n"
                                          "weird|1\n"
                                          "(adj)|{strange}|eerie\n"
                                          "light|2\n"
                                          "(noun)|illumination\n"
                                          "(adj)|pale\n"
                                          "illumination|1\n"
                                          "(noun)|light\n");

struct ImportCase
{
    const char* name;
    bool firstMeaningOnly;
    bool unambiguousOnly;
    qsizetype maxItems;
    QStringList commonWords;
    QStringList rules;
    QStringList excluded = {};
};

class Import : public ::testing::TestWithParam<ImportCase>
{
};

TEST_P(Import, GivesTheRules)
{
    const ImportCase& c = GetParam();
    ThesaurusImportOptions options;
    options.firstMeaningOnly = c.firstMeaningOnly;
    options.unambiguousOnly = c.unambiguousOnly;
    options.maxItems = c.maxItems;
    options.commonWords = QSet<QString>(c.commonWords.begin(), c.commonWords.end());
    options.excluded = QSet<QString>(c.excluded.begin(), c.excluded.end());
    EXPECT_EQ(importThesaurus(kThesaurus, options), c.rules);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Import,
    ::testing::Values(
        // large's meaning has the same items as big's first one and is dropped, and so is illumination's;
        // "odd" is left with one item and gives no rule; braces never reach an item.
        ImportCase{"all_meanings",
                   false,
                   false,
                   0,
                   {},
                   {QStringLiteral("{big|large|huge}"), QStringLiteral("{big|important|large}"),
                    QStringLiteral("{hague|the hague|den haag}"), QStringLiteral("{in addition|also|additionally|too}"),
                    QStringLiteral("{weird|eerie}"), QStringLiteral("{light|illumination}"),
                    QStringLiteral("{light|pale}")}},
        ImportCase{"first_meaning_only",
                   true,
                   false,
                   0,
                   {},
                   {QStringLiteral("{big|large|huge}"), QStringLiteral("{hague|the hague|den haag}"),
                    QStringLiteral("{in addition|also|additionally|too}"), QStringLiteral("{weird|eerie}"),
                    QStringLiteral("{light|illumination}")}},
        ImportCase{"capped_items",
                   true,
                   false,
                   2,
                   {},
                   // large's capped rule {large|big} repeats {big|large} and is dropped.
                   {QStringLiteral("{big|large}"), QStringLiteral("{hague|the hague}"),
                    QStringLiteral("{in addition|also}"), QStringLiteral("{weird|eerie}"),
                    QStringLiteral("{light|illumination}")}},
        // Only big and large name each other back; light has two parts of speech, huge no entry of its own.
        ImportCase{"unambiguous", false, true, 0, {}, {QStringLiteral("{big|large}")}},
        // "the" takes "the hague" away, "in addition" goes whole, "light" takes its rules with it.
        ImportCase{
            "excluded_items_and_words",
            true,
            false,
            0,
            {},
            {QStringLiteral("{big|large|huge}"), QStringLiteral("{hague|den haag}"), QStringLiteral("{weird|eerie}")},
            {QStringLiteral("the"), QStringLiteral("in addition"), QStringLiteral("light")}},
        ImportCase{"common_words_only",
                   false,
                   false,
                   0,
                   {QStringLiteral("big"), QStringLiteral("large"), QStringLiteral("in"), QStringLiteral("addition"),
                    QStringLiteral("also"), QStringLiteral("too"), QStringLiteral("important")},
                   {QStringLiteral("{big|large}"), QStringLiteral("{big|important|large}"),
                    QStringLiteral("{in addition|also|too}")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Import, MalformedTextThrows)
{
    EXPECT_THROW(importThesaurus(QStringLiteral("UTF-8\nbig\n(adj)|large\n"), {}), Error);
    EXPECT_THROW(importThesaurus(QStringLiteral("UTF-8\nbig|3\n(adj)|large\n"), {}), Error);
    EXPECT_TRUE(importThesaurus(QStringLiteral("UTF-8\n"), {}).isEmpty());
}

TEST(Import, MissingFileThrowsNamingThePath)
{
    try {
        importThesaurusFile(QStringLiteral("/nonexistent/th.dat"), {});
        FAIL();
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("/nonexistent/th.dat")));
    }
}

} // namespace
