// Tick label texts: numbers with resolved decimals or in exponent form,
// logarithmic labels and decade exponents, times of day from seconds, and the
// date/time patterns of every level with their date lines. Pure functions of
// the values and the settings; nothing here draws.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tickengine.h"

namespace kvo {

// Date/time label settings as a value (the scale copies them from its
// TDTLabel before labelling). Ordinals as TDTLabel uses them.
struct KVO_API TDateLabelFormat {
  std::uint8_t DateOrder = 1;    // 0 month-day-year, 1 day-month-year, 2 year-month-day
  std::string DateSeparator = "-";  // one character (UTF-8)
  std::string TimeSeparator = ":";
  std::uint8_t YearLength = 2;   // 0 no year, 1 two digits, 2 four digits
  bool MonthName = true;         // abbreviated month name instead of its number
  std::uint8_t TimeFormat = 0;   // 0 24-hour, 1 hours with "h", 2 12-hour with am/pm
  std::uint8_t DateForTime = 2;  // 0 never, 1 first label, 2 when the day changes, 3 always
  bool operator==(const TDateLabelFormat&) const noexcept = default;
};

// Resolves the decimal places of numeric labels: -2 and -3 are automatic
// (from the span of the range; -3 on a logarithmic division is decade mode
// and stays -3), -1 (exponent form) and 0..12 are returned unchanged.
// `logRule` selects the rule of logarithmic divisions.
KVO_API std::int32_t ResolveDecPlaces(double low, double high, bool logRule, std::int32_t decPlaces);

// Fixed point with `decimals` >= 0 (never "-0.00"), or exponent form for -1:
// one mantissa decimal and a two-digit exponent ("1.2E+03", "-5.0E-07"); an
// exponent of three digits turns the text into a row of '*' of the same length.
KVO_API std::string NumberText(double v, std::int32_t decimals);

// Label of a major tick of a linear division before user texts and
// inscriptions: values within 1e-14 of the span from zero read as zero, the
// text is cut to 14 characters, and with `decPlaces` exactly 0 a tick that is
// not an integer gets an empty label.
KVO_API std::string LinearTickLabel(double v, double low, double high, std::int32_t resolved,
                            std::int32_t decPlaces);
// Label of a logarithmic major tick (multiplier 1, 2 or 5): in decade mode
// (resolved -3) the exponent of decade ticks and an empty text otherwise;
// with `decPlaces` -2 trailing zeros are removed.
KVO_API std::string LogTickLabel(double v, std::uint8_t mult, std::int32_t resolved,
                         std::int32_t decPlaces);
// Time of day from seconds: a sign (blank or "-"), hours (not wrapped),
// minutes and seconds of at least two digits, with ".mmm" when `withMs`.
KVO_API std::string TimeTickLabel(double seconds, bool withMs);

// The n-th (1-based) field of a text of fields separated by "|"; beyond the
// last field the last one; an empty text gives an empty label.
KVO_API std::string ExtractUserText(std::string_view text, std::int32_t n);
// Puts `label` where the first "&" of the inscription stands, or after the
// whole inscription when it has none. An empty label stays empty.
KVO_API std::string AddScaleInscription(std::string_view label, std::string_view inscription);

// FormatDateTime patterns of a date/time level: the tick label and the date
// line drawn under time-of-day labels.
KVO_API std::string DateTimePattern(TDateLevel level, const TDateLabelFormat& fmt);
KVO_API std::string DateLinePattern(const TDateLabelFormat& fmt);
// Formats a day number of the axis. Values within 1e-8 of zero are zero,
// values are rounded to the shown resolution (so a tick computed a rounding
// error before midnight still shows the new day), and the hundredths of
// "ss.zz" patterns are written as two digits. Days before 1899-12-30 need no
// conversion: the platform's day numbers are linear on both sides of zero.
KVO_API std::string FormatDayNumber(std::string_view pattern, double day);

// The text of a date/time message, on one line (horizontal axes) or word by
// word (vertical axes).
KVO_API std::string DivisionMessageText(TDivisionMessage msg);
KVO_API std::vector<std::string> DivisionMessageLines(TDivisionMessage msg);

struct KVO_API TLabelContext {
  double Low = 0, High = 100;
  std::int32_t DecPlaces = -2;   // as set on the axis
  bool UserText = false;         // labels come from UserTickText
  std::string_view UserTickText;
  std::string_view Inscription;
  TDateLabelFormat DateFormat;
};

// One text per labelled tick (in tick order); date/time labels of the
// time-of-day levels may carry a date line.
struct KVO_API TTickLabel {
  std::int32_t Tick = 0;  // index into TScaleDivision::Ticks
  std::string Text;
  std::string DateLine;
  bool HasDateLine = false;
};

// Labels every labelled tick of a division. `out` is cleared first.
KVO_API void LabelDivision(const TScaleDivision& division, const TLabelContext& ctx,
                   std::vector<TTickLabel>& out);

}  // namespace kvo
