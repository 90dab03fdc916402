#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "IndependentEphemeris.h"
#include "model/Almanac.h"
#include "model/AlmanacData.h"
#include "model/Codec.h"

namespace orv {
namespace {

std::vector<std::string> DaysOf(const std::vector<SeasonalDay>& days, SeasonalDayKind kind) {
    std::vector<std::string> found;
    for (const SeasonalDay& day : days) {
        if (day.Kind == kind) found.push_back(PlainDateText(day.Day));
    }
    return found;
}

TEST(Almanac, SeasonalDaysOf2027AreThoseOfTheNationalAlmanac) {
    const auto days = SeasonalDaysOf(SolarTermsBetween({2027, 1, 1}, {2027, 12, 31}));
    using K = SeasonalDayKind;
    using V = std::vector<std::string>;
    EXPECT_EQ(DaysOf(days, K::Setsubun), V{"2027/2/3"});
    EXPECT_EQ(DaysOf(days, K::HiganStart), (V{"2027/3/18", "2027/9/20"}));
    EXPECT_EQ(DaysOf(days, K::HiganEnd), (V{"2027/3/24", "2027/9/26"}));
    EXPECT_EQ(DaysOf(days, K::Hachijuhachiya), V{"2027/5/2"});
    EXPECT_EQ(DaysOf(days, K::Nyubai), V{"2027/6/11"});
    EXPECT_EQ(DaysOf(days, K::Hangesho), V{"2027/7/2"});
    EXPECT_EQ(DaysOf(days, K::DoyoStart), (V{"2027/1/17", "2027/4/17", "2027/7/20", "2027/10/21"}));
    EXPECT_EQ(DaysOf(days, K::Nihyakutoka), V{"2027/9/1"});
    EXPECT_EQ(DaysOf(days, K::Nihyakuhatsuka), V{"2027/9/11"});
    for (size_t i = 1; i < days.size(); ++i) EXPECT_FALSE(days[i].Day < days[i - 1].Day);
}

TEST(Almanac, EveryMoonPhaseOf1900To2100LiesWithinAMinuteOfMeeus) {
    const std::vector<MoonPhaseEvent> events = MoonPhasesBetween({1900, 1, 1}, {2100, 12, 31});
    ASSERT_GT(events.size(), 4u * 2480);
    for (size_t i = 0; i < events.size(); ++i) {
        const int phase = static_cast<int>(events[i].Phase);
        if (i > 0) {
            // In turn, none skipped and none found twice.
            ASSERT_EQ(phase, (static_cast<int>(events[i - 1].Phase) + 1) % 4) << i;
        }
        const int lunation = static_cast<int>(
            std::lround((events[i].InstantTT - 2451550.09766) / 29.530588861 - phase / 4.0));
        const double meeus = test::MeeusLunarPhase(lunation, phase);
        ASSERT_LT(std::fabs(events[i].InstantTT - meeus) * 86400.0, 60.0)
            << PlainDateText(events[i].Day) << " " << MoonPhaseName(events[i].Phase);
    }
    // The full moon of 25 January 2024, 17:54 UT, falls on the 26th in Japan.
    const auto full = std::find_if(events.begin(), events.end(), [](const MoonPhaseEvent& e) {
        return e.Phase == MoonPhase::Full && e.Day.Year == 2024;
    });
    ASSERT_NE(full, events.end());
    EXPECT_EQ(PlainDateText(full->Day), "2024/1/26");
}

TEST(AlmanacData, ReadsItsSectionsAndPassesOverWhatItCannotRead) {
    AlmanacData data;
    data.Read(Utf8ToCp932(
        "[六曜]\r\n2027/01/01=友引\r\n\r\n"
        "[旧暦日付]\r\n2027/01/01=11/24\r\n2027/01/08=12/1\r\n2033/12/22=閏11/1\r\n"
        "2034/01/20=12/1\r\nbad=1/1\r\n2034/02/01=13/1\r\n2034/02/02=\r\n\r\n"
        "[雑節]\r\n2027/02/03=節分\r\n2027/02/03=別の雑節\r\n\r\n"
        "[月の満ち欠け]\r\n2027/01/22=満月\r\n2027/01/23=半月\r\n[その他]\r\n2027/01/24=新月\r\n"));
    EXPECT_EQ(data.OldDateOn({2026, 12, 31}), "");
    EXPECT_EQ(data.OldDateOn({2027, 1, 7}), "11/30");
    EXPECT_EQ(data.OldDateOn({2027, 1, 8}), "12/1");
    EXPECT_EQ(data.OldDateOn({2034, 1, 1}), "閏11/11");
    EXPECT_EQ(data.OldDateOn({2034, 2, 1}), "12/13");  // the line of month 13 is passed over
    EXPECT_EQ(data.OldDateOn({2034, 2, 2}), "");       // the data end here
    EXPECT_EQ(data.OldDateOn({2030, 1, 1}), "");       // no month lasts that long
    EXPECT_EQ(data.SeasonalDaysOn({2027, 2, 3}), "節分¶別の雑節");
    EXPECT_EQ(data.SeasonalDaysOn({2027, 2, 4}), "");
    EXPECT_EQ(data.MoonPhaseOn({2027, 1, 22}), 2);
    EXPECT_EQ(data.MoonPhaseOn({2027, 1, 23}), -1);
    EXPECT_EQ(data.MoonPhaseOn({2027, 1, 24}), -1);  // not in its section

    data.Read(Utf8ToCp932("[六曜]\r\n2027/01/01=友引\r\n"));
    EXPECT_TRUE(data.Empty());
}

}  // namespace
}  // namespace orv
