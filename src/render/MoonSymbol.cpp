// The small moon of a day cell.
#include <algorithm>

#include "render/CellTexts.h"

namespace orv {

void DrawMoonSymbol(RenderPass& pass, const Rect& box, int phase) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int size = box.Right - box.Left;
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
