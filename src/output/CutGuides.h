#pragma once
// The preview's guides for a sheet that is cut: the trim line at each calendar's edge and the
// safe line kCutSafeMm inside it, within which texts survive a cut that is a little off.
#include <QPainter>

#include "output/Placement.h"

namespace orv {

inline constexpr double kCutSafeMm = 3.0;

// Draws the guides of every calendar of `layout` (placed for a surface of `ppi` dots per inch) on
// `painter`, over what is drawn.
void DrawCutGuides(QPainter& painter, const PlacedLayout& layout, int ppi);

}  // namespace orv
