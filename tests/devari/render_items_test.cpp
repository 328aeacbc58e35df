// Item drawing, recorded: exact device calls per item kind, the kept canvas
// state, polyline batching, clamping and the handling of damaged items.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "platform/bitmap.h"

#include "devari/itemcontainer.h"
#include "devari/renderer_p.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 280 x 200 control, margins 50/10/16/32: X 0..10 maps to columns 50..270,
// Y 0..1 to rows 168..16. The renderer draws in control pixels (origin at
// the data area's corner (50, 16)) unless a test says otherwise.
class RenderItems : public ::testing::Test {
protected:
  void SetUp() override {
    geom = {280, 200, 50, 10, 16, 32, 0};
    ASSERT_TRUE(tf.Adjust(geom, {0, 10, false}, {0, 1, false}, {0, 10, false}, {0, 1, false}));
    ctx.Transforms = &tf;
    ctx.Geometry = geom;
    ctx.Left = 50;
    ctx.Top = 16;
    for (int l = 1; l <= 2; ++l) {
      ctx.XLow[l] = 0;
      ctx.XHigh[l] = 10;
      ctx.YLow[l] = 0;
      ctx.YHigh[l] = 1;
    }
    Begin();
  }
  void Begin() {
    r = TItemRenderer{};
    r.BeginPass(mf.Canvas(), ctx, 1, clWhite);
    mf.Clear();
  }
  TrcChartItem Item(TrcItem kind, double x = 0, double y = 0, double x2 = 0, double y2 = 0) {
    TrcChartItem it{};
    CleadEvariItem(it);
    it.ItemKind = kind;
    it.x = x;
    it.y = y;
    it.x2 = x2;
    it.y2 = y2;
    it.LWid = 1;
    it.Layer = 1;
    return it;
  }
  void Draw(const TrcChartItem& it, bool anno = false, std::int32_t index = 0) {
    r.DrawItem(mf.Canvas(), it, texts, anno, index);
  }
  void Finish() { r.FinishPolyLine(mf.Canvas()); }
  std::vector<TMetaRecord> Ops(TMetaOp op) const {
    std::vector<TMetaRecord> out;
    for (const TMetaRecord& m : mf.Records())
      if (m.Op == op) out.push_back(m);
    return out;
  }
  std::size_t Drawn() const {
    std::size_t n = 0;
    for (const TMetaRecord& m : mf.Records())
      if (m.Op != TMetaOp::SetClip && m.Op != TMetaOp::ResetClip && m.Op != TMetaOp::SetAntialias)
        ++n;
    return n;
  }

  TChartGeometry geom;
  TLayerTransforms tf;
  TRenderContext ctx;
  TItemRenderer r;
  TLongTextArray texts;
  TMetafile mf{280, 200};
};

TEST_F(RenderItems, PolylinesAreBatchedBy200) {
  Draw(Item(tkMoveTo, 0, 0));
  for (int i = 1; i <= 450; ++i) Draw(Item(tkLineto, i * 10.0 / 450, (i % 2) * 0.5));
  Finish();
  const auto polys = Ops(TMetaOp::Polyline);
  ASSERT_EQ(polys.size(), 3u);
  EXPECT_EQ(polys[0].Points.size(), 200u);
  EXPECT_EQ(polys[1].Points.size(), 200u);
  EXPECT_EQ(polys[2].Points.size(), 53u);
  EXPECT_EQ(polys[0].Points.front(), (TPoint{50, 168}));
  EXPECT_EQ(polys[1].Points.front(), polys[0].Points.back());
  EXPECT_EQ(polys[2].Points.front(), polys[1].Points.back());
  EXPECT_EQ(polys[2].Points.back(), (TPoint{270, 168}));
  EXPECT_EQ(r.FLastMoveToX, 270);
}

