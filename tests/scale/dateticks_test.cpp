// Date/time divisions: level selection, steps, first ticks, minor ticks,
// patterns, date lines, messages and day numbers before 1899-12-30.
#include "scale/dateticks_p.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/datetime.h"
#include "scale/ticklabels.h"

namespace kvo {
namespace {

struct TDated {
  TScaleDivision Div;
  std::vector<TTickLabel> Labels;
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const TTickLabel& l : Labels) t.push_back(l.Text);
    return t;
  }
  std::vector<std::string> DateLines() const {
    std::vector<std::string> t;
    for (const TTickLabel& l : Labels) t.push_back(l.HasDateLine ? l.DateLine : "-");
    return t;
  }
  std::vector<std::string> TickDates(const char* pattern = "yyyy-mm-dd hh:nn") const {
    std::vector<std::string> t;
    for (const TTick& k : Div.Ticks)
      t.push_back(FormatDateTime(pattern, k.Value) + (k.Kind == TTickKind::Major ? "*" : ""));
    return t;
  }
};

TDated Dated(double lo, double hi, int minTicks, bool shortTicks = true, bool vertical = false,
             TDateLabelFormat fmt = {}) {
  TTickRequest r;
  r.Low = lo;
  r.High = hi;
  r.MinTicks = minTicks;
  r.ShortTicks = shortTicks;
  r.Vertical = vertical;
  r.Source = TTickSource::DateTime;
  TDated d;
  ComputeTicks(r, d.Div);
  TLabelContext c;
  c.Low = lo;
  c.High = hi;
  c.DateFormat = fmt;
  LabelDivision(d.Div, c, d.Labels);
  return d;
}

using Texts = std::vector<std::string>;
const double kDay = EncodeDate(2024, 3, 5);

TEST(DateLevels, SelectionByDaysPerTick) {
  EXPECT_EQ(SelectDateLevel(1.0 / 8640000, true), TDateLevel::None);
  EXPECT_EQ(SelectDateLevel(0.5 / 86400, true), TDateLevel::Hundredths);
  EXPECT_EQ(SelectDateLevel(0.5 / 86400, false), TDateLevel::None);
  EXPECT_EQ(SelectDateLevel(30.0 / 86400, false), TDateLevel::Seconds);
  EXPECT_EQ(SelectDateLevel(30.0 / 86400, true), TDateLevel::Seconds);
  EXPECT_EQ(SelectDateLevel(1.0 / 48, false), TDateLevel::Minutes);
  EXPECT_EQ(SelectDateLevel(0.5, false), TDateLevel::Hours);
  EXPECT_EQ(SelectDateLevel(1, false), TDateLevel::Hours);
  EXPECT_EQ(SelectDateLevel(10, false), TDateLevel::Days);
  EXPECT_EQ(SelectDateLevel(366, false), TDateLevel::Months);
  EXPECT_EQ(SelectDateLevel(400, false), TDateLevel::Years);
}

TEST(DateLevels, OneDayInThreeTicksIsEightHoursWithTwoHourMinors) {
  const TDated d = Dated(kDay, kDay + 1, 3);
  EXPECT_EQ(d.Div.Level, TDateLevel::Hours);
  ASSERT_EQ(d.Div.Ticks.size(), 13u);
  EXPECT_EQ(d.TickDates()[1], "2024-03-05 02:00");
  EXPECT_EQ(d.Texts(), (Texts{"00:00", "08:00", "16:00", "00:00"}));
  // Date lines where the day changes (the default), including the first label.
  EXPECT_EQ(d.DateLines(), (Texts{"05-Mar-2024", "-", "-", "06-Mar-2024"}));
}

TEST(DateLevels, DateForTimeSettings) {
  TDateLabelFormat f;
  f.DateForTime = 0;
  EXPECT_EQ(Dated(kDay, kDay + 1, 3, true, false, f).DateLines(), (Texts{"-", "-", "-", "-"}));
  f.DateForTime = 1;
  EXPECT_EQ(Dated(kDay, kDay + 1, 3, true, false, f).DateLines(),
            (Texts{"05-Mar-2024", "-", "-", "-"}));
  f.DateForTime = 3;
  f.DateOrder = 2;
  f.MonthName = false;
  f.DateSeparator = "/";
  EXPECT_EQ(Dated(kDay, kDay + 1, 3, true, false, f).DateLines(),
            (Texts{"2024/03/05", "2024/03/05", "2024/03/05", "2024/03/06"}));
}

TEST(DateLevels, FirstTickIsTheNextStepBoundaryFromMidnight) {
  // 07:12 .. 08:12 in four ticks: 15 minutes per tick, 10-minute steps.
  const TDated d = Dated(kDay + 0.3, kDay + 0.3 + 1.0 / 24, 4, false);
  EXPECT_EQ(d.Div.Level, TDateLevel::Minutes);
  EXPECT_EQ(d.Texts(), (Texts{"07:20", "07:30", "07:40", "07:50", "08:00", "08:10"}));
  // With minor ticks the start moves back to the range: 07:12 is a 2-minute minor.
  const TDated m = Dated(kDay + 0.3, kDay + 0.3 + 1.0 / 24, 4);
  EXPECT_EQ(m.TickDates().front(), "2024-03-05 07:12");
  EXPECT_EQ(m.Texts().front(), "07:20");
  // A range starting on a boundary ticks it.
  EXPECT_EQ(Dated(kDay + 10.0 / 24, kDay + 11.0 / 24, 3, false).Texts().front(), "10:00");
}

