#pragma once

#include "site/SiteTypes.h"

#include <QString>
#include <QStringList>

namespace quorvale {

/// What a build needs of whoever runs it: the desktop program shows dialogs,
/// the command-line tool prints.
class BuildHost
{
public:
    virtual ~BuildHost() = default;
    /// Shows a message with a title (information icon, OK button) and returns when it is dismissed.
    virtual void showMessage(const QString& text, const QString& title) = 0;
    /// Progress of the template folder copy: @p done of @p total bytes.
    virtual void copyProgress(qint64 done, qint64 total)
    {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }
};

/// Everything a build reads. Nothing in it is changed by the build.
struct BuildInput
{
    QString installFolder;    ///< the folder below which templates lie and output/ is written
    SlotPaths slots;          ///< the five article paths
    QString backgroundFolder; ///< folder of the background image list
    QString backgroundFile;   ///< chosen image's file name; empty: none chosen
    QString variation = QStringLiteral("1");
    SiteInfo info;
};

/// The texts a build leaves behind for the window that ran it.
struct BuildWorkState
{
    TemplateSet templates;
    QString indexPageText;
    QString articlePageText;
    QString articleLoaderText;
    PageArticlePaths paths;
};

/// How a build ended.
struct BuildOutcome
{
    enum class Status {
        MissingArticles,   ///< a slot was empty; nothing was touched
        MissingBackground, ///< no background chosen; nothing on disk was touched
        Finished,          ///< the run went through all its steps
    };
    Status status = Status::Finished;
    QString siteFolder;  ///< where the site was written
    QStringList failures; ///< one line per failed step, in plain words; empty when all went well

    bool succeeded() const noexcept { return status == Status::Finished && failures.isEmpty(); }
};

} // namespace quorvale

namespace quorvale {

/// Runs a whole build: checks the five slots ("Missing Info") and the
/// background ("Error"), loads the templates, rebuilds installFolder/output
/// from the variation's template folder, writes index.html and the four
/// article pages, copies the background to assets/images/bg.jpg and shows the
/// closing message through @p host. A failing step is skipped and the next one
/// runs; the failures are collected in the outcome and listed in a message
/// titled "Build finished with errors". Never throws.
BuildOutcome BuildSite(const BuildInput& input, BuildWorkState& state, BuildHost& host);

} // namespace quorvale
