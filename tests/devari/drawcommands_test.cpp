// The drawing commands: which fields each one writes, the coordinate mode
// every overload implies, arc and bar angle storage, texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>
#include <limits>
#include <span>
#include <string>

#include "chart_fixture.h"
#include "tests/support/items.h"

namespace kvo {
namespace {

using testing::TCountingChart;

class DrawCommands : public ::testing::Test {
protected:
  TCountingChart c;
  TrcChartItem LastData() const { return c.GetChartItem(c.NumItems() - 1); }
  TrcChartItem LastAnno() const { return c.GetAnnoItem(c.NumAnnos() - 1); }
};

TEST_F(DrawCommands, CommonFieldsComeFromTheCurrentSettings) {
  c.SetActiveLayer(2);
  c.SetClassDefault(7);
  c.SetDataCol(0x112233);
  c.SetPenStyle(psDash);
  c.SetDataTag(-5);
  c.SetLineWid(3);
  c.DrawTo(1.5, 2.5);
  const TrcChartItem it = LastData();
  EXPECT_EQ(it.ItemKind, tkLineto);
  EXPECT_EQ(it.Layer, 2);
  EXPECT_EQ(it.ItemClass, 7);
  EXPECT_EQ(it.Color, 0x112233u);
  EXPECT_EQ(it.PenStyle, psDash);
  EXPECT_EQ(it.Tag, -5);
  EXPECT_EQ(it.LWid, 3);
  EXPECT_EQ(it.FillColor, 0xC0C0C0u);
  EXPECT_EQ(it.x, 1.5);
  EXPECT_EQ(it.y, 2.5);
  EXPECT_EQ(c.ItemCount(tkLineto), 1);
  // A later change leaves the item as it was.
  c.SetDataCol(clRed);
  EXPECT_EQ(c.GetChartItem(0).Color, 0x112233u);
}

TEST_F(DrawCommands, UnmentionedFieldsAreZeroEvenInAReusedSlot) {
  c.Text(1.0, 2.0, 12, "some text");
  c.RemoveLastItem();
  c.MoveTo(3.0, 4.0);
  const TrcChartItem it = LastData();
  EXPECT_EQ(it.ItemKind, tkMoveTo);
  EXPECT_EQ(it.Text.Len, 0);
  EXPECT_EQ(it.Param1, 0);
  EXPECT_EQ(it.FillColor, 0u);
  EXPECT_EQ(it.x2, 0.0);
}

struct ModeCase {
  const char* Name;
  void (*Call)(TDEvari&);
  TrcItem Kind;
  TCoordMode Mode;
};

const ModeCase kModeCases[] = {
    {"MoveTo dd", [](TDEvari& c) { c.MoveTo(1.0, 2.0); }, tkMoveTo, cmAllWorld},
    {"MoveTo ii", [](TDEvari& c) { c.MoveTo(1, 2); }, tkMoveTo, cmAllScreen},
    {"MoveTo id", [](TDEvari& c) { c.MoveTo(1, 2.0); }, tkMoveTo, cmXScreenYWorld},
    {"MoveTo di", [](TDEvari& c) { c.MoveTo(1.0, 2); }, tkMoveTo, cmXWorldYScreen},
    {"DrawTo dd", [](TDEvari& c) { c.DrawTo(1.0, 2.0); }, tkLineto, cmAllWorld},
    {"DrawTo ii", [](TDEvari& c) { c.DrawTo(1, 2); }, tkLineto, cmAllScreen},
    {"DrawTo id", [](TDEvari& c) { c.DrawTo(1, 2.0); }, tkLineto, cmXScreenYWorld},
    {"DrawTo di", [](TDEvari& c) { c.DrawTo(1.0, 2); }, tkLineto, cmXWorldYScreen},
    {"Line dddd", [](TDEvari& c) { c.Line(1.0, 2.0, 3.0, 4.0); }, tkLine, cmAllWorld},
    {"Line iiii", [](TDEvari& c) { c.Line(1, 2, 3, 4); }, tkLine, cmAllScreen},
    {"Line ddii", [](TDEvari& c) { c.Line(1.0, 2.0, 3, 4); }, tkLine, cmWorldMainScreenSec},
    {"Line iidd", [](TDEvari& c) { c.Line(1, 2, 3.0, 4.0); }, tkLine, cmScreenMainWorldSec},
    {"Rectangle dddd", [](TDEvari& c) { c.Rectangle(1.0, 2.0, 3.0, 4.0); }, tkRect, cmAllWorld},
    {"Rectangle iiii", [](TDEvari& c) { c.Rectangle(1, 2, 3, 4); }, tkRect, cmAllScreen},
    {"Rectangle ddii", [](TDEvari& c) { c.Rectangle(1.0, 2.0, 3, 4); }, tkRect,
     cmWorldMainScreenSec},
    {"Rectangle iidd", [](TDEvari& c) { c.Rectangle(1, 2, 3.0, 4.0); }, tkRect,
     cmScreenMainWorldSec},
    {"RectFrame dddd", [](TDEvari& c) { c.RectFrame(1.0, 2.0, 3.0, 4.0, frsRaised, 1, 2); },
     tkRectFrame, cmAllWorld},
    {"RectFrame iiii", [](TDEvari& c) { c.RectFrame(1, 2, 3, 4, frsRaised, 1, 2); },
     tkRectFrame, cmAllScreen},
    {"RectFrame ddii", [](TDEvari& c) { c.RectFrame(1.0, 2.0, 3, 4, frsRaised, 1, 2); },
     tkRectFrame, cmWorldMainScreenSec},
    {"RectFrame iidd", [](TDEvari& c) { c.RectFrame(1, 2, 3.0, 4.0, frsRaised, 1, 2); },
     tkRectFrame, cmScreenMainWorldSec},
    {"Arrow dddd", [](TDEvari& c) { c.Arrow(1.0, 2.0, 3.0, 4.0, 5); }, tkArrow, cmAllWorld},
    {"Arrow iiii", [](TDEvari& c) { c.Arrow(1, 2, 3, 4, 5); }, tkArrow, cmAllScreen},
    {"Arrow ddii", [](TDEvari& c) { c.Arrow(1.0, 2.0, 3, 4, 5); }, tkArrow,
     cmWorldMainScreenSec},
    {"Arrow iidd", [](TDEvari& c) { c.Arrow(1, 2, 3.0, 4.0, 5); }, tkArrow,
     cmScreenMainWorldSec},
    {"Arrow didi", [](TDEvari& c) { c.Arrow(1.0, 2, 3.0, 4, 5); }, tkArrow, cmXWorldYScreen},
    {"Arrow idid", [](TDEvari& c) { c.Arrow(1, 2.0, 3, 4.0, 5); }, tkArrow, cmXScreenYWorld},
    {"DoubleArrow dddd", [](TDEvari& c) { c.DoubleArrow(1.0, 2.0, 3.0, 4.0, 5); },
     tkDoubleArrow, cmAllWorld},
    {"DoubleArrow iiii", [](TDEvari& c) { c.DoubleArrow(1, 2, 3, 4, 5); }, tkDoubleArrow,
     cmAllScreen},
    {"DoubleArrow ddii", [](TDEvari& c) { c.DoubleArrow(1.0, 2.0, 3, 4, 5); },
     tkDoubleArrow, cmWorldMainScreenSec},
    {"DoubleArrow iidd", [](TDEvari& c) { c.DoubleArrow(1, 2, 3.0, 4.0, 5); },
     tkDoubleArrow, cmScreenMainWorldSec},
    {"DoubleArrow didi", [](TDEvari& c) { c.DoubleArrow(1.0, 2, 3.0, 4, 5); },
     tkDoubleArrow, cmXWorldYScreen},
    {"DoubleArrow idid", [](TDEvari& c) { c.DoubleArrow(1, 2.0, 3, 4.0, 5); },
     tkDoubleArrow, cmXScreenYWorld},
    {"Text dd", [](TDEvari& c) { c.Text(1.0, 2.0, 8, "t"); }, tkText, cmAllWorld},
    {"Text ii", [](TDEvari& c) { c.Text(1, 2, 8, "t"); }, tkText, cmAllScreen},
    {"Text id", [](TDEvari& c) { c.Text(1, 2.0, 8, "t"); }, tkText, cmXScreenYWorld},
    {"Text di", [](TDEvari& c) { c.Text(1.0, 2, 8, "t"); }, tkText, cmXWorldYScreen},
    {"Text offset", [](TDEvari& c) { c.Text(1.0, 2.0, 8, "t", 3, 0, taLeftJustify); },
     tkTextOfs, cmAllWorld},
    {"CursorVert d", [](TDEvari& c) { c.CursorVert(1.0); }, tkCursorVert, cmAllWorld},
    {"CursorVert i", [](TDEvari& c) { c.CursorVert(1); }, tkCursorVert, cmAllScreen},
    {"CursorHoriz d", [](TDEvari& c) { c.CursorHoriz(2.0); }, tkCursorHoriz, cmAllWorld},
    {"CursorHoriz i", [](TDEvari& c) { c.CursorHoriz(2); }, tkCursorHoriz, cmAllScreen},
    {"MarkAt dd", [](TDEvari& c) { c.MarkAt(1.0, 2.0, 4); }, tkMarkAt, cmAllWorld},
    {"MarkAt ii", [](TDEvari& c) { c.MarkAt(1, 2, 4); }, tkMarkAt, cmAllScreen},
    {"MarkErrorBar", [](TDEvari& c) { c.MarkErrorBar(1, 2, 3, 4, orVertical, 5); },
     tkMarkEBar, cmAllWorld},
    {"MoveToRelPix", [](TDEvari& c) { c.MoveToRelPix(1, 2); }, tkMoveRelPix, cmAllWorld},
    {"DrawToRelPix ii", [](TDEvari& c) { c.DrawToRelPix(1, 2); }, tkLineRelPix, cmAllWorld},
    {"DrawToRelPix ddii", [](TDEvari& c) { c.DrawToRelPix(1.0, 2.0, 3, 4); },
     tkLineRelPixOrig, cmAllWorld},
    {"RectangleRelPix", [](TDEvari& c) { c.RectangleRelPix(1.0, 2.0, 3, 4); }, tkRectRelPix,
     cmAllWorld},
    {"Bar3D", [](TDEvari& c) { c.Bar3D(1.0, 2.0, 3.0, 4.0, 5, 45); }, tk3DBar, cmAllWorld},
    {"Ellipse", [](TDEvari& c) { c.Ellipse(1.0, 2.0, 3.0, 4.0); }, tkEllipse, cmAllWorld},
    {"Arc", [](TDEvari& c) { c.Arc(1.0, 2.0, 3.0, 4.0, 0.5, 1.0); }, tkArc, cmAllWorld},
    {"LineOffset", [](TDEvari& c) { c.LineOffset(1.0, 2.0, 3.0, 4.0, 5, 6); }, tkLineOffs,
     cmAllWorld},
};

TEST_F(DrawCommands, EveryOverloadStoresItsModeForAnnotationsAndWorldForData) {
  for (const ModeCase& m : kModeCases) {
    SCOPED_TRACE(m.Name);
    c.SetAnnoMode(false);
    m.Call(c);
    EXPECT_EQ(LastData().ItemKind, m.Kind);
    EXPECT_EQ(LastData().CoordMode, cmAllWorld);
    c.SetAnnoMode(true);
    m.Call(c);
    EXPECT_EQ(LastAnno().ItemKind, m.Kind);
    EXPECT_EQ(LastAnno().CoordMode, m.Mode);
    // Integer arguments are stored as the same values.
    EXPECT_EQ(LastAnno().x, m.Kind == tkCursorHoriz ? 0.0 : 1.0);
  }
  EXPECT_EQ(c.NumItems(), c.NumAnnos());
  EXPECT_EQ(c.ItemCount(tkArrow), 6);
  EXPECT_EQ(c.ItemCount(tkText), 4);
}

TEST_F(DrawCommands, IntegerMoveToInDataModeIsAWorldPosition) {
  c.MoveTo(10, 20);
  EXPECT_EQ(LastData().x, 10.0);
  EXPECT_EQ(LastData().y, 20.0);
  EXPECT_EQ(LastData().CoordMode, cmAllWorld);
}

TEST_F(DrawCommands, KindSpecificFields) {
  c.SetLineWid(4);
  c.SetFillCol(0xABCDEF);
  c.SetTransparentItems(true);

  c.RectFrame(0.0, 0.0, 1.0, 1.0, frsEmbossed, 0x111111, 0x222222);
  TrcChartItem it = LastData();
  EXPECT_EQ(it.LWid, 1);  // whatever LineWidth is
  EXPECT_EQ(it.FrameStyle, frsEmbossed);
  EXPECT_EQ(it.ShadowColor, 0x111111u);
  EXPECT_EQ(it.HiLightColor, 0x222222u);
  EXPECT_EQ(it.FillColor, 0xABCDEFu);
  EXPECT_FALSE(it.Transp);

  c.Rectangle(0.0, 1.0, 2.0, 3.0);
  it = LastData();
  EXPECT_TRUE(it.Transp);
  EXPECT_EQ(it.x2, 2.0);
  EXPECT_EQ(it.y2, 3.0);
  EXPECT_EQ(it.LWid, 4);

  c.Arrow(0.0, 0.0, 1.0, 1.0, 9);
  EXPECT_EQ(LastData().Param1, 9);
  EXPECT_TRUE(LastData().Transp);

  c.RectangleRelPix(5.0, 6.0, 7, 8);
  it = LastData();
  EXPECT_EQ(it.Param1, 7);
  EXPECT_EQ(it.Param2, 8);
  EXPECT_TRUE(it.Transp);

  c.LineOffset(1.0, 2.0, 3.0, 4.0, -5, 6);
  it = LastData();
  EXPECT_EQ(it.Param1, -5);
  EXPECT_EQ(it.Param2, 6);
  EXPECT_EQ(it.y2, 4.0);
  EXPECT_FALSE(it.Transp);

  c.DrawToRelPix(1.5, 2.5, -3, 4);
  it = LastData();
  EXPECT_EQ(it.x, 1.5);
  EXPECT_EQ(it.x2, -3.0);
  EXPECT_EQ(it.y2, 4.0);

  c.DrawToRelPix(-7, 8);
  EXPECT_EQ(LastData().x, -7.0);
  EXPECT_EQ(LastData().y, 8.0);
  EXPECT_EQ(LastData().FillColor, 0xABCDEFu);
  c.MoveToRelPix(3, -4);
  EXPECT_EQ(LastData().y, -4.0);
  EXPECT_EQ(LastData().FillColor, 0u);

  c.MarkErrorBar(1.0, 2.0, 0.5, 0.7, orHorizontal, 12);
  it = LastData();
  EXPECT_EQ(it.x2, 0.5);
  EXPECT_EQ(it.y2, 0.7);
  EXPECT_EQ(it.Param1, 1);
  EXPECT_EQ(it.Param3, 12);
  EXPECT_EQ(it.LWid, 4);

  c.MarkAt(1.0, 2.0, 33);
  EXPECT_EQ(LastData().Param3, 33);

  c.CursorVert(3.5);
  EXPECT_EQ(LastData().x, 3.5);
  EXPECT_EQ(LastData().y, 0.0);
  c.CursorHoriz(4.5);
  EXPECT_EQ(LastData().x, 0.0);
  EXPECT_EQ(LastData().y, 4.5);

  c.Ellipse(1.0, 2.0, 3.0, 4.0);
  EXPECT_TRUE(LastData().Transp);
  EXPECT_EQ(LastData().y2, 4.0);
}

TEST_F(DrawCommands, ArcAnglesAreLimitedToPiAndKeptToTenNanoradians) {
  c.Arc(0.0, 0.0, 1.0, 1.0, 4.0, -4.0);
  EXPECT_EQ(LastData().Param1, 314159265);
  EXPECT_EQ(LastData().Param2, -314159265);
  c.Arc(0.0, 0.0, 1.0, 1.0, std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LastData().Param1, 314159265);
  EXPECT_EQ(LastData().Param2, -314159265);
  c.Arc(0.0, 0.0, 1.0, 1.0, 0.123456789, -1.00000001);
  EXPECT_EQ(LastData().Param1, 12345679);
  EXPECT_EQ(LastData().Param2, -100000001);
  EXPECT_NEAR(LastData().Param1 / 1e8, 0.123456789, 1e-8);
}

TEST_F(DrawCommands, BarAngleIsLimitedAndDepthKept) {
  c.Bar3D(0.0, 0.0, 1.0, 2.0, -3, 200);
  EXPECT_EQ(LastData().Param1, 180);
  EXPECT_EQ(LastData().Param2, -3);
  c.Bar3D(0.0, 0.0, 1.0, 2.0, 10, -5);
  EXPECT_EQ(LastData().Param1, 0);
  c.Bar3D(0.0, 0.0, 1.0, 2.0, 10, 30);
  EXPECT_EQ(LastData().Param1, 30);
}

TEST_F(DrawCommands, TextFields) {
  c.SetTextBkStyle(tbSolid);
  c.SetTextAlignment(taRightJustify);
  c.SetFillCol(0x445566);
  c.Text(1.0, 2.0, 14, "twenty characters ok");
  TrcChartItem it = LastData();
  EXPECT_EQ(it.ItemKind, tkText);
  EXPECT_EQ(ShortText(it), "twenty characte");
  EXPECT_EQ(it.LWid, 1);
  EXPECT_EQ(c.DataLongText(0), "twenty characters ok");
  EXPECT_EQ(it.Param1, 14);
  EXPECT_EQ(it.Param2, tbSolid);
  EXPECT_EQ(it.Param3, taRightJustify);
  EXPECT_EQ(it.FillColor, 0x445566u);
  EXPECT_EQ(it.x2, 0.0);

  c.Text(1.0, 2.0, 10, "no offset", 0, 0, taLeftJustify);
  EXPECT_EQ(LastData().ItemKind, tkText);
  EXPECT_EQ(LastData().Param3, taLeftJustify);
  c.Text(1.0, 2.0, 10, "offset", 3, 0, taCenter);
  it = LastData();
  EXPECT_EQ(it.ItemKind, tkTextOfs);
  EXPECT_EQ(it.x2, 3.0);
  EXPECT_EQ(it.y2, 0.0);
  EXPECT_EQ(it.Param3, taCenter);
  EXPECT_EQ(it.LWid, 0);
  c.Text(1.0, 2.0, 10, "y offset", 0, -2, taCenter);
  EXPECT_EQ(LastData().ItemKind, tkTextOfs);
  EXPECT_EQ(LastData().y2, -2.0);
}

TEST_F(DrawCommands, AppendingDoesNotRepaint) {
  c.Paints = 0;
  c.DrawTo(1.0, 1.0);
  c.Text(1.0, 1.0, 8, "x");
  c.Arc(0.0, 0.0, 1.0, 1.0, 0.0, 1.0);
  EXPECT_EQ(c.Paints, 0);
}

// The bulk appends give the records the single commands give, a NaN point a
// fresh start, the allocation count of as many single appends, and ClearGraf
// keeps the memory for live data.
TEST(BulkAppend, PolylineAndMarksMatchTheSingleCommands) {
  TCountingChart bulk, single;
  for (auto* c : {&bulk, &single}) {
    c->SetAllocSize(7);
    c->SetDataCol(clRed);
    c->SetLineWid(2);
    c->SetDataTag(9);
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> x{0, 1, 2, nan, 4, 5}, y{0, 1, 4, 9, 16, 25};
  EXPECT_EQ(bulk.AppendPolyline(x, y), 6);
  single.MoveTo(0.0, 0.0);
  single.DrawTo(1.0, 1.0);
  single.DrawTo(2.0, 4.0);
  single.MoveTo(nan, 9.0);
  single.MoveTo(4.0, 16.0);
  single.DrawTo(5.0, 25.0);
  bulk.AppendMarks(x, y, 21);
  for (int i = 0; i < 6; ++i) single.MarkAt(x[std::size_t(i)], y[std::size_t(i)], 21);
  ASSERT_EQ(bulk.NumItems(), single.NumItems());
  for (int i = 0; i < bulk.NumItems(); ++i) {
    const TrcChartItem a = bulk.GetChartItem(i), b = single.GetChartItem(i);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "item " << i;
  }
  EXPECT_EQ(bulk.NumAllocData(), single.NumAllocData());
  EXPECT_EQ(bulk.GetItemCount(tkLineto), single.GetItemCount(tkLineto));
  const std::size_t capacity = bulk.DataItems().Capacity();
  bulk.ClearGraf();
  EXPECT_EQ(bulk.NumItems(), 0);
  EXPECT_EQ(bulk.DataItems().Capacity(), capacity);
}

// Long series go into packed runs; appended in chunks with connect they
// give the records of one MoveTo and DrawTo after DrawTo, gaps included.
TEST(BulkAppend, LongSeriesInChunksMatchTheSingleCommands) {
  TCountingChart bulk, single;
  std::vector<double> x(1000), y(1000);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = double(i), y[i] = std::sin(double(i));
  y[500] = std::numeric_limits<double>::quiet_NaN();
  const std::span<const double> xs(x), ys(y);
  bulk.AppendPolyline(xs.first(300), ys.first(300));
  bulk.AppendPolyline(xs.subspan(300), ys.subspan(300), true);
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (i == 0 || i == 500 || i == 501) single.MoveTo(x[i], y[i]);
    else single.DrawTo(x[i], y[i]);
  }
  ASSERT_EQ(bulk.NumItems(), single.NumItems());
  for (int i = 0; i < bulk.NumItems(); ++i)
    ASSERT_TRUE(test::SameRecord(bulk.GetChartItem(i), single.GetChartItem(i))) << i;
  EXPECT_EQ(bulk.GetItemCount(tkLineto), single.GetItemCount(tkLineto));
  EXPECT_LE(bulk.DataItems().StorageBytes(), 1000u * 20u);
}

}  // namespace
}  // namespace kvo
