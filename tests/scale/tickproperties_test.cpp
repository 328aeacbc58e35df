// Properties that must hold for every range: ticks lie inside the range (up
// to the end tolerance) in drawing order, numeric labels are short and never
// read "-0" or a rounding residue, and extreme inputs end without failing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "scale/dateticks_p.h"
#include "scale/ticklabels.h"
#include "scale/tickengine.h"

namespace kvo {
namespace {

bool Inside(double v, double lo, double hi, double tol) {
  return v >= std::fmin(lo, hi) - tol && v <= std::fmax(lo, hi) + tol;
}

TEST(TickProperties, RandomLinearRanges) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> expo(-12, 12), frac(-1, 1);
  std::uniform_int_distribution<int> ticks(0, 20), coin(0, 1);
  TScaleDivision d;
  std::vector<TTickLabel> labels;
  for (int n = 0; n < 3000; ++n) {
    TTickRequest r;
    const double scale = std::pow(10.0, expo(rng));
    r.Low = frac(rng) * scale;
    r.High = r.Low + frac(rng) * scale;
    r.MinTicks = ticks(rng);
    r.ShortTicks = coin(rng);
    r.Vertical = coin(rng);
    ComputeTicks(r, d);
    const double span = std::fabs(r.High - r.Low);
    double prevMajor = NAN;
    for (const TTick& t : d.Ticks) {
      ASSERT_TRUE(Inside(t.Value, r.Low, r.High, span * 0.01)) << r.Low << ".." << r.High;
      // No rounding residue: a tick that is zero up to rounding is exactly 0.
      EXPECT_FALSE(t.Value != 0 && std::fabs(t.Value) < 1e-12 * span) << t.Value;
      if (t.Kind != TTickKind::Major) continue;
      if (!std::isnan(prevMajor)) {  // majors run from Low towards High
        EXPECT_GT((t.Value - prevMajor) * (r.High - r.Low), 0);
      }
      prevMajor = t.Value;
    }
    TLabelContext c;
    c.Low = r.Low;
    c.High = r.High;
    c.DecPlaces = -2;
    LabelDivision(d, c, labels);
    for (const TTickLabel& l : labels) {
      EXPECT_LE(l.Text.size(), 14u);
      const bool negativeZero =
          l.Text.rfind("-0", 0) == 0 && l.Text.find_first_of("123456789") == std::string::npos;
      EXPECT_FALSE(negativeZero) << l.Text;
    }
  }
}

TEST(TickProperties, RandomLogAndTimeRanges) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> expo(-50, 50), decades(0, 12), frac(0, 1);
  std::uniform_int_distribution<int> ticks(2, 20), coin(0, 1);
  TScaleDivision d;
  for (int n = 0; n < 3000; ++n) {
    TTickRequest r;
    r.Low = std::pow(10.0, expo(rng));
    r.High = r.Low * std::pow(10.0, decades(rng));
    if (coin(rng)) std::swap(r.Low, r.High);
    r.MinTicks = ticks(rng);
    r.Log = true;
    r.ShortTicks = coin(rng);
    r.Vertical = coin(rng);
    ComputeTicks(r, d);
    for (const TTick& t : d.Ticks)
      ASSERT_TRUE(Inside(t.Value, r.Low, r.High, std::fabs(r.High - r.Low) * 1e-6));
    r.Log = false;
    r.Source = TTickSource::TimeOfDay;
    r.Low = (frac(rng) - 0.5) * 2e5;
    r.High = r.Low + (frac(rng) - 0.3) * std::pow(10.0, decades(rng) - 3);
    ComputeTicks(r, d);
    for (const TTick& t : d.Ticks) {
      if (t.Kind == TTickKind::SilentLast) continue;
      ASSERT_TRUE(Inside(t.Value, r.Low, r.High, std::fabs(r.High - r.Low) * 0.01 + 1e-3));
    }
  }
}

TEST(TickProperties, RandomDateTimeRanges) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> start(-693593, 2958465), span(-6, 4.5);
  std::uniform_int_distribution<int> ticks(0, 20), coin(0, 1);
  TScaleDivision d;
  std::vector<TTickLabel> labels;
  for (int n = 0; n < 2000; ++n) {
    TTickRequest r;
    r.Source = TTickSource::DateTime;
    r.Low = start(rng);
    r.High = r.Low + std::pow(10.0, span(rng));
    r.MinTicks = ticks(rng);
    r.ShortTicks = coin(rng);
    r.Vertical = coin(rng);
    ComputeTicks(r, d);
    for (const TTick& t : d.Ticks) ASSERT_TRUE(Inside(t.Value, r.Low, r.High, 1e-8));
    TLabelContext c;
    c.Low = r.Low;
    c.High = r.High;
    LabelDivision(d, c, labels);
    for (const TTickLabel& l : labels) EXPECT_FALSE(l.Text.empty());
  }
}

TEST(TickProperties, ExtremeInputsEndWithoutFailing) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  const double values[] = {0, -0.0, 1e-320, -1e-320, 1e-300, 1e300, -1e300, 1.7e308, -1.7e308,
                           inf, -inf, nan, 1, 1 + 1e-15};
  TScaleDivision d;
  std::vector<TTickLabel> labels;
  for (double lo : values)
    for (double hi : values)
      for (TTickSource src : {TTickSource::Numeric, TTickSource::TimeOfDay, TTickSource::DateTime})
        for (bool log : {false, true}) {
          TTickRequest r;
          r.Low = lo;
          r.High = hi;
          r.Log = log;
          r.Source = src;
          r.MinTicks = 20;
          ComputeTicks(r, d);
          EXPECT_LT(d.Ticks.size(), 100000u);
          TLabelContext c;
          c.Low = lo;
          c.High = hi;
          LabelDivision(d, c, labels);
        }
}

}  // namespace
}  // namespace kvo
