#pragma once

#include <QRandomGenerator>
#include <QString>

namespace quorvale {

/// Replaces every spintax group "{a|b|c}" of @p text by one alternative chosen
/// with @p random. Groups nest ("{a|{b|c}}"); text outside groups is kept; a
/// brace without its partner stays as literal text, and so does a "|" outside
/// any group. Runs in time linear in the text without recursion, so any depth
/// of nesting is fine. Never throws.
QString spin(const QString& text, QRandomGenerator& random);

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
    /// Spin of @p text with this spinner's random source.
    QString spin(const QString& text);

private:
    QString m_text;
    QRandomGenerator m_random;
};

} // namespace quorvale
