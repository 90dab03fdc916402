#pragma once
// The months of the several-months layout, drawn after the sheet pass into its month area.
#include "render/DrawCalendar.h"

namespace orv {

// The window keeps both counts in 1..99; a count outside that from an edited file reads as the
// nearest of the two, so that a file cannot ask for billions of months.
inline constexpr int kMostMonthCells = 99;
int MonthCellColumns(const TData& design);
int MonthCellRows(const TData& design);

// Draws one ckMonthCell pass per cell of state.MonthArea, as the sheet pass of `design` left it:
// MonthCellColumns x MonthCellRows cells, row by row and left to right, the first showing
// design.Month and each next one the following month. Each cell is inset by half of
// design.PictureOffset (whole mm) on every side. Left and Top are the sheet pass's own.
// Returns true when every cell was drawn. The first failing cell is reported like any pass and
// ends the layout: the months after it would fail the same way (past the last year, or on a
// canvas that has failed), and one message says it.
bool DrawSeveralMonthCells(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX,
                           int DpiY, int Left, int Top, const TData& design);

}  // namespace orv
