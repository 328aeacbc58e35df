// TScaledDevice: a canvas device that takes logical coordinates and draws
// them on another device at an integer multiple of its resolution. A chart
// renders its off-screen images through it on HiDPI surfaces: every layout
// and hit-test computation stays in logical pixels, while the pixels are
// drawn at the device resolution, so text and lines stay sharp.
//
// Mapping (f = Factor()):
//  - logical pixel (x, y) is the device block [x*f, x*f+f) x [y*f, y*f+f);
//    rectangles keep the box convention: (l, t, r, b) -> (l*f, t*f, r*f, b*f);
//  - one-pixel solid lines that run horizontally or vertically (grids, frames,
//    ticks, crosshairs) become exact f-pixel bands, their end block left out
//    as the end pixel is; other lines, polygons, ellipses and arcs are drawn
//    by the inner device with the pen width times f (a width of 1 gives f);
//  - a rectangle outlined with a one-pixel solid pen keeps its outline
//    inside the box, f device pixels thick;
//  - text is drawn at f times the font's PixelsPerInch from the reference
//    point times f; TextExtent gives the device extent divided by f, rounded
//    up, so a logical text box always holds the text;
//  - SetPixel fills the pixel's block; GetPixel reads the block's top-left
//    device pixel;
//  - DrawBitmap scales the destination only (the source rectangle is in the
//    source's own pixels); the clip is scaled like a rectangle.
// Caps() reports the logical size (inner size divided by f), the inner
// device's resolution (fonts are sized in logical pixels, as on a HiDPI
// window surface) and Scale times f.
#pragma once

#include <cstdint>

#include "platform/canvas.h"

namespace kvo {

class TScaledDevice : public TCanvasDevice {
public:
  // factor below 1 is taken as 1. The inner device must outlive this one.
  TScaledDevice(TCanvasDevice& inner, std::int32_t factor);

  TCanvasDevice& Inner() const noexcept { return FInner; }
  std::int32_t Factor() const noexcept { return FFactor; }

  TDeviceCaps Caps() const override;
  void Line(TPoint a, TPoint b, const TPenData& pen) override;
  void Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) override;
  void Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
               const TBrushData& brush) override;
  void Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) override;
  void FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) override;
  void Ellipse(const TRect& r, const TPenData& pen, const TBrushData& brush) override;
  void Arc(const TRect& r, TPoint start, TPoint end, const TPenData& pen) override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8, const TFontData& font,
               const TBrushData& brush, std::uint32_t align) override;
  TSize TextExtent(std::string_view utf8, const TFontData& font) override;
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override;
  TColor GetPixel(std::int32_t x, std::int32_t y) override;
  void DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                  TCopyMode mode) override;
  void SetClip(const TRect* clip) override;
  void SetAntialias(bool on) override;
  void Flush() override;

private:
  std::int32_t Dev(std::int32_t v) const noexcept;
  TPoint Dev(TPoint p) const noexcept;
  TRect Dev(const TRect& r) const noexcept;
  TPenData DevPen(const TPenData& pen) const noexcept;
  TFontData DevFont(const TFontData& font) const noexcept;
  // A one-pixel solid pen, drawn as exact bands where lines are straight.
  bool ThinSolid(const TPenData& pen) const noexcept;
  // Band of a horizontal or vertical segment a->b (end pixel left out);
  // false when the segment is neither.
  bool Band(TPoint a, TPoint b, TRect& band) const noexcept;

  TCanvasDevice& FInner;
  std::int32_t FFactor;
};

}  // namespace kvo
