#include "site/BuildSite.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "site/BackgroundImage.h"
#include "site/FolderLock.h"
#include "site/FolderTree.h"
#include "site/PageNames.h"
#include "site/PageTags.h"
#include "site/SiteAddress.h"
#include "site/SitePaths.h"
#include "site/StagedFolder.h"
#include "site/Templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

/// Throws when @p root or a folder on the way from it down to @p target is a
/// symbolic link (one put into the template folder after it was checked, say):
/// whatever is written there would land where the link points, outside the
/// output folder.
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

/// Saves a filled page. A symbolic link standing at its name (see
/// refuseLinkedFolders) is removed first: the page becomes a file of its own
/// instead of overwriting whatever the link points at.
void savePage(const QString& text, const QString& path)
{
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        throw Error(QStringLiteral("Cannot replace the symbolic link \"") + path + QStringLiteral("\" with the page."));
    saveTextFile(text, path);
}

/// Writes the background made from @p source (see backgroundJpeg) to @p target
/// below @p outputRoot, replacing whatever stands there (a link is replaced,
/// not written through).
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
    saveFile(backgroundJpeg(source), target);
}

/// Why the output root cannot be replaced by a new one; empty when it can.
QString outputRootProblem(const QString& outputRoot)
{
    const QFileInfo root(outputRoot);
    if (root.exists() && !root.isSymLink() && !root.isDir())
        return QStringLiteral("The output folder ") + quoted(outputRoot) + QStringLiteral(" is a file, not a folder.");
    // The new output folder is made beside the old one and renamed in its place.
    const QString parent = root.path();
    if (!QFileInfo(parent).isDir())
        return QStringLiteral("The output folder ") + quoted(outputRoot) +
               QStringLiteral(" cannot be created: the folder above it does not exist.");
    if (::access(QFile::encodeName(parent).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("The output folder ") + quoted(outputRoot) + QStringLiteral(" cannot be written: ") +
               qt_error_string(errno) + u'.';
    return {};
}

/// What keeps the template folder @p folder from being published: a link
/// (its target, maybe private, would go out with the site) or anything that
/// is neither a file nor a folder. Empty when there is nothing.
QString templateFolderProblem(const QString& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(folder.toStdU16String()), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        const QString path = QString::fromStdU16String(it->path().u16string());
        if (fs::is_symlink(status))
            return QStringLiteral("The template folder holds a symbolic link, ") + quoted(path) +
                   QStringLiteral(": a site is made of the template's own files. Put a copy of what it points to "
                                  "in its place, or remove it.");
        if (!statusError && !fs::is_directory(status) && !fs::is_regular_file(status))
            return QStringLiteral("The template folder holds ") + quoted(path) + QStringLiteral(", but ") +
                   notARegularFile(path) + QStringLiteral(". Remove it.");
    }
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
        std::optional<StagedFolder> staged;
        if (!step(BuildStep::StageFolder, 0, [&] { staged.emplace(m_paths.outputRoot); }))
            return m_result;
        m_stagingRoot = staged->path();
        m_siteFolder = m_stagingRoot + u'/' + QFileInfo(m_paths.siteFolder).fileName();
        if (!copyTemplate() || !writePages())
            return m_result;
        const bool written = step(BuildStep::WriteRobotsAndSitemap, 0,
                                  [&] {
                                      refuseLinkedFolders(m_stagingRoot, m_siteFolder + u"/robots.txt");
                                      savePage(robotsTxt(m_info.siteUrl), m_siteFolder + u"/robots.txt");
                                      if (!m_info.siteUrl.isEmpty())
                                          savePage(sitemapXml(m_pageAddresses), m_siteFolder + u"/sitemap.xml");
                                  }) &&
                             step(BuildStep::CopyBackground, 0, [&] {
                                 copyImage(backgroundPath(), m_siteFolder + u"/assets/images/bg.jpg", m_stagingRoot);
                             });
        QString leftover;
        if (!written || !step(BuildStep::ReplaceOutput, 0, [&] { leftover = staged->commit(); }))
            return m_result;
        if (!leftover.isEmpty())
            m_result.warnings << QStringLiteral("The old output folder could not be deleted completely: ") + leftover;
        m_result.status = BuildResult::Status::Finished;
        return m_result;
    }

private:
    /// Runs one step; false, with the failure in the result, when it fails.
    template <typename Action> bool step(BuildStep which, int article, Action&& action)
    {
        QString reason;
        try {
            action();
            return true;
        } catch (const Error& error) {
            reason = error.message();
        } catch (const std::exception& error) {
            reason = QString::fromLocal8Bit(error.what());
        }
        m_result.status = BuildResult::Status::Failed;
        m_result.failure = {which, article, reason};
        return false;
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
        bool addressKnown = true;
        try {
            m_info.siteUrl = normalizedSiteAddress(m_input.info.siteUrl);
        } catch (const Error& error) {
            problems << error.message();
            addressKnown = false;
        }
        try {
            checkVideoId(m_input.info.videoId);
        } catch (const Error& error) {
            problems << error.message();
        }
        const bool pathsKnown = checkTemplates();
        if (m_input.backgroundFile.isEmpty()) {
            m_result.status = BuildResult::Status::MissingBackground;
            return false;
        }
        checkPageNames(addressKnown);
        readArticles();
        if (const QString problem = backgroundImageProblem(backgroundPath()); !problem.isEmpty())
            problems << QStringLiteral("The background ") + quoted(backgroundPath()) +
                            QStringLiteral(" cannot be used: ") + problem + u'.';
        if (pathsKnown) {
            if (const QString problem = outputRootProblem(m_paths.outputRoot); !problem.isEmpty())
                problems << problem;
        }
        if (problems.isEmpty() && !lockOutput())
            return false;
        if (!problems.isEmpty()) {
            m_result.status = BuildResult::Status::Refused;
            return false;
        }
        return true;
    }

    /// Articles #1 to #4 need page names of their own: one page written over
    /// another (or over index.html) would make an article vanish from its site.
    void checkPageNames(bool addressKnown)
    {
        QStringList& problems = m_result.problems;
        QHash<QString, int> slotOfPage;
        for (int slot = 0; slot < 5; ++slot) {
            const QString& path = m_input.articlePaths[std::size_t(slot)];
            const QString page = slot == 0 ? QStringLiteral("index.html") : pageFileNameFromPath(path);
            const QString address = pageAddress(m_info.siteUrl, page, slot == 0);
            if (addressKnown && address.size() > MaxPageAddressLength) {
                problems << QStringLiteral("The address of the page ") + quoted(page) + QStringLiteral(" would be ") +
                                QString::number(address.size()) +
                                QStringLiteral(" characters long; search engines take up to 2,048. Choose a "
                                               "shorter site address or article file name.");
                return;
            }
            if (slot == 0)
                continue;
            const QString article =
                QStringLiteral("Article #") + QString::number(slot) + QStringLiteral(" (") + quoted(path) + u')';
            const auto other = slotOfPage.constFind(page);
            if (fileStem(path).isEmpty())
                problems << article +
                                QStringLiteral(" has no name before its first dot: its page would be the hidden file "
                                               "\".html\". Rename the file.");
            else if (page == u"index.html")
                problems << article +
                                QStringLiteral(" would be written as the page \"index.html\", the main article's. "
                                               "Rename the file.");
            else if (QFile::encodeName(page).size() > 255)
                problems << article + QStringLiteral(" would get a page name longer than the 255 bytes a file name may "
                                                     "have. Rename the file.");
            else if (other != slotOfPage.constEnd() && m_input.articlePaths[std::size_t(*other)] != path)
                problems << QStringLiteral("Articles #") + QString::number(*other) + QStringLiteral(" and #") +
                                QString::number(slot) + QStringLiteral(" would both be written as the page ") +
                                quoted(page) + QStringLiteral(" (") +
                                quoted(m_input.articlePaths[std::size_t(*other)]) + QStringLiteral(" and ") +
                                quoted(path) + QStringLiteral("). Rename one of the files.");
            else
                slotOfPage.insert(page, slot);
        }
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
        if (const QString problem = templateFolderProblem(m_paths.templateFolder); !problem.isEmpty()) {
            problems << problem;
            return true;
        }
        for (const QStringView name : {u"/index.html", u"/article.html"}) {
            if (QFileInfo(m_paths.pageTemplateFolder + name).isSymLink()) {
                problems << QStringLiteral("The page template ") + quoted(m_paths.pageTemplateFolder + name) +
                                QStringLiteral(" is a symbolic link; page templates are read from files only. Put a "
                                               "copy of what it points to in its place.");
                return true;
            }
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
                    const auto article = std::make_shared<const PageArticle>(readPageArticle(path));
                    read.insert(path, article);
                    if (const StrayMarkup& stray = article->stray; stray.count > 0)
                        m_result.escapedArticles << quoted(path) +
                                                        QStringLiteral(": line %1, column %2 (\"%3\")%4")
                                                            .arg(stray.line)
                                                            .arg(stray.column)
                                                            .arg(stray.context,
                                                                 stray.count > 1
                                                                     ? QStringLiteral(" and %1 more").arg(stray.count - 1)
                                                                     : QString());
                } catch (const Error& error) {
                    read.insert(path, nullptr);
                    m_result.problems << error.message();
                }
            }
            m_articles[slot] = read.value(path);
        }
    }

    /// Takes the output folder for this build; false, with the reason in the
    /// result, when another build keeps it or the lock file cannot be used.
    bool lockOutput()
    {
        try {
            if (m_lock.tryLock(m_paths.outputRoot, m_input.lockWaitMs))
                return true;
            m_result.status = BuildResult::Status::Busy;
        } catch (const Error& error) {
            m_result.problems << error.message();
            m_result.status = BuildResult::Status::Refused;
        }
        return false;
    }

    bool copyTemplate()
    {
        const bool copied = step(BuildStep::CopyTemplate, 0, [&] {
            const auto progress = [this](qint64 done, qint64 total) {
                if (m_progress)
                    m_progress->copyProgress(done, total);
            };
            copyFolderInto(m_paths.templateFolder, m_stagingRoot, progress);
        });
        if (m_progress)
            m_progress->copyEnded();
        return copied &&
               step(BuildStep::RemoveIndexTemplate, 0, [&] { removeFileIfPresent(m_siteFolder + u"/index.html"); }) &&
               step(BuildStep::RemoveArticleTemplate, 0, [&] { removeFileIfPresent(m_siteFolder + u"/article.html"); });
    }

    bool writePages()
    {
        for (int page = 0; page < 5; ++page) {
            const std::array<int, 5>& row = PageOrder[std::size_t(page)];
            const bool written = step(page == 0 ? BuildStep::WriteIndexPage : BuildStep::WriteArticlePage, page, [&] {
                refuseLinkedFolders(m_stagingRoot, m_siteFolder + u"/page");
                std::array<const PageArticle*, 4> related{};
                for (std::size_t n = 0; n < 4; ++n)
                    related[n] = m_articles[std::size_t(row[n + 1])].get();
                const PageArticle& current = *m_articles[std::size_t(row[0])];
                const PageTagValues values =
                    pageTagValues(m_info, current, related, m_input.articlePaths[0], page == 0);
                if (page == 0)
                    savePage(fillPageTags(m_templates->indexTemplate, values), m_siteFolder + u"/index.html");
                else
                    savePage(fillPageTags(m_templates->articleTemplate, values),
                             m_siteFolder + u'/' + current.pageFileName);
                m_pageAddresses.append(pageAddress(m_info.siteUrl, current.pageFileName, page == 0));
            });
            if (!written)
                return false;
        }
        return true;
    }

    /// Resolves the sections of the template read from @p name of the page
    /// template folder (see templateSections); an unbalanced one fails the template.
    void resolveSections(QString& templateText, QStringView name) const
    {
        try {
            templateText = quorvale::resolveSections(templateText, templateSections(m_info));
        } catch (const Error& error) {
            throw Error(quoted(m_paths.pageTemplateFolder + name) + QStringLiteral(": ") + error.message());
        }
    }

    const BuildInput& m_input;
    BuildProgress* m_progress;
    SiteInfo m_info = m_input.info; ///< with the site address normalised
    QStringList m_pageAddresses;    ///< of the pages written, for the sitemap
    SitePaths m_paths;
    QString m_stagingRoot; ///< the new output folder while it is written
    QString m_siteFolder;  ///< the site in it
    std::optional<TemplateSet> m_templates;
    std::array<std::shared_ptr<const PageArticle>, 5> m_articles;
    FolderLock m_lock;
    BuildResult m_result;
};

} // namespace

BuildResult buildSite(const BuildInput& input, BuildProgress* progress)
{
    return Build(input, progress).run();
}

} // namespace quorvale
