// Loading and saving settings files far beyond any design a user makes by hand: one line of
// millions of fields, and tens of thousands of memorial days.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <string>

#include "model/AtomicFile.h"
#include "model/DataUnit.h"
#include "model/MessageSink.h"

namespace orv {
namespace {

class Folder {
  public:
    Folder() {
        char pattern[] = "/tmp/orv-bench-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~Folder() {
        unlink(File().c_str());
        rmdir(path_.c_str());
    }
    std::string File() const { return path_ + "/design.sav"; }

  private:
    std::string path_;
};

// One line of `state.range(0)` separators in the given section: "," splits the value into
// fields, "=" splits the line.
void LoadOneLongLine(benchmark::State& state, const std::string& before, char separator) {
    const Folder folder;
    WriteFileAtomically(folder.File(), before + std::string(state.range(0), separator) + "\r\n");
    NullMessageSink sink;
    for (auto _ : state) {
        TData data;
        benchmark::DoNotOptimize(data.LoadFromFile(folder.File(), sink));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void LoadMemorialLineOfCommas(benchmark::State& state) {
    LoadOneLongLine(state, "[Memorial]\r\n2016/01/01=name", ',');
}
void LoadMemorialLineOfEqualsSigns(benchmark::State& state) {
    LoadOneLongLine(state, "[Memorial]\r\n2016/01/01=", '=');
}
void LoadMatrixLineOfCommas(benchmark::State& state) {
    LoadOneLongLine(state, "[MatrixData]\r\n1=0,a.jpg", ',');
}
// 40,000 separators took seconds while every field was searched for from the line's start.
BENCHMARK(LoadMemorialLineOfCommas)->Arg(40000)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadMemorialLineOfEqualsSigns)->Arg(40000)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadMatrixLineOfCommas)->Arg(40000)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

void SaveMemorialDays(benchmark::State& state) {
    const Folder folder;
    TData data = NewDesign();
    for (int i = 0; i < state.range(0); ++i) {
        data.Memorials.Add() = {"", std::to_string(1000 + i) + "/01/01", "記念日", 255, -1, -1};
    }
    NullMessageSink sink;
    for (auto _ : state) benchmark::DoNotOptimize(data.SaveToFile(folder.File(), sink));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SaveMemorialDays)->Arg(10000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv
