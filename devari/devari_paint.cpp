// Rendering pipeline of TCustomDEvari: the chart image (background, shadow,
// caption, axes), the data image (background, grid, items, text labels,
// frame) and the ways they reach the window.
#include <algorithm>
#include <new>

#include "devari/devari.h"
#include "devari/devarierror.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

// Marks the chart as painting for the lifetime of the scope.
struct TPaintingScope {
  bool& Flag;
  explicit TPaintingScope(bool& f) : Flag(f) { Flag = true; }
  ~TPaintingScope() { Flag = false; }
};

// Device pixels per logical pixel of one of the chart's images.
std::int32_t FactorOf(const TBitmap& bmp) noexcept {
  return std::max(Round(bmp.SurfaceScale()), 1);
}

}  // namespace

void TCustomDEvari::Paint() {
  if (!Visible() && !Designing()) return;
  if (Loading() || FSuppressPaint) return;
  // A handler that changes the chart while it paints (loads a file, resizes,
  // paints) gets one repaint after this paint instead of a nested one.
  if (FPainting) {
    FRepaintPending = true;
    return;
  }
  const TPaintingScope painting(FPainting);
  for (int pass = 0; pass < 2; ++pass) {
    FRepaintPending = false;
    ConstructChartBmp(FChartBmp.Canvas());
    ResetDataBitmap();
    ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
    DrawMouseTrace(0, 0, FGrafBmp);
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FChartBmp);
    if (!FRepaintPending) break;
  }
}

void TCustomDEvari::ResetDataBitmap() {
  SizeDataImage();
  const std::int32_t f = FactorOf(FGrafBmp);
  InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width() / f, FGrafBmp.Height() / f);
}

// ---- Images at the device resolution --------------------------------------------
// On a HiDPI surface the chart's images have an integer multiple of the
// logical size and that surface scale: their canvases take logical pixels
// and draw them at the device resolution, so lines and text come out sharp
// where a scaled-up logical image would be blurred. Layout, hit tests and
// margins stay logical.

std::int32_t TCustomDEvari::ImageFactor() const noexcept {
  return std::clamp(Round(SurfaceScale()), 1, 8);
}

std::int32_t TCustomDEvari::ImagePixels(std::int32_t logical) const noexcept {
  return ClampToInt(double(logical) * ImageFactor());
}

void TCustomDEvari::SizeChartImage() {
  FChartBmp.SetSize(ImagePixels(Width()), ImagePixels(Height()));
  FChartBmp.SetSurfaceScale(ImageFactor());
}

void TCustomDEvari::SizeDataImage() {
  const TChartGeometry g = Geometry();
  try {
    FGrafBmp.SetSize(ImagePixels(g.DataBmpWidth()), ImagePixels(g.DataBmpHeight()));
  } catch (const EPlatformError&) {
    // Margins far beyond the control make a data area no memory holds: the
    // chart is drawn without it (an empty image) rather than failing in
    // every setter and paint.
    FGrafBmp.SetSize(0, 0);
  } catch (const std::bad_alloc&) {
    FGrafBmp.SetSize(0, 0);
  }
  FGrafBmp.SetSurfaceScale(ImageFactor());
}

bool TCustomDEvari::ChartImageFits() const noexcept {
  return FactorOf(FChartBmp) == ImageFactor() && FChartBmp.Width() == ImagePixels(Width()) &&
         FChartBmp.Height() == ImagePixels(Height());
}

bool TCustomDEvari::ImagesFit() const noexcept {
  const TChartGeometry g = Geometry();
  return ChartImageFits() && FactorOf(FGrafBmp) == ImageFactor() &&
         FGrafBmp.Width() == ImagePixels(g.DataBmpWidth()) &&
         FGrafBmp.Height() == ImagePixels(g.DataBmpHeight());
}

void TCustomDEvari::PutDataImage() { PutImage(FChartBmp.Canvas(), RcLRim, RcTRim, FGrafBmp); }

