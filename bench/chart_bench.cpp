// Full paints of an 800 x 600 chart with axes and grid, and the floors its
// line drawing is measured against: a loop that only reads the items and maps
// them with R2M, and a plain Bresenham loop drawing the mapped polyline. The
// floors run inside the same iteration as the chart, so "ratio" (chart time /
// sum of the floors) holds on a noisy machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <ctime>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/floors.h"
#include "devari/tdevari.h"
#include "platform/bitmap.h"

namespace {

using namespace kvo;
// Thread CPU time: on a shared machine wall time mostly measures the others.
struct Clock {
  using time_point = double;
  static double now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
  }
};

double Seconds(double a, double b) { return b - a; }

// Sets layer 1's X range without painting, then times the one paint that
// follows (nothing drawn for an earlier view can be reused).
double PaintAfterRange(kvo::TDEvari& c, double lo, double hi) {
  c.SetSuppressPaint(true);
  c.Scale1X().SetRangeLow(lo);
  c.Scale1X().SetRangeHigh(hi);
  c.Scale1X().SetRangeLow(lo);
  const double t0 = Clock::now();
  c.SetSuppressPaint(false);  // the repaint
  return Seconds(t0, Clock::now());
}

std::unique_ptr<TDEvari> MakeChart() {
  auto c = std::make_unique<TDEvari>();
  c->SetBounds(0, 0, 800, 600);
  TScaleProps& x = c->Scale1X();
  TScaleProps& y = c->Scale1Y();
  x.SetRangeHigh(1);
  x.SetRangeLow(0);
  y.SetRangeHigh(1.5);
  y.SetRangeLow(-1.5);
  c->SetGridStyle(gsLines);
  c->SetGridCol(0xC0C0C0);
  return c;
}

// A noisy sine of n vertices across the chart: most segments are a pixel or two.
void AddNoisySine(TDEvari& c, int n) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<double> noise(-0.15, 0.15);
  c.SetDataCol(clNavy);
  for (int i = 0; i < n; ++i) {
    const double x = double(i) / double(n - 1);
    const double y = std::sin(x * 13.0) + noise(rng);
    if (i == 0) c.MoveTo(x, y);
    else c.DrawTo(x, y);
  }
}

// Marks of types 5..8 in turn (or all of markType), and texts.
void AddMarksAndTexts(TDEvari& c, int marks, int texts, int markType = -1) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> ux(0, 1), uy(-1.4, 1.4);
  c.SetDataCol(clRed);
  c.SetFillCol(clYellow);
  for (int i = 0; i < marks; ++i)
    c.MarkAt(ux(rng), uy(rng), std::uint8_t(markType >= 0 ? markType : 5 + i % 4));
  c.SetDataCol(clBlack);
  std::string label;
  for (int i = 0; i < texts; ++i) {
    label.assign(1, 't');
    label += std::to_string(i % 100);  // (not "t" + ...: a false -Wrestrict of GCC 12)
    c.Text(ux(rng), uy(rng), 8, label);
  }
}

// The first floor: read every item and map it, nothing drawn.
std::int64_t ReadAndMap(const TDEvari& c, std::vector<TPoint>& out) {
  out.clear();
  std::int64_t sum = 0;
  for (const TrcChartItem& it : c.DataItems().Items()) {
    std::int32_t mx, my;
    c.R2M(it.Layer, it.x, it.y, mx, my);
    out.push_back({mx - c.LRim(), my - c.TRim()});
    sum += mx + my;
  }
  return sum;
}

// The second floor: the canvas benchmark's plain Bresenham loop.
void PlainPolyline(TBitmap& b, const std::vector<TPoint>& pts) {
  kvo::bench::PlainPolyline(b, pts, TRGB32{0x80, 0, 0, 255});
}

