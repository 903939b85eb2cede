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

const auto caseName = [](const auto& info) { return std::string(info.param.name); };

struct RewriteCase
{
    const char* name;
    const char16_t* rules; ///< rule lines, separated by '\n'
    const char16_t* article;
    const char16_t* spintax;
    qint64 count;
};

const char16_t* const Big = u"{big|large|huge}";

const RewriteCase RewriteCases[] = {
    {"two_occurrences", Big, u"A big dog, a big cat.", u"A {large|huge} dog, a {large|huge} cat.", 2},
    {"colon_suffix", Big, u"It is big: yes", u"It is {large|huge}: yes", 1},
    {"first_word_never_replaced", Big, u"Big news", u"Big news", 0},
    {"adjacent_repeat_only_first", Big, u"a big big dog", u"a {large|huge} big dog", 1},
    {"other_suffixes_never_match", Big, u"x big; x big! x big? x big) x big\" x big-x x big",
     u"x big; x big! x big? x big) x big\" x big-x x big", 0},
    {"tabs_and_line_breaks_never_match", Big, u"x\tbig y\r\nbig z\nbig. x big\r\ny",
     u"x\tbig y\r\nbig z\nbig. x big\r\ny", 0},
    {"each_item_of_the_rule", Big, u"a big, a large, a huge.", u"a {large|huge}, a {big|huge}, a {big|large}.", 3},
    {"phrase_rule", u"{in addition|also}", u"x in addition y also z", u"x {also} y {in addition} z", 2},
    {"inserted_text_not_matched_again", u"{big|large}\n{large|huge}", u"a big dog", u"a {large} dog", 1},
    {"marker_in_article_becomes_space", u"", u"50%% off", u"50  off", 0},
    {"non_rule_first_line", u"big|large\n{big|huge}", u"a big dog", u"a {huge} dog", 1},
    {"nested_rule", u"{a|{b|c}}", u"x b y", u"x {a|{c}} y", 1},
    {"word_after_a_group_is_blocked", u"{big|large}\n{dog|hound}", u"a big dog.", u"a {large} dog.", 1},
    {"word_before_a_group_is_blocked", u"{dog|hound}\n{big|large}", u"a big dog.", u"a big {hound}.", 1},
    {"upper_case_item_never_matches", u"{Big|large}", u"a big dog, a large dog", u"a big dog, a {Big} dog", 1},
    {"earlier_rule_wins", u"{dog|hound}\n{dog|cur}", u"a dog, a dog.", u"a {hound}, a {hound}.", 2},
    {"first_suffix_pass_wins_the_shared_space", u"{a|b}", u"x a a, y", u"x {b} a, y", 1},
    {"longer_item_first_in_rule_order", u"{big dog|hound}\n{big|large}", u"a big dog and a big cat",
     u"a {hound} and a {large} cat", 2},
    {"shorter_item_first_blocks_the_phrase", u"{big|large}\n{big dog|hound}", u"a big dog and a big cat",
     u"a {large} dog and a {large} cat", 2},
    {"item_with_marker", u"{50%%off|sale}", u"a 50%%off b %% c", u"a {sale} b   c", 1},
    {"accented_capital_matches", u"{\u00E9t\u00E9|summer}", u"in \u00C9T\u00C9 now", u"in {summer} now", 1},
};

class RewriteExamples : public ::testing::TestWithParam<RewriteCase>
{
};

// Every case runs through the engine and through the plain procedure; both must give the stated result.
TEST_P(RewriteExamples, EngineAndPlainProcedureGiveTheStatedSpintax)
{
    const RewriteCase& c = GetParam();
    const QStringList rules = QString::fromUtf16(c.rules).split(u'\n', Qt::SkipEmptyParts);
    const RewriteResult engine = Reescribir(QString::fromUtf16(c.article), RuleIndex(rules), &unchanged);
    EXPECT_EQ(engine.spintax, QString::fromUtf16(c.spintax));
    EXPECT_EQ(engine.replacementCount, c.count);
    const test::LiteralResult literal = test::literalRewrite(QString::fromUtf16(c.article), rules, &unchanged);
    EXPECT_EQ(literal.spintax, QString::fromUtf16(c.spintax));
    EXPECT_EQ(literal.replacementCount, c.count);
    EXPECT_EQ(engine.wordCount, literal.wordCount);
    EXPECT_EQ(engine.report, literal.report);
}

