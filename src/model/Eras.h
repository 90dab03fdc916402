#pragma once
// Japanese eras from our own table (era name and first day), for titles and style samples.
#include <string>

#include "model/CivilDate.h"

namespace orv {

// The era year of a date, 1 in the era's first year ("e"); dates before 1868 have no era and
// give the Western year.
int EraYear(const CivilDate& date);
// Era name followed by the era year without leading zero ("gge"): 平成28, 令和8. Dates before
// 1868 give the Western year alone.
std::string EraText(const CivilDate& date);
// The era's name alone (empty before 1868).
std::string EraName(const CivilDate& date);

}  // namespace orv
