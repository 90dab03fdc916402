#pragma once
// The short texts inside a day cell (rokuyo, old-calendar date, solar term, seasonal day, holiday
// name and memorial lines) and the moon beside the number.
#include <string>
#include <vector>

#include "RenderPass.h"

namespace orv {

// What the grid knows of one drawn day when its texts are placed.
struct DayCell {
    CivilDate date;
    Rect rect;     // device pixels, one pixel wider and higher than the pitch
    int dayX = 0;  // where the number was drawn
    int dayY = 0;
    TextSize extent88;   // "88" in the day font at the unreduced size
    int numberSize = 0;  // the day font's size for this day (smaller for adjacent months)
    float pad = 0;
    float pad2 = 0;
    std::string holiday;  // empty: no holiday
    const TMemorial* memorial = nullptr;
    TextSize number;  // the number as drawn
};

// Gives the boxes of the lines it drew.
std::vector<Rect> DrawCellTexts(RenderPass& pass, const DayCell& cell);
// The phase of the Moon on the day, when the design shows it: beside the number where the texts
// leave room, else under it (over it at the bottom), else beside it at the cell's far edge; left
// out where none of these is free.
void DrawMoonSymbol(RenderPass& pass, const DayCell& cell, const std::vector<Rect>& texts);

}  // namespace orv
