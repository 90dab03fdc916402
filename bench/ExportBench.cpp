// Exports through the output driver at print resolutions: A4 at 300 dpi to PNG and to BMP, A3 at
// 1200 dpi to PNG, a design with a picture, rokuyo, solar terms and memorial days; and runs of 1
// and 12 months of A4, each month with a photo of its own, to one PDF and to PNG pictures at 300
// dpi. Peak memory is the process's; run a case alone (--benchmark_filter=A3, =MonthsToPng/12)
// to read its own peak.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

#include "QtBenchmarks.h"
#include "model/OldCalendar.h"
#include "output/OutputDriver.h"
#include "output/OutputMonths.h"
#include "output/PictureFormats.h"
#include "output/PngWriter.h"
#include "output/QtCanvasCache.h"

namespace orv {
namespace {

const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "orv-export-bench";

// A 1600 x 1200 photo-like picture for the illustration band; `shade` makes it another one.
std::string Picture(int shade = 0) {
    const std::string path = (kFolder / ("picture" + std::to_string(shade) + ".png")).string();
    if (std::filesystem::exists(path)) return path;
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 1200; ++y) {
        for (int x = 0; x < 1600; ++x)
            pixels.push_back(0xFF000000u | ((x + shade * 20) % 256) << 16 | (y % 256) << 8 |
                             ((x ^ y) & 255));
    }
    PngWriter writer;
    writer.Begin(path, 1600, 1200);
    writer.WriteRows(pixels.data(), 1200, 1600);
    writer.Finish();
    return path;
}

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

TData BenchDesign(int sizeX, int sizeY) {
    std::filesystem::create_directories(kFolder);
    TData design = NewDesign();
    design.Year = 2026;
    design.Month = 5;
    design.SizeX = sizeX;
    design.SizeY = sizeY;
    design.PictureFile = Picture();
    design.PictureSize = 40;
    design.Rokuyo = 1;
    design.Nijusisekki = 1;
    for (const char* date : {"0/5/3", "0/5/14", "2026/5/20"}) {
        TMemorial& memorial = design.Memorials.Add();
        memorial.Date = date;
        memorial.Name = "記念日";
        memorial.DayColor = 0x0000FF;
        memorial.FontColor = -1;
        memorial.BackColor = 0xE0E0FF;
    }
    return design;
}

// The driver's surroundings as the window gives them: the picture registry and the shipped
// old-calendar data.
struct Driver {
    Driver(int sizeX, int sizeY) : job(JobOfDesign(BenchDesign(sizeX, sizeY))) {
        render.Decoder = &decoder;
        LoadOldCalendarData(ORV_OLD_CALENDAR_FILE, render.RokuyoList, render.SolarTermList, sink);
    }
    OutputJob job;
    NullMessageSink sink;
    NoStatus status;
    const RegistryPictureDecoder decoder;
    RenderState render;
    OutputEnvironment env{status, sink, render};
};

// What a preview repaint costs: the A4 sheet at 96 ppi and 100 % into the paint box's image.
void PreviewA4(benchmark::State& state) {
    Driver driver(210, 297);
    OutputEnvironment& env = driver.env;
    QtCanvasCache cache;
    env.ScreenCache = &cache;
    QImage box(793, 1122, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&box);
        OutputPreview(env, driver.job, painter, {793, 1122});
    }
}

void Export(benchmark::State& state, const char* extension, int sizeX, int sizeY, int dpi,
            size_t bandBytes = kBandBytes) {
    Driver driver(sizeX, sizeY);
    OutputEnvironment& env = driver.env;
    const std::string path = (kFolder / (std::string("calendar") + extension)).string();
    for (auto _ : state) {
        if (SaveCalendarImageAt(env, driver.job, path, dpi, nullptr, bandBytes) !=
            ImageExportResult::Saved) {
            state.SkipWithError("the export failed");
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}

void A4At300ToPng(benchmark::State& state) {
    Export(state, ".png", 210, 297, 300);
}
// The same in bands of a quarter of the sheet (drawing and deflating would overlap; the pixels
// near the band edges differ slightly from one whole draw, so exports of this size stay whole).
void A4At300ToPngInBands(benchmark::State& state) {
    Export(state, ".png", 210, 297, 300, size_t{2480} * 4 * 3507 / 4 + 1);
}
void A4At300ToBmp(benchmark::State& state) {
    Export(state, ".bmp", 210, 297, 300);
}
void A3At1200ToPng(benchmark::State& state) {
    Export(state, ".png", 297, 420, 1200);
}

// The PNG writer alone on the pixels of the A4 sheet at 300 dpi: in one stretch (one core) and in
// the writer's own stretches on every core.
void DeflateA4Sheet(benchmark::State& state) {
    static const QImage sheet = [] {
        Driver driver(210, 297);
        const std::string path = (kFolder / "sheet.png").string();
        SaveCalendarImageAt(driver.env, driver.job, path, 300, nullptr);
        return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    }();
    const std::string path = (kFolder / "deflated.png").string();
    for (auto _ : state) {
        PngWriter writer(state.range(0) == 1 ? PngWriter::kStretchBytes : size_t{1} << 30);
        writer.Begin(path, sheet.width(), sheet.height());
        writer.WriteRows(reinterpret_cast<const uint32_t*>(sheet.constBits()), sheet.height(),
                         static_cast<size_t>(sheet.bytesPerLine()) / 4);
        writer.Finish();
    }
    state.SetLabel(state.range(0) == 1 ? "stretches" : "one stretch");
}

// A run of state.range(0) months from the design's month, each with its own photo.
void Months(benchmark::State& state, const char* extension) {
    Driver driver(210, 297);
    for (int month = 1; month <= 12; ++month) {
        driver.job.Design.MonthPicture.Set(month, Picture(month));
    }
    const int count = static_cast<int>(state.range(0));
    const MonthRun run{{2026, 1}, count};
    const std::string path = (kFolder / (std::string("months") + extension)).string();
    for (auto _ : state) {
        const MonthsOutcome outcome =
            std::string(extension) == ".pdf"
                ? SaveMonthsPdf(driver.env, driver.job, path, run, 300, nullptr)
                : SaveMonthImages(driver.env, driver.job, path, run, 300, nullptr);
        if (outcome.Result != MonthsResult::Done) state.SkipWithError("the run failed");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["s_per_month"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void MonthsToPdf(benchmark::State& state) {
    Months(state, ".pdf");
}
void MonthsToPng(benchmark::State& state) {
    Months(state, ".png");
}

BENCHMARK(MonthsToPdf)
    ->Arg(1)
    ->Arg(12)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(MonthsToPng)
    ->Arg(1)
    ->Arg(12)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(PreviewA4)->Unit(benchmark::kMillisecond);
BENCHMARK(DeflateA4Sheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(A4At300ToPng)->Unit(benchmark::kMillisecond);
BENCHMARK(A4At300ToPngInBands)->Unit(benchmark::kMillisecond);
BENCHMARK(A4At300ToBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(A3At1200ToPng)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QGuiApplication>(argc, argv);
    std::filesystem::remove_all(orv::kFolder);
    return 0;
}
