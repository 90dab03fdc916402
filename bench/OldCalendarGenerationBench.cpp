// The computed old-calendar data: making 1900–2100 (done at every build) and its parts, and
// loading the file so made at start-up.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "model/Astronomy.h"
#include "model/LunisolarCalendar.h"
#include "model/OldCalendar.h"
#include "model/OldCalendarWriter.h"

namespace orv {
namespace {

void GenerateTheCenturies(benchmark::State& state) {
    for (auto _ : state) {
        const LunisolarCalendar calendar(1900, 2100);
        std::string bytes = OldCalendarFileBytes(calendar);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(GenerateTheCenturies)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void SunLongitude(benchmark::State& state) {
    double t = 2451545.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunApparentLongitude(t).Degrees);
        t += 0.37;
    }
}
BENCHMARK(SunLongitude)->Unit(benchmark::kMicrosecond);

void MoonLongitude(benchmark::State& state) {
    double t = 2451545.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonApparentLongitude(t).Degrees);
        t += 0.37;
    }
}
BENCHMARK(MoonLongitude)->Unit(benchmark::kMicrosecond);

void OneYearOfNewMoons(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(NewMoonsBetween(2451545.0, 2451545.0 + 365.25));
}
BENCHMARK(OneYearOfNewMoons)->Unit(benchmark::kMillisecond);

void OneYearOfSolarTerms(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SolarTermsBetween({2026, 1, 1}, {2026, 12, 31}));
}
BENCHMARK(OneYearOfSolarTerms)->Unit(benchmark::kMillisecond);

// What the window does at its first activation, on the file the build installs.
void LoadTheComputedCenturies(benchmark::State& state) {
    char folder[] = "/tmp/orv-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/旧暦.ini";
    WriteOldCalendarFile(path, 1900, 2100);
    NullMessageSink sink;
    for (auto _ : state) {
        TMemorials rokuyo;
        TMemorials solarTerms;
        benchmark::DoNotOptimize(LoadOldCalendarData(path, rokuyo, solarTerms, sink));
    }
    unlink(path.c_str());
    rmdir(folder);
}
BENCHMARK(LoadTheComputedCenturies)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv
