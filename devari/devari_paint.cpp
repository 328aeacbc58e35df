// Rendering pipeline of TCustomDEvari: the chart image (background, shadow,
// caption, axes), the data image (background, grid, items, text labels,
// frame) and the ways they reach the window.
#include <algorithm>
#include <new>

#include "devari/axislayers_p.h"
#include "devari/bakgndimg.h"
#include "devari/chartparts_p.h"
#include "devari/devari.h"
#include "devari/devarierror.h"
#include "devari/grid_p.h"
#include "devari/labeldraw_p.h"
#include "devari/layout_p.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/numeric.h"
#include "platform/update.h"

namespace kvo {

namespace {

// Device pixels per logical pixel of one of the chart's images.
std::int32_t FactorOf(const TBitmap& bmp) noexcept {
  return std::max(Round(bmp.SurfaceScale()), 1);
}

// Marks the chart as painting while a part of its picture is drawn outside
// a paint (an export, the data area on another canvas), so that its
// handlers meet the same rules as in a paint: a repaint they ask for waits
// (Outer() tells the caller to run it), loading is refused. Inside a paint
// it changes nothing.
class TDrawingScope {
public:
  explicit TDrawingScope(TChartPaintParts& parts) noexcept : FParts(parts), FOuter(!parts.Painting) {
    if (!FOuter) return;
    FParts.Painting = true;
    FParts.RepaintPending = false;
  }
  ~TDrawingScope() {
    if (FOuter) FParts.Painting = false;
  }
  bool Outer() const noexcept { return FOuter; }
  TDrawingScope(const TDrawingScope&) = delete;
  TDrawingScope& operator=(const TDrawingScope&) = delete;

private:
  TChartPaintParts& FParts;
  bool FOuter;
};

// Runs draw as a part of the chart's picture, then (outside a paint) the repaint
// a handler asked for meanwhile.
template <class Draw>
void DrawAsPart(TCustomDEvari& chart, TChartPaintParts& parts, Draw&& draw) {
  bool outer;
  {
    const TDrawingScope drawing(parts);
    outer = drawing.Outer();
    draw();
  }
  if (outer && parts.RepaintPending) chart.Paint();
}

}  // namespace

void TCustomDEvari::Paint() {
  if (!Visible() && !Designing()) return;
  if (Loading() || FSuppressPaint) return;
  // A handler that changes the chart while it paints (loads a file, resizes,
  // paints) gets one repaint after this paint instead of a nested one.
  if (FParts->Painting) {
    FParts->RepaintPending = true;
    return;
  }
  const TFlagScope painting(FParts->Painting);
  for (int pass = 0; pass < 2; ++pass) {
    FParts->RepaintPending = false;
    BuildItems();
    ConstructChartBmp(FParts->ChartBmp.Canvas());
    ResetDataBitmap();
    ConstructDataBmp(FParts->GrafBmp, 0, 0, false, 0);
    DrawMouseTrace(0, 0, FParts->GrafBmp);
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FParts->ChartBmp);
    if (!FParts->RepaintPending) break;
  }
}

void TCustomDEvari::ResetDataBitmap() {
  SizeDataImage();
  const std::int32_t f = FactorOf(FParts->GrafBmp);
  InitGraf(FParts->GrafBmp.Canvas(), 0, 0, FParts->GrafBmp.Width() / f, FParts->GrafBmp.Height() / f);
}

// ---- Images at the device resolution --------------------------------------------
// On a HiDPI surface the chart's images have an integer multiple of the
// logical size and that surface scale: their canvases take logical pixels
// and draw them at the device resolution, so lines and text come out sharp
// where a scaled-up logical image would be blurred. Layout, hit tests and
// margins stay logical.

TBitmap& TCustomDEvari::ChartBmp() noexcept { return FParts->ChartBmp; }
TBitmap& TCustomDEvari::GrafBmp() noexcept { return FParts->GrafBmp; }

void TCustomDEvari::EnterPolyline(std::int32_t x, std::int32_t y, TCanvas& canvas) {
  FParts->Renderer.EnterPolyline(x, y, canvas);
}
void TCustomDEvari::FinishPolyLine(TCanvas& canvas) { FParts->Renderer.FinishPolyLine(canvas); }

std::int32_t TCustomDEvari::ImageFactor() const noexcept {
  return std::clamp(Round(SurfaceScale()), 1, 8);
}

void TCustomDEvari::SizeDataImage() {
  try {
    FParts->SizeData(Geometry(), ImageFactor());
  } catch (const EPlatformError&) {
    // Margins far beyond the control make a data area no memory holds: the
    // chart is drawn without it (an empty image) rather than failing in
    // every setter and paint.
    FParts->GrafBmp.SetSize(0, 0);
  } catch (const std::bad_alloc&) {
    FParts->GrafBmp.SetSize(0, 0);
  }
}

bool TCustomDEvari::ImagesFit() const noexcept {
  const std::int32_t f = ImageFactor();
  return FParts->ChartFits(Width(), Height(), f) && FParts->DataFits(Geometry(), f);
}

void TCustomDEvari::PutDataImage() {
  FParts->Put(FParts->ChartBmp.Canvas(), FStyle.LRim, FStyle.TRim, FParts->GrafBmp);
}

void TCustomDEvari::PresentSurface() {
  if (THostWindow* w = HostWindow()) w->Present(ClientRect());
}

void TCustomDEvari::ConstructChartBmp(TCanvas& c) {
  DrawAsPart(*this, *FParts, [&] {
    const std::int32_t W = Width(), H = Height(), s = FStyle.ShadowWidth;
    const TPaintColors pc = ChartPaintColors(FStyle, StyleElements());
    if (&c == &FParts->ChartBmp.Canvas()) FParts->SizeChart(W, H, ImageFactor());
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
      if (FStyle.ShadowStyle == shsPlain) {
        c.Pen().SetColor(pc.Shadow);
        o = s - 1;
      } else if (FStyle.ShadowStyle == shsOutlined) {
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
    if (!FStyle.Caption.empty()) {
      const TChartGeometry g = Geometry();
      const std::string t =
          TrimCaption(FStyle.Caption, FStyle.CaptionTrim, g, [&](std::string_view v) { return c.TextWidth(v); });
      const TPoint p = CaptionTextPos(g, FStyle.CaptionAnchorX, FStyle.CaptionAnchorY, FStyle.CaptionPosX, FStyle.CaptionPosY,
                                      FStyle.CaptionAlignment, c.TextWidth(t));
      c.SetTextAlign(TA_LEFT | TA_TOP);
      c.TextOut(p.x, p.y, t);
    }
    // Painting never throws: a logarithmic axis that cannot be mapped keeps
    // the previous transform until its range is corrected.
    try {
      AdjustScaling();
    } catch (const EKvoDEvariError&) {
    }
    FAxes->Draw(c, Geometry(), AxisTextColor());
    if (OnScalesRendered) OnScalesRendered(this, c, 0, 0);
});
}


void TCustomDEvari::InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top,
                             std::int32_t width, std::int32_t height) {
  DrawDataAreaBackground(canvas, left, top, width, height);
}

