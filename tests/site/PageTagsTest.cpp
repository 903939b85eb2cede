#include "site/PageTags.h"

#include "SiteTestSupport.h"
#include "components/Error.h"

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
        m_current = article(QStringLiteral("current-page.txt"), "Current body. never\n");
        m_related[0] = article(QStringLiteral("first_one.txt"), "First summary. Rest.");
        m_related[1] = article(QStringLiteral("second one.txt"), "Second never ends. is important");
        m_related[2] = article(QStringLiteral("third.txt"), "Third summary.");
        m_related[3] = article(QStringLiteral("fourth.txt"), "No stop");

        info.siteName = QStringLiteral("Site");
        info.siteHeadline = QStringLiteral("Head");
        info.siteDescription = QStringLiteral("Desc");
        info.adTitle = QStringLiteral("AdT");
        info.adDescription = QStringLiteral("AdD");
        info.buttonText = QStringLiteral("Go");
        info.buttonUrl = QStringLiteral("https://x");
        info.videoId = QStringLiteral("vid");
        info.footerText = QStringLiteral("Foot");
        info.readMoreText = QStringLiteral("More");
        info.relatedArticlesText = QStringLiteral("Others");

        paths.currentArticlePath = m_current;
        for (std::size_t n = 0; n < 4; ++n)
            paths.relatedArticlePaths[n] = m_related[n];
    }

    QString folder() const { return m_dir.path(); }
    QString article(const QString& name, const QByteArray& text)
    {
        return writeFile(m_dir.filePath(QStringLiteral("articles/") + name), text);
    }

    SiteInfo info;
    PageArticlePaths paths;

private:
    QTemporaryDir m_dir;
    QString m_current;
    std::array<QString, 4> m_related;
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

INSTANTIATE_TEST_SUITE_P(
    Site, FillTags,
    ::testing::Values(
        TagCase{"every_tag",
                u"#SITENAME#|#SITEHEADLINE#|#SITEDESCRIPTION#|#ADTITLE#|#ADDESCRIPTION#|#ADCTA#|#ADCTA_URL#|"
                u"#ADTUBEID#|#FOOTERTEXT#|#ARTICLESUMMARY_1#|#ARTICLESUMMARY_2#|#ARTICLESUMMARY_3#|"
                u"#ARTICLESUMMARY_4#|#ARTICLE_TITLE#|#ARTICLE_CONTENT#|#ARTICLETITLE_1#|#ARTICLETITLE_2#|"
                u"#ARTICLETITLE_3#|#ARTICLETITLE_4#|#ARTICLELINK_1#|#ARTICLELINK_2#|#ARTICLELINK_3#|"
                u"#ARTICLELINK_4#|#READMORE#|#ARTICLES_HEADLINE#",
                u"Site|Head|Desc|AdT|AdD|Go|https://x|vid|Foot|First summary.|Second never ends.|Third summary.||"
                u"Current Page|Current body. <b>never</b><br><br>\n|First One|Second One|Third|Fourth|"
                u"first-one.html|second-one.html|third.html|fourth.html|More|Others"},
        TagCase{"no_tags", u"<p>plain # text ## #</p>", u"<p>plain # text ## #</p>"},
        TagCase{"repeated_tag", u"#SITENAME#-#SITENAME#-#SITENAME#", u"Site-Site-Site"},
        TagCase{"empty_video_removes_tag", u"[#ADTUBEID#]", u"[]",
                [](SiteInfo& info, PageArticlePaths&) { info.videoId.clear(); }},
        TagCase{"later_tag_in_value_expanded", u"#SITENAME#", u"A More",
                [](SiteInfo& info, PageArticlePaths&) { info.siteName = QStringLiteral("A #READMORE#"); }},
        TagCase{"earlier_and_own_tag_in_value_kept", u"#FOOTERTEXT#", u"#SITENAME# #FOOTERTEXT#",
                [](SiteInfo& info, PageArticlePaths&) { info.footerText = QStringLiteral("#SITENAME# #FOOTERTEXT#"); }},
        TagCase{"values_not_escaped", u"#SITEHEADLINE#", u"<em>Tom & Jerry</em>",
                [](SiteInfo& info, PageArticlePaths&) { info.siteHeadline = QStringLiteral("<em>Tom & Jerry</em>"); }},
        TagCase{"unknown_tags_untouched", u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# #ARTICLE_TITLE_1#",
                u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# #ARTICLE_TITLE_1#"},
        TagCase{"adcta_before_url", u"#ADCTA#@#ADCTA_URL#", u"Go@https://x"},
        TagCase{"summary_raw_body_emphasised", u"#ARTICLESUMMARY_2#", u"Second never ends."},
        TagCase{"related_n_is_one_article",
                u"#ARTICLESUMMARY_3#/#ARTICLETITLE_3#/#ARTICLELINK_3# #ARTICLELINK_1#/#ARTICLETITLE_1#",
                u"Third summary./Third/third.html first-one.html/First One"},
        TagCase{
            "same_article_twice", u"#ARTICLETITLE_1#=#ARTICLETITLE_2# #ARTICLELINK_1#=#ARTICLELINK_2#",
            u"First One=First One first-one.html=first-one.html",
            [](SiteInfo&, PageArticlePaths& paths) { paths.relatedArticlePaths[1] = paths.relatedArticlePaths[0]; }},
        TagCase{"home_article_links_to_index", u"#ARTICLELINK_1# #ARTICLELINK_3# #ARTICLETITLE_3# #ARTICLESUMMARY_3#",
                u"first-one.html index.html Third Third summary.",
                [](SiteInfo&, PageArticlePaths& paths) { paths.homeArticlePath = paths.relatedArticlePaths[2]; }},
        TagCase{"empty_values", u"(#SITENAME#)(#ARTICLESUMMARY_4#)", u"()()",
                [](SiteInfo& info, PageArticlePaths&) { info.siteName.clear(); }}),
    [](const auto& info) { return std::string(info.param.name); });

class PageWriters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(m_home.filePath(QStringLiteral("output/template1"))));
        state.templates.indexTemplate = QStringLiteral("index of #ARTICLE_TITLE#: #ARTICLELINK_1#");
        state.templates.articleTemplate = QStringLiteral("page of #ARTICLE_TITLE#, see #ARTICLETITLE_4#");
        state.paths = fixture.paths;
    }

    QString site(const QString& name) const { return m_home.filePath(QStringLiteral("output/template1/") + name); }

    QTemporaryDir m_home;
    PageFixture fixture;
    BuildWorkState state;
};

