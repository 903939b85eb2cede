// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace quorvale {

/// Told how far a copy has got: @p done of @p total bytes of file content.
using CopyProgress = std::function<void(qint64 done, qint64 total)>;

/// Copies the folder @p source with everything below it into the folder
/// @p destination, under the source's own name: copying ".../template1" into
/// ".../output" gives ".../output/template1". The destination is created when
/// missing; files already at the target are replaced. Hidden files are copied
/// like any other; a symbolic link inside the tree is copied as a link to the
/// same target and never followed (@p source itself may be a link to a folder).
/// @p progress, when set, is called before the first file, after each file and
/// at the end. Throws Error naming the path and the reason when @p source is
/// not a folder, when @p destination lies inside @p source or when anything
/// cannot be copied; what was copied until then stays.
void copyFolderInto(const QString& source, const QString& destination, const CopyProgress& progress = {});

/// Copies the folder @p source as copyFolderInto does, to @p target itself
/// instead of a folder of the source's name: its contents land in @p target,
/// which is created when missing (with the folders above it).
void copyFolderTo(const QString& source, const QString& target, const CopyProgress& progress = {});

/// Deletes the folder @p path with everything below it, depth first in the
/// order the folder listing gives, the folder itself last. Read-only files and
/// folders go like any other. A symbolic link is removed as a link, never
/// followed, wherever it points; when @p path itself is a link, only the link
/// is removed. Throws Error naming the path and the reason when @p path does
/// not exist or something cannot be removed; the delete then stops at that
/// point and what was deleted stays deleted.
void deleteFolderTree(const QString& path);

} // namespace quorvale
