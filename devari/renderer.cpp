#include "devari/renderer_p.h"

#include <cmath>
#include <numbers>

#include "devari/itemcontainer.h"
#include "libs/kvobase.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

constexpr double kArrowHalfAngle = 0.3490658503988659;  // 20 degrees

std::int32_t Rnd(double v) { return Round(v); }
TPoint Clamped(std::int64_t x, std::int64_t y) { return {ClampPixel(x), ClampPixel(y)}; }

bool AnyNaN(double a, double b) { return std::isnan(a) || std::isnan(b); }
bool AnyNaN(double a, double b, double c, double d) { return AnyNaN(a, b) || AnyNaN(c, d); }

// Which coordinates of a one-point kind are screen pixels, by coordinate mode.
struct TScreenAxes {
  bool X, Y, Known;
};
TScreenAxes MainAxes(TCoordMode m) {
  switch (m) {
    case cmAllWorld:
    case cmWorldMainScreenSec: return {false, false, true};
    case cmAllScreen:
    case cmScreenMainWorldSec: return {true, true, true};
    case cmXScreenYWorld: return {true, false, true};
    case cmXWorldYScreen: return {false, true, true};
  }
  return {false, false, false};
}
TScreenAxes SecAxes(TCoordMode m) {
  switch (m) {
    case cmAllWorld:
    case cmScreenMainWorldSec: return {false, false, true};
    case cmAllScreen:
    case cmWorldMainScreenSec: return {true, true, true};
    case cmXScreenYWorld: return {true, false, true};
    case cmXWorldYScreen: return {false, true, true};
  }
  return {false, false, false};
}

// Text of a text item: its long-text slot when LWid names a filled one,
// else the record's own field (also for a slot number a damaged file holds).
std::string ItemText(const TrcChartItem& it, const TLongTextArray& longTexts) {
  if (it.LWid >= 1 && it.LWid <= TLongTextArray::Capacity) {
    const std::string& s = longTexts.Slot(it.LWid);
    if (!s.empty()) return s;
  }
  return ShortText(it);
}

}  // namespace

