#include "site/ArticleText.h"

#include "SiteTestSupport.h"
#include "components/Error.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

struct ArticleCase
{
    const char* name;
    const char16_t* text;
    const char16_t* summary;
    const char16_t* body;
};

const ArticleCase ArticleCases[] = {
    {"two_sentences", u"First point. Second point.", u"First point.", u"First point. Second point."},
    {"no_full_stop", u"No full stop at all", u"", u"No full stop at all"},
    {"heading_line", u"My heading\r\nStress is common. It passes.", u"My heading\r\nStress is common.",
     u"My heading<br><br>\nStress is common. It passes."},
    {"abbreviation", u"Use e.g. tea.", u"Use e.", u"Use e.g. tea."},
    {"blank_line", u"one\r\n\r\ntwo.", u"one\r\n\r\ntwo.", u"one<br><br>\n<br><br>\ntwo."},
    // A lone line feed also ends a paragraph.
    {"line_feed_alone", u"one\ntwo.", u"one\ntwo.", u"one<br><br>\ntwo."},
    {"lf_cr_is_two_breaks", u"a\n\rb", u"", u"a<br><br>\n<br><br>\nb"},
    {"step_one", u"Step one: rest.", u"Step one: rest.", u"<b>Step one:</b> rest."},
    {"earlier_row_wins", u"you need to consider this.", u"you need to consider this.",
     u"you need <b>to consider</b> this."},
    {"inside_words", u"nevertheless, never.", u"nevertheless, never.", u"<b>never</b>theless, <b>never</b>."},
};

class ArticleConversions : public ::testing::TestWithParam<ArticleCase>
{
};

TEST_P(ArticleConversions, GiveSummaryAndBody)
{
    const ArticleCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(SummaryOfText(text), QString::fromUtf16(c.summary));
    EXPECT_EQ(BodyHtmlOfText(text), QString::fromUtf16(c.body));
}

INSTANTIATE_TEST_SUITE_P(Site, ArticleConversions, ::testing::ValuesIn(ArticleCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct EmphasisCase
{
    const char* name;
    const char16_t* text;
    const char16_t* expected;
};

const EmphasisCase EmphasisCases[] = {
    {"very_important_before_important", u"It is very important and is important.",
     u"It <b>is very important</b> and <b>is important</b>."},
    {"underline_rows", u"extremely highly freedom, nothing to do, not necessary",
     u"<u>extremely</u> <u>highly</u> <u>freedom</u>, <u>nothing to do</u>, <u>not necessary</u>"},
    {"case_matters", u"I love it, i love it; step one: You must", u"I love it, <u>i love</u> it; step one: You must"},
};

class Emphasis : public ::testing::TestWithParam<EmphasisCase>
{
};

TEST_P(Emphasis, WrapsTablePhrases)
{
    EXPECT_EQ(Emphasize(QString::fromUtf16(GetParam().text)), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Site, Emphasis, ::testing::ValuesIn(EmphasisCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArticleLoader, HoldsTheTextReadLastAndKeepsItWhenAReadFails)
{
    QTemporaryDir dir;
    const QString first = writeFile(dir.filePath(QStringLiteral("first.txt")), QByteArray("Caf\xE9. Two."));
    QString loader;
    EXPECT_EQ(ArticleSummary(first, loader), QStringLiteral("Café."));
    EXPECT_THROW(ArticleBodyHtml(dir.path(), loader), Error);
    EXPECT_EQ(loader, QStringLiteral("Café. Two."));
}

} // namespace
