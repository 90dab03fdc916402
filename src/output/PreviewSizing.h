#pragma once
// The preview's size rules: one calendar's pixel size from the size edits, the zoom and the
// screen's resolution; the paint box widened for imposition; the box centred in its scroll box.
#include <array>
#include <functional>
#include <string>

namespace orv {

struct PixelSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const PixelSize&) const = default;
};

struct PixelPoint {
    int Left = 0;
    int Top = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The zoom list's entries, largest first, and the one selected at start ("100%").
inline constexpr std::array<const char*, 20> kZoomItems = {
    "200%", "190%", "180%", "170%", "160%", "150%", "140%", "130%", "120%", "110%",
    "100%", "90%",  "80%",  "70%",  "60%",  "50%",  "40%",  "30%",  "20%",  "10%"};
inline constexpr int kDefaultZoomIndex = 10;

// The zoom of a list entry in percent: "150%" gives 150.
int ZoomOfItem(const std::string& item);

// The list entry one step in `direction` (+1 larger, -1 smaller) from the zoom that shows, which
// may be a fitted one between entries: the nearest entry beyond it; -1 when there is none.
int ZoomStepItem(int zoom, int direction);

// The largest zoom in percent, from 1 to `largest`, at which `boxAt` (the preview's size at a
// zoom) fits within `room`; 1 when none does.
int FittingZoom(const std::function<PixelSize(int zoom)>& boxAt, PixelSize room, int largest);

// One calendar's preview size (ApplyCalendarSize): whole part of PPI ÷ 25.4 × (size × zoom ÷ 100)
// per axis. The size texts are decimal numbers (fractions allowed); ConversionError otherwise.
PixelSize PreviewCalendarSize(const std::string& sizeXText, const std::string& sizeYText, int zoom,
                              int pixelsPerInch);

// What the imposition tab contributes to the preview's size.
struct PreviewImposition {
    bool Checked = false;      // chkMatrix
    int EntryCount = 0;        // entries in the window's imposition list
    std::string ColsText;      // txtMatrixCol
    std::string IntervalText;  // txtMatrixInterval, mm
};

// The paint box's size for one calendar of `calendar` pixels (SetPreviewSize): with imposition on
// and at least one entry, Cols calendars wide and as many rows as the calendars need, with the gap
// between them.
PixelSize PreviewBoxSize(PixelSize calendar, const PreviewImposition& imposition, int zoom,
                         int pixelsPerInch);

// The box's place in the scroll box: centred, rounded down, never negative.
PixelPoint CentredBoxPosition(PixelSize scrollBox, PixelSize box);

}  // namespace orv
