#include "model/CivilDate.h"

#include <ctime>

#include "model/Errors.h"

namespace orv {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

// Howard Hinnant's days-from-civil algorithm.
int64_t DaysFromCivil(const CivilDate& date) {
    const int64_t y = date.Year - (date.Month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = (date.Month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + date.Day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int DayOfWeek(const CivilDate& date) {
    const int64_t days = DaysFromCivil(date);
    // 1970-01-01 was a Thursday (4).
    return static_cast<int>(((days % 7) + 11) % 7);
}

CivilDate AddDays(const CivilDate& date, int64_t days) {
    return CivilFromDays(DaysFromCivil(date) + days);
}

CivilDate AddMonths(int year, int month, int offset) {
    int64_t index = static_cast<int64_t>(year) * 12 + (month - 1) + offset;
    int64_t y = index >= 0 ? index / 12 : (index - 11) / 12;
    return {static_cast<int>(y), static_cast<int>(index - y * 12 + 1), 1};
}

std::optional<CivilDate> TryParseDateText(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    size_t end = text.size();
    while (end > i && text[end - 1] == ' ') --end;
    while (count < 3) {
        int digits = 0;
        int value = 0;
        while (i < end && text[i] >= '0' && text[i] <= '9' && digits < 5) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        parts[count++] = value;
        if (count < 3) {
            if (i >= end || text[i] != '/') return std::nullopt;
            ++i;
        }
    }
    if (i != end) return std::nullopt;
    if (!IsValidDate(parts[0], parts[1], parts[2])) return std::nullopt;
    return CivilDate{parts[0], parts[1], parts[2]};
}

CivilDate ParseDateText(std::string_view text) {
    if (auto date = TryParseDateText(text)) return *date;
    throw ConversionError(NotADateText(text));
}

std::string NotADateText(std::string_view text) {
    return std::string(text) + " は日付ではありません";
}

std::string PlainDateText(const CivilDate& date) {
    return std::to_string(date.Year) + "/" + std::to_string(date.Month) + "/" +
           std::to_string(date.Day);
}

CivilDate Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace orv