void TCustomDEvari::DrawDataAreaBackground(TCanvas& canvas, std::int32_t left, std::int32_t top,
                                           std::int32_t width, std::int32_t height) {
  const TPaintColors pc = ChartPaintColors(FStyle, StyleElements());
  const TDataBackground bg{pc.Chart, pc.Frame, FDraw.ActiveLayer};
  PaintDataBackground(canvas, left, top, width, height, bg, *FBakGndFile, FParts->BakGndCache,
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
    ctx.XLow[l] = FAxes->X(l).RangeLow();
    ctx.XHigh[l] = FAxes->X(l).RangeHigh();
    ctx.YLow[l] = FAxes->Y(l).RangeLow();
    ctx.YHigh[l] = FAxes->Y(l).RangeHigh();
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
  const TScaleProps& px = FAxes->X(l);
  const TScaleProps& py = FAxes->Y(l);
  std::vector<double> tx, ty;
  if (FStyle.GridDx == 0)
    for (std::int32_t i = 1, n = GetTickPosXCnt(); i <= n; ++i) tx.push_back(GetTickPosX(i));
  if (FStyle.GridDy == 0)
    for (std::int32_t i = 1, n = GetTickPosYCnt(); i <= n; ++i) ty.push_back(GetTickPosY(i));
  TGridSpec grid;
  grid.Style = FStyle.GridStyle;
  grid.GridColor = FStyle.GridColor;
  grid.ChartColor = ChartPaintColors(FStyle, StyleElements()).Chart;
  grid.Layer = l;
  grid.XLow = std::min(px.RangeLow(), px.RangeHigh());
  grid.XHigh = std::max(px.RangeLow(), px.RangeHigh());
  grid.YLow = std::min(py.RangeLow(), py.RangeHigh());
  grid.YHigh = std::max(py.RangeLow(), py.RangeHigh());
  grid.XValues = GridValues(px.RangeLow(), px.RangeHigh(), px.Logarithmic(), FStyle.GridDx, tx);
  grid.YValues = GridValues(py.RangeLow(), py.RangeHigh(), py.Logarithmic(), FStyle.GridDy, ty);
  DrawGrid(canvas, FTransforms, Geometry(), left, top, grid);
}

// textPass: 0 every item, 1 every item but texts, 2 texts only.
void TCustomDEvari::DrawItemPass(TCanvas& canvas, const TRcItemContainer& list, bool isAnnotation,
                                 int textPass) {
  const TLongTextArray& texts = list.LongTexts();
  const auto& classVisible = isAnnotation ? FVisib.AnnoClassVisible : FVisib.ClassVisible;
  const bool l1 = FVisib.LayerVisible[1], l2 = FVisib.LayerVisible[2];
  // Whether this pass draws an item (class, layer, texts or not); a packed
  // run shares the answer of its template.
  auto drawn = [&](const TrcChartItem& it) {
    return classVisible[it.ItemClass] && ((it.Layer == 1 && l1) || (it.Layer == 2 && l2)) &&
           (textPass == 0 || (textPass == 2) == IsTextKind(it.ItemKind));
  };
  if (!OnBeforeRendedEvariItem && !OnBeforeRenderText) {
    // Without item and text handlers nothing can change the list during the
    // pass: walk its stretches, a packed run at a time.
    const auto& segs = list.Segments();
    const auto& starts = list.SegmentStarts();
    for (std::size_t s = 0; s < segs.size(); ++s) {
      const TItemSegment& seg = segs[s];
      if (seg.Packed) {
        const TrcChartItem& it = seg.Template;
        if (!drawn(it)) continue;
        // Only line runs use the index (built on first use).
        const TRunIndex* index = it.ItemKind == tkLineto ? seg.RunIndex() : nullptr;
        FParts->Renderer.DrawLineRun(canvas, it, seg.Pts.Items(), index, &texts,
                                     isAnnotation, std::int32_t(starts[s]), seg.Version);
        continue;
      }
      for (std::size_t k = 0; k < seg.Records.Size(); ++k)
        if (drawn(seg.Records[k]))
          FParts->Renderer.DrawItem(canvas, seg.Records[k], texts, isAnnotation,
                                    std::int32_t(starts[s] + k));
    }
    FParts->Renderer.FinishPolyLine(canvas);
    return;
  }
  // Indexed afresh every step: an item handler may append or remove items.
  // Items appended meanwhile wait for the next paint (a handler appending at
  // every item would otherwise never let the pass end).
  const std::int32_t n = list.Count();
  TrcChartItem copy;
  for (std::int32_t i = 0; i < n && i < list.Count(); ++i) {
    copy = list[i];
    if (!drawn(copy)) continue;
    if (OnBeforeRendedEvariItem) OnBeforeRendedEvariItem(this, copy, i, isAnnotation);
    FParts->Renderer.DrawItem(canvas, copy, texts, isAnnotation, i);
  }
  FParts->Renderer.FinishPolyLine(canvas);
}

void TCustomDEvari::ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t left, std::int32_t top,
                                           bool bw, std::int32_t startIndex) {
  DrawAsPart(*this, *FParts, [&] {
    const TChartGeometry g = Geometry();
    if (OnBeforeRenderData) {
      const TColor pen = canvas.Pen().Color(), brush = canvas.Brush().Color();
      OnBeforeRenderData(this, canvas, ClampToInt(double(std::int64_t(FStyle.TRim) - top)),
                         ClampToInt(double(std::int64_t(FStyle.LRim) - left)));
      canvas.Pen().SetColor(pen);
      canvas.Brush().SetColor(brush);
    }
    if (FStyle.GridStyle != gsNone && startIndex == 0) DrawGridOn(canvas, left, top);
    DrawItems(canvas, left, top, bw, startIndex);
    canvas.Pen().SetWidth(1);
    DrawOverlays(canvas, left, top);
    if (OnDataRendered)
      OnDataRendered(this, canvas, ClampToInt(double(std::int64_t(FStyle.TRim) - top)),
                     ClampToInt(double(std::int64_t(FStyle.LRim) - left)));
    canvas.Pen().SetColor(ChartPaintColors(FStyle, StyleElements()).Frame);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetMode(pmCopy);
    // Saturated: the origin may be anywhere on a foreign canvas.
    const std::int32_t r = SatAdd(left, g.DataWidth()), b = SatAdd(top, g.DataHeight());
    canvas.MoveTo(left, top);
    canvas.LineTo(r, top);
    canvas.LineTo(r, b);
    canvas.LineTo(left, b);
    canvas.LineTo(left, top);
});
}


void TCustomDEvari::DrawItems(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                              std::int32_t) {
  FParts->Renderer.BeginPass(canvas, RenderContext(left, top, bw), FDraw.LineWidth,
                             ChartPaintColors(FStyle, StyleElements()).Chart);
  try {
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
  } catch (...) {
    // A handler threw: the polyline pending from this pass is dropped, not
    // drawn later with an item outside a pass.
    FParts->Renderer.FNumPPa = 0;
    throw;
  }
}