TEST_F(RenderItems, PenChangesSplitPolylinesAndAreKept) {
  Draw(Item(tkMoveTo, 0, 0));
  TrcChartItem a = Item(tkLineto, 5, 0.5);
  a.Color = clRed;
  Draw(a);
  Draw(a);  // same pen: same polyline
  TrcChartItem b = a;
  b.Color = clBlue;
  Draw(b);
  Finish();
  const auto polys = Ops(TMetaOp::Polyline);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0].Points.size(), 3u);
  EXPECT_EQ(polys[0].Pen.Color, clRed);
  EXPECT_EQ(polys[1].Points.size(), 2u);
  EXPECT_EQ(polys[1].Pen.Color, clBlue);
  EXPECT_EQ(r.FLastPenCol, clBlue);
}

TEST_F(RenderItems, NaNVertexLeavesAGap) {
  Draw(Item(tkMoveTo, 0, 0));
  Draw(Item(tkLineto, 1, 0.5));
  Draw(Item(tkLineto, kNaN, 0.5));
  Draw(Item(tkLineto, 3, 0.5));  // starts anew here
  Draw(Item(tkLineto, 4, 0));
  Finish();
  const auto polys = Ops(TMetaOp::Polyline);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0].Points.size(), 2u);
  EXPECT_EQ(polys[1].Points.size(), 2u);
  EXPECT_EQ(polys[1].Points.front(), (TPoint{116, 92}));
  // Items with a NaN coordinate they use draw nothing.
  mf.Clear();
  for (TrcItem k : {tkLine, tkRect, tkRectFrame, tk3DBar, tkEllipse, tkArc, tkArrow, tkDoubleArrow,
                    tkMarkAt, tkMarkEBar, tkText, tkTextOfs, tkLineOffs, tkRectRelPix,
                    tkLineRelPixOrig}) {
    TrcChartItem it = Item(k, 1, 0.5, 2, kNaN);
    if (k == tkMarkAt || k == tkText || k == tkRectRelPix) it.y = kNaN;
    Draw(it);
  }
  Finish();
  EXPECT_EQ(Drawn(), 0u);
}

TEST_F(RenderItems, UnknownKindsAndModesDrawNothing) {
  TrcChartItem it = Item(tkLine, 1, 0.2, 2, 0.4);
  it.ItemKind = TrcItem(200);
  Draw(it);
  for (TrcItem k : {tkNone, tkEverything, tkNotMoveTo}) Draw(Item(k, 1, 1, 2, 2));
  it = Item(tkLine, 1, 0.2, 2, 0.4);
  it.CoordMode = TCoordMode(9);
  Draw(it);
  it.ItemKind = tkMarkAt;
  Draw(it);
  it.ItemKind = tkCursorVert;
  Draw(it);
  Finish();
  EXPECT_EQ(Drawn(), 0u);
}

TEST_F(RenderItems, RectangleCoversBothCornerPixels) {
  Draw(Item(tkRect, 0, 0, 10, 1));
  const auto rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].Box, Rect(50, 16, 271, 169));
  EXPECT_EQ(rects[0].Brush.Style, bsSolid);
  TrcChartItem t = Item(tkRect, 0, 0, 10, 1);
  t.Transp = true;
  Draw(t);
  EXPECT_EQ(Ops(TMetaOp::Rectangle)[1].Brush.Style, bsClear);
  // Relative-pixel rectangle: centre (5, 0.5) = (160, 92) +- (3, 2).
  TrcChartItem rp = Item(tkRectRelPix, 5, 0.5);
  rp.Param1 = 3;
  rp.Param2 = 2;
  Draw(rp);
  EXPECT_EQ(Ops(TMetaOp::Rectangle)[2].Box, Rect(157, 90, 164, 95));
}

TEST_F(RenderItems, DegenerateShapesBecomeOnePixel) {
  TrcChartItem l = Item(tkLine, 5, 0.5, 5.001, 0.5);
  l.Color = clGreen;
  Draw(l);
  const auto px = Ops(TMetaOp::SetPixel);
  ASSERT_EQ(px.size(), 1u);
  EXPECT_EQ(px[0].Points.empty() ? TPoint{} : px[0].Points[0], (TPoint{160, 92}));
  EXPECT_EQ(px[0].Color, clGreen);
  EXPECT_TRUE(Ops(TMetaOp::Line).empty());
  Draw(Item(tkRect, 5, 0.5, 5, 0.5));
  Draw(Item(tkEllipse, 5, 0.5, 0, 0));
  EXPECT_EQ(Ops(TMetaOp::SetPixel).size(), 3u);
}

