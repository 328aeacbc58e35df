// Pixel rules of the raster canvas: the coordinates chart code computes with.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kvo {
namespace {

TColor At(const TBitmap& b, int x, int y) {
  const TRGB32 p = b.ScanLine(y)[x];
  return RGBColor(p.R, p.G, p.B);
}

// Bounding box of the pixels that differ from bg (empty when none).
TRect InkBox(const TBitmap& b, TColor bg) {
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      if (At(b, x, y) == bg) continue;
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
  if (r.Left == INT32_MAX) return {};
  return r;
}

int CountColor(const TBitmap& b, TColor c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += At(b, x, y) == c;
  return n;
}

TBitmap White(int w, int h) {
  TBitmap b(w, h);
  b.Fill(clWhite);
  return b;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (At(a, x, y) != At(b, x, y)) return false;
  return true;
}

// A picture with many colours, so that bitwise mistakes show.
TBitmap Colourful(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.ScanLine(y)[x] = {std::uint8_t(x * 7 + y), std::uint8_t(y * 11), std::uint8_t(x ^ y), 255};
  return b;
}

TEST(RasterCanvas, RectangleCoversLeftToRightMinusOne) {
  TBitmap b = White(40, 30);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clBlack);
  c.Brush().SetColor(clRed);
  c.Rectangle(5, 6, 15, 20);
  EXPECT_EQ(InkBox(b, clWhite), Rect(5, 6, 15, 20));
  EXPECT_EQ(c.Pixel(5, 6), clBlack);
  EXPECT_EQ(c.Pixel(14, 19), clBlack);
  EXPECT_EQ(c.Pixel(5, 19), clBlack);
  EXPECT_EQ(c.Pixel(14, 6), clBlack);
  EXPECT_EQ(c.Pixel(6, 7), clRed);
  EXPECT_EQ(c.Pixel(13, 18), clRed);
  EXPECT_EQ(CountColor(b, clRed), 8 * 12);
  EXPECT_EQ(CountColor(b, clBlack), 2 * 10 + 2 * 12);
  // Swapped corners mean the same box.
  TBitmap b2 = White(40, 30);
  b2.Canvas().Brush().SetColor(clRed);
  b2.Canvas().Rectangle(15, 20, 5, 6);
  EXPECT_TRUE(SamePixels(b, b2));
}

TEST(RasterCanvas, RectangleWithClearPenOrBrush) {
  TBitmap b = White(40, 30);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Rectangle(2, 3, 12, 8);
  EXPECT_EQ(InkBox(b, clWhite), Rect(2, 3, 12, 8));
  EXPECT_EQ(CountColor(b, clBlue), 50);
  TBitmap f = White(40, 30);
  f.Canvas().Brush().SetStyle(bsClear);
  f.Canvas().Rectangle(2, 3, 12, 8);
  EXPECT_EQ(CountColor(f, clBlack), 2 * 10 + 2 * 3);
  EXPECT_EQ(At(f, 5, 5), clWhite);
  // FillRect and FrameRect use the brush only.
  TBitmap g = White(40, 30);
  g.Canvas().Brush().SetColor(clGreen);
  g.Canvas().FillRect({1, 1, 4, 5});
  EXPECT_EQ(InkBox(g, clWhite), Rect(1, 1, 4, 5));
  EXPECT_EQ(CountColor(g, clGreen), 12);
  g.Canvas().Brush().SetColor(clRed);
  g.Canvas().FrameRect({10, 10, 20, 15});
  EXPECT_EQ(CountColor(g, clRed), 2 * 10 + 2 * 3);
  // Empty boxes draw nothing.
  TBitmap e = White(10, 10);
  e.Canvas().Rectangle(3, 3, 3, 8);
  e.Canvas().FillRect({4, 4, 4, 4});
  EXPECT_EQ(InkBox(e, clWhite), TRect{});
}