INSTANTIATE_TEST_SUITE_P(Cases, RewriteExamples, ::testing::ValuesIn(RewriteCases), caseName);

TEST(Reescribir, ReportNamesCountAndWords)
{
    EXPECT_EQ(
        Reescribir(QStringLiteral("A big dog."), RuleIndex(QStringList{QString::fromUtf16(Big)}), &unchanged).report,
        QStringLiteral("1 Replacements on 3 words."));
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
    const QString article = QStringLiteral("x") + QStringLiteral(" a,").repeated(n);
    const RewriteResult r = Reescribir(article, RuleIndex(QStringList{QStringLiteral("{a|b}")}), &unchanged);
    EXPECT_EQ(r.replacementCount, n);
    EXPECT_EQ(r.spintax, QStringLiteral("x") + QStringLiteral(" {b},").repeated(n));
}

TEST(RuleIndex, ReusedForManyArticlesGivesWhatAFreshIndexGives)
{
    const QStringList rules{QStringLiteral("{big|large}"), QStringLiteral("{in addition|also}")};
    const RuleIndex shared(rules);
    qint64 total = 0;
    for (const char* article : {"a big dog", "x in addition, a dog.", "a big dog"}) {
        qint64 fresh = 0;
        const QString text = QString::fromLatin1(article);
        EXPECT_EQ(shared.apply(text, total), RuleIndex(rules).apply(text, fresh)) << article;
    }
    EXPECT_EQ(total, 3);
    EXPECT_EQ(shared.rules(), rules);
}

struct AlternativesCase
{
    const char* name;
    const char16_t* line;
    const char16_t* item;
    const char16_t* alternatives;
};

const AlternativesCase AlternativesCases[] = {
    {"first", u"{big|large|huge}", u"big", u"{large|huge}"},
    {"one_item_stays", u"{a}", u"a", u"{a}"},
    {"phrase", u"{in addition|also}", u"also", u"{in addition}"},
    {"nested_b", u"{a|{b|c}}", u"b", u"{a|{c}}"},
    {"ignores_case_of_the_line", u"{Big|large}", u"big", u"{large}"},
    {"item_lower_cased", u"{a|B|c}", u"B", u"{a|c}"},
    {"item_elsewhere_kept", u"{big|large}", u"small", u"{big|large}"},
    {"only_whole_items", u"{a|ab|ba}", u"a", u"{ab|ba}"},
};

class Alternatives : public ::testing::TestWithParam<AlternativesCase>
{
};

TEST_P(Alternatives, TakesTheItemOut)
{
    const AlternativesCase& c = GetParam();
    const QString line = QString::fromUtf16(c.line);
    const QString item = QString::fromUtf16(c.item);
    EXPECT_EQ(BuildAlternatives(line, item), QString::fromUtf16(c.alternatives));
    EXPECT_EQ(test::literalAlternatives(line, item), QString::fromUtf16(c.alternatives));
}

INSTANTIATE_TEST_SUITE_P(Cases, Alternatives, ::testing::ValuesIn(AlternativesCases), caseName);

TEST(ReplaceAndCount, MarksSpacesIgnoresCaseAndNeverSearchesInsertedText)
{
    qint64 count = 5;
    EXPECT_EQ(ReplaceAndCount(QStringLiteral("aa"), QStringLiteral("a"), QStringLiteral("aa"), count),
              QStringLiteral("aaaa"));
    EXPECT_EQ(ReplaceAndCount(QStringLiteral(" a a a "), QStringLiteral(" a "), QStringLiteral(" b "), count),
              QStringLiteral("%%b%%a%%b%%"));
    EXPECT_EQ(ReplaceAndCount(QStringLiteral("The BIG dog"), QStringLiteral(" big "), QStringLiteral(" x y "), count),
              QStringLiteral("The%%x%%y%%dog"));
    EXPECT_EQ(count, 5 + 2 + 2 + 1);
}

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
