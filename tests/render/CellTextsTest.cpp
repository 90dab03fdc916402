// The texts under or beside a day number: which lines, in which order and colour, their size and
// their place.
#include "RenderFixture.h"

namespace orv::test {
namespace {

// 140 x 112 mm with small numbers: the 1st (元日, a Friday) in the cell 1000, 160 - 1201, 321;
// numbers of 48 points ("88" 48 x 50 px), padding 8 px, texts of 16 points (18 px high).
TData CellDesign() {
    TData d = PlainDesign();
    d.DaySize = 0;
    d.HolidaySize = 0;
    d.Holiday = 1;
    d.HolidayFont = "ＭＳ 明朝";
    return d;
}

TEST_F(RenderTest, CellLinesComeInOrderWithTheirColours) {
    TData d = CellDesign();
    d.Rokuyo = 1;
    d.RokuyoColor1 = 0x010101;
    d.RokuyoColor2 = 0x020202;
    d.Nijusisekki = 1;
    d.NijusisekkiColor = 0x030303;
    AddMemorial(d, "0000/01/01", "A¶B");
    for (const char* name : {"大安", "赤口"}) {
        TMemorial& m = state.RokuyoList.Add();
        m.Date = "2016/01/01";
        m.Name = name;
    }
    TMemorial& term = state.SolarTermList.Add();
    term.Date = "2016/1/1";
    term.Name = "小寒";
    ASSERT_TRUE(Draw(d));

    const std::vector<std::string> texts = canvas.Texts();
    const auto one = std::find(texts.begin(), texts.end(), "1");
    ASSERT_NE(one, texts.end());
    const std::vector<std::string> lines(one + 1, one + 7);
    EXPECT_EQ(lines, (std::vector<std::string>{"大安", "赤口", "小寒", "元日　　", "A", "B"}));
    const CanvasColor colours[] = {0x020202, 0x010101, 0x030303, kHoliday, kHoliday, kHoliday};
    for (int i = 0; i < 6; ++i) {
        const Call& line = canvas.calls[canvas.IndexOf(canvas.Text("1")) + 1 + i];
        EXPECT_EQ(line.font.color, colours[i]);
        EXPECT_EQ(line.font.face, "ＭＳ 明朝");
        // Right of a two-digit number, stacked downward from the top of the cell.
        EXPECT_EQ(line.x, 1000 + 48 + 2 * 8);
        EXPECT_EQ(line.y, 160 + 8 + 18 * i);
    }

    // Holiday names off: no name, yet the memorial line keeps the holiday colour on a holiday.
    d.Holiday = 0;
    d.Rokuyo = 0;
    d.Nijusisekki = 0;
    AddMemorial(d, "0000/01/04", "C");
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Texts().size(), 1u + 7 + 31 + 3);
    EXPECT_EQ(canvas.Text("A").font.color, kHoliday);
    EXPECT_EQ(canvas.Text("C").font.color, kWeekday);
}

TEST_F(RenderTest, CellLinesTakeTenPlacesAroundTheNumber) {
    struct Case {
        int holidayPosition, dayPosition;
        int x1, y1, x2, y2;  // "元日　　" (64 px wide) and "X" (8 px) under it or above it
    };
    const Case cases[] = {
        {0, 0, 1064, 168, 1064, 186}, {0, 1, 1073, 168, 1129, 186}, {0, 2, 1068, 258, 1096, 276},
        {0, 3, 1064, 295, 1064, 277}, {0, 4, 1073, 295, 1129, 277}, {1, 0, 1008, 226, 1008, 244},
        {1, 1, 1129, 226, 1185, 244}, {1, 2, 1068, 258, 1096, 276}, {1, 3, 1008, 239, 1008, 221},
        {1, 4, 1129, 239, 1185, 221},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.holidayPosition) + "/" + std::to_string(c.dayPosition));
        TData d = CellDesign();
        d.HolidayPosition = c.holidayPosition;
        d.DayPosition = c.dayPosition;
        AddMemorial(d, "2016/1/1", "X", -1, 0x445566);
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        const Call& name = canvas.Text("元日　　");
        const Call& memorial = canvas.Text("X");
        EXPECT_EQ(memorial.font.color, 0x445566);
        EXPECT_EQ(name.x, c.x1);
        EXPECT_EQ(name.y, c.y1);
        EXPECT_EQ(memorial.x, c.x2);
        EXPECT_EQ(memorial.y, c.y2);
    }
}

TEST_F(RenderTest, LongLinesShrinkPointByPointToFit) {
    struct Case {
        int holidayPosition, dayPosition, points;
    };
    // Ten full-width characters from 64 points down to the room: 201 - 48 - 16 = 137 px beside
    // the number, 201 - 16 = 185 under a centred one, 201 - 8 = 193 below one in a corner.
    const Case cases[] = {{0, 0, 13}, {0, 2, 18}, {1, 0, 19}};
    const std::string ten = "あいうえおかきくけこ";
    for (const Case& c : cases) {
        TData d = CellDesign();
        d.HolidaySize = 4;
        d.HolidayPosition = c.holidayPosition;
        d.DayPosition = c.dayPosition;
        AddMemorial(d, "2016/1/4", ten + "¶短");
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        EXPECT_EQ(canvas.Text(ten).font.points, c.points);
        EXPECT_EQ(canvas.Text("短").font.points, 64);  // each line fitted on its own
    }
    // A name that never fits is drawn at one point.
    TData d = CellDesign();
    std::string endless;
    for (int i = 0; i < 30; ++i) endless += ten;
    AddMemorial(d, "2016/1/4", endless);
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.Text(endless).font.points, 1);
}

TEST_F(RenderTest, NeighbouringDaysCarryTextsSizedFromTheirSmallerNumber) {
    TData d = CellDesign();
    d.PrevNextDays = 1;
    AddMemorial(d, "0000/12/31", "M");
    AddMemorial(d, "0000/01/15", "N");
    ASSERT_TRUE(Draw(d));
    // 3 x (48 div 4) = 36 points for the number, 36 / 1.5 x 0.5 for its text.
    EXPECT_EQ(canvas.Text("M").font.points, 12);
    EXPECT_EQ(canvas.Text("N").font.points, 16);
}

}  // namespace
}  // namespace orv::test
