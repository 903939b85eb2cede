// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

/// A real JPEG of one pixel whose comment holds @p note: pictures that tell
/// apart by their bytes and are read as pictures all the same.
inline QByteArray jpegBytes(const QByteArray& note)
{
    static const QByteArray pixel = QByteArray::fromBase64(
        "/9j/4AAQSkZJRgABAQEAZABkAAD/2wBDABALDA4MChAODQ4SERATGCgaGBYWGDEjJR0oOjM9PDkzODdASFxOQERXRTc4UG1RV19iZ2hn"
        "Pk1xeXBkeFxlZ2P/2wBDARESEhgVGC8aGi9jQjhCY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2NjY2Nj"
        "Y2P/wAARCAABAAEDASIAAhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQAAAF9AQID"
        "AAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlq"
        "c3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3"
        "+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREAAgECBAQDBAcFBAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEI"
        "FEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImK"
        "kpOUlZaXmJmaoqOkpaanqKmqsrO0tba3uLm6wsPExcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwDl"
        "aKKK6RH/2Q==");
    const qsizetype length = note.size() + 2;
    return pixel.first(2) + "\xff\xfe" + char(length >> 8) + char(length & 0xff) + note + pixel.sliced(2);
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

/// One case of a reference file: a block that starts with "== name" and holds
/// "key: value" lines ("#" lines are comments). In a value, \n, \r, \t, \\,
/// \xNN and \uNNNN stand for the unit they name.
struct ReferenceCase
{
    std::string name;
    QMap<QString, QString> fields;

    QString operator[](const char* key) const { return fields.value(QString::fromLatin1(key)); }
    bool has(const char* key) const { return fields.contains(QString::fromLatin1(key)); }
};

inline void PrintTo(const ReferenceCase& c, std::ostream* out)
{
    *out << c.name;
}

inline QString unescaped(QStringView value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar c = value[++i];
        const qsizetype digits = c == u'x' ? 2 : c == u'u' ? 4 : 0;
        if (digits > 0 && i + digits < value.size()) {
            text += QChar(char16_t(value.sliced(i + 1, digits).toUInt(nullptr, 16)));
            i += digits;
        } else {
            text += c == u'n' ? u'\n' : c == u'r' ? u'\r' : c == u't' ? u'\t' : c.unicode();
        }
    }
    return text;
}

/// The cases of the reference file @p name of this test folder.
inline std::vector<ReferenceCase> referenceCases(const char* name)
{
    std::vector<ReferenceCase> cases;
    QFile file(QStringLiteral(QUORVALE_TEST_DATA "/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        return {ReferenceCase{std::string("missing_") + name, {}}};
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u"== "))
            cases.push_back(ReferenceCase{line.sliced(3).trimmed().toStdString(), {}});
        else if (const qsizetype colon = line.indexOf(u": "); colon > 0 && !line.startsWith(u'#') && !cases.empty())
            cases.back().fields.insert(line.first(colon), unescaped(QStringView(line).sliced(colon + 2)));
    }
    return cases;
}

inline constexpr auto referenceName = [](const auto& info) { return info.param.name; };

/// Whether @p body returns true in a child process whose @p resource is
/// limited to @p bytes: a file-size limit stands in for a full disk, an
/// address-space limit for a small memory. A child ended by a signal (an
/// abort, or SIGXFSZ) fails the test.
inline bool trueInLimitedChild(int resource, rlim_t bytes, const std::function<bool()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{bytes, bytes};
        setrlimit(resource, &limit);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/// Copies a folder with the standard library (not with the code under test).
inline void copyTree(const QString& from, const QString& to)
{
    namespace fs = std::filesystem;
    fs::copy(nativePath(from), nativePath(to), fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

} // namespace quorvale::test
