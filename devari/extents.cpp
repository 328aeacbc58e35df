#include "devari/extents_p.h"

#include <algorithm>
#include <cmath>

#include "libs/univconst.h"

namespace kvo {

namespace {

bool TwoPointKind(TrcItem k) {
  switch (k) {
    case tkLine:
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
    case tkArrow:
    case tkDoubleArrow:
    case tkLineOffs: return true;
    default: return false;
  }
}

bool RelPixKind(TrcItem k) { return k == tkMoveRelPix || k == tkLineRelPix; }

struct TAccum {
  TExtent E{uc_MaxDouble, uc_MaxDouble, -uc_MaxDouble, -uc_MaxDouble};
  void MinX(double v) { if (v < E.MinX) E.MinX = v; }  // NaN never compares: skipped
  void MaxX(double v) { if (v > E.MaxX) E.MaxX = v; }
  void MinY(double v) { if (v < E.MinY) E.MinY = v; }
  void MaxY(double v) { if (v > E.MaxY) E.MaxY = v; }
  void X(double v) { MinX(v); MaxX(v); }
  void Y(double v) { MinY(v); MaxY(v); }
};

void Widen(double& lo, double& hi, double marginPct, double minSpanPct, bool log) {
  if (log) {
    if (hi > 0) {
      const double r = lo > 0 ? std::log(hi / lo) : std::log(hi);
      lo *= std::exp(-r * marginPct / 100);
      hi *= std::exp(r * marginPct / 100);
    }
  } else {
    const double d = marginPct / 100 * (hi - lo);
    lo -= d;
    hi += d;
  }
  // Measured from the centre's size: a negative centre widens as well.
  const double s = minSpanPct / 100 * std::fabs((lo + hi) / 2);
  if (std::fabs(hi - lo) < s) {
    lo -= s;
    hi += s;
  }
}

void AccumExtents(TAccum& a, bool& any, std::span<const TrcChartItem> items, std::int32_t layer) {
  for (const TrcChartItem& it : items) {
    if (it.Layer != layer) continue;
    any = true;
    const TrcItem k = it.ItemKind;
    if (!RelPixKind(k)) {
      a.X(it.x);
      a.Y(it.y);
    }
    if (TwoPointKind(k)) {
      a.X(it.x2);
      a.Y(it.y2);
    } else if (k == tkEllipse || k == tkArc) {
      a.MinX(it.x - it.x2);
      a.MinY(it.y - it.y2);
      a.MaxX(it.x + it.x2);
      a.MaxY(it.y + it.y2);
    } else if (k == tkMarkEBar) {
      // The bar reaches |x2| (low error) below and |y2| (high error) above
      // its mark, as it is drawn.
      const double l = std::fabs(it.x2), u = std::fabs(it.y2);
      if (it.Param1 != 0) {
        a.MinX(it.x - l);
        a.MaxX(it.x + u);
      } else {
        a.MinY(it.y - l);
        a.MaxY(it.y + u);
      }
    }
  }
}

TExtent FinishExtents(const TAccum& a, bool any, double marginPct, double minSpanPct, bool logX,
                      bool logY) {
  // No item of the layer, or none with a usable coordinate.
  if (!any || a.E.MinX > a.E.MaxX || a.E.MinY > a.E.MaxY) return {0, 0, 0, 0};
  TExtent e = a.E;
  Widen(e.MinX, e.MaxX, marginPct, minSpanPct, logX);
  Widen(e.MinY, e.MaxY, marginPct, minSpanPct, logY);
  return e;
}

void AccumWindow(TAccum& a, std::span<const TrcChartItem> items, std::int32_t layer, double xLow,
                 double yLow, double xHigh, double yHigh) {
  auto inside = [&](double x, double y) { return xLow < x && x < xHigh && yLow < y && y < yHigh; };
  for (const TrcChartItem& it : items) {
    if (layer != 0 && it.Layer != layer) continue;
    if (!RelPixKind(it.ItemKind) && inside(it.x, it.y)) {
      a.X(it.x);
      a.Y(it.y);
    }
    if (TwoPointKind(it.ItemKind) && inside(it.x2, it.y2)) {
      a.X(it.x2);
      a.Y(it.y2);
    }
  }
}

}  // namespace

TExtent CalcExtents(std::span<const TrcChartItem> items, std::int32_t layer, double marginPct,
                    double minSpanPct, bool logX, bool logY) {
  TAccum a;
  bool any = false;
  AccumExtents(a, any, items, layer);
  return FinishExtents(a, any, marginPct, minSpanPct, logX, logY);
}

TExtent CalcExtents(const TRcItemContainer& items, std::int32_t layer, double marginPct,
                    double minSpanPct, bool logX, bool logY) {
  TAccum a;
  bool any = false;
  items.ForEachBlock([&](const TrcChartItem* p, std::size_t n, std::size_t) {
    AccumExtents(a, any, {p, n}, layer);
  });
  return FinishExtents(a, any, marginPct, minSpanPct, logX, logY);
}

TExtent CalcMinMaxInWindow(std::span<const TrcChartItem> items, std::int32_t layer, double xLow,
                           double yLow, double xHigh, double yHigh) {
  TAccum a;
  AccumWindow(a, items, layer, xLow, yLow, xHigh, yHigh);
  return a.E;
}

TExtent CalcMinMaxInWindow(const TRcItemContainer& items, std::int32_t layer, double xLow,
                           double yLow, double xHigh, double yHigh) {
  TAccum a;
  items.ForEachBlock([&](const TrcChartItem* p, std::size_t n, std::size_t) {
    AccumWindow(a, {p, n}, layer, xLow, yLow, xHigh, yHigh);
  });
  return a.E;
}

}  // namespace kvo
