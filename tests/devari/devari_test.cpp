// TDEvari's display-list surface: start values, setters and their
// guards and repaints, item access, counters, searches, removals, clearing.
#include <gtest/gtest.h>

#include <string>

#include "chart_fixture.h"

namespace kvo {
namespace {

using testing::TCountingChart;

TEST(DEvariState, StartValues) {
  TCountingChart c;
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.NumAllocData(), 0);
  EXPECT_EQ(c.NumAllocAnno(), 0);
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_EQ(c.ActiveLayer(), 1);
  EXPECT_TRUE(c.LayerVisible(1));
  EXPECT_TRUE(c.LayerVisible(2));
  EXPECT_TRUE(c.MouseAffectsLayer(1));
  EXPECT_FALSE(c.MouseAffectsLayer(2));
  for (int k = 0; k < 256; ++k) {
    ASSERT_TRUE(c.ClassVisible(std::uint8_t(k)));
    ASSERT_TRUE(c.AnnoClassVisible(std::uint8_t(k)));
  }
  EXPECT_EQ(c.ClassDefault(), 0);
  EXPECT_EQ(c.DataTag(), 0);
  EXPECT_FALSE(c.AnnoMode());
  EXPECT_FALSE(c.AnnoBelowChart());
  EXPECT_TRUE(c.AnnoTextOnTop());
  EXPECT_TRUE(c.AnnosVisible());
  EXPECT_FALSE(c.TransparentItems());
  EXPECT_EQ(c.TextBkStyle(), tbClear);
  EXPECT_EQ(c.TextAlignment(), taCenter);
  EXPECT_EQ(c.DataColor(), clBlack);
  EXPECT_EQ(c.PenStyle(), psSolid);
  EXPECT_EQ(c.FillColor(), 0xC0C0C0u);
  EXPECT_EQ(c.LineWidth(), 1);
  EXPECT_FALSE(c.AvoidDuplicateMarks());
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  for (int k = 0; k < kNumItemKinds; ++k) EXPECT_EQ(c.ItemCount(TrcItem(k)), 0) << k;
  EXPECT_EQ(c.TextFont().Data(), c.Font().Data());
}

TEST(DEvariState, ResetCompRestoresAModifiedChart) {
  TCountingChart c;
  c.SetAllocSize(5);
  c.SetActiveLayer(2);
  c.SetLayerVisib(1, false);
  c.SetClassVisib(7, false);
  c.SetAnnoClassVisib(9, false);
  c.SetDataCol(clRed);
  c.SetAnnoMode(true);
  c.Text(1.0, 2.0, 10, "a long annotation text");
  c.SetAnnoMode(false);
  c.MarkAt(1.0, 2.0, 3);
  c.SetSuppressPaint(false);
  c.Paints = 0;
  c.ResetComp();
  EXPECT_EQ(c.Paints, 1);  // once, at the end
  EXPECT_FALSE(c.SuppressPaint());
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.AnnoItems().LongTexts().Used(), 0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(c.ItemCount(tkNone), 0);
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_EQ(c.ActiveLayer(), 1);
  EXPECT_TRUE(c.LayerVisible(1));
  EXPECT_TRUE(c.ClassVisible(7));
  EXPECT_TRUE(c.AnnoClassVisible(9));
  EXPECT_EQ(c.DataColor(), clBlack);
  EXPECT_FALSE(c.AnnoMode());
}

TEST(DEvariState, GuardedSetters) {
  TCountingChart c;
  c.SetAllocSize(0);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(1'000'001);
  EXPECT_EQ(c.AllocSize(), 1000);
  c.SetAllocSize(1'000'000);
  EXPECT_EQ(c.AllocSize(), 1'000'000);
  c.SetAllocSize(1);
  EXPECT_EQ(c.AllocSize(), 1);

  c.SetActiveLayer(3);
  EXPECT_EQ(c.ActiveLayer(), 1);
  c.SetActiveLayer(0);
  EXPECT_EQ(c.ActiveLayer(), 1);
  c.SetActiveLayer(2);
  EXPECT_EQ(c.ActiveLayer(), 2);

  c.SetClassDefault(255);
  EXPECT_EQ(c.ClassDefault(), 0);
  c.SetClassDefault(254);
  EXPECT_EQ(c.ClassDefault(), 254);
  c.SetClassDefault(255);
  EXPECT_EQ(c.ClassDefault(), 254);

  EXPECT_FALSE(c.MouseAffectsLayer(5));
  c.SetMAffLayer(5, true);
  EXPECT_FALSE(c.MouseAffectsLayer(5));
  c.SetMAffLayer(2, true);
  EXPECT_TRUE(c.MouseAffectsLayer(2));
  EXPECT_FALSE(c.LayerVisible(0));
  EXPECT_FALSE(c.LayerVisible(3));

  c.SetDupMarksMinD(0);
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  c.SetDupMarksMinD(7);
  EXPECT_EQ(c.MinDupMarkDist(), 3);
  c.SetDupMarksMinD(2);
  EXPECT_EQ(c.MinDupMarkDist(), 2);

  c.SetTextBkColor(0x123456);
  EXPECT_EQ(c.FillColor(), 0x123456u);
  c.SetFillColor(0x654321);
  EXPECT_EQ(c.TextBkColor(), 0x654321u);
}

TEST(DEvariState, SettersRepaintOnlyWhenTheValueChanges) {
  TCountingChart c;
  c.Paints = 0;
  c.SetLayerVisib(2, false);
  c.SetLayerVisib(2, false);
  c.SetClassVisib(3, false);
  c.SetClassVisib(3, false);
  c.SetAnnoClassVisib(3, false);
  c.SetAnnoMode(true);
  c.SetAnnoBelow(true);
  c.SetAnnoTextOnTop(false);
  c.SetAnnosVisible(false);
  c.SetAnnosVisible(false);
  c.SetAvoidDupMarks(true);
  c.SetDupMarksMinD(3);
  EXPECT_EQ(c.Paints, 9);
  // Settings copied into later items repaint nothing.
  c.SetDataCol(clRed);
  c.SetLineWid(4);
  c.SetDataTag(5);
  c.SetClassDefault(2);
  c.SetMAffLayer(2, true);
  EXPECT_EQ(c.Paints, 9);
}

TEST(DEvariState, RedrawRuleOfActiveLayerAndTextAlignment) {
  TCountingChart c;
  c.Paints = 0;
  c.SetActiveLayer(2);
  EXPECT_EQ(c.Paints, 1);
  c.SetActiveLayer(2);
  EXPECT_EQ(c.Paints, 1);
  c.SetAutoRedraw(false);
  c.SetActiveLayer(1);
  c.SetTextAlignment(taLeftJustify);
  EXPECT_EQ(c.Paints, 1);
  EXPECT_EQ(c.ActiveLayer(), 1);
  c.SetDesigning(true);
  c.SetActiveLayer(2);
  EXPECT_EQ(c.Paints, 2);
}

TEST(DEvariState, SuppressPaintRepaintsOnceWhenCleared) {
  TCountingChart c;
  c.SetSuppressPaint(true);
  c.Paints = 0;
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.Paints, 1);
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.Paints, 1);
}

