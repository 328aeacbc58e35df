// The chart as a whole: layout and margin setters, size limits, axis
// queries, transforms and extents, the data drawing pass (recorded), paint
// suppression, overlays and the label table's errors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "devari/tdevari.h"
#include "devari/devarierror.h"
#include "libs/kvocolors.h"
#include "libs/univconst.h"
#include "platform/host.h"
#include "platform/metafile.h"

namespace kvo {
namespace {

std::vector<TMetaRecord> Ops(const TMetafile& mf, TMetaOp op) {
  std::vector<TMetaRecord> out;
  for (const TMetaRecord& m : mf.Records())
    if (m.Op == op) out.push_back(m);
  return out;
}

void SetRanges(TDEvari& c, int layer, double xlo, double xhi, double ylo, double yhi) {
  TScaleProps& x = c.GetScalePropsX(layer);
  TScaleProps& y = c.GetScalePropsY(layer);
  x.SetRangeHigh(xhi);
  x.SetRangeLow(xlo);
  x.SetRangeHigh(xhi);
  y.SetRangeHigh(yhi);
  y.SetRangeLow(ylo);
  y.SetRangeHigh(yhi);
}

TEST(RenderChart, StartValuesAndLayout) {
  TDEvari c;
  EXPECT_EQ(c.Width(), 280);
  EXPECT_EQ(c.Height(), 200);
  EXPECT_EQ((std::array<int, 4>{c.LRim(), c.RRim(), c.TRim(), c.BRim()}),
            (std::array<int, 4>{50, 20, 20, 40}));
  EXPECT_EQ(c.CaptionPosY(), -16);
  EXPECT_EQ(c.CaptionAlignment(), taRightJustify);
  EXPECT_EQ(c.CaptionAnchorHoriz(), cahChartRight);
  EXPECT_EQ(c.CaptionTrim(), 100);
  EXPECT_TRUE(c.Scale1X().Visible());
  EXPECT_TRUE(c.Scale1Y().Visible());
  EXPECT_FALSE(c.Scale2X().Visible());
  EXPECT_EQ(c.Scale1Y().ScaleType(), stLabelsLeft);
  EXPECT_EQ(c.Scale1X().ScaleType(), stLabelsBelow);
  EXPECT_EQ(c.Scale1X().ColorScale(), PredefinedColor(1));
  EXPECT_EQ(c.Scale2Y().ColorScale(), PredefinedColor(2));
  EXPECT_EQ(c.ScaleX(1).Name(), "RC_FScale_X_1");
  EXPECT_EQ(c.ScaleY(2).Name(), "RC_FScale_Y_2");
  EXPECT_EQ(c.CrossHair(3).Layer(), 2);  // crosshairs 3 and 4 map to layer 2
  EXPECT_EQ(c.CrossHair(1).Color(), TColor(255));
  EXPECT_EQ(c.GetFTextLabel(30).AttachToData(), tlaWorld);
  EXPECT_EQ(c.ChartColor(), TColor(16777215));
  EXPECT_EQ(c.GridStyle(), gsNone);

  c.SetStdLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(c.TRim(), 64);
  EXPECT_EQ(c.CaptionPosY(), -60);
  EXPECT_EQ(c.Scale2X().ScaleType(), stLabelsAbove);
  EXPECT_EQ(c.Scale2Y().ScaleType(), stLabelsRight);
  EXPECT_TRUE(c.Scale2Y().Visible());
  EXPECT_EQ(c.StandardLayout(), rcl_X1Bottom_Y1Left);  // applying does not record it
  c.SetStdLayout(rcl_X1Bottom_Y2Left);
  EXPECT_EQ(c.Scale2Y().ScalePos(), 50);
  EXPECT_EQ(c.LRim(), 100);
}

TEST(RenderChart, MarginsShadowCaptionTrimAndBounds) {
  TDEvari c;
  c.SetShadowWidth(40);
  EXPECT_EQ(c.ShadowWidth(), 32);
  c.SetShadowWidth(-1);
  EXPECT_EQ(c.ShadowWidth(), 0);
  c.SetCaptTrim(3);
  EXPECT_EQ(c.CaptionTrim(), 5);
  c.SetCaptTrim(0);
  EXPECT_EQ(c.CaptionTrim(), 0);
  c.SetCaptTrim(250);
  EXPECT_EQ(c.CaptionTrim(), 100);
  c.SetMarginLeft(std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(c.LRim(), 30000);
  c.SetMarginLeft(60);
  EXPECT_EQ(c.LRim(), 60);
  c.SetBounds(0, 0, 10, 5);
  EXPECT_EQ(c.Width(), 60 + 20 + 0 + 80);
  EXPECT_EQ(c.Height(), 20 + 40 + 0 + 20);
  EXPECT_EQ(c.ScaleX(1).Width(), c.Width());
}

TEST(RenderChart, TransformsFollowMarginsAndRaiseOnLogNegative) {
  TDEvari c;
  c.SetLRim(50);
  c.SetRRim(10);
  c.SetTRim(16);
  c.SetBRim(32);
  SetRanges(c, 1, 0, 10, 0, 1);
  std::int32_t mx, my;
  c.R2M(1, 0, 0, mx, my);
  EXPECT_EQ((TPoint{mx, my}), (TPoint{50, 168}));
  c.R2M(1, 10, 1, mx, my);
  EXPECT_EQ((TPoint{mx, my}), (TPoint{270, 16}));
  double rx, ry;
  c.M2R(1, 160, 92, rx, ry);
  EXPECT_NEAR(rx, 5, 1e-9);

  c.Scale1X().SetRangeLow(-1);  // linear: accepted
  // Loaded charts refuse a logarithmic axis over a negative range...
  c.Scale1X().SetNotYetLoaded(false);
  c.Scale1X().SetLogarithmic(true);
  EXPECT_FALSE(c.Scale1X().Logarithmic());
  // ...but a chart still loading takes it, and the mapping then fails.
  c.Scale1X().SetNotYetLoaded(true);
  try {
    c.Scale1X().SetLogarithmic(true);
    FAIL() << "no exception";
  } catch (const EKvoDEvariError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // Painting never throws, whatever the axes say: the previous mapping stays.
  c.SetSuppressPaint(false);
  EXPECT_NO_THROW(c.Paint());
  c.R2M(1, 10, 1, mx, my);
  EXPECT_EQ(mx, 270);
  EXPECT_THROW(c.AdjustScaling(), EKvoDEvariError);
  c.Scale1X().SetRangeLow(1);
  EXPECT_NO_THROW(c.AdjustScaling());
}

TEST(RenderChart, ExtentsOfItems) {
  TDEvari c;
  c.MoveTo(0.0, 0.0);
  c.DrawTo(100.0, 100.0);
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_DOUBLE_EQ(x0, -10);
  EXPECT_DOUBLE_EQ(x1, 110);
  c.LLCalcExtents(2, 10, 0, x0, y0, x1, y1);
  EXPECT_EQ((std::array<double, 4>{x0, y0, x1, y1}), (std::array<double, 4>{0, 0, 0, 0}));
  c.ClearGraf();
  c.MarkAt(5.0, 5.0, 1);
  c.LLCalcExtents(1, 0, 10, x0, y0, x1, y1);
  EXPECT_DOUBLE_EQ(x0, 4.5);
  EXPECT_DOUBLE_EQ(x1, 5.5);
  // Error bars reach their low error below and their high error above.
  c.MarkErrorBar(5.0, 5.0, 1.0, 3.0, orVertical, 1);
  c.LLCalcExtents(1, 0, 0, x0, y0, x1, y1);
  EXPECT_DOUBLE_EQ(y0, 4);
  EXPECT_DOUBLE_EQ(y1, 8);
  // Logarithmic margins are multiplicative.
  c.ClearGraf();
  c.MarkAt(1.0, 1.0, 1);
  c.MarkAt(100.0, 100.0, 1);
  c.Scale1X().SetRangeLow(1);
  c.Scale1X().SetRangeHigh(100);
  c.Scale1X().SetLogarithmic(true);
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_NEAR(x0, std::pow(10, -0.2), 1e-12);
  EXPECT_NEAR(x1, std::pow(10, 2.2), 1e-9);
  c.FindMinMax(1, 200, 200, 300, 300, x0, y0, x1, y1);
  EXPECT_EQ(x0, uc_MaxDouble);
  EXPECT_EQ(x1, -uc_MaxDouble);
  c.FindMinMax(0, 0, 0, 50, 50, x0, y0, x1, y1);
  EXPECT_EQ(x0, 1);
  EXPECT_EQ(x1, 1);
}

TEST(RenderChart, DataPassFrameGridAndOrder) {
  TDEvari c;
  c.SetLRim(50);
  c.SetRRim(10);
  c.SetTRim(16);
  c.SetBRim(32);
  SetRanges(c, 1, 0, 10, 0, 1);
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.GrafBmp().Width(), 221);
  EXPECT_EQ(c.GrafBmp().Height(), 153);
  TMetafile mf(221, 153);
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  auto lines = Ops(mf, TMetaOp::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{0, 0}, {220, 0}}));
  EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{220, 152}, {0, 152}}));

  // The grid only on a pass from index 0.
  c.SetGridStyle(gsLines);
  c.SetGridDx(2.5);
  c.SetGridDy(0.5);
  mf.Clear();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(Ops(mf, TMetaOp::Line).size(), 4u + 4u + 2u);
  mf.Clear();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 5);
  EXPECT_EQ(Ops(mf, TMetaOp::Line).size(), 4u);
  c.SetGridStyle(gsNone);

  // Annotation texts on top: a rectangle appended after a text is drawn first.
  c.SetAnnoMode(true);
  c.Text(5.0, 0.5, 8, "T");
  c.Rectangle(1.0, 0.1, 2.0, 0.2);
  c.SetAnnoMode(false);
  mf.Clear();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  std::vector<TMetaOp> order;
  for (const TMetaRecord& m : mf.Records())
    if (m.Op == TMetaOp::Rectangle || m.Op == TMetaOp::Text) order.push_back(m.Op);
  EXPECT_EQ(order, (std::vector<TMetaOp>{TMetaOp::Rectangle, TMetaOp::Text}));
  c.SetAnnoTextOnTop(false);
  mf.Clear();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  order.clear();
  for (const TMetaRecord& m : mf.Records())
    if (m.Op == TMetaOp::Rectangle || m.Op == TMetaOp::Text) order.push_back(m.Op);
  EXPECT_EQ(order, (std::vector<TMetaOp>{TMetaOp::Text, TMetaOp::Rectangle}));
}

