// A full paint of the colour legend (bar from the 256-entry spectrum, axis
// with labels, caption, crosshair, frame; drawn off-screen and copied to the
// window surface) at 400 x 60 (horizontal) and 200 x 200 (vertical). The
// floor runs in the same iteration: a plain fill of a bitmap of the same
// size. "ratio" is paint time / floor time.
#include <benchmark/benchmark.h>

#include <ctime>

#include "colorscale/colorscale.h"
#include "platform/bitmap.h"

namespace {

using namespace kvo;

double Now() {  // thread CPU time: on a shared machine wall time measures the others
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

void PaintLegend(benchmark::State& state, int w, int h, TColScaleOrientation o) {
  TColorScale s;
  s.SetBounds(0, 0, w, h);
  s.SetOrientation(o);
  s.ColorArray.FillDefault();
  s.SetCaption("Height");
  s.SetCaptionSize(8);
  s.CrossHair().SetPos(2.5, 2.5);
  s.HandleNeeded();  // paints as a shown control does
  TBitmap floorBmp(w, h);
  double tp = 0, tf = 0;
  int k = 0;
  for (auto _ : state) {
    const double t0 = Now();
    s.Refresh();
    const double t1 = Now();
    floorBmp.Fill(++k % 2 ? clWhite : clSilver);
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

void BM_ColorScalePaint400x60(benchmark::State& state) { PaintLegend(state, 400, 60, csoHorizontal); }
BENCHMARK(BM_ColorScalePaint400x60)->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_ColorScalePaint200x200(benchmark::State& state) { PaintLegend(state, 200, 200, csoVertical); }
BENCHMARK(BM_ColorScalePaint200x200)->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
