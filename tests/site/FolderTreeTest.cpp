#include "site/FolderTree.h"

#include "TestSupport.h"

#include <QTemporaryDir>

using namespace quorvale;
using namespace quorvale::test;

namespace fs = std::filesystem;

namespace {

class FolderTree : public ::testing::Test
{
protected:
    QString path(QStringView relative) const { return m_dir.filePath(relative.toString()); }
    fs::path native(QStringView relative) const { return fs::path(path(relative).toStdU16String()); }
    bool exists(QStringView relative) const
    {
        std::error_code error;
        return fs::symlink_status(native(relative), error).type() != fs::file_type::not_found;
    }
    void link(const QString& target, QStringView relative)
    {
        ASSERT_TRUE(QFile::link(target, path(relative))) << relative.toString().toStdString();
    }

    /// tree/ holds files, hidden, read-only, nested and empty folders and links
    /// pointing out of it; outside/ is what the links point at.
    void makeTree()
    {
        writeFile(path(u"outside/keep.txt"), "outside");
        writeFile(path(u"outside/sub/deep.txt"), "deeper");
        writeFile(path(u"tree/a.txt"), "a");
        writeFile(path(u"tree/.hidden"), "h");
        writeFile(path(u"tree/sub/.hiddendir/x"), "x");
        writeFile(path(u"tree/sub/readonly.txt"), "ro");
        writeFile(path(u"tree/locked/inner.txt"), "in");
        ASSERT_TRUE(QDir().mkpath(path(u"tree/sub/empty")));
        fs::permissions(native(u"tree/sub/readonly.txt"), fs::perms::owner_read);
        link(path(u"outside"), u"tree/to-outside");
        link(QStringLiteral("../../outside/keep.txt"), u"tree/sub/to-file");
        link(QStringLiteral("nowhere"), u"tree/dangling");
        // A folder without write permission: its entries go all the same.
        fs::permissions(native(u"tree/locked"), fs::perms::owner_read | fs::perms::owner_exec);
    }

    void TearDown() override
    {
        // Lets the temporary folder go away when a test left the locked folder behind.
        std::error_code ignored;
        fs::permissions(native(u"tree/locked"), fs::perms::owner_all, ignored);
    }

    QTemporaryDir m_dir;
};

TEST_F(FolderTree, DeleteRemovesEverythingAndLeavesLinkTargetsAlone)
{
    makeTree();
    const auto outsideBefore = treeOf(path(u"outside"));
    deleteFolderTree(path(u"tree"));
    EXPECT_FALSE(exists(u"tree"));
    EXPECT_EQ(treeOf(path(u"outside")), outsideBefore);
    EXPECT_EQ(outsideBefore.size(), 2);
}

TEST_F(FolderTree, CopyLandsUnderTheSourceNameWithHiddenFilesAndLinksAsLinks)
{
    makeTree();
    fs::permissions(native(u"tree/locked"), fs::perms::owner_all);
    QList<std::pair<qint64, qint64>> progress;
    copyFolderInto(path(u"tree"), path(u"new/dest"), [&progress](qint64 done, qint64 total) {
        progress.append({done, total});
    });

    // treeOf keeps links as their targets: they were copied as links.
    EXPECT_EQ(treeOf(path(u"new/dest/tree")), treeOf(path(u"tree")));
    EXPECT_TRUE(QFileInfo(path(u"new/dest/tree/sub/empty")).isDir());

    // Seven bytes of file content: a, h, x, ro, in.
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.first(), std::make_pair(qint64(0), qint64(7)));
    EXPECT_EQ(progress.last(), std::make_pair(qint64(7), qint64(7)));
}

} // namespace