TEST(RasterCanvas, LineToLeavesEndPixel) {
  TBitmap b = White(30, 30);
  TCanvas& c = b.Canvas();
  c.MoveTo(2, 3);
  c.LineTo(12, 3);
  EXPECT_EQ(InkBox(b, clWhite), Rect(2, 3, 12, 4));
  EXPECT_EQ(c.PenPos(), Point(12, 3));
  c.LineTo(12, 13);  // continues from the missing pixel, drawing it now
  EXPECT_EQ(c.Pixel(12, 3), clBlack);
  EXPECT_EQ(c.Pixel(12, 12), clBlack);
  EXPECT_EQ(c.Pixel(12, 13), clWhite);
  // Diagonal and steep lines: one pixel per step of the longer axis.
  TBitmap d = White(30, 30);
  d.Canvas().MoveTo(20, 25);
  d.Canvas().LineTo(5, 0);
  EXPECT_EQ(CountColor(d, clBlack), 25);
  EXPECT_EQ(At(d, 20, 25), clBlack);
  EXPECT_EQ(At(d, 5, 0), clWhite);
  // A zero-length line draws nothing.
  TBitmap z = White(5, 5);
  z.Canvas().MoveTo(2, 2);
  z.Canvas().LineTo(2, 2);
  EXPECT_EQ(CountColor(z, clBlack), 0);
}

TEST(RasterCanvas, PolylineLeavesOnlyLastVertex) {
  TBitmap b = White(30, 30);
  const TPoint pts[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
  b.Canvas().Polyline(pts, 4);
  EXPECT_EQ(CountColor(b, clBlack), 8 * 3);
  EXPECT_EQ(At(b, 10, 2), clBlack);
  EXPECT_EQ(At(b, 10, 10), clBlack);
  EXPECT_EQ(At(b, 2, 10), clWhite);
  // Polygon closes the outline and draws every vertex.
  TBitmap p = White(30, 30);
  p.Canvas().Brush().SetStyle(bsClear);
  p.Canvas().Polygon(pts, 4);
  EXPECT_EQ(CountColor(p, clBlack), 32);
  EXPECT_EQ(At(p, 2, 10), clBlack);
  // Filled polygon: interior in the brush colour.
  TBitmap q = White(30, 30);
  q.Canvas().Brush().SetColor(clRed);
  q.Canvas().Polygon(pts, 4);
  EXPECT_EQ(At(q, 6, 6), clRed);
  EXPECT_EQ(InkBox(q, clWhite), Rect(2, 2, 11, 11));
}

TEST(RasterCanvas, ClippedAndFarAwayLines) {
  TBitmap b = White(50, 40);
  TCanvas& c = b.Canvas();
  // A line from far outside: only the visible pixels, same as the line
  // between the edge crossings.
  c.MoveTo(-2000000000, 20);
  c.LineTo(2000000000, 20);
  EXPECT_EQ(CountColor(b, clBlack), 50);
  TBitmap d = White(50, 40);
  d.Canvas().MoveTo(-100000, -100000);
  d.Canvas().LineTo(100000, 100000);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(At(d, i, i), clBlack) << i;
  EXPECT_EQ(CountColor(d, clBlack), 40);
  // Steep and shallow lines between points near the int32 limits: the drawn
  // pixels lie on the exact line.
  const TPoint ends[][2] = {{{-1999999980, -1499999980}, {2000000020, 1500000020}},
                            {{25, -2147483647}, {26, 2147483647}},
                            {{-2147483647, 30}, {2147483647, 10}}};
  for (const auto& e : ends) {
    TBitmap f = White(50, 40);
    f.Canvas().MoveTo(e[0].x, e[0].y);
    f.Canvas().LineTo(e[1].x, e[1].y);
    const long double dx = (long double)e[1].x - e[0].x, dy = (long double)e[1].y - e[0].y;
    int drawn = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 50; ++x) {
        if (At(f, x, y) != clBlack) continue;
        ++drawn;
        // Distance along the minor axis to the exact line at most half a pixel.
        const long double dist = std::fabs(std::fabs(dx) >= std::fabs(dy)
                                               ? e[0].y + dy * ((long double)x - e[0].x) / dx - y
                                               : e[0].x + dx * ((long double)y - e[0].y) / dy - x);
        EXPECT_LE(dist, 0.5000001L) << x << "," << y;
      }
    EXPECT_GT(drawn, 0);
  }
  // Clip rectangle.
  TBitmap e = White(50, 40);
  e.Canvas().SetClipRect({10, 0, 20, 40});
  e.Canvas().MoveTo(0, 5);
  e.Canvas().LineTo(50, 5);
  e.Canvas().Brush().SetColor(clBlue);
  e.Canvas().FillRect({0, 10, 50, 12});
  EXPECT_EQ(InkBox(e, clWhite), Rect(10, 5, 20, 12));
  e.Canvas().ResetClip();
  e.Canvas().MoveTo(0, 30);
  e.Canvas().LineTo(50, 30);
  EXPECT_EQ(At(e, 0, 30), clBlack);
  // Clipped drawing matches unclipped drawing inside the clip.
  TBitmap f = White(50, 40), g = White(50, 40);
  const TPoint pts[] = {{-30, 45}, {13, 2}, {60, 33}, {25, -9}, {1, 39}};
  f.Canvas().Polyline(pts, 5);
  g.Canvas().SetClipRect({5, 5, 45, 35});
  g.Canvas().Polyline(pts, 5);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x)
      if (x >= 5 && x < 45 && y >= 5 && y < 35) EXPECT_EQ(At(f, x, y), At(g, x, y));
      else EXPECT_EQ(At(g, x, y), clWhite);
}

