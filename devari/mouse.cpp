// The chart's mouse: one state machine for drags in the data area, on the
// axes, and for MouseBox.
#include "devari/mouse_p.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "devari/axislayers_p.h"
#include "devari/chartparts_p.h"
#include "devari/textlabel.h"
#include "platform/host.h"
#include "platform/update.h"
#include "scale/rescale.h"

namespace kvo {

namespace {

bool IsWindowMode(TMouseActMode m) noexcept {
  return m == mamRubberBand || m == mamZoomWindow || m == mamZoomWindowKeepDir || m == mamSelectRect;
}
bool IsPanMode(TMouseActMode m) noexcept {
  return m == mamPan || m == mamPanHoriz || m == mamPanVert || m == mamPanGrid;
}
constexpr std::int32_t kAxisZone = 50;  // pixels across an axis that drag it
constexpr std::size_t kMaxTracePoints = 5000;

// The cursors of the modes (1..4 are the chart's own images).
constexpr TCursor kCurHand = 1, kCurZoomWindow = 2, kCurZoomDrag = 3, kCurZoomKeepDir = 4;

// Pan step of one axis: the anchor range shifted by the mouse's way.
void PanAxis(bool log, double aLo, double aHi, double way, double length, bool up, double& lo,
             double& hi) {
  if (!log) {
    const double d = way * (aHi - aLo) / length;
    lo = up ? aLo + d : aLo - d;
    hi = up ? aHi + d : aHi - d;
  } else {
    const double f = std::exp(std::log(aHi / aLo) * (up ? way : -way) / length);
    lo = aLo * f;
    hi = aHi * f;
  }
}

double Snap(double v, double step, double offset) {
  return step > 0 ? std::trunc(v / step) * step + offset : v;
}

}  // namespace

void TChartMouse::Reset() {
  BoxAbort();
  HideOutline();
  FLButtonWasDown = FWasDblClk = false;
  FAnchorX = FAnchorY = FCornerX = FCornerY = 0;
  FMousePosX = FMousePosY = 0;
  FCHNext = FTLNext = 1;
}

bool TChartMouse::InDataArea(std::int32_t x, std::int32_t y) const noexcept {
  const TChartGeometry g = FChart.Geometry();
  return x >= g.LRim && x <= g.Width - g.RRim - g.Shadow && y >= g.TRim &&
         y <= g.Height - g.BRim - g.Shadow;
}

void TChartMouse::ClampToDataArea(std::int32_t& x, std::int32_t& y) const noexcept {
  const TChartGeometry g = FChart.Geometry();
  x = std::clamp(x, g.LRim, std::max(g.LRim, g.Width - g.RRim - g.Shadow));
  y = std::clamp(y, g.TRim, std::max(g.TRim, g.Height - g.BRim - g.Shadow));
}

void TChartMouse::TakeAnchors(std::int32_t x, std::int32_t y) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    const std::size_t i = std::size_t(l);
    FAnchorScrX[i] = x;
    FAnchorScrY[i] = y;
    FAnchorLoX[i] = FChart.FAxes->X(l).RangeLow();
    FAnchorHiX[i] = FChart.FAxes->X(l).RangeHigh();
    FAnchorLoY[i] = FChart.FAxes->Y(l).RangeLow();
    FAnchorHiY[i] = FChart.FAxes->Y(l).RangeHigh();
  }
}

// ---- Outlines -----------------------------------------------------------------------

void TChartMouse::XorOutline(TOutline kind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                             std::int32_t y2) {
  TCanvas& c = FChart.Canvas();
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Brush().SetStyle(bsClear);
  if (kind == TOutline::Line) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  } else {
    c.Rectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
  }
  c.Pen().SetMode(pmCopy);
  c.Brush().SetStyle(bsSolid);
  FChart.PresentSurface();
}

void TChartMouse::ShowOutline(TOutline kind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                              std::int32_t y2) {
  HideOutline();
  XorOutline(kind, x1, y1, x2, y2);
  FOutlineShown = true;
  FOutlineKind = kind;
  FOutX1 = x1, FOutY1 = y1, FOutX2 = x2, FOutY2 = y2;
}

