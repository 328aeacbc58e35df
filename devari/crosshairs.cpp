#include "devari/crosshairs_p.h"

#include <cmath>

#include "platform/numeric.h"

namespace kvo {

namespace {


}  // namespace

void DrawCrossHairsOn(TCanvas& canvas, std::span<const TCrossHairView> crossHairs,
                      const TLayerTransforms& tf, const TChartGeometry& g, std::int32_t offsX,
                      std::int32_t offsY, TColor chartColor) {
  bool any = false;
  for (const TCrossHairView& ch : crossHairs) any = any || ch.Mode != chOff;
  if (!any) return;
  const TPenData savedPen = canvas.Pen().Data();
  const TBrushStyle savedBrush = canvas.Brush().Style();
  const std::int32_t W = g.Width, H = g.Height;
  for (std::size_t i = crossHairs.size(); i-- > 0;) {
    const TCrossHairView& ch = crossHairs[i];
    if (ch.Mode == chOff || ch.Mode > chSquare) continue;
    if (std::isnan(ch.X) || std::isnan(ch.Y)) continue;
    std::int32_t x, y;
    tf.R2M(ch.Layer, ch.X, ch.Y, x, y);
    x = ClampPixel(x);
    y = ClampPixel(y);
    const std::int32_t width = ClampToRange<std::int32_t>(ch.LineWidth, 0, 255);
    canvas.Pen().SetColor(ch.Color);
    canvas.Pen().SetWidth(width);
    canvas.Pen().SetStyle(ch.LineType);
    canvas.Pen().SetMode(pmCopy);
    canvas.Brush().SetColor(chartColor);
    // Wide, then clamped: sizes, margins and offsets may be anything.
    const std::int32_t h = width / 2;
    const std::int64_t top = std::int64_t(g.TRim) + h, left = std::int64_t(g.LRim) + h;
    const std::int64_t bottom = std::int64_t(H) - g.BRim - g.Shadow - h;
    const std::int64_t right = std::int64_t(W) - g.RRim - g.Shadow - h;
    const bool rowOk = top < y && y < bottom;
    const bool colOk = left < x && x < right;
    const std::int32_t sx = ClampPixel(std::int64_t(x) - offsX);
    const std::int32_t sy = ClampPixel(std::int64_t(y) - offsY);
    if ((ch.Mode == chHoriz || ch.Mode == chBoth) && rowOk) {
      canvas.MoveTo(ClampPixel(left + 1 - offsX), sy);
      canvas.LineTo(ClampPixel(right - offsX), sy);
    }
    if ((ch.Mode == chVert || ch.Mode == chBoth) && colOk) {
      canvas.MoveTo(sx, ClampPixel(top + 1 - offsY));
      canvas.LineTo(sx, ClampPixel(bottom - offsY));
    }
    if ((ch.Mode == chSmallCross || ch.Mode == chSquare) && rowOk && colOk) {
      canvas.Brush().SetStyle(bsClear);
      if (ch.Mode == chSmallCross) {
        canvas.Pen().SetStyle(psSolid);
        canvas.MoveTo(sx - 13, sy);
        canvas.LineTo(sx + 14, sy);
        canvas.MoveTo(sx, sy - 13);
        canvas.LineTo(sx, sy + 14);
        canvas.Pen().SetColor(clWhite);
        canvas.Rectangle(sx - 3, sy - 3, sx + 4, sy + 4);
        canvas.Pen().SetColor(clBlack);
        canvas.Rectangle(sx - 2, sy - 2, sx + 3, sy + 3);
      } else {
        canvas.Rectangle(sx - 4, sy - 4, sx + 5, sy + 5);
      }
      canvas.Brush().SetStyle(savedBrush);
    }
  }
  canvas.Pen().SetData(savedPen);
  canvas.Brush().SetStyle(savedBrush);
}

void DrawMouseTraceOn(TCanvas& canvas, std::span<const TColoredPoint> points,
                      const TLayerTransforms& tf, std::int32_t layer, const TChartGeometry& g,
                      std::int32_t offsX, std::int32_t offsY) {
  if (points.empty()) return;
  const TPenData savedPen = canvas.Pen().Data();
  const TBrushData savedBrush = canvas.Brush().Data();
  auto at = [&](const TColoredPoint& p) {
    std::int32_t x, y;
    tf.R2M(layer, p.X, p.Y, x, y);
    return TPoint{ClampPixel(std::int64_t(ClampPixel(x)) + offsX - g.LRim),
                  ClampPixel(std::int64_t(ClampPixel(y)) + offsY - g.TRim)};
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TColoredPoint& prev = points[i - 1];
    const TColoredPoint& cur = points[i];
    if (prev.Flags & 1) continue;  // prev ends a stroke
    if (std::isnan(prev.X) || std::isnan(prev.Y) || std::isnan(cur.X) || std::isnan(cur.Y))
      continue;
    canvas.Pen().SetColor(cur.Color);
    canvas.Pen().SetMode((cur.Flags & 2) ? pmXor : pmCopy);
    const TPoint a = at(prev), b = at(cur);
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
    canvas.Pen().SetMode(pmCopy);
  }
  canvas.Pen().SetData(savedPen);
  canvas.Brush().SetData(savedBrush);
}

}  // namespace kvo
