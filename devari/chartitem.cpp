#include "devari/chartitem.h"

#include <cstring>

namespace kvo {

void CleadEvariItem(TrcChartItem& item) noexcept {
  item = TrcChartItem{};
  item.FillColor = 0xFFFFFF;
  item.ShadowColor = 0x808080;
  item.HiLightColor = 0xFFFFFF;
  item.Layer = 1;
}

std::string ShortText(const TrcChartItem& item) {
  const std::size_t n = item.Text.Len < kShortTextLen ? item.Text.Len : kShortTextLen;
  return std::string(item.Text.Chars, n);
}

bool SetShortText(TrcChartItem& item, std::string_view text) noexcept {
  std::size_t n = text.size();
  if (n > kShortTextLen) {
    n = kShortTextLen;
    // Never end the field in the middle of a UTF-8 sequence: back up over
    // continuation bytes (10xxxxxx) to the lead byte of the cut character.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  std::memset(item.Text.Chars, 0, sizeof item.Text.Chars);
  std::memcpy(item.Text.Chars, text.data(), n);
  item.Text.Len = static_cast<std::uint8_t>(n);
  return n == text.size();
}

}  // namespace kvo
