// The sizes of the preview and of an exported picture, and the export's resolution prompt.
#include <gtest/gtest.h>

#include "model/Errors.h"
#include "output/ExportSize.h"
#include "output/OutputTexts.h"
#include "output/PreviewSizing.h"
#include "output/ResolutionPrompt.h"

namespace orv {
namespace {

TData Imposition(int entries, int cols, int interval) {
    TData design;
    design.Print = 1;
    design.Cols = cols;
    design.Interval = interval;
    for (int i = 0; i < entries; ++i) design.Matrixs.Add().Number = i + 1;
    return design;
}

TEST(ExportPictureSize, SheetAtTheResolutionAndTheWholeImpositionGrid) {
    EXPECT_EQ(ExportPictureSize(210, 297, 300, TData()), (PixelSize{2480, 3507}));
    EXPECT_EQ(ExportPictureSize(297, 420, 1200, TData()), (PixelSize{14031, 19842}));
    TData off = Imposition(3, 2, 0);
    off.Print = 0;
    EXPECT_EQ(ExportPictureSize(210, 297, 300, off), (PixelSize{2480, 3507}));
    // 100 mm at 300 dpi is 1181 pixels. 4 calendars in 2 columns: 2 rows; 5 calendars: 3 rows.
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(3, 2, 0)), (PixelSize{2362, 2362}));
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(4, 2, 0)), (PixelSize{2362, 3543}));
    // Cols columns even when fewer calendars exist; a count below 1 is one column.
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(1, 3, 0)), (PixelSize{3543, 1181}));
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(2, 0, 0)), (PixelSize{1181, 3543}));
    // The gap is part of each step: (100 + 10) mm is 1299 pixels, (100 - 20) mm 944.
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(1, 2, 10)), (PixelSize{2480, 1181}));
    EXPECT_EQ(ExportPictureSize(100, 100, 300, Imposition(3, 2, -20)), (PixelSize{2125, 2125}));
    // A picture past any int is refused in the pixels it asks for, not in wrapped ones.
    EXPECT_EQ(ExportSizeRefusal(2'000'000'000, 100, 300, TData()),
              "画像が大きすぎます（23622047244 x 1181 ピクセル）。\r\n縦横とも 30000 "
              "ピクセル以下になるよう、解像度を下げてください。");
    EXPECT_EQ(ExportSizeRefusal(2539, 100, 300, TData()), std::nullopt);
}

TEST(PreviewSize, CalendarAtTheZoomWidenedForImpositionAndCentred) {
    EXPECT_EQ(PreviewCalendarSize("210", "297", 100, 96), (PixelSize{793, 1122}));
    EXPECT_EQ(PreviewCalendarSize("210", "297", 50, 96), (PixelSize{396, 561}));
    EXPECT_EQ(PreviewCalendarSize("210.5", " 297 ", 100, 96), (PixelSize{795, 1122}));
    EXPECT_THROW(PreviewCalendarSize("21O", "297", 100, 96), ConversionError);

    const PixelSize one{793, 1122};
    // 2 entries, 2 columns, a 10 mm gap at 100 % and 96 ppi: 37 pixels between calendars.
    EXPECT_EQ(PreviewBoxSize(one, {true, 2, "2", "10"}, 100, 96), (PixelSize{1623, 2281}));
    EXPECT_EQ(PreviewBoxSize({396, 561}, {true, 1, "2", "10"}, 50, 96), (PixelSize{810, 561}));
    EXPECT_EQ(PreviewBoxSize(one, {true, 0, "2", "10"}, 100, 96), one);   // empty list
    EXPECT_EQ(PreviewBoxSize(one, {false, 5, "2", "10"}, 100, 96), one);  // imposition off
    EXPECT_EQ(PreviewBoxSize(one, {true, 1, "0", ""}, 100, 96), (PixelSize{793, 2244}));
    EXPECT_EQ(PreviewBoxSize(one, {true, 1, "2", "-500"}, 100, 96), one);  // overlapping

    EXPECT_EQ(CentredBoxPosition({1001, 800}, {500, 400}), (PixelPoint{250, 200}));
    EXPECT_EQ(CentredBoxPosition({400, 300}, {793, 1122}), (PixelPoint{0, 0}));

    ASSERT_EQ(kZoomItems.size(), 20u);
    EXPECT_STREQ(kZoomItems[kDefaultZoomIndex], "100%");
    EXPECT_EQ(ZoomOfItem(kZoomItems[5]), 150);
    EXPECT_EQ(ZoomOfItem(kZoomItems[19]), 10);
}

TEST(ResolutionPrompt, TextsDefaultAndAnswer) {
    EXPECT_EQ(ResolutionPromptDefault(0), "300");
    EXPECT_EQ(ResolutionPromptDefault(600), "600");
    EXPECT_EQ(ResolutionPromptText(ScreenResolutionText(96), PrinterResolutionText(nullptr)),
              "保存する解像度（DPI）を入力してください。\r\n\r\n[参考]\r\n"
              "このディスプレイは 96 DPI\r\n現在のプリンタは （解像度を取得できませんでした）");
    EXPECT_EQ(EnteredResolution("300"), 300);
    EXPECT_EQ(EnteredResolution("300dpi"), 300);
    for (const char* refused : {"", "0", "-300", "dpi", "99999999999"}) {
        EXPECT_EQ(EnteredResolution(refused), 0) << refused;
    }
}

}  // namespace
}  // namespace orv
