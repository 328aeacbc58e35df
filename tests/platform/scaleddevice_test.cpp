// The scaling device decorator: logical drawing at an integer multiple of the
// inner device's resolution, checked as recorded device calls and as pixels
// against the same drawing at 1x.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/bitmap.h"
#include "platform/metafile.h"
#include "platform/scaleddevice.h"

namespace kvo {
namespace {

TEST(ScaledDevice, RecordsDeviceGeometryAtTwiceTheCoordinates) {
  TMetafile meta(200, 100);
  TScaledDevice dev(*meta.Canvas().Device(), 2);
  TCanvas c(&dev);
  const TDeviceCaps caps = c.Caps();
  EXPECT_EQ(caps.Width, 100);
  EXPECT_EQ(caps.Height, 50);
  EXPECT_EQ(caps.LogPixelsY, 96);  // fonts keep their logical size
  EXPECT_EQ(caps.Scale, 2.0);

  c.Pen().SetData({clRed, psSolid, 1, pmCopy});
  c.MoveTo(1, 2);
  c.LineTo(10, 7);                 // diagonal: the inner device strokes it
  c.MoveTo(3, 5);
  c.LineTo(8, 5);                  // straight: an exact band, end pixel left out
  c.MoveTo(4, 9);
  c.LineTo(4, 6);                  // upwards: pixels 9..7
  c.Brush().SetData({clBlue, bsSolid});
  c.Rectangle(10, 20, 15, 24);     // one-pixel outline inside the box
  c.Pen().SetData({clGreen, psSolid, 3, pmCopy});
  c.Rectangle(30, 5, 40, 15);
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(10);
  c.TextOut(12, 13, "ab");
  c.SetPixel(7, 8, clFuchsia);
  c.SetClipRect({1, 2, 30, 40});
  c.ResetClip();
  TBitmap img(4, 3);
  c.CopyRect({50, 10, 54, 13}, img, {0, 0, 4, 3}, SRCINVERT);

  std::vector<std::string> got;  // readable form for failure messages
  for (const TMetaRecord& r : meta.Records()) got.push_back(r.ToString());
  ASSERT_GE(meta.Records().size(), 14u);
  const auto& rec = meta.Records();
  std::size_t i = 0;
  EXPECT_EQ(rec[i].Op, TMetaOp::Line);
  EXPECT_EQ(rec[i].Points, (std::vector<TPoint>{{2, 4}, {20, 14}}));
  EXPECT_EQ(rec[i].Pen.Width, 2);
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::FillRect);
  EXPECT_EQ(rec[i].Box, (TRect{6, 10, 16, 12}));
  EXPECT_EQ(rec[i].Brush.Color, ColorToRGB(clRed));
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::FillRect);
  EXPECT_EQ(rec[i].Box, (TRect{8, 14, 10, 20}));
  ++i;
  // Interior, then top, bottom, left and right of the two-pixel frame.
  const TRect frame[5] = {{22, 42, 28, 46}, {20, 40, 30, 42}, {20, 46, 30, 48},
                          {20, 42, 22, 46}, {28, 42, 30, 46}};
  for (const TRect& f : frame) {
    EXPECT_EQ(rec[i].Op, TMetaOp::FillRect) << got[i];
    EXPECT_EQ(rec[i].Box, f) << got[i];
    ++i;
  }
  EXPECT_EQ(rec[i - 5].Brush.Color, ColorToRGB(clBlue));
  EXPECT_EQ(rec[i - 4].Brush.Color, ColorToRGB(clRed));
  EXPECT_EQ(rec[i].Op, TMetaOp::Rectangle);
  EXPECT_EQ(rec[i].Box, (TRect{60, 10, 80, 30}));
  EXPECT_EQ(rec[i].Pen.Width, 6);
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::Text);
  EXPECT_EQ(rec[i].Points.empty() ? TPoint{} : rec[i].Points[0], (TPoint{24, 26})) << got[i];
  EXPECT_EQ(rec[i].Font.PixelsPerInch, 192);
  EXPECT_EQ(rec[i].Font.Size, 10);
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::FillRect);
  EXPECT_EQ(rec[i].Box, (TRect{14, 16, 16, 18}));
  EXPECT_EQ(rec[i].Brush.Color, ColorToRGB(clFuchsia));
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::SetClip);
  EXPECT_EQ(rec[i].Box, (TRect{2, 4, 60, 80}));
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::ResetClip);
  ++i;
  EXPECT_EQ(rec[i].Op, TMetaOp::DrawBitmap);
  EXPECT_EQ(rec[i].Box, (TRect{100, 20, 108, 26}));
  EXPECT_EQ(rec[i].SrcBox, (TRect{0, 0, 4, 3}));
  EXPECT_EQ(rec[i].Mode, SRCINVERT);
}

