// Crosshairs, text labels, mouse trace, grid drawing and the data-area
// background, recorded.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>

#include "devari/bakgnd_p.h"
#include "devari/crosshairs_p.h"
#include "devari/grid_p.h"
#include "devari/textlabels_p.h"
#include "platform/metafile.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

class RenderOverlays : public ::testing::Test {
protected:
  void SetUp() override {
    geom = {280, 200, 50, 10, 16, 32, 0};
    ASSERT_TRUE(tf.Adjust(geom, {0, 10, false}, {0, 1, false}, {0, 100, false}, {0, 10, false}));
  }
  std::vector<TMetaRecord> Ops(TMetaOp op) const {
    std::vector<TMetaRecord> out;
    for (const TMetaRecord& m : mf.Records())
      if (m.Op == op) out.push_back(m);
    return out;
  }
  TChartGeometry geom;
  TLayerTransforms tf;
  TMetafile mf{280, 200};
};

TEST_F(RenderOverlays, CrossHairLinesStayInsideTheDataArea) {
  std::array<TCrossHairView, 4> ch;
  ch[0] = {5, 0.5, clRed, chBoth, psSolid, 3, 1};  // (160, 92), h = 1
  DrawCrossHairsOn(mf.Canvas(), ch, tf, geom, 0, 0, clWhite);
  auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{52, 92}, {269, 92}}));
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{160, 18}, {160, 167}}));
  EXPECT_EQ(lines[0].Pen.Width, 3);
  // Within half the pen width of the left edge: no vertical line.
  mf.Clear();
  ch[0].X = 0.0455;  // column 51 = LRim + h
  DrawCrossHairsOn(mf.Canvas(), ch, tf, geom, 0, 0, clWhite);
  EXPECT_EQ(Ops(TMetaOp::Line).size(), 1u);
  // Offsets shift everything; hidden and NaN crosshairs draw nothing.
  mf.Clear();
  ch[0] = {5, 0.5, clRed, chHoriz, psSolid, 1, 1};
  ch[1] = {std::nan(""), 0.5, clBlue, chBoth, psSolid, 1, 1};
  DrawCrossHairsOn(mf.Canvas(), ch, tf, geom, 50, 16, clWhite);
  lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{1, 76}, {220, 76}}));
}

TEST_F(RenderOverlays, CrossHairShapesAndLayers) {
  std::array<TCrossHairView, 4> ch;
  ch[3] = {50, 5, clGreen, chSmallCross, psDot, 1, 4};  // layer 4 converts with layer 2
  ch[0] = {5, 0.5, clRed, chSquare, psSolid, 1, 1};
  DrawCrossHairsOn(mf.Canvas(), ch, tf, geom, 0, 0, clWhite);
  const auto rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  // Crosshair 4 first (small cross: white then black square), crosshair 1 last.
  EXPECT_EQ(rects[0].Box, Rect(157, 89, 164, 96));
  EXPECT_EQ(rects[0].Pen.Color, clWhite);
  EXPECT_EQ(rects[1].Box, Rect(158, 90, 163, 95));
  EXPECT_EQ(rects[2].Box, Rect(156, 88, 165, 97));
  EXPECT_EQ(rects[2].Pen.Color, clRed);
  EXPECT_EQ(rects[2].Brush.Style, bsClear);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{147, 92}, {174, 92}}));
  EXPECT_EQ(lines[0].Pen.Style, psSolid);
}

TEST_F(RenderOverlays, MouseTraceStrokesAreNotJoined) {
  std::vector<TColoredPoint> pts = {{1, 0.5, 0, clRed}, {2, 0.5, 1, clRed},  // ends a stroke
                                    {3, 0.5, 2, clBlue}, {4, 0.5, 0, clBlue}};
  DrawMouseTraceOn(mf.Canvas(), pts, tf, 1, geom, 0, 0);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{22, 76}, {44, 76}}));
  EXPECT_EQ(lines[0].Pen.Mode, pmCopy);
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{66, 76}, {88, 76}}));
  EXPECT_EQ(lines[1].Pen.Mode, pmCopy);  // point 4 is not inverted
  pts[3].Flags = 2;
  mf.Clear();
  DrawMouseTraceOn(mf.Canvas(), pts, tf, 1, geom, 0, 0);
  EXPECT_EQ(Ops(TMetaOp::Line)[1].Pen.Mode, pmXor);
}

