#pragma once
// Where the number, the short lines and the moon of one day cell go: the one place that decides a
// cell's layout, for the sheet, the several-months cells and the miniatures alike.
//
// Where the lines fit as the grid has always placed them (inside the cell, clear of its frame,
// of the number and of each other, none shrunk below the legible least size), they keep exactly
// that place and size. Where they do not, the lines of the day are fitted together: one size for
// all of them, as large as fits, first one to a row (a long name wraps), then short lines side by
// side, then with the room beside the number (below or above a centred one) as well, and only then
// are lines left out, the least important first, with a mark that there is more. The moon then
// takes a free place near the number, smaller where it must, or none.
#include <optional>
#include <string>
#include <vector>

#include "render/Canvas.h"

namespace orv {

// What a line says. Lines are left out in the reverse of this order: the holiday is kept longest,
// the old-calendar date goes first.
enum class LineKind { Holiday, Memorial, SolarTerm, Zassetsu, Rokuyo, OldDate };

struct CellLine {
    std::string text;
    CanvasColor color = 0;
    LineKind kind = LineKind::Rokuyo;
};

struct CellLayoutInput {
    Rect cell;            // device pixels, one pixel wider and higher than the grid's pitch
    int frameWidth = 0;   // the pen of the cell's own frame; 0 when it has none
    int dayPosition = 0;  // 0 top left, 1 top right, 2 centre, 3 bottom left, 4 bottom right
    bool beside = false;  // lines beside the number (HolidayPosition 0) rather than below it
    int numberX = 0;      // where the grid puts the number
    int numberY = 0;
    TextSize number;       // the number's extent
    TextSize extent88;     // "88" at the month's own number size
    int numberPoints = 0;  // the number's size in points
    int pad = 0;
    int pad2 = 0;

    std::vector<CellLine> lines;  // in the order they are read
    std::string face;             // the lines' font
    bool bold = false;
    bool italic = false;
    int startPoints = 0;  // the lines' size as the design asks for it
    int leastPoints = 1;  // the least size that is still legible on paper
    CanvasColor markColor = 0;

    int moonSize = 0;       // pixels of the moon at its full size; 0 for no moon
    int leastMoonSize = 3;  // the smallest it may be drawn at
};

struct PlacedLine {
    std::string text;
    CanvasColor color = 0;
    int points = 0;
    Rect box;  // its top-left corner is where the text is drawn
};

struct CellLayout {
    Rect number;  // its top-left corner is where the number is drawn
    std::vector<PlacedLine> lines;
    std::optional<Rect> moon;
    bool shortened = false;  // lines were left out; the last placed line is the mark "…"
};

// The part of `cell` that belongs to it alone: less the pixel it shares with its neighbours and
// less its frame, where it has one.
Rect ContentBox(const Rect& cell, int frameWidth);

// Measures with `canvas` (its font is left changed; nothing is drawn).
CellLayout LayOutCell(Canvas& canvas, const CellLayoutInput& in);

}  // namespace orv
