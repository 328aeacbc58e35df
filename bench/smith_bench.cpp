// The Smith chart: a full 800 x 600 paint with the impedance grid and a
// 301-point sweep, set against the same chart without its grid (a plain
// TDEvari with the same ranges and items) in the same run, so "ratio" is
// the grid's share of the cost. A zoomed view (circles beyond the device
// range drawn as polylines of their visible part) is measured the same way.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <ctime>
#include <memory>

#include "devari/smith/smith.h"
#include "devari/tdevari.h"

namespace {

using namespace kvo;

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

template <class Chart>
void Sweep(Chart& c) {
  for (int i = 0; i < 301; ++i) {
    const double w = 2 * 3.141592653589793 * (1.5e9 + 2e9 * i / 300);
    const std::complex<double> z(38.0 / 50, (w * 6.5e-9 - 1 / (w * 0.62e-12)) / 50);
    const std::complex<double> g = (z - 1.0) / (z + 1.0) * std::polar(1.0, -2 * w * 0.09e-9);
    if (i == 0) c.MoveTo(g.real(), g.imag());
    else c.DrawTo(g.real(), g.imag());
  }
}

void Run(benchmark::State& state, double xLo, double yLo, double xHi, double yHi) {
  TSmithChart s;
  s.SetBounds(0, 0, 800, 600);
  s.SetRange(xLo, yLo, xHi, yHi);
  Sweep(s);
  s.SetSuppressPaint(false);
  TDEvari plain;
  plain.SetBounds(0, 0, 800, 600);
  plain.SetIsoMetric(true);
  plain.SetRange(1, xLo, yLo, xHi, yHi);
  plain.GetScalePropsX(1).SetVisible(false);
  plain.GetScalePropsY(1).SetVisible(false);
  Sweep(plain);
  plain.SetSuppressPaint(false);
  double ts = 0, tp = 0;
  for (auto _ : state) {
    const double t0 = Now();
    s.Paint();
    const double t1 = Now();
    plain.Paint();
    const double t2 = Now();
    benchmark::DoNotOptimize(s.Surface().Bits());
    benchmark::DoNotOptimize(plain.Surface().Bits());
    ts += t1 - t0;
    tp += t2 - t1;
  }
  const double n = double(state.iterations());
  state.counters["smith_ms"] = ts / n * 1e3;
  state.counters["chart_without_grid_ms"] = tp / n * 1e3;
  state.counters["ratio"] = ts / tp;
}

void BM_SmithPaintWhole(benchmark::State& state) { Run(state, -1.1, -1.1, 1.1, 1.1); }
BENCHMARK(BM_SmithPaintWhole)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_SmithPaintDeepZoom(benchmark::State& state) { Run(state, 0.99, -0.01, 1.01, 0.01); }
BENCHMARK(BM_SmithPaintDeepZoom)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
