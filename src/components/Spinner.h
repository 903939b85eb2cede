// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <vector>

namespace quorvale {

/// Where one outermost group of a spintax went in the spun text.
struct SpunGroup
{
    qsizetype inputStart;   ///< its "{" in the spintax
    qsizetype outputStart;  ///< where its wording starts in the result
    qsizetype outputLength; ///< the length of that wording
};

/// Replaces every spintax group "{a|b|c}" of @p text by one alternative chosen
/// with @p random. Groups nest ("{a|{b|c}}"); text outside groups is kept; a
/// brace without its partner stays as literal text, and so does a "|" outside
/// any group. Runs in time linear in the text without recursion, so any depth
/// of nesting is fine. When @p groups is given, each outermost group is
/// appended to it, left to right; the choices made are the same either way.
/// Never throws, except for lack of memory.
QString spin(const QString& text, QRandomGenerator& random, std::vector<SpunGroup>* groups = nullptr);

/// A spinner with its own text and random source, seeded for repeatable output.
class Spinner
{
public:
    /// A spinner seeded from the system's random source.
    Spinner();
    /// A spinner whose output depends only on @p seed and its texts.
    explicit Spinner(quint64 seed);

    void setText(const QString& text) { m_text = text; }
    const QString& text() const noexcept { return m_text; }

    /// Spin of the current text; the text itself is left unchanged.
    QString spin();
    /// Spin of @p text with this spinner's random source (see quorvale::spin).
    QString spin(const QString& text, std::vector<SpunGroup>* groups = nullptr);
    /// The random source, for choices made elsewhere in the same repeatable sequence.
    QRandomGenerator& random() noexcept { return m_random; }

private:
    QString m_text;
    QRandomGenerator m_random;
};

} // namespace quorvale
