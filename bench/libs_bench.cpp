// Base and math library: the calls the controls make per tick, per cell or
// per item.
#include <benchmark/benchmark.h>

#include <vector>

#include "libs/datatable.h"
#include "libs/kvobase.h"
#include "libs/math1.h"
#include "libs/matrix.h"
#include "libs/stringl.h"
#include "platform/bitmap.h"

namespace kvo {
namespace {

void BM_CalcScalePars(benchmark::State& state) {
  double first, step, lo = 0.123;
  std::uint16_t minor;
  for (auto _ : state) {
    CalcScalePars(7, lo, lo + 97.5, first, step, minor);
    benchmark::DoNotOptimize(first);
    lo += 1e-3;
  }
}
BENCHMARK(BM_CalcScalePars);

void BM_Strff(benchmark::State& state) {
  double v = 1.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(strff(v, 12, -2));
    v *= 1.0001;
  }
}
BENCHMARK(BM_Strff);

// A contour grid of 200 x 200 pivots, percentile over the whole grid.
void BM_MatrixPercentile(benchmark::State& state) {
  TMatrix m(200, 200);
  GRandomSeed(3);
  for (int ix = 1; ix <= 200; ++ix)
    for (int iy = 1; iy <= 200; ++iy) m.SetVal(ix, iy, GRandom());
  for (auto _ : state) benchmark::DoNotOptimize(m.Percentile(90));
}
BENCHMARK(BM_MatrixPercentile);

// Box-plot statistics of one column of 10000 samples.
void BM_DataTableQuartiles(benchmark::State& state) {
  TDataTable t(1, 10000);
  for (int r = 1; r <= 10000; ++r) t.SetElem(1, r, GRandom());
  double q1, q2, q3;
  std::int64_t n;
  for (auto _ : state) {
    t.QuartilesOfNumCells(1, 1, 1, 10000, q1, q2, q3, n);
    benchmark::DoNotOptimize(q2);
  }
}
BENCHMARK(BM_DataTableQuartiles);

// Scatter plots draw thousands of marks per paint.
void BM_DrawMark(benchmark::State& state) {
  TBitmap b(400, 300);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  const auto mark = std::uint8_t(state.range(0));
  int i = 0;
  for (auto _ : state) {
    DrawMarkOnCanvas(c, mark, 20 + (i * 37) % 360, 20 + (i * 53) % 260);
    ++i;
  }
}
BENCHMARK(BM_DrawMark)->Arg(1)->Arg(21)->Arg(39);

}  // namespace
}  // namespace kvo
