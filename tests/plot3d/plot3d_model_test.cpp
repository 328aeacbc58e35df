// The surface plot's model: angles, rotation, projection and its inverse,
// cube geometry, drawing order, setters and their limits, colour coding,
// the update protocol and the mouse modes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "plot3d/plot3d.h"

namespace kvo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Plot3DMath, AnglesNormaliseAndWrap) {
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(725), 5);
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(-90), 270);
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(360), 360);
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(-30), 330);
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(-720), 360);
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(123.5), 123.5);
  EXPECT_DOUBLE_EQ(WrapViewAngle(370), 10);
  EXPECT_DOUBLE_EQ(WrapViewAngle(-10), 350);
  EXPECT_DOUBLE_EQ(WrapViewAngle(360), 360);
}

TEST(Plot3DMath, RotationMatrixIsOrthonormalAndIdentityAtZero) {
  const TP3RotMatrix id = P3RotMatrix(0, 0);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(id[r][c], r == c ? 1.0 : 0.0);
  // Tiny elements are exact zeros (cos 90 is not exactly 0 in doubles).
  EXPECT_EQ(P3RotMatrix(90, 0)[1][1], 0.0);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> angle(0, 360);
  for (int i = 0; i < 50; ++i) {
    const TP3RotMatrix m = P3RotMatrix(angle(rng), angle(rng));
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        double dot = 0;
        for (int k = 0; k < 3; ++k) dot += m[a][k] * m[b][k];
        EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-5);
      }
    EXPECT_EQ(m[0][2], 0.0);  // no screen-x share of z: verticals stay vertical
  }
}

TEST(Plot3DMath, ProjectionRoundTripsFromSeveralViews) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> coord(-150, 150);
  for (const auto& [ax, az] : {std::pair{60.0, 15.0}, {30.0, 100.0}, {75.0, 200.0},
                              {120.0, 300.0}, {250.0, 45.0}}) {
    TP3Projection p;
    p.R = P3RotMatrix(ax, az);
    p.SclX = 1.5;
    p.SclY = 0.75;
    p.SclZ = 2;
    p.Magnify = 1.7;
    p.CentX = 400;
    p.CentY = 300;
    for (int i = 0; i < 100; ++i) {
      const TVec3 w{coord(rng), coord(rng), coord(rng)};
      // Exact screen coordinates come back to the world point.
      const auto back = p.Unproject(p.ScreenX(w), p.ScreenY(w), w.z);
      ASSERT_TRUE(back) << ax << "/" << az;
      EXPECT_NEAR(back->x, w.x, 1e-6);
      EXPECT_NEAR(back->y, w.y, 1e-6);
      // Rounded pixels land within half a pixel of the exact projection.
      const TPoint px = p.Project(w);
      EXPECT_LE(std::fabs(px.x - p.ScreenX(w)), 0.5);
      EXPECT_LE(std::fabs(px.y - p.ScreenY(w)), 0.5);
      const auto fromPixel = p.Unproject(px.x, px.y, w.z);
      ASSERT_TRUE(fromPixel);
      EXPECT_EQ(p.Project(*fromPixel), px);
    }
  }
  // Looking along the floor, a screen point has no unique floor point.
  TP3Projection edgeOn;
  edgeOn.R = P3RotMatrix(90, 30);
  EXPECT_FALSE(edgeOn.Unproject(10, 10, 0));
}

