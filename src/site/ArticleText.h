#pragma once

#include <QString>
#include <QStringView>
#include <array>

namespace quorvale {

/// One row of the emphasis table: a phrase and the markup that replaces it.
struct EmphasisRow
{
    QStringView phrase;
    QStringView replacement;
};

/// The 16 phrases an article body emphasises, in the order they are applied.
/// Phrases match exactly, letter case included, also inside longer words.
const std::array<EmphasisRow, 16>& emphasisTable();

/// Everything up to and including the first "." of the text; empty when there
/// is none. The raw text: nothing is trimmed, converted or emphasised.
QString summaryOfText(const QString& text);

/// The text with every line break (CR LF, a lone LF or a lone CR) turned into
/// "<br><br>" followed by a line feed, then emphasize(). Nothing is escaped: a
/// text may carry markup of its own.
QString bodyHtmlOfText(const QString& text);

/// What applying the rows of emphasisTable() in order gives, each to the
/// result of the ones before it (a later phrase holding an earlier one is
/// never found), worked out in one pass over the text.
QString emphasize(const QString& text);

} // namespace quorvale
