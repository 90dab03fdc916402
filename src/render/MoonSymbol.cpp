// The small moon beside a day's number.
#include <algorithm>
#include <iterator>
#include <utility>

#include "CellTexts.h"

namespace orv {

void DrawMoonSymbol(RenderPass& pass, const DayCell& cell, const std::vector<Rect>& texts) {
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
    const int pad = Trunc(cell.pad);
    const Rect& r = cell.rect;
    const Rect number{cell.dayX, cell.dayY, cell.dayX + tw, cell.dayY + th};
    const int besideX = right ? cell.dayX - gap - size : cell.dayX + tw + gap;
    const int underX = cell.dayX + (tw - size) / 2;
    const int underY = bottom ? cell.dayY - gap - size : cell.dayY + th + gap;
    const int edgeY = bottom ? r.Top + pad : r.Bottom - pad - size;
    const std::pair<int, int> places[] = {
        {besideX, cell.dayY + (th - size) / 2}, {underX, underY}, {besideX, edgeY}};
    const auto free = [&](const Rect& box) {
        const auto overlaps = [&box](const Rect& o) {
            return box.Left < o.Right && o.Left < box.Right && box.Top < o.Bottom &&
                   o.Top < box.Bottom;
        };
        return box.Left >= r.Left && box.Top >= r.Top && box.Right <= r.Right &&
               box.Bottom <= r.Bottom && !overlaps(number) &&
               std::none_of(texts.begin(), texts.end(), overlaps);
    };
    const auto place = std::find_if(std::begin(places), std::end(places), [&](const auto& p) {
        return free({p.first, p.second, p.first + size, p.second + size});
    });
    if (place == std::end(places)) return;
    const Rect box{place->first, place->second, place->first + size, place->second + size};

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
            // Dark is filled, as at the new moon. Seen from Japan the first quarter is lit on the
            // right, the last on the left: ◐ and ◑.
            canvas.SetBrushStyle(BrushStyle::Clear);
            canvas.Chord(box, 0, 360);
            canvas.SetBrushStyle(BrushStyle::Solid);
            canvas.Chord(box, phase == 1 ? 90 : 270, 180);
            break;
    }
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetPenWidth(LinePenWidth(design));
}

}  // namespace orv
