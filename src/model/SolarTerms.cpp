#include "model/SolarTerms.h"

#include <cmath>

#include "model/Astronomy.h"

namespace orv {

namespace {

constexpr const char* kNames[kSolarTermCount] = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄",
};

// Consecutive terms lie 14.7 to 15.8 days apart: searching from this far past one term finds the
// next without any chance of finding the same one again.
constexpr double kSearchPastTermDays = 10.0;

}  // namespace

const char* SolarTermName(int index) {
    return index >= 0 && index < kSolarTermCount ? kNames[index] : "";
}

std::vector<SolarTerm> SolarTermsBetween(const CivilDate& first, const CivilDate& last) {
    std::vector<SolarTerm> terms;
    // A day early, so that a term right at the first midnight is not lost to the round trip
    // between TT and UT; the day filter below drops what comes too early.
    const double startTT = UtToTt(JstMidnightUt(first)) - 1.0;
    int index = (static_cast<int>(std::floor(SunApparentLongitude(startTT).Degrees / 15.0)) + 1) %
                kSolarTermCount;
    double t = SunReachesLongitude(index * 15.0, startTT);
    double interval = 0;
    double previousInterval = 0;
    for (;;) {
        const CivilDate day = JstDayOfUt(TtToUt(t));
        if (day > last) break;
        if (day >= first) terms.push_back({index, t, day});
        index = (index + 1) % kSolarTermCount;
        double next;
        if (previousInterval > 0) {
            // The intervals change smoothly over the year: extrapolating the last two puts the
            // guess within an hour of the term, which saves Newton a step.
            next = SunReachesLongitudeNear(index * 15.0, t + 2 * interval - previousInterval);
        } else {
            next = SunReachesLongitude(index * 15.0, t + kSearchPastTermDays);
        }
        previousInterval = interval;
        interval = next - t;
        t = next;
    }
    return terms;
}

}  // namespace orv
