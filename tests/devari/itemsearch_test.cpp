// Picking items: the three nearest-item searches with their filters, the
// annotation search by drawn shape, marking and scaling.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "devari/tdevari.h"
#include "libs/univconst.h"

namespace kvo {
namespace {

struct TSearchChart : TDEvari {
  TSearchChart() {
    SetBounds(0, 0, 400, 300);
    SetRange(1, 0, 0, 100, 100);
    SetRange(2, 0, 0, 100, 100);
  }
};

TEST(ItemSearch, NearestDataItemsByWorldScreenAndAxis) {
  TSearchChart c;
  c.MoveTo(10.0, 10.0);   // 0
  c.MarkAt(20.0, 20.0, 5);  // 1
  c.MarkAt(40.0, 20.0, 5);  // 2: as near to (30, 20) as item 1
  c.SetActiveLayer(2);
  c.MarkAt(31.0, 90.0, 5);  // 3, on layer 2
  c.SetActiveLayer(1);
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(30, 20, tkMarkAt, 255, d), 1);  // the first of equals
  EXPECT_DOUBLE_EQ(d, 10);
  EXPECT_EQ(c.FindNearestItemReal(9, 9, tkNotMoveTo, 255, d), 1);
  EXPECT_EQ(c.FindNearestItemReal(9, 9, tkNone, 255, d), -1);
  EXPECT_EQ(d, std::sqrt(uc_MaxDouble));
  EXPECT_EQ(c.FindNearestItemReal(31, 89, tkEverything, 255, d), 3);
  c.SetLayerVisib(2, false);
  EXPECT_EQ(c.FindNearestItemReal(31, 89, tkEverything, 255, true, d), 2);
  c.SetClassVisib(0, false);  // class visibility is not a filter
  EXPECT_EQ(c.FindNearestItemReal(9, 9, tkEverything, 255, true, d), 0);

  EXPECT_EQ(c.FindNearestItemScreen(21, 21, tkMarkAt, 255, d), 1);
  EXPECT_LT(d, 4);
  // Along X: the nearest column, whatever the row.
  EXPECT_EQ(c.FindNearestItemAlongAxis(30.5, axX, tkEverything, 255, d), 3);
  EXPECT_EQ(c.FindNearestItemAlongAxis(30.5, TAxis(2), tkEverything, 255, d), -1);
}

TEST(ItemSearch, AnnotationsAreHitByTheirShape) {
  TSearchChart c;
  c.SetAnnoMode(true);
  c.Ellipse(50.0, 50.0, 20.0, 10.0);  // 0
  c.Arc(20.0, 80.0, 10.0, 10.0, 3.0, -3.0);  // 1: through +-pi, the left side
  c.Line(0.0, 0.0, 100.0, 0.0);       // 2
  c.Text(80.0, 80.0, 10, "label");    // 3
  double d = 0;
  EXPECT_EQ(c.FindNearestAnnoElem(55, 52, tkEverything, 255, false, d), 0);  // inside
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestAnnoElem(10.2, 80, tkArc, 255, false, d), 1);       // at +-pi
  EXPECT_LT(d, 3);
  EXPECT_EQ(c.FindNearestAnnoElem(30, 80, tkArc, 255, false, d), -1);       // outside the angles
  EXPECT_EQ(c.FindNearestAnnoElem(70, 1, tkEverything, 255, false, d), 2);
  EXPECT_EQ(c.FindNearestAnnoElem(80, 80, tkText, 255, false, d), 3);
  EXPECT_EQ(d, 0);
  // A text handler that changes the list while the search measures cannot
  // make it read moved items.
  c.OnBeforeRenderText = [&](TObject*, std::string& text, std::int32_t, bool) {
    text += "!";
    for (int k = 0; k < 100; ++k) c.MarkAt(1.0, 1.0, 5);
  };
  EXPECT_GE(c.FindNearestAnnoElem(80, 80, tkEverything, 255, false, d), 0);
}

TEST(ItemSearch, MarkingAndScaling) {
  TSearchChart c;
  c.Line(0.0, 0.0, 1.0, 1.0);
  c.MarkAt(5.0, 5.0, 5);
  c.MarkAt(20.0, 5.0, 5);
  EXPECT_EQ(c.MarkItemsInWindow(10, 10, 0, 0, tkMarkAt, 7), 1);
  EXPECT_EQ(c.GetChartItem(1).ItemClass, 7);
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 10, 10, tkMarkAt, 255), 0);
  c.MarkAllItems(tkMarkAt, 3);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 3);
  EXPECT_EQ(c.GetChartItem(0).ItemClass, 0);
  c.ScaleAllItems(2, 1, 1, 0);
  const TrcChartItem line = c.GetChartItem(0);
  EXPECT_EQ(line.x, 1);
  EXPECT_EQ(line.x2, 3);
  EXPECT_EQ(line.y2, 1);
  c.ScaleSelectedItems(1, 100, 1, 0, 3);
  EXPECT_EQ(c.GetChartItem(2).x, 141);
  EXPECT_EQ(c.GetChartItem(0).x, 1);
  c.ScaleItem(99, 1, 1, 1, 1);  // out of range: nothing
  c.ScaleItem(-1, 1, 1, 1, 1);
}

}  // namespace
}  // namespace kvo
