#include "libs/math1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace kvo {
namespace {

// Checks the contract of CalcScalePars for one request and returns the tick count.
int CheckScale(int n, double low, double high) {
  double first = 0, step = 0;
  std::uint16_t minor = 0;
  CalcScalePars(n, low, high, first, step, minor);
  SCOPED_TRACE(::testing::Message() << "n=" << n << " [" << low << ", " << high << "] first="
                                    << first << " step=" << step);
  EXPECT_NE(step, 0.0);
  if (step == 0) return 0;
  EXPECT_EQ(step > 0, high > low) << "step carries the direction";
  const double s = std::fabs(step);
  // Step is 1, 2 or 5 times a power of ten.
  const double p = std::pow(10.0, std::floor(std::log10(s) + 1e-12));
  const double mant = s / p;
  const bool nice = std::fabs(mant - 1) < 1e-9 || std::fabs(mant - 2) < 1e-9 || std::fabs(mant - 5) < 1e-9;
  EXPECT_TRUE(nice) << "mantissa " << mant;
  EXPECT_EQ(minor, std::fabs(mant - 2) < 1e-9 ? 4 : 5);
  // First tick lies in the range and is a multiple of the step.
  const double lo = std::min(low, high), hi = std::max(low, high);
  EXPECT_GE(first, lo - 1e-9 * s);
  EXPECT_LE(first, hi + 1e-9 * s);
  const double k = first / s;
  EXPECT_NEAR(k, std::round(k), 1e-6);
  // It is the first one: one step back leaves the range.
  const double before = first - step;
  EXPECT_TRUE(before < lo - 1e-9 * s || before > hi + 1e-9 * s);
  // Count the ticks the way the scale walks them.
  int count = 0;
  for (double v = first; (v - high) * (step > 0 ? 1 : -1) <= 0.001 * s && count < 10000; v += step) ++count;
  EXPECT_GE(count, std::max(1, n / 2));
  EXPECT_LE(count, 2 * n + 1);
  return count;
}

TEST(CalcScalePars, OrdinaryRanges) {
  double first, step;
  std::uint16_t minor;
  CalcScalePars(5, 0, 1, first, step, minor);
  EXPECT_DOUBLE_EQ(first, 0);
  EXPECT_DOUBLE_EQ(step, 0.2);
  EXPECT_EQ(minor, 4);
  CalcScalePars(3, 0, 10, first, step, minor);
  EXPECT_DOUBLE_EQ(first, 0);
  EXPECT_DOUBLE_EQ(step, 5);
  EXPECT_EQ(minor, 5);
  CalcScalePars(11, 0, 100, first, step, minor);
  EXPECT_DOUBLE_EQ(step, 10);
  CalcScalePars(5, -73, -12, first, step, minor);
  EXPECT_DOUBLE_EQ(first, -70);
  EXPECT_DOUBLE_EQ(step, 10);
  for (int n : {2, 3, 4, 5, 7, 10, 15, 20})
    for (auto r : std::vector<std::pair<double, double>>{{0, 1}, {-1, 1}, {3.7, 9.1}, {-0.013, 0.0271},
                                                         {1998, 2026}, {-5e3, -4.2e3}})
      CheckScale(n, r.first, r.second);
}

TEST(CalcScalePars, SymmetricRangesWithFewTicksKeepAtLeastTwo) {
  // A step wider than the range left a single tick at 0 for these requests.
  for (double scale : {0.1, 1.0, 10.0})
    for (auto r : std::vector<std::pair<double, double>>{{-4, 4}, {-4, 4.5}, {4, -4}}) {
      const int count = CheckScale(3, r.first * scale, r.second * scale);
      EXPECT_GE(count, 2) << r.first * scale << ".." << r.second * scale;
    }
  double first, step;
  std::uint16_t minor;
  CalcScalePars(3, -4, 4, first, step, minor);
  EXPECT_DOUBLE_EQ(step, 2);  // -4, -2, 0, 2, 4: the count nearest 3 with two or more
  EXPECT_DOUBLE_EQ(first, -4);
}

TEST(CalcScalePars, ReversedRangeWalksDownwards) {
  double first, step;
  std::uint16_t minor;
  CalcScalePars(5, 1, 0, first, step, minor);
  EXPECT_DOUBLE_EQ(first, 1);
  EXPECT_DOUBLE_EQ(step, -0.2);
  CalcScalePars(5, -12, -73, first, step, minor);
  EXPECT_DOUBLE_EQ(first, -20);
  EXPECT_DOUBLE_EQ(step, -10);
  for (int n : {2, 5, 10}) {
    CheckScale(n, 9.1, 3.7);
    CheckScale(n, 100, -100);
  }
}

TEST(CalcScalePars, TinyHugeAndOffsetRanges) {
  for (int n : {3, 5, 10}) {
    CheckScale(n, 1e-12, 5e-12);
    CheckScale(n, -3e-300, 7e-300);
    CheckScale(n, 1e300, 9e300);
    CheckScale(n, -1.5e308, 1.7e308);  // the span itself overflows
    CheckScale(n, 1e9, 1e9 + 1e-3);   // small span far from zero
  }
}

TEST(CalcScalePars, ZeroIsExactAndNoNegativeZero) {
  double first, step;
  std::uint16_t minor;
  CalcScalePars(5, -0.3, 0.7, first, step, minor);
  EXPECT_DOUBLE_EQ(step, 0.2);
  // Walk the ticks as the scale does: one of them must be exactly zero.
  bool sawZero = false;
  for (int j = 0; j < 10; ++j) {
    double v = first + j * step;
    if (std::fabs(v) < 1e-9 * step) v = 0;
    sawZero |= v == 0;
  }
  EXPECT_TRUE(sawZero);
  CalcScalePars(5, -0.0, 1, first, step, minor);
  EXPECT_FALSE(std::signbit(first));
}

TEST(CalcScalePars, DegenerateRequestsGiveNoTicks) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Case { int n; double lo, hi; } cases[] = {{0, 0, 1}, {-3, 0, 1}, {5, 2, 2}, {5, nan, 1},
                                                 {5, 0, inf}, {5, -inf, inf},
                                                 {5, 1e9, 1e9 + 1e-6}, {5, 1.0, 1.0 + 1e-15}};
  for (const auto& c : cases) {
    double first = 99, step = 99;
    std::uint16_t minor = 99;
    CalcScalePars(c.n, c.lo, c.hi, first, step, minor);
    EXPECT_EQ(step, 0.0);
    EXPECT_EQ(minor, 1);
  }
}

