// The output driver on a recording canvas: every calendar of an imposition layout is the
// renderer's own pass at its place in the grid, with its month, look and picture.
#include "output/OutputDriver.h"

#include <gtest/gtest.h>

#include "render/SeveralMonths.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

// The first call where two recordings part, or -1 when they are the same.
int FirstDifference(const std::vector<Call>& a, const std::vector<Call>& b) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const Call &x = a[i], &y = b[i];
        if (x.op != y.op || !(x.rect == y.rect) || x.x != y.x || x.y != y.y || x.text != y.text ||
            x.font.face != y.font.face || x.font.points != y.font.points ||
            x.font.color != y.font.color || x.brushColor != y.brushColor) {
            return static_cast<int>(i);
        }
    }
    return a.size() == b.size() ? -1 : static_cast<int>(std::min(a.size(), b.size()));
}

class DriverTest : public RenderTest {
  protected:
    DriverTest() {
        window = PlainDesign(100, 148);
        window.Year = 2025;
        window.Month = 12;
        window.Print = 1;
        window.Cols = 2;
        window.Interval = 5;
    }

    void AddEntry(int number, int offset, const std::string& image = "",
                  const std::string& config = "") {
        TMatrix& entry = window.Matrixs.Add();
        entry.Number = number;
        entry.MonthOffset = offset;
        entry.ImageFile = image;
        entry.ConfigFile = config;
    }

    // The driver's pass over the window's design.
    std::vector<Call> Driven(MmPoint base = {0, 0}, int zoom = 100) {
        NoStatus status;
        OutputEnvironment env{status, sink, state};
        RecordingCanvas recorded;
        EXPECT_TRUE(
            DrawLayout(env, sink, recorded, kDpi, kDpi, JobOfDesign(window, zoom), base, zoom));
        expected = RecordingCanvas();
        return recorded.calls;
    }

    // The renderer's own pass for `design` (the window's, in month `month` from the window's)
    // as the calendar at (x, y) mm.
    void Expect(int x, int y, int months = 0, int zoom = 100, const TData* design = nullptr) {
        TData d = design != nullptr ? *design : window;
        if (design == nullptr) {
            const int index = window.Year * 12 + window.Month - 1 + months;
            d.Year = index / 12;
            d.Month = index % 12 + 1;
        }
        DrawCalendar(state, sink, expected, kDpi, kDpi, zoom, ckSheet, x, y, 100, 148, d);
        if (d.PluralEnabled != 0) DrawSeveralMonthCells(state, sink, expected, kDpi, kDpi, x, y, d);
    }

    void ExpectSame(const std::vector<Call>& driven) {
        EXPECT_EQ(FirstDifference(driven, expected.calls), -1)
            << driven.size() << " calls driven, " << expected.calls.size() << " expected";
    }

    TData window;
    RecordingCanvas expected;
};

TEST_F(DriverTest, CalendarsFillTheGridFromThePrintPositionWithTheirMonths) {
    AddEntry(1, 1);
    AddEntry(2, 12);
    AddEntry(3, 13);
    auto driven = Driven({7, 9});
    // Two columns, a sheet and 5 mm apart; December + 12 is next December, + 13 January after.
    Expect(7, 9);
    Expect(7 + 105, 9, 1);
    Expect(7, 9 + 153, 12);
    Expect(7 + 105, 9 + 153, 13);
    ExpectSame(driven);

    window.Print = 0;  // imposition off: the window's calendar alone
    driven = Driven({7, 9});
    Expect(7, 9);
    ExpectSame(driven);
}

TEST_F(DriverTest, ColumnsTouchOrOverlapAndZoomScalesThePitch) {
    window.Cols = 3;
    for (int k = 1; k <= 3; ++k) AddEntry(k, 0);
    for (const int interval : {0, -10}) {
        window.Interval = interval;
        const auto driven = Driven();
        Expect(0, 0);
        Expect(100 + interval, 0);
        Expect(2 * (100 + interval), 0);
        Expect(0, 148 + interval);
        ExpectSame(driven);
    }
    // The preview at 50 %: 105 mm becomes 52 and 153 mm 76, in integers divided once.
    window.Cols = 2;
    window.Interval = 5;
    const auto driven = Driven({0, 0}, 50);
    Expect(0, 0, 0, 50);
    Expect(52, 0, 0, 50);
    Expect(0, 76, 0, 50);
    Expect(52, 76, 0, 50);
    ExpectSame(driven);
}