void TCustomDEvari::PutImage(TCanvas& canvas, std::int32_t x, std::int32_t y, TBitmap& bitmap) {
  const std::int32_t f = &bitmap == &FChartBmp || &bitmap == &FGrafBmp ? FactorOf(bitmap) : 1;
  if (f == 1) {
    canvas.Draw(x, y, bitmap);
    return;
  }
  // At its logical size: a target at the same factor takes it pixel for pixel.
  canvas.StretchDraw(TRect{x, y, ClampToInt(double(x) + bitmap.Width() / f),
                           ClampToInt(double(y) + bitmap.Height() / f)},
                     bitmap);
}

TCustomDEvari::TPaintColors TCustomDEvari::PaintColors() const {
  TPaintColors c{RcWindCol, RcShadowBakCol, FShadowColor, clBlack, RcChartCol, FChartFrameCol,
                 FChartFrameCol};
  const std::optional<TThemeColors> theme = Host().ThemeColors();
  if (!theme) return c;
  if (StyleElements().Contains(seClient)) {
    c.Wind = c.ShadowBak = theme->Window;
    c.Shadow = theme->Shadow;
    c.Outline = c.Frame = theme->Border;
    c.Chart = theme->Grid;
  }
  if (StyleElements().Contains(seFont)) c.Text = theme->PanelText;
  return c;
}

void TCustomDEvari::PresentSurface() {
  if (THostWindow* w = HostWindow()) w->Present(ClientRect());
}

void TCustomDEvari::ConstructChartBmp(TCanvas& c) {
  const std::int32_t W = Width(), H = Height(), s = F3DRim;
  const TPaintColors pc = PaintColors();
  if (&c == &FChartBmp.Canvas()) SizeChartImage();
  c.Pen().SetStyle(psSolid);
  c.Pen().SetMode(pmCopy);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(pc.Wind);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(pc.Wind);
  c.Rectangle(0, 0, W, H);
  if (s > 0) {
    c.Brush().SetColor(pc.ShadowBak);
    c.FillRect(Rect(W - s, 0, W, s));
    c.FillRect(Rect(0, H - s, s, H));
    c.Brush().SetColor(pc.Shadow);
    std::int32_t o = 0;
    if (RcShadowStyle == shsPlain) {
      c.Pen().SetColor(pc.Shadow);
      o = s - 1;
    } else if (RcShadowStyle == shsOutlined) {
      c.Pen().SetColor(pc.Outline);
    }
    const TPoint bottom[4] = {{o, H - s}, {s - 1, H - 1}, {W - 1, H - 1}, {W - s, H - s}};
    c.Polygon(bottom, 4);
    const TPoint right[4] = {{W - s, H - s}, {W - 1, H - 1}, {W - 1, s - 1}, {W - s, o}};
    c.Polygon(right, 4);
    c.Pen().SetColor(pc.Outline);
    c.MoveTo(0, 0);
    c.LineTo(W - s, 0);
    c.LineTo(W - s, H - s);
    c.LineTo(0, H - s);
    c.LineTo(0, 0);
  }
  c.Pen().SetColor(pc.Frame);
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(Font());
  c.Font().SetColor(pc.Text);
  if (!FChartCaption.empty()) {
    const TChartGeometry g = Geometry();
    const std::string t =
        TrimCaption(FChartCaption, FCaptTrim, g, [&](std::string_view v) { return c.TextWidth(v); });
    const TPoint p = CaptionTextPos(g, FCaptAnchorX, FCaptAnchorY, FCaptPosX, FCaptPosY,
                                    FCaptAlignment, c.TextWidth(t));
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(p.x, p.y, t);
  }
  // Painting never throws: a logarithmic axis that cannot be mapped keeps
  // the previous transform until its range is corrected.
  try {
    AdjustScaling();
  } catch (const EKvoDEvariError&) {
  }
  // The axes draw on this canvas, and are pointed back at the chart image
  // afterwards so that they never keep a canvas that may go away.
  auto paintAxis = [&](TScale& scale, const TScaleProps& props) {
    SetScaleProps(scale, props);
    scale.UseForeignCanvas(&c, 0, 0);
    scale.ForcePaint();
    scale.UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
  };
  for (int l = 1; l <= 2; ++l) paintAxis(*FScalesX[std::size_t(l)], *FScalePropsX[std::size_t(l)]);
  for (int l = 1; l <= 2; ++l) paintAxis(*FScalesY[std::size_t(l)], *FScalePropsY[std::size_t(l)]);
  if (OnScalesRendered) OnScalesRendered(this, c, 0, 0);
}

