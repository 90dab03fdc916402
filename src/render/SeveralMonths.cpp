#include "render/SeveralMonths.h"

#include <algorithm>

#include "render/RenderPass.h"

namespace orv {

int MonthCellColumns(const TData& design) {
    return std::clamp(design.Columns, 1, kMostMonthCells);
}

int MonthCellRows(const TData& design) {
    return std::clamp(design.Rows, 1, kMostMonthCells);
}

bool DrawSeveralMonthCells(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX,
                           int DpiY, int Left, int Top, const TData& design) {
    const MonthAreaRect area = state.MonthArea;  // each cell pass writes its own
    const int columns = MonthCellColumns(design);
    const int rows = MonthCellRows(design);
    const int cellWidth = area.Width / columns;
    const int cellHeight = area.Height / rows;
    const int half = PictureMargin(design) / 2;

    TData cellDesign = design;
    cellDesign.Frame = 0;
    cellDesign.PictureFile.clear();
    cellDesign.MonthPicture = {};
    cellDesign.PictureSize = 0;
    cellDesign.PictureOffset = 0;
    cellDesign.PluralEnabled = 0;
    // A file may switch miniatures on as well; the several-months layout has none.
    cellDesign.PrevNextMonthEnabled = 0;

    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const CivilDate month = AddMonths(design.Year, design.Month, j * columns + i);
            cellDesign.Year = month.Year;
            cellDesign.Month = month.Month;
            if (!DrawCalendar(state, sink, canvas, DpiX, DpiY, 100, ckMonthCell,
                              Left + area.Left + i * cellWidth + half,
                              Top + area.Top + j * cellHeight + half, cellWidth - 2 * half,
                              cellHeight - 2 * half, cellDesign)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace orv
