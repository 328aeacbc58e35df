// The contour plot: grid size and resolution, the estimation pass (once per
// pivot, precalculated grids, re-entrant messages), masks and percentiles
// on hand-made grids, the colour surface, flat cells and the mask overlay
// read back from the data image's pixels, the iso parameters, the contour
// dots through the recording canvas and the attached colour legend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <vector>

#include "colorscale/colorscale.h"
#include "devari/contour/contour.h"
#include "devari/scaleprops.h"
#include "devari/textlabel.h"
#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

// A plot whose data area is w x h pixels (rims 50/20/20/40, no shadow).
std::unique_ptr<TContourPlot> Plot(int w, int h, bool painting = true) {
  auto p = std::make_unique<TContourPlot>();
  p->SetBounds(0, 0, w + 70, h + 60);
  p->SetMarginLeft(50);
  p->SetMarginRight(20);
  p->SetMarginTop(20);
  p->SetMarginBottom(40);
  if (painting) p->SetSuppressPaint(false);
  return p;
}

TColor At(TContourPlot& p, int x, int y) {
  const TRGB32 c = p.GrafBmp().ScanLine(y)[x];
  return RGBColor(c.R, c.G, c.B);
}

std::uint8_t AlphaAt(TContourPlot& p, int x, int y) { return p.GrafBmp().ScanLine(y)[x].A; }

// Fills the grid by hand (precalculated), values f(i, j).
template <class F>
void Fill(TContourPlot& p, F f) {
  p.ClearPivotPoints(true);
  for (int i = 1; i <= p.NumPivotsX(); ++i)
    for (int j = 1; j <= p.NumPivotsY(); ++j) p.SetPivotVal(i, j, f(i, j));
}

TEST(ContourGrid, SizeFromTheDataAreaResolutionAndBounds) {
  // Default rims total 70 horizontally and 60 vertically.
  auto p = std::make_unique<TContourPlot>();
  p->SetBounds(0, 0, 370, 280);
  p->SetMarginLeft(10);
  p->ResetComp();
  EXPECT_EQ(p->LRim() + p->RRim(), 70);
  EXPECT_EQ(p->TRim() + p->BRim(), 60);
  EXPECT_EQ(p->NumPivotsX(), 60);
  EXPECT_EQ(p->NumPivotsY(), 44);
  EXPECT_EQ(p->PivotMatrix().NrOfColumns(), 60);
  EXPECT_EQ(p->MaskMatrix().NrOfRows(), 44);
  EXPECT_EQ(p->GetPivotRes(), 300);
  // Margins set later do not change the counts.
  p->SetMarginLeft(100);
  EXPECT_EQ(p->NumPivotsX(), 60);
  // Reset configures the chart for contour use.
  EXPECT_EQ(p->GridStyle(), gsPoints);
  EXPECT_FALSE(p->Isometric());
  EXPECT_DOUBLE_EQ(p->GetScalePropsX(1).RangeLow(), -5.2);
  EXPECT_DOUBLE_EQ(p->GetScalePropsY(1).RangeHigh(), 5.2);
  EXPECT_FALSE(p->GetScalePropsX(2).Visible());

  auto q = Plot(300, 200);
  q->SetPivotResX(1);
  EXPECT_EQ(q->NumPivotsX(), 2);
  q->SetPivotResY(-7);
  EXPECT_EQ(q->NumPivotsY(), 2);
  q->SetPivotResX(1 << 30);  // bounded like ResizePivotMatrix
  EXPECT_EQ(q->NumPivotsX(), kMaxContourPivots);
  q->SetPivotRes(100);
  EXPECT_EQ(q->NumPivotsX(), 21);
  EXPECT_EQ(q->NumPivotsY(), 14);
  EXPECT_EQ(q->PivotResolution(), 105);
  q->SetPivotRes(5);  // taken as 10
  EXPECT_EQ(q->NumPivotsX(), 3);
  EXPECT_EQ(q->NumPivotsY(), 2);
  q->SetPivotRes(std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(q->NumPivotsX(), kMaxContourPivots);
  // A flat data area still gives two pivots per direction (no division by 0).
  auto flat = Plot(600, 3);
  flat->SetPivotRes(50);
  EXPECT_EQ(flat->NumPivotsY(), 2);
  flat->ResizePivotMatrix(3, 100000);
  EXPECT_EQ(flat->NumPivotsX(), 2);
  EXPECT_EQ(flat->NumPivotsY(), 1000);
  // A new size clears the mask and the values.
  q->SetPivotRes(100);
  q->SetMaskVal(3, 3, 9);
  q->SetPivotRes(200);
  EXPECT_EQ(q->MaskMatrix().CountValue(0), std::int64_t(q->NumPivotsX()) * q->NumPivotsY());
}

TEST(ContourGrid, AccessOutsideTheGridMasksAndPercentiles) {
  auto p = Plot(100, 100, false);
  p->SetPivotResX(4);
  p->SetPivotResY(3);
  Fill(*p, [](int i, int j) { return double(10 * i + j); });  // 11..43
  EXPECT_EQ(p->GetPivotVal(0, 1), 0.0);
  EXPECT_EQ(p->GetPivotVal(5, 1), 0.0);
  EXPECT_EQ(p->GetPivotVal(4, 3), 43.0);
  p->SetMaskVal(0, 1, 5);
  p->SetMaskVal(4, 4, 5);
  EXPECT_EQ(p->GetMaskVal(0, 1), 0);
  EXPECT_EQ(p->MaskMatrix().CountValue(0), 12);
  // 12 values 11, 12, 13, 21 .. 43: the median is between 22 and 23.
  EXPECT_DOUBLE_EQ(p->PercentilePivots(50), 27.0);
  EXPECT_DOUBLE_EQ(p->PercentilePivots(0), 11.0);
  EXPECT_DOUBLE_EQ(p->PercentilePivots(100, false), 43.0);
  // Masking the first two columns leaves 31 .. 43.
  for (int j = 1; j <= 3; ++j) {
    p->SetMaskVal(1, j, 1);
    p->SetMaskVal(2, j, 255);
  }
  EXPECT_DOUBLE_EQ(p->PercentilePivots(0, true), 31.0);
  EXPECT_DOUBLE_EQ(p->PercentilePivots(50, true), 37.0);
  EXPECT_DOUBLE_EQ(p->PercentilePivots(0, false), 11.0);
  p->FillMask(3);
  EXPECT_TRUE(std::isnan(p->PercentilePivots(50, true)));
  EXPECT_EQ(p->GetMaskVal(4, 3), 3);
}

TEST(ContourEstimation, OncePerPivotAtThePivotPositions) {
  auto p = Plot(200, 100);
  p->SetPivotResX(11);
  p->SetPivotResY(6);
  p->SetRange(0, 10, 10, 20);
  std::vector<std::tuple<double, double, int, int>> calls;
  p->OnEstimateZVal = [&](TObject* s, double x, double y, std::int32_t i, std::int32_t j, double& z,
                          std::uint8_t& mask) {
    EXPECT_EQ(s, p.get());
    calls.emplace_back(x, y, i, j);
    z = x + y;
    if (i == 1) mask = 4;
  };
  std::vector<int> progress;
  p->OnProgress = [&](TObject*, std::int32_t pc) { progress.push_back(pc); };
  p->DrawPlot();
  ASSERT_EQ(calls.size(), 66u);
  std::set<std::pair<int, int>> seen;
  for (auto& [x, y, i, j] : calls) {
    seen.emplace(i, j);
    EXPECT_NEAR(x, (i - 1) * 1.0, 1e-12);
    EXPECT_NEAR(y, 10 + (j - 1) * 2.0, 1e-12);
  }
  EXPECT_EQ(seen.size(), 66u);
  EXPECT_DOUBLE_EQ(p->GetPivotVal(11, 6), 30.0);
  EXPECT_EQ(p->GetMaskVal(1, 3), 4);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress[10], 100);  // one report per column, then the rendering's
  // The rendering reports 70..85 for the cells, 85..100 for the mask overlay.
  ASSERT_EQ(progress.size(), 33u);
  EXPECT_EQ(progress[21], 85);
  EXPECT_EQ(progress[32], 100);
  EXPECT_TRUE(std::is_sorted(progress.begin() + 11, progress.end()));
  // An unchanged plot repaints without a new pass; a new range re-estimates.
  calls.clear();
  p->Repaint();
  EXPECT_TRUE(calls.empty());
  p->SetRange(0, 0, 5, 5);
  EXPECT_EQ(calls.size(), 66u);
  EXPECT_DOUBLE_EQ(p->GetPivotVal(11, 6), 10.0);
  // Disabled: every value 0, masks kept, no calls.
  calls.clear();
  p->SetEnabled(false);
  EXPECT_FALSE(p->TCustomControl::Enabled());  // the control's input state follows
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(p->GetPivotVal(11, 6), 0.0);
  EXPECT_EQ(p->GetMaskVal(1, 3), 4);
}

TEST(ContourEstimation, PrecalculatedGridsAreKept) {
  auto p = Plot(200, 100);
  p->SetPivotResX(5);
  p->SetPivotResY(5);
  int n = 0;
  p->OnEstimateZVal = [&](TObject*, double, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    ++n;
    z = 7;
  };
  EXPECT_TRUE(p->CalculatePivotPoints(true));
  EXPECT_EQ(n, 25);
  EXPECT_TRUE(p->PivotPreCalc());
  p->DrawPlot();
  p->SetRange(-1, -1, 1, 1);
  EXPECT_EQ(n, 25);
  EXPECT_FALSE(p->CalculatePivotPoints(false) && n != 25);
  // Clearing without the flag keeps the values and ends the precalculated state.
  p->ClearPivotPoints(false);
  EXPECT_EQ(p->GetPivotVal(3, 3), 7.0);
  EXPECT_FALSE(p->PivotPreCalc());
  p->DrawPlot();
  EXPECT_EQ(n, 50);
  p->ClearPivotPoints(false);
  EXPECT_EQ(p->GetPivotVal(3, 3), 0.0);
}

TEST(ContourEstimation, MessagesDuringThePassNeverNestOrOverrun) {
  auto p = Plot(300, 200);
  p->SetPivotResX(300);  // three messages pumps per pass (every 3 columns... q = 3)
  p->SetPivotResY(4);
  int calls = 0, pumps = 0;
  p->OnEstimateZVal = [&](TObject*, double x, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    ++calls;
    z = x;
  };
  THeadlessHost& host = HeadlessHost();
  // A paint arriving while the pass runs: no second pass inside the first.
  host.OnProcessMessages = [&] {
    ++pumps;
    if (pumps == 5) p->Repaint();
  };
  p->DrawPlot();
  EXPECT_EQ(p->PassesAbandoned(), 0);
  EXPECT_EQ(calls, 1200);
  EXPECT_GE(pumps, 100);

  // The grid replaced during the pass: the pass is abandoned before it
  // writes into the old grid, then one new complete pass follows.
  calls = pumps = 0;
  const int done = p->PassesDone();
  host.OnProcessMessages = [&] {
    if (++pumps == 10) p->SetPivotResX(50);
  };
  p->DrawPlot();
  host.OnProcessMessages = nullptr;
  EXPECT_EQ(p->PassesAbandoned(), 1);
  EXPECT_EQ(p->PassesDone(), done + 1);
  EXPECT_EQ(p->NumPivotsX(), 50);
  EXPECT_DOUBLE_EQ(p->GetPivotVal(50, 2), p->GetScalePropsX(1).RangeHigh());

  // A range change during the pass: abandoned, the new range sampled.
  pumps = 0;
  host.OnProcessMessages = [&] {
    if (++pumps == 1) p->SetRange(0, 0, 2, 2);
  };
  p->SetPivotResX(200);
  host.OnProcessMessages = nullptr;
  EXPECT_EQ(p->PassesAbandoned(), 2);
  EXPECT_DOUBLE_EQ(p->GetPivotVal(200, 1), 2.0);

  // A resize during the pass: the rows are taken at the new size.
  pumps = 0;
  host.OnProcessMessages = [&] {
    if (++pumps == 2) p->SetBounds(0, 0, 200, 150);
  };
  p->DrawPlot();
  host.OnProcessMessages = nullptr;
  EXPECT_EQ(p->GrafBmp().Width(), 200 - 70 + 1);
}

TEST(ContourSurface, UniformGridOneOpaqueColour) {
  auto p = Plot(200, 150);
  p->IsoColors.SetSize(10);
  for (int k = 1; k <= 10; ++k) p->IsoColors.SetColorElem(k, RGBColor(std::uint8_t(20 * k), 0, 0));
  p->SetPivotResX(20);
  p->SetPivotResY(15);
  Fill(*p, [](int, int) { return 0.02; });  // index round(5.1) = 5
  p->DrawPlot();
  const TColor c5 = RGBColor(100, 0, 0);
  std::set<TColor> seen;
  for (int y = 2; y < 148; ++y)
    for (int x = 2; x < 198; ++x) {
      seen.insert(At(*p, x, y));
      ASSERT_EQ(AlphaAt(*p, x, y), 255);
    }
  // The surface's colour plus the point grid's dots.
  EXPECT_TRUE(seen.count(c5));
  p->SetGridStyle(gsNone);
  seen.clear();
  for (int y = 1; y < 150; ++y)
    for (int x = 1; x < 200; ++x) seen.insert(At(*p, x, y));
  EXPECT_EQ(seen, std::set<TColor>{c5});
}

TEST(ContourSurface, BilinearGradientFollowsTheValues) {
  auto p = Plot(200, 100);
  p->SetGridStyle(gsNone);
  p->IsoColors.SetSize(100);
  for (int k = 1; k <= 100; ++k) p->IsoColors.SetColorElem(k, RGBColor(std::uint8_t(2 * k), 0, std::uint8_t(255 - 2 * k)));
  p->SetPivotResX(11);
  p->SetPivotResY(3);
  p->SetRange(-1, -1, 1, 1);
  p->OnEstimateZVal = [](TObject*, double x, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) { z = x; };
  p->DrawPlot();
  // Red grows from left to right along a row, every row alike.
  int last = -1, steps = 0;
  for (int x = 12; x < 190; ++x) {
    const int r = GetRValue(At(*p, x, 50));
    EXPECT_GE(r, last);
    if (r > last) ++steps;
    last = r;
    EXPECT_EQ(At(*p, x, 10), At(*p, x, 90));
  }
  EXPECT_GT(steps, 60);  // interpolated within the cells, not one colour per cell
  EXPECT_LT(GetRValue(At(*p, 5, 50)), 30);
  EXPECT_GT(GetRValue(At(*p, 195, 50)), 170);
}

TEST(ContourSurface, FlatCellsAndTheirIndexes) {
  auto p = Plot(100, 100);
  p->SetGridStyle(gsNone);
  p->SetChartColor(0x123456);
  p->IsoColors.SetSize(10);
  for (int k = 1; k <= 10; ++k) p->IsoColors.SetColorElem(k, RGBColor(std::uint8_t(20 * k), 200, 0));
  EXPECT_EQ(p->FlatColorIndex(0.02), 5);
  EXPECT_EQ(p->FlatColorIndex(5), 10);
  EXPECT_EQ(p->FlatColorIndex(-2), 0);
  EXPECT_EQ(p->ValueToColorIndex(-2), 1);
  EXPECT_EQ(p->ValueToColorIndex(-1), 1);
  EXPECT_EQ(p->FlatColorIndex(std::nan("")), 0);
  p->SetPivotResX(2);
  p->SetPivotResY(2);
  p->SetRange(0, 0, 1, 1);
  Fill(*p, [](int i, int j) { return i == 1 && j == 1 ? -2.0 : 0.02; });
  p->SetPlotMode(cpmColorSurfNoIp);
  EXPECT_EQ(At(*p, 10, 90), RGBColor(20, 200, 0));   // colour 1
  EXPECT_EQ(At(*p, 90, 10), RGBColor(100, 200, 0));  // colour 5
  p->SetPlotMode(cpmColorSurfNoIpTransp);
  EXPECT_EQ(At(*p, 10, 90), ColorToRGB(0x123456));  // left out: the background
  EXPECT_EQ(At(*p, 90, 10), RGBColor(100, 200, 0));
}

TEST(ContourSurface, MasksHideRecolourAndInvert) {
  auto p = Plot(200, 200);
  p->SetGridStyle(gsNone);
  p->SetChartColor(clWhite);
  p->IsoColors.SetSize(2);
  p->IsoColors.SetColorElem(1, clNavy);
  p->IsoColors.SetColorElem(2, 0x00C000);
  p->SetPivotResX(5);
  p->SetPivotResY(5);
  p->SetRange(0, 0, 4, 4);
  // Pivot (3, 3) hidden with a huge value that must not pull its neighbours.
  Fill(*p, [](int i, int j) { return i == 3 && j == 3 ? 1e9 : -5.0; });
  p->SetMaskVal(3, 3, 1);
  p->DrawPlot();
  int px, py;
  p->R2M(1, 2.0, 2.0, px, py);
  px -= p->MarginLeft();
  py -= p->MarginTop();
  EXPECT_EQ(At(*p, px, py), clWhite);
  p->R2M(1, 1.0, 1.0, px, py);
  EXPECT_EQ(At(*p, px - 50, py - 20), clNavy);  // colour 1, not pulled up
  std::set<TColor> seen;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) seen.insert(At(*p, x, y));
  EXPECT_FALSE(seen.count(0x00C000));

  // Mask 7: the seventh palette colour, whatever the value; 255 inverted.
  p->SetMaskVal(3, 3, 7);
  p->SetMaskVal(1, 1, 255);
  p->DrawPlot();
  EXPECT_EQ(p->MaskPalette.GetColorElem(7), PredefinedColors()[5]);
  p->R2M(1, 2.0, 2.0, px, py);
  EXPECT_EQ(At(*p, px - 50, py - 20), ColorToRGB(p->MaskPalette.GetColorElem(7)));
  p->R2M(1, 0.2, 0.2, px, py);
  EXPECT_EQ(At(*p, px - 50, py - 20), ColorToRGB(clNavy) ^ 0xFFFFFF);

  // A circle mask leaves the corners empty.
  p->FillMask(0);
  p->ClearPivotPoints(false);
  p->SetPivotResX(41);
  p->SetPivotResY(41);
  p->SetRange(-1, -1, 1, 1);
  p->OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t& m) {
    z = 5;
    m = x * x + y * y > 1 ? 1 : 0;
  };
  p->DrawPlot();
  EXPECT_EQ(At(*p, 1, 1), clWhite);
  EXPECT_EQ(At(*p, 198, 198), clWhite);
  EXPECT_EQ(At(*p, 100, 100), 0x00C000);
}

TEST(ContourSurface, HiDpiRowsAtTheDeviceResolution) {
  auto p = Plot(100, 80);
  p->SetGridStyle(gsNone);
  p->SetSurfaceScale(2);
  p->IsoColors.SetSize(2);
  p->IsoColors.SetColorElem(1, clRed);
  p->IsoColors.SetColorElem(2, clBlue);
  p->SetPivotResX(2);
  p->SetPivotResY(2);
  p->SetRange(0, 0, 1, 1);
  Fill(*p, [](int i, int) { return i == 1 ? -1.0 : 1.0; });
  p->SetPlotMode(cpmColorSurfNoIp);
  ASSERT_EQ(p->GrafBmp().Width(), 2 * 101);
  // The boundary at x = 0.5 lies on device column 100 (logical 50).
  EXPECT_EQ(At(*p, 98, 80), clRed);
  EXPECT_EQ(At(*p, 101, 80), clBlue);
}

TEST(ContourSurface, ForeignCanvasGetsTheSurfaceAsAnImageUnderLabels) {
  auto p = Plot(200, 150);
  p->SetPivotResX(20);
  p->SetPivotResY(15);
  p->OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = std::sin(x) * std::cos(y);
  };
  const int l1 = p->AddTextLabel(0, 0, clBlack, "first", 0);
  const int l2 = p->AddTextLabel(0.2, 0.1, clBlack, "second", 0);
  const int l3 = p->AddTextLabel(1, 1, clBlack, "unused", 0);
  ASSERT_GT(l3, 0);
  p->GetFTextLabel(l3).SetMode(tlmFree);
  TMetafile mf(400, 300);
  p->InitGraf(mf.Canvas(), 10, 20, 200, 150);
  p->ConstructDataBmpCanvas(mf.Canvas(), 10, 20, false, 0);
  int images = 0;
  std::vector<std::string> texts;
  for (const auto& r : mf.Records()) {
    if (r.Op == TMetaOp::DrawBitmap) {
      ++images;
      EXPECT_EQ(r.Box.Left, 10);
      EXPECT_EQ(r.Box.Top, 20);
      ASSERT_TRUE(r.Image);
      EXPECT_EQ(r.Image->Width(), 201);
      EXPECT_EQ(r.Image->ScanLine(70)[100].A, 255);
    }
    if (r.Op == TMetaOp::Text) texts.push_back(r.Text);
  }
  EXPECT_GE(images, 1);
  // Labels from 30 down to 1, so label 1 ends on top; a free label is not drawn.
  ASSERT_EQ(l1, 1);
  ASSERT_EQ(l2, 2);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "second");
  EXPECT_EQ(texts[1], "first");
}

TEST(ContourSurface, SubdivisionBoundedByStepsAndCellSize) {
  auto p = Plot(300, 300);
  p->SetRange(0, 0, 1, 1);
  p->IsoColors.FillDefault();
  TMetafile mf(300, 300);
  auto fills = [&] {
    int n = 0;
    for (const auto& r : mf.Records()) n += r.Op == TMetaOp::FillRect || r.Op == TMetaOp::SetPixel;
    return n;
  };
  // A 300-pixel cell split into at most 25 x 25 parts, a 3-pixel one into 3 x 3.
  p->IsoColQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, -1, 0, 1, 0, 25);
  EXPECT_EQ(fills(), 625);
  mf.Clear();
  p->IsoColQuad(mf.Canvas(), 0, 0, 0, 0, 0.01, 0.01, -1, 0, 1, 0, 25);
  EXPECT_EQ(fills(), 9);
  mf.Clear();
  p->IsoColQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, 0.5, 0.5, 0.5, 0.5, 25);
  EXPECT_EQ(fills(), 1);  // one colour: no subdivision
}

TEST(ContourIso, SettersKeepTheRangeApart) {
  auto p = Plot(100, 100);
  EXPECT_EQ(p->NumIsoLevels(), 20);
  p->SetIsoParams(2, 1, 0.5);
  EXPECT_EQ(p->IsoLow(), 0);
  EXPECT_EQ(p->IsoHigh(), 1);
  EXPECT_EQ(p->IsoDist(), 0.5);
  p->SetIsoParams(-1, 1, 0.1);
  p->SetIsoHigh(-3);
  EXPECT_EQ(p->IsoLow(), -4);
  p->SetIsoLow(5);
  EXPECT_EQ(p->IsoHigh(), 6);
  // Where one unit cannot separate them, the smallest step does.
  p->SetIsoLow(1e300);
  EXPECT_GT(p->IsoHigh(), p->IsoLow());
  p->SetIsoHigh(-1e300);
  EXPECT_LT(p->IsoLow(), p->IsoHigh());
  p->SetIsoLow(std::nan(""));
  EXPECT_FALSE(std::isnan(p->IsoLow()));
  p->SetIsoLow(-std::numeric_limits<double>::max());
  p->SetIsoHigh(-std::numeric_limits<double>::max());
  EXPECT_LT(p->IsoLow(), p->IsoHigh());
  EXPECT_EQ(p->NumIsoLevels(), 0);  // far more than 65535 levels
  p->SetIsoParams(0, 1, 0);
  EXPECT_EQ(p->NumIsoLevels(), 0);
  p->SetIsoDist(-1);
  EXPECT_EQ(p->NumIsoLevels(), 0);
  p->SetPlotMode(cpmDots);  // draws nothing, loops nowhere
  p->SetIsoDist(std::nan(""));
  EXPECT_EQ(p->NumIsoLevels(), 0);
}

TEST(ContourIso, DotsWhereLevelsCrossTheSamplingLines) {
  auto p = Plot(200, 200);
  p->SetRange(0, 0, 1, 1);
  p->IsoColors.SetSize(20);
  for (int k = 1; k <= 20; ++k) p->IsoColors.SetColorElem(k, RGBColor(std::uint8_t(k), 0, 0));
  TMetafile mf(200, 200);
  auto dots = [&] {
    std::vector<TMetaRecord> r;
    for (const auto& m : mf.Records())
      if (m.Op == TMetaOp::SetPixel) r.push_back(m);
    return r;
  };
  // Constant cell: no dots.
  p->IsoQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, 0.05, 0.05, 0.05, 0.05, 4);
  EXPECT_TRUE(dots().empty());
  // -0.25 on the left edge, 0.25 on the right: five levels on each of the
  // five horizontal lines, none on the vertical ones.
  p->SetPlotMode(cpmDots);
  p->IsoQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, -0.25, -0.25, 0.25, 0.25, 4);
  auto d = dots();
  ASSERT_EQ(d.size(), 25u);
  std::set<TColor> colours;
  for (auto& r : d) colours.insert(r.Color);
  // Levels -0.2 .. 0.2 in colours round(20 (L + 1) / 2) = 8 .. 12.
  EXPECT_EQ(colours, (std::set<TColor>{8, 9, 10, 11, 12}));
  mf.Clear();
  p->SetPlotMode(cpmMonoDots);
  p->IsoQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, -0.25, -0.25, 0.25, 0.25, 4);
  d = dots();
  ASSERT_EQ(d.size(), 25u);
  for (auto& r : d) EXPECT_EQ(r.Color, 1u);
  // A level met only at an end value gets no dot there.
  mf.Clear();
  p->SetIsoParams(0, 2, 0.5);  // levels 0, 0.5, 1, 1.5
  p->IsoQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, 0.5, 0.5, 0.75, 0.75, 4);
  EXPECT_TRUE(dots().empty());
  p->IsoQuad(mf.Canvas(), 0, 0, 0, 0, 1, 1, 0.5, 0.5, 1.25, 1.25, 4);
  EXPECT_EQ(dots().size(), 5u);  // level 1 on each horizontal line
  p->SetIsoParams(-1, 1, 0.1);

  // The rendered dot mode: dots in the level colours on the background.
  p->SetGridStyle(gsNone);
  p->SetChartColor(clWhite);
  p->SetPivotResX(21);
  p->SetPivotResY(21);
  p->SetRange(-1, -1, 1, 1);
  p->OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = x * x + y * y - 1;
  };
  p->SetPlotMode(cpmDots);
  p->DrawPlot();
  int coloured = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) coloured += At(*p, x, y) != clWhite;
  EXPECT_GT(coloured, 1000);
  EXPECT_LT(coloured, 30000);
}

TEST(ContourIso, AttachedColourScaleFollowsIsoChanges) {
  auto p = Plot(100, 100);
  TColorScale legend;
  legend.SetScaleRange(-10, 10);
  p->SetAttachedColorScale(&legend);
  EXPECT_EQ(legend.ScaleRangeLow(), -10);  // attaching alone does not synchronise
  p->SetIsoHigh(5);
  EXPECT_EQ(legend.ScaleRangeLow(), -1);
  EXPECT_EQ(legend.ScaleRangeHigh(), 5);
  EXPECT_EQ(legend.ColorArray.Colors(), p->IsoColors.Colors());
  legend.SetScaleRange(0, 1);
  p->SetIsoDist(0.5);
  EXPECT_EQ(legend.ScaleRangeHigh(), 1);
  p->IsoColors.SetColorElem(3, clFuchsia);
  EXPECT_EQ(legend.ColorArray.GetColorElem(3), clFuchsia);
  EXPECT_EQ(legend.ScaleRangeHigh(), 5);
  p->SetAttachedColorScale(nullptr);
}

TEST(ContourPlot, AssignCopiesTheGridAndSettings) {
  auto a = Plot(100, 100, false);
  a->SetPivotResX(7);
  a->SetPivotResY(4);
  Fill(*a, [](int i, int j) { return i * 1.5 + j; });
  a->SetMaskVal(2, 2, 9);
  a->SetIsoParams(-3, 3, 0.25);
  a->SetPlotMode(cpmDots);
  a->IsoColors.SetSize(5);
  a->MaskPalette.SetColorElem(9, clLime);
  int called = 0;
  a->OnEstimateZVal = [&](TObject*, double, double, std::int32_t, std::int32_t, double&, std::uint8_t&) { ++called; };
  TContourPlot b;
  b.Assign(*a);
  EXPECT_EQ(b.NumPivotsX(), 7);
  EXPECT_EQ(b.NumPivotsY(), 4);
  EXPECT_EQ(b.GetPivotVal(7, 4), 14.5);
  EXPECT_EQ(b.GetMaskVal(2, 2), 9);
  EXPECT_EQ(b.IsoLow(), -3);
  EXPECT_EQ(b.IsoDist(), 0.25);
  EXPECT_EQ(b.PlotMode(), cpmDots);
  EXPECT_EQ(b.IsoColors.NumColors(), 5);
  EXPECT_EQ(b.MaskPalette.GetColorElem(9), clLime);
  ASSERT_TRUE(b.OnEstimateZVal);
  // Reset: start values back, handlers cleared.
  b.ResetComp();
  EXPECT_EQ(b.ContourSettings(), TContourSettings{});
  EXPECT_FALSE(b.OnEstimateZVal);
}

}  // namespace
}  // namespace kvo
