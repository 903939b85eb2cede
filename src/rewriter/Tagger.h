// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

namespace quorvale {

/// One token of a text: a word (contractions and hyphenated words whole), a
/// number or a punctuation mark.
struct Token
{
    qsizetype start = 0;  ///< where it stands in the text
    qsizetype length = 0; ///< in UTF-16 units
    /// As the tagger reads it: the token itself, except that an opening
    /// double quote is "``", a closing one "''" and a dash "--". Views the
    /// text given to tokenize() or a constant.
    QStringView text;
};

/// The tokens of @p text, left to right: it is split at white space, and
/// quotes, brackets and the punctuation ",;:!?." are split off a word (the
/// full stop of an abbreviation such as "Mr.", "U.S." or "J." stays).
std::vector<Token> tokenize(QStringView text);

/// True for a token that ends a sentence: ".", "!" or "?".
bool endsSentence(const Token& token) noexcept;

/// A part-of-speech tagger: an averaged perceptron that tags the words of a
/// sentence left to right with the tags of the Brown Corpus ("nn", "vbd",
/// "jj" ...), trained by scripts/make-tagger.sh. Immutable once loaded; safe
/// to use on several threads at once.
class Tagger
{
public:
    /// Reads the model file at @p path. Throws Error naming the file when it
    /// cannot be read or holds no model.
    explicit Tagger(const QString& path);
    ~Tagger();
    Tagger(Tagger&&) noexcept;
    Tagger& operator=(Tagger&&) noexcept;

    /// The tags the model knows, in the order tag() numbers them.
    const QStringList& tagNames() const noexcept;

    /// The tags of the tokens of one sentence, as indexes into tagNames(). A
    /// typographic apostrophe counts as "'"; letter case matters only for
    /// the word's shape.
    std::vector<quint8> tag(std::span<const Token> sentence) const;

private:
    struct Data;
    std::unique_ptr<Data> m_data;
};

} // namespace quorvale
