// The small moon beside a day's number.
#include <algorithm>

#include "CellTexts.h"

namespace orv {

void DrawMoonSymbol(RenderPass& pass, const DayCell& cell) {
    const TData& design = pass.design;
    if (design.MoonPhase == 0) return;
    const int phase = pass.state.Almanac.MoonPhaseOn(cell.date);
    if (phase < 0) return;
    Canvas& canvas = pass.canvas;

    // Half the number's em: about the height of its digits' bowls.
    const int em = Trunc(static_cast<double>(cell.numberSize) * canvas.FontPpi() / 72.0);
    const int size = std::max(3, em / 2);
    const int gap = std::max(1, size / 4);
    const int tw = cell.number.Width;
    const int th = cell.number.Height;
    const int position =
        design.DayPosition >= 0 && design.DayPosition <= 4 ? design.DayPosition : 0;
    const bool right = position == 1 || position == 4;
    const bool bottom = position == 3 || position == 4;
    int x = 0;
    int y = 0;
    if (design.HolidayPosition == 0 && position != 2) {
        // The texts take the side of the number: the moon keeps to the number's column.
        x = cell.dayX + (tw - size) / 2;
        y = bottom ? cell.dayY - gap - size : cell.dayY + th + gap;
    } else {
        x = right ? cell.dayX - gap - size : cell.dayX + tw + gap;
        y = cell.dayY + (th - size) / 2;
    }
    const Rect box{x, y, x + size, y + size};
    const Rect& r = cell.rect;
    if (box.Left < r.Left || box.Top < r.Top || box.Right > r.Right || box.Bottom > r.Bottom)
        return;

    canvas.SetPenColor(design.MoonPhaseColor);
    canvas.SetPenWidth(std::max(1, size / 12));
    canvas.SetBrushColor(design.MoonPhaseColor);
    switch (phase) {
        case 0:  // new: a filled disc
            canvas.SetBrushStyle(BrushStyle::Solid);
            canvas.Chord(box, 0, 360);
            break;
        case 2:  // full: an open circle
            canvas.SetBrushStyle(BrushStyle::Clear);
            canvas.Chord(box, 0, 360);
            break;
        default:
            // Seen from Japan the first quarter is lit on the right, the last on the left.
            canvas.SetBrushStyle(BrushStyle::Clear);
            canvas.Chord(box, 0, 360);
            canvas.SetBrushStyle(BrushStyle::Solid);
            canvas.Chord(box, phase == 1 ? 270 : 90, 180);
            break;
    }
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetPenWidth(LinePenWidth(design));
}

}  // namespace orv
