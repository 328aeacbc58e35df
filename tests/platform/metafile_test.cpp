// The recording canvas: exact geometry as records, and replay that gives the
// same pixels as drawing directly.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

void Drawing(TCanvas& c) {
  c.Pen().SetColor(clRed);
  c.MoveTo(1, 2);
  c.LineTo(5, 2);
  c.Brush().SetColor(clBlue);
  c.Rectangle(30, 40, 10, 20);  // swapped corners arrive ordered
  const TPoint pts[] = {{0, 0}, {50, 10}, {20, 60}};
  c.Pen().SetData({clGreen, psDot, 1, pmXor});
  c.Polyline(pts, 3);
  c.Pen().SetData({clBlack, psSolid, 3, pmCopy});
  c.Brush().SetData({clYellow, bsCross});
  c.Polygon(pts, 3);
  c.Ellipse(60, 10, 90, 40);
  c.Arc(60, 50, 90, 80, 90, 65, 75, 50);
  c.Font().SetStyle({fsBold});
  c.Font().SetColor(clBtnShadow);
  c.Brush().SetStyle(bsClear);
  c.SetTextAlign(TA_RIGHT | TA_BASELINE);
  c.TextOut(95, 95, "text");
  c.SetPixel(3, 90, clFuchsia);
  c.SetClipRect({0, 0, 50, 50});
  c.Brush().SetData({clTeal, bsSolid});
  c.FillRect({40, 40, 60, 60});
  c.ResetClip();
  TBitmap img(4, 4);
  img.Fill(clLime);
  c.CopyRect({70, 85, 78, 93}, img, {0, 0, 4, 4}, SRCINVERT);
}

TEST(Metafile, RecordsEveryCallWithItsState) {
  TMetafile mf(100, 100);
  TCanvas& c = mf.Canvas();
  EXPECT_EQ(c.GetDeviceCaps(LOGPIXELSY), 96);
  EXPECT_EQ(c.GetDeviceCaps(HORZRES), 100);
  Drawing(c);
  const auto& r = mf.Records();
  ASSERT_EQ(r.size(), 12u);
  EXPECT_EQ(r[0].ToString(), "Line (1,2)-(5,2) pen #FF0000 w1 solid");
  EXPECT_EQ(r[1].Op, TMetaOp::Rectangle);
  EXPECT_EQ(r[1].Box, Rect(10, 20, 30, 40));
  EXPECT_EQ(r[1].Brush.Color, clBlue);
  EXPECT_EQ(r[2].ToString(), "Polyline (0,0) (50,10) (20,60) pen #008000 w1 dot xor");
  EXPECT_EQ(r[3].Op, TMetaOp::Polygon);
  EXPECT_EQ(r[3].Pen.Width, 3);
  EXPECT_EQ(r[3].Brush.Style, bsCross);
  EXPECT_EQ(r[5].Op, TMetaOp::Arc);
  EXPECT_EQ(r[5].Points[0], Point(90, 65));
  EXPECT_EQ(r[6].Op, TMetaOp::Text);
  EXPECT_EQ(r[6].Text, "text");
  EXPECT_EQ(r[6].Align, std::uint32_t{TA_RIGHT | TA_BASELINE});
  EXPECT_EQ(r[6].Font.Color, ColorToRGB(clBtnShadow));  // system colours resolved
  EXPECT_TRUE(r[6].Font.Style.Contains(fsBold));
  EXPECT_EQ(r[7].ToString(), "SetPixel (3,90) #FF00FF");
  EXPECT_EQ(r[8].ToString(), "SetClip [0,0,50,50]");
  EXPECT_EQ(r[9].ToString(), "FillRect [40,40,60,60] brush #008080 solid");
  EXPECT_EQ(r[10].Op, TMetaOp::ResetClip);
  EXPECT_EQ(r[11].ToString(), "DrawBitmap [70,85,78,93] from [0,0,4,4] mode 00660046");
  ASSERT_TRUE(r[11].Image);
  EXPECT_EQ(r[11].Image->Width(), 4);
  // The recorder measures with the real font engine.
  TBitmap b(10, 10);
  b.Canvas().Font().SetStyle({fsBold});
  EXPECT_EQ(c.TextWidth("Measure me"), b.Canvas().TextWidth("Measure me"));
  EXPECT_EQ(c.TextHeight("Measure me"), b.Canvas().TextHeight("Measure me"));
  mf.Clear();
  EXPECT_TRUE(mf.Records().empty());
}

TEST(Metafile, ReplayGivesTheSamePixels) {
  TBitmap direct(100, 100), replayed(100, 100);
  direct.Fill(clWhite);
  replayed.Fill(clWhite);
  Drawing(direct.Canvas());
  TMetafile mf(100, 100);
  Drawing(mf.Canvas());
  mf.Replay(replayed.Canvas());
  int differ = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const TRGB32 a = direct.ScanLine(y)[x], b = replayed.ScanLine(y)[x];
      differ += a.R != b.R || a.G != b.G || a.B != b.B;
    }
  EXPECT_EQ(differ, 0);
  // Replaying onto another recorder copies the records.
  TMetafile copy(100, 100);
  mf.Replay(copy.Canvas());
  // ... followed by the reset of the recording's clip.
  ASSERT_EQ(copy.Records().size(), mf.Records().size() + 1);
  for (std::size_t i = 0; i < mf.Records().size(); ++i)
    EXPECT_EQ(copy.Records()[i].ToString(), mf.Records()[i].ToString());
  EXPECT_EQ(copy.Records().back().Op, TMetaOp::ResetClip);
}

}  // namespace
}  // namespace kvo
