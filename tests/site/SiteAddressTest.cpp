// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SiteAddress.h"

#include "TestSupport.h"
#include "components/Error.h"

using namespace quorvale;
using namespace quorvale::test;

namespace {

struct AddressCase
{
    const char* name;
    const char16_t* typed;
    const char16_t* normalized; ///< nullptr: refused
};

class SiteAddress : public ::testing::TestWithParam<AddressCase>
{
};

// Trimming, letter case and the final "/" show in the "address" reference build.
TEST_P(SiteAddress, IsAnAbsoluteWebAddressEndingInASlash)
{
    const QString typed = QString::fromUtf16(GetParam().typed);
    if (GetParam().normalized)
        EXPECT_EQ(normalizedSiteAddress(typed), QString::fromUtf16(GetParam().normalized));
    else
        EXPECT_THROW(normalizedSiteAddress(typed), Error);
}

INSTANTIATE_TEST_SUITE_P(Site, SiteAddress,
                         ::testing::Values(AddressCase{"non_ascii_encoded", u"https://bücher.de/ä",
                                                       u"https://xn--bcher-kva.de/%C3%A4/"},
                                           AddressCase{"other_scheme", u"ftp://example.org/", nullptr},
                                           AddressCase{"without_scheme", u" www.Example.com", u"https://www.example.com/"},
                                           AddressCase{"path_without_scheme", u"example.com:81/blog",
                                                       u"https://example.com:81/blog/"},
                                           AddressCase{"name_without_dot", u"localhost/site", nullptr},
                                           AddressCase{"no_host", u"https:///a/", nullptr},
                                           AddressCase{"query", u"https://example.org/?a=1", nullptr},
                                           AddressCase{"fragment", u"https://example.org/#top", nullptr},
                                           AddressCase{"user_name", u"https://me@example.org/", nullptr},
                                           AddressCase{"space_or_quote", u"https://example.org/a \"b\"/", nullptr},
                                           AddressCase{"ipv6_host", u"http://[::1]:8080", u"http://[::1]:8080/"},
                                           AddressCase{"bracket_in_path", u"https://example.org/a[1]/", nullptr},
                                           AddressCase{"port_zero", u"https://example.org:0/", nullptr},
                                           AddressCase{"impossible_ipv4", u"https://10.0.0.256/", nullptr},
                                           AddressCase{"numeric_name", u"https://example.123/", nullptr}),
                         caseName);

} // namespace
