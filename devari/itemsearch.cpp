#include "devari/itemsearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "libs/math1.h"
#include "libs/univconst.h"
#include "platform/bitmap.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

bool Passes(const TCustomDEvari& c, const TrcChartItem& it, TrcItem kind, std::uint8_t cls,
            bool visible, bool annotation) {
  if (kind == tkNone) return false;
  if (kind == tkNotMoveTo) {
    if (it.ItemKind == tkMoveTo || (annotation && it.ItemKind == tkMoveRelPix)) return false;
  } else if (kind != tkEverything && it.ItemKind != kind) {
    return false;
  }
  if (cls != 255 && it.ItemClass != cls) return false;
  return !visible || c.GetLayerVisib(it.Layer);
}

const double kNothing = std::sqrt(uc_MaxDouble);

bool TwoPointKind(TrcItem k) noexcept {
  return k == tkLine || k == tkRect || k == tkRectFrame || k == tk3DBar || k == tkArrow ||
         k == tkDoubleArrow || k == tkLineOffs;
}

// Angle a inside the arc from start to end (radians, the arc running
// counter-clockwise from start), also for arcs drawn through +-pi.
bool InsideArc(double a, double start, double end) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  if (end < start) end += kTwoPi;
  while (a <= start) a += kTwoPi;
  while (a > start + kTwoPi) a -= kTwoPi;
  return a > start && a < end;
}

// The focal measure of an ellipse (sum of the focal distances less the
// long axis; 0 inside), here in pixels like every other measure.
double EllipseMeasure(double px, double py, double cx, double cy, double a, double b) {
  a = std::fabs(a), b = std::fabs(b);
  const double f = std::sqrt(std::fabs(a * a - b * b));
  double s = 0;
  if (a >= b) s = std::hypot(px - cx - f, py - cy) + std::hypot(px - cx + f, py - cy);
  else s = std::hypot(px - cx, py - cy - f) + std::hypot(px - cx, py - cy + f);
  return std::max(0.0, s - 2 * std::max(a, b));
}

}  // namespace

std::int32_t FindNearestItemReal(const TCustomDEvari& c, double x, double y, TrcItem kind,
                                 std::uint8_t cls, bool visible, double& distance) {
  std::int32_t best = -1;
  double bestD = 0;
  const auto items = c.DataItems().Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TrcChartItem& it = items[i];
    if (!Passes(c, it, kind, cls, visible, false)) continue;
    const double d = (x - it.x) * (x - it.x) + (y - it.y) * (y - it.y);
    if (best < 0 || d < bestD) best = std::int32_t(i), bestD = d;
  }
  distance = best < 0 ? kNothing : std::sqrt(bestD);
  return best;
}

std::int32_t FindNearestItemScreen(const TCustomDEvari& c, double x, double y, TrcItem kind,
                                   std::uint8_t cls, bool visible, double& distance) {
  const std::int32_t layer = c.ActiveLayer();
  std::int32_t mx = 0, my = 0;
  c.R2M(layer, x, y, mx, my);
  std::int32_t best = -1;
  double bestD = 0;
  const auto items = c.DataItems().Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TrcChartItem& it = items[i];
    if (!Passes(c, it, kind, cls, visible, false)) continue;
    std::int32_t ix = 0, iy = 0;
    c.R2M(layer, it.x, it.y, ix, iy);
    const double d = double(ix - mx) * (ix - mx) + double(iy - my) * (iy - my);
    if (best < 0 || d < bestD) best = std::int32_t(i), bestD = d;
  }
  distance = best < 0 ? kNothing : std::sqrt(bestD);
  return best;
}

std::int32_t FindNearestItemAlongAxis(const TCustomDEvari& c, double value, TAxis axis,
                                      TrcItem kind, std::uint8_t cls, bool visible,
                                      double& distance) {
  distance = kNothing;
  if (axis != axX && axis != axY) return -1;
  const std::int32_t layer = c.ActiveLayer();
  std::int32_t tx = 0, ty = 0;
  c.R2M(layer, value, value, tx, ty);
  const std::int32_t target = axis == axX ? tx : ty;
  std::int32_t best = -1;
  double bestD = 0;
  const auto items = c.DataItems().Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TrcChartItem& it = items[i];
    if (!Passes(c, it, kind, cls, visible, false)) continue;
    std::int32_t ix = 0, iy = 0;
    c.R2M(layer, it.x, it.y, ix, iy);
    const double d = std::fabs(double(axis == axX ? ix : iy) - target);
    if (best < 0 || d < bestD) best = std::int32_t(i), bestD = d;
  }
  if (best >= 0) distance = bestD;
  return best;
}

