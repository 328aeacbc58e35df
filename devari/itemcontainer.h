// The chart's display lists: TRcItemContainer holds the items of one list
// together with its long-text table and, for the data list, the per-kind
// counters. TCustomDEvari owns one for data and one for annotations and
// forwards its access, count, search and removal operations to them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "devari/chartitem.h"
#include "devari/itemstore.h"

namespace kvo {

// Long texts of one container: 50 slots numbered 1..50, handed out in
// increasing order and not reused until the table is cleared.
class TLongTextArray {
public:
  static constexpr std::int32_t Capacity = 50;

  std::int32_t Used() const noexcept { return FUsed; }
  bool Full() const noexcept { return FUsed >= Capacity; }
  // Text of slot n (1..50); empty for other numbers.
  const std::string& Slot(std::int32_t n) const noexcept;
  // Overwrites slot n (1..Used()); other numbers are ignored.
  void SetSlot(std::int32_t n, std::string text);
  // Stores text in the next free slot and returns its number, or 0 (and
  // stores nothing) when all 50 slots are taken.
  std::int32_t Take(std::string text);
  // Empties every slot; numbering starts at 1 again.
  void Clear() noexcept;

  bool operator==(const TLongTextArray&) const = default;

private:
  std::array<std::string, Capacity> FSlots;
  std::int32_t FUsed = 0;
};

// Matching rule of searches and counts: mask 0 or (Tag & mask) equal to
// (tag & mask); kind tkEverything or equal; class 255 or equal.
bool ItemMatches(const TrcChartItem& item, std::int32_t tag, std::uint32_t tagMask,
                 std::uint8_t itemClass, TrcItem kind) noexcept;

// Items read from a data or annotation file, checked and ready to be added to
// a container. Records keep the slot numbers of the saving chart in LWid;
// Lines[k-1] is the text of that chart's slot k.
struct TLoadedItems {
  TItemStore Records;
  std::vector<std::string> Lines;
};

// One display list. Indexes are 0-based. The allocated count follows the
// chart's growth step exactly (it grows by allocSize when the list is full),
// while the storage behind it grows geometrically (TItemStore), so appending
// is amortised constant time.
class TRcItemContainer {
public:
  // countKinds: keep the 24 per-kind counters (the data container does).
  explicit TRcItemContainer(bool countKinds) noexcept : FCountKinds(countKinds) {}

  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(FItems.Size()); }
  std::int32_t Allocated() const noexcept { return FAllocated; }
  bool Empty() const noexcept { return FItems.Empty(); }
  bool ValidIndex(std::int32_t i) const noexcept { return i >= 0 && i < Count(); }

  std::span<const TrcChartItem> Items() const noexcept { return FItems.Items(); }
  const TrcChartItem& operator[](std::int32_t i) const noexcept { return FItems[std::size_t(i)]; }
  TrcChartItem& operator[](std::int32_t i) noexcept { return FItems[std::size_t(i)]; }

  TLongTextArray& LongTexts() noexcept { return FLongTexts; }
  const TLongTextArray& LongTexts() const noexcept { return FLongTexts; }

  // Per-kind counter (0 for kinds outside 0..23 and for uncounted lists).
  std::int32_t KindCount(TrcItem kind) const noexcept {
    return IsValidItemKind(kind) ? FKindCount[kind] : 0;
  }

  // Appends a copy of item; when the list is full the allocated count first
  // grows by allocSize (at least 1). Counts the item's kind. item may be one
  // of this list's own items.
  void Append(const TrcChartItem& item, std::int32_t allocSize);

  // Overwrites item i; with moveCount the counter of the old kind loses one
  // and that of the new kind gains one. i must be valid.
  void Replace(std::int32_t i, const TrcChartItem& item, bool moveCount) noexcept;

  // Removes item i (ignored when out of range). Removing the only item
  // empties the list as Clear does, but keeps the long texts.
  void RemoveAt(std::int32_t i) noexcept;
  // Removes the last item, if any.
  void RemoveLast() noexcept;
  // Removes every item for which pred is true, keeping the order of the
  // others; returns the number removed. The allocated count is unchanged.
  std::int32_t RemoveIf(const std::function<bool(const TrcChartItem&)>& pred);

  // Empties the list: no items, allocated count 0, counters 0. With
  // clearLongTexts also the long-text table.
  void Clear(bool clearLongTexts) noexcept;

  // First index >= start whose item matches, -1 if none or start < 0.
  std::int32_t Search(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                      std::uint8_t itemClass, TrcItem kind) const noexcept;
  std::int32_t CountMatching(std::int32_t tag, std::uint32_t tagMask, std::uint8_t itemClass,
                             TrcItem kind) const noexcept;
  // Histogram of the 256 class numbers over all items.
  std::array<std::int32_t, 256> ClassHistogram() const noexcept;

  // Full text of a text item: the long-text slot LWid when it holds one,
  // else the record's own field; empty for other kinds.
  std::string FullText(const TrcChartItem& item) const;
  // Stores text into text item i by the long-text rule (a text too long for
  // the 15-byte field keeps its head there and the whole in a slot: the
  // item's own slot if it has one, else the next free slot, else none).
  void SetFullText(std::int32_t i, const std::string& text);

  // Adds loaded items (replacing the list unless append). Every text record
  // that refers to a long text of the file takes the next free slot of this
  // list with that text, or keeps only its 15-character head when the table
  // is full. The allocated count becomes exactly the new item count. Either
  // everything is added or, if memory runs out, nothing changes.
  void AdoptLoaded(TLoadedItems&& loaded, bool append);

  // Storage capacity in items (for tests of the growth policy).
  std::size_t Capacity() const noexcept { return FItems.Capacity(); }

private:
  void CountKind(TrcItem kind, std::int32_t delta) noexcept {
    if (FCountKinds && IsValidItemKind(kind)) FKindCount[kind] += delta;
  }

  TItemStore FItems;
  std::int32_t FAllocated = 0;
  std::array<std::int32_t, kNumItemKinds> FKindCount{};
  TLongTextArray FLongTexts;
  bool FCountKinds;
};

}  // namespace kvo
