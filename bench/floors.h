// Reference loops the benchmarks measure the library against, so that the
// chart and the canvas compare with the very same floor.
#pragma once

#include <cstdlib>
#include <vector>

#include "platform/bitmap.h"

namespace kvo::bench {

// A textbook Bresenham polyline straight into the rows (end pixel left out,
// no clipping: every point must lie inside the bitmap).
inline void PlainPolyline(TBitmap& b, const std::vector<TPoint>& pts, TRGB32 px) {
  TRGB32* base = b.Bits();
  const int stride = b.Stride();
  for (std::size_t k = 1; k < pts.size(); ++k) {
    int x0 = pts[k - 1].x, y0 = pts[k - 1].y;
    const int x1 = pts[k].x, y1 = pts[k].y;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    while (x0 != x1 || y0 != y1) {
      base[y0 * stride + x0] = px;
      const int e2 = 2 * err;
      if (e2 > -dy) { err -= dy; x0 += sx; }
      if (e2 < dx) { err += dx; y0 += sy; }
    }
  }
}

}  // namespace kvo::bench
