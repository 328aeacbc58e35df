// TScaleMap: the value/pixel transform of one axis, pixel = k*v + d on a
// linear axis and k*ln(v) + d on a logarithmic one. A plain value: the scale
// control recomputes it whenever its range, size, margins, orientation or log
// mode change, and owners use it to place ticks, grid lines and data.
#pragma once

#include "../platform/export.h"

#include <cstdint>

namespace kvo {

// The pixel extent an axis is mapped onto: the control's size and the four
// margins between its edges and the axis ends.
struct KVO_API TScaleExtent {
  std::int32_t Width = 400, Height = 400;
  std::int32_t MarginLeft = 20, MarginRight = 20, MarginTop = 20, MarginBottom = 20;
  bool Vertical = false;

  // Usable length in pixels minus one (the last pixel of the axis is
  // Width - MarginRight - 1 horizontally, Height - MarginBottom - 1 vertically).
  std::int32_t Length() const noexcept;
};

class KVO_API TScaleMap {
public:
  // Takes the log mode and recomputes k and d so that low maps to the left (horizontal) or bottom
  // (vertical) end of the extent and high to the other end. Returns false and
  // keeps the old transform when low == high, when a range end is not finite,
  // or on a logarithmic axis when an end is <= 0. When the extent has no usable
  // length the transform degenerates: k = 0 and every value maps to the middle
  // of the control.
  bool Adjust(const TScaleExtent& extent, double low, double high, bool log) noexcept;

  // k*v + d (or k*ln v + d) without clamping or rounding. On a logarithmic
  // axis v must be > 0.
  double Raw(double v) const noexcept;
  // Rounded (halves to even) and clamped to +-2147483647. On a logarithmic
  // axis values <= 1e-100 give `underflowPixel`.
  std::int32_t ToPixel(double v, std::int32_t underflowPixel) const noexcept;
  // Inverse transform. A degenerate transform (k = 0) has no inverse: it
  // returns the middle of the last adjusted range instead of failing.
  double ToValue(double pixel) const noexcept;

  double K() const noexcept { return FK; }
  double D() const noexcept { return FD; }
  bool Log() const noexcept { return FLog; }
  bool Degenerate() const noexcept { return FK == 0.0; }
  // Sets the transform directly (used when one scale copies another).
  void Set(double k, double d, bool log, double low, double high) noexcept;

private:
  double FK = 1.0, FD = 0.0;
  bool FLog = false;
  double FLow = 0.0, FHigh = 100.0;  // range of the last adjustment
};

}  // namespace kvo
