#include "scale/dateticks_p.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/datetime.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

// The loop end test: a tick counts as inside up to 1e-8 days past High.
constexpr double kEndTol = 1e-8;
// Ticks computed as first + i*step may land a rounding error below Low; such
// a tick still counts as inside (1e-9 days is well below a hundredth second).
constexpr double kStartTol = 1e-9;
constexpr int kMaxDateTicks = 100000;

struct TTimeLevel {
  double UnitsPerDay;
  std::array<std::int32_t, 6> Steps, Minors;
};

constexpr TTimeLevel kHours{24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}};
constexpr TTimeLevel kMinutes{1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
constexpr TTimeLevel kSeconds{86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
constexpr TTimeLevel kHundredths{8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}};

std::int64_t FloorMod(std::int64_t a, std::int64_t m) noexcept {
  const std::int64_t r = a % m;
  return r < 0 ? r + m : r;
}

void Push(TScaleDivision& out, double v, bool major) {
  TTick t;
  t.Value = v;
  t.Kind = major ? TTickKind::Major : TTickKind::Minor;
  t.Listed = true;
  t.Labelled = major;
  out.Ticks.push_back(t);
}

// Hours, minutes, seconds and hundredths: step boundaries counted from midnight.
void TimeOfDayTicks(const TTickRequest& r, double p, const TTimeLevel& lv, TScaleDivision& out) {
  const double u = lv.UnitsPerDay;
  std::size_t k = 0;
  for (std::size_t i = 0; i < lv.Steps.size(); ++i)
    if (lv.Steps[i] <= p * u) k = i;
  const std::int32_t step = lv.Steps[k], minorUnits = lv.Minors[k];

  const double day = std::floor(r.Low);
  double uf = u * (r.Low - day);
  // A Low that lies on a boundary must not be pushed to the next one by the
  // rounding error of the multiplication.
  if (std::fabs(uf - std::round(uf)) < 1e-6) uf = std::round(uf);
  const std::int64_t e = ClampToInt64(std::ceil(uf));
  const std::int64_t ePrime = e % step != 0 ? step - e % step : 0;
  const double majorDays = step / u, minorDays = minorUnits / u;
  double start = day + std::ceil(double(ePrime) + uf) / u;
  if (r.ShortTicks) {
    int guard = 0;
    while (start > r.Low && guard++ < 1000) start -= minorDays;
  }
  const double advance = r.ShortTicks ? minorDays : majorDays;
  for (int i = 0; i < kMaxDateTicks; ++i) {
    const double tick = start + i * advance;
    if (!(tick - r.High < kEndTol)) break;
    if (tick < r.Low - kStartTol) continue;
    const double q = tick / majorDays;
    const bool minor = r.ShortTicks && std::fabs(q - std::round(q)) > 0.1;
    Push(out, tick, !minor);
  }
}

void DayTicks(const TTickRequest& r, double p, TScaleDivision& out) {
  static constexpr std::array<std::int32_t, 6> kSteps = {1, 2, 3, 7, 14, 28};
  std::int32_t step = 1;
  for (std::int32_t s : kSteps)
    if (s <= p) step = s;
  const std::int32_t minorDays = step >= 14 ? 7 : 1;
  int y, m, d;
  DecodeDate(r.Low, y, m, d);
  double jan1 = 0;
  if (!TryEncodeDate(y, 1, 1, jan1)) return;
  const double first = jan1 + step * std::trunc((r.Low - jan1) / step);
  const std::int64_t r0 = FloorMod(Round64(first), step);
  const double advance = r.ShortTicks ? minorDays : step;
  for (int i = 0; i < kMaxDateTicks; ++i) {
    const double tick = first + i * advance;
    if (!(tick - r.High < kEndTol)) break;
    if (tick < r.Low - kStartTol) continue;
    const bool minor = r.ShortTicks && FloorMod(Round64(tick), step) != r0;
    Push(out, tick, !minor);
  }
}

void MonthTicks(const TTickRequest& r, std::int32_t minTicks, TScaleDivision& out) {
  const double q = (r.High - r.Low) / 30.4375 / minTicks;
  static constexpr std::array<std::int32_t, 5> kSteps = {1, 2, 3, 4, 6};
  std::int32_t step = 1;
  for (std::int32_t s : kSteps)
    if (s <= q) step = s;
  int y, m, d;
  DecodeDate(r.Low, y, m, d);
  auto nextMonth = [&](int n) {
    m += n;
    while (m > 12) {
      m -= 12;
      ++y;
    }
  };
  if (step > 1 && !r.ShortTicks) {
    do nextMonth(1);
    while (m % step != 1);
  }
  for (int i = 0; i < kMaxDateTicks; ++i) {
    double tick = 0;
    if (!TryEncodeDate(y, m, 1, tick)) break;  // past 9999-12
    if (!(tick - r.High < kEndTol)) break;
    if (tick >= r.Low - kStartTol) {
      const bool minor = r.ShortTicks && step != 1 && m % step != 1;
      Push(out, tick, !minor);
    }
    nextMonth(r.ShortTicks ? 1 : step);
  }
}

void YearTicks(const TTickRequest& r, std::int32_t minTicks, TScaleDivision& out) {
  const double a = std::max((r.High - r.Low) / 365.25 / minTicks, 1.0);
  double expo = std::floor(std::log10(a));
  double mant = a / std::pow(10.0, expo);
  if (mant >= 10) {  // rounding of log10 near a power of ten
    mant /= 10;
    expo += 1;
  }
  const int f = mant < 2 ? 1 : (mant < 5 ? 2 : 5);
  const std::int64_t g = std::max<std::int64_t>(Round64(std::pow(10.0, expo) * f), 1);
  std::int64_t minor = g;
  if (r.ShortTicks && g > 1) minor = f == 5 ? Round64(g / 5.0) : Round64(g / 2.0);
  minor = std::max<std::int64_t>(minor, 1);

  int year0, m, d;
  DecodeDate(r.Low, year0, m, d);
  std::int64_t y = ((year0 - 1) / minor + 1) * minor;
  double jan1 = 0;
  if (y == year0 && TryEncodeDate(year0, 1, 1, jan1) && r.Low > jan1) y += minor;
  for (int i = 0; i < kMaxDateTicks; ++i) {
    double tick = 0;
    const bool clamped = y > 9999;
    if (clamped)
      tick = EncodeDate(9999, 12, 31);
    else if (!TryEncodeDate(static_cast<int>(y), 1, 1, tick))
      break;
    if (!(tick - r.High < kEndTol)) break;
    const bool minorTick = r.ShortTicks && y % g != 0;
    Push(out, tick, !minorTick);
    // The last representable day is ticked once; later years would all
    // land on it again.
    if (clamped) break;
    y += minor;
  }
}

}  // namespace

