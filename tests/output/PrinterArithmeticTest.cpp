// The printer facts turned into what the window shows and changes, and the no-printer errors.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "CupsQueries.h"
#include "Errors.h"
#include "PrinterLayer.h"
#include "PrinterSummary.h"

namespace orv {
namespace {

TEST(MarginCommand, SubtractsTheBorderOnBothSidesInWholeMillimetres) {
    EXPECT_EQ(MarginMm(100, 600), 8);  // 8.47 mm
    EXPECT_EQ(SizeTextWithoutMargin("210", 100, 600), "202");
    EXPECT_EQ(SizeTextWithoutMargin(SizeTextWithoutMargin("210", 100, 600), 100, 600), "194");
    // A borderless driver leaves the size as it was.
    EXPECT_EQ(SizeTextWithoutMargin("297", 0, 600), "297");
    EXPECT_EQ(MarginMm(75, 300), 12);  // 12.7 mm, truncated
    // A size that is not a whole number is the platform's conversion error.
    EXPECT_THROW(SizeTextWithoutMargin("210.5", 100, 600), ConversionError);
    EXPECT_THROW(SizeTextWithoutMargin("", 100, 600), ConversionError);
}

TEST(PrinterSummaryText, PaperSizeInMillimetresDoesNotDependOnTheResolution) {
    for (const int dpi : {300, 600, 1200}) {
        const int width = static_cast<int>(210 / 25.4 * dpi);
        const int height = static_cast<int>(297 / 25.4 * dpi + 0.5);
        EXPECT_EQ(PaperSizeText("A4", PaperMm(width, dpi), PaperMm(height, dpi)),
                  "A4 (210mm x 297mm)")
            << dpi;
    }
    // A driver's A4 of 595 x 842 points at 300 dpi.
    EXPECT_EQ(PaperMm(2479, 300), 210);
    EXPECT_EQ(PaperMm(3508, 300), 297);
    EXPECT_EQ(PaperMm(2550, 300), 216);  // US Letter, 215.9 mm
    EXPECT_EQ(ResolutionText({600, 600}), "600 x 600 DPI");
    EXPECT_EQ(ResolutionText({1200, 600}), "1200 x 600 DPI");
}

TEST(PrinterResolution, DriverResolutionNamesAreRead) {
    EXPECT_EQ(ParseResolutionOption("300dpi"), (DotPair{300, 300}));
    EXPECT_EQ(ParseResolutionOption("1200x600dpi"), (DotPair{1200, 600}));
    EXPECT_EQ(ParseResolutionOption("600"), (DotPair{}));
    EXPECT_EQ(ParseResolutionOption("120dpcm"), (DotPair{}));
    EXPECT_EQ(ParseResolutionOption("-300dpi"), (DotPair{}));
    EXPECT_EQ(ParseResolutionOption("Draft"), (DotPair{}));
}

// Without any printing system, Qt would hand out a PDF writer as "the printer".
TEST(PrinterLayerWithoutPrinters, EveryQueryAndTheJobReportNoPrinter) {
    setenv("CUPS_SERVER", "/nonexistent/orvalinden-test-cups.sock", 1);
    cupsSetServer(nullptr);
    PrinterLayer printer;
    EXPECT_THROW(printer.Resolution(), NoPrinterError);
    EXPECT_THROW(printer.Scale(), NoPrinterError);
    EXPECT_THROW(printer.PhysicalPageSize(), NoPrinterError);
    EXPECT_THROW(printer.PhysicalOffset(), NoPrinterError);
    EXPECT_THROW(printer.PrinterNames(), NoPrinterError);
    EXPECT_THROW(printer.PrinterIndex(), NoPrinterError);
    EXPECT_THROW(printer.PrinterName(), NoPrinterError);
    EXPECT_THROW(printer.PaperNames(), NoPrinterError);
    EXPECT_THROW(printer.PaperIndex(), NoPrinterError);
    EXPECT_THROW(printer.StartJob("Orvalinden"), NoPrinterError);
    EXPECT_FALSE(printer.Printing());
    EXPECT_THROW(SummariseCurrentPrinter(printer), NoPrinterError);
    // The error says so in the user's words.
    try {
        printer.Resolution();
    } catch (const PrinterError& e) {
        EXPECT_NE(std::string(e.what()).find("プリンタ"), std::string::npos);
    }
    // Ending or dropping a job that never started is harmless or an error, never a print.
    printer.AbortJob();
    EXPECT_THROW(printer.EndJob(), PrinterError);
    unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

}  // namespace
}  // namespace orv
