// TRot3D item list, object build, rotation matrices, projection round trips
// and the two nearest-item searches.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "rot3d/rot3d.h"

namespace kvo {
namespace {

TEST(Rot3DStore, CommandsWriteItemsWithTheDrawingState) {
  TRot3D r;
  r.SetDataCol(0xAB123456);  // only the RGB bits are kept
  r.SetDataTag(7);
  r.SetLineWidth(40);        // clamped to 32
  r.MarkAt(1, 2, 3, 23);
  r.Moveto(4, 5, 6);
  r.Drawto(7, 8, 9);
  r.SetLineWidth(0);         // clamped to 1
  r.Line(1, 1, 1, 2, 2, 2);
  ASSERT_EQ(r.NumItems(), 4);
  const Tr3ChartItem m = r.GetChartItem(0);
  EXPECT_EQ(m.ItemKind, tkMarkAt);
  EXPECT_EQ(m.color, 0x123456u);
  EXPECT_EQ(m.tag, 7);
  EXPECT_EQ(m.marklw, 23);
  EXPECT_EQ(r.GetChartItem(1).ItemKind, tkMoveto);
  EXPECT_EQ(r.GetChartItem(2).marklw, 32);
  const Tr3ChartItem l = r.GetChartItem(3);
  EXPECT_EQ(l.ItemKind, tkLine);
  EXPECT_EQ(l.marklw, 1);
  EXPECT_DOUBLE_EQ(l.x2, 2.0);
  EXPECT_EQ(r.GetTypeOfFirstItem(), tkMarkAt);
  EXPECT_EQ(r.GetTypeOfLastItem(), tkLine);

  // Out-of-range reads give tkNone, writes do nothing; SetItemParams ignores
  // items of kind tkNone and tkEverything.
  EXPECT_EQ(r.GetChartItem(-1).ItemKind, tkNone);
  EXPECT_EQ(r.GetChartItem(4).ItemKind, tkNone);
  Tr3ChartItem repl = m;
  repl.x = 99;
  r.SetChartitem(4, repl);
  r.SetChartitem(1, repl);
  EXPECT_DOUBLE_EQ(r.GetChartItem(1).x, 99.0);
  repl.ItemKind = tkEverything;
  r.SetItemParams(0, repl);
  repl.ItemKind = tkNone;
  r.SetItemParams(0, repl);
  EXPECT_EQ(r.GetChartItem(0), m);
}

TEST(Rot3DStore, GrowsByAllocSizeAndFreesWhenEmpty) {
  TRot3D r;
  EXPECT_EQ(r.AllocSize(), 1000);
  r.SetAllocSize(0);
  r.SetAllocSize(1000001);
  EXPECT_EQ(r.AllocSize(), 1000);
  r.SetAllocSize(3);
  for (int i = 0; i < 7; ++i) r.MarkAt(i, 0, 0, 1);
  EXPECT_EQ(r.NumAllocated(), 9);  // 3, 6, 9: one step at a time while small
  for (int i = 0; i < 93; ++i) r.MarkAt(i, 0, 0, 1);
  // Then by whole steps covering half the size: 9, 15, 24, 36, 54, 81, 123.
  EXPECT_EQ(r.NumAllocated(), 123);
  EXPECT_EQ(r.NumAllocated() % 3, 0);
  for (int i = 0; i < 93; ++i) r.RemoveLastItem();

  // Out-of-range removals change nothing.
  r.RemoveItem(-1);
  r.RemoveItem(7);
  EXPECT_EQ(r.NumItems(), 7);
  r.RemoveItem(2);  // later items move down
  EXPECT_EQ(r.NumItems(), 6);
  EXPECT_DOUBLE_EQ(r.GetChartItem(2).x, 3.0);
  r.RemoveFirstItem();
  EXPECT_DOUBLE_EQ(r.GetChartItem(0).x, 1.0);
  while (r.NumItems() > 1) r.RemoveLastItem();
  r.RemoveItem(0);  // the only item: the list is freed
  EXPECT_EQ(r.NumItems(), 0);
  EXPECT_EQ(r.NumAllocated(), 0);
  // Removing from an empty list keeps the count at 0.
  r.RemoveLastItem();
  r.RemoveFirstItem();
  EXPECT_EQ(r.NumItems(), 0);
  EXPECT_EQ(r.GetTypeOfFirstItem(), tkNone);
  EXPECT_EQ(r.GetTypeOfLastItem(), tkNone);
}

TEST(Rot3DBuild, AutomaticOriginAndScales) {
  TRot3D r;
  r.MarkAt(0, 0, 0, 1);
  r.MarkAt(10, 0, 0, 1);
  r.MarkAt(0, 20, 0, 1);
  r.MarkAt(0, 0, 40, 1);
  r.MakeVisible();
  EXPECT_DOUBLE_EQ(r.OriginX(), 2.5);
  EXPECT_DOUBLE_EQ(r.OriginY(), 5.0);
  EXPECT_DOUBLE_EQ(r.OriginZ(), 10.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 100.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 50.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 25.0);
  ASSERT_EQ(r.NumObjects(), 4);
  // round((10 - 2.5) * 100), round((0 - 5) * 50), round((0 - 10) * 25)
  EXPECT_EQ(r.ObjX(1), 750);
  EXPECT_EQ(r.ObjY(1), -250);
  EXPECT_EQ(r.ObjZ(1), -250);
  EXPECT_EQ(r.ObjKind(0), rokMark);

  r.SetIsoMetric(true);  // rebuilds
  EXPECT_DOUBLE_EQ(r.ScaleFactX(), 25.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactY(), 25.0);
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 25.0);

