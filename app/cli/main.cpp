// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvale-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    quorvale::cli::Context context{out, err, QStringLiteral("quorvale-cli"), QCoreApplication::applicationDirPath()};
    const int code = quorvale::cli::runCli(QCoreApplication::arguments(), context);
    out.flush();
    err.flush();
    return code;
}
