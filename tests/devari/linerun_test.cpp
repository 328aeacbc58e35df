// Runs of line vertices: DrawLineRun against drawing the same items one by
// one (pixels, device calls and the renderer's state afterwards), the exact
// fast mapping on extreme ranges, and the run index.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "devari/itemcontainer.h"
#include "devari/tdevari.h"
#include "tests/support/chart_fixture.h"
#include "devari/linerun_p.h"
#include "devari/renderer_p.h"
#include "devari/runindex_p.h"
#include "platform/bitmap.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct TAxes {
  TAxisRange X{0, 10, false}, Y{-1.5, 1.5, false};
};

// A data area 321 x 241 (control 381 x 297 with margins 50/10/16/40).
class LineRun : public ::testing::Test {
protected:
  void SetAxes(const TAxes& a, std::int32_t left = 0, std::int32_t top = 0) {
    geom = {381, 297, 50, 10, 16, 40, 0};
    ASSERT_TRUE(tf.Adjust(geom, a.X, a.Y, a.X, a.Y));
    ctx = {};
    ctx.Transforms = &tf;
    ctx.Geometry = geom;
    ctx.Left = left;
    ctx.Top = top;
  }
  TrcChartItem Item(TrcItem kind, double x, double y, TColor col = clNavy) {
    TrcChartItem it{};
    CleadEvariItem(it);
    it.ItemKind = kind;
    it.x = x;
    it.y = y;
    it.LWid = 1;
    it.Layer = 1;
    it.Color = col;
    return it;
  }

