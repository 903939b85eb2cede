#include "site/BuildSite.h"

#include "components/Error.h"
#include "components/Parser.h"
#include "components/Tools.h"
#include "site/FolderTree.h"
#include "site/PageTags.h"
#include "site/SitePaths.h"
#include "site/Templates.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace quorvale {

namespace {

/// Row i: the slot of the page's own article, then the slots of related
/// articles 1 to 4. Row 2 lists slot 1 before slot 0 on purpose.
constexpr std::array<std::array<int, 5>, 5> PageOrder = {{
    {0, 1, 2, 3, 4},
    {1, 2, 3, 4, 0},
    {2, 3, 4, 1, 0},
    {3, 4, 0, 1, 2},
    {4, 0, 1, 2, 3},
}};

QString quoted(const QString& path)
{
    return u'"' + path + u'"';
}

/// True when something, even a dangling link, stands at @p path.
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

/// Removes the file at @p path; one that is not there is already gone.
void removeFileIfPresent(const QString& path)
{
    if (!entryExists(path))
        return;
    QFile file(path);
    if (!file.remove())
        throw Error(QStringLiteral("Cannot delete ") + quoted(path) + QStringLiteral(": ") + file.errorString());
}

void createFolder(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(path.toStdU16String()), error);
    if (error)
        throw Error(QStringLiteral("Cannot create the folder ") + quoted(path) + QStringLiteral(": ") +
                    QString::fromLocal8Bit(error.message()));
}

/// Throws when @p root or a folder on the way from it down to @p target is a
/// symbolic link (one that came with the template folder, say): whatever is
/// written there would land where the link points, outside the output folder.
void refuseLinkedFolders(const QString& root, const QString& target)
{
    QString folder = root;
    const QStringList names = target.mid(root.size() + 1).split(u'/');
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (QFileInfo(folder).isSymLink())
            throw Error(QStringLiteral("The folder ") + quoted(folder) +
                        QStringLiteral(" is a symbolic link; nothing is written through it."));
        if (i + 1 < names.size())
            folder += u'/' + names.at(i);
    }
}

/// Copies @p source to @p target below @p outputRoot, replacing whatever
/// stands there (a link is replaced, not written through).
void copyImage(const QString& source, const QString& target, const QString& outputRoot)
{
    if (!QFileInfo(source).isFile())
        throw Error(QStringLiteral("The image ") + quoted(source) + QStringLiteral(" does not exist."));
    const QString folder = QFileInfo(target).path();
    if (!QFileInfo(folder).isDir())
        throw Error(QStringLiteral("The folder ") + quoted(folder) + QStringLiteral(" does not exist."));
    refuseLinkedFolders(outputRoot, target);
    removeFileIfPresent(target);
    QFile file(source);
    if (!file.copy(target))
        throw Error(QStringLiteral("Cannot copy ") + quoted(source) + QStringLiteral(" to ") + quoted(target) +
                    QStringLiteral(": ") + file.errorString());
}

/// Runs one step of the build; a failure is noted and the build goes on.
template <typename Action> void runStep(QStringList& failures, const QString& what, Action&& action)
{
    try {
        action();
    } catch (const Error& error) {
        failures.append(what + QStringLiteral(": ") + error.message());
    } catch (const std::exception& error) {
        failures.append(what + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
    }
}

} // namespace

PageArticlePaths PageArticlePathsFor(const SlotPaths& articlePaths, int page)
{
    const std::array<int, 5>& row = PageOrder.at(std::size_t(page));
    PageArticlePaths paths;
    paths.currentArticlePath = articlePaths[std::size_t(row[0])];
    for (std::size_t n = 0; n < 4; ++n)
        paths.relatedArticlePaths[n] = articlePaths[std::size_t(row[n + 1])];
    paths.homeArticlePath = articlePaths[0];
    return paths;
}

