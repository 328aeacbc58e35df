// Ranges of TCustomDEvari: setting and forcing world rectangles, joint
// layers, confinement, automatic ranging, the isometric rule and the zoom
// history.
#include <algorithm>
#include <cmath>

#include "devari/axislayers_p.h"
#include "devari/devari.h"
#include "devari/jointlayers.h"
#include "platform/update.h"

namespace kvo {

namespace {

constexpr long double kLogFloor = 1e-100L;

bool ValidLayer(std::int32_t l) noexcept { return l == 1 || l == 2; }

// Equal ends are pulled apart: by the factor 1.1 on a logarithmic axis, by
// the axis' minimum range on a linear one.
void SeparateEqualEnds(const TScaleProps& p, long double& lo, long double& hi) {
  if (lo != hi) return;
  if (p.Logarithmic()) {
    lo /= 1.1L;
    hi *= 1.1L;
  } else {
    lo -= p.MinRange() / 2;
    hi += p.MinRange() / 2;
  }
}

// The confinement rule for one axis: a pan (shift) keeps the width, a zoom
// (clip) cuts the range at the limit.
void Confine(long double& lo, long double& hi, long double limLo, long double limHi, bool shift) {
  const long double d = hi - lo;
  if (lo < limLo) {
    lo = limLo;
    if (shift) hi = limLo + d;
  }
  if (lo > limHi) {
    lo = limHi;
    if (shift) hi = limHi + d;
  }
  if (hi < limLo) {
    hi = limLo;
    if (shift) lo = limLo - d;
  }
  if (hi > limHi) {
    hi = limHi;
    if (shift) lo = limHi - d;
  }
}

// Stores an axis range unless it is narrower than 0.99 MinRange; on a
// logarithmic axis bound by bound above the floor. Ends that are not finite
// as doubles are never stored. Returns whether anything was stored.
bool StoreAxis(TScaleProps& p, long double lo, long double hi) {
  if (p.MinRange() * 0.99L > std::fabs(lo - hi)) return false;
  const double l = double(lo), h = double(hi);
  bool takeLo = std::isfinite(l), takeHi = std::isfinite(h);
  if (p.Logarithmic()) {
    takeLo = takeLo && lo >= kLogFloor;
    takeHi = takeHi && hi >= kLogFloor;
  }
  if (!takeLo && !takeHi) return false;
  p.StoreRange(takeLo ? l : p.RangeLow(), takeHi ? h : p.RangeHigh());
  return true;
}

TRectDouble RectOf(const TScaleProps& x, const TScaleProps& y) noexcept {
  return {x.RangeLow(), y.RangeHigh(), x.RangeHigh(), y.RangeLow()};
}

struct TExtentLD {
  long double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
};

// Margin and minimum-range widening of one axis for automatic ranging of
// all layers (only with a positive margin).
void WidenAxis(long double& lo, long double& hi, double margin, double minRange, bool log) {
  if (!(margin > 0)) return;
  if (log) {
    if (lo > 0 && hi > 0) {
      const long double f = std::pow(hi / lo, margin / 100.0L);
      lo /= f;
      hi *= f;
    }
  } else {
    const long double h = margin / 100.0L * (hi - lo);
    lo -= h;
    hi += h;
  }
  const long double w = std::fabs(hi - lo), c = std::fabs((hi + lo) / 2);
  if (minRange * c / 100 > w) {
    lo -= minRange * c / 100;
    hi += minRange * c / 100;
  }
}

}  // namespace

void TCustomDEvari::ApplyIsometric(long double xLo, long double xHi, long double& yLo,
                                   long double& yHi) const {
  const TChartGeometry g = Geometry();
  const long double dw = g.DataBmpWidth(), dh = g.DataBmpHeight();
  if (dw <= 0 || Fxasp <= 0) return;
  const long double half = (xHi - xLo) * dh / dw * Fyasp / Fxasp / 2;
  const long double c = yLo / 2 + yHi / 2;
  if (!std::isfinite(double(c - half)) || !std::isfinite(double(c + half))) return;
  yLo = c - half;
  yHi = c + half;
}

// ---- Setting and forcing ----------------------------------------------------------------

void TCustomDEvari::SetRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                             long double yHi) {
  if (layer < 0 || layer > 2) return;
  const TPaintBatch batch(*this);
  for (std::int32_t l = 1; l <= 2; ++l)
    if (layer == 0 || layer == l) SetRangeIntern(l, xLo, yLo, xHi, yHi, true, false);
}

void TCustomDEvari::SetRangeIntern(std::int32_t layer, long double xLo, long double yLo,
                                   long double xHi, long double yHi, bool saveState, bool confine) {
  if (!ValidLayer(layer)) return;
  SeparateEqualEnds(FAxes->X(layer), xLo, xHi);
  SeparateEqualEnds(FAxes->Y(layer), yLo, yHi);
  if (FIsometric) ApplyIsometric(xLo, xHi, yLo, yHi);
  ForceRange(layer, xLo, yLo, xHi, yHi, saveState, confine);
}

