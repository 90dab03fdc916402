// orvalinden-cli export … --bleed --marks --cmyk: the PDF a print shop asks for, read back by
// poppler, qpdf and Ghostscript — its boxes, its bleed and marks on the rendered page, its
// pictures as they are, its thinnest lines, and the CMYK PDF/X file.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

constexpr double kPt = 72 / 25.4;

// What a command printed (both streams) and its exit status.
std::pair<std::string, int> Shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {out, status};
}

// A page rendered by pdftoppm as 8-bit RGB.
struct Raster {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

Raster Render(const std::string& pdf, int dpi, const std::string& prefix) {
    Shell("pdftoppm -singlefile -r " + std::to_string(dpi) + " " + ShellQuote(pdf) + " " +
          ShellQuote(prefix));
    std::ifstream in(prefix + ".ppm", std::ios::binary);
    Raster page;
    std::string magic;
    int top = 0;
    in >> magic >> page.width >> page.height >> top;
    in.get();
    page.rgb.resize(size_t(page.width) * page.height * 3);
    in.read(reinterpret_cast<char*>(page.rgb.data()), std::streamsize(page.rgb.size()));
    return page;
}

// Left, bottom, right, top of a box of pdfinfo -box.
std::array<double, 4> BoxOf(const std::string& boxes, const char* name) {
    std::array<double, 4> box{};
    const size_t at = boxes.find(name);
    if (at != std::string::npos)
        sscanf(boxes.c_str() + at + strlen(name), "%lf %lf %lf %lf", &box[0], &box[1], &box[2],
               &box[3]);
    return box;
}

// What the content streams of a PDF draw, from its uncompressed form (qpdf --qdf): the width of
// every stroke and the thin side of every filled rule, in points, and the fill colour of each
// text drawn.
struct Drawn {
    std::vector<double> strokes;
    std::vector<double> rules;
    std::vector<std::vector<double>> textColours;
};

Drawn ReadContent(const std::string& pdf, const std::string& qdf) {
    Shell("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " " + ShellQuote(qdf));
    std::ifstream in(qdf, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    // Only what the pages draw: fonts and pictures are bytes that may read as operators.
    const std::string file = text.str();
    std::string all;
    for (size_t at = file.find("%% Contents for page"); at != std::string::npos;
         at = file.find("%% Contents for page", at + 1)) {
        const size_t begin = file.find("stream\n", at);
        const size_t end = file.find("\nendstream", begin);
        if (begin == std::string::npos || end == std::string::npos) break;
        all += file.substr(begin + 7, end - begin - 7) + "\n";
    }
    for (char& c : all) {
        if (c == '[' || c == ']') c = ' ';
    }
    Drawn drawn;
    using M = std::array<double, 6>;
    std::vector<M> stack;
    M ctm{1, 0, 0, 1, 0, 0};
    double width = 1;
    std::vector<double> fill;
    std::vector<double> numbers;
    std::istringstream tokens(all);
    std::string token;
    const auto scale = [&] { return std::sqrt(std::abs(ctm[0] * ctm[3] - ctm[1] * ctm[2])); };
    while (tokens >> token) {
        char* end = nullptr;
        const double value = std::strtod(token.c_str(), &end);
        if (end != token.c_str() && *end == '\0') {
            numbers.push_back(value);
            continue;
        }
        const auto& n = numbers;
        if (token == "q") {
            stack.push_back(ctm);
        } else if (token == "Q" && !stack.empty()) {
            ctm = stack.back();
            stack.pop_back();
        } else if (token == "cm" && n.size() >= 6) {
            const double* a = &n[n.size() - 6];
            ctm = {a[0] * ctm[0] + a[1] * ctm[2],          a[0] * ctm[1] + a[1] * ctm[3],
                   a[2] * ctm[0] + a[3] * ctm[2],          a[2] * ctm[1] + a[3] * ctm[3],
                   a[4] * ctm[0] + a[5] * ctm[2] + ctm[4], a[4] * ctm[1] + a[5] * ctm[3] + ctm[5]};
        } else if (token == "w" && !n.empty()) {
            width = n.back();
        } else if (token == "S" || token == "s" || token == "B" || token == "b") {
            drawn.strokes.push_back(width * scale());
        } else if (token == "re" && n.size() >= 4) {
            const double w = std::abs(n[n.size() - 2]) * scale();
            const double h = std::abs(n[n.size() - 1]) * scale();
            // A rule: long and thin.
            if (std::max(w, h) >= 5 && std::min(w, h) < 1) drawn.rules.push_back(std::min(w, h));
        } else if (token == "k" || token == "g" || token == "rg" || token == "scn" ||
                   token == "sc") {
            fill = n;
        } else if (token == "Tj" || token == "TJ") {
            drawn.textColours.push_back(fill);
        }
        if (token != "d") numbers.clear();
    }
    return drawn;
}

class PrintShopPdf : public testing::Test {
  protected:
    PrintShopPdf() {
        design = NewDesign();
        design.Year = 2027;
        design.Month = 1;
        design.SizeIndex = 8;
        design.SizeX = 210;
        design.SizeY = 297;
        design.CalenderBackColor = 0xB4DCFF;  // 0xBBGGRR: a light orange
        design.PrevNextMonthEnabled = 0;
        design.PicturePosition = 0;
        design.PictureOffset = 11;  // 188 mm wide
        design.PictureSize = 75;
        design.Frame = 1;
    }
    std::string Save(const std::string& picture) {
        design.PictureFile = picture;
        NullMessageSink quiet;
        EXPECT_TRUE(design.SaveToFile(dir.File("design.sav"), quiet));
        return ShellQuote(dir.File("design.sav")) + " ";
    }
    CliResult Export(const std::string& arguments) {
        return RunCli("export " + arguments, dir.File("stderr.txt"));
    }
    // A photo-like JPEG (no flat colour that a coder packs to nothing).
    std::string Photo(const char* size, const char* name) {
        const std::string path = dir.File(name);
        Shell(std::string("convert -seed 7 -size 1000x750 plasma:fractal -resize ") + size +
              "! -quality 90 " + ShellQuote(path));
        return path;
    }

    TData design;
    TempDir dir;
};

TEST_F(PrintShopPdf, ThePageBleedsItsBackgroundHasItsMarksOutsideAndNamesACoarsePhoto) {
    const std::string sav = Save(Photo("1200x800", "photo.jpg"));
    const CliResult result =
        Export(sav + ShellQuote(dir.File("shop.pdf")) + " --bleed 3 --marks --dpi 300");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("画像「photo.jpg」は紙の上で約 162 dpi です。200 dpi 未満"),
              std::string::npos)
        << result.err;

    const std::string boxes = Shell("pdfinfo -box " + ShellQuote(dir.File("shop.pdf"))).first;
    const auto trim = BoxOf(boxes, "TrimBox:");
    const auto bleed = BoxOf(boxes, "BleedBox:");
    const auto media = BoxOf(boxes, "MediaBox:");
    EXPECT_NEAR(trim[2] - trim[0], 210 * kPt, 0.011) << boxes;
    EXPECT_NEAR(bleed[3] - bleed[1], 303 * kPt, 0.011) << boxes;
    constexpr int kDpi = 100;
    const Raster page = Render(dir.File("shop.pdf"), kDpi, dir.File("shop"));
    ASSERT_GT(page.width, 0);
    // Points from the box's corner to pixels from the page's top-left.
    const auto px = [&](double x) { return int(std::lround((x - media[0]) * kDpi / 72)); };
    const auto py = [&](double y) { return int(std::lround((media[3] - y) * kDpi / 72)); };
    const auto dark = [&](int x, int y) {
        const unsigned char* p = page.At(x, y);
        return p[0] + p[1] + p[2] < 300;
    };
    const auto orange = [&](int x, int y) {
        const unsigned char* p = page.At(x, y);
        return std::abs(p[0] - 255) <= 3 && std::abs(p[1] - 220) <= 3 && std::abs(p[2] - 180) <= 3;
    };
    // Half-way into the bleed, all round the sheet: its background, and no mark.
    const double half = 1.5 * kPt;
    int samples = 0, background = 0;
    for (double x = trim[0] + 10; x < trim[2] - 10; x += 7) {
        for (double y : {trim[1] - half, trim[3] + half}) {
            ++samples;
            background += orange(px(x), py(y)) ? 1 : 0;
        }
    }
    for (double y = trim[1] + 10; y < trim[3] - 10; y += 7) {
        for (double x : {trim[0] - half, trim[2] + half}) {
            ++samples;
            // The photo reaches into the bleed at the sides, where it touches the edge.
            background += orange(px(x), py(y)) || !dark(px(x), py(y)) ? 1 : 0;
        }
    }
    EXPECT_EQ(background, samples);
    // Marks: dark pixels only outside the bleed.
    int inside = 0, outside = 0;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            const bool inBleed =
                x >= px(bleed[0]) && x < px(bleed[2]) && y >= py(bleed[3]) && y < py(bleed[1]);
            const bool inTrim = x >= px(trim[0]) - 1 && x <= px(trim[2]) + 1 &&
                                y >= py(trim[3]) - 1 && y <= py(trim[1]) + 1;
            if (!dark(x, y) || inTrim) continue;
            (inBleed ? inside : outside) += 1;
        }
    }
    EXPECT_EQ(inside, 0);
    EXPECT_GT(outside, 200);
}

