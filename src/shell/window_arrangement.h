#pragma once

#include <QList>
#include <QRect>

class QMdiArea;

namespace quarrion {

// The arrangement codes stored in setting "arrange".
namespace Arrangement {
inline constexpr int Cascade = 0;
// Windows one above another, each as wide as the area.
inline constexpr int TileHorizontally = 1;
// Windows side by side, each as high as the area.
inline constexpr int TileVertically = 2;
}  // namespace Arrangement

// The places of `count` tiled windows in `area`: equal bands with the leftover pixels
// given to the first ones, so the bands cover the area exactly. Empty for Cascade, a
// count below 1 or an unknown code.
QList<QRect> TileRects(const QRect& area, int count, int arrangement);

// Arranges the visible, not minimised sub-windows of `area`; maximised ones are
// restored first. Unknown codes cascade.
void ArrangeSubWindows(QMdiArea& area, int arrangement);

}  // namespace quarrion
