#pragma once

// Helpers every test executable shares (header only, Qt Core and the standard
// library, so that a module's tests still link that module alone).

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
#include <ostream>
#include <string>

// Readable failures: texts are printed as UTF-8 in brackets.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '[' << text.toStdString() << ']';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '[' << list.join(QStringLiteral("], [")).toStdString() << ']';
}

namespace quorvale::test {

/// Names the cases of a parameterised test after their `name` member.
inline constexpr auto caseName = [](const auto& info) { return std::string(info.param.name); };

/// Writes @p bytes to @p path, creating the folders on the way; returns the path.
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

inline std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
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
                        "-> " + QByteArray::fromStdString(std::filesystem::read_symlink(nativePath(path)).string()));
        else if (info.isFile())
            tree.insert(root.relativeFilePath(path), readFile(path));
    }
    return tree;
}

/// Copies a folder with the standard library (not with the code under test).
inline void copyTree(const QString& from, const QString& to)
{
    namespace fs = std::filesystem;
    fs::copy(nativePath(from), nativePath(to), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

} // namespace quorvale::test
