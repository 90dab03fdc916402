// What the two widgets cost the window: the font table at start, four font pickers made with the
// window, a design's four font names set, the popup drawn, and a colour swatch repainted.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <cstdlib>

#include "widgets/FontNameComboBox.h"
#include "widgets/FontTable.h"
#include "widgets/PictureButton.h"

namespace orv {
namespace {

void BuildingTheFontTable(benchmark::State& state) {
    const QStringList families = QFontDatabase::families();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildFontTable(families, {"ＭＳ Ｐゴシック", "ＭＳ 明朝"}));
    }
    state.counters["families"] = static_cast<double>(families.size());
}
BENCHMARK(BuildingTheFontTable)->Unit(benchmark::kMillisecond);

void MakingAFontPicker(benchmark::State& state) {
    InstalledFontTable();  // built once per process, before the window
    for (auto _ : state) {
        TFontNameComboBox picker;
        benchmark::DoNotOptimize(picker.count());
    }
}
BENCHMARK(MakingAFontPicker)->Unit(benchmark::kMicrosecond);

void SettingADesignsFontName(benchmark::State& state) {
    TFontNameComboBox picker;
    const QString names[] = {"ＭＳ Ｐゴシック", "IPAMincho", "No Such Family"};
    int i = 0;
    for (auto _ : state) picker.SetValue(names[i++ % 3]);
}
BENCHMARK(SettingADesignsFontName)->Unit(benchmark::kMicrosecond);

void DrawingEveryPopupRow(benchmark::State& state) {
    TFontNameComboBox picker;
    picker.SetItemHeight(14);
    QImage image(200, 14, QImage::Format_ARGB32_Premultiplied);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    for (auto _ : state) {
        QPainter painter(&image);
        for (int row = 0; row < picker.count(); ++row) {
            picker.view()->itemDelegate()->paint(&painter, option, picker.model()->index(row, 0));
        }
    }
    state.counters["rows"] = picker.count();
}
BENCHMARK(DrawingEveryPopupRow)->Unit(benchmark::kMicrosecond);

void RepaintingASwatch(benchmark::State& state) {
    TPictureButton swatch;
    swatch.resize(21, 17);
    QImage image(swatch.size(), QImage::Format_ARGB32_Premultiplied);
    int32_t color = 0;
    for (auto _ : state) {
        swatch.SetColor(++color & 0xFFFFFF);
        swatch.render(&image);
    }
}
BENCHMARK(RepaintingASwatch)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
