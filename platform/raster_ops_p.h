// Pixel arithmetic shared by the raster device and the bitmap code: colour
// packing, the sixteen pen raster operations, the ternary copy operations,
// hatch patterns and the cosmetic-pen dash patterns.
#pragma once

#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/types.h"

namespace kvo::detail {

inline TRGB32 PixelOf(TColor c) noexcept {
  return {GetBValue(c), GetGValue(c), GetRValue(c), 255};
}
inline TColor ColorOfPixel(TRGB32 p) noexcept { return RGBColor(p.R, p.G, p.B); }

inline std::uint32_t Pack(TRGB32 p) noexcept {
  return std::uint32_t(p.B) | (std::uint32_t(p.G) << 8) | (std::uint32_t(p.R) << 16) |
         (std::uint32_t(p.A) << 24);
}
inline TRGB32 Unpack(std::uint32_t v) noexcept {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

// Pen raster operation of mode on pen P and destination D (colour bits only;
// the result is opaque).
inline std::uint32_t Rop2Bits(TPenMode m, std::uint32_t p, std::uint32_t d) noexcept {
  switch (m) {
    case pmBlack: return 0;
    case pmWhite: return ~0u;
    case pmNop: return d;
    case pmNot: return ~d;
    case pmCopy: return p;
    case pmNotCopy: return ~p;
    case pmMergePenNot: return p | ~d;
    case pmMaskPenNot: return p & ~d;
    case pmMergeNotPen: return ~p | d;
    case pmMaskNotPen: return ~p & d;
    case pmMerge: return p | d;
    case pmNotMerge: return ~(p | d);
    case pmMask: return p & d;
    case pmNotMask: return ~(p & d);
    case pmXor: return p ^ d;
    case pmNotXor: return ~(p ^ d);
  }
  return p;
}
inline TRGB32 Rop2(TPenMode m, TRGB32 pen, TRGB32 dst) noexcept {
  return Unpack((Rop2Bits(m, Pack(pen), Pack(dst)) & 0x00FFFFFFu) | 0xFF000000u);
}

// Ternary raster operation (the high word of a GDI copy mode is the truth
// table over pattern 0xF0, source 0xCC, destination 0xAA).
inline std::uint32_t Rop3Bits(TCopyMode mode, std::uint32_t p, std::uint32_t s,
                              std::uint32_t d) noexcept {
  switch (mode) {
    case cmSrcCopy: return s;
    case cmSrcAnd: return s & d;
    case cmSrcPaint: return s | d;
    case cmSrcInvert: return s ^ d;
    case cmSrcErase: return s & ~d;
    case cmNotSrcCopy: return ~s;
    case cmNotSrcErase: return ~(s | d);
    case cmMergePaint: return ~s | d;
    case cmDstInvert: return ~d;
    case cmBlackness: return 0;
    case cmWhiteness: return ~0u;
    case cmMergeCopy: return p & s;
    default: break;
  }
  const std::uint32_t table = (mode >> 16) & 0xFF;
  std::uint32_t out = 0;
  for (int i = 0; i < 8; ++i) {
    if (!(table & (1u << i))) continue;
    const std::uint32_t pp = (i & 4) ? p : ~p;
    const std::uint32_t ss = (i & 2) ? s : ~s;
    const std::uint32_t dd = (i & 1) ? d : ~d;
    out |= pp & ss & dd;
  }
  return out;
}

// Hatch brushes: 8 x 8 cells aligned to the device origin; true where the
// brush colour is drawn (the rest stays transparent).
inline bool HatchBit(TBrushStyle s, std::int32_t x, std::int32_t y) noexcept {
  const int cx = x & 7, cy = y & 7;
  const bool h = cy == 7, v = cx == 7, f = ((cx - cy) & 7) == 0, b = ((cx + cy) & 7) == 7;
  switch (s) {
    case bsHorizontal: return h;
    case bsVertical: return v;
    case bsFDiagonal: return f;
    case bsBDiagonal: return b;
    case bsCross: return h || v;
    case bsDiagCross: return f || b;
    case bsSolid: return true;
    case bsClear: return false;
  }
  return false;
}
inline bool IsHatch(TBrushStyle s) noexcept { return s >= bsHorizontal && s <= bsDiagCross; }

// Cosmetic (1-pixel) pen patterns in pixels: on, off, on, off...
inline std::span<const std::uint8_t> DashPattern(TPenStyle s) noexcept {
  static constexpr std::uint8_t kDash[] = {18, 6};
  static constexpr std::uint8_t kDot[] = {3, 3};
  static constexpr std::uint8_t kDashDot[] = {9, 6, 3, 6};
  static constexpr std::uint8_t kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (s) {
    case psDash: return kDash;
    case psDot: return kDot;
    case psDashDot: return kDashDot;
    case psDashDotDot: return kDashDotDot;
    default: return {};
  }
}

// Replaces invalid UTF-8 sequences with U+FFFD and drops NUL characters, so
// that the font engine never sees a string it rejects.
std::string SanitizeUtf8(std::string_view s);

}  // namespace kvo::detail
