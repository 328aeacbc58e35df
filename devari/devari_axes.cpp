// Axes, layout and coordinate transforms of TCustomDEvari: the axis layers,
// margins, shadow, caption, standard layouts, tick queries, size changes,
// the world/pixel mapping of both layers, and the start values of the
// chart's own parts.
#include <algorithm>
#include <cmath>
#include <utility>

#include "devari/axislayers_p.h"
#include "devari/bakgndimg.h"
#include "devari/chartparts_p.h"
#include "devari/devari.h"
#include "devari/devarierror.h"
#include "devari/extents_p.h"
#include "devari/jointlayers.h"
#include "devari/mouse_p.h"
#include "platform/host.h"
#include "platform/update.h"

namespace kvo {

// ---- Property objects and helper axes ----------------------------------------------

TScalePropsHoriz& TCustomDEvari::GetScalePropsX(std::int32_t layer) noexcept { return FAxes->X(layer); }
TScalePropsVert& TCustomDEvari::GetScalePropsY(std::int32_t layer) noexcept { return FAxes->Y(layer); }
const TScalePropsHoriz& TCustomDEvari::GetScalePropsX(std::int32_t layer) const noexcept {
  return FAxes->X(layer);
}
const TScalePropsVert& TCustomDEvari::GetScalePropsY(std::int32_t layer) const noexcept {
  return FAxes->Y(layer);
}
TScale& TCustomDEvari::ScaleX(std::int32_t layer) noexcept { return FAxes->ScaleX(layer); }
TScale& TCustomDEvari::ScaleY(std::int32_t layer) noexcept { return FAxes->ScaleY(layer); }

namespace {
// Copies a property object without painting: the copy reports to the
// chart, which updates its axes; in design mode the chart then shows it.
template <class Props>
bool AssignQuietly(bool& suppress, Props& p, const Props& v) {
  if (&p == &v) return false;
  const bool saved = std::exchange(suppress, true);
  p.Assign(v);  // keeps p's own change link
  suppress = saved;
  return true;
}
}  // namespace

void TCustomDEvari::SetScalePropsX(std::int32_t layer, const TScalePropsHoriz& v) {
  if (layer != 1 && layer != 2) return;
  if (AssignQuietly(FSuppressPaint, FAxes->X(layer), v) && Designing()) RepaintChart();
}

void TCustomDEvari::SetScalePropsY(std::int32_t layer, const TScalePropsVert& v) {
  if (layer != 1 && layer != 2) return;
  if (AssignQuietly(FSuppressPaint, FAxes->Y(layer), v) && Designing()) RepaintChart();
}

TChartGeometry TCustomDEvari::Geometry() const noexcept {
  return {Width(), Height(), FStyle.LRim, FStyle.RRim, FStyle.TRim, FStyle.BRim, FStyle.ShadowWidth};
}

std::optional<TColor> TCustomDEvari::AxisTextColor() const {
  // A host with a visual style supplies the text colour when the chart's
  // style elements ask for it (the headless host has no style).
  const std::optional<TThemeColors> theme = Host().ThemeColors();
  if (theme && StyleElements().Contains(seFont)) return theme->PanelText;
  return std::nullopt;
}

void TCustomDEvari::SetScaleProps(TScale& scale, const TScaleProps& props) {
  if (THelperScale* axis = FAxes->HelperOf(scale)) TAxisLayers::Place(*axis, props, Geometry(), AxisTextColor());
}

void TCustomDEvari::ScalePropsChanged(TObject*) {
  const TPaintBatch batch(*this);
  FAxes->Sync(Geometry(), AxisTextColor());
  for (std::int32_t l = 1; l <= 2; ++l) {
    const TScaleProps& x = FAxes->X(l);
    const TScaleProps& y = FAxes->Y(l);
    ForceRange(l, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false, false);
  }
}

// ---- Geometry: margins, shadow, size --------------------------------------------------

void TCustomDEvari::GeometryChanged() {
  SizeDataImage();
  if (FIsometric) {
    // The Y ranges follow the new shape of the data area.
    for (std::int32_t l = 1; l <= 2; ++l) {
      TScaleProps& y = FAxes->Y(l);
      long double lo = y.RangeLow(), hi = y.RangeHigh();
      ApplyIsometric(FAxes->X(l).RangeLow(), FAxes->X(l).RangeHigh(), lo, hi);
      if (std::isfinite(double(lo)) && std::isfinite(double(hi)) && !(y.Logarithmic() && lo < 1e-100))
        y.StoreRange(double(lo), double(hi));
    }
  }
  FAxes->Sync(Geometry(), AxisTextColor());
  AdjustScaling();
}

void TCustomDEvari::SetMargin(std::int32_t TChartStyle::*margin, std::int32_t v) {
  v = ClampPixel(v);
  if (FStyle.*margin == v) return;
  FStyle.*margin = v;
  GeometryChanged();
  RedrawByRule();
}

void TCustomDEvari::SetLRim(std::int32_t v) { SetMargin(&TChartStyle::LRim, v); }
void TCustomDEvari::SetRRim(std::int32_t v) { SetMargin(&TChartStyle::RRim, v); }
void TCustomDEvari::SetTRim(std::int32_t v) { SetMargin(&TChartStyle::TRim, v); }
void TCustomDEvari::SetBRim(std::int32_t v) { SetMargin(&TChartStyle::BRim, v); }
void TCustomDEvari::SetF3DRim(std::int32_t v) { SetMargin(&TChartStyle::ShadowWidth, std::clamp(v, 0, 32)); }

void TCustomDEvari::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                              std::int32_t height) {
  const TChartGeometry g = Geometry();
  height = std::int32_t(std::max<std::int64_t>(height, std::int64_t(g.TRim) + g.BRim + g.Shadow + 20));
  width = std::int32_t(std::max<std::int64_t>(width, std::int64_t(g.LRim) + g.RRim + g.Shadow + 80));
  // A size whose images cannot be allocated throws and leaves the chart at
  // its previous size with its previous images.
  const std::int32_t oldLeft = Left(), oldTop = Top(), oldWidth = Width(), oldHeight = Height();
  try {
    TCustomControl::SetBounds(left, top, width, height);
  } catch (...) {
    try {
      TCustomControl::SetBounds(oldLeft, oldTop, oldWidth, oldHeight);
    } catch (...) {
      // The previous size was allocated before; nothing more to restore.
    }
    throw;
  }
}