// Lengths of the on runs along row y from x0 (pixels differing from white).
std::vector<int> Runs(const TBitmap& b, int y, int x0, int x1, std::vector<int>* gaps = nullptr) {
  std::vector<int> runs;
  int run = 0, gap = 0;
  for (int x = x0; x < x1; ++x) {
    if (At(b, x, y) != clWhite) {
      if (gap && gaps && !runs.empty()) gaps->push_back(gap);
      gap = 0;
      ++run;
    } else {
      if (run) runs.push_back(run);
      run = 0;
      ++gap;
    }
  }
  if (run) runs.push_back(run);
  return runs;
}

TEST(RasterCanvas, DashedAndDottedPensShowTheirPatterns) {
  struct Case {
    TPenStyle Style;
    std::vector<int> On, Off;
  };
  const Case cases[] = {{psDash, {18}, {6}},
                        {psDot, {3}, {3}},
                        {psDashDot, {9, 3}, {6}},
                        {psDashDotDot, {9, 3, 3}, {3}}};
  for (const Case& k : cases) {
    TBitmap b = White(200, 3);
    b.Canvas().Pen().SetStyle(k.Style);
    b.Canvas().MoveTo(0, 1);
    b.Canvas().LineTo(200, 1);
    std::vector<int> gaps;
    const auto runs = Runs(b, 1, 0, 200, &gaps);
    ASSERT_GT(runs.size(), 4u) << int(k.Style);
    for (std::size_t i = 0; i + 1 < runs.size(); ++i)
      EXPECT_EQ(runs[i], k.On[i % k.On.size()]) << "style " << int(k.Style) << " run " << i;
    for (int g : gaps)
      EXPECT_TRUE(std::find(k.Off.begin(), k.Off.end(), g) != k.Off.end())
          << "style " << int(k.Style) << " gap " << g;
  }
  // The pattern continues around the corners of a polyline.
  TBitmap p = White(60, 60);
  p.Canvas().Pen().SetStyle(psDot);
  const TPoint pts[] = {{1, 1}, {5, 1}, {5, 40}};
  p.Canvas().Polyline(pts, 3);
  // Along the path (1,1)..(4,1), (5,1)..: pixels 0..2 on, 3..5 off, 6..8 on.
  EXPECT_EQ(At(p, 1, 1), clBlack);
  EXPECT_EQ(At(p, 3, 1), clBlack);
  EXPECT_EQ(At(p, 4, 1), clWhite);
  EXPECT_EQ(At(p, 5, 1), clWhite);
  EXPECT_EQ(At(p, 5, 2), clWhite);
  EXPECT_EQ(At(p, 5, 3), clBlack);
  // Clear pen draws nothing.
  TBitmap n = White(20, 5);
  n.Canvas().Pen().SetStyle(psClear);
  n.Canvas().MoveTo(0, 2);
  n.Canvas().LineTo(20, 2);
  n.Canvas().Brush().SetStyle(bsClear);
  n.Canvas().Rectangle(1, 1, 10, 4);
  EXPECT_EQ(InkBox(n, clWhite), TRect{});
}

