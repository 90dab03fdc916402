// The texts of exported sheets as their reader sees them: designs whose day lines have always
// fitted draw exactly as they did, pixel for pixel; a busy month's PDF holds every line of its
// days, each inside its own day's cell.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "model/DataUnit.h"
#include "model/DesignTemplates.h"
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

// Every design a user may start from, loaded, saved and exported at 300 DPI: each text on the
// page, none over another, none too small to read on paper, and the texts of a day's cell
// (those that begin in it) whole inside it.
TEST_F(SheetTexts, EveryTemplateExportsWithEveryTextWholeAndLegible) {
    const std::vector<DesignTemplate> templates = FindTemplates({ORV_TEMPLATES_DIR "/"});
    ASSERT_GE(templates.size(), 8u);
    NullMessageSink quiet;
    for (const DesignTemplate& entry : templates) {
        SCOPED_TRACE(entry.Title);
        TData design;
        ASSERT_TRUE(LoadTemplate(entry.Path, {2027, 1, 1}, design, quiet));
        const std::string sav = dir.File(entry.Title + ".sav");
        ASSERT_TRUE(design.SaveToFile(sav, quiet));
        const std::string pdf = dir.File(entry.Title + ".pdf");
        const CliResult result =
            Cli("export " + ShellQuote(sav) + " " + ShellQuote(pdf) + " --dpi 300");
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err.find("warning"), std::string::npos) << result.err;
        const std::vector<Word> words = WordsOf(pdf);
        ASSERT_GT(words.size(), 28u);
        const double width = design.SizeX * 72 / 25.4;
        const double height = design.SizeY * 72 / 25.4;
        constexpr double kLegible = 4.0;  // points of a text's height, about 1.4 mm
        for (size_t i = 0; i < words.size(); ++i) {
            const Word& w = words[i];
            // The box is the font's, a little above its glyphs.
            constexpr double kAscent = 2;
            EXPECT_TRUE(w.xMin >= 0 && w.yMin >= -kAscent && w.xMax <= width && w.yMax <= height)
                << w.text;
            EXPECT_GE(w.yMax - w.yMin, kLegible) << w.text;
            for (size_t j = i + 1; j < words.size(); ++j) {
                const Word& v = words[j];
                const double across = std::min(w.xMax, v.xMax) - std::max(w.xMin, v.xMin);
                const double down = std::min(w.yMax, v.yMax) - std::max(w.yMin, v.yMin);
                EXPECT_FALSE(across > 0.5 && down > 0.5) << w.text << " over " << v.text;
            }
        }
        // The largest grid's cells: from a day's number to the next day's across and to the
        // number a week later down. Several months side by side have no one largest grid.
        for (int day = 1; design.PluralEnabled == 0 && day + 7 <= 28; ++day) {
            const Word* number = NumberOf(words, day);
            const Word* next = NumberOf(words, day + 1);
            const Word* below = NumberOf(words, day + 7);
            if (number == nullptr || next == nullptr || below == nullptr ||
                std::abs(next->yMin - number->yMin) > 1 || next->xMin < number->xMax) {
                continue;
            }
            for (const Word& w : words) {
                const bool begins = w.xMin >= number->xMin - 1 && w.xMin < next->xMin - 1 &&
                                    w.yMin >= number->yMax - 0.5 && w.yMin < below->yMin - 1;
                if (!begins) continue;
                EXPECT_TRUE(w.xMax <= next->xMin && w.yMax <= below->yMin)
                    << w.text << " of day " << day;
            }
        }
    }
}

}  // namespace
}  // namespace orv::test
