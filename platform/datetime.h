// Date and time as day numbers counted from 1899-12-30 (the fraction is the
// time of day), and the formatting the scale labels use.
#pragma once

#include "export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kvo {

using TDateTime = double;

struct KVO_API TFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  const char* ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const char* LongMonthNames[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};
  const char* ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  const char* LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
};
KVO_API const TFormatSettings& DefaultFormatSettings();

KVO_API bool IsLeapYear(int year) noexcept;
// Throws EPlatformError on an invalid date (month 1..12, day in month, year 1..9999).
KVO_API TDateTime EncodeDate(int year, int month, int day);
KVO_API bool TryEncodeDate(int year, int month, int day, TDateTime& out) noexcept;
// Decodes the date part (the integer part towards minus infinity).
KVO_API void DecodeDate(TDateTime dt, int& year, int& month, int& day) noexcept;
KVO_API TDateTime EncodeTime(int hour, int minute, int second, int msec);
KVO_API void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec) noexcept;
KVO_API int DayOfWeek(TDateTime dt) noexcept;  // 1 = Sunday .. 7 = Saturday

// Pattern letters: "yyyy", "yy", "mmmm", "mmm", "mm", "m", "dddd", "ddd",
// "dd", "d", "hh", "h", "nn", "n", "ss", "s", "zzz", "zz", "z", "am/pm",
// "a/p", quoted literals ('...' or "..."), "/" (date separator), ":" (time
// separator); other characters are copied. "m" right after an hour means minutes.
KVO_API std::string FormatDateTime(std::string_view pattern, TDateTime dt,
                           const TFormatSettings& fs = DefaultFormatSettings());

}  // namespace kvo
