// The year-month title in its five styles and three kinds of pass, and the weekday row.
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

TEST_F(RenderTest, WeekdayRowInTenStylesWithColumnColours) {
    const std::vector<std::vector<std::string>> captions = {
        {"日", "月", "火", "水", "木", "金", "土"},
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
        {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"},
        {"S", "M", "T", "W", "T", "F", "S"},
        {"月", "火", "水", "木", "金", "土", "日"},
        {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
        {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
        {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"},
        {"M", "T", "W", "T", "F", "S", "S"},
    };
    for (int style = 0; style < 10; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        TData d = PlainDesign();
        d.WeekStyle = style;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        const std::vector<Call> texts = canvas.Of(Op::TextOut);
        const CanvasColor sunday = kHoliday;
        const std::vector<CanvasColor> colours =
            style < 5
                ? std::vector{sunday, kWeekday, kWeekday, kWeekday, kWeekday, kWeekday, kSaturday}
                : std::vector{kWeekday, kWeekday, kWeekday, kWeekday, kWeekday, kSaturday, sunday};
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(texts[c].text, captions[style][c]);
            EXPECT_EQ(texts[c].font.color, colours[c]);
        }
    }
}

TEST_F(RenderTest, WeekdayCellsSizeFrameAndCentredCaption) {
    TData d = PlainDesign();
    d.WeekFont = "ＭＳ ゴシック";
    d.WeekFontB = 1;
    ASSERT_TRUE(Draw(d));
    // Unit 1 of the box (80 px from 80 px down), a column plus the shared pixel wide.
    const std::vector<Call> fills = canvas.Of(Op::FillRect);
    EXPECT_EQ(fills[1].rect, (Rect{0, 80, 201, 161}));
    EXPECT_EQ(fills[7].rect, (Rect{1200, 80, 1401, 161}));
    EXPECT_EQ(fills[7].brushColor, 0xFFFFFF);  // the sheet's background, not the cells'
    EXPECT_TRUE(canvas.Of(Op::Rectangle).empty());
    // 0.9 of the unit: 72 points; "日" 72 x 74 px centred, drawn one pixel right and down.
    const Call& sunday = canvas.Text("日");
    EXPECT_EQ(sunday.font.points, 72);
    EXPECT_TRUE(sunday.font.bold);
    EXPECT_EQ(sunday.font.face, "ＭＳ ゴシック");
    EXPECT_EQ(sunday.x, 100 - 36 + 1);
    EXPECT_EQ(sunday.y, 80 + 3 + 1);

    d.WeekFrame = 1;
    d.LineColor = 0x0000AA;
    d.LineWidth = 4;
    d.WeekSize = 1;
    for (const CanvasColor back : {0xEEEEEE, -1}) {
        d.DayBackColor = back;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        const Call frame = canvas.Of(Op::Rectangle)[0];
        EXPECT_EQ(frame.rect, (Rect{0, 80, 201, 161}));
        EXPECT_EQ(frame.penColor, 0x0000AA);
        EXPECT_EQ(frame.penWidth, 1);
        EXPECT_EQ(frame.brushStyle, BrushStyle::Solid);
        EXPECT_EQ(frame.brushColor, back == -1 ? 0xFFFFFF : back);
        EXPECT_EQ(canvas.Text("日").font.points, 54);
    }
}

TEST_F(RenderTest, TitleInFiveStylesForSheetSeveralMonthsAndSideMonths) {
    const std::string sheet[] = {"2016年1月", "January, 2016", "Jan, 2016", "平成28年1月",
                                 "2016年1月（平成28年）"};
    const std::string several[] = {"2016-2017年", "2016-2017", "2016-2017", "平成28-29年",
                                   "2016-2017年（平成28-29年）"};
    const std::string side[] = {"11月", "November", "Nov", "11月", "11月"};
    for (int style = 0; style < 5; ++style) {
        TData d = PlainDesign();
        d.YearStyle = style;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        EXPECT_EQ(canvas.Texts()[7], sheet[style]);

        d.Month = 11;
        d.PluralEnabled = 1;
        d.Columns = 2;
        d.Rows = 2;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        EXPECT_EQ(canvas.Texts(), std::vector<std::string>{several[style]});

        d.PluralEnabled = 0;
        for (const TCalendarKind kind : {ckAdjacentMonth, ckMonthCell}) {
            canvas.calls.clear();
            ASSERT_TRUE(
                DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, kind, 0, 0, 140, 112, d));
            EXPECT_EQ(canvas.Texts()[7], side[style]);
        }
    }
}

TEST_F(RenderTest, SeveralMonthsTitleShowsTheYearsItSpans) {
    struct Case {
        int year, month, columns, rows;
        int style;
        std::string title;
    };
    const Case cases[] = {
        {2016, 1, 3, 4, 0, "2016年"},
        {2016, 1, 4, 6, 0, "2016-2017年"},
        {2016, 12, 0, 0, 0, "2016年"},
        {2016, 12, -3, 2, 0, "2016-2017年"},
        {2019, 1, 4, 6, 4, "2019-2020年（平成31-32年）"},
    };
    for (const Case& c : cases) {
        TData d = PlainDesign();
        d.PluralEnabled = 1;
        d.Year = c.year;
        d.Month = c.month;
        d.Columns = c.columns;
        d.Rows = c.rows;
        d.YearStyle = c.style;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        EXPECT_EQ(canvas.Texts(), std::vector<std::string>{c.title});
    }
}

TEST_F(RenderTest, TitleSizeAndAlignmentWithinTheCalendarBox) {
    struct Case {
        int side, alignment, x;
    };
    // "2016年1月" at 80 points is 360 px wide in a box 1400 px wide from x = 0 (picture on top).
    // With the picture at the left the box is 28 mm wide from x = 112 mm, its columns narrower
    // than two units: the title is half a column high (20 points) and 90 px wide.
    const Case cases[] = {{0, 0, 0},        {0, 1, 520},  {0, 2, 1040},
                          {0, 4, 0},        {1, 0, 1120}, {1, 4, 1120 + (280 - 90) / 2},
                          {1, 5, 1400 - 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + "/" + std::to_string(c.alignment));
        TData d = PlainDesign();
        d.PicturePosition = c.side;
        d.PictureSize = c.side == 1 ? 80 : 0;
        d.YearAlignment = c.alignment;
        d.YearFontI = 1;
        d.StyleBackColor = 0x7F0000;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        const Call& title = canvas.Text("2016年1月");
        EXPECT_EQ(title.x, c.x);
        EXPECT_EQ(title.font.color, 0x7F0000);
        EXPECT_TRUE(title.font.italic);
        if (c.side == 0) {
            // One unit (80 px) high, centred in the band at the top: (80 - 82) div 2.
            EXPECT_EQ(title.font.points, 80);
            EXPECT_EQ(title.y, -1);
        }
    }
    // Columns narrower than two units: half a column (100 px) high.
    canvas.calls.clear();
    ASSERT_TRUE(Draw(PlainDesign(70, 140)));
    EXPECT_EQ(canvas.Text("2016年1月").font.points, 50);
    // A side month without its weekday row takes the row's band: twice the size.
    TData d = PlainDesign();
    d.Week = 1;
    canvas.calls.clear();
    ASSERT_TRUE(DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, ckMonthCell, 0, 0, 140, 112, d));
    EXPECT_EQ(canvas.Texts()[0], "1月");
    EXPECT_EQ(canvas.Of(Op::TextOut)[0].font.points, 160);
}

}  // namespace
}  // namespace orv::test
