// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvale {

/// Replaces a folder as a whole, so that it is always either its old or its
/// new version, whatever fails and even when the process is killed: the new
/// version is written into a fresh folder beside the target (on the same file
/// system) and swapped in with one rename once it is complete. Only one
/// replacement of a target may run at a time (see FolderLock).
class StagedFolder
{
public:
    /// How commit() puts the new version in place.
    enum class Swap {
        Exchange,  ///< one exchange of the two names; TwoRenames where the file system cannot exchange them
        TwoRenames ///< the target renamed aside, then the new version renamed to its name
    };

    /// Prepares the replacement of @p target (a folder, a link to one, or
    /// nothing yet): removes what an interrupted replacement left beside it
    /// (one killed between the two renames gets its old version back in
    /// place), then makes the empty staging folder. Throws Error naming the
    /// folder when the staging folder cannot be made.
    explicit StagedFolder(const QString& target);
    /// Removes the staging folder unless it was committed.
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    /// The staging folder that receives the new version.
    const QString& path() const { return m_staging; }

    /// Flushes the staging folder to disk, puts it in place of the target
    /// and deletes the old version. Throws Error when the new version cannot
    /// be put in place; the target is then as it was. Returns why the old
    /// version could not be deleted completely (the next replacement of the
    /// target tries again), empty when it is gone.
    QString commit(Swap swap = Swap::Exchange);

private:
    QString m_target;
    QString m_leftoverPrefix; ///< the names of staging folders of the target start with it
    QString m_staging;
    bool m_committed = false;
};

} // namespace quorvale