TEST(ScaledDevice, OddFactorsStrokeThroughBlockCentres) {
  TMetafile meta(300, 300);
  TScaledDevice dev(*meta.Canvas().Device(), 3);
  TCanvas c(&dev);
  const TPoint pts[] = {{0, 0}, {10, 5}, {20, 5}};
  c.Polyline(pts, 3);
  ASSERT_EQ(meta.Records().size(), 1u);
  EXPECT_EQ(meta.Records()[0].Points, (std::vector<TPoint>{{1, 1}, {31, 16}, {61, 16}}));
  EXPECT_EQ(meta.Records()[0].Pen.Width, 3);
  EXPECT_EQ(TScaledDevice(*meta.Canvas().Device(), 0).Factor(), 1);
}

// Straight one-pixel lines, outlined and filled rectangles, pixels and pen
// modes: every device pixel of the 2x drawing is its logical pixel at 1x.
void StraightScene(TCanvas& c) {
  c.Brush().SetData({clWhite, bsSolid});
  c.FillRect({0, 0, 40, 30});
  c.Pen().SetData({clNavy, psSolid, 1, pmCopy});
  c.Brush().SetData({clYellow, bsSolid});
  c.Rectangle(2, 3, 20, 15);
  c.Rectangle(30, 3, 32, 9);      // no interior: all outline
  c.Brush().SetStyle(bsClear);
  c.Rectangle(22, 18, 38, 28);
  c.MoveTo(1, 25);
  c.LineTo(1, 17);
  c.LineTo(15, 17);
  c.LineTo(15, 28);
  const TPoint run[] = {{3, 20}, {12, 20}, {12, 26}, {5, 26}};
  c.Pen().SetColor(clMaroon);
  c.Polyline(run, 4);
  c.Pen().SetData({clWhite, psSolid, 1, pmXor});
  c.MoveTo(0, 9);
  c.LineTo(40, 9);
  c.SetPixel(35, 12, clLime);
  c.SetPixel(36, 13, clRed);
}

TEST(ScaledDevice, StraightDrawingIsThePixelsOfOneXBlownUp) {
  TBitmap one(40, 30), two(80, 60);
  StraightScene(one.Canvas());
  TScaledDevice dev(*two.Canvas().Device(), 2);
  TCanvas c(&dev);
  StraightScene(c);
  int bad = 0;
  for (std::int32_t y = 0; y < 60; ++y)
    for (std::int32_t x = 0; x < 80; ++x) {
      const TRGB32 a = one.ScanLine(y / 2)[x / 2], b = two.ScanLine(y)[x];
      if (a.R != b.R || a.G != b.G || a.B != b.B) ++bad;
    }
  EXPECT_EQ(bad, 0);
  // Pixels read back through the decorator are the logical ones.
  EXPECT_EQ(c.Pixel(35, 12), ColorToRGB(clLime));
  EXPECT_EQ(c.Pixel(2, 3), ColorToRGB(clNavy));
  EXPECT_EQ(c.Pixel(3, 4), ColorToRGB(clYellow));
}

TEST(ScaledDevice, TextKeepsItsLogicalSizeAtTheDeviceResolution) {
  TBitmap one(200, 40), two(400, 80);
  TScaledDevice dev(*two.Canvas().Device(), 2);
  TCanvas c(&dev);
  for (TCanvas* cv : {&one.Canvas(), &c}) {
    cv->Font().SetSize(12);
    cv->Font().SetColor(clBlack);
    cv->Brush().SetData({clWhite, bsSolid});
    cv->FillRect({0, 0, 200, 40});
    cv->Brush().SetStyle(bsClear);
    cv->TextOut(10, 5, "Chart 123");
  }
  const TSize e1 = one.Canvas().TextExtent("Chart 123"), e2 = c.TextExtent("Chart 123");
  EXPECT_LE(std::abs(e1.cx - e2.cx), 2);
  EXPECT_LE(std::abs(e1.cy - e2.cy), 1);
  // Ink lies where the 1x text has it, at twice the detail.
  auto inkBox = [](const TBitmap& b) {
    TRect r{b.Width(), b.Height(), 0, 0};
    for (std::int32_t y = 0; y < b.Height(); ++y)
      for (std::int32_t x = 0; x < b.Width(); ++x)
        if (b.ScanLine(y)[x].G < 128) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  };
  const TRect a = inkBox(one), b = inkBox(two);
  ASSERT_FALSE(a.IsEmpty());
  EXPECT_NEAR(b.Left, 2 * a.Left, 2);
  EXPECT_NEAR(b.Top, 2 * a.Top, 3);
  EXPECT_NEAR(b.Right, 2 * a.Right, 4);
  EXPECT_NEAR(b.Bottom, 2 * a.Bottom, 3);
}

}  // namespace
}  // namespace kvo
