// Where the calendars of an imposition layout go, which month each shows and which look it takes.
#include <gtest/gtest.h>

#include "Imposition.h"
#include "RecordDesignSource.h"
#include "RecordingSink.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::RecordingSink;
using test::TempDir;

TEST(ImpositionMonths, OffsetsCarryIntoTheFollowingYears) {
    EXPECT_EQ(ShiftedMonth(2025, 12, 12), (YearMonth{2026, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 12, 13), (YearMonth{2027, 1}));
    EXPECT_EQ(ShiftedMonth(2025, 11, 1), (YearMonth{2025, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 1, 0), (YearMonth{2025, 1}));
    EXPECT_EQ(ShiftedMonth(2025, 1, 35), (YearMonth{2027, 12}));
    // Offsets typed negative count back instead of giving month 0 or below.
    EXPECT_EQ(ShiftedMonth(2025, 1, -1), (YearMonth{2024, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 3, -15), (YearMonth{2023, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 12, -12), (YearMonth{2024, 12}));
}

TEST(ImpositionLayout, CalendarsFillColumnsThenRows) {
    const MmPoint base{0, 0};
    // Two columns of 100 x 148 mm sheets, no gap.
    EXPECT_EQ(CalendarOrigin(0, 2, 0, 100, 148, 100, base), (MmPoint{0, 0}));
    EXPECT_EQ(CalendarOrigin(1, 2, 0, 100, 148, 100, base), (MmPoint{100, 0}));
    EXPECT_EQ(CalendarOrigin(2, 2, 0, 100, 148, 100, base), (MmPoint{0, 148}));
    EXPECT_EQ(CalendarOrigin(5, 2, 0, 100, 148, 100, base), (MmPoint{100, 296}));
    // Three columns with a gap; one column stacks.
    EXPECT_EQ(CalendarOrigin(4, 3, 5, 100, 148, 100, base), (MmPoint{105, 153}));
    EXPECT_EQ(CalendarOrigin(3, 1, 5, 100, 148, 100, base), (MmPoint{0, 459}));
    // A negative gap overlaps the calendars.
    EXPECT_EQ(CalendarOrigin(3, 2, -10, 100, 148, 100, base), (MmPoint{90, 138}));
    // Columns below 1 stack too.
    EXPECT_EQ(CalendarOrigin(2, 0, 0, 100, 148, 100, base), (MmPoint{0, 296}));
}

TEST(ImpositionLayout, ZoomScalesThePitchButNotTheBasePosition) {
    // At 50 % a 100 mm pitch becomes 50 mm.
    EXPECT_EQ(CalendarOrigin(1, 2, 0, 100, 148, 50, {0, 0}), (MmPoint{50, 0}));
    EXPECT_EQ(CalendarOrigin(3, 2, 0, 100, 148, 50, {0, 0}), (MmPoint{50, 74}));
    // Products are formed first and divided once: 105 × 1 × 33 div 100 = 34, not 105 × 0.
    EXPECT_EQ(CalendarOrigin(1, 2, 5, 100, 148, 33, {0, 0}), (MmPoint{34, 0}));
    // The print position moves every calendar unscaled.
    EXPECT_EQ(CalendarOrigin(3, 2, 10, 100, 148, 100, {7, 9}), (MmPoint{117, 167}));
}

// A window design with two imposition entries, its settings files in a temporary folder.
class CalendarDesigns : public testing::Test {
  protected:
    CalendarDesigns() {
        TData window = NewDesign();
        window.Year = 2025;
        window.Month = 11;
        window.SizeX = 100;
        window.SizeY = 148;
        window.Frame = 1;
        window.Rokuyo = 1;
        window.Nijusisekki = 0;
        window.DayFont = "ＭＳ Ｐゴシック";
        window.LineColor = 0x000000;
        window.PictureFile = dir.File("window.jpg");
        TMemorial& memorial = window.Memorials.Add();
        memorial.Date = "0/12/24";
        memorial.Name = "イブ";
        window.Print = 1;
        window.Cols = 2;
        source = std::make_unique<RecordDesignSource>(window);
    }

    TMatrix& AddEntry(int number, int offset, const std::string& image, const std::string& config) {
        TMatrix& entry = source->Data().Matrixs.Add();
        entry.Number = number;
        entry.MonthOffset = offset;
        entry.ImageFile = image;
        entry.ConfigFile = config;
        return entry;
    }

    // A settings file with another look, size, frame, rokuyo, solar terms and memorial days.
    std::string OtherLookFile() {
        TData other = NewDesign();
        other.SizeX = 297;
        other.SizeY = 420;
        other.Frame = 0;
        other.Rokuyo = 0;
        other.Nijusisekki = 1;
        other.DayFont = "ＭＳ 明朝";
        other.LineColor = 0x0000FF;
        other.PluralEnabled = 1;
        other.Columns = 3;
        other.Rows = 4;
        other.PictureFile = dir.File("other.png");
        TMemorial& memorial = other.Memorials.Add();
        memorial.Date = "0/1/1";
        memorial.Name = "元日の行事";
        RecordingSink quiet;
        const std::string path = dir.File("other.sav");
        EXPECT_TRUE(other.SaveToFile(path, quiet));
        return path;
    }

    TempDir dir;
    std::unique_ptr<RecordDesignSource> source;
    RecordingSink sink;
};

TEST_F(CalendarDesigns, EntrySettingsFileGivesTheLookButNotSizeFrameOldCalendarOrMemorials) {
    AddEntry(1, 2, "", OtherLookFile());
    TData design;
    ASSERT_TRUE(PrepareCalendarDesign(1, *source, design, sink));
    // The file's look, including its several-months layout and picture.
    EXPECT_EQ(design.DayFont, "ＭＳ 明朝");
    EXPECT_EQ(design.LineColor, 0x0000FF);
    EXPECT_EQ(design.PluralEnabled, 1);
    EXPECT_EQ(design.Columns, 3);
    EXPECT_EQ(design.Rows, 4);
    EXPECT_EQ(design.PictureFile, dir.File("other.png"));
    // The window's sheet size, frame, rokuyo and solar-term switches and memorial days.
    EXPECT_EQ(design.SizeX, 100);
    EXPECT_EQ(design.SizeY, 148);
    EXPECT_EQ(design.Frame, 1);
    EXPECT_EQ(design.Rokuyo, 1);
    EXPECT_EQ(design.Nijusisekki, 0);
    ASSERT_EQ(design.Memorials.Count(), 1);
    EXPECT_EQ(design.Memorials.Items(0).Name, "イブ");
    // The entry's month, not the file's.
    EXPECT_EQ(design.Year, 2026);
    EXPECT_EQ(design.Month, 1);
}

TEST_F(CalendarDesigns, EntryPictureStaysWithItsEntry) {
    AddEntry(1, 1, dir.File("first.png"), "");
    AddEntry(2, 2, "", "");
    TData design;
    ASSERT_TRUE(PrepareCalendarDesign(1, *source, design, sink));
    EXPECT_EQ(design.PictureFile, dir.File("first.png"));
    EXPECT_EQ(design.DayFont, "ＭＳ Ｐゴシック");
    // The same record, reused for the next calendar, shows the window's picture again.
    ASSERT_TRUE(PrepareCalendarDesign(2, *source, design, sink));
    EXPECT_EQ(design.PictureFile, dir.File("window.jpg"));
    EXPECT_EQ((YearMonth{design.Year, design.Month}), (YearMonth{2026, 1}));
    // An entry's picture also wins over its settings file's.
    AddEntry(3, 0, dir.File("third.png"), OtherLookFile());
    ASSERT_TRUE(PrepareCalendarDesign(3, *source, design, sink));
    EXPECT_EQ(design.PictureFile, dir.File("third.png"));
}

TEST_F(CalendarDesigns, MissingEntryNumberGivesTheWindowsDesign) {
    // A hand-edited list numbered 1 and 3.
    AddEntry(1, 1, dir.File("first.png"), OtherLookFile());
    AddEntry(3, 2, "", "");
    TData design;
    ASSERT_TRUE(PrepareCalendarDesign(1, *source, design, sink));
    EXPECT_FALSE(PrepareCalendarDesign(2, *source, design, sink));
    EXPECT_EQ(design.DayFont, "ＭＳ Ｐゴシック");
    EXPECT_EQ(design.PictureFile, dir.File("window.jpg"));
    EXPECT_EQ((YearMonth{design.Year, design.Month}), (YearMonth{2025, 11}));
    EXPECT_EQ(design.Matrixs.Count(), 2);
    EXPECT_EQ(design.Memorials.Count(), 1);
    // Calendar 0 is the window's design whatever the list holds.
    EXPECT_FALSE(PrepareCalendarDesign(0, *source, design, sink));
    EXPECT_EQ(design.DayFont, "ＭＳ Ｐゴシック");
}

TEST_F(CalendarDesigns, UnreadableSettingsFileIsReportedAndTheCalendarStillComes) {
    AddEntry(1, 0, "", dir.Path());  // a folder, not a file
    TData design;
    EXPECT_TRUE(PrepareCalendarDesign(1, *source, design, sink));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text.rfind("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", 0), 0u) << messages[0].text;
    EXPECT_EQ(design.SizeX, 100);
    EXPECT_EQ(design.Frame, 1);
}

}  // namespace
}  // namespace orv
