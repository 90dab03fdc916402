#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "model/LunisolarCalendar.h"

namespace orv {
namespace {

std::string Text(const LunarMonth& month) {
    return PlainDateText(month.FirstDay) + (month.Leap ? " 閏" : " ") +
           std::to_string(month.Number);
}

TEST(LunisolarCalendar, LeapMonthsAndNewYearsOf2000To2036AreTheAlmanacs) {
    const LunisolarCalendar calendar(2000, 2036);
    std::vector<std::string> leaps;
    std::vector<std::string> newYears;
    for (const LunarMonth& month : calendar.Months()) {
        if (month.FirstDay.Year < 2000) continue;
        if (month.Leap) leaps.push_back(Text(month));
        if (month.Number == 1 && !month.Leap && month.FirstDay.Year <= 2027) {
            newYears.push_back(PlainDateText(month.FirstDay));
        }
    }
    EXPECT_EQ(leaps, (std::vector<std::string>{"2001/5/23 閏4", "2004/3/21 閏2", "2006/8/24 閏7",
                                               "2009/6/23 閏5", "2012/4/21 閏3", "2014/10/24 閏9",
                                               "2017/6/24 閏5", "2020/5/23 閏4", "2023/3/22 閏2",
                                               "2025/7/25 閏6", "2028/6/23 閏5", "2031/4/22 閏3",
                                               "2033/12/22 閏11", "2036/7/23 閏6"}));
    EXPECT_EQ(newYears,
              (std::vector<std::string>{
                  "2000/2/5",  "2001/1/24", "2002/2/12", "2003/2/1",  "2004/1/22", "2005/2/9",
                  "2006/1/29", "2007/2/18", "2008/2/7",  "2009/1/26", "2010/2/14", "2011/2/3",
                  "2012/1/23", "2013/2/10", "2014/1/31", "2015/2/19", "2016/2/8",  "2017/1/28",
                  "2018/2/16", "2019/2/5",  "2020/1/25", "2021/2/12", "2022/2/1",  "2023/1/22",
                  "2024/2/10", "2025/1/29", "2026/2/17", "2027/2/7"}));
}

TEST(LunisolarCalendar, The2033ProblemResolvesToALeapEleventhMonth) {
    // Month 11 of 2033 holds both 小雪 and 冬至, the months before 9 and after it hold no
    // principal term; the calendar adopted in Japan makes the month after 11 閏11月.
    const LunisolarCalendar calendar(2033, 2034);
    std::vector<std::string> months;
    for (const LunarMonth& month : calendar.Months()) {
        if (month.FirstDay >= CivilDate{2033, 8, 1} && month.FirstDay < CivilDate{2034, 3, 1}) {
            months.push_back(Text(month));
        }
    }
    EXPECT_EQ(months, (std::vector<std::string>{"2033/8/25 8", "2033/9/23 9", "2033/10/23 10",
                                                "2033/11/22 11", "2033/12/22 閏11", "2034/1/20 12",
                                                "2034/2/19 1"}));
    EXPECT_EQ(calendar.DateOf({2034, 1, 1}), (LunarDate{11, 11, true}));
}

TEST(LunisolarCalendar, MonthsFollowTheRuleThroughTheCenturies) {
    const LunisolarCalendar calendar(1900, 2100);
    const auto& months = calendar.Months();
    ASSERT_LE(months.front().FirstDay, (CivilDate{1900, 1, 1}));
    std::vector<CivilDate> solstices;
    std::vector<CivilDate> principal;
    for (const SolarTerm& t : calendar.Terms()) {
        if (IsPrincipalTerm(t.Index)) principal.push_back(t.Day);
        if (t.Index == kWinterSolsticeTerm) solstices.push_back(t.Day);
    }
    int leapCount = 0;
    for (size_t m = 1; m + 1 < months.size(); ++m) {
        const LunarMonth& month = months[m];
        const CivilDate end = months[m + 1].FirstDay;
        const auto length = DaysFromCivil(end) - DaysFromCivil(month.FirstDay);
        ASSERT_TRUE(length == 29 || length == 30) << Text(month);
        const int previous = months[m - 1].Number;
        ASSERT_EQ(month.Number, month.Leap ? previous : previous % 12 + 1) << Text(month);
        const auto inMonth = [&](const CivilDate& d) { return d >= month.FirstDay && d < end; };
        if (end.Year > 2100) continue;
        if (month.Leap) {
            ++leapCount;
            EXPECT_TRUE(std::none_of(principal.begin(), principal.end(), inMonth)) << Text(month);
        }
        EXPECT_EQ(std::any_of(solstices.begin(), solstices.end(), inMonth),
                  month.Number == 11 && !month.Leap)
            << Text(month);
    }
    // Seven leap months in nineteen years.
    EXPECT_NEAR(leapCount, 201 * 7 / 19, 1);
}

TEST(LunisolarCalendar, DaysCountFromTheNewMoonAndGiveTheirRokuyo) {
    const LunisolarCalendar calendar(2023, 2025);
    EXPECT_EQ(calendar.DateOf({2024, 2, 10}), (LunarDate{1, 1, false}));
    EXPECT_EQ(calendar.DateOf({2024, 2, 9}), (LunarDate{12, 30, false}));
    EXPECT_EQ(calendar.DateOf({2023, 3, 22}), (LunarDate{2, 1, true}));
    EXPECT_EQ(calendar.DateOf({2025, 12, 31}), (LunarDate{11, 12, false}));
    EXPECT_THROW(calendar.DateOf({2022, 12, 31}), std::out_of_range);
    EXPECT_THROW(calendar.DateOf({2026, 1, 1}), std::out_of_range);
    EXPECT_THROW(LunisolarCalendar(2025, 2024), std::invalid_argument);

    // The first days of months 1..6 and 7..12 open with 先勝 友引 先負 仏滅 大安 赤口; a leap
    // month counts as its number.
    const char* const firstDays[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_STREQ(RokuyoName(RokuyoIndex({month, 1, false})), firstDays[(month - 1) % 6]);
        EXPECT_STREQ(RokuyoName(RokuyoIndex({month, 1, true})), firstDays[(month - 1) % 6]);
    }
    // Printed calendars: 赤口 on New Year's Day 2024, 先勝 on that of 2025.
    EXPECT_STREQ(RokuyoName(RokuyoIndex(calendar.DateOf({2024, 1, 1}))), "赤口");
    EXPECT_STREQ(RokuyoName(RokuyoIndex(calendar.DateOf({2025, 1, 1}))), "先勝");
    EXPECT_STREQ(RokuyoName(6), "");
}

}  // namespace
}  // namespace orv
