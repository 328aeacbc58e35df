#include "libs/stringl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvo {
namespace {

TEST(Strff, FixedDecimals) {
  EXPECT_EQ(strff(3.14159, 1, 2), "3.14");
  EXPECT_EQ(strff(2.5, 1, 0), "2");       // the exact tie rounds to even
  EXPECT_EQ(strff(-1.005, 1, 1), "-1.0");
  EXPECT_EQ(strff(12, 6, 1), "  12.0");   // right-aligned in the width
  EXPECT_EQ(strff(123456.0, 3, 0), "123456");  // never cut
  EXPECT_EQ(strff(-0.0001, 1, 2), "0.00");     // no "-0.00"
  EXPECT_EQ(strff(-0.0, 1, 0), "0");
}

TEST(Strff, ExponentForm) {
  EXPECT_EQ(strff(1250, 1, -1), "1.25E+03");
  EXPECT_EQ(strff(-4e-7, 1, -1), "-4E-07");
  EXPECT_EQ(strff(0, 1, -1), "0E+00");
  EXPECT_EQ(strff(1.5e300, 1, -1), "1.5E+300");
  EXPECT_EQ(strff(1.23456789, 10, -1), "1.234568E+00");
}

TEST(Strff, AutomaticDecimals) {
  EXPECT_EQ(strff(0, 1, -2), "0");
  EXPECT_EQ(strff(12.5, 1, -2), "12.5");
  EXPECT_EQ(strff(0.1 + 0.2, 1, -2), "0.3");   // float noise is not shown
  EXPECT_EQ(strff(-42, 1, -2), "-42");
  EXPECT_EQ(strff(1234567.25, 1, -2), "1234567");
  EXPECT_EQ(strff(0.00012345, 1, -2), "0.00012345");
  EXPECT_EQ(strff(12345678, 1, -2), "1.234568E+07");
  EXPECT_EQ(strff(0.00001, 1, -2), "1E-05");
  EXPECT_EQ(strff(9999999.7, 1, -2), "1E+07");   // rounds up into the exponent range
  EXPECT_EQ(strff(3.5, 12, -2), "         3.5");
  EXPECT_EQ(strff(3.5, 1, -7), "3.5");           // below -2 counts as automatic
}

TEST(Strff, NonFinite) {
  EXPECT_EQ(strff(std::numeric_limits<double>::quiet_NaN(), 1, 2), "NaN");
  EXPECT_EQ(strff(std::numeric_limits<double>::infinity(), 5, -2), "  Inf");
  EXPECT_EQ(strff(-std::numeric_limits<double>::infinity(), 1, -1), "-Inf");
}

TEST(SigDigStr, SignificantDigits) {
  EXPECT_EQ(SigDigStr(3.14159265, 1, 5, true), "3.1416");
  EXPECT_EQ(SigDigStr(123.456, 10, 5, true), "    123.46");
  EXPECT_EQ(SigDigStr(2.5, 1, 5, true), "2.5");          // trailing zeros dropped
  EXPECT_EQ(SigDigStr(123456.7, 1, 5, true), "1.2346E+05");
  EXPECT_EQ(SigDigStr(123456.7, 1, 5, false), "123457");
  EXPECT_EQ(SigDigStr(0.000012345, 1, 3, true), "1.23E-05");
  EXPECT_EQ(SigDigStr(0.000012345, 1, 3, false), "0.0000123");
  EXPECT_EQ(SigDigStr(0.5, 1, 8, true), "0.5");
  EXPECT_EQ(SigDigStr(0, 1, 5, true), "0");
  EXPECT_EQ(SigDigStr(-7.25, 1, 0, true), "-7");         // 0 digits: an integer
  EXPECT_EQ(SigDigStr(1e20, 1, 0, true), "100000000000000000000");
  EXPECT_EQ(SigDigStr(99999.5, 1, 5, true), "1E+05");
  EXPECT_EQ(SigDigStr(-0.00000001, 1, 2, false), "-0.00000001");
  EXPECT_EQ(SigDigStr(std::nan(""), 4, 5, true), " NaN");
}

TEST(StringHelpers, BoolAbbrevCenterMulti) {
  EXPECT_EQ(BoolToStr(true, 0), "true");
  EXPECT_EQ(BoolToStr(false, 0), "false");
  EXPECT_EQ(BoolToStr(true, 1), "yes");
  EXPECT_EQ(BoolToStr(false, 2), "off");
  EXPECT_EQ(BoolToStr(true, 3), "1");
  EXPECT_EQ(BoolToStr(true, 99), "true");
  EXPECT_EQ(AbbrevString("Temperature", 12), "Temperature");
  EXPECT_EQ(AbbrevString("Temperature in K", 12), "Temperature.");
  EXPECT_EQ(Utf8Length(AbbrevString("Temperature in K", 12)), 12);
  EXPECT_EQ(AbbrevString("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4", 3), "\xC3\xA4\xC3\xB6.");  // whole characters
  EXPECT_EQ(AbbrevString("abc", 1), "a");
  EXPECT_EQ(AbbrevString("abc", 0), "");
  EXPECT_EQ(CenterString("ab", 6), "  ab  ");
  EXPECT_EQ(CenterString("abc", 6), " abc  ");
  EXPECT_EQ(CenterString("\xC2\xB0" "C", 4), " \xC2\xB0" "C ");
  EXPECT_EQ(CenterString("toolong", 3), "toolong");
  EXPECT_EQ(MultiChar('-', 5), "-----");
  EXPECT_EQ(MultiChar('-', -1), "");
  EXPECT_EQ(MultiChar("ab", 3), "ababab");
}

TEST(StringHelpers, ReduceStringToAZ09) {
  EXPECT_EQ(ReduceStringToAZ09("Hello, World 42!"), "Hello__World_42_");
  EXPECT_EQ(ReduceStringToAZ09("T\xC2\xB0" "C"), "T_C");  // one "_" per character
  EXPECT_EQ(ReduceStringToAZ09(""), "");
}

TEST(StringHelpers, ProcessHexChars) {
  EXPECT_EQ(ProcessHexChars("a\\x41b"), "aAb");
  EXPECT_EQ(ProcessHexChars("line1\\x0Aline2"), "line1\nline2");
  EXPECT_EQ(ProcessHexChars("20\\xB0C"), "20\xC2\xB0" "C");
  EXPECT_EQ(ProcessHexChars("\\u03A9"), "\xCE\xA9");
  EXPECT_EQ(ProcessHexChars("\\u20ac"), "\xE2\x82\xAC");
  EXPECT_EQ(ProcessHexChars("a\\\\x41"), "a\\x41");        // escaped backslash
  EXPECT_EQ(ProcessHexChars("\\x4"), "\\x4");              // too few digits
  EXPECT_EQ(ProcessHexChars("\\xZZ"), "\\xZZ");
  EXPECT_EQ(ProcessHexChars("\\uD800"), "\\uD800");        // surrogate refused
  EXPECT_EQ(ProcessHexChars("end\\"), "end\\");
  EXPECT_EQ(ProcessHexChars("\\q"), "\\q");
  EXPECT_EQ(ProcessHexChars("plain"), "plain");
}

}  // namespace
}  // namespace kvo
