#pragma once
// The resolution prompt of image export: what the window's input box shows and how its answer is
// read.
#include <string>

namespace orv {

class PrintTarget;

// The value the box offers: the last resolution used, or "300" when there is none above 0.
std::string ResolutionPromptDefault(int picSaveDpi);

// "96 DPI" for the screen line.
std::string ScreenResolutionText(int pixelsPerInch);

// "600 x 600 DPI" for the printer line, or "（解像度を取得できませんでした）" when asking the
// printer fails (no printer, no printing system); the error itself is not passed on.
std::string PrinterResolutionText(PrintTarget* printer);

// The prompt's lines joined by CR LF, the screen and printer texts filled in.
std::string ResolutionPromptText(const std::string& screenText, const std::string& printerText);

// The resolution an answer stands for: its leading whole number, so "300dpi" is 300. 0 means the
// answer is refused (empty, no digits, below 1): nothing is drawn then.
int EnteredResolution(const std::string& answer);

}  // namespace orv
