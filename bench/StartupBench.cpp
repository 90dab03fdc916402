// From a fresh process to the first painted preview: the application, the window, the first
// activation (the old-calendar data of 1900-2100 and the last design, a busy A4 sheet, restored
// from the auto-save file) and the paint of the preview. Each start runs in a process of its own,
// so that nothing (fonts, caches) is warm from the one before.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>

#include "BusyDesign.h"
#include "app/MainUnit.h"
#include "output/FontSubstitutes.h"
#include "ui_MainWindow.h"

namespace orv {
namespace {

// The child's whole life: start, restore, paint once, leave.
[[noreturn]] void StartAndPaint(const std::string& autoSave) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvalinden";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    RegisterWindowsFontSubstitutes();
    TfrmMain window(WindowSettings{autoSave, std::string(ORV_PROGRAM_DIR) + "/旧暦.ini"});
    window.show();
    window.FirstActivate();
    window.Controls().PaintBox1->repaint();
    std::_Exit(window.Data().Memorials.Count() == 20 ? 0 : 1);
}

void StartUpToFirstPaintedPreview(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string autoSave = dir.filePath("Orvalinden.bak").toStdString();
    WriteBusyDesign(autoSave);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) StartAndPaint(autoSave);
        int status = 0;
        waitpid(child, &status, 0);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the start failed");
        state.SetIterationTime(took.count());
    }
}
BENCHMARK(StartUpToFirstPaintedPreview)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace orv

BENCHMARK_MAIN();
