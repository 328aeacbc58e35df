// The chart's display lists: TRcItemContainer holds the items of one list
// together with its long-text table and, for the data list, the per-kind
// counters. TCustomDEvari owns one for data and one for annotations and
// forwards its access, count, search and removal operations to them.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "chartitem.h"

namespace kvo {

// TItemStore: the contiguous storage behind a display list. Items are plain
// 104-byte records (trivially copyable), so the store grows with realloc,
// which for large blocks remaps pages instead of copying them: appending
// 10^7 items costs about half of what a std::vector would.
class KVO_API TItemStore {
  static_assert(std::is_trivially_copyable_v<TrcChartItem>, "items move as raw bytes");

public:
  TItemStore() noexcept = default;
  TItemStore(const TItemStore& o) : TItemStore() { Assign(o.Data(), o.Size()); }
  TItemStore& operator=(const TItemStore& o) {
    if (this != &o) Assign(o.Data(), o.Size());
    return *this;
  }
  TItemStore(TItemStore&& o) noexcept { Swap(o); }
  TItemStore& operator=(TItemStore&& o) noexcept {
    TItemStore(std::move(o)).Swap(*this);
    return *this;
  }
  ~TItemStore() = default;

  std::size_t Size() const noexcept { return FSize; }
  std::size_t Capacity() const noexcept { return FCap; }
  bool Empty() const noexcept { return FSize == 0; }
  TrcChartItem* Data() noexcept { return FMem.get(); }
  const TrcChartItem* Data() const noexcept { return FMem.get(); }
  std::span<const TrcChartItem> Items() const noexcept { return {FMem.get(), FSize}; }
  std::span<TrcChartItem> Items() noexcept { return {FMem.get(), FSize}; }
  TrcChartItem& operator[](std::size_t i) noexcept { return FMem.get()[i]; }
  const TrcChartItem& operator[](std::size_t i) const noexcept { return FMem.get()[i]; }
  TrcChartItem& Back() noexcept { return FMem.get()[FSize - 1]; }

  // Room for at least n items; throws std::bad_alloc and keeps everything
  // when memory runs out.
  void Reserve(std::size_t n) {
    if (n > FCap) Reallocate(n);
  }
  // item may be one of this store's own items.
  void PushBack(const TrcChartItem& item) {
    if (FSize == FCap) {
      const TrcChartItem copy = item;  // the storage is about to move
      Reallocate(FCap < 16 ? 16 : FCap * 2);
      std::memcpy(FMem.get() + FSize, &copy, sizeof copy);
    } else {
      std::memcpy(FMem.get() + FSize, &item, sizeof item);
    }
    ++FSize;
  }
  // Appends n items (not from this store); cannot fail when Reserve made
  // room for them before.
  void Append(const TrcChartItem* items, std::size_t n) {
    if (n == 0) return;
    Reserve(FSize + n);
    std::memcpy(FMem.get() + FSize, items, n * sizeof(TrcChartItem));
    FSize += n;
  }
  // Grows or shrinks to n items; new items are uninitialised bytes that the
  // caller overwrites before reading them.
  void ResizeForOverwrite(std::size_t n) {
    Reserve(n);
    FSize = n;
  }
  void Truncate(std::size_t n) noexcept {
    if (n < FSize) FSize = n;
  }
  void PopBack() noexcept { --FSize; }
  void Erase(std::size_t i) noexcept {
    std::memmove(FMem.get() + i, FMem.get() + i + 1, (FSize - i - 1) * sizeof(TrcChartItem));
    --FSize;
  }
  // Empties the store and gives its memory back.
  void Release() noexcept {
    FMem.reset();
    FSize = FCap = 0;
  }
  // Forgets the items but keeps the memory for the next ones.
  void Truncate() noexcept { FSize = 0; }
  void Swap(TItemStore& o) noexcept {
    std::swap(FMem, o.FMem);
    std::swap(FSize, o.FSize);
    std::swap(FCap, o.FCap);
  }

private:
  struct TFree {
    void operator()(TrcChartItem* p) const noexcept { std::free(p); }
  };

  void Assign(const TrcChartItem* items, std::size_t n) {
    Reserve(n);  // may throw; nothing changed then
    if (n > 0) std::memcpy(FMem.get(), items, n * sizeof(TrcChartItem));
    FSize = n;
  }
  void Reallocate(std::size_t cap) {
    if (cap > SIZE_MAX / sizeof(TrcChartItem)) throw std::bad_alloc();
    void* p = std::realloc(FMem.get(), cap * sizeof(TrcChartItem));
    if (p == nullptr) throw std::bad_alloc();  // the old block is still valid
    (void)FMem.release();
    FMem.reset(static_cast<TrcChartItem*>(p));
    FCap = cap;
  }

  std::unique_ptr<TrcChartItem, TFree> FMem;
  std::size_t FSize = 0, FCap = 0;
};

// Long texts of one container: 50 slots numbered 1..50, handed out in
// increasing order and not reused until the table is cleared.
class KVO_API TLongTextArray {
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
KVO_API bool ItemMatches(const TrcChartItem& item, std::int32_t tag, std::uint32_t tagMask,
                 std::uint8_t itemClass, TrcItem kind) noexcept;

// Items read from a data or annotation file, checked and ready to be added to
// a container. Records keep the slot numbers of the saving chart in LWid;
// Lines[k-1] is the text of that chart's slot k.
struct KVO_API TLoadedItems {
  TItemStore Records;
  std::vector<std::string> Lines;
};

// One display list. Indexes are 0-based. The allocated count follows the
// chart's growth step exactly (it grows by allocSize when the list is full),
// while the storage behind it grows geometrically (TItemStore), so appending
// is amortised constant time.
class KVO_API TRcItemContainer {
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
  // clearLongTexts also the long-text table; with keepMemory the storage
  // stays reserved for the next items (live data refilled again and again).
  void Clear(bool clearLongTexts, bool keepMemory = false) noexcept;
  // Appends n items made by make(i, item) (item starts as a copy of proto),
  // with one reservation and the allocated count as n single appends would
  // leave it. Counts their kinds.
  template <class Make>
  void AppendMany(std::size_t n, const TrcChartItem& proto, std::int32_t allocSize, Make&& make) {
    if (n == 0) return;
    FItems.Reserve(FItems.Size() + n);  // may throw; nothing changed then
    TrcChartItem item = proto;
    for (std::size_t i = 0; i < n; ++i) {
      item = proto;
      make(i, item);
      FItems.PushBack(item);
      CountKind(item.ItemKind, +1);
    }
    const std::int64_t step = std::max<std::int32_t>(allocSize, 1);
    const std::int64_t count = Count();
    if (count > FAllocated)
      FAllocated = std::int32_t(FAllocated + (count - FAllocated + step - 1) / step * step);
  }

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
