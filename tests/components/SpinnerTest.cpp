// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Spinner.h"

#include "TestSupport.h"

#include <QSet>

using namespace quorvale;
using quorvale::test::caseName;

namespace {

// Every text a spintax can give, gathered over many seeds.
QSet<QString> outcomes(const QString& spintax, int seeds = 400)
{
    QSet<QString> seen;
    for (int seed = 0; seed < seeds; ++seed)
        seen.insert(Spinner(quint64(seed) * 2654435761u).spin(spintax));
    return seen;
}

struct SpinCase
{
    const char* name;
    const char16_t* spintax;
    QSet<QString> expected; ///< exactly the reachable results
};

class SpinOutcomes : public ::testing::TestWithParam<SpinCase>
{
};

TEST_P(SpinOutcomes, ReachesEveryAlternativeAndNothingElse)
{
    EXPECT_EQ(outcomes(QString::fromUtf16(GetParam().spintax)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Components, SpinOutcomes,
    ::testing::Values(
        SpinCase{"no_braces_unchanged", u"plain | text", {u"plain | text"_qs}},
        SpinCase{"one_group", u"a {big|large|huge} dog", {u"a big dog"_qs, u"a large dog"_qs, u"a huge dog"_qs}},
        SpinCase{"empty_alternative_and_empty_group", u"x{|y}{}", {u"x"_qs, u"xy"_qs}},
        SpinCase{"nested", u"{a|{b|c}}", {u"a"_qs, u"b"_qs, u"c"_qs}},
        SpinCase{"unmatched_braces_literal", u"}{x {a|b}|", {u"}{x a|"_qs, u"}{x b|"_qs}}),
    caseName);

TEST(Spinner, SameSeedGivesSameTextAndSeedsDiffer)
{
    const QString spintax = QStringLiteral("{a|b|c}{d|e|f}{g|h|i}{j|k|l}{m|n|o}");
    for (quint64 seed : {0ull, 42ull, 0xFFFFFFFFFFFFull})
        EXPECT_EQ(Spinner(seed).spin(spintax), Spinner(seed).spin(spintax));
    EXPECT_GT(outcomes(spintax, 50).size(), 30);
}

TEST(Spinner, SurvivesDeepNesting)
{
    const QString open(1'000'000, u'{');
    const QString close(1'000'000, u'}');
    Spinner spinner(3);
    EXPECT_EQ(spinner.spin(open + u'x' + close), QStringLiteral("x"));
    EXPECT_EQ(spinner.spin(open + u'x'), open + u'x'); // no partners: all literal
}

} // namespace
