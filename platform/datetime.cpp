#include "platform/datetime.h"

#include <cmath>
#include <cstdio>

#include "platform/error.h"

namespace kvo {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day number of 0001-01-01 and of 9999-12-31 counted from 1899-12-30.
constexpr std::int64_t kMinDay = -693593, kMaxDay = 2958465;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr void CivilFromDays(std::int64_t z, int& y, int& m, int& d) noexcept {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

constexpr std::int64_t kEpochShift = DaysFromCivil(1899, 12, 30);  // 1899-12-30 from 1970

int DaysInMonth(int year, int month) noexcept {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Whole milliseconds since 1899-12-30 00:00, kept inside the supported years;
// NaN reads as 0.
std::int64_t TotalMs(TDateTime dt) noexcept {
  if (std::isnan(dt)) return 0;
  const double lo = double(kMinDay), hi = double(kMaxDay) + 1;
  if (dt < lo) dt = lo;
  if (dt >= hi) dt = hi - 1.0 / kMsPerDay;
  return static_cast<std::int64_t>(std::floor(dt * kMsPerDay + 0.5));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

const TFormatSettings& DefaultFormatSettings() {
  static const TFormatSettings fs;
  return fs;
}

bool IsLeapYear(int year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) noexcept {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return false;
  out = static_cast<double>(DaysFromCivil(year, unsigned(month), unsigned(day)) - kEpochShift);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime dt = 0;
  if (!TryEncodeDate(year, month, day, dt))
    throw EPlatformError("invalid date " + std::to_string(year) + "-" + std::to_string(month) +
                         "-" + std::to_string(day));
  return dt;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) noexcept {
  double d = std::isnan(dt) ? 0.0 : std::floor(dt);
  if (d < double(kMinDay)) d = double(kMinDay);
  if (d > double(kMaxDay)) d = double(kMaxDay);
  CivilFromDays(static_cast<std::int64_t>(d) + kEpochShift, year, month, day);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      msec < 0 || msec > 999)
    throw EPlatformError("invalid time " + std::to_string(hour) + ":" + std::to_string(minute) +
                         ":" + std::to_string(second) + "." + std::to_string(msec));
  return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / kMsPerDay;
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec) noexcept {
  double frac = std::isnan(dt) || std::isinf(dt) ? 0.0 : dt - std::floor(dt);
  std::int64_t ms = static_cast<std::int64_t>(std::floor(frac * kMsPerDay + 0.5));
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;
  hour = int(ms / 3600000);
  minute = int(ms / 60000 % 60);
  second = int(ms / 1000 % 60);
  msec = int(ms % 1000);
}

int DayOfWeek(TDateTime dt) noexcept {
  const std::int64_t day = FloorDiv(TotalMs(dt), kMsPerDay);
  // 1899-12-30 was a Saturday (7).
  return int(((day % 7) + 7 + 6) % 7) + 1;
}

std::string FormatDateTime(std::string_view pat, TDateTime dt, const TFormatSettings& fs) {
  const std::int64_t total = TotalMs(dt);
  const std::int64_t day = FloorDiv(total, kMsPerDay);
  const std::int64_t ms = total - day * kMsPerDay;
  int year, month, dom;
  CivilFromDays(day + kEpochShift, year, month, dom);
  const int hour = int(ms / 3600000), minute = int(ms / 60000 % 60), sec = int(ms / 1000 % 60),
            milli = int(ms % 1000);
  const int wday = int(((day % 7) + 7 + 6) % 7);  // 0 = Sunday

  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  const auto startsWithCi = [&](std::size_t i, std::string_view w) {
    if (pat.size() - i < w.size()) return false;
    for (std::size_t k = 0; k < w.size(); ++k)
      if (lower(pat[i + k]) != w[k]) return false;
    return true;
  };
  // 12-hour clock when the pattern has an am/pm or a/p marker outside quotes.
  bool twelve = false;
  {
    char quote = 0;
    for (std::size_t i = 0; i < pat.size(); ++i) {
      if (quote) {
        if (pat[i] == quote) quote = 0;
      } else if (pat[i] == '"' || pat[i] == '\'') {
        quote = pat[i];
      } else if (startsWithCi(i, "am/pm") || startsWithCi(i, "a/p")) {
        twelve = true;
      }
    }
  }

  std::string out;
  char buf[16];
  const auto num = [&](int v, int width) {
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    out += buf;
  };
  bool afterHour = false;
  std::size_t i = 0;
  while (i < pat.size()) {
    const char c = pat[i];
    const char lc = lower(c);
    if (c == '"' || c == '\'') {
      const std::size_t end = pat.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? pat.size() : end;
      out.append(pat.substr(i + 1, stop - i - 1));
      i = stop == pat.size() ? stop : stop + 1;
      continue;
    }
    if (startsWithCi(i, "am/pm")) {
      const bool upper = pat[i] == 'A';
      out += hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
      i += 5;
      continue;
    }
    if (startsWithCi(i, "a/p")) {
      const bool upper = pat[i] == 'A';
      out += hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
      i += 3;
      continue;
    }
    std::size_t n = 1;
    while (i + n < pat.size() && lower(pat[i + n]) == lc) ++n;
    switch (lc) {
      case 'y':
        if (n <= 2) num(year % 100, 2);
        else num(year, 4);
        afterHour = false;
        break;
      case 'm':
        if (afterHour && n <= 2) {
          num(minute, n == 2 ? 2 : 1);
        } else if (n == 1) {
          num(month, 1);
        } else if (n == 2) {
          num(month, 2);
        } else if (n == 3) {
          out += fs.ShortMonthNames[month - 1];
        } else {
          out += fs.LongMonthNames[month - 1];
        }
        afterHour = false;
        break;
      case 'd':
        if (n == 1) num(dom, 1);
        else if (n == 2) num(dom, 2);
        else if (n == 3) out += fs.ShortDayNames[wday];
        else out += fs.LongDayNames[wday];
        afterHour = false;
        break;
      case 'h': {
        int h = hour;
        if (twelve) {
          h = hour % 12;
          if (h == 0) h = 12;
        }
        num(h, n >= 2 ? 2 : 1);
        afterHour = true;
        break;
      }
      case 'n':
        num(minute, n >= 2 ? 2 : 1);
        afterHour = false;
        break;
      case 's':
        num(sec, n >= 2 ? 2 : 1);
        afterHour = false;
        break;
      case 'z':
        if (n >= 3) num(milli, 3);
        else num(milli, 1);
        afterHour = false;
        break;
      case '/':
        out.append(n, fs.DateSeparator);
        break;
      case ':':
        out.append(n, fs.TimeSeparator);
        break;
      default:
        out.append(pat.substr(i, n));
        break;
    }
    i += n;
  }
  return out;
}

}  // namespace kvo
