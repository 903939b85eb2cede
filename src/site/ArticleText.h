// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
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
/// "<br><br>" followed by a line feed, then emphasize(). A break that ends an
/// empty line (or a line of blanks), and one with only line breaks after it,
/// is written "<br class="blank"><br class="blank">", so that a design can
/// space paragraphs alike whether they are separated by a blank line or not.
/// Nothing is escaped: see escapeStrayMarkup().
QString bodyHtmlOfText(const QString& text);

/// Where an article's text held "<" or "&" that is not markup.
struct StrayMarkup
{
    qsizetype count = 0; ///< how many were written as text
    int line = 0;        ///< the first one's line and column, from 1; 0 when there is none
    int column = 0;
    QString context; ///< the first one with a few characters around it, on its line
};

/// The text with every "<" that does not open a well-formed tag of an HTML
/// element (or a comment) on its line written as "&lt;", and every "&" that
/// starts no character reference written as "&amp;". Markup put in on purpose
/// (a link, bold, a line break) stays as it is. @p found, when given, tells
/// what was written as text. Never throws, except for lack of memory.
QString escapeStrayMarkup(const QString& text, StrayMarkup* found = nullptr);

/// What applying the rows of emphasisTable() in order gives, each to the
/// result of the ones before it (a later phrase holding an earlier one is
/// never found), worked out in one pass over the text.
QString emphasize(const QString& text);

} // namespace quorvale