void BM_ChartPaintLines1e6(benchmark::State& state) {
  auto c = MakeChart();
  AddNoisySine(*c, 1000000);
  c->SetSuppressPaint(false);
  TBitmap floorBmp(c->Width(), c->Height());
  std::vector<TPoint> mapped;
  mapped.reserve(1000000);
  double tc = 0, tm = 0, tb = 0, tcached = 0;
  int flip = 0;
  for (auto _ : state) {
    tc += PaintAfterRange(*c, 0, (++flip & 1) != 0 ? 1.0 + 1e-9 : 1.0);
    const auto t0 = Clock::now();
    c->Paint();  // the same view again: the reduced lines are reused
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(ReadAndMap(*c, mapped));
    const auto t2 = Clock::now();
    PlainPolyline(floorBmp, mapped);
    const auto t3 = Clock::now();
    benchmark::DoNotOptimize(floorBmp.Bits());
    tcached += Seconds(t0, t1);
    tm += Seconds(t1, t2);
    tb += Seconds(t2, t3);
  }
  const double n = double(state.iterations());
  state.counters["chart_ms"] = tc / n * 1e3;
  state.counters["repaint_same_view_ms"] = tcached / n * 1e3;
  state.counters["r2m_floor_ms"] = tm / n * 1e3;
  state.counters["bresenham_floor_ms"] = tb / n * 1e3;
  state.counters["ratio"] = tc / (tm + tb);
  state.counters["items_per_s"] = 1e6 * n / tc;
}
BENCHMARK(BM_ChartPaintLines1e6)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ChartPaintFull(benchmark::State& state) {
  auto c = MakeChart();
  AddNoisySine(*c, 1000000);
  AddMarksAndTexts(*c, 100000, 10000);
  c->SetSuppressPaint(false);
  double tc = 0;
  int flip = 0;
  for (auto _ : state) tc += PaintAfterRange(*c, 0, (++flip & 1) != 0 ? 1.0 + 1e-9 : 1.0);
  const double n = double(state.iterations());
  state.counters["chart_ms"] = tc / n * 1e3;
  state.counters["items_per_s"] = double(c->NumItems()) * n / tc;
}
BENCHMARK(BM_ChartPaintFull)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10^5 filled 5 x 5 squares, against the floor of drawing the same symbols
// straight onto a bitmap.
void BM_ChartMarks1e5(benchmark::State& state) {
  auto c = MakeChart();
  AddMarksAndTexts(*c, 100000, 0, 5);
  c->SetSuppressPaint(false);
  std::vector<TPoint> at;
  for (const TrcChartItem& it : c->DataItems().Items()) {
    std::int32_t mx, my;
    c->R2M(1, it.x, it.y, mx, my);
    at.push_back({mx - c->LRim(), my - c->TRim()});
  }
  TBitmap floorBmp(c->Width(), c->Height());
  floorBmp.Canvas().Pen().SetColor(clRed);
  floorBmp.Canvas().Brush().SetColor(clYellow);
  double tc = 0, tf = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    c->Paint();
    const auto t1 = Clock::now();
    for (std::size_t i = 0; i < at.size(); ++i)
      DrawMarkOnCanvas(floorBmp.Canvas(), 5, at[i].x, at[i].y);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(floorBmp.Bits());
    tc += Seconds(t0, t1);
    tf += Seconds(t1, t2);
  }
  const double n = double(state.iterations());
  state.counters["chart_ms"] = tc / n * 1e3;
  state.counters["marks_floor_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tc / tf;
  state.counters["items_per_s"] = 1e5 * n / tc;
}
BENCHMARK(BM_ChartMarks1e5)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ShowGrafAfterAppend(benchmark::State& state) {
  auto c = MakeChart();
  AddNoisySine(*c, 1000000);
  c->SetSuppressPaint(false);
  double tc = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 1000; ++i) c->RemoveLastItem();
    state.ResumeTiming();
    const auto t0 = Clock::now();
    for (int i = 0; i < 1000; ++i) c->DrawTo(1.0 - i * 1e-4, 0.5 * std::cos(i * 0.1));
    c->ShowGraf();
    tc += Seconds(t0, Clock::now());
  }
  const double n = double(state.iterations());
  state.counters["append_and_show_ms"] = tc / n * 1e3;
}
BENCHMARK(BM_ShowGrafAfterAppend)->Unit(benchmark::kMillisecond)->Iterations(5);

