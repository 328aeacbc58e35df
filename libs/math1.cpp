// Scale parameters, distances, random numbers, percentiles.
#include "libs/math1.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/numeric.h"

namespace kvo {

// ---- CalcScalePars -------------------------------------------------------------

namespace {

// Number of multiples of s in [lo, hi], counting those within a billionth of
// a step outside the ends (rounding noise of the bounds).
double TicksInRange(double lo, double hi, double s) {
  return std::floor(hi / s + 1e-9) - std::ceil(lo / s - 1e-9) + 1;
}

}  // namespace

void CalcScalePars(std::int32_t numTicks, double low, double high, double& first, double& step,
                   std::uint16_t& nMinor) {
  first = low;
  step = 0;
  nMinor = 1;
  if (numTicks <= 0 || !std::isfinite(low) || !std::isfinite(high) || low == high) return;
  const double lo = std::min(low, high), hi = std::max(low, high);
  // Wanted distance of ticks; divided before subtracting so that ranges
  // spanning nearly all doubles do not overflow.
  const double parts = numTicks > 1 ? double(numTicks - 1) : 1.0;
  double raw = hi / parts - lo / parts;
  if (!std::isfinite(raw)) raw = std::numeric_limits<double>::max();
  if (!(raw > 0)) return;  // range below the resolution of doubles
  const int e0 = int(std::floor(std::log10(raw)));
  // The candidate whose tick count inside the range is closest to the
  // request wins; a step that leaves fewer than two ticks loses against any
  // that gives two or more (one lone tick is no scale); among equals the
  // wider step (fewer ticks) wins.
  double bestStep = 0, bestScore = 0;
  bool bestTooFew = true;
  int bestMant = 1;
  for (int e = e0 - 1; e <= e0 + 1; ++e) {
    const double p = std::pow(10.0, e);
    for (int m : {1, 2, 5}) {
      const double s = m * p;
      if (!(s > 0) || !std::isfinite(s) || !std::isfinite(hi / s) || !std::isfinite(lo / s)) continue;
      const double count = TicksInRange(lo, hi, s);
      const bool tooFew = count < 2;
      const double score = std::fabs(count - numTicks);
      const bool better = bestStep == 0 || (bestTooFew && !tooFew) ||
                          (tooFew == bestTooFew &&
                           (score < bestScore || (score == bestScore && s > bestStep)));
      if (better) {
        bestStep = s;
        bestScore = score;
        bestTooFew = tooFew;
        bestMant = m;
      }
    }
  }
  // Steps within a few units of the last place of the bounds cannot be
  // placed or told apart: no ticks rather than wrong ones.
  if (bestStep == 0 || bestStep < std::max(std::fabs(lo), std::fabs(hi)) * 1e-14) return;
  const bool up = low < high;
  const double k = up ? std::ceil(low / bestStep - 1e-9) : std::floor(low / bestStep + 1e-9);
  first = k * bestStep;
  if (std::fabs(first) < 1e-9 * bestStep) first = 0;  // also turns -0 into 0
  step = up ? bestStep : -bestStep;
  nMinor = bestMant == 2 ? 4 : 5;
}

// ---- Distances ---------------------------------------------------------------------

double DistanceToSegment(double px, double py, double x1, double y1, double x2, double y2) noexcept {
  const double dx = x2 - x1, dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  double t = 0;
  if (len2 > 0) t = std::clamp(((px - x1) * dx + (py - y1) * dy) / len2, 0.0, 1.0);
  return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

double DistanceToSegment(TPointDouble p, TPointDouble a, TPointDouble b) noexcept {
  return DistanceToSegment(p.X, p.Y, a.X, a.Y, b.X, b.Y);
}

namespace {

// Root of the ellipse-distance function by bisection (after D. Eberly,
// "Distance from a Point to an Ellipse"); exact to the last bit of a double.
double EllipseRoot(double r0, double z0, double z1, double g) {
  const double n0 = r0 * z0;
  double s0 = z1 - 1;
  double s1 = g < 0 ? 0 : std::hypot(n0, z1) - 1;
  double s = 0;
  for (int i = 0; i < 2200; ++i) {
    s = 0.5 * (s0 + s1);
    if (s == s0 || s == s1) break;
    const double ratio0 = n0 / (s + r0), ratio1 = z1 / (s + 1);
    g = ratio0 * ratio0 + ratio1 * ratio1 - 1;
    if (g > 0) s0 = s;
    else if (g < 0) s1 = s;
    else break;
  }
  return s;
}

// e0 >= e1 > 0, y0, y1 >= 0.
double EllipseDistance(double e0, double e1, double y0, double y1) {
  if (y1 > 0) {
    if (y0 > 0) {
      const double z0 = y0 / e0, z1 = y1 / e1;
      const double g = z0 * z0 + z1 * z1 - 1;
      if (g == 0) return 0;
      const double r0 = (e0 / e1) * (e0 / e1);
      const double sbar = EllipseRoot(r0, z0, z1, g);
      const double x0 = r0 * y0 / (sbar + r0), x1 = y1 / (sbar + 1);
      return std::hypot(x0 - y0, x1 - y1);
    }
    return std::fabs(y1 - e1);
  }
  const double numer0 = e0 * y0, denom0 = e0 * e0 - e1 * e1;
  if (numer0 < denom0) {
    const double xde0 = numer0 / denom0;
    const double x0 = e0 * xde0, x1 = e1 * std::sqrt(std::max(0.0, 1 - xde0 * xde0));
    return std::hypot(x0 - y0, x1);
  }
  return std::fabs(y0 - e0);
}

}  // namespace

double DistFromEllipse(double px, double py, double cx, double cy, double a, double b) noexcept {
  a = std::fabs(a);
  b = std::fabs(b);
  double u = std::fabs(px - cx), v = std::fabs(py - cy);
  if (a == 0 || b == 0) return DistanceToSegment(u, v, -a, -b, a, b);
  if (!std::isfinite(u) || !std::isfinite(v) || !std::isfinite(a) || !std::isfinite(b))
    return std::numeric_limits<double>::quiet_NaN();
  if (a < b) {
    std::swap(a, b);
    std::swap(u, v);
  }
  return EllipseDistance(a, b, u, v);
}

double DistFromRect(double px, double py, double x1, double y1, double x2, double y2) noexcept {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const double dx = px < x1 ? x1 - px : (px > x2 ? px - x2 : 0.0);
  const double dy = py < y1 ? y1 - py : (py > y2 ? py - y2 : 0.0);
  return std::hypot(dx, dy);
}

// ---- Random numbers ------------------------------------------------------------------

namespace {

struct TGenerator {
  std::uint64_t State = 1;
  bool HasSpare = false;
  double Spare = 0;
  // splitmix64: small, fast and of good quality for simulations.
  std::uint64_t Next() noexcept {
    std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() noexcept { return double(Next() >> 11) * 0x1.0p-53; }
};

TGenerator& Gen() {
  static TGenerator g;
  return g;
}

}  // namespace

void GRandomSeed(std::uint64_t seed) {
  Gen() = TGenerator{seed, false, 0};
}

double URandom() { return Gen().Uniform(); }

double GRandom() {
  TGenerator& g = Gen();
  if (g.HasSpare) {
    g.HasSpare = false;
    return g.Spare;
  }
  double u1 = 0;
  while (u1 <= 0) u1 = g.Uniform();
  const double u2 = g.Uniform();
  const double r = std::sqrt(-2 * std::log(u1));
  const double phi = 6.283185307179586476925 * u2;
  g.Spare = r * std::sin(phi);
  g.HasSpare = true;
  return r * std::cos(phi);
}

double GRandom(double mean, double stdDev) { return mean + stdDev * GRandom(); }

// ---- Small helpers -----------------------------------------------------------------------

std::int32_t IntNeg(double x) noexcept { return ClampToInt(std::floor(x)); }

std::int32_t Signum(double x) noexcept { return x > 0 ? 1 : (x < 0 ? -1 : 0); }
std::int32_t Signum(std::int64_t x) noexcept { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

namespace {

// Position h of percentile p in n sorted values; false for NaN p.
bool PercentilePos(std::size_t n, double p, std::size_t& k, double& f) {
  if (std::isnan(p)) return false;
  p = std::clamp(p, 0.0, 100.0);
  const double h = double(n - 1) * p / 100.0;
  k = std::min(n - 1, std::size_t(h));
  f = h - double(k);
  return true;
}

}  // namespace

double PercentileOf(std::span<double> values, double p) {
  auto end = std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
  const std::size_t n = std::size_t(end - values.begin());
  std::size_t k;
  double f;
  if (n == 0 || !PercentilePos(n, p, k, f)) return std::numeric_limits<double>::quiet_NaN();
  // Selection instead of a full sort: the k-th value, then the smallest above it.
  std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(k), end);
  const double lo = values[k];
  if (f == 0 || k + 1 >= n) return lo;
  const double hi = *std::min_element(values.begin() + std::ptrdiff_t(k + 1), end);
  return lo + f * (hi - lo);
}

double PercentileOfSorted(std::span<const double> sorted, double p) {
  const std::size_t n = sorted.size();
  std::size_t k;
  double f;
  if (n == 0 || !PercentilePos(n, p, k, f)) return std::numeric_limits<double>::quiet_NaN();
  if (f == 0 || k + 1 >= n) return sorted[k];
  return sorted[k] + f * (sorted[k + 1] - sorted[k]);
}

}  // namespace kvo
