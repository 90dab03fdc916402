#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "model/CivilDate.h"
#include "model/Holidays.h"

namespace orv {
namespace {

// A table of "YYYY-MM-DD name" pairs, "-" for no holiday.
void ExpectNames(const std::string& table, bool applySubstitute = true) {
    std::istringstream in(table);
    std::string date, name;
    while (in >> date >> name) {
        int y = 0, m = 0, d = 0;
        ASSERT_EQ(std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d), 3) << date;
        EXPECT_EQ(HolidayName(y, m, d, applySubstitute), name == "-" ? "" : name) << date;
    }
}

std::string On(const CivilDate& d) {
    return HolidayName(d.Year, d.Month, d.Day, true);
}

TEST(Holidays, NationalFoundationDayBeginsIn1967) {
    ExpectNames("1966-02-11 -  1967-02-11 建国記念の日\n");
}

TEST(Holidays, EmperorsBirthdayFollowsTheReigningEmperor) {
    ExpectNames(
        "1988-04-29 天皇誕生日  1988-12-23 -  1989-04-29 みどりの日\n"
        "1989-12-23 天皇誕生日  2018-12-23 天皇誕生日  2019-02-23 -\n"
        "2019-12-23 -  2020-02-23 天皇誕生日  2020-12-23 -\n"
        "2027-02-23 天皇誕生日  2027-12-23 -  2007-04-29 昭和の日\n");
}

// 1973-02-12 is the Monday after the Sunday 11 February, before the law.
TEST(Holidays, SubstituteHolidaysBeganInApril1973) {
    ExpectNames(
        "1928-04-30 -  1973-02-12 -  1973-04-30 振替休日\n"
        "2006-01-02 振替休日\n");
    ExpectNames("2006-01-02 -  2008-05-06 -\n", false);
}

// Sunday 4 May 2008; Sunday 3 May 2015 with two holidays between; any month, any holiday.
TEST(Holidays, FromStartOf2007TheSubstituteIsTheFirstDayThatIsNoHoliday) {
    ExpectNames(
        "2008-05-06 振替休日  2015-05-06 振替休日  2024-02-12 振替休日\n"
        "2020-02-24 振替休日  2027-03-22 振替休日  2008-05-07 -\n"
        "2010-05-06 -\n");
}

// None before the law of 27 December 1985, nor on a Sunday until 2006 (1986, 1997).
TEST(Holidays, CitizensHolidayIsADayBetweenTwoHolidays) {
    ExpectNames(
        "1985-05-04 -  1986-05-04 -  1987-05-04 振替休日\n"
        "1988-05-04 国民の休日  1997-05-04 -  2006-05-04 国民の休日\n"
        "2007-05-04 みどりの日  2009-09-22 国民の休日  2015-09-22 国民の休日\n"
        "2026-09-22 国民の休日  2032-09-21 国民の休日  2032-09-22 秋分の日\n"
        "2037-09-22 国民の休日  2043-09-22 国民の休日  2020-09-22 秋分の日\n");
    // It is no substitute holiday: the switch does not take it away...
    ExpectNames("2009-09-22 国民の休日\n", false);
    // ...and before 2007 a substitute Monday never became one.
    ExpectNames("1987-05-04 -\n", false);
}

TEST(Holidays, AccessionYear2019ComesOutWhole) {
    std::string listed;
    for (const Holiday& h : HolidaysOfYear(2019)) {
        listed +=
            std::to_string(h.Date.Month) + "/" + std::to_string(h.Date.Day) + " " + h.Name + "\n";
    }
    EXPECT_EQ(listed,
              "1/1 元日\n1/14 成人の日\n2/11 建国記念の日\n3/21 春分の日\n4/29 昭和の日\n"
              "4/30 国民の休日\n5/1 即位の日\n5/2 国民の休日\n5/3 憲法記念日\n5/4 みどりの日\n"
              "5/5 こどもの日\n5/6 振替休日\n7/15 海の日\n8/11 山の日\n8/12 振替休日\n"
              "9/16 敬老の日\n9/23 秋分の日\n10/14 体育の日\n10/22 即位礼正殿の儀\n11/3 文化の日\n"
              "11/4 振替休日\n11/23 勤労感謝の日\n");
}

// The law that moved them to Mondays took effect in 2000.
TEST(Holidays, ComingOfAgeAndSportsDaysMoveToMondaysIn2000) {
    ExpectNames(
        "1999-01-15 成人の日  1999-01-11 -  1999-10-10 体育の日\n"
        "1999-10-11 振替休日  2000-01-10 成人の日  2000-01-15 -\n"
        "2000-10-09 体育の日  2000-10-10 -\n");
}

TEST(Holidays, EveryDateOf1955To2050IsThatOfThePublishedList) {
    std::ifstream list(ORV_HOLIDAY_LIST);
    ASSERT_TRUE(list.is_open());
    int years = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const int year = std::stoi(line);
        std::string computed = std::to_string(year);
        for (const Holiday& h : HolidaysOfYear(year)) {
            char monthDay[8];
            std::snprintf(monthDay, sizeof monthDay, " %02d%02d", h.Date.Month, h.Date.Day);
            computed += monthDay;
        }
        EXPECT_EQ(computed, line);
        ++years;
    }
    EXPECT_EQ(years, 2050 - 1955 + 1);
}

