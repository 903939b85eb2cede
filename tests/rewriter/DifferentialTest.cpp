// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiteralRewriter.h"
#include "TestSupport.h"
#include "components/Spinner.h"
#include "rewriter/Rewriter.h"

#include <QFileInfo>
#include <random>

// The engine against the plain procedure on many generated rule lists and
// articles that are made to collide: shared words, phrases, duplicates,
// capitals, braces, markers and the four suffix characters.

namespace {

using namespace quorvale;

class Generator
{
public:
    Generator(quint64 seed, int maxRules, int maxWords) : m_random(seed), m_maxRules(maxRules), m_maxWords(maxWords) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }
    template <size_t N> QString pick(const char16_t* const (&choices)[N])
    {
        return QString::fromUtf16(choices[below(int(N))]);
    }

    QString word()
    {
        static const char16_t* const words[] = {u"a",  u"b",        u"ab",  u"big",  u"large",  u"dog",
                                                u"in", u"addition", u"été", u"e.g.", u"50%%",   u"x",
                                                u"k",  u"i",        u"a:b", u"%",    u"straße", u"a,b"};
        static const char16_t* const capitals[] = {u"Big", u"BIG", u"ÉTÉ", u"\u212A", u"\u0130", u"A", u"Dog"};
        if (!chance(15))
            return pick(words);
        return chance(50) ? pick(capitals) : pick(words).toUpper();
    }

    QString item()
    {
        static const char16_t* const joins[] = {u" ", u" ", u",", u".", u", "};
        QString text = word();
        for (int extra = chance(30) ? 1 + below(2) : 0; extra > 0; --extra)
            text += pick(joins) + word();
        if (chance(5))
            text = u' ' + text;
        if (chance(5))
            text += u' ';
        return text;
    }

    QString ruleLine(const QStringList& earlier)
    {
        if (!earlier.isEmpty() && chance(10))
            return earlier.at(below(int(earlier.size())));
        if (chance(5))
            return QString();
        QString body;
        for (int i = 0, n = 1 + below(4); i < n; ++i) {
            if (i > 0)
                body += u'|';
            if (chance(8))
                body += u'{';
            body += chance(4) ? QString() : item();
            if (chance(8))
                body += u'}';
        }
        QString line = u'{' + body + u'}';
        if (chance(5))
            line.chop(1);
        else if (chance(4))
            line.remove(0, 1);
        return line;
    }

    QStringList rules()
    {
        QStringList list;
        for (int i = 0, n = below(m_maxRules); i < n; ++i)
            list.append(ruleLine(list));
        return list;
    }

    QString article()
    {
        static const char16_t* const separators[] = {u" ",  u" ",  u" ",  u" ",    u"  ", u", ", u". ", u": ",
                                                     u",",  u".",  u":",  u"\r\n", u"\t", u"; ", u"!",  u"%%",
                                                     u" %", u" {", u"} ", u"|",    u" ,", u" . "};
        QString text = chance(50) ? QStringLiteral(" ") : QString();
        for (int i = 0, n = 1 + below(m_maxWords); i < n; ++i) {
            text += word();
            if (chance(10))
                text += u' ' + text.sliced(text.lastIndexOf(u' ') + 1); // a repeated word
            text += pick(separators);
        }
        return text;
    }

private:
    std::mt19937_64 m_random;
    int m_maxRules;
    int m_maxWords;
};

QString describe(const QStringList& rules, const QString& article)
{
    return QStringLiteral("rules: [") + rules.join(QStringLiteral("]\n  [")) + QStringLiteral("]\narticle: [") +
           article + u']';
}

void expectSameRewrite(const QString& article, const QStringList& rules,
                       const std::function<QString(const QString&)>& spin, quint64 seed, qint64& replacements)
{
    const test::LiteralResult expected = test::literalRewrite(article, rules, spin);
    replacements = expected.replacementCount;
    const RewriteResult actual = rewriteArticle(article, RuleIndex(rules), spin);
    ASSERT_EQ(actual.spintax, expected.spintax) << "seed " << seed << "\n" << describe(rules, article).toStdString();
    ASSERT_EQ(actual.replacementCount, expected.replacementCount) << "seed " << seed;
    ASSERT_EQ(actual.report, expected.report) << "seed " << seed;
}

struct GeneratedCases
{
    const char* name;
    quint64 cases;
    int maxRules;
    int maxWords;
};

class Differential : public ::testing::TestWithParam<GeneratedCases>
{
};

TEST_P(Differential, EngineMatchesThePlainProcedure)
{
    const GeneratedCases& p = GetParam();
    const auto unchanged = [](const QString& text) { return text; };
    quint64 replacedCases = 0;
    for (quint64 seed = 1; seed <= p.cases; ++seed) {
        Generator g(seed, p.maxRules, p.maxWords);
        const QStringList rules = g.rules();
        const QString article = g.article();
        std::function<QString(const QString&)> spin = unchanged;
        if (g.chance(20))
            spin = [seed](const QString& text) { return Spinner(seed).spin(text); };
        qint64 replacements = 0;
        ASSERT_NO_FATAL_FAILURE(expectSameRewrite(article, rules, spin, seed, replacements));
        replacedCases += replacements > 0 ? 1 : 0;
    }
    // The generator must exercise replacements, not just pass text through.
    EXPECT_GE(replacedCases, p.cases / 3);
}

INSTANTIATE_TEST_SUITE_P(Generated, Differential,
                         ::testing::Values(GeneratedCases{"small", 6000, 12, 30},
                                           GeneratedCases{"large", 300, 60, 200}),
                         quorvale::test::caseName);

TEST(DifferentialShipped, ShippedRulesOnTheirOwnWords)
{
    const QString path = QStringLiteral(QUORVALE_SOURCE_DIR "/data/rwdb.txt");
    ASSERT_TRUE(QFileInfo::exists(path));
    // The groups without their conditions, which the plain procedure does not know.
    RuleList rules = loadRuleList(path);
    for (QString& line : rules)
        line.truncate(line.indexOf(u'}') + 1);
    // Words of the rules themselves, in sentences, so that many items match and collide.
    Generator g(7, 0, 0);
    static const char16_t* const separators[] = {u" ", u" ", u", ", u". ", u": ", u"\r\n"};
    QString article;
    for (int i = 0; i < 120; ++i) {
        const QStringList items = ruleItems(rules.at(g.below(int(rules.size()))));
        if (!items.isEmpty())
            article += items.at(g.below(int(items.size()))) + g.pick(separators);
    }
    qint64 replacements = 0;
    expectSameRewrite(
        article, rules, [](const QString& text) { return text; }, 7, replacements);
    EXPECT_GT(replacements, 40);
}

} // namespace
