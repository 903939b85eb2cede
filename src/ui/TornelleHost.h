// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace quorvale {

/// What the Tornelle window's controller needs of the desktop beyond message
/// boxes: choosers for files, folders and a number, and the time. The window
/// implements it with dialogs; tests replace it.
class TornelleHost
{
public:
    virtual ~TornelleHost() = default;

    /// Asks for a file to write, offering @p suggested; empty when the user
    /// cancelled. The dialog asks itself before an existing file is chosen.
    virtual QString chooseSaveFile(const QString& title, const QString& suggested) = 0;
    /// Asks for a folder, starting in @p start; empty when the user cancelled.
    virtual QString chooseFolder(const QString& title, const QString& start) = 0;
    /// Asks for a whole number from @p minimum to @p maximum, offering @p value; nothing when the user cancelled.
    virtual std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                         int maximum) = 0;
    /// The time now; backups are named after it.
    virtual QDateTime now() = 0;
};

} // namespace quorvale