TEST_F(PageWriters, SaveIndexAndArticlePagesInTheSiteFolder)
{
    const QString index = WriteIndexPage(state, fixture.info, m_home.path(), QStringLiteral("1"));
    EXPECT_EQ(index, site(QStringLiteral("index.html")));
    EXPECT_EQ(state.indexPageText, QStringLiteral("index of Current Page: first-one.html"));
    EXPECT_EQ(readFile(index), state.indexPageText.toUtf8());

    // The article lies in a folder of its own; its page goes straight into the site folder.
    state.paths.currentArticlePath = fixture.article(QStringLiteral("deep/er/how-to_beat stress.txt"), "Calm.");
    const QString page = WriteArticlePage(state, fixture.info, m_home.path(), QStringLiteral("1"));
    EXPECT_EQ(page, site(QStringLiteral("how-to-beat-stress.html")));
    EXPECT_EQ(readFile(page), QByteArray("page of How To Beat Stress, see Fourth"));
    EXPECT_EQ(state.articlePageText, QStringLiteral("page of How To Beat Stress, see Fourth"));
    EXPECT_EQ(state.articleLoaderText, QStringLiteral("Calm."));
    EXPECT_EQ(state.templates.articleTemplate, QStringLiteral("page of #ARTICLE_TITLE#, see #ARTICLETITLE_4#"));

    // A second write replaces the page.
    state.templates.indexTemplate = QStringLiteral("new");
    WriteIndexPage(state, fixture.info, m_home.path(), QStringLiteral("1"));
    EXPECT_EQ(readFile(index), QByteArray("new"));
}

TEST_F(PageWriters, AnUnreadableArticleEndsThePageUnsaved)
{
    state.templates.indexTemplate = QStringLiteral("#SITENAME# #ARTICLESUMMARY_1#");
    state.paths.relatedArticlePaths[2] = fixture.folder() + u"/articles/gone.txt";
    EXPECT_THROW(WriteIndexPage(state, fixture.info, m_home.path(), QStringLiteral("1")), Error);
    EXPECT_FALSE(QFileInfo::exists(site(QStringLiteral("index.html"))));
    EXPECT_EQ(state.indexPageText, QStringLiteral("Site #ARTICLESUMMARY_1#"));
    EXPECT_EQ(state.articleLoaderText, QStringLiteral("Second never ends. is important"));
}

TEST_F(PageWriters, AMissingSiteFolderOrABadVariationIsAnError)
{
    EXPECT_THROW(WriteArticlePage(state, fixture.info, m_home.path(), QStringLiteral("2")), Error);
    EXPECT_THROW(WriteIndexPage(state, fixture.info, m_home.path(), QStringLiteral("1/..")), Error);
    EXPECT_EQ(treeOf(m_home.path()), (QMap<QString, QByteArray>{}));
}

} // namespace
