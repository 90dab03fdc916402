#pragma once
// Proleptic Gregorian dates as plain numbers: the date arithmetic every part needs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct CivilDate {
    int Year = 0;
    int Month = 0;  // 1..12
    int Day = 0;    // 1..31

    auto operator<=>(const CivilDate&) const = default;
};

bool IsLeapYear(int year);
// Days of a month; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
// Days since 1970-01-01 (negative before).
int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(int64_t days);
// 0 = Sunday ... 6 = Saturday.
int DayOfWeek(const CivilDate& date);
CivilDate AddDays(const CivilDate& date, int64_t days);
// The month moved by `offset` months, the year carried.
CivilDate AddMonths(int year, int month, int offset);

// Reads a date text year "/" month "/" day (leading zeros optional, years 1..9999); nothing when
// the text is not a valid date.
std::optional<CivilDate> TryParseDateText(std::string_view text);
// As TryParseDateText; raises ConversionError NotADateText(text) otherwise.
CivilDate ParseDateText(std::string_view text);

// "2016/13/1 は日付ではありません": what a text that is no date is told as.
std::string NotADateText(std::string_view text);
// year "/" month "/" day in plain decimal, as the renderer asks the old-calendar lists.
std::string PlainDateText(const CivilDate& date);

// Today's date on the local clock.
CivilDate Today();

}  // namespace orv
