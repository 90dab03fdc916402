// The preview repaint that follows every edit in the window: the whole sheet drawn again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "BusyDesign.h"
#include "MainUnit.h"
#include "QtBenchmarks.h"
#include "basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace {

struct Window {
    // With `busy`, the busy sheet is restored at the start, as after a restart.
    explicit Window(bool busy = false) : window(Settings(busy)) {
        window.show();
        window.FirstActivate();
    }
    orv::WindowSettings Settings(bool busy) {
        const std::string autoSave = dir.filePath("Orvalinden.bak").toStdString();
        if (busy) orv::WriteBusyDesign(autoSave);
        return {autoSave, std::string(ORV_PROGRAM_DIR) + "/旧暦.ini"};
    }
    void ChooseSize(int preset) {
        auto& basic = window.Basic().Controls();
        basic.cboCalSize->setCurrentIndex(preset);
        window.Basic().cboCalSizeChange();
    }
    // Paints the preview box as a repaint would, into an image of its size.
    void Repaint() {
        QWidget* box = window.Controls().PaintBox1;
        QImage image(box->size(), QImage::Format_RGB32);
        box->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }

    QTemporaryDir dir;
    orv::TfrmMain window;
};

// A4 at 100 %.
void BM_PreviewRepaintA4(benchmark::State& state) {
    Window w(true);
    if (w.window.Data().Memorials.Count() != 20)
        state.SkipWithError("the busy sheet was not restored");
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_PreviewRepaintA4)->Unit(benchmark::kMillisecond);

void BM_PreviewRepaintSeveralMonthsA3(benchmark::State& state) {
    Window w;
    w.ChooseSize(10);
    auto& basic = w.window.Basic().Controls();
    basic.optPluralMonth->setChecked(true);
    basic.txtPluralColumns->setText("3");
    basic.txtPluralRows->setText("4");
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_PreviewRepaintSeveralMonthsA3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QApplication>(argc, argv);
    return 0;
}