void TChartMouse::HideOutline() {
  if (!FOutlineShown) return;
  FOutlineShown = false;
  XorOutline(FOutlineKind, FOutX1, FOutY1, FOutX2, FOutY2);
}

// ---- Handlers ------------------------------------------------------------------------

void TChartMouse::Down(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  FChart.TDisplayListControl::MouseDown(button, shift, x, y);
  if (FBoxState == 1) {
    if (button == mbRight) {
      FBoxState = 0;
    } else {
      FBoxX1 = x, FBoxY1 = y, FBoxX2 = x, FBoxY2 = y;
      FBoxState = 2;
    }
  }
  if (IsWindowMode(FChart.FMouseAction) && FZoomState == 0 && button == mbLeft && InDataArea(x, y)) {
    FZoomState = 1;
    FAnchorX = FCornerX = x;
    FAnchorY = FCornerY = y;
  }
}

void TChartMouse::Move(TShiftState shift, std::int32_t x, std::int32_t y) {
  if (FMoveActive) return;  // a handler moved the mouse again
  const TFlagScope moving(FMoveActive);

  FLastX = x, FLastY = y;
  FChart.TDisplayListControl::MouseMove(shift, x, y);
  if (FBoxState == 2) {
    std::int32_t cx = x, cy = y;
    ClampToDataArea(cx, cy);
    ShowOutline(TOutline::Rect, FBoxX1, FBoxY1, cx, cy);
    FBoxX2 = cx, FBoxY2 = cy;
  }
  const bool left = shift.Contains(ssLeft);
  if (left) {
    if (FLButtonWasDown) {
      if (DragAxes(x, y)) FChart.DoZoomPanEvent();
    } else if (FChart.DetectScale(x, y) != 0) {
      TakeAnchors(x, y);
      FLButtonWasDown = true;
    }
  } else {
    FLButtonWasDown = false;
  }

  const TMouseActMode mode = FChart.FMouseAction;
  if (IsPanMode(mode) || mode == mamZoomDrag) {
    if (left) {
      if (!FLButtonWasDown) {
        TakeAnchors(x, y);
        FLButtonWasDown = true;
      } else if (InDataArea(x, y) && FChart.DetectScale(FAnchorScrX[1], FAnchorScrY[1]) == 0) {
        if (mode == mamZoomDrag) ZoomDrag(x, y);
        else Pan(mode, x, y);
      }
    }
  } else if (IsWindowMode(mode)) {
    if (FZoomState == 1) DragWindow(x, y);
  } else if (mode == mamDragCrossHair) {
    if (left) DragCrossHair(x, y);
  } else if (mode == mamDragTextLabel) {
    if (left) DragTextLabel(x, y);
  } else if (mode == mamMouseTrace) {
    if (left && FZoomState == 0) Trace(x, y);
  }

  const bool inChart = InDataArea(x, y);
  double wx = 0, wy = 0;
  FChart.M2R(FChart.ActiveLayer(), x, y, wx, wy);
  if (inChart) FMousePosX = wx, FMousePosY = wy;
  SetCursorFor(x, y);
  if (FChart.OnMouseMoveInChart) FChart.OnMouseMoveInChart(&FChart, inChart, shift, wx, wy);
}

void TChartMouse::Up(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  FLButtonWasDown = false;
  if (FBoxState == 2) {
    HideOutline();
    if (button == mbRight) {
      FBoxState = 0;
    } else {
      ClampToDataArea(x, y);
      FBoxX2 = x, FBoxY2 = y;
      FBoxState = 3;
    }
  }
  const TMouseActMode mode = FChart.FMouseAction;
  if (mode == mamMouseTrace && FChart.FNumMTracePoints > 0)
    FChart.FMTrace[std::size_t(FChart.FNumMTracePoints - 1)].Flags |= 1;
  if (IsWindowMode(mode) && FZoomState == 1) {
    FZoomState = 0;
    FinishWindow(button);
  }
  if (IsPanMode(mode) || mode == mamZoomDrag) FChart.ZoomStateOnStack();
  FChart.TDisplayListControl::MouseUp(button, shift, x, y);
}

