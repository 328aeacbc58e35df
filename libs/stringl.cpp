// Number formatting and string helpers.
#include "libs/stringl.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kvo {

namespace {

constexpr std::int32_t kMaxWidth = 4096;

std::string Printf(const char* fmt, int prec, double v) {
  char buf[512];
  const int n = std::snprintf(buf, sizeof buf, fmt, prec, v);
  if (n < 0) return {};
  if (std::size_t(n) < sizeof buf) return std::string(buf, std::size_t(n));
  std::string big(std::size_t(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), fmt, prec, v);
  big.resize(std::size_t(n));
  return big;
}

// "-0.00" and "-0E+00" lose their sign: a value that prints as zero is zero.
void DropNegativeZero(std::string& s) {
  if (s.empty() || s[0] != '-') return;
  for (char c : s) {
    if (c == 'E' || c == 'e') break;
    if (c >= '1' && c <= '9') return;
  }
  s.erase(0, 1);
}

// Removes trailing zeros of the fraction (and a bare point) of a fixed-point text.
void TrimFraction(std::string& s) {
  if (s.find('.') == std::string::npos) return;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
}

std::string Fixed(double v, int decimals) {
  std::string s = Printf("%.*f", decimals, v);
  DropNegativeZero(s);
  return s;
}

// Mantissa with `decimals` decimals, trailing zeros dropped, "E", sign, and
// at least two exponent digits.
std::string Exponent(double v, int decimals) {
  std::string s = Printf("%.*E", decimals, v);
  const std::size_t e = s.find('E');
  if (e == std::string::npos) return s;
  std::string mant = s.substr(0, e), ex = s.substr(e);
  TrimFraction(mant);
  s = mant + ex;
  DropNegativeZero(s);
  return s;
}

// Decimal exponent of v after rounding to `sig` significant digits.
int DecimalExponent(double v, int sig) {
  const std::string s = Printf("%.*e", sig - 1, v);
  const std::size_t e = s.find('e');
  return e == std::string::npos ? 0 : std::atoi(s.c_str() + e + 1);
}

std::string NonFinite(double v) {
  if (std::isnan(v)) return "NaN";
  return v < 0 ? "-Inf" : "Inf";
}

std::string PadLeft(std::string s, std::int32_t width) {
  if (width > kMaxWidth) width = kMaxWidth;
  const std::int32_t len = Utf8Length(s);
  if (width > len) s.insert(0, std::size_t(width - len), ' ');
  return s;
}

// Length in bytes of the UTF-8 sequence starting with byte c (1 for stray bytes).
std::size_t SeqLen(unsigned char c) noexcept {
  if (c >= 0xF0 && c <= 0xF7) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

int HexDigit(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Value of n hex digits at s[pos..], or -1.
long HexValue(std::string_view s, std::size_t pos, std::size_t n) noexcept {
  if (pos + n > s.size()) return -1;
  long v = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int d = HexDigit(s[pos + i]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

}  // namespace

std::int32_t Utf8Length(std::string_view s) noexcept {
  std::int32_t n = 0;
  for (std::size_t i = 0; i < s.size(); i += SeqLen(static_cast<unsigned char>(s[i]))) ++n;
  return n;
}

std::string Utf8Left(std::string_view s, std::int32_t n) {
  std::size_t i = 0;
  for (std::int32_t k = 0; k < n && i < s.size(); ++k) i += SeqLen(static_cast<unsigned char>(s[i]));
  if (i > s.size()) i = s.size();
  return std::string(s.substr(0, i));
}

std::string strff(double value, std::int32_t width, std::int32_t decimals) {
  std::string s;
  if (!std::isfinite(value)) {
    s = NonFinite(value);
  } else if (decimals >= 0) {
    s = Fixed(value, decimals > 18 ? 18 : int(decimals));
  } else if (decimals == -1) {
    s = Exponent(value, 6);
  } else if (value == 0) {
    s = "0";
  } else {
    const int e = DecimalExponent(value, 7);
    if (e >= -4 && e < 7) {
      s = Fixed(value, 6 - e);
      TrimFraction(s);
    } else {
      s = Exponent(value, 6);
    }
  }
  return PadLeft(std::move(s), width);
}

std::string SigDigStr(double value, std::int32_t width, std::int32_t sigDigits, bool expAllowed) {
  std::string s;
  if (!std::isfinite(value)) {
    s = NonFinite(value);
  } else if (sigDigits <= 0) {
    s = Fixed(value, 0);
  } else {
    const int sig = sigDigits > 17 ? 17 : int(sigDigits);
    const int e = value == 0 ? 0 : DecimalExponent(value, sig);
    if (expAllowed && (e < -4 || e >= sig)) {
      s = Exponent(value, sig - 1);
    } else {
      s = Fixed(value, sig - 1 - e > 0 ? sig - 1 - e : 0);
      TrimFraction(s);
      DropNegativeZero(s);
    }
  }
  return PadLeft(std::move(s), width);
}

std::string BoolToStr(bool value, std::int32_t mode) {
  switch (mode) {
    case 1: return value ? "yes" : "no";
    case 2: return value ? "on" : "off";
    case 3: return value ? "1" : "0";
    default: return value ? "true" : "false";
  }
}

std::string ReduceStringToAZ09(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    out += keep ? char(c) : '_';
    i += SeqLen(c);
  }
  return out;
}

std::string AbbrevString(std::string_view s, std::int32_t maxLen) {
  if (maxLen <= 0) return {};
  if (Utf8Length(s) <= maxLen) return std::string(s);
  if (maxLen == 1) return Utf8Left(s, 1);
  return Utf8Left(s, maxLen - 1) + ".";
}

std::string CenterString(std::string_view s, std::int32_t width) {
  const std::int32_t len = Utf8Length(s);
  if (len >= width) return std::string(s);
  const std::int32_t left = (width - len) / 2, right = width - len - left;
  return std::string(std::size_t(left), ' ') + std::string(s) + std::string(std::size_t(right), ' ');
}

std::string MultiChar(char ch, std::int32_t count) {
  return count > 0 ? std::string(std::size_t(count), ch) : std::string();
}

std::string MultiChar(std::string_view s, std::int32_t count) {
  std::string out;
  if (count <= 0) return out;
  out.reserve(s.size() * std::size_t(count));
  for (std::int32_t i = 0; i < count; ++i) out += s;
  return out;
}

std::string ProcessHexChars(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c != '\\' || i + 1 >= s.size()) {
      out += c;
      continue;
    }
    const char k = s[i + 1];
    if (k == '\\') {
      out += '\\';
      ++i;
    } else if (k == 'x' || k == 'X') {
      const long v = HexValue(s, i + 2, 2);
      if (v < 0) { out += c; continue; }
      AppendUtf8(out, std::uint32_t(v));
      i += 3;
    } else if (k == 'u' || k == 'U') {
      const long v = HexValue(s, i + 2, 4);
      if (v < 0 || (v >= 0xD800 && v <= 0xDFFF)) { out += c; continue; }
      AppendUtf8(out, std::uint32_t(v));
      i += 5;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kvo
