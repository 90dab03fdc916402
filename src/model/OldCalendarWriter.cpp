#include "model/OldCalendarWriter.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "model/Almanac.h"
#include "model/AlmanacData.h"
#include "model/AtomicFile.h"
#include "model/Codec.h"
#include "model/OldCalendar.h"

namespace orv {

namespace {

// Seventy thousand lines: each name is encoded once, the lines are put together as bytes.
void AppendLine(std::string& out, const CivilDate& day, const std::string& encodedName) {
    char date[16];
    const int n = std::snprintf(date, sizeof date, "%04d/%02d/%02d=", day.Year, day.Month, day.Day);
    out.append(date, static_cast<size_t>(n));
    out += encodedName;
    out += "\r\n";
}

void AppendHeader(std::string& out, const char* section) {
    out += Utf8ToCp932(std::string("\r\n[") + section + "]\r\n");
}

// A line for the first day and for every month that begins after it; the days between count on.
void AppendOldDates(std::string& out, const LunisolarCalendar& calendar, const CivilDate& first,
                    const CivilDate& last) {
    AppendHeader(out, kOldDateSection);
    AppendLine(out, first, Utf8ToCp932(LunarDateText(calendar.DateOf(first))));
    for (const LunarMonth& month : calendar.Months()) {
        if (first < month.FirstDay && !(last < month.FirstDay)) {
            AppendLine(out, month.FirstDay,
                       Utf8ToCp932(LunarDateText({month.Number, 1, month.Leap})));
        }
    }
    AppendLine(out, AddDays(last, 1), "");
}

void AppendAlmanacSections(std::string& out, const LunisolarCalendar& calendar) {
    const CivilDate first{calendar.FirstYear(), 1, 1};
    const CivilDate last{calendar.LastYear(), 12, 31};
    AppendOldDates(out, calendar, first, last);

    std::array<std::string, kSeasonalDayKindCount> seasonalNames;
    for (int i = 0; i < kSeasonalDayKindCount; ++i) {
        seasonalNames[i] = Utf8ToCp932(SeasonalDayName(static_cast<SeasonalDayKind>(i)));
    }
    AppendHeader(out, kSeasonalDaySection);
    for (const SeasonalDay& day : SeasonalDaysOf(calendar.Terms())) {
        AppendLine(out, day.Day, seasonalNames[static_cast<int>(day.Kind)]);
    }

    std::array<std::string, kMoonPhaseCount> phaseNames;
    for (int i = 0; i < kMoonPhaseCount; ++i) {
        phaseNames[i] = Utf8ToCp932(MoonPhaseName(static_cast<MoonPhase>(i)));
    }
    AppendHeader(out, kMoonPhaseSection);
    for (const MoonPhaseEvent& event : MoonPhasesBetween(first, last)) {
        AppendLine(out, event.Day, phaseNames[static_cast<int>(event.Phase)]);
    }
}

}  // namespace

std::string OldCalendarFileBytes(const LunisolarCalendar& calendar) {
    std::array<std::string, 6> rokuyo;
    for (int i = 0; i < 6; ++i) rokuyo[i] = Utf8ToCp932(RokuyoName(i));
    std::array<std::string, kSolarTermCount> termNames;
    for (int i = 0; i < kSolarTermCount; ++i) termNames[i] = Utf8ToCp932(SolarTermName(i));

    const CivilDate first{calendar.FirstYear(), 1, 1};
    const CivilDate last{calendar.LastYear(), 12, 31};
    const int64_t dayCount = DaysFromCivil(last) - DaysFromCivil(first) + 1;
    std::string out;
    out.reserve(
        static_cast<size_t>(dayCount + 24 * (calendar.LastYear() - calendar.FirstYear() + 1)) * 18 +
        64);

    out += Utf8ToCp932(std::string("[") + kRokuyoSection + "]\r\n");
    for (CivilDate day = first; day <= last; day = AddDays(day, 1)) {
        AppendLine(out, day, rokuyo[RokuyoIndex(calendar.DateOf(day))]);
    }
    out += Utf8ToCp932(std::string("\r\n[") + kSolarTermSection + "]\r\n");
    for (const SolarTerm& term : calendar.Terms()) AppendLine(out, term.Day, termNames[term.Index]);
    AppendAlmanacSections(out, calendar);
    return out;
}

void WriteOldCalendarFile(const std::string& path, int firstYear, int lastYear) {
    if (firstYear < kOldCalendarFirstYear || lastYear > kOldCalendarLastYear ||
        firstYear > lastYear) {
        throw std::invalid_argument("年は " + std::to_string(kOldCalendarFirstYear) + " から " +
                                    std::to_string(kOldCalendarLastYear) +
                                    " までで、はじめの年を終わりの年より後にはできません");
    }
    WriteFileAtomically(path, OldCalendarFileBytes(LunisolarCalendar(firstYear, lastYear)));
}

}  // namespace orv
