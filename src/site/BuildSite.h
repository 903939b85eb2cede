#pragma once

#include "site/InstallLayout.h"
#include "site/SiteTypes.h"

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
};

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
    ReplaceOutput,         ///< the old output folder by the new one
};

/// The step that failed, and why.
struct BuildFailure
{
    BuildStep step = BuildStep::StageFolder;
    int article = 0; ///< 1 to 4 for WriteArticlePage
    QString reason;  ///< the error in plain words, naming the file involved
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
};

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
BuildResult buildSite(const BuildInput& input, BuildProgress* progress = nullptr);

} // namespace quorvale
