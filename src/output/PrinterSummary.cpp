#include "output/PrinterSummary.h"

#include <cmath>

#include "model/VB.h"
#include "output/PrinterLayer.h"

namespace orv {

int MarginMm(int offsetDots, int dpi) {
    return static_cast<int>(std::trunc(static_cast<double>(offsetDots) / dpi * 25.4 * 2));
}

std::string SizeTextWithoutMargin(const std::string& sizeText, int offsetDots, int dpi) {
    return IntToStr(static_cast<int64_t>(StrToInt(sizeText)) - MarginMm(offsetDots, dpi));
}

int PaperMm(int dots, int dpi) {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(dots) / dpi * 25.4));
}

std::string PaperSizeText(const std::string& paperName, int widthMm, int heightMm) {
    return paperName + " (" + IntToStr(widthMm) + "mm x " + IntToStr(heightMm) + "mm)";
}

std::string ResolutionText(DotPair dpi) {
    return IntToStr(dpi.X) + " x " + IntToStr(dpi.Y) + " DPI";
}

PrinterSummary SummariseCurrentPrinter(PrinterLayer& printer) {
    PrinterSummary summary;
    summary.Name = printer.PrinterName();
    const DotPair dpi = printer.Resolution();
    const DotPair page = printer.PhysicalPageSize();
    summary.Size =
        PaperSizeText(printer.PaperName(), PaperMm(page.X, dpi.X), PaperMm(page.Y, dpi.Y));
    return summary;
}

}  // namespace orv
