// Axes, layout and coordinate transforms of TCustomDEvari: the four property
// objects and their TScale helpers, margins, caption, standard layouts, tick
// queries, size changes, and the world/pixel mapping of both layers.
#include <algorithm>

#include "devari/devari.h"
#include "devari/devarierror.h"
#include "devari/extents.h"
#include "libs/kvocolors.h"
#include "platform/host.h"

namespace kvo {

namespace {

// Saves the paint suppression flag, sets it, and restores the saved value
// when leaving (also on an exception).
class TSuppressGuard {
public:
  explicit TSuppressGuard(bool& flag) : FFlag(flag), FSaved(flag) { flag = true; }
  ~TSuppressGuard() { FFlag = FSaved; }
  bool Saved() const noexcept { return FSaved; }
  TSuppressGuard(const TSuppressGuard&) = delete;
  TSuppressGuard& operator=(const TSuppressGuard&) = delete;

private:
  bool& FFlag;
  bool FSaved;
};

std::size_t L(std::int32_t layer) { return std::size_t(layer == 2 ? 2 : 1); }

// Margins far beyond any screen would overflow the pixel arithmetic of the
// layout; they are held at +-30000 like every other pixel coordinate.

}  // namespace

// ---- Property objects and helper axes ----------------------------------------------

TScalePropsHoriz& TCustomDEvari::GetScalePropsX(std::int32_t layer) noexcept {
  return *FScalePropsX[L(layer)];
}
TScalePropsVert& TCustomDEvari::GetScalePropsY(std::int32_t layer) noexcept {
  return *FScalePropsY[L(layer)];
}
const TScalePropsHoriz& TCustomDEvari::GetScalePropsX(std::int32_t layer) const noexcept {
  return *FScalePropsX[L(layer)];
}
const TScalePropsVert& TCustomDEvari::GetScalePropsY(std::int32_t layer) const noexcept {
  return *FScalePropsY[L(layer)];
}
TScale& TCustomDEvari::ScaleX(std::int32_t layer) noexcept { return *FScalesX[L(layer)]; }
TScale& TCustomDEvari::ScaleY(std::int32_t layer) noexcept { return *FScalesY[L(layer)]; }

void TCustomDEvari::SetScalePropsX(std::int32_t layer, const TScalePropsHoriz& v) {
  if (layer != 1 && layer != 2) return;
  TScalePropsHoriz& p = *FScalePropsX[std::size_t(layer)];
  if (&p == &v) return;
  TSuppressGuard keep(FSuppressPaint);
  p.Assign(v);  // keeps p's own change link
  if (Designing()) {
    FSuppressPaint = keep.Saved();
    RepaintIfLive();
  }
}

void TCustomDEvari::SetScalePropsY(std::int32_t layer, const TScalePropsVert& v) {
  if (layer != 1 && layer != 2) return;
  TScalePropsVert& p = *FScalePropsY[std::size_t(layer)];
  if (&p == &v) return;
  TSuppressGuard keep(FSuppressPaint);
  p.Assign(v);
  if (Designing()) {
    FSuppressPaint = keep.Saved();
    RepaintIfLive();
  }
}

TChartGeometry TCustomDEvari::Geometry() const noexcept {
  return {Width(), Height(), RcLRim, RcRRim, RcTRim, RcBRim, F3DRim};
}

void TCustomDEvari::SetScaleProps(TScale& scale, const TScaleProps& props) {
  // Wide arithmetic and a clamp: the offset is an application value.
  const std::int64_t W = Width(), H = Height(), p = props.ScalePos();
  auto m = [](std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, -30000, 60000)); };
  scale.SetScaleType(props.ScaleType());
  switch (props.ScaleType()) {
    case stLabelsAbove: scale.SetMarginBottom(m(p + H - RcTRim - 1)); break;
    case stLabelsBelow: scale.SetMarginTop(m(p + H - RcBRim - F3DRim)); break;
    case stLabelsRight: scale.SetMarginLeft(m(p + W - RcRRim - F3DRim)); break;
    case stLabelsLeft: scale.SetMarginRight(m(p + W - RcLRim - 1)); break;
  }
  scale.SetRange(props.RangeLow(), props.RangeHigh());
  scale.SetVisible(props.Visible());
  scale.SetCaption(props.Caption());
  scale.SetCaptionPosX(props.CaptionPosX());
  scale.SetCaptionPosY(props.CaptionPosY());
  scale.SetCaptionAlignment(props.CaptionAlignment());
  scale.SetCaptionAnchor(props.CaptionAnchor());
  // A host with a visual style supplies the text colour when the chart's
  // style elements ask for it (the headless host has no style).
  const std::optional<TThemeColors> theme = Host().ThemeColors();
  const bool styled = theme.has_value() && StyleElements().Contains(seFont);
  scale.SetColorScale(styled ? theme->PanelText : props.ColorScale());
  scale.SetDecPlaces(props.DecPlaces());
  scale.SetLogarithmic(props.Logarithmic());
  scale.SetLabelType(props.LabelType());
  scale.SetShortTicks(props.ShortTicks());
  scale.SetMinTicks(props.MinTicks());
  scale.SetScaleInscript(props.ScaleInscript());
  scale.SetUserTickText(props.UserTickText());
  scale.Font().Assign(props.Font());
  scale.Font().SetColor(styled ? theme->PanelText : props.Font().Color());
  scale.SetDateFormat(props.DateFormat());
}

