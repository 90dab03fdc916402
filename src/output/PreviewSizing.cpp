#include "output/PreviewSizing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "model/Errors.h"
#include "model/VB.h"

namespace orv {

namespace {

// A size edit read as a decimal number, as the platform converts it.
double DecimalOf(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) throw ConversionError("「" + text + "」は数値ではありません。");
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) {
        throw ConversionError("「" + text + "」は数値ではありません。");
    }
    return value;
}

// Sizes from an edited file can reach past int; they stay at its end instead of wrapping.
int Clamped(double pixels) {
    return static_cast<int>(std::clamp(pixels, double{INT_MIN}, double{INT_MAX}));
}

int PixelsOf(double millimetres, int zoom, int pixelsPerInch) {
    return Clamped(std::trunc(pixelsPerInch / 25.4 * (millimetres * (zoom / 100.0))));
}

}  // namespace

int ZoomOfItem(const std::string& item) {
    return ValInt(item);
}

int ZoomStepItem(int zoom, int direction) {
    int found = -1;
    for (int i = 0; i < static_cast<int>(kZoomItems.size()); ++i) {
        const int item = ZoomOfItem(kZoomItems[i]);
        // Largest first: the last larger entry is the nearest, the first smaller one too.
        if (direction > 0 && item > zoom) found = i;
        if (direction < 0 && item < zoom) return i;
    }
    return found;
}

int FittingZoom(const std::function<PixelSize(int zoom)>& boxAt, PixelSize room, int largest) {
    const auto fits = [&](int zoom) {
        const PixelSize box = boxAt(zoom);
        return box.Width <= room.Width && box.Height <= room.Height;
    };
    // The size grows with the zoom: the last zoom that fits is found by halving.
    int low = 1;
    int high = largest;
    if (fits(high)) return high;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

PixelSize PreviewCalendarSize(const std::string& sizeXText, const std::string& sizeYText, int zoom,
                              int pixelsPerInch) {
    const double sizeX = DecimalOf(sizeXText);
    const double sizeY = DecimalOf(sizeYText);
    return {PixelsOf(sizeX, zoom, pixelsPerInch), PixelsOf(sizeY, zoom, pixelsPerInch)};
}

PixelSize PreviewBoxSize(PixelSize calendar, const PreviewImposition& imposition, int zoom,
                         int pixelsPerInch) {
    if (!imposition.Checked || imposition.EntryCount < 1) return calendar;
    int cols = 1;
    int gap = 0;
    try {
        cols = ValInt(imposition.ColsText);
        gap = ValInt(imposition.IntervalText);
    } catch (const ConversionError&) {
        // Digits beyond 32 bits: taken as the defaults rather than failing the paint.
    }
    if (cols < 1) cols = 1;
    const int gapPx = PixelsOf(gap, zoom, pixelsPerInch);
    const int64_t calendars = int64_t{imposition.EntryCount} + 1;
    const int64_t rows = calendars / cols + (calendars % cols > 0 ? 1 : 0);
    // Calendars that overlap by more than their size still leave the first one whole.
    const int width = Clamped(static_cast<double>(cols) * calendar.Width + (cols - 1.0) * gapPx);
    const int height = Clamped(static_cast<double>(rows) * calendar.Height + (rows - 1.0) * gapPx);
    return {width < calendar.Width ? calendar.Width : width,
            height < calendar.Height ? calendar.Height : height};
}

PixelPoint CentredBoxPosition(PixelSize scrollBox, PixelSize box) {
    // Integer division truncates toward zero; a negative difference is 0 anyway.
    const int64_t left = (int64_t{scrollBox.Width} - box.Width) / 2;
    const int64_t top = (int64_t{scrollBox.Height} - box.Height) / 2;
    return {static_cast<int>(std::max<int64_t>(left, 0)),
            static_cast<int>(std::max<int64_t>(top, 0))};
}

}  // namespace orv
