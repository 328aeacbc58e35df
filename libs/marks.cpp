// DrawMarkOnCanvas: the mark symbols. Every symbol is a pixel mask (outline
// pixels in the pen colour, interior pixels in the brush colour) built from
// integer tests that are symmetric in dx and dy, so marks are exact and
// centred on every raster device; the masks are drawn as horizontal runs.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "libs/kvobase.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

enum TShape : std::uint8_t {
  shOpenSquare, shFilledSquare, shOpenCircle, shFilledCircle, shOpenDiamond, shFilledDiamond,
  shCross, shPlus, shOpenTriUp, shFilledTriUp, shOpenTriDown, shFilledTriDown, shOpenTriLeft,
  shFilledTriLeft, shOpenTriRight, shFilledTriRight, shPixel, shDot, shStar
};
constexpr int kShapesPerSize = 16;

const char* const kShapeNames[] = {
    "open square", "filled square", "open circle", "filled circle", "open diamond",
    "filled diamond", "cross", "plus", "open triangle up", "filled triangle up",
    "open triangle down", "filled triangle down", "open triangle left", "filled triangle left",
    "open triangle right", "filled triangle right", "pixel", "dot", "star"};

struct TMarkSpec {
  TShape Shape;
  std::int32_t Half;  // half size: the symbol covers -Half..Half in x and y
};

TMarkSpec SpecOf(std::uint8_t m) {
  switch (m) {
    case 0: return {shPixel, 0};
    case 1: return {shDot, 1};
    case 2: return {shStar, 3};
    case 3: return {shStar, 5};
    default: break;
  }
  const int k = m - 4;
  static constexpr std::int32_t kHalves[] = {2, 4, 6};
  return {TShape(k % kShapesPerSize), kHalves[k / kShapesPerSize]};
}

bool Filled(TShape s) {
  switch (s) {
    case shFilledSquare: case shFilledCircle: case shFilledDiamond: case shFilledTriUp:
    case shFilledTriDown: case shFilledTriLeft: case shFilledTriRight:
      return true;
    default:
      return false;
  }
}

// Region test of the closed shapes, in offsets from the centre.
bool Inside(TShape s, std::int32_t h, std::int32_t dx, std::int32_t dy) {
  const std::int32_t ax = std::abs(dx), ay = std::abs(dy);
  if (ax > h || ay > h) return false;
  switch (s) {
    case shOpenSquare: case shFilledSquare: case shDot:
      return true;
    case shOpenCircle: case shFilledCircle:
      return dx * dx + dy * dy <= h * h + h;
    case shOpenDiamond: case shFilledDiamond:
      return ax + ay <= h;
    // Triangles: apex on one side of the box, base on the opposite side; the
    // half width grows by one pixel every two rows (h = 2, 4, 6 end on h).
    case shOpenTriUp: case shFilledTriUp:
      return ax <= (dy + h + 1) / 2;
    case shOpenTriDown: case shFilledTriDown:
      return ax <= (h - dy + 1) / 2;
    case shOpenTriLeft: case shFilledTriLeft:
      return ay <= (dx + h + 1) / 2;
    case shOpenTriRight: case shFilledTriRight:
      return ay <= (h - dx + 1) / 2;
    default:
      return false;
  }
}

// 0 nothing, 1 pen pixel, 2 brush pixel.
std::uint8_t PixelKind(const TMarkSpec& m, std::int32_t dx, std::int32_t dy) {
  const std::int32_t h = m.Half, ax = std::abs(dx), ay = std::abs(dy);
  switch (m.Shape) {
    case shPixel: return dx == 0 && dy == 0 ? 1 : 0;
    case shCross: return ax == ay && ax <= h ? 1 : 0;
    case shPlus: return (dx == 0 && ay <= h) || (dy == 0 && ax <= h) ? 1 : 0;
    case shStar:
      return (ax == ay && ax <= h) || (dx == 0 && ay <= h) || (dy == 0 && ax <= h) ? 1 : 0;
    case shDot: return Inside(m.Shape, h, dx, dy) ? 1 : 0;
    default: break;
  }
  if (!Inside(m.Shape, h, dx, dy)) return 0;
  const bool edge = !Inside(m.Shape, h, dx - 1, dy) || !Inside(m.Shape, h, dx + 1, dy) ||
                    !Inside(m.Shape, h, dx, dy - 1) || !Inside(m.Shape, h, dx, dy + 1);
  if (edge) return 1;
  return Filled(m.Shape) ? 2 : 0;
}