TEST(Plot3DMath, CubeCornersFacesAndDrawingOrder) {
  const TP3RotMatrix def = P3RotMatrix(60, 15);
  EXPECT_EQ(NearCorner(def), 7);
  EXPECT_EQ(FarCorner(def), 0);
  EXPECT_EQ(CubeCorner(5), (TVec3{150, -150, 150}));
  EXPECT_EQ(CornerNeighbours(0), (std::array<int, 3>{1, 2, 4}));
  EXPECT_EQ(CornerNeighbours(5), (std::array<int, 3>{1, 4, 7}));
  // Every face listed at a corner contains it.
  for (int c = 0; c < 8; ++c)
    for (int f : kCornerFaces[c]) {
      int hits = 0;
      for (int k : kCubeFaces[f]) hits += k == c;
      EXPECT_EQ(hits, 1) << "corner " << c << " face " << f;
    }
  // The z axis starts at a bottom corner, the rightmost on screen.
  for (double az : {15.0, 100.0, 200.0, 300.0}) {
    const TP3RotMatrix r = P3RotMatrix(60, az);
    const int s = ZAxisStartCorner(r);
    EXPECT_EQ(s & 1, 0);
    TP3Projection p;
    p.R = r;
    for (int i = 0; i < 8; ++i) EXPECT_LE(p.ScreenX(CubeCorner(i)), p.ScreenX(CubeCorner(s)) + 1e-9);
  }
  EXPECT_EQ(DrawOrderFor(60, 15).RowsForward, true);
  EXPECT_EQ(DrawOrderFor(60, 15).ColumnsForward, true);
  EXPECT_EQ(DrawOrderFor(60, 100).RowsForward, false);
  EXPECT_EQ(DrawOrderFor(60, 100).ColumnsForward, true);
  EXPECT_EQ(DrawOrderFor(60, 200).RowsForward, false);
  EXPECT_EQ(DrawOrderFor(60, 200).ColumnsForward, false);
  EXPECT_DOUBLE_EQ(GridNodeCoord(1, 11), -150);
  EXPECT_DOUBLE_EQ(GridNodeCoord(11, 11), 150);
  EXPECT_DOUBLE_EQ(GridNodeCoord(6, 11), 0);
  EXPECT_DOUBLE_EQ(GridNodeCoord(1, 1), 0);
  EXPECT_EQ(AutoAxisDecimals(1e7), -2);
  EXPECT_EQ(AutoAxisDecimals(5), 1);
  EXPECT_EQ(AutoAxisDecimals(500), 0);
  EXPECT_EQ(AutoAxisDecimals(1e-5), -2);
  EXPECT_EQ(AutoAxisDecimals(kNaN), -2);
}

TEST(Plot3DMath, QuadContainment) {
  const TPoint a{0, 0}, b{10, 0}, c{10, 10}, d{0, 10};
  EXPECT_TRUE(QuadContains(a, b, c, d, {5, 5}));
  EXPECT_TRUE(QuadContains(a, d, c, b, {5, 5}));   // either winding
  EXPECT_TRUE(QuadContains(a, b, c, d, {5, 0}));   // on an edge
  EXPECT_TRUE(QuadContains(a, b, c, d, {0, 0}));   // on a corner
  EXPECT_FALSE(QuadContains(a, b, c, d, {11, 5}));
  EXPECT_FALSE(QuadContains(a, a, a, a, {0, 0}));  // collapsed cell
  // A concave cell (a fold of the surface): the notch is outside, the arms inside.
  const TPoint n{5, 3};
  EXPECT_TRUE(QuadContains(a, n, b, {5, 10}, {5, 6}));
  EXPECT_TRUE(QuadContains(a, n, b, {5, 10}, {2, 2}));
  EXPECT_FALSE(QuadContains(a, n, b, {5, 10}, {5, 1}));
  // A self-crossing cell: both lobes count.
  EXPECT_TRUE(QuadContains(a, b, d, c, {5, 2}));
  EXPECT_TRUE(QuadContains(a, b, d, c, {5, 8}));
  EXPECT_FALSE(QuadContains(a, b, d, c, {2, 5}));
}

class Plot3DModel : public ::testing::Test {
protected:
  void SetUp() override {
    p.HandleNeeded();
    p.OnDataRendered = [this](TObject*, TCanvas&) { ++renders; };
  }
  TPlot3D p;
  int renders = 0;
};

TEST_F(Plot3DModel, StartValues) {
  EXPECT_EQ(p.Width(), 650);
  EXPECT_EQ(p.Height(), 500);
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.CentY(), 250);
  EXPECT_EQ(p.ViewAngleX(), 60);
  EXPECT_EQ(p.ViewAngleZ(), 15);
  EXPECT_EQ(p.MouseAction(), mamRotate);
  EXPECT_EQ(p.BoundBoxStyle(), bbFaces);
  EXPECT_EQ(p.DecPlaceZ(), -2);
  EXPECT_EQ(p.CalibZk(), 150);
  EXPECT_EQ(p.CalibZd(), 0);
  EXPECT_FALSE(p.SuppressPaint());
  EXPECT_EQ(p.GetRotMat(0, 1), 0);
  EXPECT_EQ(p.GetRotMat(4, 4), 0);
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 3), 0.5);  // cos 60
}