QString BuildFailuresText(const QStringList& failures)
{
    QString text = QStringLiteral("These steps of the build failed; every other step was done:\n");
    for (const QString& failure : failures)
        text += QStringLiteral("\n- ") + failure;
    return text;
}

BuildOutcome BuildSite(const BuildInput& input, BuildWorkState& state, BuildHost& host)
{
    BuildOutcome outcome;
    for (const QString& slot : input.articlePaths) {
        if (slot.isEmpty()) {
            outcome.status = BuildOutcome::Status::MissingArticles;
            host.showMessage(MissingArticlesText.toString(), MissingArticlesTitle.toString());
            return outcome;
        }
    }

    const QString& home = input.installFolder;
    const QString& variation = input.variation;
    QStringList& failures = outcome.failures;
    outcome.siteFolder = home + u"/output/template" + variation;

    // Templates left loaded from before (another variation, say) never make pages.
    bool templatesLoaded = false;
    runStep(failures, QStringLiteral("The page templates could not be loaded"), [&] {
        state.templates = LoadTemplates(home, variation, input.info.videoId);
        templatesLoaded = true;
    });

    if (input.backgroundFile.isEmpty()) {
        outcome.status = BuildOutcome::Status::MissingBackground;
        host.showMessage(MissingBackgroundText.toString(), MissingBackgroundTitle.toString());
        return outcome;
    }

    const QString outputRoot = OutputRootPath(home);
    runStep(failures, QStringLiteral("The old output folder could not be deleted"), [&] {
        // The first build finds no output folder yet.
        if (entryExists(outputRoot))
            DeleteFolderTree(outputRoot);
    });

    runStep(failures, QStringLiteral("The template folder could not be copied"), [&] {
        const auto progress = [&host](qint64 done, qint64 total) { host.copyProgress(done, total); };
        try {
            CopyFolderInto(TemplateFolderPath(home, variation), outputRoot, progress);
        } catch (...) {
            host.copyEnded();
            throw;
        }
        host.copyEnded();
    });

    runStep(failures, QStringLiteral("The template page index.html could not be removed from the site"),
            [&] { removeFileIfPresent(SiteFolderPath(home, variation) + u"/index.html"); });
    runStep(failures, QStringLiteral("The template page article.html could not be removed from the site"),
            [&] { removeFileIfPresent(SiteFolderPath(home, variation) + u"/article.html"); });

    runStep(failures, QStringLiteral("The output folder could not be created"), [&] {
        // An installation folder of "/" would otherwise give "//output".
        const QString root = Replace(outputRoot, QStringLiteral("//"), QStringLiteral("/"), 0);
        if (!FolderExists(root))
            createFolder(root);
    });

    const auto checkPageWay = [&] {
        refuseLinkedFolders(outputRoot, SiteFolderPath(home, variation) + u"/page");
        if (!templatesLoaded)
            throw Error(QStringLiteral("there are no page templates to fill."));
    };
    for (int page = 0; page < 5; ++page) {
        state.paths = PageArticlePathsFor(input.articlePaths, page);
        if (page == 0) {
            runStep(failures, QStringLiteral("The index page (main article) could not be written"), [&] {
                checkPageWay();
                WriteIndexPage(state, input.info, home, variation);
            });
        } else {
            runStep(failures,
                    QStringLiteral("The page of article #") + QString::number(page) +
                        QStringLiteral(" could not be written"),
                    [&] {
                        checkPageWay();
                        WriteArticlePage(state, input.info, home, variation);
                    });
        }
    }

    runStep(failures, QStringLiteral("The background image could not be copied"), [&] {
        copyImage(input.backgroundFolder + u'/' + input.backgroundFile,
                  SiteFolderPath(home, variation) + u"/assets/images/bg.jpg", outputRoot);
    });

    if (failures.isEmpty())
        host.showMessage(BuildDoneText.toString(), BuildDoneTitle.toString());
    else
        host.showMessage(BuildFailuresText(failures), BuildFailedTitle.toString());
    return outcome;
}

} // namespace quorvale
