#pragma once
// The working quantities of one drawing pass, shared by the files that draw its parts.
// Lengths are sheet millimetres (scaled by the zoom, from the sheet's top-left corner) held as
// 32-bit floats: designs made on Windows put their lines on the pixels this rounding gives, so
// every stored quantity is rounded to float, while a product that is truncated at once is formed
// exactly (in double) as the original's extended arithmetic did.
#include <algorithm>
#include <climits>
#include <cmath>

#include "model/Errors.h"
#include "render/DrawCalendar.h"

namespace orv {

struct Box {
    float L = 0;
    float T = 0;
    float W = 0;
    float H = 0;
};

struct RenderPass {
    RenderPass(RenderState& s, MessageSink& m, Canvas& c, const TData& d)
        : state(s), sink(m), canvas(c), design(d) {}

    RenderState& state;
    MessageSink& sink;
    Canvas& canvas;
    const TData& design;
    int dpiX = 0;
    int dpiY = 0;
    int percent = 100;
    TCalendarKind kind = ckSheet;
    int sheetLeft = 0;  // whole mm, not scaled
    int sheetTop = 0;
    int widthMm = 0;  // before scaling
    int heightMm = 0;

    float pxX = 0;  // device pixels per mm
    float pxY = 0;
    int OX = 0;  // device origin of the sheet
    int OY = 0;
    float W = 0;  // scaled sheet size, whole mm
    float H = 0;
    float off = 0;  // picture margin, whole mm

    Box picture;
    Box calendar;
    Box adjacent;
    bool hasAdjacentBox = false;
    float unit = 0;  // CH / 14
    float colW = 0;  // CW / 7
    float TY = 0;    // top of the title band
    float cw = 0;    // device pixels of one column
    float rh = 0;    // device pixels of one unit

    // Several months win over miniatures when a file asks for both, as the window shows it.
    bool severalMonths = false;
    bool miniatures = false;
    int daySize = 1;  // DaySize brought into 0..2
};

// Truncation toward zero, held inside int so that an absurd edited size cannot overflow.
inline int Trunc(double v) {
    if (!(v > INT_MIN)) return v != v ? 0 : INT_MIN;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(v);
}

inline float F(double v) {
    return static_cast<float>(v);
}

// The ruled lines' pen width: 1..999 as the window keeps LineWidth; an edited file's wider pen
// reads as 999, so that lines cannot swallow the sheet or run past the canvas's coordinates.
inline constexpr int kWidestLine = 999;
inline int LinePenWidth(const TData& design) {
    return std::clamp(design.LineWidth, 1, kWidestLine);
}

// The picture margin in whole mm as the window's three-character edit can hold it, -99..999.
inline int PictureMargin(const TData& design) {
    return std::clamp(design.PictureOffset, -99, 999);
}

// The first day of a month, which must be a date the calendar can show.
inline CivilDate FirstOfMonth(int year, int month) {
    if (!IsValidDate(year, month, 1)) {
        throw ConversionError(
            NotADateText(std::to_string(year) + "/" + std::to_string(month) + "/1"));
    }
    return {year, month, 1};
}

// A font's face, size and style as the design gives them for one band of text.
// The font resolution counted in dots across, for sizes taken from widths: on a printer whose
// dots are not square (600 × 300 dpi) a width holds more dots than a height of the same length.
inline double FontPpiAcross(const RenderPass& pass) {
    const double ppi = pass.canvas.FontPpi();
    return pass.dpiY > 0 && pass.dpiX > 0 ? ppi * pass.dpiX / pass.dpiY : ppi;
}

inline void SelectFont(Canvas& canvas, const std::string& face, int points, int32_t bold,
                       int32_t italic) {
    canvas.SetFontName(face);
    canvas.SetFontStyle(bold != 0, italic != 0);
    canvas.SetFontSize(points);
}

// Picture.Position as a side: 0 top, 1 left, 2 bottom, 3 right; anything else reads as top.
inline int PictureSide(const TData& design) {
    return design.PicturePosition >= 0 && design.PicturePosition <= 3 ? design.PicturePosition : 0;
}
inline bool PictureBeside(const TData& design) {
    const int side = PictureSide(design);
    return side == 1 || side == 3;
}

// Sunday and Saturday columns of the week layout: a Sunday start for WeekStyle 0..4, Monday for
// 5..9.
inline bool WeekStartsMonday(int weekStyle) {
    return weekStyle >= 5 && weekStyle <= 9;
}
inline int SundayColumn(int weekStyle) {
    return WeekStartsMonday(weekStyle) ? 6 : 0;
}
inline int SaturdayColumn(int weekStyle) {
    return WeekStartsMonday(weekStyle) ? 5 : 6;
}

// The parts of a pass, in the order DrawCalendar runs them.
// Picture box and calendar box; the unit of the title band.
void DivideSheet(RenderPass& pass);
// Cuts the miniatures' box out of the picture box or the calendar box.
void CutAdjacentMonthsBox(RenderPass& pass);
// The title band's top; may move the miniatures' box out of its way.
void PlaceTitleBand(RenderPass& pass);
// The illustration, fitted into the picture box.
void DrawIllustration(RenderPass& pass);
void DrawWeekdayHeader(RenderPass& pass);
void DrawTitle(RenderPass& pass);
// The days of the month with their cell texts.
void DrawMonthGrid(RenderPass& pass);
// The miniature months, each a pass of its own.
void DrawAdjacentMonths(RenderPass& pass);
void DrawCutFrame(RenderPass& pass);

}  // namespace orv
