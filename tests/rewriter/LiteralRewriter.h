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
/// defined: for every rule line, every item of it and every suffix " ", ",",
/// ".", ":" in turn, lower-case the whole working text, look for
/// " " + item + suffix, and if it is there replace every occurrence left to
/// right; at the end every "%%" becomes one space. It shares no code with the
/// production engine beyond the component layer and count_words, and serves
/// as the reference the engine is compared with.
LiteralResult literalRewrite(const QString& article, const QStringList& rules,
                             const std::function<QString(const QString&)>& spin);

/// The items of a rule line, done the plain way (braces removed, split at "|").
QStringList literalRuleItems(const QString& line);

/// The rule line without the item, done the plain way.
QString literalAlternatives(const QString& line, const QString& item);

/// The replace loop written out: find, cut, append, count.
QString literalReplaceAndCount(QString text, const QString& find, QString replacement, qint64& count);

} // namespace quorvale::test
