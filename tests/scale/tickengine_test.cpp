// Tick values and roles of linear, logarithmic and time-of-day divisions.
#include "scale/tickengine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kvo {
namespace {

TScaleDivision Divide(double lo, double hi, int minTicks, bool log = false, bool shortTicks = true,
                      bool vertical = false, TTickSource src = TTickSource::Numeric) {
  TTickRequest r;
  r.Low = lo;
  r.High = hi;
  r.MinTicks = minTicks;
  r.Log = log;
  r.ShortTicks = shortTicks;
  r.Vertical = vertical;
  r.Source = src;
  TScaleDivision d;
  ComputeTicks(r, d);
  return d;
}

std::vector<double> Values(const TScaleDivision& d, TTickKind kind) {
  std::vector<double> v;
  for (const TTick& t : d.Ticks)
    if (t.Kind == kind) v.push_back(t.Value);
  return v;
}

int CountListed(const TScaleDivision& d) {
  int n = 0;
  for (const TTick& t : d.Ticks) n += t.Listed;
  return n;
}

TEST(LinearTicks, MinorTicksComeFirstAndHorizontalAxesListOnlyThem) {
  const TScaleDivision d = Divide(0, 100, 3);
  EXPECT_EQ(d.Labels, TDivisionLabels::Linear);
  ASSERT_EQ(d.Ticks.size(), 14u);
  // Minor ticks every 10 from 0 (the ones before the range are skipped), then majors.
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(d.Ticks[std::size_t(i)].Kind, TTickKind::Minor);
    EXPECT_DOUBLE_EQ(d.Ticks[std::size_t(i)].Value, 10.0 * i);
  }
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{0, 50, 100}));
  EXPECT_EQ(CountListed(d), 11);
  // Label indexes count the majors from 1.
  EXPECT_EQ(d.Ticks[11].LabelIndex, 1);
  EXPECT_EQ(d.Ticks[13].LabelIndex, 3);
  EXPECT_TRUE(d.Ticks[13].Labelled);
}

TEST(LinearTicks, ListingDependsOnOrientationAndShortTicks) {
  EXPECT_EQ(CountListed(Divide(0, 100, 3, false, true, true)), 14);   // vertical: minors + majors
  EXPECT_EQ(CountListed(Divide(0, 100, 3, false, false, false)), 3);  // no minors: majors
  EXPECT_EQ(Divide(0, 100, 3, false, false, false).Ticks.size(), 3u);
}

TEST(LinearTicks, ReversedRangeRunsFromLowToHigh) {
  const TScaleDivision d = Divide(100, 0, 3);
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{100, 50, 0}));
  const std::vector<double> minors = Values(d, TTickKind::Minor);
  ASSERT_EQ(minors.size(), 11u);
  EXPECT_DOUBLE_EQ(minors.front(), 100);
  EXPECT_DOUBLE_EQ(minors.back(), 0);
}

TEST(LinearTicks, LastTickMayPassHighByAThousandthOfItsStep) {
  // Step 50: 100 lies 0.04 past 99.96 (within 0.05) but 0.1 past 99.9.
  EXPECT_EQ(Values(Divide(0, 99.96, 3), TTickKind::Major).back(), 100);
  EXPECT_EQ(Values(Divide(0, 99.9, 3), TTickKind::Major).back(), 50);
}

TEST(LinearTicks, TicksNearZeroAreExactlyZero) {
  const TScaleDivision d = Divide(-0.3, 0.3, 5);
  bool sawZero = false;
  for (const TTick& t : d.Ticks) {
    EXPECT_FALSE(t.Value != 0 && std::fabs(t.Value) < 1e-12) << t.Value;
    sawZero |= t.Value == 0;
  }
  EXPECT_TRUE(sawZero);
}

TEST(LinearTicks, UndividableRangesGiveNoTicks) {
  EXPECT_TRUE(Divide(5, 5, 3).Ticks.empty());
  EXPECT_TRUE(Divide(0, NAN, 3).Ticks.empty());
  EXPECT_TRUE(Divide(0, INFINITY, 3).Ticks.empty());
  EXPECT_TRUE(Divide(0, 10, 0).Ticks.empty());  // the tick library gives no step for 0
  // A range too narrow for double precision ends instead of looping.
  EXPECT_LT(Divide(1e17, 1e17 + 64, 10).Ticks.size(), 30000u);
}

// Ends of opposite sign near the limits of the doubles: their difference
// does not fit a double, but the ticks must still be finite values inside the
// range, and only the one at zero reads as zero.
TEST(LinearTicks, RangesSpanningNearlyAllDoublesGiveFiniteTicksInRange) {
  for (bool reversed : {false, true})
    for (bool shortTicks : {true, false}) {
      const double lo = reversed ? 1.7e308 : -1.7e308, hi = -lo;
      const TScaleDivision d = Divide(lo, hi, 3, false, shortTicks);
      ASSERT_FALSE(d.Ticks.empty());
      EXPECT_LT(d.Ticks.size(), 100u);
      int zeros = 0;
      for (const TTick& t : d.Ticks) {
        ASSERT_TRUE(std::isfinite(t.Value));
        EXPECT_LE(std::fabs(t.Value), 1.7e308);
        zeros += t.Kind == TTickKind::Major && t.Value == 0;
      }
      const std::vector<double> majors =
          reversed ? std::vector<double>{1e308, 0, -1e308} : std::vector<double>{-1e308, 0, 1e308};
      EXPECT_EQ(Values(d, TTickKind::Major), majors);
      EXPECT_EQ(zeros, 1);
    }
}

