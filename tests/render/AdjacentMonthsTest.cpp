// The miniature previous/next months: their box beside the picture or the dates, and which months
// they show.
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

// 102 x 144 mm, margin 2, picture on top with the title above it: picture box 2, 7, 98 x 68 mm,
// calendar box 2, 72, 98 x 70 mm (unit 5). Two miniatures at 40 %.
TData MiniatureDesign(int anchor, int side, int align) {
    TData d = PlainDesign(102, 144);
    d.PictureOffset = 2;
    d.PictureSize = 50;
    d.PrevNextMonthEnabled = 1;
    d.PrevNextMonthSize = 40;
    d.View = 0;
    d.Position1 = anchor;
    d.Position2 = side;
    d.PNMonthAlign = align;
    return d;
}

TEST_F(RenderTest, BoxForBothAnchorsFourSidesAndFourAlignments) {
    struct Case {
        int anchor, side, align;
        int x, y, w, h;  // the first miniature, whole mm
    };
    // clang-format off
    const Case cases[] = {
        // Beside the picture; right and bottom alignment add half the margin.
        {0, 0, 0, 2, 7, 39, 27},   {0, 0, 1, 10, 7, 39, 27},  {0, 0, 2, 20, 7, 39, 27},  {0, 0, 3, 2, 7, 49, 27},
        {0, 1, 0, 2, 48, 39, 27},  {0, 1, 1, 10, 48, 39, 27}, {0, 1, 2, 20, 48, 39, 27}, {0, 1, 3, 2, 48, 49, 27},
        {0, 2, 0, 2, 7, 39, 27},   {0, 2, 1, 2, 12, 39, 27},  {0, 2, 2, 2, 19, 39, 27},  {0, 2, 3, 2, 7, 39, 34},
        {0, 3, 0, 61, 7, 39, 27},  {0, 3, 1, 61, 12, 39, 27}, {0, 3, 2, 61, 19, 39, 27}, {0, 3, 3, 61, 7, 39, 34},
        // Beside the dates: a unit below the box's top (and half the margin more above it).
        {1, 0, 0, 2, 78, 39, 28},  {1, 0, 1, 10, 78, 39, 28},  {1, 0, 2, 19, 78, 39, 28},  {1, 0, 3, 2, 78, 49, 28},
        {1, 1, 0, 2, 116, 39, 28}, {1, 1, 1, 10, 116, 39, 28}, {1, 1, 2, 19, 116, 39, 28}, {1, 1, 3, 2, 116, 49, 28},
        {1, 2, 0, 2, 77, 39, 28},  {1, 2, 1, 2, 83, 39, 28},   {1, 2, 2, 2, 89, 39, 28},   {1, 2, 3, 2, 77, 39, 35},
        {1, 3, 0, 62, 77, 39, 28}, {1, 3, 1, 62, 83, 39, 28},  {1, 3, 2, 62, 89, 39, 28},  {1, 3, 3, 62, 77, 39, 35},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.anchor) + "/" + std::to_string(c.side) + "/" +
                     std::to_string(c.align));
        canvas.calls.clear();
        ASSERT_TRUE(Draw(MiniatureDesign(c.anchor, c.side, c.align)));
        EXPECT_EQ(DrawnWeekdayRow("12月"), WeekdayRowOf(c.x, c.y, c.w, c.h));
        // The second follows a margin after the first, across or down, but stays on the
        // 102 x 144 mm sheet.
        const bool row = c.side < 2;
        const int x = row ? c.x + 2 + c.w : c.x;
        const int y = row ? c.y : c.y + 2 + c.h;
        EXPECT_EQ(DrawnWeekdayRow("2月"),
                  WeekdayRowOf(x, y, std::min(c.w, 102 - x), std::min(c.h, 144 - y)));
    }
}

TEST_F(RenderTest, BoxMakesRoomForTheTitleAndFollowsTheSheet) {
    // Title between picture and dates: miniatures below the picture move down 1.2 units.
    TData d = MiniatureDesign(0, 1, 0);
    d.YearPosition = 1;
    ASSERT_TRUE(Draw(d, 100, 5, 7));
    // 2 + 68 - 27.2 + 1 + 6 = 49.8 mm, then the sheet's own place.
    EXPECT_EQ(DrawnWeekdayRow("12月"), WeekdayRowOf(2 + 5, 49 + 7, 39, 27));
    // The picture box gave up the miniatures' height.
    EXPECT_EQ(canvas.Of(Op::StretchPicture).size(), 0u);

    // Beside the dates with the title in the middle row: no extra half margin.
    d = MiniatureDesign(1, 0, 0);
    d.YearPosition = 1;
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(DrawnWeekdayRow("12月"), WeekdayRowOf(2, 77, 39, 28));
    // The calendar box starts half a unit and the miniatures' height lower, 102.5 mm, and is
    // 39.5 mm high: its weekday row one 2.82 mm unit further down.
    EXPECT_EQ(canvas.Of(Op::FillRect)[1].rect, (Rect{20, 1053, 161, 1082}));
}

TEST_F(RenderTest, ViewChoosesWhichMonthsInOrder) {
    TData d = MiniatureDesign(0, 0, 0);
    AddMemorial(d, "2015/12/25", "Xmas", 0x0000AA);
    ASSERT_TRUE(Draw(d));
    std::vector<std::string> titles;
    for (const std::string& text : canvas.Texts()) {
        if (text.size() > 3 && text.ends_with("月")) titles.push_back(text);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"2016年1月", "12月", "2月"}));
    // December of the year before, centred numbers without frames or cell texts.
    const int december = canvas.IndexOf(canvas.Text("12月"));
    const int february = canvas.IndexOf(canvas.Text("2月"));
    const int christmas = canvas.IndexOf(canvas.Text("25", 1));
    EXPECT_TRUE(december < christmas && christmas < february);
    EXPECT_EQ(canvas.calls[christmas].font.color, 0x0000AA);
    EXPECT_TRUE(canvas.Of(Op::Rectangle).empty());
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Xmas"), 0);

    const struct {
        int view, month;
        std::vector<std::string> titles;
    } views[] = {{1, 1, {"2月"}}, {2, 11, {"12月", "1月"}}, {0, 1, {"12月", "2月"}}};
    for (const auto& v : views) {
        d.View = v.view;
        d.Month = v.month;
        d.Week = 1;  // no weekday rows: each miniature's first text is its title
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        std::vector<std::string> shown;
        const std::vector<std::string> texts = canvas.Texts();
        for (size_t i = 8; i < texts.size(); ++i) {
            if (texts[i].ends_with("月")) shown.push_back(texts[i]);
        }
        EXPECT_EQ(shown, v.titles);
    }
}

}  // namespace
}  // namespace orv::test
