// Raster hot paths against the plain loops that write the same pixels. Both
// run inside the same benchmark iteration, so the reported ratio holds on a
// noisy machine: "ratio" = canvas time / plain loop time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/floors.h"
#include "platform/bitmap.h"

namespace {

using kvo::TBitmap;
using kvo::TPoint;
using kvo::TRect;
using kvo::TRGB32;
using Clock = std::chrono::steady_clock;

constexpr int kW = 800, kH = 600;

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// A noisy sine of n points across the bitmap: most segments are a pixel or two.
std::vector<TPoint> NoisySine(std::size_t n) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<double> noise(-25, 25);
  std::vector<TPoint> pts(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = double(i) * (kW - 1) / double(n - 1);
    const double y = kH / 2.0 + 200 * std::sin(x / 60) + noise(rng);
    pts[i] = {int(std::lround(x)), int(std::lround(y))};
  }
  return pts;
}

using kvo::bench::PlainPolyline;

void BM_Polyline1e6(benchmark::State& state) {
  const auto pts = NoisySine(1000000);
  TBitmap a(kW, kH), b(kW, kH);
  a.Canvas().Pen().SetColor(kvo::clNavy);
  const TRGB32 px{0x80, 0, 0, 255};
  double tk = 0, tp = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    a.Canvas().Polyline(pts.data(), pts.size());
    const auto t1 = Clock::now();
    PlainPolyline(b, pts, px);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(a.Bits());
    benchmark::DoNotOptimize(b.Bits());
    tk += Seconds(t0, t1);
    tp += Seconds(t1, t2);
  }
  const double n = double(state.iterations());
  state.counters["canvas_ms"] = tk / n * 1e3;
  state.counters["plain_ms"] = tp / n * 1e3;
  state.counters["ratio"] = tk / tp;
  state.counters["points/s"] = benchmark::Counter(1e6 * n / tk);
}
BENCHMARK(BM_Polyline1e6)->Unit(benchmark::kMillisecond);

std::vector<TRect> SmallRects(std::size_t n) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> x(0, kW - 8), y(0, kH - 8), s(2, 7);
  std::vector<TRect> r(n);
  for (auto& q : r) {
    const int l = x(rng), t = y(rng), w = s(rng);
    q = {l, t, l + w, t + w};
  }
  return r;
}

void PlainFill(TBitmap& b, const std::vector<TRect>& rects, TRGB32 px) {
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y) {
      TRGB32* row = b.ScanLine(y);
      for (int x = r.Left; x < r.Right; ++x) row[x] = px;
    }
}

void BM_FillRects1e5(benchmark::State& state) {
  const auto rects = SmallRects(100000);
  TBitmap a(kW, kH), b(kW, kH);
  a.Canvas().Brush().SetColor(kvo::clTeal);
  const TRGB32 px{0x80, 0x80, 0, 255};
  double tk = 0, tp = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (const TRect& r : rects) a.Canvas().FillRect(r);
    const auto t1 = Clock::now();
    PlainFill(b, rects, px);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(a.Bits());
    benchmark::DoNotOptimize(b.Bits());
    tk += Seconds(t0, t1);
    tp += Seconds(t1, t2);
  }
  const double n = double(state.iterations());
  state.counters["canvas_ms"] = tk / n * 1e3;
  state.counters["plain_ms"] = tp / n * 1e3;
  state.counters["ratio"] = tk / tp;
  state.counters["rects/s"] = benchmark::Counter(1e5 * n / tk);
}
BENCHMARK(BM_FillRects1e5)->Unit(benchmark::kMillisecond);

// Rectangle with a 1-pixel outline and a filled interior (the chart's marks).
void BM_OutlinedRects1e5(benchmark::State& state) {
  const auto rects = SmallRects(100000);
  TBitmap a(kW, kH), b(kW, kH);
  a.Canvas().Brush().SetColor(kvo::clTeal);
  a.Canvas().Pen().SetColor(kvo::clTeal);
  const TRGB32 px{0x80, 0x80, 0, 255};
  double tk = 0, tp = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (const TRect& r : rects) a.Canvas().Rectangle(r);
    const auto t1 = Clock::now();
    PlainFill(b, rects, px);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(a.Bits());
    benchmark::DoNotOptimize(b.Bits());
    tk += Seconds(t0, t1);
    tp += Seconds(t1, t2);
  }
  const double n = double(state.iterations());
  state.counters["canvas_ms"] = tk / n * 1e3;
  state.counters["plain_ms"] = tp / n * 1e3;
  state.counters["ratio"] = tk / tp;
  state.counters["rects/s"] = benchmark::Counter(1e5 * n / tk);
}
BENCHMARK(BM_OutlinedRects1e5)->Unit(benchmark::kMillisecond);

void BM_Text1e4(benchmark::State& state) {
  TBitmap a(kW, kH);
  a.Fill(kvo::clWhite);
  kvo::TCanvas& c = a.Canvas();
  c.Brush().SetStyle(kvo::bsClear);
  std::vector<std::string> texts;
  for (int i = 0; i < 100; ++i) texts.push_back(std::to_string(i * 0.25 - 10));
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i)
      c.TextOut((i * 37) % (kW - 40), (i * 53) % (kH - 12), texts[i % texts.size()]);
    benchmark::DoNotOptimize(a.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_Text1e4)->Unit(benchmark::kMillisecond);

void BM_TextWidth1e4(benchmark::State& state) {
  TBitmap a(8, 8);
  kvo::TCanvas& c = a.Canvas();
  std::int64_t sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) sum += c.TextWidth(std::to_string(i));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TextWidth1e4)->Unit(benchmark::kMillisecond);

}  // namespace