TEST(RenderChart, ItemEventsSeeCopies) {
  TDEvari c;
  SetRanges(c, 1, 0, 10, 0, 1);
  c.SetDataCol(clRed);
  c.Line(1.0, 0.5, 9.0, 0.5);
  c.Text(5.0, 0.5, 8, "abc");
  int seen = 0;
  c.OnBeforeRendedEvariItem = [&](TObject*, TrcChartItem& it, std::int32_t, bool anno) {
    EXPECT_FALSE(anno);
    ++seen;
    it.Color = clBlue;
  };
  std::string text;
  c.OnBeforeRenderText = [&](TObject*, std::string& t, std::int32_t index, bool) {
    EXPECT_EQ(index, 1);
    t = "xyz";
  };
  TMetafile mf(221, 153);
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(Ops(mf, TMetaOp::Line)[0].Pen.Color, clBlue);
  EXPECT_EQ(Ops(mf, TMetaOp::Text)[0].Text, "xyz");
  EXPECT_EQ(c.GetChartItem(0).Color, clRed);  // the stored item is unchanged
  // A handler that appends items while they are drawn does not pull the
  // list from under the loop; what it appends waits for the next pass (a
  // handler appending at every item would otherwise never let a pass end).
  int calls = 0;
  c.OnBeforeRendedEvariItem = [&](TObject*, TrcChartItem&, std::int32_t, bool) {
    if (++calls < 5000) c.MarkAt(1.0, 0.5, 1);
  };
  mf.Clear();
  const std::int32_t atStart = c.NumItems();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(calls, atStart);
  EXPECT_EQ(c.NumItems(), 2 * atStart);
  calls = 0;
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(calls, 2 * atStart);
  c.OnBeforeRendedEvariItem = [&](TObject*, TrcChartItem&, std::int32_t, bool) { ++seen; };
  // Likewise a text handler.
  c.OnBeforeRendedEvariItem = nullptr;
  int texts = 0;
  c.OnBeforeRenderText = [&](TObject*, std::string&, std::int32_t, bool) {
    if (++texts < 3000) c.Text(2.0, 0.5, 8, "more");
  };
  mf.Clear();
  for (int pass = 0; pass < 20 && texts < 3000; ++pass)
    c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_GE(texts, 3000);
  EXPECT_EQ(c.ItemCount(tkText), 3000);
  c.OnBeforeRenderText = nullptr;
  c.OnBeforeRendedEvariItem = [&](TObject*, TrcChartItem&, std::int32_t, bool) { ++seen; };
  // Hidden classes and layers are skipped before the event.
  seen = 0;
  c.SetLayerVisib(1, false);
  mf.Clear();
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(seen, 0);
}

