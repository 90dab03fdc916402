#pragma once
// iCalendar (RFC 5545) through libical: the days of its events, and memorial days written as one.
#include <string>
#include <string_view>

#include "model/MemorialImport.h"

namespace orv {

// The events of a calendar as days. A rule that repeats on one date every year with no end
// gives an every-year day; other events give their dates within `years` (each day a long event
// covers). Times in a zone are taken in the computer's local time, so an evening flight from
// abroad lands on the day it is here; an all-day event stays on its day. Error for bytes that
// hold no calendar.
ImportedDays ReadICalendar(std::string_view text, ImportYears years);

// The memorial days as an iCalendar of all-day events; an every-year day repeats yearly from
// `firstYear` (the leap year before for 29 February). Dates that are no date are left out and
// counted in `skipped`.
std::string WriteICalendar(const TMemorials& list, int firstYear, int* skipped = nullptr);

}  // namespace orv
