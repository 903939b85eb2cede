// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "rewriter/EditableWording.h"
#include "rewriter/Spintax.h"

#include <QSet>
#include <cmath>

namespace {

using namespace quorvale;
using quorvale::test::caseName;

struct ShareCase
{
    const char* name;
    const char16_t* text;
    const char16_t* original;
    double share;
};

class SharedShingles : public ::testing::TestWithParam<ShareCase>
{
};

TEST_P(SharedShingles, CountTheTextsFiveWordRunsFoundInTheOriginal)
{
    const ShareCase& c = GetParam();
    EXPECT_DOUBLE_EQ(sharedShingles(QString::fromUtf16(c.text), QString::fromUtf16(c.original)), c.share);
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedShingles,
                         ::testing::Values(ShareCase{"case_and_punctuation_aside", u"One, two THREE four five.",
                                                     u"one two three four five", 1},
                                           // Of the three runs of "a b c d e f g", only "a b c d e" is in the original.
                                           ShareCase{"one_of_three", u"a b c d e f g", u"a b c d e x g", 1.0 / 3},
                                           ShareCase{"repeats_count_once", u"a b c d e a b c d e", u"a b c d e",
                                                     1.0 / 5},
                                           ShareCase{"short_text_is_one_shingle", u"don't stop", u"don't go", 0},
                                           ShareCase{"either_apostrophe", u"Don't go!", u"don\u2019t go", 1},
                                           ShareCase{"no_words", u"...", u"a b c d e", 0}),
                         caseName);

struct GroupCase
{
    const char* name;
    const char16_t* group;
    QStringList wordings;
};

class GroupWordings : public ::testing::TestWithParam<GroupCase>
{
};

TEST_P(GroupWordings, ListEachDistinctWordingInOrder)
{
    EXPECT_EQ(groupWordings(QString::fromUtf16(GetParam().group)), GetParam().wordings);
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupWordings,
                         ::testing::Values(GroupCase{"repeats_once", u"{a|b|a}", {u"a"_qs, u"b"_qs}},
                                           GroupCase{"nested", u"{x {b|c}|d}", {u"x b"_qs, u"x c"_qs, u"d"_qs}},
                                           GroupCase{"empty_alternative", u"{|y}", {u""_qs, u"y"_qs}},
                                           GroupCase{"not_a_group", u"{a}b", {u"{a}b"_qs}},
                                           GroupCase{"unpaired", u"{a", {u"{a"_qs}}),
                         caseName);

TEST(DistinctWordings, AllDifferentFixedTextKeptAndFewerOnlyWhenNoMoreExist)
{
    QRandomGenerator random(7);
    const QString spintax = QStringLiteral("} {a|b|c} fixed {x|{y|z}} {w}");
    const QStringList all = distinctWordings(spintax, 50, random);
    EXPECT_EQ(all.size(), 9);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), 9);
    for (const QString& wording : all)
        EXPECT_TRUE(wording.startsWith(u"} ") && wording.contains(u" fixed ") && wording.endsWith(u" w"))
            << wording.toStdString();
    EXPECT_DOUBLE_EQ(log10Wordings(spintax), std::log10(9.0));
    // Beyond what can be listed: drawn, still all different.
    const QStringList many = distinctWordings(QStringLiteral("{a|b|c|d|e|f|g|h|i|j} ").repeated(8), 500, random);
    EXPECT_EQ(QSet<QString>(many.begin(), many.end()).size(), 500);
}

/// "A big dog, a big cat." rewritten with {big|large|huge}, worded by seed 3.
EditableWording twoSpots()
{
    const RewriteResult rewrite = rewriteArticle(QStringLiteral("A big dog, a big cat."),
                                                 RuleIndex({QStringLiteral("{big|large|huge}")}), nullptr);
    QRandomGenerator random(3);
    EditableWording wording(rewrite, random);
    wording.choose(0, 1);  // huge
    wording.choose(1, -1); // big
    return wording;
}

struct EditCase
{
    const char* name;
    qsizetype start;
    qsizetype length;
    const char16_t* text;
    const char16_t* result;
    int spots; ///< spots left
};

class EditWording : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(EditWording, AnEditOfASpotOrJoinedToItMakesItPlainTheRestMove)
{
    const EditCase& c = GetParam();
    EditableWording wording = twoSpots();
    ASSERT_EQ(wording.text(), QStringLiteral("A huge dog, a big cat."));
    wording.replace(c.start, c.length, QString::fromUtf16(c.text));
    EXPECT_EQ(wording.text(), QString::fromUtf16(c.result));
    ASSERT_EQ(int(wording.spots().size()), c.spots);
    // The last spot still covers "big", wherever it moved.
    const auto& last = wording.spots().back();
    EXPECT_EQ(wording.text().mid(last.start, last.length), QStringLiteral("big"));
}

INSTANTIATE_TEST_SUITE_P(Cases, EditWording,
                         ::testing::Values(EditCase{"before", 0, 1, u"The", u"The huge dog, a big cat.", 2},
                                           EditCase{"inside", 3, 1, u"", u"A hge dog, a big cat.", 1},
                                           EditCase{"appended_letter_joins", 6, 0, u"r", u"A huger dog, a big cat.", 1},
                                           EditCase{"appended_comma_does_not", 6, 0, u",", u"A huge, dog, a big cat.",
                                                    2},
                                           EditCase{"space_removed_joins", 6, 1, u"", u"A hugedog, a big cat.", 1},
                                           EditCase{"across", 4, 9, u"", u"A hu big cat.", 1}),
                         caseName);

TEST(EditableWording, KeepsChoicesThroughRespinAndInItsSpintaxAndSaysWhatChanged)
{
    EditableWording wording = twoSpots();
    EXPECT_EQ(wording.spintax(), QStringLiteral("A huge dog, a big cat."));
    EXPECT_EQ(wording.changedSpans(), (TextSpans{{2, 4}}));
    const Shingles original(QStringLiteral("A big dog, a big cat."));
    EXPECT_EQ(wording.changes(original).summary(),
              QStringLiteral("1 word changed (17%) \u00B7 0% of 5-word phrases as in the original \u00B7 about 1 "
                             "possible wording"));
    // A spot no one chose is spun again and stays a group in the spintax.
    const RewriteResult rewrite =
        rewriteArticle(QStringLiteral("x big, y big."), RuleIndex({QStringLiteral("{big|large|huge}")}), nullptr);
    QRandomGenerator random(5);
    EditableWording free(rewrite, random);
    free.choose(1, 0);
    QSet<QString> seen;
    for (int i = 0; i < 20; ++i) {
        free.respin(random);
        seen.insert(free.text());
    }
    EXPECT_EQ(seen, (QSet<QString>{u"x large, y large."_qs, u"x huge, y large."_qs}));
    EXPECT_EQ(free.spintax(), QStringLiteral("x {large|huge}, y large."));
}

} // namespace
