// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/InstallLayout.h"

#include "components/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvale {

namespace {

// A folder of "/" must not give "//output".
QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

bool isInside(const QString& path, const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    return path == clean || path.startsWith(joined(clean, QString()));
}

} // namespace

InstallLayout InstallLayout::forExecutable(const QString& executableFolder)
{
    QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // The XDG rules say a relative XDG_DATA_HOME is invalid and to be ignored; Qt 6.4 takes it as it is.
    if (QDir::isRelativePath(userData))
        userData = QDir::homePath() + QStringLiteral("/.local/share");
    QStringList system = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    system.removeAll(userData);
    return forExecutable(executableFolder, userData + u"/quorvale", system);
}

InstallLayout InstallLayout::forExecutable(const QString& executableFolder, const QString& userFolder,
                                           const QStringList& systemDataFolders)
{
    InstallLayout layout;
    layout.m_userFolder = QDir::cleanPath(userFolder);
    const QString executables = QDir(executableFolder).absolutePath();
    const QString installed = QDir::cleanPath(executables + u'/' + InstalledDataFromBin);
    if (!QFileInfo(installed).isDir()) {
        layout.m_installFolder = QDir::cleanPath(executables);
        return layout;
    }
    layout.m_kind = Kind::Installed;
    layout.m_installFolder = installed;
    bool systemWide = false;
    for (const QString& folder : systemDataFolders)
        systemWide = systemWide || isInside(installed, folder);
    layout.m_writesToUserFolder = systemWide || !QFileInfo(installed).isWritable();
    return layout;
}

InstallLayout InstallLayout::forHome(const QString& folder)
{
    InstallLayout layout;
    layout.m_installFolder = QDir::cleanPath(QDir(folder).absolutePath());
    return layout;
}

QString InstallLayout::outputRoot() const
{
    return joined(m_writesToUserFolder ? m_userFolder : m_installFolder, QStringLiteral("output"));
}

QString InstallLayout::siteFolder(const QString& variation) const
{
    checkVariation(variation);
    return outputRoot() + u"/template" + variation;
}

QString InstallLayout::templateFolder(const QString& variation) const
{
    checkVariation(variation);
    return userOrShipped(u"template" + variation, true);
}

QString InstallLayout::pageTemplateFolder(const QString& variation, const QString& videoId) const
{
    checkVariation(variation);
    return userOrShipped(u"template" + variation + (videoId.isEmpty() ? QStringView(u"_novideo") : QStringView()),
                         true);
}

QString InstallLayout::rulesPath() const
{
    return userOrShipped(QStringLiteral("rwdb.txt"), false);
}

QString InstallLayout::taggerModelPath() const
{
    return m_installFolder + QStringLiteral("/tagger.model");
}

void InstallLayout::checkVariation(const QString& variation)
{
    for (const QChar c : variation) {
        if (c == u'/' || c == u'\\' || c == QChar::Null)
            throw Error(
                QStringLiteral("The template variation \"") + variation +
                QStringLiteral("\" is not a plain folder name: it must not hold \"/\", \"\\\" or a NUL character."));
    }
}

QString InstallLayout::userOrShipped(const QString& name, bool isFolder) const
{
    if (m_kind == Kind::Installed) {
        // What the user put there is read as it is, never through a link that may lead anywhere.
        const QFileInfo own(joined(m_userFolder, name));
        const QString kind = isFolder ? QStringLiteral("folder") : QStringLiteral("file");
        const auto refused = [&](const QString& what) {
            return Error(
                QStringLiteral("Your own ") + name + QStringLiteral(", \"") + own.filePath() + QStringLiteral("\", ") +
                what + QStringLiteral("; only a real ") + kind +
                QStringLiteral(" is used there. Put a copy in its place, or remove it to use the installed one."));
        };
        if (own.isSymLink())
            throw refused(QStringLiteral("is a symbolic link"));
        if (isFolder ? own.isDir() : own.isFile())
            return own.filePath();
        if (!isFolder && own.exists())
            throw refused(QStringLiteral("is not a file"));
    }
    return joined(m_installFolder, name);
}

} // namespace quorvale
