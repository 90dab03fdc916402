// The year-month title and the row of weekday captions.
#include <algorithm>

#include "model/Eras.h"
#include "render/CalendarTexts.h"
#include "render/RenderPass.h"
#include "render/SeveralMonths.h"

namespace orv {

namespace {

std::string MonthText(const TData& design) {
    if (design.YearStyle == 1) return MonthNameEnglish(design.Month, 0);
    if (design.YearStyle == 2) return MonthNameEnglish(design.Month, 1);
    return std::to_string(design.Month) + "月";
}

// The sheet's title: year and month, or the year range of a several-months sheet.
std::string SheetTitle(const RenderPass& pass, const std::string& monthText) {
    const TData& design = pass.design;
    const CivilDate first = FirstOfMonth(design.Year, design.Month);
    std::string year = std::to_string(design.Year);
    std::string era = EraText(first);
    if (pass.severalMonths) {
        const int64_t cells = int64_t{MonthCellRows(design)} * MonthCellColumns(design);
        const int64_t last = design.Month + cells - 1;
        if (last > 12) {
            year += "-" + std::to_string(design.Year + (last - 1) / 12);
            era += "-" + std::to_string(EraYear(first) + (last - 1) / 12);
        }
        switch (design.YearStyle) {
            case 1:
            case 2:
                return year;
            case 3:
                return era + "年";
            case 4:
                return year + "年（" + era + "年）";
            default:
                return year + "年";
        }
    }
    switch (design.YearStyle) {
        case 1:
        case 2:
            return monthText + ", " + year;
        case 3:
            return era + "年" + monthText;
        case 4:
            return year + "年" + monthText + "（" + era + "年）";
        default:
            return year + "年" + monthText;
    }
}

}  // namespace

void DrawWeekdayHeader(RenderPass& pass) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int ppi = canvas.FontPpi();
    const float yH = F((static_cast<double>(pass.calendar.T) + pass.unit) * pass.pxY);
    const int base = Trunc(0.9 * pass.rh * 72 / ppi);
    int size = base;
    if (design.WeekSize == 0) size = Trunc(base * 0.5);
    if (design.WeekSize == 1) size = Trunc(base * 0.75);
    SelectFont(canvas, design.WeekFont, size, design.WeekFontB, design.WeekFontI);

    const int sundayColumn = SundayColumn(design.WeekStyle);
    const int saturdayColumn = SaturdayColumn(design.WeekStyle);
    const int rowHeight = Trunc(pass.rh);
    for (int c = 0; c < 7; ++c) {
        Rect cell;
        cell.Left = Trunc(c * static_cast<double>(pass.cw) +
                          static_cast<double>(pass.calendar.L) * pass.pxX) +
                    pass.OX;
        cell.Top = Trunc(yH) + pass.OY;
        cell.Right = cell.Left + Trunc(pass.cw) + 1;
        cell.Bottom = cell.Top + rowHeight + 1;
        canvas.SetBrushColor(design.CalenderBackColor);
        canvas.SetBrushStyle(BrushStyle::Solid);
        canvas.FillRect(cell);
        if (design.WeekFrame != 0) {
            canvas.SetPenColor(design.LineColor);
            canvas.SetPenWidth(1);
            canvas.SetBrushColor(design.DayBackColor != -1 ? design.DayBackColor
                                                           : design.CalenderBackColor);
            canvas.Rectangle(cell);
        }
        canvas.SetBrushStyle(BrushStyle::Clear);

        CanvasColor color = design.WeekdayColor;
        if (c == sundayColumn) color = design.HolidayColor;
        if (c == saturdayColumn) color = design.SaturdayColor;
        canvas.SetFontColor(color);
        const std::string caption = WeekdayCaption(c + 1, design.WeekStyle);
        const TextSize extent = canvas.TextExtent(caption);
        const int x = cell.Left + (cell.Right - cell.Left) / 2 - extent.Width / 2;
        const int y = cell.Top + (rowHeight - extent.Height) / 2;
        canvas.TextOut(x + 1, y + 1, caption);
    }
}

void DrawTitle(RenderPass& pass) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int ppi = canvas.FontPpi();
    // One unit high, or half a column when the columns are the tighter dimension.
    int size = 2.0 * pass.unit < pass.colW ? Trunc(static_cast<double>(pass.rh) * 72 / ppi)
                                           : Trunc(pass.cw / 2.0 * 72 / FontPpiAcross(pass));
    const std::string monthText = MonthText(design);
    std::string title;
    bool doubled = false;
    if (pass.kind == ckSheet) {
        title = SheetTitle(pass, monthText);
    } else {
        title = monthText;
        doubled = design.Week != 0;
        if (doubled) size *= 2;  // the band of the missing weekday row is the title's
    }
    SelectFont(canvas, design.YearFont, size, design.YearFontB, design.YearFontI);
    canvas.SetFontColor(design.StyleBackColor);
    const TextSize extent = canvas.TextExtent(title);

    int alignment = design.YearAlignment;
    if (PictureBeside(design) && alignment >= 3 && alignment <= 5) alignment -= 3;
    const double left = static_cast<double>(pass.calendar.L) * pass.pxX;
    float x = F(left);
    if (alignment == 1)
        x = F((static_cast<double>(pass.calendar.W) * pass.pxX - extent.Width) / 2 + left);
    if (alignment == 2) {
        x = F((static_cast<double>(pass.calendar.L) + pass.calendar.W) * pass.pxX - extent.Width);
    }
    // A doubled title right above that band is centred on both, so that it stays in its box.
    const double band =
        (doubled && pass.TY == pass.calendar.T ? 2.0 : 1.0) * static_cast<double>(pass.unit);
    const float y =
        F(static_cast<double>(pass.TY) * pass.pxY + (Trunc(band * pass.pxY) - extent.Height) / 2);
    canvas.TextOut(Trunc(pass.OX + static_cast<double>(x)), Trunc(pass.OY + static_cast<double>(y)),
                   title);
}

}  // namespace orv
