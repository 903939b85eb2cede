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
    {"comma_and_full_stop_suffixes", Big, u"He is big, very big.", u"He is {large|huge}, very {large|huge}.", 2},
    {"colon_suffix", Big, u"It is big: yes", u"It is {large|huge}: yes", 1},
    {"first_word_never_replaced", Big, u"Big news", u"Big news", 0},
    {"capitals_match", Big, u"The Big news, the BIG news", u"The {large|huge} news, the {large|huge} news", 2},
    {"adjacent_repeat_only_first", Big, u"a big big dog", u"a {large|huge} big dog", 1},
    {"other_suffixes_never_match", Big, u"x big; x big! x big? x big) x big\" x big-x x big",
     u"x big; x big! x big? x big) x big\" x big-x x big", 0},
    {"tabs_and_line_breaks_never_match", Big, u"x\tbig y\r\nbig z\nbig. x big\r\ny",
     u"x\tbig y\r\nbig z\nbig. x big\r\ny", 0},
    {"each_item_of_the_rule", Big, u"a big, a large, a huge.", u"a {large|huge}, a {big|huge}, a {big|large}.", 3},
    {"two_item_rule", u"{a|b}", u"x a y", u"x {b} y", 1},
    {"one_item_rule", u"{a}", u"x a y", u"x {a} y", 1},
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
    {"item_with_full_stop", u"{e.g.|for example}", u"see e.g. this", u"see {for example} this", 1},
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

TEST(Reescribir, ReportNamesCountAndWordsAlsoForNoReplacement)
{
    const RuleIndex big(QStringList{QString::fromUtf16(Big)});
    EXPECT_EQ(Reescribir(QStringLiteral("A big dog, a big cat."), big, &unchanged).report,
              QStringLiteral("2 Replacements on 6 words."));
    EXPECT_EQ(Reescribir(QStringLiteral("nothing here"), big, &unchanged).report,
              QStringLiteral("0 Replacements on 2 words."));
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

TEST(RuleIndex, EmptyIndexOnlyTurnsMarkersIntoSpacesAndAMovedIndexKeepsItsRules)
{
    RuleIndex index;
    qint64 count = 0;
    EXPECT_EQ(index.apply(QStringLiteral("a big%%dog"), count), QStringLiteral("a big dog"));
    index = RuleIndex(QStringList{QStringLiteral("{big|large}")});
    EXPECT_EQ(index.apply(QStringLiteral("a big dog"), count), QStringLiteral("a {large} dog"));
    EXPECT_EQ(count, 1);
}

TEST(RuleIndex, ReusedForManyArticlesGivesWhatAFreshIndexGives)
{
    const QStringList rules{QStringLiteral("{big|large}"), QStringLiteral("{dog|hound}"),
                            QStringLiteral("{in addition|also}")};
    const RuleIndex shared(rules);
    qint64 total = 0;
    for (const char* article : {"a big dog", "x in addition, a dog.", "also big also", "a big dog"}) {
        qint64 fresh = 0;
        const QString text = QString::fromLatin1(article);
        EXPECT_EQ(shared.apply(text, total), RuleIndex(rules).apply(text, fresh)) << article;
    }
    EXPECT_EQ(total, 1 + 2 + 1 + 1);
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
    {"middle", u"{big|large|huge}", u"large", u"{big|huge}"},
    {"last", u"{big|large|huge}", u"huge", u"{big|large}"},
    {"one_item_stays", u"{a}", u"a", u"{a}"},
    {"phrase", u"{in addition|also}", u"also", u"{in addition}"},
    {"nested_a", u"{a|{b|c}}", u"a", u"{{b|c}}"},
    {"nested_b", u"{a|{b|c}}", u"b", u"{a|{c}}"},
    {"nested_c", u"{a|{b|c}}", u"c", u"{a|{b}}"},
    {"ignores_case_of_the_line", u"{Big|large}", u"big", u"{large}"},
    {"item_lower_cased", u"{a|B|c}", u"B", u"{a|c}"},
    {"repeated_item", u"{a|a|a}", u"a", u"{a}"},
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

struct ReplaceCase
{
    const char* name;
    const char* text;
    const char* find;
    const char* replacement;
    const char* result;
    qint64 replaced;
};

const ReplaceCase ReplaceCases[] = {
    {"inserted_text_not_searched", "aa", "a", "aa", "aaaa", 2},
    {"matches_do_not_overlap", " a a a ", " a ", " b ", "%%b%%a%%b%%", 2},
    {"ignores_case_and_marks_spaces", "The BIG dog", " big ", " x y ", "The%%x%%y%%dog", 1},
    {"no_match", "abc", "x", "y", "abc", 0},
};

class ReplaceAndCountCases : public ::testing::TestWithParam<ReplaceCase>
{
};

TEST_P(ReplaceAndCountCases, ReplacesMarksAndCounts)
{
    const ReplaceCase& c = GetParam();
    const QString text = QString::fromLatin1(c.text);
    const QString find = QString::fromLatin1(c.find);
    const QString replacement = QString::fromLatin1(c.replacement);
    qint64 count = 5;
    EXPECT_EQ(ReplaceAndCount(text, find, replacement, count), QString::fromLatin1(c.result));
    EXPECT_EQ(count, 5 + c.replaced);
    qint64 literalCount = 5;
    EXPECT_EQ(test::literalReplaceAndCount(text, find, replacement, literalCount), QString::fromLatin1(c.result));
    EXPECT_EQ(literalCount, 5 + c.replaced);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAndCountCases, ::testing::ValuesIn(ReplaceCases), caseName);

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
