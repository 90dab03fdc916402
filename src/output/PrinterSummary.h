#pragma once
// The arithmetic of the margin command and of the printer summary, on the printer's facts.
#include <string>

#include "output/PrintTarget.h"

namespace orv {

class PrinterLayer;

// The unprintable border of one axis counted on both sides, in whole millimetres (truncated):
// 100 dots at 600 dpi give 8.
int MarginMm(int offsetDots, int dpi);

// A size edit's text less that margin, as the edit's new text. The text must be a whole decimal
// number (ConversionError otherwise).
std::string SizeTextWithoutMargin(const std::string& sizeText, int offsetDots, int dpi);

// A paper length in millimetres, rounded to the nearest whole number (halves to even).
int PaperMm(int dots, int dpi);

// "A4 (210mm x 297mm)".
std::string PaperSizeText(const std::string& paperName, int widthMm, int heightMm);

// "600 x 600 DPI".
std::string ResolutionText(DotPair dpi);

struct PrinterSummary {
    std::string Name;  // the current printer's name
    std::string Size;  // its paper, as PaperSizeText
};

// Both lines of the summary for the current printer; PrinterError as the layer's queries.
PrinterSummary SummariseCurrentPrinter(PrinterLayer& printer);

}  // namespace orv
