// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/PageTags.h"

#include "TestSupport.h"
#include "components/Error.h"
#include "components/TextOperations.h"

#include <functional>
#include <random>

using namespace quorvale;
using namespace quorvale::test;

namespace {

/// The page as replacing one tag after the other gives it: what fillPageTags
/// must match on pages of the first OneAfterAnotherTagCount tags.
QString oneTagAfterAnother(QString page, const PageTagValues& values)
{
    for (std::size_t k = 0; k < OneAfterAnotherTagCount; ++k)
        page = replaceAll(page, pageTagNames()[k].toString(), values[k]);
    return page;
}

PageArticle article(const char16_t* name, const char16_t* summary, const char16_t* body = u"")
{
    const QString path = QStringLiteral("/articles/") + QString::fromUtf16(name);
    const QString text = QString::fromUtf16(summary);
    return {path, QString::fromUtf16(name).toUpper(), QString::fromUtf16(name) + u".html", text, escapeStrayMarkup(text),
            QString::fromUtf16(body), {}};
}

TEST(PageTags, EveryTagTakesItsValueAndTheMainArticleLinksToIndex)
{
    const SiteInfo info = {u"Site"_qs,      u"Head"_qs, u"Desc"_qs, u"AdT"_qs,  u"AdD"_qs,    u"Go"_qs,
                           u"https://x"_qs, u"vid"_qs,  u"Foot"_qs, u"More"_qs, u"Others"_qs, u"https://ex.org/"_qs};
    const PageArticle current = article(u"cur", u"Cur.", u"Body <b>never</b>");
    const PageArticle one = article(u"one", u"One."), two = article(u"two", u"Two."), three = article(u"three", u""),
                      home = article(u"home", u"Home.");
    QString page;
    for (const QStringView tag : pageTagNames())
        page += tag + u'|';
    EXPECT_EQ(fillPageTags(page, pageTagValues(info, current, {&one, &two, &home, &three}, home.path, false)),
              QStringLiteral("Site|Head|Desc|AdT|AdD|Go|https://x|vid|Foot|One.|Two.|Home.||CUR|Body <b>never</b>|"
                             "ONE|TWO|HOME|THREE|one.html|two.html|index.html|three.html|More|Others|"
                             "CUR|Cur.|Site|https://ex.org/|https://ex.org/cur.html|{\"@context\": "
                             "\"https://schema.org\", \"@type\": \"Article\", \"headline\": \"CUR\", "
                             "\"description\": \"Cur.\", \"image\": \"https://ex.org/assets/images/bg.jpg\", "
                             "\"url\": \"https://ex.org/cur.html\"}|Site|AdT|https://x|vid|"));
}

/// A template with site address sections: as it comes out with an address and without one.
struct SectionCase
{
    const char* name;
    const char16_t* templateText;
    const char16_t* withAddress; ///< nullptr: the template is refused
    const char16_t* withoutAddress;
};

class SiteAddressSections : public ::testing::TestWithParam<SectionCase>
{
};

TEST_P(SiteAddressSections, AreKeptOnlyWithAnAddress)
{
    const SectionCase& c = GetParam();
    const QString text = QString::fromUtf16(c.templateText);
    if (!c.withAddress)
        EXPECT_THROW(resolveSection(text, u"SITE_URL", true), Error);
    else
        EXPECT_EQ(resolveSection(text, u"SITE_URL", true) + u'/' + resolveSection(text, u"SITE_URL", false),
                  QString::fromUtf16(c.withAddress) + u'/' + QString::fromUtf16(c.withoutAddress));
}

INSTANTIATE_TEST_SUITE_P(
    Site, SiteAddressSections,
    ::testing::Values(
        SectionCase{"no_markers_unchanged", u"<!--#IF_SITE_URL# -->", u"<!--#IF_SITE_URL# -->",
                    u"<!--#IF_SITE_URL# -->"},
        SectionCase{
            "marker_lines_go_with_them",
            u"a\n <!--#IF_SITE_URL#-->\r\n b\n <!--#END_SITE_URL#-->\nc <!--#IF_SITE_URL#-->d<!--#END_SITE_URL#-->",
            u"a\n b\nc d", u"a\nc "},
        SectionCase{"end_before_beginning", u"<!--#END_SITE_URL#--><!--#IF_SITE_URL#-->", nullptr, nullptr},
        SectionCase{"no_end", u"<!--#IF_SITE_URL#-->", nullptr, nullptr},
        SectionCase{"nested", u"<!--#IF_SITE_URL#--><!--#IF_SITE_URL#--><!--#END_SITE_URL#--><!--#END_SITE_URL#-->",
                    nullptr, nullptr}),
    caseName);

TEST(TemplateSections, FollowTheSiteTexts)
{
    const QString page = QStringLiteral(
        "<!--#IF_SITE_NAME#-->N<!--#END_SITE_NAME#-->|<!--#IF_AD#-->[<!--#IF_AD_TITLE#-->t<!--#END_AD_TITLE#-->"
        "<!--#IF_AD_TEXT#-->d<!--#END_AD_TEXT#--><!--#IF_AD_LINK#-->L<!--#END_AD_LINK#-->"
        "<!--#IF_AD_CALL#-->C<!--#END_AD_CALL#-->]<!--#END_AD#-->");
    const auto info = [](QString name, QString title, QString text, QString button, QString url, QString video) {
        SiteInfo i;
        i.siteName = name, i.adTitle = title, i.adDescription = text, i.buttonText = button, i.buttonUrl = url;
        i.videoId = video;
        return i;
    };
    const std::pair<SiteInfo, const char16_t*> rows[] = {
        {info({}, {}, {}, {}, u"http://"_qs, {}), u"|"},
        {info(u"S"_qs, {}, {}, u"Go"_qs, u"HTTP://"_qs, {}), u"N|[C]"},
        {info({}, u"T"_qs, {}, u"Go"_qs, u" https://x.org "_qs, {}), u"|[tL]"},
        {info(u" "_qs, {}, u"D"_qs, {}, u"https://x.org"_qs, {}), u"|[d]"},
        {info({}, {}, u" "_qs, {}, {}, u"abcdefg"_qs), u"|[]"},
    };
    for (const auto& [site, expected] : rows)
        EXPECT_EQ(resolveSections(page, templateSections(site)), QString::fromUtf16(expected));
}

struct FillCase
{
    const char* name;
    const char16_t* page;
    const char16_t* expected; ///< with value k = "v" + k, except as adjusted
    std::function<void(PageTagValues&)> adjust = {};
};

class FillTags : public ::testing::TestWithParam<FillCase>
{
};

TEST_P(FillTags, DoWhatReplacingOneTagAfterAnotherDoes)
{
    PageTagValues values;
    for (std::size_t k = 0; k < PageTagCount; ++k)
        values[k] = u'v' + QString::number(k);
    if (GetParam().adjust)
        GetParam().adjust(values);
    const QString page = QString::fromUtf16(GetParam().page);
    EXPECT_EQ(fillPageTags(page, values), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Site, FillTags,
    ::testing::Values(FillCase{"unknown_tags_untouched", u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# # ## ",
                               u"#ARTICLESUMMARY_5# #sitename# #ARTICLETITLE# # ## "},
                      FillCase{"earlier_tag_takes_a_shared_hash", u"#ADTITLE#SITENAME#", u"#ADTITLEv0"},
                      FillCase{"left_to_right_without_overlap", u"#SITENAME#SITENAME#SITENAME#", u"v0SITENAMEv0"},
                      FillCase{"value_completes_a_later_tag", u"##SITENAME##", u"v3",
                               [](PageTagValues& v) { v[0] = QStringLiteral("ADTITLE"); }},
                      FillCase{"later_tag_in_value_expanded", u"#SITENAME#", u"A v23",
                               [](PageTagValues& v) { v[0] = QStringLiteral("A #READMORE#"); }},
                      FillCase{"earlier_and_own_tag_in_value_kept", u"#FOOTERTEXT#", u"#SITENAME# #FOOTERTEXT#",
                               [](PageTagValues& v) { v[8] = QStringLiteral("#SITENAME# #FOOTERTEXT#"); }},
                      FillCase{"empty_values_remove_the_tag", u"(#SITENAME#)(#ADCTA#@#ADCTA_URL#)", u"()(@v6)",
                               [](PageTagValues& v) { v[0].clear(), v[5].clear(); }},
                      FillCase{"typed_value_completes_an_escaped_tag", u"#SITENAME#", u"v25",
                               [](PageTagValues& v) { v[0] = QStringLiteral("#PAGE_TITLE#"); }},
                      FillCase{"escaped_value_never_expanded", u"#SITENAME#|#PAGE_TITLE#|#VIDEO_ID#",
                               u"#|#VIDEO_ID#|v34",
                               [](PageTagValues& v) { v[0] = u"#"_qs, v[25] = u"#VIDEO_ID#"_qs; }}),
    caseName);

// Templates and values made of tags, names, stray "#" and plain letters.
TEST(FillTags, GeneratedPagesMatchOneTagAfterAnother)
{
    std::mt19937 random(11);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const QString pieces[] = {u"#"_qs,         u"x"_qs,        u"SITENAME"_qs, u"ADCTA"_qs,
                              u"ADCTA_URL"_qs, u"READMORE"_qs, u"#ADTITLE#"_qs};
    for (int round = 0; round < 3000; ++round) {
        QString page;
        for (int i = pick(12); i >= 0; --i)
            page +=
                pick(2) ? pieces[pick(7)] : pageTagNames()[std::size_t(pick(int(OneAfterAnotherTagCount)))].toString();
        PageTagValues values;
        for (QString& value : values)
            value = pick(4) ? QString() : pieces[pick(7)] + pieces[pick(7)];
        ASSERT_EQ(fillPageTags(page, values), oneTagAfterAnother(page, values)) << page.toStdString();
    }
}

} // namespace
