// The axis settings as one value: reset gives the start values, Assign
// copies the whole value, SetSettings applies it with the setter rules and
// repaints once.
#include "scale/scalesettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scale/scale.h"

namespace kvo {
namespace {

// Every field away from its start value.
TScaleSettings AllChanged() {
  TScaleSettings s;
  s.RangeLow = 2;
  s.RangeHigh = 2000;
  s.Logarithmic = true;
  s.LabelType = ftUserText;
  s.MinTicks = 7;
  s.DecPlaces = 3;
  s.ShortTicks = false;
  s.ScaleType = stLabelsLeft;
  s.Caption = "Volt";
  s.CaptionPosX = -3;
  s.CaptionPosY = 9;
  s.CaptionAlignment = taRightJustify;
  s.CaptionAnchor = uaSclBotRgt;
  s.ColorScale = clRed;
  s.ScaleInscript = "&V";
  s.UserTickText = "a|b|c";
  s.DateFormat.SetDateSeparator("/");
  s.DateFormat.SetYearLength(ylTwoDigits);
  return s;
}

TEST(ScaleSettingsValue, ResetAssignAndSetSettingsRoundTrip) {
  const TScaleSettings v = AllChanged();
  ASSERT_FALSE(v == TScaleSettings{});

  TScale a;
  a.SetSettings(v);
  EXPECT_EQ(a.Settings(), v);
  // The single getters read the same value.
  EXPECT_EQ(a.RangeHigh(), 2000);
  EXPECT_TRUE(a.Logarithmic());
  EXPECT_EQ(a.Caption(), "Volt");
  EXPECT_EQ(a.DateFormat().DateSeparator(), "/");
  EXPECT_EQ(a.ConvertToPixelCoords(2000), a.MarginTop());  // vertical: the high end on top

  // Assign copies the whole value and the look, not the mouse mode.
  a.SetMarginTop(33);
  a.SetFrameStyle(frsNone);
  a.SetShowBaseLine(false);
  a.SetMouseAction(mamPan);
  TScale b;
  b.Assign(a);
  EXPECT_EQ(b.Settings(), a.Settings());
  EXPECT_EQ(b.MarginTop(), 33);
  EXPECT_EQ(b.FrameStyle(), frsNone);
  EXPECT_FALSE(b.ShowBaseLine());
  EXPECT_EQ(b.MouseAction(), mamNone);
  EXPECT_EQ(b.ConvertToPixelCoords(2000), 33);

  // The date format still reports to its own scale after the copy: a change
  // of a's format leaves b alone.
  a.DateFormat().SetDateSeparator(".");
  EXPECT_EQ(b.DateFormat().DateSeparator(), "/");

  // Reset: every start value again, whatever was set.
  b.ResetComp();
  EXPECT_EQ(b.Settings(), TScaleSettings{});
  EXPECT_EQ(b.MarginTop(), 20);
  EXPECT_EQ(b.FrameStyle(), frsLowered);
  EXPECT_TRUE(b.ShowBaseLine());
  EXPECT_EQ(b.ConvertToPixelCoords(0), 20);
}

TEST(ScaleSettingsValue, SetSettingsKeepsTheSetterRules) {
  TScale s;
  TScaleSettings v;
  v.DecPlaces = 99;
  v.MinTicks = 1;
  v.RangeLow = v.RangeHigh = 5;  // equal ends are separated
  v.Logarithmic = true;
  s.SetSettings(v);
  EXPECT_EQ(s.DecPlaces(), 12);
  EXPECT_EQ(s.MinTicks(), 2);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  EXPECT_TRUE(s.Logarithmic());  // 5..6 may be logarithmic

  v.MinTicks = 0;  // automatic stays 0
  v.DecPlaces = -9;
  v.RangeLow = 0;  // an end below 1e-100: refused, the axis turns linear
  v.RangeHigh = 10;
  s.SetSettings(v);
  EXPECT_EQ(s.MinTicks(), 0);
  EXPECT_EQ(s.DecPlaces(), -3);
  EXPECT_FALSE(s.Logarithmic());

  v.RangeLow = 1;  // date/time labels are never logarithmic
  v.LabelType = ftDateTime;
  s.SetSettings(v);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.LabelType(), ftDateTime);

  // A range with a NaN or infinite end is ignored; the rest applies.
  v.RangeLow = std::numeric_limits<double>::quiet_NaN();
  v.Caption = "t";
  s.SetSettings(v);
  EXPECT_EQ(s.RangeLow(), 1);
  EXPECT_EQ(s.RangeHigh(), 10);
  EXPECT_EQ(s.Caption(), "t");
  v.RangeLow = 1;
  v.RangeHigh = std::numeric_limits<double>::infinity();
  s.SetSettings(v);
  EXPECT_EQ(s.RangeHigh(), 10);
}

TEST(ScaleSettingsValue, SetSettingsRepaintsOnceAndOnlyOnChange) {
  TScale s;
  s.HandleNeeded();  // paints as if it had a window
  int paints = 0;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++paints; };
  const TScaleSettings v = AllChanged();  // many fields and the date format
  s.SetSettings(v);
  EXPECT_EQ(paints, 1);
  s.SetSettings(v);
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(s.SuppressPaint());
  // Suppressed: no paint now, one when painting is allowed again.
  s.SetSuppressPaint(true);
  TScaleSettings w = v;
  w.Caption = "Ampere";
  s.SetSettings(w);
  EXPECT_EQ(paints, 1);
  s.SetSuppressPaint(false);
  EXPECT_EQ(paints, 2);
}

TEST(ScaleSettingsValue, HelperScalesKeepNoSurface) {
  TScale s;
  s.SetBounds(0, 0, 800, 600);
  EXPECT_EQ(s.Surface().Width(), 800);
  s.SetIsHelper(true);
  EXPECT_TRUE(s.Windowless());
  EXPECT_EQ(s.Surface().Width(), 0);
  EXPECT_EQ(s.Surface().Height(), 0);
  s.SetBounds(0, 0, 1024, 768);
  s.HandleNeeded();
  EXPECT_EQ(s.Surface().Width(), 0);  // not on resizing nor on painting
  EXPECT_EQ(s.Width(), 1024);
  s.SetIsHelper(false);
  EXPECT_EQ(s.Surface().Width(), 1024);
  EXPECT_EQ(s.Surface().Height(), 768);
  // Assign copies the helper flag and with it the windowless mode.
  TScale h;
  h.SetIsHelper(true);
  s.Assign(h);
  EXPECT_EQ(s.Surface().Width(), 0);
  s.ResetComp();  // not a helper any more
  EXPECT_EQ(s.Surface().Width(), 1024);
}

}  // namespace
}  // namespace kvo