std::int32_t CalcTextExtents(const std::string& text, TCanvas& canvas, std::int32_t& lineHeight,
                             std::int32_t& totalHeight, std::int32_t& width) {
  std::int32_t lines = 0;
  width = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t lf = text.find('\n', start);
    std::string_view line(text.data() + start,
                          (lf == std::string::npos ? text.size() : lf) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    width = std::max(width, canvas.TextWidth(line));
    ++lines;
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  if (width == 0) width = canvas.TextWidth(text);
  lineHeight = canvas.TextHeight(text) + 1;
  // Saturated: a text of millions of lines must not overflow.
  totalHeight = std::int32_t(std::min<std::int64_t>(std::int64_t(lineHeight) * lines, 2147483647));
  return lines;
}

// ---- state -------------------------------------------------------------------

void TItemRenderer::BeginPass(TCanvas& canvas, const TRenderContext& ctx, std::int32_t lineWidth,
                              TColor chartColor) {
  FCtx = ctx;
  FNumPPa = 0;
  FPenPosValid = true;
  FLastLWidth = ClampToRange<std::int32_t>(lineWidth, 0, 255);
  canvas.Pen().SetWidth(FLastLWidth);
  FLastMoveToX = ctx.Left;
  FLastMoveToY = ctx.Top;
  canvas.MoveTo(ctx.Left, ctx.Top);
  FLastPenCol = chartColor;
  canvas.Pen().SetColor(chartColor);
  FLastPenStyle = psSolid;
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  FLastBrushCol = chartColor;
  canvas.Brush().SetColor(chartColor);
  FLastFontCol = chartColor;
  canvas.Font().SetColor(chartColor);
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  if (ctx.AvoidDupMarks) {
    FCtx.DupMarkDist = ClampToRange<std::int32_t>(ctx.DupMarkDist, 1, 3);
    SizePixMap(canvas);
  } else {
    FPixMap.clear();
    FPixMapW = FPixMapH = 0;
  }
}

void TItemRenderer::SetContext(TCanvas& canvas, const TRenderContext& ctx) {
  const bool hadMap = FCtx.AvoidDupMarks && !FPixMap.empty();
  FCtx = ctx;
  FCtx.DupMarkDist = ClampToRange<std::int32_t>(ctx.DupMarkDist, 1, 3);
  if (ctx.AvoidDupMarks && !hadMap) SizePixMap(canvas);
}

void TItemRenderer::SizePixMap(TCanvas& canvas) {
  // The map covers the pixels a mark can be drawn on: the control's area
  // as far as the canvas reaches (a mark elsewhere is not seen either way),
  // with a rim of the mark distance.
  const std::int32_t d = FCtx.DupMarkDist;
  const std::int32_t w = std::min(std::max(0, FCtx.Geometry.Width),
                                  std::max(0, canvas.GetDeviceCaps(HORZRES)));
  const std::int32_t h = std::min(std::max(0, FCtx.Geometry.Height),
                                  std::max(0, canvas.GetDeviceCaps(VERTRES)));
  FPixMapW = std::min(w, kMaxPixelCoord) + 2 * d;
  FPixMapH = std::min(h, kMaxPixelCoord) + 2 * d;
  FPixMap.assign(std::size_t(FPixMapW) * std::size_t(FPixMapH), -1);
}

void TItemRenderer::PenColor(TCanvas& c, TColor v) {
  if (v != FLastPenCol) {
    FLastPenCol = v;
    c.Pen().SetColor(v);
  }
}
void TItemRenderer::PenStyle(TCanvas& c, TPenStyle v) {
  if (v != FLastPenStyle) {
    FLastPenStyle = v;
    c.Pen().SetStyle(v);
  }
}
void TItemRenderer::BrushColor(TCanvas& c, TColor v) {
  if (v != FLastBrushCol) {
    FLastBrushCol = v;
    c.Brush().SetColor(v);
  }
}
void TItemRenderer::FontColor(TCanvas& c, TColor v) {
  if (v != FLastFontCol) {
    FLastFontCol = v;
    c.Font().SetColor(v);
  }
}
void TItemRenderer::PenBrush(TCanvas& c, const TrcChartItem& it) {
  PenColor(c, Pc(it));
  PenStyle(c, it.PenStyle);
  BrushColor(c, it.FillColor);
}

TColor TItemRenderer::Pc(const TrcChartItem& it) const { return FCtx.BW ? clBlack : it.Color; }
TColor TItemRenderer::Fc(const TrcChartItem& it) const { return FCtx.BW ? clSilver : it.FillColor; }

// ---- coordinates ---------------------------------------------------------------

std::int32_t TItemRenderer::WorldX(std::int32_t layer, double x) const {
  return ClampPixel(std::int64_t(FCtx.Transforms->MapX(ClampLayer(layer), x)) + FCtx.Left -
                  FCtx.Geometry.LRim);
}
std::int32_t TItemRenderer::WorldY(std::int32_t layer, double y) const {
  return ClampPixel(std::int64_t(FCtx.Transforms->MapY(ClampLayer(layer), y)) + FCtx.Top -
                  FCtx.Geometry.TRim);
}
std::int32_t TItemRenderer::ScreenX(double x) const {
  return ClampPixel(std::int64_t(Rnd(x)) + FCtx.Left);
}
std::int32_t TItemRenderer::ScreenY(double y) const {
  return ClampPixel(std::int64_t(Rnd(y)) + FCtx.Top);
}

bool TItemRenderer::MainPoint(const TrcChartItem& it, TPoint& p) const {
  const TScreenAxes s = MainAxes(it.CoordMode);
  if (!s.Known) return false;
  p.x = s.X ? ScreenX(it.x) : WorldX(it.Layer, it.x);
  p.y = s.Y ? ScreenY(it.y) : WorldY(it.Layer, it.y);
  return true;
}
bool TItemRenderer::SecPoint(const TrcChartItem& it, TPoint& p) const {
  const TScreenAxes s = SecAxes(it.CoordMode);
  if (!s.Known) return false;
  p.x = s.X ? ScreenX(it.x2) : WorldX(it.Layer, it.x2);
  p.y = s.Y ? ScreenY(it.y2) : WorldY(it.Layer, it.y2);
  return true;
}

void TItemRenderer::Pixel(TCanvas& c, TPoint p, TColor col) { c.SetPixel(p.x, p.y, col); }

// ---- polylines -------------------------------------------------------------------

void TItemRenderer::EnterPolyline(std::int32_t x, std::int32_t y, TCanvas& canvas) {
  if (FNumPPa == 0) FPPa[FNumPPa++] = {FLastMoveToX, FLastMoveToY};
  FPPa[FNumPPa++] = {x, y};
  if (std::size_t(FNumPPa) >= kPolylineBatch) {
    FinishPolyLine(canvas);  // the next batch starts with this last point
  }
}

void TItemRenderer::FinishPolyLine(TCanvas& canvas) {
  if (FNumPPa == 0) return;
  canvas.Polyline(FPPa.data(), std::size_t(FNumPPa));
  const TPoint last = FPPa[std::size_t(FNumPPa) - 1];
  canvas.MoveTo(last.x, last.y);
  FLastMoveToX = last.x;
  FLastMoveToY = last.y;
  FNumPPa = 0;
}

// ---- the item switch ---------------------------------------------------------------

void TItemRenderer::DrawItem(TCanvas& canvas, const TrcChartItem& it,
                             const TLongTextArray& longTexts, bool isAnnotation,
                             std::int32_t index) {
  const TrcItem kind = it.ItemKind;
  const bool isText = kind == tkText || kind == tkTextOfs;
  switch (kind) {
    case tkNone:
    case tkEverything:
    case tkNotMoveTo:
      return;
    default:
      if (std::uint8_t(kind) > std::uint8_t(tkCursorHoriz)) return;  // not a kind
  }
  if (!isText) {
    const std::int32_t w = ClampToRange<std::int32_t>(it.LWid, 0, 255);
    if (w != FLastLWidth) {
      FinishPolyLine(canvas);
      FLastLWidth = w;
      canvas.Pen().SetWidth(w);
    }
  }
  if (kind != tkLineto && kind != tkLineRelPix && kind != tkMoveRelPix) FinishPolyLine(canvas);

  switch (kind) {
    case tkMoveTo: {
      if (AnyNaN(it.x, it.y)) {
        FPenPosValid = false;
        return;
      }
      TPoint p;
      if (!MainPoint(it, p)) return;
      FLastMoveToX = p.x;
      FLastMoveToY = p.y;
      FPenPosValid = true;
      canvas.MoveTo(p.x, p.y);
      return;
    }
    case tkLineto: DrawLineto(canvas, it); return;
    case tkMoveRelPix:
    case tkLineRelPix: DrawRelPix(canvas, it); return;
    case tkLineRelPixOrig: DrawLineRelPixOrig(canvas, it); return;
    case tkLine:
    case tkLineOffs: DrawLine(canvas, it); return;
    case tkRect:
    case tkRectRelPix: DrawRect(canvas, it); return;
    case tkRectFrame: DrawRectFrame(canvas, it); return;
    case tk3DBar: Draw3DBar(canvas, it); return;
    case tkEllipse:
    case tkArc: DrawEllipseArc(canvas, it); return;
    case tkArrow:
    case tkDoubleArrow: DrawArrow(canvas, it); return;
    case tkMarkAt: DrawMark(canvas, it); return;
    case tkMarkEBar: DrawErrorBar(canvas, it); return;
    case tkText:
    case tkTextOfs: DrawText(canvas, it, longTexts, isAnnotation, index); return;
    case tkCursorVert:
    case tkCursorHoriz: DrawCursor(canvas, it); return;
    default: return;
  }
}

void TItemRenderer::DrawLineto(TCanvas& c, const TrcChartItem& it) {
  TPoint p;
  if (AnyNaN(it.x, it.y)) {
    // A gap: what is pending is drawn, and the next valid vertex starts anew.
    FinishPolyLine(c);
    FPenPosValid = false;
    return;
  }
  if (!MainPoint(it, p)) return;
  const TColor pc = Pc(it);
  if (pc != FLastPenCol || it.PenStyle != FLastPenStyle || it.FillColor != FLastBrushCol) {
    FinishPolyLine(c);
    PenBrush(c, it);
  }
  if (!FPenPosValid) {
    FinishPolyLine(c);
    FLastMoveToX = p.x;
    FLastMoveToY = p.y;
    FPenPosValid = true;
    c.MoveTo(p.x, p.y);
    return;
  }
  EnterPolyline(p.x, p.y, c);
}

void TItemRenderer::DrawRelPix(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y) || !FPenPosValid) {
    if (it.ItemKind == tkLineRelPix) FinishPolyLine(c);
    FPenPosValid = false;
    return;
  }
  // The pen position is the last pending vertex, or the last move.
  const TPoint from = FNumPPa > 0 ? FPPa[std::size_t(FNumPPa) - 1] : TPoint{FLastMoveToX, FLastMoveToY};
  const TPoint p = Clamped(std::int64_t(from.x) + Rnd(it.x), std::int64_t(from.y) + Rnd(it.y));
  if (it.ItemKind == tkMoveRelPix) {
    FinishPolyLine(c);
    FLastMoveToX = p.x;
    FLastMoveToY = p.y;
    c.MoveTo(p.x, p.y);
    return;
  }
  const TColor pc = Pc(it);
  if (pc != FLastPenCol || it.PenStyle != FLastPenStyle || it.FillColor != FLastBrushCol) {
    FinishPolyLine(c);
    PenBrush(c, it);
  }
  EnterPolyline(p.x, p.y, c);
}

