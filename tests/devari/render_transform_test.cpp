// Layer transforms, layout arithmetic and grid sequences.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "devari/grid_p.h"
#include "devari/layout_p.h"
#include "devari/transform.h"

namespace kvo {
namespace {

const TChartGeometry kGeom{280, 200, 50, 10, 16, 32, 0};

TLayerTransforms Make(const TChartGeometry& g, TAxisRange x, TAxisRange y) {
  TLayerTransforms t;
  EXPECT_TRUE(t.Adjust(g, x, y, x, y));
  return t;
}

TEST(RenderTransform, LinearEndsMapToDataAreaEdges) {
  const TLayerTransforms t = Make(kGeom, {0, 10, false}, {0, 1, false});
  std::int32_t mx, my;
  t.R2M(1, 0, 0, mx, my);
  EXPECT_EQ(mx, 50);
  EXPECT_EQ(my, 168);
  t.R2M(1, 10, 1, mx, my);
  EXPECT_EQ(mx, 270);
  EXPECT_EQ(my, 16);
  double rx, ry;
  t.M2R(1, 160, 92, rx, ry);
  EXPECT_NEAR(rx, 5.0, 1e-12);
  EXPECT_NEAR(ry, 0.5, 1e-12);
}

TEST(RenderTransform, LogarithmicAxisAndItsFloor) {
  const TLayerTransforms t = Make(kGeom, {1, 1000, true}, {0, 1, false});
  std::int32_t mx, my;
  t.R2M(1, 10, 0, mx, my);
  EXPECT_EQ(mx, 123);  // 50 + 220/3
  for (double v : {0.0, -5.0, 1e-120}) {
    t.R2M(1, v, 0, mx, my);
    EXPECT_EQ(mx, 0) << v;
  }
  // Reversed logarithmic axis: the floor lands on the low end (the right).
  const TLayerTransforms r = Make(kGeom, {1000, 1, true}, {1, 10, true});
  r.R2M(1, 0, 0, mx, my);
  EXPECT_EQ(mx, 280);
  EXPECT_EQ(my, 200);  // y axis not reversed: the bottom
  double rx, ry;
  t.M2R(1, 123, 0, rx, ry);
  EXPECT_NEAR(std::log10(rx), 1.0, 0.02);
}

TEST(RenderTransform, LogarithmicNegativeBoundStopsAndKeepsParameters) {
  TLayerTransforms t = Make(kGeom, {0, 10, false}, {0, 1, false});
  const long double kx = t.Cpkx[1], ky = t.Cpky[1];
  EXPECT_FALSE(t.Adjust(kGeom, {0, 10, true}, {5, 6, false}, {0, 1, false}, {0, 1, false}));
  EXPECT_EQ(t.Cpkx[1], kx);
  EXPECT_EQ(t.Cpky[1], ky);  // the following axes are not recomputed either
  // No data width: no error, every x on the middle.
  TChartGeometry narrow = kGeom;
  narrow.Width = 60;
  EXPECT_TRUE(t.Adjust(narrow, {0, 10, true}, {0, 1, false}, {0, 1, false}, {0, 1, false}));
  std::int32_t mx, my;
  t.R2M(1, 3, 0, mx, my);
  EXPECT_EQ(mx, 30);
}

TEST(RenderTransform, LayersAreClampedAndResultsSaturate) {
  TLayerTransforms t;
  ASSERT_TRUE(t.Adjust(kGeom, {0, 10, false}, {0, 1, false}, {0, 100, false}, {0, 1, false}));
  std::int32_t a, b, c, d;
  t.R2M(0, 10, 0, a, b);
  t.R2M(1, 10, 0, c, d);
  EXPECT_EQ(a, c);
  t.R2M(7, 100, 0, a, b);
  EXPECT_EQ(a, 270);
  t.R2M(1, 1e300, -1e300, a, b);
  EXPECT_EQ(a, 2147483647);
  EXPECT_EQ(b, 2147483647);
  t.R2M(1, -std::numeric_limits<double>::infinity(), std::nan(""), a, b);
  EXPECT_EQ(a, -2147483647);
  EXPECT_EQ(b, 0);
  double kx, dx, ky, dy;
  t.GetParams(2, kx, dx, ky, dy);
  EXPECT_DOUBLE_EQ(kx, 2.2);
  EXPECT_DOUBLE_EQ(dx, 50);
}

TEST(RenderTransform, ExtendedPrecisionDecidesNearHalves) {
  // 32.5 pixels per unit: 0.2 lands on 56.5 in decimal, but the double 0.2
  // lies slightly above it, which the extended computation keeps (57). A
  // double-precision shortcut would round 56.5 to even (56) and shift
  // pixels of ordinary decimal data.
  const TChartGeometry g{395, 280, 50, 20, 20, 40, 0};
  TLayerTransforms t;
  ASSERT_TRUE(t.Adjust(g, {0, 10, false}, {0, 10, false}, {0, 1, false}, {0, 1, false}));
  EXPECT_EQ(t.MapX(1, 0.2), 57);
  EXPECT_EQ(t.MapX(1, 2.0), 115);
  // A narrow range far from zero keeps its pixel precision.
  const double t0 = 1.7e9;
  ASSERT_TRUE(t.Adjust(kGeom, {t0, t0 + 1e-3, false}, {0, 1, false}, {0, 1, false}, {0, 1, false}));
  EXPECT_EQ(t.MapX(1, t0), 50);
  EXPECT_EQ(t.MapX(1, t0 + 0.5e-3), 160);
  EXPECT_EQ(t.MapX(1, t0 + 1e-3), 270);
}

TEST(RenderLayout, CaptionTrimAndAnchors) {
  auto width = [](std::string_view s) { return std::int32_t(s.size()) * 10; };
  // Data width 280 - 50 - 10 = 220; 50 % is 110 pixels = 11 characters.
  const std::string t = TrimCaption("abcdefghijklmnopqrst", 50, kGeom, width);
  EXPECT_EQ(t, "abcdefghi...");  // round(20 * 110 / 200) - 2 = 9
  EXPECT_EQ(TrimCaption("short", 50, kGeom, width), "short");
  EXPECT_EQ(TrimCaption("abcdefghijklmnopqrst", 0, kGeom, width), "abcdefghijklmnopqrst");
  // Multi-byte characters are cut whole.
  const std::string u = TrimCaption("\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4", 5, kGeom,
                                    [](std::string_view) { return 100; });
  EXPECT_EQ(u, "...");

  EXPECT_EQ(CaptionTextPos(kGeom, cahChartRight, cavChartTop, 0, -16, taRightJustify, 40),
            (TPoint{230, 0}));
  EXPECT_EQ(CaptionTextPos(kGeom, cahChartCenter, cavChartCenter, 0, 0, taCenter, 41),
            (TPoint{50 + 110 - 20, 16 + 76}));
  EXPECT_EQ(CaptionTextPos(kGeom, cahControlRight, cavControlBottom, -5, -3, taLeftJustify, 9),
            (TPoint{275, 197}));
  EXPECT_EQ(CaptionTextPos(kGeom, cahControlLeft, cavChartBottom, 0, 0, taLeftJustify, 9),
            (TPoint{0, 168}));
}

TEST(RenderLayout, DetectScale) {
  const TChartGeometry g{280, 200, 50, 20, 20, 40, 0};
  TAxisPlacement ys[2] = {{true, 3, 0}, {false, 3, 0}};
  TAxisPlacement xs[2] = {{true, 1, 0}, {false, 1, 0}};
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 40, 100), 1);
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 100, 170), -1);
  // The bottom edge of the data area is row 160: 39 rows below is on the
  // axis, 40 rows below is not.
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 100, 160 + 39), -1);
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 100, 160 + 40), 0);
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 100, 160), 0);
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 100, 100), 0);
  ys[1] = {true, 2, 10};
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 280 + 10 - 20 + 5, 100), 2);
  ys[0].Visible = false;
  EXPECT_EQ(DetectScaleAt(g, ys, xs, 40, 100), 0);
}