void TCustomDEvari::DrawOverlays(TCanvas& canvas, std::int32_t left, std::int32_t top) {
  const std::array<TTextLabelView, TTextLabelTable::Count> labels = FParts->TextLabels.Views();
  const bool layerVisible[3] = {false, FVisib.LayerVisible[1], FVisib.LayerVisible[2]};
  DrawTextLabelsOn(canvas, labels, layerVisible, FTransforms, Geometry(), left, top);
}

void TCustomDEvari::DrawContainerItemOnCanvas(TCanvas& canvas, const TrcChartItem& item,
                                              std::int32_t top, std::int32_t left, bool bw,
                                              const TLongTextArray& longTexts, bool isAnnotation,
                                              std::int32_t index) {
  // Outside a pass: take this chart's settings for the given origin, keeping
  // the renderer's state (pen position, pending polyline) as it is.
  DrawAsPart(*this, *FParts, [&] {
    FParts->Renderer.SetContext(canvas, RenderContext(left, top, bw));
    FParts->Renderer.DrawItem(canvas, item, longTexts, isAnnotation, index);
  });
}

std::int32_t TCustomDEvari::CalcTextExtents(const std::string& text, TCanvas& canvas,
                                            std::int32_t& lineHeight, std::int32_t& totalHeight,
                                            std::int32_t& width) {
  return kvo::CalcTextExtents(text, canvas, lineHeight, totalHeight, width);
}

void TCustomDEvari::ShowGraf() {
  if (FParts->Painting) {  // from a paint handler: after the paint
    FParts->RepaintPending = true;
    return;
  }
  FLastElemOnShow = NumItems() - 1;
  AdjustCanInfoOfSharedCharts();
  ShowGrafHere();
  // Every chart showing the same list shows the new items too.
  TCustomDEvari* owner = FUseDataOf ? FUseDataOf : this;
  if (owner != this) owner->ShowGrafHere();
  for (std::int32_t i = 0; i < owner->FDataUsersNum; ++i)
    if (owner->FDataUsers[std::size_t(i)] != this) owner->FDataUsers[std::size_t(i)]->ShowGrafHere();
}

void TCustomDEvari::ShowGrafHere() {
  if (!Visible()) return;
  const TChartGeometry g = Geometry();
  // Without a chart image of the current size (nothing painted yet, or the
  // control was resized) only a full paint shows the items correctly.
  if (!FAutoRedraw || !ImagesFit()) {
    Paint();
    return;
  }
  {
    const TFlagScope painting(FParts->Painting);
    FParts->RepaintPending = false;
    InitGraf(FParts->GrafBmp.Canvas(), 0, 0, g.DataBmpWidth(), g.DataBmpHeight());
    ConstructDataBmp(FParts->GrafBmp, 0, 0, false, 0);
    // The new data image goes into the chart image and the crosshairs are
    // drawn there, so the data image itself never carries crosshairs.
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FParts->ChartBmp);
  }
  if (FParts->RepaintPending) Paint();
}

void TCustomDEvari::ShowGrafNewOnly() {
  if (!Visible()) return;
  if (FParts->Painting) {  // from a paint handler: after the paint
    FParts->RepaintPending = true;
    return;
  }
  if (!ImagesFit()) {
    Paint();
    FLastElemOnShow = NumItems() - 1;
    AdjustCanInfoOfSharedCharts();
    return;
  }
  {
    const TFlagScope painting(FParts->Painting);
    FParts->RepaintPending = false;
    ConstructDataBmp(FParts->GrafBmp, 0, 0, false, FLastElemOnShow);
    PutDataImage();
    DrawFinish(0, 0, Canvas(), FParts->ChartBmp);
  }
  FLastElemOnShow = NumItems() - 1;
  AdjustCanInfoOfSharedCharts();
  if (FParts->RepaintPending) Paint();
}

bool TCustomDEvari::ListBeingDrawn(bool dataList) const noexcept {
  if (FParts->Painting) return true;
  if (!dataList) return false;
  const TCustomDEvari* owner = FUseDataOf ? FUseDataOf : this;
  if (owner->FParts->Painting) return true;
  for (std::int32_t i = 0; i < owner->FDataUsersNum; ++i)
    if (owner->FDataUsers[std::size_t(i)]->FParts->Painting) return true;
  return false;
}

void TCustomDEvari::ClearMouseTrace() {
  FNumMTracePoints = 0;
  RepaintChart();
}

// ---- Background image ------------------------------------------------------------

void TCustomDEvari::SetBakGndFile(const TBakGndImg& v) {
  // The image object reports its change to StyleChanged, which redraws.
  if (&v != FBakGndFile.get()) FBakGndFile->Assign(v);
  else RedrawByRule();
}

}  // namespace kvo
