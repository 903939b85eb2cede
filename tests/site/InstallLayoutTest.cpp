#include "site/InstallLayout.h"

#include "components/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvale;

namespace {

/// One way of laying out the program. Paths are relative to a scratch folder
/// that holds a portable folder "app" (data beside the executable), an
/// installation "prefix" (bin/, share/quorvale/) and the user's folder "user".
struct LayoutCase
{
    const char* name;
    const char* executableFolder; ///< empty: --home prefix/share/quorvale
    const char* systemDataFolder; ///< empty: none
    QStringList userFiles;        ///< in "user"; a name ending in "/" is a folder
    InstallLayout::Kind kind;
    const char* outputRoot;
    const char* templateFolder;     ///< variation 1
    const char* pageTemplateFolder; ///< variation 1 without a video
    const char* rulesPath;
};

// "template1_novideo" is a file and so no template folder of the user's own.
const QStringList Overrides = {u"template1/"_qs, u"rwdb.txt"_qs, u"template1_novideo"_qs};

const LayoutCase Cases[] = {
    {"PortableIgnoresTheUserFolder", "app", "", Overrides, InstallLayout::Kind::Portable, "app/output", "app/template1",
     "app/template1_novideo", "app/rwdb.txt"},
    {"InstalledWritablePrefix",
     "prefix/bin",
     "",
     {},
     InstallLayout::Kind::Installed,
     "prefix/share/quorvale/output",
     "prefix/share/quorvale/template1",
     "prefix/share/quorvale/template1_novideo",
     "prefix/share/quorvale/rwdb.txt"},
    {"SystemWideWritesToTheUserFolder",
     "prefix/bin",
     "prefix/share/",
     {u"rwdb.txt/"_qs}, // a folder, not rules
     InstallLayout::Kind::Installed,
     "user/output",
     "prefix/share/quorvale/template1",
     "prefix/share/quorvale/template1_novideo",
     "prefix/share/quorvale/rwdb.txt"},
    {"UserOverrides", "prefix/bin", "prefix/share", Overrides, InstallLayout::Kind::Installed, "user/output",
     "user/template1", "prefix/share/quorvale/template1_novideo", "user/rwdb.txt"},
    {"HomeIsPortable", "", "", Overrides, InstallLayout::Kind::Portable, "prefix/share/quorvale/output",
     "prefix/share/quorvale/template1", "prefix/share/quorvale/template1_novideo", "prefix/share/quorvale/rwdb.txt"},
};

class InstallLayoutCase : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(InstallLayoutCase, FindsDataOutputAndOverrides)
{
    const LayoutCase& c = GetParam();
    QTemporaryDir scratch;
    const QDir root(scratch.path());
    for (const char* folder : {"app/template1", "prefix/bin", "prefix/share/quorvale/template1", "user"})
        ASSERT_TRUE(root.mkpath(QString::fromUtf8(folder)));
    for (const QString& name : c.userFiles) {
        const QString path = root.filePath(u"user/" + name);
        ASSERT_TRUE(name.endsWith(u'/') ? root.mkpath(path) : QFile(path).open(QIODevice::WriteOnly));
    }
    const auto at = [&root](const char* relative) {
        return QDir::cleanPath(root.filePath(QString::fromUtf8(relative)));
    };

    const InstallLayout layout =
        *c.executableFolder
            ? InstallLayout::forExecutable(at(c.executableFolder), at("user"),
                                           *c.systemDataFolder ? QStringList{at(c.systemDataFolder)} : QStringList())
            : InstallLayout::forHome(at("prefix/share/quorvale"));

    EXPECT_EQ(layout.kind(), c.kind);
    EXPECT_EQ(layout.outputRoot(), at(c.outputRoot));
    EXPECT_EQ(layout.siteFolder(u"2"_qs), at(c.outputRoot) + u"/template2");
    EXPECT_EQ(layout.templateFolder(u"1"_qs), at(c.templateFolder));
    EXPECT_EQ(layout.pageTemplateFolder(u"1"_qs, QString()), at(c.pageTemplateFolder));
    EXPECT_EQ(layout.pageTemplateFolder(u"1"_qs, u" "_qs), at(c.templateFolder));
    EXPECT_EQ(layout.rulesPath(), at(c.rulesPath));
    // A variation naming another folder never leads out of the layout's folders.
    EXPECT_THROW(layout.siteFolder(u"1/../../etc"_qs), Error);
    EXPECT_THROW(layout.templateFolder(u"1/../../etc"_qs), Error);
    EXPECT_THROW(layout.pageTemplateFolder(u"1/../../etc"_qs, QString()), Error);
}

INSTANTIATE_TEST_SUITE_P(Site, InstallLayoutCase, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
