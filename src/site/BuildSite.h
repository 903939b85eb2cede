#pragma once

#include "site/SiteTypes.h"

#include <QList>
#include <QString>

namespace quorvale {

/// Everything a build reads. Nothing in it is changed by the build.
struct BuildInput
{
    QString installFolder;    ///< the folder below which templates lie and output/ is written
    SlotPaths articlePaths;   ///< the five article slots
    QString backgroundFolder; ///< folder of the background image list
    QString backgroundFile;   ///< chosen image's file name; empty: none chosen
    QString variation = QStringLiteral("1");
    SiteInfo info;
};

/// The steps of a build, in the order they run.
enum class BuildStep {
    CheckVariation,        ///< the variation names a folder below the installation folder
    LoadTemplates,         ///< index.html and article.html of the page template folder
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
        MissingArticles,    ///< a slot was empty (see emptySlots); nothing was touched
        MissingBackground,  ///< no background chosen; nothing on disk was touched
        InvalidSiteAddress, ///< the site address is not a web address (see siteAddressProblem); nothing was touched
        Finished,           ///< the run went as far as it could (see failures)
    };
    Status status = Status::Finished;
    QList<int> emptySlots;        ///< the empty slots (0: main article) when articles are missing
    QString siteAddressProblem;   ///< why the site address was refused
    QString siteFolder;           ///< where the site was written
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

/// Runs a whole build: checks the five slots, the site address, the variation
/// and the background, loads the templates, rebuilds installFolder/output from
/// the variation's template folder, writes index.html and the four article
/// pages (each article file is read once), robots.txt, sitemap.xml when the
/// site has an address, and copies the background to assets/images/bg.jpg. A
/// site address that is not a web address or a variation that is not a plain
/// folder name stops the build before anything is touched; after that a
/// failing step is recorded and the next one runs. Pages are filled only from templates this build
/// loaded, and nothing is written through a symbolic link below the output
/// folder. Shows nothing and never throws.
BuildResult buildSite(const BuildInput& input, BuildProgress* progress = nullptr);

} // namespace quorvale
