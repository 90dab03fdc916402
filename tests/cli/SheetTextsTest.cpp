// The texts of exported sheets as their reader sees them: designs whose day lines have always
// fitted draw exactly as they did, pixel for pixel; a busy month's PDF holds every line of its
// days, each inside its own day's cell.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "model/DataUnit.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

struct Pixels {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

Pixels ReadPng(const std::string& path) {
    Pixels pixels;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_RGB;
    pixels.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.rgb.data(), 0, nullptr)) {
        pixels.width = image.width;
        pixels.height = image.height;
    }
    return pixels;
}

class SheetTexts : public testing::Test {
  protected:
    CliResult Cli(const std::string& arguments) {
        return RunCli(arguments, dir.File("stderr.txt"));
    }
    TempDir dir;
};

// The sample designs in data/lines-that-fit, drawn at 96 dpi before the day cells were fitted.
TEST_F(SheetTexts, DesignsWhoseLinesFitDrawExactlyAsBefore) {
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORV_LINES_THAT_FIT_DIR)) {
        if (entry.path().extension() != ".sav") continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const std::string out = dir.File(name + ".png");
        const CliResult result = Cli("export " + ShellQuote(entry.path().string()) + " " +
                                     ShellQuote(out) + " --dpi 96");
        ASSERT_EQ(result.status, 0) << result.err;
        std::filesystem::path before = entry.path();
        const Pixels expected = ReadPng(before.replace_extension(".png").string());
        const Pixels drawn = ReadPng(out);
        ASSERT_GT(expected.width, 0u);
        ASSERT_EQ(drawn.width, expected.width);
        ASSERT_EQ(drawn.height, expected.height);
        size_t differing = 0;
        for (size_t i = 0; i < drawn.rgb.size(); i += 3) {
            differing += !std::equal(&drawn.rgb[i], &drawn.rgb[i] + 3, &expected.rgb[i]);
        }
        EXPECT_EQ(differing, 0u);
        ++compared;
    }
    EXPECT_EQ(compared, 5);
}

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};

std::vector<Word> WordsOf(const std::string& pdf) {
    std::string html;
    FILE* pipe = popen(("pdftotext -bbox " + ShellQuote(pdf) + " - 2>/dev/null").c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        html.append(buffer, n);
    }
    if (pipe != nullptr) pclose(pipe);
    std::vector<Word> words;
    const auto number = [&html](size_t from, const char* key) {
        const size_t at = html.find(key, from);
        return at == std::string::npos ? 0.0 : std::atof(html.c_str() + at + std::strlen(key));
    };
    for (size_t at = html.find("<word "); at != std::string::npos;
         at = html.find("<word ", at + 1)) {
        const size_t open = html.find('>', at);
        const size_t close = html.find("</word>", open);
        if (open == std::string::npos || close == std::string::npos) break;
        words.push_back({number(at, "xMin=\""), number(at, "yMin=\""), number(at, "xMax=\""),
                         number(at, "yMax=\""), html.substr(open + 1, close - open - 1)});
    }
    return words;
}

// A day's number in the month's grid: the largest of the words that are that number.
const Word* NumberOf(const std::vector<Word>& words, int day) {
    const Word* found = nullptr;
    for (const Word& w : words) {
        if (w.text == std::to_string(day) &&
            (found == nullptr || w.yMax - w.yMin > found->yMax - found->yMin)) {
            found = &w;
        }
    }
    return found;
}

TEST_F(SheetTexts, EveryLineOfABusyMarchIsInTheSheetsPdfInsideItsDaysCell) {
    // A4, texts below the number, every almanac line on, miniatures, a two-line memorial.
    TData design = NewDesign();
    design.Year = 2027;
    design.Month = 3;
    design.SizeIndex = 8;
    design.SizeX = 210;
    design.SizeY = 297;
    design.HolidayPosition = 1;
    design.Rokuyo = 1;
    design.Nijusisekki = 1;
    design.OldDate = 1;
    design.Zassetsu = 1;
    design.MoonPhase = 1;
    TMemorial& memorial = design.Memorials.Add();
    memorial.Date = "0/3/21";
    memorial.Name = "父の誕生日¶還暦";
    memorial.DayColor = memorial.FontColor = memorial.BackColor = -1;
    NullMessageSink quiet;
    ASSERT_TRUE(design.SaveToFile(dir.File("busy.sav"), quiet));
    const CliResult result = Cli("export " + ShellQuote(dir.File("busy.sav")) + " " +
                                 ShellQuote(dir.File("busy.pdf")) + " --dpi 300");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<Word> words = WordsOf(dir.File("busy.pdf"));

    struct Line {
        const char* text;
        int day;
    };
    // 2027: 春分の日 on Sunday the 21st, 振替休日 on the 22nd, 彼岸入り on the 18th.
    const Line lines[] = {{"春分の日", 21}, {"振替休日", 22},   {"彼岸入り", 18}, {"旧2/14", 21},
                          {"春分", 21},     {"父の誕生日", 21}, {"還暦", 21}};
    for (const Line& line : lines) {
        SCOPED_TRACE(line.text);
        // The cell of a day with its number at the top left reaches to the next day's number
        // across and to the number a week later down, less the pad before them.
        const Word* number = NumberOf(words, line.day);
        const Word* next = NumberOf(words, line.day + 1);
        const Word* below = NumberOf(words, line.day + 7);
        ASSERT_TRUE(number != nullptr && next != nullptr && below != nullptr);
        const double pad = 1.0;
        const auto inCell = [&](const Word& w) {
            return w.xMin >= number->xMin - pad && w.xMax <= next->xMin - pad &&
                   w.yMin >= number->yMax && w.yMax <= below->yMin - pad;
        };
        const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) {
            return w.text.find(line.text) != std::string::npos && inCell(w);
        });
        EXPECT_NE(found, words.end());
    }
}

}  // namespace
}  // namespace orv::test