void TChartMouse::DoubleClick() {
  FWasDblClk = true;
  const std::int32_t d = FChart.DetectScale(FLastX, FLastY);
  if (d != 0) {
    TScaleProps& p = d > 0 ? static_cast<TScaleProps&>(FChart.FAxes->Y(d))
                           : static_cast<TScaleProps&>(FChart.FAxes->X(-d));
    if (p.MouseAction() == mamPan) p.SetMouseAction(mamStretch);
    else if (p.MouseAction() == mamStretch) p.SetMouseAction(mamPan);
  }
  FChart.TDisplayListControl::DblClick();
}

// ---- Drags ------------------------------------------------------------------------------

bool TChartMouse::DragAxes(std::int32_t x, std::int32_t y) {
  if (FZoomState == 1) return false;
  const TChartGeometry g = FChart.Geometry();
  bool changed = false;
  for (std::int32_t l = 1; l <= 2; ++l) {
    const std::size_t i = std::size_t(l);
    TScalePropsHoriz& px = FChart.FAxes->X(l);
    TScalePropsVert& py = FChart.FAxes->Y(l);
    auto rescale = [&](TScale& s, const TScaleProps& p, double aLo, double aHi, double& lo,
                       double& hi) {
      return Rescale(x, y, FAnchorScrX[i], FAnchorScrY[i], s.Width(), s.Height(), s.MarginLeft(),
                     s.MarginRight(), s.MarginTop(), s.MarginBottom(), aLo, aHi, p.MouseAction(),
                     p.ScaleType(), p.Logarithmic(), p.RangeLow(), p.RangeHigh(), lo, hi);
    };
    if (px.MouseAction() != mamNone && g.LRim < x && x < g.Width - g.RRim) {
      const std::int32_t pos = px.ScalePos();
      const bool zone = px.ScaleType() == stLabelsBelow
                            ? g.Height + pos - g.BRim < y && y < g.Height + pos - g.BRim + kAxisZone
                            : g.TRim - pos - kAxisZone < y && y < g.TRim - pos;
      double lo = 0, hi = 0;
      if (zone && rescale(FChart.ScaleX(l), px, FAnchorLoX[i], FAnchorHiX[i], lo, hi)) {
        FChart.ForceRange(l, lo, py.RangeLow(), hi, py.RangeHigh(), false, true);
        changed = true;
      }
    }
    if (py.MouseAction() != mamNone && g.TRim < y && y < g.Height - g.BRim &&
        FChart.DetectScale(x, y) == l) {
      double lo = 0, hi = 0;
      if (rescale(FChart.ScaleY(l), py, FAnchorLoY[i], FAnchorHiY[i], lo, hi)) {
        FChart.ForceRange(l, px.RangeLow(), lo, px.RangeHigh(), hi, false, true);
        changed = true;
      }
    }
  }
  return changed;
}

void TChartMouse::Pan(TMouseActMode mode, std::int32_t x, std::int32_t y) {
  const TChartGeometry g = FChart.Geometry();
  // One pixel less than the data area: no room, no pan.
  const double dw = double(g.Width) - g.LRim - g.RRim - g.Shadow;
  const double dh = double(g.Height) - g.TRim - g.BRim - g.Shadow;
  if (!(dw > 0) || !(dh > 0)) return;
  {
    const TPaintBatch batch(FChart);
    for (std::int32_t l = 1; l <= 2; ++l) {
      if (!FChart.GetMAffLayer(l)) continue;
      const std::size_t i = std::size_t(l);
      const TScaleProps& px = FChart.FAxes->X(l);
      const TScaleProps& py = FChart.FAxes->Y(l);
      double xlo = px.RangeLow(), xhi = px.RangeHigh(), ylo = py.RangeLow(), yhi = py.RangeHigh();
      const double wayX = x - FAnchorScrX[i], wayY = y - FAnchorScrY[i];
      if (mode == mamPanGrid) {
        if (px.Logarithmic() || py.Logarithmic()) continue;
        const double dx = wayX * (FAnchorHiX[i] - FAnchorLoX[i]) / dw;
        const double dy = wayY * (FAnchorHiY[i] - FAnchorLoY[i]) / dh;
        xlo = Snap(FAnchorLoX[i] - dx, FChart.PanGridDx(), FChart.PanGridOffsX());
        xhi = FAnchorHiX[i] - (FAnchorLoX[i] - xlo);
        ylo = Snap(FAnchorLoY[i] + dy, FChart.PanGridDy(), FChart.PanGridOffsY());
        yhi = FAnchorHiY[i] - (FAnchorLoY[i] - ylo);
      } else {
        if (mode != mamPanVert)
          PanAxis(px.Logarithmic(), FAnchorLoX[i], FAnchorHiX[i], wayX, dw, false, xlo, xhi);
        if (mode != mamPanHoriz)
          PanAxis(py.Logarithmic(), FAnchorLoY[i], FAnchorHiY[i], wayY, dh, true, ylo, yhi);
      }
      FChart.ForceRange(l, xlo, ylo, xhi, yhi, false, true);
    }
  }
  FChart.DoZoomPanEvent();
}