TEST(RasterCanvas, WidePensAreCentred) {
  TBitmap b = White(40, 40);
  b.Canvas().Pen().SetWidth(3);
  b.Canvas().MoveTo(10, 20);
  b.Canvas().LineTo(30, 20);
  const TRect ink = InkBox(b, clWhite);
  EXPECT_EQ(ink.Top, 19);
  EXPECT_EQ(ink.Bottom, 22);
  EXPECT_GE(ink.Left, 8);
  EXPECT_LE(ink.Right, 33);
  // Inside-frame pens stay within the box.
  TBitmap f = White(40, 40);
  f.Canvas().Pen().SetData({clBlack, psInsideFrame, 5, pmCopy});
  f.Canvas().Brush().SetColor(clRed);
  f.Canvas().Rectangle(5, 5, 35, 30);
  EXPECT_EQ(InkBox(f, clWhite), Rect(5, 5, 35, 30));
  EXPECT_EQ(At(f, 9, 15), clBlack);
  EXPECT_EQ(At(f, 10, 15), clRed);
}

TEST(RasterCanvas, EllipseAndArcFollowTheBoxAndDirection) {
  TBitmap b = White(60, 50);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().Ellipse(10, 5, 50, 45);
  EXPECT_EQ(InkBox(b, clWhite), Rect(10, 5, 50, 45));
  EXPECT_EQ(At(b, 30, 25), clRed);
  EXPECT_EQ(At(b, 11, 6), clWhite);  // corners stay free
  // Counter-clockwise from the ray through the right point to the ray through
  // the top point: the upper-right quarter only.
  TBitmap a = White(60, 60);
  a.Canvas().Arc(10, 10, 50, 50, 60, 30, 30, 0);
  const TRect q = InkBox(a, clWhite);
  EXPECT_GE(q.Left, 29);
  EXPECT_LE(q.Bottom, 31);
  EXPECT_EQ(q.Right, 50);
  EXPECT_EQ(q.Top, 10);
  // Swapping start and end takes the other three quarters.
  TBitmap o = White(60, 60);
  o.Canvas().Arc(10, 10, 50, 50, 30, 0, 60, 30);
  const TRect r = InkBox(o, clWhite);
  EXPECT_EQ(r.Left, 10);
  EXPECT_EQ(r.Bottom, 50);
  EXPECT_EQ(At(o, 45, 15), clWhite);
}

TEST(RasterCanvas, XorTwiceRestoresThePicture) {
  const TBitmap original = Colourful(80, 60);
  TBitmap b = original;
  TCanvas& c = b.Canvas();
  c.Pen().SetData({0x5A3CF0, psSolid, 1, pmXor});
  c.Brush().SetData({0x00FF77, bsSolid});
  const TPoint pts[] = {{3, 50}, {40, 4}, {77, 55}, {10, 20}};
  auto draw = [&] {
    c.MoveTo(1, 1);
    c.LineTo(78, 57);
    c.Polyline(pts, 4);
    c.Rectangle(10, 10, 40, 30);
    c.Ellipse(30, 20, 70, 55);
    c.Pen().SetWidth(4);
    c.MoveTo(5, 55);
    c.LineTo(75, 5);
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psDot);
    c.MoveTo(0, 40);
    c.LineTo(80, 40);
    c.Pen().SetStyle(psSolid);
  };
  draw();
  EXPECT_FALSE(SamePixels(b, original));
  EXPECT_EQ(At(b, 1, 1), At(original, 1, 1) ^ 0x5A3CF0);
  draw();
  EXPECT_TRUE(SamePixels(b, original));
}

