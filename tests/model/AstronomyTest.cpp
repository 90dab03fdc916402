#include <gtest/gtest.h>

#include <cmath>

#include "IndependentEphemeris.h"
#include "model/Astronomy.h"
#include "model/SolarTerms.h"

namespace orv {
namespace {

constexpr double kJd1900 = 2415020.5;  // 1900-01-01 0:00
constexpr double kJd2101 = 2488434.5;  // 2101-01-01 0:00

double Seconds(double days) {
    return days * 86400.0;
}

// The instant (TT) of a civil time in UT.
double UtInstant(const CivilDate& day, int hour, int minute) {
    return UtToTt(DaysFromCivil(day) + 2440587.5 + (hour * 60 + minute) / 1440.0);
}

// The day of a term of 1900–2100.
CivilDate DayOfTerm(int year, int index) {
    static const std::vector<SolarTerm> terms = SolarTermsBetween({1900, 1, 1}, {2100, 12, 31});
    for (const SolarTerm& t : terms) {
        if (t.Day.Year == year && t.Index == index) return t.Day;
    }
    return {};
}

TEST(Astronomy, EveryNewMoonOf1900To2100LiesWithinAMinuteOfMeeusLunarPhases) {
    const std::vector<double> moons = NewMoonsBetween(kJd1900, kJd2101);
    ASSERT_EQ(moons.size(), 2487u);  // none skipped, none found twice
    for (size_t i = 0; i < moons.size(); ++i) {
        const double meeus = test::MeeusNewMoon(-1237 + static_cast<int>(i));
        ASSERT_LT(std::fabs(Seconds(moons[i] - meeus)), 60.0) << "lunation " << i;
    }
    // Just after a new moon the next one is a month on.
    EXPECT_NEAR(NextNewMoon(moons[1000] + 1e-4), moons[1001], 1e-5);
    EXPECT_NEAR(NextNewMoon(moons[1000] - 1e-4), moons[1000], 1e-5);
}

TEST(Astronomy, EquinoxesAndSolsticesOf1900To2100LieWithinAMinuteOfMeeus) {
    for (int year = 1900; year <= 2100; ++year) {
        for (int season = 0; season < 4; ++season) {
            const double meeus = test::MeeusSeason(year, season);
            const double ours = SunReachesLongitude(season * 90.0, meeus - 3.0);
            ASSERT_LT(std::fabs(Seconds(ours - meeus)), 60.0) << year << " season " << season;
        }
    }
}

TEST(Astronomy, EverySolarTermOf1900To2100SitsOnItsLongitudeByTheTextbookRoad) {
    // Half an arcsecond, the textbook nutation's own accuracy, is twelve seconds of the Sun's
    // motion.
    const std::vector<SolarTerm> terms = SolarTermsBetween({1900, 1, 1}, {2100, 12, 31});
    ASSERT_EQ(terms.size(), 201u * 24);
    for (size_t i = 0; i < terms.size(); ++i) {
        ASSERT_EQ(terms[i].Index, (static_cast<int>(i) + 19) % 24) << "1900 begins with 小寒";
        const double longitude = test::TextbookSunLongitude(terms[i].InstantTT);
        const double arcseconds =
            (std::fmod(longitude - terms[i].Index * 15.0 + 540, 360) - 180) * 3600;
        ASSERT_LT(std::fabs(arcseconds), 0.5) << PlainDateText(terms[i].Day);
    }
}

TEST(Astronomy, PublishedInstantsAreMetToTheMinute) {
    // Published to the minute (UT), so half a minute of rounding comes on top.
    const double from2024 = UtInstant({2024, 1, 1}, 0, 0);
    const struct {
        double ours, published;
    } cases[] = {
        {SunReachesLongitude(0, from2024), UtInstant({2024, 3, 20}, 3, 6)},
        {SunReachesLongitude(90, from2024), UtInstant({2024, 6, 20}, 20, 51)},
        {SunReachesLongitude(180, from2024), UtInstant({2024, 9, 22}, 12, 44)},
        // The new moons of the solar eclipses of 2017 and 2024.
        {NextNewMoon(UtInstant({2017, 2, 25}, 0, 0)), UtInstant({2017, 2, 26}, 14, 58)},
        {NextNewMoon(UtInstant({2017, 8, 20}, 0, 0)), UtInstant({2017, 8, 21}, 18, 30)},
        {NextNewMoon(UtInstant({2024, 4, 7}, 0, 0)), UtInstant({2024, 4, 8}, 18, 21)},
    };
    for (const auto& c : cases) {
        EXPECT_LT(std::fabs(Seconds(c.ours - c.published)), 90.0) << "JD " << c.published;
    }
}

TEST(Astronomy, DeltaTFollowsTheObservedValuesWithoutJumps) {
    const struct {
        double year, seconds;
    } observed[] = {{1900, -2.72}, {1920, 21.16}, {1950, 29.15}, {1980, 50.54}, {2000, 63.83}};
    for (const auto& o : observed) EXPECT_NEAR(DeltaTSeconds(o.year), o.seconds, 0.5) << o.year;
    for (double year : {1700, 1800, 1860, 1900, 1920, 1941, 1961, 1986, 2005, 2050, 2150}) {
        EXPECT_NEAR(DeltaTSeconds(year - 1e-9), DeltaTSeconds(year), 0.2) << year;
    }
    EXPECT_NEAR(Seconds(UtToTt(2451545.0) - 2451545.0), DeltaTSeconds(2000.0), 1e-4);
}

TEST(Astronomy, JapaneseDaysTurnAtMidnightJst) {
    const double midnight = JstMidnightUt({2026, 3, 20});  // 2026-03-19 15:00 UT
    EXPECT_DOUBLE_EQ(midnight, 2461118.5 + 15.0 / 24.0);
    EXPECT_EQ(JstDayOfUt(midnight), (CivilDate{2026, 3, 20}));
    EXPECT_EQ(JstDayOfUt(midnight - 1e-6), (CivilDate{2026, 3, 19}));
    EXPECT_EQ(JstDayOfUt(midnight + 1.0 - 1e-6), (CivilDate{2026, 3, 20}));
}

TEST(Astronomy, TermDaysAreThoseOfTheJapaneseAlmanac) {
    EXPECT_EQ(DayOfTerm(2026, 0), (CivilDate{2026, 3, 20}));    // 春分
    EXPECT_EQ(DayOfTerm(2026, 18), (CivilDate{2026, 12, 22}));  // 冬至

    // Widely reported: 節分 fell on 2 February in 2021 for the first time since 1897 (立春 came
    // at 23:59 JST on the 3rd), and again in 2025.
    for (int year = 1900; year <= 2020; ++year) EXPECT_NE(DayOfTerm(year, 21).Day, 3) << year;
    EXPECT_EQ(DayOfTerm(2021, 21), (CivilDate{2021, 2, 3}));
    EXPECT_EQ(DayOfTerm(2025, 21), (CivilDate{2025, 2, 3}));

    // The almanac formula for the equinox holidays of 1900–2099, fitted by the Japanese
    // hydrographic office to the full theory.
    for (int year = 1900; year <= 2099; ++year) {
        const double y = year - 1980;
        const double leap = std::floor(y / 4.0);
        const int spring =
            static_cast<int>((year < 1980 ? 20.8357 : 20.8431) + 0.242194 * y - leap);
        const int autumn =
            static_cast<int>((year < 1980 ? 23.2588 : 23.2488) + 0.242194 * y - leap);
        EXPECT_EQ(DayOfTerm(year, 0), (CivilDate{year, 3, spring}));
        EXPECT_EQ(DayOfTerm(year, 12), (CivilDate{year, 9, autumn}));
    }
}

}  // namespace
}  // namespace orv
