#include "platform/raster_device_p.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/numeric.h"
#include "platform/raster_ops_p.h"

namespace kvo::detail {

namespace {

TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

}  // namespace

TRasterDevice::TDash::TDash(TPenStyle s) {
  const auto p = DashPattern(s);
  if (p.empty()) return;
  Pattern = p.data();
  Count = p.size();
  Left = Pattern[0];
  for (std::uint8_t v : p) Period += v;
}

void TRasterDevice::TDash::Skip(std::int64_t n) noexcept {
  if (n <= 0 || Period <= 0) return;
  n %= Period;
  while (n-- > 0) Step();
}

TRasterDevice::TRasterDevice(TBitmap& bmp) : FBmp(bmp) { FPixelHatch = true; }

TRasterDevice::~TRasterDevice() {
  ReleaseCairo();
  if (FMaskCr) cairo_destroy(FMaskCr);
  if (FMask) cairo_surface_destroy(FMask);
}

void TRasterDevice::ReleaseCairo() {
  if (FCr) cairo_destroy(FCr);
  if (FSurface) cairo_surface_destroy(FSurface);
  FCr = nullptr;
  FSurface = nullptr;
  FSurfaceData = nullptr;
  FCairoWrote = false;
}

TDeviceCaps TRasterDevice::Caps() const {
  TDeviceCaps c;
  c.Width = static_cast<std::int32_t>(FBmp.Width() / FScale);
  c.Height = static_cast<std::int32_t>(FBmp.Height() / FScale);
  c.LogPixelsX = c.LogPixelsY = FBmp.PixelsPerInch();
  c.RasterOps = true;
  c.PixelRead = true;
  c.Scale = FScale;
  return c;
}

void TRasterDevice::SetScale(double scale) {
  if (!(scale > 0) || std::isinf(scale)) scale = 1;
  scale = std::clamp(scale, 0.25, 8.0);
  if (scale == FScale) return;
  FScale = scale;
  ReleaseCairo();
}

cairo_t* TRasterDevice::Cr() {
  if (FBmp.Empty()) return nullptr;
  if (FSurfaceData != FBmp.Bits() || FSurfaceW != FBmp.Width() || FSurfaceH != FBmp.Height() ||
      (FCr && cairo_status(FCr) != CAIRO_STATUS_SUCCESS)) {
    ReleaseCairo();
    FSurface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(FBmp.Bits()), CAIRO_FORMAT_ARGB32, FBmp.Width(),
        FBmp.Height(), FBmp.Width() * 4);
    FCr = cairo_create(FSurface);
    if (cairo_status(FCr) != CAIRO_STATUS_SUCCESS) {
      ReleaseCairo();
      return nullptr;
    }
    if (FScale != 1.0) cairo_scale(FCr, FScale, FScale);
    FSurfaceData = FBmp.Bits();
    FSurfaceW = FBmp.Width();
    FSurfaceH = FBmp.Height();
    FDirectWrote = false;
  }
  // Pixels may have changed behind Cairo's back (our own paths, ScanLine).
  cairo_surface_mark_dirty(FSurface);
  FDirectWrote = false;
  FCairoWrote = true;
  return FCr;
}

void TRasterDevice::Direct() {
  if (FCairoWrote && FSurface) {
    cairo_surface_flush(FSurface);
    FCairoWrote = false;
  }
  FDirectWrote = true;
}

void TRasterDevice::Flush() {
  if (FSurface) cairo_surface_flush(FSurface);
  FCairoWrote = false;
}

TRect TRasterDevice::ClipBox() const noexcept {
  const TRect full{0, 0, FBmp.Width(), FBmp.Height()};
  return FClip ? Intersect(full, *FClip) : full;
}

// ---- Lines --------------------------------------------------------------------

