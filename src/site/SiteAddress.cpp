#include "site/SiteAddress.h"

#include "components/Error.h"

#include <QUrl>

namespace quorvale {

QString normalizedSiteAddress(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    // Page names are appended to the address, so a query or fragment would end up in the middle of every one.
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty() || url.hasQuery() ||
        url.hasFragment() || !url.userInfo().isEmpty())
        throw Error(QStringLiteral("The site address \"") + text +
                    QStringLiteral("\" is not an absolute http:// or https:// address without query or fragment, "
                                   "such as https://example.org/."));
    if (!url.path().endsWith(u'/'))
        url.setPath(url.path() + u'/');
    return url.toString(QUrl::FullyEncoded);
}

QString pageAddress(const QString& siteAddress, const QString& pageFileName, bool indexPage)
{
    if (siteAddress.isEmpty() || indexPage)
        return siteAddress;
    return siteAddress + QString::fromLatin1(QUrl::toPercentEncoding(pageFileName));
}

QString escapedForMarkup(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    return escaped.replace(u'\'', QStringLiteral("&#39;"));
}

QString sitemapXml(const QStringList& pageAddresses)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n");
    for (const QString& address : pageAddresses)
        xml += QStringLiteral("  <url><loc>") + escapedForMarkup(address) + QStringLiteral("</loc></url>\n");
    return xml + QStringLiteral("</urlset>\n");
}

QString robotsTxt(const QString& siteAddress)
{
    QString text = QStringLiteral("User-agent: *\nAllow: /\n");
    if (!siteAddress.isEmpty())
        text += QStringLiteral("\nSitemap: ") + siteAddress + QStringLiteral("sitemap.xml\n");
    return text;
}

} // namespace quorvale
