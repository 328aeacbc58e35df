// TScaleGauge: value and range rules, logarithmic and moving dials, margins,
// the geometry of each index mode and background, the clipped dual-colour
// band, the disabled look, the mouse report and Assign.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "gauge/gauge.h"
#include "platform/bitmap.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

std::vector<TMetaRecord> Lines(TScaleGauge& g, TColor pen) {
  TMetafile mf(g.Width(), g.Height());
  g.DrawPicture(mf.Canvas());
  std::vector<TMetaRecord> out;
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Line && r.Pen.Color == pen) out.push_back(r);
  return out;
}

// An index colour nothing else on the gauge uses.
constexpr TColor kIdx = 0x123456;

TColor PixelOf(const TBitmap& b, int x, int y) {
  const TRGB32 p = b.ScanLine(y)[x];
  return RGBColor(p.R, p.G, p.B);
}

TEST(Gauge, StartValuesAndDialPlacement) {
  TScaleGauge g;
  EXPECT_EQ(g.Width(), 300);
  EXPECT_EQ(g.Height(), 75);
  EXPECT_EQ(g.Background(), gbVertGrad);
  EXPECT_EQ(g.IndexMode(), gimTriangle);
  EXPECT_EQ(g.FrameStyleOuter(), frsRaised);
  EXPECT_EQ(g.FrameStyleInner(), frsLowered);
  EXPECT_EQ(g.Min(), -10);
  EXPECT_EQ(g.Max(), 10);
  EXPECT_TRUE(g.FixedDial());
  EXPECT_EQ(g.Scale().Name(), "GaugeScale");
  EXPECT_EQ(g.Scale().ScaleType(), stLabelsAbove);
  EXPECT_EQ(g.Scale().MarginBottom(), 20 + 10);
  EXPECT_EQ(g.Scale().MarginLeft(), 20);
  EXPECT_EQ(g.Scale().MarginRight(), 10);
  EXPECT_FALSE(g.Scale().Logarithmic());
  EXPECT_EQ(g.DialLow(), -10);
  EXPECT_EQ(g.DialHigh(), 10);
  g.SetOrientation(goVertical);
  EXPECT_EQ(g.Scale().ScaleType(), stLabelsLeft);
  EXPECT_EQ(g.Scale().MarginRight(), 10 + 10);
  EXPECT_EQ(g.Scale().MarginBottom(), 20);
}

TEST(Gauge, ValueIsClampedIntoEitherOrderOfTheRange) {
  TScaleGauge g;
  g.SetValue(15);
  EXPECT_EQ(g.Value(), 10);
  g.SetMin(10);
  g.SetMax(-10);
  g.SetValue(15);
  EXPECT_EQ(g.Value(), 10);
  g.SetValue(-15);
  EXPECT_EQ(g.Value(), -10);
  g.SetValue(std::nan(""));
  EXPECT_EQ(g.Value(), -10);
  // A narrower range takes the value with it.
  g.SetMax(-2);
  EXPECT_EQ(g.Value(), -2);
  g.SetMin(std::numeric_limits<double>::infinity());
  EXPECT_EQ(g.Min(), 10);
}

TEST(Gauge, LogarithmicDial) {
  TScaleGauge g;
  g.SetLogarithmic(true);  // refused: Min is -10
  EXPECT_FALSE(g.Logarithmic());
  g.SetMin(1);
  EXPECT_EQ(g.Value(), 1);  // re-clamped from 0
  g.SetMax(100);
  g.SetLogarithmic(true);
  EXPECT_TRUE(g.Logarithmic());
  EXPECT_TRUE(g.Scale().Logarithmic());
  g.SetMin(0);  // refused while logarithmic
  g.SetMax(-5);
  EXPECT_EQ(g.Min(), 1);
  EXPECT_EQ(g.Max(), 100);
  // A moving dial from the start value: a range around 1, not [0, 0].
  g.SetFixedDial(false);
  EXPECT_NEAR(g.DialLow(), 0.1, 1e-12);
  EXPECT_NEAR(g.DialHigh(), 10, 1e-12);
  g.SetValue(10);
  EXPECT_NEAR(g.DialLow(), 1, 1e-12);
  EXPECT_NEAR(g.DialHigh(), 100, 1e-12);
  g.SetFixedDial(true);
  EXPECT_EQ(g.DialLow(), 1);
  EXPECT_EQ(g.DialHigh(), 100);
}

