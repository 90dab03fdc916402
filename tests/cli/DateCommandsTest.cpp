#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Codec.h"
#include "model/DataUnit.h"
#include "model/Holidays.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv {
namespace {

TEST(CliHolidays, ListsTheHolidaysOfTheYearsInDateOrder) {
    test::TempDir dir;
    const auto result = test::RunCli("holidays 2026 2027", dir.File("err.txt"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("2026-01-01\t元日\n2026-01-12\t成人の日\n", 0), 0u);
    EXPECT_NE(
        result.out.find("\n2026-09-21\t敬老の日\n2026-09-22\t国民の休日\n2026-09-23\t秋分の日\n"),
        std::string::npos);
    EXPECT_NE(result.out.find("\n2027-02-23\t天皇誕生日\n"), std::string::npos);
    EXPECT_NE(result.out.find("\n2027-03-22\t振替休日\n"), std::string::npos);
    EXPECT_EQ(result.out.find("-12-23"), std::string::npos);
    EXPECT_EQ(result.out.size() - result.out.rfind("\n2027-11-23\t勤労感謝の日\n"),
              std::string("\n2027-11-23\t勤労感謝の日\n").size());

    // Ascending, one well-formed line each.
    std::string previous;
    size_t lines = 0;
    for (size_t pos = 0; pos < result.out.size();) {
        const size_t end = result.out.find('\n', pos);
        ASSERT_NE(end, std::string::npos);
        const std::string line = result.out.substr(pos, end - pos);
        ASSERT_EQ(line[10], '\t') << line;
        EXPECT_LT(previous, line.substr(0, 10));
        previous = line.substr(0, 10);
        pos = end + 1;
        ++lines;
    }
    EXPECT_EQ(lines, 35u);
}

TEST(CliHolidays, AWrongRangeIsAUsageError) {
    test::TempDir dir;
    for (const char* args : {"holidays 2026", "holidays 2026 x", "holidays 2026 2027 2028",
                             "holidays 2027 2026", "holidays 0 2026", "holidays 2026x 2027"}) {
        const auto result = test::RunCli(args, dir.File("err.txt"));
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_EQ(result.out, "") << args;
        EXPECT_NE(result.err, "") << args;
    }
}

// 2020 and 2021 as the Cabinet Office lists them: the Olympic moves, and 「休日」 for every day off
// without a name of its own.
const char* const kOfficeList2020To2021 =
    "国民の祝日・休日月日,国民の祝日・休日名称\r\n"
    "2020/1/1,元日\r\n2020/1/13,成人の日\r\n2020/2/11,建国記念の日\r\n2020/2/23,天皇誕生日\r\n"
    "2020/2/24,休日\r\n2020/3/20,春分の日\r\n2020/4/29,昭和の日\r\n2020/5/3,憲法記念日\r\n"
    "2020/5/4,みどりの日\r\n2020/5/5,こどもの日\r\n2020/5/6,休日\r\n2020/7/23,海の日\r\n"
    "2020/7/24,スポーツの日\r\n2020/8/10,山の日\r\n2020/9/21,敬老の日\r\n2020/9/22,秋分の日\r\n"
    "2020/11/3,文化の日\r\n2020/11/23,勤労感謝の日\r\n"
    "2021/1/1,元日\r\n2021/1/11,成人の日\r\n2021/2/11,建国記念の日\r\n2021/2/23,天皇誕生日\r\n"
    "2021/3/20,春分の日\r\n2021/4/29,昭和の日\r\n2021/5/3,憲法記念日\r\n2021/5/4,みどりの日\r\n"
    "2021/5/5,こどもの日\r\n2021/7/22,海の日\r\n2021/7/23,スポーツの日\r\n2021/8/8,山の日\r\n"
    "2021/8/9,休日\r\n2021/9/20,敬老の日\r\n2021/9/23,秋分の日\r\n2021/11/3,文化の日\r\n"
    "2021/11/23,勤労感謝の日\r\n";

TEST(CliHolidays, CheckSetsTheCabinetOfficeListAgainstTheRules) {
    test::TempDir dir;
    const std::string office = kOfficeList2020To2021;
    std::string edited = office;
    edited.replace(edited.find("2021/8/9,休日\r\n"), std::string("2021/8/9,休日\r\n").size(), "");
    edited += "2021/12/28,新しい祝日\r\n";
    const struct {
        const char* name;
        std::string bytes;
        int status;
        std::string out;  // its end
        std::string err;
    } cases[] = {
        {"sjis.csv", Utf8ToCp932(office), 0,
         "2020〜2021 年: 一覧の 35 日のうち、違いは 0 日です。\n", ""},
        {"bom.csv", "\xEF\xBB\xBF" + office, 0, "違いは 0 日です。\n", ""},
        {"edited.csv", Utf8ToCp932(edited), 1,
         "2021-08-09\t一覧: （なし）\tプログラム: 振替休日\n"
         "2021-12-28\t一覧: 新しい祝日\tプログラム: （なし）\n"
         "2020〜2021 年: 一覧の 35 日のうち、違いは 2 日です。\n",
         ""},
        {"bad.csv", Utf8ToCp932(office + "2021/13/1,x\r\n"), 2, "",
         "2021/13/1 は日付ではありません"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Write(c.name, c.bytes);
        const auto result =
            test::RunCli("holidays --check " + test::ShellQuote(path), dir.File("err.txt"));
        EXPECT_EQ(result.status, c.status) << c.name << "\n" << result.err;
        EXPECT_TRUE(result.out.ends_with(c.out)) << c.name << "\n" << result.out;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << c.name << "\n" << result.err;
    }
}

TEST(CliHolidays, AnInstalledListDecidesTheYearsItCovers) {
    test::TempDir dir;
    // 2027 as a law change might leave it: 3/22 no longer off, a new day in December.
    std::string list = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
    for (const Holiday& holiday : HolidaysOfYear(2027)) {
        if (holiday.Date == CivilDate{2027, 3, 22}) continue;
        list += std::to_string(holiday.Date.Year) + "/" + std::to_string(holiday.Date.Month) + "/" +
                std::to_string(holiday.Date.Day) + "," + holiday.Name + "\r\n";
    }
    list += "2027/12/28,新しい祝日\r\n";
    const std::string data = dir.File("data");
    std::filesystem::create_directories(data + "/orvalinden");
    dir.Write("data/orvalinden/syukujitsu.csv", Utf8ToCp932(list));
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const auto day = test::RunCli("day 2027-12-28 2027-03-22 2027-01-01 2026-12-28 2026-11-03",
                                  dir.File("err.txt"));
    EXPECT_EQ(day.status, 0) << day.err;
    std::vector<std::string> names;
    for (size_t pos = 0; pos < day.out.size(); pos = day.out.find('\n', pos) + 1) {
        const size_t tab = day.out.find('\t', pos) + 1;
        names.push_back(day.out.substr(tab, day.out.find('\t', tab) - tab));
    }
    // The list's year follows the list; the years before it follow the rules.
    EXPECT_EQ(names, (std::vector<std::string>{"新しい祝日", "", "元日", "", "文化の日"}));

    // The sheet draws the list's holiday.
    TData design = NewDesign();
    design.Year = 2027;
    design.Month = 12;
    NullMessageSink quiet;
    EXPECT_TRUE(design.SaveToFile(dir.File("december.sav"), quiet));
    const auto pdf = test::RunCli("export " + test::ShellQuote(dir.File("december.sav")) + " " +
                                      test::ShellQuote(dir.File("december.pdf")),
                                  dir.File("err.txt"));
    EXPECT_EQ(pdf.status, 0) << pdf.err;
    FILE* text =
        popen(("pdftotext " + test::ShellQuote(dir.File("december.pdf")) + " -").c_str(), "r");
    std::string page;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, text)) > 0;) page.append(buffer, n);
    pclose(text);
    EXPECT_NE(page.find("新しい祝日"), std::string::npos) << page;

