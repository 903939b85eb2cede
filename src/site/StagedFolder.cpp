// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/StagedFolder.h"

#include "components/Error.h"
#include "site/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvale {

namespace {

QString quoted(const QString& path)
{
    return u'"' + path + u'"';
}

bool entryExists(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

int renamed(const QString& from, const QString& to, unsigned flags = 0)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                       flags);
}

const QString OldSuffix = QStringLiteral(".old");

} // namespace

StagedFolder::StagedFolder(const QString& target) : m_target(QDir::cleanPath(target))
{
    const QFileInfo info(m_target);
    const QString parent = info.path();
    // The staging name must stay within the system's limit on a file name.
    m_leftoverPrefix = u'.' + info.fileName().left(48) + QStringLiteral(".staging-");

    // Under the lock nothing else writes these: they are what a killed replacement left.
    QStringList leftovers = QDir(parent).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    leftovers.removeIf([this](const QString& name) { return !name.startsWith(m_leftoverPrefix); });
    for (const QString& name : leftovers) {
        if (name.endsWith(OldSuffix) && !entryExists(m_target))
            renamed(parent + u'/' + name, m_target);
    }
    for (const QString& name : leftovers) {
        if (entryExists(parent + u'/' + name)) {
            try {
                deleteFolderTree(parent + u'/' + name);
            } catch (const Error&) {
                // Tried again by the next replacement; it keeps no one from building.
            }
        }
    }

    QByteArray name = QFile::encodeName(parent + u'/' + m_leftoverPrefix) + "XXXXXX";
    if (::mkdtemp(name.data()) == nullptr)
        throw Error(QStringLiteral("Cannot create a folder for the new version beside ") + quoted(m_target) +
                    QStringLiteral(": ") + qt_error_string(errno) + u'.');
    m_staging = QFile::decodeName(name);
    // mkdtemp makes the folder private; the new version gets the permissions of any new folder.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(name.constData(), 0777 & ~mask);
}

StagedFolder::~StagedFolder()
{
    if (m_committed || m_staging.isEmpty())
        return;
    try {
        deleteFolderTree(m_staging);
    } catch (const Error&) {
        // Removed by the next replacement of the target.
    }
}

QString StagedFolder::commit(Swap swap)
{
    const auto failed = [this](int error) {
        return Error(QStringLiteral("Cannot put the new version ") + quoted(m_staging) +
                     QStringLiteral(" in place of ") + quoted(m_target) + QStringLiteral(": ") +
                     qt_error_string(error) + u'.');
    };
    // The pages are on disk before their folder takes the old one's place.
    if (const int folder = ::open(QFile::encodeName(m_staging).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::syncfs(folder);
        ::close(folder);
    }
    QString old = m_staging;
    if (!entryExists(m_target)) {
        if (renamed(m_staging, m_target) != 0)
            throw failed(errno);
        m_committed = true;
        return {};
    }
    if (swap == Swap::Exchange && renamed(m_staging, m_target, RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            throw failed(errno);
        swap = Swap::TwoRenames;
    }
    if (swap == Swap::TwoRenames) {
        old = m_staging + OldSuffix;
        if (renamed(m_target, old) != 0)
            throw failed(errno);
        if (renamed(m_staging, m_target) != 0) {
            const int error = errno;
            renamed(old, m_target);
            throw failed(error);
        }
    }
    m_committed = true;
    try {
        deleteFolderTree(old);
    } catch (const Error& error) {
        return error.message();
    }
    return {};
}

} // namespace quorvale
