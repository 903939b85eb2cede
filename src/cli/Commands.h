// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

// The entry points of the sub-commands, one file each.
namespace quorvale::cli {

int runCountWords(const QStringList& arguments, Context& context);
int runSpin(const QStringList& arguments, Context& context);
int runRewrite(const QStringList& arguments, Context& context);
int runImportThesaurus(const QStringList& arguments, Context& context);
int runCheckRules(const QStringList& arguments, Context& context);
int runBuild(const QStringList& arguments, Context& context);
int runDemo(const QStringList& arguments, Context& context);
int runProject(const QStringList& arguments, Context& context);

} // namespace quorvale::cli