void TCustomDEvari::Resize() {
  // Before the control asks for its repaint: axes, isometric ranges and
  // transforms follow the new size.
  if (FAxes) GeometryChanged();
  TCustomControl::Resize();
}

void TCustomDEvari::Loaded() {
  TCustomControl::Loaded();
  FAxes->Sync(Geometry(), AxisTextColor());
  FAxes->MarkLoaded();
  AdjustScaling();
  RepaintChart();
}

// ---- Chart caption -------------------------------------------------------------------

template <class T>
void TCustomDEvari::SetStyleField(T TChartStyle::*field, const T& v) {
  if (FStyle.*field == v) return;
  FStyle.*field = v;
  RedrawByRule();
}

void TCustomDEvari::SetChartCaption(const std::string& v) { SetStyleField(&TChartStyle::Caption, v); }
void TCustomDEvari::SetCaptPosX(std::int32_t v) { SetStyleField(&TChartStyle::CaptionPosX, v); }
void TCustomDEvari::SetCaptPosY(std::int32_t v) { SetStyleField(&TChartStyle::CaptionPosY, v); }
void TCustomDEvari::SetCaptAlignment(TAlignment v) { SetStyleField(&TChartStyle::CaptionAlignment, v); }
void TCustomDEvari::SetCaptAnchorX(TCaptionAnchorHoriz v) { SetStyleField(&TChartStyle::CaptionAnchorX, v); }
void TCustomDEvari::SetCaptAnchorY(TCaptionAnchorVert v) { SetStyleField(&TChartStyle::CaptionAnchorY, v); }
void TCustomDEvari::SetCaptTrim(std::int32_t v) {
  SetStyleField(&TChartStyle::CaptionTrim, v == 0 ? 0 : std::clamp(v, 5, 100));
}

// ---- Colours, grid and shadow ----------------------------------------------------------

