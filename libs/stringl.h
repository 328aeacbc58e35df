// String helpers: number formatting, padding, abbreviation and escapes.
// Lengths and widths count characters (UTF-8 code points), not bytes.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kvo {

// Formats value right-aligned in at least `width` characters (never cut;
// widths above 4096 count as 4096).
// decimals >= 0: fixed point with exactly that many decimals (at most 18).
// decimals = -1: exponent form: mantissa with up to six decimals, trailing
//   zeros dropped, "E", sign and at least two exponent digits ("1.25E+03",
//   "-4E-07", "0E+00").
// decimals = -2 (or below): automatic: "0" for zero; fixed point with at
//   most seven significant digits, trailing zeros dropped, for
//   1e-4 <= |value| < 1e7; exponent form otherwise.
// A negative zero prints without sign. NaN gives "NaN", infinities "Inf"/"-Inf".
KVO_API std::string strff(double value, std::int32_t width, std::int32_t decimals);

// Formats value with `sigDigits` significant digits (at most 17),
// right-aligned in at least `width` characters, trailing zeros after the
// decimal point dropped. With expAllowed the exponent form of strff is used
// when the decimal exponent is below -4 or at least sigDigits; without it the
// fixed form is always used. sigDigits <= 0 rounds to an integer (fixed
// form). NaN and infinities as strff.
KVO_API std::string SigDigStr(double value, std::int32_t width, std::int32_t sigDigits, bool expAllowed);

// mode 0 "false"/"true", 1 "no"/"yes", 2 "off"/"on", 3 "0"/"1"; other modes as 0.
KVO_API std::string BoolToStr(bool value, std::int32_t mode);

// Replaces every character other than A-Z, a-z and 0-9 by "_".
KVO_API std::string ReduceStringToAZ09(std::string_view s);

// s when it has at most maxLen characters; else its first maxLen - 1
// characters followed by "." (maxLen 1: the first character; <= 0: "").
KVO_API std::string AbbrevString(std::string_view s, std::int32_t maxLen);

// s centred in `width` characters with blanks (an odd blank goes to the
// right); longer strings are returned unchanged.
KVO_API std::string CenterString(std::string_view s, std::int32_t width);

// count copies of ch (count <= 0: ""); the string form repeats a whole text.
KVO_API std::string MultiChar(char ch, std::int32_t count);
KVO_API std::string MultiChar(std::string_view s, std::int32_t count);

// Decodes escapes in user texts (column names, captions):
//   \xHH    the character U+00HH (two hex digits; \x0A is a line feed, \xB0 "°")
//   \uHHHH  the character U+HHHH (four hex digits, no surrogates)
//   \\      one backslash
// Anything else, including an escape with too few or invalid digits and a
// trailing backslash, is copied unchanged. Output is UTF-8.
KVO_API std::string ProcessHexChars(std::string_view s);

// Number of characters (UTF-8 code points) in s.
KVO_API std::int32_t Utf8Length(std::string_view s) noexcept;
// The first n characters of s.
KVO_API std::string Utf8Left(std::string_view s, std::int32_t n);

}  // namespace kvo
