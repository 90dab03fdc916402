#pragma once
// Japanese national holidays by the holiday law as it stands today, right for 1955-2099 and
// computed without any file or state: the same date always gives the same answer.
#include <string>
#include <vector>

#include "model/CivilDate.h"

namespace orv {

// The days of the equinox holidays in one year: SpringDay of March, AutumnDay of September.
struct EquinoxDayPair {
    int SpringDay = 0;
    int AutumnDay = 0;
};

// By the usual approximation formulas for 1900-2150; 21 March / 23 September outside that range.
EquinoxDayPair EquinoxDays(int Year);

// The holiday name of a date, or the empty text when it is no holiday. Year is a Gregorian year,
// Month 1..12, Day a day that the month has (any other date is no holiday). ApplySubstitute
// switches the substitute holiday ("振替休日") on; callers normally pass true. Citizens' holidays
// ("国民の休日") are given either way.
std::string HolidayName(int Year, int Month, int Day, bool ApplySubstitute);

struct Holiday {
    CivilDate Date;
    std::string Name;
};

// Every holiday of a year in date order, substitute holidays included.
std::vector<Holiday> HolidaysOfYear(int Year);

}  // namespace orv
