#include "site/ArticleText.h"

#include "TestSupport.h"
#include "components/TextOperations.h"

#include <random>

using namespace quorvale;
using quorvale::test::caseName;

namespace {

struct ArticleCase
{
    const char* name;
    const char16_t* text;
    const char16_t* summary;
    const char16_t* body;
};

class ArticleConversions : public ::testing::TestWithParam<ArticleCase>
{
};

TEST_P(ArticleConversions, GiveSummaryAndBody)
{
    const ArticleCase& c = GetParam();
    EXPECT_EQ(summaryOfText(QString::fromUtf16(c.text)), QString::fromUtf16(c.summary));
    EXPECT_EQ(bodyHtmlOfText(QString::fromUtf16(c.text)), QString::fromUtf16(c.body));
}

INSTANTIATE_TEST_SUITE_P(
    Site, ArticleConversions,
    ::testing::Values(ArticleCase{"no_full_stop", u"No full stop at all", u"", u"No full stop at all"},
                      ArticleCase{"heading_line", u"My heading\r\nStress is common. It passes.",
                                  u"My heading\r\nStress is common.",
                                  u"My heading<br><br>\nStress is common. It passes."},
                      ArticleCase{"abbreviation", u"Use e.g. tea.", u"Use e.", u"Use e.g. tea."},
                      // A lone line feed or carriage return also ends a paragraph; LF CR is two breaks.
                      ArticleCase{"every_line_end", u"a\r\n\r\nb\nc\rd\n\re.", u"a\r\n\r\nb\nc\rd\n\re.",
                                  u"a<br><br>\n<br><br>\nb<br><br>\nc<br><br>\nd<br><br>\n<br><br>\ne."},
                      ArticleCase{"emphasis_in_the_body", u"Step one: rest. you need to consider it, nevertheless.",
                                  u"Step one: rest.",
                                  u"<b>Step one:</b> rest. you need <b>to consider</b> it, <b>never</b>theless."}),
    caseName);

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
