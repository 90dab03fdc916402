#include "model/Holidays.h"

#include <cstdint>

#include "model/CivilDate.h"

namespace orv {

namespace {

enum class DayKind { Fixed, NthMonday, SpringEquinox, AutumnEquinox };

struct MonthRule {
    int month;
    DayKind kind;
    int day;  // the day of the month for Fixed, n for NthMonday
    int fromYear;
    int toYear;
    const char* name;
};

constexpr int kOpen = 9999;

// The holidays named by the law, with the years each form held. The Olympic years 2020 and 2021
// are left out of the three holidays that moved then; the one-off table holds their days.
constexpr MonthRule kMonthRules[] = {
    {1, DayKind::Fixed, 1, 1948, kOpen, "元日"},
    {1, DayKind::Fixed, 15, 1948, 1999, "成人の日"},
    {1, DayKind::NthMonday, 2, 2000, kOpen, "成人の日"},
    {2, DayKind::Fixed, 11, 1967, kOpen, "建国記念の日"},
    {2, DayKind::Fixed, 23, 2020, kOpen, "天皇誕生日"},
    {3, DayKind::SpringEquinox, 0, 1948, kOpen, "春分の日"},
    {4, DayKind::Fixed, 29, 1927, 1988, "天皇誕生日"},
    {4, DayKind::Fixed, 29, 1989, 2006, "みどりの日"},
    {4, DayKind::Fixed, 29, 2007, kOpen, "昭和の日"},
    {5, DayKind::Fixed, 3, 1948, kOpen, "憲法記念日"},
    {5, DayKind::Fixed, 4, 2007, kOpen, "みどりの日"},
    {5, DayKind::Fixed, 5, 1948, kOpen, "こどもの日"},
    {7, DayKind::Fixed, 20, 1996, 2002, "海の日"},
    {7, DayKind::NthMonday, 3, 2003, 2019, "海の日"},
    {7, DayKind::NthMonday, 3, 2022, kOpen, "海の日"},
    {8, DayKind::Fixed, 11, 2016, 2019, "山の日"},
    {8, DayKind::Fixed, 11, 2022, kOpen, "山の日"},
    {9, DayKind::Fixed, 15, 1966, 2002, "敬老の日"},
    {9, DayKind::AutumnEquinox, 0, 1948, kOpen, "秋分の日"},
    {9, DayKind::NthMonday, 3, 2003, kOpen, "敬老の日"},
    {10, DayKind::Fixed, 10, 1966, 1999, "体育の日"},
    {10, DayKind::NthMonday, 2, 2000, 2019, "体育の日"},
    {10, DayKind::NthMonday, 2, 2022, kOpen, "スポーツの日"},
    {11, DayKind::Fixed, 3, 1948, kOpen, "文化の日"},
    {11, DayKind::Fixed, 23, 1948, kOpen, "勤労感謝の日"},
    {12, DayKind::Fixed, 23, 1989, 2018, "天皇誕生日"},
};

struct OneOffDay {
    int year;
    int month;
    int day;
    const char* name;
};

// Days made holidays by laws of their own; they count as holidays for the substitute and
// citizens' rules too.
constexpr OneOffDay kOneOffDays[] = {
    {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
    {1989, 2, 24, "昭和天皇の大喪の礼"},
    {1990, 11, 12, "即位礼正殿の儀"},
    {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    {2019, 5, 1, "即位の日"},
    {2019, 10, 22, "即位礼正殿の儀"},
    {2020, 7, 23, "海の日"},
    {2020, 7, 24, "スポーツの日"},
    {2020, 8, 10, "山の日"},
    {2021, 7, 22, "海の日"},
    {2021, 7, 23, "スポーツの日"},
    {2021, 8, 8, "山の日"},
};

struct EquinoxFormula {
    int fromYear;
    int toYear;
    double spring;
    double autumn;
    int leapBaseYear;  // the year the leap-day correction counts from
};

constexpr EquinoxFormula kEquinoxFormulas[] = {
    {1900, 1979, 20.8357, 23.2588, 1983},
    {1980, 2099, 20.8431, 23.2488, 1980},
    {2100, 2150, 21.8510, 24.2488, 1980},
};

constexpr int kSunday = 0;
constexpr int kMonday = 1;

constexpr CivilDate kSubstituteFrom{1973, 4, 12};
constexpr CivilDate kCitizensFrom{1985, 12, 27};
constexpr int kFreeSubstituteFromYear = 2007;

int WeekdayOf(int64_t dayNumber) {
    return static_cast<int>(((dayNumber % 7) + 11) % 7);
}

int NthMondayOf(int year, int month, int n) {
    const int firstWeekday = DayOfWeek({year, month, 1});
    const int firstMonday = 1 + (kMonday - firstWeekday + 7) % 7;
    return firstMonday + 7 * (n - 1);
}

bool RuleMatches(const MonthRule& rule, const CivilDate& date) {
    switch (rule.kind) {
        case DayKind::Fixed:
            return date.Day == rule.day;
        case DayKind::NthMonday:
            return date.Day == NthMondayOf(date.Year, date.Month, rule.day);
        case DayKind::SpringEquinox:
            return date.Day >= 19 && date.Day <= 22 && date.Day == EquinoxDays(date.Year).SpringDay;
        case DayKind::AutumnEquinox:
            return date.Day >= 21 && date.Day <= 24 && date.Day == EquinoxDays(date.Year).AutumnDay;
    }
    return false;
}

// A holiday by name: the rule table or the one-off days. nullptr for any other day.
const char* NamedHoliday(const CivilDate& date) {
    for (const MonthRule& rule : kMonthRules) {
        if (rule.month == date.Month && date.Year >= rule.fromYear && date.Year <= rule.toYear &&
            RuleMatches(rule, date)) {
            return rule.name;
        }
    }
    for (const OneOffDay& day : kOneOffDays) {
        if (day.year == date.Year && day.month == date.Month && day.day == date.Day) {
            return day.name;
        }
    }
    return nullptr;
}

bool IsNamed(int64_t dayNumber) {
    return NamedHoliday(CivilFromDays(dayNumber)) != nullptr;
}

// Until 2006 only the Monday after a Sunday holiday; from 2007 the first day after a Sunday
// holiday that is not itself a holiday, however many holidays follow the Sunday.
bool IsSubstitute(int64_t dayNumber, const CivilDate& date) {
    if (date < kSubstituteFrom) return false;
    if (date.Year < kFreeSubstituteFromYear) {
        return WeekdayOf(dayNumber) == kMonday && IsNamed(dayNumber - 1);
    }
    for (int64_t before = dayNumber - 1;; --before) {
        if (!IsNamed(before)) return false;
        if (WeekdayOf(before) == kSunday) return true;
    }
}

bool IsCitizens(int64_t dayNumber, const CivilDate& date) {
    if (date < kCitizensFrom) return false;
    if (!IsNamed(dayNumber - 1) || !IsNamed(dayNumber + 1)) return false;
    if (date.Year < kFreeSubstituteFromYear) {
        return WeekdayOf(dayNumber) != kSunday && !IsSubstitute(dayNumber, date);
    }
    return true;
}

}  // namespace

EquinoxDayPair EquinoxDays(int Year) {
    for (const EquinoxFormula& f : kEquinoxFormulas) {
        if (Year < f.fromYear || Year > f.toYear) continue;
        // Integer division truncates toward zero, as the formulas' Int does for years before the
        // base year.
        const double t = (Year - 1980) * 0.242194 - (Year - f.leapBaseYear) / 4;
        return {static_cast<int>(f.spring + t), static_cast<int>(f.autumn + t)};
    }
    return {21, 23};
}

std::string HolidayName(int Year, int Month, int Day, bool ApplySubstitute) {
    if (!IsValidDate(Year, Month, Day)) return {};
    const CivilDate date{Year, Month, Day};
    if (const char* name = NamedHoliday(date)) return name;
    const int64_t dayNumber = DaysFromCivil(date);
    if (ApplySubstitute && IsSubstitute(dayNumber, date)) return "振替休日";
    if (IsCitizens(dayNumber, date)) return "国民の休日";
    return {};
}

std::vector<Holiday> HolidaysOfYear(int Year) {
    std::vector<Holiday> holidays;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1, last = DaysInMonth(Year, month); day <= last; ++day) {
            std::string name = HolidayName(Year, month, day, true);
            if (!name.empty()) holidays.push_back({{Year, month, day}, std::move(name)});
        }
    }
    return holidays;
}

}  // namespace orv