using TMask = std::array<std::array<std::uint8_t, 13>, 13>;

// What DrawMarkOnCanvas issues for one mark type, relative to the centre:
// interior rectangles (rows of equal runs merged) and outline strokes. A
// stroke is a polyline whose segments are horizontal, vertical or exactly
// diagonal, so every device rasterises it to exactly the mask's pixels; it
// ends one step past its last pixel (a polyline leaves out its last vertex),
// and together the strokes set every outline pixel once (XOR-safe).
struct TMarkPlan {
  std::vector<TRect> Fills;
  std::vector<std::vector<TPoint>> Strokes;
  // Every pixel of a filled symbol as merged rectangles: what fills and
  // outlines set together when pen and brush have one colour.
  std::vector<TRect> Solid;
  // The mask as row runs: outline and interior, and the outline alone (for a
  // clear brush); what fills and strokes set on a raster surface.
  std::vector<TPixelSpan> AllSpans, PenSpans;
};
constexpr std::size_t kMaxStrokePoints = 64;

TMask MaskOf(const TMarkSpec& m) {
  TMask k{};
  const std::int32_t h = m.Half, n = 2 * h + 1;
  for (std::int32_t r = 0; r < n; ++r)
    for (std::int32_t c = 0; c < n; ++c)
      k[std::size_t(r)][std::size_t(c)] = PixelKind(m, c - h, r - h);
  return k;
}

void PlanFills(TMask kind, std::int32_t h, TMarkPlan& plan) {
  const std::int32_t n = 2 * h + 1;
  auto at = [&](std::int32_t r, std::int32_t c) -> std::uint8_t& {
    return kind[std::size_t(r)][std::size_t(c)];
  };
  // Brush pixels exactly on c..e of row r (not beyond either end).
  auto sameRun = [&](std::int32_t r, std::int32_t c, std::int32_t e) {
    if (c > 0 && at(r, c - 1) == 2) return false;
    if (e + 1 < n && at(r, e + 1) == 2) return false;
    for (std::int32_t k = c; k <= e; ++k)
      if (at(r, k) != 2) return false;
    return true;
  };
  for (std::int32_t r = 0; r < n; ++r)
    for (std::int32_t c = 0; c < n;) {
      if (at(r, c) != 2) { ++c; continue; }
      std::int32_t e = c;
      while (e + 1 < n && at(r, e + 1) == 2) ++e;
      std::int32_t r2 = r;
      while (r2 + 1 < n && sameRun(r2 + 1, c, e)) ++r2;
      plan.Fills.push_back(Rect(c - h, r - h, e + 1 - h, r2 + 1 - h));
      for (std::int32_t rr = r; rr <= r2; ++rr)
        for (std::int32_t k = c; k <= e; ++k) at(rr, k) = 0;
      c = e + 1;
    }
}

