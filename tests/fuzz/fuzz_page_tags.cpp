#include "FuzzSupport.h"
#include "components/TextFile.h"
#include "site/PageTags.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// Any template and any site texts fill without a crash or a hang; a template
// without "#" comes back unchanged. The input is eleven site texts and then
// the template, separated by NULs.
namespace {

std::unique_ptr<QTemporaryDir> g_articles;
quorvale::PageArticlePaths g_paths;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_articles = std::make_unique<QTemporaryDir>();
    const char* texts[] = {"Main #SITENAME# article. More.", "First\r\nline. Step one: never.", "", "No stop",
                           "you need to consider this."};
    for (int i = 0; i < 5; ++i) {
        const QString path = g_articles->filePath(QStringLiteral("a_") + QString::number(i) + QStringLiteral(".txt"));
        quorvale::SaveTextBoxToFile(QString::fromUtf8(texts[i]), path);
        if (i == 0)
            g_paths.currentArticlePath = path;
        else
            g_paths.relatedArticlePaths[size_t(i - 1)] = path;
    }
    g_paths.homeArticlePath = g_paths.relatedArticlePaths[3];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList parts = quorvale::fuzz::textFromBytes(data, size).split(QChar(0));
    if (parts.size() < 12)
        return 0;
    quorvale::SiteInfo info;
    QString* fields[] = {&info.siteName,      &info.siteHeadline, &info.siteDescription,    &info.adTitle,
                         &info.adDescription, &info.buttonText,   &info.buttonUrl,          &info.videoId,
                         &info.footerText,    &info.readMoreText, &info.relatedArticlesText};
    for (int i = 0; i < 11; ++i)
        *fields[i] = parts.at(i);
    const QString templ = parts.mid(11).join(QChar(0));
    QString page = templ;
    QString loader;
    quorvale::FillPageTags(page, info, g_paths, loader);
    if (!templ.contains(u'#'))
        FUZZ_CHECK(page == templ);
    return 0;
}