TEST(DEvariItems, EmptyChart) {
  TCountingChart c;
  EXPECT_EQ(c.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(c.TypeOfLastItem(), tkNone);
  c.RemoveLastItem();
  c.RemoveFirstItem();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkEverything), -1);
  EXPECT_TRUE(c.FindUsedLayers().Empty());
  EXPECT_EQ(c.GetChartItem(0).ItemKind, tkNone);
  EXPECT_EQ(c.GetChartItem(0).Layer, 1);  // the defaults of an empty record
  EXPECT_EQ(c.GetAnnoItem(-1).ItemKind, tkNone);
  EXPECT_EQ(c.DataLongText(0), "");
}

TEST(DEvariItems, AppendingPastAllocSizeGrowsTwice) {
  TCountingChart c;
  c.SetAllocSize(10);
  for (int i = 0; i < 10; ++i) c.DrawTo(double(i), 0.0);
  EXPECT_EQ(c.NumAllocData(), 10);
  c.DrawTo(10.0, 0.0);
  EXPECT_EQ(c.NumAllocData(), 20);
  EXPECT_EQ(c.NumItems(), 11);
  c.SetAnnoMode(true);
  c.MoveTo(1.0, 1.0);
  EXPECT_EQ(c.NumAllocAnno(), 10);
  EXPECT_EQ(c.NumAnnos(), 1);
  EXPECT_EQ(c.NumItems(), 11);
}

