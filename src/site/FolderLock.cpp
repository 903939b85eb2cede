// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/FolderLock.h"

#include "components/Error.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvale {

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe (FIFO)");
    return QStringLiteral("not a regular file");
}

} // namespace

FolderLock::~FolderLock()
{
    release();
}

QString FolderLock::lockFileName(const QString& folder)
{
    return folder + QStringLiteral(".lock");
}

bool FolderLock::tryLock(const QString& folder, int waitMs)
{
    release();
    const QString path = lockFileName(folder);
    const QByteArray name = QFile::encodeName(path);
    const auto refused = [&path](const QString& reason) {
        return Error(QStringLiteral("The lock file \"") + path + QStringLiteral("\" cannot be used: ") + reason +
                     QStringLiteral(". When no other build is running, it can be removed."));
    };
    const QDeadlineTimer deadline(qMax(waitMs, 0));
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) {
            const int error = errno;
            struct stat status = {};
            if (error == ELOOP && ::lstat(name.constData(), &status) == 0 && S_ISLNK(status.st_mode))
                throw refused(QStringLiteral("it is a symbolic link"));
            if (error == EISDIR)
                throw refused(QStringLiteral("it is a folder"));
            throw refused(qt_error_string(error));
        }
        struct stat opened = {};
        const bool known = ::fstat(fd, &opened) == 0;
        const int statError = errno;
        if (!known || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            throw refused(known ? QStringLiteral("it is ") + kindOf(opened.st_mode) : qt_error_string(statError));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before us may have removed the file as it let go: the lock
            // counts only while it is on the file that stands at the name.
            struct stat current = {};
            if (::lstat(name.constData(), &current) == 0 && current.st_dev == opened.st_dev &&
                current.st_ino == opened.st_ino) {
                m_fd = fd;
                m_path = path;
                return true;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR)
            throw refused(qt_error_string(error));
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

void FolderLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that no one can take the lock on a file about to go.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

} // namespace quorvale
