#include <gtest/gtest.h>

#include "model/Eras.h"

namespace orv {
namespace {

TEST(Eras, NameAndYearChangeOnTheFirstDayOfEachEra) {
    EXPECT_EQ(EraText({2016, 1, 1}), "平成28");
    EXPECT_EQ(EraText({2026, 12, 8}), "令和8");
    EXPECT_EQ(EraText({2019, 4, 30}), "平成31");
    EXPECT_EQ(EraText({2019, 5, 1}), "令和1");
    EXPECT_EQ(EraText({1989, 1, 7}), "昭和64");
    EXPECT_EQ(EraText({1989, 1, 8}), "平成1");
    EXPECT_EQ(EraText({1926, 12, 24}), "大正15");
    EXPECT_EQ(EraText({1926, 12, 25}), "昭和1");
    EXPECT_EQ(EraText({1912, 7, 29}), "明治45");
    EXPECT_EQ(EraText({1912, 7, 30}), "大正1");
    EXPECT_EQ(EraText({1868, 1, 1}), "明治1");
    EXPECT_EQ(EraYear({1948, 1, 1}), 23);
    EXPECT_EQ(EraName({2016, 1, 1}), "平成");
    EXPECT_EQ(EraText({1867, 12, 31}), "1867");
}

}  // namespace
}  // namespace orv