void TCustomDEvari::ForceRange(std::int32_t layer, long double xLo, long double yLo,
                               long double xHi, long double yHi, bool saveState, bool confine) {
  if (!ValidLayer(layer)) return;
  const TPaintBatch batch(*this);
  if (FJoint->GetControlledLayerX(layer) != layer) {
    xLo = FAxes->X(layer).RangeLow();
    xHi = FAxes->X(layer).RangeHigh();
  }
  if (FJoint->GetControlledLayerY(layer) != layer) {
    yLo = FAxes->Y(layer).RangeLow();
    yHi = FAxes->Y(layer).RangeHigh();
  }
  bool stored = ApplyRange(layer, xLo, yLo, xHi, yHi, confine);
  // The layers that follow this one take their masters' ranges. The history
  // gets one state for all of them, and only when the caller asked for one.
  for (std::int32_t i = 1; i <= 2; ++i) {
    if (i == layer) continue;
    const std::int32_t mx = FJoint->GetControlledLayerX(i), my = FJoint->GetControlledLayerY(i);
    if (mx != layer && my != layer) continue;
    stored |= ApplyRange(i, FAxes->X(mx).RangeLow(), FAxes->Y(my).RangeLow(),
                         FAxes->X(mx).RangeHigh(), FAxes->Y(my).RangeHigh(), false);
  }
  if (saveState && stored) ZoomStateOnStack();
}

void TCustomDEvari::ForceRngIntern(std::int32_t layer, long double xLo, long double yLo,
                                   long double xHi, long double yHi, bool saveState, bool confine) {
  if (ApplyRange(layer, xLo, yLo, xHi, yHi, confine) && saveState) ZoomStateOnStack();
}

bool TCustomDEvari::ApplyRange(std::int32_t layer, long double xLo, long double yLo,
                               long double xHi, long double yHi, bool confine) {
  if (!ValidLayer(layer)) return false;
  if (confine && std::any_of(FZoomRange.begin(), FZoomRange.end(), [](long double v) { return v != 0; })) {
    const bool panX = FMouseAction == mamPan || FMouseAction == mamPanHoriz || FMouseAction == mamPanGrid;
    const bool panY = FMouseAction == mamPan || FMouseAction == mamPanVert || FMouseAction == mamPanGrid;
    Confine(xLo, xHi, FZoomRange[0], FZoomRange[2], panX);
    Confine(yLo, yHi, FZoomRange[1], FZoomRange[3], panY);
  }
  const bool storedX = StoreAxis(FAxes->X(layer), xLo, xHi);
  const bool storedY = StoreAxis(FAxes->Y(layer), yLo, yHi);
  SetScaleProps(FAxes->ScaleX(layer), FAxes->X(layer));
  SetScaleProps(FAxes->ScaleY(layer), FAxes->Y(layer));
  AdjustScaling();
  return storedX || storedY;
}

void TCustomDEvari::ConfineZoomRange(double xLo, double yLo, double xHi, double yHi) {
  FZoomRange = {xLo, yLo, xHi, yHi};
}

// ---- Equal ranges --------------------------------------------------------------------------

namespace {
enum class TAxes { Both, XOnly, YOnly };
}

static void EqualRanges(TCustomDEvari& c, TLayerSet layers, TAxes which) {
  long double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  bool any = false;
  for (std::int32_t l = 1; l <= 2; ++l) {
    if (!layers.Contains(TLayer(l))) continue;
    const TScaleProps& x = c.GetScalePropsX(l);
    const TScaleProps& y = c.GetScalePropsY(l);
    if (!any) {
      xmin = x.RangeLow(), xmax = x.RangeHigh(), ymin = y.RangeLow(), ymax = y.RangeHigh();
      any = true;
    }
    xmin = std::min<long double>(xmin, x.RangeLow());
    xmax = std::max<long double>(xmax, x.RangeHigh());
    ymin = std::min<long double>(ymin, y.RangeLow());
    ymax = std::max<long double>(ymax, y.RangeHigh());
  }
  if (!any) return;
  const TPaintBatch batch(c);
  for (std::int32_t l = 1; l <= 2; ++l) {
    if (!layers.Contains(TLayer(l))) continue;
    const TScaleProps& x = c.GetScalePropsX(l);
    const TScaleProps& y = c.GetScalePropsY(l);
    const bool setX = which != TAxes::YOnly, setY = which != TAxes::XOnly;
    c.SetRangeIntern(l, setX ? xmin : x.RangeLow(), setY ? ymin : y.RangeLow(),
                     setX ? xmax : x.RangeHigh(), setY ? ymax : y.RangeHigh(), true, false);
  }
}

void TCustomDEvari::SetEqualRange(TLayerSet layers) { EqualRanges(*this, layers, TAxes::Both); }
void TCustomDEvari::SetEqualRangeXOnly(TLayerSet layers) { EqualRanges(*this, layers, TAxes::XOnly); }
void TCustomDEvari::SetEqualRangeYOnly(TLayerSet layers) { EqualRanges(*this, layers, TAxes::YOnly); }

// ---- Automatic ranging -------------------------------------------------------------------

