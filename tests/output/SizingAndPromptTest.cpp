// The sizes of the preview and of an exported picture, and the export's resolution prompt.
#include <gtest/gtest.h>

#include "Errors.h"
#include "ExportSize.h"
#include "OutputTexts.h"
#include "PdfFilePrinter.h"
#include "PreviewSizing.h"
#include "ResolutionPrompt.h"

namespace orv {
namespace {

TData ImpositionDesign(int entries, int cols, int interval) {
    TData design;
    design.Print = 1;
    design.Cols = cols;
    design.Interval = interval;
    for (int i = 0; i < entries; ++i) design.Matrixs.Add().Number = i + 1;
    return design;
}

TEST(ExportPictureSize, SheetAtTheEnteredResolution) {
    const TData plain;
    EXPECT_EQ(ExportPictureSize("210", "297", 300, plain), (PixelSize{2480, 3507}));
    EXPECT_EQ(ExportPictureSize("210", "297", 96, plain), (PixelSize{793, 1122}));
    EXPECT_EQ(ExportPictureSize("420", "297", 1200, plain), (PixelSize{19842, 14031}));
    // Entries count only with imposition on.
    TData off = ImpositionDesign(3, 2, 0);
    off.Print = 0;
    EXPECT_EQ(ExportPictureSize("210", "297", 300, off), (PixelSize{2480, 3507}));
}

TEST(ExportPictureSize, ImpositionHoldsColsColumnsAndTheRowsTheCalendarsNeed) {
    // 100 mm at 300 dpi is 1181 pixels. 4 calendars in 2 columns: 2 rows; 5 calendars: 3 rows.
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(3, 2, 0)),
              (PixelSize{2362, 2362}));
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(4, 2, 0)),
              (PixelSize{2362, 3543}));
    // Cols columns even when fewer calendars exist.
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(1, 3, 0)),
              (PixelSize{3543, 1181}));
    // The gap is part of each step: (100 + 10) mm is 1299 pixels, (100 - 20) mm 944.
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(1, 2, 10)),
              (PixelSize{1181 + 1299, 1181}));
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(3, 2, -20)),
              (PixelSize{1181 + 944, 1181 + 944}));
    // A column count below 1 is one column, not a division by zero.
    EXPECT_EQ(ExportPictureSize("100", "100", 300, ImpositionDesign(2, 0, 0)),
              (PixelSize{1181, 3543}));
}

TEST(PreviewSize, OneCalendarAtTheZoomAndScreenResolution) {
    EXPECT_EQ(PreviewCalendarSize("210", "297", 100, 96), (PixelSize{793, 1122}));
    EXPECT_EQ(PreviewCalendarSize("210", "297", 50, 96), (PixelSize{396, 561}));
    EXPECT_EQ(PreviewCalendarSize("210.5", " 297 ", 100, 96), (PixelSize{795, 1122}));
    EXPECT_EQ(PreviewCalendarSize("210", "297", 200, 144), (PixelSize{2381, 3367}));
    // A size edit that is no number fails before anything is resized.
    EXPECT_THROW(PreviewCalendarSize("21O", "297", 100, 96), ConversionError);
    EXPECT_THROW(PreviewCalendarSize("210", "", 100, 96), ConversionError);
}

