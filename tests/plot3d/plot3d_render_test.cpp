// The surface plot's rendering, recorded and in pixels: cube, cells in
// painter's order and each mesh kind, axes (including degenerate ranges),
// the hit test against the visible cells from several views, the direct
// pixel path against the canvas, foreign canvases and the exports.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/metafile.h"
#include "platform/numeric.h"
#include "plot3d/plot3d.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<TMetaRecord> Ops(const TMetafile& mf, TMetaOp op) {
  std::vector<TMetaRecord> out;
  for (const TMetaRecord& m : mf.Records())
    if (m.Op == op) out.push_back(m);
  return out;
}

// A bumpy n x n surface with values in -1..1.
void FillBumps(TPlot3D& p, int n) {
  TPlot3D::TUpdate batch(p);
  p.GridMat.Resize(n, n);
  p.GridMat.BeginUpdate();
  for (int ix = 1; ix <= n; ++ix)
    for (int iy = 1; iy <= n; ++iy)
      p.GridMat.SetVal(ix, iy, std::sin(ix * 0.7) * std::cos(iy * 0.5));
  p.GridMat.EndUpdate();
  p.SetRange(0, 1, 0, 1, -1, 1);
  p.SetColorScaleLow(-1);
  p.SetColorScaleHigh(1);
}

class Plot3DRender : public ::testing::Test {
protected:
  void SetUp() override {
    p.SetBounds(0, 0, 400, 300);
    p.HandleNeeded();
  }
  void Record() {
    mf.Clear();
    p.ConstructDataBmp(mf.Canvas());
  }
  TPlot3D p;
  TMetafile mf{400, 300};
};

TEST_F(Plot3DRender, CubeFacesBackEdgesAndFrontEdges) {
  p.GridMat.Resize(0, 0);
  Record();
  // Default view: far corner 0, near corner 7. The three back faces meet at
  // corner 0 (faces 5, 3, 2), filled; then the hidden edges from corner 0,
  // and the front edges from corner 7 after the (empty) surface.
  const TP3Projection proj = p.Projection();
  const auto corner = [&](int i) { return proj.Project(CubeCorner(i)); };
  const auto polys = Ops(mf, TMetaOp::Polygon);
  ASSERT_EQ(polys.size(), 3u);
  const int faces[3] = {5, 3, 2};
  for (int f = 0; f < 3; ++f) {
    for (int j = 0; j < 4; ++j) EXPECT_EQ(polys[f].Points[j], corner(kCubeFaces[faces[f]][j]));
    EXPECT_EQ(polys[f].Pen.Color, p.ColorCubeFrame());
    EXPECT_EQ(polys[f].Brush.Style, bsSolid);
  }
  // The floor (face 2) faces the viewer most squarely at a tilt of 60: the
  // brightest; the shade of face f is round(200 |r|) of the way to the high colour.
  const double r = -p.GetRotMat(3, 3);  // the floor's normal is -z
  const int shade = Round(200 * -r);
  EXPECT_EQ(GetRValue(polys[2].Brush.Color), 0xC0 + (0xEE - 0xC0) * shade / 200);  // red of 0xFEEEEE
  const auto lines = Ops(mf, TMetaOp::Line);
  ASSERT_GE(lines.size(), 6u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(lines[k].Points[0], corner(0));
    EXPECT_EQ(lines[k].Points[1], corner(std::array{1, 2, 4}[k]));
    EXPECT_EQ(lines[k].Pen.Color, p.ColorCubeHidLin());
    EXPECT_EQ(lines[3 + k].Points[0], corner(7));
    EXPECT_EQ(lines[3 + k].Points[1], corner(std::array{3, 5, 6}[k]));
    EXPECT_EQ(lines[3 + k].Pen.Color, p.ColorCubeFrame());
  }
  // The x axis runs from corner 2 to 6, the y axis from 4 to 6: their first
  // ticks start on those corners.
  const auto ticks = [&](TColor c) {
    std::vector<TMetaRecord> t;
    for (const auto& l : lines)
      if (l.Pen.Color == c) t.push_back(l);
    return t;
  };
  ASSERT_FALSE(ticks(clRed).empty());
  EXPECT_EQ(ticks(clRed).front().Points[0], corner(2));
  EXPECT_EQ(ticks(clRed).back().Points[0], corner(6));
  EXPECT_EQ(ticks(clBlue).front().Points[0], corner(4));
  EXPECT_EQ(ticks(clBlue).back().Points[0], corner(6));

  p.SetBoundBoxStyle(bbEdges);
  Record();
  ASSERT_EQ(Ops(mf, TMetaOp::Polygon).size(), 3u);
  for (const auto& poly : Ops(mf, TMetaOp::Polygon)) EXPECT_EQ(poly.Brush.Style, bsClear);
  p.SetBoundBoxStyle(bbNone);
  Record();
  EXPECT_TRUE(Ops(mf, TMetaOp::Polygon).empty());
  for (const auto& l : Ops(mf, TMetaOp::Line))
    EXPECT_TRUE(l.Pen.Color == clRed || l.Pen.Color == clBlue || l.Pen.Color == clBlack);
}