TEST_F(RenderItems, ArrowHeadTips) {
  ctx.Left = 0;
  ctx.Top = 0;
  Begin();
  TrcChartItem a = Item(tkArrow, 10, 50, 110, 50);
  a.CoordMode = cmAllScreen;
  a.Param1 = 10;
  Draw(a, true);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{10, 50}, {110, 50}}));
  const auto polys = Ops(TMetaOp::Polygon);
  ASSERT_EQ(polys.size(), 1u);
  EXPECT_EQ(polys[0].Points, (std::vector<TPoint>{{110, 50}, {101, 47}, {101, 53}}));
  // Double arrow: the start head first, mirrored.
  mf.Clear();
  a.ItemKind = tkDoubleArrow;
  a.Transp = true;
  Draw(a, true);
  const auto heads = Ops(TMetaOp::Line);
  ASSERT_EQ(heads.size(), 5u);
  EXPECT_EQ(heads[1].Points, (std::vector<TPoint>{{10, 50}, {19, 53}}));
  EXPECT_EQ(heads[2].Points, (std::vector<TPoint>{{10, 50}, {19, 47}}));
  EXPECT_EQ(heads[3].Points, (std::vector<TPoint>{{110, 50}, {101, 47}}));
}

TEST_F(RenderItems, Bar3DFaces) {
  TrcChartItem b = Item(tk3DBar, 2, 0, 4, 0.5);
  b.Param1 = 45;
  b.Param2 = 10;
  Draw(b);
  auto polys = Ops(TMetaOp::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  // Corners (94, 168)-(138, 92); dx = 7, dy = -7.
  EXPECT_EQ(polys[0].Points, (std::vector<TPoint>{{94, 92}, {101, 85}, {145, 85}, {138, 92}}));
  EXPECT_EQ(polys[1].Points, (std::vector<TPoint>{{145, 85}, {138, 92}, {138, 168}, {145, 161}}));
  EXPECT_EQ(Ops(TMetaOp::Rectangle)[0].Box, Rect(94, 92, 139, 169));
  // Above 90 degrees the side face goes to the left.
  mf.Clear();
  b.Param1 = 135;
  Draw(b);
  polys = Ops(TMetaOp::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  for (const TPoint& p : polys[1].Points) EXPECT_LE(p.x, 94);
}

TEST_F(RenderItems, RectFrameStyles) {
  TrcChartItem f = Item(tkRectFrame, 1, 0.25, 3, 0.75);
  f.FillColor = clYellow;
  f.ShadowColor = clGray;
  f.HiLightColor = clWhite;
  f.FrameStyle = TFrameStyle(2);
  Draw(f);
  // Corners (72, 130) and (116, 54), ordered.
  EXPECT_EQ(Ops(TMetaOp::Rectangle)[0].Box, Rect(72, 54, 116, 130));
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{72, 130}, {72, 54}}));
  EXPECT_EQ(lines[0].Pen.Color, clGray);
  EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{116, 54}, {116, 130}}));
  EXPECT_EQ(lines[2].Pen.Color, clWhite);
  EXPECT_EQ(r.FLastPenCol, clWhite);
  mf.Clear();
  f.FrameStyle = TFrameStyle(5);  // engraved: highlight outside first
  Draw(f);
  const auto eng = Ops(TMetaOp::Line);
  ASSERT_EQ(eng.size(), 8u);
  EXPECT_EQ(eng[0].Points, (std::vector<TPoint>{{73, 130}, {73, 55}}));
  EXPECT_EQ(eng[0].Pen.Color, clWhite);
  EXPECT_EQ(eng[4].Pen.Color, clGray);
}