TEST(CalcScalePars, SingleTickRequest) {
  double first, step;
  std::uint16_t minor;
  CalcScalePars(1, 0.3, 0.9, first, step, minor);
  ASSERT_GT(step, 0);
  EXPECT_GE(first, 0.3);
  EXPECT_LE(first, 0.9);
}

TEST(Distances, Segment) {
  EXPECT_DOUBLE_EQ(DistanceToSegment(0, 0, 0, 0, 10, 0), 0);      // at an end
  EXPECT_DOUBLE_EQ(DistanceToSegment(5, 0, 0, 0, 10, 0), 0);      // on it
  EXPECT_DOUBLE_EQ(DistanceToSegment(5, 3, 0, 0, 10, 0), 3);      // beside the middle
  EXPECT_DOUBLE_EQ(DistanceToSegment(13, 4, 0, 0, 10, 0), 5);     // past the end
  EXPECT_DOUBLE_EQ(DistanceToSegment(-3, -4, 0, 0, 10, 0), 5);    // before the start
  EXPECT_DOUBLE_EQ(DistanceToSegment(3, 4, 1, 1, 1, 1), std::hypot(2, 3));  // zero length
  EXPECT_NEAR(DistanceToSegment({0, 10}, {0, 0}, {10, 10}), std::sqrt(50.0), 1e-12);
}

