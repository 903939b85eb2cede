// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QWidget>
#include <cmath>

namespace quorvale {

/// Pixels for @p twips (1/1440 inch) at @p dotsPerInch: 15 twips a pixel at 96 dpi.
inline int twipsToPixels(int twips, qreal dotsPerInch)
{
    return int(std::lround(twips * dotsPerInch / 1440.0));
}

/// A size in twips converted at the logical resolution of @p widget's screen.
inline QSize twipsToPixels(QSize twips, const QWidget& widget)
{
    return {twipsToPixels(twips.width(), widget.logicalDpiX()), twipsToPixels(twips.height(), widget.logicalDpiY())};
}

} // namespace quorvale
