#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CivilDate.h"
#include "Holidays.h"

namespace orv {
namespace {

std::string On(int year, int month, int day) {
    return HolidayName(year, month, day, true);
}

std::string Listed(const std::vector<Holiday>& holidays) {
    std::string text;
    for (const Holiday& h : holidays) {
        text +=
            std::to_string(h.Date.Month) + "/" + std::to_string(h.Date.Day) + " " + h.Name + "\n";
    }
    return text;
}

TEST(Holidays, NationalFoundationDayBeginsIn1967) {
    EXPECT_EQ(On(1966, 2, 11), "");
    EXPECT_EQ(On(1967, 2, 11), "建国記念の日");
    EXPECT_EQ(On(2016, 2, 11), "建国記念の日");
}

TEST(Holidays, EmperorsBirthdayFollowsTheReigningEmperor) {
    EXPECT_EQ(On(1988, 4, 29), "天皇誕生日");
    EXPECT_EQ(On(1988, 12, 23), "");
    EXPECT_EQ(On(1989, 4, 29), "みどりの日");
    EXPECT_EQ(On(1989, 12, 23), "天皇誕生日");
    EXPECT_EQ(On(2018, 12, 23), "天皇誕生日");
    EXPECT_EQ(On(2019, 2, 23), "");
    EXPECT_EQ(On(2019, 12, 23), "");
    EXPECT_EQ(On(2020, 2, 23), "天皇誕生日");
    EXPECT_EQ(On(2020, 12, 23), "");
    EXPECT_EQ(On(2027, 2, 23), "天皇誕生日");
    EXPECT_EQ(On(2027, 12, 23), "");
    EXPECT_EQ(On(2007, 4, 29), "昭和の日");
}

TEST(Holidays, SubstituteHolidaysBeganInApril1973) {
    EXPECT_EQ(On(1928, 4, 30), "");
    EXPECT_EQ(On(1973, 2, 12), "");  // Monday after the Sunday 11 February, before the law
    EXPECT_EQ(On(1973, 4, 30), "振替休日");
    EXPECT_EQ(On(2006, 1, 2), "振替休日");
    EXPECT_EQ(HolidayName(2006, 1, 2, false), "");
}

TEST(Holidays, SubstituteFromHolidayOnSundayGoesToTheFirstWorkingDayFrom2007) {
    EXPECT_EQ(On(2008, 5, 6), "振替休日");   // Sunday 4 May
    EXPECT_EQ(On(2015, 5, 6), "振替休日");   // Sunday 3 May, two holidays between
    EXPECT_EQ(On(2024, 2, 12), "振替休日");  // any month, not only May
    EXPECT_EQ(On(2025, 2, 24), "振替休日");  // after the new Emperor's birthday
    EXPECT_EQ(On(2020, 2, 24), "振替休日");
    EXPECT_EQ(On(2019, 11, 4), "振替休日");
    EXPECT_EQ(HolidayName(2008, 5, 6, false), "");
    EXPECT_EQ(On(2008, 5, 7), "");
    EXPECT_EQ(On(2010, 5, 6), "");  // no holiday of 3-5 May on a Sunday
}

TEST(Holidays, CitizensHolidayIsTheDayBetweenTwoHolidays) {
    EXPECT_EQ(On(1985, 5, 4), "");  // before the law of 27 December 1985
    EXPECT_EQ(On(1986, 5, 4), "");  // a Sunday
    EXPECT_EQ(On(1987, 5, 4), "振替休日");
    EXPECT_EQ(HolidayName(1987, 5, 4, false), "");
    EXPECT_EQ(On(1988, 5, 4), "国民の休日");
    EXPECT_EQ(On(1997, 5, 4), "");  // a Sunday
    EXPECT_EQ(On(2006, 5, 4), "国民の休日");
    EXPECT_EQ(On(2007, 5, 4), "みどりの日");
    for (const CivilDate& d :
         {CivilDate{2009, 9, 22}, CivilDate{2015, 9, 22}, CivilDate{2026, 9, 22},
          CivilDate{2032, 9, 21}, CivilDate{2037, 9, 22}}) {
        EXPECT_EQ(On(d.Year, d.Month, d.Day), "国民の休日") << PlainDateText(d);
        EXPECT_EQ(HolidayName(d.Year, d.Month, d.Day, false), "国民の休日") << PlainDateText(d);
    }
    EXPECT_EQ(On(2032, 9, 22), "秋分の日");
    EXPECT_EQ(On(2020, 9, 22), "秋分の日");
    EXPECT_EQ(On(2043, 9, 22), "国民の休日");
}

TEST(Holidays, AccessionYear2019) {
    const std::string expected =
        "1/1 元日\n1/14 成人の日\n2/11 建国記念の日\n3/21 春分の日\n4/29 昭和の日\n"
        "4/30 国民の休日\n5/1 即位の日\n5/2 国民の休日\n5/3 憲法記念日\n5/4 みどりの日\n"
        "5/5 こどもの日\n5/6 振替休日\n7/15 海の日\n8/11 山の日\n8/12 振替休日\n9/16 敬老の日\n"
        "9/23 秋分の日\n10/14 体育の日\n10/22 即位礼正殿の儀\n11/3 文化の日\n11/4 振替休日\n"
        "11/23 勤労感謝の日\n";
    EXPECT_EQ(Listed(HolidaysOfYear(2019)), expected);
}

TEST(Holidays, SportsDayIsRenamedFrom2020) {
    EXPECT_EQ(On(1998, 10, 10), "体育の日");
    EXPECT_EQ(On(1999, 10, 11), "体育の日");
    EXPECT_EQ(On(2019, 10, 14), "体育の日");
    EXPECT_EQ(On(2022, 10, 10), "スポーツの日");
    EXPECT_EQ(On(2026, 10, 12), "スポーツの日");
}

TEST(Holidays, OlympicYearsMoveThreeHolidays) {
    EXPECT_EQ(On(2020, 7, 23), "海の日");
    EXPECT_EQ(On(2020, 7, 24), "スポーツの日");
    EXPECT_EQ(On(2020, 8, 10), "山の日");
    EXPECT_EQ(On(2020, 7, 20), "");
    EXPECT_EQ(On(2020, 8, 11), "");
    EXPECT_EQ(On(2020, 10, 12), "");
    EXPECT_EQ(On(2021, 7, 22), "海の日");
    EXPECT_EQ(On(2021, 7, 23), "スポーツの日");
    EXPECT_EQ(On(2021, 8, 8), "山の日");
    EXPECT_EQ(On(2021, 8, 9), "振替休日");
    EXPECT_EQ(On(2021, 7, 19), "");
    EXPECT_EQ(On(2021, 8, 11), "");
    EXPECT_EQ(On(2021, 10, 11), "");
    EXPECT_EQ(On(2019, 7, 15), "海の日");
    EXPECT_EQ(On(2022, 7, 18), "海の日");
    EXPECT_EQ(On(2022, 8, 11), "山の日");
}

TEST(Holidays, EquinoxesFollowTheFormulaOfTheirCentury) {
    // Before 1980 the days are those the calendar office announced, not a fixed 21/23.
    EXPECT_EQ(On(1972, 3, 20), "春分の日");
    EXPECT_EQ(On(1972, 3, 21), "");
    EXPECT_EQ(On(1979, 3, 21), "春分の日");
    EXPECT_EQ(On(1979, 9, 24), "秋分の日");
    EXPECT_EQ(On(1979, 9, 23), "");
    EXPECT_EQ(On(1955, 9, 24), "秋分の日");
    EXPECT_EQ(On(2088, 3, 20), "春分の日");
    EXPECT_EQ(On(2092, 3, 19), "春分の日");
    EXPECT_EQ(EquinoxDays(2100).SpringDay, 20);
    EXPECT_EQ(EquinoxDays(2100).AutumnDay, 23);
    EXPECT_EQ(EquinoxDays(2101).SpringDay, 21);
    EXPECT_EQ(EquinoxDays(1899).SpringDay, 21);
    EXPECT_EQ(EquinoxDays(1899).AutumnDay, 23);
    EXPECT_EQ(EquinoxDays(2151).SpringDay, 21);
    EXPECT_EQ(EquinoxDays(2151).AutumnDay, 23);
    EXPECT_EQ(On(1947, 3, 21), "");  // before the holiday law

    // Exactly twelve equinox holidays between 1955 and 1979 are off 21 March / 23 September.
    int offFixedDays = 0;
    for (int year = 1955; year <= 1979; ++year) {
        const EquinoxDayPair days = EquinoxDays(year);
        offFixedDays += (days.SpringDay != 21) + (days.AutumnDay != 23);
    }
    EXPECT_EQ(offFixedDays, 12);
}

TEST(Holidays, FixedAndMovedDaysKeepTheirYears) {
    EXPECT_EQ(On(1998, 1, 15), "成人の日");
    EXPECT_EQ(On(1999, 1, 15), "");
    EXPECT_EQ(On(1999, 1, 11), "成人の日");
    EXPECT_EQ(On(1990, 9, 15), "敬老の日");
    EXPECT_EQ(On(1990, 9, 17), "");
    EXPECT_EQ(On(2003, 9, 15), "敬老の日");
    EXPECT_EQ(On(1960, 9, 19), "");
    EXPECT_EQ(On(1995, 7, 20), "");  // Marine Day was first kept in 1996
    EXPECT_EQ(On(1996, 7, 20), "海の日");
    EXPECT_EQ(On(2015, 8, 11), "");
    EXPECT_EQ(On(2016, 8, 11), "山の日");
    EXPECT_EQ(On(1959, 4, 10), "皇太子明仁親王の結婚の儀");
    EXPECT_EQ(On(1989, 2, 24), "昭和天皇の大喪の礼");
    EXPECT_EQ(On(1990, 11, 12), "即位礼正殿の儀");
    EXPECT_EQ(On(1993, 6, 9), "皇太子徳仁親王の結婚の儀");
    EXPECT_EQ(On(1926, 1, 1), "");
}

TEST(Holidays, AnOrdinaryYearComesOutWhole) {
    const std::string expected =
        "1/1 元日\n1/12 成人の日\n2/11 建国記念の日\n2/23 天皇誕生日\n3/20 春分の日\n"
        "4/29 昭和の日\n5/3 憲法記念日\n5/4 みどりの日\n5/5 こどもの日\n5/6 振替休日\n"
        "7/20 海の日\n8/11 山の日\n9/21 敬老の日\n9/22 国民の休日\n9/23 秋分の日\n"
        "10/12 スポーツの日\n11/3 文化の日\n11/23 勤労感謝の日\n";
    EXPECT_EQ(Listed(HolidaysOfYear(2026)), expected);
}

TEST(Holidays, DatesThatDoNotExistAreNoHoliday) {
    EXPECT_EQ(On(2023, 2, 29), "");
    EXPECT_EQ(On(2023, 13, 1), "");
    EXPECT_EQ(On(2023, 0, 0), "");
    EXPECT_EQ(On(2023, 1, -1), "");
    EXPECT_EQ(On(2023, 4, 31), "");
}

// Whole-range consistency, 1955-2099.
TEST(Holidays, EveryYearHoldsTogether) {
    auto named = [](const CivilDate& d) {
        const std::string name = HolidayName(d.Year, d.Month, d.Day, false);
        return !name.empty() && name != "国民の休日";
    };
    for (int year = 1955; year <= 2099; ++year) {
        SCOPED_TRACE(year);
        EXPECT_EQ(On(year, 1, 1), "元日");
        EXPECT_EQ(On(year, 5, 3), "憲法記念日");
        EXPECT_EQ(On(year, 5, 5), "こどもの日");
        EXPECT_EQ(On(year, 11, 3), "文化の日");
        EXPECT_EQ(On(year, 11, 23), "勤労感謝の日");
        if (year >= 1967) {
            EXPECT_EQ(On(year, 2, 11), "建国記念の日");
        }
        EXPECT_FALSE(On(year, 4, 29).empty());

        int spring = 0, autumn = 0;
        for (CivilDate d{year, 1, 1}; d.Year == year; d = AddDays(d, 1)) {
            const std::string name = On(d.Year, d.Month, d.Day);
            const int weekday = DayOfWeek(d);
            spring += name == "春分の日";
            autumn += name == "秋分の日";
            if (name == "振替休日") {
                // Back over holidays to the Sunday holiday it stands in for.
                CivilDate before = AddDays(d, -1);
                while (DayOfWeek(before) != 0 && named(before)) before = AddDays(before, -1);
                EXPECT_TRUE(DayOfWeek(before) == 0 && named(before)) << PlainDateText(d);
                if (year < 2007) {
                    EXPECT_EQ(weekday, 1) << PlainDateText(d);
                }
            }
            if (name == "国民の休日") {
                EXPECT_TRUE(named(AddDays(d, -1)) && named(AddDays(d, 1))) << PlainDateText(d);
                if (year < 2007) {
                    EXPECT_NE(weekday, 0) << PlainDateText(d);
                }
            }
            // A Sunday holiday always gives a substitute after it.
            if (weekday == 0 && named(d) && d > CivilDate{1973, 4, 12}) {
                CivilDate after = AddDays(d, 1);
                while (year >= 2007 && named(after)) after = AddDays(after, 1);
                EXPECT_EQ(On(after.Year, after.Month, after.Day), "振替休日") << PlainDateText(d);
            }
        }
        EXPECT_EQ(spring, 1);
        EXPECT_EQ(autumn, 1);
    }
}

}  // namespace
}  // namespace orv