TEST(DateLevels, ThreeYearsInThreeTicksAreSixMonthSteps) {
  const TDated d = Dated(EncodeDate(2020, 1, 1), EncodeDate(2023, 1, 1), 3);
  EXPECT_EQ(d.Div.Level, TDateLevel::Months);
  EXPECT_EQ(d.Div.Ticks.size(), 37u);  // every month
  EXPECT_EQ(d.Texts(), (Texts{"Jan-2020", "Jul-2020", "Jan-2021", "Jul-2021", "Jan-2022",
                              "Jul-2022", "Jan-2023"}));
  // Without minor ticks the start advances to the next month m with m mod 6 = 1.
  const TDated n = Dated(EncodeDate(2020, 2, 10), EncodeDate(2023, 2, 10), 3, false);
  EXPECT_EQ(n.Texts().front(), "Jul-2020");
  EXPECT_EQ(n.Div.Ticks.size(), 6u);
}

TEST(DateLevels, SixtyYearsInFiveTicksAreDecadesWithFiveYearMinors) {
  const TDated d = Dated(EncodeDate(1950, 1, 1), EncodeDate(2010, 1, 1), 5);
  EXPECT_EQ(d.Div.Level, TDateLevel::Years);
  EXPECT_EQ(d.Div.Ticks.size(), 13u);
  EXPECT_EQ(d.Texts(), (Texts{"1950", "1960", "1970", "1980", "1990", "2000", "2010"}));
  // A Low after January 1st of a tick year starts at the next one.
  EXPECT_EQ(Dated(EncodeDate(1950, 3, 1), EncodeDate(2010, 1, 1), 5).TickDates().front(),
            "1955-01-01 00:00");
}

TEST(DateLevels, YearLabelsByYearLength) {
  TDateLabelFormat f;
  EXPECT_EQ(Dated(EncodeDate(40, 1, 1), EncodeDate(60, 1, 1), 3, true, false, f).Texts(),
            (Texts{"40", "45", "50", "55", "60"}));  // four digits without leading zeros
  f.YearLength = 1;
  EXPECT_EQ(Dated(EncodeDate(1990, 1, 1), EncodeDate(2010, 1, 1), 3, true, false, f).Texts(),
            (Texts{"90", "95", "00", "05", "10"}));
  f.YearLength = 0;
  EXPECT_EQ(Dated(EncodeDate(1990, 1, 1), EncodeDate(2010, 1, 1), 3, true, false, f).Texts(),
            (Texts{"", "", "", "", ""}));
}

TEST(DateLevels, YearsPastTheLastDayEndThere) {
  const TDated d = Dated(2900000, 3000000, 3);
  ASSERT_FALSE(d.Div.Ticks.empty());
  EXPECT_EQ(d.TickDates().back(), "9999-12-31 00:00*");
  EXPECT_LT(d.Div.Ticks.size(), 40u);
}

TEST(DateLevels, DaysStepFromJanuaryFirst) {
  // 30 days in five ticks: 3-day steps counted from 2024-01-01, minors daily.
  const TDated d = Dated(kDay, kDay + 30, 5);
  EXPECT_EQ(d.Div.Level, TDateLevel::Days);
  EXPECT_EQ(d.Div.Ticks.size(), 31u);
  EXPECT_EQ(d.Texts().front(), "07-Mar-2024");
  EXPECT_EQ(d.Texts().size(), 10u);
  TDateLabelFormat f;
  f.DateOrder = 0;
  f.YearLength = 0;
  EXPECT_EQ(Dated(kDay, kDay + 30, 5, true, false, f).Texts().front(), "Mar-07");
  f.DateOrder = 1;
  EXPECT_EQ(Dated(kDay, kDay + 30, 5, true, false, f).Texts().front(), "07-Mar");
  // Two weeks per tick: weekly minors.
  const TDated w = Dated(kDay, kDay + 84, 3);
  EXPECT_NEAR(w.Div.Ticks[1].Value - w.Div.Ticks[0].Value, 7, 1e-9);
}

