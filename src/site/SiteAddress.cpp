// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SiteAddress.h"

#include "components/Error.h"

#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace quorvale {

QString normalizedSiteAddress(const QString& typed)
{
    const QString shown = typed.trimmed(); // as typed, in messages
    QString text = shown;
    if (text.isEmpty())
        return {};
    // "www.example.com" or "example.com/blog", as people type addresses, are https:// addresses.
    static const QRegularExpression withoutScheme(QStringLiteral(R"(^[^\s/:@?#]+\.[^\s/:@?#]+(:[0-9]+)?(/[^\s]*)?$)"));
    if (withoutScheme.match(text).hasMatch())
        text.prepend(QStringLiteral("https://"));
    QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    // Page names are appended to the address, so a query or fragment would end up in the middle of every one.
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty() || url.hasQuery() ||
        url.hasFragment() || !url.userInfo().isEmpty())
        throw Error(QStringLiteral("The site address \"") + shown +
                    QStringLiteral("\" is not an absolute http:// or https:// address without query or fragment, "
                                   "such as https://example.org/."));
    if (!url.path().endsWith(u'/'))
        url.setPath(url.path() + u'/');
    const auto refused = [&shown](const QString& why) {
        return Error(QStringLiteral("The site address \"") + shown + QStringLiteral("\" ") + why + u'.');
    };
    if (url.port() == 0)
        throw refused(QStringLiteral("has the port 0; a port is a number from 1 to 65535"));
    // Qt takes "999.1.1.1" as a host name; browsers and search engines read a
    // host ending in a number as an IPv4 address (Qt gives valid ones as four
    // numbers), which this one cannot be.
    const QStringList labels = url.host().split(u'.', Qt::SkipEmptyParts);
    const auto isNumber = [](const QString& label) {
        return !label.isEmpty() &&
               std::all_of(label.begin(), label.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    const auto isByte = [&isNumber](const QString& label) {
        return isNumber(label) && label.size() <= 3 && label.toInt() <= 255;
    };
    if (!url.host().contains(u':') && !labels.isEmpty() &&
        (isNumber(labels.last()) || labels.last().startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) &&
        (labels.size() != 4 || !std::all_of(labels.begin(), labels.end(), isByte)))
        throw refused(QStringLiteral("has the host \"") + url.host() +
                      QStringLiteral("\", which ends in a number but is no IPv4 address"));
    // Qt leaves "[" and "]" in a path; a sitemap takes them only around an IPv6 host.
    const QString path = url.path(QUrl::FullyEncoded);
    if (path.contains(u'[') || path.contains(u']'))
        throw refused(QStringLiteral("holds \"[\" or \"]\" outside an IPv6 host"));
    return url.toString(QUrl::FullyEncoded);
}

QString pagePath(const QString& pageFileName)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(pageFileName));
}

QString pageAddress(const QString& siteAddress, const QString& pageFileName, bool indexPage)
{
    if (siteAddress.isEmpty() || indexPage)
        return siteAddress;
    return siteAddress + pagePath(pageFileName);
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