TEST(Gauge, MovingDialKeepsTheIndexInTheMiddle) {
  TScaleGauge g;
  g.SetFixedDial(false);
  g.SetValue(3);
  EXPECT_EQ(g.DialLow(), -7);
  EXPECT_EQ(g.DialHigh(), 13);
  EXPECT_EQ(g.IndexPixel(), (300 - 20 - 10) / 2 + 20);
  g.SetColorIndex1(kIdx);
  const auto tri = Lines(g, kIdx);
  ASSERT_EQ(tri.size(), 10u);
  EXPECT_EQ(tri[0].Points[0].x, g.IndexPixel());
  // The triangle's tip is the value's pixel on the scrolled dial.
  EXPECT_NEAR(g.ConvertToPixelCoords(3), g.IndexPixel(), 1);
  g.SetOrientation(goVertical);
  EXPECT_EQ(g.IndexPixel(), (75 - 10 - 20) / 2 + 10);
}

TEST(Gauge, MarginsLeaveTwentyPixels) {
  TScaleGauge g;
  g.SetMarginLeft(1000);
  EXPECT_EQ(g.MarginLeft(), 270);
  g.SetMarginLeft(-3);
  EXPECT_EQ(g.MarginLeft(), 0);
  g.SetMarginTop(1000);
  EXPECT_EQ(g.MarginTop(), 75 - 20 - 20);
  EXPECT_EQ(g.Scale().MarginTop(), 35);
}

TEST(Gauge, RoundTripsInEveryDial) {
  for (bool vertical : {false, true})
    for (bool log : {false, true})
      for (bool fixed : {true, false}) {
        SCOPED_TRACE(testing::Message() << vertical << log << fixed);
        TScaleGauge g;
        g.SetBounds(0, 0, vertical ? 100 : 400, vertical ? 300 : 80);
        g.SetOrientation(vertical ? goVertical : goHorizontal);
        g.SetMin(log ? 0.5 : -40);
        g.SetMax(log ? 5000 : 60);
        g.SetLogarithmic(log);
        g.SetFixedDial(fixed);
        g.SetValue(log ? 20 : 12.5);
        const int len = vertical ? 300 - 10 - 20 - 1 : 400 - 20 - 10 - 1;
        const double lo = g.DialLow(), hi = g.DialHigh();
        for (int j = 0; j <= 20; ++j) {
          const double v = log ? lo * std::pow(hi / lo, j / 20.0) : lo + (hi - lo) * j / 20.0;
          const double back = g.ConvertPixelToScale(g.ConvertToPixelCoords(v));
          // One pixel of the dial, in its own measure.
          const double tol = log ? std::log(hi / lo) / len : (hi - lo) / len;
          EXPECT_LE(log ? std::fabs(std::log(back / v)) : std::fabs(back - v), tol) << v;
        }
        // The index sits at the value's pixel.
        EXPECT_NEAR(g.ConvertToPixelCoords(g.Value()), g.IndexPixel(), fixed ? 0 : 1);
      }
}

