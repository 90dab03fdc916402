#pragma once
// The contents of a day cell: its number, the short texts (rokuyo, old-calendar date, solar term,
// seasonal day, holiday name and memorial lines) and the moon, laid out by LayOutCell.
#include <string>

#include "render/RenderPass.h"

namespace orv {

// What the grid knows of one drawn day when its contents are placed.
struct DayCell {
    CivilDate date;
    Rect rect;        // device pixels, one pixel wider and higher than the pitch
    int numberX = 0;  // where the grid puts the number
    int numberY = 0;
    std::string number;
    TextSize extent;     // the number at its size
    TextSize extent88;   // "88" in the day font at the month's own size
    int monthSize = 0;   // the day font's size for the month's own days
    int numberSize = 0;  // the day font's size for this day (smaller for adjacent months)
    float pad = 0;
    float pad2 = 0;
    std::string holiday;  // empty: no holiday
    const TMemorial* memorial = nullptr;
};

// Draws the number (in the day font and colour the canvas holds), then the day's lines and its
// moon where the pass carries them.
void DrawDayContents(RenderPass& pass, const DayCell& cell);
// The moon of `phase` (0 new .. 3 last quarter) filling `box`.
void DrawMoonSymbol(RenderPass& pass, const Rect& box, int phase);

}  // namespace orv
