#include <gtest/gtest.h>

#include <stdexcept>

#include "Codec.h"
#include "Errors.h"
#include "IniFile.h"
#include "OldCalendar.h"
#include "OldCalendarWriter.h"
#include "RecordingSink.h"
#include "TempDir.h"

namespace orv {
namespace {

TEST(OldCalendarWriter, TheFileHoldsEveryDayAndEveryTermInCodePage932) {
    test::TempDir dir;
    const std::string path = dir.File("旧暦.ini");
    WriteOldCalendarFile(path, 2024, 2025);
    const std::string bytes = test::TempDir::Read(path);

    // Every line ends in CR LF and nothing else ends one.
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
            ++lines;
        } else if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    const std::string text = Cp932ToUtf8(bytes);
    EXPECT_EQ(text.rfind("[六曜]\r\n2024/01/01=赤口\r\n2024/01/02=先勝\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n2024/02/10=先勝\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2025/12/31=仏滅\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n[二十四節気]\r\n2024/01/06=小寒\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2024/03/20=春分\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n2025/12/22=冬至\r\n"));

    // Read back as the program reads it: one entry per day, in date order, one per term.
    const IniFile ini = IniFile::Load(path);
    const auto& rokuyo = ini.SectionEntries("六曜");
    ASSERT_EQ(rokuyo.size(), 366u + 365u);
    CivilDate day{2024, 1, 1};
    for (const IniFile::Entry& entry : rokuyo) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d/%02d/%02d", day.Year, day.Month, day.Day);
        ASSERT_EQ(entry.Key, expected);
        day = AddDays(day, 1);
    }
    EXPECT_EQ(ini.SectionEntries("二十四節気").size(), 48u);
    EXPECT_EQ(lines, 1 + rokuyo.size() + 1 + 1 + 48);
}

TEST(OldCalendarWriter, RokuyoStepsDailyAndJumpsOnlyWhereAMonthBegins) {
    const LunisolarCalendar calendar(2023, 2023);
    const IniFile ini = IniFile::Parse(Cp932ToUtf8(OldCalendarFileBytes(calendar)));
    const auto& entries = ini.SectionEntries("六曜");
    ASSERT_EQ(entries.size(), 365u);
    const auto indexOf = [](const std::string& name) {
        for (int r = 0; r < 6; ++r) {
            if (name == RokuyoName(r)) return r;
        }
        return -1;
    };
    int jumps = 0;
    for (size_t i = 1; i < entries.size(); ++i) {
        const CivilDate day = ParseDateText(entries[i].Key);
        const bool monthBegins = calendar.DateOf(day).Day == 1;
        const int previous = indexOf(entries[i - 1].Value);
        const int current = indexOf(entries[i].Value);
        ASSERT_GE(current, 0) << entries[i].Key;
        if (current != (previous + 1) % 6) {
            ++jumps;
            EXPECT_TRUE(monthBegins) << entries[i].Key;
        } else if (monthBegins) {
            // Only a leap month after a month of 30 days goes on unbroken.
            EXPECT_TRUE(calendar.DateOf(day).Leap) << entries[i].Key;
            EXPECT_EQ(calendar.DateOf(AddDays(day, -1)).Day, 30) << entries[i].Key;
        }
    }
    // Twelve months began within 2023; 閏2月 followed a month 2 of 30 days and went on unbroken.
    EXPECT_EQ(jumps, 11);
}

TEST(OldCalendarWriter, TheProgramsLoaderFindsEveryDayOfTheWrittenYears) {
    test::TempDir dir;
    const std::string path = dir.File("旧暦.ini");
    WriteOldCalendarFile(path, 2032, 2034);
    test::RecordingSink sink;
    TMemorials rokuyo;
    TMemorials solarTerms;
    ASSERT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    EXPECT_EQ(rokuyo.Count(), 366 + 365 + 365);
    EXPECT_EQ(solarTerms.Count(), 3 * 24);
    // Asked as the renderer asks: plain decimal dates, one name per day.
    for (CivilDate day{2032, 1, 1}; day <= CivilDate{2034, 12, 31}; day = AddDays(day, 1)) {
        const std::string name = rokuyo.NamesOnDate(PlainDateText(day));
        ASSERT_TRUE(name == "大安" || name == "赤口" || name == "先勝" || name == "友引" ||
                    name == "先負" || name == "仏滅")
            << PlainDateText(day) << " " << name;
    }
    EXPECT_EQ(rokuyo.NamesOnDate("2033/12/22"), "大安");  // 閏11月1日
    EXPECT_EQ(solarTerms.NamesOnDate("2033/12/21"), "冬至");
    EXPECT_EQ(solarTerms.NamesOnDate("2033/12/22"), "");
}

TEST(OldCalendarWriter, AFailedWriteLeavesNoFileAndTheOldOneAlone) {
    test::TempDir dir;
    dir.Write("plain", "");
    EXPECT_THROW(WriteOldCalendarFile(dir.File("plain/旧暦.ini"), 2024, 2024), IoError);
    EXPECT_THROW(WriteOldCalendarFile(dir.File("none/旧暦.ini"), 2024, 2024), IoError);

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
