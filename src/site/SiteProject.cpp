// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SiteProject.h"

#include "components/Error.h"
#include "components/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quorvale {

namespace {

const QString FormatKey = QStringLiteral("format");
const QString FormatName = QStringLiteral("quorvale-site");
const QString VersionKey = QStringLiteral("version");
constexpr int FormatVersion = 1;

/// Marks a path stored relative to the installation folder.
const QString InstallPrefix = QStringLiteral("{install}/");

const std::array<QStringView, 5> SlotKeys = {u"main", u"article1", u"article2", u"article3", u"article4"};

/// True when @p path lies in @p folder or below it.
bool isBelow(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

QString storedPath(const QString& path, const QString& projectFolder, const QString& installFolder)
{
    if (path.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (isBelow(clean, projectFolder)) {
        const QString relative = QDir(projectFolder).relativeFilePath(clean);
        // A name that starts like the installation marker is read as a name.
        return relative.startsWith(u'{') ? u"./" + relative : relative;
    }
    if (isBelow(clean, installFolder))
        return InstallPrefix + QDir(installFolder).relativeFilePath(clean);
    return clean;
}

QString resolvedPath(const QString& stored, const QString& projectFolder, const QString& installFolder)
{
    if (stored.isEmpty())
        return {};
    if (stored.startsWith(InstallPrefix))
        return QDir::cleanPath(installFolder + u'/' + stored.sliced(InstallPrefix.size()));
    if (QDir::isAbsolutePath(stored))
        return QDir::cleanPath(stored);
    return QDir::cleanPath(projectFolder + u'/' + stored);
}

QString folderOf(const QString& projectFile)
{
    return QFileInfo(projectFile).absolutePath();
}

/// Line and column of the character at @p offset of @p bytes, both counted from 1.
QString position(const QByteArray& bytes, qsizetype offset)
{
    const QByteArray before = bytes.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("line %1, column %2").arg(before.count('\n') + 1).arg(offset - lineStart + 1);
}

/// Reads the fields of a project object; every type error names its field.
class Reader
{
public:
    Reader(const QJsonObject& root, QString projectFolder, QString installFolder)
        : m_root(root), m_projectFolder(std::move(projectFolder)), m_installFolder(std::move(installFolder))
    {
    }

    SiteProject read()
    {
        SiteProject project;
        const QJsonObject articles = object(m_root, QStringLiteral("articles"));
        for (std::size_t i = 0; i < SlotKeys.size(); ++i)
            project.articles[i] = path(string(articles, SlotKeys[i].toString(), u"articles."));
        project.background = path(string(m_root, QStringLiteral("background")));
        project.variation = string(m_root, QStringLiteral("variation"), {}, QStringLiteral("1"));
        const QJsonObject texts = object(m_root, QStringLiteral("texts"));
        for (const SiteTextKey& text : siteTextKeys()) {
            const QString key = text.key.toString();
            if (texts.contains(key))
                project.info.*text.field = string(texts, key, u"texts.");
        }
        project.outputFolder = path(string(m_root, QStringLiteral("output-folder")));
        project.versions = int(number(QStringLiteral("versions"), 1, 999, 1));
        project.seed = quint64(number(QStringLiteral("seed"), 0, qint64(MaxSiteProjectSeed), 0));
        return project;
    }

private:
    [[noreturn]] void damaged(const QString& field, const QString& what) const
    {
        throw Error(u'"' + field + QStringLiteral("\" must be ") + what);
    }

    QJsonObject object(const QJsonObject& in, const QString& key) const
    {
        const QJsonValue value = in.value(key);
        if (!value.isUndefined() && !value.isObject())
            damaged(key, QStringLiteral("an object"));
        return value.toObject();
    }

    QString string(const QJsonObject& in, const QString& key, QStringView parent = {},
                   const QString& fallback = {}) const
    {
        const QJsonValue value = in.value(key);
        if (value.isUndefined() || value.isNull())
            return fallback;
        if (!value.isString())
            damaged(parent + key, QStringLiteral("a text"));
        return value.toString();
    }

    qint64 number(const QString& key, qint64 lowest, qint64 highest, qint64 fallback) const
    {
        const QJsonValue value = m_root.value(key);
        if (value.isUndefined() || value.isNull())
            return fallback;
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number != double(value.toInteger()) || number < double(lowest) ||
            number > double(highest))
            damaged(key, QStringLiteral("a whole number from %1 to %2").arg(lowest).arg(highest));
        return value.toInteger();
    }

    QString path(const QString& stored) const { return resolvedPath(stored, m_projectFolder, m_installFolder); }

    const QJsonObject& m_root;
    QString m_projectFolder;
    QString m_installFolder;
};

/// The project object of @p bytes; throws Error with what is wrong, not naming the file.
QJsonObject projectObject(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw Error(QStringLiteral("it is not a Quorvale site file (") + position(bytes, error.offset) +
                    QStringLiteral(": ") + error.errorString() + QStringLiteral(")"));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(FormatKey).toString() != FormatName)
        throw Error(QStringLiteral("it is not a Quorvale site file (it does not start with {\"format\": \"") +
                    FormatName + QStringLiteral("\", ...})"));
    return root;
}

} // namespace

