// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"
#include "cli/Command.h"

#include <QTextStream>

namespace quorvale::test {

/// Runs quorvale-cli in-process with the given arguments (without the program
/// name) and keeps what it printed.
struct CliRun
{
    int code = -1;
    QString out;
    QString err;

    static CliRun run(const QStringList& arguments, const QString& appFolder = QString())
    {
        CliRun result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        cli::Context context{out, err, QStringLiteral("quorvale-cli"), appFolder};
        result.code = cli::runCli(QStringList{QStringLiteral("quorvale-cli")} + arguments, context);
        out.flush();
        err.flush();
        return result;
    }
};

} // namespace quorvale::test