void TRasterDevice::Segment(TPoint a, TPoint b, TRGB32 px, TPenMode mode, TDash* dash,
                            const TRect& c) {
  const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const std::int64_t n = std::max(adx, ady);  // pixels drawn: the end pixel is left out
  if (n == 0) return;
  const bool xMajor = adx >= ady;
  const std::int64_t amaj = xMajor ? adx : ady, amin = xMajor ? ady : adx;
  const int smaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int smin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  if (c.IsEmpty()) {
    if (dash) dash->Skip(n);
    return;
  }
  const bool inside = c.Contains(a) && c.Contains(b);
  const std::int32_t stride = FBmp.Stride();
  TRGB32* const base = FBmp.Bits();
  // Pixel i (0..n-1): major coordinate m0 + smaj*i, minor coordinate
  // n0 + smin * floor((2*i*amin + amaj) / (2*amaj)), i.e. the nearest pixel
  // to the exact line with halves rounded away from the start.
  if (inside && !dash && mode == pmCopy) {
    TRGB32* p = base + std::ptrdiff_t(a.y) * stride + a.x;
    const std::ptrdiff_t stepMaj = xMajor ? smaj : std::ptrdiff_t(smaj) * stride;
    const std::ptrdiff_t stepMin = xMajor ? std::ptrdiff_t(smin) * stride : smin;
    const int twoMaj = int(2 * amaj), twoMin = int(2 * amin);
    int r = int(amaj);
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
  // Clipped or styled: restrict the steps to those whose major coordinate
  // lies in the clip (plus the minor range, bounded conservatively), then
  // test each pixel.
  const std::int64_t m0 = xMajor ? a.x : a.y, n0 = xMajor ? a.y : a.x;
  const std::int64_t cMajLo = xMajor ? c.Left : c.Top, cMajHi = (xMajor ? c.Right : c.Bottom) - 1;
  const std::int64_t cMinLo = xMajor ? c.Top : c.Left, cMinHi = (xMajor ? c.Bottom : c.Right) - 1;
  std::int64_t ia = 0, ib = n;  // [ia, ib)
  if (smaj > 0) {
    ia = std::max(ia, cMajLo - m0);
    ib = std::min(ib, cMajHi - m0 + 1);
  } else {
    ia = std::max(ia, m0 - cMajHi);
    ib = std::min(ib, m0 - cMajLo + 1);
  }
  if (amin > 0 && ia < ib) {
    // Minor offset k(i) is monotone; k in [kLo, kHi] keeps the pixel in range.
    std::int64_t kLo, kHi;
    if (smin > 0) { kLo = cMinLo - n0; kHi = cMinHi - n0; }
    else { kLo = n0 - cMinHi; kHi = n0 - cMinLo; }
    if (kHi < 0 || kLo > amin) {
      ia = ib;
    } else {
      // i >= (2*amaj*kLo - amaj) / (2*amin), i < (2*amaj*(kHi+1) - amaj) / (2*amin); one
      // step of slack each way, the per-pixel test settles the rest.
      if (kLo > 0) {
        const long double lo = (2.0L * amaj * kLo - amaj) / (2.0L * amin);
        ia = std::max<std::int64_t>(ia, static_cast<std::int64_t>(std::floor(lo)) - 1);
      }
      if (kHi < amin) {
        const long double hi = (2.0L * amaj * (kHi + 1) - amaj) / (2.0L * amin);
        ib = std::min<std::int64_t>(ib, static_cast<std::int64_t>(std::ceil(hi)) + 1);
      }
    }
  } else if (amin == 0 && (n0 < cMinLo || n0 > cMinHi)) {
    ia = ib;
  }
  if (ia < 0) ia = 0;
  if (ib > n) ib = n;
  if (ia >= ib) {
    if (dash) dash->Skip(n);
    return;
  }
  if (dash) dash->Skip(ia);
  const std::int64_t twoMaj = 2 * amaj, twoMin = 2 * amin;
  // 2*amin*ia can pass 2^63 for lines between far-away points.
  const __int128 num = static_cast<__int128>(twoMin) * ia + amaj;
  std::int64_t minor = n0 + smin * static_cast<std::int64_t>(num / twoMaj);
  std::int64_t r = static_cast<std::int64_t>(num % twoMaj);
  std::int64_t major = m0 + smaj * ia;
  for (std::int64_t i = ia; i < ib; ++i) {
    const bool on = !dash || dash->On();
    if (on) {
      const std::int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
      if (x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom) {
        TRGB32& d = base[std::ptrdiff_t(y) * stride + std::ptrdiff_t(x)];
        d = mode == pmCopy ? px : Rop2(mode, px, d);
      }
    }
    if (dash) dash->Step();
    major += smaj;
    r += twoMin;
    if (r >= twoMaj) {
      r -= twoMaj;
      minor += smin;
    }
  }
  if (dash) dash->Skip(n - ib);
}

void TRasterDevice::Line(TPoint a, TPoint b, const TPenData& pen) {
  if (!Fast() || pen.Width > 1 || pen.Style == psClear) {
    TCairoDevice::Line(a, b, pen);
    return;
  }
  if (FBmp.Empty()) return;
  Direct();
  TDash dash(pen.Style);
  Segment(a, b, PixelOf(pen.Color), pen.Mode, dash.Pattern ? &dash : nullptr, ClipBox());
}

void TRasterDevice::Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) {
  if (!Fast() || pen.Width > 1 || pen.Style == psClear) {
    TCairoDevice::Polyline(pts, n, pen);
    return;
  }
  if (FBmp.Empty() || n < 2) return;
  Direct();
  TDash dash(pen.Style);
  TDash* d = dash.Pattern ? &dash : nullptr;
  const TRGB32 px = PixelOf(pen.Color);
  const TRect clip = ClipBox();
  for (std::size_t i = 1; i < n; ++i) Segment(pts[i - 1], pts[i], px, pen.Mode, d, clip);
}