void TChartMouse::ZoomDrag(std::int32_t x, std::int32_t y) {
  const double w = FChart.Width(), h = FChart.Height();
  if (!(w > 0) || !(h > 0)) return;
  {
    const TPaintBatch batch(FChart);
    for (std::int32_t l = 1; l <= 2; ++l) {
      if (!FChart.GetMAffLayer(l)) continue;
      const std::size_t i = std::size_t(l);
      const double kx = 1 - (x - FAnchorScrX[i]) / w;
      const double ky = FChart.Isometric() ? kx : (y - FAnchorScrY[i]) / h + 1;
      if (!(kx > 0) || !(ky > 0)) continue;  // past the centre: no range
      const double cx = (FAnchorLoX[i] + FAnchorHiX[i]) / 2, hx = (FAnchorHiX[i] - FAnchorLoX[i]) * kx / 2;
      const double cy = (FAnchorLoY[i] + FAnchorHiY[i]) / 2, hy = (FAnchorHiY[i] - FAnchorLoY[i]) * ky / 2;
      FChart.ForceRange(l, cx - hx, cy - hy, cx + hx, cy + hy, false, true);
    }
  }
  FChart.DoZoomPanEvent();
}

void TChartMouse::DragWindow(std::int32_t x, std::int32_t y) {
  const TMouseActMode mode = FChart.FMouseAction;
  std::int32_t cx = x, cy = y;
  ClampToDataArea(cx, cy);
  if (mode != mamRubberBand && mode != mamSelectRect && FChart.Isometric()) {
    const std::int32_t dx = cx - FAnchorX;
    cy = (std::int64_t(y) - FAnchorY) * dx <= 0 ? FAnchorY - dx : FAnchorY + dx;
    ClampToDataArea(cx, cy);
  }
  ShowOutline(mode == mamRubberBand ? TOutline::Line : TOutline::Rect, FAnchorX, FAnchorY, cx, cy);
  FCornerX = cx, FCornerY = cy;
}

void TChartMouse::FinishWindow(TMouseButton button) {
  // The outline goes first: no ghost lines whatever follows.
  HideOutline();
  if (button != mbLeft) return;
  if (FAnchorX == FCornerX || FAnchorY == FCornerY) return;
  const TMouseActMode mode = FChart.FMouseAction;
  {
    const TPaintBatch batch(FChart);
    for (std::int32_t l = 1; l <= 2; ++l) {
      if (!FChart.GetMAffLayer(l)) continue;
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      FChart.M2R(l, FAnchorX, FAnchorY, x1, y1);
      FChart.M2R(l, FCornerX, FCornerY, x2, y2);
      if (mode == mamZoomWindowKeepDir || mode == mamSelectRect) {
        const TScaleProps& px = FChart.FAxes->X(l);
        const TScaleProps& py = FChart.FAxes->Y(l);
        if ((x1 > x2) == (px.RangeLow() < px.RangeHigh())) std::swap(x1, x2);
        if ((y1 > y2) == (py.RangeLow() < py.RangeHigh())) std::swap(y1, y2);
      }
      if (mode == mamRubberBand) {
        if (FChart.OnRubberBand) FChart.OnRubberBand(&FChart, l, x1, y1, x2, y2);
      } else if (mode == mamSelectRect) {
        if (FChart.OnSelectRect) FChart.OnSelectRect(&FChart, l, x1, y1, x2, y2);
      } else {
        FChart.ForceRange(l, x1, y1, x2, y2, true, false);
      }
    }
    FChart.DoZoomPanEvent();
  }
}