TEST_F(Plot3DModel, SettersClampWidenOrIgnore) {
  p.SetViewAngleX(725);
  EXPECT_EQ(p.ViewAngleX(), 5);
  p.SetViewAngleX(-90);
  EXPECT_EQ(p.ViewAngleX(), 270);
  p.SetViewAngleX(kNaN);
  EXPECT_EQ(p.ViewAngleX(), 270);
  p.SetMagnification(9);
  EXPECT_EQ(p.Magnification(), 5);
  p.SetMagnification(0);
  EXPECT_EQ(p.Magnification(), 0.1);
  p.SetMinTickX(1);
  EXPECT_EQ(p.MinTickX(), 2);
  p.SetMinTickY(50);
  EXPECT_EQ(p.MinTickY(), 20);
  p.SetDecPlaceX(-7);
  EXPECT_EQ(p.DecPlaceX(), -2);
  p.SetDecPlaceY(30);
  EXPECT_EQ(p.DecPlaceY(), 12);

  p.SetRangeZHigh(5);
  p.SetRangeZLow(5);
  EXPECT_EQ(p.RangeZLow(), 4);
  EXPECT_EQ(p.RangeZHigh(), 5);
  EXPECT_DOUBLE_EQ(p.CalibZk(), 300);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(4), -150);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(5), 150);
  p.SetRange(2, 2, -1, 1, 0, 10);
  EXPECT_EQ(p.RangeXLow(), 1.5);
  EXPECT_EQ(p.RangeXHigh(), 2.5);
  // Where 1 is below a value's resolution, the ends still come apart and the
  // calibration stays finite.
  p.SetRangeZHigh(1e17);
  p.SetRangeZLow(1e17);
  EXPECT_LT(p.RangeZLow(), p.RangeZHigh());
  EXPECT_TRUE(std::isfinite(p.CalibZk()) && std::isfinite(p.CalibZd()));
  p.SetRange(3e300, 3e300, 1e-320, 1e-320, -1e308, 1e308);
  EXPECT_LT(p.RangeXLow(), p.RangeXHigh());
  EXPECT_LT(p.RangeYLow(), p.RangeYHigh());
  EXPECT_TRUE(std::isfinite(p.CalibZk()) && std::isfinite(p.CalibZd()));
  p.SetRangeXLow(kNaN);
  p.SetRangeXHigh(kInf);
  EXPECT_TRUE(std::isfinite(p.RangeXLow()) && std::isfinite(p.RangeXHigh()));

  p.SetScaleFactX(kInf);
  EXPECT_EQ(p.ScaleFactX(), 1);
  p.SetScaleFactY(1e300);
  EXPECT_EQ(p.ScaleFactY(), kScaleFactLimit);
  p.SetScaleFactZ(-2);
  EXPECT_EQ(p.ScaleFactZ(), -2);

  p.SetColorScaleHigh(0);  // not above the low: ignored
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  p.SetColorScaleLow(100);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  p.SetColorScaleLow(kNaN);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  p.SetColorScaleLow(-50);
  EXPECT_EQ(p.ColorScaleLow(), -50);

  p.SetMeshKind(TMeshKind(9));
  EXPECT_EQ(p.MeshKind(), mkMesh);
  p.SetBoundBoxStyle(TBoundingBox(3));
  EXPECT_EQ(p.BoundBoxStyle(), bbFaces);
}

TEST_F(Plot3DModel, CentreFollowsAutoCenter) {
  p.SetCentX(10);
  EXPECT_EQ(p.CentX(), 325);  // ignored, recentred
  p.SetAutoCenter(false);
  p.SetCentX(-5000);
  EXPECT_EQ(p.CentX(), -650);
  p.SetCentY(5000);
  EXPECT_EQ(p.CentY(), 1000);
  p.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(p.CentX(), -650);  // no recentring while off
  p.SetAutoCenter(true);
  EXPECT_EQ(p.CentX(), 200);
  EXPECT_EQ(p.CentY(), 150);
  p.SetBounds(0, 0, 800, 600);
  EXPECT_EQ(p.CentX(), 400);
  p.SetViewAngles(10, 20);
  p.SetScaleFactX(3);
  p.Reset();
  EXPECT_EQ(p.ViewAngleX(), 66);
  EXPECT_EQ(p.ViewAngleZ(), 135);
  EXPECT_EQ(p.ScaleFactX(), 1);
}

