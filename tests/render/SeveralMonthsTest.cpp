// The several-months layout: the sheet pass leaves the month area, and each cell gets a month.
#include "render/SeveralMonths.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

// 100 x 144 mm, margin 4, no picture band: the month area is 4, 10, 92 x 130 mm.
TData SeveralMonthsDesign(int columns, int rows) {
    TData d = PlainDesign(100, 144);
    d.PictureOffset = 4;
    d.PluralEnabled = 1;
    d.Columns = columns;
    d.Rows = rows;
    d.Year = 2016;
    d.Month = 11;
    return d;
}

TEST_F(RenderTest, SeveralMonthCellsFollowRowByRowIntoTheNextYear) {
    TData d = SeveralMonthsDesign(2, 2);
    AddMemorial(d, "2017/01/05", "", 0x0000AA);
    d.PrevNextMonthEnabled = 1;  // a file may carry both layouts; several months win
    d.Frame = 1;
    // The sheet pass draws background, title and cut frame, and leaves the month area.
    ASSERT_TRUE(Draw(d, 100, 3, 5));
    EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"2016-2017年"});
    EXPECT_EQ(canvas.Of(Op::FillRect).size(), 1u);
    EXPECT_EQ(state.MonthArea, (MonthAreaRect{4, 10, 92, 130}));
    canvas.calls.clear();
    ASSERT_TRUE(DrawSeveralMonthCells(state, sink, canvas, kDpi, kDpi, 3, 5, d));
    // Cells of 46 x 65 mm inset by 2 mm, at the sheet's own place (3, 5).
    EXPECT_EQ(DrawnWeekdayRow("11月"), WeekdayRowOf(3 + 4 + 2, 5 + 10 + 2, 42, 61));
    EXPECT_EQ(DrawnWeekdayRow("12月"), WeekdayRowOf(3 + 4 + 46 + 2, 5 + 10 + 2, 42, 61));
    EXPECT_EQ(DrawnWeekdayRow("1月"), WeekdayRowOf(3 + 4 + 2, 5 + 10 + 65 + 2, 42, 61));
    EXPECT_EQ(DrawnWeekdayRow("2月"), WeekdayRowOf(3 + 4 + 46 + 2, 5 + 10 + 65 + 2, 42, 61));
    // January of 2017.
    const int january = canvas.IndexOf(canvas.Text("1月"));
    int fifth = -1;
    for (int i = january; fifth < 0; ++i) {
        if (canvas.calls[i].op == Op::TextOut && canvas.calls[i].text == "5") fifth = i;
    }
    EXPECT_EQ(canvas.calls[fifth].font.color, 0x0000AA);
    EXPECT_TRUE(canvas.Of(Op::LineTo).empty());                    // no cut frames around the cells
    EXPECT_EQ(canvas.Texts().size(), 4u * 8 + 30 + 31 + 31 + 28);  // and no miniatures
}

TEST_F(RenderTest, SeveralMonthCountsBelowOneAndOddMarginsStillFit) {
    TData d = SeveralMonthsDesign(0, -2);
    d.PictureOffset = 5;  // half of it, 2 mm, around each cell
    ASSERT_TRUE(Draw(d));
    const MonthAreaRect area = state.MonthArea;
    ASSERT_TRUE(DrawSeveralMonthCells(state, sink, canvas, kDpi, kDpi, 0, 0, d));
    EXPECT_EQ(DrawnWeekdayRow("11月"),
              WeekdayRowOf(area.Left + 2, area.Top + 2, area.Width - 4, area.Height - 4));
    EXPECT_EQ(canvas.Texts().end()[-1], "30");  // one month only
}

}  // namespace
}  // namespace orv::test