void PlanStrokes(const TMask& kind, std::int32_t h, TMarkPlan& plan) {
  const std::int32_t n = 2 * h + 1;
  std::array<std::array<bool, 13>, 13> todo{};
  for (std::int32_t r = 0; r < n; ++r)
    for (std::int32_t c = 0; c < n; ++c) todo[std::size_t(r)][std::size_t(c)] = kind[std::size_t(r)][std::size_t(c)] == 1;
  auto open = [&](std::int32_t c, std::int32_t r) {
    return c >= 0 && r >= 0 && c < n && r < n && todo[std::size_t(r)][std::size_t(c)];
  };
  // Straight moves before diagonal ones, so sides become long segments.
  static constexpr std::int32_t kDirs[8][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1},
                                               {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (std::int32_t r0 = 0; r0 < n; ++r0)
    for (std::int32_t c0 = 0; c0 < n; ++c0) {
      if (!open(c0, r0)) continue;
      std::vector<TPoint> stroke{Point(c0 - h, r0 - h)};
      todo[std::size_t(r0)][std::size_t(c0)] = false;
      std::int32_t c = c0, r = r0, dc = 1, dr = 0;
      bool moved = false;
      for (;;) {
        // Keep the direction while possible, else take the first open neighbour.
        if (!(moved && open(c + dc, r + dr))) {
          bool found = false;
          for (const auto& d : kDirs)
            if (open(c + d[0], r + d[1])) {
              if (moved) stroke.push_back(Point(c - h, r - h));  // a corner
              dc = d[0];
              dr = d[1];
              found = true;
              break;
            }
          if (!found) break;
        }
        c += dc;
        r += dr;
        todo[std::size_t(r)][std::size_t(c)] = false;
        moved = true;
      }
      stroke.push_back(Point(c + dc - h, r + dr - h));  // one step past the last pixel
      plan.Strokes.push_back(std::move(stroke));
    }
}

void PlanSpans(const TMask& kind, std::int32_t h, TMarkPlan& plan) {
  const std::int32_t n = 2 * h + 1;
  for (std::int32_t r = 0; r < n; ++r)
    for (std::int32_t c = 0; c < n;) {
      const std::uint8_t k = kind[std::size_t(r)][std::size_t(c)];
      std::int32_t e = c + 1;
      while (e < n && kind[std::size_t(r)][std::size_t(e)] == k) ++e;
      if (k != 0) {
        const TPixelSpan span{std::int16_t(r - h), std::int16_t(c - h), std::int16_t(e - h),
                              std::uint8_t(k - 1)};
        plan.AllSpans.push_back(span);
        if (k == 1) plan.PenSpans.push_back(span);
      }
      c = e;
    }
}

const std::array<TMarkPlan, kNumMarkTypes>& Plans() {
  static const std::array<TMarkPlan, kNumMarkTypes> plans = [] {
    std::array<TMarkPlan, kNumMarkTypes> all{};
    for (int t = 0; t < kNumMarkTypes; ++t) {
      const TMarkSpec m = SpecOf(std::uint8_t(t));
      const TMask mask = MaskOf(m);
      PlanSpans(mask, m.Half, all[std::size_t(t)]);
      PlanFills(mask, m.Half, all[std::size_t(t)]);
      PlanStrokes(mask, m.Half, all[std::size_t(t)]);
      if (!all[std::size_t(t)].Fills.empty()) {
        TMask solid = mask;
        for (auto& row : solid)
          for (std::uint8_t& k : row) k = k ? 2 : 0;
        TMarkPlan whole;
        PlanFills(solid, m.Half, whole);
        all[std::size_t(t)].Solid = std::move(whole.Fills);
      }
    }
    return all;
  }();
  return plans;
}

// True when a filled symbol may be drawn as its solid rectangles: pen and
// brush of one colour, a solid brush, a visible pen in copy mode, on the
// raster surface of a bitmap at scale 1 without antialiasing (there fills
// and outline strokes set exactly the mask's pixels, so one fill of all of
// them gives the same picture).
bool OneFill(const TCanvas& canvas) {
  const TPen& pen = canvas.Pen();
  const TBrush& brush = canvas.Brush();
  if (brush.Style() != bsSolid || pen.Style() == psClear || pen.Mode() != pmCopy) return false;
  if (ColorToRGB(pen.Color()) != ColorToRGB(brush.Color())) return false;
  const TDeviceCaps caps = canvas.Caps();
  return caps.RasterOps && caps.PixelRead && caps.Scale == 1.0 && !canvas.Antialias();
}

// True when the mask's pixels may be set straight as spans: a visible pen
// in copy mode, a solid or clear brush, on the raster surface of a bitmap
// at scale 1 without antialiasing (where fills and strokes set exactly the
// mask's pixels).
bool AsSpans(const TCanvas& canvas) {
  const TPen& pen = canvas.Pen();
  const TBrushStyle bs = canvas.Brush().Style();
  if ((bs != bsSolid && bs != bsClear) || pen.Style() == psClear || pen.Mode() != pmCopy) return false;
  const TDeviceCaps caps = canvas.Caps();
  return caps.RasterOps && caps.PixelRead && caps.Scale == 1.0 && !canvas.Antialias();
}

}  // namespace

