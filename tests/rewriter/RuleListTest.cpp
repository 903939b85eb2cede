#include "rewriter/RuleList.h"

#include "TestSupport.h"

#include <QTemporaryDir>

namespace {

struct ItemsCase
{
    const char* name;
    const char16_t* line;
    const char16_t* items; ///< separated by '/'
};

class RuleItems : public ::testing::TestWithParam<ItemsCase>
{
};

TEST_P(RuleItems, SplitTheLine)
{
    const ItemsCase& c = GetParam();
    EXPECT_EQ(quorvale::ruleItems(QString::fromUtf16(c.line)),
              QString::fromUtf16(c.items).split(u'/', Qt::SkipEmptyParts));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleItems,
    ::testing::Values(ItemsCase{"phrase_keeps_inner_space", u"{in addition|also}", u"in addition/also"},
                      ItemsCase{"no_closing_brace", u"{big|large", u""},
                      ItemsCase{"nested_braces_vanish", u"{a|{b|c}}", u"a/b/c"},
                      ItemsCase{"empty_pieces_dropped_spaces_and_case_kept", u"{ a ||B|}", u" a /B"}),
    quorvale::test::caseName);

TEST(LoadRuleList, OneEntryPerLineWithDuplicatesAndNonRules)
{
    QTemporaryDir dir;
    const QString path = quorvale::test::writeFile(dir.filePath(QStringLiteral("rwdb.txt")),
                                                   "{big|large}\r\nnot a rule\r\n{big|large}\r\n\r\n{Gro\xC3\x9F}\r\n");
    EXPECT_EQ(quorvale::loadRuleList(path),
              (QStringList{QStringLiteral("{big|large}"), QStringLiteral("not a rule"), QStringLiteral("{big|large}"),
                           QString(), QStringLiteral(u"{Gro\u00DF}")}));
}

} // namespace
