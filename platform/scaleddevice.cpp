#include "platform/scaleddevice.h"

#include <algorithm>
#include <vector>

#include "platform/numeric.h"

namespace kvo {

namespace {

// The pixel after v (saturated).
std::int32_t SatAdd1(std::int32_t v) noexcept { return v == INT32_MAX ? v : v + 1; }

}  // namespace

TScaledDevice::TScaledDevice(TCanvasDevice& inner, std::int32_t factor)
    : FInner(inner), FFactor(std::max<std::int32_t>(factor, 1)) {}

// Saturated: a coordinate far outside the device must not wrap around.
std::int32_t TScaledDevice::Dev(std::int32_t v) const noexcept {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t(v) * FFactor, INT32_MIN, INT32_MAX));
}

// Paths run through pixel centres: the centre of a logical pixel is the
// centre of its block, which for odd factors is a device pixel's centre
// (for even factors it lies between two, and the upper-left one is taken).
TPoint TScaledDevice::Dev(TPoint p) const noexcept {
  const std::int32_t o = (FFactor - 1) / 2;
  return {Dev(p.x) + (p.x < INT32_MAX / FFactor ? o : 0),
          Dev(p.y) + (p.y < INT32_MAX / FFactor ? o : 0)};
}

TRect TScaledDevice::Dev(const TRect& r) const noexcept {
  return {Dev(r.Left), Dev(r.Top), Dev(r.Right), Dev(r.Bottom)};
}

TPenData TScaledDevice::DevPen(const TPenData& pen) const noexcept {
  TPenData p = pen;
  p.Width = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::int64_t(std::max(pen.Width, 1)) * FFactor, 10000 * 8));
  return p;
}

TFontData TScaledDevice::DevFont(const TFontData& font) const noexcept {
  TFontData f = font;
  f.PixelsPerInch = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::int64_t(font.PixelsPerInch) * FFactor, INT32_MAX));
  return f;
}

bool TScaledDevice::ThinSolid(const TPenData& pen) const noexcept {
  return pen.Width <= 1 && (pen.Style == psSolid || pen.Style == psInsideFrame);
}

bool TScaledDevice::Band(TPoint a, TPoint b, TRect& band) const noexcept {
  if (a.y == b.y && a.x != b.x) {
    // Pixels a.x up to, but without, b.x.
    const std::int32_t lo = a.x < b.x ? a.x : SatAdd1(b.x), hi = a.x < b.x ? b.x : SatAdd1(a.x);
    band = {Dev(lo), Dev(a.y), Dev(hi), Dev(SatAdd1(a.y))};
    return true;
  }
  if (a.x == b.x && a.y != b.y) {
    const std::int32_t lo = a.y < b.y ? a.y : SatAdd1(b.y), hi = a.y < b.y ? b.y : SatAdd1(a.y);
    band = {Dev(a.x), Dev(lo), Dev(SatAdd1(a.x)), Dev(hi)};
    return true;
  }
  return false;
}

TDeviceCaps TScaledDevice::Caps() const {
  TDeviceCaps c = FInner.Caps();
  c.Width /= FFactor;
  c.Height /= FFactor;
  c.Scale *= FFactor;
  return c;
}

void TScaledDevice::Line(TPoint a, TPoint b, const TPenData& pen) {
  if (a == b || pen.Style == psClear) return;
  TRect band;
  if (ThinSolid(pen) && Band(a, b, band)) {
    FInner.FillRect(band, TBrushData{pen.Color, bsSolid}, pen.Mode);
    return;
  }
  FInner.Line(Dev(a), Dev(b), DevPen(pen));
}