TEST_F(Plot3DRender, CellsInPainterOrderWithTheirColours) {
  FillBumps(p, 4);
  p.SetBoundBoxStyle(bbNone);
  std::vector<std::pair<int, int>> order;
  for (const auto& [az, firstCell] :
       {std::pair{15.0, std::pair{1, 1}}, {100.0, std::pair{1, 3}}, {200.0, std::pair{3, 3}}}) {
    p.SetViewAngleZ(az);
    order.clear();
    p.OnBeforeRenderPolygon = [&](TObject*, TCanvas&, bool&, std::int32_t cx, std::int32_t cy,
                                  TQuad& q, TColor& c) {
      order.push_back({cx, cy});
      // The quad holds the projected nodes (ix,iy), (ix+1,iy), (ix+1,iy+1), (ix,iy+1).
      EXPECT_EQ(q[0], (TPoint{p.ProjMapX.GetVal(cx, cy), p.ProjMapY.GetVal(cx, cy)}));
      // The colour of the highest corner.
      double m = -10;
      for (int dx = 0; dx < 2; ++dx)
        for (int dy = 0; dy < 2; ++dy) m = std::max(m, p.GridMat.GetVal(cx + dx, cy + dy));
      EXPECT_EQ(c, p.CalcColorCoding(m));
    };
    Record();
    ASSERT_EQ(order.size(), 9u);
    EXPECT_EQ(order.front(), firstCell) << az;
    // Rows form the outer loop.
    EXPECT_EQ(order[0].second, order[2].second);
    EXPECT_NE(order[2].second, order[3].second);
    const auto polys = Ops(mf, TMetaOp::Polygon);
    ASSERT_EQ(polys.size(), 9u);
    EXPECT_EQ(polys[0].Pen.Color, clBlack);  // the mesh
  }
}

TEST_F(Plot3DRender, MeshKinds) {
  FillBumps(p, 3);
  p.SetBoundBoxStyle(bbNone);
  p.SetVisibleXCoords(false);
  p.SetVisibleYCoords(false);
  p.SetVisibleZCoords(false);
  p.SetColorMesh(clFuchsia);
  const auto check = [&](TMeshKind kind, int lines, int pixels) -> std::vector<TMetaRecord> {
    p.SetMeshKind(kind);
    Record();
    const auto polys = Ops(mf, TMetaOp::Polygon);
    EXPECT_EQ(polys.size(), 4u);
    for (const auto& poly : polys) {
      EXPECT_EQ(poly.Brush.Style, bsSolid);
      EXPECT_EQ(poly.Pen.Color == clFuchsia, kind == mkMesh && p.MeshVisible());
      if (kind != mkMesh || !p.MeshVisible()) {
        EXPECT_EQ(poly.Pen.Color, poly.Brush.Color);
      }
    }
    EXPECT_EQ(Ops(mf, TMetaOp::Line).size(), std::size_t(lines)) << int(kind);
    EXPECT_EQ(Ops(mf, TMetaOp::SetPixel).size(), std::size_t(pixels)) << int(kind);
    for (const auto& l : Ops(mf, TMetaOp::Line)) EXPECT_EQ(l.Pen.Color, clFuchsia);
    return polys;
  };
  check(mkMesh, 0, 0);
  const auto horz = check(mkWaterfallHorz, 8, 0);
  ASSERT_EQ(horz.size(), 4u);
  // Horizontal waterfall: the edges of constant column, Q0->Q3 and Q2->Q1.
  const auto lines = Ops(mf, TMetaOp::Line);
  EXPECT_EQ(lines[0].Points[0], horz[0].Points[0]);
  EXPECT_EQ(lines[0].Points[1], horz[0].Points[3]);
  EXPECT_EQ(lines[1].Points[0], horz[0].Points[2]);
  EXPECT_EQ(lines[1].Points[1], horz[0].Points[1]);
  check(mkWaterfallVert, 8, 0);
  check(mkWaterfallDiag, 4, 0);
  check(mkGrid, 0, 16);
  p.SetMeshVisible(false);
  check(mkMesh, 0, 0);
}