TEST(DateLevels, InvalidAndTooFineRangesShowMessagesOnly) {
  EXPECT_EQ(Dated(-700000, 0, 3).Div.Message, TDivisionMessage::InvalidRange);
  EXPECT_EQ(Dated(10, 5, 3).Div.Message, TDivisionMessage::InvalidRange);
  EXPECT_EQ(Dated(0, 3000001, 3).Div.Message, TDivisionMessage::InvalidRange);
  const TDated fine = Dated(kDay, kDay + 10.0 / 86400, 20);
  EXPECT_EQ(fine.Div.Message, TDivisionMessage::BelowSecond);
  EXPECT_TRUE(fine.Div.Ticks.empty());
  EXPECT_TRUE(fine.Labels.empty());
  EXPECT_EQ(DivisionMessageText(TDivisionMessage::InvalidRange), "invalid DateTime scale");
  EXPECT_EQ(DivisionMessageText(TDivisionMessage::BelowSecond), "DateTime range is below 1 second");
  EXPECT_EQ(DivisionMessageLines(TDivisionMessage::BelowSecond),
            (Texts{"DateTime", "range is", "below 1", "second"}));
  EXPECT_EQ(DivisionMessageLines(TDivisionMessage::InvalidRange),
            (Texts{"invalid", "DateTime", "scale"}));
}

TEST(DateLevels, VerticalAxesShowHundredths) {
  const TDated d = Dated(kDay, kDay + 10.0 / 86400, 20, true, true);
  EXPECT_EQ(d.Div.Level, TDateLevel::Hundredths);
  ASSERT_GE(d.Texts().size(), 3u);
  EXPECT_EQ(d.Texts()[0], "00:00:00.00");
  EXPECT_EQ(d.Texts()[1], "00:00:00.20");
  const TDated f = Dated(kDay + 1.0 / 86400, kDay + 1.2 / 86400, 5, true, true);
  ASSERT_GE(f.Texts().size(), 2u);
  EXPECT_EQ(f.Texts()[0], "00:00:01.00");
  EXPECT_EQ(f.Texts()[1], "00:00:01.02");  // two digits, not milliseconds without zeros
}

TEST(DateLevels, ZeroMinTicksReadsAsTwo) {
  EXPECT_EQ(Dated(kDay, kDay + 1, 0).Texts(), (Texts{"00:00", "12:00", "00:00"}));
}

TEST(DatePatterns, TimeFormatsAndSeparators) {
  TDateLabelFormat f;
  EXPECT_EQ(DateTimePattern(TDateLevel::Hours, f), "hh\":\"nn");
  EXPECT_EQ(DateTimePattern(TDateLevel::Seconds, f), "hh\":\"nn\":\"ss");
  EXPECT_EQ(DateTimePattern(TDateLevel::Hundredths, f), "hh\":\"nn\":\"ss.zz");
  f.TimeFormat = 1;
  EXPECT_EQ(DateTimePattern(TDateLevel::Hours, f), "h\"h\"");
  EXPECT_EQ(DateTimePattern(TDateLevel::Minutes, f), "h\"h\"nn");
  f.TimeFormat = 2;
  f.TimeSeparator = ".";
  EXPECT_EQ(DateTimePattern(TDateLevel::Minutes, f), "h\".\"nnam/pm");
  EXPECT_EQ(DateTimePattern(TDateLevel::Seconds, f), "h\".\"nn\".\"ssam/pm");
  f.MonthName = false;
  f.DateOrder = 0;
  EXPECT_EQ(DateTimePattern(TDateLevel::Days, f), "mm\"-\"dd\"-\"yyyy");
  EXPECT_EQ(DateTimePattern(TDateLevel::Months, f), "mm\"-\"yyyy");
  f.DateOrder = 2;
  EXPECT_EQ(DateTimePattern(TDateLevel::Months, f), "yyyy\"-\"mm");
  f.DateSeparator = "\"";
  EXPECT_EQ(FormatDayNumber(DateTimePattern(TDateLevel::Days, f), kDay), "2024\"03\"05");
}

TEST(DatePatterns, RenderedTimeFormats) {
  TDateLabelFormat f;
  f.TimeFormat = 2;
  const double t = kDay + 15.5 / 24;  // 15:30
  EXPECT_EQ(FormatDayNumber(DateTimePattern(TDateLevel::Hours, f), t), "3pm");
  EXPECT_EQ(FormatDayNumber(DateTimePattern(TDateLevel::Minutes, f), t), "3:30pm");
  f.TimeFormat = 1;
  EXPECT_EQ(FormatDayNumber(DateTimePattern(TDateLevel::Minutes, f), t), "15h30");
}

TEST(DayNumbers, BeforeTheEpochAndNearZero) {
  // 1.25 days before 1899-12-30 00:00 is 1899-12-28 18:00.
  EXPECT_EQ(FormatDayNumber("yyyy-mm-dd hh:nn", -1.25), "1899-12-28 18:00");
  EXPECT_EQ(FormatDayNumber("yyyy-mm-dd hh:nn", -1), "1899-12-29 00:00");
  EXPECT_EQ(FormatDayNumber("yyyy-mm-dd hh:nn", -1e-9), "1899-12-30 00:00");
  // A tick a rounding error before midnight belongs to the new day.
  EXPECT_EQ(FormatDayNumber("dd hh:nn:ss", kDay + 1 - 1e-12), "06 00:00:00");
  const TDated d = Dated(-1.25, -0.75, 3);
  EXPECT_EQ(d.Texts().front(), "18:00");
  EXPECT_EQ(d.DateLines().front(), "28-Dec-1899");
}

}  // namespace
}  // namespace kvo
