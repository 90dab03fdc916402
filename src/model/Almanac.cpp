#include "model/Almanac.h"

#include <algorithm>
#include <map>

#include "model/Astronomy.h"

namespace orv {

namespace {

constexpr const char* kSeasonalNames[kSeasonalDayKindCount] = {
    "節分",   "彼岸入り", "彼岸明け", "八十八夜",   "入梅",
    "半夏生", "土用入り", "二百十日", "二百二十日",
};
constexpr const char* kPhaseNames[kMoonPhaseCount] = {"新月", "上弦", "満月", "下弦"};

constexpr int kSpringEquinoxTerm = 0;
constexpr int kAutumnEquinoxTerm = 12;
constexpr int kRisshunTerm = 21;

CivilDate DayOfInstant(double jdTT) {
    return JstDayOfUt(TtToUt(jdTT));
}

}  // namespace

const char* SeasonalDayName(SeasonalDayKind kind) {
    return kSeasonalNames[static_cast<int>(kind)];
}

const char* MoonPhaseName(MoonPhase phase) {
    return kPhaseNames[static_cast<int>(phase)];
}

std::vector<SeasonalDay> SeasonalDaysOf(const std::vector<SolarTerm>& terms) {
    struct YearTerms {
        const SolarTerm* risshun = nullptr;
        const SolarTerm* spring = nullptr;
        const SolarTerm* autumn = nullptr;
    };
    std::map<int, YearTerms> years;
    for (const SolarTerm& term : terms) {
        YearTerms& y = years[term.Day.Year];
        if (term.Index == kRisshunTerm) y.risshun = &term;
        if (term.Index == kSpringEquinoxTerm) y.spring = &term;
        if (term.Index == kAutumnEquinoxTerm) y.autumn = &term;
    }
    std::vector<SeasonalDay> days;
    for (const auto& [year, y] : years) {
        if (y.risshun == nullptr || y.spring == nullptr || y.autumn == nullptr) continue;
        const CivilDate risshun = y.risshun->Day;
        days.push_back({SeasonalDayKind::Setsubun, AddDays(risshun, -1)});
        days.push_back({SeasonalDayKind::Hachijuhachiya, AddDays(risshun, 87)});
        days.push_back({SeasonalDayKind::Nihyakutoka, AddDays(risshun, 209)});
        days.push_back({SeasonalDayKind::Nihyakuhatsuka, AddDays(risshun, 219)});
        for (const SolarTerm* equinox : {y.spring, y.autumn}) {
            days.push_back({SeasonalDayKind::HiganStart, AddDays(equinox->Day, -3)});
            days.push_back({SeasonalDayKind::HiganEnd, AddDays(equinox->Day, 3)});
        }
        // From 1 January the Sun, near 280°, reaches each of these within the same year.
        const double newYearTT = UtToTt(JstMidnightUt({year, 1, 1}));
        const auto at = [&](double degrees, SeasonalDayKind kind) {
            days.push_back({kind, DayOfInstant(SunReachesLongitude(degrees, newYearTT))});
        };
        at(80, SeasonalDayKind::Nyubai);
        at(100, SeasonalDayKind::Hangesho);
        for (double doyo : {297.0, 27.0, 117.0, 207.0}) at(doyo, SeasonalDayKind::DoyoStart);
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const SeasonalDay& a, const SeasonalDay& b) { return a.Day < b.Day; });
    return days;
}

std::vector<MoonPhaseEvent> MoonPhasesBetween(const CivilDate& first, const CivilDate& last) {
    // From a lunation before the first day to one past the last, so that no quarter near either
    // end is lost; the day filter drops the rest.
    const double fromTT = UtToTt(JstMidnightUt(AddDays(first, -31)));
    const double toTT = UtToTt(JstMidnightUt(AddDays(last, 31)));
    const std::vector<double> newMoons = NewMoonsBetween(fromTT, toTT);
    std::vector<MoonPhaseEvent> events;
    const auto add = [&](MoonPhase phase, double t) {
        const CivilDate day = DayOfInstant(t);
        if (!(day < first) && !(last < day)) events.push_back({phase, t, day});
    };
    for (size_t i = 0; i + 1 < newMoons.size(); ++i) {
        add(MoonPhase::New, newMoons[i]);
        double t = newMoons[i];
        for (int q = 1; q < 4; ++q) {
            // A quarter lies within about a day of its share of what is left of the lunation.
            t = MoonReachesElongationNear(90.0 * q, t + (newMoons[i + 1] - t) / (4 - q + 1));
            add(static_cast<MoonPhase>(q), t);
        }
    }
    return events;
}

std::string LunarDateText(const LunarDate& date) {
    return (date.Leap ? "閏" : "") + std::to_string(date.Month) + "/" + std::to_string(date.Day);
}

}  // namespace orv
