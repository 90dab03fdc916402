// Benchmarks that draw need Qt's application object (fonts, picture plug-ins) and the Windows
// face names that designs use; no window is shown.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "output/FontSubstitutes.h"

namespace orv {

// Application is QGuiApplication, or QApplication for benchmarks of widgets.
template <class Application>
void RunBenchmarksUnderQt(int& argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application app(argc, argv);
    RegisterWindowsFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

}  // namespace orv
