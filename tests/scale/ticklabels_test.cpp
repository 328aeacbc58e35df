// Label texts: decimals per range, exponent form, zero snapping, log labels
// and decade mode, time labels, user texts and inscriptions.
#include "scale/ticklabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvo {
namespace {

std::vector<std::string> Labels(double lo, double hi, int minTicks, int decPlaces, bool log = false,
                                TTickSource src = TTickSource::Numeric,
                                const std::string& user = "", const std::string& insc = "") {
  TTickRequest r;
  r.Low = lo;
  r.High = hi;
  r.MinTicks = minTicks;
  r.Log = log;
  r.Source = src;
  TScaleDivision d;
  ComputeTicks(r, d);
  TLabelContext c;
  c.Low = lo;
  c.High = hi;
  c.DecPlaces = decPlaces;
  c.UserText = !user.empty();
  c.UserTickText = user;
  c.Inscription = insc;
  std::vector<TTickLabel> out;
  LabelDivision(d, c, out);
  std::vector<std::string> texts;
  for (const TTickLabel& l : out) texts.push_back(l.Text);
  return texts;
}

using Texts = std::vector<std::string>;

TEST(DecPlaces, AutomaticDecimalsFollowTheSpan) {
  EXPECT_EQ(ResolveDecPlaces(0, 1, false, -2), 2);
  EXPECT_EQ(ResolveDecPlaces(0, 0.05, false, -2), 3);
  EXPECT_EQ(ResolveDecPlaces(0, 500, false, -2), 0);
  EXPECT_EQ(ResolveDecPlaces(0, 2e6, false, -2), -1);
  EXPECT_EQ(ResolveDecPlaces(0, 0.0001, false, -3), -1);
  EXPECT_EQ(ResolveDecPlaces(5, 0, false, -3), 1);  // reversed: span 5
  EXPECT_EQ(ResolveDecPlaces(0.01, 100, true, -2), 3);
  EXPECT_EQ(ResolveDecPlaces(100, 0.01, true, -2), 3);
  EXPECT_EQ(ResolveDecPlaces(1, 1000, true, -2), 0);
  EXPECT_EQ(ResolveDecPlaces(1, 1e7, true, -2), -1);
  EXPECT_EQ(ResolveDecPlaces(0.01, 100, true, -3), -3);
  EXPECT_EQ(ResolveDecPlaces(1e-11, 1, true, -2), 12);
  EXPECT_EQ(ResolveDecPlaces(1e-12, 1, true, -2), -1);  // would need 13 decimals
  EXPECT_EQ(ResolveDecPlaces(0, 1, true, -2), -1);
  EXPECT_EQ(ResolveDecPlaces(0, 1, false, 5), 5);
  EXPECT_EQ(ResolveDecPlaces(0, 1, true, -1), -1);
}

TEST(NumberText, FixedPointAndExponentForm) {
  EXPECT_EQ(NumberText(1.25, 2), "1.25");
  EXPECT_EQ(NumberText(-3, 0), "-3");
  EXPECT_EQ(NumberText(-0.001, 2), "0.00");
  EXPECT_EQ(NumberText(1234, -1), "1.2E+03");
  EXPECT_EQ(NumberText(-5e-7, -1), "-5.0E-07");
  EXPECT_EQ(NumberText(0, -1), "0.0E+00");
  EXPECT_EQ(NumberText(1e123, -1), "*******");
  EXPECT_EQ(NumberText(-2e-150, -1), "********");
}

TEST(LinearLabels, DecimalsPerRange) {
  EXPECT_EQ(Labels(0, 1, 3, -2), (Texts{"0.00", "0.50", "1.00"}));
  EXPECT_EQ(Labels(0, 0.05, 3, -2), (Texts{"0.000", "0.020", "0.040"}));
  EXPECT_EQ(Labels(0, 500, 3, -2), (Texts{"0", "200", "400"}));
  EXPECT_EQ(Labels(0, 2e6, 3, -2), (Texts{"0.0", "1.0E+06", "2.0E+06"}));
}

TEST(LinearLabels, ValuesWithinRoundingOfZeroReadAsZero) {
  EXPECT_EQ(LinearTickLabel(1e-17, -1, 1, 2, -2), "0.00");
  EXPECT_EQ(LinearTickLabel(-1e-17, -1, 1, 2, -2), "0.00");
  EXPECT_EQ(LinearTickLabel(1e-17, -1, 1, -1, -1), "0.0E+00");
  // Wide ranges write zero short.
  EXPECT_EQ(LinearTickLabel(1e-9, -2e5, 2e5, -1, -1), "0.0");
  EXPECT_EQ(LinearTickLabel(1e-9, -2e5, 2e5, 0, 0), "0");
  // A span too wide for a double makes no value zero but zero itself.
  EXPECT_EQ(LinearTickLabel(1e300, -1.7e308, 1.7e308, 0, 0).substr(0, 3), "100");
  EXPECT_EQ(LinearTickLabel(0, -1.7e308, 1.7e308, 0, 0), "0");
}

TEST(LinearLabels, FixedZeroDecimalsBlankFractionalTicks) {
  EXPECT_EQ(Labels(0, 2, 5, 0), (Texts{"0", "", "1", "", "2"}));
}

TEST(LinearLabels, TextsAreCutToFourteenCharacters) {
  EXPECT_EQ(LinearTickLabel(123456789012.5, 0, 2e11, 4, 4), "123456789012.5");
  EXPECT_EQ(LinearTickLabel(-123456789012.5, -2e11, 0, 4, 4).size(), 14u);
}

TEST(LogLabels, TrailingZerosAreRemoved) {
  EXPECT_EQ(Labels(0.01, 100, 5, -2, true),
            (Texts{"0.01", "0.02", "0.05", "0.1", "0.2", "0.5", "1", "2", "5", "10", "20", "50", "100"}));
  // Fixed decimals keep them.
  EXPECT_EQ(Labels(0.01, 100, 3, 2, true), (Texts{"0.01", "0.10", "1.00", "10.00", "100.00"}));
}

TEST(LogLabels, DecadeModeShowsExponentsAndBlanksTwoAndFive) {
  EXPECT_EQ(Labels(0.01, 100, 5, -3, true),
            (Texts{"-2", "", "", "-1", "", "", "0", "", "", "1", "", "", "2"}));
  EXPECT_EQ(Labels(1, 1000, 3, -3, true), (Texts{"0", "1", "2", "3"}));
}

TEST(LogLabels, LessThanADecadeUsesTheLinearRule) {
  EXPECT_EQ(Labels(1, 5, 3, -3, true), (Texts{"2.0", "4.0"}));
}

TEST(TimeLabels, HoursMinutesSecondsWithSign) {
  EXPECT_EQ(TimeTickLabel(0, false), " 00:00:00");
  EXPECT_EQ(TimeTickLabel(1800, false), " 00:30:00");
  EXPECT_EQ(TimeTickLabel(-90, false), "-00:01:30");
  EXPECT_EQ(TimeTickLabel(90000, false), " 25:00:00");  // hours are not wrapped
  EXPECT_EQ(TimeTickLabel(1.5, true), " 00:00:01.500");
  EXPECT_EQ(TimeTickLabel(0.002, true), " 00:00:00.002");
  // A tick a rounding error below a minute reads as that minute.
  EXPECT_EQ(TimeTickLabel(59.99999999, false), " 00:01:00");
  EXPECT_EQ(TimeTickLabel(1.9999999, true), " 00:00:02.000");
  EXPECT_EQ(Labels(0, 7200, 3, 4, false, TTickSource::TimeOfDay),
            (Texts{" 00:00:00", " 00:30:00", " 01:00:00", " 01:30:00", " 02:00:00"}));
}

TEST(TimeLabels, GetNoUserTextOrInscription) {
  EXPECT_EQ(Labels(0, 3600, 2, 4, false, TTickSource::TimeOfDay, "", "t=&"),
            (Texts{" 00:00:00", " 00:30:00", " 01:00:00"}));
}

TEST(UserTexts, FieldsByLabelIndex) {
  EXPECT_EQ(ExtractUserText("P|Q|R", 1), "P");
  EXPECT_EQ(ExtractUserText("P|Q|R", 3), "R");
  EXPECT_EQ(ExtractUserText("P|Q|R", 4), "R");
  EXPECT_EQ(ExtractUserText("P|Q|", 3), "");
  EXPECT_EQ(ExtractUserText("P||R", 2), "");
  EXPECT_EQ(ExtractUserText("", 2), "");
  EXPECT_EQ(ExtractUserText("P|Q", 0), "P");
  EXPECT_EQ(Labels(0, 100, 5, -2, false, TTickSource::Numeric, "P|Q|R"),
            (Texts{"P", "Q", "R", "R", "R", "R"}));
}

TEST(UserTexts, LogLabelIndexCountsLabelledTicks) {
  EXPECT_EQ(Labels(1, 100, 5, -2, true, TTickSource::Numeric, "a|b|c|d|e|f|g"),
            (Texts{"a", "b", "c", "d", "e", "f", "g"}));
}

TEST(Inscriptions, AmpersandMarksThePlaceOfTheLabel) {
  EXPECT_EQ(AddScaleInscription("12", "$&k"), "$12k");
  EXPECT_EQ(AddScaleInscription("12", "~"), "~12");
  EXPECT_EQ(AddScaleInscription("12", "&&"), "12&");
  EXPECT_EQ(AddScaleInscription("", "$&k"), "");
  EXPECT_EQ(AddScaleInscription("12", ""), "12");
  EXPECT_EQ(Labels(0, 100, 3, -2, false, TTickSource::Numeric, "", "$&k"),
            (Texts{"$0k", "$50k", "$100k"}));
  // Blank labels stay blank.
  EXPECT_EQ(Labels(0, 2, 5, 0, false, TTickSource::Numeric, "", "~"),
            (Texts{"~0", "", "~1", "", "~2"}));
}

TEST(Labels, AxisWithoutLabelsHasNone) {
  TTickRequest r;
  r.Labels = false;
  TScaleDivision d;
  ComputeTicks(r, d);
  EXPECT_FALSE(d.Ticks.empty());
  std::vector<TTickLabel> out{TTickLabel{}};
  LabelDivision(d, TLabelContext{}, out);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace kvo
