// The printer facts as the window shows and uses them, and the errors without a printer.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include "model/Errors.h"
#include "output/CupsQueries.h"
#include "output/PrinterLayer.h"
#include "output/PrinterSummary.h"
#include "output/ResolutionPrompt.h"

namespace orv {
namespace {

TEST(PrinterFacts, MarginCommandSubtractsTheBorderTwiceInWholeMillimetres) {
    EXPECT_EQ(SizeTextWithoutMargin("210", 100, 600), "202");  // 8.47 mm
    EXPECT_EQ(SizeTextWithoutMargin("202", 100, 600), "194");
    EXPECT_EQ(SizeTextWithoutMargin("297", 0, 600), "297");
    EXPECT_EQ(MarginMm(75, 300), 12);  // 12.7 mm, truncated
    EXPECT_THROW(SizeTextWithoutMargin("210.5", 100, 600), ConversionError);
}

TEST(PrinterFacts, SummaryGivesThePaperInMillimetresAtAnyResolution) {
    for (const int dpi : {300, 600, 1200}) {
        EXPECT_EQ(PaperSizeText("A4", PaperMm(210 * dpi * 10 / 254, dpi),
                                PaperMm((297 * dpi * 10 + 127) / 254, dpi)),
                  "A4 (210mm x 297mm)");
    }
    EXPECT_EQ(PaperMm(2479, 300), 210);  // a driver's 595 points
    EXPECT_EQ(PaperMm(2550, 300), 216);  // US Letter, 215.9 mm
    EXPECT_EQ(ResolutionText({1200, 600}), "1200 x 600 DPI");
    EXPECT_EQ(ParseResolutionOption("300dpi"), (DotPair{300, 300}));
    EXPECT_EQ(ParseResolutionOption("1200x600dpi"), (DotPair{1200, 600}));
    for (const char* other : {"600", "120dpcm", "-300dpi", "Draft"}) {
        EXPECT_EQ(ParseResolutionOption(other), (DotPair{})) << other;
    }
}

// Without any printing system Qt would hand out a PDF writer as "the printer".
TEST(PrinterFacts, WithoutAPrintingSystemEveryQueryAndTheJobReportNoPrinter) {
    setenv("CUPS_SERVER", "/nonexistent/orvalinden-test-cups.sock", 1);
    cupsSetServer(nullptr);
    PrinterLayer printer;
    EXPECT_THROW(printer.Resolution(), NoPrinterError);
    EXPECT_THROW(printer.Scale(), NoPrinterError);
    EXPECT_THROW(printer.PhysicalPageSize(), NoPrinterError);
    EXPECT_THROW(printer.PhysicalOffset(), NoPrinterError);
    EXPECT_THROW(printer.PrinterNames(), NoPrinterError);
    EXPECT_THROW(printer.PaperIndex(), NoPrinterError);
    EXPECT_THROW(SummariseCurrentPrinter(printer), NoPrinterError);
    EXPECT_EQ(PrinterResolutionText(&printer), "（解像度を取得できませんでした）");
    EXPECT_THROW(printer.StartJob("Orvalinden"), NoPrinterError);
    EXPECT_FALSE(printer.Printing());
    EXPECT_THROW(printer.EndJob(), PrinterError);
    unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

}  // namespace
}  // namespace orv
