// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace quorvale::fuzz {

void failure(const char* what)
{
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace quorvale::fuzz