void TCustomDEvari::InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height) {
  const TPaintColors pc = PaintColors();
  const TDataBackground bg{pc.Chart, pc.Frame, FDraw.ActiveLayer};
  PaintDataBackground(canvas, left, top, width, height, bg, FBakGndFile, FBakGndCache,
                      FTransforms, Geometry());
}

void TCustomDEvari::ConstructDataBmp(TBitmap& bmp, std::int32_t left, std::int32_t top, bool bw,
                                     std::int32_t startIndex) {
  ConstructDataBmpCanvas(bmp.Canvas(), left, top, bw, startIndex);
}

TRenderContext TCustomDEvari::RenderContext(std::int32_t left, std::int32_t top, bool bw) {
  TRenderContext ctx;
  ctx.Transforms = &FTransforms;
  ctx.Geometry = Geometry();
  ctx.Left = left;
  ctx.Top = top;
  ctx.BW = bw;
  for (int l = 1; l <= 2; ++l) {
    ctx.XLow[l] = FScalePropsX[std::size_t(l)]->RangeLow();
    ctx.XHigh[l] = FScalePropsX[std::size_t(l)]->RangeHigh();
    ctx.YLow[l] = FScalePropsY[std::size_t(l)]->RangeLow();
    ctx.YHigh[l] = FScalePropsY[std::size_t(l)]->RangeHigh();
  }
  ctx.TextFontName = FTextFont.Name();
  ctx.TextFontStyle = FTextFont.Style();
  ctx.AvoidDupMarks = FAvoidDupMarks;
  ctx.DupMarkDist = FDupMarksMinD;
  if (OnBeforeRenderText) {
    ctx.OnBeforeRenderText = [this](std::string& text, std::int32_t index, bool isAnno) {
      OnBeforeRenderText(this, text, index, isAnno);
    };
  }
  return ctx;
}

void TCustomDEvari::DrawGridOn(TCanvas& canvas, std::int32_t left, std::int32_t top) {
  const std::int32_t l = FDraw.ActiveLayer;
  const TScaleProps& px = *FScalePropsX[std::size_t(l)];
  const TScaleProps& py = *FScalePropsY[std::size_t(l)];
  std::vector<double> tx, ty;
  if (RcGridDx == 0)
    for (std::int32_t i = 1, n = GetTickPosXCnt(); i <= n; ++i) tx.push_back(GetTickPosX(i));
  if (RcGridDy == 0)
    for (std::int32_t i = 1, n = GetTickPosYCnt(); i <= n; ++i) ty.push_back(GetTickPosY(i));
  TGridSpec grid;
  grid.Style = RcGridStyle;
  grid.GridColor = RcGridCol;
  grid.ChartColor = PaintColors().Chart;
  grid.Layer = l;
  grid.XLow = std::min(px.RangeLow(), px.RangeHigh());
  grid.XHigh = std::max(px.RangeLow(), px.RangeHigh());
  grid.YLow = std::min(py.RangeLow(), py.RangeHigh());
  grid.YHigh = std::max(py.RangeLow(), py.RangeHigh());
  grid.XValues = GridValues(px.RangeLow(), px.RangeHigh(), px.Logarithmic(), RcGridDx, tx);
  grid.YValues = GridValues(py.RangeLow(), py.RangeHigh(), py.Logarithmic(), RcGridDy, ty);
  DrawGrid(canvas, FTransforms, Geometry(), left, top, grid);
}

