// The raster device of TBitmap. 1-pixel lines (solid and styled), spans,
// pixels, rectangles with cosmetic pens and fills are written straight into
// the pixel rows with GDI's rules; pen raster operations are done on the
// pixels; Cairo draws wide pens, curves, polygons, text and everything when
// antialiasing or a surface scale is on.
#pragma once

#include <cairo.h>

#include "platform/bitmap.h"
#include "platform/cairo_device_p.h"

namespace kvo::detail {

class TRasterDevice final : public TCairoDevice {
public:
  explicit TRasterDevice(TBitmap& bmp);
  ~TRasterDevice() override;

  TDeviceCaps Caps() const override;
  // Device pixels per logical pixel (HiDPI surfaces); 1 by default.
  void SetScale(double scale);
  double Scale() const noexcept { return FScale; }

  void Line(TPoint a, TPoint b, const TPenData& pen) override;
  void Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) override;
  void Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
               const TBrushData& brush) override;
  void Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) override;
  void FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) override;
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override;
  void Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n,
             const TColor inks[2]) override;
  void SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans, std::size_t n,
               const TColor inks[2]) override;
  TColor GetPixel(std::int32_t x, std::int32_t y) override;
  void DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                  TCopyMode mode) override;
  void Flush() override;
  // Drops the Cairo surface over the pixels (before the bitmap reallocates).
  void ReleaseSurface() { ReleaseCairo(); }

protected:
  cairo_t* Cr() override;
  void FillPath(const PathFn& fn, const TBrushData& brush, TPenMode mode,
                const TRect& bbox) override;
  void StrokePath(const PathFn& fn, const TPenData& pen, const TRect& bbox) override;

private:
  struct TDash {
    const std::uint8_t* Pattern = nullptr;
    std::size_t Count = 0, Index = 0;
    int Left = 0, Period = 0;
    explicit TDash(TPenStyle s);
    bool On() const noexcept { return (Index & 1) == 0; }
    void Step() noexcept {
      if (--Left == 0) {
        Index = (Index + 1) % Count;
        Left = Pattern[Index];
      }
    }
    void Skip(std::int64_t n) noexcept;
  };

  bool Fast() const noexcept { return !FAntialias && FScale == 1.0; }
  TRect ClipBox() const noexcept;  // clip rectangle within the bitmap
  void Direct();                   // before writing pixels ourselves
  void Segment(TPoint a, TPoint b, TRGB32 px, TPenMode mode, TDash* dash, const TRect& clip);
  void Span(std::int32_t y, std::int32_t x0, std::int32_t x1, TRGB32 px, TPenMode mode);
  void FillBox(const TRect& r, const TBrushData& brush, TPenMode mode);
  void MaskedDraw(const PathFn& fn, bool stroke, const TPenData& pen, const TBrushData& brush,
                  TPenMode mode, const TRect& bbox);
  void ReleaseCairo();

  TBitmap& FBmp;
  double FScale = 1.0;
  cairo_surface_t* FSurface = nullptr;
  cairo_t* FCr = nullptr;
  const void* FSurfaceData = nullptr;
  std::int32_t FSurfaceW = 0, FSurfaceH = 0;
  bool FCairoWrote = false, FDirectWrote = false;
  cairo_surface_t* FMask = nullptr;
  cairo_t* FMaskCr = nullptr;
};

}  // namespace kvo::detail
