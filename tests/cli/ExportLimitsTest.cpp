// orvalinden-cli export of designs at the edge of what a file can ask for: a picture too large is
// refused with a message, the largest layouts the window allows are drawn.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

class ExportLimits : public testing::Test {
  protected:
    std::string Save(TData design, const std::string& name) {
        NullMessageSink quiet;
        EXPECT_TRUE(design.SaveToFile(dir.File(name), quiet));
        return ShellQuote(dir.File(name));
    }
    CliResult Export(const std::string& arguments) {
        return RunCli("export " + arguments, dir.File("stderr.txt"));
    }
    static TData Design(int sizeX, int sizeY) {
        TData design = NewDesign();
        design.Year = 2026;
        design.Month = 4;
        design.SizeIndex = -1;
        design.SizeX = sizeX;
        design.SizeY = sizeY;
        return design;
    }

    TempDir dir;
};

TEST_F(ExportLimits, OversizedPicturesAreRefusedAndTheLargestLayoutsDrawn) {
    const std::string a4 = Save(Design(210, 297), "a4.sav");
    CliResult result = Export(a4 + " " + ShellQuote(dir.File("huge.png")) + " --dpi 100000");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("画像が大きすぎます（826771 x 1169291 ピクセル）"), std::string::npos)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("huge.png")));

    TData months = Design(120, 120);
    months.PluralEnabled = 1;
    months.Columns = 99;
    months.Rows = 99;
    result = Export(Save(months, "months.sav") + " " + ShellQuote(dir.File("months.png")) +
                    " --dpi 150");
    EXPECT_EQ(result.status, 0) << result.err;

    TData cards = Design(54, 86);
    cards.Print = 1;
    cards.Cols = 30;
    for (int i = 1; i <= 999; ++i) {
        TMatrix& entry = cards.Matrixs.Add();
        entry.Number = i;
        entry.MonthOffset = i % 12;
    }
    result = Export(Save(cards, "cards.sav") + " " + ShellQuote(dir.File("cards.bmp")) +
                    " --dpi 30");
    EXPECT_EQ(result.status, 0) << result.err;
}

}  // namespace
}  // namespace orv::test
