// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Rewriter.h"

#include "LiteralRewriter.h"
#include "TestSupport.h"
#include "components/Error.h"

namespace {

using namespace quorvale;
using quorvale::test::caseName;

QString unchanged(const QString& text)
{
    return text;
}

class RewriteExamples : public ::testing::TestWithParam<test::ReferenceCase>
{
};

// Every case runs through the engine and through the plain procedure; both must give the stated result.
TEST_P(RewriteExamples, EngineAndPlainProcedureGiveTheStatedSpintax)
{
    const test::ReferenceCase& c = GetParam();
    const QStringList rules = c["rules"].split(u'\n', Qt::SkipEmptyParts);
    const RewriteResult engine =
        rewriteArticle(c["article"], RuleIndex(rules), &unchanged, ProtectedPhrases(c["protect"].split(u'\n')));
    EXPECT_EQ(engine.spintax, c["spintax"]);
    EXPECT_EQ(engine.replacementCount, c["count"].toLongLong());
    if (c.has("protect"))
        return;
    const test::LiteralResult literal = test::literalRewrite(c["article"], rules, &unchanged);
    EXPECT_EQ(literal.spintax, c["spintax"]);
    EXPECT_EQ(engine.report, literal.report);
}

INSTANTIATE_TEST_SUITE_P(Cases, RewriteExamples, ::testing::ValuesIn(test::referenceCases("examples.txt")),
                         test::referenceName);

const QString ModelPath = QStringLiteral(QUORVALE_SOURCE_DIR "/data/tagger.model");

class ConditionExamples : public ::testing::TestWithParam<test::ReferenceCase>
{
};

TEST_P(ConditionExamples, EngineGivesTheStatedSpintax)
{
    const test::ReferenceCase& c = GetParam();
    const RewriteResult engine =
        rewriteArticle(c["article"], RuleIndex(c["rules"].split(u'\n'), ModelPath), &unchanged);
    EXPECT_EQ(engine.spintax, c["spintax"]);
    EXPECT_EQ(engine.replacementCount, c["count"].toLongLong());
}

INSTANTIATE_TEST_SUITE_P(Cases, ConditionExamples, ::testing::ValuesIn(test::referenceCases("conditions.txt")),
                         test::referenceName);

TEST(ConditionExamples, OnlyAPartOfSpeechNeedsTheModelAndItsLackIsAnErrorNamingIt)
{
    const QString missing = QStringLiteral("/nonexistent/tagger.model");
    qint64 count = 0;
    EXPECT_EQ(
        RuleIndex({QStringLiteral("{big|large} notbefore=deal")}, missing).apply(QStringLiteral("a big dog"), count),
        QStringLiteral("a {large} dog"));
    try {
        RuleIndex({QStringLiteral("{big|large} pos=adj")}, missing).apply(QStringLiteral("a big dog"), count);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(missing)) << error.message().toStdString();
    }
}

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
