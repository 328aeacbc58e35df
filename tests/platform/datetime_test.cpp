#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/datetime.h"
#include "platform/error.h"

namespace kvo {
namespace {

TEST(DateTime, EncodeAndDecodeDayNumbers) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  EXPECT_EQ(EncodeDate(2024, 2, 29), 45351);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EPlatformError);
  EXPECT_THROW(EncodeDate(2023, 13, 1), EPlatformError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EPlatformError);
  TDateTime out = 7;
  EXPECT_FALSE(TryEncodeDate(2023, 4, 31, out));
  EXPECT_EQ(out, 7);
  for (int d : {-693593, -1, 0, 1, 36526, 45351, 2958465}) {
    int y, m, dd;
    DecodeDate(d + 0.75, y, m, dd);
    EXPECT_EQ(EncodeDate(y, m, dd), d);
  }
  int y, m, d;
  DecodeDate(-0.25, y, m, d);  // the day before the epoch, at 18:00
  EXPECT_EQ(d, 29);
  DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d);
  EXPECT_EQ(y, 1899);
  DecodeDate(1e300, y, m, d);
  EXPECT_EQ(y, 9999);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 1);  // a Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
}

TEST(DateTime, Times) {
  const TDateTime t = EncodeTime(13, 5, 9, 250);
  int h, n, s, z;
  DecodeTime(t, h, n, s, z);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(s, 9);
  EXPECT_EQ(z, 250);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EPlatformError);
  DecodeTime(0.99999999999, h, n, s, z);  // rounds to the last millisecond, not 24:00
  EXPECT_EQ(h, 23);
}

TEST(DateTime, FormatPatterns) {
  const TDateTime dt = EncodeDate(2024, 3, 7) + EncodeTime(14, 5, 9, 37);
  EXPECT_EQ(FormatDateTime("hh", dt), "14");
  EXPECT_EQ(FormatDateTime("h", EncodeTime(7, 0, 0, 0)), "7");
  EXPECT_EQ(FormatDateTime("hh", EncodeTime(7, 0, 0, 0)), "07");
  EXPECT_EQ(FormatDateTime("hh\":\"nn", dt), "14:05");
  EXPECT_EQ(FormatDateTime("h\"h\"nn\":\"ss", dt), "14h05:09");
  EXPECT_EQ(FormatDateTime("hh\":\"nn\":\"ss.zz", dt), "14:05:09.37");
  EXPECT_EQ(FormatDateTime("ss.zzz", dt), "09.037");
  EXPECT_EQ(FormatDateTime("ham/pm", dt), "2pm");
  EXPECT_EQ(FormatDateTime("h\":\"nnam/pm", EncodeTime(0, 30, 0, 0)), "12:30am");
  EXPECT_EQ(FormatDateTime("hh AM/PM", EncodeTime(12, 0, 0, 0)), "12 PM");
  EXPECT_EQ(FormatDateTime("h a/p", EncodeTime(23, 0, 0, 0)), "11 p");
  EXPECT_EQ(FormatDateTime("dd\".\"mm\".\"yyyy", dt), "07.03.2024");
  EXPECT_EQ(FormatDateTime("dd\"-\"mmm\"-\"yy", dt), "07-Mar-24");
  EXPECT_EQ(FormatDateTime("d mmmm yyyy", dt), "7 March 2024");
  EXPECT_EQ(FormatDateTime("ddd dddd", dt), "Thu Thursday");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd", dt), "2024/03/07");
  EXPECT_EQ(FormatDateTime("hh:nn", dt), "14:05");
  EXPECT_EQ(FormatDateTime("h:mm", dt), "14:05");  // m after an hour is minutes
  EXPECT_EQ(FormatDateTime("'It''s' yyyy", dt), "Its 2024");
  EXPECT_EQ(FormatDateTime("\"mm\" mm", dt), "mm 03");
  EXPECT_EQ(FormatDateTime("\"unterminated", dt), "unterminated");
  // Rounding to the millisecond carries into the next day.
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", EncodeDate(2023, 12, 31) + 0.9999999999),
            "2024-01-01 00:00:00.000");
  TFormatSettings fs;
  fs.DateSeparator = '.';
  fs.TimeSeparator = '-';
  fs.ShortMonthNames[2] = "Mär";
  EXPECT_EQ(FormatDateTime("dd/mmm/yyyy hh:nn", dt, fs), "07.Mär.2024 14-05");
  EXPECT_EQ(FormatDateTime("yyyy", std::numeric_limits<double>::quiet_NaN()), "1899");
}

}  // namespace
}  // namespace kvo