void TCustomDEvari::AutoRangeAxes(std::int32_t layer, double margin, double minRange, bool x,
                                  bool y) {
  if (layer < 0 || layer > 2) return;
  const TPaintBatch batch(*this);
  if (layer != 0) {
    if (!(x && y)) FIsometric = false;
    double mnx = 0, mny = 0, mxx = 0, mxy = 0;
    LLCalcExtents(layer, margin, minRange, mnx, mny, mxx, mxy);
    long double minX = mnx, minY = mny, maxX = mxx, maxY = mxy;
    if (minX == maxX) minX -= 1, maxX += 1;
    if (minY == maxY) minY -= 1, maxY += 1;
    if (x && y && FIsometric) ApplyIsometric(minX, maxX, minY, maxY);
    const TScaleProps& px = FAxes->X(layer);
    const TScaleProps& py = FAxes->Y(layer);
    ForceRange(layer, x ? minX : px.RangeLow(), y ? minY : py.RangeLow(),
               x ? maxX : px.RangeHigh(), y ? maxY : py.RangeHigh(), true, false);
    return;
  }
  TExtentLD ext[3];
  for (std::int32_t l = 1; l <= 2; ++l) {
    double mnx = 0, mny = 0, mxx = 0, mxy = 0;
    LLCalcExtents(l, 0, 0, mnx, mny, mxx, mxy);
    TExtentLD& e = ext[l];
    e = {mnx, mny, mxx, mxy};
    if (e.MinX == e.MaxX) e.MinX -= 1, e.MaxX += 1;
    if (e.MinY == e.MaxY) e.MinY -= 1, e.MaxY += 1;
    WidenAxis(e.MinX, e.MaxX, margin, minRange, FAxes->X(l).Logarithmic());
    WidenAxis(e.MinY, e.MaxY, margin, minRange, FAxes->Y(l).Logarithmic());
  }
  for (std::int32_t l = 1; l <= 2; ++l) {
    const TExtentLD& ex = ext[FJoint->GetControlledLayerX(l)];
    const TExtentLD& ey = ext[FJoint->GetControlledLayerY(l)];
    const TScaleProps& px = FAxes->X(l);
    const TScaleProps& py = FAxes->Y(l);
    ForceRngIntern(l, x ? ex.MinX : px.RangeLow(), y ? ey.MinY : py.RangeLow(),
                   x ? ex.MaxX : px.RangeHigh(), y ? ey.MaxY : py.RangeHigh(), false, true);
  }
}

void TCustomDEvari::AutoRange(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, true, true);
}
void TCustomDEvari::AutoRangeXOnly(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, true, false);
}
void TCustomDEvari::AutoRangeYOnly(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, false, true);
}

// ---- Zoom history ---------------------------------------------------------------------------

void TCustomDEvari::ZoomStateOnStack() {
  if (Loading()) return;
  FZoom.Save(RectOf(FAxes->X(1), FAxes->Y(1)), RectOf(FAxes->X(2), FAxes->Y(2)));
}

void TCustomDEvari::ClearZoomHistory() {
  FZoom.Clear();
  ZoomStateOnStack();
}

void TCustomDEvari::ZoomHistory(std::int32_t index) {
  if (index < -(TZoomHistory::Depth - 1) || index > 0) return;
  const TPaintBatch batch(*this);
  for (std::int32_t l = 1; l <= 2; ++l) {
    const TRectDouble e = FZoom.Entry(l, index);
    if (e == TRectDouble{}) continue;
    ForceRange(l, e.Left, e.Bottom, e.Right, e.Top, false, false);
  }
}

TRectDouble TCustomDEvari::GetZoomStackEntry(std::int32_t layer, std::int32_t stackIx) const noexcept {
  return FZoom.Entry(layer, stackIx);
}

// ---- Isometric rule, joint layers, events ---------------------------------------------------

void TCustomDEvari::SetIsoMetric(bool v) {
  if (v == FIsometric) return;
  FIsometric = v;
  if (!v) return;
  const TPaintBatch batch(*this);
  for (std::int32_t l = 1; l <= 2; ++l) {
    TScaleProps& y = FAxes->Y(l);
    long double lo = y.RangeLow(), hi = y.RangeHigh();
    ApplyIsometric(FAxes->X(l).RangeLow(), FAxes->X(l).RangeHigh(), lo, hi);
    y.SetRangeHigh(double(hi));
    y.SetRangeLow(double(lo));
  }
  ZoomStateOnStack();
}

void TCustomDEvari::SetJointLayers(const TJointLayers& v) {
  if (&v == FJoint.get()) return;
  // Through the setters, so that a new master's range is copied at once.
  const TPaintBatch batch(*this);
  for (std::int32_t l = 1; l <= 2; ++l) {
    FJoint->SetControlledLayerX(l, l);
    FJoint->SetControlledLayerY(l, l);
  }
  for (std::int32_t l = 1; l <= 2; ++l) {
    if (v.GetControlledLayerX(l) != l) FJoint->SetControlledLayerX(l, v.GetControlledLayerX(l));
    if (v.GetControlledLayerY(l) != l) FJoint->SetControlledLayerY(l, v.GetControlledLayerY(l));
  }
}

void TCustomDEvari::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

}  // namespace kvo
