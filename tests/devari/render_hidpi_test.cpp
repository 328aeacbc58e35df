// The chart on a HiDPI surface: its images at the device resolution, the
// straight geometry exactly the 1x pixels blown up, the layout logical, and
// a small golden picture at twice the resolution.
#include <gtest/gtest.h>

#include <algorithm>

#include "devari/tdevari.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

void PrepareChart(TDEvari& c, double surfaceScale) {
  c.SetBounds(0, 0, 200, 140);
  c.SetSurfaceScale(surfaceScale);
  c.SetLRim(40);
  c.SetRRim(12);
  c.SetTRim(18);
  c.SetBRim(28);
  TScaleProps& x = c.GetScalePropsX(1);
  TScaleProps& y = c.GetScalePropsY(1);
  x.SetRangeHigh(10);
  x.SetRangeLow(0);
  y.SetRangeHigh(1);
  y.SetRangeLow(0);
  c.SetGridStyle(gsLines);
  c.SetGridCol(clSilver);
  c.SetScaleCol(clNavy);
  c.SetSuppressPaint(false);
}

bool SameRgb(TRGB32 a, TRGB32 b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

TEST(RenderHiDpi, ImagesAtTwiceTheResolutionWithTheLogicalLayout) {
  TDEvari one, two;
  PrepareChart(one, 1);
  PrepareChart(two, 2);
  EXPECT_EQ(one.ImageFactor(), 1);
  EXPECT_EQ(two.ImageFactor(), 2);
  EXPECT_EQ(two.Surface().Width(), 400);
  EXPECT_EQ(two.Surface().Height(), 280);
  EXPECT_EQ(two.ChartBmp().Width(), 400);
  EXPECT_EQ(two.ChartBmp().Height(), 280);
  const TChartGeometry g = two.Geometry();
  ASSERT_GT(g.DataBmpWidth(), 0);
  EXPECT_EQ(two.GrafBmp().Width(), 2 * g.DataBmpWidth());
  EXPECT_EQ(two.GrafBmp().Height(), 2 * g.DataBmpHeight());
  EXPECT_EQ(one.GrafBmp().Width(), g.DataBmpWidth());
  // Layout and mapping stay logical.
  std::int32_t x1, y1, x2, y2;
  one.R2M(1, 5.0, 0.5, x1, y1);
  two.R2M(1, 5.0, 0.5, x2, y2);
  EXPECT_EQ(x1, x2);
  EXPECT_EQ(y1, y2);

  // Grid and frame (straight one-pixel lines) land exactly on the doubled
  // pixels: the data image is the 1x one blown up.
  const TBitmap& a = one.GrafBmp();
  const TBitmap& b = two.GrafBmp();
  int bad = 0;
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x)
      if (!SameRgb(a.ScanLine(y / 2)[x / 2], b.ScanLine(y)[x])) ++bad;
  EXPECT_EQ(bad, 0);
  // The frame's top line: logical row TRim, device rows 36 and 37 of the surface.
  const TRGB32 navy{128, 0, 0, 255};
  const std::int32_t mid = 2 * (40 + g.DataWidth() / 2);
  EXPECT_TRUE(SameRgb(two.Surface().ScanLine(36)[mid], navy));
  EXPECT_TRUE(SameRgb(two.Surface().ScanLine(37)[mid], navy));
  EXPECT_FALSE(SameRgb(two.Surface().ScanLine(35)[mid], navy));
  EXPECT_FALSE(SameRgb(two.Surface().ScanLine(38)[mid], navy));
  // The surface takes the chart image pixel for pixel.
  bad = 0;
  for (std::int32_t y = 0; y < 280; ++y)
    for (std::int32_t x = 0; x < 400; ++x)
      if (!SameRgb(two.Surface().ScanLine(y)[x], two.ChartBmp().ScanLine(y)[x])) ++bad;
  EXPECT_EQ(bad, 0);
}