TEST_F(DriverTest, EntrySettingsFileGivesTheLookWhileTheWindowKeepsItsSheet) {
    TData other = PlainDesign(300, 400);
    other.WeekdayColor = 0x0000FF;
    other.DayFont = "ＭＳ 明朝";
    other.Frame = 1;
    other.Rokuyo = 1;
    AddMemorial(other, "0/1/5", "ほかの記念日", 0x00AA00);
    ASSERT_TRUE(other.SaveToFile(dir.File("other.sav"), sink));
    AddMemorial(window, "0/1/5", "窓の記念日", 0xAA0000);
    AddEntry(1, 1, "", dir.File("other.sav"));

    const auto driven = Driven();
    TData look;
    ASSERT_TRUE(look.LoadFromFile(dir.File("other.sav"), sink));
    look.Year = 2026;
    look.Month = 1;
    look.SizeX = 100;
    look.SizeY = 148;
    look.Frame = window.Frame;
    look.Rokuyo = window.Rokuyo;
    look.Nijusisekki = window.Nijusisekki;
    look.Memorials.Assign(window.Memorials);
    Expect(0, 0);
    Expect(105, 0, 0, 100, &look);
    ExpectSame(driven);
    canvas.calls = driven;
    EXPECT_NO_THROW(canvas.Text("窓の記念日"));  // in January, the entry's month
    EXPECT_THROW(canvas.Text("ほかの記念日"), std::out_of_range);
}

TEST_F(DriverTest, EntryPictureDoesNotLeakIntoTheNextEntry) {
    window.PictureSize = 30;
    window.PictureFile = Picture(40, 30);
    AddEntry(1, 0, dir.Write("own.bmp", "30 40"));
    AddEntry(2, 0);
    std::vector<Rect> pictures;
    for (const Call& call : Driven()) {
        if (call.op == Op::StretchPicture) pictures.push_back(call.rect);
    }
    ASSERT_EQ(pictures.size(), 3u);
    const auto width = [](const Rect& r) { return r.Right - r.Left; };
    EXPECT_NE(width(pictures[1]), width(pictures[0]));  // the entry's own, taller picture
    EXPECT_EQ(width(pictures[2]), width(pictures[0]));  // the window's again
    EXPECT_EQ(decoder.decodes, 3);                      // each calendar decodes its own
}

TEST_F(DriverTest, MissingEntryNumberDrawsTheWindowDesignAtTheBase) {
    AddEntry(1, 1);
    AddEntry(3, 3);  // a hand-edited list: no entry numbered 2
    const auto driven = Driven({4, 6});
    Expect(4, 6);
    Expect(4 + 105, 6, 1);
    Expect(4, 6);
    ExpectSame(driven);
}

TEST_F(DriverTest, SeveralMonthCellsAreInsetByHalfTheMarginAndMoveWithThePosition) {
    window = PlainDesign(100, 144);
    window.Year = 2016;
    window.Month = 11;
    window.PictureOffset = 5;
    window.PluralEnabled = 1;
    window.Columns = 2;
    window.Rows = 2;
    Draw(window);  // the sheet pass alone leaves the month area
    const MonthAreaRect area = state.MonthArea;
    canvas.calls = Driven({3, 5});
    const int w = area.Width / 2, h = area.Height / 2;
    EXPECT_EQ(DrawnWeekdayRow("11月"),
              WeekdayRowOf(3 + area.Left + 2, 5 + area.Top + 2, w - 4, h - 4));
    EXPECT_EQ(DrawnWeekdayRow("2月"),
              WeekdayRowOf(3 + area.Left + w + 2, 5 + area.Top + h + 2, w - 4, h - 4));

    // An entry whose settings file has several months gets its cells on a single-month window.
    ASSERT_TRUE(window.SaveToFile(dir.File("cells.sav"), sink));
    window.PluralEnabled = 0;
    window.Print = 1;
    window.Cols = 2;
    window.Matrixs.Clear();
    AddEntry(1, 0, "", dir.File("cells.sav"));
    canvas.calls = Driven();
    EXPECT_NO_THROW(canvas.Text("2月"));
}

}  // namespace
}  // namespace orv::test
