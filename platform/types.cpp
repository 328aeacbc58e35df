#include "platform/types.h"

#include <array>

namespace kvo {

namespace {

// Built-in system colours: a light desktop theme, chosen so that controls look
// familiar without a host style (0x00BBGGRR).
constexpr std::array<TColor, 31> kDefaultSystemColors = {
    0xC8C8C8,  //  0 scroll bar
    0x000000,  //  1 desktop background
    0xD1B499,  //  2 active caption
    0xDBCDBF,  //  3 inactive caption
    0xF0F0F0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x646464,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0x000000,  //  9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0xD77800,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x000000,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3D dark shadow
    0xE3E3E3,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0x000000,  // 25 (unused)
    0xCC6600,  // 26 hot light
    0xEAD1B9,  // 27 gradient active caption
    0xF2E4D7,  // 28 gradient inactive caption
    0xFF9933,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

std::array<TColor, 31>& Table() {
  static std::array<TColor, 31> table = kDefaultSystemColors;
  return table;
}

}  // namespace

TColor ColorToRGB(TColor c) noexcept {
  if (c == clNone || c == clDefault) return clWhite;
  if (IsSystemColor(c)) {
    const std::uint32_t index = c & 0xFF;
    // Unknown indexes read as black rather than past the table.
    return index < Table().size() ? Table()[index] : clBlack;
  }
  return c & 0x00FFFFFF;
}

void SetSystemColor(std::uint8_t index, TColor rgb) noexcept {
  if (index < Table().size()) Table()[index] = ColorToRGB(rgb);
}

void ResetSystemColors() noexcept { Table() = kDefaultSystemColors; }

}  // namespace kvo
