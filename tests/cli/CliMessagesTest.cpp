// What the command-line programs say of a mistake: in Japanese as the window does, naming what
// was asked (a design's month, a size, a date) as it was asked.
#include <gtest/gtest.h>

#include <regex>

#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

class CliMessages : public testing::Test {
  protected:
    CliResult Run(const std::string& arguments) {
        return RunCli(arguments, dir.File("stderr.txt"));
    }
    // A design file as the Windows program writes one, with `calendar` lines of its own.
    std::string Design(const std::string& name, const std::string& calendar) {
        return ShellQuote(dir.Write(name,
                                    "[About]\r\nSignature=Orvalinden\r\nVersion=1.11\r\n"
                                    "[Calender]\r\nYear=2026\r\n" +
                                        calendar));
    }

    TempDir dir;
};

TEST_F(CliMessages, CommandLineMistakesAreSaidInJapanese) {
    const std::string design = Design("a4.sav", "Month=1\r\nSizeX=210\r\nSizeY=297\r\n");
    const std::string png = ShellQuote(dir.File("out.png"));
    const struct {
        std::string arguments;
        int status;
        std::string said;
    } cases[] = {
        {"", 2, "使い方: orvalinden-cli コマンド [引数]"},
        {"frobnicate", 2, "orvalinden-cli: 「frobnicate」というコマンドはありません"},
        {"resave only-one.sav", 2, "使い方: orvalinden-cli resave IN.sav OUT.sav"},
        {"day 2016-13-01", 2, "2016-13-01 は YYYY-MM-DD の日付ではありません"},
        {"holidays 2020 2019", 2, "はじめの年 2020 が終わりの年 2019 より後です"},
        {"oldcal 1700 1900", 2, "年は 1800 から 2200 までで"},
        {"export " + design + " " + png + " --dpi 0", 1,
         "error: --dpi の値 0 は使えません（1 から 100000 までの整数）"},
        {"export " + design + " " + png + " --months 121", 1,
         "error: --months の値 121 は使えません（1 から 120 までの整数）"},
        {"export " + design + " " + png + " --dpi", 1, "error: --dpi の値がありません"},
        {"export " + design + " " + png + " --colour red", 1,
         "error: --colour というオプションはありません"},
    };
    for (const auto& c : cases) {
        const CliResult result = Run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(c.said), std::string::npos) << c.arguments << "\n" << result.err;
    }
    const CliResult help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.find("Usage"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
}

TEST_F(CliMessages, BothProgramsTellTheirVersion) {
    const std::regex version("[0-9]+\\.[0-9]+(\\.[0-9]+)?\n");
    const CliResult cli = Run("--version");
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.out.rfind("orvalinden-cli ", 0), 0u) << cli.out;
    EXPECT_TRUE(std::regex_search(cli.out, version)) << cli.out;
#ifdef ORV_WINDOW_PATH
    // The window answers without a display.
    const std::string window = ShellQuote(ORV_WINDOW_PATH) + " --version 2>&1";
    FILE* pipe =
        popen(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + window).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[128] = {};
    const std::string out = fgets(line, sizeof line, pipe) != nullptr ? line : "";
    EXPECT_EQ(pclose(pipe), 0) << out;
    EXPECT_EQ(out.rfind("orvalinden ", 0), 0u) << out;
    EXPECT_TRUE(std::regex_search(out, version)) << out;
    EXPECT_EQ(out.substr(out.find(' ')), cli.out.substr(cli.out.find(' ')));
#endif
}

TEST_F(CliMessages, DesignMistakesNameWhatTheDesignAsks) {
    const std::string month13 = Design("m13.sav", "Month=13\r\nSizeX=210\r\nSizeY=297\r\n");
    // A run of months, printed or exported, starts at the design's month: that month is named.
    const std::string month =
        "error: デザインの月が 13 です。月は 1 から 12 までで指定してください。";
    for (const std::string& arguments :
         {"print " + month13, "print " + month13 + " --months 12",
          "export " + month13 + " " + ShellQuote(dir.File("year.png")) + " --months 12"}) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.status, 1) << arguments;
        EXPECT_NE(result.err.find(month), std::string::npos) << arguments << "\n" << result.err;
        EXPECT_EQ(result.err.find("月数は"), std::string::npos) << result.err;
    }
    // One month is drawn and refused with the date in Japanese.
    for (const char* out : {"one.png", "one.pdf"}) {
        const CliResult result = Run("export " + month13 + " " + ShellQuote(dir.File(out)));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "error: 描画ｴﾗｰ: 2026/13/1 は日付ではありません\n") << out;
    }
    // Sizes are told as asked: an imposition wider than any int, a sheet of no width.
    const std::string wide = Design("wide.sav",
                                    "Month=1\r\nSizeX=100\r\nSizeY=100\r\n[Matrix]\r\nPrint=1\r\n"
                                    "Cols=3\r\nInterval=2147483647\r\n");
    const std::string flat = Design("flat.sav", "Month=1\r\nSizeX=0\r\nSizeY=297\r\n");
    const struct {
        std::string design;
        std::string said;
    } sizes[] = {
        {wide, "出力が大きすぎます（4294967594 x 100 mm）。 縦横とも 5080 mm"},
        {flat,
         "用紙の大きさが正しくありません（0 x 297 mm）。 幅と高さを 1 mm 以上にしてください。"},
    };
    for (const auto& size : sizes) {
        for (const char* out : {"size.png", "size.pdf"}) {
            const CliResult result =
                Run("export " + size.design + " " + ShellQuote(dir.File(out)) + " --dpi 300");
            EXPECT_EQ(result.status, 1) << out;
            EXPECT_NE(result.err.find(size.said), std::string::npos) << out << "\n" << result.err;
        }
    }
}

}  // namespace
}  // namespace orv::test
