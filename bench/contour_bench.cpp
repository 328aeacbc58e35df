// The contour plot: the bilinear colour surface of 200 x 150 pivots (a
// smooth function, most cells subdivided) rendered into an 800 x 600 data
// image, against the floor measured in the same run, a plain fill of the
// same pixel rows. The peers on this machine: QCustomPlot's interpolated
// colour map 1.8 ms, Qwt's spectrogram 2.4 ms (bilinear 21.5 ms), matplotlib
// 17-20 ms; "ratio_to_best_peer" divides by QCustomPlot's 1.8 ms. A full
// paint of the chart (axes, surface, point grid) is measured beside it, and
// the surface at the device resolution of a HiDPI (x 2) surface.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "devari/contour/contour.h"
#include "platform/bitmap.h"

namespace {

using namespace kvo;

constexpr double kBestPeerMs = 1.8;  // QCustomPlot, bilinear colour map

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// A plot whose data image is 800 x 600 device pixels, 200 x 150 pivots of a
// smooth function precalculated.
void Setup(TContourPlot& p, double scale) {
  p.SetBounds(0, 0, 800 + 70 - 1, 600 + 60 - 1);  // rims 50/20/20/40
  p.SetSurfaceScale(scale);
  p.SetRange(-3, -3, 3, 3);
  p.IsoColors.FillDefault();
  p.SetIsoParams(-6.5, 8.5, 0.75);
  p.SetPivotResX(200);
  p.SetPivotResY(150);
  p.OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = 3 * (1 - x) * (1 - x) * std::exp(-x * x - (y + 1) * (y + 1)) -
        10 * (x / 5 - x * x * x - std::pow(y, 5)) * std::exp(-x * x - y * y) -
        std::exp(-(x + 1) * (x + 1) - y * y) / 3;
  };
  p.CalculatePivotPoints(true);
  p.SetSuppressPaint(false);
}

void Run(benchmark::State& state, double scale) {
  TContourPlot p;
  Setup(p, scale);
  TBitmap& img = p.GrafBmp();
  const int f = int(scale);
  const TRGB32 px{40, 80, 120, 255};
  double tSurface = 0, tFloor = 0;
  for (auto _ : state) {
    const double t0 = Now();
    p.RenderFromPivotPoints(img, 0, 0, f);
    const double t1 = Now();
    for (int y = 0; y < img.Height(); ++y) std::fill(img.ScanLine(y), img.ScanLine(y) + img.Width(), px);
    const double t2 = Now();
    benchmark::DoNotOptimize(img.Bits());
    tSurface += t1 - t0;
    tFloor += t2 - t1;
  }
  const double n = double(state.iterations());
  state.counters["image_w"] = img.Width();
  state.counters["image_h"] = img.Height();
  state.counters["surface_ms"] = tSurface / n * 1e3;
  state.counters["floor_fill_ms"] = tFloor / n * 1e3;
  state.counters["ratio_to_floor"] = tSurface / tFloor;
  state.counters["ratio_to_best_peer"] = tSurface / n * 1e3 / kBestPeerMs;
}

void BM_ContourSurface200x150(benchmark::State& state) { Run(state, 1); }
BENCHMARK(BM_ContourSurface200x150)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_ContourSurface200x150HiDpi(benchmark::State& state) { Run(state, 2); }
BENCHMARK(BM_ContourSurface200x150HiDpi)->Unit(benchmark::kMillisecond)->Iterations(100);

// The whole paint: chart image, axes, surface, point grid, frame.
void BM_ContourFullPaint(benchmark::State& state) {
  TContourPlot p;
  Setup(p, 1);
  double t = 0;
  for (auto _ : state) {
    const double t0 = Now();
    p.Paint();
    t += Now() - t0;
    benchmark::DoNotOptimize(p.Surface().Bits());
  }
  state.counters["paint_ms"] = t / double(state.iterations()) * 1e3;
  state.counters["ratio_to_best_peer"] = t / double(state.iterations()) * 1e3 / kBestPeerMs;
}
BENCHMARK(BM_ContourFullPaint)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
