// Range arithmetic of mouse drags for each mode, on linear and logarithmic,
// horizontal and vertical axes.
#include "scale/rescale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvo {
namespace {

// A 400 x 400 area with margins 20 on every side (Gx = Gy = 360).
struct TDrag {
  TMouseActMode Mode = mamPan;
  TScaleType Type = stLabelsBelow;
  bool Log = false;
  double Low = 0, High = 100;
  bool Ok = false;
  double NewLow = -1, NewHigh = -1;
  TDrag& Run(int x, int y, int ax, int ay) {
    Ok = Rescale(x, y, ax, ay, 400, 400, 20, 20, 20, 20, Low, High, Mode, Type, Log, Low, High,
                 NewLow, NewHigh);
    return *this;
  }
};

TEST(Rescale, PanLinear) {
  TDrag h;
  h.Run(200, 50, 100, 50);  // 100 pixels to the right
  EXPECT_TRUE(h.Ok);
  EXPECT_NEAR(h.NewLow, -27.7778, 1e-4);
  EXPECT_NEAR(h.NewHigh, 72.2222, 1e-4);
  TDrag v;
  v.Type = stLabelsLeft;
  v.Run(50, 136, 50, 100);  // 36 pixels down raise the range by 10
  EXPECT_NEAR(v.NewLow, 10, 1e-9);
  EXPECT_NEAR(v.NewHigh, 110, 1e-9);
}

TEST(Rescale, PanLogarithmic) {
  TDrag h;
  h.Log = true;
  h.Low = 1;
  h.High = 1000;
  h.Run(100, 50, 220, 50);  // a third of the axis to the left: one decade up
  EXPECT_NEAR(h.NewLow, 10, 1e-9);
  EXPECT_NEAR(h.NewHigh, 10000, 1e-6);
  TDrag v = h;
  v.Type = stLabelsRight;
  v.Run(50, 220, 50, 100);  // a third down: one decade up
  EXPECT_NEAR(v.NewLow, 10, 1e-9);
  EXPECT_NEAR(v.NewHigh, 10000, 1e-6);
}

TEST(Rescale, StretchLinearAboutTheFarEnd) {
  TDrag r;
  r.Mode = mamStretch;
  r.Run(290, 50, 380, 50);  // anchor in the right half: low stays
  EXPECT_DOUBLE_EQ(r.NewLow, 0);
  EXPECT_NEAR(r.NewHigh, 100.0 / (270.0 / 360.0), 1e-9);
  r.Run(110, 50, 20 + 45, 50);  // left half: high stays
  EXPECT_DOUBLE_EQ(r.NewHigh, 100);
  EXPECT_NEAR(r.NewLow, 100 - 100 / ((400.0 - 110 - 20) / (400.0 - 65 - 20)), 1e-9);
  TDrag v;
  v.Mode = mamStretch;
  v.Type = stLabelsLeft;
  v.Run(50, 290, 50, 380);  // lower half: high stays
  EXPECT_DOUBLE_EQ(v.NewHigh, 100);
  EXPECT_NEAR(v.NewLow, 100 - 100 / (270.0 / 360.0), 1e-9);
  v.Run(50, 110, 50, 65);  // upper half: low stays
  EXPECT_DOUBLE_EQ(v.NewLow, 0);
  EXPECT_NEAR(v.NewHigh, 100 / ((400.0 - 110 - 20) / (400.0 - 65 - 20)), 1e-9);
}

TEST(Rescale, StretchLogarithmic) {
  TDrag r;
  r.Mode = mamStretch;
  r.Log = true;
  r.Low = 1;
  r.High = 10000;  // g = 100
  r.Run(200, 50, 380, 50);  // right half, half the axis to the left
  EXPECT_DOUBLE_EQ(r.NewLow, 1);
  EXPECT_NEAR(r.NewHigh, 100 * std::pow(100.0, 1.5), 1e-6);
  r.Run(200, 50, 20, 50);  // left half
  EXPECT_DOUBLE_EQ(r.NewHigh, 10000);
  EXPECT_NEAR(r.NewLow, 100 / std::pow(100.0, 1.5), 1e-12);
  r.Type = stLabelsRight;
  r.Run(50, 200, 50, 380);  // lower half
  EXPECT_DOUBLE_EQ(r.NewHigh, 10000);
  EXPECT_NEAR(r.NewLow, 100 / std::pow(100.0, 1.5), 1e-12);
  r.Run(50, 210, 50, 30);  // upper half
  EXPECT_DOUBLE_EQ(r.NewLow, 1);
  EXPECT_NEAR(r.NewHigh, 100 * std::pow(100.0, 1.5), 1e-6);
}

TEST(Rescale, ZoomDragAboutTheCentre) {
  TDrag h;
  h.Mode = mamZoomDrag;
  h.Run(300, 50, 200, 50);  // right by a quarter of the width: zoom in
  EXPECT_NEAR(h.NewLow, 50 - 37.5, 1e-9);
  EXPECT_NEAR(h.NewHigh, 50 + 37.5, 1e-9);
  TDrag v;
  v.Mode = mamZoomDrag;
  v.Type = stLabelsRight;
  v.Run(50, 300, 50, 200);  // down: zoom out
  EXPECT_NEAR(v.NewLow, 50 - 62.5, 1e-9);
  EXPECT_NEAR(v.NewHigh, 50 + 62.5, 1e-9);
  TDrag l;
  l.Mode = mamZoomDrag;
  l.Log = true;
  l.Low = 1;
  l.High = 10000;
  l.Run(100, 50, 200, 50);  // q = 1.25
  EXPECT_NEAR(l.NewLow, 100 / std::pow(100.0, 1.25), 1e-12);
  EXPECT_NEAR(l.NewHigh, 100 * std::pow(100.0, 1.25), 1e-6);
  l.Type = stLabelsLeft;
  l.Run(50, 100, 50, 200);  // q = 0.75
  EXPECT_NEAR(l.NewHigh, 100 * std::pow(100.0, 0.75), 1e-9);
}

TEST(Rescale, OtherModesAndUnusableResultsChangeNothing) {
  for (TMouseActMode m : {mamNone, mamPanHoriz, mamZoomWindow, mamDragCrossHair}) {
    TDrag d;
    d.Mode = m;
    d.Run(300, 50, 200, 50);
    EXPECT_FALSE(d.Ok);
    EXPECT_EQ(d.NewLow, -1);
  }
  TDrag edge;
  edge.Mode = mamStretch;
  edge.Run(20, 50, 380, 50);  // onto the low end: infinite high end
  EXPECT_FALSE(edge.Ok);
  TDrag zero;
  zero.Mode = mamZoomDrag;
  zero.Run(600, 50, 200, 50);  // h = 0: equal ends
  EXPECT_FALSE(zero.Ok);
  TDrag logZero;
  logZero.Log = true;
  logZero.Low = 0;
  logZero.Run(300, 50, 200, 50);
  EXPECT_FALSE(logZero.Ok);
  double lo = 0, hi = 0;
  EXPECT_FALSE(Rescale(10, 10, 5, 5, 40, 40, 20, 20, 20, 20, 0, 100, mamPan, stLabelsBelow, false,
                       0, 100, lo, hi));  // no axis length
}

}  // namespace
}  // namespace kvo
