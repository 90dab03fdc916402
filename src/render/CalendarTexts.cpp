#include "render/CalendarTexts.h"

#include <array>

namespace orv {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 12> kMonthShortNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// By caption form, then by weekday from Sunday.
constexpr std::array<std::array<const char*, 7>, 5> kWeekdayCaptions = {{
    {"日", "月", "火", "水", "木", "金", "土"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"},
    {"S", "M", "T", "W", "T", "F", "S"},
}};

}  // namespace

std::string MonthNameEnglish(int Month, int Variant) {
    if (Month < 1 || Month > 12) return {};
    if (Variant == 0) return kMonthNames[Month - 1];
    if (Variant == 1) return kMonthShortNames[Month - 1];
    return {};
}

std::string WeekdayCaption(int Column, int WeekStyle) {
    if (Column < 1 || Column > 7 || WeekStyle < 0 || WeekStyle > 9) return {};
    const bool mondayStart = WeekStyle >= 5;
    const int form = mondayStart ? WeekStyle - 5 : WeekStyle;
    const int weekday = mondayStart ? Column % 7 : Column - 1;  // 0 = Sunday
    return kWeekdayCaptions[form][weekday];
}

}  // namespace orv
