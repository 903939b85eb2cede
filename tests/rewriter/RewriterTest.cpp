#include "rewriter/Rewriter.h"

#include "LiteralRewriter.h"
#include "TestSupport.h"

namespace {

using namespace quorvale;
using quorvale::test::caseName;

QString unchanged(const QString& text)
{
    return text;
}

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
    {"suffixes_and_every_item", Big, u"A big dog, a large: a huge.",
     u"A {large|huge} dog, a {big|huge}: a {big|large}.", 3},
    {"first_word_never_replaced", Big, u"Big news", u"Big news", 0},
    {"adjacent_repeat_only_first", Big, u"a big big dog", u"a {large|huge} big dog", 1},
    {"other_neighbours_never_match", Big, u"x big; x big! x big) x\tbig y\r\nbig z\nbig. x big\r\ny",
     u"x big; x big! x big) x\tbig y\r\nbig z\nbig. x big\r\ny", 0},
    {"phrase_rule", u"{in addition|also}", u"x in addition y also z", u"x {also} y {in addition} z", 2},
    {"inserted_text_not_matched_again", u"{big|large}\n{large|huge}", u"a big dog", u"a {large} dog", 1},
    {"marker_in_article_becomes_space", u"", u"50%% off", u"50  off", 0},
    {"nested_rule", u"{a|{b|c}}", u"x b y", u"x {a|{c}} y", 1},
    {"words_next_to_a_group_are_blocked", u"{dog|hound}\n{big|large}\n{cat|kitten}", u"a big dog. a big cat.",
     u"a big {hound}. a {large} cat.", 2},
    {"upper_case_item_never_matches", u"{Big|large}", u"a big dog, a large dog", u"a big dog, a {Big} dog", 1},
    {"first_suffix_pass_wins_the_shared_space", u"{a|b}", u"x a a, y", u"x {b} a, y", 1},
    {"rule_order_decides_between_phrase_and_word", u"{big|large}\n{big dog|hound}\n{big cat|tiger}",
     u"a big dog and a big cat", u"a {large} dog and a {large} cat", 2},
    {"capitals_kept_at_a_sentence_start", u"{\u00E9t\u00E9|summer|warm days}",
     u"No. \u00C9T\u00C9 now. \u00C9t\u00E9 and", u"No. {SUMMER|WARM DAYS} now. {Summer|Warm days} and", 2},
    {"capitalised_word_in_a_sentence_is_a_name", Big, u"at Big Sur, a Big. Big, x",
     u"at Big Sur, a Big. {Large|Huge}, x", 1},
    {"percent_stays_next_to_its_number", Big, u"30% big growth", u"30% {large|huge} growth", 1},
};

class RewriteExamples : public ::testing::TestWithParam<RewriteCase>
{
};

// Every case runs through the engine and through the plain procedure; both must give the stated result.
TEST_P(RewriteExamples, EngineAndPlainProcedureGiveTheStatedSpintax)
{
    const RewriteCase& c = GetParam();
    const QStringList rules = QString::fromUtf16(c.rules).split(u'\n', Qt::SkipEmptyParts);
    const RewriteResult engine = rewriteArticle(QString::fromUtf16(c.article), RuleIndex(rules), &unchanged);
    const test::LiteralResult literal = test::literalRewrite(QString::fromUtf16(c.article), rules, &unchanged);
    EXPECT_EQ(engine.spintax, QString::fromUtf16(c.spintax));
    EXPECT_EQ(engine.replacementCount, c.count);
    EXPECT_EQ(literal.spintax, QString::fromUtf16(c.spintax));
    EXPECT_EQ(engine.report, literal.report);
}

INSTANTIATE_TEST_SUITE_P(Cases, RewriteExamples, ::testing::ValuesIn(RewriteCases), caseName);

TEST(RewriteArticle, SpinsFirstCountsTheSpunWordsAndCountsBeyondSixteenBits)
{
    QStringList seen;
    const auto spin = [&seen](const QString& text) {
        seen.append(text);
        return QStringLiteral("one big dog here");
    };
    const RewriteResult r = rewriteArticle(QStringLiteral("{a|b}"), RuleIndex({QStringLiteral("{big|large}")}), spin);
    EXPECT_EQ(seen, QStringList{QStringLiteral("{a|b}")});
    EXPECT_EQ(r.spintax, QStringLiteral("one {large} dog here"));
    EXPECT_EQ(r.report, QStringLiteral("1 Replacements on 4 words."));

    const QString article = QStringLiteral("x") + QStringLiteral(" a,").repeated(40000);
    const RewriteResult many = rewriteArticle(article, RuleIndex({QStringLiteral("{a|b}")}), &unchanged);
    EXPECT_EQ(many.replacementCount, 40000);
    EXPECT_EQ(rewriteReport(5000000000LL, 7), QStringLiteral("5000000000 Replacements on 7 words."));
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
}

struct AlternativesCase
{
    const char* name;
    const char16_t* line;
    const char16_t* item;
    const char16_t* alternatives;
};

class Alternatives : public ::testing::TestWithParam<AlternativesCase>
{
};

TEST_P(Alternatives, TakeTheItemOut)
{
    const AlternativesCase& c = GetParam();
    const QString line = QString::fromUtf16(c.line);
    const QString item = QString::fromUtf16(c.item);
    EXPECT_EQ(alternativesFor(line, item), QString::fromUtf16(c.alternatives));
    EXPECT_EQ(test::literalAlternatives(line, item), QString::fromUtf16(c.alternatives));
}

INSTANTIATE_TEST_SUITE_P(Cases, Alternatives,
                         ::testing::Values(AlternativesCase{"one_item_stays", u"{a}", u"a", u"{a}"},
                                           AlternativesCase{"nested", u"{a|{b|c}}", u"b", u"{a|{c}}"},
                                           AlternativesCase{"ignores_case", u"{Big|large|B}", u"b", u"{Big|large}"},
                                           AlternativesCase{"only_whole_items", u"{a|ab|ba}", u"a", u"{ab|ba}"}),
                         caseName);

} // namespace