TEST(Gauge, IndexGeometry) {
  TScaleGauge g;
  g.SetColorIndex1(kIdx);
  g.SetValue(2);
  const int p = g.ConvertToPixelCoords(2), h = 75, bm = 30, w = 300, rm = 20;
  auto tri = Lines(g, kIdx);
  ASSERT_EQ(tri.size(), 10u);
  EXPECT_EQ(tri[0].Points[0], (TPoint{p, h - bm}));
  EXPECT_EQ(tri[0].Points[1], (TPoint{p + 1, h - bm}));
  EXPECT_EQ(tri[9].Points[0], (TPoint{p - 5, h - bm + 9}));
  EXPECT_EQ(tri[9].Points[1], (TPoint{p + 6, h - bm + 9}));

  g.SetIndexMode(gimThreadTriangle);
  auto thread = Lines(g, kIdx);
  ASSERT_EQ(thread.size(), 1u);
  EXPECT_EQ(thread[0].Points[0], (TPoint{p, 0}));
  EXPECT_EQ(thread[0].Points[1], (TPoint{p, h}));
  auto red = Lines(g, clRed);
  ASSERT_EQ(red.size(), 10u);
  EXPECT_EQ(red[0].Points[0], (TPoint{p, h - bm + 1}));  // one pixel lower

  g.SetIndexMode(gimThreadTwoTriangles);
  red = Lines(g, clRed);
  ASSERT_EQ(red.size(), 20u);
  EXPECT_EQ(red[0].Points[0], (TPoint{p, 10 + 9}));  // tip at the top pointing down
  EXPECT_EQ(red[9].Points[0], (TPoint{p - 5, 10}));

  g.SetIndexMode(gimBar);
  auto bar = Lines(g, kIdx);
  ASSERT_EQ(bar.size(), 3u);
  EXPECT_EQ(bar[1].Points[0], (TPoint{p, h - bm + 1}));
  EXPECT_EQ(bar[1].Points[1], (TPoint{p, h - bm + 10}));

  g.SetIndexMode(gimBand);
  g.SetColorIndex1(clBlue);
  g.SetColorIndex2(clBlue);
  auto band = Lines(g, clBlue);
  EXPECT_EQ(int(band.size()), p - 20 + 1);
  EXPECT_EQ(band[0].Points[0], (TPoint{20, h - bm}));
  EXPECT_EQ(band[0].Points[1], (TPoint{20, h - bm + 7}));

  g.SetOrientation(goVertical);
  g.SetIndexMode(gimTriangle);
  g.SetColorIndex1(kIdx);
  const int q = g.ConvertToPixelCoords(2);
  tri = Lines(g, kIdx);
  ASSERT_EQ(tri.size(), 10u);
  EXPECT_EQ(tri[0].Points[0], (TPoint{w - rm, q}));
  EXPECT_EQ(tri[0].Points[1], (TPoint{w - rm, q + 1}));
}

TEST(Gauge, DualColourBandEitherSideOfZero) {
  TScaleGauge g;
  g.SetIndexMode(gimDualColorBand);
  g.SetColorIndex1(clBlue);
  g.SetColorIndex2(clRed);
  const int z = g.ConvertToPixelCoords(0);
  g.SetValue(5);
  auto c1 = Lines(g, clBlue);
  EXPECT_TRUE(Lines(g, clRed).empty());
  ASSERT_EQ(int(c1.size()), g.ConvertToPixelCoords(5) - z + 1);
  EXPECT_EQ(c1.front().Points[0].x, z);
  g.SetValue(-5);
  auto c2 = Lines(g, clRed);
  EXPECT_TRUE(Lines(g, clBlue).empty());
  ASSERT_EQ(int(c2.size()), z - g.ConvertToPixelCoords(-5) + 1);
  EXPECT_EQ(c2.back().Points[0].x, z);
  // A zero point far off: the band ends at the window's edge.
  g.SetGaugeZero(-1e300);
  c1 = Lines(g, clBlue);
  EXPECT_LE(c1.size(), 302u);
  EXPECT_GE(c1.front().Points[0].x, -1);
  g.SetOrientation(goVertical);
  g.SetGaugeZero(1e300);
  c2 = Lines(g, clRed);
  EXPECT_LE(c2.size(), 77u);
  EXPECT_FALSE(c2.empty());
}

