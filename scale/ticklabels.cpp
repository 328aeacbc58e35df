#include "scale/ticklabels.h"

#include <cmath>
#include <cstdio>

#include "platform/datetime.h"
#include "platform/numeric.h"

namespace kvo {

namespace {

constexpr std::size_t kMaxLabelLength = 14;

void Cut(std::string& s) {
  if (s.size() > kMaxLabelLength) s.resize(kMaxLabelLength);
}

std::string Printf(const char* fmt, int decimals, double v) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, fmt, decimals, v);
  if (n < 0) return {};
  if (std::size_t(n) < sizeof buf) return std::string(buf, std::size_t(n));
  std::string big(std::size_t(n) + 1, '\0');  // huge values in fixed point
  std::snprintf(big.data(), big.size(), fmt, decimals, v);
  big.resize(std::size_t(n));
  return big;
}

// A literal for a FormatDateTime pattern.
std::string Quote(const std::string& s) {
  if (s.find('"') != std::string::npos) return "'" + s + "'";
  return "\"" + s + "\"";
}

std::string MonthPattern(const TDateLabelFormat& f) { return f.MonthName ? "mmm" : "mm"; }
std::string YearPattern(const TDateLabelFormat& f) {
  return f.YearLength == 0 ? "" : (f.YearLength == 1 ? "yy" : "yyyy");
}

// Full date pattern of a date order; without a year the year part and its
// separator are left out.
std::string DatePattern(const TDateLabelFormat& f) {
  const std::string D = Quote(f.DateSeparator), M = MonthPattern(f), Y = YearPattern(f);
  if (Y.empty()) return f.DateOrder == 1 ? "dd" + D + M : M + D + "dd";
  switch (f.DateOrder) {
    case 0: return M + D + "dd" + D + Y;
    case 2: return Y + D + M + D + "dd";
    default: return "dd" + D + M + D + Y;
  }
}

}  // namespace

std::int32_t ResolveDecPlaces(double low, double high, bool logRule, std::int32_t decPlaces) {
  if (decPlaces != -2 && decPlaces != -3) return decPlaces;
  if (logRule && decPlaces == -3) return -3;
  if (logRule) {
    const double hi = std::fmax(low, high), lo = std::fmin(low, high);
    const double span = hi - lo;
    if (span >= 1e6 || span <= 1e-4) return -1;
    if (lo >= 1) return 0;
    if (!(lo > 0)) return -1;  // no logarithmic axis; nothing sensible to fix
    // Decades so small that their labels would need more than 12 decimals
    // would all read 0.000000000000: they get the exponent form instead.
    const double d = 1 - std::nearbyint(std::log10(lo));
    return d > 12 ? -1 : static_cast<std::int32_t>(d);
  }
  const double span = std::fabs(high - low);
  if (!(span < 1e6) || span <= 1e-4) return -1;
  if (span >= 100) return 0;
  return 2 - Round(std::log(span) / 2.5);
}

std::string NumberText(double v, std::int32_t decimals) {
  if (decimals >= 0) {
    std::string s = Printf("%.*f", std::min(decimals, 12), v);
    if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
      s.erase(0, 1);  // a negative value that rounds to zero reads as zero
    return s;
  }
  std::string s = Printf("%.*E", 1, v);
  const std::size_t e = s.find('E');
  if (e == std::string::npos) return s;  // inf or nan
  const std::size_t digits = e + 2;       // after 'E' and the sign
  if (s.size() - digits > 2) {
    // Three-digit exponents do not fit the label: show a row of stars as
    // wide as a two-digit form.
    return std::string(digits + 2, '*');
  }
  return s;
}

std::string LinearTickLabel(double v, double low, double high, std::int32_t resolved,
                            std::int32_t decPlaces) {
  // In extended precision: the span of ends of opposite sign near the limits
  // of the doubles does not fit a double (and would make every tick zero).
  const long double span = static_cast<long double>(high) - static_cast<long double>(low);
  std::string s;
  if (std::fabs(v / span) < 1e-14L) {
    if (std::fabs(span) <= 100000)
      s = NumberText(0.0, resolved);
    else
      s = resolved != 0 ? "0.0" : "0";
  } else {
    s = NumberText(v, resolved);
  }
  Cut(s);
  if (decPlaces == 0 && std::fabs(v - std::nearbyint(v)) > 1e-6) s.clear();
  return s;
}