void TChartMouse::DragCrossHair(std::int32_t x, std::int32_t y) {
  if (!InDataArea(x, y)) return;
  if (!FLButtonWasDown) {
    double best = -1;
    std::int32_t winner = 1, wx = 0, wy = 0;
    for (std::int32_t k = 1; k <= 4; ++k) {
      const TCrossHair& ch = FChart.CrossHair(k);
      const int m = ch.Mode();
      if (m == chOff) continue;
      std::int32_t cx = 0, cy = 0;
      FChart.R2M(ch.Layer(), ch.PosX(), ch.PosY(), cx, cy);
      auto take = [&](double d) {
        if (best < 0 || d < best) best = d, winner = k, wx = cx, wy = cy;
      };
      if (m >= chVert) take(double(cx - x) * (cx - x));
      if (m == chHoriz || m >= chBoth) take(double(cy - y) * (cy - y));
    }
    if (best < 0) FChart.R2M(FChart.CrossHair(1).Layer(), FChart.CrossHair(1).PosX(),
                             FChart.CrossHair(1).PosY(), wx, wy);
    FCHNext = winner;
    if (FChart.OnBeforeCrossHairMove) {
      bool allow = true;
      FChart.OnBeforeCrossHairMove(&FChart, winner, x - wx, y - wy, allow);
      if (!allow) return;
    }
    TakeAnchors(x, y);
    FLButtonWasDown = true;
    return;
  }
  double wx = 0, wy = 0;
  FChart.M2R(FChart.CrossHair(FCHNext).Layer(), x, y, wx, wy);
  FChart.CrossHairSetPos(FCHNext, wx, wy);
  if (FChart.OnCrossHairMove) FChart.OnCrossHairMove(&FChart, FCHNext);
}

void TChartMouse::DragTextLabel(std::int32_t x, std::int32_t y) {
  auto worldX = [](const TTextLabel& lb) { return lb.AttachToData() == tlaWorldX || lb.AttachToData() == tlaWorld; };
  auto worldY = [](const TTextLabel& lb) { return lb.AttachToData() == tlaWorldY || lb.AttachToData() == tlaWorld; };
  if (!FLButtonWasDown) {
    TakeAnchors(x, y);
    double best = -1;
    FTLNext = 1;
    for (std::int32_t n = 1; n <= TTextLabelTable::Count; ++n) {
      const TTextLabel& lb = *FChart.FParts->TextLabels.At(n);
      if (!lb.Visible() || lb.Mode() == tlmFree) continue;
      std::int32_t mx = 0, my = 0;
      FChart.R2M(lb.Layer(), lb.PosX(), lb.PosY(), mx, my);
      const double lx = worldX(lb) ? mx : lb.PosX(), ly = worldY(lb) ? my : lb.PosY();
      const double d = (lx - x) * (lx - x) + (ly - y) * (ly - y);
      if (best < 0 || d < best) best = d, FTLNext = n;
    }
    FLButtonWasDown = true;
    return;
  }
  TTextLabel& lb = *FChart.FParts->TextLabels.At(FTLNext);
  double wx = 0, wy = 0;
  FChart.M2R(lb.Layer(), x, y, wx, wy);
  {
    const TPaintBatch batch(FChart);
    lb.SetPosX(worldX(lb) ? wx : double(x));
    lb.SetPosY(worldY(lb) ? wy : double(y));
  }
  if (FChart.OnTextLabelMove) FChart.OnTextLabelMove(&FChart, FTLNext);
}

void TChartMouse::Trace(std::int32_t x, std::int32_t y) {
  ClampToDataArea(x, y);
  std::vector<TColoredPoint>& trace = FChart.FMTrace;
  std::int32_t& n = FChart.FNumMTracePoints;
  if (std::size_t(n) >= std::min(trace.size(), kMaxTracePoints)) return;
  TColoredPoint p;
  FChart.M2R(FChart.ActiveLayer(), x, y, p.X, p.Y);
  p.Color = FChart.MouseTraceColor();
  p.Flags = FChart.MouseTraceInvert() ? 2 : 0;
  trace[std::size_t(n++)] = p;
  if (n < 2 || (trace[std::size_t(n - 2)].Flags & 1)) return;
  const TColoredPoint& prev = trace[std::size_t(n - 2)];
  std::int32_t px = 0, py = 0;
  FChart.R2M(FChart.ActiveLayer(), prev.X, prev.Y, px, py);
  TCanvas& c = FChart.Canvas();
  c.Pen().SetMode(FChart.MouseTraceInvert() ? pmXor : pmCopy);
  c.Pen().SetColor(p.Color);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.MoveTo(px, py);
  c.LineTo(x, y);
  c.Pen().SetMode(pmCopy);
  FChart.PresentSurface();
}

