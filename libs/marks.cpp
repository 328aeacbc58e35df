// DrawMarkOnCanvas: the mark symbols. Every symbol is a pixel mask (outline
// pixels in the pen colour, interior pixels in the brush colour) built from
// integer tests that are symmetric in dx and dy, so marks are exact and
// centred on every raster device; the masks are drawn as horizontal runs.
#include <array>
#include <cstdlib>
#include <vector>

#include "libs/kvobase.h"

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
  const TMarkSpec m = SpecOf(markType);
  const std::int32_t h = m.Half;
  const bool drawPen = canvas.Pen().Style() != psClear;
  const bool drawBrush = canvas.Brush().Style() != bsClear;
  const TPenData savedPen = canvas.Pen().Data();
  const TPoint savedPos = canvas.PenPos();
  TPenData pen = savedPen;
  pen.Style = psSolid;
  pen.Width = 1;
  canvas.Pen().SetData(pen);
  for (std::int32_t dy = -h; dy <= h; ++dy) {
    // Runs of equal kind along the row.
    std::int32_t dx = -h;
    while (dx <= h) {
      const std::uint8_t kind = PixelKind(m, dx, dy);
      std::int32_t end = dx;
      while (end + 1 <= h && PixelKind(m, end + 1, dy) == kind) ++end;
      if (kind == 1 && drawPen) {
        canvas.MoveTo(x + dx, y + dy);
        canvas.LineTo(x + end + 1, y + dy);
      } else if (kind == 2 && drawBrush) {
        canvas.FillRect(Rect(x + dx, y + dy, x + end + 1, y + dy + 1));
      }
      dx = end + 1;
    }
  }
  canvas.Pen().SetData(savedPen);
  canvas.SetPenPos(savedPos);
}

}  // namespace kvo