void TCustomDEvari::SetChartCol(TColor v) { SetStyleField(&TChartStyle::ChartColor, v); }
void TCustomDEvari::SetWindCol(TColor v) { SetStyleField(&TChartStyle::WindColor, v); }
void TCustomDEvari::SetScaleCol(TColor v) { SetStyleField(&TChartStyle::FrameColor, v); }
void TCustomDEvari::SetGridCol(TColor v) { SetStyleField(&TChartStyle::GridColor, v); }
void TCustomDEvari::SetGridStyle(GridStyleType v) { SetStyleField(&TChartStyle::GridStyle, v); }
void TCustomDEvari::SetGridDx(double v) {
  if (v >= -3) SetStyleField(&TChartStyle::GridDx, v);
}
void TCustomDEvari::SetGridDy(double v) {
  if (v >= -3) SetStyleField(&TChartStyle::GridDy, v);
}
void TCustomDEvari::SetShadowStyle(TShadowStyle v) { SetStyleField(&TChartStyle::ShadowStyle, v); }
void TCustomDEvari::SetShadowColor(TColor v) { SetStyleField(&TChartStyle::ShadowColor, v); }
void TCustomDEvari::SetShadowBakColor(TColor v) { SetStyleField(&TChartStyle::ShadowBakColor, v); }

void TCustomDEvari::SetStyle(const TChartStyle& v) {
  TChartStyle s = v;
  s.LRim = ClampPixel(s.LRim);
  s.RRim = ClampPixel(s.RRim);
  s.TRim = ClampPixel(s.TRim);
  s.BRim = ClampPixel(s.BRim);
  s.ShadowWidth = std::clamp(s.ShadowWidth, 0, 32);
  s.CaptionTrim = s.CaptionTrim == 0 ? 0 : std::clamp(s.CaptionTrim, 5, 100);
  if (!(s.GridDx >= -3)) s.GridDx = FStyle.GridDx;
  if (!(s.GridDy >= -3)) s.GridDy = FStyle.GridDy;
  if (s == FStyle) return;
  const TPaintBatch batch(*this);
  FStyle = s;
  GeometryChanged();
}

// ---- Standard layouts -------------------------------------------------------------------

void TCustomDEvari::SetStdLayout(TrcLayout layout) {
  if (std::uint8_t(layout) >= kNumStdLayouts) return;
  const TLayoutRow& row = StdLayouts()[layout];
  const TPaintBatch batch(*this);
  ApplyLayout(FStyle, row);
  if (FAxes->ApplyLayout(row)) ScalePropsChanged(nullptr);
  GeometryChanged();
}

// ---- Tick queries and axis detection ----------------------------------------------------

double TCustomDEvari::GetTickPosX(std::int32_t i) const { return FAxes->TickPosX(FDraw.ActiveLayer, i); }
double TCustomDEvari::GetTickPosY(std::int32_t i) const { return FAxes->TickPosY(FDraw.ActiveLayer, i); }
std::int32_t TCustomDEvari::GetTickPosXCnt() const { return FAxes->TickCountX(FDraw.ActiveLayer); }
std::int32_t TCustomDEvari::GetTickPosYCnt() const { return FAxes->TickCountY(FDraw.ActiveLayer); }

std::int32_t TCustomDEvari::DetectScale(std::int32_t x, std::int32_t y) const {
  return FAxes->DetectScale(Geometry(), x, y);
}

std::string TCustomDEvari::ExtractUserText(const std::string& text, std::int32_t index) {
  if (index < 1) return {};
  return TScale::ExtractUserText(text, index);
}

std::string TCustomDEvari::AddScaleInscription(const std::string& text,
                                               const std::string& inscription) {
  return TScale::AddScaleInscription(text, inscription);
}

// ---- Transforms ---------------------------------------------------------------------------

void TCustomDEvari::AdjustScaling() {
  if (Loading() || !FAxes) return;
  if (!FTransforms.Adjust(Geometry(), FAxes->RangeX(1), FAxes->RangeY(1), FAxes->RangeX(2),
                          FAxes->RangeY(2))) {
    throw EKvoDEvariError("Logarithmic axis must not be negative.");
  }
}

