// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "components/Error.h"
#include "components/TextFile.h"
#include "site/BuildSite.h"
#include "site/PageTags.h"
#include "site/SiteAddress.h"
#include "site/SiteProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <array>

namespace quorvale::cli {

namespace {

/// The help of each site text, in the order of siteTextKeys().
const std::array<const char16_t*, 12> SiteTextDescriptions = {
    u"Site name.",
    u"Site headline.",
    u"Site description.",
    u"Title of the advertising spot.",
    u"Text of the advertising spot.",
    u"Caption of the spot's button.",
    u"Address the button links to.",
    u"YouTube video id; empty or omitted: no video.",
    u"Footer text.",
    u"Text of the read-more links.",
    u"Heading of the related articles.",
    u"The site's public address (http:// or https://) for sitemap.xml, canonical links and link previews; empty or "
    u"omitted: none.",
};

const std::array<const char16_t*, 5> SlotOptions = {u"main", u"article1", u"article2", u"article3", u"article4"};

/// The whole number of option @p name from @p lowest to @p highest; false when it is not one.
bool wholeNumber(const QCommandLineParser& parser, const QString& name, quint64 lowest, quint64 highest,
                 quint64& number)
{
    bool ok = false;
    number = parser.value(name).toULongLong(&ok);
    return ok && number >= lowest && number <= highest;
}

} // namespace

SiteOptions::SiteOptions(const QString& outUse)
    : m_background(QStringLiteral("background"), QStringLiteral("Background image of the headline section."),
                   QStringLiteral("FILE")),
      m_variation(variationOption()), m_out(QStringLiteral("out"), outUse, QStringLiteral("DIR")),
      m_versions(QStringLiteral("versions"),
                 QStringLiteral("Build N versions of the site (2 to %1) into DIR/01, DIR/02 ...: the articles of "
                                "each rewritten with the synonym rules and spun with a seed of its own, the site texts "
                                "as they are; how much they share is printed and written to versions.txt. 1, the "
                                "default: the site as written.")
                     .arg(MaxSiteVersions),
                 QStringLiteral("N")),
      m_seed(QStringLiteral("seed"),
             QStringLiteral("Seed of the versions' spins, 0 to %1: the same seed builds the same versions "
                            "(default: the project's, else a new one, which is printed).")
                 .arg(MaxSiteProjectSeed),
             QStringLiteral("S"))
{
    for (std::size_t i = 0; i < SlotOptions.size(); ++i) {
        const QString description =
            i == 0 ? QStringLiteral("Main article, shown on index.html.") : QStringLiteral("Article #%1.").arg(i);
        m_slots.append(QCommandLineOption(QString::fromUtf16(SlotOptions[i]), description, QStringLiteral("FILE")));
    }
    const SiteInfo defaults;
    for (std::size_t i = 0; i < siteTextKeys().size(); ++i) {
        const SiteTextKey& text = siteTextKeys()[i];
        const QString fallback = defaults.*text.field;
        QString description = QString::fromUtf16(SiteTextDescriptions[i]);
        if (!fallback.isEmpty())
            description += QStringLiteral(" Default: \"") + fallback + u'"';
        m_texts.append(QCommandLineOption(text.key.toString(), description, QStringLiteral("TEXT"), fallback));
    }
}

void SiteOptions::addTo(QCommandLineParser& parser) const
{
    parser.addOptions(m_slots);
    parser.addOptions({m_background, m_variation});
    parser.addOptions(m_texts);
    parser.addOptions({m_out, m_versions, m_seed});
}

QStringList SiteOptions::problems(const QCommandLineParser& parser, bool filesRequired) const
{
    QStringList problems;
    for (const QCommandLineOption& option : m_slots + QList<QCommandLineOption>{m_background}) {
        problems << (filesRequired && parser.value(option).isEmpty()
                         ? QStringLiteral("--") + option.names().first() + QStringLiteral(" is required")
                         : fileOptionProblem(parser, option));
    }
    problems << valueProblem(parser, QStringLiteral("variation"), &InstallLayout::checkVariation)
             << valueProblem(parser, QStringLiteral("site-url"), &normalizedSiteAddress)
             << valueProblem(parser, QStringLiteral("video-id"), &checkVideoId);
    quint64 number = 0;
    if (parser.isSet(m_versions) && !wholeNumber(parser, m_versions.names().first(), 1, MaxSiteVersions, number))
        problems << QStringLiteral("--versions needs a whole number from 1 to %1, not '%2'")
                        .arg(MaxSiteVersions)
                        .arg(parser.value(m_versions));
    if (parser.isSet(m_seed) && !wholeNumber(parser, m_seed.names().first(), 0, MaxSiteProjectSeed, number))
        problems << QStringLiteral("--seed needs a whole number from 0 to %1, not '%2'")
                        .arg(MaxSiteProjectSeed)
                        .arg(parser.value(m_seed));
    if (parser.isSet(m_out) && parser.value(m_out).isEmpty())
        problems << QStringLiteral("--out needs a folder");
    problems.removeAll(QString());
    return problems;
}

void SiteOptions::applyTo(SiteProject& project, const QCommandLineParser& parser) const
{
    const auto absolute = [](const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); };
    for (std::size_t i = 0; i < project.articles.size(); ++i) {
        if (parser.isSet(m_slots.at(qsizetype(i))))
            project.articles[i] = absolute(parser.value(m_slots.at(qsizetype(i))));
    }
    if (parser.isSet(m_background))
        project.background = absolute(parser.value(m_background));
    if (parser.isSet(m_variation))
        project.variation = parser.value(m_variation);
    for (std::size_t i = 0; i < siteTextKeys().size(); ++i) {
        if (parser.isSet(m_texts.at(qsizetype(i))))
            project.info.*siteTextKeys()[i].field = parser.value(m_texts.at(qsizetype(i)));
    }
    if (parser.isSet(m_out))
        project.outputFolder = absolute(parser.value(m_out));
    if (parser.isSet(m_versions))
        project.versions = parser.value(m_versions).toInt();
    if (parser.isSet(m_seed))
        project.seed = parser.value(m_seed).toULongLong();
}