  struct TSide {
    TItemRenderer R;
    TBitmap Bmp;
    TMetafile Mf{321, 241};
  };
  // Draws prelude, run and epilogue on both sides, the run item by item on
  // a and as one call on b; the canvas is the bitmap or the recording.
  void DrawBoth(TSide& a, TSide& b, const TrcChartItem& tmpl, std::span<const TXY> pts,
                const TRunIndex* index, bool record, double surfaceScale = 1,
                const std::function<void(TCanvas&)>& setup = {}) {
    TSide* sides[2] = {&a, &b};
    for (int s = 0; s < 2; ++s) {
      TSide& side = *sides[s];
      side.Bmp.SetSize(321, 241);
      side.Bmp.SetSurfaceScale(surfaceScale);
      side.Bmp.Fill(clWhite);
      TCanvas& c = record ? side.Mf.Canvas() : side.Bmp.Canvas();
      side.R = TItemRenderer{};
      side.R.BeginPass(c, ctx, 1, clWhite);
      if (setup) setup(c);
      side.Mf.Clear();
      // A pending polyline in another colour, and one in the run's.
      side.R.DrawItem(c, Item(tkMoveTo, 1, 0), texts, false, 0);
      side.R.DrawItem(c, Item(tkLineto, 2, 1, clRed), texts, false, 1);
      side.R.DrawItem(c, Item(tkLineto, 3, -1, clRed), texts, false, 2);
      TrcChartItem same = tmpl;
      same.x = 0.5;
      same.y = 0.2;
      side.R.DrawItem(c, same, texts, false, 3);
      if (s == 0) {
        TrcChartItem it = tmpl;
        for (std::size_t i = 0; i < pts.size(); ++i) {
          it.x = pts[i].x;
          it.y = pts[i].y;
          side.R.DrawItem(c, it, texts, false, std::int32_t(4 + i));
        }
      } else if (split > 0 && split < pts.size()) {
        // Two runs one after the other, each with its own index.
        const TRunIndex head(pts.first(split)), tail(pts.subspan(split));
        side.R.DrawLineRun(c, tmpl, pts.first(split), &head, &texts, false, 4);
        side.R.DrawLineRun(c, tmpl, pts.subspan(split), &tail, &texts, false,
                           std::int32_t(4 + split));
      } else {
        side.R.DrawLineRun(c, tmpl, pts, index, &texts, false, 4);
      }
      // The run's end goes on: a vertex, a relative one, a finish.
      if (!epilogue) {
        side.R.FinishPolyLine(c);
        continue;
      }
      TrcChartItem after = tmpl;
      after.x = 9;
      after.y = 0.3;
      side.R.DrawItem(c, after, texts, false, 0);
      TrcChartItem rel = Item(tkLineRelPix, 5, -7, tmpl.Color);
      rel.PenStyle = tmpl.PenStyle;
      rel.FillColor = tmpl.FillColor;
      rel.LWid = tmpl.LWid;
      side.R.DrawItem(c, rel, texts, false, 0);
      side.R.FinishPolyLine(c);
    }
  }
  // Pixel-identical run and identical state, on bitmaps.
  // Returns the number of pixels the items set.
  std::int64_t ExpectSame(const TrcChartItem& tmpl, std::span<const TXY> pts, const TRunIndex* index,
                          const char* what, double surfaceScale = 1,
                          const std::function<void(TCanvas&)>& setup = {}) {
    SCOPED_TRACE(what);
    TSide a, b;
    DrawBoth(a, b, tmpl, pts, index, false, surfaceScale, setup);
    ExpectSameState(a.R, b.R);
    EXPECT_EQ(a.Bmp.Width(), b.Bmp.Width());
    std::int64_t differ = 0, inked = 0;
    for (std::int32_t y = 0; y < a.Bmp.Height(); ++y)
      for (std::int32_t x = 0; x < a.Bmp.Width(); ++x) {
        const TRGB32 p = a.Bmp.ScanLine(y)[x], q = b.Bmp.ScanLine(y)[x];
        if (std::memcmp(&p, &q, sizeof p) != 0 && ++differ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y;
        if (p.R != 255 || p.G != 255 || p.B != 255) ++inked;
      }
    EXPECT_EQ(differ, 0);
    return inked;
  }
  static void ExpectSameState(const TItemRenderer& a, const TItemRenderer& b) {
    EXPECT_EQ(a.FLastMoveToX, b.FLastMoveToX);
    EXPECT_EQ(a.FLastMoveToY, b.FLastMoveToY);
    EXPECT_EQ(a.FLastPenCol, b.FLastPenCol);
    EXPECT_EQ(a.FLastPenStyle, b.FLastPenStyle);
    EXPECT_EQ(a.FLastBrushCol, b.FLastBrushCol);
    EXPECT_EQ(a.FLastLWidth, b.FLastLWidth);
    EXPECT_EQ(a.FNumPPa, b.FNumPPa);
  }

  TChartGeometry geom;
  TLayerTransforms tf;
  TRenderContext ctx;
  TLongTextArray texts;
  bool epilogue = true;  // vertices drawn after the run
  std::size_t split = 0;  // when > 0, the run is drawn as two runs split there
};

// Series generators: every kind of run the chart meets.
std::vector<TXY> NoisySine(std::size_t n, double x0, double x1, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> noise(-0.2, 0.2);
  std::vector<TXY> v(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = x0 + (x1 - x0) * double(i) / double(n - 1);
    v[i] = {x, std::sin(x * 1.7) + noise(rng)};
  }
  return v;
}
std::vector<TXY> RandomWalk(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> step(0, 0.05);
  std::vector<TXY> v(n);
  double x = 5, y = 0;
  for (auto& p : v) {
    x += step(rng) * 2;
    y += step(rng);
    p = {x, y};
  }
  return v;
}
// Steps, vertical and horizontal stretches, repeated vertices.
std::vector<TXY> Steps(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_real_distribution<double> u(-1.4, 1.4);
  std::vector<TXY> v;
  double x = -0.5, y = 0;
  while (v.size() < n) {
    switch (kind(rng)) {
      case 0: for (int k = 0; k < 20; ++k) v.push_back({x, u(rng)}); break;  // vertical
      case 1: for (int k = 0; k < 20; ++k) v.push_back({x += 0.02, y}); break;  // horizontal
      case 2: v.push_back({x, y}); v.push_back({x, y}); break;                   // repeated
      default: y = u(rng); v.push_back({x += 0.3, y}); break;                   // a step
    }
  }
  return v;
}
void AddGaps(std::vector<TXY>& v, std::uint32_t seed, int count) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> at(0, v.size() - 1);
  for (int i = 0; i < count; ++i) {
    const std::size_t k = at(rng);
    (i % 2 ? v[k].x : v[k].y) = kNaN;
  }
}
void AddFarPoints(std::vector<TXY>& v, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> at(0, v.size() - 1);
  const double far[] = {1e7, -1e9, 1e300, -1e300, kInf, -kInf, 3e4, -2e5};
  for (double f : far) {
    v[at(rng)].y = f;
    v[at(rng)].x = f;
  }
}

