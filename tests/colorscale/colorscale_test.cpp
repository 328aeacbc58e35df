// TColorScale: conversions, the colour table edge cases, the bar as painted,
// range and margin rules, the crosshair and range drags, the events and the
// update protocol.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "colorscale/colorscale.h"
#include "platform/bitmap.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

TColor PixelOf(const TBitmap& b, int x, int y) {
  const TRGB32 p = b.ScanLine(y)[x];
  return RGBColor(p.R, p.G, p.B);
}

// Ten clearly different colours, entry i = (20 i, 255 - 20 i, 7 i).
void TenColors(TColorArray& a) {
  a.SetSize(10);
  for (int i = 1; i <= 10; ++i) a.SetColorElem(i, RGBColor(20 * i, 255 - 20 * i, 7 * i));
}

TEST(ColorScale, StartValues) {
  TColorScale s;
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(s.Height(), 75);
  EXPECT_EQ(s.ScaleRangeLow(), -10);
  EXPECT_EQ(s.ScaleRangeHigh(), 10);
  EXPECT_EQ(s.ColorLow(), -10);
  EXPECT_EQ(s.ColorHigh(), 10);
  EXPECT_EQ(s.MarginTop(), 8);
  EXPECT_EQ(s.MarginBottom(), 22);
  EXPECT_EQ(s.MarginLeft(), 16);
  EXPECT_EQ(s.MarginRight(), 16);
  EXPECT_EQ(s.ColorSclBkgd(), 0xC0C0C0u);
  EXPECT_EQ(s.FrameStyle(), frsLowered);
  EXPECT_TRUE(s.FramedColorScale());
  EXPECT_FALSE(s.ExtendColors());
  EXPECT_EQ(s.ColorArray.NumColors(), 0);
  EXPECT_EQ(s.CrossHair().Mode(), chBoth);
  EXPECT_EQ(s.CrossHair().LineType(), psDot);
  EXPECT_EQ(s.CrossHair().Color(), clRed);
  EXPECT_EQ(s.Scale().Name(), "ColorScale");
  EXPECT_EQ(s.Scale().ScaleType(), stLabelsBelow);
  EXPECT_EQ(s.Scale().MarginTop(), 75 - 22);
  EXPECT_TRUE(s.Scale().Transparent());
  s.SetOrientation(csoVertical);
  EXPECT_EQ(s.Scale().ScaleType(), stLabelsRight);
  EXPECT_EQ(s.Scale().MarginLeft(), 300 - 16);
  EXPECT_EQ(s.Scale().MarginTop(), 8);
  EXPECT_EQ(s.Scale().MarginBottom(), 22);
}

TEST(ColorScale, ValueToColorAndBack) {
  TColorScale s;
  TenColors(s.ColorArray);
  const auto entry = [&](int i) { return s.ColorArray.GetColorElem(i); };
  EXPECT_EQ(s.ValueToColor(-10), entry(1));  // 0 is raised to 1
  EXPECT_EQ(s.ValueToColor(0), entry(5));
  EXPECT_EQ(s.ValueToColor(10), entry(10));
  EXPECT_EQ(s.ValueToColor(25), entry(10));
  EXPECT_EQ(s.ValueToColor(-1e300), entry(1));
  EXPECT_EQ(s.ValueToColor(std::nan("")), entry(5));
  EXPECT_EQ(s.ColorToValue(entry(5)), 0.0);
  EXPECT_EQ(s.ColorToValue(entry(10)), 10.0);
  s.SetColorHigh(-10);  // equal ends: every value gives the middle entry
  EXPECT_EQ(s.ColorLow(), -10);
  for (double v : {-100.0, -10.0, 0.0, 55.0}) EXPECT_EQ(s.ValueToColor(v), entry(5));
}

