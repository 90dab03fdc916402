#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"
#include "Codec.h"
#include "LunisolarCalendar.h"
#include "OldCalendarWriter.h"
#include "TempDir.h"

namespace orv {
namespace {

TEST(CliOldcal, WritesTheComputedYearsToTheNamedFile) {
    test::TempDir dir;
    const auto result = test::RunCli("oldcal 2033 2034 -o " + test::ShellQuote(dir.File("out.ini")),
                                     dir.File("err"));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "");
    const std::string bytes = test::TempDir::Read(dir.File("out.ini"));
    EXPECT_EQ(bytes, OldCalendarFileBytes(LunisolarCalendar(2033, 2034)));
    // 閏11月1日 of 2033 counts as month 11: (11 + 1) mod 6 = 0.
    EXPECT_NE(Cp932ToUtf8(bytes).find("\r\n2033/12/22=大安\r\n"), std::string::npos);

    // "-" is standard output, with the same bytes.
    const auto toStdout = test::RunCli("oldcal -o - 2033 2034", dir.File("err"));
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, bytes);
}

TEST(CliOldcal, WithoutAFileNameWritesTheDataFileIntoTheCurrentFolder) {
    test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const auto result = test::RunCli("oldcal 2026 2026", dir.File("err"));
    std::filesystem::current_path(previous);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::TempDir::Read(dir.File("旧暦.ini")),
              OldCalendarFileBytes(LunisolarCalendar(2026, 2026)));
}

TEST(CliOldcal, RefusesBadYearsAndReportsFailedWrites) {
    test::TempDir dir;
    const std::string out = " -o " + test::ShellQuote(dir.File("x.ini"));
    for (const char* args :
         {"oldcal 2026", "oldcal 2027 2026", "oldcal 1799 1900", "oldcal 2100 2201",
          "oldcal 20x6 2027", "oldcal -5 2026", "oldcal 2026 2026 -o"}) {
        const auto result = test::RunCli(
            std::string(args) + (std::string(args).ends_with("-o") ? "" : out), dir.File("err"));
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_NE(result.err, "") << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.ini")));

    dir.Write("plain", "");
    const auto failed = test::RunCli(
        "oldcal 2026 2026 -o " + test::ShellQuote(dir.File("plain/x.ini")), dir.File("err"));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err.rfind("error: ﾌｧｲﾙ保存ｴﾗｰ: ", 0), 0u) << failed.err;

    const auto help = test::RunCli("--help", dir.File("err"));
    EXPECT_NE(help.out.find("oldcal FROM_YEAR TO_YEAR [-o FILE]"), std::string::npos);
}

TEST(CliOldcal, TheBuildPutsTheCenturiesBesideThePrograms) {
    const std::string path =
        std::filesystem::path(ORV_CLI_PATH).parent_path().string() + "/旧暦.ini";
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    const std::string text = Cp932ToUtf8(test::TempDir::Read(path));
    EXPECT_EQ(text.rfind("[六曜]\r\n1900/01/01=", 0), 0u);
    EXPECT_NE(text.find("\r\n2100/12/31="), std::string::npos);
    EXPECT_NE(text.find("\r\n[二十四節気]\r\n1900/01/06=小寒\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orv
