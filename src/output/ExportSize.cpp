#include "output/ExportSize.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

PixelSize ExportPictureSize(int sizeXMm, int sizeYMm, int dpi, const TData& design) {
    const double sizeX = sizeXMm;
    const double sizeY = sizeYMm;
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

std::optional<std::string> ExportSizeRefusal(PixelSize size) {
    if (size.Width <= kMaxExportSide && size.Height <= kMaxExportSide) return std::nullopt;
    return "画像が大きすぎます（" + std::to_string(size.Width) + " x " +
           std::to_string(size.Height) + " ピクセル）。\r\n縦横とも " +
           std::to_string(kMaxExportSide) + " ピクセル以下になるよう、解像度を下げてください。";
}

std::optional<std::string> PageSizeRefusal(double widthMm, double heightMm) {
    if (widthMm <= kMaxPageSideMm && heightMm <= kMaxPageSideMm) return std::nullopt;
    return "出力が大きすぎます（" + std::to_string(std::lround(widthMm)) + " x " +
           std::to_string(std::lround(heightMm)) + " mm）。\r\n縦横とも " +
           std::to_string(std::lround(kMaxPageSideMm)) +
           " mm（200 インチ）以下になるよう、サイズや面付けの数を減らしてください。";
}

}  // namespace orv