TEST(RenderHiDpi, QuickRedrawsAndScaleChangesKeepTheImagesRight) {
  TDEvari c;
  PrepareChart(c, 2);
  c.SetDataColor(clRed);
  c.MoveTo(0.0, 0.5);
  c.DrawTo(10.0, 0.5);
  c.ShowGraf();  // quick path: the data image only
  const std::int32_t row = 2 * (18 + c.Geometry().DataHeight() / 2);
  bool red = false;
  for (std::int32_t y = row - 3; y <= row + 3; ++y)
    red = red || SameRgb(c.Surface().ScanLine(y)[200], TRGB32{0, 0, 255, 255});
  EXPECT_TRUE(red);
  c.CrossHairSetup(1, clGreen, chBoth, psSolid, 1);
  c.CrossHairSetPos(1, 5.0, 0.25);
  std::int32_t cx, cy;
  c.R2M(1, 5.0, 0.25, cx, cy);
  EXPECT_TRUE(SameRgb(c.Surface().ScanLine(2 * cy)[2 * cx - 10], TRGB32{0, 128, 0, 255}));
  EXPECT_TRUE(SameRgb(c.Surface().ScanLine(2 * cy + 1)[2 * cx - 10], TRGB32{0, 128, 0, 255}));
  // Back to 1x: logical images again, nothing scaled.
  c.SetSurfaceScale(1);
  c.Paint();
  EXPECT_EQ(c.ImageFactor(), 1);
  EXPECT_EQ(c.ChartBmp().Width(), 200);
  EXPECT_EQ(c.ChartBmp().SurfaceScale(), 1.0);
  // A fractional scale rounds: 2.4 draws at 2x onto a 480-pixel surface.
  c.SetSurfaceScale(2.4);
  c.Paint();
  EXPECT_EQ(c.ImageFactor(), 2);
  EXPECT_EQ(c.ChartBmp().Width(), 400);
  EXPECT_EQ(c.Surface().Width(), 480);
}

// Ink of one colour in a bitmap.
TRect InkBox(const TBitmap& b, TRGB32 ink) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x)
      if (SameRgb(b.ScanLine(y)[x], ink)) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

TEST(RenderHiDpi, TextItemsKeepTheirSizeInPoints) {
  TDEvari one, two;
  for (TDEvari* c : {&one, &two}) {
    PrepareChart(*c, c == &one ? 1 : 2);
    c->SetGridStyle(gsNone);
    c->SetDataColor(clRed);
    c->Text(2.0, 0.5, 14, "Peak 42");
    c->Paint();
  }
  const TRGB32 red{0, 0, 255, 255};
  const TRect a = InkBox(one.GrafBmp(), red), b = InkBox(two.GrafBmp(), red);
  ASSERT_FALSE(a.IsEmpty());
  ASSERT_FALSE(b.IsEmpty());
  // Twice the pixels for the same logical text: not four times, not once.
  EXPECT_NEAR(b.Width(), 2 * a.Width(), 4);
  EXPECT_NEAR(b.Height(), 2 * a.Height(), 3);
  EXPECT_NEAR(b.Left, 2 * a.Left, 3);
  EXPECT_NEAR(b.Top, 2 * a.Top, 3);
}

TEST(RenderHiDpi, GoldenAtTwiceTheResolution) {
  TDEvari c;
  PrepareChart(c, 2);
  c.SetChartCaption("HiDPI");
  c.SetDataColor(clBlue);
  c.MoveTo(0.0, 0.1);
  for (int i = 1; i <= 10; ++i) c.DrawTo(double(i), (i % 3) / 3.0 + 0.1);
  c.SetDataColor(clRed);
  c.Rectangle(2.0, 0.2, 4.0, 0.6);
  c.SetDataColor(clGreen);
  c.Text(5.5, 0.9, 9, "peak");
  c.Paint();
  EXPECT_GOLDEN(c.Surface(), "devari/chart-hidpi-2x");
}

}  // namespace
}  // namespace kvo
