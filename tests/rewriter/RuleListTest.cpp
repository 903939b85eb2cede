#include "rewriter/RuleList.h"

#include "QStringPrinter.h"
#include "components/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using quorvale::ShowRuleItems;

struct ItemsCase
{
    const char* name;
    QString line;
    QStringList items;
};

class RuleItems : public ::testing::TestWithParam<ItemsCase>
{
};

TEST_P(RuleItems, SplitsTheLine)
{
    EXPECT_EQ(ShowRuleItems(GetParam().line), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleItems,
    ::testing::Values(
        ItemsCase{"three_words",
                  QStringLiteral("{big|large|huge}"),
                  {QStringLiteral("big"), QStringLiteral("large"), QStringLiteral("huge")}},
        ItemsCase{"phrase_keeps_inner_space",
                  QStringLiteral("{in addition|also}"),
                  {QStringLiteral("in addition"), QStringLiteral("also")}},
        ItemsCase{"no_braces", QStringLiteral("big|large"), {}},
        ItemsCase{"no_closing_brace", QStringLiteral("{big|large"), {}},
        ItemsCase{"no_opening_brace", QStringLiteral("big|large}"), {}}, ItemsCase{"empty_line", QString(), {}},
        ItemsCase{"lone_open_brace", QStringLiteral("{"), {}}, ItemsCase{"empty_group", QStringLiteral("{}"), {}},
        ItemsCase{"nested_braces_vanish",
                  QStringLiteral("{a|{b|c}}"),
                  {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        ItemsCase{"brace_inside_item_vanishes", QStringLiteral("{x{y|z}"), {QStringLiteral("xy"), QStringLiteral("z")}},
        ItemsCase{"empty_pieces_dropped", QStringLiteral("{a||b|}"), {QStringLiteral("a"), QStringLiteral("b")}},
        ItemsCase{"spaces_kept", QStringLiteral("{ a | b }"), {QStringLiteral(" a "), QStringLiteral(" b ")}},
        ItemsCase{"case_kept", QStringLiteral("{Big|LARGE}"), {QStringLiteral("Big"), QStringLiteral("LARGE")}},
        ItemsCase{"single_item", QStringLiteral("{a}"), {QStringLiteral("a")}},
        ItemsCase{"leading_space_is_not_a_rule", QStringLiteral(" {a|b}"), {}},
        ItemsCase{"trailing_space_is_not_a_rule", QStringLiteral("{a|b} "), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadRuleList, OneEntryPerLineInFileOrderWithDuplicatesAndNonRules)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rwdb.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{big|large}\r\nnot a rule\r\n{big|large}\r\n\r\n{Gro\xC3\x9F|gro\xC3\x9F}\r\n");
    file.close();
    const quorvale::RuleList rules = quorvale::LoadRuleList(path);
    EXPECT_EQ(rules, (QStringList{QStringLiteral("{big|large}"), QStringLiteral("not a rule"),
                                  QStringLiteral("{big|large}"), QString(), QStringLiteral(u"{Gro\u00DF|gro\u00DF}")}));
}

TEST(LoadRuleList, MissingFileThrowsNamingThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/rwdb.txt"));
    try {
        quorvale::LoadRuleList(path);
        FAIL() << "no error for a missing rule file";
    } catch (const quorvale::Error& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
    }
}

TEST(LoadRuleList, FolderThrowsNamingThePath)
{
    QTemporaryDir dir;
    EXPECT_THROW(quorvale::LoadRuleList(dir.path()), quorvale::Error);
}

} // namespace
