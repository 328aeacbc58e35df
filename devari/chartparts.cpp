#include "devari/chartparts_p.h"

#include <algorithm>

#include "platform/host.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

std::int32_t Pixels(std::int32_t logical, std::int32_t f) noexcept {
  return ClampToInt(double(logical) * f);
}
// Device pixels per logical pixel of one of the images.
std::int32_t FactorOf(const TBitmap& bmp) noexcept { return std::max(Round(bmp.SurfaceScale()), 1); }

}  // namespace

TPaintColors ChartPaintColors(const TChartStyle& style, TStyleElements elements) {
  TPaintColors c{style.WindColor, style.ShadowBakColor, style.ShadowColor, clBlack,
                 style.ChartColor, style.FrameColor,    style.FrameColor};
  const std::optional<TThemeColors> theme = Host().ThemeColors();
  if (!theme) return c;
  if (elements.Contains(seClient)) {
    c.Wind = c.ShadowBak = theme->Window;
    c.Shadow = theme->Shadow;
    c.Outline = c.Frame = theme->Border;
    c.Chart = theme->Grid;
  }
  if (elements.Contains(seFont)) c.Text = theme->PanelText;
  return c;
}

void TChartPaintParts::SizeChart(std::int32_t width, std::int32_t height, std::int32_t f) {
  ChartBmp.SetSize(Pixels(width, f), Pixels(height, f));
  ChartBmp.SetSurfaceScale(f);
}

void TChartPaintParts::SizeData(const TChartGeometry& g, std::int32_t f) {
  GrafBmp.SetSize(Pixels(g.DataBmpWidth(), f), Pixels(g.DataBmpHeight(), f));
  GrafBmp.SetSurfaceScale(f);
}

bool TChartPaintParts::ChartFits(std::int32_t width, std::int32_t height, std::int32_t f) const noexcept {
  return FactorOf(ChartBmp) == f && ChartBmp.Width() == Pixels(width, f) &&
         ChartBmp.Height() == Pixels(height, f);
}

bool TChartPaintParts::DataFits(const TChartGeometry& g, std::int32_t f) const noexcept {
  return FactorOf(GrafBmp) == f && GrafBmp.Width() == Pixels(g.DataBmpWidth(), f) &&
         GrafBmp.Height() == Pixels(g.DataBmpHeight(), f);
}

void TChartPaintParts::Put(TCanvas& canvas, std::int32_t x, std::int32_t y, TBitmap& bitmap) const {
  const std::int32_t f = &bitmap == &ChartBmp || &bitmap == &GrafBmp ? FactorOf(bitmap) : 1;
  if (f == 1) {
    canvas.Draw(x, y, bitmap);
    return;
  }
  canvas.StretchDraw(TRect{x, y, ClampToInt(double(x) + bitmap.Width() / f),
                           ClampToInt(double(y) + bitmap.Height() / f)},
                     bitmap);
}

}  // namespace kvo
