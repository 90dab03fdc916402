#include "StyleSamples.h"

#include "CivilDate.h"
#include "Eras.h"
#include "VB.h"

namespace orv {

namespace {

// Until the renderer's month names are on this branch.
std::string EnglishMonth(int month) {
    static const char* const kNames[] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

}  // namespace

std::array<std::string, 5> YearMonthStyleSamples(const std::string& yearText,
                                                 const std::string& monthText) {
    const int year = ValInt(yearText);
    const int month = ValInt(monthText);
    const std::string englishMonth = EnglishMonth(month);
    const std::string era =
        month >= 1 && month <= 12 && year >= 1 ? EraText(CivilDate{year, month, 1}) : "";
    return {
        yearText + monthText,
        englishMonth + ", " + IntToStr(year),
        Left(englishMonth, 3) + ", " + IntToStr(year),
        era + "年" + monthText,
        yearText + monthText + "（" + era + "年）",
    };
}

}  // namespace orv
