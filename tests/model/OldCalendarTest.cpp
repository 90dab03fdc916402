#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "model/AlmanacData.h"
#include "model/Codec.h"
#include "model/OldCalendar.h"
#include "support/IniOldCalendarReader.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

// Writes a data file in code page 932 with CR LF line ends, as the tool and editors leave it.
std::string WriteDataFile(const test::TempDir& dir, const std::string& utf8Lines) {
    std::string text;
    for (char c : utf8Lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return dir.Write("旧暦.ini", Utf8ToCp932(text));
}

std::vector<std::string> Dates(const TMemorials& list) {
    std::vector<std::string> dates;
    for (int i = 0; i < list.Count(); ++i) dates.push_back(list.Items(i).Date);
    return dates;
}

TEST(OldCalendarData, AMissingFileChangesNothingAndSaysNothing) {
    test::TempDir dir;
    test::RecordingSink sink;
    TMemorials rokuyo, solarTerms;
    rokuyo.Add() = {"", "2016/1/6", "大安", 0, 0, 0};
    EXPECT_FALSE(LoadOldCalendarData(dir.File("旧暦.ini"), rokuyo, solarTerms, sink));
    ASSERT_EQ(rokuyo.Count(), 1);
    EXPECT_EQ(solarTerms.Count(), 0);
}

// Each is refused unread, saying what it is: reading a FIFO or a device would hang, a huge file
// fill the memory.
TEST(OldCalendarData, WhatIsNoDataFileIsRefusedUnreadByWhatItIs) {
    test::TempDir dir;
    test::RecordingSink sink;
    const std::string fifo = dir.File("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.ini");
    const int fd = open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(ftruncate(fd, 3ll << 30), 0);  // 3 GB, sparse
    close(fd);
    for (const auto& [path, reason] :
         {std::pair{fifo, std::string("通常のファイルではありません（FIFO）")},
          {std::string("/dev/zero"), std::string("通常のファイルではありません（デバイス）")},
          {dir.Path(), std::string("Is a directory")},
          {huge, std::string("64 MB を超えるファイルは読み込めません")}}) {
        TMemorials rokuyo, solarTerms;
        EXPECT_FALSE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
        const auto messages = sink.Take();
        ASSERT_EQ(messages.size(), 1u) << path;
        EXPECT_EQ(messages[0].text, "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ\r\n" + path + ": " + reason);
    }
}

TEST(OldCalendarData, ADateRepeatedIsReadOnceAndSaid) {
    test::TempDir dir;
    test::RecordingSink sink;
    std::string file = "[六曜]\n2016/01/05=友引\n";
    for (int i = 0; i < 5000; ++i) file += "2016/01/06=大安\n";
    for (int i = 0; i < 12; ++i) file += "2016/01/07=名" + std::to_string(i) + "\n";
    file += "2016/01/05=友引\n2016/01/08=赤口\n";
    TMemorials rokuyo, solarTerms;
    EXPECT_TRUE(LoadOldCalendarData(WriteDataFile(dir, file), rokuyo, solarTerms, sink));
    EXPECT_EQ(rokuyo.NamesOnDate("2016/01/05"), "友引");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/01/06"), "大安");
    // Distinct names join as before, up to a day's share.
    EXPECT_EQ(rokuyo.NamesOnDate("2016/01/07"), "名0¶名1¶名2¶名3¶名4¶名5¶名6¶名7");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/01/08"), "赤口");
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages[0].text,
              "旧暦データの [六曜] に同じ日付の行が 5004 行あります（最初は "
              "2016/01/06）。くり返しは読み込みませんでした。");
}