std::vector<TXY> Sorted(std::vector<TXY> v) {
  std::sort(v.begin(), v.end(), [](const TXY& a, const TXY& b) { return a.x < b.x; });
  return v;
}

TEST_F(LineRun, RunsDrawTheItemsPixelsOnEveryAxis) {
  struct TCase {
    const char* Name;
    TAxes Axes;
  };
  const TCase cases[] = {
      {"linear", {{0, 10, false}, {-1.5, 1.5, false}}},
      {"reversed", {{10, 0, false}, {1.5, -1.5, false}}},
      {"zoomed", {{4.8, 5.3, false}, {-0.5, 0.9, false}}},
      {"log x", {{0.01, 20, true}, {-1.5, 1.5, false}}},
      {"log y reversed", {{0, 10, false}, {100, 1e-3, true}}},
  };
  TrcChartItem tmpl = Item(tkLineto, 0, 0, clNavy);
  std::uint32_t seed = 1;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetAxes(c.Axes);
    const bool logY = c.Axes.Y.Log;
    auto fix = [&](std::vector<TXY> v) {
      if (logY)
        for (auto& p : v) p.y = std::exp(p.y * 3);  // 0.01 .. 100
      return v;
    };
    std::vector<std::vector<TXY>> series = {
        fix(NoisySine(20000, -0.5, 10.5, seed++)), fix(RandomWalk(5000, seed++)),
        fix(Steps(3000, seed++)), fix(Sorted(RandomWalk(4000, seed++)))};
    std::vector<TXY> gaps = fix(NoisySine(5000, 0, 10, seed++));
    AddGaps(gaps, seed++, 40);
    gaps.front().y = kNaN;
    gaps.back().x = kNaN;
    series.push_back(gaps);
    std::vector<TXY> far = fix(RandomWalk(3000, seed++));
    AddFarPoints(far, seed++);
    series.push_back(far);
    std::vector<TXY> sortedFar = Sorted(NoisySine(6000, -1e6, 1e6, seed++));
    sortedFar[10].y = kInf;
    sortedFar[3000].y = -1e300;
    series.push_back(fix(sortedFar));
    // Whole runs beyond an edge: only the segment into them shows.
    std::vector<TXY> above = RandomWalk(2000, seed++), right = Sorted(RandomWalk(2000, seed++));
    for (auto& p : above) p.y += 40;
    for (auto& p : right) p.x += 1e4;
    series.push_back(fix(above));
    series.push_back(fix(right));
    std::int64_t inked = 0;
    for (const auto& pts : series) {
      SCOPED_TRACE(&pts - series.data());
      const TRunIndex idx(pts);
      inked += ExpectSame(tmpl, pts, nullptr, "no index");
      inked += ExpectSame(tmpl, pts, &idx, "index");
      split = pts.size() / 3;
      inked += ExpectSame(tmpl, pts, nullptr, "two runs");
      split = 0;
    }
    EXPECT_GT(inked, 1000);
  }
}