TEST_F(Plot3DRender, AxesTicksLabelsAndDegenerateRanges) {
  FillBumps(p, 3);
  p.SetRange(0, 5, -1, 1, 0, 1e7);
  std::map<int, std::vector<std::string>> labels;
  p.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas&, TP3ScaleKind k, std::string& text,
                                 std::int32_t, std::int32_t) {
    labels[k].push_back(text);
    if (k == p3skY) text = "<" + text + ">";
  };
  Record();
  ASSERT_FALSE(labels[p3skX].empty());
  EXPECT_EQ(labels[p3skX].front(), "0.0");  // 0..5 with DecPlaceX 1
  p.SetDecPlaceX(-2);
  labels.clear();
  Record();
  // Automatic: 2 - round(ln 5 / 2.5) = 1 decimal; ticks 0, 2, 4.
  EXPECT_EQ(labels[p3skX], (std::vector<std::string>{"0.0", "2.0", "4.0"}));
  EXPECT_EQ(labels[p3skZ].back(), "1E+07");  // 0..1e7: the automatic form
  bool changed = false;
  for (const auto& t : Ops(mf, TMetaOp::Text)) changed |= t.Text == "<0.0>";
  EXPECT_TRUE(changed);

  // A tick within 1e-14 of zero (relative to the range) reads as zero.
  labels.clear();
  mf.Clear();
  p.DrawAxis(mf.Canvas(), p3skX, 10, 100, 200, 120, -0.3, 0.3);
  ASSERT_EQ(labels[p3skX].size(), 3u);
  EXPECT_EQ(labels[p3skX][1], "0.00");
  // A degenerate axis (no tick step) draws no ticks and ends.
  labels.clear();
  mf.Clear();
  p.DrawAxis(mf.Canvas(), p3skX, 10, 100, 200, 120, 3, 3);
  p.DrawAxis(mf.Canvas(), p3skY, 10, 100, 10, 100, 1e300, 1e300 * (1 + 1e-16));
  p.DrawAxis(mf.Canvas(), p3skZ, 10, 100, 200, 120, kNaN, 1);
  EXPECT_TRUE(labels.empty());
  EXPECT_TRUE(Ops(mf, TMetaOp::Line).empty());
  // Only the captions (none for the axis of length 0).
  EXPECT_EQ(Ops(mf, TMetaOp::Text).size(), 2u);
}

TEST_F(Plot3DRender, ExtremeValuesKeepEveryPointFinite) {
  FillBumps(p, 5);
  p.GridMat.SetVal(2, 2, 1e308);
  p.GridMat.SetVal(3, 3, -1e308);
  p.GridMat.SetVal(4, 4, kNaN);  // leaves a gap of four cells
  p.SetScaleFactZ(1e300);
  p.SetMagnification(5);
  p.SetRangeZLow(1e-300);
  p.SetRangeZHigh(1e-300);
  int cells = 0;
  p.OnBeforeRenderPolygon = [&](TObject*, TCanvas&, bool&, std::int32_t, std::int32_t, TQuad& q, TColor&) {
    ++cells;
    for (const TPoint& pt : q) {
      EXPECT_LE(std::abs(pt.x), kMaxPixelCoord);
      EXPECT_LE(std::abs(pt.y), kMaxPixelCoord);
    }
  };
  Record();
  EXPECT_EQ(cells, 16 - 4);
  const TP3Projection proj = p.Projection();
  for (double z : {1e308, -1e308, 0.0})
    EXPECT_TRUE(std::isfinite(proj.ScreenX({150, -150, p.CalcIntZ(z)})) &&
                std::isfinite(proj.ScreenY({150, -150, p.CalcIntZ(z)})));
}