TEST(ColorScale, RoundTripsInEveryTableAndRange) {
  struct TCase {
    int N;
    double Low, High;
  };
  for (const TCase& k : {TCase{1, 0, 1}, TCase{10, -10, 10}, TCase{256, 0.001, 0.002},
                         TCase{64, -5e6, 3e6}}) {
    TColorScale s;
    s.ColorArray.SetSize(k.N);
    // Distinct entries: a ramp in the green and blue channels.
    for (int i = 1; i <= k.N; ++i) s.ColorArray.SetColorElem(i, RGBColor(0, i % 256, i / 256 * 40));
    s.SetScaleRange(k.Low, k.High);
    const double d = k.High - k.Low;
    for (int j = 0; j <= 200; ++j) {
      const double v = k.Low + d * j / 200;
      const double back = s.ColorToValue(s.ValueToColor(v));
      EXPECT_LE(std::fabs(back - v), d / k.N * (1 + 1e-9)) << "N " << k.N << " v " << v;
    }
  }
}

TEST(ColorScale, EmptyTableDividesByNothing) {
  TColorScale s;
  EXPECT_EQ(s.ValueToColor(3), clBlack);
  EXPECT_EQ(s.ColorToValue(clRed), 0.0);  // the middle of -10 .. 10
  s.SetExtendColors(true);
  TBitmap b;
  s.CopyToBitMap(&b, -1, -1);
  ASSERT_EQ(b.Width(), 300);
  // The bar shows its background only.
  EXPECT_EQ(PixelOf(b, 150, 30), 0xC0C0C0u);
  EXPECT_EQ(PixelOf(b, 20, 30), 0xC0C0C0u);
}

// The painted bar maps back to the values of the axis: a pixel's colour
// gives the value of that pixel within one table step and one pixel.
TEST(ColorScale, PaintedBarRoundTripsInEveryOrientation) {
  for (TColScaleOrientation o : {csoHorizontal, csoVertical}) {
    for (int mode = 0; mode < 3; ++mode) {
      const bool reversed = mode == 1, log = mode == 2;
      SCOPED_TRACE(testing::Message() << "orientation " << int(o) << " mode " << mode);
      TColorScale s;
      s.SetBounds(0, 0, o == csoVertical ? 120 : 400, o == csoVertical ? 300 : 70);
      s.SetOrientation(o);
      s.ColorArray.SetSize(50);
      for (int i = 1; i <= 50; ++i) s.ColorArray.SetColorElem(i, RGBColor(5 * i, 250 - 5 * i, 128));
      s.CrossHair().SetMode(chOff);
      s.SetFramedColorScale(false);
      if (reversed) {
        s.SetScaleRangeLow(10);
        s.SetScaleRangeHigh(-10);
      }
      if (log) {
        // Colours spread linearly over 1 .. 1000 on a logarithmic axis.
        s.SetScaleRange(1, 1000);
        TScaleSettings st = s.ScaleSettings();
        st.Logarithmic = true;
        s.SetScaleSettings(st);
        ASSERT_TRUE(s.ScaleSettings().Logarithmic);
      }
      TBitmap b;
      s.CopyToBitMap(&b, -1, -1);
      const double lo = log ? 1 : -10, hi = log ? 1000 : 10;
      const double perStep = (hi - lo) / 50;
      for (int j = 1; j < 40; ++j) {
        const double v = log ? std::pow(10.0, 3.0 * j / 40) : lo + (hi - lo) * j / 40;
        const int p = s.ValueToPixel(v);
        // What one pixel spans around v.
        const double perPixel = std::fabs(s.PixelToValue(p + 1) - s.PixelToValue(p));
        const TColor c = o == csoVertical ? PixelOf(b, 50, p) : PixelOf(b, p, 30);
        EXPECT_LE(std::fabs(s.ColorToValue(c) - v), perStep + perPixel) << "v " << v;
        EXPECT_NEAR(s.PixelToValue(p), v, perPixel);
        EXPECT_EQ(c, s.ValueToColor(s.PixelToValue(p))) << "v " << v;
      }
    }
  }
}