TEST(RenderGrid, LinearAndTickSequences) {
  EXPECT_EQ(GridValues(0, 1, false, 0.25, {}), (std::vector<double>{0, 0.25, 0.5, 0.75}));
  // A negative step on a linear axis is its magnitude; the first value is
  // never below the range.
  EXPECT_EQ(GridValues(1, -0.1, false, -0.5, {}), (std::vector<double>{0, 0.5}));
  EXPECT_EQ(GridValues(0, 10, false, 0, {2, 4, 6, 8, 10}), (std::vector<double>{2, 4, 6, 8}));
  EXPECT_EQ(GridValues(3, 10, false, 0, {}), (std::vector<double>{3}));
  // Tick lists in any order (minor ticks first, then majors), reversed axes.
  EXPECT_EQ(GridValues(10, 0, false, 0, {1, 3, 5, 7, 9, 0, 5, 10}),
            (std::vector<double>{0, 1, 3, 5, 7, 9}));
  EXPECT_EQ(GridValues(0, 1e6, false, 1, {}).size(), kMaxGridLines);
  // A step that cannot advance the value ends the sequence.
  EXPECT_EQ(GridValues(1e20, 2e20, false, 1, {}).size(), 1u);
  EXPECT_TRUE(GridValues(std::nan(""), 1, false, 1, {}).empty());
}

TEST(RenderGrid, LogarithmicSequences) {
  EXPECT_EQ(GridValues(1, 1000, true, -1, {}), (std::vector<double>{1, 10, 100}));
  const std::vector<double> v = GridValues(1, 1000, true, -2, {});
  const std::vector<double> want{2, 5, 10, 20, 50, 100, 200, 500};
  ASSERT_EQ(v.size(), want.size());
  for (std::size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], want[i], want[i] * 1e-12);
  const std::vector<double> m = GridValues(30, 300, true, -3, {});
  const std::vector<double> every{30, 40, 50, 60, 70, 80, 90, 100, 200};
  ASSERT_EQ(m.size(), every.size());
  for (std::size_t i = 0; i < m.size(); ++i) EXPECT_NEAR(m[i], every[i], every[i] * 1e-12);
  EXPECT_TRUE(GridValues(-1, 100, true, -1, {}).empty());
}

}  // namespace
}  // namespace kvo
