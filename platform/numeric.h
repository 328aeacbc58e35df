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

// Every pixel coordinate and margin a control computes from application
// values is held within +-kMaxPixelCoord: far enough outside any surface to
// draw clipped shapes correctly, near enough that sums of a few never
// overflow 32 bits.
inline constexpr std::int32_t kMaxPixelCoord = 30000;

// The pixel clamp: any integer (computed in 64 bits) into +-kMaxPixelCoord.
constexpr std::int32_t ClampPixel(std::int64_t v) noexcept {
  return static_cast<std::int32_t>(ClampToRange<std::int64_t>(v, -kMaxPixelCoord, kMaxPixelCoord));
}
constexpr std::int32_t ClampPixel(std::int32_t v) noexcept {
  return ClampToRange<std::int32_t>(v, -kMaxPixelCoord, kMaxPixelCoord);
}
// The same for a floating-point pixel value; NaN gives 0.
inline std::int32_t ClampPixel(double v) noexcept {
  if (std::isnan(v)) return 0;
  return static_cast<std::int32_t>(ClampToRange(v, double(-kMaxPixelCoord), double(kMaxPixelCoord)));
}

// Saturating 32-bit addition.
constexpr std::int32_t SatAdd(std::int32_t a, std::int32_t b) noexcept {
  const std::int64_t s = std::int64_t(a) + b;
  return static_cast<std::int32_t>(ClampToRange<std::int64_t>(
      s, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace kvo