TEST(ColorScale, NarrowColourRangeLeavesBackgroundUnlessExtended) {
  TColorScale s;
  TenColors(s.ColorArray);
  s.SetColorLow(-5);
  s.SetColorHigh(5);
  s.CrossHair().SetMode(chOff);
  TBitmap b;
  s.CopyToBitMap(&b, -1, -1);
  const int below = s.ValueToPixel(-8), above = s.ValueToPixel(8), mid = s.ValueToPixel(0);
  EXPECT_EQ(PixelOf(b, below, 30), 0xC0C0C0u);
  EXPECT_EQ(PixelOf(b, above, 30), 0xC0C0C0u);
  EXPECT_EQ(PixelOf(b, mid, 30), s.ColorArray.GetColorElem(5));
  s.SetExtendColors(true);
  s.CopyToBitMap(&b, -1, -1);
  EXPECT_EQ(PixelOf(b, below, 30), s.ColorArray.GetColorElem(1));
  EXPECT_EQ(PixelOf(b, above, 30), s.ColorArray.GetColorElem(10));
  EXPECT_EQ(PixelOf(b, s.MarginLeft() + 1, 30), s.ColorArray.GetColorElem(1));  // inside the frame
  // A colour range wholly beyond the axis fills the bar with the near end colour.
  s.SetColorLow(20);
  s.SetColorHigh(30);
  s.CopyToBitMap(&b, -1, -1);
  EXPECT_EQ(PixelOf(b, mid, 30), s.ColorArray.GetColorElem(1));
}

TEST(ColorScale, RangeRules) {
  TColorScale s;
  s.SetScaleRange(5, 5);
  EXPECT_EQ(s.ScaleRangeLow(), 4);
  EXPECT_EQ(s.ScaleRangeHigh(), 6);
  EXPECT_EQ(s.ColorLow(), 4);
  EXPECT_EQ(s.ColorHigh(), 6);
  EXPECT_EQ(s.ScaleSettings().RangeLow, 4);
  s.SetColorLow(10);  // above ColorHigh: raises it
  EXPECT_EQ(s.ColorHigh(), 10);
  s.SetColorHigh(-3);  // below ColorLow: lowers it
  EXPECT_EQ(s.ColorLow(), -3);
  s.SetColorLow(std::nan(""));
  s.SetColorHigh(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(s.ColorLow(), -3);
  EXPECT_EQ(s.ColorHigh(), -3);
  // The property takes what the axis holds: equal ends are separated.
  s.SetScaleRangeLow(6);
  EXPECT_EQ(s.ScaleRangeLow(), 6);
  EXPECT_EQ(s.ScaleRangeHigh(), 7);
  s.SetScaleRangeHigh(std::nan(""));
  EXPECT_EQ(s.ScaleRangeHigh(), 7);
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(40);
  EXPECT_EQ(s.MinTicks(), 10);
}

TEST(ColorScale, MarginsKeepTheBarAndTooSmallControlsDrawNoBar) {
  TColorScale s;
  s.SetMarginLeft(1000);
  EXPECT_EQ(s.MarginLeft(), 300 - 16 - 1);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  s.SetMarginBottom(500);
  EXPECT_EQ(s.MarginBottom(), 75 - 8 - 1);
  s.ResetComp();
  TenColors(s.ColorArray);
  // Shrinking the control leaves the margins wider than it.
  s.SetBounds(0, 0, 20, 20);
  s.SetExtendColors(true);
  TMetafile mf(20, 20);
  s.DrawPicture(mf.Canvas());
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Line) {
      EXPECT_NE(r.Pen.Color, s.ColorArray.GetColorElem(1)) << r.ToString();
    }
  // A range drag over no bar length changes nothing.
  s.SetMouseAction(mamDragRange);
  s.DoMouseDown(mbLeft, {ssLeft}, 10, 10);
  s.DoMouseMove({ssLeft}, 15, 10);
  EXPECT_EQ(s.ScaleRangeLow(), -10);
  EXPECT_EQ(s.ScaleRangeHigh(), 10);
}