void TChartMouse::SetCursorFor(std::int32_t x, std::int32_t y) {
  if (!InDataArea(x, y) || FChart.MouseCursorFixed()) {
    FChart.SetCursor(crDefault);
    return;
  }
  switch (FChart.FMouseAction) {
    case mamNone: FChart.SetCursor(crCross); break;
    case mamPan:
    case mamPanHoriz:
    case mamPanVert:
    case mamPanGrid: FChart.SetCursor(kCurHand); break;
    case mamZoomWindow: FChart.SetCursor(kCurZoomWindow); break;
    case mamZoomWindowKeepDir: FChart.SetCursor(kCurZoomKeepDir); break;
    case mamZoomDrag: FChart.SetCursor(kCurZoomDrag); break;
    case mamRubberBand:
    case mamDragCrossHair:
    case mamDragTextLabel:
    case mamSelectRect: FChart.SetCursor(crDefault); break;
    default: break;  // the cursor stays as it is
  }
}

// ---- Wheel and keys ---------------------------------------------------------------------

void TChartMouse::ZoomAbout(std::int32_t x, std::int32_t y, double f) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    if (!FChart.GetMAffLayer(l)) continue;
    const TScaleProps& px = FChart.FAxes->X(l);
    const TScaleProps& py = FChart.FAxes->Y(l);
    double wx = 0, wy = 0;
    FChart.M2R(l, x, y, wx, wy);
    auto scale = [f](const TScaleProps& p, double w, double& lo, double& hi) {
      lo = p.RangeLow(), hi = p.RangeHigh();
      if (!std::isfinite(w)) return;
      if (p.Logarithmic()) {
        if (!(w > 0) || !(lo > 0) || !(hi > 0)) return;
        lo = w * std::pow(lo / w, f);
        hi = w * std::pow(hi / w, f);
      } else {
        lo = w - (w - lo) * f;
        hi = w + (hi - w) * f;
      }
    };
    double xlo, xhi, ylo, yhi;
    scale(px, wx, xlo, xhi);
    scale(py, wy, ylo, yhi);
    FChart.ForceRange(l, xlo, ylo, xhi, yhi, false, true);
  }
}

void TChartMouse::PanBy(double fx, double fy) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    if (!FChart.GetMAffLayer(l)) continue;
    auto shift = [](const TScaleProps& p, double frac, double& lo, double& hi) {
      lo = p.RangeLow(), hi = p.RangeHigh();
      if (frac == 0) return;
      if (p.Logarithmic()) {
        if (!(lo > 0) || !(hi > 0)) return;
        const double k = std::pow(hi / lo, frac);
        lo *= k, hi *= k;
      } else {
        const double d = (hi - lo) * frac;
        lo += d, hi += d;
      }
    };
    double xlo, xhi, ylo, yhi;
    shift(FChart.FAxes->X(l), fx, xlo, xhi);
    shift(FChart.FAxes->Y(l), fy, ylo, yhi);
    FChart.ForceRange(l, xlo, ylo, xhi, yhi, false, true);
  }
}

