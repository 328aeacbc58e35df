#include "platform/canvas.h"

#include <vector>

#include "platform/bitmap.h"
#include "platform/numeric.h"

namespace kvo {

TCanvas::TCanvas(TCanvasDevice* device) : FDevice(device) {
  if (FDevice) FFont.SetPixelsPerInch(FDevice->Caps().LogPixelsY);
}

TCanvas::TCanvas(std::unique_ptr<TCanvasDevice> owned)
    : FDevice(owned.get()), FOwned(std::move(owned)) {
  if (FDevice) FFont.SetPixelsPerInch(FDevice->Caps().LogPixelsY);
}

TCanvas::~TCanvas() = default;

TPenData TCanvas::PenValue() const {
  TPenData p = FPen.Data();
  p.Color = ColorToRGB(p.Color);
  if (p.Width < 1) p.Width = 1;
  if (p.Width > 10000) p.Width = 10000;
  return p;
}

TBrushData TCanvas::BrushValue() const {
  TBrushData b = FBrush.Data();
  b.Color = ColorToRGB(b.Color);
  return b;
}

TFontData TCanvas::FontValue() const {
  TFontData f = FFont.Data();
  f.Color = ColorToRGB(f.Color);
  return f;
}

void TCanvas::SetAntialias(bool on) {
  if (on == FAntialias) return;
  FAntialias = on;
  if (FDevice) FDevice->SetAntialias(on);
}

std::uint32_t TCanvas::SetTextAlign(std::uint32_t flags) noexcept {
  const std::uint32_t old = FTextAlign;
  FTextAlign = flags;
  return old;
}

void TCanvas::MoveTo(std::int32_t x, std::int32_t y) noexcept { FPenPos = {x, y}; }

void TCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const TPoint a = FPenPos;
  FPenPos = {x, y};
  if (FDevice) FDevice->Line(a, FPenPos, PenValue());
}

void TCanvas::Polyline(const TPoint* pts, std::size_t n) {
  if (!FDevice || pts == nullptr || n < 2) return;
  FDevice->Polyline(pts, n, PenValue());
}

void TCanvas::Polygon(const TPoint* pts, std::size_t n) {
  if (!FDevice || pts == nullptr || n < 2) return;
  FDevice->Polygon(pts, n, PenValue(), BrushValue());
}

void TCanvas::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!FDevice) return;
  const TRect box = TRect{l, t, r, b}.Normalized();
  if (box.IsEmpty()) return;
  FDevice->Rectangle(box, PenValue(), BrushValue());
}

void TCanvas::FillRect(const TRect& r) {
  if (!FDevice) return;
  const TRect box = r.Normalized();
  if (box.IsEmpty() || FBrush.Style() == bsClear) return;
  FDevice->FillRect(box, BrushValue(), pmCopy);
}

void TCanvas::FrameRect(const TRect& r) {
  if (!FDevice) return;
  const TRect box = r.Normalized();
  if (box.IsEmpty() || FBrush.Style() == bsClear) return;
  TPenData pen;
  pen.Color = ColorToRGB(FBrush.Color());
  TBrushData clear;
  clear.Style = bsClear;
  FDevice->Rectangle(box, pen, clear);
}

void TCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!FDevice) return;
  const TRect box = TRect{l, t, r, b}.Normalized();
  if (box.IsEmpty()) return;
  FDevice->Ellipse(box, PenValue(), BrushValue());
}

void TCanvas::Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4) {
  if (!FDevice) return;
  const TRect box = TRect{x1, y1, x2, y2}.Normalized();
  if (box.IsEmpty()) return;
  FDevice->Arc(box, {x3, y3}, {x4, y4}, PenValue());
}

void TCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view utf8) {
  if (!FDevice) return;
  const bool updateCp = (FTextAlign & TA_UPDATECP) != 0;
  if (updateCp) {
    x = FPenPos.x;
    y = FPenPos.y;
  }
  const TFontData font = FontValue();
  FDevice->TextOut(x, y, utf8, font, BrushValue(), FTextAlign & ~std::uint32_t{TA_UPDATECP});
  if (updateCp) {
    // The current position moves past the text in the writing direction.
    const std::int32_t w = FDevice->TextExtent(utf8, font).cx;
    const std::uint32_t h = FTextAlign & TA_HORZMASK;
    if (h == TA_LEFT) FPenPos.x = SatAdd(FPenPos.x, w);
    else if (h == TA_RIGHT) FPenPos.x = SatAdd(FPenPos.x, -w);
  }
}