// Every cell gets its own colour (red = column, green = row); where a pixel
// well inside a drawn cell shows that colour, the hit test must name that
// very cell: the visible one, whatever the drawing order.
TEST_F(Plot3DRender, HitTestNamesTheVisibleCellFromSeveralViews) {
  p.SetBounds(0, 0, 500, 400);
  FillBumps(p, 24);
  {
    TPlot3D::TUpdate batch(p);
    for (int ix = 1; ix <= 24; ++ix)  // a steep ridge that hides cells behind it
      for (int iy = 1; iy <= 24; ++iy)
        p.GridMat.SetVal(ix, iy, std::sin(ix * 0.7) * std::cos(iy * 0.5) + (iy == 12 ? 3.0 : 0.0));
    p.SetRangeZHigh(2);
    p.SetMeshVisible(false);
    p.SetBoundBoxStyle(bbNone);
    p.SetMagnification(1.2);
    p.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool&, std::int32_t cx, std::int32_t cy, TQuad&,
                                 TColor& c) { c = RGBColor(std::uint8_t(cx), std::uint8_t(cy), 77); };
  }
  for (const auto& [ax, az] : {std::pair{60.0, 15.0}, {35.0, 100.0}, {50.0, 200.0},
                              {70.0, 300.0}, {130.0, 60.0}, {250.0, 160.0}}) {
    p.SetViewAngles(ax, az);
    const TBitmap& b = p.GrafBmp;
    int checked = 0;
    std::set<std::pair<int, int>> seen;
    for (int y = 2; y < b.Height() - 2; y += 3)
      for (int x = 2; x < b.Width() - 2; x += 3) {
        const TRGB32 c = b.ScanLine(y)[x];
        if (c.B != 77) continue;
        bool uniform = true;
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx) {
            const TRGB32 o = b.ScanLine(y + dy)[x + dx];
            uniform &= o.R == c.R && o.G == c.G && o.B == c.B;
          }
        if (!uniform) continue;
        std::int32_t cx = 0, cy = 0;
        ASSERT_TRUE(p.CellAt(x, y, cx, cy)) << ax << "/" << az << " at " << x << "," << y;
        EXPECT_EQ(cx, c.R) << ax << "/" << az << " at " << x << "," << y;
        EXPECT_EQ(cy, c.G) << ax << "/" << az << " at " << x << "," << y;
        seen.insert({cx, cy});
        ++checked;
      }
    EXPECT_GT(checked, 300) << ax << "/" << az;
    EXPECT_GT(seen.size(), 150u) << ax << "/" << az;
  }
  // Off the surface: no cell, reported as (0, 0).
  std::int32_t cx = 5, cy = 5;
  EXPECT_FALSE(p.CellAt(2, 2, cx, cy));
  EXPECT_EQ(cx, 0);
  EXPECT_EQ(cy, 0);
}