TEST(ColorScale, CrossHairLineAcrossTheBar) {
  TColorScale s;
  s.CrossHair().SetPos(2.5, -4);
  s.CrossHair().SetLineWidth(3);
  TMetafile mf(300, 75);
  s.DrawPicture(mf.Canvas());
  const int p = s.ValueToPixel(2.5);
  int found = 0;
  for (const TMetaRecord& r : mf.Records()) {
    if (r.Op != TMetaOp::Line || r.Pen.Color != clRed) continue;
    ++found;
    EXPECT_EQ(r.Points[0], (TPoint{p, 8 + 1 + 1}));
    EXPECT_EQ(r.Points[1], (TPoint{p, 75 - 22 - 1}));
    EXPECT_EQ(r.Pen.Width, 3);
    EXPECT_EQ(r.Pen.Style, psDot);
  }
  EXPECT_EQ(found, 1);
  s.SetOrientation(csoVertical);
  mf.Clear();
  s.DrawPicture(mf.Canvas());
  const int q = s.ValueToPixel(-4);
  found = 0;
  for (const TMetaRecord& r : mf.Records()) {
    if (r.Op != TMetaOp::Line || r.Pen.Color != clRed) continue;
    ++found;
    EXPECT_EQ(r.Points[0], (TPoint{16 + 2, q}));
    EXPECT_EQ(r.Points[1], (TPoint{300 - 16 - 1, q}));
  }
  EXPECT_EQ(found, 1);
  s.CrossHair().SetMode(chOff);
  mf.Clear();
  s.DrawPicture(mf.Canvas());
  for (const TMetaRecord& r : mf.Records()) EXPECT_NE(r.Pen.Color, clRed) << r.ToString();
}

TEST(ColorScale, RangeDragShiftsFromTheAnchorRange) {
  TColorScale s;
  int zoomPans = 0;
  s.OnZoomPan = [&](TObject* sender) {
    EXPECT_EQ(sender, &s);
    ++zoomPans;
  };
  s.SetMouseAction(mamDragRange);
  // Middle zone, dragged by the full bar width to the right: the range moves
  // down by its full width.
  const int len = 300 - 32, mid = 16 + len / 2;
  s.DoMouseDown(mbLeft, {ssLeft}, mid, 30);
  EXPECT_EQ(s.ZoomPanMode(), zpmBoth);
  s.DoMouseMove({ssLeft}, mid + len / 2, 30);
  s.DoMouseMove({ssLeft}, mid + len, 30);
  EXPECT_DOUBLE_EQ(s.ScaleRangeLow(), -30);
  EXPECT_DOUBLE_EQ(s.ScaleRangeHigh(), -10);
  EXPECT_DOUBLE_EQ(s.ColorLow(), -30);
  EXPECT_DOUBLE_EQ(s.ColorHigh(), -10);
  EXPECT_EQ(zoomPans, 0);
  s.DoMouseUp(mbLeft, {}, mid + len, 30);
  EXPECT_EQ(zoomPans, 1);

  // Anchor 0 .. 10 over 100 pixels, low end: each further pixel moves the
  // low end further (-50 px gives 5, -60 px gives 6).
  s.SetBounds(0, 0, 132, 75);
  s.SetScaleRange(0, 10);
  s.DoMouseDown(mbLeft, {ssLeft}, 80, 30);
  ASSERT_EQ(s.ZoomPanMode(), zpmHigh);
  s.DoMouseUp(mbLeft, {}, 80, 30);
  s.DoMouseDown(mbLeft, {ssLeft}, 20 + 16, 30);
  ASSERT_EQ(s.ZoomPanMode(), zpmLow);
  std::vector<double> lows;
  for (int dx = 0; dx >= -70; dx -= 10) {
    s.DoMouseMove({ssLeft}, 36 + dx, 30);
    lows.push_back(s.ScaleRangeLow());
    EXPECT_EQ(s.ScaleRangeHigh(), 10);
  }
  EXPECT_DOUBLE_EQ(lows[5], 5);
  EXPECT_DOUBLE_EQ(lows[6], 6);
  for (std::size_t i = 1; i < lows.size(); ++i) EXPECT_GT(lows[i], lows[i - 1]);
  s.DoMouseUp(mbLeft, {}, 0, 30);

  // Vertical: the top is the high end, dragging up moves the range down.
  s.SetBounds(0, 0, 100, 230);
  s.SetOrientation(csoVertical);
  s.SetScaleRange(0, 100);
  s.DoMouseDown(mbLeft, {ssLeft}, 50, 20);
  EXPECT_EQ(s.ZoomPanMode(), zpmHigh);
  s.DoMouseMove({ssLeft}, 50, 20 - 100);  // 100 of 200 pixels up
  EXPECT_DOUBLE_EQ(s.ScaleRangeHigh(), 50);
  EXPECT_DOUBLE_EQ(s.ScaleRangeLow(), 0);
  s.DoMouseUp(mbLeft, {}, 50, 0);
  s.DoMouseDown(mbLeft, {ssLeft}, 50, 200);
  EXPECT_EQ(s.ZoomPanMode(), zpmLow);
}

