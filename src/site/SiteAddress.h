// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvale {

/// The site's public address as typed (SiteInfo::siteUrl), checked and in the
/// form the pages use: empty stays empty (the site has no address); anything
/// else must be an absolute http:// or https:// address with a host and
/// without query, fragment or user name, and comes back fully encoded, ending
/// in "/" ("https://Example.org/shop" gives "https://example.org/shop/").
/// An address typed without a scheme whose host has a dot ("www.example.com",
/// "example.com/blog") is taken as an https:// address.
/// A sitemap takes only such addresses as they are: a port must be 1 to
/// 65535, a host whose last part is a number must be an IPv4 address, and
/// "[" and "]" may only enclose an IPv6 host. Throws Error naming the text
/// otherwise.
QString normalizedSiteAddress(const QString& typed);

/// The longest page address a build writes: search engines take no longer ones.
inline constexpr qsizetype MaxPageAddressLength = 2048;

/// @p pageFileName as a relative address: every character but letters,
/// digits, "-", ".", "_" and "~" percent-encoded (UTF-8), so that "#", "?",
/// "%", spaces and quotes stay part of the name.
QString pagePath(const QString& pageFileName);

/// The address of the page @p pageFileName of the site at @p siteAddress (a
/// normalizedSiteAddress()): the site address itself for the index page, else
/// the address with the percent-encoded file name appended. Empty without a
/// site address.
QString pageAddress(const QString& siteAddress, const QString& pageFileName, bool indexPage);

/// @p text with "&", "<", ">", '"' and "'" as character references: safe in
/// HTML text, in quoted attribute values and in XML.
QString escapedForMarkup(const QString& text);

/// sitemap.xml of the sitemaps.org protocol listing @p pageAddresses.
QString sitemapXml(const QStringList& pageAddresses);

/// robots.txt allowing every crawler everything, and naming the sitemap when
/// the site has an address.
QString robotsTxt(const QString& siteAddress);

} // namespace quorvale
