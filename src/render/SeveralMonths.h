#pragma once
// The months of the several-months layout, drawn after the sheet pass into its month area.
#include "DrawCalendar.h"

namespace orv {

// Draws one ckMonthCell pass per cell of state.MonthArea, as the sheet pass of `design` left it:
// Columns x Rows cells (counts below 1 read as 1), row by row and left to right, the first showing
// design.Month and each next one the following month. Each cell is inset by half of
// design.PictureOffset (whole mm) on every side. Left and Top are the sheet pass's own.
// Returns true when every cell was drawn; a failing cell is reported like any pass and the others
// are still drawn.
bool DrawSeveralMonthCells(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX,
                           int DpiY, int Left, int Top, const TData& design);

}  // namespace orv
