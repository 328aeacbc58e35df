// The display-list record and containers: record defaults and text field,
// growth and allocated counts, per-kind counters, long-text slots,
// searches and removals at the container level.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "devari/chartitem.h"
#include "devari/itemcontainer.h"

namespace kvo {
namespace {

TrcChartItem Item(TrcItem kind, std::uint8_t cls = 0, std::int32_t layer = 1, std::int32_t tag = 0) {
  TrcChartItem it{};
  it.ItemKind = kind;
  it.ItemClass = cls;
  it.Layer = layer;
  it.Tag = tag;
  return it;
}

TEST(ChartItem, ValueInitialisedRecordIsAllZeroBytes) {
  TrcChartItem it{};
  unsigned char bytes[sizeof it];
  std::memcpy(bytes, &it, sizeof it);
  for (unsigned char b : bytes) ASSERT_EQ(b, 0);
}

TEST(ChartItem, CleadEvariItemSetsTheRecordDefaults) {
  TrcChartItem it{};
  it.x = 5;
  it.Param2 = 9;
  it.ItemKind = tkArc;
  SetShortText(it, "abc");
  CleadEvariItem(it);
  EXPECT_EQ(it.x, 0.0);
  EXPECT_EQ(it.Param2, 0);
  EXPECT_EQ(it.Color, 0u);
  EXPECT_EQ(it.FillColor, 0xFFFFFFu);
  EXPECT_EQ(it.ShadowColor, 0x808080u);
  EXPECT_EQ(it.HiLightColor, 0xFFFFFFu);
  EXPECT_EQ(it.Layer, 1);
  EXPECT_EQ(it.ItemKind, tkNone);
  EXPECT_EQ(it.CoordMode, cmAllWorld);
  EXPECT_EQ(it.Text.Len, 0);
  EXPECT_FALSE(it.Transp);
}

TEST(ChartItem, ShortTextKeepsFifteenCharactersAndNeverSplitsOne) {
  TrcChartItem it{};
  EXPECT_TRUE(SetShortText(it, "exactly15chars!"));
  EXPECT_EQ(ShortText(it), "exactly15chars!");
  EXPECT_FALSE(SetShortText(it, "sixteen chars!!!"));
  EXPECT_EQ(ShortText(it), "sixteen chars!!");
  // "aaaaaaaaaaaaaa" (14) + "é" (2 bytes in UTF-8, one in the field) fits;
  // one more é does not, and is left out whole.
  EXPECT_TRUE(SetShortText(it, "aaaaaaaaaaaaaa\xC3\xA9"));
  EXPECT_EQ(ShortText(it), "aaaaaaaaaaaaaa\xC3\xA9");
  EXPECT_FALSE(SetShortText(it, "aaaaaaaaaaaaaa\xC3\xA9\xC3\xA9"));
  EXPECT_EQ(ShortText(it), "aaaaaaaaaaaaaa\xC3\xA9");
  // A damaged length byte reads as 15.
  it.Text.Len = 200;
  EXPECT_EQ(ShortText(it), "aaaaaaaaaaaaaa\xC3\xA9");
}

TEST(ItemContainer, AllocatedCountGrowsInStepsWhileStorageGrowsGeometrically) {
  TRcItemContainer c(true);
  EXPECT_EQ(c.Allocated(), 0);
  for (int i = 0; i < 7; ++i) c.Append(Item(tkLineto), 7);
  EXPECT_EQ(c.Allocated(), 7);
  c.Append(Item(tkLineto), 7);  // AllocSize + 1 items: second step
  EXPECT_EQ(c.Allocated(), 14);
  EXPECT_EQ(c.Count(), 8);

  // With a step of 1 the reported count follows the items one by one, but
  // the storage must not be reallocated on every append.
  TRcItemContainer d(true);
  int reallocations = 0;
  std::size_t cap = d.Capacity();
  for (int i = 0; i < 100000; ++i) {
    d.Append(Item(tkLineto), 1);
    if (d.Capacity() != cap) {
      ++reallocations;
      cap = d.Capacity();
    }
  }
  EXPECT_EQ(d.Allocated(), 100000);
  EXPECT_LT(reallocations, 40);
}

TEST(ItemStore, CopiesMovesErasesAndKeepsItemsWhileGrowing) {
  TItemStore s;
  for (int i = 0; i < 1000; ++i) {
    TrcChartItem it{};
    it.x = i;
    s.PushBack(it);
  }
  ASSERT_EQ(s.Size(), 1000u);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(s[i].x, double(i));
  s.Erase(0);
  s.Erase(500);
  EXPECT_EQ(s.Size(), 998u);
  EXPECT_EQ(s[0].x, 1.0);
  EXPECT_EQ(s[500].x, 502.0);
  EXPECT_EQ(s.Back().x, 999.0);
  TItemStore copy = s;
  copy[0].x = -1;
  EXPECT_EQ(s[0].x, 1.0);
  EXPECT_EQ(copy.Size(), 998u);
  TItemStore moved = std::move(copy);
  EXPECT_EQ(moved[0].x, -1.0);
  EXPECT_EQ(copy.Size(), 0u);
  copy = moved;
  EXPECT_EQ(copy.Size(), 998u);
  copy.Append(s.Data(), s.Size());
  EXPECT_EQ(copy.Size(), 1996u);
  EXPECT_EQ(copy[998].x, 1.0);
  copy.Truncate(3);
  copy.PopBack();
  EXPECT_EQ(copy.Size(), 2u);
  copy.Release();
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Capacity(), 0u);
  copy.PushBack(TrcChartItem{});
  EXPECT_EQ(copy.Size(), 1u);
}

// Appending an item of the list itself (list.Append(list[0], ...)) must copy
// it before the storage moves.
TEST(ItemStore, PushingBackOneOfItsOwnItemsWhileGrowing) {
  TItemStore s;
  for (int i = 0; i < 16; ++i) {
    TrcChartItem it{};
    it.x = i + 1;
    s.PushBack(it);
  }
  ASSERT_EQ(s.Size(), s.Capacity());  // the next push moves the storage
  s.PushBack(s[0]);
  EXPECT_EQ(s.Back().x, 1.0);
  TRcItemContainer list(true);
  TrcChartItem it{};
  it.ItemKind = tkMarkAt;
  do {
    it.x = list.Count() + 1;
    list.Append(it, 1);
  } while (std::size_t(list.Count()) < list.Capacity());
  list.Append(list[3], 1);
  EXPECT_EQ(list.KindCount(tkMarkAt), list.Count());
  EXPECT_EQ(list[list.Count() - 1].x, 4.0);
}

TEST(ItemContainer, CountersFollowAppendsReplacementsAndRemovals) {
  TRcItemContainer c(true);
  c.Append(Item(tkMarkAt), 10);
  c.Append(Item(tkLineto), 10);
  c.Append(Item(tkText), 10);
  c.RemoveAt(0);
  EXPECT_EQ(c.KindCount(tkMarkAt), 0);
  EXPECT_EQ(c.KindCount(tkLineto), 1);
  EXPECT_EQ(c.KindCount(tkText), 1);
  c.Replace(0, Item(tkArc), true);
  EXPECT_EQ(c.KindCount(tkLineto), 0);
  EXPECT_EQ(c.KindCount(tkArc), 1);
  c.Replace(0, Item(tkRect), false);  // raw overwrite: counters untouched
  EXPECT_EQ(c.KindCount(tkArc), 1);
  EXPECT_EQ(c.KindCount(tkRect), 0);

  TRcItemContainer anno(false);
  anno.Append(Item(tkMarkAt), 10);
  EXPECT_EQ(anno.KindCount(tkMarkAt), 0);
}

TEST(ItemContainer, KindsOutsideTheTableNeverTouchTheCounters) {
  TRcItemContainer c(true);
  TrcChartItem bad = Item(tkNone);
  bad.ItemKind = static_cast<TrcItem>(200);
  c.Append(bad, 10);
  c.Append(Item(tkLine), 10);
  c.Replace(1, bad, true);
  c.RemoveAt(0);
  c.RemoveLast();
  for (int k = 0; k < kNumItemKinds; ++k) EXPECT_EQ(c.KindCount(TrcItem(k)), 0) << k;
  EXPECT_EQ(c.KindCount(static_cast<TrcItem>(200)), 0);
}

TEST(ItemContainer, RemovingTheOnlyItemOrTheLastOneEmptiesTheList) {
  TRcItemContainer c(true);
  for (int i = 0; i < 3; ++i) c.Append(Item(tkMoveTo), 2);
  EXPECT_EQ(c.Allocated(), 4);
  c.RemoveLast();
  c.RemoveLast();
  EXPECT_EQ(c.Allocated(), 4);  // still items left: the allocation stays
  c.RemoveLast();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.Allocated(), 0);
  EXPECT_EQ(c.KindCount(tkMoveTo), 0);
  c.RemoveLast();  // empty: nothing happens
  EXPECT_EQ(c.Count(), 0);