void TCustomDEvari::ScalePropsChanged(TObject*) {
  {
    TSuppressGuard keep(FSuppressPaint);
    for (int l = 1; l <= 2; ++l) {
      SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
      SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    }
    for (int l = 1; l <= 2; ++l) {
      const TScaleProps& x = *FScalePropsX[std::size_t(l)];
      const TScaleProps& y = *FScalePropsY[std::size_t(l)];
      ForceRange(l, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh(), false, false);
    }
  }
  RepaintIfLive();
}

void TCustomDEvari::ForceRange(std::int32_t layer, double xLow, double yLow, double xHigh,
                               double yHigh, bool, bool) {
  // Until the range logic (joint layers, isometric rule, zoom history) takes
  // over, the ranges go straight to the axes and the transform.
  if (layer != 1 && layer != 2) return;
  TScale& sx = *FScalesX[std::size_t(layer)];
  TScale& sy = *FScalesY[std::size_t(layer)];
  sx.SetRange(xLow, xHigh);
  sy.SetRange(yLow, yHigh);
  AdjustScaling();
}

// ---- Margins and shadow -------------------------------------------------------------

void TCustomDEvari::SetLRim(std::int32_t v) {
  RcLRim = ClampPixel(std::int64_t(v));
  SizeDataImage();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalesX[std::size_t(l)]->SetMarginLeft(RcLRim);
  }
  AdjustScaling();
  RedrawIfLive();
}

void TCustomDEvari::SetRRim(std::int32_t v) {
  RcRRim = ClampPixel(std::int64_t(v));
  SizeDataImage();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalesX[std::size_t(l)]->SetMarginRight(RcRRim + F3DRim - 1);
  }
  AdjustScaling();
  RedrawIfLive();
}

void TCustomDEvari::SetTRim(std::int32_t v) {
  RcTRim = ClampPixel(std::int64_t(v));
  SizeDataImage();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalesY[std::size_t(l)]->SetMarginTop(RcTRim);
  }
  AdjustScaling();
  RedrawIfLive();
}

void TCustomDEvari::SetBRim(std::int32_t v) {
  RcBRim = ClampPixel(std::int64_t(v));
  SizeDataImage();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalesY[std::size_t(l)]->SetMarginBottom(RcBRim + F3DRim - 1);
  }
  AdjustScaling();
  RedrawIfLive();
}

void TCustomDEvari::SetF3DRim(std::int32_t v) {
  F3DRim = std::clamp(v, 0, 32);
  SizeDataImage();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalesX[std::size_t(l)]->SetMarginRight(RcRRim + F3DRim - 1);
    FScalesY[std::size_t(l)]->SetMarginBottom(RcBRim + F3DRim - 1);
  }
  AdjustScaling();
  RedrawIfLive();
}

