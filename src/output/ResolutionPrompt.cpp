#include "output/ResolutionPrompt.h"

#include "model/Errors.h"
#include "model/VB.h"
#include "output/OutputTexts.h"
#include "output/PrintTarget.h"
#include "output/PrinterSummary.h"

namespace orv {

std::string ResolutionPromptDefault(int picSaveDpi) {
    return picSaveDpi > 0 ? IntToStr(picSaveDpi) : "300";
}

std::string ScreenResolutionText(int pixelsPerInch) {
    return IntToStr(pixelsPerInch) + " DPI";
}

std::string PrinterResolutionText(PrintTarget* printer) {
    if (printer == nullptr) return kResolutionUnknown;
    try {
        return ResolutionText(printer->Resolution());
    } catch (const std::exception&) {
        return kResolutionUnknown;
    }
}

std::string ResolutionPromptText(const std::string& screenText, const std::string& printerText) {
    return std::string("保存する解像度（DPI）を入力してください。\r\n") + "\r\n" + "[参考]\r\n" +
           "このディスプレイは " + screenText + "\r\n" + "現在のプリンタは " + printerText;
}

int EnteredResolution(const std::string& answer) {
    int value = 0;
    try {
        value = ValInt(answer);
    } catch (const ConversionError&) {
        return 0;  // digits beyond 32 bits
    }
    return value >= 1 ? value : 0;
}

}  // namespace orv