TEST(OldCalendarData, BothSectionsLoadInFileOrderAndAnswerByDateValue) {
    test::TempDir dir;
    const std::string path = WriteDataFile(dir,
                                           "[Rokuyo]\n2016/1/1=仏滅\n"
                                           "[六曜]\n"
                                           "2016/01/06=大安\n"
                                           "2016/1/6=先勝\n"
                                           "no equals sign here\n"
                                           "2016/01/07=\n"
                                           "2016/01/08=大安,255\n"
                                           "2016/01/09 = 赤口 \n"
                                           "2016/01/10=\"友引\"\n"
                                           "2016/01/11=a=b\n"
                                           "[Other]\n2016/01/12=x\n"
                                           "[二十四節気]\n"
                                           "2016/01/06=小寒\n"
                                           "2016/01/06=寒の入り\n"
                                           "2016/01/21=大寒\n");
    test::RecordingSink sink;
    TMemorials rokuyo, solarTerms;
    ASSERT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));

    EXPECT_EQ(Dates(rokuyo),
              (std::vector<std::string>{"2016/01/06", "2016/1/6", "2016/01/07", "2016/01/08",
                                        "2016/01/09", "2016/01/10", "2016/01/11"}));
    EXPECT_EQ(rokuyo.Items(2).Name, "");
    EXPECT_EQ(rokuyo.Items(3).Name, "大安");
    EXPECT_TRUE(rokuyo.HasDateIndex());
    EXPECT_TRUE(solarTerms.HasDateIndex());

    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/6"), "大安¶先勝");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/8"), "大安");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/9"), "赤口");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/1"), "");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/10"), "友引");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/11"), "a");  // a name cannot hold "="
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/12"), "");
    EXPECT_EQ(solarTerms.NamesOnDate("2016/1/6"), "小寒¶寒の入り");
    EXPECT_EQ(solarTerms.NamesOnDate(CivilDate{2016, 1, 21}), "大寒");
}

TEST(OldCalendarData, ABadDateStopsTheLoadAndKeepsWhatCameBefore) {
    test::TempDir dir;
    const std::string path = WriteDataFile(dir,
                                           "[六曜]\n"
                                           "2016/02/28=友引\n"
                                           "2016/02/29=先負\n"
                                           "2016/02/30=仏滅\n"
                                           "2016/03/01=大安\n"
                                           "[二十四節気]\n"
                                           "2016/02/04=立春\n");
    test::RecordingSink sink;
    TMemorials rokuyo, solarTerms;
    solarTerms.Add() = {"", "2000/1/1", "old", 0, 0, 0};
    EXPECT_FALSE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));

    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text, "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ\r\n2016/02/30 は日付ではありません");
    EXPECT_EQ(Dates(rokuyo), (std::vector<std::string>{"2016/02/28", "2016/02/29"}));
    EXPECT_EQ(solarTerms.Count(), 0);
    // What was loaded still answers from an index.
    EXPECT_TRUE(rokuyo.HasDateIndex());
    EXPECT_EQ(rokuyo.NamesOnDate("2016/2/29"), "先負");
    EXPECT_EQ(solarTerms.NamesOnDate("2016/2/4"), "");
}

TEST(OldCalendarData, AnUnreadableColourIsReportedAndTheLoadGoesOn) {
    test::TempDir dir;
    const std::string path =
        WriteDataFile(dir, "[六曜]\n2016/01/06=大安,99999999999\n2016/01/07=赤口\n");
    test::RecordingSink sink;
    TMemorials rokuyo, solarTerms;
    EXPECT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind("TMemorial.SetProperty ｴﾗｰ\r\n", 0), 0u);
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/6"), "大安");
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/7"), "赤口");
}

TEST(OldCalendarData, LoadingAgainReplacesTheLists) {
    test::TempDir dir;
    const std::string path = WriteDataFile(dir, "[六曜]\n2016/01/06=大安\n");
    test::RecordingSink sink;
    TMemorials rokuyo, solarTerms;
    ASSERT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    ASSERT_TRUE(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    EXPECT_EQ(rokuyo.Count(), 1);
    EXPECT_EQ(rokuyo.NamesOnDate("2016/1/6"), "大安");
}

// Both readers over the same file: what they return, report and hold must be the same.
struct Reading {
    bool complete = false;
    std::vector<test::Message> messages;
    TMemorials rokuyo, solarTerms;
};

Reading ReadFast(const std::string& path) {
    Reading r;
    test::RecordingSink sink;
    r.complete = LoadOldCalendarData(path, r.rokuyo, r.solarTerms, sink);
    r.messages = sink.Take();
    return r;
}

Reading ReadThroughIniFile(const std::string& path) {
    Reading r;
    test::RecordingSink sink;
    r.complete = test::LoadOldCalendarThroughIniFile(
        path, {{kRokuyoSection, &r.rokuyo}, {kSolarTermSection, &r.solarTerms}}, sink);
    r.messages = sink.Take();
    return r;
}

void ExpectSameLists(const TMemorials& fast, const TMemorials& slow) {
    ASSERT_EQ(fast.Count(), slow.Count());
    for (int i = 0; i < fast.Count(); ++i) {
        const TMemorial& a = fast.Items(i);
        const TMemorial& b = slow.Items(i);
        EXPECT_EQ(a.Date, b.Date);
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.DayColor, b.DayColor);
        EXPECT_EQ(a.FontColor, b.FontColor);
        EXPECT_EQ(a.BackColor, b.BackColor);
        EXPECT_EQ(fast.NamesOnDate(a.Date), slow.NamesOnDate(b.Date));
    }
}

