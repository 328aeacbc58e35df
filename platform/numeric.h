// The one rounding rule of the system and the safe float-to-integer
// conversions every pixel computation goes through.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kvo {

// Round to nearest, halves to even (banker's rounding), as a double.
inline double RoundHalfEven(double v) noexcept { return std::nearbyint(v); }

// Saturating conversion: NaN gives 0, values beyond the int32 range give the
// nearest bound. Never hands an unrepresentable value to a cast.
inline std::int32_t ClampToInt(double v) noexcept {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// "round": halves to even, saturated into int32 (NaN gives 0).
inline std::int32_t Round(double v) noexcept { return ClampToInt(RoundHalfEven(v)); }
inline std::int32_t Round(long double v) noexcept {
  if (std::isnan(v)) return 0;
  return ClampToInt(static_cast<double>(std::nearbyint(v)));
}
// Truncation towards zero ("trunc"), saturated.
inline std::int32_t Trunc(double v) noexcept { return ClampToInt(std::trunc(v)); }

// 64-bit variants for counts and file offsets.
inline std::int64_t ClampToInt64(double v) noexcept {
  if (std::isnan(v)) return 0;
  if (v >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
  if (v <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}
inline std::int64_t Round64(double v) noexcept { return ClampToInt64(RoundHalfEven(v)); }

template <typename T>
constexpr T ClampToRange(T v, T lo, T hi) noexcept {
  return v < lo ? lo : (hi < v ? hi : v);
}

}  // namespace kvo
