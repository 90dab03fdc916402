// The six-week grid: cells, day-number size and position, neighbouring-month days and colours.
#include "render/BlendColor.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

TEST_F(RenderTest, DaysLandInTheirWeekColumnsAndRows) {
    // 70 x 140 mm at 96 DPI: 37.795277 px a column and a unit, the first row at 75.59055 px.
    RecordingCanvas screen(96);
    TData d = PlainDesign(70, 140);
    d.PrevNextDays = 1;
    ASSERT_TRUE(DrawCalendar(state, sink, screen, 96, 96, 100, ckSheet, 0, 0, 70, 140, d));
    canvas = screen;
    // 27-31 December, January (1st a Friday, 31st a Sunday in the sixth row), 1-6 February.
    EXPECT_EQ(canvas.Texts().size(), 1u + 7 + 5 + 31 + 6);
    EXPECT_EQ(CellOf("27"), (Rect{0, 75, 38, 152}));
    EXPECT_EQ(CellOf("1"), (Rect{188, 75, 227, 152}));
    EXPECT_EQ(CellOf("2"), (Rect{226, 75, 265, 152}));
    EXPECT_EQ(CellOf("13"), (Rect{113, 226, 152, 303}));
    EXPECT_EQ(CellOf("31", 1), (Rect{0, 453, 38, 530}));
    EXPECT_EQ(CellOf("6", 1), (Rect{226, 453, 265, 530}));
    // 0.6 of a column, in points at 96 pixels to the inch.
    EXPECT_EQ(canvas.Text("13").font.points, 17);

    // February 2015 starts on a Sunday and ends on a Saturday: four rows, no neighbours.
    d = PlainDesign();
    d.PrevNextDays = 1;
    d.Year = 2015;
    d.Month = 2;
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Texts().size(), 1u + 7 + 28);
    EXPECT_EQ(CellOf("28"), (Rect{1200, 640, 1401, 801}));
    // A Monday start moves the 1st to the last column, after six January days.
    d.WeekStyle = 5;
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Texts().size(), 1u + 7 + 6 + 28 + 1);
    EXPECT_EQ(CellOf("1"), (Rect{1200, 160, 1401, 321}));
}

TEST_F(RenderTest, DayNumberSizeAndPlace) {
    struct Case {
        int daySize, position;
        int points, x, y;
    };
    // The 1st (a Friday) in the cell 1000, 160 - 1201, 321; "1" is half its size wide, "88" as
    // wide as the size. Sizes from 0.3, 0.6 and 0.9 of the two-unit row (160 px); at 96 points and
    // more the number is taller than the unit and is lifted by the overhang, but not out of its
    // cell.
    const Case cases[] = {
        {0, 0, 48, 1008, 168},  {0, 1, 48, 1168, 168},  {0, 2, 48, 1088, 200},
        {0, 3, 48, 1008, 263},  {0, 4, 48, 1168, 263},  {1, 0, 96, 1008, 160},
        {2, 0, 144, 1008, 160}, {7, 0, 96, 1008, 160},  {-1, 0, 96, 1008, 160},
        {1, 4, 96, 1144, 215 - 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.daySize) + " position " +
                     std::to_string(c.position));
        TData d = PlainDesign();
        d.DaySize = c.daySize;
        d.DayPosition = c.position;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        const Call& one = canvas.Text("1");
        EXPECT_EQ(one.font.points, c.points);
        EXPECT_EQ(one.x, c.x);
        EXPECT_EQ(one.y, c.y);
    }
    // Columns narrower than two units: 0.6 of the column (100 px) instead.
    TData narrow = PlainDesign(70, 140);
    canvas.calls.clear();
    ASSERT_TRUE(Draw(narrow));
    EXPECT_EQ(canvas.Text("1").font.points, 60);
    // 0.9 of it would run "88" into the next column: as large as leaves a pad on either side of
    // the 99 pixels the column has to itself.
    narrow.DaySize = 2;
    canvas.calls.clear();
    ASSERT_TRUE(Draw(narrow));
    EXPECT_EQ(canvas.Text("1").font.points, 99 - 2 * 10);
}

