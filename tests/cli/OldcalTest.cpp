#include <gtest/gtest.h>

#include <filesystem>

#include "model/Codec.h"
#include "model/LunisolarCalendar.h"
#include "model/OldCalendarWriter.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv {
namespace {

TEST(CliOldcal, WritesTheComputedYearsToTheFileTheCurrentFolderOrStandardOutput) {
    test::TempDir dir;
    const std::string expected = OldCalendarFileBytes(LunisolarCalendar(2033, 2034));
    const auto named = test::RunCli("oldcal 2033 2034 -o " + test::ShellQuote(dir.File("out.ini")),
                                    dir.File("err"));
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.err + named.out, "");
    EXPECT_EQ(test::TempDir::Read(dir.File("out.ini")), expected);

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const auto unnamed = test::RunCli("oldcal 2033 2034", dir.File("err"));
    std::filesystem::current_path(previous);
    ASSERT_EQ(unnamed.status, 0) << unnamed.err;
    EXPECT_EQ(test::TempDir::Read(dir.File("旧暦.ini")), expected);

    const auto toStdout = test::RunCli("oldcal -o - 2033 2034", dir.File("err"));
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, expected);
}

TEST(CliOldcal, RefusesBadYearsAndReportsFailedWrites) {
    test::TempDir dir;
    const std::string out = " -o " + test::ShellQuote(dir.File("x.ini"));
    for (const std::string args :
         {"2026", "2027 2026", "1799 1900", "2100 2201", "20x6 2027", "-5 2026"}) {
        const auto result = test::RunCli("oldcal " + args + out, dir.File("err"));
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_NE(result.err, "") << args;
    }
    EXPECT_EQ(test::RunCli("oldcal 2026 2026 -o", dir.File("err")).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.ini")));

    dir.Write("plain", "");
    const auto failed = test::RunCli(
        "oldcal 2026 2026 -o " + test::ShellQuote(dir.File("plain/x.ini")), dir.File("err"));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err.rfind("error: ﾌｧｲﾙ保存ｴﾗｰ: ", 0), 0u) << failed.err;
}

TEST(CliOldcal, TheBuildPutsTheCenturiesBesideThePrograms) {
    const auto path = std::filesystem::path(ORV_CLI_PATH).parent_path() / "旧暦.ini";
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    const std::string text = Cp932ToUtf8(test::TempDir::Read(path.string()));
    EXPECT_EQ(text.rfind("[六曜]\r\n1900/01/01=", 0), 0u);
    EXPECT_NE(text.find("\r\n2100/12/31="), std::string::npos);
    EXPECT_NE(text.find("\r\n[二十四節気]\r\n1900/01/06=小寒\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orv