const std::array<SiteTextKey, 12>& siteTextKeys()
{
    static const std::array<SiteTextKey, 12> keys = {{
        {u"site-name", &SiteInfo::siteName},
        {u"site-headline", &SiteInfo::siteHeadline},
        {u"site-description", &SiteInfo::siteDescription},
        {u"ad-title", &SiteInfo::adTitle},
        {u"ad-description", &SiteInfo::adDescription},
        {u"button-text", &SiteInfo::buttonText},
        {u"button-url", &SiteInfo::buttonUrl},
        {u"video-id", &SiteInfo::videoId},
        {u"footer", &SiteInfo::footerText},
        {u"read-more", &SiteInfo::readMoreText},
        {u"related-articles", &SiteInfo::relatedArticlesText},
        {u"site-url", &SiteInfo::siteUrl},
    }};
    return keys;
}

QString defaultOutputFolder(const QString& projectFile)
{
    const QFileInfo file(projectFile);
    return QDir::cleanPath(file.absolutePath() + u'/' + file.completeBaseName() + QStringLiteral("-site"));
}

QString outputFolderOf(const SiteProject& project, const QString& projectFile)
{
    if (!project.outputFolder.isEmpty() || projectFile.isEmpty())
        return project.outputFolder;
    return defaultOutputFolder(projectFile);
}

QByteArray siteProjectBytes(const SiteProject& project, const QString& projectFile, const QString& installFolder)
{
    const QString folder = folderOf(projectFile);
    const QString install = QDir::cleanPath(installFolder);
    const auto stored = [&](const QString& path) { return storedPath(path, folder, install); };
    QJsonObject articles;
    for (std::size_t i = 0; i < SlotKeys.size(); ++i)
        articles.insert(SlotKeys[i], stored(project.articles[i]));
    QJsonObject texts;
    for (const SiteTextKey& text : siteTextKeys())
        texts.insert(text.key, project.info.*text.field);
    const QJsonObject root{
        {FormatKey, FormatName},
        {VersionKey, FormatVersion},
        {QStringLiteral("articles"), articles},
        {QStringLiteral("background"), stored(project.background)},
        {QStringLiteral("variation"), project.variation},
        {QStringLiteral("texts"), texts},
        {QStringLiteral("output-folder"), stored(project.outputFolder)},
        {QStringLiteral("versions"), project.versions},
        {QStringLiteral("seed"), qint64(project.seed)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SiteProject loadSiteProject(const QString& projectFile, const QString& installFolder)
{
    const QString name = QStringLiteral("The site file \"") + projectFile + QStringLiteral("\" cannot be opened: ");
    if (const QString problem = notARegularFile(projectFile); !problem.isEmpty())
        throw Error(name + problem + u'.');
    if (const qint64 size = QFileInfo(projectFile).size(); size > MaxSiteProjectBytes)
        throw Error(name + QStringLiteral("it holds %1 bytes; a site file has at most 1 MB.").arg(size));
    QByteArray bytes;
    try {
        bytes = readFileBytes(projectFile);
    } catch (const Error& error) {
        throw Error(name + error.message());
    }
    try {
        const QJsonObject root = projectObject(bytes);
        const int version = root.value(VersionKey).toInt(0);
        if (version > FormatVersion)
            throw Error(QStringLiteral("it was written by a newer Quorvale (format version %1); this one reads "
                                       "version %2. Open it with the newer Quorvale.")
                            .arg(version)
                            .arg(FormatVersion));
        if (version < 1)
            throw Error(QStringLiteral("it is damaged: \"version\" must be a whole number from 1"));
        return Reader(root, folderOf(projectFile), QDir::cleanPath(installFolder)).read();
    } catch (const Error& error) {
        const QString& reason = error.message();
        throw Error(name + (reason.startsWith(u'"') ? QStringLiteral("it is damaged: ") + reason : reason) + u'.');
    }
}

BuildInput siteBuildInput(const SiteProject& project, const QString& projectFile, const InstallLayout& layout)
{
    BuildInput input;
    input.layout = layout;
    input.articlePaths = project.articles;
    if (!project.background.isEmpty()) {
        const QFileInfo background(project.background);
        input.backgroundFolder = background.absolutePath();
        input.backgroundFile = background.fileName();
    }
    input.variation = project.variation;
    input.info = project.info;
    input.siteFolder = outputFolderOf(project, projectFile);
    input.versions = project.versions;
    input.seed = project.seed;
    input.siteFile = projectFile;
    return input;
}

void saveSiteProject(const SiteProject& project, const QString& projectFile, const QString& installFolder)
{
    saveFile(siteProjectBytes(project, projectFile, installFolder), projectFile);
}

bool isSiteProjectFile(const QString& path)
{
    try {
        if (notARegularFile(path).isEmpty() && QFileInfo(path).size() <= MaxSiteProjectBytes) {
            projectObject(readFileBytes(path));
            return true;
        }
    } catch (const Error&) {
    }
    return false;
}

QByteArray fileFingerprint(const QString& path)
{
    try {
        if (notARegularFile(path).isEmpty())
            return QCryptographicHash::hash(readFileBytes(path), QCryptographicHash::Sha256);
    } catch (const Error&) {
    }
    return {};
}

} // namespace quorvale