std::string MarkTypeName(std::uint8_t markType) {
  if (markType >= kNumMarkTypes) return {};
  const TMarkSpec m = SpecOf(markType);
  std::string name = kShapeNames[m.Shape];
  if (m.Shape != shPixel) name += " " + std::to_string(2 * m.Half + 1);
  return name;
}

void DrawMarkOnCanvas(TCanvas& canvas, std::uint8_t markType, std::int32_t x, std::int32_t y) {
  if (markType >= kNumMarkTypes) return;
  // Far outside any device; keeps x + offset in range.
  constexpr std::int32_t kFar = 1 << 30;
  x = ClampToRange(x, -kFar, kFar);
  y = ClampToRange(y, -kFar, kFar);
  const TMarkPlan& plan = Plans()[markType];
  if (AsSpans(canvas)) {
    const auto& spans = canvas.Brush().Style() == bsClear ? plan.PenSpans : plan.AllSpans;
    canvas.Spans(x, y, spans.data(), spans.size());
    return;
  }
  DrawMarkShapes(canvas, markType, x, y);
}

void DrawMarksOnCanvas(TCanvas& canvas, std::uint8_t markType, const TPoint* pts, std::size_t count) {
  if (markType >= kNumMarkTypes || count == 0) return;
  if (!AsSpans(canvas)) {
    for (std::size_t i = 0; i < count; ++i) DrawMarkShapes(canvas, markType, pts[i].x, pts[i].y);
    return;
  }
  const TMarkPlan& plan = Plans()[markType];
  const auto& spans = canvas.Brush().Style() == bsClear ? plan.PenSpans : plan.AllSpans;
  canvas.SpansAt(pts, count, spans.data(), spans.size());
}

void DrawMarkShapes(TCanvas& canvas, std::uint8_t markType, std::int32_t x, std::int32_t y) {
  if (markType >= kNumMarkTypes) return;
  constexpr std::int32_t kFar = 1 << 30;
  x = ClampToRange(x, -kFar, kFar);
  y = ClampToRange(y, -kFar, kFar);
  const TMarkPlan& plan = Plans()[markType];
  if (!plan.Solid.empty() && OneFill(canvas)) {
    for (const TRect& f : plan.Solid)
      canvas.FillRect(Rect(x + f.Left, y + f.Top, x + f.Right, y + f.Bottom));
    return;
  }
  if (canvas.Brush().Style() != bsClear)
    for (const TRect& f : plan.Fills)
      canvas.FillRect(Rect(x + f.Left, y + f.Top, x + f.Right, y + f.Bottom));
  if (canvas.Pen().Style() == psClear) return;
  // Outlines are one pixel wide and solid whatever the pen says.
  const TPenData savedPen = canvas.Pen().Data();
  const bool adjust = savedPen.Style != psSolid || savedPen.Width > 1;
  if (adjust) {
    TPenData pen = savedPen;
    pen.Style = psSolid;
    pen.Width = 1;
    canvas.Pen().SetData(pen);
  }
  std::array<TPoint, kMaxStrokePoints> pts;
  for (const auto& stroke : plan.Strokes) {
    const std::size_t k = std::min(stroke.size(), pts.size());
    for (std::size_t i = 0; i < k; ++i) pts[i] = Point(x + stroke[i].x, y + stroke[i].y);
    canvas.Polyline(pts.data(), k);
  }
  if (adjust) canvas.Pen().SetData(savedPen);
}

}  // namespace kvo
