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

fs::path native(const QString& path)
{
    return fs::path(path.toStdU16String());
}

bool entryExists(const QString& path)
{
    std::error_code error;
    return fs::symlink_status(native(path), error).type() != fs::file_type::not_found;
}

class FolderTree : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    void link(const QString& target, const QString& relative)
    {
        ASSERT_TRUE(QFile::link(target, path(relative))) << relative.toStdString();
    }

    /// tree/ holds files, hidden, read-only, nested and empty folders and links
    /// pointing out of it; outside/ is what the links point at.
    void makeTree()
    {
        writeFile(path(QStringLiteral("outside/keep.txt")), "outside");
        writeFile(path(QStringLiteral("outside/sub/deep.txt")), "deeper");
        writeFile(path(QStringLiteral("tree/a.txt")), "a");
        writeFile(path(QStringLiteral("tree/.hidden")), "h");
        writeFile(path(QStringLiteral("tree/sub/.hiddendir/x")), "x");
        writeFile(path(QStringLiteral("tree/sub/readonly.txt")), "ro");
        writeFile(path(QStringLiteral("tree/locked/inner.txt")), "in");
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("tree/sub/empty"))));
        fs::permissions(native(path(QStringLiteral("tree/sub/readonly.txt"))), fs::perms::owner_read);
        link(path(QStringLiteral("outside")), QStringLiteral("tree/to-outside"));
        link(QStringLiteral("../../outside/keep.txt"), QStringLiteral("tree/sub/to-file"));
        link(QStringLiteral("nowhere"), QStringLiteral("tree/dangling"));
        // A folder without write permission: its entries go all the same.
        fs::permissions(native(path(QStringLiteral("tree/locked"))), fs::perms::owner_read | fs::perms::owner_exec);
    }

    void TearDown() override
    {
        // Lets the temporary folder go away when a test left the locked folder behind.
        std::error_code ignored;
        fs::permissions(native(path(QStringLiteral("tree/locked"))), fs::perms::owner_all, ignored);
    }

    QTemporaryDir m_dir;
};

TEST_F(FolderTree, DeleteRemovesEverythingAndLeavesLinkTargetsAlone)
{
    makeTree();
    const auto outsideBefore = treeOf(path(QStringLiteral("outside")));
    DeleteFolderTree(path(QStringLiteral("tree")));
    EXPECT_FALSE(entryExists(path(QStringLiteral("tree"))));
    EXPECT_EQ(treeOf(path(QStringLiteral("outside"))), outsideBefore);
    EXPECT_EQ(outsideBefore.size(), 2);
}

TEST_F(FolderTree, DeleteOfALinkRemovesOnlyTheLink)
{
    makeTree();
    link(path(QStringLiteral("tree")), QStringLiteral("root-link"));
    link(path(QStringLiteral("tree")), QStringLiteral("root-link-2"));
    const auto before = treeOf(path(QStringLiteral("tree")));
    DeleteFolderTree(path(QStringLiteral("root-link")));
    DeleteFolderTree(path(QStringLiteral("root-link-2/")));
    EXPECT_FALSE(entryExists(path(QStringLiteral("root-link"))));
    EXPECT_FALSE(entryExists(path(QStringLiteral("root-link-2"))));
    EXPECT_EQ(treeOf(path(QStringLiteral("tree"))), before);
}

TEST_F(FolderTree, DeleteOfSomethingThatIsNoFolderIsAnError)
{
    writeFile(path(QStringLiteral("file.txt")), "f");
    EXPECT_THROW(DeleteFolderTree(path(QStringLiteral("missing"))), Error);
    EXPECT_THROW(DeleteFolderTree(path(QStringLiteral("file.txt"))), Error);
    EXPECT_THROW(DeleteFolderTree(QString()), Error);
    EXPECT_TRUE(entryExists(path(QStringLiteral("file.txt"))));
}

TEST_F(FolderTree, CopyLandsUnderTheSourceNameWithHiddenFilesAndLinksAsLinks)
{
    makeTree();
    fs::permissions(native(path(QStringLiteral("tree/locked"))), fs::perms::owner_all);
    QList<std::pair<qint64, qint64>> progress;
    CopyFolderInto(path(QStringLiteral("tree")), path(QStringLiteral("new/dest")),
                   [&progress](qint64 done, qint64 total) {
                       progress.append({done, total});
                   });

    EXPECT_EQ(treeOf(path(QStringLiteral("new/dest/tree"))), treeOf(path(QStringLiteral("tree"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("new/dest/tree/sub/empty"))).isDir());
    // The links are links still: nothing of what they point at was copied.
    EXPECT_EQ(QFile::symLinkTarget(path(QStringLiteral("new/dest/tree/to-outside"))), path(QStringLiteral("outside")));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("new/dest/tree/to-outside"))).isSymLink());
    EXPECT_EQ(fs::read_symlink(native(path(QStringLiteral("new/dest/tree/sub/to-file")))),
              fs::path("../../outside/keep.txt"));

    // Seven bytes of file content: a, h, x, ro, in.
    ASSERT_GE(progress.size(), 2);
    EXPECT_EQ(progress.first(), std::make_pair(qint64(0), qint64(7)));
    EXPECT_EQ(progress.last(), std::make_pair(qint64(7), qint64(7)));
    for (qsizetype i = 1; i < progress.size(); ++i)
        EXPECT_LE(progress.at(i - 1).first, progress.at(i).first);
}

TEST_F(FolderTree, CopyReplacesFilesAndLinksAlreadyAtTheTarget)
{
    writeFile(path(QStringLiteral("src/page.html")), "new page");
    writeFile(path(QStringLiteral("src/img/bg.jpg")), "new image");
    writeFile(path(QStringLiteral("dest/src/page.html")), "old page");
    writeFile(path(QStringLiteral("victim/bg.jpg")), "must stay");
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("dest/src"))));
    link(path(QStringLiteral("victim")), QStringLiteral("dest/src/img"));

    CopyFolderInto(path(QStringLiteral("src/")), path(QStringLiteral("dest")));
    EXPECT_EQ(readFile(path(QStringLiteral("dest/src/page.html"))), QByteArray("new page"));
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("dest/src/img"))).isSymLink());
    EXPECT_EQ(readFile(path(QStringLiteral("dest/src/img/bg.jpg"))), QByteArray("new image"));
    EXPECT_EQ(readFile(path(QStringLiteral("victim/bg.jpg"))), QByteArray("must stay"));
}

TEST_F(FolderTree, CopyFailuresAreErrors)
{
    writeFile(path(QStringLiteral("src/a.txt")), "a");
    writeFile(path(QStringLiteral("file.txt")), "f");
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("missing")), path(QStringLiteral("dest"))), Error);
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("file.txt")), path(QStringLiteral("dest"))), Error);
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("src")), QString()), Error);
    // Into itself or below itself it would never end.
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("src")), path(QStringLiteral("src"))), Error);
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("src")), path(QStringLiteral("src/x/y"))), Error);
    // The destination exists as a file.
    EXPECT_THROW(CopyFolderInto(path(QStringLiteral("src")), path(QStringLiteral("file.txt"))), Error);
    EXPECT_EQ(treeOf(path(QStringLiteral("src"))), (QMap<QString, QByteArray>{{QStringLiteral("a.txt"), "a"}}));
    EXPECT_FALSE(entryExists(path(QStringLiteral("dest"))));
}

} // namespace
