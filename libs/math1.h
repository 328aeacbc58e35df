// Scale parameters, geometry for hit testing, random numbers and small
// numeric helpers.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <span>
#include <utility>

#include "kvobase.h"

namespace kvo {

// Tick layout of a linear scale over [low, high] with about numTicks major
// ticks inside the range. The step is 1, 2 or 5 times a power of ten, chosen
// so that the count of ticks lying in the range is as close to numTicks as
// possible (of equally close steps the larger wins). first is the first tick
// at or past low in the direction of high; step carries the direction (negative
// when high < low); nMinor is the number of minor intervals per step (5 for
// mantissa 1 and 5, 4 for mantissa 2). A first tick within 1e-9 steps of
// zero is exactly 0 (never -0). numTicks <= 0, an empty range (low == high) or non-finite
// input, and ranges so narrow against their distance from zero that a step
// would lie within about 50 units in the last place of the bounds (below
// 1e-14 of them), give step 0, first = low and nMinor 1: no ticks.
KVO_API void CalcScalePars(std::int32_t numTicks, double low, double high, double& first, double& step,
                   std::uint16_t& nMinor);

// Distance of point (px, py) from the segment (x1, y1)-(x2, y2); a segment of
// length 0 is a point.
KVO_API double DistanceToSegment(double px, double py, double x1, double y1, double x2, double y2) noexcept;
KVO_API double DistanceToSegment(TPointDouble p, TPointDouble a, TPointDouble b) noexcept;

// Distance of (px, py) from the outline of the axis-parallel ellipse with
// centre (cx, cy) and half axes a, b (signs ignored). Points on the curve give
// 0; inside and outside give the distance to the nearest curve point. A zero
// half axis makes the ellipse a segment.
KVO_API double DistFromEllipse(double px, double py, double cx, double cy, double a, double b) noexcept;

// Distance of (px, py) from the rectangle with corners (x1, y1), (x2, y2) (any
// order): 0 inside and on the border, else the distance to the nearest border point.
KVO_API double DistFromRect(double px, double py, double x1, double y1, double x2, double y2) noexcept;

// Swaps two values (double, long double and integer forms).
inline void ExChange(double& a, double& b) noexcept { std::swap(a, b); }
inline void ExChange(long double& a, long double& b) noexcept { std::swap(a, b); }
inline void ExChange(std::int32_t& a, std::int32_t& b) noexcept { std::swap(a, b); }

// Normally distributed random numbers (mean 0, standard deviation 1) from
// the library's generator (Box-Muller over a 64-bit generator, the same
// sequence on every platform for a given seed). Not thread-safe.
KVO_API double GRandom();
// Mean and standard deviation given.
KVO_API double GRandom(double mean, double stdDev);
// Restarts the generator; the default seed is 1.
KVO_API void GRandomSeed(std::uint64_t seed);
// Uniform deviate in [0, 1) from the same generator.
KVO_API double URandom();

// Integer part towards minus infinity (floor), saturated into int32; NaN gives 0.
KVO_API std::int32_t IntNeg(double x) noexcept;
// -1, 0 or +1; NaN gives 0.
KVO_API std::int32_t Signum(double x) noexcept;
KVO_API std::int32_t Signum(std::int64_t x) noexcept;

// Percentile p (in percent, clamped into 0..100) of the values, by linear
// interpolation between order statistics: with the n values sorted,
// h = (n - 1) * p / 100, result = v[floor h] + frac(h) * (v[floor h + 1] - v[floor h])
// (NumPy's default). NaN values are skipped; no values (or p NaN) give NaN.
// The input is reordered.
KVO_API double PercentileOf(std::span<double> values, double p);
// The same over values already sorted ascending and free of NaN (several
// percentiles of one sample without sorting again).
KVO_API double PercentileOfSorted(std::span<const double> sorted, double p);

}  // namespace kvo
