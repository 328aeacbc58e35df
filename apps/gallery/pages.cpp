#include "apps/gallery/gallery.h"

#include "devari/devari.h"

namespace kvo::gallery {

const std::vector<PageGroup>& PageGroups() {
  static const std::vector<PageGroup> groups = {
      {"platform", AddCanvasPages},
      {"libs", AddLibsPages},
      {"scale", AddScalePages},
      {"devari", AddChartPages},
      {"rot3d", AddRot3DPages},
      {"plot3d", AddPlot3DPages},
      {"colorscale", AddColorScalePages},
      {"gauge", AddGaugePages},
      {"boxplot", AddBoxPlotPages},
      {"smith", AddSmithPages},
      {"contour", AddContourPages},
  };
  return groups;
}

void ClearPage(TCanvas& c, int w, int h, TColor colour) {
  c.Pen().SetData({});
  c.Brush().SetData({});
  c.Brush().SetColor(colour);
  c.Pen().SetColor(colour);
  c.Rectangle(0, 0, w, h);
}

void PageTitle(TCanvas& c, int x, int y, const std::string& s, TColor colour) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetData({});
  c.Font().SetColor(colour);
  c.Font().SetSize(9);
  c.Font().SetStyle({fsBold});
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(x, y, s);
  c.Font().SetStyle({});
}

void ShowChart(TCanvas& page, TCustomDEvari& chart, int x, int y) {
  chart.SetSuppressPaint(true);
  chart.SetSuppressPaint(false);  // one full paint
  page.Draw(x, y, chart.Surface());
}

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  for (const PageGroup& g : PageGroups()) g.Add(pages);
  return pages;
}

}  // namespace kvo::gallery