void TItemRenderer::DrawLineRelPixOrig(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) {
    FPenPosValid = false;
    return;
  }
  const TPoint p{WorldX(it.Layer, it.x), WorldY(it.Layer, it.y)};
  const TPoint q = Clamped(std::int64_t(p.x) + Rnd(it.x2), std::int64_t(p.y) + Rnd(it.y2));
  PenBrush(c, it);
  if (p == q) {
    Pixel(c, p, Pc(it));
    return;
  }
  FLastMoveToX = p.x;
  FLastMoveToY = p.y;
  FPenPosValid = true;
  EnterPolyline(q.x, q.y, c);
}

void TItemRenderer::DrawLine(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  TPoint p1, p2;
  if (it.ItemKind == tkLineOffs) {
    p1 = Clamped(std::int64_t(WorldX(it.Layer, it.x)) + it.Param1,
                 std::int64_t(WorldY(it.Layer, it.y)) + it.Param2);
    p2 = Clamped(std::int64_t(WorldX(it.Layer, it.x2)) + it.Param1,
                 std::int64_t(WorldY(it.Layer, it.y2)) + it.Param2);
  } else if (!MainPoint(it, p1) || !SecPoint(it, p2)) {
    return;
  }
  PenBrush(c, it);
  if (p1 == p2) {
    Pixel(c, p1, Pc(it));
    return;
  }
  c.MoveTo(p1.x, p1.y);
  c.LineTo(p2.x, p2.y);
}