TEST_F(PrintShopPdf, APhotoOnEveryPageIsStoredOnceAsTheJpegItIs) {
    const std::string photo = Photo("4000x3000", "big.jpg");
    const std::string sav = Save(photo);
    const CliResult result = Export(sav + ShellQuote(dir.File("year.pdf")) + " --months 12");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto size = [](const std::string& path) { return std::filesystem::file_size(path); };
    EXPECT_LT(size(dir.File("year.pdf")), 1.5 * size(photo) + 1'000'000);
    const std::string list = Shell("pdfimages -list " + ShellQuote(dir.File("year.pdf"))).first;
    int pages = 0, object = -1;
    std::istringstream lines(list);
    std::string line;
    while (std::getline(lines, line)) {
        int page = 0, width = 0, height = 0, id = 0;
        char enc[16] = {};
        if (sscanf(line.c_str(), "%d %*d image %d %d %*s %*d %*d %15s %*s %d", &page, &width,
                   &height, enc, &id) != 5)
            continue;
        ++pages;
        EXPECT_EQ(width, 4000) << line;
        EXPECT_EQ(height, 3000) << line;
        EXPECT_STREQ(enc, "jpeg") << line;
        if (object < 0) object = id;
        EXPECT_EQ(id, object) << "one object for every page";
    }
    EXPECT_EQ(pages, 12) << list;
    // Its bytes are the file's.
    Shell("pdfimages -j -f 3 -l 3 " + ShellQuote(dir.File("year.pdf")) + " " +
          ShellQuote(dir.File("out")));
    EXPECT_EQ(TempDir::Read(dir.File("out-000.jpg")), TempDir::Read(photo));
}

