#include "site/BuildSite.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "site/FolderTree.h"
#include "site/PageTags.h"
#include "site/SiteAddress.h"
#include "site/SitePaths.h"
#include "site/Templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace quorvale {

namespace {

/// Row i: the slot of page i's own article (page 0 is index.html), then the
/// slots of related articles 1 to 4. Row 2 lists slot 1 before slot 0 on purpose.
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

/// Saves a filled page. A symbolic link standing at its name (one that came
/// with the template folder, say) is removed first: the page becomes a file of
/// its own instead of overwriting whatever the link points at.
void savePage(const QString& text, const QString& path)
{
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        throw Error(QStringLiteral("Cannot replace the symbolic link \"") + path + QStringLiteral("\" with the page."));
    saveTextFile(text, path);
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
    // Written beside the target and renamed into place: a copy that fails leaves no half picture.
    saveFile(readFileBytes(source), target);
}

/// Why the output root cannot be deleted and built anew; empty when it can.
QString outputRootProblem(const QString& outputRoot)
{
    const QFileInfo root(outputRoot);
    if (root.exists() && !root.isSymLink() && !root.isDir())
        return QStringLiteral("The output folder ") + quoted(outputRoot) + QStringLiteral(" is a file, not a folder.");
    // Deleting the old output folder and making a new one needs a folder above it that may be written.
    const QString parent = root.path();
    if (!QFileInfo(parent).isDir())
        return QStringLiteral("The output folder ") + quoted(outputRoot) +
               QStringLiteral(" cannot be created: the folder above it does not exist.");
    if (::access(QFile::encodeName(parent).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("The output folder ") + quoted(outputRoot) + QStringLiteral(" cannot be written: ") +
               qt_error_string(errno) + u'.';
    return {};
}

/// One run of buildSite(): the input, the paths derived from it and the result.
class Build
{
public:
    Build(const BuildInput& input, BuildProgress* progress) : m_input(input), m_progress(progress) {}

    BuildResult run()
    {
        if (!check())
            return m_result;
        rebuildOutputFolder();
        writePages();
        step(BuildStep::WriteRobotsAndSitemap, 0, [&] {
            refuseLinkedFolders(m_paths.outputRoot, m_paths.siteFolder + u"/robots.txt");
            savePage(robotsTxt(m_info.siteUrl), m_paths.siteFolder + u"/robots.txt");
            if (!m_info.siteUrl.isEmpty())
                savePage(sitemapXml(m_pageAddresses), m_paths.siteFolder + u"/sitemap.xml");
        });
        step(BuildStep::CopyBackground, 0,
             [&] { copyImage(backgroundPath(), m_paths.siteFolder + u"/assets/images/bg.jpg", m_paths.outputRoot); });
        return m_result;
    }

private:
    /// Runs one step; a failure is recorded and the build goes on.
    template <typename Action> void step(BuildStep which, int article, Action&& action)
    {
        try {
            action();
        } catch (const Error& error) {
            m_result.failures.append({which, article, error.message()});
        } catch (const std::exception& error) {
            m_result.failures.append({which, article, QString::fromLocal8Bit(error.what())});
        }
    }

    QString backgroundPath() const { return m_input.backgroundFolder + u'/' + m_input.backgroundFile; }

    /// Everything that can be known before the first change: false when the
    /// build must not start (the reasons are in the result).
    bool check()
    {
        for (int slot = 0; slot < int(m_input.articlePaths.size()); ++slot) {
            if (m_input.articlePaths[std::size_t(slot)].isEmpty())
                m_result.emptySlots.append(slot);
        }
        if (!m_result.emptySlots.isEmpty()) {
            m_result.status = BuildResult::Status::MissingArticles;
            return false;
        }
        QStringList& problems = m_result.problems;
        try {
            m_info.siteUrl = normalizedSiteAddress(m_input.info.siteUrl);
        } catch (const Error& error) {
            problems << error.message();
        }
        const bool pathsKnown = checkTemplates();
        if (m_input.backgroundFile.isEmpty()) {
            m_result.status = BuildResult::Status::MissingBackground;
            return false;
        }
        readArticles();
        if (const QString problem = notARegularFile(backgroundPath()); !problem.isEmpty())
            problems << QStringLiteral("The background ") + quoted(backgroundPath()) +
                            QStringLiteral(" cannot be read: ") + problem + u'.';
        else if (QFile background(backgroundPath()); !background.open(QIODevice::ReadOnly))
            problems << QStringLiteral("The background ") + quoted(backgroundPath()) +
                            QStringLiteral(" cannot be read: ") + background.errorString() + u'.';
        if (pathsKnown) {
            if (const QString problem = outputRootProblem(m_paths.outputRoot); !problem.isEmpty())
                problems << problem;
            else if (!lockOutput())
                return false;
        }
        if (!problems.isEmpty()) {
            m_result.status = BuildResult::Status::Refused;
            return false;
        }
        return true;
    }

    /// The variation's folders and page templates; false when not even the folders are known.
    bool checkTemplates()
    {
        QStringList& problems = m_result.problems;
        const InstallLayout& layout = m_input.layout;
        if (!QFileInfo(layout.installFolder()).isDir()) {
            problems << QStringLiteral("The installation folder ") + quoted(layout.installFolder()) +
                            QStringLiteral(" does not exist.");
            return false;
        }
        try {
            m_paths = SitePaths::derive(layout, m_input.variation, m_input.info.videoId);
        } catch (const Error& error) {
            problems << error.message();
            return false;
        }
        // The user's data folder is Quorvale's own: the first build that writes there makes it.
        if (layout.writesToUserFolder())
            QDir().mkpath(layout.userFolder());
        m_result.siteFolder = m_paths.siteFolder;
        if (!QFileInfo(m_paths.templateFolder).isDir()) {
            problems << QStringLiteral("There is no template folder for the variation \"") + m_input.variation +
                            QStringLiteral("\": ") + quoted(m_paths.templateFolder) +
                            QStringLiteral(" does not exist.");
            return true;
        }
        try {
            TemplateSet templates = loadTemplates(m_paths);
            resolveSections(templates.indexTemplate, u"/index.html");
            resolveSections(templates.articleTemplate, u"/article.html");
            m_templates = templates;
        } catch (const Error& error) {
            problems << error.message();
        }
        return true;
    }

    /// Reads every article once; a file named in several slots is read and reported once.
    void readArticles()
    {
        QHash<QString, std::shared_ptr<const PageArticle>> read;
        for (std::size_t slot = 0; slot < m_articles.size(); ++slot) {
            const QString& path = m_input.articlePaths[slot];
            if (!read.contains(path)) {
                try {
                    read.insert(path, std::make_shared<const PageArticle>(readPageArticle(path)));
                } catch (const Error& error) {
                    read.insert(path, nullptr);
                    m_result.problems << error.message();
                }
            }
            m_articles[slot] = read.value(path);
        }
    }

    /// Takes the output folder for this build; false, with the reason in the
    /// result, when another build keeps it or the lock cannot be made.
    bool lockOutput()
    {
        m_lock = std::make_unique<QLockFile>(m_paths.outputRoot + u".lock");
        m_lock->setStaleLockTime(0); // only a lock whose process has ended is stale
        if (m_lock->tryLock(m_input.lockWaitMs))
            return true;
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_result.status = BuildResult::Status::Busy;
            return false;
        }
        m_result.problems << QStringLiteral("The output folder ") + quoted(m_paths.outputRoot) +
                                 QStringLiteral(" cannot be locked for this build: the lock file ") +
                                 quoted(m_lock->fileName()) + QStringLiteral(" cannot be written.");
        return true;
    }

    void rebuildOutputFolder()
    {
        // The first build finds no output folder yet.
        step(BuildStep::DeleteOutput, 0, [&] {
            if (entryExists(m_paths.outputRoot))
                deleteFolderTree(m_paths.outputRoot);
        });
        step(BuildStep::CopyTemplate, 0, [&] {
            const auto progress = [this](qint64 done, qint64 total) {
                if (m_progress)
                    m_progress->copyProgress(done, total);
            };
            try {
                copyFolderInto(m_paths.templateFolder, m_paths.outputRoot, progress);
            } catch (...) {
                if (m_progress)
                    m_progress->copyEnded();
                throw;
            }
            if (m_progress)
                m_progress->copyEnded();
        });
        step(BuildStep::RemoveIndexTemplate, 0, [&] { removeFileIfPresent(m_paths.siteFolder + u"/index.html"); });
        step(BuildStep::RemoveArticleTemplate, 0, [&] { removeFileIfPresent(m_paths.siteFolder + u"/article.html"); });
        step(BuildStep::CreateOutput, 0, [&] {
            if (!QFileInfo(m_paths.outputRoot).isDir())
                createFolder(m_paths.outputRoot);
        });
    }

    void writePages()
    {
        for (int page = 0; page < 5; ++page) {
            const std::array<int, 5>& row = PageOrder[std::size_t(page)];
            step(page == 0 ? BuildStep::WriteIndexPage : BuildStep::WriteArticlePage, page, [&] {
                refuseLinkedFolders(m_paths.outputRoot, m_paths.siteFolder + u"/page");
                std::array<const PageArticle*, 4> related{};
                for (std::size_t n = 0; n < 4; ++n)
                    related[n] = m_articles[std::size_t(row[n + 1])].get();
                const PageArticle& current = *m_articles[std::size_t(row[0])];
                const PageTagValues values =
                    pageTagValues(m_info, current, related, m_input.articlePaths[0], page == 0);
                if (page == 0)
                    savePage(fillPageTags(m_templates->indexTemplate, values), m_paths.siteFolder + u"/index.html");
                else
                    savePage(fillPageTags(m_templates->articleTemplate, values),
                             m_paths.siteFolder + u'/' + current.pageFileName);
                m_pageAddresses.append(pageAddress(m_info.siteUrl, current.pageFileName, page == 0));
            });
        }
    }

    /// Resolves the site address sections of the template read from @p name
    /// of the page template folder; an unbalanced one fails the template.
    void resolveSections(QString& templateText, QStringView name) const
    {
        try {
            templateText = resolveSiteAddressSections(templateText, !m_info.siteUrl.isEmpty());
        } catch (const Error& error) {
            throw Error(quoted(m_paths.pageTemplateFolder + name) + QStringLiteral(": ") + error.message());
        }
    }

    const BuildInput& m_input;
    BuildProgress* m_progress;
    SiteInfo m_info = m_input.info; ///< with the site address normalised
    QStringList m_pageAddresses;    ///< of the pages written, for the sitemap
    SitePaths m_paths;
    std::optional<TemplateSet> m_templates;
    std::array<std::shared_ptr<const PageArticle>, 5> m_articles;
    std::unique_ptr<QLockFile> m_lock;
    BuildResult m_result;
};

} // namespace

BuildResult buildSite(const BuildInput& input, BuildProgress* progress)
{
    return Build(input, progress).run();
}

} // namespace quorvale