TEST_F(RenderItems, MarkVisibilityAndDuplicates) {
  TrcChartItem m = Item(tkMarkAt, 10, 0.5);
  m.Param3 = 5;
  Draw(m);
  const std::size_t one = Drawn();
  EXPECT_GT(one, 0u);
  mf.Clear();
  m.x = 10.0000001;
  Draw(m);
  EXPECT_EQ(Drawn(), 0u);
  m.x = -1;
  m.CoordMode = cmAllScreen;
  Draw(m, true);
  EXPECT_EQ(Drawn(), 0u);

  ctx.AvoidDupMarks = true;
  ctx.DupMarkDist = 1;
  Begin();
  TrcChartItem a = Item(tkMarkAt, 50, 40);
  a.CoordMode = cmAllScreen;
  a.Param3 = 3;
  Draw(a, true);
  const std::size_t first = Drawn();
  a.x = 51;
  Draw(a, true);
  EXPECT_EQ(Drawn(), first);  // one pixel away, same type: skipped
  a.Param3 = 4;
  Draw(a, true);
  EXPECT_GT(Drawn(), first);
  // Far outside the map: drawn, never indexed.
  a = Item(tkMarkAt, -1e9, 1e9);
  ctx.XLow[1] = -1e10;
  ctx.XHigh[1] = 1e10;
  ctx.YLow[1] = -1e10;
  ctx.YHigh[1] = 1e10;
  Begin();
  a.Param3 = 3;
  Draw(a);
  Draw(a);
  EXPECT_GT(Drawn(), 0u);
}

TEST_F(RenderItems, ErrorBarGeometry) {
  TrcChartItem e = Item(tkMarkEBar, 5, 0.5, 0.25, 0.25);
  e.Param1 = 0;
  e.Param3 = 0;
  Draw(e);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_GE(lines.size(), 4u);
  // Vertical bar: (160, 92) to row 130 and 54, ticks -3..+4 around the column.
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{160, 92}, {160, 130}}));
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{157, 130}, {164, 130}}));
  EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{160, 92}, {160, 54}}));
  // Entirely outside the Y range: not drawn.
  mf.Clear();
  e.y = 5;
  Draw(e);
  EXPECT_EQ(Drawn(), 0u);
}

TEST_F(RenderItems, RelativePixelItems) {
  Draw(Item(tkMoveTo, 5, 0.5));  // (160, 92)
  Draw(Item(tkLineRelPix, 10, 0));
  Draw(Item(tkLineRelPix, 0, 10));
  Finish();
  const auto polys = Ops(TMetaOp::Polyline);
  ASSERT_EQ(polys.size(), 1u);
  EXPECT_EQ(polys[0].Points, (std::vector<TPoint>{{160, 92}, {170, 92}, {170, 102}}));
  mf.Clear();
  Draw(Item(tkMoveRelPix, -20, 0));
  Draw(Item(tkLineRelPix, 0, -5));
  Finish();
  EXPECT_EQ(Ops(TMetaOp::Polyline)[0].Points, (std::vector<TPoint>{{150, 102}, {150, 97}}));
  // A line from a world point to a pixel offset, continued by a vertex.
  mf.Clear();
  Draw(Item(tkLineRelPixOrig, 5, 0.5, 4, -3));
  Draw(Item(tkLineto, 10, 0.5));
  Finish();
  EXPECT_EQ(Ops(TMetaOp::Polyline)[0].Points,
            (std::vector<TPoint>{{160, 92}, {164, 89}, {270, 92}}));
}

TEST_F(RenderItems, ClampingAndPenWidth) {
  TrcChartItem l = Item(tkLine, 0, 0.5, 1e6, 0.5);  // 2.2e7 pixels to the right
  l.LWid = 1000;
  Draw(l);
  const auto lines = Ops(TMetaOp::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Points[1].x, 30000);
  EXPECT_EQ(lines[0].Pen.Width, 255);
  mf.Clear();
  l = Item(tkLine, -std::numeric_limits<double>::infinity(), 0.5, 5, 1e300);
  l.LWid = -4;
  Draw(l);
  EXPECT_EQ(Ops(TMetaOp::Line)[0].Points,
            (std::vector<TPoint>{{-30000, 92}, {160, -30000}}));
  EXPECT_LE(Ops(TMetaOp::Line)[0].Pen.Width, 1);
}

