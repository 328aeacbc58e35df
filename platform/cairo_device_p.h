// A canvas device that draws every operation through Cairo. The vector file
// canvases use it as it is; the raster device derives from it, takes over
// the hot paths and the raster operations, and leaves the rest to it.
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>

#include "platform/canvas.h"

namespace kvo::detail {

// Coordinates handed to Cairo are kept inside its fixed-point range.
double CairoCoord(double v) noexcept;

class TCairoDevice : public TCanvasDevice {
public:
  TDeviceCaps Caps() const override { return FCaps; }
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
  void SetAntialias(bool on) override { FAntialias = on; }

protected:
  using PathFn = std::function<void(cairo_t*)>;
  // The context to draw on (nullptr: drawing is ignored).
  virtual cairo_t* Cr() = 0;
  // Fills the path that fn builds with the brush, combining by mode.
  virtual void FillPath(const PathFn& fn, const TBrushData& brush, TPenMode mode,
                        const TRect& bbox);
  // Strokes the path that fn builds with the pen.
  virtual void StrokePath(const PathFn& fn, const TPenData& pen, const TRect& bbox);

  // Sets up clip and antialiasing around one operation.
  bool Begin(cairo_t*& cr);
  void End(cairo_t* cr);
  static void SetupStroke(cairo_t* cr, const TPenData& pen);
  static void SetColor(cairo_t* cr, TColor c);
  // Source for a brush (solid colour or hatch pattern); false for bsClear.
  static bool SetBrushSource(cairo_t* cr, const TBrushData& brush);

  TDeviceCaps FCaps;
  std::optional<TRect> FClip;
  // Hatch brushes as an 8 x 8 pixel tile (raster) or as stroked lines
  // (vector files, where a tiny image tile renders unreliably).
  bool FPixelHatch = false;
  bool FAntialias = false;
};

// Path builders in device pixel coordinates (pixel centres at +0.5).
void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void PathEllipseArc(cairo_t* cr, double cx, double cy, double rx, double ry, double t0,
                    double t1);

}  // namespace kvo::detail
