// One A4 calendar sheet drawn through the QPainter canvas, with holidays, rokuyo, solar terms and
// memorial days on: the preview at 96 DPI and 100 % (redrawn on every edit, with the canvas cache
// the preview keeps), the same with twelve months, and an export at 300 DPI (one pass on a fresh
// canvas).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "QtBenchmarks.h"
#include "output/QtCanvas.h"
#include "output/QtCanvasCache.h"
#include "render/DrawCalendar.h"
#include "render/SeveralMonths.h"

namespace orv {
namespace {

const char* const kRokuyo[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
const char* const kTerms[] = {"小寒", "大寒", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨",
                              "立夏", "小満", "芒種", "夏至", "立秋", "処暑", "白露", "秋分",
                              "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小暑", "大暑"};

// Ten years of rokuyo, one entry a day, and two solar terms a month, indexed by date as the
// loader leaves them.
void FillOldCalendar(RenderState& state) {
    for (int64_t day = DaysFromCivil({2010, 1, 1}); day < DaysFromCivil({2020, 1, 1}); ++day) {
        const CivilDate date = CivilFromDays(day);
        TMemorial& entry = state.RokuyoList.Add();
        entry.Date = PlainDateText(date);
        entry.Name = kRokuyo[day % 6];
        if (date.Day == 5 || date.Day == 20) {
            TMemorial& term = state.SolarTermList.Add();
            term.Date = entry.Date;
            term.Name = kTerms[(date.Month - 1) * 2 + (date.Day == 20)];
        }
    }
    state.RokuyoList.BuildDateIndex();
    state.SolarTermList.BuildDateIndex();
}

TData A4Design(bool twelveMonths) {
    TData d = NewDesign();
    d.SizeX = 210;
    d.SizeY = 297;
    d.Year = 2016;
    d.Month = 5;
    d.PrevNextMonthEnabled = twelveMonths ? 0 : 1;  // the new design's miniatures
    d.PluralEnabled = twelveMonths ? 1 : 0;
    d.Columns = 3;
    d.Rows = 4;
    d.Rokuyo = 1;
    d.Nijusisekki = 1;
    d.Holiday = 1;
    for (int i = 0; i < 20; ++i) {
        TMemorial& m = d.Memorials.Add();
        m.Date = "0000/05/" + std::to_string(1 + i % 28);
        m.Name = "記念日" + std::to_string(i) + "¶二行目";
        m.DayColor = 0x0000C0;
        m.FontColor = -1;
        m.BackColor = 0xE0F0FF;
    }
    return d;
}

void DrawSheet(benchmark::State& bench, int dpi, bool keepCache, bool twelveMonths = false) {
    RenderState state;
    FillOldCalendar(state);
    NullMessageSink sink;
    const TData design = A4Design(twelveMonths);
    QImage image(static_cast<int>(210 / 25.4 * dpi), static_cast<int>(297 / 25.4 * dpi),
                 QImage::Format_RGB32);
    QtCanvasCache cache;
    for (auto _ : bench) {
        image.fill(0xFFFFFFFFu);
        QPainter painter(&image);
        QtCanvasCache fresh;
        QtCanvas canvas(painter, 96, keepCache ? &cache : &fresh);
        if (!DrawCalendar(state, sink, canvas, dpi, dpi, 100, ckSheet, 0, 0, 210, 297, design)) {
            bench.SkipWithError("the pass failed");
        }
        if (twelveMonths) DrawSeveralMonthCells(state, sink, canvas, dpi, dpi, 0, 0, design);
    }
    bench.SetLabel(std::to_string(image.width()) + " x " + std::to_string(image.height()));
}

void BM_PreviewA4At96Dpi(benchmark::State& bench) {
    DrawSheet(bench, 96, true);
}
void BM_ExportA4At300Dpi(benchmark::State& bench) {
    DrawSheet(bench, 300, false);
}
void BM_PreviewTwelveMonthsA4At96Dpi(benchmark::State& bench) {
    DrawSheet(bench, 96, true, true);
}
BENCHMARK(BM_PreviewA4At96Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewTwelveMonthsA4At96Dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportA4At300Dpi)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QGuiApplication>(argc, argv);
    return 0;
}
