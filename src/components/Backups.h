// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <utility>

namespace quorvale {

/// Copies of files kept before they are overwritten, byte for byte, in a
/// folder of their own: each file gets a sub-folder named after it and its
/// place ("sleep.txt-1a2b3c4d", the digits telling apart files of one name in
/// different folders), which holds one copy per save named after the file and
/// the time ("sleep 2024-05-01 10-22-33.120.txt"). The newest KeptPerFile
/// copies of each file stay; older ones are removed.
class Backups
{
public:
    static constexpr int KeptPerFile = 10;

    /// Backups below @p folder (made when the first copy is kept).
    explicit Backups(QString folder) : m_folder(std::move(folder)) {}

    /// Keeps the bytes of the file at @p path as it is now, as a copy named
    /// after @p when (a later time when that name is taken), written by the
    /// safe save; then removes the oldest copies of the file beyond
    /// KeptPerFile. Returns the copy's path, or an empty text when there is no
    /// file at @p path. Throws Error naming the file and the reason when it
    /// cannot be read or the copy cannot be written.
    QString keep(const QString& path, const QDateTime& when) const;

    /// The copies of the file at @p path, oldest first.
    QStringList copiesOf(const QString& path) const;

    /// The folder that holds the copies of the file at @p path.
    QString folderOf(const QString& path) const;

private:
    QString m_folder;
};

} // namespace quorvale
