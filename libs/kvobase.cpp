// Canvas font helper and the error raisers of the grid containers.
#include <cmath>
#include <string>

#include "libs/grid2d.h"
#include "libs/kvobase.h"

namespace kvo {

void SetCanvasFontSizeScaled(TCanvas& canvas, double points) {
  if (std::isnan(points)) return;
  if (points < 1) points = 1;
  std::int32_t ppi = canvas.GetDeviceCaps(LOGPIXELSY);
  if (ppi <= 0) ppi = 96;
  TFontData d = canvas.Font().Data();
  d.PixelsPerInch = ppi;
  d.Size = points;
  canvas.Font().SetData(d);
}

void RaiseGridIndexError(std::int32_t ix, std::int32_t iy, std::int32_t nx, std::int32_t ny) {
  throw EKvoError("grid index out of range: (" + std::to_string(ix) + ", " + std::to_string(iy) +
                  ") in " + std::to_string(nx) + " x " + std::to_string(ny));
}

void RaiseGridSizeError() { throw EKvoError("grid too large"); }

}  // namespace kvo