  // Fixed origin and scales are used by the next build; with IsoMetric all
  // three take the x scale.
  r.SetAutoOrigin(false);
  r.SetAutoScale(false);
  r.SetOrigins(1, 1, 1);
  r.SetScaleFactors(2, 3, 4);
  r.MakeVisible();
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 2.0);
  EXPECT_EQ(r.ObjZ(3), 78);  // round((40 - 1) * 2)
  r.SetIsoMetric(false);
  EXPECT_EQ(r.ObjY(2), 38);  // round((20 - 1) * 2): the stored scales stay 2, 2, 2
}

TEST(Rot3DBuild, FlatExtentLinesAndTheCentreOfBothEnds) {
  TRot3D r;
  r.MarkAt(0, 0, 3, 1);
  r.MarkAt(4, 2, 3, 1);
  r.MakeVisible();
  EXPECT_DOUBLE_EQ(r.ScaleFactZ(), 1.0);  // no z extent

  // The centre counts both ends of a line: (0 + 10 + 20) / 3, not
  // (0 + 20) / 3 from the first points alone.
  r.Clear();
  r.Line(0, 0, 0, 10, 0, 0);
  r.MarkAt(20, 0, 0, 1);
  r.MakeVisible();
  EXPECT_DOUBLE_EQ(r.OriginX(), 10.0);
  ASSERT_EQ(r.NumObjects(), 3);
  EXPECT_EQ(r.ObjKind(0), rokMoveTo);
  EXPECT_EQ(r.ObjKind(1), rokDrawTo);
  EXPECT_EQ(r.ObjBackLink(0), 0);
  EXPECT_EQ(r.ObjBackLink(1), 0);
  EXPECT_EQ(r.ObjBackLink(2), 1);
  EXPECT_EQ(r.ObjX(1) - r.ObjX(0), 500);  // extent 20 -> 1000 object units

  // Items of kind tkNone give undrawn objects.
  Tr3ChartItem none;
  r.SetChartitem(1, none);
  r.MakeVisible();
  EXPECT_EQ(r.ObjKind(2), rokNone);

  // An empty list builds an empty view.
  r.Clear();
  EXPECT_EQ(r.NumObjects(), 0);
  r.MarkAt(1, 1, 1, 1);
  r.MakeVisible();
  r.RemoveLastItem();
  r.MakeVisible();
  EXPECT_EQ(r.NumObjects(), 0);
}