  c.Append(Item(tkLine), 5);
  c.RemoveAt(1);  // out of range
  EXPECT_EQ(c.Count(), 1);
  c.RemoveAt(-1);
  EXPECT_EQ(c.Count(), 1);
  c.RemoveAt(0);
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.Allocated(), 0);
}

TEST(ItemContainer, RemoveIfKeepsOrderAndAllocation) {
  TRcItemContainer c(true);
  const std::uint8_t classes[] = {3, 1, 3, 2, 3, 4};
  for (int i = 0; i < 6; ++i) {
    TrcChartItem it = Item(i % 2 ? tkLineto : tkMarkAt, classes[i]);
    it.x = i;
    c.Append(it, 100);
  }
  const auto removed = c.RemoveIf([](const TrcChartItem& it) { return it.ItemClass == 3; });
  EXPECT_EQ(removed, 3);
  ASSERT_EQ(c.Count(), 3);
  EXPECT_EQ(c[0].x, 1.0);
  EXPECT_EQ(c[1].x, 3.0);
  EXPECT_EQ(c[2].x, 5.0);
  EXPECT_EQ(c.Allocated(), 100);
  EXPECT_EQ(c.KindCount(tkMarkAt), 0);
  EXPECT_EQ(c.KindCount(tkLineto), 3);
}