TEST(PreviewSize, ImpositionWidensTheBoxByCalendarsAndGaps) {
    const PixelSize one{793, 1122};
    // 2 entries (3 calendars), 2 columns, 10 mm gap at 100 % and 96 ppi: 37 pixels of gap.
    EXPECT_EQ(PreviewBoxSize(one, {true, 2, "2", "10"}, 100, 96),
              (PixelSize{2 * 793 + 37, 2 * 1122 + 37}));
    EXPECT_EQ(PreviewBoxSize(one, {true, 2, "3", "0"}, 100, 96), (PixelSize{3 * 793, 1122}));
    // On but with an empty list, or off: one calendar.
    EXPECT_EQ(PreviewBoxSize(one, {true, 0, "2", "10"}, 100, 96), one);
    EXPECT_EQ(PreviewBoxSize(one, {false, 5, "2", "10"}, 100, 96), one);
    // Columns typed as 0 or nonsense count as 1.
    EXPECT_EQ(PreviewBoxSize(one, {true, 1, "0", "0"}, 100, 96), (PixelSize{793, 2 * 1122}));
    EXPECT_EQ(PreviewBoxSize(one, {true, 1, "", ""}, 100, 96), (PixelSize{793, 2 * 1122}));
    // The gap scales with the zoom.
    EXPECT_EQ(PreviewBoxSize({396, 561}, {true, 1, "2", "10"}, 50, 96),
              (PixelSize{2 * 396 + 18, 561}));
    // Overlap beyond the calendar's size still shows the first calendar whole.
    EXPECT_EQ(PreviewBoxSize(one, {true, 1, "2", "-500"}, 100, 96), one);
}

TEST(PreviewSize, BoxIsCentredRoundedDownAndNeverPushedOffTheLeft) {
    EXPECT_EQ(CentredBoxPosition({1001, 800}, {500, 400}), (PixelPoint{250, 200}));
    EXPECT_EQ(CentredBoxPosition({400, 300}, {793, 1122}), (PixelPoint{0, 0}));
    EXPECT_EQ(CentredBoxPosition({794, 1122}, {793, 1122}), (PixelPoint{0, 0}));
}

TEST(ZoomList, TwentyStepsFromTwoHundredDownAndHundredAtStart) {
    ASSERT_EQ(kZoomItems.size(), 20u);
    EXPECT_STREQ(kZoomItems.front(), "200%");
    EXPECT_STREQ(kZoomItems.back(), "10%");
    EXPECT_STREQ(kZoomItems[kDefaultZoomIndex], "100%");
    for (size_t i = 0; i < kZoomItems.size(); ++i) {
        EXPECT_EQ(ZoomOfItem(kZoomItems[i]), 200 - 10 * static_cast<int>(i));
    }
}

TEST(ResolutionPrompt, OffersTheLastResolutionOr300) {
    EXPECT_EQ(ResolutionPromptDefault(0), "300");
    EXPECT_EQ(ResolutionPromptDefault(-1), "300");
    EXPECT_EQ(ResolutionPromptDefault(600), "600");
    EXPECT_EQ(ResolutionPromptText(ScreenResolutionText(96), "600 x 600 DPI"),
              "保存する解像度（DPI）を入力してください。\r\n\r\n[参考]\r\n"
              "このディスプレイは 96 DPI\r\n現在のプリンタは 600 x 600 DPI");
}

TEST(ResolutionPrompt, PrinterLineShowsThePlaceholderWhenAskingFails) {
    EXPECT_EQ(PrinterResolutionText(nullptr), kResolutionUnknown);
    PdfFilePrinter pdf("/nonexistent/x.pdf", 210, 297, 600);
    EXPECT_EQ(PrinterResolutionText(&pdf), "600 x 600 DPI");
    // A target whose every query fails.
    struct Broken : PdfFilePrinter {
        Broken() : PdfFilePrinter("", 0, 0, 0) {}
        DotPair Resolution() override { throw PrinterError("no printer"); }
    } broken;
    EXPECT_EQ(PrinterResolutionText(&broken), "（解像度を取得できませんでした）");
}

TEST(ResolutionPrompt, AnswerIsItsLeadingWholeNumber) {
    EXPECT_EQ(EnteredResolution("300"), 300);
    EXPECT_EQ(EnteredResolution("300dpi"), 300);
    EXPECT_EQ(EnteredResolution(" 72 "), 72);
    // Refused: nothing is drawn.
    EXPECT_EQ(EnteredResolution(""), 0);
    EXPECT_EQ(EnteredResolution("0"), 0);
    EXPECT_EQ(EnteredResolution("-300"), 0);
    EXPECT_EQ(EnteredResolution("dpi"), 0);
    EXPECT_EQ(EnteredResolution("99999999999"), 0);
}

}  // namespace
}  // namespace orv