TEST(ColorScale, CrossHairDragStartsOnTheSecondMoveAndStaysInRange) {
  TColorScale s;
  int moves = 0;
  s.OnCrossHairMove = [&](TObject*) { ++moves; };
  s.SetMouseAction(mamDragCrossHair);
  s.DoMouseDown(mbLeft, {ssLeft}, 100, 30);
  s.DoMouseMove({ssLeft}, 100, 30);
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(s.CrossHair().PosX(), 0);
  s.DoMouseMove({ssLeft}, 120, 30);
  EXPECT_EQ(moves, 1);
  EXPECT_NEAR(s.CrossHair().PosX(), s.PixelToValue(120), 1e-12);
  EXPECT_EQ(s.CrossHair().PosY(), s.CrossHair().PosX());
  s.DoMouseMove({ssLeft}, 5000, 30);
  EXPECT_EQ(s.CrossHair().PosX(), 10);
  s.DoMouseMove({ssLeft}, -5000, 30);
  EXPECT_EQ(s.CrossHair().PosX(), -10);
  // Released: the next press arms again.
  s.DoMouseUp(mbLeft, {}, 0, 30);
  s.DoMouseMove({}, 150, 30);
  s.DoMouseDown(mbLeft, {ssLeft}, 150, 30);
  s.DoMouseMove({ssLeft}, 150, 30);
  EXPECT_EQ(s.CrossHair().PosX(), -10);
  // A hidden crosshair is not dragged.
  s.CrossHair().SetMode(chOff);
  s.DoMouseMove({ssLeft}, 160, 30);
  s.DoMouseMove({ssLeft}, 170, 30);
  EXPECT_EQ(s.CrossHair().PosX(), -10);
}

TEST(ColorScale, MouseMoveInScale) {
  TColorScale s;
  bool in = false;
  double pos = 0;
  s.OnMouseMoveInScale = [&](TObject*, bool inScale, TShiftState, double p) {
    in = inScale;
    pos = p;
  };
  s.DoMouseMove({}, 150, 30);
  EXPECT_TRUE(in);
  EXPECT_NEAR(pos, s.PixelToValue(150), 1e-12);
  s.DoMouseMove({}, 5, 30);
  EXPECT_FALSE(in);
  s.DoMouseMove({}, 150, 70);
  EXPECT_FALSE(in);
  s.SetOrientation(csoVertical);
  s.DoMouseMove({}, 150, 20);
  EXPECT_TRUE(in);
  EXPECT_NEAR(pos, s.PixelToValue(20), 1e-12);
}

