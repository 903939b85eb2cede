// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/InstallLayout.h"

#include "components/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvale;

namespace {

/// One way of laying out the program in a scratch folder holding a portable
/// folder "app" (data beside the executable), an installation "usr" (bin/ and
/// share/quorvale/) and the user's folder "user". The expected folders are
/// named by where they lie: "app", "share" (usr/share/quorvale) or "user".
struct LayoutCase
{
    const char* name;
    const char* executableFolder; ///< empty: --home usr/share/quorvale
    const char* systemDataFolder; ///< empty: none
    QStringList userFiles;        ///< in "user"; a name ending in "/" is a folder
    InstallLayout::Kind kind;
    const char* outputIn;
    const char* templateIn;     ///< template1
    const char* pageTemplateIn; ///< template1_novideo
    const char* rulesIn;        ///< empty: refused
};

// A file named like a template folder is no override.
const QStringList Overrides = {u"template1/"_qs, u"rwdb.txt"_qs, u"template1_novideo"_qs};

using enum InstallLayout::Kind;
const LayoutCase Cases[] = {
    {"PortableIgnoresTheUserFolder", "app", "", Overrides, Portable, "app", "app", "app", "app"},
    {"InstalledWritablePrefix", "usr/bin", "", {}, Installed, "share", "share", "share", "share"},
    {"SystemWideWritesToTheUserFolder",
     "usr/bin",
     "usr/share/",
     {u"rwdb.txt/"_qs},
     Installed,
     "user",
     "share",
     "share",
     ""},
    {"UserOverrides", "usr/bin", "usr/share", Overrides, Installed, "user", "user", "share", "user"},
    {"LinkedOverridesAreRefused",
     "usr/bin",
     "",
     {u"template1@"_qs, u"rwdb.txt@"_qs},
     Installed,
     "share",
     "",
     "share",
     ""},
    {"HomeIsPortable", "", "", Overrides, Portable, "share", "share", "share", "share"},
};

class InstallLayoutCase : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(InstallLayoutCase, FindsDataOutputAndOverrides)
{
    const LayoutCase& c = GetParam();
    QTemporaryDir scratch;
    const QDir root(scratch.path());
    for (const char* folder : {"app/template1", "usr/bin", "usr/share/quorvale/template1", "user"})
        ASSERT_TRUE(root.mkpath(QString::fromUtf8(folder)));
    for (const QString& name : c.userFiles) {
        const QString path = root.filePath(u"user/" + name);
        if (name.endsWith(u'@'))
            ASSERT_TRUE(QFile::link(root.filePath(u"usr/share/quorvale/template1"_qs), path.chopped(1)));
        else
            ASSERT_TRUE(name.endsWith(u'/') ? root.mkpath(path) : QFile(path).open(QIODevice::WriteOnly));
    }
    const auto at = [&root](const char* where, const QString& name = QString()) {
        const QString folder = qstrcmp(where, "share") == 0 ? u"usr/share/quorvale"_qs : QString::fromUtf8(where);
        return QDir::cleanPath(root.filePath(folder + u'/' + name));
    };
    const QStringList system = *c.systemDataFolder ? QStringList{at(c.systemDataFolder)} : QStringList();
    const InstallLayout layout = *c.executableFolder
                                     ? InstallLayout::forExecutable(at(c.executableFolder), at("user"), system)
                                     : InstallLayout::forHome(at("share"));

    EXPECT_EQ(layout.kind(), c.kind);
    EXPECT_EQ(layout.outputRoot(), at(c.outputIn, u"output"_qs));
    EXPECT_EQ(layout.siteFolder(u"2"_qs), at(c.outputIn, u"output/template2"_qs));
    const auto expect = [&](const std::function<QString()>& found, const char* in, const QString& name) {
        if (*in)
            EXPECT_EQ(found(), at(in, name));
        else
            EXPECT_THROW(found(), Error);
    };
    expect([&] { return layout.templateFolder(u"1"_qs); }, c.templateIn, u"template1"_qs);
    EXPECT_EQ(layout.pageTemplateFolder(u"1"_qs, QString()), at(c.pageTemplateIn, u"template1_novideo"_qs));
    expect([&] { return layout.pageTemplateFolder(u"1"_qs, u" "_qs); }, c.templateIn, u"template1"_qs);
    expect([&] { return layout.rulesPath(); }, c.rulesIn, u"rwdb.txt"_qs);
    // A variation naming another folder never leads out of the layout's folders.
    EXPECT_THROW(layout.siteFolder(u"1/../../etc"_qs), Error);
    EXPECT_THROW(layout.templateFolder(u"1/../../etc"_qs), Error);
    EXPECT_THROW(layout.pageTemplateFolder(u"1/../../etc"_qs, QString()), Error);
}

INSTANTIATE_TEST_SUITE_P(Site, InstallLayoutCase, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// The XDG rules: a relative XDG_DATA_HOME is invalid and ignored.
TEST(InstallLayout, ARelativeDataHomeIsIgnored)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "relative/data");
    const QString user = InstallLayout::forExecutable(QDir::currentPath()).userFolder();
    saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(user, QDir::homePath() + u"/.local/share/quorvale");
}

} // namespace
