#include "rewriter/RuleList.h"

#include "QStringPrinter.h"
#include "components/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ItemsCase
{
    const char* name;
    const char16_t* line;
    const char16_t* items; ///< separated by '/'
};

const ItemsCase ItemsCases[] = {
    {"three_words", u"{big|large|huge}", u"big/large/huge"},
    {"phrase_keeps_inner_space", u"{in addition|also}", u"in addition/also"},
    {"no_closing_brace", u"{big|large", u""},
    {"no_opening_brace", u"big|large}", u""},
    {"surrounding_spaces_not_a_rule", u" {a|b} ", u""},
    {"empty_line", u"", u""},
    {"empty_group", u"{}", u""},
    {"nested_braces_vanish", u"{a|{b|c}}", u"a/b/c"},
    {"empty_pieces_dropped", u"{a||b|}", u"a/b"},
    {"spaces_kept", u"{ a | b }", u" a / b "},
    {"case_kept", u"{Big|LARGE}", u"Big/LARGE"},
    {"single_item", u"{a}", u"a"},
};

class RuleItems : public ::testing::TestWithParam<ItemsCase>
{
};

TEST_P(RuleItems, SplitsTheLine)
{
    const ItemsCase& c = GetParam();
    EXPECT_EQ(quorvale::ShowRuleItems(QString::fromUtf16(c.line)),
              QString::fromUtf16(c.items).split(u'/', Qt::SkipEmptyParts));
}

INSTANTIATE_TEST_SUITE_P(Cases, RuleItems, ::testing::ValuesIn(ItemsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadRuleList, OneEntryPerLineInFileOrderWithDuplicatesAndNonRules)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rwdb.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{big|large}\r\nnot a rule\r\n{big|large}\r\n\r\n{Gro\xC3\x9F|gro\xC3\x9F}\r\n");
    file.close();
    EXPECT_EQ(quorvale::LoadRuleList(path),
              (QStringList{QStringLiteral("{big|large}"), QStringLiteral("not a rule"), QStringLiteral("{big|large}"),
                           QString(), QStringLiteral(u"{Gro\u00DF|gro\u00DF}")}));
}

TEST(LoadRuleList, MissingFileOrFolderThrowsNamingThePath)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath(QStringLiteral("missing/rwdb.txt")), dir.path()}) {
        try {
            quorvale::LoadRuleList(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const quorvale::Error& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        }
    }
}

} // namespace