TEST(Gauge, BackgroundsAndZeroWidthWindows) {
  TScaleGauge g;
  const int n = 300 - 20 - 10;
  g.SetColorBg1(clBlack);
  g.SetColorBg2(clWhite);
  TMetafile mf(300, 75);
  g.DrawPicture(mf.Canvas());
  std::set<int> xs;
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Line && r.Points[0].y == 0 && r.Points[1].y == 75) xs.insert(r.Points[0].x);
  EXPECT_EQ(int(xs.size()), n + 1);
  EXPECT_EQ(*xs.begin(), 20);
  EXPECT_EQ(*xs.rbegin(), 20 + n);

  g.SetBackground(gbVertMidBand);
  TBitmap b(300, 75);
  g.DrawPicture(b.Canvas());
  EXPECT_EQ(PixelOf(b, 20 + n / 2, 15), clWhite);  // ColorBg2 in the middle
  EXPECT_LT(GetRValue(PixelOf(b, 22, 15)), 20);   // ColorBg1 at the edge

  // Shrunk until the window has no width (one gradient step over zero
  // pixels: the first colour), or less than none (nothing): nothing is
  // divided by zero and nothing is drawn outside.
  g.SetColorIndex1(kIdx);
  g.SetColorIndex2(clRed);
  for (int width : {30, 25}) {
    g.SetBounds(0, 0, width, 75);
    for (TGaugeBackground bg : {gbVertGrad, gbVertMidBand}) {
      g.SetBackground(bg);
      g.SetIndexMode(gimBand);
      TMetafile small(width, 75);
      g.DrawPicture(small.Canvas());
      int gradient = 0, band = 0;
      for (const TMetaRecord& r : small.Records()) {
        if (r.Op != TMetaOp::Line) continue;
        EXPECT_LE(std::abs(r.Points[0].x), 2 * width);
        if (r.Points[0].y == 0 && r.Points[1].y == 75) {
          ++gradient;
          EXPECT_EQ(r.Pen.Color, clBlack);  // ColorBg1
        }
        if (r.Pen.Color == kIdx || r.Pen.Color == clRed) {
          ++band;
          EXPECT_EQ(r.Pen.Color, kIdx);  // the band's first colour
        }
      }
      if (width == 30) {
        EXPECT_EQ(gradient, bg == gbVertGrad ? 1 : 2);
      } else {
        EXPECT_EQ(gradient, 0);
      }
      EXPECT_LE(band, 2);
    }
  }
}

TEST(Gauge, DisabledIsGreyed) {
  TScaleGauge g;
  g.SetBackground(gbPlain);
  g.SetCaption("Off");
  g.SetEnabled(false);
  EXPECT_FALSE(g.Enabled());
  TBitmap b(300, 75);
  g.DrawPicture(b.Canvas());
  EXPECT_EQ(PixelOf(b, 150, 14), 0xE9E9EEu);
  const auto tri = Lines(g, 0x808080);
  EXPECT_GE(tri.size(), 10u);
  EXPECT_EQ(g.Scale().ColorScale(), 0x808080u);
  TMetafile mf(300, 75);
  g.DrawPicture(mf.Canvas());
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Text) {
      EXPECT_EQ(r.Font.Color, 0x808080u) << r.Text;
    }
  g.SetEnabled(true);
  EXPECT_EQ(g.Scale().ColorScale(), clBlack);
}

TEST(Gauge, MouseMoveInGauge) {
  TScaleGauge g;
  bool in = false;
  double pos = 0;
  g.OnMouseMoveInGauge = [&](TObject* s, bool inGauge, TShiftState, double p) {
    EXPECT_EQ(s, &g);
    in = inGauge;
    pos = p;
  };
  g.DoMouseMove({}, 100, 30);
  EXPECT_TRUE(in);
  EXPECT_DOUBLE_EQ(pos, g.ConvertPixelToScale(100));
  g.DoMouseMove({}, 100, 70);  // below the dial, in the index room
  EXPECT_FALSE(in);
  g.DoMouseMove({}, 5, 30);
  EXPECT_FALSE(in);
}

TEST(Gauge, AssignCopiesAllSettingsTogether) {
  TScaleGauge a, b;
  a.SetMin(100);
  a.SetMax(200);
  a.SetValue(150);
  a.SetIndexMode(gimBar);
  a.SetColorBg1(clGreen);
  a.SetFrameStyleOuter(frsSingle);
  a.SetEnabled(false);
  b.SetBounds(0, 0, 120, 60);
  b.Assign(a);
  EXPECT_EQ(b.Value(), 150);
  EXPECT_EQ(b.Min(), 100);
  EXPECT_EQ(b.IndexMode(), gimBar);
  EXPECT_EQ(b.ColorBg1(), clGreen);
  EXPECT_EQ(b.FrameStyleOuter(), frsSingle);
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.DialLow(), 100);
  EXPECT_LE(b.MarginLeft() + b.MarginRight(), 120 - 20);
  b.ResetComp();
  EXPECT_EQ(b.Settings(), TScaleGaugeSettings{});
  EXPECT_EQ(b.DialLow(), -10);
}

}  // namespace
}  // namespace kvo
