// One rotation step of the 3D viewer at 800 x 600 (angle change, full
// repaint of box, axes and objects): 10^5 points and 10^4 line segments.
// The floors run in the same iteration: the plain loop that projects every
// object with the same integer matrix and writes its pixel (or draws its
// segment with a textbook Bresenham) straight into a cleared bitmap.
// "ratio" is viewer time / floor time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <random>
#include <vector>

#include "bench/floors.h"
#include "platform/bitmap.h"
#include "rot3d/rot3d.h"

namespace {

using namespace kvo;

double Now() {  // thread CPU time: on a shared machine wall time measures the others
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

std::unique_ptr<TRot3D> MakeViewer() {
  auto r = std::make_unique<TRot3D>();
  r->SetBounds(0, 0, 800, 600);
  r->SetMagnification(1.2);
  r->HandleNeeded();  // paints as a shown control does
  return r;
}

void AddCloud(TRot3D& r, int n) {
  std::mt19937 rng(1);
  std::normal_distribution<double> g(0, 1);
  r.SetAllocSize(n);
  const TColor colors[] = {clRed, clBlue, clGreen, clPurple, clOlive};
  for (int i = 0; i < n; ++i) {
    const int c = i * 5 / n;
    r.SetDataCol(colors[c]);
    r.MarkAt(c + 0.5 * g(rng), (c % 2) + 0.5 * g(rng), (c % 3) + 0.5 * g(rng), 0);
  }
}

void AddSegments(TRot3D& r, int n) {
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> u(-1, 1), d(-0.08, 0.08);
  for (int i = 0; i < n; ++i) {
    const double x = u(rng), y = u(rng), z = u(rng);
    r.SetDataCol(i % 2 ? clNavy : clMaroon);
    r.Line(x, y, z, x + d(rng), y + d(rng), z + d(rng));
  }
}

// The floor: project with the viewer's own integer view, clamp into the
// bitmap, write pixels (points) or Bresenham segments (lines).
TPoint Floor(const TRot3DView& v, const TRot3D& r, std::int32_t o) {
  const std::int64_t x = v.ScreenX(r.ObjX(o), r.ObjY(o), r.ObjZ(o));
  const std::int64_t y = v.ScreenY(r.ObjX(o), r.ObjY(o), r.ObjZ(o));
  return {std::int32_t(std::clamp<std::int64_t>(x, 0, 799)),
          std::int32_t(std::clamp<std::int64_t>(y, 0, 599))};
}

struct TObjs {
  std::vector<std::int32_t> X, Y, Z;
  std::vector<std::uint32_t> Prop;
};
TObjs Copy(const TRot3D& r) {
  TObjs t;
  for (std::int32_t o = 0; o < r.NumObjects(); ++o) {
    t.X.push_back(r.ObjX(o));
    t.Y.push_back(r.ObjY(o));
    t.Z.push_back(r.ObjZ(o));
    t.Prop.push_back(r.ObjColor(o) | (std::uint32_t(r.ObjKind(o)) << 24));
  }
  return t;
}

void BM_Rot3DRotatePoints1e5(benchmark::State& state) {
  auto r = MakeViewer();
  AddCloud(*r, 100000);
  r->MakeVisible();
  const TObjs objs = Copy(*r);
  TBitmap floorBmp(800, 600);
  double tv = 0, tf = 0, angle = 0;
  for (auto _ : state) {
    angle += 3;
    const double t0 = Now();
    r->SetViewAngleZ(210 + angle);
    const double t1 = Now();
    floorBmp.Fill(clWhite);
    const TRot3DView& v = r->View();
    TRGB32* bits = floorBmp.Bits();
    for (std::size_t o = 0; o < objs.X.size(); ++o) {
      const std::int64_t x = std::clamp<std::int64_t>(v.ScreenX(objs.X[o], objs.Y[o], objs.Z[o]), 0, 799);
      const std::int64_t y = std::clamp<std::int64_t>(v.ScreenY(objs.X[o], objs.Y[o], objs.Z[o]), 0, 599);
      const std::uint32_t c = objs.Prop[o];
      bits[y * 800 + x] = TRGB32{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 255};
    }
    benchmark::DoNotOptimize(floorBmp.Bits());
    const double t2 = Now();
    tv += t1 - t0;
    tf += t2 - t1;
  }
  const double n = double(state.iterations());
  state.counters["viewer_ms"] = tv / n * 1e3;
  state.counters["floor_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tv / tf;
}
BENCHMARK(BM_Rot3DRotatePoints1e5)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_Rot3DRotateLines1e4(benchmark::State& state) {
  auto r = MakeViewer();
  AddSegments(*r, 10000);
  r->MakeVisible();
  TBitmap floorBmp(800, 600);
  std::vector<TPoint> seg(2);
  double tv = 0, tf = 0, angle = 0;
  for (auto _ : state) {
    angle += 3;
    const double t0 = Now();
    r->SetViewAngleZ(210 + angle);
    const double t1 = Now();
    floorBmp.Fill(clWhite);
    const TRot3DView& v = r->View();
    for (std::int32_t o = 0; o + 1 < r->NumObjects(); o += 2) {
      seg[0] = Floor(v, *r, o);
      seg[1] = Floor(v, *r, o + 1);
      kvo::bench::PlainPolyline(floorBmp, seg, TRGB32{0x80, 0, 0, 255});
    }
    benchmark::DoNotOptimize(floorBmp.Bits());
    const double t2 = Now();
    tv += t1 - t0;
    tf += t2 - t1;
  }
  const double n = double(state.iterations());
  state.counters["viewer_ms"] = tv / n * 1e3;
  state.counters["floor_ms"] = tf / n * 1e3;
  state.counters["ratio"] = tv / tf;
}
BENCHMARK(BM_Rot3DRotateLines1e4)->Unit(benchmark::kMillisecond)->Iterations(30);

// Building the objects from 10^5 items (MakeVisible without the paint).
void BM_Rot3DMakeVisible1e5(benchmark::State& state) {
  TRot3D r;
  AddCloud(r, 100000);
  double t = 0;
  for (auto _ : state) {
    const double t0 = Now();
    r.MakeVisible();
    t += Now() - t0;
  }
  state.counters["build_ms"] = t / double(state.iterations()) * 1e3;
}
BENCHMARK(BM_Rot3DMakeVisible1e5)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