// ---- Chart caption -------------------------------------------------------------------

void TCustomDEvari::SetChartCaption(const std::string& v) { FChartCaption = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptPosX(std::int32_t v) { FCaptPosX = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptPosY(std::int32_t v) { FCaptPosY = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptAlignment(TAlignment v) { FCaptAlignment = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptAnchorX(TCaptionAnchorHoriz v) { FCaptAnchorX = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptAnchorY(TCaptionAnchorVert v) { FCaptAnchorY = v; RedrawIfLive(); }
void TCustomDEvari::SetCaptTrim(std::int32_t v) {
  FCaptTrim = v == 0 ? 0 : std::clamp(v, 5, 100);
  RedrawIfLive();
}

// ---- Standard layouts -------------------------------------------------------------------

void TCustomDEvari::SetStdLayout(TrcLayout layout) {
  if (std::uint8_t(layout) >= kNumStdLayouts) return;
  const TLayoutRow& row = StdLayouts()[layout];
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  SetLRim(row.L);
  SetRRim(row.R);
  SetTRim(row.T);
  SetBRim(row.B);
  FCaptPosX = row.CaptionX;
  FCaptPosY = row.CaptionY;
  FCaptAlignment = row.CaptionAlign;
  FCaptAnchorX = row.AnchorX;
  FCaptAnchorY = row.AnchorY;
  auto apply = [](TScaleProps& p, const TLayoutAxis& a) {
    p.SetCaptionPosX(a.CaptionX);
    p.SetCaptionPosY(a.CaptionY);
    p.SetCaptionAlignment(a.CaptionAlign);
    p.SetCaptionAnchor(a.CaptionAnchor);
    p.SetScalePos(a.ScalePos);
    p.SetVisible(a.Visible);
  };
  for (int l = 1; l <= 2; ++l) {
    TScalePropsHoriz& x = *FScalePropsX[std::size_t(l)];
    x.SetScaleLocation(TScaleLocationHoriz(row.X[l - 1].Location));
    apply(x, row.X[l - 1]);
    TScalePropsVert& y = *FScalePropsY[std::size_t(l)];
    y.SetScaleLocation(TScaleLocationVert(row.Y[l - 1].Location));
    apply(y, row.Y[l - 1]);
  }
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
  }
  SetSuppressPaint(saved);
}

// ---- Tick queries and axis detection ----------------------------------------------------

namespace {
double TickAt(const TScale& s, const TScaleProps& p, std::int32_t i) {
  const std::int32_t n = s.NumTicks();
  if (i < 1 || i > n) return 0;
  if (p.RangeHigh() < p.RangeLow()) i = n - i + 1;
  return s.GetTickPos(i);
}
}  // namespace

double TCustomDEvari::GetTickPosX(std::int32_t i) const {
  const std::size_t l = L(FDraw.ActiveLayer);
  return TickAt(*FScalesX[l], *FScalePropsX[l], i);
}
double TCustomDEvari::GetTickPosY(std::int32_t i) const {
  const std::size_t l = L(FDraw.ActiveLayer);
  return TickAt(*FScalesY[l], *FScalePropsY[l], i);
}
std::int32_t TCustomDEvari::GetTickPosXCnt() const { return FScalesX[L(FDraw.ActiveLayer)]->NumTicks(); }
std::int32_t TCustomDEvari::GetTickPosYCnt() const { return FScalesY[L(FDraw.ActiveLayer)]->NumTicks(); }

std::int32_t TCustomDEvari::DetectScale(std::int32_t x, std::int32_t y) const {
  TAxisPlacement ys[2], xs[2];
  for (int l = 1; l <= 2; ++l) {
    const TScaleProps& py = *FScalePropsY[std::size_t(l)];
    const TScaleProps& px = *FScalePropsX[std::size_t(l)];
    ys[l - 1] = {py.Visible(), std::uint8_t(py.ScaleType()), py.ScalePos()};
    xs[l - 1] = {px.Visible(), std::uint8_t(px.ScaleType()), px.ScalePos()};
  }
  return DetectScaleAt(Geometry(), ys, xs, x, y);
}

std::string TCustomDEvari::ExtractUserText(const std::string& text, std::int32_t index) {
  if (index < 1) return {};
  return TScale::ExtractUserText(text, index);
}

std::string TCustomDEvari::AddScaleInscription(const std::string& text,
                                               const std::string& inscription) {
  return TScale::AddScaleInscription(text, inscription);
}

// ---- Size and loading -------------------------------------------------------------------

void TCustomDEvari::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                              std::int32_t height) {
  TSuppressGuard keep(FSuppressPaint);
  height = std::max(height, RcTRim + RcBRim + F3DRim + 20);
  width = std::max(width, RcLRim + RcRRim + F3DRim + 80);
  // A size whose images cannot be allocated throws and leaves the chart at
  // its previous size with its previous images.
  const std::int32_t oldLeft = Left(), oldTop = Top(), oldWidth = Width(), oldHeight = Height();
  static thread_local bool restoring = false;
  try {
  TCustomControl::SetBounds(left, top, width, height);
  for (int l = 1; l <= 2; ++l) {
    if (FScalesX[std::size_t(l)] && FScalePropsX[std::size_t(l)]) {
      TScale& s = *FScalesX[std::size_t(l)];
      SetScaleProps(s, *FScalePropsX[std::size_t(l)]);
      s.SetBounds(0, 0, width, height);
      s.SetMarginLeft(RcLRim);
      s.SetMarginRight(RcRRim + F3DRim - 1);
    }
    if (FScalesY[std::size_t(l)] && FScalePropsY[std::size_t(l)]) {
      TScale& s = *FScalesY[std::size_t(l)];
      SetScaleProps(s, *FScalePropsY[std::size_t(l)]);
      s.SetBounds(0, 0, width, height);
      s.SetMarginTop(RcTRim);
      s.SetMarginBottom(RcBRim + F3DRim - 1);
    }
  }
  TCustomControl::SetBounds(left, top, width, height);
  if (FScalePropsX[1]) AdjustScaling();
  } catch (...) {
    if (!restoring) {
      restoring = true;
      try {
        SetBounds(oldLeft, oldTop, oldWidth, oldHeight);
      } catch (...) {
      }
      restoring = false;
    }
    throw;
  }
}

void TCustomDEvari::Loaded() {
  TCustomControl::Loaded();
  for (int l = 1; l <= 2; ++l) {
    SetScaleProps(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
    SetScaleProps(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
    FScalePropsX[std::size_t(l)]->SetNotYetLoaded(false);
    FScalePropsY[std::size_t(l)]->SetNotYetLoaded(false);
  }
  AdjustScaling();
  RepaintIfLive();
}

// ---- Transforms ---------------------------------------------------------------------------

void TCustomDEvari::AdjustScaling() {
  if (Loading() || !FScalePropsX[1]) return;
  auto axis = [](const TScaleProps& p) {
    return TAxisRange{p.RangeLow(), p.RangeHigh(), p.Logarithmic()};
  };
  if (!FTransforms.Adjust(Geometry(), axis(*FScalePropsX[1]), axis(*FScalePropsY[1]),
                          axis(*FScalePropsX[2]), axis(*FScalePropsY[2]))) {
    throw EKvoDEvariError("Logarithmic axis must not be negative.");
  }
}

void TCustomDEvari::LLCalcExtents(std::int32_t layer, double marginPct, double minSpanPct,
                                  double& minX, double& minY, double& maxX, double& maxY) const {
  const TExtent e = CalcExtents(FDataContainer->Items(), layer, marginPct, minSpanPct,
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
  const TExtent e = CalcMinMaxInWindow(FDataContainer->Items(), layer, xLow, yLow, xHigh, yHigh);
  minX = e.MinX;
  minY = e.MinY;
  maxX = e.MaxX;
  maxY = e.MaxY;
}

// ---- Start values ---------------------------------------------------------------------------

void TCustomDEvari::ResetRendering() {
  // Colours, grid, shadow and background.
  F3DRim = 0;
  FShadowColor = clGrayText;
  RcShadowBakCol = clBtnFace;
  RcShadowStyle = shsPlain;
  RcChartCol = 16777215;
  RcWindCol = clBtnFace;
  FChartFrameCol = clBlack;
  RcGridCol = clBlack;
  RcGridStyle = gsNone;
  RcGridDx = RcGridDy = 0;
  FIsometric = false;
  FChartCaption.clear();
  FCaptTrim = 100;
  FCaptPosX = 0;
  FCaptPosY = -15;
  FCaptAlignment = taRightJustify;
  FCaptAnchorX = cahChartRight;
  FCaptAnchorY = cavChartTop;
  FBakGndFile.OnChange = nullptr;
  FBakGndFile.ResetComp();
  FBakGndFile.OnChange = [this](TObject* s) { StyleChanged(s); };
  FRenderer = TItemRenderer{};

  // Crosshair k: origin, layer k (crosshairs 3 and 4 use layer 2, the
  // nearest real layer), red, hidden, dash-dot-dot, width 1.
  for (std::int32_t k = 1; k <= 4; ++k) {
    TCrossHair& c = FCrossHair[std::size_t(k - 1)];
    c.OnChange = nullptr;
    c.SetPos(0, 0);
    c.SetCrossHLayer(ClampLayer(k));
    c.SetCrossHColor(255);
    c.SetCrossHMode(chOff);
    c.SetCrossHLineType(psDashDotDot);
    c.SetCrossHLineWid(1);
    c.OnChange = [this](TObject* s) { StyleChanged(s); };
  }
  FTextLabels.ResetAll(Font(), [this](TObject* s) { StyleChanged(s); });
  FMTrace.assign(5000, TColoredPoint{});
  FColorMTrace = clWhite;
  FMTraceInvert = true;

  const TDeviceCaps caps = Host().ScreenCaps();
  Fxasp = caps.AspectX;
  Fyasp = caps.AspectY;

  // The axes: property objects and their helpers.
  for (int l = 1; l <= 2; ++l) {
    const std::size_t i = std::size_t(l);
    if (!FScalePropsX[i]) FScalePropsX[i] = std::make_unique<TScalePropsHoriz>();
    if (!FScalePropsY[i]) FScalePropsY[i] = std::make_unique<TScalePropsVert>();
    for (TScaleProps* p : {static_cast<TScaleProps*>(FScalePropsX[i].get()),
                           static_cast<TScaleProps*>(FScalePropsY[i].get())}) {
      p->OnChange = nullptr;
      p->ResetComp();
      p->SetColorScale(PredefinedColor(l));
      p->SetLabelType(ftNumber);
      p->OnChange = [this](TObject* s) { ScalePropsChanged(s); };
    }
    for (auto* slot : {&FScalesX[i], &FScalesY[i]}) {
      if (!*slot) *slot = std::make_unique<TScale>(this);
      TScale& s = **slot;
      s.SetName(std::string(slot == &FScalesX[i] ? "RC_FScale_X_" : "RC_FScale_Y_") +
                std::to_string(l));
      s.SetSuppressPaint(true);
      s.ResetComp();
      s.SetIsHelper(true);
      s.UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
      s.SetTransparent(true);
      s.SetColorBG(RcWindCol);
      s.SetFrameStyle(frsNone);
      s.SetBounds(0, 0, Width(), Height());
      s.OnScaleTickDrawn = [this](TObject*, TCanvas& c, TScaleType t, double v, std::int32_t x,
                                  std::int32_t y) {
        if (OnScaleTickDrawn) OnScaleTickDrawn(this, c, t, v, x, y);
      };
      s.OnBeforeTickLabel = [this](TObject*, TScaleType t, double v, std::string& label) {
        if (OnBeforeTickLabel) OnBeforeTickLabel(this, t, v, label);
      };
      s.OnZoomPan = [this](TObject* sender) { ScaleZoomPan(sender); };
    }
  }
  FStdLayout = rcl_X1Bottom_Y1Left;
  SetStdLayout(rcl_X1Bottom_Y1Left);
}

}  // namespace kvo
