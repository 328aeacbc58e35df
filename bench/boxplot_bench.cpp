// The box plot: 20 box plots of 1000 samples each on an 800 x 600 chart,
// statistics + paint (a data change: every column's statistics, the figure,
// one full paint) and paint alone. The peers are fixed figures measured on
// this machine (Qwt, QCustomPlot, matplotlib; ms); the floor runs in the same
// iteration: the quartiles of every column by three std::nth_element calls
// on a copy, nothing else (set against the statistics alone as
// ratio_stats_floor); the paint is also set against an empty chart of the
// same size and axes (the chart's own fills and image copies).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include "boxplot/boxplot.h"
#include "devari/tdevari.h"

namespace {

using namespace kvo;

// Thread CPU time: on a shared machine wall time mostly measures the others.
double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

constexpr int kCols = 20, kRows = 1000;
// Peers: statistics + paint, paint alone (ms).
constexpr double kQwt[2] = {1.39, 0.45}, kQcp[2] = {2.36, 1.46}, kMpl[2] = {127, 18.8};
constexpr double kBestPeer[2] = {kQwt[0], kQwt[1]};

std::vector<std::vector<double>> Samples() {
  std::mt19937 gen(20);
  std::normal_distribution<double> n(0, 1);
  std::vector<std::vector<double>> cols(kCols, std::vector<double>(kRows));
  for (int j = 0; j < kCols; ++j)
    for (double& v : cols[std::size_t(j)]) v = 5 * std::sin(j * 0.45) + (0.6 + 0.1 * (j % 7)) * n(gen);
  return cols;
}

std::unique_ptr<TBoxPlot> MakePlot(const std::vector<std::vector<double>>& cols) {
  auto p = std::make_unique<TBoxPlot>();
  p->SetBounds(0, 0, 800, 600);
  TDataTable& t = p->Data();
  t.BeginUpdate();
  t.Resize(kCols, kRows);
  for (int j = 1; j <= kCols; ++j)
    for (int r = 1; r <= kRows; ++r) t.SetElem(j, r, cols[std::size_t(j - 1)][std::size_t(r - 1)]);
  t.EndUpdate();
  p->SetShow90Perc(true);
  p->SetGridStyle(bpgsDotLines);
  p->AutoRange(10);
  p->SetSuppressPaint(false);
  return p;
}

// The floor: quartiles of every column by selection on a copy.
double FloorQuartiles(const std::vector<std::vector<double>>& cols, std::vector<double>& work) {
  double acc = 0;
  for (const auto& c : cols) {
    work.assign(c.begin(), c.end());
    const auto at = [&](std::size_t k) {
      std::nth_element(work.begin(), work.begin() + std::ptrdiff_t(k), work.end());
      return work[k];
    };
    acc += at(kRows / 4) + at(kRows / 2) + at(3 * kRows / 4);
  }
  return acc;
}

void Report(benchmark::State& state, int which, double plot, double floor) {
  const double n = double(state.iterations());
  state.counters["boxplot_ms"] = plot / n * 1e3;
  state.counters["floor_ms"] = floor / n * 1e3;
  state.counters["ratio_floor"] = plot / floor;
  state.counters["qwt_ms"] = kQwt[which];
  state.counters["qcustomplot_ms"] = kQcp[which];
  state.counters["matplotlib_ms"] = kMpl[which];
  state.counters["ratio_best_peer"] = plot / n * 1e3 / kBestPeer[which];
}

void BM_BoxPlot20x1000StatsAndPaint(benchmark::State& state) {
  const auto cols = Samples();
  auto p = MakePlot(cols);
  std::vector<double> work;
  double tp = 0, tf = 0, ts = 0;
  int k = 0;
  for (auto _ : state) {
    const double t0 = Now();
    // A changed cell: every column's statistics, the figure, one paint.
    p->Data().SetElem(1, 1, cols[0][0] + 1e-9 * (k++ % 2));
    const double t1 = Now();
    benchmark::DoNotOptimize(FloorQuartiles(cols, work));
    const double t2 = Now();
    p->CommitChangedData();  // the statistics alone
    const double t3 = Now();
    benchmark::DoNotOptimize(p->Surface().Bits());
    tp += t1 - t0;
    tf += t2 - t1;
    ts += t3 - t2;
  }
  Report(state, 0, tp, tf);
  // Five percentiles, mean and extremes of every column against the floor's
  // three quartiles.
  state.counters["stats_only_ms"] = ts / double(state.iterations()) * 1e3;
  state.counters["ratio_stats_floor"] = ts / tf;
}
BENCHMARK(BM_BoxPlot20x1000StatsAndPaint)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_BoxPlot20x1000Paint(benchmark::State& state) {
  const auto cols = Samples();
  auto p = MakePlot(cols);
  TDEvari empty;
  empty.SetBounds(0, 0, 800, 600);
  empty.SetRange(1, 0, p->Scale1Y().RangeLow(), kCols + 1, p->Scale1Y().RangeHigh());
  empty.GetScalePropsX(1).SetVisible(false);
  empty.SetGridStyle(gsHorizDotLines);
  empty.SetSuppressPaint(false);
  std::vector<double> work;
  double tp = 0, tf = 0, te = 0;
  for (auto _ : state) {
    const double t0 = Now();
    p->Paint();
    const double t1 = Now();
    benchmark::DoNotOptimize(FloorQuartiles(cols, work));
    const double t2 = Now();
    empty.Paint();
    const double t3 = Now();
    benchmark::DoNotOptimize(p->Surface().Bits());
    benchmark::DoNotOptimize(empty.Surface().Bits());
    tp += t1 - t0;
    tf += t2 - t1;
    te += t3 - t2;
  }
  Report(state, 1, tp, tf);
  state.counters["empty_chart_ms"] = te / double(state.iterations()) * 1e3;
  state.counters["ratio_empty_chart"] = tp / te;
}
BENCHMARK(BM_BoxPlot20x1000Paint)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
