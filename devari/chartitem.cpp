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

namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F (0: the five bytes the
// code page leaves undefined, read as the C1 controls of the same number).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromCp1252(unsigned char b) noexcept {
  if (b < 0x80 || b >= 0xA0) return b;
  const char16_t u = kCp1252High[b - 0x80];
  return u != 0 ? u : b;
}

// The byte of a code point, or -1 when Windows-1252 has none.
int ToCp1252(char32_t u) noexcept {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return int(u);
  for (int k = 0; k < 32; ++k)
    if (kCp1252High[k] == u || (kCp1252High[k] == 0 && u == char32_t(0x80 + k))) return 0x80 + k;
  return -1;
}

// Decodes the UTF-8 character at s[i] and advances i; an invalid byte
// reads as itself (so that texts of older single-byte files still map).
char32_t NextChar(std::string_view s, std::size_t& i) noexcept {
  const auto b = static_cast<unsigned char>(s[i]);
  const std::size_t n =
      b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 9;
  if (n == 9 || i + n >= s.size()) {
    ++i;
    return b;
  }
  char32_t u = n == 0 ? b : (b & (0x3F >> n));
  for (std::size_t k = 1; k <= n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return b;
    }
    u = (u << 6) | (c & 0x3F);
  }
  i += n + 1;
  return u;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += char(u);
  } else if (u < 0x800) {
    out += char(0xC0 | (u >> 6));
    out += char(0x80 | (u & 0x3F));
  } else {
    out += char(0xE0 | (u >> 12));
    out += char(0x80 | ((u >> 6) & 0x3F));
    out += char(0x80 | (u & 0x3F));
  }
}

}  // namespace

std::string ShortText(const TrcChartItem& item) {
  const std::size_t n = item.Text.Len < kShortTextLen ? item.Text.Len : kShortTextLen;
  std::string out;
  out.reserve(n);
  for (std::size_t k = 0; k < n; ++k)
    AppendUtf8(out, FromCp1252(static_cast<unsigned char>(item.Text.Chars[k])));
  return out;
}

bool SetShortText(TrcChartItem& item, std::string_view text) noexcept {
  std::memset(item.Text.Chars, 0, sizeof item.Text.Chars);
  std::size_t n = 0, i = 0;
  bool exact = true;
  while (i < text.size() && n < kShortTextLen) {
    const int b = ToCp1252(NextChar(text, i));
    if (b < 0) exact = false;
    item.Text.Chars[n++] = char(b < 0 ? '?' : b);
  }
  item.Text.Len = static_cast<std::uint8_t>(n);
  return exact && i == text.size();
}

bool NeedsLongText(std::string_view text) noexcept {
  std::size_t n = 0, i = 0;
  while (i < text.size()) {
    if (++n > kShortTextLen || ToCp1252(NextChar(text, i)) < 0) return true;
  }
  return false;
}

}  // namespace kvo
