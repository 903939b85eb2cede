#pragma once

#include "site/SiteTypes.h"

#include <QString>
#include <QStringList>
#include <QStringView>

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
    /// The template folder copy is over (finished or failed); any progress display goes away.
    virtual void copyEnded() {}
};

/// The messages a build shows, with their titles.
inline constexpr QStringView MissingArticlesText = u"You need to select more articles for your mini site.";
inline constexpr QStringView MissingArticlesTitle = u"Missing Info";
inline constexpr QStringView MissingBackgroundText = u"Please select a background.";
inline constexpr QStringView MissingBackgroundTitle = u"Error";
inline constexpr QStringView BuildDoneText =
    u"Done! Process complete. Click the 'Open Output Folder' to see the mini site";
inline constexpr QStringView BuildDoneTitle = u"Done";
inline constexpr QStringView BuildFailedTitle = u"Build finished with errors";

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

/// How a build ended.
struct BuildOutcome
{
    enum class Status {
        MissingArticles,   ///< a slot was empty; nothing was touched
        MissingBackground, ///< no background chosen; nothing on disk was touched
        Finished,          ///< the run went through all its steps
    };
    Status status = Status::Finished;
    QString siteFolder;   ///< where the site was written
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
/// titled "Build finished with errors". Pages are filled only from templates
/// this build loaded, and nothing is written through a symbolic link below the
/// output folder. Never throws.
BuildOutcome BuildSite(const BuildInput& input, BuildWorkState& state, BuildHost& host);

/// The text of the "Build finished with errors" message: one line per failure.
QString BuildFailuresText(const QStringList& failures);

/// The five page article paths of page @p page (0: the index page, 1 to 4:
/// the pages of articles #1 to #4): the page's own article and the four
/// others in the order that page lists them, with slot 0 as the home article.
PageArticlePaths PageArticlePathsFor(const SlotPaths& articlePaths, int page);

} // namespace quorvale
