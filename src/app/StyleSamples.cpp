#include "app/StyleSamples.h"

#include "model/CivilDate.h"
#include "model/Eras.h"
#include "model/VB.h"
#include "render/CalendarTexts.h"

namespace orv {

std::array<std::string, 5> YearMonthStyleSamples(const std::string& yearText,
                                                 const std::string& monthText) {
    const int year = ValInt(yearText);
    const int month = ValInt(monthText);
    const std::string englishMonth = MonthNameEnglish(month, 0);
    const std::string era =
        month >= 1 && month <= 12 && year >= 1 ? EraText(CivilDate{year, month, 1}) : "";
    return {
        yearText + monthText,
        englishMonth + ", " + IntToStr(year),
        MonthNameEnglish(month, 1) + ", " + IntToStr(year),
        era + "年" + monthText,
        yearText + monthText + "（" + era + "年）",
    };
}

}  // namespace orv
