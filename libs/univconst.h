// Universal numeric constants shared by the controls.
#pragma once

#include <limits>

namespace kvo {

// Largest value the controls treat as a real result ("infinite" impedance,
// unbounded extents). Slightly below the largest double so that it survives
// a few additions without overflowing.
inline constexpr double uc_MaxReal = 1.7e308;
// Largest finite double; empty extents start at +uc_MaxDouble / -uc_MaxDouble.
inline constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
// Natural logarithm of 10.
inline constexpr double uc_ln10 = 2.302585092994045684017991454684364208;

}  // namespace kvo