TEST(Rot3DBuild, HugeCoordinatesSaturateWithoutOverflow) {
  TRot3D r;
  r.SetAutoScale(false);
  r.SetAutoOrigin(false);
  r.SetScaleFactors(1e12, 1e12, 1e12);
  r.MarkAt(1e300, -1e300, 5, 1);
  r.MarkAt(std::numeric_limits<double>::quiet_NaN(), 0, 0, 1);
  r.Line(-1e9, 1e9, 1e9, 1e9, -1e9, -1e9);
  r.MakeVisible();
  EXPECT_EQ(r.ObjX(0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(r.ObjY(0), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(r.ObjX(1), 0);  // NaN lands on 0
  for (const double a : {0.0, 37.0, 123.0, 271.0}) {
    r.SetViewAngles(a, a / 2, a * 3);
    for (std::int32_t o = 0; o < r.NumObjects(); ++o) {
      std::int64_t x = 0, y = 0;
      r.ProjectObject(o, x, y);
      // Three products of int32 by at most 1000, divided by 800 at least.
      EXPECT_LE(std::llabs(x), 3LL * 2147483648LL * 1000 / 800 + 500);
      const TPoint p = r.View().Pixel(r.ObjX(o), r.ObjY(o), r.ObjZ(o));
      EXPECT_LE(std::abs(p.x), kMaxPixelCoord);
      EXPECT_LE(std::abs(p.y), kMaxPixelCoord);
    }
  }
}

TEST(Rot3DView, PropertiesClampAndMatrices) {
  TRot3D r;
  EXPECT_EQ(r.Width(), 450);
  EXPECT_EQ(r.Height(), 300);
  EXPECT_EQ(r.CentX(), 225);
  EXPECT_EQ(r.CentY(), 150);
  EXPECT_EQ(r.Magnify(), 5000);
  EXPECT_DOUBLE_EQ(r.Magnification(), 0.8);
  r.SetMagnification(2);
  EXPECT_EQ(r.Magnify(), 2000);
  EXPECT_DOUBLE_EQ(r.Magnification(), 2.0);
  r.SetMagnification(10);
  EXPECT_EQ(r.Magnify(), 800);
  r.SetMagnification(0.01);
  EXPECT_EQ(r.Magnify(), 40000);
  r.SetMagnification(std::nan(""));
  EXPECT_EQ(r.Magnify(), 40000);

  r.SetBoundBoxSize(5001);
  EXPECT_EQ(r.BoundBoxSize(), 4000);
  EXPECT_EQ(r.CubeCorners()[0][0], -2000);
  EXPECT_EQ(r.CubeCorners()[5][0], 2000);
  EXPECT_EQ(r.CubeCorners()[5][1], -2000);
  EXPECT_EQ(r.CubeCorners()[5][2], 2000);
  r.SetAxSize(-5);
  EXPECT_EQ(r.AxSize(), 0);
  r.SetCentX(900);
  EXPECT_EQ(r.CentX(), 450);
  r.SetCentY(-3);
  EXPECT_EQ(r.CentY(), 0);

  // Two-angle matrix, right-handed, at zero angles: x and y trade places.
  r.SetAxDir(adRightHanded);
  r.SetViewAngles(0, 0, 0);
  EXPECT_EQ(r.GetRotMat(1, 2), 1.0);
  EXPECT_EQ(r.GetRotMat(2, 1), 1.0);
  EXPECT_EQ(r.GetRotMat(1, 1), 0.0);
  EXPECT_EQ(r.GetRotMat(2, 2), 0.0);
  EXPECT_EQ(r.GetRotMat(3, 3), 1.0);
  EXPECT_EQ(r.GetRotMat(0, 1), 0.0);
  EXPECT_EQ(r.GetRotMat(1, 4), 0.0);
  // The y angle enters only the three-angle matrix.
  r.SetAxDir(adLeftHanded);
  r.SetViewAngles(0, 90, 0);
  EXPECT_EQ(r.GetRotMat(1, 1), 1.0);
  r.SetMouseRot3Axes(true);
  EXPECT_EQ(r.GetRotMat(1, 1), 0.0);
  EXPECT_EQ(r.GetRotMat(3, 1), -1.0);
  EXPECT_EQ(r.GetRotMat(1, 3), 1.0);

  // Reset restores the start values, Assign copies the settings.
  TRot3D other;
  other.Assign(r);
  EXPECT_TRUE(other.MouseRot3Axes());
  EXPECT_EQ(other.BoundBoxSize(), 4000);
  EXPECT_EQ(other.Magnify(), 40000);
  r.ResetComp();
  EXPECT_EQ(r.BoundBoxSize(), 800);
  EXPECT_EQ(r.Magnify(), 5000);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210.0);
  EXPECT_FALSE(r.MouseRot3Axes());
  EXPECT_EQ(r.MouseAction(), mamRotate);
  EXPECT_EQ(r.ColorScheme(), cscSystem);
  EXPECT_EQ(r.FrameStyle(), frsLowered);
}

// The matrix is a rotation scaled by 1000: R * R^T is about 10^6 * I, so
// screen position and depth lead back to the object point.
TEST(Rot3DView, ProjectionRoundTrips) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> ang(-400, 400);
  std::uniform_int_distribution<std::int32_t> coord(-3000, 3000);
  for (int trial = 0; trial < 40; ++trial) {
    const bool three = trial % 2 == 1;
    const TAxDir dir = trial % 4 >= 2 ? adRightHanded : adLeftHanded;
    const TRotMatrix R = three ? RotMatrix3Ax(ang(rng), ang(rng), ang(rng), dir)
                               : RotMatrix2Ax(ang(rng), ang(rng), dir);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        std::int64_t dot = 0;
        for (int k = 0; k < 3; ++k) dot += std::int64_t(R[i][k]) * R[j][k];
        EXPECT_NEAR(double(dot), i == j ? 1e6 : 0.0, 2000.0);
      }
    TRot3DView v;
    v.R = R;
    v.Magnify = 1000;  // one pixel per object unit
    v.CentX = 400;
    v.CentY = 300;
    for (int k = 0; k < 20; ++k) {
      const std::int64_t X = coord(rng), Y = coord(rng), Z = coord(rng);
      const double sx = double(v.ScreenX(X, Y, Z) - v.CentX);
      const double sy = double(v.ScreenY(X, Y, Z) - v.CentY);
      const double d = double(v.Depth(X, Y, Z)) / 1000.0;
      // Back with the transpose (the inverse of a rotation).
      for (int c = 0; c < 3; ++c) {
        const double back = (R[0][c] * sx + R[1][c] * sy + R[2][c] * d) / 1000.0;
        const double want = c == 0 ? double(X) : c == 1 ? double(Y) : double(Z);
        EXPECT_NEAR(back, want, 12.0) << "trial " << trial;
      }
    }
  }

  // World -> object -> world within half an object unit.
  TRot3D r;
  r.MarkAt(-3, 2, 0.5, 1);
  r.MarkAt(5, -7, 9, 1);
  r.MakeVisible();
  for (const double t : {0.0, 0.25, 0.5, 0.9}) {
    const double x = -3 + 8 * t, y = 2 - 9 * t, z = 0.5 + 8.5 * t;
    const auto o = r.WorldToObject(x, y, z);
    EXPECT_NEAR(o[0] / r.ScaleFactX() + r.OriginX(), x, 0.5 / r.ScaleFactX());
    EXPECT_NEAR(o[1] / r.ScaleFactY() + r.OriginY(), y, 0.5 / r.ScaleFactY());
    EXPECT_NEAR(o[2] / r.ScaleFactZ() + r.OriginZ(), z, 0.5 / r.ScaleFactZ());
  }
  // Screen of a projected object: the integer formula exactly.
  r.SetViewAngles(30, 0, 45);
  std::int64_t px = 0, py = 0;
  r.ProjectObject(1, px, py);
  const TRotMatrix& R = r.View().R;
  const std::int64_t X = r.ObjX(1), Y = r.ObjY(1), Z = r.ObjZ(1);
  EXPECT_EQ(px, (X * R[0][0] + Y * R[0][1] + Z * R[0][2]) / 5000 + 225);
  EXPECT_EQ(py, (X * R[1][0] + Y * R[1][1] + Z * R[1][2]) / 5000 + 150);
}

