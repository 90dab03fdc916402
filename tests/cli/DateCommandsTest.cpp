#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/Codec.h"
#include "model/DataUnit.h"
#include "model/Holidays.h"
#include "support/CliRunner.h"
#include "support/RecordingSink.h"
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

// The Cabinet Office's list of 1955-2027 as it publishes it: its dates, with 「休日」 for every day
// off that has no name of its own.
std::string OfficeList1955To2027() {
    std::ifstream dates(ORV_HOLIDAY_LIST);
    std::string csv = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
    for (std::string line; std::getline(dates, line);) {
        if (line.empty() || line[0] == '#' || std::stoi(line) > 2027) continue;
        const int year = std::stoi(line);
        for (size_t at = 5; at + 4 <= line.size(); at += 5) {
            const CivilDate date{year, std::stoi(line.substr(at, 2)), std::stoi(line.substr(at + 2, 2))};
            std::string name = HolidayName(date.Year, date.Month, date.Day, true);
            if (name == "振替休日" || name == "国民の休日") name = "休日";
            csv += std::to_string(year) + "/" + std::to_string(date.Month) + "/" +
                   std::to_string(date.Day) + "," + name + "\r\n";
        }
    }
    return csv;
}

TEST(CliHolidays, CheckOfThePublishedListOf1955To2027FindsExactlyWhatWasChanged) {
    test::TempDir dir;
    const std::string office = OfficeList1955To2027();
    // The list with the row of `date` replaced by `row`.
    const auto edited = [&](const std::string& date, const std::string& row) {
        std::string csv = office;
        const size_t at = csv.find("\n" + date + ",") + 1;
        csv.replace(at, csv.find('\n', at) + 1 - at, row);
        return csv;
    };
    const struct {
        std::string csv;
        int status;
        std::string differences;
    } cases[] = {
        {office, 0, ""},
        {edited("1989/2/24", ""), 1,
         "1989-02-24\t一覧: （なし）\tプログラム: 昭和天皇の大喪の礼\n"},
        {edited("2027/7/19", "2027/7/19,海洋の日\r\n"), 1,
         "2027-07-19\t一覧: 海洋の日\tプログラム: 海の日\n"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Write("syukujitsu.csv", Utf8ToCp932(c.csv));
        const auto result =
            test::RunCli("holidays --check " + test::ShellQuote(path), dir.File("err.txt"));
        EXPECT_EQ(result.status, c.status) << result.err;
        const size_t summary = result.out.rfind("1955〜2027 年: 一覧の ");
        ASSERT_NE(summary, std::string::npos) << result.out;
        EXPECT_EQ(result.out.substr(0, summary), c.differences);
    }
}

// A design's memorial days to a phone calendar and back into another design, through the files.
TEST(CliMemorials, ExportedAndImportedIntoAnEmptyDesignTheyAreTheSame) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.Year = 2027;
    data.Month = 4;
    data.Memorials.Add() = {"", "0000/01/05", "祖母¶誕生日", 255, -1, 65535};
    data.Memorials.Add() = {"", "0000/02/29", "うるう日", -1, -1, -1};
    data.Memorials.Add() = {"", "2027/05/03", "旅行", -1, 16711680, -1};
    data.Memorials.Add() = {"", "2028/03/31", "年度末", -1, -1, -1};
    ASSERT_TRUE(data.SaveToFile(dir.File("family.sav"), sink));
    TData empty = NewDesign();
    empty.Year = 2027;
    empty.Month = 4;
    ASSERT_TRUE(empty.SaveToFile(dir.File("empty.sav"), sink));

    const auto exported = test::RunCli("export-memorials " + test::ShellQuote(dir.File("family.sav")) +
                                           " " + test::ShellQuote(dir.File("family.ics")),
                                       dir.File("err.txt"));
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "記念日 4 件を " + dir.File("family.ics") + " に書き出しました。\n");
    // Without --years the design's twelve months, April 2027 to March 2028, decide.
    const auto imported = test::RunCli("import-memorials " + test::ShellQuote(dir.File("empty.sav")) +
                                           " " + test::ShellQuote(dir.File("family.ics")),
                                       dir.File("err.txt"));
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "記念日を 4 件追加しました。\n");
    TData back;
    ASSERT_TRUE(back.LoadFromFile(dir.File("empty.sav"), sink));
    ASSERT_EQ(back.Memorials.Count(), data.Memorials.Count());
    for (int i = 0; i < data.Memorials.Count(); ++i) {
        EXPECT_EQ(back.Memorials.Items(i).Date, data.Memorials.Items(i).Date);
        EXPECT_EQ(back.Memorials.Items(i).GetProperty(), data.Memorials.Items(i).GetProperty());
    }

    // Again with ¶: nothing is there twice; a file that is no calendar leaves the design alone.
    const std::string before = test::TempDir::Read(dir.File("empty.sav"));
    const auto again = test::RunCli("import-memorials " + test::ShellQuote(dir.File("empty.sav")) +
                                        " " + test::ShellQuote(dir.File("family.ics")) + " --clash join",
                                    dir.File("err.txt"));
    EXPECT_EQ(again.out, "記念日を追加しませんでした（4 件は同じ日にすでにあるため取り込みませんでした）。\n");
    const auto foreign = test::RunCli("import-memorials " + test::ShellQuote(dir.File("empty.sav")) +
                                          " " + test::ShellQuote(dir.File("family.sav")),
                                      dir.File("err.txt"));
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("iCalendar（.ics）でも vCard（.vcf）でもありません"), std::string::npos);
    EXPECT_EQ(test::TempDir::Read(dir.File("empty.sav")), before);
    EXPECT_EQ(test::RunCli("import-memorials a.sav b.ics --clash both", dir.File("err.txt")).status, 2);
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
