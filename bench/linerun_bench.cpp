// DrawLineRun alone on an 800 x 600 bitmap, against two floors measured in
// the same iterations: mapping every vertex with R2M and drawing all of them
// with the plain Bresenham loop (what drawing every segment costs at
// least), and mapping every vertex in double with a per-column min/max
// reduction before the plain loop (what a reduction that reads every vertex
// costs at least). Runs of 10^8 x-sorted vertices go through the run index.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <ctime>
#include <random>
#include <vector>

#include "bench/floors.h"
#include "devari/itemcontainer.h"
#include "devari/renderer_p.h"
#include "devari/runindex_p.h"
#include "libs/kvobase.h"
#include "platform/bitmap.h"

namespace {

using namespace kvo;

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

constexpr std::int32_t kW = 800, kH = 600;

struct TScene {
  TLayerTransforms Tf;
  TRenderContext Ctx;
  TBitmap Bmp{kW, kH};
  TItemRenderer R;
  TrcChartItem Tmpl{};

  TScene(double x0, double x1, double y0, double y1) {
    const TChartGeometry g{kW - 1, kH - 1, 0, 0, 0, 0, 0};
    Tf.Adjust(g, {x0, x1, false}, {y0, y1, false}, {x0, x1, false}, {y0, y1, false});
    Ctx.Transforms = &Tf;
    Ctx.Geometry = g;
    CleadEvariItem(Tmpl);
    Tmpl.ItemKind = tkLineto;
    Tmpl.Color = clNavy;
    Tmpl.LWid = 1;
    Tmpl.Layer = 1;
  }
  void Draw(std::span<const TXY> pts, const TRunIndex* index, std::uint64_t version = 0) {
    R.BeginPass(Bmp.Canvas(), Ctx, 1, clWhite);
    R.DrawLineRun(Bmp.Canvas(), Tmpl, pts, index, nullptr, false, 0, version);
    R.FinishPolyLine(Bmp.Canvas());
  }
};

std::vector<TXY> NoisySine(std::size_t n) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<double> noise(-0.15, 0.15);
  std::vector<TXY> v(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = double(i) / double(n - 1);
    v[i] = {x, std::sin(x * 13.0) + noise(rng)};
  }
  return v;
}

// Floor 1: R2M of every vertex, then every segment drawn.
void PlainFloor(const TLayerTransforms& tf, std::span<const TXY> pts, std::vector<TPoint>& buf,
                TBitmap& bmp) {
  buf.clear();
  for (const TXY& p : pts) {
    std::int32_t x, y;
    tf.R2M(1, p.x, p.y, x, y);
    buf.push_back({std::clamp(x, 0, kW - 1), std::clamp(y, 0, kH - 1)});
  }
  bench::PlainPolyline(bmp, buf, TRGB32{0x80, 0, 0, 255});
}

// Floor 2: double mapping of every vertex into per-column first/min/max/last,
// then the reduced polyline drawn.
void ColumnFloor(const TLayerTransforms& tf, std::span<const TXY> pts, std::vector<TPoint>& buf,
                 TBitmap& bmp) {
  double kx, dx, ky, dy;
  tf.GetParams(1, kx, dx, ky, dy);
  buf.clear();
  std::int32_t col = INT32_MIN, lo = 0, hi = 0, last = 0;
  for (const TXY& p : pts) {
    const std::int32_t x = std::clamp(std::int32_t(std::lrint(kx * p.x + dx)), 0, kW - 1);
    const std::int32_t y = std::clamp(std::int32_t(std::lrint(ky * p.y + dy)), 0, kH - 1);
    if (x != col) {
      if (col != INT32_MIN) {
        buf.push_back({col, lo});
        buf.push_back({col, hi});
        buf.push_back({col, last});
      }
      buf.push_back({x, y});
      col = x;
      lo = hi = y;
    }
    lo = std::min(lo, y);
    hi = std::max(hi, y);
    last = y;
  }
  buf.push_back({col, last});
  bench::PlainPolyline(bmp, buf, TRGB32{0x80, 0, 0, 255});
}

