// Loading the old-calendar data file and asking it for the names of a day, at the size of a file
// that covers two centuries.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/Memorials.h"
#include "model/MessageSink.h"
#include "model/OldCalendar.h"

namespace orv {
namespace {

constexpr int kLines = 75000;
constexpr int kSolarTermLines = 4800;

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string DateText(const CivilDate& d) {
    return std::to_string(d.Year) + "/" + TwoDigits(d.Month) + "/" + TwoDigits(d.Day);
}

// A data file as the data-creation tool writes it: one rokuyo line a day from 1900 on, then
// solar terms about every fifteen days, 75,000 lines in all.
std::string MakeDataFile() {
    static const char* const kRokuyo[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    std::string text = "[六曜]\r\n";
    const CivilDate first{1900, 1, 1};
    for (int i = 0; i < kLines - kSolarTermLines; ++i) {
        text += DateText(AddDays(first, i)) + "=" + kRokuyo[i % 6] + "\r\n";
    }
    text += "[二十四節気]\r\n";
    for (int i = 0; i < kSolarTermLines; ++i) {
        text += DateText(AddDays(first, i * 15 + 5)) + "=立春\r\n";
    }
    return Utf8ToCp932(text);
}

class DataFile {
  public:
    DataFile() {
        char pattern[] = "/tmp/orv-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        path_ = folder_ + "/旧暦.ini";
        WriteFileAtomically(path_, MakeDataFile());
    }
    ~DataFile() {
        unlink(path_.c_str());
        rmdir(folder_.c_str());
    }
    const std::string& Path() const { return path_; }

  private:
    std::string folder_;
    std::string path_;
};

void LoadOldCalendarFile(benchmark::State& state) {
    const DataFile file;
    NullMessageSink sink;
    for (auto _ : state) {
        TMemorials rokuyo;
        TMemorials solarTerms;
        benchmark::DoNotOptimize(LoadOldCalendarData(file.Path(), rokuyo, solarTerms, sink));
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(LoadOldCalendarFile)->Unit(benchmark::kMillisecond);

// What the renderer does for one day cell: the rokuyo and the solar terms of its date.
void NamesOfOneDayCell(benchmark::State& state) {
    const DataFile file;
    NullMessageSink sink;
    TMemorials rokuyo;
    TMemorials solarTerms;
    LoadOldCalendarData(file.Path(), rokuyo, solarTerms, sink);
    int day = 0;
    for (auto _ : state) {
        const std::string date = PlainDateText(AddDays({1950, 1, 1}, day++ % 36500));
        benchmark::DoNotOptimize(rokuyo.NamesOnDate(date));
        benchmark::DoNotOptimize(solarTerms.NamesOnDate(date));
    }
}
BENCHMARK(NamesOfOneDayCell);

}  // namespace
}  // namespace orv
