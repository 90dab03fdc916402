// The imposition layout's arithmetic: which month each calendar shows and where it goes.
#include <gtest/gtest.h>

#include "output/Imposition.h"

namespace orv {
namespace {

TEST(ImpositionMonths, OffsetsCarryAcrossYearsBothWays) {
    EXPECT_EQ(ShiftedMonth(2025, 12, 12), (YearMonth{2026, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 12, 13), (YearMonth{2027, 1}));
    EXPECT_EQ(ShiftedMonth(2025, 11, 1), (YearMonth{2025, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 1, 35), (YearMonth{2027, 12}));
    // Offsets typed negative count back instead of giving month 0 or below.
    EXPECT_EQ(ShiftedMonth(2025, 1, -1), (YearMonth{2024, 12}));
    EXPECT_EQ(ShiftedMonth(2025, 3, -15), (YearMonth{2023, 12}));
}

TEST(ImpositionLayout, ColumnsThenRowsWithTheGapAndTheZoomInIntegers) {
    const MmPoint base{0, 0};
    EXPECT_EQ(CalendarOrigin(1, 2, 0, 100, 148, 100, base), (MmPoint{100, 0}));
    EXPECT_EQ(CalendarOrigin(5, 2, 0, 100, 148, 100, base), (MmPoint{100, 296}));
    EXPECT_EQ(CalendarOrigin(4, 3, 5, 100, 148, 100, base), (MmPoint{105, 153}));
    EXPECT_EQ(CalendarOrigin(3, 2, -10, 100, 148, 100, base), (MmPoint{90, 138}));
    // Columns below 1 stack, as one column does.
    EXPECT_EQ(CalendarOrigin(2, 0, 0, 100, 148, 100, base), (MmPoint{0, 296}));
    // Products first, divided once: 105 × 1 × 33 div 100 = 34.
    EXPECT_EQ(CalendarOrigin(1, 2, 5, 100, 148, 33, base), (MmPoint{34, 0}));
    // The print position moves every calendar unscaled.
    EXPECT_EQ(CalendarOrigin(3, 2, 10, 100, 148, 50, {7, 9}), (MmPoint{7 + 55, 9 + 79}));
}

}  // namespace
}  // namespace orv
