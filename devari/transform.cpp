#include "devari/transform.h"

namespace kvo {

namespace {

// One axis' slope and offset so that lo maps to pixel p0 and hi to pixel p1.
// Returns false (parameters untouched) for a logarithmic axis with a bound <= 0.
bool AxisParams(const TAxisRange& a, long double extent, long double p0, long double p1,
                long double& k, long double& d) {
  if (a.Log) {
    if (a.High <= 0 || a.Low <= 0) return false;
    const long double lh = std::log(a.High), ll = std::log(a.Low);
    k = extent / (lh - ll);
    d = (lh * p0 - ll * p1) / (lh - ll);
  } else {
    k = extent / (a.High - a.Low);
    d = (p0 * a.High - p1 * a.Low) / (a.High - a.Low);
  }
  return true;
}

}  // namespace

bool TLayerTransforms::Adjust(const TChartGeometry& g, const TAxisRange& x1,
                              const TAxisRange& y1, const TAxisRange& x2,
                              const TAxisRange& y2) {
  FWidth = g.Width;
  FHeight = g.Height;
  const long double a = g.DataWidth(), b = g.DataHeight();
  const TAxisRange* xs[3] = {nullptr, &x1, &x2};
  const TAxisRange* ys[3] = {nullptr, &y1, &y2};
  for (int l = 1; l <= 2; ++l) {
    const TAxisRange& x = *xs[l];
    if (a > 0) {
      // The ends in extended precision: sizes and margins may be anything.
      if (!AxisParams(x, a, g.LRim, static_cast<long double>(g.Width) - g.RRim - g.Shadow, Cpkx[l],
                      Cpdx[l]))
        return false;
    } else {
      Cpkx[l] = 0;
      Cpdx[l] = g.Width / 2.0L;
    }
    FX[l] = {x.Log, x.Low > x.High};
    const TAxisRange& y = *ys[l];
    if (b > 0) {
      // Inverted direction: lo at the bottom row, hi at the top row.
      if (!AxisParams(y, -b, static_cast<long double>(g.Height) - g.BRim - g.Shadow, g.TRim,
                      Cpky[l], Cpdy[l]))
        return false;
    } else {
      Cpky[l] = 0;
      Cpdy[l] = g.Height / 2.0L;
    }
    FY[l] = {y.Log, y.Low > y.High};
  }
  return true;
}

void TLayerTransforms::M2R(std::int32_t layer, std::int32_t mx, std::int32_t my, double& rx,
                           double& ry) const noexcept {
  const int l = ClampLayer(layer);
  long double x = (mx - Cpdx[l]) / Cpkx[l];
  long double y = (my - Cpdy[l]) / Cpky[l];
  if (FX[l].Log) x = std::exp(x);
  if (FY[l].Log) y = std::exp(y);
  rx = static_cast<double>(x);
  ry = static_cast<double>(y);
}

void TLayerTransforms::GetParams(std::int32_t layer, double& kx, double& dx, double& ky,
                                 double& dy) const noexcept {
  const int l = ClampLayer(layer);
  kx = static_cast<double>(Cpkx[l]);
  dx = static_cast<double>(Cpdx[l]);
  ky = static_cast<double>(Cpky[l]);
  dy = static_cast<double>(Cpdy[l]);
}

}  // namespace kvo
