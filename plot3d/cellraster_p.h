// Where the surface plot draws its cells: through a canvas (any device), or
// straight into the pixels of its own off-screen bitmap. The direct way
// follows the canvas' pixel rules for the 1-pixel solid pen (a segment
// leaves out its end pixel and takes the nearest pixel of each step, halves
// rounded away from its start; a polygon's interior is every pixel whose
// centre lies inside, even-odd), so both give the same picture; it only
// skips the per-call work of the canvas, which dominates for ten thousand
// small cells.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kvo::detail {

class TCellTarget {
public:
  // Draws through canvas; when direct is given (a bitmap at scale 1 whose
  // canvas is `canvas`, without antialiasing or clipping), pixels are written
  // into it instead.
  TCellTarget(TCanvas& canvas, TBitmap* direct);

  bool Direct() const noexcept { return FBmp != nullptr; }
  TCanvas& Canvas() noexcept { return FCanvas; }

  // Polygon with a 1-pixel solid outline in pen; filled with fill unless
  // filled is false.
  void Polygon(const TPoint* pts, std::size_t n, TColor pen, TColor fill, bool filled);
  // Segment a->b without its end pixel.
  void Line(TPoint a, TPoint b, TColor c);
  void Pixel(TPoint p, TColor c);

private:
  void Segment(TPoint a, TPoint b, TRGB32 px);
  void FillSpans(const TPoint* pts, std::size_t n, TRGB32 px);

  TCanvas& FCanvas;
  TBitmap* FBmp;
  std::int32_t FW = 0, FH = 0;
};

}  // namespace kvo::detail
