// orvalinden-cli export: a saved design as a PNG, BMP or PDF file, and its errors.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <filesystem>

#include "model/Codec.h"
#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

// "width height" of a PNG file, read by libpng.
std::string PngSize(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return "unreadable";
    png_image_free(&image);
    return std::to_string(image.width) + " " + std::to_string(image.height);
}

std::string Tool(const std::string& command, const std::string& path, const char* after = "") {
    std::string out;
    FILE* pipe = popen((command + " " + ShellQuote(path) + after + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    if (pipe != nullptr) pclose(pipe);
    return out;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// The pixels of a PNG file as RGB bytes; none when it does not read.
std::vector<uint8_t> PngPixels(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    return pixels;
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

TEST_F(ExportCommand, PictureOrPdfAtTheDesignsResolutionOrTheOneAsked) {
    const std::string design = ShellQuote(dir.File("design.sav")) + " ";
    CliResult result = Export(design + ShellQuote(dir.File("a.png")));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(PngSize(dir.File("a.png")), "793 1122");  // the design's 96 dpi
    result = Export(design + ShellQuote(dir.File("b.PNG")) + " --dpi 300");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(PngSize(dir.File("b.PNG")), "2480 3507");
    result = Export(design + ShellQuote(dir.File("c.bmp")));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(TempDir::Read(dir.File("c.bmp")).size(), 54u + (793 * 3 + 1) * 1122);
    // JPEG for photo printers: the resolution in its header, the drawing as the PNG's.
    for (const char* dpi : {"", " --dpi 350"}) {
        result = Export(design + ShellQuote(dir.File("d.jpg")) + dpi);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(Tool("identify -format '%w %h %x %U %Q'", dir.File("d.jpg")),
                  *dpi ? "2893 4092 350 PixelsPerInch 95" : "793 1122 96 PixelsPerInch 95");
    }
    // A PNG records its resolution only when asked, so that today's files stay as they were.
    EXPECT_EQ(Tool("identify -format '%U'", dir.File("b.PNG")), "Undefined");
    result = Export(design + ShellQuote(dir.File("e.png")) + " --dpi 300 --png-resolution");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Tool("identify -units PixelsPerInch -format '%w %x %U'", dir.File("e.png")),
              "2480 300 PixelsPerInch");
    EXPECT_EQ(Tool("compare -metric AE", dir.File("b.PNG"),
                   (" " + ShellQuote(dir.File("e.png")) + " null:").c_str()),
              "0");
    Export(design + ShellQuote(dir.File("d.png")) + " --dpi 350");
    EXPECT_GT(std::stod(Tool("compare -metric PSNR", dir.File("d.png"),
                             (" " + ShellQuote(dir.File("d.jpg")) + " null:").c_str())),
              40);

    result = Export(design + ShellQuote(dir.File("sheet.pdf")) + " --year 2027 --month 2");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(Tool("pdfinfo", dir.File("sheet.pdf")).find("595.276 x 841.89 pts (A4)"),
              std::string::npos);
    const std::string text = Tool("pdftotext", dir.File("sheet.pdf"), " -");
    EXPECT_NE(text.find("2027"), std::string::npos) << text;
}

TEST_F(ExportCommand, ARunOfMonthsIsOnePdfPageOrOnePictureEach) {
    const std::string design = ShellQuote(dir.File("design.sav")) + " ";
    CliResult result = Export(design + ShellQuote(dir.File("year.pdf")) + " --months 12");
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string info = Tool("pdfinfo", dir.File("year.pdf"));
    EXPECT_NE(info.find("Pages:           12"), std::string::npos);
    EXPECT_NE(info.find("Title:           design 2026年1月–12月\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Creator:         Orvalinden 1."), std::string::npos) << info;
    for (int month : {1, 12}) {
        const std::string page = " -f " + std::to_string(month) + " -l " + std::to_string(month);
        EXPECT_NE(Tool("pdftotext" + page, dir.File("year.pdf"), " -")
                      .find("2026年" + std::to_string(month) + "月"),
                  std::string::npos)
            << month;
    }
    result = Export(design + ShellQuote(dir.File("m.png")) + " --months 3 --year 2026 --month 11");
    EXPECT_EQ(result.status, 0) << result.err;
    for (const char* name : {"m-2026-11.png", "m-2026-12.png", "m-2027-01.png"}) {
        EXPECT_EQ(PngSize(dir.File(name)), "793 1122") << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.png")));
    result = Export(design + ShellQuote(dir.File("m.png")) + " --months 121");
    EXPECT_EQ(result.status, 1);
}

TEST_F(ExportCommand, ARunMayStartWithACoverThatCountsAsNoMonth) {
    // A school year from April, 13 months, with its cover in front: 14 pages.
    ASSERT_TRUE(WritePng(dir.File("photo.png"), 300, 200, std::vector<uint8_t>(300 * 200 * 3, 0)));
    const std::string design = ShellQuote(dir.File("design.sav")) + " ";
    CliResult result = Export(design + ShellQuote(dir.File("year.pdf")) +
                              " --months 13 --year 2027 --month 4 --cover --cover-picture " +
                              ShellQuote(dir.File("photo.png")));
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string info = Tool("pdfinfo", dir.File("year.pdf"));
    EXPECT_NE(info.find("Pages:           14"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           design 2027年4月–2028年4月\n"), std::string::npos)
        << info;
    const auto pageText = [&](int page) {
        const std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page);
        return Tool("pdftotext" + range, dir.File("year.pdf"), " -");
    };
    EXPECT_NE(pageText(1).find("2027–2028"), std::string::npos) << pageText(1);
    EXPECT_EQ(pageText(1).find("月"), std::string::npos) << pageText(1);
    EXPECT_NE(pageText(2).find("2027年4月"), std::string::npos);
    EXPECT_NE(pageText(14).find("2028年4月"), std::string::npos);
    // The cover's black picture fills the sheet above its title: most of the page.
    Tool("pdftoppm -r 20 -f 1 -l 1 -singlefile -png", dir.File("year.pdf"),
         (" " + ShellQuote(dir.File("cover"))).c_str());
    const std::vector<uint8_t> cover = PngPixels(dir.File("cover.png"));
    ASSERT_FALSE(cover.empty());
    size_t black = 0;
    for (size_t i = 0; i + 2 < cover.size(); i += 3)
        black += cover[i] + cover[i + 1] + cover[i + 2] == 0;
    EXPECT_GT(black, cover.size() / 3 * 7 / 10);

    // As pictures, the cover is NAME-cover beside the months; a title of the user's own.
    result = Export(design + ShellQuote(dir.File("m.png")) +
                    " --months 2 --year 2026 --month 12 --cover-title 'わが家の一年'");
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char* name : {"m-cover.png", "m-2026-12.png", "m-2027-01.png"}) {
        EXPECT_EQ(PngSize(dir.File(name)), "793 1122") << name;
    }
    // A cover picture that is none stops before anything is written.
    result = Export(design + ShellQuote(dir.File("n.pdf")) + " --cover-picture " +
                    ShellQuote(dir.File("design.sav")));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("対応できないフォーマット"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("n.pdf")));
}

TEST_F(ExportCommand, FailuresGoToStandardErrorWithStatusOneAndLeaveNoFile) {
    const std::string design = ShellQuote(dir.File("design.sav"));
    // A name that is no picture format: drawn, refused, nothing written.
    CliResult result = Export(design + " " + ShellQuote(dir.File("a.gif")));
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

// Root may write any file: the permission bits alone must keep it.
TEST_F(ExportCommand, AReadOnlyPictureIsNotReplaced) {
    const std::string out = dir.Write("old.png", "old");
    ASSERT_EQ(chmod(out.c_str(), 0444), 0);
    const CliResult result = Export(ShellQuote(dir.File("design.sav")) + " " + ShellQuote(out));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("error: ﾌｧｲﾙ保存ｴﾗｰ: " + out + ": 読み取り専用のファイルです"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(TempDir::Read(out), "old");
}

// The page is made without the picture, but never reported as a plain success.
TEST_F(ExportCommand, APictureThatCannotBeDrawnIsNamedWithItsReason) {
    dir.Write("broken.jpg", "not a picture");
    const std::pair<std::string, std::string> pictures[] = {
        {dir.File("missing.png"), "No such file or directory"},
        {dir.File("broken.jpg"), "画像として読み込めません"},
        {dir.Path(), "Is a directory"}};
    for (const auto& [picture, reason] : pictures) {
        TData design;
        NullMessageSink quiet;
        ASSERT_TRUE(design.LoadFromFile(dir.File("design.sav"), quiet));
        design.PictureFile = picture;
        ASSERT_TRUE(design.SaveToFile(dir.File("pictured.sav"), quiet));
        const std::string warning = "warning: 画像を読み込めないため、画像なしで出力しました。 " +
                                    picture + ": " + reason + "\n";
        for (const char* output : {"out.png --dpi 50", "out.pdf", "year.pdf --months 3"}) {
            SCOPED_TRACE(picture + " " + output);
            const CliResult result =
                Export(ShellQuote(dir.File("pictured.sav")) + " " + dir.Path() + "/" + output);
            EXPECT_EQ(result.status, 0) << result.err;
            // Once, for the three months too.
            EXPECT_EQ(result.err.substr(0, warning.size()), warning);
            EXPECT_EQ(result.err.find("warning:", 1), std::string::npos) << result.err;
        }
    }
}

// Data files that hold nothing for the year drawn: the page is made without its almanac lines,
// and the user is told.
TEST_F(ExportCommand, AYearTheOldCalendarDataDoesNotCoverIsSaid) {
    TData design;
    NullMessageSink quiet;
    ASSERT_TRUE(design.LoadFromFile(dir.File("design.sav"), quiet));
    design.Rokuyo = 1;
    ASSERT_TRUE(design.SaveToFile(dir.File("rokuyo.sav"), quiet));
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0garbage", 17)},
        {"other years", Utf8ToCp932("[六曜]\r\n2016/01/06=大安\r\n2016/01/07=赤口\r\n")},
        {"truncated", Utf8ToCp932("[六曜]\r\n2025/12/31=先勝\r\n2026/01/0")}};
    const std::string warning =
        "warning: 旧暦データに 2026 "
        "年の六曜・二十四節気・旧暦の日付がないため、表示せずに出力しました。\n";
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string data = dir.Write("data.ini", bytes);
        for (const char* output : {"out.png --dpi 50", "year.pdf --months 2"}) {
            const CliResult result = Export(ShellQuote(dir.File("rokuyo.sav")) + " " + dir.Path() +
                                            "/" + output + " --oldcal " + ShellQuote(data));
            EXPECT_EQ(result.status, 0) << result.err;
            EXPECT_NE(result.err.find(warning), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find(warning, result.err.find(warning) + 1), std::string::npos);
        }
    }
    // Cut short within the month: its days without data are said.
    const CliResult part = Export(
        ShellQuote(dir.File("rokuyo.sav")) + " " + dir.Path() + "/out.png --dpi 50 --oldcal " +
        ShellQuote(dir.Write("data.ini", Utf8ToCp932("[六曜]\r\n2026/01/01=先勝\r\n2026/01/0"))));
    EXPECT_NE(
        part.err.find("warning: 旧暦データの 2026 年 1 月 に六曜・二十四節気・旧暦の日付のない日"),
        std::string::npos)
        << part.err;
    // A file for the year: nothing to say.
    std::string year = "[六曜]\r\n";
    for (int day = 1; day <= 31; ++day) year += "2026/01/" + std::to_string(day) + "=大安\r\n";
    const CliResult covered = Export(ShellQuote(dir.File("rokuyo.sav")) + " " + dir.Path() +
                                     "/out.png --dpi 50 --oldcal " +
                                     ShellQuote(dir.Write("data.ini", Utf8ToCp932(year))));
    EXPECT_EQ(covered.err.find("warning:"), std::string::npos) << covered.err;
}

}  // namespace
}  // namespace orv::test
