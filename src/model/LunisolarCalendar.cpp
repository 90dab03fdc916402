#include "model/LunisolarCalendar.h"

#include <algorithm>
#include <stdexcept>

#include "model/Astronomy.h"

namespace orv {

namespace {

constexpr const char* kRokuyoNames[6] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};

// Index of the month (by its first day) that holds `day`; months must begin on or before it.
size_t MonthHolding(const std::vector<CivilDate>& firstDays, const CivilDate& day) {
    const auto after = std::upper_bound(firstDays.begin(), firstDays.end(), day);
    if (after == firstDays.begin()) throw std::logic_error("no month begins before the day");
    return static_cast<size_t>(after - firstDays.begin()) - 1;
}

}  // namespace

LunisolarCalendar::LunisolarCalendar(int firstYear, int lastYear)
    : firstYear_(firstYear), lastYear_(lastYear) {
    if (firstYear > lastYear) throw std::invalid_argument("the first year comes after the last");

    // The months of a year are numbered from the winter solstices around it: the one of the
    // year before places the months of January, the one of the year after decides whether the
    // months of December are leap.
    const std::vector<SolarTerm> allTerms =
        SolarTermsBetween({firstYear - 1, 12, 1}, {lastYear + 1, 12, 31});
    std::vector<CivilDate> solstices;
    std::vector<CivilDate> principalDays;
    for (const SolarTerm& term : allTerms) {
        if (term.Index == kWinterSolsticeTerm) solstices.push_back(term.Day);
        if (IsPrincipalTerm(term.Index)) principalDays.push_back(term.Day);
        if (term.Day.Year >= firstYear && term.Day.Year <= lastYear) terms_.push_back(term);
    }

    // A lunar month is under 30 days: 31 days back from the first solstice reaches the new moon
    // that begins its month, and 31 days past the last one the new moon that ends it.
    const double fromTT = UtToTt(JstMidnightUt(AddDays(solstices.front(), -31)));
    const double toTT = UtToTt(JstMidnightUt(AddDays(solstices.back(), 31)));
    std::vector<CivilDate> firstDays;
    for (double moon : NewMoonsBetween(fromTT, toTT)) firstDays.push_back(JstDayOfUt(TtToUt(moon)));

    const auto holdsPrincipalTerm = [&](size_t month) {
        const auto term =
            std::lower_bound(principalDays.begin(), principalDays.end(), firstDays[month]);
        return term != principalDays.end() && *term < firstDays[month + 1];
    };

    for (size_t y = 0; y + 1 < solstices.size(); ++y) {
        const size_t eleventh = MonthHolding(firstDays, solstices[y]);
        const size_t nextEleventh = MonthHolding(firstDays, solstices[y + 1]);
        const size_t count = nextEleventh - eleventh;
        if (count != 12 && count != 13) {
            throw std::logic_error("a year of the old calendar without 12 or 13 months");
        }
        size_t leap = nextEleventh;  // none
        if (count == 13) {
            // Twelve principal terms in thirteen months leave at least one month without.
            for (size_t m = eleventh + 1; m < nextEleventh; ++m) {
                if (!holdsPrincipalTerm(m)) {
                    leap = m;
                    break;
                }
            }
        }
        int number = 11;
        for (size_t m = eleventh; m < nextEleventh; ++m) {
            if (m != eleventh && m != leap) number = number % 12 + 1;
            months_.push_back({firstDays[m], number, m == leap});
        }
        end_ = firstDays[nextEleventh];
    }
}

LunarDate LunisolarCalendar::DateOf(const CivilDate& day) const {
    if (day.Year < firstYear_ || day.Year > lastYear_ || months_.empty() || !(day < end_) ||
        day < months_.front().FirstDay) {
        throw std::out_of_range("the day " + PlainDateText(day) +
                                " lies outside the computed years");
    }
    const auto after = std::upper_bound(
        months_.begin(), months_.end(), day,
        [](const CivilDate& d, const LunarMonth& month) { return d < month.FirstDay; });
    const LunarMonth& month = *(after - 1);
    const int dayNumber = static_cast<int>(DaysFromCivil(day) - DaysFromCivil(month.FirstDay)) + 1;
    return {month.Number, dayNumber, month.Leap};
}

int RokuyoIndex(const LunarDate& date) {
    return (date.Month + date.Day) % 6;
}

const char* RokuyoName(int index) {
    return index >= 0 && index < 6 ? kRokuyoNames[index] : "";
}

}  // namespace orv