TSize TCanvas::TextExtent(std::string_view utf8) {
  if (!FDevice) return {};
  return FDevice->TextExtent(utf8, FontValue());
}
std::int32_t TCanvas::TextWidth(std::string_view utf8) { return TextExtent(utf8).cx; }
std::int32_t TCanvas::TextHeight(std::string_view utf8) { return TextExtent(utf8).cy; }

void TCanvas::Draw(std::int32_t x, std::int32_t y, const TBitmap& bmp) {
  if (!FDevice || bmp.Empty()) return;
  const TRect full{0, 0, bmp.Width(), bmp.Height()};
  FDevice->DrawBitmap({x, y, SatAdd(x, bmp.Width()), SatAdd(y, bmp.Height())}, bmp, full,
                      FCopyMode);
}

void TCanvas::StretchDraw(const TRect& dst, const TBitmap& bmp) {
  if (!FDevice || bmp.Empty() || dst.Width() == 0 || dst.Height() == 0) return;
  FDevice->DrawBitmap(dst, bmp, {0, 0, bmp.Width(), bmp.Height()}, FCopyMode);
}

void TCanvas::CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect) {
  CopyRect(dst, src, srcRect, FCopyMode);
}

void TCanvas::CopyRect(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                       TCopyMode mode) {
  if (!FDevice || src.Empty()) return;
  if (dst.Width() == 0 || dst.Height() == 0 || srcRect.Width() == 0 || srcRect.Height() == 0)
    return;
  FDevice->DrawBitmap(dst, src, srcRect, mode);
}

TColor TCanvas::Pixel(std::int32_t x, std::int32_t y) {
  if (!FDevice) return clWhite;
  return FDevice->GetPixel(x, y);
}

void TCanvas::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  if (FDevice) FDevice->SetPixel(x, y, ColorToRGB(c));
}

void TCanvas::Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n) {
  if (!FDevice || n == 0) return;
  const TColor inks[2] = {ColorToRGB(FPen.Color()), ColorToRGB(FBrush.Color())};
  FDevice->Spans(x, y, spans, n, inks);
}

void TCanvas::SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans,
                      std::size_t n) {
  if (!FDevice || n == 0 || count == 0) return;
  const TColor inks[2] = {ColorToRGB(FPen.Color()), ColorToRGB(FBrush.Color())};
  FDevice->SpansAt(anchors, count, spans, n, inks);
}

void TCanvasDevice::SpansAt(const TPoint* anchors, std::size_t count, const TPixelSpan* spans,
                            std::size_t n, const TColor inks[2]) {
  for (std::size_t k = 0; k < count; ++k) Spans(anchors[k].x, anchors[k].y, spans, n, inks);
}

void TCanvasDevice::Spans(std::int32_t x, std::int32_t y, const TPixelSpan* spans, std::size_t n,
                          const TColor inks[2]) {
  TBrushData brush;
  brush.Style = bsSolid;
  for (std::size_t i = 0; i < n; ++i) {
    const TPixelSpan& s = spans[i];
    brush.Color = inks[s.Ink & 1];
    const std::int64_t top = std::int64_t(y) + s.Dy, left = std::int64_t(x) + s.X0,
                       right = std::int64_t(x) + s.X1;
    FillRect(TRect{ClampToInt(double(left)), ClampToInt(double(top)), ClampToInt(double(right)),
                   ClampToInt(double(top + 1))},
             brush, pmCopy);
  }
}

void TCanvas::SetClipRect(const TRect& r) {
  if (!FDevice) return;
  const TRect box = r.Normalized();
  FDevice->SetClip(&box);
}

void TCanvas::ResetClip() {
  if (FDevice) FDevice->SetClip(nullptr);
}

TDeviceCaps TCanvas::Caps() const { return FDevice ? FDevice->Caps() : TDeviceCaps{}; }

std::int32_t TCanvas::GetDeviceCaps(TDeviceCap cap) const {
  const TDeviceCaps c = Caps();
  switch (cap) {
    case LOGPIXELSX: return c.LogPixelsX;
    case LOGPIXELSY: return c.LogPixelsY;
    case ASPECTX: return c.AspectX;
    case ASPECTY: return c.AspectY;
    case HORZRES: return c.Width;
    case VERTRES: return c.Height;
  }
  return 0;
}

}  // namespace kvo