    // A list that cannot be read is said, and the rules stay.
    dir.Write("data/orvalinden/syukujitsu.csv", list + "2027/13/1,x\r\n");
    const auto broken = test::RunCli("day 2027-03-22", dir.File("err.txt"));
    EXPECT_EQ(broken.status, 0);
    EXPECT_NE(broken.out.find("\t振替休日\t"), std::string::npos) << broken.out;
    EXPECT_NE(broken.err.find("warning: 祝日の一覧を読めないため、プログラムの祝日を使います。"),
              std::string::npos)
        << broken.err;
    unsetenv("XDG_DATA_HOME");
}

std::string WriteOldCalendar(const test::TempDir& dir, const std::string& text) {
    return dir.Write("旧暦.ini", Utf8ToCp932(text));
}

TEST(CliDay, GivesHolidayEraAndOldCalendarNamesOfEachDate) {
    test::TempDir dir;
    const std::string data =
        WriteOldCalendar(dir,
                         "[六曜]\r\n2016/01/06=大安\r\n2016/01/07=赤口\r\n"
                         "2019/05/01=先負\r\n"
                         "[二十四節気]\r\n2016/01/06=小寒\r\n2016/1/6=寒の入り\r\n"
                         "[旧暦日付]\r\n2016/01/01=11/22\r\n2016/01/08=\r\n"
                         "[雑節]\r\n2016/01/07=土用入り\r\n2016/01/07=節分\r\n"
                         "[月の満ち欠け]\r\n2016/01/06=下弦\r\n");
    const auto result = test::RunCli("day --oldcal " + test::ShellQuote(data) +
                                         " 2016-01-06 2016-1-7 2019-05-01 1989-01-07 2016-01-08",
                                     dir.File("err.txt"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "2016-01-06\t\t平成28\t大安\t小寒¶寒の入り\t11/27\t\t下弦\n"
              "2016-01-07\t\t平成28\t赤口\t\t11/28\t土用入り¶節分\t\n"
              "2019-05-01\t即位の日\t令和1\t先負\t\t\t\t\n"
              "1989-01-07\t\t昭和64\t\t\t\t\t\n"
              "2016-01-08\t\t平成28\t\t\t\t\t\n");
}

TEST(CliDay, ProblemsGoToStandardError) {
    test::TempDir dir;
    const auto missing =
        test::RunCli("day --oldcal " + test::ShellQuote(dir.File("none.ini")) + " 2016-01-06",
                     dir.File("err.txt"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.ini"), std::string::npos);

    for (const char* args :
         {"day", "day 2016-02-30", "day 2016/01/06", "day 2016-01-06 --oldcal"}) {
        const auto result = test::RunCli(args, dir.File("err.txt"));
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_EQ(result.out, "") << args;
    }

    // A damaged data file: the lines above the bad one still serve, and the run says it failed.
    const std::string data = WriteOldCalendar(
        dir, "[六曜]\r\n2016/01/06=大安\r\n2016/02/30=赤口\r\n2016/01/08=先勝\r\n");
    const auto damaged = test::RunCli(
        "day --oldcal " + test::ShellQuote(data) + " 2016-01-06 2016-01-08", dir.File("err.txt"));
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.out, "2016-01-06\t\t平成28\t大安\t\t\t\t\n2016-01-08\t\t平成28\t\t\t\t\t\n");
    EXPECT_EQ(damaged.err, "error: 旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ: 2016/02/30 は日付ではありません\n");
}

}  // namespace
}  // namespace orv
