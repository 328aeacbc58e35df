#include "libs/matrix.h"

#include <cmath>
#include <limits>
#include <vector>

#include "libs/math1.h"

namespace kvo {

std::int64_t TMatrix::MinMax(std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                             std::int32_t iy2, double& min, double& max) const {
  min = max = 0;
  if (!ClipRange(ix1, iy1, ix2, iy2)) return 0;
  std::int64_t n = 0;
  for (std::int32_t ix = ix1; ix <= ix2; ++ix)
    for (std::int32_t iy = iy1; iy <= iy2; ++iy) {
      const double v = At(ix, iy);
      if (std::isnan(v)) continue;
      if (n == 0 || v < min) min = v;
      if (n == 0 || v > max) max = v;
      ++n;
    }
  return n;
}

double TMatrix::Percentile(double p, std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                           std::int32_t iy2) const {
  if (!ClipRange(ix1, iy1, ix2, iy2)) return std::numeric_limits<double>::quiet_NaN();
  std::vector<double> vals;
  vals.reserve(std::size_t(ix2 - ix1 + 1) * std::size_t(iy2 - iy1 + 1));
  for (std::int32_t ix = ix1; ix <= ix2; ++ix)
    for (std::int32_t iy = iy1; iy <= iy2; ++iy) vals.push_back(At(ix, iy));
  return PercentileOf(vals, p);
}

std::int64_t TIntMatrix::MinMax(std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                                std::int32_t iy2, std::int32_t& min, std::int32_t& max) const {
  min = max = 0;
  if (!ClipRange(ix1, iy1, ix2, iy2)) return 0;
  min = max = At(ix1, iy1);
  for (std::int32_t ix = ix1; ix <= ix2; ++ix)
    for (std::int32_t iy = iy1; iy <= iy2; ++iy) {
      const std::int32_t v = At(ix, iy);
      if (v < min) min = v;
      if (v > max) max = v;
    }
  return std::int64_t(ix2 - ix1 + 1) * (iy2 - iy1 + 1);
}

double TIntMatrix::Percentile(double p, std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                              std::int32_t iy2) const {
  if (!ClipRange(ix1, iy1, ix2, iy2)) return std::numeric_limits<double>::quiet_NaN();
  std::vector<double> vals;
  vals.reserve(std::size_t(ix2 - ix1 + 1) * std::size_t(iy2 - iy1 + 1));
  for (std::int32_t ix = ix1; ix <= ix2; ++ix)
    for (std::int32_t iy = iy1; iy <= iy2; ++iy) vals.push_back(At(ix, iy));
  return PercentileOf(vals, p);
}

}  // namespace kvo