TEST_F(RenderItems, CoordinateModesOfAnnotations) {
  ctx.Left = 0;
  ctx.Top = 0;
  Begin();
  TrcChartItem l = Item(tkLine, 10.4, 0.5, 5, 20.6);
  l.CoordMode = cmScreenMainWorldSec;  // (x, y) pixels, (x2, y2) world
  l.y = 20.5;
  Draw(l, true);
  // 20.5 rounds to 20 (halves to even); world (5, 20.6) is far above.
  EXPECT_EQ(Ops(TMetaOp::Line)[0].Points[0], (TPoint{10, 20}));
  EXPECT_EQ(Ops(TMetaOp::Line)[0].Points[1].x, 110);
  mf.Clear();
  TrcChartItem c = Item(tkCursorVert, 25);
  c.CoordMode = cmAllScreen;
  Draw(c, true);
  EXPECT_EQ(Ops(TMetaOp::Line)[0].Points, (std::vector<TPoint>{{25, 0}, {25, 152}}));
  c = Item(tkCursorHoriz, 0, 0.5);
  Draw(c, true);
  EXPECT_EQ(Ops(TMetaOp::Line)[1].Points, (std::vector<TPoint>{{0, 76}, {220, 76}}));
}

TEST_F(RenderItems, TextBoxesAndLongTexts) {
  texts.Take("a text longer than fifteen");
  TrcChartItem t = Item(tkText, 5, 0.5);
  SetShortText(t, "a text longer t");
  t.LWid = 1;
  t.Param1 = 10;
  t.Param2 = 0;
  t.Param3 = taLeftJustify;
  std::string seen;
  ctx.OnBeforeRenderText = [&](std::string& s, std::int32_t, bool) { seen = s; };
  Begin();
  Draw(t);
  EXPECT_EQ(seen, "a text longer than fifteen");
  ASSERT_EQ(Ops(TMetaOp::Text).size(), 1u);
  EXPECT_EQ(Ops(TMetaOp::Text)[0].Text, "a text longer than fifteen");
  EXPECT_EQ(Ops(TMetaOp::Text)[0].Brush.Style, bsClear);

  // Two lines on a solid background: a box 4 px wider each side, 2 taller.
  mf.Clear();
  ctx.OnBeforeRenderText = nullptr;
  Begin();
  TrcChartItem m = Item(tkText, 5, 0.5);
  SetShortText(m, "ab\ncdef");
  m.Param1 = 10;
  m.Param2 = 1;
  m.Param3 = taLeftJustify;
  m.LWid = 0;
  Draw(m);
  std::int32_t h = 0, total = 0, w = 0;
  EXPECT_EQ(CalcTextExtents("ab\ncdef", mf.Canvas(), h, total, w), 2);
  EXPECT_EQ(w, mf.Canvas().TextWidth("cdef"));
  const auto boxes = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(boxes.size(), 1u);
  const std::int32_t x = 160, y = 92 - h / 2;
  EXPECT_EQ(boxes[0].Box, Rect(x - 4, y - 2, x + w + 4, y + 2 * h + 2));
  const auto lines = Ops(TMetaOp::Text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].Text, "cdef");
  EXPECT_EQ(lines[1].Points.empty() ? 0 : lines[1].Points[0].y, y + h);
}

TEST_F(RenderItems, BlackAndWhite) {
  ctx.BW = true;
  Begin();
  TrcChartItem r1 = Item(tkRect, 1, 0.2, 3, 0.6);
  r1.Color = clRed;
  r1.FillColor = clBlue;
  Draw(r1);
  TrcChartItem t = Item(tkText, 5, 0.5);
  SetShortText(t, "bw");
  t.Color = clRed;
  t.FillColor = clYellow;
  t.Param1 = 9;
  t.Param2 = 1;
  Draw(t);
  TrcChartItem l = Item(tkLine, 1, 0.1, 9, 0.9);
  l.Color = clGreen;
  Draw(l);
  const auto rects = Ops(TMetaOp::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].Pen.Color, clBlack);
  EXPECT_EQ(rects[0].Brush.Color, clSilver);
  const auto txt = Ops(TMetaOp::Text);
  ASSERT_EQ(txt.size(), 1u);
  EXPECT_EQ(txt[0].Font.Color, clBlack);
  EXPECT_EQ(txt[0].Brush.Color, clWhite);
  EXPECT_EQ(Ops(TMetaOp::Line)[0].Pen.Color, clBlack);
}