void TItemRenderer::DrawRect(TCanvas& c, const TrcChartItem& it) {
  TPoint a, b;
  if (it.ItemKind == tkRectRelPix) {
    if (AnyNaN(it.x, it.y)) return;
    const TPoint m{WorldX(it.Layer, it.x), WorldY(it.Layer, it.y)};
    a = Clamped(std::int64_t(m.x) - it.Param1, std::int64_t(m.y) - it.Param2);
    b = Clamped(std::int64_t(m.x) + it.Param1, std::int64_t(m.y) + it.Param2);
  } else {
    if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
    if (!MainPoint(it, a) || !SecPoint(it, b)) return;
  }
  PenColor(c, Pc(it));
  BrushColor(c, Fc(it));
  PenStyle(c, it.PenStyle);
  c.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  if (a == b) {
    Pixel(c, a, Pc(it));
    return;
  }
  const TRect r = Rect(a.x, a.y, b.x, b.y).Normalized();
  c.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

void TItemRenderer::DrawRectFrame(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  TPoint a, b;
  if (!MainPoint(it, a) || !SecPoint(it, b)) return;
  const TColor fc = Fc(it);
  PenStyle(c, it.PenStyle);
  PenColor(c, fc);
  BrushColor(c, fc);
  c.Brush().SetStyle(bsSolid);
  if (a == b) {
    Pixel(c, a, fc);
    return;
  }
  const TRect r = Rect(a.x, a.y, b.x, b.y).Normalized();
  const std::int32_t x1 = r.Left, y1 = r.Top, x2 = r.Right, y2 = r.Bottom;
  c.Rectangle(x1, y1, x2, y2);
  TColor s = it.ShadowColor, h = it.HiLightColor;
  const std::uint8_t style = std::uint8_t(it.FrameStyle);
  if (style == 3 || style == 5) std::swap(s, h);
  if (style == 2 || style == 3) {
    PenColor(c, s);
    c.MoveTo(x1, y2);
    c.LineTo(x1, y1);
    c.LineTo(x2, y1);
    PenColor(c, h);
    c.LineTo(x2, y2);
    c.LineTo(x1, y2);
  } else if (style == 4 || style == 5) {
    PenColor(c, s);
    c.MoveTo(x1 + 1, y2);
    c.LineTo(x1 + 1, y1 + 1);
    c.LineTo(x2, y1 + 1);
    c.LineTo(x2, y2);
    c.LineTo(x1 + 1, y2);
    PenColor(c, h);
    c.MoveTo(x1, y2 - 1);
    c.LineTo(x1, y1);
    c.LineTo(x2 - 1, y1);
    c.LineTo(x2 - 1, y2 - 1);
    c.LineTo(x1, y2 - 1);
  }
}

void TItemRenderer::Draw3DBar(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  const TRect r = Rect(WorldX(it.Layer, it.x), WorldY(it.Layer, it.y), WorldX(it.Layer, it.x2),
                       WorldY(it.Layer, it.y2))
                      .Normalized();
  std::int32_t x1 = r.Left, x2 = r.Right;
  const std::int32_t yt = r.Top, yb = r.Bottom;
  const double a = it.Param1 * std::numbers::pi / 180.0, d = it.Param2;
  const std::int64_t dx = Rnd(std::cos(a) * d), dy = -std::int64_t(Rnd(std::sin(a) * d));
  if (it.Param1 > 90) std::swap(x1, x2);
  PenColor(c, Pc(it));
  BrushColor(c, Fc(it));
  PenStyle(c, it.PenStyle);
  c.Brush().SetStyle(bsSolid);
  const TPoint top[4] = {Clamped(x1, yt), Clamped(x1 + dx, yt + dy), Clamped(x2 + dx, yt + dy),
                         Clamped(x2, yt)};
  c.Polygon(top, 4);
  const TPoint side[4] = {Clamped(x2 + dx, yt + dy), Clamped(x2, yt), Clamped(x2, yb),
                          Clamped(x2 + dx, yb + dy)};
  c.Polygon(side, 4);
  const std::int32_t l = std::min(x1, x2), rr = std::max(x1, x2) + 1;
  c.Rectangle(l, yt, rr, yb + 1);
}

void TItemRenderer::DrawEllipseArc(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  const TPoint a{WorldX(it.Layer, it.x - it.x2), WorldY(it.Layer, it.y + it.y2)};
  const TPoint b{WorldX(it.Layer, it.x + it.x2), WorldY(it.Layer, it.y - it.y2)};
  const TColor pc = Pc(it);
  PenColor(c, pc);
  PenStyle(c, it.PenStyle);
  if (it.ItemKind == tkEllipse) {
    BrushColor(c, Fc(it));
    c.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  }
  if (a == b) {
    Pixel(c, a, pc);
    return;
  }
  const TRect r = Rect(a.x, a.y, b.x, b.y).Normalized();
  if (it.ItemKind == tkEllipse) {
    c.Ellipse(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    return;
  }
  // The rays are given by far points in their direction; they are not
  // clamped, which would bend them.
  const TPoint m{WorldX(it.Layer, it.x), WorldY(it.Layer, it.y)};
  const double s = it.Param1 / 1e8, e = it.Param2 / 1e8;
  c.Arc(r.Left, r.Top, r.Right + 1, r.Bottom + 1, m.x + Rnd(std::cos(s) * 1e8),
        m.y - Rnd(std::sin(s) * 1e8), m.x + Rnd(std::cos(e) * 1e8), m.y - Rnd(std::sin(e) * 1e8));
}

void TItemRenderer::DrawArrow(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  TPoint p1, p2;
  if (!MainPoint(it, p1) || !SecPoint(it, p2)) return;
  const TColor pc = Pc(it);
  PenColor(c, pc);
  BrushColor(c, Fc(it));
  PenStyle(c, it.PenStyle);
  c.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  if (p1 == p2) {
    Pixel(c, p1, pc);
    return;
  }
  c.MoveTo(p1.x, p1.y);
  c.LineTo(p2.x, p2.y);
  const double w = it.Param1;
  if (w < 1) return;
  double phi;
  if (p1.x == p2.x) {
    phi = (p2.y - p1.y < 1) ? 2 * std::numbers::pi : std::numbers::pi;
  } else {
    phi = std::atan(double(p2.y - p1.y) / double(p2.x - p1.x)) +
          (p2.x < p1.x ? 1.5 * std::numbers::pi : 0.5 * std::numbers::pi);
  }
  const double d = kArrowHalfAngle;
  auto head = [&](TPoint at, TPoint t1, TPoint t2) {
    if (it.Transp) {
      c.MoveTo(at.x, at.y);
      c.LineTo(t1.x, t1.y);
      c.MoveTo(at.x, at.y);
      c.LineTo(t2.x, t2.y);
    } else {
      const TPoint tri[3] = {at, t1, t2};
      c.Polygon(tri, 3);
    }
  };
  if (it.ItemKind == tkDoubleArrow) {
    head(p1,
         Clamped(std::int64_t(p1.x) + Rnd(std::sin(phi + d) * w),
                 std::int64_t(p1.y) - Rnd(std::cos(phi + d) * w)),
         Clamped(std::int64_t(p1.x) + Rnd(std::sin(phi - d) * w),
                 std::int64_t(p1.y) - Rnd(std::cos(phi - d) * w)));
  }
  head(p2,
       Clamped(std::int64_t(p2.x) - Rnd(std::sin(phi + d) * w),
               std::int64_t(p2.y) + Rnd(std::cos(phi + d) * w)),
       Clamped(std::int64_t(p2.x) - Rnd(std::sin(phi - d) * w),
               std::int64_t(p2.y) + Rnd(std::cos(phi - d) * w)));
}

bool TItemRenderer::ClaimMark(std::int32_t px, std::int32_t py, std::int32_t markType) {
  if (!FCtx.AvoidDupMarks || FPixMap.empty()) return true;
  const std::int32_t d = FCtx.DupMarkDist;
  const std::int64_t cx = std::int64_t(px) + d, cy = std::int64_t(py) + d;
  auto inside = [&](std::int64_t x, std::int64_t y) {
    return x >= 0 && y >= 0 && x < FPixMapW && y < FPixMapH;
  };
  auto at = [&](std::int64_t x, std::int64_t y) -> std::int32_t& {
    return FPixMap[std::size_t(y) * std::size_t(FPixMapW) + std::size_t(x)];
  };
  if (inside(cx, cy) && at(cx, cy) == markType) return false;
  for (std::int64_t j = -d; j <= d; ++j)
    for (std::int64_t i = -d; i <= d; ++i)
      if (inside(cx + i, cy + j)) at(cx + i, cy + j) = markType;
  return true;
}

void TItemRenderer::DrawMark(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y)) return;
  const TScreenAxes s = MainAxes(it.CoordMode);
  if (!s.Known) return;
  const TChartGeometry& g = FCtx.Geometry;
  const int l = ClampLayer(it.Layer);
  const bool xOk = s.X ? (0 <= it.x && it.x <= g.Width - g.RRim - g.LRim)
                       : InRange(it.x, FCtx.XLow[l], FCtx.XHigh[l]);
  const bool yOk = s.Y ? (0 <= it.y && it.y <= g.Height - g.BRim - g.TRim)
                       : InRange(it.y, FCtx.YLow[l], FCtx.YHigh[l]);
  if (!xOk || !yOk) return;
  TPoint p;
  MainPoint(it, p);
  PenColor(c, Pc(it));
  PenStyle(c, it.PenStyle);
  const std::int32_t type = ClampToRange<std::int32_t>(it.Param3, 0, 255);
  if (!ClaimMark(p.x, p.y, type)) return;
  DrawMarkOnCanvas(c, std::uint8_t(type), p.x, p.y);
}

