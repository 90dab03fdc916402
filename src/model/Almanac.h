#pragma once
// What a Japanese wall calendar prints besides the rokuyo and the solar terms: the seasonal days
// (雑節) as the national almanac defines them, and the four principal phases of the Moon. Both are
// dated by their JST day, from the same astronomy as the old calendar.
#include <string>
#include <vector>

#include "model/CivilDate.h"
#include "model/LunisolarCalendar.h"
#include "model/SolarTerms.h"

namespace orv {

enum class SeasonalDayKind {
    Setsubun,        // 節分: the day before 立春
    HiganStart,      // 彼岸入り: three days before 春分 or 秋分
    HiganEnd,        // 彼岸明け: three days after
    Hachijuhachiya,  // 八十八夜: 立春 + 87 days
    Nyubai,          // 入梅: the Sun at 80°
    Hangesho,        // 半夏生: 100°
    DoyoStart,       // 土用入り: 27°, 117°, 207°, 297°
    Nihyakutoka,     // 二百十日: 立春 + 209 days
    Nihyakuhatsuka,  // 二百二十日: 立春 + 219 days
};
inline constexpr int kSeasonalDayKindCount = 9;

struct SeasonalDay {
    SeasonalDayKind Kind;
    CivilDate Day;
};

// UTF-8 name of a kind, e.g. "八十八夜".
const char* SeasonalDayName(SeasonalDayKind kind);

// The seasonal days of every year that `terms` covers whole (立春 and both equinoxes in it), in
// day order.
std::vector<SeasonalDay> SeasonalDaysOf(const std::vector<SolarTerm>& terms);

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };
inline constexpr int kMoonPhaseCount = 4;

struct MoonPhaseEvent {
    MoonPhase Phase;
    double InstantTT = 0;
    CivilDate Day;  // the JST day of the instant
};

// UTF-8 name: 新月, 上弦, 満月, 下弦.
const char* MoonPhaseName(MoonPhase phase);

// Every phase whose JST day lies in [first, last], in time order; the new moons are those that
// begin the old-calendar months.
std::vector<MoonPhaseEvent> MoonPhasesBetween(const CivilDate& first, const CivilDate& last);

// An old-calendar date as the data file and the command line write it: "12/3", "閏11/3".
std::string LunarDateText(const LunarDate& date);

}  // namespace orv