TEST(RenderChart, SuppressPaintAndDamagedItems) {
  TDEvari c;
  c.MarkAt(0.5, 0.5, 5);
  c.Paint();  // suppressed: nothing
  EXPECT_EQ(c.ChartBmp().Width(), 0);
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.ChartBmp().Width(), 280);
  // Items from applications and files are drawn without undefined behaviour.
  TrcChartItem it{};
  CleadEvariItem(it);
  for (int k = 0; k < 40; ++k) {
    it.ItemKind = TrcItem(k % 30);
    it.x = k % 3 == 0 ? std::nan("") : 1e308 * (k % 2 ? 1 : -1);
    it.y = std::numeric_limits<double>::infinity();
    it.x2 = -it.x;
    it.y2 = std::nan("");
    it.LWid = k % 2 ? 100000 : -7;
    it.Layer = k - 20;
    it.CoordMode = TCoordMode(k % 9);
    it.Param1 = k % 2 ? std::numeric_limits<std::int32_t>::max() : std::numeric_limits<std::int32_t>::min();
    it.Param2 = it.Param1;
    it.Param3 = k * 7;
    c.MarkAt(0.1, 0.1, 1);
    c.SetChartItem(c.NumItems() - 1, it);
  }
  c.SetAvoidDupMarks(true);
  c.SetMinDupMarkDist(3);
  c.ShowGraf();
  c.Paint();
  EXPECT_EQ(c.GrafBmp().Width(), c.Geometry().DataBmpWidth());
  // Margins larger than the control: no data area, every x on the middle.
  c.SetLRim(1000);
  c.SetTRim(900);
  EXPECT_EQ(c.GrafBmp().Width(), 0);
  EXPECT_EQ(c.GrafBmp().Height(), 0);
  std::int32_t mx, my;
  c.R2M(1, 123.0, 4.0, mx, my);
  EXPECT_EQ(mx, c.Width() / 2);
  c.ShowGraf();
  c.Paint();
}

