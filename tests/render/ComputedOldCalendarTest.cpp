#include <gtest/gtest.h>

#include <set>

#include "OldCalendar.h"
#include "RenderFixture.h"

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

}  // namespace
}  // namespace orv::test
