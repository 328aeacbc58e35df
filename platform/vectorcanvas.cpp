#include "platform/vectorcanvas.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>

#include "platform/cairo_device_p.h"
#include "platform/error.h"

namespace kvo {

namespace {

class TVectorDevice final : public detail::TCairoDevice {
public:
  TVectorDevice(cairo_t* cr, const TDeviceCaps& caps) : FCr(cr) { FCaps = caps; }
  void SetPrinter() { FCaps.IsPrinter = true; }
  void Detach() { FCr = nullptr; }

protected:
  cairo_t* Cr() override { return FCr; }

private:
  cairo_t* FCr;
};

}  // namespace

struct TVectorFile::Impl {
  cairo_surface_t* Surface = nullptr;
  cairo_t* Cr = nullptr;
  std::unique_ptr<TVectorDevice> Device;
  std::unique_ptr<TCanvas> Canvas;
  TVectorFormat Format{};
  bool Finished = false;
};

TVectorFile::TVectorFile(const std::string& path, TVectorFormat fmt, std::int32_t width,
                         std::int32_t height, std::int32_t pixelsPerInch)
    : FImpl(std::make_unique<Impl>()) {
  if (width <= 0 || height <= 0) throw EPlatformError("vector file needs a positive page size");
  if (pixelsPerInch <= 0) pixelsPerInch = 96;
  const double k = 72.0 / pixelsPerInch;  // points per device unit
  const double wpt = width * k, hpt = height * k;
  switch (fmt) {
    case TVectorFormat::Svg:
      FImpl->Surface = cairo_svg_surface_create(path.c_str(), wpt, hpt);
      break;
    case TVectorFormat::Pdf:
      FImpl->Surface = cairo_pdf_surface_create(path.c_str(), wpt, hpt);
      break;
    case TVectorFormat::PostScript:
      FImpl->Surface = cairo_ps_surface_create(path.c_str(), wpt, hpt);
      break;
  }
  if (cairo_surface_status(FImpl->Surface) != CAIRO_STATUS_SUCCESS) {
    const std::string why = cairo_status_to_string(cairo_surface_status(FImpl->Surface));
    cairo_surface_destroy(FImpl->Surface);
    throw EPlatformError("cannot create \"" + path + "\": " + why);
  }
  if (fmt == TVectorFormat::Svg) cairo_svg_surface_restrict_to_version(FImpl->Surface, CAIRO_SVG_VERSION_1_1);
  FImpl->Cr = cairo_create(FImpl->Surface);
  cairo_scale(FImpl->Cr, k, k);
  FImpl->Format = fmt;
  TDeviceCaps caps;
  caps.Width = width;
  caps.Height = height;
  caps.LogPixelsX = caps.LogPixelsY = pixelsPerInch;
  caps.RasterOps = false;
  caps.PixelRead = false;
  FImpl->Device = std::make_unique<TVectorDevice>(FImpl->Cr, caps);
  FImpl->Canvas = std::make_unique<TCanvas>(FImpl->Device.get());
}

TVectorFile::~TVectorFile() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report; Finish() called explicitly does.
  }
}

TCanvas& TVectorFile::Canvas() { return *FImpl->Canvas; }

void TVectorFile::NewPage() {
  if (FImpl->Finished || FImpl->Format == TVectorFormat::Svg) return;
  cairo_show_page(FImpl->Cr);
}

void TVectorFile::MarkAsPrinter() { FImpl->Device->SetPrinter(); }

namespace {
cairo_status_t AppendText(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::string RenderSvg(std::int32_t width, std::int32_t height,
                      const std::function<void(TCanvas&)>& fn) {
  if (width <= 0 || height <= 0) throw EPlatformError("SVG drawing needs a positive size");
  std::string out;
  cairo_surface_t* s = cairo_svg_surface_create_for_stream(AppendText, &out, width * 0.75,
                                                           height * 0.75);
  cairo_svg_surface_restrict_to_version(s, CAIRO_SVG_VERSION_1_1);
  cairo_t* cr = cairo_create(s);
  cairo_scale(cr, 0.75, 0.75);
  TDeviceCaps caps;
  caps.Width = width;
  caps.Height = height;
  {
    TVectorDevice dev(cr, caps);
    TCanvas canvas(&dev);
    if (fn) fn(canvas);
  }
  cairo_destroy(cr);
  cairo_surface_finish(s);
  const cairo_status_t st = cairo_surface_status(s);
  cairo_surface_destroy(s);
  if (st != CAIRO_STATUS_SUCCESS)
    throw EPlatformError(std::string("SVG rendering failed: ") + cairo_status_to_string(st));
  return out;
}

void TVectorFile::Finish() {
  if (FImpl->Finished) return;
  FImpl->Finished = true;
  FImpl->Device->Detach();
  cairo_destroy(FImpl->Cr);
  FImpl->Cr = nullptr;
  cairo_surface_finish(FImpl->Surface);
  const cairo_status_t st = cairo_surface_status(FImpl->Surface);
  cairo_surface_destroy(FImpl->Surface);
  FImpl->Surface = nullptr;
  if (st != CAIRO_STATUS_SUCCESS)
    throw EPlatformError(std::string("writing the vector file failed: ") +
                         cairo_status_to_string(st));
}

}  // namespace kvo