bool TChartMouse::Wheel(TShiftState, std::int32_t delta, std::int32_t x, std::int32_t y) {
  if (!FChart.WheelZoom() || delta == 0 || !InDataArea(x, y)) return false;
  // Notches within a short time of each other, with nothing saved in
  // between, are one burst: one history state.
  const auto now = std::chrono::steady_clock::now();
  const bool sameBurst = FWheelWritePos == FChart.ZoomStack().WritePosition() &&
                         now - FLastWheel < std::chrono::milliseconds(600);
  {
    const TPaintBatch batch(FChart);
    ZoomAbout(x, y, std::pow(0.8, double(delta) / kWheelDelta));  // away from the user zooms in
    const TRectDouble r1{FChart.FAxes->X(1).RangeLow(), FChart.FAxes->Y(1).RangeHigh(),
                         FChart.FAxes->X(1).RangeHigh(), FChart.FAxes->Y(1).RangeLow()};
    const TRectDouble r2{FChart.FAxes->X(2).RangeLow(), FChart.FAxes->Y(2).RangeHigh(),
                         FChart.FAxes->X(2).RangeHigh(), FChart.FAxes->Y(2).RangeLow()};
    if (sameBurst) FChart.FZoom.ReplaceLast(r1, r2);
    else FChart.ZoomStateOnStack();
  }
  FLastWheel = now;
  FWheelWritePos = FChart.ZoomStack().WritePosition();
  FChart.DoZoomPanEvent();
  return true;
}

bool TChartMouse::Key(std::uint16_t key, TShiftState) {
  if (!FChart.KeyNavigation()) return false;
  {
    const TPaintBatch batch(FChart);
    switch (key) {
      case vkLeft: PanBy(-0.1, 0); break;
      case vkRight: PanBy(0.1, 0); break;
      case vkUp: PanBy(0, 0.1); break;
      case vkDown: PanBy(0, -0.1); break;
      case vkAdd:
      case vkSubtract: {
        const TChartGeometry g = FChart.Geometry();
        ZoomAbout((g.LRim + g.Width - g.RRim - g.Shadow) / 2, (g.TRim + g.Height - g.BRim - g.Shadow) / 2,
                  key == vkAdd ? 0.8 : 1.25);
        break;
      }
      case vkHome: FChart.AutoRange(0, 0); break;
      case vkBack: {
        // Backspace steps back one saved state per press until something
        // new is saved.
        if (FBackWritePos != FChart.ZoomStack().WritePosition()) FHistoryStep = 0;
        const std::int32_t step = std::max(FHistoryStep - 1, -(TZoomHistory::Depth - 1));
        if (FChart.GetZoomStackEntry(1, step) == TRectDouble{} &&
            FChart.GetZoomStackEntry(2, step) == TRectDouble{})
          return true;
        FHistoryStep = step;
        FChart.ZoomHistory(step);
        FBackWritePos = FChart.ZoomStack().WritePosition();
        return true;
      }
      default: return false;
    }
    FChart.ZoomStateOnStack();
  }
  FChart.DoZoomPanEvent();
  return true;
}

// ---- MouseBox ---------------------------------------------------------------------------

bool TChartMouse::Box(double& xLo, double& yLo, double& xHi, double& yHi) {
  // A nested call (from a handler running while an outer box waits) must not
  // take over the outer one.
  if (FBoxState != 0) return false;
  // Without a source of messages nothing could ever finish the box.
  if (&Host() == &HeadlessHost() && !HeadlessHost().OnProcessMessages) return false;
  const std::shared_ptr<bool> alive = FAlive;
  FBoxState = 1;
  while (*alive && (FBoxState == 1 || FBoxState == 2)) {
    if (!FChart.Visible() || Host().Terminated()) {
      BoxAbort();
      break;
    }
    Host().ProcessMessages();
  }
  if (!*alive) return false;  // the chart went away while we waited
  const bool done = FBoxState == 3;
  if (done) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    FChart.M2R(FChart.ActiveLayer(), FBoxX1, FBoxY1, x1, y1);
    FChart.M2R(FChart.ActiveLayer(), FBoxX2, FBoxY2, x2, y2);
    xLo = std::min(x1, x2), xHi = std::max(x1, x2);
    yLo = std::min(y1, y2), yHi = std::max(y1, y2);
  }
  FBoxState = 0;
  return done;
}

void TChartMouse::BoxAbort() noexcept {
  if (FBoxState == 2 || FZoomState == 1) {
    try {
      HideOutline();
    } catch (...) {
    }
  }
  FBoxState = 0;
  FZoomState = 0;
}

void TChartMouse::Release() noexcept {
  *FAlive = false;
  FBoxState = 0;
  FZoomState = 0;
}

}  // namespace kvo