TEST(ItemContainer, MatchingRuleOfSearchesAndCounts) {
  TRcItemContainer c(false);
  c.Append(Item(tkRect, 1, 1, 0x1234), 10);
  c.Append(Item(tkText, 2, 1, 0x12FF), 10);
  c.Append(Item(tkRect, 2, 1, 0x3400), 10);
  EXPECT_EQ(c.CountMatching(0, 0, 255, tkEverything), 3);
  EXPECT_EQ(c.CountMatching(0x1200, 0xFF00, 255, tkEverything), 2);
  EXPECT_EQ(c.CountMatching(0, 0, 2, tkRect), 1);
  EXPECT_EQ(c.CountMatching(0, 0, 255, tkNotMoveTo), 0);  // kind values match exactly
  EXPECT_EQ(c.Search(0, 0, 0, 255, tkRect), 0);
  EXPECT_EQ(c.Search(1, 0, 0, 255, tkRect), 2);
  EXPECT_EQ(c.Search(3, 0, 0, 255, tkRect), -1);
  EXPECT_EQ(c.Search(-1, 0, 0, 255, tkEverything), -1);
  EXPECT_EQ(c.Search(0, 0x3400, 0xFFFFFFFFu, 255, tkEverything), 2);
  // A mask with the sign bit compares the full 32 bits.
  TrcChartItem neg = Item(tkLine, 0, 1, -1);
  c.Append(neg, 10);
  EXPECT_EQ(c.Search(0, -1, 0x80000000u, 255, tkEverything), 3);
  const auto hist = c.ClassHistogram();
  EXPECT_EQ(hist[1], 1);
  EXPECT_EQ(hist[2], 2);
  EXPECT_EQ(hist[0], 1);
}