TEST_F(LineRun, LongSortedRunsThroughThePyramidKeepEveryPixel) {
  SetAxes({});
  TrcChartItem tmpl = Item(tkLineto, 0, 0, clGreen);
  std::vector<TXY> pts = NoisySine(400000, -20, 30, 7);
  // Plateaus, a spike column, and far ends.
  for (std::size_t i = 100000; i < 100400; ++i) pts[i].y = 0.7;
  for (std::size_t i = 200000; i < 200300; ++i) pts[i].x = pts[200000].x;
  pts[250000].y = 1e300;
  TRunIndex idx;
  for (std::size_t at = 0; at < pts.size(); at += 77777)  // built as appended
    idx.Append(std::span<const TXY>(pts).subspan(at, std::min<std::size_t>(77777, pts.size() - at)));
  ASSERT_TRUE(idx.XSorted());
  for (const TAxes& a : {TAxes{}, TAxes{{4.001, 4.002, false}, {-2, 2, false}},
                         TAxes{{30, -20, false}, {2, -2, false}},
                         TAxes{{1e-3, 1e3, true}, {-1.5, 1.5, false}}}) {
    SetAxes(a);
    EXPECT_GT(ExpectSame(tmpl, pts, &idx, "pyramid"), 300);
  }
  // The same run seen from a foreign canvas origin.
  SetAxes({}, -120, 35);
  EXPECT_GT(ExpectSame(tmpl, pts, &idx, "origin"), 300);
  // Dense columns with few rows: the last vertex of a column often shares
  // its row with an earlier extreme.
  // Gaps: single NaN vertices, a long run of them, at the ends, in and out
  // of the views.
  std::vector<TXY> holed = pts;
  for (std::size_t i = 0; i < holed.size(); i += 9973) holed[i].y = kNaN;
  for (std::size_t i = 150000; i < 170000; ++i) holed[i].x = kNaN;
  holed.front().x = kNaN;
  holed.back().y = kNaN;
  holed[holed.size() - 2].y = kNaN;
  const TRunIndex holedIdx(holed);
  ASSERT_TRUE(holedIdx.XSorted() && holedIdx.GapsKnown());
  for (const TAxes& a : {TAxes{}, TAxes{{4.001, 4.002, false}, {-2, 2, false}},
                         TAxes{{-20, -19.99, false}, {-2, 2, false}},
                         TAxes{{29.99, 30.5, false}, {-2, 2, false}},
                         TAxes{{30, -20, false}, {2, -2, false}}}) {
    SetAxes(a);
    ExpectSame(tmpl, holed, &holedIdx, "gaps");
    epilogue = false;
    ExpectSame(tmpl, holed, &holedIdx, "gaps at the end");
    epilogue = true;
  }
  // The run ends the polyline, so that its last column shows.
  std::mt19937 rng(9);
  std::uniform_int_distribution<int> row(0, 6);
  std::vector<TXY> dense(4000);
  SetAxes({});
  epilogue = false;
  for (int trial = 0; trial < 40; ++trial) {
    for (std::size_t i = 0; i < dense.size(); ++i)
      dense[i] = {double(i / 700) * 10.0 / 320, -0.3 + row(rng) * 0.0125};
    const TRunIndex denseIdx(dense);
    EXPECT_GT(ExpectSame(tmpl, dense, &denseIdx, "dense columns"), 10);
  }
}

// Runs drawn again from the renderer's kept polylines: the same pixels as
// the items, through changes of pen, start point, ranges and version.
TEST_F(LineRun, KeptRunsRedrawTheItemsPixelsAndFollowEveryChange) {
  std::vector<TXY> pts = RandomWalk(20000, 31);
  AddGaps(pts, 32, 6);
  const TRunIndex idx(pts);
  TItemRenderer kept;
  TBitmap a(321, 241), b(321, 241);
  struct TStep {
    TAxes Axes;
    TColor Color;
    double StartY;
    std::uint64_t Version;
    bool Hit;
  };
  const TStep steps[] = {
      {TAxes{}, clNavy, 0.2, 7, false},   {TAxes{}, clNavy, 0.2, 7, true},
      {TAxes{}, clRed, 0.2, 7, true},     {TAxes{}, clRed, 0.9, 7, false},
      {TAxes{{1, 9, false}, {-1, 1, false}}, clRed, 0.9, 7, false},
      {TAxes{{1, 9, false}, {-1, 1, false}}, clRed, 0.9, 8, false},
      {TAxes{{1, 9, false}, {-1, 1, false}}, clRed, 0.9, 8, true}};
  for (const TStep& st : steps) {
    SetAxes(st.Axes);
    TrcChartItem tmpl = Item(tkLineto, 0, 0, st.Color);
    const std::uint64_t hits = kept.RunCacheHits();
    for (int side = 0; side < 2; ++side) {
      TBitmap& bmp = side == 0 ? a : b;
      TItemRenderer fresh;
      TItemRenderer& r = side == 0 ? fresh : kept;
      bmp.Fill(clWhite);
      r.BeginPass(bmp.Canvas(), ctx, 1, clWhite);
      r.DrawItem(bmp.Canvas(), Item(tkMoveTo, 0.5, st.StartY), texts, false, 0);
      if (side == 0) {
        TrcChartItem it = tmpl;
        for (const TXY& p : pts) {
          it.x = p.x;
          it.y = p.y;
          r.DrawItem(bmp.Canvas(), it, texts, false, 0);
        }
      } else {
        r.DrawLineRun(bmp.Canvas(), tmpl, pts, &idx, nullptr, false, 0, st.Version);
      }
      r.FinishPolyLine(bmp.Canvas());
    }
    EXPECT_EQ(kept.RunCacheHits() > hits, st.Hit);
    EXPECT_EQ(std::memcmp(a.Bits(), b.Bits(), 321 * 241 * 4), 0);
  }
}

