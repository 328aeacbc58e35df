// The pieces of TItemRenderer::DrawLineRun: an axis mapping in double that
// gives exactly the pixel of the extended-precision mapping the renderer
// uses for single items, and a polyline reducer that drops the vertices
// which cannot change a pixel of a 1-pixel aliased line.
#pragma once

#include "../platform/export.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "devari/chartitem.h"
#include "devari/transform.h"
#include "platform/canvas.h"

namespace kvo {

// World value to clamped pixel of one axis of one layer, with the result of
// TItemRenderer's world conversion: ClampPixel(MapX/MapY + offset).
//
// The value is mapped in double with the layer's parameters rounded to
// double; the result is taken when it lies farther from a rounding boundary
// (a half pixel) than the error bound of the double evaluation plus the
// error of the extended-precision reference, else the reference is
// computed. Error bound: with u = 2^-53, rounding k and d to double, the
// product, the sum (or one fused step) and the reference's own roundings
// (2^-64 each) stay below (|k v| + |d|) * 4u; the test uses 16u (32u for
// logarithmic axes, whose double and long double logarithms each err by
// about one unit in the last place), so a taken result always equals the
// reference.
class KVO_API TAxisMapper {
public:
  TAxisMapper(const TLayerTransforms& tf, std::int32_t layer, bool isX, std::int64_t offset) noexcept;

  std::int32_t operator()(double v) const noexcept {
    double t, mag;
    if (!FLog) {
      const double kv = Fk * v;
      t = kv + Fd;
      mag = std::fabs(kv) + FAbsD;
    } else {
      if (!(v > 1e-100)) return Exact(v);
      const double kv = Fk * std::log(v);
      t = kv + Fd;
      mag = std::fabs(kv) + FAbsD;
    }
    if (std::fabs(t) < 1073741824.0) {  // false for NaN and infinities too
      const double r = (t + kRounder) - kRounder;  // halves to even, as rint
      if (std::fabs(t - r) < 0.5 - mag * FErr) return ClampPixel(std::int64_t(r) + FOffset);
    }
    return Exact(v);
  }
  // The reference: the renderer's extended-precision mapping.
  std::int32_t Exact(double v) const noexcept;

  bool Log() const noexcept { return FLog; }
  // Sign of the slope: 1 when pixels grow with the value, -1 when they
  // fall, 0 for a degenerate axis.
  int Direction() const noexcept { return FDir; }

private:
  static constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52
  const TLayerTransforms* FTf;
  int FLayer;
  bool FIsX, FLog;
  int FDir;
  friend class TPointMapper;
  double Fk, Fd, FAbsD, FErr;
  std::int64_t FOffset;
};

// Both axes of a layer: maps vertices in blocks, both coordinates of a
// vertex at once (SSE2) when both axes are linear, with the same results.
class KVO_API TPointMapper {
public:
  TPointMapper(const TLayerTransforms& tf, std::int32_t layer, std::int64_t offX,
               std::int64_t offY) noexcept;
  const TAxisMapper& X() const noexcept { return FX; }
  const TAxisMapper& Y() const noexcept { return FY; }
  TPoint operator()(const TXY& p) const noexcept { return {FX(p.x), FY(p.y)}; }
  // Maps n vertices into out; false when one of them has a NaN coordinate.
  bool Map(const TXY* pts, std::size_t n, TPoint* out) const noexcept;

private:
  TAxisMapper FX, FY;
  bool FLinear;
};

// Takes the vertices of polylines in pixels, one after the other, and draws
// polylines with fewer vertices that set the same pixels on a device that
// draws 1-pixel aliased lines by the GDI rule with a pen mode for which
// drawing a pixel twice equals drawing it once:
//  - a vertex on the pixel of the previous one is dropped (a zero-length
//    segment draws nothing);
//  - consecutive vertices in one pixel column are reduced to the first, the
//    least and greatest row among all but the last, and the last: the
//    full sequence sets every row of the column from the least to the
//    greatest row of all its vertices, except the last vertex's row when no
//    earlier vertex reached it (a segment leaves out its end pixel); the
//    reduced one does the same when an extreme on the last row is visited
//    before the other extreme, and the segments into and out of the column
//    keep their end points;
//  - of consecutive vertices that all lie beyond one edge of the device
//    only the first and the last are kept: no segment between them can
//    reach the device (a segment's pixels lie within its end points' box).
class KVO_API TLineReducer {
public:
  TLineReducer(TCanvas& canvas, std::int32_t width, std::int32_t height);
  ~TLineReducer() { Finish(); }
  TLineReducer(const TLineReducer&) = delete;
  TLineReducer& operator=(const TLineReducer&) = delete;

  // Begins a polyline at p (what was begun before is drawn).
  void Start(TPoint p);
  // The next vertex of the current polyline (after Start).
  void Add(TPoint p) {
    if (p.x == FColX) {
      if (p.y == FLastY) return;
      if (FLastY < FPMin) FPMin = FLastY;
      if (FLastY > FPMax) FPMax = FLastY;
      FLastY = p.y;
      return;
    }
    CloseColumn();
    OpenColumn(p);
  }
  // Draws what is pending.
  void Finish();
  bool Active() const noexcept { return FActive; }
  // Vertices drawn so far (for tests and benchmarks).
  std::size_t Emitted() const noexcept { return FEmitted; }
  // Also appends every polyline drawn to points (its end index to ends),
  // up to limit points; beyond, recording stops and Recorded() is false.
  void Record(std::vector<TPoint>* points, std::vector<std::uint32_t>* ends,
              std::size_t limit) noexcept {
    FRecPoints = points;
    FRecEnds = ends;
    FRecLimit = limit;
  }
  bool Recorded() const noexcept { return FRecPoints != nullptr; }

private:
  void OpenColumn(TPoint p) {
    Cull(p);
    FColX = p.x;
    FLastY = p.y;
    FPMin = INT32_MAX;
    FPMax = INT32_MIN;
  }
  void CloseColumn();
  int Code(TPoint p) const noexcept {
    return (p.x < 0 ? 1 : 0) | (p.x >= FW ? 2 : 0) | (p.y < 0 ? 4 : 0) | (p.y >= FH ? 8 : 0);
  }
  void Cull(TPoint q);
  void Out(TPoint q);
  void Draw();

  TCanvas& FCanvas;
  std::int32_t FW, FH;
  bool FActive = false;
  // Column stage: the column's x, its last row, the extremes of the rows
  // before the last one (INT32_MAX/MIN while there is none).
  std::int32_t FColX = 0, FLastY = 0, FPMin = 0, FPMax = 0;
  // Edge stage: the current stretch of vertices (its first one drawn)
  // shares the outside edges FAnd; FL is its last vertex, not yet drawn
  // when FPending; FPrev the last vertex taken.
  TPoint FPrev{}, FL{};
  int FAnd = 0;
  bool FPending = false;
  std::vector<TPoint> FOut;
  std::size_t FEmitted = 0;
  std::vector<TPoint>* FRecPoints = nullptr;
  std::vector<std::uint32_t>* FRecEnds = nullptr;
  std::size_t FRecLimit = 0;
};

// True when the canvas draws 1-pixel aliased lines straight into pixels by
// the GDI rule (a raster surface at scale 1 without antialiasing) and its
// pen is solid, 1 pixel wide and in a mode for which drawing a pixel twice
// equals drawing it once: then TLineReducer keeps every pixel.
KVO_API bool ReducibleLines(const TCanvas& canvas);

}  // namespace kvo
