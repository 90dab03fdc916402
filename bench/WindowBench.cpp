// The preview repaint that follows every edit in the window: the whole sheet drawn again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "BusyDesign.h"
#include "QtBenchmarks.h"
#include "app/MainUnit.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace {

// A postcard sheet with a 4000 × 3000 photograph, imposed fifteen times beside itself.
void WriteImposedPhotoDesign(const QTemporaryDir& dir, const std::string& path) {
    const QString photo = dir.filePath("photo.jpg");
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] = qRgb(x % 256, y % 256, (x + y) % 256);
    }
    image.save(photo, "JPEG", 90);
    orv::TData design = orv::NewDesign();
    design.SizeIndex = 4;
    design.SizeX = 100;
    design.SizeY = 148;
    design.PictureFile = photo.toStdString();
    design.Print = 1;
    design.Cols = 4;
    for (int k = 1; k <= 15; ++k) {
        orv::TMatrix& entry = design.Matrixs.Add();
        entry.Number = k;
        entry.MonthOffset = k;
    }
    orv::NullMessageSink quiet;
    design.SaveToFile(path, quiet);
}

enum class Start { Fresh, Busy, ImposedPhoto };

struct Window {
    // A design other than a fresh one is restored at the start, as after a restart.
    explicit Window(Start start = Start::Fresh) : window(Settings(start)) {
        window.show();
        window.FirstActivate();
    }
    explicit Window(bool busy) : Window(busy ? Start::Busy : Start::Fresh) {}
    orv::WindowSettings Settings(Start start) {
        const std::string autoSave = dir.filePath("Orvalinden.bak").toStdString();
        if (start == Start::Busy) orv::WriteBusyDesign(autoSave);
        if (start == Start::ImposedPhoto) WriteImposedPhotoDesign(dir, autoSave);
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

// Fifteen postcards side by side, each with the same large photograph, at 50 %.
void BM_PreviewRepaintImposedPhoto(benchmark::State& state) {
    Window w(Start::ImposedPhoto);
    if (w.window.Data().Matrixs.Count() != 15)
        state.SkipWithError("the imposed design was not restored");
    auto& zoom = *w.window.Controls().cboZoom;
    zoom.setCurrentIndex(zoom.findText("50%"));
    w.window.cboZoomClick();
    for (auto _ : state) w.Repaint();
}
BENCHMARK(BM_PreviewRepaintImposedPhoto)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QApplication>(argc, argv);
    return 0;
}