TEST_F(RenderTest, NeighbouringMonthDaysArePaleAndSmaller) {
    TData d = PlainDesign();
    d.PrevNextDays = 1;
    d.DaySize = 0;  // 48 points; neighbours 3 x (48 div 4) = 36, placed by their own extent
    d.WeekdayColor = 0x000000;
    d.DayPosition = 4;
    ASSERT_TRUE(Draw(d));
    const Call& monday = canvas.Text("28");  // 28 December 2015
    EXPECT_EQ(monday.font.color, 0x999999);
    EXPECT_EQ(monday.font.points, 36);
    // In the bottom right corner as the month's own: 36 px wide, 38 high.
    EXPECT_EQ(monday.x, 200 + 200 - 36 - 8);
    EXPECT_EQ(monday.y, 321 - 38 - 8);
    // The Sunday before keeps its holiday hue, paled: red 51 goes 60 % of the way to 255.
    EXPECT_EQ(canvas.Text("27").font.color, 0x9999AD);
    // Whichever argument is smaller moves toward the other: 51 + Int(122 x 0.6), 0 + Int(153 x
    // 0.6).
    EXPECT_EQ(BlendColor(0x9999AD, 0x000033, 0.6), 0x5B5B7C);
    // The month's own days keep their size.
    EXPECT_EQ(canvas.Text("28", 1).font.points, 48);
}

TEST_F(RenderTest, DayColoursFromWeekdayHolidayAndMemorial) {
    TData d = PlainDesign();
    d.DayWaku = 1;
    d.LineColor = 0x0A0B0C;
    d.LineWidth = 3;
    AddMemorial(d, "0000/01/01", "", -1, -1, 0x00FF00);  // hides New Year's holiday colour
    AddMemorial(d, "2016/01/05", "", 0x0000FF);
    AddMemorial(d, "0/1/5", "", 0x00FFFF, -1, 0x123456);  // second on the day: unused
    AddMemorial(d, "2015/01/06", "", 0x0000FF);           // another year
    AddMemorial(d, "0000/01/09", "");                     // a Saturday: its weekday colour
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Text("1").font.color, kWeekday);
    EXPECT_EQ(CellOf("1"), (Rect{1000, 160, 1201, 321}));
    EXPECT_EQ(canvas.Of(Op::FillRect)[8 + 0].brushColor, 0x00FF00);
    EXPECT_EQ(canvas.Text("2").font.color, kSaturday);
    EXPECT_EQ(canvas.Text("3").font.color, kHoliday);  // Sunday
    EXPECT_EQ(canvas.Text("4").font.color, kWeekday);
    EXPECT_EQ(canvas.Text("5").font.color, 0x0000FF);
    EXPECT_EQ(canvas.Of(Op::FillRect)[8 + 4].brushColor, 0xEEEEEE);
    EXPECT_EQ(canvas.Text("6").font.color, kWeekday);
    EXPECT_EQ(canvas.Text("9").font.color, kSaturday);
    EXPECT_EQ(canvas.Text("11").font.color, kHoliday);  // 成人の日, a Monday

    // Every cell framed inside its one-pixel overlap, in the line colour and width.
    const std::vector<Call> frames = canvas.Of(Op::Rectangle);
    ASSERT_EQ(frames.size(), 31u);
    EXPECT_EQ(frames[0].rect, (Rect{1000, 160, 1200, 320}));
    EXPECT_EQ(frames[0].penColor, 0x0A0B0C);
    EXPECT_EQ(frames[0].penWidth, 3);
    EXPECT_EQ(frames[0].brushStyle, BrushStyle::Clear);

    // Without a cell background the cells take the sheet's.
    d.DayBackColor = -1;
    d.CalenderBackColor = 0xABCDEF;
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Of(Op::FillRect)[8 + 1].brushColor, 0xABCDEF);
}

}  // namespace
}  // namespace orv::test
