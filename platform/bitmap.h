/// @file
/// TBitmap: a 32-bit raster image (pixels stored top-down as bytes B, G, R, A)
/// with a canvas that draws into it. Alpha is straight (not premultiplied);
/// drawing writes opaque pixels, SRCCOPY copies all four bytes, and PNG files
/// keep the alpha channel.
///
/// Reading and writing pixels through ScanLine while the canvas is drawing is
/// fine: the canvas synchronises before each of its operations.
#pragma once

#include "export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <cstring>
#include <vector>

#include "canvas.h"

namespace kvo {

struct KVO_API TRGB32 {
  std::uint8_t B, G, R, A;
};
static_assert(sizeof(TRGB32) == 4);

// Sets n pixels to px: one memset when its four bytes agree (white, black),
// else eight bytes per store.
inline void FillPixels(TRGB32* p, std::size_t n, TRGB32 px) noexcept {
  if (px.B == px.G && px.G == px.R && px.R == px.A) {
    std::memset(p, px.B, n * sizeof(TRGB32));
    return;
  }
  std::uint32_t v;
  std::memcpy(&v, &px, 4);
  const std::uint64_t two = (std::uint64_t(v) << 32) | v;
  std::size_t i = 0;
  if ((reinterpret_cast<std::uintptr_t>(p) & 7) != 0 && n > 0) p[i++] = px;
  for (; i + 2 <= n; i += 2) std::memcpy(p + i, &two, 8);
  if (i < n) p[i] = px;
}

enum class TImageFormat : std::uint8_t { Auto, Bmp, Png, Jpeg };

class KVO_API TBitmap : public TObject {
public:
  TBitmap();
  TBitmap(std::int32_t width, std::int32_t height);
  ~TBitmap() override;
  TBitmap(const TBitmap& other);             ///< deep copy of the pixels
  TBitmap& operator=(const TBitmap& other);

  std::int32_t Width() const noexcept { return FWidth; }
  std::int32_t Height() const noexcept { return FHeight; }
  /// Negative sizes become 0. A size change discards the pixels (new ones are
  /// black); the same size keeps them.
  void SetSize(std::int32_t width, std::int32_t height);
  void SetWidth(std::int32_t w) { SetSize(w, FHeight); }
  void SetHeight(std::int32_t h) { SetSize(FWidth, h); }
  bool Empty() const noexcept { return FWidth == 0 || FHeight == 0; }

  /// Row y (0 = top); rows are contiguous, Stride() pixels apart.
  TRGB32* ScanLine(std::int32_t y) noexcept { return FPixels.data() + std::size_t(y) * FWidth; }
  const TRGB32* ScanLine(std::int32_t y) const noexcept {
    return FPixels.data() + std::size_t(y) * FWidth;
  }
  std::int32_t Stride() const noexcept { return FWidth; }
  TRGB32* Bits() noexcept { return FPixels.data(); }
  const TRGB32* Bits() const noexcept { return FPixels.data(); }

  /// Canvas drawing into this bitmap (created on first use, lives as long as
  /// the bitmap; its pen/brush/font persist across calls).
  TCanvas& Canvas();
  /// Resolution reported by the canvas (96 dpi unless set otherwise).
  void SetPixelsPerInch(std::int32_t ppi);
  std::int32_t PixelsPerInch() const noexcept { return FPpi; }
  /// Device pixels per logical pixel of the canvas (HiDPI surfaces): the canvas
  /// keeps logical coordinates (Width()/scale x Height()/scale) and draws them
  /// scaled. 1 by default.
  void SetSurfaceScale(double scale);
  double SurfaceScale() const noexcept;

  void Fill(TColor c);

  /// Loading replaces size and pixels; throws EPlatformError with the reason on
  /// failure (unreadable file, unknown or damaged format) and keeps the old image.
  void LoadFromFile(const std::string& path);
  /// Saves as BMP (24-bit, alpha dropped) or PNG (alpha kept when any pixel is
  /// not opaque); Auto picks by the file's ending (.bmp/.dib, .png). JPEG and
  /// unknown endings throw EPlatformError, as do write failures. Loading
  /// detects the format from the content, whatever the ending.
  void SaveToFile(const std::string& path, TImageFormat fmt = TImageFormat::Auto) const;
  /// PNG bytes of the image (used by clipboard and golden tests).
  std::vector<std::uint8_t> EncodePng() const;

private:
  void ReleaseSurface();

  std::int32_t FWidth = 0, FHeight = 0, FPpi = 96;
  std::vector<TRGB32> FPixels;
  std::unique_ptr<TCanvasDevice> FDevice;
  std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace kvo
