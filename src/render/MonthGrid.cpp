// The six-week grid: which day goes into which cell, its fill, frame, number and colours.
#include <algorithm>
#include <cstdint>

#include "model/Holidays.h"
#include "render/BlendColor.h"
#include "render/CellTexts.h"
#include "render/RenderPass.h"

namespace orv {

namespace {

struct GridGeometry {
    float x0 = 0;  // top-left of the first week row, relative to the sheet origin
    float y0 = 0;
    float cw = 0;
    float rh = 0;
    int S = 0;  // the day font's size for the pass
    float pad = 0;
    float pad2 = 0;
    TextSize extent88;  // "88" at S
};

int DayColumn(const CivilDate& date, int weekStyle) {
    const int weekday = DayOfWeek(date);  // 0 = Sunday
    return WeekStartsMonday(weekStyle) ? (weekday + 6) % 7 : weekday;
}

void DrawDay(RenderPass& pass, const GridGeometry& g, const CivilDate& date, int col, int row,
             bool adjacentMonth) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int sundayColumn = SundayColumn(design.WeekStyle);
    const int saturdayColumn = SaturdayColumn(design.WeekStyle);

    // The first memorial in list order decides; its day colour hides the holiday colour.
    const TMemorial* memorial = design.Memorials.AppliesTo(date);
    CanvasColor color = design.WeekdayColor;
    if (memorial != nullptr) {
        if (memorial->DayColor != -1) {
            color = memorial->DayColor;
        } else {
            const int weekday = DayOfWeek(date);
            color = weekday == 0   ? design.HolidayColor
                    : weekday == 6 ? design.SaturdayColor
                                   : design.WeekdayColor;
        }
    }

    const float l = F(col * static_cast<double>(g.cw) + g.x0);
    const float t = F(row * static_cast<double>(g.rh) + g.y0);
    const float r = F((col + 1) * static_cast<double>(g.cw) + g.x0 + 1);
    const float b = F((row + 2) * static_cast<double>(g.rh) + g.y0 + 1);
    const Rect rect{Trunc(l) + pass.OX, Trunc(t) + pass.OY, Trunc(r) + pass.OX, Trunc(b) + pass.OY};

    CanvasColor back = design.DayBackColor != -1 ? design.DayBackColor : design.CalenderBackColor;
    if (memorial != nullptr && memorial->BackColor != -1) back = memorial->BackColor;
    canvas.SetBrushColor(back);
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.FillRect(rect);
    canvas.SetBrushStyle(BrushStyle::Clear);
    if (design.DayWaku != 0) {
        canvas.SetPenColor(design.LineColor);
        canvas.SetPenWidth(LinePenWidth(design));
        canvas.Rectangle({rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1});
    }

    SelectFont(canvas, design.DayFont, g.S, design.DayFontB, design.DayFontI);
    std::string number = std::to_string(date.Day);

    std::string holiday = pass.state.Holidays.Name(date, col != sundayColumn);
    if (memorial == nullptr) {
        if (col == sundayColumn || !holiday.empty()) {
            color = design.HolidayColor;
        } else if (col == saturdayColumn) {
            color = design.SaturdayColor;
        }
    }
    int s1 = g.S;
    if (adjacentMonth) {
        color = BlendColor(color, 0xFFFFFF, 0.6);
        s1 = 3 * (g.S / 4);
        canvas.SetFontSize(s1);
    }
    canvas.SetFontColor(color);

    // A neighbouring month's smaller number is placed by its own extent, as the month's own are.
    const TextSize extent = canvas.TextExtent(number);
    const double tw = extent.Width;
    const double th = extent.Height;
    const double pad = g.pad;
    float x = 0;
    float y = 0;
    switch (design.DayPosition) {
        case 1:
            x = F(l + g.cw - tw - pad);
            y = F(t + pad);
            break;
        case 2:
            x = F(l + (g.cw - tw) / 2);
            y = F(t + g.rh / 2.0);
            break;
        case 3:
            x = F(l + pad);
            y = F(b - th - pad);
            break;
        case 4:
            x = F(l + g.cw - tw - pad);
            y = F(b - th - pad);
            break;
        default:
            x = F(l + pad);
            y = F(t + pad);
            break;
    }
    const int dayX = Trunc(x);
    int dayY = Trunc(y);
    // A number taller than the unit is lifted by what it overhangs.
    if (s1 + 1 > g.rh) dayY -= s1 + 1 - Trunc(g.rh);

