// 1-based numeric matrices: TMatrix (doubles) and TIntMatrix (32-bit integers).
// Sizes, indexes and change notification as TGrid2D. Cell ranges (ix1, iy1)
// to (ix2, iy2) may be given in either corner order and are clipped to the
// matrix. Percentiles use the definition of PercentileOf (math1.h): linear
// interpolation between order statistics, p in percent.
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "grid2d.h"

namespace kvo {

class KVO_API TMatrix : public TGrid2D<double> {
public:
  using TGrid2D::TGrid2D;
  // Throws EKvoError outside the matrix.
  double GetVal(std::int32_t ix, std::int32_t iy) const { return Get(ix, iy); }
  void SetVal(std::int32_t ix, std::int32_t iy, double v) { Set(ix, iy, v); }
  // Smallest and largest value of the range, NaN cells skipped. Returns the
  // number of cells used; with none, min = max = 0.
  std::int64_t MinMax(std::int32_t ix1, std::int32_t iy1, std::int32_t ix2, std::int32_t iy2,
                      double& min, double& max) const;
  // Over the whole matrix.
  std::int64_t MinMax(double& min, double& max) const { return MinMax(1, 1, NrOfColumns(), NrOfRows(), min, max); }
  // Percentile p of the range (NaN cells skipped); NaN for an empty range.
  double Percentile(double p, std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                    std::int32_t iy2) const;
  double Percentile(double p) const { return Percentile(p, 1, 1, NrOfColumns(), NrOfRows()); }
};

class KVO_API TIntMatrix : public TGrid2D<std::int32_t> {
public:
  using TGrid2D::TGrid2D;
  std::int32_t GetVal(std::int32_t ix, std::int32_t iy) const { return Get(ix, iy); }
  void SetVal(std::int32_t ix, std::int32_t iy, std::int32_t v) { Set(ix, iy, v); }
  // Returns the number of cells; with none, min = max = 0.
  std::int64_t MinMax(std::int32_t ix1, std::int32_t iy1, std::int32_t ix2, std::int32_t iy2,
                      std::int32_t& min, std::int32_t& max) const;
  std::int64_t MinMax(std::int32_t& min, std::int32_t& max) const { return MinMax(1, 1, NrOfColumns(), NrOfRows(), min, max); }
  // NaN for an empty range.
  double Percentile(double p, std::int32_t ix1, std::int32_t iy1, std::int32_t ix2,
                    std::int32_t iy2) const;
  double Percentile(double p) const { return Percentile(p, 1, 1, NrOfColumns(), NrOfRows()); }
};

}  // namespace kvo