TEST(LongTexts, SlotsAreHandedOutInOrderUntilFullAndRestartAfterClear) {
  TLongTextArray t;
  for (int i = 1; i <= 50; ++i) EXPECT_EQ(t.Take("text " + std::to_string(i)), i);
  EXPECT_TRUE(t.Full());
  EXPECT_EQ(t.Take("one too many"), 0);
  EXPECT_EQ(t.Slot(50), "text 50");
  EXPECT_EQ(t.Slot(51), "");
  EXPECT_EQ(t.Slot(0), "");
  t.Clear();
  EXPECT_EQ(t.Used(), 0);
  EXPECT_EQ(t.Slot(1), "");
  EXPECT_EQ(t.Take("again"), 1);
  t.SetSlot(2, "beyond the used slots");  // ignored
  EXPECT_EQ(t.Slot(2), "");
}

TEST(LongTexts, FullTextAndSetFullTextFollowTheLongTextRule) {
  TRcItemContainer c(false);
  c.Append(Item(tkText), 10);
  c.Append(Item(tkLine), 10);
  const std::string longText = "a text of twenty ch";
  c.SetFullText(0, longText);
  EXPECT_EQ(c[0].LWid, 1);
  EXPECT_EQ(ShortText(c[0]), longText.substr(0, 15));
  EXPECT_EQ(c.FullText(c[0]), longText);
  // The item keeps its slot when it gets another long text.
  c.SetFullText(0, "another long text here");
  EXPECT_EQ(c[0].LWid, 1);
  EXPECT_EQ(c.LongTexts().Used(), 1);
  EXPECT_EQ(c.FullText(c[0]), "another long text here");
  // A short text drops the reference; the slot stays taken.
  c.SetFullText(0, "short");
  EXPECT_EQ(c[0].LWid, 0);
  EXPECT_EQ(c.FullText(c[0]), "short");
  EXPECT_EQ(c.LongTexts().Used(), 1);
  // Not a text item: nothing.
  c.SetFullText(1, "ignored entirely here");
  EXPECT_EQ(c.FullText(c[1]), "");
  EXPECT_EQ(c.LongTexts().Used(), 1);
  // A slot number the table never handed out reads the record's own text.
  TrcChartItem bogus = c[0];
  bogus.LWid = 42;
  c.Replace(0, bogus, false);
  EXPECT_EQ(c.FullText(c[0]), "short");
  c.SetFullText(0, "a long text replacing a bogus slot");
  EXPECT_EQ(c[0].LWid, 2);
  EXPECT_EQ(c.FullText(c[0]), "a long text replacing a bogus slot");
}

TEST(ItemContainer, AdoptLoadedMapsSlotsAndCountsKinds) {
  TRcItemContainer c(true);
  c.Append(Item(tkMarkAt), 10);
  TLoadedItems in;
  TrcChartItem t1 = Item(tkText);
  t1.LWid = 2;  // the saving chart's slot 2
  TrcChartItem t2 = Item(tkTextOfs);
  t2.LWid = 1;
  TrcChartItem t3 = Item(tkText);
  t3.LWid = 7;  // refers to a line the file does not have
  TrcChartItem line = Item(tkLine);
  line.LWid = 3;  // a line width, not a slot
  for (const auto& r : {t1, t2, t3, line}) in.Records.PushBack(r);
  in.Lines = {"first long text line", "second long text line"};
  c.AdoptLoaded(std::move(in), true);
  ASSERT_EQ(c.Count(), 5);
  EXPECT_EQ(c.Allocated(), 5);
  EXPECT_EQ(c[1].LWid, 1);
  EXPECT_EQ(c.FullText(c[1]), "second long text line");
  EXPECT_EQ(c[2].LWid, 2);
  EXPECT_EQ(c.FullText(c[2]), "first long text line");
  EXPECT_EQ(c[3].LWid, 0);
  EXPECT_EQ(c[4].LWid, 3);
  EXPECT_EQ(c.KindCount(tkMarkAt), 1);
  EXPECT_EQ(c.KindCount(tkText), 2);
  EXPECT_EQ(c.KindCount(tkTextOfs), 1);
  EXPECT_EQ(c.KindCount(tkLine), 1);

  TLoadedItems again;
  again.Records.PushBack(Item(tkArc));
  c.AdoptLoaded(std::move(again), false);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.KindCount(tkText), 0);
  EXPECT_EQ(c.KindCount(tkArc), 1);
  EXPECT_EQ(c.LongTexts().Used(), 0);
}

