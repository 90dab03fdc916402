// The holiday question the renderer asks for every day cell of every repaint.
#include <benchmark/benchmark.h>

#include "model/Holidays.h"

namespace orv {
namespace {

// One month grid: 42 cells, starting a few days into the month before.
void HolidayNamesOfOneMonthGrid(benchmark::State& state) {
    int month = 0;
    for (auto _ : state) {
        const int year = 2000 + month / 12;
        const int m = month % 12 + 1;
        for (int cell = 0; cell < 42; ++cell) {
            const int day = cell % 28 + 1;
            benchmark::DoNotOptimize(HolidayName(year, m, day, true));
        }
        month = (month + 1) % (12 * 99);
    }
    state.SetItemsProcessed(state.iterations() * 42);
}
BENCHMARK(HolidayNamesOfOneMonthGrid);

}  // namespace
}  // namespace orv
