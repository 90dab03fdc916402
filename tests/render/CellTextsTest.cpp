// The texts under or beside a day number: which lines, in which order and colour, their size and
// their place; and the moon beside it.
#include "model/Codec.h"
#include "support/RenderFixture.h"

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

TEST_F(RenderTest, LongLinesShrinkPointByPointToFitUntilTheyWouldBeIllegible) {
    struct Case {
        int holidayPosition, dayPosition, points;
    };
    // Ten full-width characters from 64 points down to the room: 201 - 16 = 185 px under a
    // centred number, 201 - 8 = 193 below one in a corner; no smaller than 18 points, the 5 of
    // paper at 254 dpi.
    const Case cases[] = {{0, 2, 18}, {1, 0, 19}};
    const std::string ten = "あいうえおかきくけこ";
    for (const Case& c : cases) {
        TData d = CellDesign();
        d.HolidaySize = 4;
        d.HolidayPosition = c.holidayPosition;
        d.DayPosition = c.dayPosition;
        // Under the centred number there is room for the one line only.
        AddMemorial(d, "2016/1/4", c.dayPosition == 2 ? ten : ten + "¶短");
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        EXPECT_EQ(canvas.Text(ten).font.points, c.points);
        if (c.dayPosition != 2) {
            EXPECT_EQ(canvas.Text("短").font.points, 64);  // each line fitted on its own
        }
    }
    // Beside the number, 137 px would take it down to 13 points: the day's lines are set
    // together instead, the name broken between characters, at one legible size.
    TData d = CellDesign();
    d.HolidaySize = 4;
    AddMemorial(d, "2016/1/4", ten + "¶短");
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    const int four = canvas.IndexOf(canvas.Text("4"));
    std::string joined;
    int points = 0;
    for (size_t i = four + 1; i < canvas.calls.size() && canvas.calls[i].op == Op::TextOut &&
                              canvas.calls[i].font.face == "ＭＳ 明朝";
         ++i) {
        const Call& line = canvas.calls[i];
        joined += line.text;
        points = std::max(points, line.font.points);
        EXPECT_EQ(line.font.points, canvas.calls[four + 1].font.points);
        EXPECT_EQ(line.x, 200 + 48 + 2 * 8);
    }
    EXPECT_EQ(joined, ten + "短");
    EXPECT_GE(points, 18);
    // A name that never fits is left out, with a mark that there is more.
    d = CellDesign();
    std::string endless;
    for (int i = 0; i < 30; ++i) endless += ten;
    AddMemorial(d, "2016/1/4", endless);
    canvas.calls.clear();
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(canvas.calls[canvas.IndexOf(canvas.Text("4")) + 1].text, "…");
}

TEST_F(RenderTest, NeighbouringDaysCarryTheMonthsOwnTextSize) {
    TData d = CellDesign();
    d.PrevNextDays = 1;
    AddMemorial(d, "0000/12/31", "M");
    AddMemorial(d, "0000/01/15", "N");
    ASSERT_TRUE(Draw(d));
    // Beside a number of 3 x (48 div 4) = 36 points, the 48 / 1.5 x 0.5 of the month's days.
    EXPECT_EQ(canvas.Text("31").font.points, 36);
    EXPECT_EQ(canvas.Text("M").font.points, 16);
    EXPECT_EQ(canvas.Text("N").font.points, 16);
}

// The cell design with the old-calendar date, the seasonal days and the moon on.
TData AlmanacDesign() {
    TData d = CellDesign();
    d.OldDate = 1;
    d.OldDateColor = 0x040404;
    d.Zassetsu = 1;
    d.ZassetsuColor = 0x050505;
    d.MoonPhase = 1;
    d.MoonPhaseColor = 0x060606;
    return d;
}

void ReadAlmanac(RenderState& state, const std::string& utf8Sections) {
    state.Almanac.Read(Utf8ToCp932(utf8Sections));
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TEST_F(RenderTest, AlmanacLinesTakeTheirPlaceAmongTheCellLines) {
    TData d = AlmanacDesign();
    d.Rokuyo = 1;
    d.Nijusisekki = 1;
    d.PrevNextMonthEnabled = 1;  // miniatures of December and February
    AddMemorial(d, "0000/01/01", "A");
    TMemorial& rokuyo = state.RokuyoList.Add();
    rokuyo.Date = "2016/01/01";
    rokuyo.Name = "先勝";
    TMemorial& term = state.SolarTermList.Add();
    term.Date = "2016/1/1";
    term.Name = "小寒";
    ReadAlmanac(state,
                "[旧暦日付]\r\n2015/12/01=10/20\r\n2015/12/11=11/1\r\n2016/01/10=12/1\r\n"
                "2016/02/08=1/1\r\n2016/03/01=\r\n"
                "[雑節]\r\n2016/01/01=土用入り\r\n2016/01/01=節分\r\n2016/02/03=節分\r\n"
                "[月の満ち欠け]\r\n2015/12/25=満月\r\n2016/01/02=下弦\r\n2016/02/08=新月\r\n");
    ASSERT_TRUE(Draw(d));

    const std::vector<std::string> texts = canvas.Texts();
    const auto one = std::find(texts.begin(), texts.end(), "1");
    ASSERT_NE(one, texts.end());
    EXPECT_EQ(
        std::vector<std::string>(one + 1, one + 8),
        (std::vector<std::string>{"先勝", "旧11/22", "小寒", "土用入り", "節分", "元日　　", "A"}));
    const CanvasColor colours[] = {0, 0x040404, 0, 0x050505, 0x050505, kHoliday, kHoliday};
    for (int i = 0; i < 7; ++i) {
        const Call& line = canvas.calls[canvas.IndexOf(canvas.Text("1")) + 1 + i];
        EXPECT_EQ(line.font.color, colours[i]);
        EXPECT_EQ(line.y, 160 + 8 + 18 * i);  // stacked as the other lines
    }
    // The month's days carry them; the miniatures none.
    const auto oldDates = std::count_if(texts.begin(), texts.end(),
                                        [](const std::string& t) { return t.starts_with("旧"); });
    EXPECT_EQ(oldDates, 31);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "節分"), 1);
    EXPECT_EQ(canvas.Of(Op::Chord).size(), 2u);  // the last quarter: outline and lit half
}