// One pan step as the user makes it: a mouse move in mamPan gives new
// ranges and a full repaint. The floor is the plain repaint of the same
// chart without the range change, so "ratio" is what the pan itself costs
// on top; fps is the frame rate one core allows.
void PanSteps(benchmark::State& state, TDEvari& c) {
  c.SetSuppressPaint(false);
  c.SetMouseAction(mamPan);
  const TShiftState left{ssLeft};
  c.DoMouseDown(mbLeft, left, 400, 300);
  c.DoMouseMove(left, 400, 300);  // the anchors
  double tp = 0, tf = 0;
  int step = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    c.DoMouseMove(left, 400 + (++step % 40) - 20, 300);
    const auto t1 = Clock::now();
    c.Paint();
    const auto t2 = Clock::now();
    tp += Seconds(t0, t1);
    tf += Seconds(t1, t2);
  }
  c.DoMouseUp(mbLeft, TShiftState{}, 400, 300);
  const double n = double(state.iterations());
  state.counters["pan_step_ms"] = tp / n * 1e3;
  state.counters["repaint_floor_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tp / tf;
  state.counters["fps"] = n / tp;
}

void BM_PanStepLines1e6(benchmark::State& state) {
  auto c = MakeChart();
  AddNoisySine(*c, 1000000);
  PanSteps(state, *c);
}
BENCHMARK(BM_PanStepLines1e6)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PanStepMarks1e4(benchmark::State& state) {
  auto c = MakeChart();
  AddMarksAndTexts(*c, 10000, 0);
  PanSteps(state, *c);
}
BENCHMARK(BM_PanStepMarks1e4)->Unit(benchmark::kMillisecond)->Iterations(20);

// Appending 10^6 vertices to a fresh chart: the bulk call against the
// single commands and against the floor of copying the two arrays.
void BM_AppendPolyline1e6(benchmark::State& state) {
  std::vector<double> x(1000000), y(1000000);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = double(i), y[i] = std::sin(double(i) * 1e-3);
  double tb = 0, ts = 0, tf = 0;
  std::vector<double> copy(2 * x.size());
  for (auto _ : state) {
    {
      TDEvari c;
      const auto t0 = Clock::now();
      c.AppendPolyline(x, y);
      tb += Seconds(t0, Clock::now());
    }
    {
      TDEvari c;
      const auto t0 = Clock::now();
      c.MoveTo(x[0], y[0]);
      for (std::size_t i = 1; i < x.size(); ++i) c.DrawTo(x[i], y[i]);
      ts += Seconds(t0, Clock::now());
    }
    const auto t0 = Clock::now();
    std::copy(x.begin(), x.end(), copy.begin());
    std::copy(y.begin(), y.end(), copy.begin() + std::ptrdiff_t(x.size()));
    benchmark::DoNotOptimize(copy.data());
    tf += Seconds(t0, Clock::now());
  }
  const double n = double(state.iterations());
  state.counters["bulk_ms"] = tb / n * 1e3;
  state.counters["single_ms"] = ts / n * 1e3;
  state.counters["copy_floor_ms"] = tf / n * 1e3;
  state.counters["ratio_to_floor"] = tb / tf;
}
BENCHMARK(BM_AppendPolyline1e6)->Unit(benchmark::kMillisecond)->Iterations(3);

// Axes and grid alone, against the floor of filling the chart's image once.
void BM_AxesAndGrid(benchmark::State& state) {
  auto c = MakeChart();
  c->SetSuppressPaint(false);
  TBitmap floorBmp(c->Width(), c->Height());
  double tc = 0, tf = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    c->Paint();
    const auto t1 = Clock::now();
    floorBmp.Canvas().Brush().SetColor(clWhite);
    floorBmp.Canvas().FillRect(TRect{0, 0, c->Width(), c->Height()});
    benchmark::DoNotOptimize(floorBmp.Bits());
    tf += Seconds(t1, Clock::now());
    tc += Seconds(t0, t1);
  }
  const double n = double(state.iterations());
  state.counters["chart_ms"] = tc / n * 1e3;
  state.counters["fill_floor_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tc / tf;
}
BENCHMARK(BM_AxesAndGrid)->Unit(benchmark::kMillisecond)->Iterations(500);

