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

struct Extent {
    int64_t Width;
    int64_t Height;
};

Extent ExportExtent(int sizeXMm, int sizeYMm, int dpi, const TData& design) {
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
    return {width, height};
}

}  // namespace

PixelSize ExportPictureSize(int sizeXMm, int sizeYMm, int dpi, const TData& design) {
    const Extent extent = ExportExtent(sizeXMm, sizeYMm, dpi, design);
    return {Clamped(extent.Width), Clamped(extent.Height)};
}

std::optional<std::string> ExportSizeRefusal(int sizeXMm, int sizeYMm, int dpi,
                                             const TData& design) {
    // Told in the pixels the sizes ask for, which an int may not hold.
    const Extent size = ExportExtent(sizeXMm, sizeYMm, dpi, design);
    if (size.Width <= kMaxExportSide && size.Height <= kMaxExportSide) return std::nullopt;
    return "画像が大きすぎます（" + std::to_string(size.Width) + " x " +
           std::to_string(size.Height) + " ピクセル）。\r\n縦横とも " +
           std::to_string(kMaxExportSide) + " ピクセル以下になるよう、解像度を下げてください。";
}

std::optional<std::string> PageSizeRefusal(double widthMm, double heightMm) {
    const auto mm = [](double value) { return std::to_string(std::llround(value)); };
    if (!(widthMm > 0) || !(heightMm > 0)) {
        return "用紙の大きさが正しくありません（" + mm(widthMm) + " x " + mm(heightMm) +
               " mm）。\r\n幅と高さを 1 mm 以上にしてください。";
    }
    if (widthMm <= kMaxPageSideMm && heightMm <= kMaxPageSideMm) return std::nullopt;
    return "出力が大きすぎます（" + mm(widthMm) + " x " + mm(heightMm) + " mm）。\r\n縦横とも " +
           mm(kMaxPageSideMm) +
           " mm（200 インチ）以下になるよう、サイズや面付けの数を減らしてください。";
}

}  // namespace orv