// Random records as a damaged file or a careless application could hand
// over: every kind and mode value, NaN, infinities, huge and tiny values,
// extreme parameters and widths. Drawn on a real raster canvas; under the
// sanitizers this is where undefined behaviour would show.
TEST_F(RenderItems, RandomItemsDrawSafely) {
  std::mt19937 rng(1234);
  const double specials[] = {0,    0.5,  -0.5, 5,     10,   1e6,   -1e6,  1e300, -1e300,
                             1e-320, kNaN, std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 2147483648.0, -3e9};
  const std::int32_t params[] = {0, 1, -1, 45, 135, 200, 30000, -30000,
                                 std::numeric_limits<std::int32_t>::max(),
                                 std::numeric_limits<std::int32_t>::min()};
  auto pick = [&](auto& arr) { return arr[rng() % std::size(arr)]; };
  texts.Take("a long text for slot one");
  TBitmap bmp(280, 200);
  ctx.AvoidDupMarks = true;
  ctx.DupMarkDist = 3;
  r = TItemRenderer{};
  TItemRenderer rec;  // the same items, recorded
  r.BeginPass(bmp.Canvas(), ctx, 1, clWhite);
  rec.BeginPass(mf.Canvas(), ctx, 1, clWhite);
  mf.Clear();
  for (int i = 0; i < 4000; ++i) {
    TrcChartItem it{};
    it.ItemKind = TrcItem(rng() % 30);
    it.CoordMode = TCoordMode(rng() % 8);
    it.x = pick(specials);
    it.y = pick(specials);
    it.x2 = pick(specials);
    it.y2 = pick(specials);
    it.Param1 = pick(params);
    it.Param2 = pick(params);
    it.Param3 = pick(params);
    it.LWid = std::int32_t(rng() % 3 == 0 ? pick(params) : std::int32_t(rng() % 4));
    it.Layer = std::int32_t(rng() % 5) - 1;
    it.FrameStyle = TFrameStyle(rng() % 8);
    it.PenStyle = TPenStyle(rng() % 7);
    it.Transp = rng() % 2;
    it.Color = rng();
    it.FillColor = rng();
    SetShortText(it, rng() % 2 ? "ab\ncd" : "x");
    if (rng() % 4 == 0) it.Text.Len = 200;  // a damaged length byte
    const bool anno = rng() % 2;
    r.DrawItem(bmp.Canvas(), it, texts, anno, i);
    rec.DrawItem(mf.Canvas(), it, texts, anno, i);
  }
  r.FinishPolyLine(bmp.Canvas());
  rec.FinishPolyLine(mf.Canvas());
  // Every point handed to the canvas is within +-30000, give or take the few
  // pixels of fixed shapes around a clamped point (error-bar ticks, frame
  // lines); arc rays are direction points and may reach further. Every pen
  // is 0..255 wide.
  constexpr int kLimit = 30000 + 16;
  std::size_t drawn = 0;
  for (const TMetaRecord& m : mf.Records()) {
    ++drawn;
    EXPECT_LE(m.Pen.Width, 255);
    EXPECT_GE(m.Pen.Width, 0);
    if (m.Op == TMetaOp::Arc) continue;
    for (const TPoint& p : m.Points) {
      ASSERT_LE(std::abs(p.x), kLimit) << m.ToString();
      ASSERT_LE(std::abs(p.y), kLimit) << m.ToString();
    }
    if (m.Op == TMetaOp::Rectangle || m.Op == TMetaOp::Ellipse) {
      ASSERT_LE(std::abs(m.Box.Left), kLimit) << m.ToString();
      ASSERT_LE(std::abs(m.Box.Bottom), kLimit) << m.ToString();
    }
  }
  EXPECT_GT(drawn, 100u);  // the mix does draw
  EXPECT_LE(r.FNumPPa, std::int32_t(kPolylineBatch));
}

}  // namespace
}  // namespace kvo
