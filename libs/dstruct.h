// Data structures of the base library: the byte matrix (masks of the
// contour plot).
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "grid2d.h"

namespace kvo {

// 1-based matrix of bytes (see TGrid2D for sizes, indexes and notification).
class KVO_API TByteMatrix : public TGrid2D<std::uint8_t> {
public:
  using TGrid2D::TGrid2D;
  // Throws EKvoError outside the matrix.
  std::uint8_t GetByte(std::int32_t ix, std::int32_t iy) const { return Get(ix, iy); }
  void SetByte(std::int32_t ix, std::int32_t iy, std::uint8_t v) { Set(ix, iy, v); }
  // Number of cells holding v.
  std::int64_t CountValue(std::uint8_t v) const noexcept;
};

}  // namespace kvo