// ---- Packed runs ------------------------------------------------------------------

// Random operations on a list, checked after each against a plain vector of
// records: packing must never change what any accessor returns.
TEST(PackedRuns, EveryOperationMatchesAPlainListOfRecords) {
  std::mt19937 rng(1234);
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  // Few distinct templates so that long runs form, broken now and then.
  auto make = [&](int variant) {
    TrcChartItem it = Item(variant % 3 == 0 ? tkMarkAt : tkLineto, std::uint8_t(variant % 2), 1 + variant % 2);
    it.Color = TColor(variant * 0x10101);
    it.x = std::ldexp(double(rng() % 1000), -4);
    it.y = double(rng() % 997) - 500;
    return it;
  };
  TRcItemContainer c(true);
  std::vector<TrcChartItem> ref;
  auto check = [&](int step) {
    ASSERT_EQ(c.Count(), std::int32_t(ref.size())) << step;
    std::size_t k = 0;
    for (const TrcChartItem& it : c.Items()) {
      ASSERT_TRUE(std::memcmp(&it, &ref[k], sizeof it) == 0) << "step " << step << " item " << k;
      ++k;
    }
    ASSERT_EQ(k, ref.size());
    for (int probe = 0; probe < 5 && !ref.empty(); ++probe) {
      const auto i = std::int32_t(rng() % ref.size());
      const TrcChartItem it = c[i];
      ASSERT_TRUE(std::memcmp(&it, &ref[std::size_t(i)], sizeof it) == 0) << step;
    }
    std::array<std::int32_t, 256> hist{};
    std::int32_t lines = 0, class1 = 0, firstLayer2 = -1;
    for (std::size_t i = 0; i < ref.size(); ++i) {
      ++hist[ref[i].ItemClass];
      lines += ref[i].ItemKind == tkLineto;
      class1 += ref[i].ItemClass == 1;
      if (firstLayer2 < 0 && i >= 7 && ref[i].ItemKind == tkMarkAt) firstLayer2 = std::int32_t(i);
    }
    ASSERT_EQ(c.ClassHistogram(), hist);
    ASSERT_EQ(c.KindCount(tkLineto), lines);
    ASSERT_EQ(c.CountMatching(0, 0, 1, tkEverything), class1);
    ASSERT_EQ(c.Search(7, 0, 0, 255, tkMarkAt), firstLayer2);
    std::size_t blockItems = 0;
    c.ForEachBlock([&](const TrcChartItem* p, std::size_t n, std::size_t first) {
      ASSERT_EQ(first, blockItems);
      for (std::size_t j = 0; j < n; ++j) ASSERT_EQ(std::memcmp(&p[j], &ref[first + j], sizeof p[j]), 0);
      blockItems += n;
    });
    ASSERT_EQ(blockItems, ref.size());
  };
  int variant = 0, packedSeen = 0;
  for (int step = 0; step < 3000; ++step) {
    const int op = pick(100);
    if (op < 55) {  // single appends, mostly continuing the current run
      if (pick(40) == 0) variant = pick(6);
      const TrcChartItem it = make(variant);
      c.Append(it, 10);
      ref.push_back(it);
    } else if (op < 60) {  // a bulk run
      std::vector<double> x(std::size_t(pick(120))), y(x.size());
      TrcChartItem t = make(variant);
      for (std::size_t i = 0; i < x.size(); ++i) x[i] = double(i), y[i] = double(pick(50));
      c.AppendRun(t, x.data(), y.data(), x.size(), 10);
      for (std::size_t i = 0; i < x.size(); ++i) t.x = x[i], t.y = y[i], ref.push_back(t);
    } else if (op < 72 && !ref.empty()) {  // replacements: same fields or others
      const auto i = std::size_t(pick(int(ref.size())));
      TrcChartItem it = pick(2) ? ref[i] : make(pick(6));
      it.x = -double(step);
      c.Replace(std::int32_t(i), it, true);
      ref[i] = it;
    } else if (op < 82 && !ref.empty()) {
      const auto i = std::size_t(pick(int(ref.size())));
      c.RemoveAt(std::int32_t(i));
      ref.erase(ref.begin() + std::ptrdiff_t(i));
    } else if (op < 90 && !ref.empty()) {
      c.RemoveLast();
      ref.pop_back();
    } else if (op < 92) {
      const TColor col = TColor(step);
      c.Recolour(1, col);
      for (auto& it : ref)
        if (it.ItemClass == 1) it.Color = col;
    } else if (op < 94) {
      const double cut = double(pick(500)) - 250;
      c.RemoveIf([cut](const TrcChartItem& it) { return it.y < cut; });
      std::erase_if(ref, [cut](const TrcChartItem& it) { return it.y < cut; });
    } else if (op < 96) {
      const auto m = c.Mark();
      const std::size_t size = ref.size();
      for (int k = 0; k < 40; ++k) c.Append(make(variant), 10);
      c.Rollback(m);
      ASSERT_EQ(c.Allocated(), m.Allocated);
      ASSERT_EQ(ref.size(), size);
    } else if (op < 97) {  // a copy, and loading what it holds
      TRcItemContainer copy = c;
      TLoadedItems loaded;
      copy.ForEachBlock([&](const TrcChartItem* p, std::size_t n, std::size_t) { loaded.Records.Append(p, n); });
      c.AdoptLoaded(std::move(loaded), pick(2) == 0);
      if (c.Count() != std::int32_t(ref.size())) {
        const std::vector<TrcChartItem> again = ref;
        ref.insert(ref.end(), again.begin(), again.end());
      }
    } else if (op < 98) {
      c.Clear(false, pick(2) == 0);
      ref.clear();
    }
    check(step);
    if (HasFatalFailure()) return;
    for (const TItemSegment& seg : c.Segments()) packedSeen += seg.Packed ? 1 : 0;
  }
  EXPECT_GT(packedSeen, 1000);  // the operations did meet packed runs
}

TEST(PackedRuns, LongRunsTakeSixteenBytesPerItemAndClearKeepsTheirMemory) {
  TRcItemContainer c(true);
  TrcChartItem move = Item(tkMoveTo), line = Item(tkLineto);
  c.Append(move, 1);
  for (int i = 0; i < 200000; ++i) {
    line.x = i;
    line.y = std::sin(i * 0.01);
    c.Append(line, 1);
  }
  EXPECT_EQ(c.Segments().size(), 2u);
  EXPECT_LE(c.StorageBytes(), 200001u * 17u);
  EXPECT_EQ(c.KindCount(tkLineto), 200000);
  // A changed field in the middle splits the run; the item reads back as set.
  TrcChartItem red = c[100000];
  red.Color = clRed;
  c.Replace(100000, red, true);
  EXPECT_EQ(c[100000].Color, clRed);
  EXPECT_EQ(c[100001].Color, line.Color);
  EXPECT_EQ(c.Segments().size(), 4u);
  const std::size_t cap = c.Capacity();
  c.Clear(true, true);
  EXPECT_EQ(c.Count(), 0);
  EXPECT_GE(c.Capacity(), 100000u);
  EXPECT_LE(c.Capacity(), cap);
}

}  // namespace
}  // namespace kvo
