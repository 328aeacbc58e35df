// The chart's display list: appending 10^7 polyline vertices, and saving and
// loading a data file of 10^6 items (about 100 MB).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "devari/tdevari.h"

namespace {

using kvo::TDEvari;

constexpr std::int64_t kAppendItems = 10'000'000;
constexpr std::int64_t kFileItems = 1'000'000;

void FillSine(TDEvari& c, std::int64_t n) {
  c.MoveTo(0.0, 0.0);
  for (std::int64_t i = 1; i < n; ++i) {
    const double x = double(i) * 1e-3;
    c.DrawTo(x, std::sin(x));
  }
}

std::string BenchFile() {
  return (std::filesystem::temp_directory_path() / "kvo_devari_bench.dat").string();
}

// Appending 10^7 DrawTo items, with the default growth step and with a step
// of 1 (the allocated count then grows by one per item; the storage behind
// it must still grow geometrically).
void BM_AppendDrawTo(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TDEvari c;
    c.SetAllocSize(static_cast<std::int32_t>(state.range(0)));
    state.ResumeTiming();
    FillSine(c, kAppendItems);
    benchmark::DoNotOptimize(c.NumItems());
    state.PauseTiming();
    c.ClearGraf();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kAppendItems);
}
BENCHMARK(BM_AppendDrawTo)->Arg(1000)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_SaveData(benchmark::State& state) {
  TDEvari c;
  FillSine(c, kFileItems);
  for (int i = 0; i < 50; ++i) c.Text(double(i), 0.0, 10, "a long text of item " + std::to_string(i));
  const std::string path = BenchFile();
  for (auto _ : state) c.SaveData(path);
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * c.NumItems());
}
BENCHMARK(BM_SaveData)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_LoadData(benchmark::State& state) {
  const std::string path = BenchFile();
  {
    TDEvari src;
    FillSine(src, kFileItems);
    for (int i = 0; i < 50; ++i)
      src.Text(double(i), 0.0, 10, "a long text of item " + std::to_string(i));
    src.SaveData(path);
  }
  TDEvari c;
  std::int32_t n = 0;
  for (auto _ : state) {
    n = c.LoadData(path, false);
    benchmark::DoNotOptimize(n);
  }
  if (n <= 0) state.SkipWithError("the file did not load");
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * n);
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
