// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/BuildSite.h"

#include "components/Error.h"
#include "components/TextFile.h"
#include "rewriter/ProtectedPhrases.h"
#include "rewriter/Rewriter.h"
#include "rewriter/Spintax.h"
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
#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
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

/// Writes @p bytes as the file @p path inside a staging folder, which is
/// flushed to disk as a whole before it is put in place: the file is neither
/// flushed nor written under a temporary name of its own, and a link at its
/// name is not followed.
void writeStagedFile(const QByteArray& bytes, const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                          0666);
    const auto failed = [&path](int error) {
        return Error(QStringLiteral("Cannot save ") + quoted(path) + QStringLiteral(": ") + qt_error_string(error) +
                     u'.');
    };
    if (fd < 0)
        throw failed(errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int error = errno;
            ::close(fd);
            throw failed(error);
        }
        done += count;
    }
    if (::close(fd) != 0)
        throw failed(errno);
}

/// Writes the background made from @p source (see backgroundJpeg) to @p target
/// below @p outputRoot, replacing whatever stands there (a link is replaced,
/// not written through). With @p bytes, those are the background, made
/// before, and written as a staged file.
void copyImage(const QString& source, const QString& target, const QString& outputRoot,
               const QByteArray* bytes = nullptr)
{
    if (bytes == nullptr && !QFileInfo(source).isFile())
        throw Error(QStringLiteral("The image ") + quoted(source) + QStringLiteral(" does not exist."));
    const QString folder = QFileInfo(target).path();
    if (!QFileInfo(folder).isDir())
        throw Error(QStringLiteral("The folder ") + quoted(folder) + QStringLiteral(" does not exist."));
    refuseLinkedFolders(outputRoot, target);
    removeFileIfPresent(target);
    if (bytes != nullptr)
        writeStagedFile(*bytes, target);
    else // written beside the target and renamed into place: a copy that fails leaves no half picture
        saveFile(backgroundJpeg(source), target);
}

/// True when @p path (absolute and clean) lies in @p folder or below it.
bool isInside(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + u'/');
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

using Articles = std::array<std::shared_ptr<const PageArticle>, 5>;

/// A step that failed, on its way to where the build records it.
struct StepFailed
{
    BuildFailure failure;
};

/// Runs one step of version @p version (0: the one site); throws StepFailed when it fails.
template <typename Action> void runStep(BuildStep which, int article, int version, Action&& action)
{
    try {
        action();
        return;
    } catch (const Error& error) {
        throw StepFailed{{which, article, error.message(), version}};
    } catch (const std::exception& error) {
        throw StepFailed{{which, article, QString::fromLocal8Bit(error.what()), version}};
    }
}

/// Tells the progress display that the template copy is over, however it ends.
struct CopyEnded
{
    BuildProgress* progress;
    ~CopyEnded()
    {
        if (progress)
            progress->copyEnded();
    }
};

const QByteArray SiteFolderMarkerText =
    "This folder holds a site built by Quorvale. The next build of the site replaces the whole folder.\n";

/// One run of buildSite(): the input, the paths derived from it and the result.
class Build
{
public:
    Build(const BuildInput& input, BuildProgress* progress) : m_input(input), m_progress(progress) {}

    BuildResult run()
    {
        if (!check())
            return m_result;
        try {
            std::optional<StagedFolder> staged;
            runStep(BuildStep::StageFolder, 0, 0, [&] { staged.emplace(m_paths.outputRoot); });
            m_stagingRoot = staged->path();
            const QString site =
                m_ownFolder ? m_stagingRoot : m_stagingRoot + u'/' + QFileInfo(m_paths.siteFolder).fileName();
            if (m_input.versions == 1)
                writeSite(site, m_articles, 0);
            else if (!writeVersions(site))
                return m_result;
            QString leftover;
            runStep(BuildStep::ReplaceOutput, 0, 0, [&] {
                if (m_ownFolder)
                    saveFile(SiteFolderMarkerText, m_stagingRoot + u'/' + SiteFolderMarker);
                if (m_input.versions > 1)
                    saveTextFile(versionsReportText(m_result.report), site + u'/' + VersionsReportFile);
                leftover = staged->commit();
            });
            if (!leftover.isEmpty())
                m_result.warnings << QStringLiteral("The old output folder could not be deleted completely: ") +
                                         leftover;
            if (m_result.status != BuildResult::Status::Cancelled)
                m_result.status = BuildResult::Status::Finished;
        } catch (const StepFailed& failed) {
            m_result.status = BuildResult::Status::Failed;
            m_result.failure = failed.failure;
        }
        return m_result;
    }

private:
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
        if (pathsKnown)
            checkOutputFolder();
        checkVersions();
        if (problems.isEmpty() && !lockOutput())
            return false;
        if (!problems.isEmpty()) {
            m_result.status = BuildResult::Status::Refused;
            return false;
        }
        return true;
    }

    /// The folder the build replaces: it must be one that can be, and hold
    /// none of the files the build reads.
    void checkOutputFolder()
    {
        QStringList& problems = m_result.problems;
        if (const QString problem = outputRootProblem(m_paths.outputRoot); !problem.isEmpty())
            problems << problem;
        else if (m_ownFolder)
            problems << siteFolderProblem(m_paths.outputRoot);
        QStringList inputs(m_input.articlePaths.begin(), m_input.articlePaths.end());
        inputs << backgroundPath() << m_input.siteFile;
        inputs.removeDuplicates();
        inputs.removeAll(QString());
        for (const QString& input : inputs) {
            if (isInside(QDir::cleanPath(QFileInfo(input).absoluteFilePath()), m_paths.outputRoot))
                problems << quoted(input) + QStringLiteral(" lies inside the output folder ") +
                                quoted(m_paths.outputRoot) +
                                QStringLiteral(", which every build replaces as a whole. Move it elsewhere.");
        }
        problems.removeAll(QString());
    }

    /// The number of versions, and the rules their rewrites need.
    void checkVersions()
    {
        if (m_input.versions < 1 || m_input.versions > MaxSiteVersions) {
            m_result.problems << QStringLiteral("A build makes 1 to %1 versions of a site, not %2.")
                                     .arg(MaxSiteVersions)
                                     .arg(m_input.versions);
            return;
        }
        if (m_input.versions == 1)
            return;
        try {
            m_rules.emplace(loadRuleList(m_input.layout.rulesPath()), m_input.layout.taggerModelPath());
        } catch (const Error& error) {
            m_result.problems << QStringLiteral("The versions are rewritten with the synonym rules, which cannot be "
                                                "read: ") +
                                     error.message();
        }
        // The phrases the user protected are left alone here as in every other rewrite.
        const QString userFolder = m_input.layout.userFolder();
        if (const QString list = userFolder + u'/' + ProtectedPhrasesFileName;
            !userFolder.isEmpty() && QFileInfo(list).exists()) {
            try {
                m_protected = loadProtectedPhrases(list);
            } catch (const Error& error) {
                m_result.warnings << error.message() +
                                         QStringLiteral(" The versions were rewritten without protected phrases.");
            }
        }
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
        if (m_ownFolder) {
            m_paths.siteFolder = m_paths.outputRoot = QDir::cleanPath(QFileInfo(m_input.siteFolder).absoluteFilePath());
        } else if (layout.writesToUserFolder()) {
            // The user's data folder is Quorvale's own: the first build that writes there makes it.
            QDir().mkpath(layout.userFolder());
        }
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
        QHash<QString, std::optional<QString>> read;
        for (std::size_t slot = 0; slot < m_articles.size(); ++slot) {
            const QString& path = m_input.articlePaths[slot];
            const bool first = !read.contains(path);
            if (first) {
                try {
                    read.insert(path, readArticleText(path));
                } catch (const Error& error) {
                    read.insert(path, std::nullopt);
                    m_result.problems << error.message();
                }
            }
            const std::optional<QString> text = read.value(path);
            if (!text)
                continue;
            m_texts[slot] = *text;
            m_articles[slot] = std::make_shared<const PageArticle>(pageArticle(path, *text));
            if (const StrayMarkup& stray = m_articles[slot]->stray; first && stray.count > 0)
                m_result.escapedArticles << quoted(path) +
                                                QStringLiteral(": line %1, column %2 (\"%3\")%4")
                                                    .arg(stray.line)
                                                    .arg(stray.column)
                                                    .arg(stray.context, stray.count > 1
                                                                            ? QStringLiteral(" and %1 more").arg(stray.count - 1)
                                                                            : QString());
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

    /// Writes one site into @p site of the staging folder: version
    /// @p version (its files written as staged files), or with 0 the one
    /// site of the build (with the template copy's progress shown). Throws StepFailed.
    void writeSite(const QString& site, const Articles& articles, int version)
    {
        const bool staged = version > 0;
        runStep(BuildStep::CopyTemplate, 0, version, [&] {
            BuildProgress* progress = staged ? nullptr : m_progress;
            const CopyEnded ended{progress};
            copyFolderTo(m_paths.templateFolder, site, [progress](qint64 done, qint64 total) {
                if (progress)
                    progress->copyProgress(done, total);
            });
        });
        runStep(BuildStep::RemoveIndexTemplate, 0, version, [&] { removeFileIfPresent(site + u"/index.html"); });
        runStep(BuildStep::RemoveArticleTemplate, 0, version, [&] { removeFileIfPresent(site + u"/article.html"); });
        const auto save = [staged](const QString& text, const QString& path) {
            if (staged)
                writeStagedFile(text.toUtf8(), path);
            else
                savePage(text, path);
        };
        QStringList pageAddresses;
        for (int page = 0; page < 5; ++page) {
            const std::array<int, 5>& row = PageOrder[std::size_t(page)];
            runStep(page == 0 ? BuildStep::WriteIndexPage : BuildStep::WriteArticlePage, page, version, [&] {
                refuseLinkedFolders(m_stagingRoot, site + u"/page");
                std::array<const PageArticle*, 4> related{};
                for (std::size_t n = 0; n < 4; ++n)
                    related[n] = articles[std::size_t(row[n + 1])].get();
                const PageArticle& current = *articles[std::size_t(row[0])];
                const PageTagValues values =
                    pageTagValues(m_info, current, related, m_input.articlePaths[0], page == 0);
                if (page == 0)
                    save(fillPageTags(m_templates->indexTemplate, values), site + u"/index.html");
                else
                    save(fillPageTags(m_templates->articleTemplate, values), site + u'/' + current.pageFileName);
                pageAddresses.append(pageAddress(m_info.siteUrl, current.pageFileName, page == 0));
            });
        }
        runStep(BuildStep::WriteRobotsAndSitemap, 0, version, [&] {
            refuseLinkedFolders(m_stagingRoot, site + u"/robots.txt");
            save(robotsTxt(m_info.siteUrl), site + u"/robots.txt");
            if (!m_info.siteUrl.isEmpty())
                save(sitemapXml(pageAddresses), site + u"/sitemap.xml");
        });
        runStep(BuildStep::CopyBackground, 0, version, [&] {
            copyImage(backgroundPath(), site + u"/assets/images/bg.jpg", m_stagingRoot,
                      staged ? &m_backgroundBytes : nullptr);
        });
    }

    /// Writes the versions into @p site of the staging folder, each by the
    /// next free thread. False when none is to be put in place (the result
    /// says why). Throws StepFailed for a failure before the first version.
    bool writeVersions(const QString& site)
    {
        const int total = m_input.versions;
        std::array<QStringList, 5> wordings;
        runStep(BuildStep::RewriteArticles, 0, 0, [&] {
            QHash<QString, QString> spintaxOf;
            for (std::size_t slot = 0; slot < wordings.size(); ++slot) {
                const QString& path = m_input.articlePaths[slot];
                if (!spintaxOf.contains(path))
                    spintaxOf.insert(path, rewriteArticle(m_texts[slot], *m_rules, {}, m_protected).spintax);
                // The project's seed and the slot: each article is spun apart, the same way at every build.
                const std::array<quint32, 3> seed = {quint32(m_input.seed), quint32(m_input.seed >> 32),
                                                     quint32(slot)};
                QRandomGenerator random(seed.data(), seed.size());
                QStringList& mine = wordings[slot];
                mine = distinctWordings(spintaxOf.value(path), total, random);
                // Fewer wordings than versions: the versions take them in turn (the report says so).
                for (qsizetype distinct = mine.size(), n = distinct; distinct > 0 && n < total; ++n)
                    mine.append(mine.at(n % distinct));
            }
        });
        runStep(BuildStep::CopyBackground, 0, 0, [&] { m_backgroundBytes = backgroundJpeg(backgroundPath()); });
        runStep(BuildStep::StageFolder, 0, 0, [&] {
            if (!QDir().mkpath(site))
                throw Error(QStringLiteral("Cannot create the folder ") + quoted(site) + u'.');
        });
        if (m_progress && !m_progress->versionsProgress(0, total)) {
            m_result.status = BuildResult::Status::Cancelled;
            return false;
        }

        std::atomic<int> next{1};
        std::atomic<bool> stop{false};
        std::mutex mutex;
        std::condition_variable changed;
        int done = 0;
        std::optional<BuildFailure> failure;
        const int threadCount = std::clamp(int(std::thread::hardware_concurrency()), 1, std::min(total, 8));
        int running = threadCount;
        const auto work = [&] {
            for (int version = next++; version <= total && !stop; version = next++) {
                std::optional<BuildFailure> failed;
                try {
                    Articles articles;
                    for (std::size_t slot = 0; slot < articles.size(); ++slot)
                        articles[slot] = std::make_shared<const PageArticle>(
                            pageArticle(m_input.articlePaths[slot], wordings[slot].at(version - 1)));
                    writeSite(site + u'/' + versionFolderName(version, total), articles, version);
                } catch (const StepFailed& stepFailed) {
                    failed = stepFailed.failure;
                } catch (const std::exception& error) {
                    failed = BuildFailure{BuildStep::WriteIndexPage, 0, QString::fromLocal8Bit(error.what()), version};
                }
                const std::lock_guard lock(mutex);
                if (!failed) {
                    ++done;
                } else if (!failure) {
                    failure = failed;
                    stop = true;
                }
                changed.notify_all();
            }
            const std::lock_guard lock(mutex);
            --running;
            changed.notify_all();
        };
        std::vector<std::thread> threads;
        for (int i = 0; i < threadCount; ++i)
            threads.emplace_back(work);
        bool cancelled = false;
        {
            std::unique_lock lock(mutex);
            while (running > 0) {
                changed.wait_for(lock, std::chrono::milliseconds(100));
                const int doneNow = done;
                lock.unlock();
                if (m_progress && !cancelled && !m_progress->versionsProgress(doneNow, total))
                    cancelled = stop = true;
                lock.lock();
            }
        }
        for (std::thread& thread : threads)
            thread.join();

        if (failure)
            throw StepFailed{*failure};
        m_result.versionsBuilt = done;
        if (cancelled)
            m_result.status = BuildResult::Status::Cancelled;
        if (done == 0)
            return false;
        m_result.report = compareVersions(m_texts, wordings, done);
        m_result.report.requested = total;
        m_result.report.folder = m_paths.siteFolder;
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
    const bool m_ownFolder = !m_input.siteFolder.isEmpty(); ///< a site folder of its own, not the layout's
    SiteInfo m_info = m_input.info;                         ///< with the site address normalised
    SitePaths m_paths;
    QString m_stagingRoot; ///< the new output folder while it is written
    std::optional<TemplateSet> m_templates;
    std::array<QString, 5> m_texts; ///< of the five articles
    Articles m_articles;
    std::optional<RuleIndex> m_rules; ///< for the versions
    ProtectedPhrases m_protected;     ///< for the versions
    QByteArray m_backgroundBytes;     ///< for the versions
    FolderLock m_lock;
    BuildResult m_result;
};

} // namespace

QString siteFolderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isSymLink())
        return QStringLiteral("The output folder ") + quoted(folder) +
               QStringLiteral(" is a symbolic link; a build replaces only a real folder. Choose the folder it "
                              "points to, or another one.");
    if (!info.isDir())
        return {};
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                       QDir::NoDotAndDotDot);
    const QFileInfo marker(folder + u'/' + SiteFolderMarker);
    if (entries.isEmpty() || (marker.isFile() && !marker.isSymLink()))
        return {};
    return QStringLiteral("The output folder ") + quoted(folder) +
           QStringLiteral(" holds files that are not a site Quorvale built (it has no ") + SiteFolderMarker +
           QStringLiteral(" file), and a build replaces the whole folder. Choose an empty or new folder.");
}

BuildResult buildSite(const BuildInput& input, BuildProgress* progress)
{
    return Build(input, progress).run();
}

} // namespace quorvale