void TItemRenderer::DrawErrorBar(TCanvas& c, const TrcChartItem& it) {
  if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
  const double l = std::fabs(it.x2), u = std::fabs(it.y2);
  const int ly = ClampLayer(it.Layer);
  // Drawn when the bar [v - l, v + u] overlaps the axis range (either order
  // of the range ends); a bar wholly outside is not drawn.
  auto visible = [&](double v, double lo, double hi) {
    return std::min(lo, hi) <= v + u && std::max(lo, hi) >= v - l;
  };
  if (!visible(it.x, FCtx.XLow[ly], FCtx.XHigh[ly]) || !visible(it.y, FCtx.YLow[ly], FCtx.YHigh[ly]))
    return;
  PenBrush(c, it);
  const TPoint m{WorldX(it.Layer, it.x), WorldY(it.Layer, it.y)};
  const double ends[2] = {it.Param1 != 0 ? it.x - l : it.y - l, it.Param1 != 0 ? it.x + u : it.y + u};
  for (double v : ends) {
    c.MoveTo(m.x, m.y);
    if (it.Param1 != 0) {
      const std::int32_t X = WorldX(it.Layer, v);
      c.LineTo(X, m.y);
      c.MoveTo(X, m.y - 3);
      c.LineTo(X, m.y + 4);
    } else {
      const std::int32_t Y = WorldY(it.Layer, v);
      c.LineTo(m.x, Y);
      c.MoveTo(m.x - 3, Y);
      c.LineTo(m.x + 4, Y);
    }
  }
  const std::int32_t type = ClampToRange<std::int32_t>(it.Param3, 0, 255);
  DrawMarkOnCanvas(c, std::uint8_t(type), m.x, m.y);
}

