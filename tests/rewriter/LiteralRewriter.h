// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace quorvale::test {

/// The outcome of one rewrite by the plain procedure.
struct LiteralResult
{
    QString spintax;
    qint64 replacementCount = 0;
    qint32 wordCount = 0;
    QString report;
};

/// The rewrite done the slow, obvious way, step by step as the rewriter is
/// defined: for every rule line (one pair of braces around items that are not
/// empty; other lines are skipped), every item of it and every suffix " ", ",",
/// ".", ":" in turn, lower-case the whole working text, look for
/// " " + item + suffix, and if it is there replace every occurrence left to
/// right (a capitalised one only at a sentence start, with capitalised
/// alternatives), marking the spaces it inserts; at the end every "%%" and
/// every mark becomes one space. It shares no code with the production engine
/// beyond the component layer and countWords, and serves as the reference the
/// engine is compared with.
LiteralResult literalRewrite(const QString& article, const QStringList& rules,
                             const std::function<QString(const QString&)>& spin);

/// The rule line without the item, done the plain way.
QString literalAlternatives(const QString& line, const QString& item);

} // namespace quorvale::test