bool SiteOptions::seedGiven(const QCommandLineParser& parser) const
{
    return parser.isSet(m_seed);
}

int runBuild(const QStringList& arguments, Context& context)
{
    const QString name = QStringLiteral("build");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build the mini site into output/template<V> of the installation folder (of the user's data "
                       "folder, $XDG_DATA_HOME/quorvale, when an installed program cannot write there), or into a "
                       "folder of its own (--out, or the site project's): the main article on index.html, one page "
                       "for each of articles #1 to #4, the background as assets/images/bg.jpg. The new output folder "
                       "replaces the old one only once it is complete; a build that fails leaves the previous site as "
                       "it was. A site folder of its own holds a .quorvale-site file; a folder that is not empty "
                       "and has none is never replaced."));
    const QCommandLineOption project(QStringLiteral("project"),
                                     QStringLiteral("Build the site project FILE (.quorvale); the options given beside "
                                                    "it replace what the project holds."),
                                     QStringLiteral("FILE"));
    const SiteOptions site(QStringLiteral("Write the site into DIR, a folder of its own that every build replaces as "
                                          "a whole (default: output/template<V>, or the project's output folder)."));
    const QCommandLineOption quiet = quietOption();
    parser.addOption(project);
    site.addTo(parser);
    parser.addOptions({quiet, waitOption(),
                       homeOption(QStringLiteral("holding the template folders and receiving output/"))});
    if (const int code = parseSubcommand(parser, name, arguments, context); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return usageError(context, name,
                          QStringLiteral("unexpected argument '") + parser.positionalArguments().first() + u'\'');
    // Every file must be there and readable, and every value valid, named by its option.
    QStringList problems = site.problems(parser, !parser.isSet(project));
    QString waitError;
    const int waitMs = waitMilliseconds(parser, waitError);
    problems << waitError;
    const InstallLayout layout = installLayout(parser, context);
    const QString home = layout.installFolder();
    if (const QString problem = homeProblem(parser); !problem.isEmpty())
        problems << problem;
    else if (!QFileInfo(home).isDir())
        problems << QStringLiteral("the installation folder \"") + home + QStringLiteral("\" does not exist");
    else if (QDir(home).entryList({QStringLiteral("template*")}, QDir::Dirs).isEmpty())
        problems << QStringLiteral("the installation folder \"") + home +
                        QStringLiteral("\" holds no template folder (template1, template2 ...)");
    SiteProject siteProject;
    QString projectFile;
    if (parser.isSet(project)) {
        projectFile = QDir::cleanPath(QFileInfo(parser.value(project)).absoluteFilePath());
        try {
            siteProject = loadSiteProject(projectFile, home);
        } catch (const Error& error) {
            problems << QStringLiteral("--project: ") + error.message();
        }
    } else {
        siteProject.seed = QRandomGenerator::global()->bounded(MaxSiteProjectSeed);
    }
    problems.removeAll(QString());
    if (!problems.isEmpty())
        return usageError(context, name, problems.join(QStringLiteral("\n")));

    site.applyTo(siteProject, parser);
    BuildInput input = siteBuildInput(siteProject, projectFile, layout);
    input.lockWaitMs = waitMs;
    return runSiteBuild(input, parser.isSet(quiet), name, context);
}

} // namespace quorvale::cli
