// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/DemoData.h"

#include "site/BackgroundImage.h"

#include <QDir>

namespace quorvale {

namespace {

QStringList fileNames(const QString& folder, const QStringList& patterns)
{
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace

SiteInfo withDemoSiteTexts(SiteInfo info)
{
    info.siteHeadline = DemoSiteHeadline.toString();
    info.siteDescription = DemoSiteDescription.toString();
    info.siteName = DemoSiteName.toString();
    info.videoId = DemoVideoId.toString();
    info.adTitle = DemoAdTitle.toString();
    info.adDescription = DemoAdDescription.toString();
    info.buttonText = DemoButtonText.toString();
    info.footerText = DemoFooterText.toString();
    return info;
}

QStringList articleFileNames(const QString& folder)
{
    return fileNames(folder, {QStringLiteral("*.txt")});
}

QStringList imageFileNames(const QString& folder)
{
    return fileNames(folder, backgroundImagePatterns());
}

BuildInput demoBuildInput(const InstallLayout& layout, const QString& variation, const SiteInfo& info)
{
    const QString installFolder = layout.installFolder();
    BuildInput input;
    input.layout = layout;
    input.variation = variation;
    input.info = withDemoSiteTexts(info);

    const QString articleFolder = installFolder + u'/' + DemoArticleFolder;
    const QStringList articles = articleFileNames(articleFolder);
    for (qsizetype slot = 0; slot < qsizetype(input.articlePaths.size()) && !articles.isEmpty(); ++slot)
        input.articlePaths[std::size_t(slot)] = articleFolder + u'/' + articles.at(qMin(slot, articles.size() - 1));

    input.backgroundFolder = installFolder + u'/' + DemoImageFolder;
    const QStringList images = imageFileNames(input.backgroundFolder);
    if (!images.isEmpty())
        input.backgroundFile = images.contains(DemoImageFile) ? DemoImageFile.toString() : images.last();
    return input;
}

QStringList demoDataProblems(const QString& installFolder)
{
    QStringList problems;
    const QString articleFolder = installFolder + u'/' + DemoArticleFolder;
    const QDir articles(articleFolder);
    if (!articles.exists() || !articles.isReadable()) {
        problems << QStringLiteral("The sample articles folder %1 cannot be opened.").arg(articleFolder);
    } else if (const qsizetype count = articleFileNames(articleFolder).size(); count < 5) {
        problems << QStringLiteral("The sample articles folder %1 holds %2 article files; 5 are needed.")
                        .arg(articleFolder)
                        .arg(count);
    }
    const QString imageFolder = installFolder + u'/' + DemoImageFolder;
    if (!imageFileNames(imageFolder).contains(DemoImageFile))
        problems << QStringLiteral("The sample background %1 is not in %2.").arg(DemoImageFile.toString(), imageFolder);
    return problems;
}

} // namespace quorvale
