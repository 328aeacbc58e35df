#include "apps/gallery/gallery.h"

namespace kvo::gallery {

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  AddCanvasPages(pages);
  AddLibsPages(pages);
  AddScalePages(pages);
  AddChartPages(pages);
#if KVO_GALLERY_HAVE_PLOT3D
  AddPlot3DPages(pages);
#endif
  return pages;
}

}  // namespace kvo::gallery