TEST(Distances, Rect) {
  EXPECT_EQ(DistFromRect(5, 5, 0, 0, 10, 10), 0);    // inside
  EXPECT_EQ(DistFromRect(10, 3, 0, 0, 10, 10), 0);   // on the border
  EXPECT_EQ(DistFromRect(5, 5, 10, 10, 0, 0), 0);    // corners in the other order
  EXPECT_DOUBLE_EQ(DistFromRect(15, 5, 0, 0, 10, 10), 5);
  EXPECT_DOUBLE_EQ(DistFromRect(-3, 14, 0, 0, 10, 10), 5);  // nearest a corner
}

TEST(Distances, Ellipse) {
  EXPECT_NEAR(DistFromEllipse(10, 0, 0, 0, 10, 5), 0, 1e-12);       // on the curve
  EXPECT_NEAR(DistFromEllipse(0, -5, 0, 0, 10, 5), 0, 1e-12);
  EXPECT_NEAR(DistFromEllipse(13, 0, 0, 0, 10, 5), 3, 1e-12);       // outside on an axis
  EXPECT_NEAR(DistFromEllipse(0, 2, 0, 0, 10, 5), 3, 1e-12);        // inside on the short axis
  EXPECT_NEAR(DistFromEllipse(0, 0, 0, 0, 10, 5), 5, 1e-12);        // the centre
  EXPECT_NEAR(DistFromEllipse(103, 204, 100, 200, 3, 3), 5 - 3, 1e-12);  // circle, shifted
  // A point on the curve off the axes, pushed out along the normal by 2.
  const double a = 10, b = 5, t = 0.7;
  const double x = a * std::cos(t), y = b * std::sin(t);
  const double nx = x / (a * a), ny = y / (b * b), nl = std::hypot(nx, ny);
  EXPECT_NEAR(DistFromEllipse(x + 2 * nx / nl, y + 2 * ny / nl, 0, 0, a, b), 2, 1e-9);
  EXPECT_NEAR(DistFromEllipse(x + 2 * nx / nl, y + 2 * ny / nl, 0, 0, -a, -b), 2, 1e-9);
  // Tall ellipse (half axes swapped) and a degenerate one.
  EXPECT_NEAR(DistFromEllipse(0, 13, 0, 0, 5, 10), 3, 1e-12);
  EXPECT_NEAR(DistFromEllipse(3, 4, 0, 0, 0, 10), 3, 1e-12);
}

TEST(Random, SeededSequenceIsRepeatableAndNormal) {
  GRandomSeed(42);
  std::vector<double> a;
  for (int i = 0; i < 20000; ++i) a.push_back(GRandom());
  GRandomSeed(42);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GRandom(), a[std::size_t(i)]);
  double sum = 0, sq = 0;
  int within1 = 0;
  for (double v : a) {
    sum += v;
    sq += v * v;
    within1 += std::fabs(v) < 1;
  }
  const double mean = sum / a.size(), var = sq / a.size() - mean * mean;
  EXPECT_NEAR(mean, 0, 0.03);
  EXPECT_NEAR(var, 1, 0.05);
  EXPECT_NEAR(within1 / double(a.size()), 0.6827, 0.015);
  GRandomSeed(7);
  EXPECT_NE(GRandom(), a[0]);
  EXPECT_NEAR(GRandom(100, 0), 100, 0);
}

