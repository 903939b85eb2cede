// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace quorvale {

/// One piece of a spintax text: plain text, or an outermost group "{...}".
/// Braces pair as spin() pairs them: each "}" closes the nearest open "{",
/// and a brace without a partner is plain text.
struct SpintaxPiece
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool group = false;
};

/// @p spintax cut into plain text and outermost groups, left to right, with
/// no empty plain pieces. Time and memory grow with the text and its groups.
std::vector<SpintaxPiece> spintaxPieces(QStringView spintax);

/// The most wordings groupWordings() lists for one group.
inline constexpr qsizetype MaxGroupWordings = 1000;

/// The distinct wordings one group allows, in the order its alternatives
/// stand: "{a|b|a}" gives a and b, "{x {b|c}|d}" gives "x b", "x c" and d. A
/// text that is not one paired group is its own only wording. Stops after
/// MaxGroupWordings wordings (only groups nested many levels deep hold more).
QStringList groupWordings(QStringView group);

/// log10 of the number of wordings @p spintax allows: the product, over its
/// outermost groups, of the number of distinct wordings of each.
double log10Wordings(QStringView spintax);

/// Up to @p count different wordings of @p spintax, each group worded by a
/// choice of @p random. Fewer come back only when no more exist: with few
/// possible wordings all are tried, in an order @p random shuffles; with many,
/// chance repeats are drawn again. Text that is not in a group (wordings a
/// person fixed, say) stands in every wording. Never throws, except for lack
/// of memory.
QStringList distinctWordings(const QString& spintax, int count, QRandomGenerator& random);

} // namespace quorvale
