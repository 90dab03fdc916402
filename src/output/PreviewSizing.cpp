#include "PreviewSizing.h"

#include <cmath>
#include <cstdlib>

#include "Errors.h"
#include "VB.h"

namespace orv {

namespace {

// A size edit read as a decimal number, as the platform converts it.
double DecimalOf(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        throw ConversionError("'" + text + "' is not a valid floating point value");
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) {
        throw ConversionError("'" + text + "' is not a valid floating point value");
    }
    return value;
}

int PixelsOf(double millimetres, int zoom, int pixelsPerInch) {
    return static_cast<int>(std::trunc(pixelsPerInch / 25.4 * (millimetres * (zoom / 100.0))));
}

}  // namespace

int ZoomOfItem(const std::string& item) {
    return ValInt(item);
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
    const int calendars = imposition.EntryCount + 1;
    const int rows = calendars / cols + (calendars % cols > 0 ? 1 : 0);
    // Calendars that overlap by more than their size still leave the first one whole.
    const int width = cols * calendar.Width + (cols - 1) * gapPx;
    const int height = rows * calendar.Height + (rows - 1) * gapPx;
    return {width < calendar.Width ? calendar.Width : width,
            height < calendar.Height ? calendar.Height : height};
}

PixelPoint CentredBoxPosition(PixelSize scrollBox, PixelSize box) {
    // Integer division truncates toward zero; a negative difference is 0 anyway.
    const int left = (scrollBox.Width - box.Width) / 2;
    const int top = (scrollBox.Height - box.Height) / 2;
    return {left < 0 ? 0 : left, top < 0 ? 0 : top};
}

}  // namespace orv
