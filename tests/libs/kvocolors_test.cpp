#include "libs/kvocolors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace kvo {
namespace {

TEST(Colors, InterpolateChannelByChannel) {
  const TColor a = RGBColor(0, 100, 200), b = RGBColor(255, 50, 0);
  EXPECT_EQ(InterpolateColor(a, b, 0), a);
  EXPECT_EQ(InterpolateColor(a, b, 1), b);
  EXPECT_EQ(InterpolateColor(a, b, 0.5), RGBColor(128, 75, 100));  // 127.5 rounds to even 128
  EXPECT_EQ(InterpolateColor(a, b, -3), a);
  EXPECT_EQ(InterpolateColor(a, b, 7), b);
  EXPECT_EQ(InterpolateColor(a, b, std::nan("")), a);
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0.25), RGBColor(64, 64, 64));  // 63.75
}

TEST(Colors, PredefinedColorsAreDistinct) {
  const auto& t = PredefinedColors();
  std::set<TColor> seen(t.begin(), t.end());
  EXPECT_EQ(seen.size(), 16u);
  for (std::size_t i = 0; i < t.size(); ++i)
    for (std::size_t j = i + 1; j < t.size(); ++j)
      EXPECT_GT(ColorDistanceSq(t[i], t[j]), 2500) << i + 1 << " vs " << j + 1;
  // Axis colours of layers 1 and 2 must read on a white chart.
  for (int k : {1, 2}) EXPECT_GT(ColorDistanceSq(PredefinedColor(k), clWhite), 3 * 150 * 150);
  EXPECT_EQ(PredefinedColor(17), PredefinedColor(1));
  EXPECT_EQ(PredefinedColor(0), PredefinedColor(16));
  EXPECT_EQ(PredefinedColor(INT32_MIN), PredefinedColor(INT32_MIN % 16 + 16));
}

TEST(ColorArray, AccessClampsAndNotifies) {
  TColorArray ca(0);
  EXPECT_EQ(ca.NumColors(), 0);
  EXPECT_EQ(ca.GetColorElem(0), clBlack);  // empty table
  EXPECT_EQ(ca.ColorToIndex(clRed), 0);
  int calls = 0;
  ca.OnChange = [&](TObject*) { ++calls; };
  ca.SetSize(3);
  ca.SetColorElem(1, clRed);
  ca.SetColorElem(3, clBlue);
  ca.SetColorElem(4, clLime);  // ignored
  ca.SetColorElem(1, clRed);   // unchanged
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(ca.GetColorElem(0), clRed);    // clamped to entry 1
  EXPECT_EQ(ca.GetColorElem(2), clBlack);
  EXPECT_EQ(ca.GetColorElem(99), clBlue);
  ca.SetSize(5);
  EXPECT_EQ(ca.GetColorElem(3), clBlue);
  calls = 0;
  ca.BeginUpdate();
  for (int i = 1; i <= 5; ++i) ca.SetColorElem(i, clYellow);
  EXPECT_EQ(calls, 0);
  ca.EndUpdate();
  EXPECT_EQ(calls, 1);
}

TEST(ColorArray, FillByInterpolationHitsAnchors) {
  TColorArray ca(255);
  const TColor anchors[] = {clBlack, clBlue, clGreen, clRed, clYellow, clWhite};
  ca.FillByInterpolation(cipLinear, anchors);
  EXPECT_EQ(ca.GetColorElem(1), clBlack);
  EXPECT_EQ(ca.GetColorElem(255), clWhite);
  // 255 entries over 5 gaps: the anchors sit at entries 1 + k * 50.8; entry 103 is near green.
  EXPECT_LT(ColorDistanceSq(ca.GetColorElem(103), clGreen), 100);
  TColorArray two(3);
  two.FillByInterpolation(cipLinear, {clBlack, clWhite});
  EXPECT_EQ(two.GetColorElem(2), RGBColor(128, 128, 128));
  TColorArray steps(6);
  steps.FillByInterpolation(cipSteps, {clRed, clLime, clBlue});
  EXPECT_EQ(steps.GetColorElem(1), clRed);
  EXPECT_EQ(steps.GetColorElem(2), clRed);
  EXPECT_EQ(steps.GetColorElem(3), clLime);
  EXPECT_EQ(steps.GetColorElem(6), clBlue);
  TColorArray one(4);
  one.FillByInterpolation(cipLinear, {clAqua});
  EXPECT_EQ(one.GetColorElem(4), clAqua);
  TColorArray single(1);
  single.FillByInterpolation(cipLinear, {clRed, clBlue});
  EXPECT_EQ(single.GetColorElem(1), clRed);
}

TEST(ColorArray, DefaultIsTheSpectrum) {
  TColorArray ca;
  ASSERT_EQ(ca.NumColors(), kDefaultColorCount);
  EXPECT_EQ(ca.GetColorElem(1), RGBColor(0, 0, 128));
  EXPECT_EQ(ca.GetColorElem(kDefaultColorCount), clRed);
  // Blue end, then cyan, green, yellow in order along the table.
  EXPECT_LT(ca.ColorToIndex(clAqua), ca.ColorToIndex(RGBColor(0, 192, 0)));
  EXPECT_LT(ca.ColorToIndex(RGBColor(0, 192, 0)), ca.ColorToIndex(clYellow));
  ca.SetSize(3);
  int calls = 0;
  ca.OnChange = [&](TObject*) { ++calls; };
  ca.FillDefault();
  EXPECT_EQ(ca.NumColors(), kDefaultColorCount);
  EXPECT_EQ(calls, 1);
}

TEST(ColorArray, ColorToIndexPicksNearest) {
  TColorArray ca(4);
  ca.SetColorElem(1, RGBColor(0, 0, 0));
  ca.SetColorElem(2, RGBColor(100, 0, 0));
  ca.SetColorElem(3, RGBColor(200, 0, 0));
  ca.SetColorElem(4, RGBColor(200, 0, 0));
  EXPECT_EQ(ca.ColorToIndex(RGBColor(100, 0, 0)), 2);   // exact
  EXPECT_EQ(ca.ColorToIndex(RGBColor(140, 10, 0)), 2);  // nearer to 100 than to 200
  EXPECT_EQ(ca.ColorToIndex(RGBColor(160, 0, 0)), 3);
  EXPECT_EQ(ca.ColorToIndex(RGBColor(255, 0, 0)), 3);   // first of equally near
  EXPECT_EQ(ca.ColorToIndex(RGBColor(10, 40, 0)), 1);
  TColorArray copy(0);
  int calls = 0;
  copy.OnChange = [&](TObject*) { ++calls; };
  copy.CopyFrom(ca);
  copy.CopyFrom(ca);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(copy.Colors(), ca.Colors());
}

}  // namespace
}  // namespace kvo