TEST(DEvariItems, AccessReplaceAndCounters) {
  TCountingChart c;
  c.MarkAt(1.0, 1.0, 2);
  c.DrawTo(2.0, 2.0);
  c.Text(3.0, 3.0, 8, "t");
  EXPECT_EQ(c.TypeOfFirstItem(), tkMarkAt);
  EXPECT_EQ(c.TypeOfLastItem(), tkText);
  c.RemoveItem(0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 1);
  EXPECT_EQ(c.ItemCount(tkText), 1);

  TrcChartItem it = c.GetItemParams(0);
  it.ItemKind = tkEverything;
  c.SetItemParams(0, it);  // wildcard: ignored
  EXPECT_EQ(c.GetChartItem(0).ItemKind, tkLineto);
  it.ItemKind = tkNone;
  c.SetItemParams(0, it);
  EXPECT_EQ(c.GetChartItem(0).ItemKind, tkLineto);
  it.ItemKind = static_cast<TrcItem>(99);
  c.SetItemParams(0, it);
  EXPECT_EQ(c.GetChartItem(0).ItemKind, tkLineto);
  it.ItemKind = tkArc;
  it.x = 42;
  c.SetItemParams(0, it);
  EXPECT_EQ(c.GetChartItem(0).x, 42.0);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
  EXPECT_EQ(c.ItemCount(tkArc), 1);
  c.SetItemParams(5, it);  // invalid index: ignored
  EXPECT_EQ(c.NumItems(), 2);

  // SetChartItem overwrites the record and leaves the counters.
  it.ItemKind = tkRect;
  c.SetChartItem(0, it);
  EXPECT_EQ(c.DataContainer(0).ItemKind, tkRect);
  EXPECT_EQ(c.ItemCount(tkArc), 1);
  EXPECT_EQ(c.ItemCount(tkRect), 0);
  c.SetChartItem(2, it);
  EXPECT_EQ(c.NumItems(), 2);
  const int paints = c.Paints;
  c.SetAnnoItem(0, it);  // no annotations: ignored
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.Paints, paints);
}

TEST(DEvariItems, LongTextsOfDataAndAnnotations) {
  TCountingChart c;
  const std::string twenty = "twenty characters!!!";
  c.Text(0.0, 0.0, 10, twenty);
  EXPECT_EQ(ShortText(c.GetChartItem(0)), twenty.substr(0, 15));
  EXPECT_EQ(c.GetChartItem(0).LWid, 1);
  EXPECT_EQ(c.DataLongText(0), twenty);
  c.Text(0.0, 0.0, 10, "fifteen chars!!");
  EXPECT_EQ(c.GetChartItem(1).LWid, 0);
  EXPECT_EQ(c.DataLongText(1), "fifteen chars!!");
  c.DrawTo(1.0, 1.0);
  c.SetDataLongText(2, "not a text item at all");
  EXPECT_EQ(c.DataLongText(2), "");
  c.SetDataLongText(1, "now a much longer text");
  EXPECT_EQ(c.GetChartItem(1).LWid, 2);
  EXPECT_EQ(c.DataLongText(1), "now a much longer text");

  // The annotation table is separate.
  c.SetAnnoMode(true);
  c.Text(0, 0, 10, "annotation text longer than 15");
  EXPECT_EQ(c.GetAnnoItem(0).LWid, 1);
  EXPECT_EQ(c.AnnoLongText(0), "annotation text longer than 15");
  c.SetAnnoLongText(0, "short");
  EXPECT_EQ(c.AnnoLongText(0), "short");
}

TEST(DEvariItems, The51stLongTextKeepsOnlyItsHeadAndClearingRestartsSlots) {
  TCountingChart c;
  for (int i = 0; i < 51; ++i) c.Text(0.0, 0.0, 10, "long text number " + std::to_string(i));
  EXPECT_EQ(c.GetChartItem(49).LWid, 50);
  EXPECT_EQ(c.GetChartItem(50).LWid, 0);
  EXPECT_EQ(c.DataLongText(50), "long text numbe");
  c.ClearGraf();
  c.Text(0.0, 0.0, 10, "the first long text again");
  EXPECT_EQ(c.GetChartItem(0).LWid, 1);

  c.SetAnnoMode(true);
  for (int i = 0; i < 51; ++i) c.Text(0.0, 0.0, 10, "long annotation " + std::to_string(i));
  EXPECT_EQ(c.GetAnnoItem(50).LWid, 0);
  c.ClearAnnotations();
  c.Text(0.0, 0.0, 10, "long annotation again");
  EXPECT_EQ(c.GetAnnoItem(0).LWid, 1);
}

