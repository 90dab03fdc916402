#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "model/LunisolarCalendar.h"
#include "model/OldCalendar.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

// The data file the build computes and puts beside the programs must serve every month a user can
// pick: each day shows one rokuyo, and each month the two solar terms that begin in it.
TEST(ComputedOldCalendar, EveryMonthFrom1900To2100ShowsItsRokuyoAndSolarTerms) {
    RenderState state;
    RecordingSink sink;
    ASSERT_TRUE(LoadOldCalendarData(ORV_OLD_CALENDAR_FILE, state.RokuyoList, state.SolarTermList, sink));
    const std::set<std::string> rokuyo = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    const std::set<std::string> terms = {"小寒", "大寒", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨",
                                         "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑",
                                         "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
    TData design = PlainDesign();
    design.Rokuyo = 1;
    design.Nijusisekki = 1;
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            design.Year = year;
            design.Month = month;
            RecordingCanvas canvas(kDpi);
            ASSERT_TRUE(DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, ckSheet, 0, 0, design.SizeX,
                                     design.SizeY, design));
            int rokuyoLines = 0;
            int termLines = 0;
            for (const Call& call : canvas.Of(Op::TextOut)) {
                rokuyoLines += rokuyo.count(call.text);
                termLines += terms.count(call.text);
            }
            ASSERT_EQ(rokuyoLines, DaysInMonth(year, month)) << year << "/" << month;
            ASSERT_EQ(termLines, 2) << year << "/" << month;
        }
    }
}

// Over the whole file: each day's old-calendar date gives its rokuyo, each month begins on a new
// moon, every 立春 has its 節分 the day before and every equinox its 彼岸 around it.
TEST(ComputedOldCalendar, TheAlmanacAgreesWithTheRokuyoAndTheTermsOnEveryDay) {
    RecordingSink sink;
    TMemorials rokuyo;
    TMemorials terms;
    ASSERT_TRUE(LoadOldCalendarData(ORV_OLD_CALENDAR_FILE, rokuyo, terms, sink));
    AlmanacData almanac;
    ASSERT_TRUE(LoadAlmanacData(ORV_OLD_CALENDAR_FILE, almanac));
    const auto has = [](const std::string& names, const std::string& name) {
        return names.find(name) != std::string::npos;
    };
    int newMoons = 0;
    int setsubun = 0;
    int higan = 0;
    for (CivilDate day{1900, 1, 1}; day <= CivilDate{2100, 12, 31}; day = AddDays(day, 1)) {
        const std::string oldDate = almanac.OldDateOn(day);
        LunarDate date;
        date.Leap = oldDate.starts_with("閏");
        ASSERT_EQ(std::sscanf(oldDate.c_str() + (date.Leap ? 3 : 0), "%d/%d", &date.Month, &date.Day), 2)
            << PlainDateText(day);
        ASSERT_EQ(rokuyo.NamesOnDate(day), RokuyoName(RokuyoIndex(date))) << PlainDateText(day);
        ASSERT_EQ(date.Day == 1, almanac.MoonPhaseOn(day) == 0) << PlainDateText(day);
        newMoons += date.Day == 1;

        const std::string term = terms.NamesOnDate(day);
        if (term == "立春") {
            ASSERT_TRUE(has(almanac.SeasonalDaysOn(AddDays(day, -1)), "節分")) << PlainDateText(day);
            ++setsubun;
        }
        if (term == "春分" || term == "秋分") {
            ASSERT_TRUE(has(almanac.SeasonalDaysOn(AddDays(day, -3)), "彼岸入り")) << PlainDateText(day);
            ASSERT_TRUE(has(almanac.SeasonalDaysOn(AddDays(day, 3)), "彼岸明け")) << PlainDateText(day);
            ++higan;
        }
    }
    EXPECT_EQ(newMoons, 2487);
    EXPECT_EQ(setsubun, 201);
    EXPECT_EQ(higan, 2 * 201);
    EXPECT_EQ(almanac.OldDateOn({2101, 1, 1}), "");
}

}  // namespace
}  // namespace orv::test