TEST(Holidays, SportsDayIsRenamedFrom2020) {
    ExpectNames(
        "1998-10-10 体育の日  1999-10-10 体育の日  2019-10-14 体育の日\n"
        "2022-10-10 スポーツの日\n");
}

TEST(Holidays, OlympicYearsMoveThreeHolidays) {
    ExpectNames(
        "2020-07-23 海の日  2020-07-24 スポーツの日  2020-08-10 山の日\n"
        "2020-07-20 -  2020-08-11 -  2020-10-12 -  2021-07-22 海の日\n"
        "2021-07-23 スポーツの日  2021-08-08 山の日  2021-08-09 振替休日\n"
        "2021-07-19 -  2021-08-11 -  2021-10-11 -  2019-07-15 海の日\n"
        "2022-07-18 海の日  2022-08-11 山の日\n");
}

TEST(Holidays, EquinoxesFollowTheFormulaOfTheirCentury) {
    ExpectNames(
        "1972-03-20 春分の日  1972-03-21 -  1979-03-21 春分の日\n"
        "1979-09-24 秋分の日  1979-09-23 -  1955-09-24 秋分の日\n"
        "2088-03-20 春分の日  2092-03-19 春分の日  1947-03-21 -\n");  // before the holiday law
    EXPECT_EQ(EquinoxDays(2100).SpringDay, 20);
    EXPECT_EQ(EquinoxDays(2100).AutumnDay, 23);
    EXPECT_EQ(EquinoxDays(2101).SpringDay, 21);
    for (int year : {1899, 2151}) {
        EXPECT_EQ(EquinoxDays(year).SpringDay, 21);
        EXPECT_EQ(EquinoxDays(year).AutumnDay, 23);
    }
    // Exactly twelve equinox days between 1955 and 1979 fall off 21 March / 23 September.
    int offFixedDays = 0;
    for (int year = 1955; year <= 1979; ++year) {
        offFixedDays += (EquinoxDays(year).SpringDay != 21) + (EquinoxDays(year).AutumnDay != 23);
    }
    EXPECT_EQ(offFixedDays, 12);
}

// Marine Day was first kept in 1996.
TEST(Holidays, FixedMovedAndOneOffDaysKeepTheirYears) {
    ExpectNames(
        "1998-01-15 成人の日  2000-01-15 -  2000-01-10 成人の日\n"
        "1990-09-15 敬老の日  1990-09-17 -  2003-09-15 敬老の日\n"
        "1960-09-19 -  1995-07-20 -  1996-07-20 海の日  2015-08-11 -\n"
        "2016-08-11 山の日  1959-04-10 皇太子明仁親王の結婚の儀\n"
        "1989-02-24 昭和天皇の大喪の礼  1990-11-12 即位礼正殿の儀\n"
        "1993-06-09 皇太子徳仁親王の結婚の儀  1926-01-01 -\n");
}

TEST(Holidays, DatesThatDoNotExistAreNoHoliday) {
    ExpectNames(
        "2023-02-29 -  2023-13-01 -  2023-00-00 -  2023-04-31 -\n"
        "2023-01--1 -\n");
}

TEST(Holidays, EveryYearFrom1955To2099HoldsTogether) {
    auto named = [](const CivilDate& d) {
        const std::string name = HolidayName(d.Year, d.Month, d.Day, false);
        return !name.empty() && name != "国民の休日";
    };
    for (int year = 1955; year <= 2099; ++year) {
        SCOPED_TRACE(year);
        for (const auto& [m, d, name] : {std::tuple{1, 1, "元日"},
                                         {5, 3, "憲法記念日"},
                                         {5, 5, "こどもの日"},
                                         {11, 3, "文化の日"},
                                         {11, 23, "勤労感謝の日"}}) {
            EXPECT_EQ(On({year, m, d}), name);
        }
        EXPECT_EQ(On({year, 2, 11}), year >= 1967 ? "建国記念の日" : "");
        EXPECT_FALSE(On({year, 4, 29}).empty());

        int spring = 0, autumn = 0;
        for (CivilDate d{year, 1, 1}; d.Year == year; d = AddDays(d, 1)) {
            const std::string name = On(d);
            const int weekday = DayOfWeek(d);
            spring += name == "春分の日";
            autumn += name == "秋分の日";
            if (name == "振替休日") {
                // Back over holidays to the Sunday holiday it stands in for.
                CivilDate before = AddDays(d, -1);
                while (DayOfWeek(before) != 0 && named(before)) before = AddDays(before, -1);
                EXPECT_TRUE(DayOfWeek(before) == 0 && named(before)) << PlainDateText(d);
                EXPECT_TRUE(year >= 2007 || weekday == 1) << PlainDateText(d);
            }
            if (name == "国民の休日") {
                EXPECT_TRUE(named(AddDays(d, -1)) && named(AddDays(d, 1))) << PlainDateText(d);
                EXPECT_TRUE(year >= 2007 || weekday != 0) << PlainDateText(d);
            }
            // A Sunday holiday always gives a substitute after it.
            if (weekday == 0 && named(d) && d > CivilDate{1973, 4, 12}) {
                CivilDate after = AddDays(d, 1);
                while (year >= 2007 && named(after)) after = AddDays(after, 1);
                EXPECT_EQ(On(after), "振替休日") << PlainDateText(d);
            }
        }
        EXPECT_EQ(spring, 1);
        EXPECT_EQ(autumn, 1);
    }
}

}  // namespace
}  // namespace orv
