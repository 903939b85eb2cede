// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvale {

/// The widest background a site gets; wider pictures are scaled down to it.
inline constexpr int MaxBackgroundWidth = 2400;
/// A JPEG of at most this many bytes, and no wider than MaxBackgroundWidth,
/// goes into a site as it is; any other picture is encoded anew.
inline constexpr qint64 MaxBackgroundBytesAsIs = 1024 * 1024;

/// The file name patterns of the pictures the background list offers.
QStringList backgroundImagePatterns();

/// Why the file at @p path cannot be a site's background (it is no picture
/// Qt can read, or its picture is damaged), in plain words; empty when it can.
/// Reads only the file's header. Never throws.
QString backgroundImageProblem(const QString& path);

/// The bytes of the site's bg.jpg made from the picture at @p path: the file
/// itself when it is a JPEG within MaxBackgroundWidth and
/// MaxBackgroundBytesAsIs; otherwise the picture, turned upright as its
/// camera recorded it, scaled down to MaxBackgroundWidth when wider, with any
/// transparency laid on black, as a progressive JPEG of quality 82. Throws
/// Error naming the file when it cannot be read or decoded.
QByteArray backgroundJpeg(const QString& path);

} // namespace quorvale
