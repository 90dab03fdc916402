#pragma once
#include "render/Canvas.h"

namespace orv {

// Moves each of the blue, green and red components from the smaller of A's and B's towards the
// larger by Fraction (truncated toward zero): BlendColor(black, white, 0.6) is 153,153,153.
// Colours are 0x00BBGGRR; a value with a high byte (a Windows system colour, which this platform
// does not have) keeps its low three bytes.
CanvasColor BlendColor(CanvasColor A, CanvasColor B, double Fraction);

}  // namespace orv
