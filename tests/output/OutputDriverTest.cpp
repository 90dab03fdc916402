// The output driver on a recording canvas: every calendar of an imposition layout is the
// renderer's own pass at its place in the grid, with its month, look and picture.
#include "OutputDriver.h"

#include <gtest/gtest.h>

#include "Imposition.h"
#include "RecordDesignSource.h"
#include "RenderFixture.h"
#include "SeveralMonths.h"

namespace orv::test {
namespace {

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

bool SameCall(const Call& a, const Call& b) {
    return a.op == b.op && a.rect == b.rect && a.x == b.x && a.y == b.y && a.text == b.text &&
           a.font.face == b.font.face && a.font.points == b.font.points &&
           a.font.color == b.font.color && a.brushColor == b.brushColor &&
           a.penColor == b.penColor && a.penWidth == b.penWidth;
}

// The first call where two recordings part, or -1 when they are the same.
int FirstDifference(const std::vector<Call>& a, const std::vector<Call>& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (!SameCall(a[i], b[i])) return static_cast<int>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<int>(n);
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

    TMatrix& AddEntry(int number, int offset, const std::string& image = "",
                      const std::string& config = "") {
        TMatrix& entry = window.Matrixs.Add();
        entry.Number = number;
        entry.MonthOffset = offset;
        entry.ImageFile = image;
        entry.ConfigFile = config;
        return entry;
    }

    // The driver's pass over the window design at `base` and `zoom`.
    std::vector<Call> Driven(MmPoint base = {0, 0}, int zoom = 100) {
        RecordDesignSource source(window, zoom);
        NoStatus status;
        OutputEnvironment env{source, status, sink, state};
        RecordingCanvas recorded;
        EXPECT_TRUE(DrawLayout(env, sink, recorded, kDpi, kDpi, base, zoom));
        return recorded.calls;
    }

    // What the renderer draws for `design` as the calendar at (x, y) mm.
    void Expect(const TData& design, int x, int y, int zoom = 100) {
        DrawCalendar(state, sink, expected, kDpi, kDpi, zoom, ckSheet, x, y, window.SizeX,
                     window.SizeY, design);
        if (design.PluralEnabled != 0) {
            DrawSeveralMonthCells(state, sink, expected, kDpi, kDpi, x, y, design);
        }
    }

    TData WithMonth(int year, int month) const {
        TData design = window;
        design.Year = year;
        design.Month = month;
        return design;
    }

    void ExpectSameDrawing(const std::vector<Call>& driven) {
        const int at = FirstDifference(driven, expected.calls);
        EXPECT_EQ(at, -1) << "the driver's calls part from the expected ones at call " << at
                          << " of " << driven.size() << " (expected " << expected.calls.size()
                          << ")";
    }

    TData window;
    RecordingCanvas expected;
};

TEST_F(DriverTest, ImpositionOffPutsOneCalendarAtTheBase) {
    AddEntry(1, 1);
    window.Print = 0;
    const auto driven = Driven({7, 9});
    Expect(window, 7, 9);
    ExpectSameDrawing(driven);
}

TEST_F(DriverTest, CalendarsFillTheGridRowByRowFromThePrintPosition) {
    AddEntry(1, 1);
    AddEntry(2, 2);
    AddEntry(3, 3);
    const auto driven = Driven({7, 9});
    // Two columns, one sheet and 5 mm apart.
    Expect(window, 7, 9);
    Expect(WithMonth(2026, 1), 7 + 105, 9);
    Expect(WithMonth(2026, 2), 7, 9 + 153);
    Expect(WithMonth(2026, 3), 7 + 105, 9 + 153);
    ExpectSameDrawing(driven);
}

TEST_F(DriverTest, ThreeColumnsTouchingOrOverlapping) {
    window.Cols = 3;
    AddEntry(1, 0);
    AddEntry(2, 0);
    AddEntry(3, 0);
    for (const int interval : {0, -10}) {
        SCOPED_TRACE(interval);
        window.Interval = interval;
        expected = RecordingCanvas();
        const auto driven = Driven();
        Expect(window, 0, 0);
        Expect(window, 100 + interval, 0);
        Expect(window, 2 * (100 + interval), 0);
        Expect(window, 0, 148 + interval);
        ExpectSameDrawing(driven);
    }
}

TEST_F(DriverTest, PreviewZoomScalesThePitch) {
    AddEntry(1, 0);
    AddEntry(2, 0);
    AddEntry(3, 0);
    // At 50 %: 105 mm becomes 52, 153 mm becomes 76 (integer arithmetic, divided once).
    const auto driven = Driven({0, 0}, 50);
    Expect(window, 0, 0, 50);
    Expect(window, 52, 0, 50);
    Expect(window, 0, 76, 50);
    Expect(window, 52, 76, 50);
    ExpectSameDrawing(driven);
}

TEST_F(DriverTest, MonthOffsetsCarryAcrossYears) {
    window.Month = 12;
    AddEntry(1, 12);
    AddEntry(2, 13);
    const auto december = Driven();
    Expect(window, 0, 0);
    Expect(WithMonth(2026, 12), 105, 0);
    Expect(WithMonth(2027, 1), 0, 153);
    ExpectSameDrawing(december);

    window.Matrixs.Clear();
    window.Month = 11;
    AddEntry(1, 1);
    expected = RecordingCanvas();
    const auto november = Driven();
    Expect(window, 0, 0);
    Expect(WithMonth(2025, 12), 105, 0);
    ExpectSameDrawing(november);
}

TEST_F(DriverTest, EntrySettingsFileGivesTheLookWhileTheWindowKeepsItsSheet) {
    TData other = PlainDesign(300, 400);
    other.WeekdayColor = 0x0000FF;
    other.DayFont = "ＭＳ 明朝";
    other.Frame = 1;
    other.Rokuyo = 1;
    AddMemorial(other, "0/12/25", "ほかの記念日", 0x00AA00);
    ASSERT_TRUE(other.SaveToFile(dir.File("other.sav"), sink));
    AddMemorial(window, "0/1/5", "窓の記念日", 0xAA0000);
    window.Rokuyo = 0;
    AddEntry(1, 1, "", dir.File("other.sav"));

    const auto driven = Driven();
    Expect(window, 0, 0);
    TData look;
    ASSERT_TRUE(look.LoadFromFile(dir.File("other.sav"), sink));
    look.Year = 2026;
    look.Month = 1;
    look.SizeX = 100;
    look.SizeY = 148;
    look.Frame = 0;
    look.Rokuyo = 0;
    look.Memorials.Assign(window.Memorials);
    Expect(look, 105, 0);
    ExpectSameDrawing(driven);
    // The window's memorial day, in the entry's own colours and font.
    const Call& fifth = [&]() -> const Call& {
        int seen = 0;
        for (const Call& call : driven) {
            if (call.op == Op::TextOut && call.text == "5" && ++seen == 2) return call;
        }
        throw std::out_of_range("no second 5");
    }();
    EXPECT_EQ(fifth.font.color, 0xAA0000);
    EXPECT_EQ(fifth.font.face, "ＭＳ 明朝");
}

TEST_F(DriverTest, EntryPictureDoesNotLeakIntoTheNextEntry) {
    window.PictureSize = 30;
    window.PictureFile = Picture(40, 30);
    const std::string own = dir.Write("own.bmp", "30 40");
    AddEntry(1, 0, own);
    AddEntry(2, 0);
    const auto driven = Driven();
    const auto pictures = [&] {
        std::vector<Rect> rects;
        for (const Call& call : driven) {
            if (call.op == Op::StretchPicture) rects.push_back(call.rect);
        }
        return rects;
    }();
    ASSERT_EQ(pictures.size(), 3u);
    // The second entry shows the window's picture again, fitted as on the window's sheet.
    EXPECT_EQ(pictures[2].Right - pictures[2].Left, pictures[0].Right - pictures[0].Left);
    EXPECT_EQ(pictures[2].Bottom - pictures[2].Top, pictures[0].Bottom - pictures[0].Top);
    EXPECT_NE(pictures[1].Right - pictures[1].Left, pictures[0].Right - pictures[0].Left);
    // Each entry decodes its picture anew.
    EXPECT_EQ(decoder.decodes, 3);
}

TEST_F(DriverTest, MissingEntryNumberDrawsTheWindowDesignAtTheBase) {
    AddEntry(1, 1);
    AddEntry(3, 3);  // a hand-edited list: no entry numbered 2
    const auto driven = Driven({4, 6});
    Expect(window, 4, 6);
    Expect(WithMonth(2026, 1), 4 + 105, 6);
    Expect(window, 4, 6);
    ExpectSameDrawing(driven);
}

TEST_F(DriverTest, SeveralMonthCellsAreInsetByHalfTheMarginAndMoveWithThePosition) {
    window = PlainDesign(100, 144);
    window.Year = 2016;
    window.Month = 11;
    window.PictureOffset = 5;
    window.PluralEnabled = 1;
    window.Columns = 2;
    window.Rows = 2;
    const auto driven = Driven({3, 5});
    RecordingCanvas sheetOnly;
    DrawCalendar(state, sink, sheetOnly, kDpi, kDpi, 100, ckSheet, 0, 0, 100, 144, window);
    const MonthAreaRect area = state.MonthArea;
    canvas.calls = driven;
    // Each cell is a quarter of the month area, 2 mm in on every side, at the print position.
    const int cellW = area.Width / 2, cellH = area.Height / 2;
    EXPECT_EQ(DrawnWeekdayRow("11月"),
              WeekdayRowOf(3 + area.Left + 2, 5 + area.Top + 2, cellW - 4, cellH - 4));
    EXPECT_EQ(DrawnWeekdayRow("2月"), WeekdayRowOf(3 + area.Left + cellW + 2,
                                                   5 + area.Top + cellH + 2, cellW - 4, cellH - 4));
}

TEST_F(DriverTest, EntryWithSeveralMonthsGetsItsCellsOnASingleMonthWindow) {
    TData other = PlainDesign(100, 144);
    other.PictureOffset = 4;
    other.PluralEnabled = 1;
    other.Columns = 1;
    other.Rows = 2;
    ASSERT_TRUE(other.SaveToFile(dir.File("two.sav"), sink));
    window = PlainDesign(100, 144);
    window.Year = 2016;
    window.Month = 11;
    window.Print = 1;
    window.Cols = 2;
    AddEntry(1, 0, "", dir.File("two.sav"));
    canvas.calls = Driven();
    // The entry's cells show its two months; the window's single month has none.
    EXPECT_NO_THROW(canvas.Text("11月"));
    EXPECT_NO_THROW(canvas.Text("12月"));
}

}  // namespace
}  // namespace orv::test