void RunAgainstFloors(benchmark::State& state, std::size_t n, bool withIndex,
                      std::uint64_t version = 0, std::size_t gapEvery = 0) {
  std::vector<TXY> pts = NoisySine(n);
  if (gapEvery > 0)
    for (std::size_t i = gapEvery / 2; i < n; i += gapEvery) pts[i].y = std::nan("");
  const TRunIndex index(pts);
  TScene s(0, 1, -1.5, 1.5);
  TBitmap floorBmp(kW, kH);
  std::vector<TPoint> buf;
  buf.reserve(n);
  double tr = 0, tp = 0, tc = 0;
  for (auto _ : state) {
    s.Bmp.Fill(clWhite);
    const double t0 = Now();
    s.Draw(pts, withIndex ? &index : nullptr, version);
    const double t1 = Now();
    PlainFloor(s.Tf, pts, buf, floorBmp);
    const double t2 = Now();
    ColumnFloor(s.Tf, pts, buf, floorBmp);
    const double t3 = Now();
    benchmark::DoNotOptimize(floorBmp.Bits());
    tr += t1 - t0;
    tp += t2 - t1;
    tc += t3 - t2;
  }
  const double k = double(state.iterations());
  state.counters["run_ms"] = tr / k * 1e3;
  state.counters["plain_floor_ms"] = tp / k * 1e3;
  state.counters["column_floor_ms"] = tc / k * 1e3;
  state.counters["ratio_plain"] = tr / tp;
  state.counters["ratio_column"] = tr / tc;
}

void BM_LineRun1e6(benchmark::State& state) { RunAgainstFloors(state, 1000000, false); }
BENCHMARK(BM_LineRun1e6)->Unit(benchmark::kMillisecond)->Iterations(20);
void BM_LineRun1e5(benchmark::State& state) { RunAgainstFloors(state, 100000, false); }
BENCHMARK(BM_LineRun1e5)->Unit(benchmark::kMillisecond)->Iterations(100);
void BM_LineRun1e6Indexed(benchmark::State& state) { RunAgainstFloors(state, 1000000, true); }
BENCHMARK(BM_LineRun1e6Indexed)->Unit(benchmark::kMillisecond)->Iterations(20);
void BM_LineRun1e5Indexed(benchmark::State& state) { RunAgainstFloors(state, 100000, true); }
BENCHMARK(BM_LineRun1e5Indexed)->Unit(benchmark::kMillisecond)->Iterations(100);
// A gap (NaN) every 1000 vertices: the index keeps the gaps' places.
void BM_LineRun1e6IndexedGaps(benchmark::State& state) {
  RunAgainstFloors(state, 1000000, true, 0, 1000);
}
BENCHMARK(BM_LineRun1e6IndexedGaps)->Unit(benchmark::kMillisecond)->Iterations(20);
// Repaints without a change: the kept polylines drawn again.
void BM_LineRun1e6Kept(benchmark::State& state) { RunAgainstFloors(state, 1000000, false, 1); }
BENCHMARK(BM_LineRun1e6Kept)->Unit(benchmark::kMillisecond)->Iterations(20);

// 10^8 x-sorted vertices (1.6 GB) with their index: the whole run in view,
// and a view of one ten-thousandth of it. The floor is one R2M per column and
// vertex in view, i.e. what drawing the visible vertices alone would cost to map.
void BM_LineRun1e8(benchmark::State& state) {
  static const std::vector<TXY> pts = NoisySine(100000000);
  static const TRunIndex index(pts);
  const bool zoomed = state.range(0) != 0;
  TScene s(zoomed ? 0.50003 : 0, zoomed ? 0.50013 : 1, -1.5, 1.5);
  double tr = 0;
  for (auto _ : state) {
    s.Bmp.Fill(clWhite);
    const double t0 = Now();
    s.Draw(pts, &index);
    tr += Now() - t0;
  }
  const double k = double(state.iterations());
  state.counters["run_ms"] = tr / k * 1e3;
  state.counters["index_bytes_per_vertex"] = double(index.MemoryBytes()) / double(pts.size());
}
BENCHMARK(BM_LineRun1e8)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

// Filled marks whose pen and brush agree (one fill each) against the same
// marks in two colours (interior and outline apart), in one run.
void BM_OneColourMarks1e5(benchmark::State& state) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> ux(0, kW - 1), uy(0, kH - 1);
  std::vector<TPoint> at(100000);
  for (auto& p : at) p = {ux(rng), uy(rng)};
  TBitmap bmp(kW, kH);
  TCanvas& c = bmp.Canvas();
  double t1 = 0, t2 = 0;
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      c.Pen().SetColor(clRed);
      c.Brush().SetColor(pass == 0 ? clRed : clYellow);
      const double t0 = Now();
      static constexpr std::uint8_t kFilled[] = {5, 7, 9, 13};  // square, circle, diamond, triangle
      for (std::size_t i = 0; i < at.size(); ++i)
        DrawMarkOnCanvas(c, kFilled[i % 4], at[i].x, at[i].y);
      (pass == 0 ? t1 : t2) += Now() - t0;
    }
    benchmark::DoNotOptimize(bmp.Bits());
  }
  const double k = double(state.iterations());
  state.counters["one_colour_ms"] = t1 / k * 1e3;
  state.counters["two_colour_ms"] = t2 / k * 1e3;
  state.counters["ratio"] = t1 / t2;
}
BENCHMARK(BM_OneColourMarks1e5)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
