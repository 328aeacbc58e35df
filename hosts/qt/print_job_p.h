// Print jobs of the Qt host: a PDF file written through our vector canvas, or
// pages rasterised at the printer's resolution and sent through QPrinter.
#pragma once

#include "../../platform/export.h"

#include <memory>
#include <string>

#include "platform/host.h"

class QPrinter;

namespace kvo::qt {

// A4 portrait at pixelsPerInch, as a PDF file at path. Throws EPlatformError
// when the file cannot be created.
KVO_API std::unique_ptr<TPrintJob> MakePdfPrintJob(const std::string& path, std::int32_t width,
                                           std::int32_t height, std::int32_t pixelsPerInch);
// Renders into one bitmap per page and paints it on the printer; the job
// owns the printer.
KVO_API std::unique_ptr<TPrintJob> MakePrinterJob(std::unique_ptr<QPrinter> printer);

// Device that forwards to another one and reports itself as a printer page
// (IsPrinter, the page's resolution and size).
class KVO_API TPrinterPageDevice : public TCanvasDevice {
public:
  TPrinterPageDevice(TCanvasDevice& inner, TDeviceCaps caps) : FInner(&inner), FCaps(caps) {}
  void SetInner(TCanvasDevice& inner) noexcept { FInner = &inner; }

  TDeviceCaps Caps() const override { return FCaps; }
  void Line(TPoint a, TPoint b, const TPenData& pen) override { FInner->Line(a, b, pen); }
  void Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) override {
    FInner->Polyline(pts, n, pen);
  }
  void Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
               const TBrushData& brush) override {
    FInner->Polygon(pts, n, pen, brush);
  }
  void Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) override {
    FInner->Rectangle(r, pen, brush);
  }
  void FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) override {
    FInner->FillRect(r, brush, mode);
  }
  void Ellipse(const TRect& r, const TPenData& pen, const TBrushData& brush) override {
    FInner->Ellipse(r, pen, brush);
  }
  void Arc(const TRect& r, TPoint start, TPoint end, const TPenData& pen) override {
    FInner->Arc(r, start, end, pen);
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8, const TFontData& font,
               const TBrushData& brush, std::uint32_t align) override {
    FInner->TextOut(x, y, utf8, font, brush, align);
  }
  TSize TextExtent(std::string_view utf8, const TFontData& font) override {
    return FInner->TextExtent(utf8, font);
  }
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override { FInner->SetPixel(x, y, c); }
  TColor GetPixel(std::int32_t x, std::int32_t y) override { return FInner->GetPixel(x, y); }
  void DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                  TCopyMode mode) override {
    FInner->DrawBitmap(dst, src, srcRect, mode);
  }
  void SetClip(const TRect* clip) override { FInner->SetClip(clip); }
  void SetAntialias(bool on) override { FInner->SetAntialias(on); }
  void Flush() override { FInner->Flush(); }

private:
  TCanvasDevice* FInner;
  TDeviceCaps FCaps;
};

}  // namespace kvo::qt
