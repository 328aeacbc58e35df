// Pixel rules of the raster canvas: the coordinates chart code computes with.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kvo {
namespace {

// Bounding box of the pixels that differ from bg (empty when none).
TRect InkBox(const TBitmap& b, TColor bg) {
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TRGB32 p = b.ScanLine(y)[x];
      if (RGBColor(p.R, p.G, p.B) == bg) continue;
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
  if (r.Left == INT32_MAX) return {};
  return r;
}

TBitmap White(int w, int h) {
  TBitmap b(w, h);
  b.Fill(clWhite);
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
  EXPECT_EQ(c.Pixel(6, 7), clRed);
  EXPECT_EQ(c.Pixel(13, 18), clRed);
  EXPECT_EQ(c.Pixel(15, 19), clWhite);
  EXPECT_EQ(c.Pixel(14, 20), clWhite);
  // Swapped corners mean the same box.
  TBitmap b2 = White(40, 30);
  b2.Canvas().Brush().SetColor(clRed);
  b2.Canvas().Rectangle(15, 20, 5, 6);
  EXPECT_EQ(InkBox(b2, clWhite), Rect(5, 6, 15, 20));
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
}

}  // namespace
}  // namespace kvo