    DrawDayContents(pass, {date, rect, dayX + pass.OX, dayY + pass.OY, std::move(number), extent,
                           g.extent88, g.S, s1, g.pad, g.pad2, std::move(holiday), memorial});
}

// The largest day font size up to `size` at which "88" fits its cell with a pad on either side,
// so that numbers neither cross the grid nor run into their neighbours.
int NumberSizeFittingCells(RenderPass& pass, const GridGeometry& g, int size) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int frame = design.DayWaku != 0 ? LinePenWidth(design) + 1 : 0;
    const int64_t width = int64_t{Trunc(g.cw)} - 1 - frame - 2 * int64_t{Trunc(g.pad)};
    const int64_t height = int64_t{Trunc(2.0 * g.rh)} - 1 - frame;
    // A miniature's numbers stand in unframed columns: without a gap of about a quarter em
    // between them, 10 11 12 read as one number.
    const bool unframedColumns = pass.kind == ckAdjacentMonth && frame == 0;
    const auto fits = [&](int points) {
        canvas.SetFontSize(points);
        const TextSize extent = canvas.TextExtent("88");
        const int64_t gap =
            unframedColumns ? std::max<int64_t>(0, extent.Height / 5 - 2 * int64_t{Trunc(g.pad)})
                            : 0;
        return extent.Width + gap <= width && extent.Height <= height;
    };
    SelectFont(canvas, design.DayFont, size, design.DayFontB, design.DayFontI);
    if (size <= 1 || fits(size)) return size;
    int fitting = 1;
    int tooLarge = size;
    while (tooLarge - fitting > 1) {
        const int middle = fitting + (tooLarge - fitting) / 2;
        (fits(middle) ? fitting : tooLarge) = middle;
    }
    return fitting;
}

}  // namespace

void DrawMonthGrid(RenderPass& pass) {
    const TData& design = pass.design;
    GridGeometry g;
    g.x0 = F(static_cast<double>(pass.calendar.L) * pass.pxX);
    g.y0 = F((pass.calendar.T + 2.0 * pass.unit) * pass.pxY);
    g.cw = pass.cw;
    g.rh = pass.rh;
    static constexpr double kDaySizeFactor[] = {0.3, 0.6, 0.9};
    const double k = kDaySizeFactor[pass.daySize];
    const int ppi = pass.canvas.FontPpi();
    // The rows or the columns, whichever is tighter, decide the digits' size.
    g.S = 2.0 * pass.unit < pass.colW ? Trunc(2.0 * g.rh * k * 72 / ppi)
                                      : Trunc(k * g.cw * 72 / FontPpiAcross(pass));
    g.pad = F(std::min(g.rh, g.cw) / 10.0);
    static constexpr double kPad2Factor[] = {1.0, 0.5, 0.15};
    g.pad2 = F(g.pad * kPad2Factor[pass.daySize]);
    g.S = NumberSizeFittingCells(pass, g, g.S);
    SelectFont(pass.canvas, design.DayFont, g.S, design.DayFontB, design.DayFontI);
    g.extent88 = pass.canvas.TextExtent("88");
    pass.canvas.SetPenWidth(LinePenWidth(design));

    const CivilDate first = FirstOfMonth(design.Year, design.Month);
    const int firstColumn = DayColumn(first, design.WeekStyle);
    int col = 0;
    int row = 0;
    auto advance = [&] {
        if (++col > 6) {
            col = 0;
            row += 2;
        }
    };

    if (design.PrevNextDays != 0 && firstColumn != 0) {
        const CivilDate previous = AddMonths(design.Year, design.Month, -1);
        const int last = DaysInMonth(previous.Year, previous.Month);
        for (int day = last - firstColumn + 1; day <= last; ++day) {
            DrawDay(pass, g, {previous.Year, previous.Month, day}, col, row, true);
            advance();
        }
    }
    col = firstColumn;
    const int days = DaysInMonth(first.Year, first.Month);
    for (int day = 1; day <= days; ++day) {
        DrawDay(pass, g, {first.Year, first.Month, day}, col, row, false);
        advance();
    }
    if (design.PrevNextDays != 0) {
        const int lastColumn = DayColumn({first.Year, first.Month, days}, design.WeekStyle) + 1;
        const CivilDate next = AddMonths(design.Year, design.Month, 1);
        for (int day = 1; day <= 7 - lastColumn; ++day) {
            DrawDay(pass, g, {next.Year, next.Month, day}, col, row, true);
            advance();
        }
    }
}

}  // namespace orv