void ConvertToScreenCoords(const TCustomDEvari& c, const TrcChartItem& it, std::int32_t& x1,
                           std::int32_t& y1, std::int32_t& x2, std::int32_t& y2) {
  const TChartGeometry g = c.Geometry();
  auto sx = [&](double v) { return ClampPixel(std::int64_t(Round(v)) + g.LRim); };
  auto sy = [&](double v) { return ClampPixel(std::int64_t(Round(v)) + g.TRim); };
  c.R2M(it.Layer, it.x, it.y, x1, y1);
  c.R2M(it.Layer, it.x2, it.y2, x2, y2);
  switch (it.CoordMode) {
    case cmAllWorld: break;
    case cmAllScreen: x1 = sx(it.x), y1 = sy(it.y), x2 = sx(it.x2), y2 = sy(it.y2); break;
    case cmWorldMainScreenSec: x2 = sx(it.x2), y2 = sy(it.y2); break;
    case cmScreenMainWorldSec: x1 = sx(it.x), y1 = sy(it.y); break;
    case cmXScreenYWorld: x1 = sx(it.x), x2 = sx(it.x2); break;
    case cmXWorldYScreen: y1 = sy(it.y), y2 = sy(it.y2); break;
  }
}

std::int32_t FindNearestAnnoElem(TCustomDEvari& c, double x, double y, TrcItem kind,
                                 std::uint8_t cls, bool visible, double& distance) {
  std::int32_t p0x = 0, p0y = 0;
  c.R2M(c.ActiveLayer(), x, y, p0x, p0y);
  const double px = p0x, py = p0y;
  std::int32_t best = -1;
  double bestS = 0;
  // Indexed afresh every step, items copied: a text handler may change the list.
  for (std::int32_t i = 0; i < c.NumAnnos(); ++i) {
    const TrcChartItem it = c.GetAnnoItem(i);
    if (!Passes(c, it, kind, cls, visible, true)) continue;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ConvertToScreenCoords(c, it, x1, y1, x2, y2);
    double s = -1;
    auto sq = [](double d) { return d * d; };
    switch (it.ItemKind) {
      case tkMarkAt:
      case tkLineto: s = sq(px - x1) + sq(py - y1); break;
      case tkLine:
      case tkArrow:
      case tkDoubleArrow: s = sq(DistanceToSegment(px, py, x1, y1, x2, y2)); break;
      case tkRect:
      case tkRectFrame: s = sq(DistFromRect(px, py, x1, y1, x2, y2)); break;
      case tk3DBar: {
        const double a = it.Param1 * std::numbers::pi / 180;
        const double dx = Round(std::cos(a) * it.Param2), dy = Round(std::sin(a) * it.Param2);
        s = std::min(sq(DistFromRect(px, py, x1, y1, x2, y2)),
                     sq(DistFromRect(px, py, x1 + dx, y1 - dy, x2 + dx, y2 - dy)));
        break;
      }
      case tkText:
      case tkTextOfs: {
        std::string text = c.GetAnnoLongText(i);
        if (c.OnBeforeRenderText) c.OnBeforeRenderText(&c, text, i, true);
        TCanvas& canvas = c.GrafBmp().Canvas();
        canvas.Font().SetSize(it.Param1);
        std::int32_t lineHeight = 0, total = 0, width = 0;
        TCustomDEvari::CalcTextExtents(text, canvas, lineHeight, total, width);
        double bx = x1, by = y1 - lineHeight / 2.0;
        if (it.ItemKind == tkTextOfs) bx += Round(it.x2), by += Round(it.y2);
        const TAlignment al = TAlignment(it.Param3);
        if (al == taRightJustify) bx -= width;
        else if (al == taCenter) bx -= width / 2.0;
        s = sq(DistFromRect(px, py, bx, by, bx + width, by + total));
        break;
      }
      case tkEllipse: {
        std::int32_t ax = 0, ay = 0, cx0 = 0, cy0 = 0;
        c.R2M(it.Layer, it.x + it.x2, it.y + it.y2, ax, ay);
        c.R2M(it.Layer, it.x, it.y, cx0, cy0);
        s = sq(EllipseMeasure(px, py, cx0, cy0, ax - cx0, ay - cy0));
        break;
      }
      case tkRectRelPix:
        s = sq(DistFromRect(px, py, x1 - it.Param1, y1 - it.Param2, x1 + it.Param1, y1 + it.Param2));
        break;
      case tkMarkEBar: {
        const double l = std::fabs(it.x2), u = std::fabs(it.y2);
        std::int32_t ax = 0, ay = 0, bx = 0, by = 0;
        if (it.Param1 != 0) {
          c.R2M(it.Layer, it.x - l, it.y, ax, ay);
          c.R2M(it.Layer, it.x + u, it.y, bx, by);
        } else {
          c.R2M(it.Layer, it.x, it.y - l, ax, ay);
          c.R2M(it.Layer, it.x, it.y + u, bx, by);
        }
        s = sq(DistanceToSegment(px, py, ax, ay, bx, by));
        break;
      }
      case tkLineOffs:
        s = sq(DistanceToSegment(px, py, x1 + it.Param1, y1 + it.Param2, x2 + it.Param1, y2 + it.Param2));
        break;
      case tkArc: {
        const double a = std::atan2(y - it.y, x - it.x);
        if (!InsideArc(a, it.Param1 / 1e8, it.Param2 / 1e8)) break;
        std::int32_t zx = 0, zy = 0, ax = 0, ay = 0;
        c.R2M(it.Layer, 0, 0, zx, zy);
        c.R2M(it.Layer, it.x2, it.y2, ax, ay);
        s = sq(DistFromEllipse(px, py, x1, y1, std::abs(ax - zx), std::abs(ay - zy)));
        break;
      }
      case tkLineRelPixOrig:
        s = sq(DistanceToSegment(px, py, x1, y1, x1 + Round(it.x2), y1 + Round(it.y2)));
        break;
      case tkCursorVert: s = sq(x1 - px); break;
      case tkCursorHoriz: s = sq(y1 - py); break;
      default: break;
    }
    if (s < 0 || std::isnan(s)) continue;
    if (best < 0 || s < bestS) best = i, bestS = s;
  }
  distance = best < 0 ? kNothing : std::sqrt(bestS);
  return best;
}

