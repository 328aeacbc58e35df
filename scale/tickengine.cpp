#include "scale/tickengine.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "libs/math1.h"
#include "platform/numeric.h"
#include "scale/dateticks_p.h"

namespace kvo {

namespace {

// Upper bound of candidates per loop. Ordinary divisions stay far below it;
// it only stops ranges too narrow for double precision (where adding a step
// no longer moves the value) from looping for ever.
constexpr int kMaxCandidates = 20000;
// Relative tolerance of the decade tests.
constexpr double kDecadeTol = 0.999999999;

constexpr std::array<double, 29> kTimeSteps = {
    0,     0.001, 0.002, 0.005, 0.01,  0.02,  0.05,  0.1,   0.2,    0.5,
    1,     2,     5,     10,    20,    30,    60,    120,   180,    300,
    600,   1200,  1800,  3600,  7200,  14400, 21600, 43200, 86400};
constexpr std::array<std::int32_t, 29> kTimeSubs = {
    1, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 6, 6, 6, 6, 5, 5, 6, 6, 6, 4, 4, 6, 6, 6};

TTick MakeTick(double v, TTickKind kind, bool listed) {
  TTick t;
  t.Value = v;
  t.Kind = kind;
  t.Listed = listed;
  return t;
}

// A tick computed as first + j*step can miss zero by a rounding error; such a
// value is made exactly zero so that grid lines and labels agree.
// span is taken in extended precision: High - Low of ends of opposite sign
// near the limits of the doubles does not fit a double.
double SnapZero(double v, long double span) noexcept {
  return std::fabs(v) < 1e-14L * std::fabs(span) ? 0.0 : v;
}

long double Span(double low, double high) noexcept {
  return static_cast<long double>(high) - static_cast<long double>(low);
}

}  // namespace

double TimeStep(std::int32_t index) noexcept {
  return index >= 0 && index <= 28 ? kTimeSteps[std::size_t(index)] : 0.0;
}
std::int32_t TimeSubdivisions(std::int32_t index) noexcept {
  return index >= 0 && index <= 28 ? kTimeSubs[std::size_t(index)] : 1;
}

namespace {

// The two loops of a linear division in the arithmetic F (double, or long
// double for ranges near the limits of the doubles).
template <typename F>
void LinearLoops(const TTickRequest& r, F first, F step, std::uint16_t minors,
                 TScaleDivision& out) {
  const double s = r.Low < r.High ? 1.0 : -1.0;
  const F span = F(r.High) - F(r.Low);
  if (s * step < 0) {
    // The loops walk from Low towards High: turn the step round and start at
    // the first tick at or after Low in that direction.
    step = -step;
    first += std::ceil((F(r.Low) - first) / step - F(0.001)) * step;
  }
  const F minor = step / (minors == 0 ? 1 : minors);
  const F low = r.Low, high = r.High;
  auto snap = [&](F v) { return std::fabs(v) < F(1e-14) * std::fabs(span) ? 0.0 : double(v); };

  if (r.ShortTicks) {
    // Minor ticks first, from one major step before the first major tick; the
    // last one may pass High by a thousandth of the minor step.
    const F start = first - step;
    for (int i = 0; i < kMaxCandidates; ++i) {
      const F v = start + i * minor;
      if (s * (v - high) > s * F(0.001) * minor) break;
      if (s * v < s * low) continue;
      out.Ticks.push_back(MakeTick(snap(v), TTickKind::Minor, true));
    }
  }
  // Horizontal axes with minor ticks list only those (they include the
  // majors); vertical axes list the majors as well.
  const bool listMajors = r.Vertical || !r.ShortTicks;
  for (int j = 0; j < kMaxCandidates; ++j) {
    const F v = first + j * step;
    if (s * (v - high) > s * F(0.001) * step) break;
    TTick t = MakeTick(snap(v), TTickKind::Major, listMajors);
    t.Labelled = r.Labels;
    t.LabelIndex = j + 1;
    out.Ticks.push_back(t);
  }
}

}  // namespace

std::int32_t AutomaticTickCount(std::int32_t axisLength) noexcept {
  const std::int32_t n = (std::max(axisLength, 0) + kPixelsPerAutoTick / 2) / kPixelsPerAutoTick;
  return ClampToRange<std::int32_t>(n, 2, 20);
}

void ComputeLinearTicks(const TTickRequest& r, TScaleDivision& out) {
  out.Labels = r.Labels ? TDivisionLabels::Linear : TDivisionLabels::None;
  if (!std::isfinite(r.Low) || !std::isfinite(r.High) || r.Low == r.High) return;
  double first = 0, step = 0;
  std::uint16_t minors = 0;
  CalcScalePars(r.MinTicks, r.Low, r.High, first, step, minors);
  if (step == 0 || !std::isfinite(step) || !std::isfinite(first)) return;
  // Tick values are computed in extended precision only where doubles could
  // overflow: on ranges reaching the limits of the doubles, one step before
  // the first tick or a step past the last one would be infinite (and
  // inf - inf NaN). Ordinary ranges keep the faster double arithmetic.
  constexpr double kNearLimit = 1e306;
  if (std::fabs(r.Low) > kNearLimit || std::fabs(r.High) > kNearLimit)
    LinearLoops<long double>(r, first, step, minors, out);
  else
    LinearLoops<double>(r, first, step, minors, out);
}

void ComputeLogTicks(const TTickRequest& r, TScaleDivision& out) {
  if (!(r.Low > 0) || !(r.High > 0) || !std::isfinite(r.Low) || !std::isfinite(r.High) ||
      r.Low == r.High) {
    out.Labels = r.Labels ? TDivisionLabels::Log : TDivisionLabels::None;
    return;  // no logarithmic division of ranges touching zero
  }
  const double hi = std::fmax(r.Low, r.High), lo = std::fmin(r.Low, r.High);
  const double decades = std::fabs(std::log10(r.High / r.Low));
  if (decades < 1) {
    // Less than a decade: linear tick values at logarithmic positions.
    ComputeLinearTicks(r, out);
    return;
  }
  out.Labels = r.Labels ? TDivisionLabels::Log : TDivisionLabels::None;
  const bool intermediates = r.MinTicks > decades + 0.5;
  const int e0 = static_cast<int>(std::floor(std::log10(lo * kDecadeTol)));
  const int lastMult = intermediates ? 9 : 1;
  std::int32_t labelIndex = 0;
  // One decade per pass; 10^(e0+k) is computed directly rather than by
  // repeated multiplication so that the decade values stay exact.
  for (int k = 0; k < 800; ++k) {
    const double decade = std::pow(10.0, e0 + k);
    for (int c = 1; c <= lastMult; ++c) {
      const double v = c * decade;
      if (!(v / kDecadeTol > lo && hi > v * kDecadeTol)) continue;
      if (c == 1 || c == 2 || c == 5) {
        TTick t = MakeTick(v, TTickKind::Major, true);
        t.Labelled = r.Labels;
        t.Mult = static_cast<std::uint8_t>(c);
        t.LabelIndex = ++labelIndex;
        out.Ticks.push_back(t);
      } else if (r.ShortTicks) {
        out.Ticks.push_back(MakeTick(v, TTickKind::Minor, true));
      } else if (!r.Vertical) {
        out.Ticks.push_back(MakeTick(v, TTickKind::Silent, false));
      }
    }
    if (!(hi >= kDecadeTol * decade * 10)) break;
  }
}

bool ComputeTimeTicks(const TTickRequest& r, TScaleDivision& out) {
  if (!std::isfinite(r.Low) || !std::isfinite(r.High) || r.Low == r.High) return false;
  // MinTicks 0 has no meaning for a time axis; it is read as 2.
  const std::int32_t ticks = r.MinTicks > 0 ? r.MinTicks : 2;
  const double t = std::fabs(r.High - r.Low) / ticks;
  std::int32_t i = 28;
  while (i > 0 && kTimeSteps[std::size_t(i)] > t) --i;
  if (i == 0 || i == 28) return false;

  // A reversed axis is divided as its mirror image (values negated), so the
  // first-tick and limit rules below only need to hold for ascending ranges.
  const double s = r.Low < r.High ? 1.0 : -1.0;
  const double lo = s * r.Low, hi = s * r.High;
  const double major = kTimeSteps[std::size_t(i)];
  const double minor = major / kTimeSubs[std::size_t(i)];
  // The first step boundary at or below Low (the tolerance keeps a positive
  // Low that lies on a boundary up to rounding from starting a step earlier)
  // and the candidate count: the span in minor steps and five more.
  const double first = std::floor((lo / major) / kDecadeTol) * major;
  const double lower = lo >= 0 ? lo * kDecadeTol : lo / kDecadeTol;
  const double upper = hi > 0 ? hi / kDecadeTol : hi * kDecadeTol;
  std::int64_t count = ClampToInt64(std::floor((hi - lo) / minor)) + 5;
  // A first boundary far below Low (a negative Low on a boundary starts a
  // whole step early) must not cost the ticks at the upper end.
  if (first + double(count + 1) * minor <= upper)
    count = ClampToInt64(std::floor((upper - first) / minor));
  count = std::min<std::int64_t>(count, kMaxCandidates);
  auto inside = [&](double v) { return v >= lower && v <= upper; };

  out.Labels = r.Labels ? (i <= 9 ? TDivisionLabels::TimeMs : TDivisionLabels::Time)
                        : TDivisionLabels::None;
  out.TimeStepIndex = i;
  const long double span = Span(r.Low, r.High);
  if (r.ShortTicks) {
    for (std::int64_t o = 0; o <= count; ++o) {
      const double v = first + o * minor;
      if (inside(v))
        out.Ticks.push_back(MakeTick(SnapZero(s * v, span), TTickKind::Minor, true));
      else
        out.Ticks.push_back(MakeTick(s * v, TTickKind::SilentLast, false));
    }
  }
  const bool listMajors = r.Vertical || !r.ShortTicks;
  std::int32_t labelIndex = 0;
  for (std::int64_t o = 0; o <= count; ++o) {
    const double v = first + o * minor;
    const double q = v / major;
    if (!(std::fabs(q - std::round(q)) < 0.01) || !inside(v)) continue;
    TTick tk = MakeTick(SnapZero(s * v, span), TTickKind::Major, listMajors);
    tk.Labelled = r.Labels;
    tk.LabelIndex = ++labelIndex;
    out.Ticks.push_back(tk);
  }
  return true;
}

void ComputeTicks(const TTickRequest& r, TScaleDivision& out) {
  out.Clear();
  switch (r.Source) {
    case TTickSource::DateTime:
      ComputeDateTimeTicks(r, out);
      return;
    case TTickSource::TimeOfDay:
      if (ComputeTimeTicks(r, out)) return;
      break;  // outside the step table: numeric ticks and labels
    case TTickSource::Numeric:
      break;
  }
  if (r.Log)
    ComputeLogTicks(r, out);
  else
    ComputeLinearTicks(r, out);
}

}  // namespace kvo
