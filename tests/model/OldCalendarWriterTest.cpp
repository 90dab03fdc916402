#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "model/Codec.h"
#include "model/Errors.h"
#include "model/OldCalendar.h"
#include "model/OldCalendarWriter.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

TEST(OldCalendarWriter, TheFileHoldsEveryDayAndEveryTermInCodePage932WithCrLf) {
    test::TempDir dir;
    const std::string path = dir.File("旧暦.ini");
    WriteOldCalendarFile(path, 2024, 2025);
    const std::string whole = Cp932ToUtf8(test::TempDir::Read(path));
    // The almanac sections follow the terms after a blank line.
    const size_t almanac = whole.find("\r\n[旧暦日付]\r\n2024/01/01=11/20\r\n2024/01/11=12/1\r\n");
    ASSERT_NE(almanac, std::string::npos);
    const std::string text = whole.substr(0, almanac);
    // A line a day, a line a term, two section headers and the blank line between; every line
    // ends in CR LF.
    size_t lines = 0;
    for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 366 + 365 + 48 + 3u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(lines));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), static_cast<long>(lines));
    EXPECT_EQ(text.rfind("[六曜]\r\n2024/01/01=赤口\r\n2024/01/02=先勝\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n2024/02/29=友引\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2025/12/31=仏滅\r\n\r\n[二十四節気]\r\n2024/01/06=小寒\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n2025/12/22=冬至\r\n"));
    EXPECT_NE(
        whole.find("\r\n2025/12/20=11/1\r\n2026/01/01=\r\n\r\n[雑節]\r\n2024/01/18=土用入り\r\n"),
        std::string::npos);
    EXPECT_NE(whole.find("\r\n[月の満ち欠け]\r\n2024/01/04=下弦\r\n2024/01/11=新月\r\n"),
              std::string::npos);
    EXPECT_TRUE(whole.ends_with("\r\n2025/12/28=上弦\r\n"));
}

TEST(OldCalendarWriter, TheProgramsLoaderFindsEveryDayOfTheWrittenYears) {
    test::TempDir dir;
    const std::string path = dir.File("旧暦.ini");
    WriteOldCalendarFile(path, 2032, 2034);
    test::RecordingSink sink;
    TMemorials rokuyo;
    TMemorials solarTerms;
    ASSERT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    EXPECT_EQ(solarTerms.Count(), 3 * 24);
    // Asked as the renderer asks: plain decimal dates, one name a day.
    for (CivilDate day{2032, 1, 1}; day <= CivilDate{2034, 12, 31}; day = AddDays(day, 1)) {
        const std::string name = rokuyo.NamesOnDate(PlainDateText(day));
        ASSERT_TRUE(name == "大安" || name == "赤口" || name == "先勝" || name == "友引" ||
                    name == "先負" || name == "仏滅")
            << PlainDateText(day) << " " << name;
    }
    EXPECT_EQ(rokuyo.NamesOnDate("2033/12/22"), "大安");  // 閏11月1日
    EXPECT_EQ(solarTerms.NamesOnDate("2033/12/21"), "冬至");
}

TEST(OldCalendarWriter, AFailedWriteLeavesNoFileAndTheOldOneAlone) {
    test::TempDir dir;
    dir.Write("plain", "");
    EXPECT_THROW(WriteOldCalendarFile(dir.File("plain/旧暦.ini"), 2024, 2024), IoError);

    const std::string kept = dir.Write("旧暦.ini", "[六曜]\r\n2024/01/01=大安\r\n");
    EXPECT_THROW(WriteOldCalendarFile(kept, 2025, 2024), std::invalid_argument);
    EXPECT_THROW(WriteOldCalendarFile(kept, kOldCalendarFirstYear - 1, 2024),
                 std::invalid_argument);
    EXPECT_THROW(WriteOldCalendarFile(kept, 2024, kOldCalendarLastYear + 1), std::invalid_argument);
    EXPECT_EQ(test::TempDir::Read(kept), "[六曜]\r\n2024/01/01=大安\r\n");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"plain", "旧暦.ini"}));
}

}  // namespace
}  // namespace orv