TEST_F(Plot3DRender, MouseMoveReportsTheCellUnderTheMouse) {
  FillBumps(p, 6);
  {
    TPlot3D::TUpdate batch(p);
    p.SetRangeZLow(-10);  // gentle: from any view above it, every cell shows
    p.SetRangeZHigh(10);
  }
  std::vector<std::tuple<bool, int, int>> reports;
  p.OnMouseMoveOverPlot = [&](TObject*, bool over, TShiftState, std::int32_t cx, std::int32_t cy) {
    reports.emplace_back(over, cx, cy);
  };
  for (const auto& [ax, az] : {std::pair{20.0, 10.0}, {45.0, 100.0}, {60.0, 200.0}, {30.0, 300.0},
                               {250.0, 130.0}}) {
    p.SetViewAngles(ax, az);
    for (int ix = 1; ix < 6; ++ix)
      for (int iy = 1; iy < 6; ++iy) {
        // The middle of the cell's picture.
        const int mx = (p.ProjMapX.GetVal(ix, iy) + p.ProjMapX.GetVal(ix + 1, iy) +
                        p.ProjMapX.GetVal(ix + 1, iy + 1) + p.ProjMapX.GetVal(ix, iy + 1)) / 4;
        const int my = (p.ProjMapY.GetVal(ix, iy) + p.ProjMapY.GetVal(ix + 1, iy) +
                        p.ProjMapY.GetVal(ix + 1, iy + 1) + p.ProjMapY.GetVal(ix, iy + 1)) / 4;
        p.DoMouseMove({}, mx, my);
        ASSERT_EQ(reports.back(), std::make_tuple(true, ix, iy)) << ax << "/" << az;
      }
  }
  p.DoMouseMove({}, 1, 1);
  EXPECT_EQ(reports.back(), std::make_tuple(false, 0, 0));
  // A cell whose drawing a handler took over is still found.
  p.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool& handled, std::int32_t, std::int32_t, TQuad&,
                               TColor&) { handled = true; };
  p.Refresh();
  const int mx = (p.ProjMapX.GetVal(3, 3) + p.ProjMapX.GetVal(4, 4)) / 2;
  const int my = (p.ProjMapY.GetVal(3, 3) + p.ProjMapY.GetVal(4, 4)) / 2;
  p.DoMouseMove({}, mx, my);
  EXPECT_EQ(reports.back(), std::make_tuple(true, 3, 3));
}

TEST_F(Plot3DRender, HitTestNeverReadsMapsOfAnotherGridSize) {
  FillBumps(p, 10);
  std::int32_t cx = 0, cy = 0;
  ASSERT_TRUE(p.CellAt(p.CentX(), p.CentY(), cx, cy));
  for (int n : {20, 3, 0, 1}) {
    p.SetSuppressPaint(true);
    p.GridMat.Resize(n, n);
    // The picture on screen is of the old grid: no cell is named until the
    // new one is drawn.
    for (int y = 0; y < 300; y += 7)
      for (int x = 0; x < 400; x += 7) EXPECT_FALSE(p.CellAt(x, y, cx, cy));
    p.SetSuppressPaint(false);
    EXPECT_EQ(p.ProjMapX.NrOfColumns(), n);
    bool any = false;
    for (int y = 0; y < 300; y += 7)
      for (int x = 0; x < 400; x += 7)
        if (p.CellAt(x, y, cx, cy)) {
          any = true;
          EXPECT_TRUE(cx >= 1 && cx < n && cy >= 1 && cy < n);
        }
    EXPECT_EQ(any, n >= 2);
  }
}

TEST_F(Plot3DRender, DirectPixelsMatchTheCanvas) {
  FillBumps(p, 40);
  p.SetColorCodingMode(ccmColorArray);
  p.IsoColors.FillDefault();
  for (TMeshKind kind : {mkMesh, mkWaterfallHorz, mkWaterfallDiag, mkGrid}) {
    p.SetMeshKind(kind);
    TBitmap viaCanvas;
    p.CopyToBitmap(viaCanvas, false);  // the same picture through the canvas
    const TBitmap& direct = p.GrafBmp;
    ASSERT_EQ(direct.Width(), viaCanvas.Width());
    int differ = 0;
    for (int y = 0; y < direct.Height(); ++y)
      for (int x = 0; x < direct.Width(); ++x) {
        const TRGB32 a = direct.ScanLine(y)[x], b = viaCanvas.ScanLine(y)[x];
        differ += a.R != b.R || a.G != b.G || a.B != b.B;
      }
    EXPECT_LE(differ, direct.Width() * direct.Height() / 1000) << int(kind);
  }
}

TEST_F(Plot3DRender, HiDpiSurfaceDrawsAtTheDeviceResolution) {
  FillBumps(p, 8);
  std::int32_t cx1 = 0, cy1 = 0, cx2 = 0, cy2 = 0;
  ASSERT_TRUE(p.CellAt(200, 150, cx1, cy1));
  const TBitmap single = p.Surface();
  p.SetSurfaceScale(2);
  p.Refresh();
  EXPECT_EQ(p.GrafBmp.Width(), 800);
  EXPECT_EQ(p.Surface().Width(), 800);
  // The hit test stays in logical pixels.
  ASSERT_TRUE(p.CellAt(200, 150, cx2, cy2));
  EXPECT_EQ(cx1, cx2);
  EXPECT_EQ(cy1, cy2);
  // The same picture, twice as fine: most 2 x 2 blocks show the logical pixel's colour.
  int same = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      const TRGB32 a = single.ScanLine(y)[x], b = p.Surface().ScanLine(2 * y)[2 * x];
      same += std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B) < 24;
    }
  EXPECT_GT(same, 400 * 300 * 9 / 10);
}

