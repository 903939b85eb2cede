#include "components/Spinner.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace quorvale;

namespace {

// Every text a spintax can give, gathered over many seeds.
QSet<QString> outcomes(const QString& spintax, int seeds = 400)
{
    QSet<QString> seen;
    for (int seed = 0; seed < seeds; ++seed) {
        Spinner spinner(quint64(seed) * 2654435761u);
        spinner.setText(spintax);
        seen.insert(spinner.spin());
    }
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
    const SpinCase& c = GetParam();
    EXPECT_EQ(outcomes(QString::fromUtf16(c.spintax)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Components, SpinOutcomes,
    ::testing::Values(
        SpinCase{"no_braces_unchanged", u"plain | text", {u"plain | text"_qs}},
        SpinCase{"one_group", u"a {big|large|huge} dog", {u"a big dog"_qs, u"a large dog"_qs, u"a huge dog"_qs}},
        SpinCase{"empty_alternative", u"x{|y}", {u"x"_qs, u"xy"_qs}},
        SpinCase{"nested", u"{a|{b|c}}", {u"a"_qs, u"b"_qs, u"c"_qs}},
        SpinCase{"two_groups", u"{a|b}{c|d}", {u"ac"_qs, u"ad"_qs, u"bc"_qs, u"bd"_qs}},
        SpinCase{"unmatched_open_literal", u"{a|b", {u"{a|b"_qs}},
        SpinCase{"unmatched_close_literal", u"a}b|c", {u"a}b|c"_qs}},
        SpinCase{"unmatched_open_before_group", u"{x {a|b}", {u"{x a"_qs, u"{x b"_qs}},
        SpinCase{"empty_group", u"a{}b", {u"ab"_qs}},
        SpinCase{"surrogates_kept", u"{\U0001F600|é}", {u"\U0001F600"_qs, u"é"_qs}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Spinner, SameSeedGivesSameText)
{
    const QString spintax = QStringLiteral("{a|b|c}{d|e|f}{g|h|i}{j|k|l}{m|n|o}");
    for (quint64 seed : {0ull, 1ull, 42ull, 0xFFFFFFFFFFFFull}) {
        Spinner first(seed);
        Spinner second(seed);
        EXPECT_EQ(first.spin(spintax), second.spin(spintax));
    }
    EXPECT_GT(outcomes(spintax, 50).size(), 30);
}

TEST(Spinner, SurvivesDeepNesting)
{
    const int depth = 1'000'000;
    const QString open(depth, u'{');
    const QString close(depth, u'}');
    Spinner spinner(3);
    EXPECT_EQ(spinner.spin(open + u'x' + close), QStringLiteral("x"));
    EXPECT_EQ(spinner.spin(open + u'x'), open + u'x'); // no partners: all literal
    EXPECT_EQ(spinner.spin(u'x' + close), u'x' + close);
}

} // namespace
