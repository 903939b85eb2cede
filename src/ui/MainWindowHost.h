// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/SiteTypes.h"
#include "site/SiteVersions.h"
#include "ui/Pause.h"

#include <QStringList>

namespace quorvale {

/// What the main window controller needs of its own window beyond the
/// desktop's dialogs (UiHost): the picture preview, the two windows it opens,
/// the progress of the template copy and the short pauses of the demo data.
class MainWindowHost
{
public:
    virtual ~MainWindowHost() = default;
    /// Shows the picture file at @p path in the preview, replacing the previous
    /// picture. Returns false, and keeps the previous picture, when the file
    /// cannot be read or decoded.
    virtual bool showPicture(const QString& path) = 0;
    /// Shows the Tornelle window without blocking. A new window starts from
    /// @p articles; an open one is only brought to the front and ignores them.
    virtual void showTornelle(const SlotPaths& articles) = 0;
    /// Shows the instructions window and returns when it has been closed.
    virtual void showInstructions() = 0;
    /// Closes the main window; its state is discarded.
    virtual void closeWindow() = 0;
    /// Progress of the template folder copy during a build: @p done of @p total bytes.
    virtual void copyProgress(qint64 done, qint64 total)
    {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }
    /// The template copy is over (finished or failed); any progress display goes away.
    virtual void copyEnded() {}
    /// A short wait that keeps the window responsive (see quorvale::pause).
    virtual void pause(int count) { quorvale::pause(count); }

    /// What askForPath asks for.
    enum class PathQuestion {
        SiteToSave,   ///< a site file to write (the dialog confirms replacing a file)
        OutputFolder, ///< a folder
    };
    /// Asks for a file or folder, starting at @p start; empty when the person cancelled.
    virtual QString askForPath(PathQuestion question, const QString& start) = 0;
    /// A new seed for the spins of a site's versions, at most MaxSiteProjectSeed.
    virtual quint64 newSeed() = 0;
    /// @p done of @p total versions of a build are written; false when the person cancelled.
    virtual bool versionsProgress(int done, int total)
    {
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }
    /// The build of the versions is over; its progress display goes away.
    virtual void versionsEnded() {}
    /// Shows how much the versions of a build share, under @p summary, and
    /// returns when it has been closed.
    virtual void showVersionsReport(const QString& summary, const VersionsReport& report) = 0;
};

} // namespace quorvale
