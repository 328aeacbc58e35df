/// @file
/// TCanvas: drawing with the semantics of the Windows GDI that the controls
/// were designed for, in front of a narrow device interface (raster bitmap,
/// SVG/PDF/PostScript file, recording metafile).
///
/// Pixel rules (all backends):
///  - Rectangle(l, t, r, b) covers columns l..r-1 and rows t..b-1; the outline
///    lies inside that box and the interior is filled with the brush unless the
///    brush is clear. FillRect fills the same box with the brush only.
///  - LineTo does not set its end pixel; Polyline likewise per segment (the
///    last vertex is not drawn). MoveTo/LineTo update PenPos.
///  - Ellipse and Arc take the same bounding-box convention as Rectangle.
///  - Arc runs counter-clockwise on screen from the ray through its start
///    point to the ray through its end point.
///  - Pen widths above 1 are centred on the geometric line.
///  - Pen mode XOR combines the pen colour with the pixels bitwise (raster
///    only; vector backends draw it as copy).
///  - TextOut places the text by the reference point chosen with SetTextAlign
///    (top-left by default) and fills the text box with the brush unless the
///    brush is clear.
#pragma once

#include "export.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "graphics.h"

namespace kvo {

class TBitmap;

/// Text reference point flags (SetTextAlign).
enum : std::uint32_t {
  TA_NOUPDATECP = 0, TA_UPDATECP = 1,
  TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6,
  TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24,
};
constexpr std::uint32_t TA_HORZMASK = 6, TA_VERTMASK = 24;

/// Raster operations of CopyRect/Draw (the GDI ternary codes).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042, cmDstInvert = 0x00550009,
                    cmMergeCopy = 0x00C000CA, cmMergePaint = 0x00BB0226,
                    cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6,
                    cmSrcAnd = 0x008800C6, cmSrcCopy = 0x00CC0020,
                    cmSrcErase = 0x00440328, cmSrcInvert = 0x00660046,
                    cmSrcPaint = 0x00EE0086, cmWhiteness = 0x00FF0062;
constexpr TCopyMode SRCCOPY = cmSrcCopy, SRCAND = cmSrcAnd, SRCPAINT = cmSrcPaint,
                    SRCINVERT = cmSrcInvert;

/// What a device can do and how it measures.
struct KVO_API TDeviceCaps {
  std::int32_t Width = 0, Height = 0;   ///< drawable size in device pixels
  std::int32_t LogPixelsX = 96, LogPixelsY = 96;
  std::int32_t AspectX = 36, AspectY = 36;
  bool RasterOps = false;   ///< pen modes other than copy, CopyRect modes other than copy
  bool PixelRead = false;   ///< GetPixel returns real pixels
  bool IsPrinter = false;
  /// Device pixels per logical unit (HiDPI surfaces draw logical coordinates
  /// scaled by this factor).
  double Scale = 1.0;
};

enum TDeviceCap : std::uint8_t { LOGPIXELSX = 88, LOGPIXELSY = 90, ASPECTX = 40, ASPECTY = 42,
                                 HORZRES = 8, VERTRES = 10 };

/// One horizontal run of a small two-colour picture (a mark symbol), relative
/// to the picture's anchor: row Dy, columns X0 .. X1-1, in ink 0 (the pen's
/// colour) or ink 1 (the brush's colour).
struct KVO_API TPixelSpan {
  std::int16_t Dy = 0, X0 = 0, X1 = 0;
  std::uint8_t Ink = 0;
};

/// The narrow backend interface. Arguments arrive normalised (rectangles with
/// ordered corners, except DrawBitmap's), colours resolved to RGB, pen widths
/// at least 1, and with the full drawing state as values.
class KVO_API TCanvasDevice {
public:
  virtual ~TCanvasDevice() = default;
  virtual TDeviceCaps Caps() const = 0;
  /// One segment a->b; the end pixel b is not drawn.
  virtual void Line(TPoint a, TPoint b, const TPenData& pen) = 0;
  /// Connected segments; the last vertex is not drawn.
  virtual void Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) = 0;
  virtual void Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
                       const TBrushData& brush) = 0;
  virtual void Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) = 0;
  virtual void FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) = 0;
  virtual void Ellipse(const TRect& r, const TPenData& pen, const TBrushData& brush) = 0;
  virtual void Arc(const TRect& r, TPoint start, TPoint end, const TPenData& pen) = 0;
  /// (x, y) is the reference point selected by align (TA_* flags).
  virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8,
                       const TFontData& font, const TBrushData& brush,
                       std::uint32_t align) = 0;
  virtual TSize TextExtent(std::string_view utf8, const TFontData& font) = 0;
  virtual void SetPixel(std::int32_t x, std::int32_t y, TColor c) = 0;
  /// Resolved RGB colour; devices without PixelRead, and points outside the
  /// device, give clWhite.
  virtual TColor GetPixel(std::int32_t x, std::int32_t y) = 0;
  /// Copies src (its rectangle srcRect) into dst, stretching as needed
  /// (nearest pixel). dst and srcRect are passed as given: a negative extent
  /// mirrors, as StretchBlt does. Raster devices combine with mode; vector
  /// devices copy.
  virtual void DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                          TCopyMode mode) = 0;
  /// Sets the pixels of spans anchored at (x, y) to inks[span.Ink] (copy
  /// mode, clipped). The default fills each span as a rectangle.
  virtual void Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n,
                     const TColor inks[2]);
  /// The same spans at each of the anchors in turn.
  virtual void SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans,
                       std::size_t n, const TColor inks[2]);
  /// Clip rectangle (empty optional = whole device).
  virtual void SetClip(const TRect* clip) = 0;
  virtual void SetAntialias(bool on) = 0;
  virtual void Flush() {}
};

