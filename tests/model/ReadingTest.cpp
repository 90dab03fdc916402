// Settings files as users meet them: huge lines, huge lists, things that are not files, texts
// that Shift_JIS cannot hold and values edited by hand.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "model/DataUnit.h"
#include "model/IniFile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

class Reading : public testing::Test {
  protected:
    test::TempDir dir;
    test::RecordingSink sink;
};

// Each of these never finished while every field was searched for from the start of its line.
TEST_F(Reading, MegabyteLinesOfCommasOrEqualsSignsLoad) {
    const std::string commas(1 << 20, ',');
    const std::string path = dir.Write(
        "big.sav", "[Memorial]\r\n2016/01/01=name" + commas +
                       "\r\n0000/12/24=" + std::string(1 << 20, '=') +
                       "\r\n[MatrixData]\r\n1=3,a.jpg" + commas + "\r\n" + commas + "=x\r\n");
    TData data;
    ASSERT_TRUE(data.LoadFromFile(path, sink));
    ASSERT_EQ(data.Memorials.Count(), 2);
    EXPECT_EQ(data.Memorials.Items(0).Name, "name");
    EXPECT_EQ(data.Memorials.Items(1).Name, "");
    ASSERT_EQ(data.Matrixs.Count(), 2);
    EXPECT_EQ(data.Matrixs.Items(0).MonthOffset, 3);
    EXPECT_EQ(data.Matrixs.Items(0).ImageFile, "a.jpg");
    EXPECT_EQ(data.Matrixs.Items(1).Number, 0);
}

// Every key was once looked for through the whole section: 200,000 keys took many minutes.
TEST_F(Reading, KeysWrittenIntoAHugeSectionAreAddedOrReplaced) {
    IniFile ini;
    char key[64];
    for (int i = 0; i < 200000; ++i) {
        std::snprintf(key, sizeof key, "2016/01/01 a memorial day of the family %08d", i);
        ini.WriteString("Memorial", key, "v");
    }
    ini.WriteString("MEMORIAL", "2016/01/01 A MEMORIAL DAY OF THE FAMILY 00000000", "first");
    ini.WriteString("Memorial", "2016/01/01 a memorial day of the family 00199999", "last");
    const auto& entries = ini.SectionEntries("Memorial");
    ASSERT_EQ(entries.size(), 200000u);
    EXPECT_EQ(entries.front().Key + "=" + entries.front().Value,
              "2016/01/01 a memorial day of the family 00000000=first");
    EXPECT_EQ(entries.back().Value, "last");
}

// Reading any of these to the end would hang or fill the memory.
TEST_F(Reading, WhatIsNoRegularFileOrIsTooLargeIsRefusedUnread) {
    const std::string fifo = dir.File("fifo.sav");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.sav");
    const int fd = open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(ftruncate(fd, (64 << 20) + 1), 0);  // sparse: nothing written
    close(fd);
    for (const auto& [path, reason] : {std::pair{fifo, "通常のファイルではありません（FIFO）"},
                                       {"/dev/zero", "通常のファイルではありません（デバイス）"},
                                       {dir.Path(), "Is a directory"},
                                       {huge, "64 MB を超えるファイルは読み込めません"}}) {
        TData data;
        EXPECT_FALSE(data.LoadFromFile(path, sink));
        const auto messages = sink.Take();
        ASSERT_EQ(messages.size(), 1u) << path;
        EXPECT_EQ(messages[0].text, "ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ\r\n" + path + ": " + reason);
    }
}

// A hand-edited file may hold any number for a flag; the program writes 1 or 0.
TEST_F(Reading, FlagsAreWrittenBackAsOneOrZero) {
    const std::string path =
        dir.Write("edited.sav",
                  "[Calender]\r\nFrame=-3\r\n[Style]\r\nHolidayFontI=+7\r\nWeekFrame=0\r\n"
                  "[Color]\r\nLineWidth=7\r\n[Matrix]\r\nPrint=$10\r\n");
    TData data;
    ASSERT_TRUE(data.LoadFromFile(path, sink));
    EXPECT_EQ(data.HolidayFontI, 7);  // any value other than 0 is on, as read
    ASSERT_TRUE(data.SaveToFile(path, sink));
    const std::string saved = test::TempDir::Read(path);
    for (const char* line : {"\r\nFrame=1\r\n", "\r\nHolidayFontI=1\r\n", "\r\nWeekFrame=0\r\n",
                             "\r\nPrint=1\r\n", "\r\nLineWidth=7\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace orv
