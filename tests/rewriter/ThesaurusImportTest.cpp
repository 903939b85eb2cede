#include "rewriter/ThesaurusImport.h"

#include "TestSupport.h"
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

QSet<QString> wordSet(const char* words)
{
    const QStringList list = QString::fromUtf8(words).split(u'/', Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

struct ImportCase
{
    const char* name;
    bool firstMeaningOnly;
    bool unambiguousOnly;
    qsizetype maxItems;
    const char* commonWords; ///< separated by '/'
    const char* excluded;    ///< likewise
    const char* rules;       ///< one per line
};

const ImportCase ImportCases[] = {
    // large's meaning has the same items as big's first one and is dropped, and so is illumination's;
    // "odd" is left with one item and gives no rule; braces never reach an item.
    {"all_meanings", false, false, 0, "", "",
     "{big|large|huge}\n{big|important|large}\n{hague|the hague|den haag}\n{in addition|also|additionally|too}\n"
     "{weird|eerie}\n{light|illumination}\n{light|pale}"},
    {"first_meaning_only", true, false, 0, "", "",
     "{big|large|huge}\n{hague|the hague|den haag}\n{in addition|also|additionally|too}\n{weird|eerie}\n"
     "{light|illumination}"},
    // large's capped rule {large|big} repeats {big|large} and is dropped.
    {"capped_items", true, false, 2, "", "",
     "{big|large}\n{hague|the hague}\n{in addition|also}\n{weird|eerie}\n{light|illumination}"},
    // Only big and large name each other back; light has two parts of speech, huge no entry of its own.
    {"unambiguous", false, true, 0, "", "", "{big|large}"},
    // "the" takes "the hague" away, "in addition" goes whole, "light" takes its rules with it.
    {"excluded_items_and_words", true, false, 0, "", "the/in addition/light",
     "{big|large|huge}\n{hague|den haag}\n{weird|eerie}"},
    {"common_words_only", false, false, 0, "big/large/in/addition/also/too/important", "",
     "{big|large}\n{big|important|large}\n{in addition|also|too}"},
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
    options.commonWords = wordSet(c.commonWords);
    options.excluded = wordSet(c.excluded);
    EXPECT_EQ(importThesaurus(kThesaurus, options), QString::fromUtf8(c.rules).split(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Cases, Import, ::testing::ValuesIn(ImportCases), quorvale::test::caseName);

TEST(Import, TooFewMeaningLinesThrow)
{
    EXPECT_THROW(importThesaurus(QStringLiteral("UTF-8\nbig|3\n(adj)|large\n"), {}), Error);
    EXPECT_TRUE(importThesaurus(QStringLiteral("UTF-8\n"), {}).isEmpty());
}

} // namespace