TEST(RasterCanvas, CopyModesCombineBitwise) {
  const TBitmap src = Colourful(16, 16);
  const TBitmap dstOrig = [] {
    TBitmap d(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        d.ScanLine(y)[x] = {std::uint8_t(200 - x * 9), std::uint8_t(x * y), std::uint8_t(77 + y), 255};
    return d;
  }();
  const struct {
    TCopyMode Mode;
    TColor (*Op)(TColor, TColor);
  } cases[] = {
      {SRCCOPY, [](TColor s, TColor) { return s; }},
      {SRCAND, [](TColor s, TColor d) { return s & d; }},
      {SRCPAINT, [](TColor s, TColor d) { return s | d; }},
      {SRCINVERT, [](TColor s, TColor d) { return s ^ d; }},
  };
  for (const auto& k : cases) {
    TBitmap d = dstOrig;
    d.Canvas().CopyRect({0, 0, 16, 16}, src, {0, 0, 16, 16}, k.Mode);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_EQ(At(d, x, y), k.Op(At(src, x, y), At(dstOrig, x, y)))
            << std::hex << k.Mode << " at " << x << "," << y;
  }
  EXPECT_EQ(SRCAND, 0x8800C6u);
  EXPECT_EQ(SRCPAINT, 0xEE0086u);
  EXPECT_EQ(SRCINVERT, 0x660046u);
  // CopyMode() applies to Draw as well.
  TBitmap d = dstOrig;
  d.Canvas().SetCopyMode(SRCINVERT);
  d.Canvas().Draw(0, 0, src);
  d.Canvas().Draw(0, 0, src);
  EXPECT_TRUE(SamePixels(d, dstOrig));
}

TEST(RasterCanvas, StretchDrawSamplesNearestAndMirrors) {
  TBitmap src(2, 2);
  src.ScanLine(0)[0] = {0, 0, 255, 255};    // red
  src.ScanLine(0)[1] = {0, 255, 0, 255};    // green
  src.ScanLine(1)[0] = {255, 0, 0, 255};    // blue
  src.ScanLine(1)[1] = {255, 255, 255, 255};
  TBitmap d = White(20, 20);
  d.Canvas().StretchDraw({2, 2, 12, 8}, src);
  EXPECT_EQ(InkBox(d, clWhite), Rect(2, 2, 12, 8));
  EXPECT_EQ(At(d, 2, 2), clRed);
  EXPECT_EQ(At(d, 6, 4), clRed);
  EXPECT_EQ(At(d, 7, 2), clLime);
  EXPECT_EQ(At(d, 2, 5), clBlue);
  EXPECT_EQ(At(d, 11, 7), clWhite);
  TBitmap m = White(20, 20);
  m.Canvas().StretchDraw({12, 2, 2, 8}, src);  // mirrored left-right
  EXPECT_EQ(At(m, 2, 2), clLime);
  EXPECT_EQ(At(m, 11, 2), clRed);
  // A destination spanning the whole int32 range neither overflows nor hangs.
  TBitmap x = White(20, 20);
  x.Canvas().StretchDraw({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, src);
  EXPECT_EQ(At(x, 0, 0), clWhite);  // the middle of the source, bottom-right pixel
  x.Canvas().Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  x.Canvas().Pen().SetMode(pmXor);
  x.Canvas().Ellipse(INT32_MIN, -10, INT32_MAX, 10);
  // Copying a bitmap onto itself with overlap reads the original pixels.
  TBitmap s = Colourful(20, 10);
  const TBitmap before = s;
  s.Canvas().CopyRect({2, 0, 20, 10}, s, {0, 0, 18, 10});
  for (int x = 2; x < 20; ++x) EXPECT_EQ(At(s, x, 5), At(before, x - 2, 5));
}

TEST(RasterCanvas, PixelsAndBrushHatches) {
  TBitmap b = White(16, 16);
  TCanvas& c = b.Canvas();
  c.SetPixel(3, 4, clRed);
  c.SetPixel(-1, 4, clRed);  // outside: ignored
  c.SetPixel(16, 0, clRed);
  EXPECT_EQ(c.Pixel(3, 4), clRed);
  EXPECT_EQ(CountColor(b, clRed), 1);
  c.SetPixel(5, 5, clBtnShadow);  // system colours resolve through the table
  EXPECT_EQ(c.Pixel(5, 5), ColorToRGB(clBtnShadow));
  TBitmap h = White(16, 16);
  h.Canvas().Brush().SetData({clBlue, bsHorizontal});
  h.Canvas().FillRect({0, 0, 16, 16});
  EXPECT_EQ(CountColor(h, clBlue), 2 * 16);  // one line per 8 rows
  TBitmap v = White(16, 16);
  v.Canvas().Brush().SetData({clBlue, bsCross});
  v.Canvas().FillRect({0, 0, 16, 16});
  EXPECT_EQ(CountColor(v, clBlue), 2 * 16 + 2 * 16 - 4);
}

TEST(RasterCanvas, TextIsMeasuredAndDrawnInsideTheBox) {
  TBitmap b = White(200, 60);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(c.Font().Name(), "DejaVu Sans");
  EXPECT_EQ(c.Font().Size(), 8);
  EXPECT_EQ(c.Font().Height(), 11);  // 8 pt at 96 dpi
  const std::string s = "Hello, Wy";
  const TSize ext = c.TextExtent(s);
  EXPECT_GT(ext.cx, 30);
  EXPECT_LT(ext.cx, 70);
  EXPECT_GE(ext.cy, 12);
  EXPECT_LE(ext.cy, 15);
  EXPECT_EQ(c.TextWidth(s), ext.cx);
  EXPECT_EQ(c.TextHeight(s), ext.cy);
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_GT(c.TextWidth("WWWW"), c.TextWidth("iiii"));
  c.Brush().SetStyle(bsClear);
  c.TextOut(20, 10, s);
  const TRect ink = InkBox(b, clWhite);
  EXPECT_GE(ink.Left, 20);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LE(ink.Right, 20 + ext.cx + 1);
  EXPECT_LE(ink.Bottom, 10 + ext.cy);
  EXPECT_GT(ink.Width(), ext.cx / 2);
  // An opaque brush fills exactly the measured box.
  TBitmap o = White(200, 60);
  o.Canvas().Brush().SetColor(clYellow);
  o.Canvas().TextOut(20, 10, s);
  EXPECT_EQ(InkBox(o, clWhite), Rect(20, 10, 20 + ext.cx, 10 + ext.cy));
  // Reference points: right/bottom put the box left of and above (x, y).
  TBitmap r = White(200, 60);
  r.Canvas().Brush().SetColor(clYellow);
  r.Canvas().SetTextAlign(TA_RIGHT | TA_BOTTOM);
  r.Canvas().TextOut(150, 50, s);
  EXPECT_EQ(InkBox(r, clWhite), Rect(150 - ext.cx, 50 - ext.cy, 150, 50));
  TBitmap m = White(200, 60);
  m.Canvas().Brush().SetColor(clYellow);
  m.Canvas().SetTextAlign(TA_CENTER | TA_BASELINE);
  m.Canvas().TextOut(100, 30, s);
  const TRect mb = InkBox(m, clWhite);
  EXPECT_EQ(mb.Left, 100 - ext.cx / 2);
  EXPECT_LT(mb.Top, 30 - 5);
  EXPECT_GT(mb.Bottom, 30);
  // Bigger fonts measure bigger; bold is wider.
  const std::int32_t w8 = c.TextWidth(s);
  c.Font().SetSize(16);
  EXPECT_GT(c.TextWidth(s), w8 * 3 / 2);
  c.Font().SetSize(8);
  c.Font().SetStyle({fsBold});
  EXPECT_GT(c.TextWidth(s), w8);
  // Bad UTF-8 neither throws nor breaks later drawing.
  c.TextOut(5, 40, std::string("bad \xC3\x28 \xFF end"));
  EXPECT_GT(c.TextWidth(std::string("\xFF\xFE")), 0);
  c.Font().SetStyle({});
  EXPECT_EQ(c.TextWidth(s), w8);
}

TEST(RasterCanvas, TextUpdatesPenPositionWhenAsked) {
  TBitmap b = White(200, 40);
  TCanvas& c = b.Canvas();
  c.SetTextAlign(TA_UPDATECP);
  c.MoveTo(10, 5);
  c.TextOut(0, 0, "abc");
  EXPECT_EQ(c.PenPos().x, 10 + c.TextWidth("abc"));
  EXPECT_EQ(c.PenPos().y, 5);
  EXPECT_EQ(c.SetTextAlign(TA_LEFT), std::uint32_t{TA_UPDATECP});
}

TEST(RasterCanvas, AntialiasingIsOffByDefaultAndSwitchable) {
  TBitmap b = White(60, 60);
  TCanvas& c = b.Canvas();
  EXPECT_FALSE(c.Antialias());
  c.Ellipse(5, 5, 55, 55);
  c.MoveTo(0, 0);
  c.LineTo(59, 23);
  int grey = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor p = At(b, x, y);
      grey += p != clWhite && p != clBlack;
    }
  EXPECT_EQ(grey, 0);
  TBitmap a = White(60, 60);
  a.Canvas().SetAntialias(true);
  a.Canvas().Ellipse(5, 5, 55, 55);
  a.Canvas().MoveTo(0, 0);
  a.Canvas().LineTo(59, 23);
  grey = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor p = At(a, x, y);
      grey += p != clWhite && p != clBlack;
    }
  EXPECT_GT(grey, 20);
}

