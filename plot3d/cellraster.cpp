#include "plot3d/cellraster_p.h"

#include <algorithm>
#include <cmath>

namespace kvo::detail {

namespace {

TRGB32 PixelFor(TColor c) noexcept {
  const TColor rgb = ColorToRGB(c);
  return {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 255};
}

}  // namespace

TCellTarget::TCellTarget(TCanvas& canvas, TBitmap* direct) : FCanvas(canvas), FBmp(direct) {
  if (FBmp && FBmp->Empty()) FBmp = nullptr;
  if (FBmp) {
    FW = FBmp->Width();
    FH = FBmp->Height();
    // Whatever the canvas drew before must be in the pixels.
    if (TCanvasDevice* d = canvas.Device()) d->Flush();
  }
}

void TCellTarget::Polygon(const TPoint* pts, std::size_t n, TColor pen, TColor fill,
                          bool filled) {
  if (n < 2) return;
  if (!FBmp) {
    FCanvas.Pen().SetData(TPenData{pen, psSolid, 1, pmCopy});
    FCanvas.Brush().SetData(TBrushData{fill, filled ? bsSolid : bsClear});
    FCanvas.Polygon(pts, n);
    return;
  }
  if (filled) FillSpans(pts, n, PixelFor(fill));
  const TRGB32 px = PixelFor(pen);
  for (std::size_t i = 0; i < n; ++i) Segment(pts[i], pts[(i + 1) % n], px);
}

void TCellTarget::Line(TPoint a, TPoint b, TColor c) {
  if (!FBmp) {
    FCanvas.Pen().SetData(TPenData{c, psSolid, 1, pmCopy});
    FCanvas.MoveTo(a.x, a.y);
    FCanvas.LineTo(b.x, b.y);
    return;
  }
  Segment(a, b, PixelFor(c));
}

void TCellTarget::Pixel(TPoint p, TColor c) {
  if (!FBmp) {
    FCanvas.SetPixel(p.x, p.y, c);
    return;
  }
  if (p.x >= 0 && p.y >= 0 && p.x < FW && p.y < FH) FBmp->ScanLine(p.y)[p.x] = PixelFor(c);
}

void TCellTarget::Segment(TPoint a, TPoint b, TRGB32 px) {
  const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const std::int64_t n = std::max(adx, ady);
  if (n == 0) return;
  const bool xMajor = adx >= ady;
  const std::int64_t amaj = xMajor ? adx : ady, amin = xMajor ? ady : adx;
  const int smaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int smin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t twoMaj = 2 * amaj, twoMin = 2 * amin;
  const bool inside = a.x >= 0 && a.y >= 0 && a.x < FW && a.y < FH && b.x >= 0 && b.y >= 0 &&
                      b.x < FW && b.y < FH;
  TRGB32* const base = FBmp->Bits();
  const std::ptrdiff_t stride = FBmp->Stride();
  // Pixel i: major m0 + smaj*i, minor n0 + smin*floor((2*i*amin + amaj) / (2*amaj)).
  std::int64_t r = amaj;
  if (inside) {
    TRGB32* p = base + std::ptrdiff_t(a.y) * stride + a.x;
    const std::ptrdiff_t stepMaj = xMajor ? smaj : smaj * stride;
    const std::ptrdiff_t stepMin = xMajor ? smin * stride : smin;
    for (std::int64_t i = 0; i < n; ++i) {
      *p = px;
      p += stepMaj;
      r += twoMin;
      if (r >= twoMaj) {
        r -= twoMaj;
        p += stepMin;
      }
    }
    return;
  }
  std::int64_t x = a.x, y = a.y;
  for (std::int64_t i = 0; i < n; ++i) {
    if (x >= 0 && y >= 0 && x < FW && y < FH) base[std::ptrdiff_t(y) * stride + x] = px;
    if (xMajor) x += smaj;
    else y += smaj;
    r += twoMin;
    if (r >= twoMaj) {
      r -= twoMaj;
      if (xMajor) y += smin;
      else x += smin;
    }
  }
}

void TCellTarget::FillSpans(const TPoint* pts, std::size_t n, TRGB32 px) {
  std::int32_t top = pts[0].y, bottom = pts[0].y;
  for (std::size_t i = 1; i < n; ++i) {
    top = std::min(top, pts[i].y);
    bottom = std::max(bottom, pts[i].y);
  }
  top = std::max(top, 0);
  bottom = std::min(bottom, FH - 1);
  constexpr std::size_t kMaxCross = 16;
  double xs[kMaxCross];
  for (std::int32_t y = top; y <= bottom; ++y) {
    std::size_t k = 0;
    // Each edge covers its rows half-open, so a vertex counts once.
    for (std::size_t i = 0; i < n && k < kMaxCross; ++i) {
      const TPoint a = pts[i], b = pts[(i + 1) % n];
      if (a.y == b.y) continue;
      const TPoint lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
      if (y < lo.y || y >= hi.y) continue;
      xs[k++] = lo.x + double(y - lo.y) * double(hi.x - lo.x) / double(hi.y - lo.y);
    }
    if (k < 2) continue;
    std::sort(xs, xs + k);
    TRGB32* row = FBmp->ScanLine(y);
    for (std::size_t j = 0; j + 1 < k; j += 2) {
      const double l = std::max(std::ceil(xs[j]), 0.0);
      const double r = std::min(std::floor(xs[j + 1]), double(FW - 1));
      if (l > r) continue;
      std::fill(row + std::ptrdiff_t(l), row + std::ptrdiff_t(r) + 1, px);
    }
  }
}

}  // namespace kvo::detail