// The reducer alone against the full polyline: short random polylines in a
// few columns and rows around the edges of a small bitmap.
TEST(LineRunReducer, KeepsEveryPixelOfDenseColumnsAndEdges) {
  std::mt19937 rng(21);
  std::uniform_int_distribution<int> xs(-3, 12), ys(-3, 12), len(2, 40);
  TBitmap full(10, 10), reduced(10, 10);
  std::vector<TPoint> pts;
  int failures = 0;
  std::size_t in = 0, out = 0;
  for (int trial = 0; trial < 20000 && failures < 5; ++trial) {
    pts.resize(std::size_t(len(rng)));
    const int cols = 1 + trial % 4;
    for (auto& p : pts) p = {xs(rng) % cols + (trial % 3 == 0 ? -2 : 3), ys(rng)};
    full.Fill(clWhite);
    reduced.Fill(clWhite);
    full.Canvas().Polyline(pts.data(), pts.size());
    {
      TLineReducer r(reduced.Canvas(), 10, 10);
      r.Start(pts[0]);
      for (std::size_t i = 1; i < pts.size(); ++i) r.Add(pts[i]);
      r.Finish();
      in += pts.size() - 1;
      out += r.Emitted();
    }
    if (std::memcmp(full.Bits(), reduced.Bits(), 10 * 10 * 4) != 0) {
      ++failures;
      std::string s;
      for (const TPoint& p : pts) s += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
      ADD_FAILURE() << s;
    }
  }
  EXPECT_EQ(failures, 0);
  EXPECT_LT(out * 4, in * 3);  // it does reduce
}

TEST_F(LineRun, PensAndCanvasesTheReductionCannotKeepGetTheItemsCalls) {
  SetAxes({});
  std::vector<TXY> pts = RandomWalk(3000, 11);
  AddGaps(pts, 12, 10);
  const TRunIndex idx(pts);
  TrcChartItem dashed = Item(tkLineto, 0, 0, clMaroon);
  dashed.PenStyle = psDashDot;
  TrcChartItem wide = Item(tkLineto, 0, 0, clTeal);
  wide.LWid = 3;
  TrcChartItem solid = Item(tkLineto, 0, 0, clBlue);
  ExpectSame(dashed, pts, &idx, "dashed");
  ExpectSame(wide, pts, &idx, "wide");
  ExpectSame(solid, pts, &idx, "xor", 1, [](TCanvas& c) { c.Pen().SetMode(pmXor); });
  ExpectSame(solid, pts, &idx, "antialiased", 1, [](TCanvas& c) { c.SetAntialias(true); });
  ExpectSame(solid, pts, &idx, "surface scale 2", 2);
  // On a recording canvas every call is the item path's own.
  for (const TrcChartItem* t : {&dashed, &solid}) {
    TSide a, b;
    DrawBoth(a, b, *t, pts, &idx, true);
    ASSERT_EQ(a.Mf.Records().size(), b.Mf.Records().size());
    for (std::size_t i = 0; i < a.Mf.Records().size(); ++i)
      ASSERT_EQ(a.Mf.Records()[i].ToString(), b.Mf.Records()[i].ToString()) << i;
    ExpectSameState(a.R, b.R);
  }
  // Marks (their own run path) and other kinds (item by item) give the
  // item path's pixels, and the very same canvas calls.
  TrcChartItem mark = Item(tkMarkAt, 0, 0, clRed);
  mark.Param3 = 7;
  ExpectSame(mark, pts, &idx, "marks");
  TSide ma, mb;
  DrawBoth(ma, mb, mark, pts, &idx, true);
  ASSERT_EQ(ma.Mf.Records().size(), mb.Mf.Records().size());
  for (std::size_t i = 0; i < ma.Mf.Records().size(); ++i)
    ASSERT_EQ(ma.Mf.Records()[i].ToString(), mb.Mf.Records()[i].ToString()) << i;
}

