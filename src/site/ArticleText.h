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
const std::array<EmphasisRow, 16>& EmphasisTable();

/// Reads the article file at @p path and returns its whole text, which also
/// stays in @p articleLoaderText. Throws Error when the file cannot be read;
/// @p articleLoaderText then keeps its previous text.
QString LoadArticleText(const QString& path, QString& articleLoaderText);

/// Everything up to and including the first "." of the text; empty when there
/// is none. The raw text: nothing is trimmed, converted or emphasised.
QString SummaryOfText(const QString& text);

/// The text with every line break (CR LF, a lone LF or a lone CR) turned into
/// "<br><br>" followed by a line feed, then Emphasize. Nothing is escaped: a
/// text may carry markup of its own.
QString BodyHtmlOfText(const QString& text);

/// SummaryOfText of the article file at @p path, read through the loader.
QString ArticleSummary(const QString& path, QString& articleLoaderText);

/// BodyHtmlOfText of the article file at @p path, read through the loader.
QString ArticleBodyHtml(const QString& path, QString& articleLoaderText);

/// Applies the rows of EmphasisTable in order, each to the result of the ones
/// before it: a later phrase holding an earlier one is never found.
QString Emphasize(QString text);

} // namespace quorvale