TEST(SmallHelpers, IntNegSignumExChange) {
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-2.2), -3);
  EXPECT_EQ(IntNeg(-3.0), -3);
  EXPECT_EQ(IntNeg(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(IntNeg(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(Signum(-0.5), -1);
  EXPECT_EQ(Signum(0.0), 0);
  EXPECT_EQ(Signum(3.0), 1);
  EXPECT_EQ(Signum(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Signum(std::int64_t{-7}), -1);
  double a = 1, b = 2;
  ExChange(a, b);
  EXPECT_EQ(a, 2);
  long double c = 1, d = 2;
  ExChange(c, d);
  EXPECT_EQ(c, 2);
  std::int32_t e = 1, f = 2;
  ExChange(e, f);
  EXPECT_EQ(e, 2);
  EXPECT_EQ(f, 1);
}

TEST(Percentile, HandComputedValues) {
  std::vector<double> v = {15, 20, 35, 40, 50};
  // h = 4 * p / 100
  EXPECT_DOUBLE_EQ(PercentileOf(v, 0), 15);
  EXPECT_DOUBLE_EQ(PercentileOf(v, 100), 50);
  EXPECT_DOUBLE_EQ(PercentileOf(v, 50), 35);
  EXPECT_DOUBLE_EQ(PercentileOf(v, 40), 20 + 0.6 * 15);  // h = 1.6
  EXPECT_DOUBLE_EQ(PercentileOf(v, 10), 15 + 0.4 * 5);   // h = 0.4
  std::vector<double> unsorted = {3, 1, 2, 4};            // h = 3 * 0.25 = 0.75
  EXPECT_DOUBLE_EQ(PercentileOf(unsorted, 25), 1.75);
  std::vector<double> ties = {2, 2, 2, 5};                // h = 2.25: 2 + 0.25 * 3
  EXPECT_DOUBLE_EQ(PercentileOf(ties, 75), 2.75);
  EXPECT_DOUBLE_EQ(PercentileOf(ties, 50), 2);
  std::vector<double> one = {7};
  EXPECT_DOUBLE_EQ(PercentileOf(one, 0), 7);
  EXPECT_DOUBLE_EQ(PercentileOf(one, 90), 7);
  std::vector<double> withNaN = {std::nan(""), 1, 3};
  EXPECT_DOUBLE_EQ(PercentileOf(withNaN, 50), 2);
  std::vector<double> none;
  EXPECT_TRUE(std::isnan(PercentileOf(none, 50)));
  std::vector<double> clamp = {1, 2};
  EXPECT_DOUBLE_EQ(PercentileOf(clamp, 250), 2);
  EXPECT_DOUBLE_EQ(PercentileOf(clamp, -5), 1);
}

}  // namespace
}  // namespace kvo

namespace kvo {
namespace {

TEST(Percentile, SelectionAgreesWithSortedFormula) {
  GRandomSeed(11);
  for (int n : {1, 2, 3, 10, 101, 1000}) {
    std::vector<double> v(static_cast<std::size_t>(n));
    for (auto& x : v) x = std::round(GRandom() * 5);  // many ties
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    for (double p : {0.0, 1.0, 10.0, 25.0, 33.3, 50.0, 90.0, 99.9, 100.0}) {
      std::vector<double> work = v;
      EXPECT_DOUBLE_EQ(PercentileOf(work, p), PercentileOfSorted(sorted, p)) << n << " " << p;
    }
  }
  std::vector<double> s = {1, 2, 3, 4};
  EXPECT_TRUE(std::isnan(PercentileOfSorted(s, std::nan(""))));
  EXPECT_TRUE(std::isnan(PercentileOfSorted({}, 50)));
}

}  // namespace
}  // namespace kvo

namespace kvo {
namespace {

TEST(CalcScalePars, RandomSweepKeepsTheContract) {
  GRandomSeed(2026);
  for (int i = 0; i < 3000; ++i) {
    const double mag = std::pow(10.0, std::floor(URandom() * 40 - 20));
    const double a = (URandom() * 2 - 1) * mag * 10, b = a + (URandom() * 2 - 1) * mag;
    if (a == b) continue;
    const int n = 2 + int(URandom() * 19);
    CheckScale(n, a, b);
    if (HasFailure()) {
      ADD_FAILURE() << "case " << i;
      break;
    }
  }
}

}  // namespace
}  // namespace kvo