TEST_F(RenderOverlays, LabelTableHandsOutAndCopiesTemplates) {
  TTextLabelTable t;
  int changes = 0;
  TFont f;
  f.SetSize(11);
  t.ResetAll(f, [&](TObject*) { ++changes; });
  const TLabelDefaults def{clYellow, clNavy, 2};
  EXPECT_EQ(t.Add(1, 2, clRed, "one", 0, def), 1);
  const TTextLabel& one = *t.At(1);
  EXPECT_EQ(one.Mode(), tlmPlain);
  EXPECT_TRUE(one.Visible());
  EXPECT_EQ(one.Layer(), 2);
  EXPECT_EQ(one.ColorBkg(), clYellow);
  EXPECT_EQ(one.ColorBorder(), clNavy);
  EXPECT_EQ(one.ShadowDx(), 0);
  EXPECT_EQ(one.Font().Color(), clRed);
  EXPECT_EQ(one.Font().Size(), 11);
  EXPECT_EQ(changes, 1);  // one notification per label filled

  TTextLabel& seven = *t.At(7);
  seven.SetTxtLblMode(tlmShadowBox);
  seven.SetTxtLblScreenPos(tlaPixels);
  seven.SetTxtLblAlignment(taRightJustify);
  seven.SetTxtLblShadowDx(5);
  seven.SetTxtLblColorBkg(clAqua);
  seven.SetTxtLblTranspar(true);
  seven.SetTxtLblVertAlignment(taAlignTop);
  EXPECT_EQ(t.Add(3, 4, clBlack, "two", 7, def), 2);
  const TTextLabel& two = *t.At(2);
  EXPECT_EQ(two.Mode(), tlmShadowBox);
  EXPECT_EQ(two.AttachToData(), tlaPixels);
  EXPECT_EQ(two.Alignment(), taRightJustify);
  EXPECT_EQ(two.ShadowDx(), 5);
  EXPECT_EQ(two.ColorBkg(), clAqua);
  EXPECT_TRUE(two.Transparent());
  EXPECT_EQ(two.VerticalAlignment(), taAlignBottom);  // not copied

  for (int i = 3; i <= 30; ++i) t.At(i)->SetTxtLblMode(tlmPlain);
  EXPECT_EQ(t.Add(0, 0, clBlack, "full", 0, def), 0);
  t.ClearAll();
  EXPECT_EQ(t.Add(0, 0, clBlack, "again", 0, def), 1);
  EXPECT_EQ(t.At(0), nullptr);
  EXPECT_EQ(t.At(31), nullptr);
}

TEST_F(RenderOverlays, LabelBoxesAndText) {
  TTextLabelView v;
  v.PosX = 5;
  v.PosY = 0.5;  // (160, 92), canvas origin at the data area: (110, 76)
  v.Mode = tlmBoxed;
  v.Visible = true;
  v.Caption = "Peak\nvalue";
  v.Alignment = taLeftJustify;
  v.VAlign = taAlignBottom;
  const bool layers[3] = {false, true, true};
  std::array<TTextLabelView, 1> one{v};
  DrawTextLabelsOn(mf.Canvas(), one, layers, tf, geom, 0, 0);
  const std::int32_t d = mf.Canvas().TextHeight(v.Caption);
  const std::int32_t c = mf.Canvas().TextWidth("value");
  const auto rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].Box, LabelBox(110, 76, c, d, 2));
  EXPECT_EQ(rects[0].Box, Rect(106, 76 - 2 * d - 2, 110 + c + 4, 78));
  const auto texts = Ops(TMetaOp::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Points[0], (TPoint{110, 76 - 2 * d}));
  EXPECT_EQ(texts[1].Points[0], (TPoint{110, 76 - d}));
  // Hidden layer, free label, NaN position: nothing.
  mf.Clear();
  const bool none[3] = {false, false, true};
  DrawTextLabelsOn(mf.Canvas(), one, none, tf, geom, 0, 0);
  one[0].Layer = 2;
  one[0].PosX = std::nan("");
  DrawTextLabelsOn(mf.Canvas(), one, layers, tf, geom, 0, 0);
  EXPECT_TRUE(mf.Records().empty());
  // Shadow box: the shadow first, offset, in the shadow colour.
  one[0] = v;
  one[0].Mode = tlmShadowBox;
  one[0].Attach = tlaPixels;
  one[0].PosX = 100;
  one[0].PosY = 100;
  one[0].Caption = "x";
  DrawTextLabelsOn(mf.Canvas(), one, layers, tf, geom, 0, 0);
  const auto boxes = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Box.Left, boxes[1].Box.Left + 3);
  EXPECT_EQ(boxes[0].Brush.Color, v.ColorShadow);
}

