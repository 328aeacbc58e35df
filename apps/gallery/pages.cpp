#include "apps/gallery/gallery.h"

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

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  for (const PageGroup& g : PageGroups()) g.Add(pages);
  return pages;
}

}  // namespace kvo::gallery