TEST(RenderChart, TicksDetectScaleAndTexts) {
  TDEvari c;
  SetRanges(c, 1, 10, 0, 0, 1);  // reversed X
  c.SetSuppressPaint(false);
  const std::int32_t n = c.GetTickPosXCnt();
  ASSERT_GT(n, 1);
  EXPECT_LT(c.GetTickPosX(1), c.GetTickPosX(n));  // index 1 at the low end
  EXPECT_EQ(c.GetTickPosX(0), 0);
  EXPECT_EQ(c.GetTickPosX(n + 1), 0);
  EXPECT_EQ(c.DetectScale(c.LRim() - 10, 100), 1);
  EXPECT_EQ(c.DetectScale(100, c.Height() - c.BRim() + 10), -1);
  EXPECT_EQ(c.DetectScale(100, c.Height() - c.BRim() + 45), 0);
  EXPECT_EQ(TDEvari::ExtractUserText("a|b|c", 2), "b");
  EXPECT_EQ(TDEvari::ExtractUserText("a|b|c", 4), "c");
  EXPECT_EQ(TDEvari::ExtractUserText("a|b|c", 0), "");
  EXPECT_EQ(TDEvari::AddScaleInscription("5", "x = & V"), "x = 5 V");
  EXPECT_EQ(TDEvari::AddScaleInscription("", "V"), "");
}

