// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/SiteTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace quorvale {

/// The most versions one build makes.
inline constexpr int MaxSiteVersions = 999;

/// The folder of version @p version of @p total below the output folder:
/// "01" to "99", three digits from 100 versions on, so that they sort.
QString versionFolderName(int version, int total);

/// How much one version's articles share with the originals and with the
/// other versions, as 5-word shingles: the highest share among its five articles.
struct VersionShare
{
    int version = 0;
    double withOriginal = 0; ///< 0 to 1: of the shingles of its article, the share also in the original
    int originalSlot = 0;    ///< the slot of that article (0: the main article)
    double withOther = 0;    ///< 0 to 1: the share also in the same article of another version
    int otherSlot = 0;
    int otherVersion = 0; ///< that version; 0 when the build has one version only
};

/// How different the versions of a build are.
struct VersionsReport
{
    int requested = 0;             ///< the versions asked for
    QList<VersionShare> versions;  ///< of each version built, in order
    QStringList repeats;           ///< the articles whose rewrites gave fewer wordings than versions
    QString folder;                ///< where the versions are

    /// The version whose article shares most with its original; null when there is none.
    const VersionShare* mostLikeOriginal() const;
    /// The version whose article shares most with another version's; null when there is none.
    const VersionShare* mostLikeAnother() const;
};

/// The shares of @p wordings[slot][n] (the wording of version n + 1) with
/// @p originals[slot] and with each other, for the first @p built versions.
VersionsReport compareVersions(const std::array<QString, 5>& originals,
                               const std::array<QStringList, 5>& wordings, int built);

/// The highest shares and the repeated wordings, a sentence each.
QStringList versionsReportNotes(const VersionsReport& report);

/// The report as text: a line per version and the notes.
QString versionsReportText(const VersionsReport& report);

/// "37%": a share of 0 to 1 as a whole percentage.
QString percentText(double share);

/// "the main article" for slot 0, "article #n" for slot n.
QString slotName(int slot);

} // namespace quorvale
