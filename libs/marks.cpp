// DrawMarkOnCanvas: the mark symbols. Every symbol is a pixel mask (outline
// pixels in the pen colour, interior pixels in the brush colour) built from
// integer tests that are symmetric in dx and dy, so marks are exact and
// centred on every raster device; the masks are drawn as horizontal runs.
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

// True when row holds brush pixels exactly on c..e (not beyond either end).
template <typename Row>
bool SameRun(const Row& row, std::int32_t c, std::int32_t e, std::int32_t n) {
  if (c > 0 && row[std::size_t(c - 1)] == 2) return false;
  if (e + 1 < n && row[std::size_t(e + 1)] == 2) return false;
  for (std::int32_t k = c; k <= e; ++k)
    if (row[std::size_t(k)] != 2) return false;
  return true;
}

using TMask = std::array<std::array<std::uint8_t, 13>, 13>;

// The masks of all marks, built once.
const std::array<TMask, kNumMarkTypes>& Masks() {
  static const std::array<TMask, kNumMarkTypes> masks = [] {
    std::array<TMask, kNumMarkTypes> all{};
    for (int t = 0; t < kNumMarkTypes; ++t) {
      const TMarkSpec m = SpecOf(std::uint8_t(t));
      const std::int32_t h = m.Half, n = 2 * h + 1;
      for (std::int32_t r = 0; r < n; ++r)
        for (std::int32_t c = 0; c < n; ++c)
          all[std::size_t(t)][std::size_t(r)][std::size_t(c)] = PixelKind(m, c - h, r - h);
    }
    return all;
  }();
  return masks;
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
  const TMarkSpec m = SpecOf(markType);
  const std::int32_t h = m.Half, n = 2 * h + 1;
  const bool drawPen = canvas.Pen().Style() != psClear;
  const bool drawBrush = canvas.Brush().Style() != bsClear;
  // The mask, row by row (at most 13 x 13); a working copy, runs get marked.
  TMask kind = Masks()[markType];

  const TPenData savedPen = canvas.Pen().Data();
  const TPoint savedPos = canvas.PenPos();
  TPenData pen = savedPen;
  pen.Style = psSolid;
  pen.Width = 1;
  canvas.Pen().SetData(pen);

  // Interior: runs per row, equal runs of consecutive rows merged into one rectangle.
  if (drawBrush) {
    for (std::int32_t r = 0; r < n; ++r) {
      for (std::int32_t c = 0; c < n;) {
        if (kind[r][c] != 2) { ++c; continue; }
        std::int32_t e = c;
        while (e + 1 < n && kind[r][e + 1] == 2) ++e;
        // Extend downwards while the next row holds exactly this run.
        std::int32_t r2 = r;
        while (r2 + 1 < n && SameRun(kind[std::size_t(r2 + 1)], c, e, n)) ++r2;
        canvas.FillRect(Rect(x + c - h, y + r - h, x + e + 1 - h, y + r2 + 1 - h));
        for (std::int32_t rr = r + 1; rr <= r2; ++rr)
          for (std::int32_t k = c; k <= e; ++k) kind[rr][k] = 3;  // drawn
        c = e + 1;
      }
    }
  }

  // Outline: horizontal runs of two or more pixels, then vertical runs of the
  // pixels left over; every pen pixel is drawn exactly once (XOR-safe).
  if (drawPen) {
    std::array<std::array<bool, 13>, 13> done{};
    for (std::int32_t r = 0; r < n; ++r)
      for (std::int32_t c = 0; c < n;) {
        if (kind[r][c] != 1) { ++c; continue; }
        std::int32_t e = c;
        while (e + 1 < n && kind[r][e + 1] == 1) ++e;
        if (e > c) {
          canvas.MoveTo(x + c - h, y + r - h);
          canvas.LineTo(x + e + 1 - h, y + r - h);
          for (std::int32_t k = c; k <= e; ++k) done[r][k] = true;
        }
        c = e + 1;
      }
    for (std::int32_t c = 0; c < n; ++c)
      for (std::int32_t r = 0; r < n;) {
        if (kind[r][c] != 1 || done[r][c]) { ++r; continue; }
        std::int32_t e = r;
        while (e + 1 < n && kind[e + 1][c] == 1 && !done[e + 1][c]) ++e;
        canvas.MoveTo(x + c - h, y + r - h);
        canvas.LineTo(x + c - h, y + e + 1 - h);
        r = e + 1;
      }
  }
  canvas.Pen().SetData(savedPen);
  canvas.SetPenPos(savedPos);
}

}  // namespace kvo
