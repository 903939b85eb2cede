// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/PageNames.h"

#include "TestSupport.h"

using namespace quorvale;
using quorvale::test::ReferenceCase;

namespace {

class PageNames : public ::testing::TestWithParam<ReferenceCase>
{
};

TEST_P(PageNames, GiveTitlePageFileNameAndCapitals)
{
    const ReferenceCase& c = GetParam();
    if (c.has("path")) {
        EXPECT_EQ(titleFromPath(c["path"]), c["title"]);
        EXPECT_EQ(pageFileNameFromPath(c["path"]), c["page"]);
    } else {
        EXPECT_EQ(capitalizeWords(c["text"]), c["capitalized"]);
    }
}

INSTANTIATE_TEST_SUITE_P(Site, PageNames, ::testing::ValuesIn(quorvale::test::referenceCases("page-names.txt")),
                         quorvale::test::referenceName);

} // namespace
