#pragma once
// The old-calendar data file 旧暦.ini made from the computed calendar: section "六曜" with one
// line "yyyy/mm/dd=name" for every day, section "二十四節気" with one line for every day on
// which a solar term begins, then the almanac sections (AlmanacData.h); code page 932, CR LF.
#include <string>

#include "model/LunisolarCalendar.h"

namespace orv {

inline constexpr int kOldCalendarFirstYear = 1800;
inline constexpr int kOldCalendarLastYear = 2200;

// The file's bytes for every year the calendar covers.
std::string OldCalendarFileBytes(const LunisolarCalendar& calendar);

// Computes the years firstYear..lastYear (within kOldCalendarFirstYear..kOldCalendarLastYear,
// std::invalid_argument otherwise) and writes them to `path` atomically; IoError with the
// reason when the file cannot be written, leaving any previous file as it was.
void WriteOldCalendarFile(const std::string& path, int firstYear, int lastYear);

}  // namespace orv