TEST_F(PrintShopPdf, NoLineIsThinnerThanAQuarterPointAt600Dpi) {
    design.LineWidth = 1;
    design.DayWaku = 1;
    const CliResult result = Export(Save("") + ShellQuote(dir.File("fine.pdf")) + " --dpi 600");
    ASSERT_EQ(result.status, 0) << result.err;
    const Drawn drawn = ReadContent(dir.File("fine.pdf"), dir.File("fine-qdf.pdf"));
    ASSERT_GT(drawn.rules.size(), 20u);  // the grid and the cut frame
    for (double rule : drawn.rules) EXPECT_GE(rule, 0.25 - 1e-6);
    for (double stroke : drawn.strokes) EXPECT_GE(stroke, 0.25 - 1e-6);
}

TEST_F(PrintShopPdf, CmykIsPdfXWithBlackTextInBlackInkAlone) {
    const std::string sav = Save(Photo("2400x1600", "photo.jpg"));
    const std::string pdf = dir.File("cmyk.pdf");
    const CliResult result = Export(sav + ShellQuote(pdf) + " --bleed 3 --marks --cmyk");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string info = Shell("pdfinfo -box " + ShellQuote(pdf)).first;
    EXPECT_NE(info.find("PDF subtype:    PDF/X-3:2002"), std::string::npos) << info;
    const auto trim = BoxOf(info, "TrimBox:");
    EXPECT_NEAR(trim[2] - trim[0], 210 * kPt, 0.011) << info;
    EXPECT_NE(Shell("pdfimages -list " + ShellQuote(pdf)).first.find(" cmyk "), std::string::npos);
    // Every independent reader opens it without a complaint.
    EXPECT_EQ(Shell("qpdf --check " + ShellQuote(pdf)).second, 0);
    const auto [poppler, popplerStatus] =
        Shell("pdftoppm -r 20 " + ShellQuote(pdf) + " " + ShellQuote(dir.File("c")));
    EXPECT_EQ(popplerStatus, 0);
    EXPECT_EQ(poppler, "");
    const auto [gs, gsStatus] =
        Shell("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage " + ShellQuote(pdf));
    EXPECT_EQ(gsStatus, 0);
    EXPECT_EQ(gs, "");
    // The dates are black: K alone, never the four inks of a converted RGB black.
    const Drawn drawn = ReadContent(pdf, dir.File("cmyk-qdf.pdf"));
    int blackInk = 0;
    for (const auto& colour : drawn.textColours) {
        ASSERT_EQ(colour.size(), 4u) << "text in CMYK";
        if (colour[0] == 0 && colour[1] == 0 && colour[2] == 0 && colour[3] == 1) ++blackInk;
        EXPECT_FALSE(colour[0] > 0.3 && colour[1] > 0.3 && colour[2] > 0.3);
    }
    EXPECT_GT(blackInk, 5);
}

}  // namespace
}  // namespace orv::test