TEST_F(LineRun, WhichCanvasesReduce) {
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  EXPECT_TRUE(ReducibleLines(c));
  c.Pen().SetMode(pmXor);
  EXPECT_FALSE(ReducibleLines(c));
  c.Pen().SetMode(pmMask);
  EXPECT_TRUE(ReducibleLines(c));
  c.Pen().SetMode(pmCopy);
  c.Pen().SetStyle(psDot);
  EXPECT_FALSE(ReducibleLines(c));
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(2);
  EXPECT_FALSE(ReducibleLines(c));
  c.Pen().SetWidth(1);
  bmp.SetSurfaceScale(2);
  EXPECT_FALSE(ReducibleLines(bmp.Canvas()));
  TMetafile mf(10, 10);
  EXPECT_FALSE(ReducibleLines(mf.Canvas()));
}

// The double mapping equals the extended-precision one everywhere: random
// values, values next to half-pixel boundaries, and the extreme ranges.
TEST(LineRunMapping, DoubleMappingEqualsTheReferenceOnExtremeRanges) {
  const TAxisRange ranges[] = {
      {0, 1, false},          {1, 0, false},           {-1e-300, 1e-300, false},
      {1e9, 1e9 + 1e-3, false}, {1e15, 1e15 + 1, false}, {-1e300, 1e300, false},
      {1e300, -1e300, false}, {0.5, 0.5 + 1e-12, false}, {-7, 1e6, false},
      {1e-100, 1e200, true},  {1, 10, true},           {1e-300, 1e-290, true},
      {1e5, 1e5 * (1 + 1e-12), true}, {100, 0.01, true},
      {-1.7e308, 1.7e308, false}};  // a slope below the normal doubles on a 1-pixel axis
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> unit(-0.2, 1.2);
  std::uniform_int_distribution<int> pix(-50, 900);
  std::int64_t checked = 0, mismatches = 0;
  for (const TAxisRange& r : ranges) {
    for (const TChartGeometry g : {TChartGeometry{800, 600, 50, 20, 20, 40, 0},
                                   TChartGeometry{100000, 3, 7, 5, 1, 1, 0}}) {
      TLayerTransforms t;
      ASSERT_TRUE(t.Adjust(g, r, r, r, r));
      std::vector<double> values;
      for (bool isX : {true, false}) {
        const TAxisMapper m(t, 1, isX, isX ? -g.LRim : 17);
        const long double k = isX ? t.Cpkx[1] : t.Cpky[1], d = isX ? t.Cpdx[1] : t.Cpdy[1];
        auto check = [&](double v) {
          ++checked;
          if (m(v) != m.Exact(v)) ++mismatches;
          values.push_back(v);
        };
        for (int i = 0; i < 20000; ++i) {
          const double f = unit(rng);
          double v;
          if (r.Log) v = double(std::exp(std::log(r.Low) + f * (std::log(r.High) - std::log(r.Low))));
          else v = double(r.Low + f * (r.High - r.Low));
          check(v);
          // Next to the world value of a half pixel, a few steps either way.
          long double w = (pix(rng) + 0.5L - d) / k;
          if (r.Log) w = std::exp(w);
          double h = double(w);
          for (int s = 0; s < 4; ++s) h = std::nextafter(h, -kInf);
          for (int s = 0; s < 8; ++s, h = std::nextafter(h, kInf)) check(h);
        }
        for (double v : {0.0, -0.0, 1e-100, 1.0000000000000001e-100, -1.0, kInf, -kInf, kNaN, 1e308,
                         -1e308, 5e-324})
          check(v);
      }
      // The block mapping of both coordinates at once, values paired both ways.
      const TPointMapper pm(t, 1, -g.LRim, 17);
      std::vector<TXY> pts(values.size());
      for (std::size_t i = 0; i < values.size(); ++i)
        pts[i] = {values[i], values[values.size() - 1 - i]};
      std::vector<TPoint> out(pts.size());
      pm.Map(pts.data(), pts.size(), out.data());
      for (std::size_t i = 0; i < pts.size(); ++i) {
        ++checked;
        if (out[i] != TPoint{pm.X().Exact(pts[i].x), pm.Y().Exact(pts[i].y)}) ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(checked, 1000000);
}

TEST(LineRunIndex, ExtremesOfAnyRangeAndAppendingEqualsRebuilding) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(-100, 100);
  std::vector<TXY> pts(10007);
  for (std::size_t i = 0; i < pts.size(); ++i) pts[i] = {double(i), u(rng)};
  pts[500].y = kNaN;
  pts[501].y = kInf;
  for (std::size_t i = 2000; i < 2100; ++i) pts[i].y = kNaN;  // whole NaN blocks
  TRunIndex built(pts), appended;
  for (std::size_t at = 0; at < pts.size();) {
    const std::size_t k = std::min<std::size_t>(1 + rng() % 300, pts.size() - at);
    appended.Append(std::span<const TXY>(pts).subspan(at, k));
    at += k;
  }
  EXPECT_TRUE(built.XSorted());
  EXPECT_TRUE(built.HasNaN());
  EXPECT_TRUE(built.HasInf());
  EXPECT_EQ(built.XMin(), 0);
  EXPECT_EQ(built.XMax(), 10006);
  EXPECT_LT(built.YMax(), 100);  // the infinity is not a bound
  EXPECT_EQ(built.AllY().Max, kInf);
  EXPECT_LE(built.MemoryBytes(), 3 * pts.size());
  EXPECT_LE(appended.MemoryBytes(), 3 * pts.size());
  std::uniform_int_distribution<std::size_t> at(0, pts.size());
  for (int q = 0; q < 3000; ++q) {
    std::size_t a = at(rng), b = at(rng);
    if (a > b) std::swap(a, b);
    if (q % 10 == 0) b = std::min(pts.size(), a + q % 40);
    TRunIndex::TMinMax want;
    for (std::size_t i = a; i < b; ++i) {
      if (pts[i].y < want.Min) want.Min = pts[i].y;
      if (pts[i].y > want.Max) want.Max = pts[i].y;
    }
    for (const TRunIndex* idx : {&built, &appended}) {
      const TRunIndex::TMinMax got = idx->RangeY(pts, a, b);
      ASSERT_EQ(got.Min, want.Min) << a << ".." << b;
      ASSERT_EQ(got.Max, want.Max) << a << ".." << b;
    }
  }
  // The gap runs, the same built or appended.
  const auto runs = built.GapRuns();
  ASSERT_TRUE(built.GapsKnown() && appended.GapsKnown());
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Begin, 500u);
  EXPECT_EQ(runs[0].End, 501u);
  EXPECT_EQ(runs[1].Begin, 2000u);
  EXPECT_EQ(runs[1].End, 2100u);
  ASSERT_EQ(appended.GapRuns().size(), 2u);
  EXPECT_EQ(appended.GapRuns()[1].End, 2100u);
  // Order over the vertices without NaN.
  std::vector<TXY> bad = {{0, 0}, {1, 0}, {1, 0}, {0.5, 0}};
  EXPECT_FALSE(TRunIndex(bad).XSorted());
  bad = {{0, 0}, {kNaN, 0}, {-1, kNaN}, {3, 0}};
  EXPECT_TRUE(TRunIndex(bad).XSorted());
  bad.push_back({2, 0});
  TRunIndex grow(std::span<const TXY>(bad).first(1));
  EXPECT_TRUE(grow.XSorted());
  grow.Append(std::span<const TXY>(bad).subspan(1));
  EXPECT_FALSE(grow.XSorted());
  EXPECT_EQ(grow.Count(), 5u);
  // Many gaps are not kept.
  std::vector<TXY> holes(1000);
  for (std::size_t i = 0; i < holes.size(); ++i) holes[i] = {double(i), i % 2 ? kNaN : 1.0};
  EXPECT_FALSE(TRunIndex(holes).GapsKnown());
  EXPECT_TRUE(TRunIndex(holes).HasNaN());
}

// Whole charts: the packed runs' paths (reduction, pyramid, kept
// polylines, mark batches) paint the pixels of the item path, which an item
// handler that changes nothing forces.
TEST(ChartRuns, PackedChartsPaintTheItemPathsPixels) {
  struct TCase {
    const char* Name;
    bool LogY, ReversedX;
    double Scale;
  };
  const TCase cases[] = {{"linear", false, false, 1}, {"log y", true, false, 1},
                         {"reversed x", false, true, 1}, {"hidpi", false, false, 2}};
  for (const TCase& k : cases) {
    SCOPED_TRACE(k.Name);
    TDEvari a, b;
    b.OnBeforeRendedEvariItem = [](TObject*, TrcChartItem&, std::int32_t, bool) {};
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0, 1);
    for (TDEvari* c : {&a, &b}) {
      c->SetBounds(0, 0, 420, 300);
      c->SetSuppressPaint(false);
      c->SetSurfaceScale(k.Scale);
      test::SetRanges(*c, 1, k.ReversedX ? 1.0 : 0.0, k.ReversedX ? 0.0 : 1.0, k.LogY ? 0.01 : -1.2,
                      k.LogY ? 10.0 : 1.2);
      c->Scale1Y().SetLogarithmic(k.LogY);
    }
    // A sorted series with steps, a gap and a vertical stretch; an unsorted
    // walk leaving the area; marks; then a sorted series appended in parts.
    std::vector<double> x(30000), y(30000);
    for (std::size_t i = 0; i < x.size(); ++i) {
      x[i] = double(i) / double(x.size() - 1);
      y[i] = (k.LogY ? 1.5 : 0) + std::sin(x[i] * 40) * ((i / 3000) % 2 ? 1.0 : 0.3) + 0.2 * u(rng);
      if (i % 7000 < 20) x[i] = x[i - i % 7000];  // vertical stretches
    }
    y[15000] = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> wx(5000), wy(5000), mx(400), my(400);
    double px = 0.5, py = k.LogY ? 1 : 0;
    for (std::size_t i = 0; i < wx.size(); ++i) {
      px += (u(rng) - 0.5) * 0.05;
      py += (u(rng) - 0.5) * 0.2;
      wx[i] = px;
      wy[i] = k.LogY ? std::fabs(py) + 1e-3 : py;
    }
    for (std::size_t i = 0; i < mx.size(); ++i) mx[i] = u(rng) * 1.2 - 0.1, my[i] = (k.LogY ? 0.02 : -1.3) + u(rng) * 2.5;
    for (TDEvari* c : {&a, &b}) {
      c->SetDataCol(clNavy);
      c->AppendPolyline(x, y);
      c->SetDataCol(clRed);
      c->AppendPolyline(wx, wy);
      c->SetDataCol(clGreen);
      c->SetFillCol(clYellow);
      c->AppendMarks(mx, my, 5);
      c->SetDataCol(clBlack);
      c->AppendPolyline(std::span(x).first(100), std::span(y).first(100));
      c->AppendPolyline(std::span(x).subspan(100, 9000), std::span(y).subspan(100, 9000), true);
    }
    ASSERT_GT(a.DataItems().Segments().size(), 3u);
    a.Paint();
    std::size_t navy = 0, red = 0, green = 0;  // every series is on the picture
    const TBitmap& pic = a.ChartBmp();
    for (std::int32_t row = 0; row < pic.Height(); ++row)
      for (std::int32_t col = 0; col < pic.Width(); ++col) {
        const TRGB32 p = pic.ScanLine(row)[col];
        navy += p.R == 0 && p.G == 0 && p.B == 0x80;
        red += p.R == 0xFF && p.G == 0 && p.B == 0;
        green += p.R == 0 && p.G == 0x80 && p.B == 0;
      }
    if (std::getenv("KVO_SAVE_RUNS")) pic.SaveToFile(std::string("/tmp/runs-") + k.Name + ".png");
    EXPECT_GT(navy, 500u);
    EXPECT_GT(red, 300u);
    EXPECT_GT(green, 1000u);
    for (int round = 0; round < 2; ++round) {  // the second paint reuses kept polylines
      a.Paint();
      b.Paint();
      const TBitmap& pa = a.ChartBmp();
      const TBitmap& pb = b.ChartBmp();
      ASSERT_EQ(pa.Width(), pb.Width());
      ASSERT_EQ(pa.Height(), pb.Height());
      for (std::int32_t row = 0; row < pa.Height(); ++row)
        ASSERT_EQ(std::memcmp(pa.ScanLine(row), pb.ScanLine(row), std::size_t(pa.Width()) * 4), 0)
            << "round " << round << " row " << row;
    }
  }
}

}  // namespace
}  // namespace kvo