TEST_F(RenderOverlays, GridPointsAreLimited) {
  TGridSpec s;
  s.Style = gsPoints;
  s.XHigh = 10;
  s.YHigh = 1;
  s.XValues = GridValues(0, 10, false, 0.1, {});
  s.YValues = GridValues(0, 1, false, 0.01, {});
  ASSERT_EQ(s.XValues.size() * s.YValues.size(), 10000u);
  DrawGrid(mf.Canvas(), tf, geom, 0, 0, s);
  EXPECT_EQ(Ops(TMetaOp::SetPixel).size(), kMaxGridPoints);
  mf.Clear();
  s.Style = gsDotLines;
  s.XValues = {2, 4};
  s.YValues = {0.5};
  DrawGrid(mf.Canvas(), tf, geom, 0, 0, s);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{44, 152}, {44, 0}}));
  EXPECT_EQ(lines[0].Pen.Style, psDot);
  EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{0, 76}, {220, 76}}));
  EXPECT_EQ(mf.Canvas().Pen().Style(), psSolid);
}

TEST_F(RenderOverlays, BackgroundAreasAndMissingImage) {
  TBakGndImg img;
  TBackgroundCache cache;
  const TDataBackground bg{clWhite, clBlack, 1};
  img.SetBGAreaLeft(2);
  img.SetBGAreaRight(4);
  img.SetBGAreaTop(0.75);
  img.SetBGAreaBottom(0.25);
  img.SetBGAreaMode(bamRect);
  PaintDataBackground(mf.Canvas(), 0, 0, 221, 153, bg, img, cache, tf, geom);
  auto rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].Box, Rect(0, 0, 221, 153));
  EXPECT_EQ(rects[1].Box, Rect(44, 38, 88, 114));
  EXPECT_EQ(rects[1].Brush.Color, TColor(14540253));
  mf.Clear();
  img.SetBGAreaMode(bamRectInv);
  PaintDataBackground(mf.Canvas(), 0, 0, 221, 153, bg, img, cache, tf, geom);
  EXPECT_EQ(Ops(TMetaOp::Rectangle).size(), 5u);
  mf.Clear();
  img.SetBGAreaMode(bamHStripeInv);
  img.SetBGAreaTop(1e300);  // clamped
  PaintDataBackground(mf.Canvas(), 0, 0, 221, 153, bg, img, cache, tf, geom);
  rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[1].Box, Rect(0, -30000, 221, 0));  // above the data area: nothing shows
  EXPECT_EQ(rects[2].Box.Top, 114);

  mf.Clear();
  img.SetIncldPath(true);
  img.SetName("/no/such/dir/picture.png");
  PaintDataBackground(mf.Canvas(), 0, 0, 221, 153, bg, img, cache, tf, geom);
  EXPECT_EQ(Ops(TMetaOp::Rectangle).size(), 1u);
  EXPECT_TRUE(img.Name().empty());
  img.SetIncldPath(false);
  img.SetName("/some/dir/picture.png");
  EXPECT_EQ(img.Name(), "picture.png");
}

TEST_F(RenderOverlays, BackgroundImageFillModes) {
  TBitmap pic(4, 3);
  pic.Fill(clRed);
  const std::string path = test::TempPath("bkg.png");
  pic.SaveToFile(path);
  TBakGndImg img;
  img.SetIncldPath(true);
  img.SetName(path);
  TBackgroundCache cache;
  const TDataBackground bg{clWhite, clBlack, 1};
  img.SetFillMode(bfTile);
  PaintDataBackground(mf.Canvas(), 0, 0, 10, 7, bg, img, cache, tf, geom);
  EXPECT_EQ(Ops(TMetaOp::DrawBitmap).size(), 9u);  // 3 columns x 3 rows
  mf.Clear();
  img.SetFillMode(bfStretch);
  PaintDataBackground(mf.Canvas(), 0, 0, 10, 7, bg, img, cache, tf, geom);
  ASSERT_EQ(Ops(TMetaOp::DrawBitmap).size(), 1u);
  EXPECT_EQ(Ops(TMetaOp::DrawBitmap)[0].Box, Rect(0, 0, 10, 7));
  mf.Clear();
  img.SetFillMode(bfNatural);
  PaintDataBackground(mf.Canvas(), 0, 0, 10, 7, bg, img, cache, tf, geom);
  ASSERT_EQ(Ops(TMetaOp::DrawBitmap).size(), 1u);
  EXPECT_EQ(Ops(TMetaOp::DrawBitmap)[0].Box, Rect(0, 0, 4, 3));
  EXPECT_EQ(Ops(TMetaOp::FillRect).size(), 1u);
  EXPECT_EQ(img.Name(), path);

  // The decoded image is kept until the file changes.
  const TBitmap* first = cache.Get(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Width(), 4);
  TBitmap bigger(6, 5);
  bigger.Fill(clBlue);
  bigger.SaveToFile(path);
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                             std::chrono::seconds(2));
  const TBitmap* second = cache.Get(path);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Width(), 6);
  std::filesystem::remove(path);
  EXPECT_EQ(cache.Get(path), nullptr);
}

}  // namespace
}  // namespace kvo