void TRasterDevice::Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
                            const TBrushData& brush) {
  if (!Fast() || pen.Width > 1 || n < 2) {
    TCairoDevice::Polygon(pts, n, pen, brush);
    return;
  }
  if (brush.Style != bsClear) {
    TPenData none = pen;
    none.Style = psClear;
    TCairoDevice::Polygon(pts, n, none, brush);
  }
  if (pen.Style == psClear || FBmp.Empty()) return;
  Direct();
  TDash dash(pen.Style);
  TDash* d = dash.Pattern ? &dash : nullptr;
  const TRGB32 px = PixelOf(pen.Color);
  const TRect clip = ClipBox();
  for (std::size_t i = 0; i < n; ++i) Segment(pts[i], pts[(i + 1) % n], px, pen.Mode, d, clip);
}

// ---- Spans and boxes -------------------------------------------------------------

void TRasterDevice::Span(std::int32_t y, std::int32_t x0, std::int32_t x1, TRGB32 px,
                         TPenMode mode) {
  TRGB32* row = FBmp.ScanLine(y);
  if (mode == pmCopy) {
    FillPixels(row + x0, std::size_t(x1 - x0), px);
  } else {
    for (std::int32_t x = x0; x < x1; ++x) row[x] = Rop2(mode, px, row[x]);
  }
}

void TRasterDevice::FillBox(const TRect& r, const TBrushData& brush, TPenMode mode) {
  const TRect box = Intersect(r, ClipBox());
  if (box.IsEmpty() || brush.Style == bsClear) return;
  const TRGB32 px = PixelOf(brush.Color);
  if (brush.Style == bsSolid) {
    for (std::int32_t y = box.Top; y < box.Bottom; ++y) Span(y, box.Left, box.Right, px, mode);
    return;
  }
  for (std::int32_t y = box.Top; y < box.Bottom; ++y) {
    TRGB32* row = FBmp.ScanLine(y);
    for (std::int32_t x = box.Left; x < box.Right; ++x)
      if (HatchBit(brush.Style, x, y)) row[x] = mode == pmCopy ? px : Rop2(mode, px, row[x]);
  }
}

