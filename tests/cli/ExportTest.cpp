// orvalinden-cli export: a saved design as a PNG, BMP or PDF file, and its errors.
#include <gtest/gtest.h>
#include <png.h>

#include "CliRunner.h"
#include "DataUnit.h"
#include "TempDir.h"

namespace orv::test {
namespace {

struct PngHeader {
    int width = 0;
    int height = 0;
};

PngHeader ReadPngSize(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    PngHeader header{static_cast<int>(image.width), static_cast<int>(image.height)};
    png_image_free(&image);
    return header;
}

std::string Tool(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

class ExportCommand : public testing::Test {
  protected:
    ExportCommand() {
        TData design = NewDesign();
        design.Year = 2026;
        design.Month = 1;
        design.SizeX = 210;
        design.SizeY = 297;
        design.PicSaveDPI = 96;
        NullMessageSink quiet;
        EXPECT_TRUE(design.SaveToFile(dir.File("design.sav"), quiet));
    }

    CliResult Export(const std::string& arguments) {
        return RunCli("export " + arguments, dir.File("stderr.txt"));
    }

    TempDir dir;
};

TEST_F(ExportCommand, PictureAtTheDesignsResolutionOrTheOneAsked) {
    CliResult result =
        Export(ShellQuote(dir.File("design.sav")) + " " + ShellQuote(dir.File("a.png")));
    EXPECT_EQ(result.status, 0) << result.err;
    const PngHeader at96 = ReadPngSize(dir.File("a.png"));
    EXPECT_EQ(at96.width, 793);
    EXPECT_EQ(at96.height, 1122);

    result = Export(ShellQuote(dir.File("design.sav")) + " " + ShellQuote(dir.File("b.PNG")) +
                    " --dpi 300");
    EXPECT_EQ(result.status, 0) << result.err;
    const PngHeader at300 = ReadPngSize(dir.File("b.PNG"));
    EXPECT_EQ(at300.width, 2480);
    EXPECT_EQ(at300.height, 3507);

    result = Export(ShellQuote(dir.File("design.sav")) + " " + ShellQuote(dir.File("c.bmp")));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string bmp = TempDir::Read(dir.File("c.bmp"));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.size(), 54u + static_cast<size_t>((793 * 3 + 3) / 4 * 4) * 1122);
}

TEST_F(ExportCommand, PdfIsTheSheetsSizeWithTheCalendarsText) {
    const CliResult result = Export(ShellQuote(dir.File("design.sav")) + " " +
                                    ShellQuote(dir.File("sheet.pdf")) + " --year 2027 --month 2");
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string info = Tool("pdfinfo " + ShellQuote(dir.File("sheet.pdf")));
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    const std::string text = Tool("pdftotext " + ShellQuote(dir.File("sheet.pdf")) + " -");
    EXPECT_NE(text.find("2027"), std::string::npos) << text;
    EXPECT_NE(text.find("28"), std::string::npos) << text;
}

TEST_F(ExportCommand, FailuresGoToStandardErrorWithStatusOneAndLeaveNoFile) {
    const std::string design = ShellQuote(dir.File("design.sav"));
    // A name that is no picture format: drawn, refused, nothing written.
    CliResult result = Export(design + " " + ShellQuote(dir.File("a.jpg")));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("対応していない拡張子です。"), std::string::npos) << result.err;
    // A folder that does not exist.
    result = Export(design + " " + ShellQuote(dir.File("missing/a.png")));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("ﾌｧｲﾙ保存ｴﾗｰ"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
    // A design that does not exist is not the default design.
    result = Export(ShellQuote(dir.File("none.sav")) + " " + ShellQuote(dir.File("a.png")));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("none.sav"), std::string::npos) << result.err;
    // Options out of range.
    for (const char* option : {"--dpi 0", "--dpi x", "--month 13", "--year", "--size 3"}) {
        result = Export(design + " " + ShellQuote(dir.File("a.png")) + " " + option);
        EXPECT_EQ(result.status, 1) << option;
        EXPECT_FALSE(result.err.empty()) << option;
    }
    std::remove(dir.File("stderr.txt").c_str());
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"design.sav"});
    // A wrong number of files is a usage error.
    result = Export(design);
    EXPECT_EQ(result.status, 2);
}

}  // namespace
}  // namespace orv::test