TEST(RasterCanvas, ReportsResolutionAndAspect) {
  TBitmap b(30, 20);
  EXPECT_EQ(b.Canvas().GetDeviceCaps(LOGPIXELSY), 96);
  EXPECT_EQ(b.Canvas().GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(b.Canvas().GetDeviceCaps(ASPECTX), b.Canvas().GetDeviceCaps(ASPECTY));
  EXPECT_EQ(b.Canvas().GetDeviceCaps(HORZRES), 30);
  EXPECT_TRUE(b.Canvas().Caps().RasterOps);
  b.SetPixelsPerInch(192);
  EXPECT_EQ(b.Canvas().GetDeviceCaps(LOGPIXELSY), 192);
  EXPECT_EQ(b.Canvas().Font().Height(), 21);
}

TEST(RasterCanvas, ResizingKeepsDrawingWorking) {
  TBitmap b(10, 10);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().Ellipse(0, 0, 10, 10);  // through Cairo
  b.SetSize(300, 200);               // the pixel buffer moves
  EXPECT_EQ(At(b, 5, 5), clBlack);   // new pixels are black
  b.Canvas().Ellipse(100, 50, 200, 150);
  EXPECT_EQ(At(b, 150, 100), clRed);
  b.SetSize(-5, 3);
  EXPECT_TRUE(b.Empty());
  b.Canvas().Ellipse(0, 0, 10, 10);  // nothing to draw on, no crash
  b.Canvas().LineTo(5, 5);
  EXPECT_EQ(b.Canvas().Pixel(0, 0), clWhite);
}

TEST(RasterCanvas, HiDpiSurfaceDrawsLogicalCoordinatesScaled) {
  TBitmap b(40, 40);
  b.Fill(clWhite);
  b.SetSurfaceScale(2);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(c.Caps().Width, 20);
  EXPECT_EQ(c.Caps().Scale, 2.0);
  c.Brush().SetColor(clRed);
  c.Pen().SetStyle(psClear);
  c.Rectangle(2, 3, 7, 9);
  EXPECT_EQ(InkBox(b, clWhite), Rect(4, 6, 14, 18));
  EXPECT_EQ(c.Pixel(3, 4), clRed);
}

}  // namespace
}  // namespace kvo