TEST(RenderChart, OverlaysAndLabels) {
  TDEvari c;
  c.SetName("Chart1");
  try {
    c.GetFTextLabel(31);
    FAIL() << "no exception";
  } catch (const EKvoDEvariError& e) {
    EXPECT_STREQ(e.what(), "Component \"Chart1\": invalid index into TextLabel array");
  }
  EXPECT_THROW(c.SetFTextLabel(0, c.GetFTextLabel(1)), EKvoDEvariError);
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(c.AddTextLabel(1, 1, clBlack, "x", 0), i);
  EXPECT_EQ(c.AddTextLabel(1, 1, clBlack, "x", 0), 0);
  c.ClearAllTextLabels();
  EXPECT_EQ(c.AddTextLabel(1, 1, clBlack, "x", 0), 1);
  c.HideAllTextLabels();
  EXPECT_FALSE(c.GetFTextLabel(1).Visible());
  EXPECT_EQ(c.GetFTextLabel(1).Mode(), tlmPlain);

  c.SetSuppressPaint(false);
  const TBitmap before = c.Surface();
  c.CrossHairSetPos(1, 0.5, 0.5);  // mode 0: position only, no drawing
  EXPECT_EQ(c.GetCHPosX(1), 0.5);
  EXPECT_EQ(std::memcmp(before.Bits(), c.Surface().Bits(), std::size_t(before.Width()) * before.Height() * 4), 0);
  c.CrossHairSetup(1, clRed, chBoth, psSolid, 1);
  EXPECT_NE(std::memcmp(before.Bits(), c.Surface().Bits(), std::size_t(before.Width()) * before.Height() * 4), 0);
  c.CrossHairSetup(1, clRed, chOff, psSolid, 1);
  EXPECT_EQ(std::memcmp(before.Bits(), c.Surface().Bits(), std::size_t(before.Width()) * before.Height() * 4), 0);
  EXPECT_EQ(c.GetCHPosX(9), 0);
  c.CrossHairSetPos(9, 1, 1);  // ignored

  // A missing background image leaves the plain background and drops the name.
  c.BackGroundImg().SetIncldPath(true);
  c.BackGroundImg().SetName("/no/such/file.png");
  EXPECT_TRUE(c.BackGroundImg().Name().empty());
  c.SetGridDx(-5);
  EXPECT_EQ(c.GridDx(), 0);
  c.SetGridDx(-2);
  EXPECT_EQ(c.GridDx(), -2);
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Bits(), b.Bits(), std::size_t(a.Width()) * std::size_t(a.Height()) * 4) == 0;
}

TEST(RenderChart, QuickPathsMatchAFullPaint) {
  TDEvari c;
  SetRanges(c, 1, 0, 10, 0, 10);
  c.SetGridStyle(gsLines);
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  c.CrossHairSetup(1, clRed, chBoth, psSolid, 1);
  c.CrossHairSetPos(1, 2, 2);
  c.SetSuppressPaint(false);
  // New items through ShowGraf, then a crosshair move: no ghost of the old
  // crosshair may stay behind.
  c.DrawTo(5.0, 8.0);
  c.ShowGraf();
  c.CrossHairSetPos(1, 7, 3);
  const TBitmap quick = c.Surface();
  c.Paint();
  EXPECT_TRUE(SamePixels(quick, c.Surface()));
  // ShowGrafNewOnly draws the new items over the current image.
  c.DrawTo(9.0, 1.0);
  c.ShowGrafNewOnly();
  const TBitmap newOnly = c.Surface();
  c.Paint();
  EXPECT_TRUE(SamePixels(newOnly, c.Surface()));
  EXPECT_EQ(c.LastElemOnShow(), c.NumItems() - 1);
}

TEST(RenderChart, SuppressPaintHoldsTheScreen) {
  TDEvari c;
  SetRanges(c, 1, 0, 10, 0, 10);
  c.SetSuppressPaint(false);
  const TBitmap before = c.Surface();
  c.SetSuppressPaint(true);
  c.SetChartCol(clYellow);
  c.Paint();
  EXPECT_TRUE(SamePixels(before, c.Surface()));
  c.SetSuppressPaint(false);
  EXPECT_FALSE(SamePixels(before, c.Surface()));
  const TBitmap after = c.Surface();
  c.SetSuppressPaint(false);  // unchanged: nothing happens
  EXPECT_TRUE(SamePixels(after, c.Surface()));
}

class TPaintCounter : public TDEvari {
public:
  int Paints = 0;
  void Paint() override {
    ++Paints;
    TDEvari::Paint();
  }
};

TEST(RenderChart, BatchOperationsRepaintOnce) {
  TPaintCounter c;
  c.SetSuppressPaint(false);
  c.Paints = 0;
  c.Scale1X().SetRangeHigh(50);  // property object -> ScalePropsChanged
  EXPECT_EQ(c.Paints, 1);
  EXPECT_EQ(c.ScaleX(1).RangeHigh(), 50);
  c.Paints = 0;
  c.SetStdLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(c.Paints, 1);
  c.Paints = 0;
  c.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(c.Width(), 400);
  c.HideAllTextLabels();
  EXPECT_EQ(c.Paints, 1);  // SetBounds itself does not paint
  c.Paints = 0;
  c.SetSuppressPaint(true);
  c.Scale1Y().SetCaption("volts");
  c.SetLRim(70);
  c.SetChartCol(clYellow);
  EXPECT_EQ(c.Paints, 0);
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.Paints, 1);
  EXPECT_EQ(c.ScaleY(1).Caption(), "volts");
  // AutoRedraw off: setters under the redraw rule do not paint.
  c.SetAutoRedraw(false);
  c.Paints = 0;
  c.SetGridStyle(gsLines);
  EXPECT_EQ(c.Paints, 0);
}

