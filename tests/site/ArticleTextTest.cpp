// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/ArticleText.h"

#include "TestSupport.h"
#include "components/TextOperations.h"

#include <random>

using namespace quorvale;

namespace {

class ArticleConversions : public ::testing::TestWithParam<quorvale::test::ReferenceCase>
{
};

TEST_P(ArticleConversions, GiveSummaryBodyAndMarkup)
{
    const quorvale::test::ReferenceCase& c = GetParam();
    if (c.has("summary")) {
        EXPECT_EQ(summaryOfText(c["text"]), c["summary"]);
    }
    if (c.has("body")) {
        EXPECT_EQ(bodyHtmlOfText(c["text"]), c["body"]);
    }
    if (c.has("markup")) {
        StrayMarkup stray;
        EXPECT_EQ(escapeStrayMarkup(c["text"], &stray), c["markup"]);
        EXPECT_EQ(QStringLiteral("%1 at %2:%3 (%4)").arg(stray.count).arg(stray.line).arg(stray.column).arg(stray.context),
                  c["stray"]);
    }
}

INSTANTIATE_TEST_SUITE_P(Site, ArticleConversions,
                         ::testing::ValuesIn(quorvale::test::referenceCases("article-text.txt")),
                         quorvale::test::referenceName);

/// What applying the table one row after the other gives: what emphasize() must match.
QString rowAfterRow(QString text)
{
    for (const EmphasisRow& row : emphasisTable())
        text = replaceAll(text, row.phrase.toString(), row.replacement.toString());
    return text;
}

TEST(Emphasize, MatchesApplyingTheTableRowAfterRow)
{
    EXPECT_EQ(emphasize(QStringLiteral("It is very important and is important; I love it, i love it.")),
              QStringLiteral("It <b>is very important</b> and <b>is important</b>; I love it, <u>i love</u> it."));
    // Texts made of the phrases, their pieces and neighbours, run together.
    std::mt19937 random(5);
    const QString pieces[] = {
        u"is very "_qs,      u"important"_qs,     u"is "_qs,       u"never"_qs, u"to consider"_qs, u"you need "_qs,
        u"the ability"_qs,   u"Step one:"_qs,     u"i love"_qs,    u"x"_qs,     u" "_qs,           u"<b>"_qs,
        u"nothing to do"_qs, u"not necessary"_qs, u"extremely"_qs, u"highly"_qs};
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = int(random() % 12); i >= 0; --i)
            text += pieces[random() % std::size(pieces)];
        ASSERT_EQ(emphasize(text), rowAfterRow(text)) << text.toStdString();
    }
}

} // namespace