void TScaledDevice::Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) {
  if (n < 2 || pen.Style == psClear) return;
  if (ThinSolid(pen)) {
    // Straight runs only: each segment is its band, the next one starting at
    // the vertex the previous one left out.
    bool straight = true;
    for (std::size_t i = 1; i < n && straight; ++i)
      straight = pts[i - 1].x == pts[i].x || pts[i - 1].y == pts[i].y;
    if (straight) {
      const TBrushData brush{pen.Color, bsSolid};
      TRect band;
      for (std::size_t i = 1; i < n; ++i)
        if (Band(pts[i - 1], pts[i], band)) FInner.FillRect(band, brush, pen.Mode);
      return;
    }
  }
  std::vector<TPoint> dev(pts, pts + n);
  for (TPoint& p : dev) p = Dev(p);
  FInner.Polyline(dev.data(), n, DevPen(pen));
}

void TScaledDevice::Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
                            const TBrushData& brush) {
  std::vector<TPoint> dev(pts, pts + n);
  for (TPoint& p : dev) p = Dev(p);
  FInner.Polygon(dev.data(), n, DevPen(pen), brush);
}

void TScaledDevice::Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) {
  if (!ThinSolid(pen)) {
    FInner.Rectangle(Dev(r), DevPen(pen), brush);
    return;
  }
  // A one-pixel outline lies inside the box: here an f-pixel frame inside
  // the scaled box, the interior filled as the outline's inside.
  const TRect d = Dev(r);
  if (d.IsEmpty()) return;
  const TBrushData ink{pen.Color, bsSolid};
  if (r.Width() <= 2 || r.Height() <= 2) {
    FInner.FillRect(d, ink, pen.Mode);
    return;
  }
  const std::int32_t f = FFactor;
  if (brush.Style != bsClear)
    FInner.FillRect({d.Left + f, d.Top + f, d.Right - f, d.Bottom - f}, brush, pen.Mode);
  FInner.FillRect({d.Left, d.Top, d.Right, d.Top + f}, ink, pen.Mode);
  FInner.FillRect({d.Left, d.Bottom - f, d.Right, d.Bottom}, ink, pen.Mode);
  FInner.FillRect({d.Left, d.Top + f, d.Left + f, d.Bottom - f}, ink, pen.Mode);
  FInner.FillRect({d.Right - f, d.Top + f, d.Right, d.Bottom - f}, ink, pen.Mode);
}

void TScaledDevice::FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) {
  FInner.FillRect(Dev(r), brush, mode);
}

void TScaledDevice::Ellipse(const TRect& r, const TPenData& pen, const TBrushData& brush) {
  FInner.Ellipse(Dev(r), DevPen(pen), brush);
}

void TScaledDevice::Arc(const TRect& r, TPoint start, TPoint end, const TPenData& pen) {
  FInner.Arc(Dev(r), Dev(start), Dev(end), DevPen(pen));
}

void TScaledDevice::TextOut(std::int32_t x, std::int32_t y, std::string_view utf8,
                            const TFontData& font, const TBrushData& brush, std::uint32_t align) {
  FInner.TextOut(Dev(x), Dev(y), utf8, DevFont(font), brush, align);
}

TSize TScaledDevice::TextExtent(std::string_view utf8, const TFontData& font) {
  const TSize s = FInner.TextExtent(utf8, DevFont(font));
  const auto up = [this](std::int32_t v) {
    return v <= 0 ? v : static_cast<std::int32_t>((std::int64_t(v) + FFactor - 1) / FFactor);
  };
  return {up(s.cx), up(s.cy)};
}

void TScaledDevice::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  FInner.FillRect(Dev(TRect{x, y, SatAdd1(x), SatAdd1(y)}), TBrushData{c, bsSolid}, pmCopy);
}

TColor TScaledDevice::GetPixel(std::int32_t x, std::int32_t y) {
  return FInner.GetPixel(Dev(x), Dev(y));
}

void TScaledDevice::DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                               TCopyMode mode) {
  FInner.DrawBitmap(Dev(dst), src, srcRect, mode);
}

void TScaledDevice::SetClip(const TRect* clip) {
  if (!clip) {
    FInner.SetClip(nullptr);
    return;
  }
  const TRect d = Dev(*clip);
  FInner.SetClip(&d);
}

void TScaledDevice::SetAntialias(bool on) { FInner.SetAntialias(on); }

void TScaledDevice::Flush() { FInner.Flush(); }

}  // namespace kvo
