#include "site/DemoData.h"

#include "SiteTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;
using namespace quorvale::test;

namespace {

class DemoData : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return m_home.filePath(relative); }
    void articles(const QStringList& names)
    {
        for (const QString& name : names)
            writeFile(path(QStringLiteral("apparticles/") + name), "Text.");
    }
    void images(const QStringList& names)
    {
        for (const QString& name : names)
            writeFile(path(QStringLiteral("appimages/") + name), "jpg");
    }
    BuildInput input() const { return DemoBuildInput(m_home.path(), QStringLiteral("2")); }
    QStringList slotNames(const BuildInput& in) const
    {
        QStringList names;
        for (const QString& slot : in.slots)
            names << (slot.isEmpty() ? QString() : QFileInfo(slot).fileName());
        return names;
    }

    QTemporaryDir m_home;
};

TEST_F(DemoData, TakesTheFirstFiveArticlesByNameAndImage288)
{
    articles({QStringLiteral("delta.txt"), QStringLiteral("Bravo.txt"), QStringLiteral("alpha.txt"),
              QStringLiteral("echo.txt"), QStringLiteral("Charlie.txt"), QStringLiteral("foxtrot.txt"),
              QStringLiteral("aaa.md"), QStringLiteral(".hidden.txt")});
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("apparticles/a-folder.txt"))));
    images({QStringLiteral("Image101.jpg"), QStringLiteral("Image288.jpg"), QStringLiteral("Image300.jpg")});

    const BuildInput in = input();
    EXPECT_EQ(slotNames(in),
              (QStringList{u"alpha.txt"_qs, u"Bravo.txt"_qs, u"Charlie.txt"_qs, u"delta.txt"_qs, u"echo.txt"_qs}));
    EXPECT_EQ(in.slots[0], path(QStringLiteral("apparticles/alpha.txt")));
    EXPECT_EQ(in.backgroundFolder, path(QStringLiteral("appimages")));
    EXPECT_EQ(in.backgroundFile, u"Image288.jpg");
    EXPECT_EQ(in.installFolder, m_home.path());
    EXPECT_EQ(in.variation, u"2");
    EXPECT_TRUE(DemoDataProblems(m_home.path()).isEmpty());
}

TEST_F(DemoData, SampleTextsReplaceEightFieldsAndKeepTheOtherThree)
{
    SiteInfo before;
    before.siteName = QStringLiteral("mine");
    before.buttonUrl = QStringLiteral("https://kept");
    before.readMoreText = QStringLiteral("kept more");
    before.relatedArticlesText = QStringLiteral("kept related");
    before.videoId = QStringLiteral("old video");
    const SiteInfo info = DemoBuildInput(m_home.path(), QStringLiteral("1"), before).info;
    EXPECT_EQ(info.siteHeadline, u"Depression Fighters - Get Rid of Depression");
    EXPECT_EQ(info.siteDescription, u"Learn How to Get Rid of Depression without Pills!");
    EXPECT_EQ(info.siteName, u"Depression Fighters");
    EXPECT_EQ(info.videoId, u"fWFuQR_Wt4M");
    EXPECT_EQ(info.adTitle, u"Best Program to Get Rid of Depression");
    EXPECT_EQ(info.adDescription, u"Solid program with tons of positive reviews.");
    EXPECT_EQ(info.buttonText, u"Click Here to Access");
    EXPECT_EQ(info.footerText, u"Depression Fighters - All Rights Reserved");
    EXPECT_EQ(info.buttonUrl, u"https://kept");
    EXPECT_EQ(info.readMoreText, u"kept more");
    EXPECT_EQ(info.relatedArticlesText, u"kept related");
}

TEST_F(DemoData, IncompleteSampleDataFillsWhatItCanAndSaysWhatIsMissing)
{
    articles({QStringLiteral("b.txt"), QStringLiteral("a.txt")});
    images({QStringLiteral("x.jpg"), QStringLiteral("image288.jpg"), QStringLiteral("y.jpg")});
    const BuildInput in = input();
    // A missing list entry leaves the previous one selected.
    EXPECT_EQ(slotNames(in), (QStringList{u"a.txt"_qs, u"b.txt"_qs, u"b.txt"_qs, u"b.txt"_qs, u"b.txt"_qs}));
    // The name is compared exactly: the search ends on the last image.
    EXPECT_EQ(in.backgroundFile, u"y.jpg");
    const QStringList problems = DemoDataProblems(m_home.path());
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems.at(0).contains(u"holds 2 article files")) << problems.at(0).toStdString();
    EXPECT_TRUE(problems.at(1).contains(u"Image288.jpg")) << problems.at(1).toStdString();
}

TEST_F(DemoData, WithoutSampleFoldersNothingIsChosen)
{
    const BuildInput in = input();
    EXPECT_EQ(slotNames(in), QStringList(5, QString()));
    EXPECT_TRUE(in.backgroundFile.isEmpty());
    const QStringList problems = DemoDataProblems(m_home.path());
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems.at(0).contains(u"cannot be opened")) << problems.at(0).toStdString();
}

} // namespace
