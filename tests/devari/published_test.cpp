// TDEvari's published surface: the declared defaults are what a new chart
// and a reset give, and the published names reach the chart's own values.
#include <gtest/gtest.h>

#include "devari/devarierror.h"
#include "devari/tdevari.h"

namespace kvo {
namespace {

using D = TDEvariDefaults;

void ExpectDeclaredDefaults(const TDEvari& c) {
  EXPECT_EQ(c.Visible(), D::Visible);
  EXPECT_EQ(c.MarginLeft(), D::MarginLeft);
  EXPECT_EQ(c.MarginRight(), D::MarginRight);
  EXPECT_EQ(c.MarginTop(), D::MarginTop);
  EXPECT_EQ(c.MarginBottom(), D::MarginBottom);
  EXPECT_EQ(c.LRim(), D::MarginLeft);
  EXPECT_EQ(c.RRim(), D::MarginRight);
  EXPECT_EQ(c.TRim(), D::MarginTop);
  EXPECT_EQ(c.BRim(), D::MarginBottom);
  EXPECT_EQ(c.GridDx(), D::GridDx);
  EXPECT_EQ(c.GridDy(), D::GridDy);
  EXPECT_EQ(c.DataColor(), D::DataColor);
  EXPECT_EQ(c.PenStyle(), D::PenStyle);
  EXPECT_EQ(c.ChartFrameColor(), D::ChartFrameColor);
  EXPECT_EQ(c.FillColor(), D::FillColor);
  EXPECT_EQ(c.TextBkColor(), D::FillColor);
  EXPECT_EQ(c.ChartColor(), D::ChartColor);
  EXPECT_EQ(c.WindColor(), D::WindColor);
  EXPECT_EQ(c.GridColor(), D::GridColor);
  EXPECT_EQ(c.LineWidth(), D::LineWidth);
  EXPECT_EQ(c.PanGridDx(), D::PanGridDx);
  EXPECT_EQ(c.PanGridDy(), D::PanGridDy);
  EXPECT_EQ(c.PanGridOffsX(), D::PanGridOffsX);
  EXPECT_EQ(c.PanGridOffsY(), D::PanGridOffsY);
  EXPECT_EQ(c.ShadowWidth(), D::ShadowWidth);
  EXPECT_EQ(c.StyleElements(), D::StyleElements);
}

TEST(DEvariPublished, ANewChartAndAResetHaveEveryDeclaredDefault) {
  TDEvari c;
  ExpectDeclaredDefaults(c);

  c.SetMarginLeft(70);
  c.SetMarginRight(5);
  c.SetMarginTop(3);
  c.SetMarginBottom(60);
  c.SetGridDx(0.5);
  c.SetGridDy(-1);
  c.SetDataColor(clRed);
  c.SetPenStyle(psDot);
  c.SetChartFrameColor(clBlue);
  c.SetTextBkColor(clYellow);
  c.SetChartColor(clSilver);
  c.SetWindColor(clWhite);
  c.SetGridColor(clGreen);
  c.SetLineWidth(4);
  c.SetPanGridDx(0.25);
  c.SetPanGridDy(0);
  c.SetPanGridOffsX(0.1);
  c.SetPanGridOffsY(-2);
  c.SetShadowWidth(6);
  c.SetStyleElements({seClient});
  // Every value moved away from its default, so the checks below see the reset.
  EXPECT_NE(c.FillColor(), D::FillColor);
  EXPECT_NE(c.PanGridDx(), D::PanGridDx);
  EXPECT_NE(c.ShadowWidth(), D::ShadowWidth);
  c.SetVisible(false);
  c.SetVisible(true);  // visibility belongs to the window, not to the reset
  c.ResetComp();
  ExpectDeclaredDefaults(c);
}

TEST(DEvariPublished, PublishedNamesReachTheChartsOwnValues) {
  TDEvari c;
  c.SetBounds(0, 0, 400, 300);
  c.SetIsometric(true);
  EXPECT_TRUE(c.Isometric());
  c.SetIsometric(false);
  c.SetCaptionAnchorHoriz(cahChartLeft);
  c.SetCaptionAnchorVert(cavControlBottom);
  c.SetCaptionTrim(50);
  EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartLeft);
  EXPECT_EQ(c.CaptionAnchorVert(), cavControlBottom);
  EXPECT_EQ(c.CaptionTrim(), 50);
  c.SetStandardLayout(rcl_X2Both_Y2Both);  // applied; StandardLayout keeps the reset's
  EXPECT_EQ(c.MarginTop(), StdLayouts()[rcl_X2Both_Y2Both].T);
  EXPECT_EQ(c.StandardLayout(), rcl_X1Bottom_Y1Left);

  // Axis property objects: the array form, the numbered form and the chart's own are one object.
  EXPECT_EQ(&c.ScalePropsX(2), &c.Scale2X());
  EXPECT_EQ(&c.ScalePropsY(1), &c.Scale1Y());
  TScalePropsHoriz x;
  x.Assign(c.Scale1X());
  x.SetRangeLow(-4);
  x.SetRangeHigh(4);
  c.SetScale1X(x);
  EXPECT_EQ(c.ScaleX(1).RangeLow(), -4);
  EXPECT_EQ(c.ScaleX(1).RangeHigh(), 4);
  c.HandleNeeded();  // painted: the axes list their ticks
  ASSERT_GT(c.TickNumX(), 1);
  for (std::int32_t i = 0; i <= c.TickNumX() + 1; ++i) EXPECT_EQ(c.TickPosX(i), c.GetTickPosX(i));
  EXPECT_EQ(c.TickPosX(1), -4);

  c.SetRange(1, 0, 0, 8, 6);
  c.SetRange(1, 1, 1, 3, 3);
  for (std::int32_t k = 0; k <= 16; ++k) EXPECT_EQ(c.ZoomStack(1, k), c.GetZoomStackEntry(1, k));
  EXPECT_EQ(&c.ZoomStack(), &static_cast<const TCustomDEvari&>(c).ZoomStack());

  // Crosshairs, labels and the trace under their published names.
  EXPECT_EQ(&c.CrossHair3(), &c.CrossHair(3));
  c.SetCrossHairPosX(2, 1.5);
  c.SetCrossHairPosY(2, 2.5);
  EXPECT_EQ(c.CrossHairPosX(2), 1.5);
  EXPECT_EQ(c.CrossHair2().PosY(), 2.5);
  TTextLabel label;
  label.Assign(c.TextLabels(4));
  label.SetCaption("published");
  c.SetTextLabels(4, label);
  EXPECT_EQ(c.GetFTextLabel(4).Caption(), "published");
  EXPECT_THROW(c.SetTextLabels(31, label), EKvoDEvariError);
  c.MouseTraceBuffer().resize(3);
  c.MouseTraceBuffer()[1] = TColoredPoint{};
  c.MouseTraceBuffer()[1].X = 7;
  c.SetNumMTracePoints(2);
  EXPECT_EQ(c.MouseTrace(2), c.GetMTracePoint(2));
  EXPECT_EQ(c.MouseTrace(2).X, 7);
  EXPECT_EQ(c.MouseTrace(9).Flags, 255);

  TBakGndImg img;
  img.Assign(c.BackGroundImg());
  img.SetBGAreaColor(clAqua);
  c.SetBackGroundImg(img);
  EXPECT_EQ(c.BackGroundImg().AreaColor(), clAqua);
}

}  // namespace
}  // namespace kvo