// 10^6 vertices with the x range showing 1/100 of them, against a chart that
// holds only the visible 10^4.
void BM_ZoomedView1e6(benchmark::State& state) {
  auto c = MakeChart(), floor = MakeChart();
  AddNoisySine(*c, 1000000);
  c->Scale1X().SetRangeLow(0.5);
  c->Scale1X().SetRangeHigh(0.51);
  std::mt19937 rng(42);
  std::uniform_real_distribution<double> noise(-0.15, 0.15);
  for (int i = 500000 - 1; i <= 510000 + 1; ++i) {
    const double x = double(i) / 999999.0, y = std::sin(x * 13.0) + noise(rng);
    if (i == 500000 - 1) floor->MoveTo(x, y);
    else floor->DrawTo(x, y);
  }
  floor->Scale1X().SetRangeLow(0.5);
  floor->Scale1X().SetRangeHigh(0.51);
  c->SetSuppressPaint(false);
  floor->SetSuppressPaint(false);
  double tc = 0, tf = 0;
  int flip = 0;
  for (auto _ : state) {
    const double hi = (++flip & 1) != 0 ? 0.51 + 1e-9 : 0.51;
    tc += PaintAfterRange(*c, 0.5, hi);
    tf += PaintAfterRange(*floor, 0.5, hi);
  }
  const double n = double(state.iterations());
  state.counters["chart_ms"] = tc / n * 1e3;
  state.counters["visible_only_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tc / tf;
}
BENCHMARK(BM_ZoomedView1e6)->Unit(benchmark::kMillisecond)->Iterations(5);

// Bytes the allocator has handed out (heap and mapped blocks).
std::size_t AllocatedBytes() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// Memory a long line takes: bytes allocated per vertex after appending 10^6
// vertices one DrawTo at a time and painting once (which builds the run's
// index), beyond what the same chart takes empty, against the 16 bytes of
// its coordinates.
void BM_MemoryPerVertex(benchmark::State& state) {
  double perVertex = 0;
  for (auto _ : state) {
    std::size_t emptyChart = 0;
    {
      const std::size_t before = AllocatedBytes();
      auto c = MakeChart();
      c->SetSuppressPaint(false);
      c->Paint();
      emptyChart = AllocatedBytes() - before;
    }
    const std::size_t before = AllocatedBytes();
    {
      auto c = MakeChart();
      c->MoveTo(0.0, 0.0);
      for (int i = 1; i < 1000000; ++i) c->DrawTo(double(i) * 1e-6, std::sin(i * 1e-3));
      c->SetSuppressPaint(false);
      c->Paint();
      perVertex = (double(AllocatedBytes() - before) - double(emptyChart)) / 1e6;
      benchmark::DoNotOptimize(c->NumItems());
    }
  }
  state.counters["bytes_per_vertex"] = perVertex;
  state.counters["ratio_to_coordinates"] = perVertex / 16.0;
}
BENCHMARK(BM_MemoryPerVertex)->Unit(benchmark::kMillisecond)->Iterations(1);

// 10^8 vertices in one run (appended in chunks), full view and a view of
// 1/1000 of them, against the floor of the same chart with no data; "frames"
// is the paint time over one frame at 60 Hz.
void BM_Lines1e8(benchmark::State& state) {
  auto c = MakeChart(), empty = MakeChart();
  constexpr std::size_t kChunk = 1000000, kTotal = 100 * kChunk;
  {
    std::vector<double> x(kChunk), y(kChunk);
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> noise(-0.15, 0.15);
    for (std::size_t done = 0; done < kTotal; done += kChunk) {
      for (std::size_t i = 0; i < kChunk; ++i) {
        x[i] = double(done + i) / double(kTotal - 1);
        y[i] = std::sin(x[i] * 13.0) + noise(rng);
      }
      c->AppendPolyline(x, y, done > 0);
    }
  }
  c->SetSuppressPaint(false);
  empty->SetSuppressPaint(false);
  c->Paint();  // builds the run's index once
  double tFull = 0, tZoom = 0, tf = 0;
  for (auto _ : state) {
    tFull += PaintAfterRange(*c, 0, 1);
    tZoom += PaintAfterRange(*c, 0.4995, 0.5005);
    const auto t0 = Clock::now();
    empty->Paint();
    tf += Seconds(t0, Clock::now());
  }
  const double n = double(state.iterations());
  state.counters["full_ms"] = tFull / n * 1e3;
  state.counters["zoomed_ms"] = tZoom / n * 1e3;
  state.counters["axes_floor_ms"] = tf / n * 1e3;
  state.counters["full_frames"] = tFull / n / (1.0 / 60);
  state.counters["zoomed_frames"] = tZoom / n / (1.0 / 60);
  state.counters["bytes_per_vertex"] = double(c->DataItems().StorageBytes()) / double(kTotal);
}
BENCHMARK(BM_Lines1e8)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
