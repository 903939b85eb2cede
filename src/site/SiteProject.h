// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/BuildSite.h"
#include "site/SiteTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>

namespace quorvale {

/// A site kept as a project: everything a build uses. Paths are absolute
/// here; the file stores them relative to the project's folder where they
/// lie below it, and relative to the installation folder where they lie in
/// it (the sample articles and pictures), so that a project names no
/// absolute path of the installation and a folder holding a project with its
/// articles and pictures can be moved as a whole.
struct SiteProject
{
    SlotPaths articles;  ///< the five slots; empty: the slot is empty
    QString background;  ///< the background image; empty: none chosen
    QString variation = QStringLiteral("1");
    SiteInfo info;
    QString outputFolder; ///< the folder builds write into; empty: defaultOutputFolder() of the file
    int versions = 1;     ///< 1: the site as written; more: that many rewritten versions (see BuildInput)
    quint64 seed = 0;     ///< the spins of the versions depend on it alone, so that a build can be repeated

    bool operator==(const SiteProject&) const = default;
};

/// The largest project file read: 1 MB.
inline constexpr qint64 MaxSiteProjectBytes = 1024 * 1024;

/// The largest seed a project holds: the largest whole number every JSON reader keeps exactly.
inline constexpr quint64 MaxSiteProjectSeed = (quint64(1) << 53) - 1;

/// The site texts as the project file and quorvale-cli's options name them.
struct SiteTextKey
{
    QStringView key; ///< "site-name", "ad-title" ...
    QString SiteInfo::*field;
};
const std::array<SiteTextKey, 12>& siteTextKeys();

/// Where a project builds when it names no output folder: the folder beside
/// @p projectFile named after it ("calm.quorvale" gives "calm-site").
QString defaultOutputFolder(const QString& projectFile);

/// The output folder of @p project saved as @p projectFile (empty: not saved
/// yet, and without an output folder of its own: empty).
QString outputFolderOf(const SiteProject& project, const QString& projectFile);

/// The JSON text of @p project as saveSiteProject() writes it to @p projectFile.
QByteArray siteProjectBytes(const SiteProject& project, const QString& projectFile, const QString& installFolder);

/// Reads the project file @p projectFile; @p installFolder resolves the
/// paths stored relative to the installation. Throws Error with the reason
/// (it does not exist, is not a regular file, is over 1 MB, is not a
/// Quorvale site file, is damaged, was written in a newer format) naming the
/// file. Files the project names need not exist.
SiteProject loadSiteProject(const QString& projectFile, const QString& installFolder);

/// What building @p project, saved as @p projectFile (empty: not saved), in
/// @p layout reads.
BuildInput siteBuildInput(const SiteProject& project, const QString& projectFile, const InstallLayout& layout);

/// Writes @p project to @p projectFile with the safe save. Throws Error as saveTextFile.
void saveSiteProject(const SiteProject& project, const QString& projectFile, const QString& installFolder);

/// True when the file at @p path reads as a site project of any format
/// version (it may still be damaged). Never throws.
bool isSiteProjectFile(const QString& path);

/// What stands in the file at @p path now, to tell later whether someone
/// else wrote it: a hash of its bytes, empty when it cannot be read.
QByteArray fileFingerprint(const QString& path);

} // namespace quorvale
