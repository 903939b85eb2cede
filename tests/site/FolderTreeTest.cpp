#include "site/FolderTree.h"

#include "SiteTestSupport.h"
#include "components/Error.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

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
    DeleteFolderTree(path(u"tree"));
    EXPECT_FALSE(exists(u"tree"));
    EXPECT_EQ(treeOf(path(u"outside")), outsideBefore);
    EXPECT_EQ(outsideBefore.size(), 2);
}

TEST_F(FolderTree, DeleteOfALinkRemovesOnlyTheLink)
{
    makeTree();
    link(path(u"tree"), u"root-link");
    link(path(u"tree"), u"root-link-2");
    const auto before = treeOf(path(u"tree"));
    DeleteFolderTree(path(u"root-link"));
    DeleteFolderTree(path(u"root-link-2/"));
    EXPECT_FALSE(exists(u"root-link"));
    EXPECT_FALSE(exists(u"root-link-2"));
    EXPECT_EQ(treeOf(path(u"tree")), before);
}

TEST_F(FolderTree, DeleteOfSomethingThatIsNoFolderIsAnError)
{
    writeFile(path(u"file.txt"), "f");
    for (const QString& bad : {path(u"missing"), path(u"file.txt"), QString()})
        EXPECT_THROW(DeleteFolderTree(bad), Error) << bad.toStdString();
    EXPECT_TRUE(exists(u"file.txt"));
}

TEST_F(FolderTree, CopyLandsUnderTheSourceNameWithHiddenFilesAndLinksAsLinks)
{
    makeTree();
    fs::permissions(native(u"tree/locked"), fs::perms::owner_all);
    QList<std::pair<qint64, qint64>> progress;
    CopyFolderInto(path(u"tree"), path(u"new/dest"), [&progress](qint64 done, qint64 total) {
        progress.append({done, total});
    });

    EXPECT_EQ(treeOf(path(u"new/dest/tree")), treeOf(path(u"tree")));
    EXPECT_TRUE(QFileInfo(path(u"new/dest/tree/sub/empty")).isDir());
    // The links are links still: nothing of what they point at was copied.
    EXPECT_TRUE(QFileInfo(path(u"new/dest/tree/to-outside")).isSymLink());
    EXPECT_EQ(fs::read_symlink(native(u"new/dest/tree/sub/to-file")), fs::path("../../outside/keep.txt"));

    // Seven bytes of file content: a, h, x, ro, in.
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.first(), std::make_pair(qint64(0), qint64(7)));
    EXPECT_EQ(progress.last(), std::make_pair(qint64(7), qint64(7)));
    for (qsizetype i = 1; i < progress.size(); ++i)
        EXPECT_LE(progress.at(i - 1).first, progress.at(i).first);
}

TEST_F(FolderTree, CopyReplacesFilesAndLinksAlreadyAtTheTarget)
{
    writeFile(path(u"src/page.html"), "new page");
    writeFile(path(u"src/img/bg.jpg"), "new image");
    writeFile(path(u"dest/src/page.html"), "old page");
    writeFile(path(u"victim/bg.jpg"), "must stay");
    link(path(u"victim"), u"dest/src/img");

    CopyFolderInto(path(u"src/"), path(u"dest"));
    EXPECT_EQ(readFile(path(u"dest/src/page.html")), QByteArray("new page"));
    EXPECT_FALSE(QFileInfo(path(u"dest/src/img")).isSymLink());
    EXPECT_EQ(readFile(path(u"dest/src/img/bg.jpg")), QByteArray("new image"));
    EXPECT_EQ(readFile(path(u"victim/bg.jpg")), QByteArray("must stay"));
}

TEST_F(FolderTree, CopyFailuresAreErrors)
{
    writeFile(path(u"src/a.txt"), "a");
    writeFile(path(u"file.txt"), "f");
    // Into itself or below itself it would never end; a file is no destination.
    const std::pair<const char16_t*, const char16_t*> failures[] = {
        {u"missing", u"dest"}, {u"file.txt", u"dest"}, {u"src", u"src"}, {u"src", u"src/x/y"}, {u"src", u"file.txt"}};
    for (const auto& [from, to] : failures)
        EXPECT_THROW(CopyFolderInto(path(from), path(to)), Error) << QString::fromUtf16(to).toStdString();
    EXPECT_THROW(CopyFolderInto(path(u"src"), QString()), Error);
    EXPECT_EQ(treeOf(path(u"src")), (QMap<QString, QByteArray>{{QStringLiteral("a.txt"), "a"}}));
    EXPECT_FALSE(exists(u"dest"));
}

} // namespace