void TItemRenderer::DrawText(TCanvas& c, const TrcChartItem& item, const TLongTextArray& longTexts,
                             bool isAnnotation, std::int32_t index) {
  // A copy: the text handler below may change the list the item lives in.
  const TrcChartItem it = item;
  TPoint p;
  if (it.ItemKind == tkTextOfs) {
    if (AnyNaN(it.x, it.y, it.x2, it.y2)) return;
    p = Clamped(std::int64_t(WorldX(it.Layer, it.x)) + Rnd(it.x2),
                std::int64_t(WorldY(it.Layer, it.y)) + Rnd(it.y2));
  } else {
    if (AnyNaN(it.x, it.y)) return;
    if (!MainPoint(it, p)) return;
  }
  const TColor bkg = FCtx.BW ? clWhite : it.FillColor;
  TFontData font = c.Font().Data();
  font.Name = FCtx.TextFontName;
  font.Style = FCtx.TextFontStyle;
  // The stored size is drawn clamped to 0..1000 points (documented with
  // the text commands).
  font.Size = ClampToRange<std::int32_t>(it.Param1, 0, 1000);
  // Sizes are points: at the canvas' resolution they keep their size on a
  // printer too.
  const std::int32_t devPpi = c.GetDeviceCaps(LOGPIXELSY);
  if (devPpi > 0) font.PixelsPerInch = devPpi;
  font.Color = FLastFontCol;
  if (!(font == c.Font().Data())) c.Font().SetData(font);
  FontColor(c, FCtx.BW ? clBlack : it.Color);
  BrushColor(c, bkg);
  const bool solid = it.Param2 != 0;
  c.Brush().SetStyle(solid ? bsSolid : bsClear);

  std::string text = ItemText(it, longTexts);
  if (FCtx.OnBeforeRenderText) FCtx.OnBeforeRenderText(text, index, isAnnotation);
  // Only the head of a giant text can reach a surface: measure and draw
  // that much, cut before a UTF-8 sequence.
  if (text.size() > kMaxItemTextLen) {
    std::size_t n = kMaxItemTextLen;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.resize(n);
  }

  std::int32_t h = 0, total = 0, w = 0;
  std::int32_t n = 1;
  // Lines above or below the canvas are neither measured nor drawn (a text
  // of thousands of lines would otherwise cost calls per line on every
  // paint and record); the width is that of the widest line on the canvas.
  const std::int64_t canvasH = c.GetDeviceCaps(VERTRES);
  auto visible = [&](std::int64_t top) { return canvasH <= 0 || (top + h >= 0 && top <= canvasH); };
  if (text.find('\n') == std::string::npos) {
    n = CalcTextExtents(text, c, h, total, w);
  } else {
    h = c.TextHeight("X") + 1;  // the font's height, whatever the text
    const std::int64_t top0 = std::int64_t(p.y) - h / 2;
    std::size_t from = 0;
    for (std::int64_t k = 0;; ++k) {
      const std::size_t lf = text.find('\n', from);
      if (visible(top0 + k * h)) {
        std::string_view line(text.data() + from,
                              (lf == std::string::npos ? text.size() : lf) - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        w = std::max(w, c.TextWidth(line));
      }
      if (lf == std::string::npos) {
        n = std::int32_t(k + 1);
        break;
      }
      from = lf + 1;
    }
  }
  // Offsets from the clamped anchor are computed wide and the points held
  // within +-30000 as well, whatever the text's size and line count.
  const std::int64_t x = std::int64_t(p.x) - (it.Param3 == taRightJustify ? w
                                              : it.Param3 == taCenter      ? w / 2
                                                                           : 0);
  const std::int64_t y = std::int64_t(p.y) - h / 2;
  if (n == 1) {
    const TPoint at = Clamped(x, y);
    c.TextOut(at.x, at.y, text);
    return;
  }
  if (solid) {
    PenColor(c, bkg);
    const TPoint a = Clamped(x - 4, y - 2);
    const TPoint b = Clamped(x + w + 4, y + std::int64_t(n) * h + 2);
    c.Rectangle(a.x, a.y, b.x, b.y);
  }
  std::size_t start = 0;
  for (std::int64_t k = 0; k < n; ++k) {
    const std::size_t lf = text.find('\n', start);
    if (!visible(y + k * h)) {
      if (lf == std::string::npos) break;
      start = lf + 1;
      continue;
    }
    std::string_view line(text.data() + start, (lf == std::string::npos ? text.size() : lf) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::int32_t lw = c.TextWidth(line);
    std::int64_t o = 0;
    if (it.Param3 == taRightJustify) o = std::int64_t(w) - lw;
    else if (it.Param3 == taCenter) o = (std::int64_t(w) - lw) / 2;
    const TPoint at = Clamped(x + o, y + k * h);
    c.TextOut(at.x, at.y, line);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
}

void TItemRenderer::DrawCursor(TCanvas& c, const TrcChartItem& it) {
  const bool screen = it.CoordMode == cmAllScreen || it.CoordMode == cmScreenMainWorldSec;
  if (std::uint8_t(it.CoordMode) > std::uint8_t(cmXWorldYScreen)) return;
  const TChartGeometry& g = FCtx.Geometry;
  PenBrush(c, it);
  if (it.ItemKind == tkCursorVert) {
    if (std::isnan(it.x)) return;
    const std::int32_t col = screen ? ScreenX(it.x) : WorldX(it.Layer, it.x);
    // Wide and clamped: the data area may lie at any origin of the canvas.
    c.MoveTo(col, ClampPixel(FCtx.Top));
    c.LineTo(col, ClampPixel(std::int64_t(FCtx.Top) + g.Height - g.TRim - g.BRim));
  } else {
    if (std::isnan(it.y)) return;
    const std::int32_t row = screen ? ScreenY(it.y) : WorldY(it.Layer, it.y);
    c.MoveTo(ClampPixel(FCtx.Left), row);
    c.LineTo(ClampPixel(std::int64_t(FCtx.Left) + g.Width - g.LRim - g.RRim), row);
  }
}

}  // namespace kvo