void ExpectSameOutcome(const Reading& fast, const Reading& slow) {
    EXPECT_EQ(fast.complete, slow.complete);
    ASSERT_EQ(fast.messages.size(), slow.messages.size());
    for (size_t i = 0; i < fast.messages.size(); ++i) {
        EXPECT_EQ(fast.messages[i].kind, slow.messages[i].kind);
        EXPECT_EQ(fast.messages[i].text, slow.messages[i].text);
    }
}

// A load that keeps only `days` answers for them as the whole one, with the same messages.
void ExpectSameOnDays(const std::string& path, std::vector<int64_t> days, const Reading& whole) {
    std::sort(days.begin(), days.end());
    Reading some;
    test::RecordingSink sink;
    const OldCalendarSection sections[] = {{kRokuyoSection, &some.rokuyo},
                                           {kSolarTermSection, &some.solarTerms}};
    some.complete = LoadOldCalendarSections(path, sections, sink, &days);
    some.messages = sink.Take();
    ExpectSameOutcome(some, whole);
    for (const int64_t day : days) {
        const CivilDate date = CivilFromDays(day);
        EXPECT_EQ(some.rokuyo.NamesOnDate(date), whole.rokuyo.NamesOnDate(date));
        EXPECT_EQ(some.solarTerms.NamesOnDate(date), whole.solarTerms.NamesOnDate(date));
    }
}

void ExpectSameReading(const std::string& path) {
    const Reading fast = ReadFast(path);
    const Reading slow = ReadThroughIniFile(path);
    ExpectSameOutcome(fast, slow);
    ExpectSameLists(fast.rokuyo, slow.rokuyo);
    ExpectSameLists(fast.solarTerms, slow.solarTerms);
    std::vector<int64_t> days{DaysFromCivil({2016, 1, 8})};
    for (int i = 0; i < slow.rokuyo.Count(); i += 2) {
        if (const auto date = TryParseDateText(slow.rokuyo.Items(i).Date)) {
            days.push_back(DaysFromCivil(*date));
        }
    }
    ExpectSameOnDays(path, days, slow);
}

TEST(OldCalendarData, TheShippedFileAnswersAsTheIniFileReaderOnEveryDayOf1900To2100) {
    const Reading fast = ReadFast(ORV_OLD_CALENDAR_FILE);
    const Reading slow = ReadThroughIniFile(ORV_OLD_CALENDAR_FILE);
    ASSERT_TRUE(fast.complete);
    ASSERT_TRUE(slow.complete);
    ASSERT_GT(fast.rokuyo.Count(), 73000);
    int differences = 0;
    for (int64_t day = DaysFromCivil({1900, 1, 1}); day <= DaysFromCivil({2100, 12, 31}); ++day) {
        const CivilDate date = CivilFromDays(day);
        if (fast.rokuyo.NamesOnDate(date) != slow.rokuyo.NamesOnDate(date) ||
            fast.solarTerms.NamesOnDate(date) != slow.solarTerms.NamesOnDate(date)) {
            ADD_FAILURE() << PlainDateText(date);
            if (++differences == 10) break;
        }
    }
    EXPECT_EQ(fast.solarTerms.NamesOnDate(CivilDate{2027, 2, 4}), "立春");
    ExpectSameOnDays(ORV_OLD_CALENDAR_FILE,
                     {DaysFromCivil({2027, 2, 4}), DaysFromCivil({1900, 1, 1}),
                      DaysFromCivil({2100, 12, 31}), DaysFromCivil({2101, 1, 1})},
                     slow);
    // Read once for the lists and the almanac: the same as the two loads.
    AlmanacData alone, together;
    ASSERT_TRUE(LoadAlmanacData(ORV_OLD_CALENDAR_FILE, alone));
    Reading once;
    test::RecordingSink sink;
    ASSERT_TRUE(
        LoadOldCalendarFile(ORV_OLD_CALENDAR_FILE, once.rokuyo, once.solarTerms, together, sink));
    for (const CivilDate date : {CivilDate{2027, 2, 3}, CivilDate{2027, 9, 1}, {1900, 1, 1}}) {
        EXPECT_EQ(together.OldDateOn(date), alone.OldDateOn(date));
        EXPECT_EQ(together.SeasonalDaysOn(date), alone.SeasonalDaysOn(date));
        EXPECT_EQ(together.MoonPhaseOn(date), alone.MoonPhaseOn(date));
        EXPECT_EQ(once.rokuyo.NamesOnDate(date), fast.rokuyo.NamesOnDate(date));
    }
}

