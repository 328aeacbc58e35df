// The 3D surface plot: a 100 x 100 surface with colour coding at 800 x 600,
// one full frame and one rotation step (mouse move -> repaint), measured
// against a hand-made Cairo painter of the same cells (one filled and
// outlined path per cell, in the plot's drawing order, on an 800 x 600
// image surface, with and without antialiasing) in the same run.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

#include "plot3d/plot3d.h"

namespace {

using namespace kvo;

// Thread CPU time: on a shared machine wall time mostly measures the others.
double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

constexpr int kN = 100, kW = 800, kH = 600;

std::unique_ptr<TPlot3D> MakePlot() {
  auto p = std::make_unique<TPlot3D>();
  p->SetBounds(0, 0, kW, kH);
  p->HandleNeeded();
  TPlot3D::TUpdate update(*p);
  p->GridMat.Resize(kN, kN);
  p->GridMat.BeginUpdate();
  for (int ix = 1; ix <= kN; ++ix)
    for (int iy = 1; iy <= kN; ++iy) {
      const double x = -3 + 6.0 * (ix - 1) / (kN - 1), y = -3 + 6.0 * (iy - 1) / (kN - 1);
      p->GridMat.SetVal(ix, iy, std::sin(1.3 * x) * std::cos(0.9 * y) * std::exp(-0.05 * (x * x + y * y)));
    }
  p->GridMat.EndUpdate();
  p->SetRange(-3, 3, -3, 3, -1, 1);
  p->SetColorScaleLow(-1);
  p->SetColorScaleHigh(1);
  p->SetColorCodingMode(ccmColorArray);
  p->IsoColors.FillDefault();
  return p;
}

// The peer: the same cells with their colours, straight through Cairo.
struct TCairoPeer {
  std::vector<double> X, Y;           // node pixels, column-major
  std::vector<std::uint32_t> Colour;  // per cell
  cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kW, kH);
  cairo_t* Cr = cairo_create(Surface);

  explicit TCairoPeer(const TPlot3D& p) {
    const TP3Projection proj = p.Projection();
    for (int ix = 1; ix <= kN; ++ix)
      for (int iy = 1; iy <= kN; ++iy) {
        const TVec3 w{GridNodeCoord(ix, kN), GridNodeCoord(iy, kN), p.CalcIntZ(p.GridMat.GetVal(ix, iy))};
        X.push_back(proj.ScreenX(w) + 0.5);
        Y.push_back(proj.ScreenY(w) + 0.5);
      }
    for (int ix = 1; ix < kN; ++ix)
      for (int iy = 1; iy < kN; ++iy) Colour.push_back(p.CalcColorCoding(p.GridMat.GetVal(ix, iy)));
  }
  ~TCairoPeer() {
    cairo_destroy(Cr);
    cairo_surface_destroy(Surface);
  }
  void Draw(bool antialias) {
    cairo_set_antialias(Cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(Cr, 1, 1, 1);
    cairo_paint(Cr);
    cairo_set_line_width(Cr, 1);
    const auto at = [](int ix, int iy) { return std::size_t(ix - 1) * kN + std::size_t(iy - 1); };
    for (int iy = 1; iy < kN; ++iy)
      for (int ix = 1; ix < kN; ++ix) {
        const std::size_t n[4] = {at(ix, iy), at(ix + 1, iy), at(ix + 1, iy + 1), at(ix, iy + 1)};
        cairo_move_to(Cr, X[n[0]], Y[n[0]]);
        for (int j = 1; j < 4; ++j) cairo_line_to(Cr, X[n[j]], Y[n[j]]);
        cairo_close_path(Cr);
        const std::uint32_t c = Colour[std::size_t(ix - 1) * (kN - 1) + (iy - 1)];
        cairo_set_source_rgb(Cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
        cairo_fill_preserve(Cr);
        cairo_set_source_rgb(Cr, 0, 0, 0);
        cairo_stroke(Cr);
      }
    cairo_surface_flush(Surface);
  }
};

void Report(benchmark::State& state, double plot, double peer, double peerAA) {
  const double n = double(state.iterations());
  state.counters["plot3d_ms"] = plot / n * 1e3;
  state.counters["cairo_peer_ms"] = peer / n * 1e3;
  state.counters["cairo_peer_aa_ms"] = peerAA / n * 1e3;
  state.counters["ratio"] = plot / peer;
  state.counters["ratio_aa"] = plot / peerAA;
}

void BM_Plot3DFrame100x100(benchmark::State& state) {
  auto p = MakePlot();
  TCairoPeer peer(*p);
  double tp = 0, tc = 0, ta = 0;
  for (auto _ : state) {
    const double t0 = Now();
    p->Paint();
    const double t1 = Now();
    peer.Draw(false);
    const double t2 = Now();
    peer.Draw(true);
    const double t3 = Now();
    benchmark::DoNotOptimize(p->Surface().Bits());
    tp += t1 - t0;
    tc += t2 - t1;
    ta += t3 - t2;
  }
  Report(state, tp, tc, ta);
}
BENCHMARK(BM_Plot3DFrame100x100)->Unit(benchmark::kMillisecond)->Iterations(40);

// A left-button drag step in the rotate mode: the view turns by a few
// degrees and the plot repaints (as the host's mouse move does).
void BM_Plot3DRotationStep(benchmark::State& state) {
  auto p = MakePlot();
  TCairoPeer peer(*p);
  // The viewer's status line asks for the cell under the mouse on every move.
  std::int32_t cells = 0;
  p->OnMouseMoveOverPlot = [&cells](TObject*, bool over, TShiftState, std::int32_t, std::int32_t) {
    cells += over;
  };
  p->DoMouseMove({}, 400, 300);  // anchor
  int step = 0;
  double tp = 0, tc = 0, ta = 0;
  for (auto _ : state) {
    const int x = 400 - 3 * (1 + step++ % 60);
    const double t0 = Now();
    p->DoMouseMove({ssLeft}, x, 300);
    const double t1 = Now();
    peer.Draw(false);
    const double t2 = Now();
    peer.Draw(true);
    const double t3 = Now();
    benchmark::DoNotOptimize(p->Surface().Bits());
    tp += t1 - t0;
    tc += t2 - t1;
    ta += t3 - t2;
  }
  benchmark::DoNotOptimize(cells);
  Report(state, tp, tc, ta);
}
BENCHMARK(BM_Plot3DRotationStep)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace
