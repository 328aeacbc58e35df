// Frames, marks and the font helper, through the recording canvas, through
// pixels on a bitmap (its gallery page is a golden in tests/apps/).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "libs/kvobase.h"
#include "platform/bitmap.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

constexpr TColor cHi = 0x0000F0, cLi = 0x00F000, cSh = 0xF00000, cDk = 0x00F0F0, cLn = 0xF000F0;

// Colour grid of the pixels of the inclusive box after drawing a frame on white.
TBitmap FrameBitmap(TFrameStyle s, int w, int h) {
  TBitmap b(w + 4, h + 4);
  b.Fill(clWhite);
  DrawFrame(b.Canvas(), s, 2, 2, 2 + w - 1, 2 + h - 1, cHi, cLi, cSh, cDk, cLn);
  return b;
}

TColor Px(const TBitmap& b, int x, int y) {
  const TRGB32 p = b.ScanLine(y)[x];
  return RGBColor(p.R, p.G, p.B);
}

TEST(DrawFrame, SingleLineRecordsFourExactSegments) {
  TMetafile mf(100, 100);
  TCanvas& c = mf.Canvas();
  c.Pen().SetColor(clLime);
  c.Pen().SetWidth(3);
  c.MoveTo(50, 50);
  DrawFrame(c, frsSingle, 0, 0, 9, 4, cHi, cLi, cSh, cDk, cLn);
  std::vector<std::string> lines;
  for (const auto& r : mf.Records()) {
    ASSERT_EQ(r.Op, TMetaOp::Line);
    EXPECT_EQ(r.Pen.Color, cLn);
    EXPECT_EQ(r.Pen.Width, 1);
    lines.push_back(std::to_string(r.Points[0].x) + "," + std::to_string(r.Points[0].y) + "-" +
                    std::to_string(r.Points[1].x) + "," + std::to_string(r.Points[1].y));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"0,3-0,0", "0,0-9,0", "9,0-9,4", "9,4--1,4"}));
  // The caller's pen and pen position survive.
  EXPECT_EQ(c.Pen().Color(), clLime);
  EXPECT_EQ(c.Pen().Width(), 3);
  EXPECT_EQ(c.PenPos(), Point(50, 50));
}

TEST(DrawFrame, EveryStyleColoursItsRingsOnly) {
  struct Expect { TFrameStyle s; TColor outerTL, outerBR, innerTL, innerBR; };
  const Expect cases[] = {{frsLowered, cSh, cHi, cDk, cLi},
                          {frsRaised, cHi, cDk, cLi, cSh},
                          {frsEmbossed, cHi, cSh, cSh, cHi},
                          {frsEngraved, cSh, cHi, cHi, cSh}};
  const int w = 12, h = 8, l = 2, t = 2, r = l + w - 1, b = t + h - 1;
  for (const auto& e : cases) {
    SCOPED_TRACE(int(e.s));
    const TBitmap bm = FrameBitmap(e.s, w, h);
    EXPECT_EQ(Px(bm, l, t + 3), e.outerTL);      // left column
    EXPECT_EQ(Px(bm, l + 5, t), e.outerTL);      // top row
    EXPECT_EQ(Px(bm, r - 1, t), e.outerTL);      // top row reaches the last-but-one column
    EXPECT_EQ(Px(bm, r, t), e.outerBR);          // the top-right corner belongs to the right side
    EXPECT_EQ(Px(bm, r, b), e.outerBR);
    EXPECT_EQ(Px(bm, l, b), e.outerBR);          // bottom row includes the left corner
    EXPECT_EQ(Px(bm, l + 1, t + 1), e.innerTL);
    EXPECT_EQ(Px(bm, r - 1, b - 1), e.innerBR);
    EXPECT_EQ(Px(bm, l + 2, t + 2), clWhite);    // interior untouched
    EXPECT_EQ(Px(bm, l - 1, t), clWhite);        // nothing outside the box
    EXPECT_EQ(Px(bm, r + 1, b), clWhite);
    EXPECT_EQ(Px(bm, l, b + 1), clWhite);
  }
  const TBitmap none = FrameBitmap(frsNone, w, h);
  for (int y = 0; y < none.Height(); ++y)
    for (int x = 0; x < none.Width(); ++x) ASSERT_EQ(Px(none, x, y), clWhite);
  EXPECT_EQ(FrameWidth(frsNone), 0);
  EXPECT_EQ(FrameWidth(frsSingle), 1);
  EXPECT_EQ(FrameWidth(frsLowered), 2);
}

TEST(DrawFrame, DegenerateBoxesAndSystemScheme) {
  TMetafile mf(20, 20);
  DrawFrame(mf.Canvas(), frsRaised, 5, 5, 4, 9, cHi, cLi, cSh, cDk, cLn);  // empty
  DrawFrame(mf.Canvas(), TFrameStyle(9), 0, 0, 9, 9, cHi, cLi, cSh, cDk, cLn);
  EXPECT_TRUE(mf.Records().empty());
  TBitmap tiny(3, 3);
  tiny.Fill(clWhite);
  DrawFrame(tiny.Canvas(), frsLowered, 1, 1, 1, 1, cHi, cLi, cSh, cDk, cLn);  // one pixel
  EXPECT_NE(Px(tiny, 1, 1), clWhite);
  EXPECT_EQ(Px(tiny, 2, 1), clWhite);
  TBitmap sys(10, 10);
  sys.Fill(clWhite);
  DrawFrame(sys.Canvas(), frsLowered, 0, 0, 9, 9, cHi, cLi, cSh, cDk, cLn, cscSystem);
  EXPECT_EQ(Px(sys, 0, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Px(sys, 9, 5), ColorToRGB(clBtnHighlight));
}

// Mask of one mark: 0 background, 1 pen, 2 brush.
using TMask = std::vector<std::vector<int>>;
constexpr int kBox = 21, kC = 10;
constexpr TColor kPen = clBlue, kBrush = clRed;

TMask DrawMask(int m) {
  TBitmap b(kBox, kBox);
  b.Fill(clWhite);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(kPen);
  c.Brush().SetColor(kBrush);
  DrawMarkOnCanvas(c, std::uint8_t(m), kC, kC);
  TMask mask(kBox, std::vector<int>(kBox, 0));
  for (int y = 0; y < kBox; ++y)
    for (int x = 0; x < kBox; ++x) {
      const TColor p = Px(b, x, y);
      mask[y][x] = p == kPen ? 1 : (p == kBrush ? 2 : 0);
      EXPECT_TRUE(p == kPen || p == kBrush || p == clWhite) << "mark " << m;
    }
  return mask;
}

TEST(DrawMark, AllSymbolsCentredSymmetricAndDistinct) {
  std::set<TMask> seen;
  for (int m = 0; m < kNumMarkTypes; ++m) {
    SCOPED_TRACE(m);
    const TMask mask = DrawMask(m);
    int minX = kBox, maxX = -1, minY = kBox, maxY = -1;
    for (int y = 0; y < kBox; ++y)
      for (int x = 0; x < kBox; ++x)
        if (mask[y][x]) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
          minY = std::min(minY, y);
          maxY = std::max(maxY, y);
        }
    ASSERT_GE(maxX, 0) << "mark draws nothing";
    EXPECT_EQ(minX + maxX, 2 * kC) << "centred horizontally";
    EXPECT_EQ(minY + maxY, 2 * kC) << "centred vertically";
    // Mirror symmetry: left-right for every symbol but the left/right
    // triangles, which are symmetric top-bottom instead.
    // Non-triangles are symmetric both ways (and under a quarter turn).
    const int shape = m >= 4 ? (m - 4) % 16 : -1;
    const bool sideways = shape >= 12, upright = shape >= 8 && shape < 12;
    for (int y = 0; y < kBox; ++y)
      for (int x = 0; x < kBox; ++x) {
        if (!sideways) {
          ASSERT_EQ(mask[y][x], mask[y][2 * kC - x]) << x << "," << y;
        }
        if (!upright) {
          ASSERT_EQ(mask[y][x], mask[2 * kC - y][x]) << x << "," << y;
        }
        if (!sideways && !upright) {
          ASSERT_EQ(mask[y][x], mask[x][y]) << x << "," << y;
        }
      }
    EXPECT_TRUE(seen.insert(mask).second) << "same picture as an earlier mark";
  }
}

// On a bitmap marks are set as pixel spans; they must give the pixels of
// the shapes, also cut by the clip and the bitmap's edges, with a solid or
// a clear brush, under any pen style or width.
TEST(DrawMark, SpansOnBitmapsEqualTheShapes) {
  for (int m = 0; m < kNumMarkTypes; ++m)
    for (int variant = 0; variant < 3; ++variant) {
      TBitmap a(16, 12), b(16, 12), batch(16, 12);
      for (TBitmap* bmp : {&a, &b, &batch}) {
        bmp->Fill(clWhite);
        TCanvas& c = bmp->Canvas();
        c.Pen().SetColor(kPen);
        c.Pen().SetStyle(variant == 2 ? psDash : psSolid);
        c.Pen().SetWidth(variant == 2 ? 3 : 1);
        c.Brush().SetColor(kBrush);
        c.Brush().SetStyle(variant == 1 ? bsClear : bsSolid);
        c.SetClipRect(Rect(2, 1, 13, 12));
      }
      const TPoint at[] = {Point(7, 6), Point(1, 0), Point(14, 11), Point(-3, 5)};
      for (const TPoint p : at) {
        DrawMarkOnCanvas(a.Canvas(), std::uint8_t(m), p.x, p.y);
        DrawMarkShapes(b.Canvas(), std::uint8_t(m), p.x, p.y);
      }
      DrawMarksOnCanvas(batch.Canvas(), std::uint8_t(m), at, 4);
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
          ASSERT_EQ(Px(a, x, y), Px(b, x, y)) << "mark " << m << " variant " << variant << " at " << x << "," << y;
          ASSERT_EQ(Px(batch, x, y), Px(b, x, y)) << "batch, mark " << m << " variant " << variant;
        }
    }
}

TEST(DrawMark, FilledUseBrushOpenLeaveInteriorAndClearToolsHide) {
  const TMask filled = DrawMask(5);   // filled square 5
  const TMask open = DrawMask(4);     // open square 5
  EXPECT_EQ(filled[kC][kC], 2);
  EXPECT_EQ(filled[kC - 2][kC - 2], 1);
  EXPECT_EQ(open[kC][kC], 0);
  EXPECT_EQ(open[kC + 2][kC], 1);
  const TMask cross = DrawMask(26);   // cross 9, the box plot's extreme mark
  EXPECT_EQ(cross[kC - 4][kC - 4], 1);
  EXPECT_EQ(cross[kC][kC - 4], 0);
  // Clear pen: only the brush interior remains; clear brush: only the outline.
  TBitmap b(kBox, kBox);
  b.Fill(clWhite);
  b.Canvas().Pen().SetStyle(psClear);
  b.Canvas().Brush().SetColor(kBrush);
  DrawMarkOnCanvas(b.Canvas(), 21, kC, kC);  // filled square 9
  EXPECT_EQ(Px(b, kC - 4, kC), clWhite);
  EXPECT_EQ(Px(b, kC - 3, kC), kBrush);
  EXPECT_EQ(b.Canvas().Pen().Style(), psClear);  // restored
  TMetafile far(50, 50);  // extreme positions draw off the device, without overflow
  DrawMarkOnCanvas(far.Canvas(), 51, INT32_MAX, INT32_MIN);
  DrawFrame(far.Canvas(), frsEngraved, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, cHi, cLi, cSh,
            cDk, cLn);
  EXPECT_FALSE(far.Records().empty());
  TMetafile mf(50, 50);
  DrawMarkOnCanvas(mf.Canvas(), 52, 10, 10);
  DrawMarkOnCanvas(mf.Canvas(), 255, 10, 10);
  EXPECT_TRUE(mf.Records().empty());
}

TEST(DrawMark, RecordsOneOutlineAndOneInterior) {
  TMetafile mf(50, 50);
  mf.Canvas().Pen().SetColor(kPen);
  mf.Canvas().Brush().SetColor(kBrush);
  DrawMarkOnCanvas(mf.Canvas(), 21, 20, 30);  // filled square 9
  ASSERT_EQ(mf.Records().size(), 2u);
  const TMetaRecord& fill = mf.Records()[0];
  EXPECT_EQ(fill.Op, TMetaOp::FillRect);
  EXPECT_EQ(fill.Box, Rect(17, 27, 24, 34));
  EXPECT_EQ(fill.Brush.Color, kBrush);
  const TMetaRecord& outline = mf.Records()[1];
  EXPECT_EQ(outline.Op, TMetaOp::Polyline);
  EXPECT_EQ(outline.Pen.Color, kPen);
  EXPECT_EQ(outline.Points, (std::vector<TPoint>{{16, 26}, {24, 26}, {24, 34}, {16, 34}, {16, 26}}));
  // A diamond is one closed stroke of four diagonals.
  TMetafile md(50, 50);
  DrawMarkOnCanvas(md.Canvas(), 24, 20, 20);  // open diamond 9
  ASSERT_EQ(md.Records().size(), 1u);
  EXPECT_EQ(md.Records()[0].Points.size(), 5u);
}

TEST(DrawMark, XorPenSetsEveryOutlinePixelOnce) {
  for (int m = 0; m < kNumMarkTypes; ++m) {
    TBitmap b(kBox, kBox);
    b.Fill(clWhite);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clWhite);
    c.Pen().SetMode(pmXor);  // white XOR white = black where the pen passes once
    c.Brush().SetStyle(bsClear);
    DrawMarkOnCanvas(c, std::uint8_t(m), kC, kC);
    const TMask mask = DrawMask(m);
    for (int y = 0; y < kBox; ++y)
      for (int x = 0; x < kBox; ++x)
        ASSERT_EQ(Px(b, x, y) == clBlack, mask[y][x] == 1) << "mark " << m << " at " << x << "," << y;
  }
}

// A filled symbol whose pen and brush agree is one fill on a bitmap: the
// same pixels as its interior and outline drawn apart (recorded, replayed),
// also cut by the bitmap's edges and with the brush set as a system colour.
TEST(DrawMark, OneColourSymbolsAsOneFillKeepTheirPixels) {
  const TColor brushes[] = {clGreen, ColorToRGB(clBtnFace)};
  const TPoint at[] = {{kC, kC}, {1, 2}, {kBox - 2, kBox - 1}};
  int filled = 0;
  for (int m = 0; m < kNumMarkTypes; ++m)
    for (TColor brush : brushes)
      for (TPoint p : at) {
        TBitmap direct(kBox, kBox), replayed(kBox, kBox);
        TMetafile mf(kBox, kBox);
        direct.Fill(clWhite);
        replayed.Fill(clWhite);
        for (TCanvas* c : {&direct.Canvas(), &mf.Canvas()}) {
          c->Pen().SetColor(brush == clGreen ? clGreen : clBtnFace);
          c->Brush().SetColor(brush);
          DrawMarkOnCanvas(*c, std::uint8_t(m), p.x, p.y);
        }
        mf.Replay(replayed.Canvas());
        for (int y = 0; y < kBox; ++y)
          for (int x = 0; x < kBox; ++x)
            ASSERT_EQ(Px(direct, x, y), Px(replayed, x, y)) << "mark " << m << " at " << x << "," << y;
        for (const TMetaRecord& r : mf.Records()) filled += r.Op == TMetaOp::FillRect;
      }
  EXPECT_GT(filled, 0);
}

TEST(DrawMark, Names) {
  EXPECT_EQ(MarkTypeName(21), "filled square 9");
  EXPECT_EQ(MarkTypeName(26), "cross 9");
  EXPECT_EQ(MarkTypeName(5), "filled square 5");
  EXPECT_EQ(MarkTypeName(60), "");
}

TEST(CanvasFont, SizeFollowsTheCanvasResolution) {
  TBitmap b(10, 10);
  b.SetPixelsPerInch(192);
  SetCanvasFontSizeScaled(b.Canvas(), 8);
  EXPECT_EQ(b.Canvas().Font().Size(), 8);
  EXPECT_EQ(b.Canvas().Font().PixelsPerInch(), 192);
  EXPECT_NEAR(b.Canvas().Font().Height(), 8 * 192 / 72.0, 1);
  SetCanvasFontSizeScaled(b.Canvas(), 0.1);
  EXPECT_EQ(b.Canvas().Font().Size(), 1);
}

}  // namespace
}  // namespace kvo
