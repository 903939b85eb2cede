// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/SiteVersions.h"

#include <QDialog>

namespace quorvale {

/// How much the versions of a build share with the original articles and
/// with each other: the build's summary, a row per version, and the highest
/// shares and repeated wordings under them.
class VersionsReportDialog : public QDialog
{
    Q_OBJECT

public:
    VersionsReportDialog(const QString& summary, const VersionsReport& report, QWidget* parent = nullptr);
};

} // namespace quorvale
