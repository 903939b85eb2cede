// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/BuildSite.h"

#include <QStringList>
#include <QStringView>

namespace quorvale {

/// The sample site texts "Load Dummy Data" types into the main window.
inline constexpr QStringView DemoSiteHeadline = u"Depression Fighters - Get Rid of Depression";
inline constexpr QStringView DemoSiteDescription = u"Learn How to Get Rid of Depression without Pills!";
inline constexpr QStringView DemoSiteName = u"Depression Fighters";
inline constexpr QStringView DemoVideoId = u"fWFuQR_Wt4M";
inline constexpr QStringView DemoAdTitle = u"Best Program to Get Rid of Depression";
inline constexpr QStringView DemoAdDescription = u"Solid program with tons of positive reviews.";
inline constexpr QStringView DemoButtonText = u"Click Here to Access";
inline constexpr QStringView DemoFooterText = u"Depression Fighters - All Rights Reserved";

/// The sample folders below the installation folder and the sample background.
inline constexpr QStringView DemoArticleFolder = u"apparticles";
inline constexpr QStringView DemoImageFolder = u"appimages";
inline constexpr QStringView DemoImageFile = u"Image288.jpg";

/// @p info with the eight sample texts set (site headline, description, name,
/// video id, ad title, ad description, button text, footer). The button
/// address, the read-more and the related-articles texts stay as they are.
SiteInfo withDemoSiteTexts(SiteInfo info);

/// The names of the "*.txt" files of @p folder as the article file list shows
/// them: plain files only, hidden ones left out, sorted by name ignoring case.
/// Empty when the folder cannot be read.
QStringList articleFileNames(const QString& folder);

/// The names of the pictures of @p folder (see backgroundImagePatterns) as
/// the background image list shows them (sorted like articleFileNames).
QStringList imageFileNames(const QString& folder);

/// What "Load Dummy Data" followed by "Build Minisite" builds, starting from
/// empty slots and @p info: the sample texts applied to @p info; slots 0 to 4
/// from the first five article files of apparticles in the layout's
/// installation folder (with fewer
/// files, the later slots repeat the last one, as picking a missing list entry
/// leaves the previous one selected; with none they stay empty); the
/// background Image288.jpg of its appimages, or the last image of
/// the list when there is no such file (none when the list is empty).
BuildInput demoBuildInput(const InstallLayout& layout, const QString& variation, const SiteInfo& info = SiteInfo());

/// What is missing from the sample data of @p installFolder, one line each:
/// an apparticles folder that cannot be read, fewer than five article files,
/// no Image288.jpg in appimages. Empty when the sample data is complete.
QStringList demoDataProblems(const QString& installFolder);

} // namespace quorvale
