#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "LunisolarCalendar.h"

namespace orv {
namespace {

std::string Text(const LunarMonth& month) {
    return PlainDateText(month.FirstDay) + (month.Leap ? " 閏" : " ") +
           std::to_string(month.Number);
}

TEST(LunisolarCalendar, LeapMonthsOf2000To2036AreTheAlmanacs) {
    const LunisolarCalendar calendar(2000, 2036);
    std::vector<std::string> leaps;
    for (const LunarMonth& month : calendar.Months()) {
        if (month.Leap && month.FirstDay >= CivilDate{2000, 1, 1} &&
            month.FirstDay < CivilDate{2037, 1, 1}) {
            leaps.push_back(Text(month));
        }
    }
    const std::vector<std::string> almanac = {
        "2001/5/23 閏4",  "2004/3/21 閏2", "2006/8/24 閏7",   "2009/6/23 閏5", "2012/4/21 閏3",
        "2014/10/24 閏9", "2017/6/24 閏5", "2020/5/23 閏4",   "2023/3/22 閏2", "2025/7/25 閏6",
        "2028/6/23 閏5",  "2031/4/22 閏3", "2033/12/22 閏11", "2036/7/23 閏6",
    };
    EXPECT_EQ(leaps, almanac);
}

TEST(LunisolarCalendar, The2033ProblemResolvesToALeapEleventhMonth) {
    // Around 2033 a month with two principal terms sits beside months with none; the calendar
    // adopted in Japan keeps 11 for the solstice month and makes the following one 閏11月.
    const LunisolarCalendar calendar(2033, 2034);
    std::vector<std::string> months;
    for (const LunarMonth& month : calendar.Months()) {
        if (month.FirstDay >= CivilDate{2033, 7, 1} && month.FirstDay < CivilDate{2034, 4, 1}) {
            months.push_back(Text(month));
        }
    }
    const std::vector<std::string> expected = {
        "2033/7/26 7",     "2033/8/25 8",  "2033/9/23 9", "2033/10/23 10", "2033/11/22 11",
        "2033/12/22 閏11", "2034/1/20 12", "2034/2/19 1", "2034/3/20 2",
    };
    EXPECT_EQ(months, expected);
    EXPECT_EQ(calendar.DateOf({2034, 1, 1}), (LunarDate{11, 11, true}));
}

TEST(LunisolarCalendar, NewYearsDaysOf2000To2027AreTheKnownOnes) {
    const LunisolarCalendar calendar(2000, 2027);
    std::vector<std::string> newYears;
    for (const LunarMonth& month : calendar.Months()) {
        if (month.Number == 1 && !month.Leap && month.FirstDay.Year >= 2000 &&
            month.FirstDay.Year <= 2027) {
            newYears.push_back(PlainDateText(month.FirstDay));
        }
    }
    const std::vector<std::string> known = {
        "2000/2/5",  "2001/1/24", "2002/2/12", "2003/2/1",  "2004/1/22", "2005/2/9",  "2006/1/29",
        "2007/2/18", "2008/2/7",  "2009/1/26", "2010/2/14", "2011/2/3",  "2012/1/23", "2013/2/10",
        "2014/1/31", "2015/2/19", "2016/2/8",  "2017/1/28", "2018/2/16", "2019/2/5",  "2020/1/25",
        "2021/2/12", "2022/2/1",  "2023/1/22", "2024/2/10", "2025/1/29", "2026/2/17", "2027/2/7",
    };
    EXPECT_EQ(newYears, known);
}

TEST(LunisolarCalendar, MonthsFollowTheRuleThroughTheCenturies) {
    const LunisolarCalendar centuries(1900, 2100);
    const auto& months = centuries.Months();
    const std::vector<SolarTerm>& terms = centuries.Terms();
    ASSERT_LE(months.front().FirstDay, (CivilDate{1900, 1, 1}));
    const auto termsIn = [&](size_t m) {
        std::vector<int> found;
        const CivilDate end =
            m + 1 < months.size() ? months[m + 1].FirstDay : CivilDate{9999, 1, 1};
        for (const SolarTerm& t : terms) {
            if (t.Day >= months[m].FirstDay && t.Day < end && IsPrincipalTerm(t.Index)) {
                found.push_back(t.Index);
            }
        }
        return found;
    };
    int leapCount = 0;
    int sinceLastEleventh = 0;
    for (size_t m = 0; m + 1 < months.size(); ++m) {
        const int length = static_cast<int>(DaysFromCivil(months[m + 1].FirstDay) -
                                            DaysFromCivil(months[m].FirstDay));
        ASSERT_TRUE(length == 29 || length == 30) << Text(months[m]);
        if (m > 0) {
            const int expected =
                months[m].Leap ? months[m - 1].Number : months[m - 1].Number % 12 + 1;
            ASSERT_EQ(months[m].Number, expected) << Text(months[m]);
        }
        const std::vector<int> principal = termsIn(m);
        if (months[m].FirstDay.Year < 1900 || months[m + 1].FirstDay.Year > 2100) continue;
        if (months[m].Leap) {
            ++leapCount;
            EXPECT_TRUE(principal.empty()) << Text(months[m]);
        }
        const bool holdsSolstice =
            std::find(principal.begin(), principal.end(), kWinterSolsticeTerm) != principal.end();
        EXPECT_EQ(holdsSolstice, months[m].Number == 11 && !months[m].Leap) << Text(months[m]);
        if (months[m].Number == 11 && !months[m].Leap) {
            EXPECT_TRUE(sinceLastEleventh == 0 || sinceLastEleventh == 12 ||
                        sinceLastEleventh == 13);
            sinceLastEleventh = 0;
        }
        ++sinceLastEleventh;
    }
    // Seven leap months in nineteen years: 74 in the two centuries.
    EXPECT_NEAR(leapCount, 201 * 7 / 19, 1);
}

TEST(LunisolarCalendar, DatesOfDaysCountFromTheMonthsNewMoon) {
    const LunisolarCalendar calendar(2023, 2024);
    EXPECT_EQ(calendar.DateOf({2024, 2, 10}), (LunarDate{1, 1, false}));
    EXPECT_EQ(calendar.DateOf({2024, 2, 9}), (LunarDate{12, 30, false}));
    EXPECT_EQ(calendar.DateOf({2024, 1, 1}), (LunarDate{11, 20, false}));
    EXPECT_EQ(calendar.DateOf({2023, 3, 22}), (LunarDate{2, 1, true}));
    EXPECT_EQ(calendar.DateOf({2023, 1, 1}), (LunarDate{12, 10, false}));
    EXPECT_EQ(calendar.DateOf({2024, 12, 31}), (LunarDate{12, 1, false}));
    EXPECT_THROW(calendar.DateOf({2022, 12, 31}), std::out_of_range);
    EXPECT_THROW(calendar.DateOf({2025, 1, 1}), std::out_of_range);
    EXPECT_THROW(LunisolarCalendar(2025, 2024), std::invalid_argument);
}

TEST(LunisolarCalendar, RokuyoRunsFromTheMonthAndDay) {
    // The first day of months 1..6 (and again 7..12) opens the cycle at 先勝, 友引, 先負, 仏滅,
    // 大安, 赤口.
    const char* const firstDays[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_STREQ(RokuyoName(RokuyoIndex({month, 1, false})), firstDays[(month - 1) % 6]);
    }
    EXPECT_STREQ(RokuyoName(RokuyoIndex({1, 2, false})), "友引");
    EXPECT_STREQ(RokuyoName(RokuyoIndex({11, 20, false})), "赤口");
    // A leap month counts as its number.
    EXPECT_EQ(RokuyoIndex({2, 1, true}), RokuyoIndex({2, 1, false}));
    EXPECT_STREQ(RokuyoName(6), "");
    EXPECT_STREQ(RokuyoName(-1), "");

    // Calendars printed 赤口 on New Year's Day 2024, 先勝 on that of 2025.
    const LunisolarCalendar calendar(2024, 2025);
    EXPECT_STREQ(RokuyoName(RokuyoIndex(calendar.DateOf({2024, 1, 1}))), "赤口");
    EXPECT_STREQ(RokuyoName(RokuyoIndex(calendar.DateOf({2025, 1, 1}))), "先勝");
}

}  // namespace
}  // namespace orv
