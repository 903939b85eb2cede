// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/FolderTree.h"

#include "components/Error.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace quorvale {

namespace {

fs::path toPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

QString fromPath(const fs::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

QString quoted(const fs::path& path)
{
    return u'"' + fromPath(path) + u'"';
}

QString reason(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}

/// The path without trailing separators, so that a link named "out/" is looked
/// at as the link "out" rather than through it.
fs::path withoutTrailingSeparators(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return toPath(trimmed);
}

void removeEntry(const fs::path& path)
{
    std::error_code error;
    if (!fs::remove(path, error) && error)
        throw Error(QStringLiteral("Cannot delete ") + quoted(path) + QStringLiteral(": ") + reason(error));
}

void deleteFolder(const fs::path& folder)
{
    // Removing the entries of a folder needs write access to it.
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);

    // The whole listing is taken before anything is removed.
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    if (error)
        throw Error(QStringLiteral("Cannot list the folder ") + quoted(folder) + QStringLiteral(": ") + reason(error));

    for (const fs::path& entry : entries) {
        const fs::file_status status = fs::symlink_status(entry, error);
        if (!fs::status_known(status) || status.type() == fs::file_type::not_found)
            throw Error(QStringLiteral("Cannot delete ") + quoted(entry) + QStringLiteral(": ") + reason(error));
        if (fs::is_directory(status))
            deleteFolder(entry);
        else
            removeEntry(entry);
    }
    removeEntry(folder);
}

struct CopyJob
{
    qint64 total = 0;
    qint64 done = 0;
    const CopyProgress* progress = nullptr;

    void report() const
    {
        if (progress != nullptr && *progress)
            (*progress)(done, total);
    }
};

[[noreturn]] void copyFailed(const fs::path& from, const std::error_code& error)
{
    throw Error(QStringLiteral("Cannot copy ") + quoted(from) + QStringLiteral(": ") + reason(error));
}

/// A copy that failed while writing @p to names where it was writing.
[[noreturn]] void writeFailed(const fs::path& from, const fs::path& to, const std::error_code& error)
{
    throw Error(QStringLiteral("Cannot copy ") + quoted(from) + QStringLiteral(" to ") + quoted(to) +
                QStringLiteral(": ") + reason(error));
}

qint64 contentSize(const fs::path& folder)
{
    qint64 total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code sizeError;
        if (fs::is_regular_file(it->symlink_status(sizeError))) {
            const std::uintmax_t size = it->file_size(sizeError);
            if (!sizeError)
                total += qint64(size);
        }
    }
    return total;
}

/// Removes a symbolic link standing where a copy is about to write, so that
/// the copy replaces the link instead of writing through it.
void removeLinkAt(const fs::path& target)
{
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        fs::remove(target, error);
        if (error)
            throw Error(QStringLiteral("Cannot replace ") + quoted(target) + QStringLiteral(": ") + reason(error));
    }
}

void copyFolder(const fs::path& from, const fs::path& to, CopyJob& job)
{
    removeLinkAt(to);
    std::error_code error;
    fs::create_directory(to, error);
    if (error)
        throw Error(QStringLiteral("Cannot create the folder ") + quoted(to) + QStringLiteral(": ") + reason(error));

    std::error_code listError;
    for (fs::directory_iterator it(from, listError), end; !listError && it != end; it.increment(listError)) {
        const fs::path& entry = it->path();
        const fs::path target = to / entry.filename();
        const fs::file_status status = fs::symlink_status(entry, error);
        if (!fs::status_known(status) || status.type() == fs::file_type::not_found)
            copyFailed(entry, error);
        if (fs::is_directory(status)) {
            copyFolder(entry, target, job);
            continue;
        }
        removeLinkAt(target);
        if (fs::is_symlink(status)) {
            fs::copy_symlink(entry, target, error);
            if (error)
                writeFailed(entry, target, error);
        } else if (fs::is_regular_file(status)) {
            if (!fs::copy_file(entry, target, fs::copy_options::overwrite_existing, error))
                writeFailed(entry, target, error);
            const std::uintmax_t size = fs::file_size(target, error);
            job.done += error ? 0 : qint64(size);
            job.report();
        } else {
            throw Error(QStringLiteral("Cannot copy ") + quoted(entry) +
                        QStringLiteral(": it is neither a file, a folder nor a symbolic link."));
        }
    }
    if (listError)
        throw Error(QStringLiteral("Cannot list the folder ") + quoted(from) + QStringLiteral(": ") +
                    reason(listError));
}

} // namespace