void MarkAllItems(TCustomDEvari& c, TrcItem kind, std::uint8_t cls) {
  if (cls == 255 || kind == tkNone) return;
  for (std::int32_t i = 0; i < c.NumItems(); ++i) {
    TrcChartItem it = c.GetChartItem(i);
    if (!Passes(c, it, kind, 255, false, false)) continue;
    it.ItemClass = cls;
    c.SetChartItem(i, it);
  }
}

std::int32_t MarkItemsInWindow(TCustomDEvari& c, double x1, double y1, double x2, double y2,
                               TrcItem kind, std::uint8_t cls) {
  if (cls == 255 || kind == tkNone) return 0;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < c.NumItems(); ++i) {
    TrcChartItem it = c.GetChartItem(i);
    if (!Passes(c, it, kind, 255, false, false)) continue;
    if (!(x1 <= it.x && it.x <= x2 && y1 <= it.y && it.y <= y2)) continue;
    it.ItemClass = cls;
    c.SetChartItem(i, it);
    ++n;
  }
  return n;
}

void ScaleItem(TCustomDEvari& c, std::int32_t index, double sx, double ox, double sy, double oy) {
  if (index < 0 || index >= c.NumItems()) return;
  TrcChartItem it = c.GetChartItem(index);
  it.x = sx * it.x + ox;
  it.y = sy * it.y + oy;
  if (TwoPointKind(it.ItemKind)) {
    it.x2 = sx * it.x2 + ox;
    it.y2 = sy * it.y2 + oy;
  }
  c.SetChartItem(index, it);
}

void ScaleAllItems(TCustomDEvari& c, double sx, double ox, double sy, double oy) {
  for (std::int32_t i = 0; i < c.NumItems(); ++i) ScaleItem(c, i, sx, ox, sy, oy);
}

void ScaleSelectedItems(TCustomDEvari& c, double sx, double ox, double sy, double oy,
                        std::uint8_t cls) {
  for (std::int32_t i = 0; i < c.NumItems(); ++i)
    if (c.GetChartItem(i).ItemClass == cls) ScaleItem(c, i, sx, ox, sy, oy);
}

}  // namespace kvo