TEST(RenderChart, OverlayObjectsAssignAndRepaintByTheRule) {
  TPaintCounter c;
  c.SetSuppressPaint(false);
  TCrossHair ch;
  ch.SetCrossHColor(clBlue);
  ch.SetCrossHMode(chVert);
  ch.SetPos(0.25, 0.5);
  int before = c.Paints;
  c.SetCrossHair2(ch);
  EXPECT_EQ(c.Paints, before + 1);
  EXPECT_EQ(c.GetCrossHair2().Color(), clBlue);
  EXPECT_EQ(c.CrossHairPosX(2), 0.25);
  EXPECT_EQ(c.GetCrossHair2().Layer(), ch.Layer());
  TTextLabel l;
  l.SetTxtLblCaption("copied");
  l.SetTxtLblMode(tlmBoxed);
  before = c.Paints;
  c.SetFTextLabel(5, l);
  EXPECT_EQ(c.Paints, before + 1);
  EXPECT_EQ(c.TextLabels(5).Caption(), "copied");
  c.SetTextLabel(5, 0.5, 0.5, clRed, "set", 0);
  EXPECT_EQ(c.TextLabels(5).Mode(), tlmPlain);  // no template: plain text
  EXPECT_EQ(c.TextLabels(5).Caption(), "set");
  c.SetTextLabel(31, 0.5, 0.5, clRed, "ignored", 0);
  TBakGndImg img;
  img.SetBGAreaMode(bamTop);
  before = c.Paints;
  c.SetBakGndFile(img);
  EXPECT_EQ(c.Paints, before + 1);
  EXPECT_EQ(c.BackGroundImg().AreaMode(), bamTop);
  c.SetAutoRedraw(false);
  before = c.Paints;
  c.GetCrossHair1().SetCrossHColor(clGreen);  // redraw rule: AutoRedraw off
  EXPECT_EQ(c.Paints, before);
}

TEST(RenderChart, LoadedEndsTheLoadingState) {
  TDEvari c;
  c.BeginLoading();
  c.Scale1X().SetRangeLow(1);
  c.Scale1X().SetRangeHigh(100);
  c.Scale1X().SetLogarithmic(true);  // accepted while loading
  c.EndLoading();
  EXPECT_TRUE(c.Scale1X().Logarithmic());
  EXPECT_FALSE(c.Scale1X().NotYetLoaded());
  EXPECT_FALSE(c.Scale2Y().NotYetLoaded());
  std::int32_t mx, my;
  c.R2M(1, 10, 0, mx, my);
  EXPECT_EQ(mx, c.LRim() + (c.Width() - c.LRim() - c.RRim()) / 2);
  // Loaded: the guard applies now.
  c.Scale1Y().SetLogarithmic(true);  // Y range 0..1
  EXPECT_FALSE(c.Scale1Y().Logarithmic());
}

TEST(RenderChart, HostStyleColoursReplaceThePropertiesWhenAsked) {
  TDEvari c;
  TThemeColors theme;
  theme.Border = RGBColor(1, 2, 3);
  theme.Grid = RGBColor(4, 5, 6);
  HeadlessHost().Theme = theme;
  TMetafile mf(221, 153);
  c.SetStyleElements({});
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(Ops(mf, TMetaOp::Line)[0].Pen.Color, clBlack);  // not asked for
  mf.Clear();
  c.SetStyleElements({seClient});
  c.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  EXPECT_EQ(Ops(mf, TMetaOp::Line)[0].Pen.Color, theme.Border);
  mf.Clear();
  c.InitGraf(mf.Canvas(), 0, 0, 10, 10);
  EXPECT_EQ(Ops(mf, TMetaOp::Rectangle)[0].Brush.Color, theme.Grid);
  // Axis texts take the panel text colour with the font element.
  theme.PanelText = RGBColor(7, 8, 9);
  HeadlessHost().Theme = theme;
  c.Scale1X().SetCaption("x");
  EXPECT_EQ(c.ScaleX(1).Font().Color(), c.Scale1X().Font().Color());
  c.SetStyleElements({seClient, seFont});
  c.Scale1X().SetCaption("y");
  EXPECT_EQ(c.ScaleX(1).Font().Color(), theme.PanelText);
  EXPECT_EQ(c.ScaleX(1).ColorScale(), theme.PanelText);
  HeadlessHost().Theme.reset();
}

}  // namespace
}  // namespace kvo