TEST(OldCalendarData, BrokenAndOddFilesReadAsThroughTheIniFileReader) {
    const std::vector<std::string> files = {
        // A bad date in the second section, which comes first in the file.
        "[二十四節気]\n2016/02/04=立春\n2016/13/01=x\n2016/02/19=雨水\n[六曜]\n2016/1/1=大安\n",
        // Bad dates in both: the first section's stops the load.
        "[二十四節気]\n2016/2/30=x\n[六曜]\n2016/1/1=大安\n2016/1/32=x\n",
        // A colour error above a bad date, and one in the section the bad date keeps from being
        // read.
        "[二十四節気]\n2016/1/6=小寒,99999999999\n[六曜]\n2016/1/1=大安,99999999999\n"
        "2016/1/2=赤口\nx/1/1=仏滅\n",
        // Names in any case, a second section of the same name, lines before any section.
        "2016/1/1=before\n[六曜]\n2016/1/1=大安\n[六曜]\n2016/1/2=赤口\n"
        "[ 二十四節気 ]\n2016/1/6=小寒\n[Foo]\n2016/1/7=x\n",
        // Quotes, a second "=", an empty name, colours, blanks and a line without "=".
        "\r\n  [六曜]  \r\n \"2016/1/1\"=大安\r\n2016/1/2=\"赤=口\",1,2,3\r\n2016/1/3=\r\n"
        "2016/1/4=,5\r\n\t2016/1/5 =\t先勝 \r\njust text\r\n2016/1/5=友引\r\n"
        "2016/1/6=\"\"\r\n2016/01/06=先負,1,2\r\n0/1/1=仏滅\r\n",
        // A section header without its closing bracket, and one that is not ours.
        "[六曜\n2016/1/1=大安\n[六曜x]\n2016/1/2=赤口\n",
        // Repeats after the dates went back once, and after a day's second name; repeats of days
        // that a load of a few days does not keep.
        "[六曜]\n2016/01/06=大安\n2006/1/6=先勝\n2016/01/06=大安\n2016/1/6=先勝\n",
        "[六曜]\n2016/1/6=先勝\n2216/01/07=\n2016/01/06=大安\n2216/01/07=\n2016/01/09=赤口\n"
        "2016/01/09=赤口\n",
    };
    test::TempDir dir;
    for (const std::string& text : files) {
        SCOPED_TRACE(text);
        ExpectSameReading(WriteDataFile(dir, text));
    }
    // Bytes that are not code page 932: lone lead bytes before a line end, "=" and a blank, a
    // second byte that reads as "]", and a date in full-width digits.
    const std::string odd =
        "[\x98\x5D]\n2016/1/1=x\n[\x98\x5D\x82]\n[\x98\x5Dz]\n"
        "[\x98\x5B\x98\x5D]\n2016/1/1=y\n[\x98\x5D]\n2016/1/2=z\n"
        "[\x98\x5Z]\n[\x98\x5a\x97\x6a]\n2016/1/1=\x91\xe5\x88\xc0\x81\n2016/1/2\x81=x\n"
        "2016/1/3=\x81 \n2016/1/4=\x81\r\n2016/1/5=\xff\x80\xa0\xb1\n\x82\x4f/1/1=x\n";
    ExpectSameReading(dir.Write("odd.ini", odd));
    ExpectSameReading(dir.Write("end.ini", "[\x98\x5a\x97\x6a]\n2016/1/9=\x91\xe5\x81"));
}

}  // namespace
}  // namespace orv