TEST_F(Plot3DModel, ColourCoding) {
  p.SetColorLow(RGBColor(0, 0, 0));
  p.SetColorHigh(RGBColor(200, 100, 50));
  p.SetColorMid(RGBColor(10, 20, 30));
  EXPECT_EQ(p.CalcColorCoding(-5), RGBColor(0, 0, 0));      // below: the low end
  EXPECT_EQ(p.CalcColorCoding(500), RGBColor(200, 100, 50));  // above: the high end
  EXPECT_EQ(p.CalcColorCoding(25), RGBColor(50, 25, 12));    // 12.5 rounds to even
  p.SetColorCodingMode(ccmThreeColors);
  EXPECT_EQ(p.CalcColorCoding(50), RGBColor(10, 20, 30));
  EXPECT_EQ(p.CalcColorCoding(0), RGBColor(0, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(100), RGBColor(200, 100, 50));
  p.SetColorCodingMode(ccmColorArray);
  EXPECT_EQ(p.CalcColorCoding(50), clBlack);  // an empty table
  p.IsoColors.SetSize(4);
  for (int i = 1; i <= 4; ++i) p.IsoColors.SetColorElem(i, RGBColor(std::uint8_t(i), 0, 0));
  EXPECT_EQ(p.CalcColorCoding(0), RGBColor(1, 0, 0));   // element 0 reads entry 1
  EXPECT_EQ(p.CalcColorCoding(50), RGBColor(2, 0, 0));  // round(0.5 * 4) = 2
  EXPECT_EQ(p.CalcColorCoding(100), RGBColor(4, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(kNaN), RGBColor(1, 0, 0));
}

TEST_F(Plot3DModel, OneRepaintPerSetterAndPerBatch) {
  renders = 0;
  p.SetColorMesh(clRed);
  EXPECT_EQ(renders, 1);
  p.SetColorMesh(clRed);  // unchanged
  EXPECT_EQ(renders, 1);
  {
    TPlot3D::TUpdate batch(p);
    p.SetViewAngles(30, 40);
    p.SetMagnification(2);
    p.GridMat.Resize(5, 5);
    EXPECT_EQ(renders, 1);
  }
  EXPECT_EQ(renders, 2);
  // The grid's derived data follows once painting is on again.
  EXPECT_EQ(p.ProjMapX.NrOfColumns(), 5);
  p.SetSuppressPaint(true);
  p.SetColorMesh(clBlue);
  EXPECT_EQ(renders, 2);
  {
    TPlot3D::TUpdate batch(p);  // finds painting off, leaves it off
  }
  EXPECT_TRUE(p.SuppressPaint());
  EXPECT_EQ(renders, 2);
  p.SetSuppressPaint(false);
  EXPECT_EQ(renders, 3);
}

TEST_F(Plot3DModel, LoadingHoldsPaintingBack) {
  p.BeginLoading();
  renders = 0;
  p.SetColorMesh(clRed);
  p.SetViewAngleX(30);
  p.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(renders, 0);
  p.EndLoading();
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(p.CentX(), 150);
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 3), std::cos(30 * M_PI / 180));
}

TEST_F(Plot3DModel, GridStatisticsAndAutoScale) {
  {
    TPlot3D::TUpdate batch(p);
    p.GridMat.Resize(4, 2);
    for (int ix = 1; ix <= 4; ++ix)
      for (int iy = 1; iy <= 2; ++iy) p.GridMat.SetVal(ix, iy, ix * iy * 0.25);
    p.GridMat.SetVal(1, 1, kNaN);  // skipped
  }
  EXPECT_DOUBLE_EQ(p.MinZ(), 0.5);
  EXPECT_DOUBLE_EQ(p.MaxZ(), 2.0);
  p.AutoScale();
  EXPECT_DOUBLE_EQ(p.ScaleFactX(), 1);
  EXPECT_DOUBLE_EQ(p.ScaleFactY(), 2);
  EXPECT_DOUBLE_EQ(p.ScaleFactZ(), 2.0 / 1.5);
  p.Clear();
  EXPECT_DOUBLE_EQ(p.MaxZ(), 0);
  p.AutoScale();
  EXPECT_DOUBLE_EQ(p.ScaleFactZ(), 1);
}

TEST_F(Plot3DModel, AssignCopiesSettings) {
  TPlot3D q;
  q.SetViewAngles(20, 30);
  q.SetMeshKind(mkGrid);
  q.SetCaptionX("Time");
  q.SetRangeZLow(-3);
  p.Assign(q);
  EXPECT_EQ(p.ViewAngleX(), 20);
  EXPECT_EQ(p.MeshKind(), mkGrid);
  EXPECT_EQ(p.CaptionX(), "Time");
  EXPECT_DOUBLE_EQ(p.CalibZk(), 75);
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 1), std::cos(30 * M_PI / 180));
}

