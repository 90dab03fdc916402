#include <gtest/gtest.h>

#include <string>

#include "Codec.h"
#include "OldCalendar.h"
#include "RecordingSink.h"
#include "TempDir.h"

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
    EXPECT_FALSE(LoadOldCalendarData(dir.Path(), rokuyo, solarTerms, sink));  // a folder
    ASSERT_EQ(rokuyo.Count(), 1);
    EXPECT_EQ(solarTerms.Count(), 0);
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
    EXPECT_EQ(messages[0].text, "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ\r\n'2016/02/30' is not a valid date");
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

}  // namespace
}  // namespace orv
