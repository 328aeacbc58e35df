#include "platform/bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/error.h"
#include "platform/raster_device_p.h"
#include "platform/raster_ops_p.h"

namespace kvo {

namespace {

// Largest bitmap we allocate: 2^28 pixels (1 GiB), far above any control.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;
constexpr TRGB32 kBlack{0, 0, 0, 255};

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(std::int32_t width, std::int32_t height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FPpi(other.FPpi), FPixels(other.FPixels) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  FWidth = other.FWidth;
  FHeight = other.FHeight;
  FPpi = other.FPpi;
  ReleaseSurface();
  FPixels = other.FPixels;
  return *this;
}

void TBitmap::SetSize(std::int32_t width, std::int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == FWidth && height == FHeight) return;
  if (std::int64_t(width) * height > kMaxPixels)
    throw EPlatformError("bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels is too large");
  std::vector<TRGB32> pixels(std::size_t(width) * std::size_t(height), kBlack);
  ReleaseSurface();
  FPixels.swap(pixels);
  FWidth = width;
  FHeight = height;
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) {
    FDevice = std::make_unique<detail::TRasterDevice>(*this);
    FCanvas = std::make_unique<TCanvas>(FDevice.get());
  }
  return *FCanvas;
}

void TBitmap::ReleaseSurface() {
  // The device's Cairo surface wraps the pixel buffer: let go of it before the
  // buffer is replaced.
  if (FDevice) static_cast<detail::TRasterDevice*>(FDevice.get())->ReleaseSurface();
}

void TBitmap::SetPixelsPerInch(std::int32_t ppi) {
  if (ppi <= 0) return;
  FPpi = ppi;
  if (FCanvas) FCanvas->Font().SetPixelsPerInch(ppi);
}

void TBitmap::SetSurfaceScale(double scale) {
  Canvas();
  static_cast<detail::TRasterDevice*>(FDevice.get())->SetScale(scale);
}

double TBitmap::SurfaceScale() const noexcept {
  return FDevice ? static_cast<const detail::TRasterDevice*>(FDevice.get())->Scale() : 1.0;
}

void TBitmap::Fill(TColor c) {
  if (FDevice) FDevice->Flush();
  FillPixels(FPixels.data(), FPixels.size(), detail::PixelOf(ColorToRGB(c)));
  if (FDevice) FDevice->Flush();
}

// ---- PNG through Cairo ------------------------------------------------------------

namespace {

struct TPngBytes {
  const std::uint8_t* Data;
  std::size_t Size, Pos = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* in = static_cast<TPngBytes*>(closure);
  if (in->Size - in->Pos < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, in->Data + in->Pos, length);
  in->Pos += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_status_t WriteBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<std::uint8_t> TBitmap::EncodePng() const {
  if (Empty()) throw EPlatformError("cannot encode an empty bitmap as PNG");
  const bool opaque =
      std::all_of(FPixels.begin(), FPixels.end(), [](TRGB32 p) { return p.A == 255; });
  cairo_surface_t* s = cairo_image_surface_create(
      opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, FWidth, FHeight);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    throw EPlatformError("cannot allocate the PNG encoder surface");
  }
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (std::int32_t y = 0; y < FHeight; ++y) {
    auto* to = reinterpret_cast<TRGB32*>(data + std::ptrdiff_t(y) * stride);
    const TRGB32* from = ScanLine(y);
    for (std::int32_t x = 0; x < FWidth; ++x) {
      const TRGB32 p = from[x];
      // Cairo stores premultiplied alpha; our pixels are straight.
      to[x] = opaque ? TRGB32{p.B, p.G, p.R, 255}
                     : TRGB32{std::uint8_t((p.B * p.A + 127) / 255),
                              std::uint8_t((p.G * p.A + 127) / 255),
                              std::uint8_t((p.R * p.A + 127) / 255), p.A};
    }
  }
  cairo_surface_mark_dirty(s);
  std::vector<std::uint8_t> out;
  const cairo_status_t st = cairo_surface_write_to_png_stream(s, WriteBytes, &out);
  cairo_surface_destroy(s);
  if (st != CAIRO_STATUS_SUCCESS)
    throw EPlatformError(std::string("PNG encoding failed: ") + cairo_status_to_string(st));
  return out;
}

namespace detail {

// Decodes PNG bytes into a bitmap; throws EPlatformError.
void DecodePng(const std::vector<std::uint8_t>& bytes, TBitmap& out) {
  TPngBytes in{bytes.data(), bytes.size()};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadBytes, &in);
  const cairo_status_t st = cairo_surface_status(s);
  if (st != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    throw EPlatformError(std::string("damaged or unsupported PNG image (") +
                         cairo_status_to_string(st) + ")");
  }
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const cairo_format_t fmt = cairo_image_surface_get_format(s);
  cairo_surface_t* conv = s;
  if (fmt != CAIRO_FORMAT_ARGB32 && fmt != CAIRO_FORMAT_RGB24) {
    // Grey and other formats: convert through an ARGB32 surface.
    conv = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(conv);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  cairo_surface_flush(conv);
  TBitmap tmp(w, h);
  const unsigned char* data = cairo_image_surface_get_data(conv);
  const int stride = cairo_image_surface_get_stride(conv);
  const bool rgb = cairo_image_surface_get_format(conv) == CAIRO_FORMAT_RGB24;
  for (int y = 0; y < h; ++y) {
    const auto* from = reinterpret_cast<const TRGB32*>(data + std::ptrdiff_t(y) * stride);
    TRGB32* to = tmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      TRGB32 p = from[x];
      if (rgb) p.A = 255;
      else if (p.A != 255 && p.A != 0) {
        p.B = std::uint8_t(std::min(255, (p.B * 255 + p.A / 2) / p.A));
        p.G = std::uint8_t(std::min(255, (p.G * 255 + p.A / 2) / p.A));
        p.R = std::uint8_t(std::min(255, (p.R * 255 + p.A / 2) / p.A));
      }
      to[x] = p;
    }
  }
  if (conv != s) cairo_surface_destroy(conv);
  cairo_surface_destroy(s);
  out = tmp;
}

}  // namespace detail

}  // namespace kvo
