// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/InstallLayout.h"
#include "site/SiteTypes.h"
#include "site/SiteVersions.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvale {

/// Everything a build reads. Nothing in it is changed by the build.
struct BuildInput
{
    InstallLayout layout;     ///< where the templates lie and output/ is written
    SlotPaths articlePaths;   ///< the five article slots
    QString backgroundFolder; ///< folder of the background image list
    QString backgroundFile;   ///< chosen image's file name; empty: none chosen
    QString variation = QStringLiteral("1");
    SiteInfo info;
    int lockWaitMs = 0; ///< how long to wait for another build of the same output folder to end
    /// The folder the site is written into, replaced as a whole by every
    /// build; empty: outputRoot()/template<variation> of the layout, with the
    /// whole output root replaced. A folder named here gets the marker file
    /// SiteFolderMarker, and is replaced only when it is empty or holds that
    /// marker: a folder holding anything else is refused, not emptied.
    QString siteFolder;
    /// 1: the site as written. 2 to MaxSiteVersions: that many versions of
    /// the site, in the folders versionFolderName() names below the site
    /// folder, the five articles of each rewritten with the rules and spun
    /// with seeds made from @ref seed, the slot and the version number.
    int versions = 1;
    quint64 seed = 0;
    /// The site file the input comes from, if any: like the articles and the
    /// background, it must not lie in the folder the build replaces.
    QString siteFile;
};

/// The file a build puts into a site folder of its own (BuildInput::siteFolder):
/// it tells an earlier site, which a build may replace, from any other folder.
inline constexpr QStringView SiteFolderMarker = u".quorvale-site";

/// The report a build of several versions writes beside them.
inline constexpr QStringView VersionsReportFile = u"versions.txt";

/// The steps of a build that write to the disk, in the order they run. All
/// but the last write into a new output folder beside the old one.
enum class BuildStep {
    StageFolder,           ///< the new output folder (with leftovers of a killed build removed)
    CopyTemplate,          ///< the variation's template folder into it
    RemoveIndexTemplate,   ///< the copied index.html template from the site
    RemoveArticleTemplate, ///< the copied article.html template from the site
    WriteIndexPage,        ///< index.html with the main article
    WriteArticlePage,      ///< the page of article #1 to #4
    WriteRobotsAndSitemap, ///< robots.txt, and sitemap.xml when the site has an address
    CopyBackground,        ///< the background to assets/images/bg.jpg
    ReplaceOutput,         ///< the old output folder by the new one (with the marker and the versions report)
    RewriteArticles,       ///< the wordings of the versions' articles
};

/// The step that failed, and why.
struct BuildFailure
{
    BuildStep step = BuildStep::StageFolder;
    int article = 0; ///< 1 to 4 for WriteArticlePage
    QString reason;  ///< the error in plain words, naming the file involved
    int version = 0; ///< the version being written; 0 for a build of one site
};

/// How a build ended.
struct BuildResult
{
    enum class Status {
        MissingArticles,   ///< a slot was empty (see emptySlots); nothing was touched
        MissingBackground, ///< no background chosen; nothing on disk was touched
        Refused,           ///< a check failed (see problems); nothing on disk was touched
        Busy,              ///< another build held the output folder for longer than lockWaitMs
        Failed,            ///< a step failed (see failure); the old output folder is as it was
        Finished,          ///< the new site is in place (see warnings)
        Cancelled,         ///< stopped through BuildProgress: versionsBuilt versions are in place, or with
                           ///< none built the old output folder is as it was
    };
    Status status = Status::Finished;
    QList<int> emptySlots; ///< the empty slots (0: main article) when articles are missing
    QStringList problems;  ///< why the build was refused, one line per cause
    QString siteFolder;    ///< where the site is written
    BuildFailure failure;  ///< the failed step when the status is Failed
    QStringList warnings;  ///< what went wrong once the new site was in place (the old one not deleted completely)
    /// Each article whose text held a "<" or "&" that is not markup, which
    /// its pages show as text (see escapeStrayMarkup): its file and the first place.
    QStringList escapedArticles;
    int versionsBuilt = 0; ///< of a build of several versions
    VersionsReport report; ///< of a build of several versions that put some in place

    bool succeeded() const noexcept { return status == Status::Finished; }
};

/// Told how the copy of the template folder goes: a display of its progress.
class BuildProgress
{
public:
    virtual ~BuildProgress() = default;
    /// @p done of @p total bytes of the template folder are copied.
    virtual void copyProgress(qint64 done, qint64 total) = 0;
    /// The copy is over, finished or failed.
    virtual void copyEnded() = 0;
    /// @p done of @p total versions are written. Called now and then while a
    /// build of several versions runs, always from the thread that called
    /// buildSite(); false stops the build: the versions begun are finished
    /// and put in place, no other is begun.
    virtual bool versionsProgress(int done, int total)
    {
        Q_UNUSED(done);
        Q_UNUSED(total);
        return true;
    }
};

/// Why the folder @p folder may not be a site folder of its own
/// (BuildInput::siteFolder), which every build replaces as a whole: it is a
/// link, or a folder that holds something and no SiteFolderMarker. Empty
/// when it may be (a missing folder may).
QString siteFolderProblem(const QString& folder);

/// Runs a whole build. First, with nothing touched: the five slots and the
/// background must be chosen; the site address, when given, must be a web
/// address (see normalizedSiteAddress) whose pages' addresses stay within
/// 2,048 characters; the video id must be empty or a video id (see
/// checkVideoId); the variation must name a template folder holding only
/// files and folders (no link, pipe or device) whose page templates can be
/// read; articles #1 to #4 must give four different page names, none of them
/// index.html or a hidden ".html"; every article (read once, here) must be
/// text and the background a readable file; the output folder must be one
/// that can be replaced; and no other build may be writing it (a FolderLock
/// beside the output folder, waited for up to lockWaitMs). Then it writes the
/// new output folder beside the old one (a StagedFolder): the variation's
/// template folder, index.html and the four article pages, robots.txt (and
/// sitemap.xml when the site has an address) and the background as
/// assets/images/bg.jpg, and swaps it in for the old one, which holds the
/// site of the other variation too. The first step that fails ends the build
/// with the old output folder as it was. Shows nothing and never throws.
///
/// A site folder of its own (BuildInput::siteFolder) is replaced alone: it
/// must be empty, missing or an earlier site (see SiteFolderMarker), not a
/// link, and hold no article, background or site file. Several versions are
/// written by as many threads as the machine has cores; the rules
/// (InstallLayout::rulesPath) must be readable, and the result holds how
/// much the versions share (see compareVersions), also written to
/// VersionsReportFile beside them.
BuildResult buildSite(const BuildInput& input, BuildProgress* progress = nullptr);

} // namespace quorvale
