// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// Where Quorvale reads its data and writes its sites.
///
/// Portable (build/app, an unpacked archive): the data lies beside the
/// executable, and output/ is written below that folder. Installed (cmake
/// --install, the Debian package): the executable is in bin/ and the data in
/// ../share/quorvale. Sites are written below that folder while it can be
/// written, else into the user's data folder ($XDG_DATA_HOME/quorvale). A
/// system-wide installation (in /usr/share, /usr/local/share or another
/// folder of $XDG_DATA_DIRS) is never written, even by root: its files belong
/// to the package manager. In an installed layout, a template<V> folder or an
/// rwdb.txt in the user's data folder is used instead of the shipped one.
class InstallLayout
{
public:
    enum class Kind { Portable, Installed };

    /// The data folder of an installation, relative to the folder of its executables.
    static constexpr QStringView InstalledDataFromBin = u"../share/quorvale";

    /// The layout of the program whose executable lies in @p executableFolder
    /// (QCoreApplication::applicationDirPath()), with the user's data folder
    /// and the system data folders QStandardPaths names.
    static InstallLayout forExecutable(const QString& executableFolder);

    /// As above with the folders given: @p userFolder is the user's quorvale
    /// folder, @p systemDataFolders the folders whose contents belong to the
    /// system (such as /usr/share).
    static InstallLayout forExecutable(const QString& executableFolder, const QString& userFolder,
                                       const QStringList& systemDataFolders);

    /// "--home DIR": DIR is the installation folder, read from and written
    /// below as a portable one, whatever lies around it.
    static InstallLayout forHome(const QString& folder);

    Kind kind() const { return m_kind; }

    /// The shipped data: templates, apparticles, appimages, help, rwdb.txt.
    QString installFolder() const { return m_installFolder; }

    /// The part-of-speech model that rules with conditions need: always the shipped one.
    QString taggerModelPath() const;

    /// The user's data folder ($XDG_DATA_HOME/quorvale); empty for --home.
    QString userFolder() const { return m_userFolder; }

    /// Whether sites go into the user's data folder instead of the installation folder.
    bool writesToUserFolder() const { return m_writesToUserFolder; }

    /// The folder every build deletes and builds anew: output/ of the
    /// installation folder or of the user's data folder.
    QString outputRoot() const;

    /// outputRoot()/template<variation>, the site folder a build writes.
    /// The variation becomes part of folder names; a text holding "/", "\" or
    /// a NUL character would name a folder elsewhere (even outside these
    /// folders), so it throws Error. Any other text, the empty one included,
    /// passes.
    QString siteFolder(const QString& variation) const;

    /// The skeleton folder template<variation>, copied whole into the output
    /// root: the user's own (installed layout) when it is a folder, else the
    /// shipped one. Throws Error as siteFolder, and naming the user's own
    /// when it is a symbolic link: only a real folder there is used.
    QString templateFolder(const QString& variation) const;

    /// The folder of the page templates: template<variation>_novideo when
    /// @p videoId is empty, else template<variation>, each found as
    /// templateFolder finds it. Throws Error as templateFolder.
    QString pageTemplateFolder(const QString& variation, const QString& videoId) const;

    /// The synonym rules: the user's rwdb.txt (installed layout) when there is
    /// one, else the shipped one. Throws Error naming the user's rwdb.txt when
    /// it is not a regular file (a link, a folder, a pipe).
    QString rulesPath() const;

    /// Throws Error unless @p variation can be part of a folder name (see siteFolder).
    static void checkVariation(const QString& variation);

private:
    QString userOrShipped(const QString& name, bool isFolder) const;

    Kind m_kind = Kind::Portable;
    QString m_installFolder;
    QString m_userFolder;
    bool m_writesToUserFolder = false;
};

} // namespace quorvale