class KVO_API TCanvas : public TObject {
public:
  /// The canvas does not own a device given by pointer; one handed over as a
  /// unique_ptr lives as long as the canvas.
  explicit TCanvas(TCanvasDevice* device = nullptr);
  explicit TCanvas(std::unique_ptr<TCanvasDevice> owned);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TCanvasDevice* Device() const noexcept { return FDevice; }
  void SetDevice(TCanvasDevice* device) noexcept { FDevice = device; }

  TPen& Pen() noexcept { return FPen; }
  TBrush& Brush() noexcept { return FBrush; }
  TFont& Font() noexcept { return FFont; }
  const TPen& Pen() const noexcept { return FPen; }
  const TBrush& Brush() const noexcept { return FBrush; }
  const TFont& Font() const noexcept { return FFont; }

  TPoint PenPos() const noexcept { return FPenPos; }
  void SetPenPos(TPoint p) noexcept { FPenPos = p; }
  TCopyMode CopyMode() const noexcept { return FCopyMode; }
  void SetCopyMode(TCopyMode m) noexcept { FCopyMode = m; }
  bool Antialias() const noexcept { return FAntialias; }
  void SetAntialias(bool on);  ///< off by default: pixels follow the GDI rules

  /// Previous alignment is returned, as SetTextAlign does.
  std::uint32_t SetTextAlign(std::uint32_t flags) noexcept;
  std::uint32_t TextAlign() const noexcept { return FTextAlign; }

  void MoveTo(std::int32_t x, std::int32_t y) noexcept;
  void LineTo(std::int32_t x, std::int32_t y);
  void Polyline(const TPoint* pts, std::size_t n);
  void Polygon(const TPoint* pts, std::size_t n);
  void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  /// One-pixel frame in the brush colour, as GDI's FrameRect.
  void FrameRect(const TRect& r);
  void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
  void Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
           std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4);
  void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8);
  std::int32_t TextWidth(std::string_view utf8);
  std::int32_t TextHeight(std::string_view utf8);
  TSize TextExtent(std::string_view utf8);

  void Draw(std::int32_t x, std::int32_t y, const TBitmap& bmp);
  void StretchDraw(const TRect& dst, const TBitmap& bmp);
  /// Copies srcRect of the source bitmap into dst with CopyMode() (or mode).
  void CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect);
  void CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect, TCopyMode mode);

  TColor Pixel(std::int32_t x, std::int32_t y);
  void SetPixel(std::int32_t x, std::int32_t y, TColor c);
  /// Pixel spans anchored at (x, y): ink 0 in the pen's colour, ink 1 in the
  /// brush's (see TPixelSpan); pixels are set whatever the pen mode.
  void Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n);
  void SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans, std::size_t n);

  void SetClipRect(const TRect& r);
  void ResetClip();

  std::int32_t GetDeviceCaps(TDeviceCap cap) const;
  TDeviceCaps Caps() const;

private:
  TPenData PenValue() const;      ///< colours resolved, width clamped
  TBrushData BrushValue() const;
  TFontData FontValue() const;

  TCanvasDevice* FDevice = nullptr;
  std::unique_ptr<TCanvasDevice> FOwned;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos{};
  TCopyMode FCopyMode = cmSrcCopy;
  std::uint32_t FTextAlign = TA_LEFT | TA_TOP;
  bool FAntialias = false;
};

}  // namespace kvo