void TCustomDEvari::LLCalcExtents(std::int32_t layer, double marginPct, double minSpanPct,
                                  double& minX, double& minY, double& maxX, double& maxY) const {
  const TExtent e = CalcExtents(*FDataContainer, layer, marginPct, minSpanPct,
                                GetScalePropsX(layer).Logarithmic(),
                                GetScalePropsY(layer).Logarithmic());
  minX = e.MinX;
  minY = e.MinY;
  maxX = e.MaxX;
  maxY = e.MaxY;
}

void TCustomDEvari::LLCalcMinMax(std::int32_t layer, double xLow, double yLow, double xHigh,
                                 double yHigh, double& minX, double& minY, double& maxX,
                                 double& maxY) const {
  const TExtent e = CalcMinMaxInWindow(*FDataContainer, layer, xLow, yLow, xHigh, yHigh);
  minX = e.MinX;
  minY = e.MinY;
  maxX = e.MaxX;
  maxY = e.MaxY;
}

// ---- Start values ---------------------------------------------------------------------------

void TCustomDEvari::ResetRendering() {
  FStyle = StartStyle();
  FStdLayout = rcl_X1Bottom_Y1Left;
  FIsometric = false;
  {
    const TSilentChanges<TBakGndImg> quiet(*FBakGndFile);
    FBakGndFile->ResetComp();
  }
  FBakGndFile->OnChange = [this](TObject* s) { StyleChanged(s); };
  FParts->Renderer = TItemRenderer{};

  // Crosshair k: origin, layer k (crosshairs 3 and 4 use layer 2, the
  // nearest real layer), red, hidden, dash-dot-dot, width 1.
  for (std::int32_t k = 1; k <= 4; ++k) {
    TCrossHair& c = FCrossHair[std::size_t(k - 1)];
    {
      const TSilentChanges<TCrossHair> quiet(c);
      c.SetPos(0, 0);
      c.SetCrossHLayer(ClampLayer(k));
      c.SetCrossHColor(255);
      c.SetCrossHMode(chOff);
      c.SetCrossHLineType(psDashDotDot);
      c.SetCrossHLineWid(1);
    }
    c.OnChange = [this](TObject* s) { StyleChanged(s); };
  }
  FParts->TextLabels.ResetAll(Font(), [this](TObject* s) { StyleChanged(s); });
  FMTrace.assign(5000, TColoredPoint{});
  FColorMTrace = clWhite;
  FMTraceInvert = true;

  const TDeviceCaps caps = Host().ScreenCaps();
  Fxasp = caps.AspectX;
  Fyasp = caps.AspectY;

  FAxes->Reset(FStyle.WindColor, [this](TObject* s) { ScalePropsChanged(s); },
               [this](TObject* s) { ScalePropsChanged(s); });
  if (FAxes->ApplyLayout(StdLayouts()[rcl_X1Bottom_Y1Left])) ScalePropsChanged(nullptr);
  GeometryChanged();

  // Ranges: independent layers, no limits, and the start ranges as the
  // history's first entry.
  FJoint->OnChange = nullptr;
  FJoint->ResetComp();
  FJoint->OnChange = [this](TObject* s) { StyleChanged(s); };
  FJoint->OnJoin = [this](std::int32_t layer, std::int32_t master, bool x) {
    const TScaleProps& mx = FAxes->X(x ? master : layer);
    const TScaleProps& my = FAxes->Y(x ? layer : master);
    ForceRngIntern(layer, mx.RangeLow(), my.RangeLow(), mx.RangeHigh(), my.RangeHigh(), false, false);
  };
  FZoomRange = {};
  FMouseAction = mamNone;
  ClearZoomHistory();

  // The mouse: idle, its settings at their start, the four cursors of the
  // modes in the screen cursor table.
  FMouse->Reset();
  ResetMouseProps();
  Host().RegisterCursor(1, "CURHAND");
  Host().RegisterCursor(2, "CURZOOMW");
  Host().RegisterCursor(3, "CURZOOMD");
  Host().RegisterCursor(4, "CURZOOMP");
}

}  // namespace kvo