TDateLevel SelectDateLevel(double p, bool vertical) noexcept {
  if (vertical) {
    if (p <= 1.0 / 8640000) return TDateLevel::None;
    if (p <= 1.0 / 86400) return TDateLevel::Hundredths;
    if (p <= 1.0 / 1440) return TDateLevel::Seconds;
  } else {
    if (p <= 1.1574e-5) return TDateLevel::None;
    if (p <= 6.9444e-4) return TDateLevel::Seconds;
  }
  if (p <= 1.0 / 24) return TDateLevel::Minutes;
  if (p <= 1) return TDateLevel::Hours;
  if (p <= 30) return TDateLevel::Days;
  if (p <= 366) return TDateLevel::Months;
  return TDateLevel::Years;
}

void ComputeDateTimeTicks(const TTickRequest& r, TScaleDivision& out) {
  out.Labels = TDivisionLabels::DateTime;
  if (!std::isfinite(r.Low) || !std::isfinite(r.High) || r.Low > r.High ||
      r.Low < kMinDateTimeDay || r.High > kMaxDateTimeDay) {
    out.Message = TDivisionMessage::InvalidRange;
    return;
  }
  // MinTicks 0 has no meaning for a date/time axis; it is read as 2.
  const std::int32_t minTicks = r.MinTicks > 0 ? r.MinTicks : 2;
  const double p = (r.High - r.Low) / minTicks;
  out.Level = SelectDateLevel(p, r.Vertical);
  switch (out.Level) {
    case TDateLevel::None: out.Message = TDivisionMessage::BelowSecond; break;
    case TDateLevel::Hundredths: TimeOfDayTicks(r, p, kHundredths, out); break;
    case TDateLevel::Seconds: TimeOfDayTicks(r, p, kSeconds, out); break;
    case TDateLevel::Minutes: TimeOfDayTicks(r, p, kMinutes, out); break;
    case TDateLevel::Hours: TimeOfDayTicks(r, p, kHours, out); break;
    case TDateLevel::Days: DayTicks(r, p, out); break;
    case TDateLevel::Months: MonthTicks(r, minTicks, out); break;
    case TDateLevel::Years: YearTicks(r, minTicks, out); break;
  }
  std::int32_t labelIndex = 0;
  for (TTick& t : out.Ticks) {
    if (!r.Labels) t.Labelled = false;
    if (t.Labelled) t.LabelIndex = ++labelIndex;
  }
}

}  // namespace kvo