void TRasterDevice::Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) {
  if (!Fast() || (pen.Style != psClear && pen.Width > 1)) {
    TCairoDevice::Rectangle(r, pen, brush);
    return;
  }
  if (FBmp.Empty()) return;
  Direct();
  if (pen.Style == psClear) {
    FillBox(r, brush, pen.Mode);
    return;
  }
  const TRGB32 px = PixelOf(pen.Color);
  const TRect clip = ClipBox();
  if (pen.Mode == pmCopy && (pen.Style == psSolid || pen.Style == psInsideFrame) &&
      (brush.Style == bsSolid || brush.Style == bsClear) && clip.Contains({r.Left, r.Top}) &&
      clip.Contains({r.Right - 1, r.Bottom - 1})) {
    // The common mark: one pass over the rows, outline and interior together.
    const TRGB32 fill = PixelOf(brush.Color);
    const bool filled = brush.Style == bsSolid;
    const std::int32_t w = r.Width();
    FillPixels(FBmp.ScanLine(r.Top) + r.Left, std::size_t(w), px);
    for (std::int32_t y = r.Top + 1; y < r.Bottom - 1; ++y) {
      TRGB32* row = FBmp.ScanLine(y) + r.Left;
      row[0] = px;
      if (filled && w > 2) FillPixels(row + 1, std::size_t(w - 2), fill);
      row[w - 1] = px;
    }
    if (r.Bottom - 1 > r.Top) FillPixels(FBmp.ScanLine(r.Bottom - 1) + r.Left, std::size_t(w), px);
    return;
  }
  FillBox({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, brush, pen.Mode);
  if (pen.Style == psSolid || pen.Style == psInsideFrame) {
    // Each outline pixel exactly once (so that XOR outlines cancel).
    const std::int32_t l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
    const auto hspan = [&](std::int32_t y, std::int32_t x0, std::int32_t x1) {  // [x0, x1]
      if (y < clip.Top || y >= clip.Bottom) return;
      x0 = std::max(x0, clip.Left);
      x1 = std::min(x1, clip.Right - 1);
      if (x0 <= x1) Span(y, x0, x1 + 1, px, pen.Mode);
    };
    const auto vspan = [&](std::int32_t x, std::int32_t y0, std::int32_t y1) {  // [y0, y1]
      if (x < clip.Left || x >= clip.Right) return;
      y0 = std::max(y0, clip.Top);
      y1 = std::min(y1, clip.Bottom - 1);
      for (std::int32_t y = y0; y <= y1; ++y) {
        TRGB32& d = FBmp.ScanLine(y)[x];
        d = pen.Mode == pmCopy ? px : Rop2(pen.Mode, px, d);
      }
    };
    hspan(t, l, rr);
    if (b > t) hspan(b, l, rr);
    if (b - t >= 2) {
      vspan(l, t + 1, b - 1);
      if (rr > l) vspan(rr, t + 1, b - 1);
    }
    return;
  }
  // Styles without a dash pattern (also bytes no style names) draw solid.
  TDash dash(pen.Style);
  TDash* d = dash.Pattern ? &dash : nullptr;
  const TPoint c[4] = {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1},
                       {r.Left, r.Bottom - 1}};
  for (int i = 0; i < 4; ++i) Segment(c[i], c[(i + 1) % 4], px, pen.Mode, d, clip);
}

void TRasterDevice::FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) {
  if (!Fast()) {
    TCairoDevice::FillRect(r, brush, mode);
    return;
  }
  if (FBmp.Empty()) return;
  Direct();
  FillBox(r, brush, mode);
}

void TRasterDevice::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  if (FScale != 1.0) {
    TCairoDevice::SetPixel(x, y, c);
    return;
  }
  if (!ClipBox().Contains({x, y})) return;
  Direct();
  FBmp.ScanLine(y)[x] = PixelOf(c);
}

void TRasterDevice::Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n,
                          const TColor inks[2]) {
  const TPoint anchor{x, y};
  SpansAt(&anchor, 1, spans, n, inks);
}

void TRasterDevice::SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans,
                            std::size_t n, const TColor inks[2]) {
  if (!Fast()) {
    TCairoDevice::SpansAt(anchors, count, spans, n, inks);
    return;
  }
  if (FBmp.Empty()) return;
  Direct();
  const TRect clip = ClipBox();
  const TRGB32 px[2] = {PixelOf(inks[0]), PixelOf(inks[1])};
  // The picture's extent, for the test that it lies wholly inside the clip.
  std::int32_t minDy = INT16_MAX, maxDy = INT16_MIN, minX = INT16_MAX, maxX = INT16_MIN;
  for (std::size_t i = 0; i < n; ++i) {
    minDy = std::min<std::int32_t>(minDy, spans[i].Dy);
    maxDy = std::max<std::int32_t>(maxDy, spans[i].Dy);
    minX = std::min<std::int32_t>(minX, spans[i].X0);
    maxX = std::max<std::int32_t>(maxX, spans[i].X1);
  }
  for (std::size_t a = 0; a < count; ++a) {
    const std::int64_t x = anchors[a].x, y = anchors[a].y;
    if (x + minX >= clip.Left && x + maxX <= clip.Right && y + minDy >= clip.Top &&
        y + maxDy < clip.Bottom) {
      for (std::size_t i = 0; i < n; ++i) {
        const TPixelSpan& s = spans[i];
        TRGB32* p = FBmp.ScanLine(std::int32_t(y + s.Dy)) + (x + s.X0);
        const TRGB32 v = px[s.Ink & 1];
        for (std::int32_t k = 0, e = s.X1 - s.X0; k < e; ++k) p[k] = v;
      }
      continue;
    }
    for (std::size_t i = 0; i < n; ++i) {
      const TPixelSpan& s = spans[i];
      const std::int64_t row = y + s.Dy;
      if (row < clip.Top || row >= clip.Bottom) continue;
      const std::int64_t l = std::max<std::int64_t>(x + s.X0, clip.Left);
      const std::int64_t r = std::min<std::int64_t>(x + s.X1, clip.Right);
      if (l >= r) continue;
      TRGB32* p = FBmp.ScanLine(std::int32_t(row)) + l;
      const TRGB32 v = px[s.Ink & 1];
      for (std::int64_t k = 0; k < r - l; ++k) p[k] = v;
    }
  }
}

