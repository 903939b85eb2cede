// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/ThesaurusImport.h"

#include "TestSupport.h"
#include "components/Error.h"

namespace {

using namespace quorvale;

QSet<QString> wordSet(const QString& words)
{
    const QStringList list = words.split(u'/', Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

std::vector<test::ReferenceCase> importCases()
{
    std::vector<test::ReferenceCase> cases = test::referenceCases("thesaurus-import.txt");
    cases.erase(cases.begin()); // the thesaurus itself
    return cases;
}

class Import : public ::testing::TestWithParam<test::ReferenceCase>
{
};

TEST_P(Import, GivesTheRules)
{
    const test::ReferenceCase& c = GetParam();
    const QString options = c["options"];
    ThesaurusImportOptions chosen;
    chosen.firstMeaningOnly = options.contains(u'f');
    chosen.unambiguousOnly = options.contains(u'u');
    chosen.maxItems = options.contains(u'2') ? 2 : 0;
    chosen.commonWords = wordSet(c["words"]);
    chosen.excluded = wordSet(c["excluded"]);
    const QString thesaurus = test::referenceCases("thesaurus-import.txt").front()["text"];
    EXPECT_EQ(importThesaurus(thesaurus, chosen), c["rules"].split(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Cases, Import, ::testing::ValuesIn(importCases()), test::referenceName);

TEST(Import, TooFewMeaningLinesThrow)
{
    EXPECT_THROW(importThesaurus(QStringLiteral("UTF-8\nbig|3\n(adj)|large\n"), {}), Error);
    EXPECT_TRUE(importThesaurus(QStringLiteral("UTF-8\n"), {}).isEmpty());
}

} // namespace