// textPass: 0 every item, 1 every item but texts, 2 texts only.
void TCustomDEvari::DrawItemPass(TCanvas& canvas, const TRcItemContainer& list, bool isAnnotation,
                                 int textPass) {
  const TLongTextArray& texts = list.LongTexts();
  const auto& classVisible = isAnnotation ? FVisib.AnnoClassVisible : FVisib.ClassVisible;
  const bool l1 = FVisib.LayerVisible[1], l2 = FVisib.LayerVisible[2];
  TrcChartItem copy;
  // Indexed afresh every step: an item handler may append or remove items.
  // Items appended meanwhile wait for the next paint (a handler appending at
  // every item would otherwise never let the pass end).
  const std::int32_t n = list.Count();
  for (std::int32_t i = 0; i < n && i < list.Count(); ++i) {
    const TrcChartItem& it = list[i];
    if (!classVisible[it.ItemClass]) continue;
    if (!((it.Layer == 1 && l1) || (it.Layer == 2 && l2))) continue;
    if (textPass != 0 && (textPass == 2) != IsTextKind(it.ItemKind)) continue;
    if (OnBeforeRendedEvariItem) {
      copy = it;
      OnBeforeRendedEvariItem(this, copy, i, isAnnotation);
      FRenderer.DrawItem(canvas, copy, texts, isAnnotation, i);
    } else {
      FRenderer.DrawItem(canvas, it, texts, isAnnotation, i);
    }
  }
  FRenderer.FinishPolyLine(canvas);
}

void TCustomDEvari::ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t left, std::int32_t top,
                                           bool bw, std::int32_t startIndex) {
  const TChartGeometry g = Geometry();
  if (OnBeforeRenderData) {
    const TColor pen = canvas.Pen().Color(), brush = canvas.Brush().Color();
    OnBeforeRenderData(this, canvas, ClampToInt(double(std::int64_t(RcTRim) - top)),
                       ClampToInt(double(std::int64_t(RcLRim) - left)));
    canvas.Pen().SetColor(pen);
    canvas.Brush().SetColor(brush);
  }
  if (RcGridStyle != gsNone && startIndex == 0) DrawGridOn(canvas, left, top);
  const TPaintColors pc = PaintColors();
  FRenderer.BeginPass(canvas, RenderContext(left, top, bw), FDraw.LineWidth, pc.Chart);
  if (!FVisib.AnnoBelowChart) DrawItemPass(canvas, *FDataContainer, false, 0);
  if (FVisib.AnnosVisible) {
    if (FVisib.AnnoTextOnTop) {
      DrawItemPass(canvas, FAnnoContainer, true, 1);
      DrawItemPass(canvas, FAnnoContainer, true, 2);
    } else {
      DrawItemPass(canvas, FAnnoContainer, true, 0);
    }
  }
  if (FVisib.AnnoBelowChart) DrawItemPass(canvas, *FDataContainer, false, 0);
  canvas.Pen().SetWidth(1);
  const std::array<TTextLabelView, TTextLabelTable::Count> labels = FTextLabels.Views();
  const bool layerVisible[3] = {false, FVisib.LayerVisible[1], FVisib.LayerVisible[2]};
  DrawTextLabelsOn(canvas, labels, layerVisible, FTransforms, g, left, top);
  if (OnDataRendered)
    OnDataRendered(this, canvas, ClampToInt(double(std::int64_t(RcTRim) - top)),
                   ClampToInt(double(std::int64_t(RcLRim) - left)));
  canvas.Pen().SetColor(pc.Frame);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  // Saturated: the origin may be anywhere on a foreign canvas.
  const std::int32_t r = SatAdd(left, g.DataWidth()), b = SatAdd(top, g.DataHeight());
  canvas.MoveTo(left, top);
  canvas.LineTo(r, top);
  canvas.LineTo(r, b);
  canvas.LineTo(left, b);
  canvas.LineTo(left, top);
}

