// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/Backups.h"

#include "components/Error.h"
#include "components/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace quorvale {

namespace {

/// The file itself, wherever links lead: a save replaces what a link points to.
QString identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

QString Backups::folderOf(const QString& path) const
{
    const QString file = identity(path);
    const QByteArray digest = QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return m_folder + u'/' + QFileInfo(file).fileName() + u'-' + QString::fromLatin1(digest);
}

QStringList Backups::copiesOf(const QString& path) const
{
    const QDir folder(folderOf(path));
    const QString prefix = QFileInfo(identity(path)).completeBaseName() + u' ';
    QStringList copies;
    // The names hold the time with a fixed width: their order is the order of time.
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (name.startsWith(prefix))
            copies.append(folder.filePath(name));
    return copies;
}

QString Backups::keep(const QString& path, const QDateTime& when) const
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    const QByteArray bytes = readFileBytes(path);
    const QString folder = folderOf(path);
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Cannot make the backup folder \"") + folder + QStringLiteral("\"."));
    const QFileInfo file(identity(path));
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    const QString prefix = folder + u'/' + file.completeBaseName() + u' ';
    const QString format = QStringLiteral("yyyy-MM-dd HH-mm-ss.zzz");
    // The newest copy gets the last name, also when the clock went back or two saves share a millisecond.
    QDateTime time = when;
    QStringList copies = copiesOf(path);
    if (!copies.isEmpty()) {
        const QDateTime last = QDateTime::fromString(copies.back().mid(prefix.size(), format.size()), format);
        if (last.isValid() && last >= time)
            time = last.addMSecs(1);
    }
    const QString copy = prefix + time.toString(format) + suffix;
    saveFile(bytes, copy);
    copies = copiesOf(path);
    for (qsizetype i = 0; i + KeptPerFile < copies.size(); ++i)
        QFile::remove(copies.at(i)); // a copy left over is harmless: the next save tries again
    return copy;
}

} // namespace quorvale