TEST_F(RenderTest, TheMoonSitsBesideTheNumberClearOfEveryTextInAllFivePositions) {
    struct Shape {
        const char* name;
        std::vector<std::pair<int, BrushStyle>> chords;  // start angle and brush of each
    };
    const Shape shapes[] = {
        {"新月", {{0, BrushStyle::Solid}}},
        {"上弦", {{0, BrushStyle::Clear}, {90, BrushStyle::Solid}}},
        {"満月", {{0, BrushStyle::Clear}}},
        {"下弦", {{0, BrushStyle::Clear}, {270, BrushStyle::Solid}}},
    };
    TMemorial& rokuyo = state.RokuyoList.Add();
    rokuyo.Date = "2016/01/01";
    rokuyo.Name = "先勝";
    state.RokuyoList.BuildDateIndex();
    for (int holidayPosition : {0, 1}) {
        for (int position = 0; position < 5; ++position) {
            const Shape& shape = shapes[position % 4];
            SCOPED_TRACE(std::to_string(holidayPosition) + "/" + std::to_string(position) + " " +
                         shape.name);
            TData d = AlmanacDesign();
            d.HolidayPosition = holidayPosition;
            d.DayPosition = position;
            d.Rokuyo = 1;
            AddMemorial(d, "2016/1/1", "記念日");
            ReadAlmanac(state,
                        "[旧暦日付]\r\n2016/01/01=11/22\r\n[雑節]\r\n2016/01/01=土用入り\r\n"
                        "[月の満ち欠け]\r\n2016/01/01=" +
                            std::string(shape.name) + "\r\n");
            canvas.calls.clear();
            ASSERT_TRUE(Draw(d));

            const std::vector<Call> chords = canvas.Of(Op::Chord);
            ASSERT_EQ(chords.size(), shape.chords.size());
            for (size_t i = 0; i < chords.size(); ++i) {
                EXPECT_EQ(chords[i].x, shape.chords[i].first);
                EXPECT_EQ(chords[i].y, i == 0 ? 360 : 180);
                EXPECT_EQ(chords[i].brushStyle, shape.chords[i].second);
                EXPECT_EQ(chords[i].penColor, 0x060606);
                EXPECT_EQ(chords[i].rect, chords[0].rect);
            }
            // Half the number's 48 pixels, inside the cell, a quarter of its size from the number.
            const Rect moon = chords[0].rect;
            EXPECT_EQ(moon.Right - moon.Left, 24);
            EXPECT_EQ(moon.Bottom - moon.Top, 24);
            const Rect cell = CellOf("1");
            EXPECT_TRUE(moon.Left >= cell.Left && moon.Right <= cell.Right &&
                        moon.Top >= cell.Top && moon.Bottom <= cell.Bottom);
            const Call& number = canvas.Text("1");
            const Rect digits{number.x, number.y, number.x + 24, number.y + 50};
            EXPECT_FALSE(Overlap(moon, digits));
            const int gapX = std::max(moon.Left - digits.Right, digits.Left - moon.Right);
            const int gapY = std::max(moon.Top - digits.Bottom, digits.Top - moon.Bottom);
            EXPECT_EQ(std::max(gapX, gapY), 6);
            // Clear of every line of the cell.
            for (int i = canvas.IndexOf(number) + 1; canvas.calls[i].op != Op::Chord; ++i) {
                const Call& line = canvas.calls[i];
                if (line.op != Op::TextOut) continue;
                RecordingCanvas measure;
                measure.SetFontSize(line.font.points);
                const TextSize size = measure.TextExtent(line.text);
                EXPECT_FALSE(
                    Overlap(moon, {line.x, line.y, line.x + size.Width, line.y + size.Height}))
                    << line.text;
            }
        }
    }
}

}  // namespace
}  // namespace orv::test
