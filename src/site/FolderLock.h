// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvale {

/// Keeps a second writer away from a folder: an exclusive lock on the file
/// <folder>.lock beside it. The lock is the system's (flock), held by the
/// open file, so it never outlives its process: whatever a killed build or
/// a power cut leaves in the file (nothing, another version's or another
/// host's text) never blocks a later build. The lock file is opened without
/// following a link and without waiting on a pipe, and removed on release.
class FolderLock
{
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    /// Takes the lock of @p folder, waiting up to @p waitMs milliseconds
    /// while another holds it; false when it is still held then. Throws
    /// Error naming the lock file when it cannot be a lock (a folder, a pipe,
    /// a link, a file that may not be opened): no build can remove it safely,
    /// so the message says it may be removed when no other build is running.
    bool tryLock(const QString& folder, int waitMs);

    /// <folder>.lock.
    static QString lockFileName(const QString& folder);

private:
    void release();

    int m_fd = -1;
    QString m_path;
};

} // namespace quorvale
