#include "site/InstallLayout.h"

#include "site/SitePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvale {

namespace {

bool isInside(const QString& path, const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    return path == clean || path.startsWith(clean.endsWith(u'/') ? clean : clean + u'/');
}

} // namespace

InstallLayout InstallLayout::forExecutable(const QString& executableFolder)
{
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList system = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    system.removeAll(userData);
    return forExecutable(executableFolder, userData + u"/quorvale", system);
}

InstallLayout InstallLayout::forExecutable(const QString& executableFolder, const QString& userFolder,
                                           const QStringList& systemDataFolders)
{
    InstallLayout layout;
    layout.m_userFolder = QDir::cleanPath(userFolder);
    const QString installed = QDir::cleanPath(executableFolder + u'/' + InstalledDataFromBin);
    if (!QFileInfo(installed).isDir()) {
        layout.m_installFolder = QDir::cleanPath(executableFolder);
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
    layout.m_installFolder = QDir::cleanPath(folder);
    return layout;
}

QString InstallLayout::outputRoot() const
{
    return (m_writesToUserFolder ? m_userFolder : m_installFolder) + u"/output";
}

QString InstallLayout::siteFolder(const QString& variation) const
{
    CheckVariation(variation);
    return outputRoot() + u"/template" + variation;
}

QString InstallLayout::templateFolder(const QString& variation) const
{
    CheckVariation(variation);
    return userOrShipped(u"template" + variation, true);
}

QString InstallLayout::pageTemplateFolder(const QString& variation, const QString& videoId) const
{
    CheckVariation(variation);
    return userOrShipped(u"template" + variation + (videoId.isEmpty() ? QStringView(u"_novideo") : QStringView()),
                         true);
}

QString InstallLayout::rulesPath() const
{
    return userOrShipped(QStringLiteral("rwdb.txt"), false);
}

QString InstallLayout::userOrShipped(const QString& name, bool isFolder) const
{
    if (m_kind == Kind::Installed) {
        const QFileInfo own(m_userFolder + u'/' + name);
        if (isFolder ? own.isDir() : own.isFile())
            return own.filePath();
    }
    return m_installFolder + u'/' + name;
}

} // namespace quorvale
