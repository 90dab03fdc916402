#include "ExportSize.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "VB.h"

namespace orv {

namespace {

int64_t Pixels(double millimetres, int dpi) {
    return static_cast<int64_t>(std::trunc(millimetres / 25.4 * dpi));
}

// Absurd sizes stay representable; the writers refuse them with their own reasons.
int Clamped(int64_t pixels) {
    return static_cast<int>(std::clamp<int64_t>(pixels, INT_MIN, INT_MAX));
}

}  // namespace

PixelSize ExportPictureSize(const std::string& sizeXText, const std::string& sizeYText, int dpi,
                            const TData& design) {
    const double sizeX = ValInt(sizeXText);
    const double sizeY = ValInt(sizeYText);
    int64_t width = Pixels(sizeX, dpi);
    int64_t height = Pixels(sizeY, dpi);
    if (design.Print != 0) {
        const int64_t cols = design.Cols < 1 ? 1 : design.Cols;
        const int64_t stepX = Pixels(sizeX + design.Interval, dpi);
        const int64_t stepY = Pixels(sizeY + design.Interval, dpi);
        const int64_t calendars = design.Matrixs.Count() + 1;
        const int64_t rows = (calendars + cols - 1) / cols;
        width += (cols - 1) * stepX;
        height += (rows - 1) * stepY;
    }
    return {Clamped(width), Clamped(height)};
}

}  // namespace orv
