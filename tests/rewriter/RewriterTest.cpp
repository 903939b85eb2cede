#include "rewriter/Rewriter.h"

#include "LiteralRewriter.h"
#include "QStringPrinter.h"
#include "components/TextCase.h"

#include <gtest/gtest.h>

namespace {

using namespace quorvale;

QString unchanged(const QString& text)
{
    return text;
}

struct RewriteCase
{
    const char* name;
    QStringList rules;
    QString article;
    QString spintax;
    qint64 count;
};

class RewriteExamples : public ::testing::TestWithParam<RewriteCase>
{
};

// Every case runs through the engine and through the plain procedure; both must give the stated result.
TEST_P(RewriteExamples, EngineAndPlainProcedureGiveTheStatedSpintax)
{
    const RewriteCase& c = GetParam();
    const RewriteResult engine = Reescribir(c.article, RuleIndex(c.rules), &unchanged);
    EXPECT_EQ(engine.spintax, c.spintax);
    EXPECT_EQ(engine.replacementCount, c.count);
    const test::LiteralResult literal = test::literalRewrite(c.article, c.rules, &unchanged);
    EXPECT_EQ(literal.spintax, c.spintax);
    EXPECT_EQ(literal.replacementCount, c.count);
    EXPECT_EQ(engine.wordCount, literal.wordCount);
    EXPECT_EQ(engine.report, literal.report);
}

const QStringList bigRule{QStringLiteral("{big|large|huge}")};

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteExamples,
    ::testing::Values(
        RewriteCase{"two_occurrences", bigRule, QStringLiteral("A big dog, a big cat."),
                    QStringLiteral("A {large|huge} dog, a {large|huge} cat."), 2},
        RewriteCase{"comma_and_full_stop_suffixes", bigRule, QStringLiteral("He is big, very big."),
                    QStringLiteral("He is {large|huge}, very {large|huge}."), 2},
        RewriteCase{"colon_suffix", bigRule, QStringLiteral("It is big: yes"),
                    QStringLiteral("It is {large|huge}: yes"), 1},
        RewriteCase{"first_word_never_replaced", bigRule, QStringLiteral("Big news"), QStringLiteral("Big news"), 0},
        RewriteCase{"capitals_match", bigRule, QStringLiteral("The Big news, the BIG news"),
                    QStringLiteral("The {large|huge} news, the {large|huge} news"), 2},
        RewriteCase{"adjacent_repeat_only_first", bigRule, QStringLiteral("a big big dog"),
                    QStringLiteral("a {large|huge} big dog"), 1},
        RewriteCase{"other_suffixes_never_match", bigRule,
                    QStringLiteral("x big; x big! x big? x big) x big\" x big-x x big"),
                    QStringLiteral("x big; x big! x big? x big) x big\" x big-x x big"), 0},
        RewriteCase{"tab_and_line_start_never_match", bigRule, QStringLiteral("x\tbig y\r\nbig z\nbig."),
                    QStringLiteral("x\tbig y\r\nbig z\nbig."), 0},
        RewriteCase{"line_end_after_word_never_matches", bigRule, QStringLiteral("x big\r\ny"),
                    QStringLiteral("x big\r\ny"), 0},
        RewriteCase{"each_item_of_the_rule", bigRule, QStringLiteral("a big, a large, a huge."),
                    QStringLiteral("a {large|huge}, a {big|huge}, a {big|large}."), 3},
        RewriteCase{"two_item_rule", {QStringLiteral("{a|b}")}, QStringLiteral("x a y"), QStringLiteral("x {b} y"), 1},
        RewriteCase{"one_item_rule", {QStringLiteral("{a}")}, QStringLiteral("x a y"), QStringLiteral("x {a} y"), 1},
        RewriteCase{"phrase_rule",
                    {QStringLiteral("{in addition|also}")},
                    QStringLiteral("x in addition y also z"),
                    QStringLiteral("x {also} y {in addition} z"),
                    2},
        RewriteCase{"inserted_text_not_matched_again",
                    {QStringLiteral("{big|large}"), QStringLiteral("{large|huge}")},
                    QStringLiteral("a big dog"),
                    QStringLiteral("a {large} dog"),
                    1},
        RewriteCase{"marker_in_article_becomes_space", {}, QStringLiteral("50%% off"), QStringLiteral("50  off"), 0},
        RewriteCase{"no_match_reports_zero", bigRule, QStringLiteral("nothing here"), QStringLiteral("nothing here"),
                    0},
        RewriteCase{"non_rule_first_line",
                    {QStringLiteral("big|large"), QStringLiteral("{big|huge}")},
                    QStringLiteral("a big dog"),
                    QStringLiteral("a {huge} dog"),
                    1},
        RewriteCase{
            "nested_rule_a", {QStringLiteral("{a|{b|c}}")}, QStringLiteral("x a y"), QStringLiteral("x {{b|c}} y"), 1},
        RewriteCase{
            "nested_rule_b", {QStringLiteral("{a|{b|c}}")}, QStringLiteral("x b y"), QStringLiteral("x {a|{c}} y"), 1},
        RewriteCase{
            "nested_rule_c", {QStringLiteral("{a|{b|c}}")}, QStringLiteral("x c y"), QStringLiteral("x {a|{b}} y"), 1},
        RewriteCase{"word_after_a_group_is_blocked",
                    {QStringLiteral("{big|large}"), QStringLiteral("{dog|hound}")},
                    QStringLiteral("a big dog."),
                    QStringLiteral("a {large} dog."),
                    1},
        RewriteCase{"word_before_a_group_is_blocked",
                    {QStringLiteral("{dog|hound}"), QStringLiteral("{big|large}")},
                    QStringLiteral("a big dog."),
                    QStringLiteral("a big {hound}."),
                    1},
        RewriteCase{"upper_case_item_never_matches",
                    {QStringLiteral("{Big|large}")},
                    QStringLiteral("a big dog, a large dog"),
                    QStringLiteral("a big dog, a {Big} dog"),
                    1},
        RewriteCase{"earlier_rule_wins",
                    {QStringLiteral("{dog|hound}"), QStringLiteral("{dog|cur}")},
                    QStringLiteral("a dog, a dog."),
                    QStringLiteral("a {hound}, a {hound}."),
                    2},
        RewriteCase{"first_suffix_pass_wins_the_shared_space",
                    {QStringLiteral("{a|b}")},
                    QStringLiteral("x a a, y"),
                    QStringLiteral("x {b} a, y"),
                    1},
        RewriteCase{"longer_item_first_in_rule_order",
                    {QStringLiteral("{big dog|hound}"), QStringLiteral("{big|large}")},
                    QStringLiteral("a big dog and a big cat"),
                    QStringLiteral("a {hound} and a {large} cat"),
                    2},
        RewriteCase{"shorter_item_first_blocks_the_phrase",
                    {QStringLiteral("{big|large}"), QStringLiteral("{big dog|hound}")},
                    QStringLiteral("a big dog and a big cat"),
                    QStringLiteral("a {large} dog and a {large} cat"),
                    2},
        RewriteCase{"item_with_marker",
                    {QStringLiteral("{50%%off|sale}")},
                    QStringLiteral("a 50%%off b %% c"),
                    QStringLiteral("a {sale} b   c"),
                    1},
        RewriteCase{"item_with_full_stop",
                    {QStringLiteral("{e.g.|for example}")},
                    QStringLiteral("see e.g. this"),
                    QStringLiteral("see {for example} this"),
                    1},
        RewriteCase{"accented_capital_matches",
                    {QStringLiteral(u"{\u00E9t\u00E9|summer}")},
                    QStringLiteral(u"in \u00C9T\u00C9 now"),
                    QStringLiteral("in {summer} now"),
                    1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reescribir, ReportNamesCountAndWords)
{
    const RewriteResult r = Reescribir(QStringLiteral("A big dog, a big cat."), RuleIndex(bigRule), &unchanged);
    EXPECT_EQ(r.report, QStringLiteral("2 Replacements on 6 words."));
    EXPECT_EQ(r.wordCount, 6);
    EXPECT_EQ(rewriteReport(0, 120), QStringLiteral("0 Replacements on 120 words."));
    EXPECT_EQ(rewriteReport(5000000000LL, 7), QStringLiteral("5000000000 Replacements on 7 words."));
}

TEST(Reescribir, SpinsTheArticleFirstAndCountsTheSpunWords)
{
    QStringList seen;
    const auto spin = [&seen](const QString& text) {
        seen.append(text);
        return QStringLiteral("one big dog here");
    };
    const RewriteResult r =
        Reescribir(QStringLiteral("{a|b}"), RuleIndex(QStringList{QStringLiteral("{big|large}")}), spin);
    EXPECT_EQ(seen, QStringList{QStringLiteral("{a|b}")});
    EXPECT_EQ(r.spintax, QStringLiteral("one {large} dog here"));
    EXPECT_EQ(r.wordCount, 4);
}

TEST(Reescribir, CountsBeyondSixteenBits)
{
    const int n = 40000;
    QString article = QStringLiteral("x");
    QString expected = QStringLiteral("x");
    for (int i = 0; i < n; ++i) {
        article += QStringLiteral(" a,");
        expected += QStringLiteral(" {b},");
    }
    const RewriteResult r = Reescribir(article, RuleIndex(QStringList{QStringLiteral("{a|b}")}), &unchanged);
    EXPECT_EQ(r.replacementCount, n);
    EXPECT_EQ(r.spintax, expected);
}

TEST(RuleIndex, EmptyIndexOnlyTurnsMarkersIntoSpaces)
{
    const RuleIndex none;
    qint64 count = 0;
    EXPECT_EQ(none.apply(QStringLiteral("a big%%dog"), count), QStringLiteral("a big dog"));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(none.rules().isEmpty());
}

TEST(RuleIndex, ReusedForManyArticlesGivesWhatAFreshIndexGives)
{
    const QStringList rules{QStringLiteral("{big|large}"), QStringLiteral("{dog|hound}"),
                            QStringLiteral("{in addition|also}")};
    const RuleIndex shared(rules);
    const QStringList articles{QStringLiteral("a big dog"), QStringLiteral("x in addition, a dog."),
                               QStringLiteral("also big also"), QStringLiteral("a big dog")};
    qint64 total = 0;
    for (const QString& article : articles) {
        qint64 fresh = 0;
        EXPECT_EQ(shared.apply(article, total), RuleIndex(rules).apply(article, fresh));
    }
    EXPECT_EQ(total, 1 + 2 + 1 + 1);
    EXPECT_EQ(shared.rules(), rules);
}

TEST(RuleIndex, MovedIndexKeepsItsRules)
{
    RuleIndex first(QStringList{QStringLiteral("{big|large}")});
    RuleIndex second = std::move(first);
    qint64 count = 0;
    EXPECT_EQ(second.apply(QStringLiteral("a big dog"), count), QStringLiteral("a {large} dog"));
}

struct AlternativesCase
{
    const char* name;
    QString line;
    QString item;
    QString alternatives;
};

class Alternatives : public ::testing::TestWithParam<AlternativesCase>
{
};

TEST_P(Alternatives, TakesTheItemOut)
{
    const AlternativesCase& c = GetParam();
    EXPECT_EQ(BuildAlternatives(c.line, c.item), c.alternatives);
    EXPECT_EQ(test::literalAlternatives(c.line, c.item), c.alternatives);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Alternatives,
    ::testing::Values(
        AlternativesCase{"first", QStringLiteral("{big|large|huge}"), QStringLiteral("big"),
                         QStringLiteral("{large|huge}")},
        AlternativesCase{"middle", QStringLiteral("{big|large|huge}"), QStringLiteral("large"),
                         QStringLiteral("{big|huge}")},
        AlternativesCase{"last", QStringLiteral("{big|large|huge}"), QStringLiteral("huge"),
                         QStringLiteral("{big|large}")},
        AlternativesCase{"two_items", QStringLiteral("{a|b}"), QStringLiteral("a"), QStringLiteral("{b}")},
        AlternativesCase{"one_item_stays", QStringLiteral("{a}"), QStringLiteral("a"), QStringLiteral("{a}")},
        AlternativesCase{"phrase", QStringLiteral("{in addition|also}"), QStringLiteral("also"),
                         QStringLiteral("{in addition}")},
        AlternativesCase{"nested_a", QStringLiteral("{a|{b|c}}"), QStringLiteral("a"), QStringLiteral("{{b|c}}")},
        AlternativesCase{"nested_b", QStringLiteral("{a|{b|c}}"), QStringLiteral("b"), QStringLiteral("{a|{c}}")},
        AlternativesCase{"nested_c", QStringLiteral("{a|{b|c}}"), QStringLiteral("c"), QStringLiteral("{a|{b}}")},
        AlternativesCase{"ignores_case_of_the_line", QStringLiteral("{Big|large}"), QStringLiteral("big"),
                         QStringLiteral("{large}")},
        AlternativesCase{"item_lower_cased", QStringLiteral("{a|B|c}"), QStringLiteral("B"), QStringLiteral("{a|c}")},
        AlternativesCase{"repeated_item", QStringLiteral("{a|a|a}"), QStringLiteral("a"), QStringLiteral("{a}")},
        AlternativesCase{"item_elsewhere_kept", QStringLiteral("{big|large}"), QStringLiteral("small"),
                         QStringLiteral("{big|large}")},
        AlternativesCase{"only_whole_items", QStringLiteral("{a|ab|ba}"), QStringLiteral("a"),
                         QStringLiteral("{ab|ba}")}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReplaceCase
{
    const char* name;
    QString text;
    QString find;
    QString replacement;
    QString result;
    qint64 replaced;
};

class ReplaceAndCountCases : public ::testing::TestWithParam<ReplaceCase>
{
};

TEST_P(ReplaceAndCountCases, ReplacesMarksAndCounts)
{
    const ReplaceCase& c = GetParam();
    qint64 count = 5;
    EXPECT_EQ(ReplaceAndCount(c.text, c.find, c.replacement, count), c.result);
    EXPECT_EQ(count, 5 + c.replaced);
    qint64 literalCount = 5;
    EXPECT_EQ(test::literalReplaceAndCount(c.text, c.find, c.replacement, literalCount), c.result);
    EXPECT_EQ(literalCount, 5 + c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAndCountCases,
    ::testing::Values(ReplaceCase{"inserted_text_not_searched", QStringLiteral("aa"), QStringLiteral("a"),
                                  QStringLiteral("aa"), QStringLiteral("aaaa"), 2},
                      ReplaceCase{"matches_do_not_overlap", QStringLiteral(" a a a "), QStringLiteral(" a "),
                                  QStringLiteral(" b "), QStringLiteral("%%b%%a%%b%%"), 2},
                      ReplaceCase{"ignores_case", QStringLiteral("The BIG dog"), QStringLiteral(" big "),
                                  QStringLiteral(" x y "), QStringLiteral("The%%x%%y%%dog"), 1},
                      ReplaceCase{"no_match", QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("y"),
                                  QStringLiteral("abc"), 0},
                      ReplaceCase{"empty_text", QString(), QStringLiteral("x"), QStringLiteral("y"), QString(), 0},
                      ReplaceCase{"whole_text", QStringLiteral(" a,"), QStringLiteral(" a,"), QStringLiteral(" {b c},"),
                                  QStringLiteral("%%{b%%c},"), 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The engine relies on lower-casing never turning another unit into one of the
// characters that shape a match or a group, and on lower-casing twice changing
// nothing more (so items with upper-case units never match). Checked here for
// every UTF-16 code unit.
TEST(LowerUnit, IdempotentAndNeverProducesSyntaxCharactersFromOtherUnits)
{
    const QString syntax = QStringLiteral(" ,.:{|}%");
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QChar c{char16_t(u)};
        const QChar lower = lowerUnit(c);
        ASSERT_EQ(lowerUnit(lower), lower) << "unit " << unsigned(u);
        if (syntax.contains(lower)) {
            ASSERT_EQ(lower, c) << "unit " << unsigned(u) << " lower-cases to a syntax character";
        }
    }
}

} // namespace
