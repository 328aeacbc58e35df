#include "devari/labeldraw_p.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "platform/numeric.h"

namespace kvo {

namespace {

std::vector<std::string_view> SplitLines(const std::string& text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t lf = text.find('\n', start);
    std::string_view line(text.data() + start, (lf == std::string::npos ? text.size() : lf) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}


void DrawOne(TCanvas& canvas, const TTextLabelView& lb, const TLayerTransforms& tf,
             const TChartGeometry& g, std::int32_t left, std::int32_t top) {
  std::int32_t wx, wy;
  tf.R2M(lb.Layer, lb.PosX, lb.PosY, wx, wy);
  const bool worldX = lb.Attach == tlaWorldX || lb.Attach == tlaWorld;
  const bool worldY = lb.Attach == tlaWorldY || lb.Attach == tlaWorld;
  const std::int64_t ax = worldX ? ClampPixel(wx) : ClampPixel(Round(lb.PosX));
  const std::int64_t ay = worldY ? ClampPixel(wy) : ClampPixel(Round(lb.PosY));
  // Clamped: the data area may be drawn at any origin of a foreign canvas.
  std::int32_t x = ClampPixel(ax - g.LRim + left);
  std::int32_t y = ClampPixel(ay - g.TRim + top);

  canvas.Font().SetData(lb.Font);
  canvas.Pen().SetColor(lb.ColorBorder);
  canvas.Pen().SetStyle(psSolid);
  canvas.Brush().SetColor(lb.ColorBkg);
  canvas.Brush().SetStyle(lb.Transparent ? bsClear : bsSolid);

  std::vector<std::string_view> lines = SplitLines(lb.Caption);
  std::int32_t c = 0;
  for (std::string_view l : lines) c = std::max(c, canvas.TextWidth(l));
  if (c == 0) c = canvas.TextWidth(lb.Caption);
  c = ClampPixel(c);  // wider than any surface: alignment needs no more
  const std::int32_t d = std::max(canvas.TextHeight(lb.Caption), 1);
  // A block taller than any canvas keeps only its last lines, so that the
  // pixel arithmetic below stays far from overflowing.
  const std::size_t maxLines = std::size_t((1 << 24) / d);
  if (lines.size() > maxLines) lines.erase(lines.begin(), lines.end() - std::ptrdiff_t(maxLines));
  const std::int32_t n = std::int32_t(lines.size());

  if (lb.VAlign == taAlignTop) y += d * n;
  else if (lb.VAlign == taVerticalCenter) y += (d * n) / 2;
  if (lb.Alignment == taRightJustify) x -= c;
  else if (lb.Alignment == taCenter) x -= c / 2;

  const TRect box = LabelBox(x, y, c, d, n);
  switch (lb.Mode) {
    case tlmPlain:
    case tlmUnderlined:
      if (!lb.Transparent) {
        canvas.Pen().SetColor(lb.ColorBkg);
        canvas.Rectangle(box);
      }
      if (lb.Mode == tlmUnderlined) {
        canvas.Pen().SetColor(lb.ColorBorder);
        canvas.MoveTo(x, y);
        canvas.LineTo(x + c, y);
      }
      break;
    case tlmBoxed: canvas.Rectangle(box); break;
    case tlmShadowBox:
      canvas.Pen().SetColor(lb.ColorShadow);
      canvas.Brush().SetColor(lb.ColorShadow);
      canvas.Brush().SetStyle(bsSolid);
      {
        const std::int32_t sx = ClampPixel(lb.ShadowDx);
        const std::int32_t sy = ClampPixel(lb.ShadowDy);
        canvas.Rectangle(box.Left + sx, box.Top + sy, box.Right + sx, box.Bottom + sy);
      }
      canvas.Pen().SetColor(lb.ColorBorder);
      canvas.Brush().SetColor(lb.ColorBkg);
      canvas.Brush().SetStyle(lb.Transparent ? bsClear : bsSolid);
      canvas.Rectangle(box);
      break;
    default: break;  // modes of later versions: text only
  }
  // The box is painted; the text goes on it without a cell fill of its own.
  canvas.Brush().SetStyle(bsClear);
  for (std::int32_t k = 0; k < n; ++k) {
    const std::int32_t lw = canvas.TextWidth(lines[std::size_t(k)]);
    std::int32_t o = 0;
    if (n > 1) {
      if (lb.Alignment == taRightJustify) o = c - lw;
      else if (lb.Alignment == taCenter) o = (c - lw) / 2;
    }
    canvas.TextOut(x + o, y - d * (n - k), lines[std::size_t(k)]);
  }
}

}  // namespace

void DrawTextLabelsOn(TCanvas& canvas, std::span<const TTextLabelView> labels,
                      const bool layerVisible[3], const TLayerTransforms& tf,
                      const TChartGeometry& g, std::int32_t left, std::int32_t top) {
  for (std::size_t i = labels.size(); i-- > 0;) {
    const TTextLabelView& lb = labels[i];
    if (lb.Mode == tlmFree || !lb.Visible) continue;
    if (!layerVisible[ClampLayer(lb.Layer)]) continue;
    if (std::isnan(lb.PosX) || std::isnan(lb.PosY)) continue;
    DrawOne(canvas, lb, tf, g, left, top);
  }
}

}  // namespace kvo
