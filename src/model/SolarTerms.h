#pragma once
// The twenty-four solar terms: the instants at which the Sun's apparent longitude reaches a
// multiple of 15°, and the Japanese civil days on which they fall.
#include <vector>

#include "model/CivilDate.h"

namespace orv {

inline constexpr int kSolarTermCount = 24;
inline constexpr int kWinterSolsticeTerm = 18;  // 冬至, 270°

// The term at longitude index × 15°: 0 春分 (0°), 1 清明, … 18 冬至 (270°), … 23 啓蟄 (345°).
// UTF-8; index outside 0..23 gives "".
const char* SolarTermName(int index);
// The principal terms (中気) are those at multiples of 30°; they place the old-calendar months.
inline bool IsPrincipalTerm(int index) {
    return index % 2 == 0;
}

struct SolarTerm {
    int Index = 0;         // longitude / 15°
    double InstantTT = 0;  // Julian date, TT
    CivilDate Day;         // the JST day of the instant
};

// Every term whose JST day lies in [first, last], in time order.
std::vector<SolarTerm> SolarTermsBetween(const CivilDate& first, const CivilDate& last);

}  // namespace orv
