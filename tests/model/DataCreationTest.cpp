#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/DataCreation.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

const char* const kRokuyoNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

std::string RokuyoOf(const CivilDate& date) {
    return kRokuyoNames[(DaysFromCivil(date) % 6 + 6) % 6];
}

std::string Column(int month, int day, const std::string& name) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d/%2d ", month, day);
    return text + name;
}

// A year's rokuyo table as the source files hold it: a preamble, "start:", then one line per day
// of the month with a column for each month that has that day, and markup lines between.
std::string RokuyoSource(int year, bool withStart = true) {
    std::string text = "六曜カレンダー " + std::to_string(year) + "/1/1 から\r\n";
    if (withStart) text += "  start:  \r\n";
    for (int day = 1; day <= 31; ++day) {
        std::string line;
        for (int month = 1; month <= 12; ++month) {
            if (day > DaysInMonth(year, month)) continue;
            line += Column(month, day, RokuyoOf({year, month, day})) + "  ";
        }
        text += "\t" + line + "\r\n";
        if (day % 7 == 0) text += "</tr><tr>\r\n\r\n";
    }
    return Utf8ToCp932(text);
}

class DevelopmentFolder {
  public:
    DevelopmentFolder() {
        std::filesystem::create_directory(dir_.File("六曜"));
        std::filesystem::create_directory(dir_.File("二十四節気"));
    }
    const std::string& Path() const { return dir_.Path(); }
    std::string RokuyoFile(int year) const {
        return dir_.File("六曜/" + std::to_string(year) + ".txt");
    }
    std::string RokuyoResult() const { return dir_.File("六曜/六曜.ini"); }
    std::string SolarTermFile(int year) const {
        return dir_.File("二十四節気/24sk" + std::to_string(year) + ".htm");
    }
    std::string SolarTermResult() const { return dir_.File("二十四節気/二十四節気.ini"); }
    void Write(const std::string& path, const std::string& bytes) const {
        dir_.Write(path.substr(dir_.Path().size() + 1), bytes);
    }
    void WriteAllRokuyo() const {
        for (int year = 1997; year <= 2010; ++year) Write(RokuyoFile(year), RokuyoSource(year));
    }

  private:
    test::TempDir dir_;
};

int DaysOfYears(int from, int to) {
    return static_cast<int>(DaysFromCivil({to + 1, 1, 1}) - DaysFromCivil({from, 1, 1}));
}

TEST(RokuyoRun, BuildsOneRowForEveryDayOfTheYearsInDateOrder) {
    DevelopmentFolder folder;
    folder.WriteAllRokuyo();
    test::RecordingSink sink;
    std::vector<int> years;
    int added = 0;
    DataCreationCallbacks callbacks;
    callbacks.YearStarted = [&](int year) { years.push_back(year); };
    callbacks.RowAdded = [&](const DataRow&) { ++added; };

    const DataCreationResult result = CreateRokuyoData(folder.Path(), sink, callbacks);
    ASSERT_TRUE(result.Written);
    EXPECT_EQ(result.ResultPath, folder.RokuyoResult());
    EXPECT_EQ(years.size(), 14u);
    EXPECT_EQ(years.front(), 1997);
    EXPECT_EQ(years.back(), 2010);
    ASSERT_EQ(static_cast<int>(result.Rows.size()), DaysOfYears(1997, 2010));
    EXPECT_EQ(added, static_cast<int>(result.Rows.size()));

    // Every day once, in order, with its own name: leap-year Februaries, 31-day months and the
    // markup lines between the data lines all come out right.
    CivilDate expected{1997, 1, 1};
    std::string file = "[Rokuyo]\r\n";
    for (const DataRow& row : result.Rows) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", expected.Year, expected.Month,
                      expected.Day);
        ASSERT_EQ(row.Date, date);
        ASSERT_EQ(row.Name, RokuyoOf(expected)) << row.Date;
        file += row.Date + "=" + row.Name + "\r\n";
        expected = AddDays(expected, 1);
    }
    EXPECT_EQ(test::TempDir::Read(folder.RokuyoResult()), Utf8ToCp932(file));
}

TEST(RokuyoRun, ASourceWithoutStartGivesNoRows) {
    DevelopmentFolder folder;
    for (int year = 1997; year <= 2010; ++year) {
        folder.Write(folder.RokuyoFile(year), RokuyoSource(year, false));
    }
    test::RecordingSink sink;
    const DataCreationResult result = CreateRokuyoData(folder.Path(), sink);
    EXPECT_TRUE(result.Written);
    EXPECT_TRUE(result.Rows.empty());
    EXPECT_EQ(test::TempDir::Read(folder.RokuyoResult()), "[Rokuyo]\r\n");

    folder.Write(folder.RokuyoFile(2000), RokuyoSource(2000));
    const DataCreationResult one = CreateRokuyoData(folder.Path(), sink);
    EXPECT_EQ(static_cast<int>(one.Rows.size()), 366);
    EXPECT_EQ(one.Rows[59].Date, "2000/02/29");
}

TEST(RokuyoRun, AMissingYearStopsTheRunAndWritesNothing) {
    DevelopmentFolder folder;
    folder.WriteAllRokuyo();
    folder.Write(folder.RokuyoResult(), "old result");
    std::filesystem::remove(folder.RokuyoFile(2005));
    test::RecordingSink sink;

    const DataCreationResult result = CreateRokuyoData(folder.Path(), sink);
    EXPECT_FALSE(result.Written);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text,
              "ｴﾗｰ\r\n" + folder.RokuyoFile(2005) + ": No such file or directory");
    // The list keeps what the years before brought.
    EXPECT_EQ(static_cast<int>(result.Rows.size()), DaysOfYears(1997, 2004));
    EXPECT_EQ(result.Rows.back().Date, "2004/12/31");
    EXPECT_EQ(test::TempDir::Read(folder.RokuyoResult()), "old result");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path() + "/六曜"),
                            std::filesystem::directory_iterator()),
              14);  // 13 sources and the old result: no temporary file left behind
}