TEST(LogTicks, DecadesWithIntermediatesWhenEnoughTicksAreAsked) {
  const TScaleDivision d = Divide(0.01, 100, 5, true);
  EXPECT_EQ(d.Labels, TDivisionLabels::Log);
  const std::vector<double> majors = Values(d, TTickKind::Major);
  const std::vector<double> expect = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100};
  ASSERT_EQ(majors.size(), expect.size());
  for (std::size_t i = 0; i < expect.size(); ++i) EXPECT_NEAR(majors[i], expect[i], 1e-12);
  EXPECT_EQ(Values(d, TTickKind::Minor).size(), 24u);  // 3, 4, 6, 7, 8, 9 in four decades
  EXPECT_EQ(CountListed(d), 37);
  int mult5 = 0;
  for (const TTick& t : d.Ticks) mult5 += t.Mult == 5;
  EXPECT_EQ(mult5, 4);
}

TEST(LogTicks, ThreeTicksOverFourDecadesGiveDecadesOnly) {
  const TScaleDivision d = Divide(0.01, 100, 3, true);
  EXPECT_EQ(d.Ticks.size(), 5u);
  EXPECT_EQ(Values(d, TTickKind::Major).size(), 5u);
}

TEST(LogTicks, MinorsWithoutShortTicksAreSilentOnHorizontalAxesOnly) {
  const TScaleDivision h = Divide(1, 1000, 5, true, false, false);
  EXPECT_EQ(Values(h, TTickKind::Silent).size(), 18u);
  EXPECT_EQ(Values(h, TTickKind::Minor).size(), 0u);
  for (const TTick& t : h.Ticks)
    if (t.Kind == TTickKind::Silent) {
      EXPECT_FALSE(t.Listed);
    }
  const TScaleDivision v = Divide(1, 1000, 5, true, false, true);
  EXPECT_EQ(v.Ticks.size(), Values(v, TTickKind::Major).size());
}

TEST(LogTicks, LessThanADecadeFallsBackToLinearValues) {
  const TScaleDivision d = Divide(1, 5, 3, true);
  EXPECT_EQ(d.Labels, TDivisionLabels::Linear);
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{2, 4}));
}

TEST(LogTicks, ReversedRangeGivesTheSameDecades) {
  const TScaleDivision up = Divide(0.01, 100, 5, true), down = Divide(100, 0.01, 5, true);
  EXPECT_EQ(Values(up, TTickKind::Major), Values(down, TTickKind::Major));
  EXPECT_EQ(Divide(1000, 1, 3, true).Ticks.size(), 4u);
}

TEST(LogTicks, RangesTouchingZeroAndHugeSpansEndSafely) {
  EXPECT_TRUE(Divide(0, 100, 3, true).Ticks.empty());
  EXPECT_TRUE(Divide(-1, 100, 3, true).Ticks.empty());
  const TScaleDivision d = Divide(1e-300, 1e300, 3, true);
  EXPECT_EQ(d.Ticks.size(), 601u);
}

TEST(TimeTicks, TwoHoursInThreeTicksUseHalfHourSteps) {
  const TScaleDivision d = Divide(0, 7200, 3, false, true, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.TimeStepIndex, 22);
  EXPECT_EQ(d.Labels, TDivisionLabels::Time);
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{0, 1800, 3600, 5400, 7200}));
  const std::vector<double> minors = Values(d, TTickKind::Minor);
  ASSERT_EQ(minors.size(), 25u);
  EXPECT_DOUBLE_EQ(minors[1], 300);
  // Candidates past the range still raise the tick event.
  EXPECT_EQ(Values(d, TTickKind::SilentLast).size(), 5u);
}

TEST(TimeTicks, StepsBelowASecondShowMilliseconds) {
  const TScaleDivision d = Divide(0, 1.5, 3, false, true, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.TimeStepIndex, 9);  // 0.5 s
  EXPECT_EQ(d.Labels, TDivisionLabels::TimeMs);
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{0, 0.5, 1, 1.5}));
}

TEST(TimeTicks, ReversedRangeAndVerticalListing) {
  const TScaleDivision d = Divide(7200, 0, 3, false, false, true, TTickSource::TimeOfDay);
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{7200, 5400, 3600, 1800, 0}));
  EXPECT_EQ(CountListed(d), 5);
}

TEST(TimeTicks, OutsideTheStepTableFallsBackToNumbers) {
  TScaleDivision d = Divide(0, 0.002, 3, false, true, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.TimeStepIndex, 0);
  EXPECT_EQ(d.Labels, TDivisionLabels::Linear);
  EXPECT_FALSE(d.Ticks.empty());
  d = Divide(0, 1e6, 3, false, true, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.Labels, TDivisionLabels::Linear);
  d = Divide(1, 1e6, 3, true, true, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.Labels, TDivisionLabels::Log);
}

TEST(TimeTicks, ZeroMinTicksReadsAsTwo) {
  const TScaleDivision d = Divide(0, 7200, 0, false, false, false, TTickSource::TimeOfDay);
  EXPECT_EQ(d.TimeStepIndex, 23);  // 3600 s per tick
  EXPECT_EQ(Values(d, TTickKind::Major), (std::vector<double>{0, 3600, 7200}));
}

}  // namespace
}  // namespace kvo