void TCustomDEvari::DrawContainerItemOnCanvas(TCanvas& canvas, const TrcChartItem& item,
                                              std::int32_t top, std::int32_t left, bool bw,
                                              const TLongTextArray& longTexts, bool isAnnotation,
                                              std::int32_t index) {
  // Outside a pass: take this chart's settings for the given origin, keeping
  // the renderer's state (pen position, pending polyline) as it is.
  FRenderer.SetContext(canvas, RenderContext(left, top, bw));
  FRenderer.DrawItem(canvas, item, longTexts, isAnnotation, index);
}

std::int32_t TCustomDEvari::CalcTextExtents(const std::string& text, TCanvas& canvas,
                                            std::int32_t& lineHeight, std::int32_t& totalHeight,
                                            std::int32_t& width) {
  return kvo::CalcTextExtents(text, canvas, lineHeight, totalHeight, width);
}

void TCustomDEvari::ShowGraf() {
  if (!Visible()) return;
  if (FPainting) {  // from a paint handler: after the paint
    FRepaintPending = true;
    return;
  }
  FLastElemOnShow = NumItems() - 1;
  AdjustCanInfoOfSharedCharts();
  const TChartGeometry g = Geometry();
  // Without a chart image of the current size (nothing painted yet, or the
  // control was resized) only a full paint shows the items correctly.
  if (!FAutoRedraw || !ImagesFit()) {
    Paint();
    return;
  }
  {
    const TPaintingScope painting(FPainting);
    FRepaintPending = false;
    InitGraf(FGrafBmp.Canvas(), 0, 0, g.DataBmpWidth(), g.DataBmpHeight());
    ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
    // The new data image goes into the chart image and the crosshairs are
    // drawn there, so the data image itself never carries crosshairs.
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FChartBmp);
  }
  if (FRepaintPending) Paint();
}

void TCustomDEvari::ShowGrafNewOnly() {
  if (!Visible()) return;
  if (FPainting) {  // from a paint handler: after the paint
    FRepaintPending = true;
    return;
  }
  if (!ImagesFit()) {
    Paint();
    FLastElemOnShow = NumItems() - 1;
    AdjustCanInfoOfSharedCharts();
    return;
  }
  {
    const TPaintingScope painting(FPainting);
    FRepaintPending = false;
    ConstructDataBmp(FGrafBmp, 0, 0, false, FLastElemOnShow);
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FChartBmp);
  }
  FLastElemOnShow = NumItems() - 1;
  AdjustCanInfoOfSharedCharts();
  if (FRepaintPending) Paint();
}

void TCustomDEvari::ClearMouseTrace() {
  FNumMTracePoints = 0;
  RepaintIfLive();
}

// ---- Colours and grid -----------------------------------------------------------

void TCustomDEvari::SetChartCol(TColor v) { RcChartCol = v; RedrawIfLive(); }
void TCustomDEvari::SetWindCol(TColor v) { RcWindCol = v; RedrawIfLive(); }
void TCustomDEvari::SetScaleCol(TColor v) { FChartFrameCol = v; RedrawIfLive(); }
void TCustomDEvari::SetGridCol(TColor v) { RcGridCol = v; RedrawIfLive(); }
void TCustomDEvari::SetGridStyle(GridStyleType v) { RcGridStyle = v; RedrawIfLive(); }
void TCustomDEvari::SetGridDx(double v) {
  if (!(v >= -3)) return;
  RcGridDx = v;
  RedrawIfLive();
}
void TCustomDEvari::SetGridDy(double v) {
  if (!(v >= -3)) return;
  RcGridDy = v;
  RedrawIfLive();
}
void TCustomDEvari::SetShadowStyle(TShadowStyle v) { RcShadowStyle = v; RedrawIfLive(); }
void TCustomDEvari::SetShadowColor(TColor v) { FShadowColor = v; RedrawIfLive(); }
void TCustomDEvari::SetShadowBakColor(TColor v) { RcShadowBakCol = v; RedrawIfLive(); }
void TCustomDEvari::SetBakGndFile(const TBakGndImg& v) {
  // The image object reports its change to StyleChanged, which redraws.
  if (&v != &FBakGndFile) FBakGndFile.Assign(v);
  else RedrawIfLive();
}

}  // namespace kvo
