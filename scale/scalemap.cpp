#include "scale/scalemap.h"

#include <cmath>

#include "platform/numeric.h"

namespace kvo {

std::int32_t TScaleExtent::Length() const noexcept {
  const std::int64_t n = Vertical
                             ? std::int64_t(Height) - MarginTop - MarginBottom - 1
                             : std::int64_t(Width) - MarginLeft - MarginRight - 1;
  return static_cast<std::int32_t>(ClampToRange<std::int64_t>(n, -2147483647, 2147483647));
}

bool TScaleMap::Adjust(const TScaleExtent& e, double low, double high, bool log) noexcept {
  FLog = log;  // the mode always follows the axis, even when k and d cannot
  if (low == high || !std::isfinite(low) || !std::isfinite(high)) return false;
  if (log && (low <= 0.0 || high <= 0.0)) return false;
  const std::int32_t n = e.Length();
  FLow = low;
  FHigh = high;
  if (n <= 0) {
    // No room for an axis: map everything onto one pixel in the middle of
    // the control so that drawing stays inside it.
    FK = 0.0;
    FD = e.Vertical ? e.Height / 2 : e.Width / 2;
    return true;
  }
  // The differences are taken in extended precision: narrow ranges far from
  // zero would otherwise lose most of their digits.
  const long double lo = log ? std::log(static_cast<long double>(low)) : low;
  const long double hi = log ? std::log(static_cast<long double>(high)) : high;
  long double k, d;
  if (e.Vertical) {
    k = n / (lo - hi);
    d = e.MarginTop - k * hi;
  } else {
    k = n / (hi - lo);
    d = e.MarginLeft - k * lo;
  }
  if (!std::isfinite(static_cast<double>(k)) || !std::isfinite(static_cast<double>(d)) ||
      k == 0.0L)
    return false;  // a range too narrow for double precision keeps the old map
  FK = static_cast<double>(k);
  FD = static_cast<double>(d);
  return true;
}

double TScaleMap::Raw(double v) const noexcept {
  return FLog ? FK * std::log(v) + FD : FK * v + FD;
}

std::int32_t TScaleMap::ToPixel(double v, std::int32_t underflowPixel) const noexcept {
  if (FLog && !(v > 1e-100)) return underflowPixel;
  const double p = Raw(v);
  if (std::isnan(p)) return underflowPixel;
  return Round(ClampToRange(p, -2147483647.0, 2147483647.0));
}

double TScaleMap::ToValue(double pixel) const noexcept {
  if (FK == 0.0) {
    // Degenerate map: every pixel stands for the whole range. The centres
    // are taken so that ends near the limits of the doubles do not overflow.
    return FLog ? std::sqrt(FLow) * std::sqrt(FHigh) : FLow / 2 + FHigh / 2;
  }
  const double t = (pixel - FD) / FK;
  return FLog ? std::exp(t) : t;
}

void TScaleMap::Set(double k, double d, bool log, double low, double high) noexcept {
  FK = k;
  FD = d;
  FLog = log;
  FLow = low;
  FHigh = high;
}

}  // namespace kvo
