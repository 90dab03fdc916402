// The largest layouts the window lets a user make, in the preview at 100 %: a long imposition list
// (999 card-sized calendars, 30 across) repainted whole and, as a scrolled window repaints it, one
// window-sized part at a time; and an A4 sheet of 99 x 99 months.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "QtBenchmarks.h"
#include "output/OutputDriver.h"
#include "output/QtCanvasCache.h"

namespace orv {
namespace {

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

TData Cards() {
    TData design = NewDesign();
    design.Year = 2026;
    design.Month = 1;
    design.SizeIndex = 2;  // カード縦
    design.SizeX = 54;
    design.SizeY = 86;
    design.Print = 1;
    design.Cols = 30;
    design.Interval = 2;
    for (int i = 1; i <= 999; ++i) {
        TMatrix& entry = design.Matrixs.Add();
        entry.Number = i;
        entry.MonthOffset = i % 12;
    }
    return design;
}

void Repaint(benchmark::State& state, const TData& design, QRect part, QSize box) {
    const OutputJob job = JobOfDesign(design);
    NullMessageSink sink;
    NoStatus status;
    RenderState render;
    OutputEnvironment env{status, sink, render};
    QtCanvasCache cache;
    env.ScreenCache = &cache;
    QImage image(part.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.translate(-part.topLeft());
        painter.setClipRect(part);
        OutputPreview(env, job, painter, {box.width(), box.height()});
    }
    state.SetLabel(std::to_string(part.width()) + " x " + std::to_string(part.height()));
}

// 30 x 34 calendars of 204 x 325 pixels with 7-pixel gaps at 96 ppi.
const QSize kCardsBox(30 * 211, 34 * 332);

void PreviewOf999CardsWhole(benchmark::State& state) {
    Repaint(state, Cards(), QRect(QPoint(0, 0), kCardsBox), kCardsBox);
}
void PreviewOf999CardsWindowPart(benchmark::State& state) {
    Repaint(state, Cards(), QRect(2000, 3000, 800, 600), kCardsBox);
}
void PreviewOf99By99MonthsA4(benchmark::State& state) {
    TData design = NewDesign();
    design.Year = 2026;
    design.Month = 1;
    design.SizeIndex = 8;  // A4縦
    design.SizeX = 210;
    design.SizeY = 297;
    design.PrevNextMonthEnabled = 0;
    design.PluralEnabled = 1;
    design.Columns = 99;
    design.Rows = 99;
    Repaint(state, design, QRect(0, 0, 793, 1122), QSize(793, 1122));
}

BENCHMARK(PreviewOf999CardsWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(PreviewOf999CardsWindowPart)->Unit(benchmark::kMillisecond);
BENCHMARK(PreviewOf99By99MonthsA4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QGuiApplication>(argc, argv);
    return 0;
}
