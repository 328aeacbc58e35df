// A full paint of the gauge (gradient background, dial with labels, index,
// cover, caption, two frames; drawn off-screen and copied to the window
// surface) at 400 x 60 (horizontal) and 200 x 200 (vertical), for the
// triangle and the band index. The floor runs in the same iteration: a
// plain fill of a bitmap of the same size. "ratio" is paint time / floor time.
#include <benchmark/benchmark.h>

#include <ctime>

#include "gauge/gauge.h"
#include "platform/bitmap.h"

namespace {

using namespace kvo;

double Now() {  // thread CPU time: on a shared machine wall time measures the others
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

void PaintGauge(benchmark::State& state, int w, int h, TGaugeOrientation o, TGaugeIndexMode m) {
  TScaleGauge g;
  g.SetBounds(0, 0, w, h);
  g.SetOrientation(o);
  g.SetIndexMode(m);
  g.SetCaption("Pressure");
  g.SetCaptionSize(8);
  g.SetMarginTop(o == goVertical ? 24 : 4);
  g.SetMarginBottom(o == goVertical ? 10 : 6);
  g.HandleNeeded();  // paints as a shown control does
  TBitmap floorBmp(w, h);
  double tp = 0, tf = 0;
  int k = 0;
  for (auto _ : state) {
    ++k;
    const double t0 = Now();
    g.SetValue(k % 2 ? 3.5 : -2.5);  // one repaint
    const double t1 = Now();
    floorBmp.Fill(k % 2 ? clWhite : clSilver);
    benchmark::DoNotOptimize(floorBmp.Bits());
    const double t2 = Now();
    tp += t1 - t0;
    tf += t2 - t1;
  }
  const double n = double(state.iterations());
  state.counters["paint_us"] = tp / n * 1e6;
  state.counters["floor_us"] = tf / n * 1e6;
  state.counters["ratio"] = tp / tf;
}

void BM_GaugePaint400x60(benchmark::State& state) {
  PaintGauge(state, 400, 60, goHorizontal, gimTriangle);
}
BENCHMARK(BM_GaugePaint400x60)->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_GaugePaint200x200(benchmark::State& state) {
  PaintGauge(state, 200, 200, goVertical, gimTriangle);
}
BENCHMARK(BM_GaugePaint200x200)->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_GaugePaintBand400x60(benchmark::State& state) {
  PaintGauge(state, 400, 60, goHorizontal, gimBand);
}
BENCHMARK(BM_GaugePaintBand400x60)->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
