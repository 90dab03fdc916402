// The preview repaint that follows every edit in the window: the whole sheet drawn again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "FontSubstitutes.h"
#include "MainUnit.h"
#include "basic/BasicTab.h"
#include "style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"

namespace {

struct Window {
    Window() : window(Settings()) {
        window.show();
        window.FirstActivate();
    }
    orv::WindowSettings Settings() {
        return {dir.filePath("Orvalinden.bak").toStdString(),
                std::string(ORV_PROGRAM_DIR) + "/旧暦.ini"};
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

void BM_PreviewRepaintA4(benchmark::State& state) {
    Window w;
    w.ChooseSize(8);
    w.window.Style().Controls().chkRokuyo->setChecked(true);
    w.window.Style().Controls().chkNijusisekki->setChecked(true);
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
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orv::RegisterWindowsFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