TEST(ColorScale, CopyToBitMap) {
  TColorScale s;
  TenColors(s.ColorArray);
  s.CopyToBitMap(nullptr, 0, 0);  // nothing
  TBitmap b(50, 50);
  b.Fill(clWhite);
  s.CopyToBitMap(&b, -1, 7);
  EXPECT_EQ(b.Width(), 300);
  EXPECT_EQ(b.Height(), 75);
  EXPECT_EQ(PixelOf(b, s.ValueToPixel(0), 30), s.ColorArray.GetColorElem(5));
  TBitmap big(400, 200);
  big.Fill(clWhite);
  s.CopyToBitMap(&big, 100, 50);
  EXPECT_EQ(big.Width(), 400);
  EXPECT_EQ(PixelOf(big, 100 + s.ValueToPixel(0), 50 + 30), s.ColorArray.GetColorElem(5));
  EXPECT_EQ(PixelOf(big, 50, 20), clWhite);
}

TEST(ColorScale, PaintsTheWindowAtTheSurfaceResolution) {
  for (double scale : {1.0, 2.0}) {
    TColorScale s;
    TenColors(s.ColorArray);
    s.SetSurfaceScale(scale);
    s.HandleNeeded();
    s.Refresh();
    const TBitmap& surface = s.Surface();
    ASSERT_EQ(surface.Width(), int(300 * scale));
    const int x = s.ValueToPixel(4);
    EXPECT_EQ(PixelOf(surface, int(x * scale + scale / 2), int(30 * scale)), s.ValueToColor(4));
    // Nothing while painting is held back.
    s.SetSuppressPaint(true);
    s.ColorArray.SetColorElem(s.ColorArray.ColorToIndex(s.ValueToColor(4)), clWhite);
    EXPECT_NE(PixelOf(surface, int(x * scale + scale / 2), int(30 * scale)), clWhite);
    s.SetSuppressPaint(false);
    EXPECT_EQ(PixelOf(surface, int(x * scale + scale / 2), int(30 * scale)), clWhite);
  }
}

TEST(ColorScale, AssignCopiesEverythingAndRepaintsOnce) {
  TColorScale a, b;
  TenColors(a.ColorArray);
  a.SetCaption("Depth");
  a.SetOrientation(csoVertical);
  a.SetScaleRange(1, 3);
  a.SetExtendColors(true);
  a.SetMouseAction(mamDragRange);
  a.CrossHair().SetColor(clBlue);
  TScaleSettings st = a.ScaleSettings();
  st.DecPlaces = 3;
  a.SetScaleSettings(st);
  int zoomed = 0;
  a.OnZoomPan = [&](TObject*) { ++zoomed; };
  int painted = 0;
  b.OnDataRendered = [&](TObject*, TCanvas&) { ++painted; };
  b.HandleNeeded();
  painted = 0;
  b.Assign(a);
  EXPECT_EQ(painted, 0);  // b's own handler was replaced by a's (none)
  EXPECT_EQ(b.Settings(), a.Settings());
  EXPECT_EQ(b.ColorArray.Colors(), a.ColorArray.Colors());
  EXPECT_EQ(b.ScaleRangeLow(), 1);
  EXPECT_EQ(b.ScaleSettings().DecPlaces, 3);
  EXPECT_EQ(b.Scale().ScaleType(), stLabelsRight);
  EXPECT_EQ(b.CrossHair().Color(), clBlue);
  ASSERT_TRUE(bool(b.OnZoomPan));
  b.OnZoomPan(&b);
  EXPECT_EQ(zoomed, 1);

  // Setters repaint once each; a batch repaints once at its end.
  b.OnDataRendered = [&](TObject*, TCanvas&) { ++painted; };
  painted = 0;
  b.SetCaption("x");
  b.SetCaption("x");
  EXPECT_EQ(painted, 1);
  {
    TColorScale::TUpdate batch(b);
    b.SetCaption("y");
    b.SetColorLow(2);
    b.ColorArray.SetSize(3);
    EXPECT_EQ(painted, 1);
  }
  EXPECT_EQ(painted, 2);
  b.ResetComp();
  EXPECT_EQ(b.Settings(), TColorScaleSettings{});
  EXPECT_EQ(b.ScaleRangeLow(), -10);
  EXPECT_EQ(b.ColorArray.NumColors(), 3);  // the table is the application's
}

}  // namespace
}  // namespace kvo