// ---- Mouse ----------------------------------------------------------------------

class Plot3DMouse : public Plot3DModel {
protected:
  void Drag(TShiftState buttons, int x0, int y0, int x1, int y1) {
    p.DoMouseMove({}, x0, y0);  // anchor without a button
    p.DoMouseMove(buttons, x1, y1);
  }
};

TEST_F(Plot3DMouse, RotateTiltTurn) {
  const double z0 = p.ViewAngleZ();
  // A drag to the left by the full width turns once around.
  Drag({ssLeft}, 650, 200, 0, 200);
  EXPECT_NEAR(p.ViewAngleZ(), z0, 1e-9);
  // Upwards tilts up in the rotate mode ...
  Drag({ssLeft}, 300, 300, 300, 250);
  EXPECT_NEAR(p.ViewAngleX(), 60 + 50 * 360.0 / 500, 1e-9);
  // ... and down in the tilt mode.
  p.SetViewAngleX(60);
  p.SetMouseAction(mamTilt);
  Drag({ssLeft}, 300, 300, 300, 250);
  EXPECT_NEAR(p.ViewAngleX(), 60 - 36, 1e-9);
  p.SetMouseAction(mamTurn);
  Drag({ssLeft}, 300, 300, 235, 100);
  EXPECT_NEAR(p.ViewAngleZ(), z0 + 36, 1e-9);
  EXPECT_NEAR(p.ViewAngleX(), 24, 1e-9);  // a turn leaves the tilt
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 1), std::cos(p.ViewAngleZ() * M_PI / 180));
  // Outside the control nothing moves.
  Drag({ssLeft}, 300, 300, 700, 100);
  EXPECT_NEAR(p.ViewAngleZ(), z0 + 36, 1e-9);
}

TEST_F(Plot3DMouse, ZoomStaysInItsRangeAndPanMoves) {
  int zoomPans = 0;
  p.OnZoomPan = [&](TObject*) { ++zoomPans; };
  p.SetMouseAction(mamStretch);
  Drag({ssLeft}, 10, 500, 10, 0);  // the full height upwards
  EXPECT_DOUBLE_EQ(p.Magnification(), 1 + 2.45);
  Drag({ssLeft}, 10, 500, 10, 0);
  EXPECT_DOUBLE_EQ(p.Magnification(), 5);
  Drag({ssLeft}, 10, 0, 10, 500);
  Drag({ssLeft}, 10, 0, 10, 500);
  Drag({ssLeft}, 10, 0, 10, 500);
  EXPECT_DOUBLE_EQ(p.Magnification(), 0.1);
  EXPECT_EQ(zoomPans, 5);
  // Rotate-zoom: the right button zooms, the left one rotates.
  p.SetMouseAction(mamRotateZoom);
  p.SetMagnification(1);
  Drag({ssRight}, 10, 300, 10, 200);
  EXPECT_DOUBLE_EQ(p.Magnification(), 1 + 4.9 * 100 / 500 / 2);
  p.SetMouseAction(mamPan);
  p.SetAutoCenter(false);
  Drag({ssLeft}, 100, 100, 130, 80);
  EXPECT_EQ(p.CentX(), 355);
  EXPECT_EQ(p.CentY(), 230);
  EXPECT_EQ(zoomPans, 7);
  // Modes without a 3D meaning do nothing.
  p.SetMouseAction(mamZoomWindow);
  renders = 0;
  Drag({ssLeft}, 100, 100, 200, 200);
  EXPECT_EQ(renders, 0);
}

TEST_F(Plot3DMouse, ActionHandlerMayChangeTheStep) {
  int calls = 0;
  p.OnMouseAction = [&](TObject*, std::int32_t& cx, std::int32_t&, double& ax, double& az,
                        double& mag, TShiftState shift) {
    ++calls;
    EXPECT_TRUE(shift.Contains(ssLeft));
    ax = 45;
    az = -30;   // held to 0..360
    mag = kNaN; // refused: the step's value stays
    cx = 12;
  };
  Drag({ssLeft}, 300, 300, 280, 290);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(p.ViewAngleX(), 45);
  EXPECT_EQ(p.ViewAngleZ(), 330);
  EXPECT_EQ(p.Magnification(), 1);
  EXPECT_EQ(p.CentX(), 12);
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 3), std::cos(45 * M_PI / 180));
}

}  // namespace
}  // namespace kvo