TEST(Rot3DSearch, NearestRealPoint) {
  TRot3D r;
  double dist = 0;
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkEverything, dist), -1);
  r.MarkAt(0, 0, 0, 1);
  r.Line(3, 0, 0, 100, 100, 100);  // only the first point counts
  r.Moveto(0, 4, 0);
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkNone, dist), -1);
  EXPECT_DOUBLE_EQ(dist, std::sqrt(std::numeric_limits<double>::max()));
  EXPECT_EQ(r.FindNearestItemReal(2.5, 0, 0, tkEverything, dist), 1);
  EXPECT_DOUBLE_EQ(dist, 0.5);
  EXPECT_EQ(r.FindNearestItemReal(2.5, 0, 0, tkMarkAt, dist), 0);
  EXPECT_DOUBLE_EQ(dist, 2.5);
  EXPECT_EQ(r.FindNearestItemReal(0, 3, 0, tkMoveto, dist), 2);
  EXPECT_EQ(r.FindNearestItemReal(0, 3, 0, tkLineto, dist), -1);
}

// The screen search against a brute-force search in doubles, from several
// view angles, with kind filters.
TEST(Rot3DSearch, NearestOnScreenFromSeveralAngles) {
  TRot3D r;
  r.SetBounds(0, 0, 800, 600);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int i = 0; i < 300; ++i) {
    if (i % 3 == 2)
      r.Line(u(rng), u(rng), u(rng), u(rng), u(rng), u(rng));
    else
      r.MarkAt(u(rng), u(rng), u(rng), 1);
  }
  r.MakeVisible();
  const double angles[][3] = {{110, 150, 210}, {0, 0, 0}, {90, 0, 0}, {45, 30, 300}, {-60, 0, 725}};
  for (const auto& a : angles) {
    r.SetViewAngles(a[0], a[1], a[2]);
    // Every mark is found at its own pixel (or one at the same pixel).
    for (std::int32_t i = 0; i < r.NumItems(); i += 7) {
      const Tr3ChartItem it = r.GetChartItem(i);
      const TPoint p = r.WorldToScreen(it.x, it.y, it.z);
      double dist = -1;
      const std::int32_t found = r.FindNearestItemScreen(p.x, p.y, tkEverything, dist);
      EXPECT_EQ(dist, 0.0);
      const Tr3ChartItem f = r.GetChartItem(found);
      const TPoint q = r.WorldToScreen(f.x, f.y, f.z);
      const TPoint q2 = r.WorldToScreen(f.x2, f.y2, f.z2);
      EXPECT_TRUE(q == p || (f.ItemKind == tkLine && q2 == p)) << "angle " << a[0];
    }
    // Random pixels: the result is as near as the best of a full search.
    std::uniform_int_distribution<int> px(0, 799), py(0, 599);
    for (int k = 0; k < 25; ++k) {
      const int mx = px(rng), my = py(rng);
      for (const Tr3Item kind : {tkEverything, tkMarkAt, tkLine}) {
        double best = 1e300;
        for (std::int32_t o = 0; o < r.NumObjects(); ++o) {
          if (kind != tkEverything && r.GetChartItem(r.ObjBackLink(o)).ItemKind != kind) continue;
          std::int64_t x = 0, y = 0;
          r.ProjectObject(o, x, y);
          best = std::min(best, std::hypot(double(x - mx), double(y - my)));
        }
        double dist = 0;
        const std::int32_t found = r.FindNearestItemScreen(mx, my, kind, dist);
        ASSERT_GE(found, 0);
        if (kind != tkEverything) {
          EXPECT_EQ(r.GetChartItem(found).ItemKind, kind);
        }
        EXPECT_NEAR(dist, best, 1e-9);
      }
    }
  }
}

