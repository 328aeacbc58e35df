// Axis property objects: setter rules, guards, notification and copying,
// and the standard layout table.
#include <gtest/gtest.h>

#include <cmath>

#include "devari/scaleprops.h"
#include "devari/stdlayout.h"

namespace kvo {
namespace {

struct Counted {
  TScalePropsHoriz p;
  int changes = 0;
  Counted() { p.OnChange = [this](TObject*) { ++changes; }; }
};

TEST(RenderScaleProps, StartValues) {
  TScalePropsVert v;
  EXPECT_EQ(v.RangeLow(), 0);
  EXPECT_EQ(v.RangeHigh(), 1);
  EXPECT_EQ(v.DecPlaces(), -2);
  EXPECT_EQ(v.MinTicks(), 3);
  EXPECT_EQ(v.MinRange(), 1e-10);
  EXPECT_EQ(v.ScaleType(), TScaleType(1));
  EXPECT_EQ(v.ScaleLocation(), slLeft);
  EXPECT_FALSE(v.Visible());
  EXPECT_TRUE(v.NotYetLoaded());
  EXPECT_TRUE(v.ShortTicks());
  EXPECT_EQ(v.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(v.CaptionAlignment(), taCenter);
  EXPECT_EQ(v.LabelType(), ftNumber);
  EXPECT_EQ(v.DateFormat().DateSeparator(), "-");
}

TEST(RenderScaleProps, RangeEndsKeepTheMinimumRange) {
  Counted c;
  c.p.SetRangeHigh(10);
  c.p.SetRangeLow(10 - 1e-12);  // closer than MinRange: high moves up
  EXPECT_DOUBLE_EQ(c.p.RangeLow(), 10 - 1e-12);
  EXPECT_DOUBLE_EQ(c.p.RangeHigh(), 10 - 1e-12 + 1e-10);
  c.p.SetRangeHigh(c.p.RangeLow());  // equal: low moves down
  EXPECT_DOUBLE_EQ(c.p.RangeLow(), c.p.RangeHigh() - 1e-10);
  // A low end above the high end is a reversed axis.
  c.p.SetRangeLow(20);
  EXPECT_EQ(c.p.RangeLow(), 20);
  EXPECT_LT(c.p.RangeHigh(), 20);
  EXPECT_EQ(c.changes, 4);
}

TEST(RenderScaleProps, MinRangeWidensAboutTheCentre) {
  Counted c;  // 0..1
  c.p.SetMinRange(0.5);
  EXPECT_EQ(c.changes, 0);  // wide enough: stored silently
  EXPECT_EQ(c.p.MinRange(), 0.5);
  c.p.SetMinRange(10);
  EXPECT_DOUBLE_EQ(c.p.RangeLow(), -4.5);
  EXPECT_DOUBLE_EQ(c.p.RangeHigh(), 5.5);
  EXPECT_EQ(c.changes, 1);
  c.p.SetMinRange(1e-101);
  c.p.SetMinRange(std::nan(""));
  EXPECT_EQ(c.p.MinRange(), 10);
  EXPECT_EQ(c.changes, 1);
}

TEST(RenderScaleProps, LogarithmicGuard) {
  Counted c;
  c.p.SetRangeLow(0);
  c.p.SetLogarithmic(true);  // still loading: accepted
  EXPECT_TRUE(c.p.Logarithmic());
  c.p.SetLogarithmic(false);
  c.p.SetNotYetLoaded(false);
  c.p.SetLogarithmic(true);  // range includes 0: refused
  EXPECT_FALSE(c.p.Logarithmic());
  c.p.SetRangeLow(1);
  c.p.SetRangeHigh(1000);
  c.p.SetLogarithmic(true);
  EXPECT_TRUE(c.p.Logarithmic());
  const int before = c.changes;
  c.p.SetRangeLow(-5);  // refused on a log axis, still notifies
  EXPECT_EQ(c.p.RangeLow(), 1);
  EXPECT_EQ(c.changes, before + 1);
  c.p.SetLabelType(ftDateTime);  // date labels switch log off
  EXPECT_FALSE(c.p.Logarithmic());
  c.p.SetLogarithmic(true);
  EXPECT_FALSE(c.p.Logarithmic());
  c.p.SetLabelType(ftTime);
  EXPECT_EQ(c.p.DecPlaces(), 4);
}

TEST(RenderScaleProps, ClampsLocationsAndPositions) {
  Counted c;
  c.p.SetDecPlaces(20);
  EXPECT_EQ(c.p.DecPlaces(), 12);
  c.p.SetDecPlaces(-9);
  EXPECT_EQ(c.p.DecPlaces(), -3);
  c.p.SetScaleLocation(slTop);
  EXPECT_EQ(c.p.ScaleType(), stLabelsAbove);
  c.p.SetScalePos(7);  // horizontal axis: the Y offset
  EXPECT_EQ(c.p.ScalePosY(), 7);
  EXPECT_EQ(c.p.ScalePosX(), 0);
  TScalePropsVert v;
  v.SetScaleLocation(slRight);
  EXPECT_EQ(v.ScaleType(), stLabelsRight);
  v.SetScalePos(9);
  EXPECT_EQ(v.ScalePosX(), 9);
  EXPECT_EQ(v.ScalePos(), 9);
  // Font and date format changes notify too.
  const int before = c.changes;
  c.p.Font().SetSize(12);
  c.p.DateFormat().SetMonthName(false);
  EXPECT_EQ(c.changes, before + 2);
  c.p.SetMouseAction(mamPan);  // a plain field
  EXPECT_EQ(c.changes, before + 2);
}

TEST(RenderScaleProps, AssignKeepsOwnChangeLink) {
  Counted a, b;
  a.p.SetCaption("Volt");
  a.p.SetRangeHigh(50);
  a.p.SetScaleLocation(slTop);
  a.p.Font().SetSize(14);
  const int aChanges = a.changes;
  b.p.Assign(a.p);
  EXPECT_EQ(b.p.Caption(), "Volt");
  EXPECT_EQ(b.p.RangeHigh(), 50);
  EXPECT_EQ(b.p.ScaleLocation(), slTop);
  EXPECT_EQ(b.p.ScaleType(), stLabelsAbove);
  EXPECT_EQ(b.p.Font().Size(), 14);
  EXPECT_EQ(b.changes, 1);
  b.p.SetCaption("Amp");
  EXPECT_EQ(a.changes, aChanges);  // b's changes never reach a
  EXPECT_EQ(b.p.GetScaleCenter(), 25);
}

TEST(RenderStdLayout, TableRows) {
  const auto& rows = StdLayouts();
  const TLayoutRow& a = rows[rcl_X1Bottom_Y1Left];
  EXPECT_EQ((std::array<int, 4>{a.L, a.R, a.T, a.B}), (std::array<int, 4>{50, 20, 20, 40}));
  EXPECT_FALSE(a.X[1].Visible);
  EXPECT_FALSE(a.Y[1].Visible);
  EXPECT_EQ(a.Y[0].CaptionY, -16);
  const TLayoutRow& e = rows[rcl_X2Both_Y2Both];
  EXPECT_EQ(e.T, 64);
  EXPECT_EQ(e.CaptionY, -60);
  EXPECT_EQ(e.X[1].Location, slTop);
  EXPECT_EQ(e.Y[1].Location, slRight);
  EXPECT_EQ(rows[rcl_X2Bottom_Y2Left].X[1].ScalePos, 30);
  EXPECT_EQ(rows[rcl_X1Bottom_Y2Left].Y[1].ScalePos, 50);
  EXPECT_EQ(rows[rcl_X1Bottom_Y2Both].AnchorX, cahChartCenter);
}

}  // namespace
}  // namespace kvo