std::string LogTickLabel(double v, std::uint8_t mult, std::int32_t resolved,
                         std::int32_t decPlaces) {
  std::string s;
  if (resolved == -3) {
    if (mult != 1) return s;
    s = NumberText(std::nearbyint(std::log10(v)), 0);
  } else {
    s = NumberText(v, resolved);
  }
  Cut(s);
  if (decPlaces == -2 && s.find('.') != std::string::npos &&
      s.find_first_of("eE") == std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

std::string TimeTickLabel(double seconds, bool withMs) {
  // Tick values are sums of steps and carry rounding errors (59.99999 s for a
  // minute): whole milliseconds are taken first, then split.
  const std::int64_t ms = Round64(std::fabs(seconds) * 1000.0);
  const std::int64_t h = ms / 3600000, m = (ms / 60000) % 60, s = (ms / 1000) % 60;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%c%02lld:%02lld:%02lld", seconds >= 0 || std::isnan(seconds) ? ' ' : '-',
                static_cast<long long>(h), static_cast<long long>(m), static_cast<long long>(s));
  std::string out(buf);
  if (withMs) {
    std::snprintf(buf, sizeof buf, ".%03lld", static_cast<long long>(ms % 1000));
    out += buf;
  }
  return out;
}

std::string ExtractUserText(std::string_view text, std::int32_t n) {
  if (text.empty()) return {};
  std::size_t start = 0;
  for (std::int32_t field = 1;; ++field) {
    const std::size_t bar = text.find('|', start);
    if (field >= n || bar == std::string_view::npos)
      return std::string(text.substr(start, bar == std::string_view::npos ? text.npos : bar - start));
    start = bar + 1;
  }
}

std::string AddScaleInscription(std::string_view label, std::string_view inscription) {
  if (label.empty()) return {};
  const std::size_t amp = inscription.find('&');
  if (amp == std::string_view::npos) return std::string(inscription) + std::string(label);
  return std::string(inscription.substr(0, amp)) + std::string(label) +
         std::string(inscription.substr(amp + 1));
}

std::string DateTimePattern(TDateLevel level, const TDateLabelFormat& f) {
  const std::string T = Quote(f.TimeSeparator);
  const int tf = f.TimeFormat <= 2 ? f.TimeFormat : 0;
  switch (level) {
    case TDateLevel::Hours:
      return tf == 0 ? "hh" + T + "nn" : (tf == 1 ? "h\"h\"" : "ham/pm");
    case TDateLevel::Minutes:
      return tf == 0 ? "hh" + T + "nn" : (tf == 1 ? "h\"h\"nn" : "h" + T + "nnam/pm");
    case TDateLevel::Seconds:
      return tf == 0 ? "hh" + T + "nn" + T + "ss"
                     : (tf == 1 ? "h\"h\"nn" + T + "ss" : "h" + T + "nn\".\"ssam/pm");
    case TDateLevel::Hundredths:
      return tf == 0 ? "hh" + T + "nn" + T + "ss.zz"
                     : (tf == 1 ? "h\"h\"nn" + T + "ss.zz" : "h" + T + "nn\".\"ss.zzam/pm");
    case TDateLevel::Days:
      return DatePattern(f);
    case TDateLevel::Months: {
      const std::string D = Quote(f.DateSeparator), M = MonthPattern(f), Y = YearPattern(f);
      if (Y.empty()) return M;
      return f.DateOrder == 2 ? Y + D + M : M + D + Y;
    }
    case TDateLevel::Years:
      return YearPattern(f);
    case TDateLevel::None:
      break;
  }
  return {};
}

std::string DateLinePattern(const TDateLabelFormat& f) { return DatePattern(f); }

std::string FormatDayNumber(std::string_view pattern, double day) {
  if (pattern.empty() || !std::isfinite(day)) return {};
  if (std::fabs(day) < 1e-8) day = 0;
  const std::size_t zz = pattern.find("zz");
  std::string pat(pattern);
  // Round to the shown resolution (the formatter rounds to milliseconds).
  const double unitsPerDay = zz != std::string::npos ? 8640000.0 : 86400000.0;
  const double units = std::nearbyint(day * unitsPerDay);
  day = units / unitsPerDay;
  if (zz != std::string::npos) {
    const std::int64_t hundredths = ((ClampToInt64(units) % 100) + 100) % 100;
    char buf[8];
    std::snprintf(buf, sizeof buf, "\"%02d\"", static_cast<int>(hundredths));
    pat.replace(zz, 2, buf);
  }
  return FormatDateTime(pat, day);
}

std::string DivisionMessageText(TDivisionMessage msg) {
  switch (msg) {
    case TDivisionMessage::InvalidRange: return "invalid DateTime scale";
    case TDivisionMessage::BelowSecond: return "DateTime range is below 1 second";
    case TDivisionMessage::None: break;
  }
  return {};
}

std::vector<std::string> DivisionMessageLines(TDivisionMessage msg) {
  switch (msg) {
    case TDivisionMessage::InvalidRange: return {"invalid", "DateTime", "scale"};
    case TDivisionMessage::BelowSecond: return {"DateTime", "range is", "below 1", "second"};
    case TDivisionMessage::None: break;
  }
  return {};
}

void LabelDivision(const TScaleDivision& div, const TLabelContext& ctx,
                   std::vector<TTickLabel>& out) {
  out.clear();
  if (div.Labels == TDivisionLabels::None) return;
  const std::int32_t resolved =
      ResolveDecPlaces(ctx.Low, ctx.High, div.Labels == TDivisionLabels::Log, ctx.DecPlaces);
  std::string timePattern, datePattern;
  const bool timeOfDay = div.Level == TDateLevel::Hundredths || div.Level == TDateLevel::Seconds ||
                         div.Level == TDateLevel::Minutes || div.Level == TDateLevel::Hours;
  if (div.Labels == TDivisionLabels::DateTime) {
    timePattern = DateTimePattern(div.Level, ctx.DateFormat);
    if (timeOfDay) datePattern = DateLinePattern(ctx.DateFormat);
  }
  int lastDateDay = -1;
  bool firstLabel = true;
  for (std::size_t i = 0; i < div.Ticks.size(); ++i) {
    const TTick& t = div.Ticks[i];
    if (!t.Labelled) continue;
    TTickLabel l;
    l.Tick = static_cast<std::int32_t>(i);
    bool numeric = false;
    switch (div.Labels) {
      case TDivisionLabels::Linear:
        l.Text = LinearTickLabel(t.Value, ctx.Low, ctx.High, resolved, ctx.DecPlaces);
        numeric = true;
        break;
      case TDivisionLabels::Log:
        l.Text = LogTickLabel(t.Value, t.Mult, resolved, ctx.DecPlaces);
        numeric = true;
        break;
      case TDivisionLabels::Time:
      case TDivisionLabels::TimeMs:
        l.Text = TimeTickLabel(t.Value, div.Labels == TDivisionLabels::TimeMs);
        break;
      case TDivisionLabels::DateTime:
        l.Text = FormatDayNumber(timePattern, t.Value);
        if (div.Level == TDateLevel::Years && ctx.DateFormat.YearLength == 2) {
          // Four-digit years are shown without leading zeros (year 50, not 0050).
          const std::size_t nz = l.Text.find_first_not_of('0');
          l.Text.erase(0, nz == std::string::npos ? l.Text.size() - 1 : nz);
        }
        if (timeOfDay) {
          bool want = false;
          switch (ctx.DateFormat.DateForTime) {
            case 1: want = firstLabel; break;
            case 2: {
              int y, m, d;
              // Same rounding as the label itself, so both name one day.
              DecodeDate(std::nearbyint(t.Value * 86400000.0) / 86400000.0, y, m, d);
              want = d != lastDateDay;
              if (want) lastDateDay = d;
              break;
            }
            case 3: want = true; break;
            default: break;
          }
          if (want) {
            l.DateLine = FormatDayNumber(datePattern, t.Value);
            l.HasDateLine = true;
          }
        }
        break;
      case TDivisionLabels::None:
        break;
    }
    if (numeric) {
      if (ctx.UserText)
        l.Text = ExtractUserText(ctx.UserTickText, t.LabelIndex);
      else
        l.Text = AddScaleInscription(l.Text, ctx.Inscription);
    }
    firstLabel = false;
    out.push_back(std::move(l));
  }
}

}  // namespace kvo