TEST(DEvariItems, ClassesLayersAndColours) {
  TCountingChart c;
  for (int i = 0; i < 6; ++i) {
    c.SetClassDefault(std::uint8_t(i % 3 == 0 ? 3 : i));
    c.SetActiveLayer(i < 4 ? 1 : 2);
    c.MarkAt(double(i), 0.0, 1);
  }
  EXPECT_EQ(c.FindUsedLayers(), (TLayerSet{TLayer::L1, TLayer::L2}));
  EXPECT_EQ(c.FindUsedLayers().Bits(), 0b110u);
  c.NewColorOfClassItems(clRed, 3);
  EXPECT_EQ(c.GetChartItem(0).Color, clRed);
  EXPECT_EQ(c.GetChartItem(1).Color, clBlack);
  EXPECT_EQ(c.GetChartItem(3).Color, clRed);
  c.NewColorOfClassItems(clBlue, 255);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.GetChartItem(i).Color, clBlue);

  EXPECT_EQ(c.RemoveItemsByClass(3), 2);  // items 0 and 3
  ASSERT_EQ(c.NumItems(), 4);
  EXPECT_EQ(c.GetChartItem(0).x, 1.0);
  EXPECT_EQ(c.GetChartItem(1).x, 2.0);
  EXPECT_EQ(c.GetChartItem(2).x, 4.0);
  EXPECT_EQ(c.GetChartItem(3).x, 5.0);
  EXPECT_EQ(c.RemoveItemsByClass(255), 0);  // no wildcard
  EXPECT_EQ(c.ItemCount(tkMarkAt), 4);
  EXPECT_EQ(c.RemoveItemsByLayer(2), 2);
  EXPECT_EQ(c.FindUsedLayers(), TLayerSet{TLayer::L1});
  EXPECT_EQ(c.ItemCount(tkMarkAt), 2);
  EXPECT_EQ(c.NumAllocData(), 1000);
}

TEST(DEvariItems, SearchesAndAnnotationCounts) {
  TCountingChart c;
  c.SetAnnoMode(true);
  const std::int32_t tags[] = {0x1200, 0x12AB, 0x3412, 0x0012};
  const std::uint8_t classes[] = {2, 5, 2, 2};
  for (int i = 0; i < 4; ++i) {
    c.SetDataTag(tags[i]);
    c.SetClassDefault(classes[i]);
    if (i == 1) c.Rectangle(0.0, 0.0, 1.0, 1.0);
    else c.MarkAt(0.0, 0.0, 1);
  }
  EXPECT_EQ(c.CountAnnos(0, 0, 255, tkEverything), c.NumAnnos());
  EXPECT_EQ(c.CountAnnos(0x1200, 0xFF00, 255, tkEverything), 2);
  EXPECT_EQ(c.CountAnnos(0, 0, 2, tkMarkAt), 3);
  EXPECT_EQ(c.CountAnnoByClass({2}), 3);
  EXPECT_EQ(c.CountAnnoByClass({2, 2}), 6);
  EXPECT_EQ(c.CountAnnoByClass({5, 7}), 1);
  EXPECT_EQ(c.CountAnnoByClass({}), 0);
  EXPECT_EQ(c.SearchAnnoItem(0, 0, 0, 255, tkRect), 1);
  EXPECT_EQ(c.SearchAnnoItem(2, 0x12, 0xFF, 2, tkMarkAt), 2);
  EXPECT_EQ(c.SearchAnnoItem(-3, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.SearchDataItem(0, 0, 0, 255, tkEverything), -1);

  const int paints = c.Paints;
  c.RemoveAnnoItem(1);
  c.RemoveAnnoItem(10);
  EXPECT_EQ(c.NumAnnos(), 3);
  EXPECT_EQ(c.SearchAnnoItem(0, 0, 0, 255, tkRect), -1);
  EXPECT_EQ(c.Paints, paints);
  c.ClearAnnotations();
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.NumAllocAnno(), 0);
  EXPECT_EQ(c.Paints, paints + 1);
}

TEST(DEvariItems, ClearGrafEmptiesTheDataOnlyAndDoesNotRepaint) {
  TCountingChart c;
  c.DrawTo(1.0, 1.0);
  c.Text(1.0, 1.0, 9, "a long data text, long");
  c.FLastElemOnShow = 1;
  c.SetAnnoMode(true);
  c.MarkAt(1, 1, 1);
  c.Paints = 0;
  c.ClearGraf();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocData(), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 0);
  EXPECT_EQ(c.ItemCount(tkText), 0);
  EXPECT_EQ(c.DataItems().LongTexts().Used(), 0);
  EXPECT_EQ(c.LastElemOnShow(), 0);
  EXPECT_EQ(c.NumMTracePoints(), 0);
  EXPECT_EQ(c.NumAnnos(), 1);
  EXPECT_EQ(c.Paints, 0);
}

}  // namespace
}  // namespace kvo