// Removed items are never reported: their objects lose the link, later
// objects follow their items down.
TEST(Rot3DSearch, ScreenSearchSkipsRemovedItems) {
  TRot3D r;
  r.SetViewAngles(0, 0, 0);  // screen x, y follow object x, y
  r.MarkAt(0, 0, 0, 1);
  r.MarkAt(2, 0, 0, 1);
  r.MarkAt(10, 10, 0, 1);
  r.MakeVisible();
  const TPoint p0 = r.WorldToScreen(0, 0, 0);
  double dist = 0;
  EXPECT_EQ(r.FindNearestItemScreen(p0.x, p0.y, tkEverything, dist), 0);
  r.RemoveItem(0);
  EXPECT_EQ(r.ObjBackLink(0), -1);
  EXPECT_EQ(r.ObjBackLink(1), 0);
  const std::int32_t found = r.FindNearestItemScreen(p0.x, p0.y, tkEverything, dist);
  ASSERT_EQ(found, 0);
  EXPECT_DOUBLE_EQ(r.GetChartItem(found).x, 2.0);  // the former item 1
  EXPECT_GT(dist, 0.0);
  r.RemoveLastItem();
  r.RemoveLastItem();
  EXPECT_EQ(r.FindNearestItemScreen(p0.x, p0.y, tkEverything, dist), -1);
  // The objects stay on screen until the next build.
  EXPECT_EQ(r.NumObjects(), 3);
}

}  // namespace
}  // namespace kvo
