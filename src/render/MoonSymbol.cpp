// The small moon beside a day's number.
#include <algorithm>
#include <cstdint>
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
    // In 64 bits: an edited file's enormous number must not wrap the places around.
    struct Box {
        int64_t left, top, right, bottom;
        bool Overlaps(const Rect& o) const {
            return left < o.Right && o.Left < right && top < o.Bottom && o.Top < bottom;
        }
    };
    const Rect& r = cell.rect;
    const int64_t x = cell.dayX;
    const int64_t y = cell.dayY;
    const Rect number{cell.dayX, cell.dayY, Trunc(static_cast<double>(x) + tw),
                      Trunc(static_cast<double>(y) + th)};
    const int64_t besideX = right ? x - gap - size : x + tw + gap;
    const int64_t underY = bottom ? y - gap - size : y + th + gap;
    const int64_t edgeY = bottom ? int64_t{r.Top} + pad : int64_t{r.Bottom} - pad - size;
    const std::pair<int64_t, int64_t> places[] = {
        {besideX, y + (th - size) / 2}, {x + (tw - size) / 2, underY}, {besideX, edgeY}};
    const auto free = [&](const std::pair<int64_t, int64_t>& p) {
        const Box box{p.first, p.second, p.first + size, p.second + size};
        return box.left >= r.Left && box.top >= r.Top && box.right <= r.Right &&
               box.bottom <= r.Bottom && !box.Overlaps(number) &&
               std::none_of(texts.begin(), texts.end(),
                            [&box](const Rect& text) { return box.Overlaps(text); });
    };
    const auto place = std::find_if(std::begin(places), std::end(places), free);
    if (place == std::end(places)) return;
    // Inside the cell, so within int.
    const int left = static_cast<int>(place->first);
    const int top = static_cast<int>(place->second);
    const Rect box{left, top, left + size, top + size};

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
