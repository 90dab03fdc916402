#pragma once
// Designs and surroundings shared by the renderer's tests. Most tests draw at 254 DPI (ten device
// pixels to the millimetre) on a canvas whose font points are pixels, so that expected positions
// can be worked out from millimetres by hand.
#include <gtest/gtest.h>

#include <fstream>

#include "render/DrawCalendar.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}
inline void PrintTo(const MonthAreaRect& r, std::ostream* os) {
    *os << "{" << r.Left << ", " << r.Top << ", " << r.Width << ", " << r.Height << "}";
}
}  // namespace orv

namespace orv::test {

inline constexpr int kDpi = 254;
inline constexpr CanvasColor kWeekday = 0x111111;
inline constexpr CanvasColor kSaturday = 0x220000;
inline constexpr CanvasColor kHoliday = 0x000033;

// January 2016, one month, no picture, no margin, Sunday first, distinct colours.
inline TData PlainDesign(int sizeX = 140, int sizeY = 112) {
    TData d = NewDesign();
    d.Year = 2016;
    d.Month = 1;
    d.SizeX = sizeX;
    d.SizeY = sizeY;
    d.PictureOffset = 0;
    d.PictureSize = 0;
    d.PicturePosition = 0;
    d.YearPosition = 0;
    d.YearAlignment = 0;
    d.PrevNextMonthEnabled = 0;
    d.PluralEnabled = 0;
    d.PrevNextDays = 0;
    d.Holiday = 0;
    d.Week = 0;
    d.Frame = 0;
    d.DaySize = 1;
    d.DayPosition = 0;
    d.DayWaku = 0;
    d.WeekdayColor = kWeekday;
    d.SaturdayColor = kSaturday;
    d.HolidayColor = kHoliday;
    d.CalenderBackColor = 0xFFFFFF;
    d.DayBackColor = 0xEEEEEE;
    return d;
}

inline void AddMemorial(TData& d, const std::string& date, const std::string& name,
                        int32_t dayColor = -1, int32_t fontColor = -1, int32_t backColor = -1) {
    TMemorial& m = d.Memorials.Add();
    m.Date = date;
    m.Name = name;
    m.DayColor = dayColor;
    m.FontColor = fontColor;
    m.BackColor = backColor;
}

// Reads "width height" from the file: enough of a picture format for the renderer's cache and
// fitting, which only ask for a bitmap's size. Counts its decodes; "broken" files fail.
class SizeFileDecoder : public PictureDecoder {
  public:
    std::optional<Bitmap> Decode(const std::string& path) const override {
        ++decodes;
        std::ifstream in(path);
        Bitmap b;
        if (!(in >> b.Width >> b.Height)) return std::nullopt;
        b.Pixels.assign(static_cast<size_t>(b.Width) * b.Height, 0xFF808080u);
        return b;
    }
    mutable int decodes = 0;
};

// The weekday row a month pass without picture or margin draws in its box (x, y, w, h mm): from
// the box's left edge, one unit (h / 14) down, seven columns of w / 7, in single precision at ten
// pixels a millimetre.
inline Rect WeekdayRowOf(int x, int y, int w, int h) {
    const float column = static_cast<float>(w / 7.0f) * 10.0f;
    const int unit = static_cast<int>(static_cast<float>(h / 14.0f) * 10.0f);
    const int right = 10 * x + static_cast<int>(6 * column) + static_cast<int>(column) + 1;
    return {10 * x, 10 * y + unit, right, 10 * y + unit + unit + 1};
}

class RenderTest : public testing::Test {
  protected:
    // A sheet pass of `d` at (left, top) mm.
    bool Draw(const TData& d, int percent = 100, int left = 0, int top = 0) {
        return DrawCalendar(state, sink, canvas, kDpi, kDpi, percent, ckSheet, left, top, d.SizeX,
                            d.SizeY, d);
    }
    // The cell a day number was drawn in: the fill made just before it.
    Rect CellOf(const std::string& number, int n = 0) const {
        for (int i = canvas.IndexOf(canvas.Text(number, n)); i >= 0; --i) {
            if (canvas.calls[i].op == Op::FillRect) return canvas.calls[i].rect;
        }
        return {};
    }
    // The span of the weekday row drawn by the pass titled `title`: the seven fills before it.
    Rect DrawnWeekdayRow(const std::string& title, int n = 0) const {
        std::vector<Rect> fills;
        for (int i = canvas.IndexOf(canvas.Text(title, n)); i >= 0 && fills.size() < 7; --i) {
            if (canvas.calls[i].op == Op::FillRect) fills.push_back(canvas.calls[i].rect);
        }
        if (fills.size() < 7) return {};
        return {fills[6].Left, fills[6].Top, fills[0].Right, fills[0].Bottom};
    }
    std::string Picture(int width, int height) {
        return dir.Write("picture.bmp", std::to_string(width) + " " + std::to_string(height));
    }

    TempDir dir;
    SizeFileDecoder decoder;
    RenderState state = [this] {
        RenderState s;
        s.Decoder = &decoder;
        return s;
    }();
    RecordingSink sink;
    RecordingCanvas canvas;
};

}  // namespace orv::test
