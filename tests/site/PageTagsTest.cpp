#include "site/PageTags.h"

#include "SiteTestSupport.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

/// Five articles in a folder of their own, with the site texts of the cases.
class PageFixture
{
public:
    PageFixture()
    {
        paths.currentArticlePath = article(QStringLiteral("current-page.txt"), "Current body. never\n");
        paths.relatedArticlePaths = {article(QStringLiteral("first_one.txt"), "First summary. Rest."),
                                     article(QStringLiteral("second one.txt"), "Second never ends. is important"),
                                     article(QStringLiteral("third.txt"), "Third summary."),
                                     article(QStringLiteral("fourth.txt"), "No stop")};

        info = {QStringLiteral("Site"), QStringLiteral("Head"), QStringLiteral("Desc"),      QStringLiteral("AdT"),
                QStringLiteral("AdD"),  QStringLiteral("Go"),   QStringLiteral("https://x"), QStringLiteral("vid"),
                QStringLiteral("Foot"), QStringLiteral("More"), QStringLiteral("Others")};
    }

    QString article(const QString& name, const QByteArray& text)
    {
        return writeFile(m_dir.filePath(QStringLiteral("articles/") + name), text);
    }

    SiteInfo info;
    PageArticlePaths paths;

private:
    QTemporaryDir m_dir;
};

struct TagCase
{
    const char* name;
    const char16_t* page;
    const char16_t* expected;
    std::function<void(SiteInfo&, PageArticlePaths&)> adjust = {};
};

class FillTags : public ::testing::TestWithParam<TagCase>
{
};

TEST_P(FillTags, ReplacesTagsInOrder)
{
    const TagCase& c = GetParam();
    PageFixture fixture;
    if (c.adjust)
        c.adjust(fixture.info, fixture.paths);
    QString page = QString::fromUtf16(c.page);
    QString loader;
    FillPageTags(page, fixture.info, fixture.paths, loader);
    EXPECT_EQ(page, QString::fromUtf16(c.expected));
    // The current article is read last.
    EXPECT_EQ(loader, QStringLiteral("Current body. never\n"));
}

const TagCase TagCases[] = {
    {"every_tag",
     u"#SITENAME#|#SITEHEADLINE#|#SITEDESCRIPTION#|#ADTITLE#|#ADDESCRIPTION#|#ADCTA#|#ADCTA_URL#|#ADTUBEID#|"
     u"#FOOTERTEXT#|#ARTICLESUMMARY_1#|#ARTICLESUMMARY_2#|#ARTICLESUMMARY_3#|#ARTICLESUMMARY_4#|#ARTICLE_TITLE#|"
     u"#ARTICLE_CONTENT#|#ARTICLETITLE_1#|#ARTICLETITLE_2#|#ARTICLETITLE_3#|#ARTICLETITLE_4#|#ARTICLELINK_1#|"
     u"#ARTICLELINK_2#|#ARTICLELINK_3#|#ARTICLELINK_4#|#READMORE#|#ARTICLES_HEADLINE#",
     u"Site|Head|Desc|AdT|AdD|Go|https://x|vid|Foot|First summary.|Second never ends.|Third summary.||Current Page|"
     u"Current body. <b>never</b><br><br>\n|First One|Second One|Third|Fourth|first-one.html|second-one.html|"
     u"third.html|fourth.html|More|Others"},
    {"later_tag_in_value_expanded", u"#SITENAME#", u"A More",
     [](SiteInfo& info, PageArticlePaths&) { info.siteName = QStringLiteral("A #READMORE#"); }},
    {"earlier_and_own_tag_in_value_kept", u"#FOOTERTEXT#", u"#SITENAME# #FOOTERTEXT#",
     [](SiteInfo& info, PageArticlePaths&) { info.footerText = QStringLiteral("#SITENAME# #FOOTERTEXT#"); }},
    {"unknown_tags_untouched", u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# #ARTICLE_TITLE_1#",
     u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# #ARTICLE_TITLE_1#"},
    {"adcta_before_url", u"#ADCTA#@#ADCTA_URL#", u"Go@https://x"},
    {"home_article_links_to_index", u"#ARTICLELINK_1# #ARTICLELINK_3# #ARTICLETITLE_3# #ARTICLESUMMARY_3#",
     u"first-one.html index.html Third Third summary.",
     [](SiteInfo&, PageArticlePaths& paths) { paths.homeArticlePath = paths.relatedArticlePaths[2]; }},
    {"empty_values_remove_the_tag", u"(#SITENAME#)(#ARTICLESUMMARY_4#)", u"()()",
     [](SiteInfo& info, PageArticlePaths&) { info.siteName.clear(); }},
};

INSTANTIATE_TEST_SUITE_P(Site, FillTags, ::testing::ValuesIn(TagCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