TEST(RokuyoRun, ADataLineShortOfAMonthStopsTheRunAndSaysWhere) {
    DevelopmentFolder folder;
    folder.WriteAllRokuyo();
    // Day 31 of 2003 without its December column.
    std::string source = Cp932ToUtf8(RokuyoSource(2003));
    const std::string december = Column(12, 31, RokuyoOf({2003, 12, 31}));
    source.erase(source.find(december), december.size());
    folder.Write(folder.RokuyoFile(2003), Utf8ToCp932(source));
    test::RecordingSink sink;

    const DataCreationResult result = CreateRokuyoData(folder.Path(), sink);
    EXPECT_FALSE(result.Written);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(folder.RokuyoFile(2003)), std::string::npos);
    EXPECT_NE(messages[0].text.find("12 月"), std::string::npos);
    EXPECT_EQ(result.Rows.back().Date, "2003/12/30");
    EXPECT_FALSE(std::filesystem::exists(folder.RokuyoResult()));
}

const std::pair<const char*, const char*> kTerms[] = {
    {"小寒", "01/05"}, {"大寒", "01/20"}, {"立春", "02/04"}, {"雨水", "02/19"}, {"啓蟄", "03/05"},
    {"春分", "03/20"}, {"清明", "04/05"}, {"穀雨", "04/20"}, {"立夏", "05/05"}, {"小満", "05/21"},
    {"芒種", "06/05"}, {"夏至", "06/21"}, {"小暑", "07/07"}, {"大暑", "07/23"}, {"立秋", "08/07"},
    {"処暑", "08/23"}, {"白露", "09/07"}, {"秋分", "09/23"}, {"寒露", "10/08"}, {"霜降", "10/23"},
    {"立冬", "11/07"}, {"小雪", "11/22"}, {"大雪", "12/07"}, {"冬至", "12/22"},
};

// A year's table of solar terms as the source pages hold it.
std::string SolarTermSource(int year, const std::string& extraRow = "") {
    std::string text =
        "<html><head><title>二十四節気</title></head><body>\n"
        "<p>作成 2009/12/01</p>\n"
        "<table border=\"1\">\n"
        "<tr><th>節気</th><th>日付～</th></tr>\n" +
        extraRow;
    // Upper-case tags on some rows, a blank line and a row without a date among them.
    bool upper = false;
    for (const auto& [name, date] : kTerms) {
        text += upper ? "  <TR ALIGN=\"CENTER\"><TH>" + std::string(name) + "</TH><TD>" + date +
                            "</TD></TR>\n"
                      : "<tr align=\"center\"><th>" + std::string(name) + "</th><td>" + date +
                            "</td></tr>\n";
        upper = !upper;
    }
    text += "\n<tr align=\"center\"><th>注</th><td>日付は年による</td></tr>\n";
    text += "</table>\n<p>次回 " + std::to_string(year + 1) + " 01/05</p>\n</body></html>\n";
    return Utf8ToCp932(text);
}

TEST(SolarTermRun, ReadsTheTableRowsOfEveryYear) {
    DevelopmentFolder folder;
    for (int year = 1997; year <= 2010; ++year) {
        // One year lists the winter solstice first: the rows still come out in date order.
        folder.Write(folder.SolarTermFile(year),
                     SolarTermSource(year, year == 1998 ? "<tr align=\"center\"><th>冬至</th>"
                                                          "<td>12/21</td></tr>\n"
                                                        : ""));
    }
    test::RecordingSink sink;
    const DataCreationResult result = CreateSolarTermData(folder.Path(), sink);
    ASSERT_TRUE(result.Written);
    ASSERT_EQ(result.Rows.size(), 14u * 24u + 1u);
    EXPECT_EQ(result.Rows[0].Date, "1997/01/05");
    EXPECT_EQ(result.Rows[0].Name, "小寒");
    EXPECT_EQ(result.Rows[1].Name, "大寒");
    EXPECT_EQ(result.Rows[47].Date, "1998/12/21");
    EXPECT_EQ(result.Rows[47].Name, "冬至");
    EXPECT_EQ(result.Rows[48].Date, "1998/12/22");

    const std::string file = Cp932ToUtf8(test::TempDir::Read(folder.SolarTermResult()));
    EXPECT_EQ(file.rfind("[二十四節気]\r\n1997/01/05=小寒\r\n1997/01/20=大寒\r\n", 0), 0u);
    EXPECT_NE(file.find("\r\n2010/12/22=冬至\r\n"), std::string::npos);
    EXPECT_EQ(file.find("2009/12/01"), std::string::npos);
    EXPECT_EQ(file.find("次回"), std::string::npos);
}

TEST(SolarTermRun, ADateThatDoesNotExistStopsTheRunAndWritesNothing) {
    DevelopmentFolder folder;
    for (int year = 1997; year <= 2010; ++year) {
        folder.Write(folder.SolarTermFile(year),
                     SolarTermSource(year, year == 2005 ? "<tr align=\"center\"><th>雨水</th>"
                                                          "<td>02/30</td></tr>\n"
                                                        : ""));
    }
    test::RecordingSink sink;
    const DataCreationResult result = CreateSolarTermData(folder.Path(), sink);
    EXPECT_FALSE(result.Written);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ｴﾗｰ\r\n2005/02/30 は日付ではありません");
    EXPECT_EQ(result.Rows.size(), 8u * 24u);
    EXPECT_FALSE(std::filesystem::exists(folder.SolarTermResult()));
}

}  // namespace
}  // namespace orv