TEST_F(Plot3DRender, ForeignCanvasRestoresTheSuppressionFlag) {
  FillBumps(p, 5);
  int renders = 0;
  p.OnDataRendered = [&](TObject*, TCanvas&) { ++renders; };
  p.DrawOnForeignCanvas(mf.Canvas());
  EXPECT_FALSE(p.SuppressPaint());
  EXPECT_EQ(renders, 2);  // the foreign canvas, then the control's own picture
  // No background rectangle and no frame on the foreign canvas.
  EXPECT_TRUE(Ops(mf, TMetaOp::Rectangle).empty());
  p.SetSuppressPaint(true);
  mf.Clear();
  p.DrawOnForeignCanvas(mf.Canvas());
  EXPECT_TRUE(p.SuppressPaint());
  EXPECT_EQ(renders, 3);
  EXPECT_FALSE(Ops(mf, TMetaOp::Polygon).empty());
}

TEST_F(Plot3DRender, DesignModeShowsOnlyThePlaceholder) {
  FillBumps(p, 5);
  p.SetDesigning(true);
  p.SetColorBakGnd(clNavy);
  p.Refresh();
  const TBitmap& b = p.GrafBmp;
  int white = 0, other = 0;
  for (int y = 3; y < b.Height() - 3; ++y)
    for (int x = 3; x < b.Width() - 3; ++x) {
      const TRGB32 c = b.ScanLine(y)[x];
      if (c.R > 128 && c.G > 128) ++white;
      else if (!(c.R == 0 && c.G == 0 && c.B == 0x80)) ++other;
    }
  EXPECT_GT(white, 10);   // "Plot3D" in white on the dark background
  EXPECT_LT(white + other, 600);
}

TEST_F(Plot3DRender, ExportsDrawTheSamePicture) {
  FillBumps(p, 12);
  const std::string dir = test::TempPath("plot3d-export");
  std::filesystem::create_directories(dir);
  p.CopyToBMP(dir + "/p.png", false);
  TBitmap png;
  png.LoadFromFile(dir + "/p.png");
  EXPECT_EQ(png.Width(), 400);
  EXPECT_EQ(png.Height(), 300);
  p.CopyToWMF(dir + "/p.svg", false);
  std::ifstream svg(dir + "/p.svg");
  const std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
  std::size_t paths = 0;
  for (std::size_t at = text.find("<path"); at != std::string::npos; at = text.find("<path", at + 1)) ++paths;
  EXPECT_GE(paths, 11u * 11u);  // at least one per cell
  p.CopyToWMF(dir + "/p.pdf", true);
  std::ifstream pdf(dir + "/p.pdf", std::ios::binary);
  std::string head(4, '\0');
  pdf.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
  HeadlessHost().ClipboardBitmap.reset();
  p.CopyToClipboard(false);
  ASSERT_TRUE(HeadlessHost().ClipboardBitmap);
  EXPECT_EQ(HeadlessHost().ClipboardBitmap->Width(), 400);
  p.CopyToClipboardWMF(false);
  EXPECT_NE(HeadlessHost().ClipboardSvg.find("<svg"), std::string::npos);
  HeadlessHost().PrintFile = dir + "/print.pdf";
  EXPECT_TRUE(p.PrintIt(1, false, true));
  EXPECT_GT(std::filesystem::file_size(dir + "/print.pdf"), 1000u);
  HeadlessHost().PrintFile = "kvo-print.pdf";
  // Black and white: no colour left in the picture.
  TBitmap bw;
  p.CopyToBitmap(bw, true);
  int coloured = 0;
  for (int y = 0; y < bw.Height(); ++y)
    for (int x = 0; x < bw.Width(); ++x) {
      const TRGB32 c = bw.ScanLine(y)[x];
      coloured += !(c.R == c.G && c.G == c.B);
    }
  EXPECT_EQ(coloured, 0);
}

}  // namespace
}  // namespace kvo
