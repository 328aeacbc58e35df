#include "apps/gallery/gallery.h"

namespace kvo::gallery {

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  AddCanvasPages(pages);
  AddLibsPages(pages);
  AddScalePages(pages);
  AddChartPages(pages);
  AddRot3DPages(pages);
  AddPlot3DPages(pages);
  AddBoxPlotPages(pages);
  AddSmithPages(pages);
  return pages;
}

}  // namespace kvo::gallery
