#include "LiteralRewriter.h"
#include "QStringPrinter.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <random>

// The engine against the plain procedure on many generated rule lists and
// articles that are made to collide: shared words, phrases, duplicates,
// capitals, braces, markers and the four suffix characters.

namespace {

using namespace quorvale;

class Generator
{
public:
    /// @p maxRules and @p maxWords bound the size of the rule lists and articles.
    Generator(quint64 seed, int maxRules = 12, int maxWords = 30)
        : m_random(seed), m_maxRules(maxRules), m_maxWords(maxWords)
    {
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    template <size_t N> QString pick(const QString (&choices)[N]) { return choices[below(int(N))]; }

    QString word()
    {
        static const QString words[] = {
            QStringLiteral("a"),
            QStringLiteral("b"),
            QStringLiteral("ab"),
            QStringLiteral("big"),
            QStringLiteral("large"),
            QStringLiteral("dog"),
            QStringLiteral("in"),
            QStringLiteral("addition"),
            QStringLiteral(u"\u00E9t\u00E9"),
            QStringLiteral("e.g."),
            QStringLiteral("50%%"),
            QStringLiteral("x"),
            QStringLiteral("k"),
            QStringLiteral("i"),
            QStringLiteral("a:b"),
            QStringLiteral("%"),
            QStringLiteral(u"stra\u00DFe"),
            QStringLiteral("a,b"),
        };
        QString w = pick(words);
        if (chance(15))
            w = capitalised(w);
        return w;
    }

    QString capitalised(QString w)
    {
        static const QString capitals[] = {
            QStringLiteral("Big"),     QStringLiteral("BIG"),     QStringLiteral(u"\u00C9T\u00C9"),
            QStringLiteral(u"\u212A"), QStringLiteral(u"\u0130"), QStringLiteral("A"),
            QStringLiteral("Dog")};
        return chance(50) ? pick(capitals) : w.toUpper();
    }

    QString item()
    {
        QString text = word();
        const int extra = chance(30) ? 1 + below(2) : 0;
        for (int i = 0; i < extra; ++i) {
            static const QString joins[] = {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(","),
                                            QStringLiteral("."), QStringLiteral(", ")};
            text += pick(joins) + word();
        }
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
        QStringList items;
        const int n = 1 + below(4);
        for (int i = 0; i < n; ++i)
            items.append(chance(4) ? QString() : item());
        QString body;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                body += u'|';
            if (chance(8))
                body += u'{';
            body += items.at(i);
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
        const int n = below(m_maxRules);
        for (int i = 0; i < n; ++i)
            list.append(ruleLine(list));
        return list;
    }

    QString article()
    {
        static const QString separators[] = {
            QStringLiteral(" "),  QStringLiteral(" "),  QStringLiteral(" "),  QStringLiteral(" "),
            QStringLiteral("  "), QStringLiteral(", "), QStringLiteral(". "), QStringLiteral(": "),
            QStringLiteral(","),  QStringLiteral("."),  QStringLiteral(":"),  QStringLiteral("\r\n"),
            QStringLiteral("\t"), QStringLiteral("; "), QStringLiteral("!"),  QStringLiteral("%%"),
            QStringLiteral(" %"), QStringLiteral(" {"), QStringLiteral("} "), QStringLiteral("|"),
            QStringLiteral(" ,"), QStringLiteral(" . ")};
        QString text;
        if (chance(50))
            text += u' ';
        const int n = 1 + below(m_maxWords);
        for (int i = 0; i < n; ++i) {
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
    QString s = QStringLiteral("rules:\n");
    for (const QString& line : rules)
        s += QStringLiteral("  [") + line + QStringLiteral("]\n");
    return s + QStringLiteral("article: [") + article + QStringLiteral("]");
}

struct GeneratedCases
{
    const char* name;
    quint64 cases;
    int maxRules;
    int maxWords;
    int minReplacedCases; ///< the generator must exercise replacements, not just pass text through
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
            spin = [seed](const QString& text) {
                QRandomGenerator random(quint32(seed & 0xFFFFFFFF));
                return Spin(text, random);
            };
        const test::LiteralResult expected = test::literalRewrite(article, rules, spin);
        const RewriteResult actual = Reescribir(article, RuleIndex(rules), spin);
        ASSERT_EQ(actual.spintax, expected.spintax) << "seed " << seed << "\n"
                                                    << describe(rules, article).toStdString();
        ASSERT_EQ(actual.replacementCount, expected.replacementCount) << "seed " << seed;
        ASSERT_EQ(actual.wordCount, expected.wordCount) << "seed " << seed;
        ASSERT_EQ(actual.report, expected.report) << "seed " << seed;
        if (expected.replacementCount > 0)
            ++replacedCases;
    }
    EXPECT_GE(replacedCases, quint64(p.minReplacedCases));
}

INSTANTIATE_TEST_SUITE_P(Generated, Differential,
                         ::testing::Values(GeneratedCases{"small", 6000, 12, 30, 2000},
                                           GeneratedCases{"large", 300, 60, 200, 250}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DifferentialShipped, ShippedRulesOnASampleText)
{
    const QString path = QStringLiteral(QUORVALE_SOURCE_DIR "/data/rwdb.txt");
    if (!QFileInfo::exists(path))
        GTEST_SKIP() << "no data/rwdb.txt";
    const RuleList rules = LoadRuleList(path);
    // Words of the rules themselves, in sentences, so that many items match and collide.
    Generator g(7);
    QString article;
    for (int i = 0; i < 120; ++i) {
        const QStringList items = ShowRuleItems(rules.at(g.below(int(rules.size()))));
        if (items.isEmpty())
            continue;
        article += items.at(g.below(int(items.size())));
        static const QString separators[] = {QStringLiteral(" "),  QStringLiteral(" "),  QStringLiteral(", "),
                                             QStringLiteral(". "), QStringLiteral(": "), QStringLiteral("\r\n")};
        article += g.pick(separators);
    }
    const auto unchanged = [](const QString& text) { return text; };
    const test::LiteralResult expected = test::literalRewrite(article, rules, unchanged);
    const RewriteResult actual = Reescribir(article, RuleIndex(rules), unchanged);
    EXPECT_EQ(actual.spintax, expected.spintax);
    EXPECT_EQ(actual.replacementCount, expected.replacementCount);
    EXPECT_GT(actual.replacementCount, 40);
}

} // namespace
