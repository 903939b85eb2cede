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

/// The steps of a build that change the disk, in the order they run.
enum class BuildStep {
    DeleteOutput,          ///< the old output folder
    CopyTemplate,          ///< the variation's template folder into the output folder
    RemoveIndexTemplate,   ///< the copied index.html template from the site
    RemoveArticleTemplate, ///< the copied article.html template from the site
    CreateOutput,          ///< an output folder when the copy left none
    WriteIndexPage,        ///< index.html with the main article
    WriteArticlePage,      ///< the page of article #1 to #4
    WriteRobotsAndSitemap, ///< robots.txt, and sitemap.xml when the site has an address
    CopyBackground,        ///< the background to assets/images/bg.jpg
};

/// One step that failed, and why.
struct BuildFailure
{
    BuildStep step;
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
        Finished,          ///< the run went as far as it could (see failures)
    };
    Status status = Status::Finished;
    QList<int> emptySlots;        ///< the empty slots (0: main article) when articles are missing
    QStringList problems;         ///< why the build was refused, one line per cause
    QString siteFolder;           ///< where the site is written
    QList<BuildFailure> failures; ///< the failed steps in order; empty when all went well

    bool succeeded() const noexcept { return status == Status::Finished && failures.isEmpty(); }
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
/// address; the variation must name a template folder whose
/// page templates can be read; every article (read once, here) and the
/// background must be readable files; the output folder must be one that can
/// be deleted and written; and no other build may be writing it (a lock file
/// beside the output folder, waited for up to lockWaitMs). Then it rebuilds
/// the layout's output folder from the variation's template folder, writes
/// index.html and the four article pages, robots.txt (and sitemap.xml when the
/// site has an address) and copies the background to
/// assets/images/bg.jpg; a step failing now (a full disk) is recorded and the
/// next one runs. Nothing is written through a symbolic link below the output
/// folder. Shows nothing and never throws.
BuildResult buildSite(const BuildInput& input, BuildProgress* progress = nullptr);

} // namespace quorvale