namespace {

/// The folder @p source, checked to be one; throws Error otherwise.
fs::path sourceFolder(const QString& source)
{
    const fs::path from = withoutTrailingSeparators(source);
    std::error_code error;
    if (source.isEmpty() || !fs::is_directory(from, error))
        throw Error(QStringLiteral("Cannot copy ") + quoted(from) + QStringLiteral(": the folder does not exist."));
    return from;
}

/// Copies @p from to @p to; @p into, the folder above @p to, is created when missing.
void copyTree(const fs::path& from, const fs::path& to, const fs::path& into, const CopyProgress& progress)
{
    std::error_code error;
    // A copy into the tree being copied would never end.
    const fs::path realFrom = fs::weakly_canonical(from, error);
    if (error)
        copyFailed(from, error);
    const fs::path realTo = fs::weakly_canonical(to, error);
    if (error)
        copyFailed(from, error);
    if (std::mismatch(realFrom.begin(), realFrom.end(), realTo.begin(), realTo.end()).first == realFrom.end())
        throw Error(QStringLiteral("Cannot copy ") + quoted(from) + QStringLiteral(" into ") + quoted(into) +
                    QStringLiteral(": the destination lies inside the folder being copied."));

    fs::create_directories(into, error);
    if (error)
        throw Error(QStringLiteral("Cannot create the folder ") + quoted(into) + QStringLiteral(": ") + reason(error));

    CopyJob job;
    job.total = contentSize(from);
    job.progress = &progress;
    job.report();
    copyFolder(from, to, job);
    job.done = job.total;
    job.report();
}

} // namespace

void copyFolderInto(const QString& source, const QString& destination, const CopyProgress& progress)
{
    const fs::path from = sourceFolder(source);
    if (destination.isEmpty())
        throw Error(QStringLiteral("Cannot copy ") + quoted(from) +
                    QStringLiteral(": no destination folder was given."));
    std::error_code error;
    fs::path name = from.filename();
    if (name.empty() || name == fs::path(u".") || name == fs::path(u"..")) {
        name = fs::weakly_canonical(from, error).filename();
        if (error)
            copyFailed(from, error);
    }
    const fs::path into = withoutTrailingSeparators(destination);
    copyTree(from, into / name, into, progress);
}

void copyFolderTo(const QString& source, const QString& target, const CopyProgress& progress)
{
    const fs::path from = sourceFolder(source);
    if (target.isEmpty())
        throw Error(QStringLiteral("Cannot copy ") + quoted(from) +
                    QStringLiteral(": no destination folder was given."));
    const fs::path to = withoutTrailingSeparators(target);
    copyTree(from, to, to.parent_path(), progress);
}

void deleteFolderTree(const QString& path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Cannot delete the folder: no folder was given."));
    const fs::path folder = withoutTrailingSeparators(path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (status.type() == fs::file_type::not_found)
        throw Error(QStringLiteral("Cannot delete ") + quoted(folder) + QStringLiteral(": the folder does not exist."));
    if (error)
        throw Error(QStringLiteral("Cannot delete ") + quoted(folder) + QStringLiteral(": ") + reason(error));
    if (fs::is_symlink(status)) {
        removeEntry(folder);
        return;
    }
    if (!fs::is_directory(status))
        throw Error(QStringLiteral("Cannot delete ") + quoted(folder) + QStringLiteral(": it is not a folder."));
    deleteFolder(folder);
}

} // namespace quorvale
