#pragma once

#include "site/BuildSite.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

namespace quorvale::test {

/// A build host that keeps what it was asked to show.
class RecordingHost : public BuildHost
{
public:
    struct Message
    {
        QString text;
        QString title;
    };

    void showMessage(const QString& text, const QString& title) override { messages.append({text, title}); }
    void copyProgress(qint64 done, qint64 total) override { progress.append({done, total}); }
    void copyEnded() override { ++copyEndings; }

    QList<Message> messages;
    QList<std::pair<qint64, qint64>> progress;
    int copyEndings = 0;
};

/// Writes @p bytes to @p path, creating the folders on the way.
inline QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot read ") + path.toUtf8() + '>';
    return file.readAll();
}

/// Every file and link below @p folder (hidden ones included) by its path
/// relative to @p folder: a file maps to its bytes, a link to "-> target".
inline QMap<QString, QByteArray> treeOf(const QString& folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(folder);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        if (info.isSymLink())
            tree.insert(root.relativeFilePath(path),
                        "-> " +
                            QByteArray::fromStdString(
                                std::filesystem::read_symlink(std::filesystem::path(path.toStdU16String())).string()));
        else if (info.isFile())
            tree.insert(root.relativeFilePath(path), readFile(path));
    }
    return tree;
}

/// Copies a fixture folder with the standard library (not with the code under test).
inline void copyTree(const QString& from, const QString& to)
{
    namespace fs = std::filesystem;
    fs::copy(fs::path(from.toStdU16String()), fs::path(to.toStdU16String()),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

inline QString fixturePath(const QString& relative)
{
    return QStringLiteral(QUORVALE_TEST_DATA "/fixtures/") + relative;
}

} // namespace quorvale::test