TColor TRasterDevice::GetPixel(std::int32_t x, std::int32_t y) {
  const std::int32_t dx = FScale == 1.0 ? x : ClampToInt(std::floor((x + 0.5) * FScale));
  const std::int32_t dy = FScale == 1.0 ? y : ClampToInt(std::floor((y + 0.5) * FScale));
  if (dx < 0 || dy < 0 || dx >= FBmp.Width() || dy >= FBmp.Height()) return clWhite;
  Direct();
  return ColorOfPixel(FBmp.ScanLine(dy)[dx]);
}

// ---- Raster operations through a coverage mask -----------------------------------

void TRasterDevice::MaskedDraw(const PathFn& fn, bool stroke, const TPenData& pen,
                               const TBrushData& brush, TPenMode mode, const TRect& bbox) {
  if (FBmp.Empty()) return;
  // Device-pixel box the shape can touch.
  const auto dev = [&](double v) { return ClampToInt(std::floor(v * FScale)); };
  const auto grown = [&](double v, double d) { return ClampToInt(std::floor(v * FScale) + d); };
  TRect box{grown(bbox.Left, -1), grown(bbox.Top, -1), grown(bbox.Right, 2), grown(bbox.Bottom, 2)};
  TRect clip{0, 0, FBmp.Width(), FBmp.Height()};
  if (FClip)
    clip = Intersect(clip, {dev(FClip->Left), dev(FClip->Top), dev(FClip->Right),
                            dev(FClip->Bottom)});
  box = Intersect(box, clip);
  if (box.IsEmpty()) return;
  if (!FMask || cairo_image_surface_get_width(FMask) != FBmp.Width() ||
      cairo_image_surface_get_height(FMask) != FBmp.Height()) {
    if (FMaskCr) cairo_destroy(FMaskCr);
    if (FMask) cairo_surface_destroy(FMask);
    FMask = cairo_image_surface_create(CAIRO_FORMAT_A8, FBmp.Width(), FBmp.Height());
    FMaskCr = cairo_create(FMask);
  }
  cairo_t* m = FMaskCr;
  cairo_save(m);
  cairo_identity_matrix(m);
  cairo_rectangle(m, box.Left, box.Top, box.Width(), box.Height());
  cairo_clip(m);
  cairo_set_operator(m, CAIRO_OPERATOR_CLEAR);
  cairo_paint(m);
  cairo_set_operator(m, CAIRO_OPERATOR_OVER);
  if (FScale != 1.0) cairo_scale(m, FScale, FScale);
  cairo_set_antialias(m, FAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_new_path(m);
  fn(m);
  if (stroke) {
    SetupStroke(m, pen);
    cairo_set_source_rgb(m, 0, 0, 0);
    cairo_stroke(m);
  } else {
    cairo_set_fill_rule(m, CAIRO_FILL_RULE_EVEN_ODD);
    if (SetBrushSource(m, brush)) cairo_fill(m);
  }
  cairo_new_path(m);
  cairo_restore(m);
  cairo_surface_flush(FMask);
  Direct();
  const unsigned char* mdata = cairo_image_surface_get_data(FMask);
  const int mstride = cairo_image_surface_get_stride(FMask);
  const TRGB32 px = PixelOf(stroke ? pen.Color : brush.Color);
  for (std::int32_t y = box.Top; y < box.Bottom; ++y) {
    const unsigned char* mrow = mdata + std::ptrdiff_t(y) * mstride;
    TRGB32* row = FBmp.ScanLine(y);
    for (std::int32_t x = box.Left; x < box.Right; ++x)
      if (mrow[x] >= 128) row[x] = Rop2(mode, px, row[x]);
  }
}

void TRasterDevice::FillPath(const PathFn& fn, const TBrushData& brush, TPenMode mode,
                             const TRect& bbox) {
  if (mode == pmCopy) TCairoDevice::FillPath(fn, brush, mode, bbox);
  else MaskedDraw(fn, false, {}, brush, mode, bbox);
}

void TRasterDevice::StrokePath(const PathFn& fn, const TPenData& pen, const TRect& bbox) {
  if (pen.Style == psClear) return;
  if (pen.Mode == pmCopy) TCairoDevice::StrokePath(fn, pen, bbox);
  else MaskedDraw(fn, true, pen, {}, pen.Mode, bbox);
}

// ---- Bitmaps ----------------------------------------------------------------------

void TRasterDevice::DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                               TCopyMode mode) {
  if (FScale != 1.0 || FAntialias) {
    if (mode == cmSrcCopy || FScale != 1.0) {
      TCairoDevice::DrawBitmap(dst, src, srcRect, mode);
      return;
    }
  }
  if (FBmp.Empty() || src.Empty() || dst.Width() == 0 || dst.Height() == 0 ||
      srcRect.Width() == 0 || srcRect.Height() == 0)
    return;
  // Drawing a bitmap onto itself reads from a copy, so overlapping areas do
  // not smear.
  std::optional<TBitmap> copy;
  const TBitmap* from = &src;
  if (&src == &FBmp) {
    copy.emplace(src);
    from = &*copy;
  }
  Direct();
  const TRect d = dst.Normalized();
  const bool flipX = (dst.Width() < 0) != (srcRect.Width() < 0);
  const bool flipY = (dst.Height() < 0) != (srcRect.Height() < 0);
  const TRect s = srcRect.Normalized();
  const TRect box = Intersect(d, ClipBox());
  if (box.IsEmpty()) return;
  const std::int64_t dw = std::int64_t(d.Right) - d.Left, dh = std::int64_t(d.Bottom) - d.Top;
  const std::int64_t sw = std::int64_t(s.Right) - s.Left, sh = std::int64_t(s.Bottom) - s.Top;
  if (mode == cmSrcCopy && !flipX && !flipY && dw == sw && dh == sh) {
    // One source pixel per destination pixel (a chart's images into its
    // window): whole row stretches at once, the same pixels as below.
    const std::int64_t shiftX = std::int64_t(s.Left) - d.Left, shiftY = std::int64_t(s.Top) - d.Top;
    const std::int64_t x0 = std::max<std::int64_t>(box.Left, -shiftX);
    const std::int64_t x1 = std::min<std::int64_t>(box.Right, from->Width() - shiftX);
    const std::int64_t y0 = std::max<std::int64_t>(box.Top, -shiftY);
    const std::int64_t y1 = std::min<std::int64_t>(box.Bottom, from->Height() - shiftY);
    if (x0 >= x1) return;
    for (std::int64_t y = y0; y < y1; ++y)
      std::memcpy(FBmp.ScanLine(std::int32_t(y)) + x0, from->ScanLine(std::int32_t(y + shiftY)) + (x0 + shiftX),
                  std::size_t(x1 - x0) * sizeof(TRGB32));
    return;
  }
  // Nearest source pixel of each destination pixel centre.
  std::vector<std::int32_t> sxs(box.Width());
  for (std::int32_t x = box.Left; x < box.Right; ++x) {
    std::int64_t i = std::int64_t(x) - d.Left;
    if (flipX) i = dw - 1 - i;
    const __int128 off = (static_cast<__int128>(2 * i + 1) * sw) / (2 * dw);
    sxs[x - box.Left] = static_cast<std::int32_t>(
        std::clamp<__int128>(s.Left + off, INT32_MIN, INT32_MAX));
  }
  const std::uint32_t pat = 0;  // pattern bits of the ternary codes (no brush here)
  for (std::int32_t y = box.Top; y < box.Bottom; ++y) {
    std::int64_t j = std::int64_t(y) - d.Top;
    if (flipY) j = dh - 1 - j;
    const __int128 sy = s.Top + (static_cast<__int128>(2 * j + 1) * sh) / (2 * dh);
    if (sy < 0 || sy >= from->Height()) continue;
    const TRGB32* srow = from->ScanLine(static_cast<std::int32_t>(sy));
    TRGB32* drow = FBmp.ScanLine(y);
    for (std::int32_t x = box.Left; x < box.Right; ++x) {
      const std::int32_t sx = sxs[x - box.Left];
      if (sx < 0 || sx >= from->Width()) continue;
      if (mode == cmSrcCopy) {
        drow[x] = srow[sx];
      } else {
        const std::uint32_t v = Rop3Bits(mode, pat, Pack(srow[sx]), Pack(drow[x]));
        drow[x] = Unpack((v & 0x00FFFFFFu) | 0xFF000000u);
      }
    }
  }
}

}  // namespace kvo::detail
