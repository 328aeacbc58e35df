// The chart's display lists: TRcItemContainer holds the items of one list
// together with its long-text table and, for the data list, the per-kind
// counters. TCustomDEvari owns one for data and one for annotations and
// forwards its access, count, search and removal operations to them.
#pragma once

#include "../platform/export.h"

#include <algorithm>
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

// TPodStore: contiguous storage of trivially copyable values. It grows with
// realloc, which for large blocks remaps pages instead of copying them:
// appending 10^7 items costs about half of what a std::vector would, and
// capacity that was never written takes no memory.
template <class T>
class TPodStore {
  static_assert(std::is_trivially_copyable_v<T>, "values move as raw bytes");

public:
  TPodStore() noexcept = default;
  TPodStore(const TPodStore& o) : TPodStore() { Assign(o.Data(), o.Size()); }
  TPodStore& operator=(const TPodStore& o) {
    if (this != &o) Assign(o.Data(), o.Size());
    return *this;
  }
  TPodStore(TPodStore&& o) noexcept { Swap(o); }
  TPodStore& operator=(TPodStore&& o) noexcept {
    TPodStore(std::move(o)).Swap(*this);
    return *this;
  }
  ~TPodStore() = default;

  std::size_t Size() const noexcept { return FSize; }
  std::size_t Capacity() const noexcept { return FCap; }
  bool Empty() const noexcept { return FSize == 0; }
  T* Data() noexcept { return FMem.get(); }
  const T* Data() const noexcept { return FMem.get(); }
  std::span<const T> Items() const noexcept { return {FMem.get(), FSize}; }
  std::span<T> Items() noexcept { return {FMem.get(), FSize}; }
  T& operator[](std::size_t i) noexcept { return FMem.get()[i]; }
  const T& operator[](std::size_t i) const noexcept { return FMem.get()[i]; }
  T& Back() noexcept { return FMem.get()[FSize - 1]; }
  const T& Back() const noexcept { return FMem.get()[FSize - 1]; }

  // Room for at least n values; throws std::bad_alloc and keeps everything
  // when memory runs out.
  void Reserve(std::size_t n) {
    if (n > FCap) Reallocate(n);
  }
  // value may be one of this store's own values.
  void PushBack(const T& value) {
    if (FSize == FCap) {
      const T copy = value;  // the storage is about to move
      Reallocate(FCap < 16 ? 16 : FCap * 2);
      std::memcpy(FMem.get() + FSize, &copy, sizeof copy);
    } else {
      std::memcpy(FMem.get() + FSize, &value, sizeof value);
    }
    ++FSize;
  }
  // Appends n values (not from this store); cannot fail when Reserve made
  // room for them before.
  void Append(const T* values, std::size_t n) {
    if (n == 0) return;
    Reserve(FSize + n);
    std::memcpy(FMem.get() + FSize, values, n * sizeof(T));
    FSize += n;
  }
  // Room for n more values, growing geometrically; returns where they go.
  // The caller writes them and then calls Commit(n).
  T* Extend(std::size_t n) {
    if (FSize + n > FCap) Reallocate(std::max(FSize + n, FCap < 8 ? 16 : FCap * 2));
    return FMem.get() + FSize;
  }
  void Commit(std::size_t n) noexcept { FSize += n; }
  // Grows or shrinks to n values; new values are uninitialised bytes that the
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
    std::memmove(FMem.get() + i, FMem.get() + i + 1, (FSize - i - 1) * sizeof(T));
    --FSize;
  }
  // Empties the store and gives its memory back.
  void Release() noexcept {
    FMem.reset();
    FSize = FCap = 0;
  }
  // Forgets the values but keeps the memory for the next ones.
  void Truncate() noexcept { FSize = 0; }
  void Swap(TPodStore& o) noexcept {
    std::swap(FMem, o.FMem);
    std::swap(FSize, o.FSize);
    std::swap(FCap, o.FCap);
  }

private:
  struct TFree {
    void operator()(T* p) const noexcept { std::free(p); }
  };

  void Assign(const T* values, std::size_t n) {
    Reserve(n);  // may throw; nothing changed then
    if (n > 0) std::memcpy(FMem.get(), values, n * sizeof(T));
    FSize = n;
  }
  void Reallocate(std::size_t cap) {
    if (cap > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    void* p = std::realloc(FMem.get(), cap * sizeof(T));
    if (p == nullptr) throw std::bad_alloc();  // the old block is still valid
    (void)FMem.release();
    FMem.reset(static_cast<T*>(p));
    FCap = cap;
  }

  std::unique_ptr<T, TFree> FMem;
  std::size_t FSize = 0, FCap = 0;
};

// The storage of display-list records and of packed vertices.
using TItemStore = TPodStore<TrcChartItem>;
using TXYStore = TPodStore<TXY>;

// True when a and b agree in every byte but x and y (such items can share
// one packed run).
inline bool SameButXY(const TrcChartItem& a, const TrcChartItem& b) noexcept {
  constexpr std::size_t from = offsetof(TrcChartItem, x2);
  return std::memcmp(reinterpret_cast<const char*>(&a) + from,
                     reinterpret_cast<const char*>(&b) + from, sizeof(TrcChartItem) - from) == 0;
}

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

class TRunIndex;

// A stretch of a display list: plain records, or a packed run of items
// that agree in every field but x and y (Template holds those fields once,
// Pts the coordinates). Version changes whenever the stretch does.
struct KVO_API TItemSegment {
  bool Packed = false;
  TItemStore Records;     // !Packed
  TrcChartItem Template{};  // Packed: x and y unused (0)
  TXYStore Pts;           // Packed
  std::uint64_t Version = 0;  // unique in the process: never reused for other contents
  // The run's index (see RunIndex); shared between copies until one of
  // them changes, which then drops its reference.
  mutable std::shared_ptr<TRunIndex> Index;

  // Takes a new version after a change (ptsChanged: of the coordinates too).
  void Changed(bool ptsChanged = true) noexcept;
  // Takes a new version after vertices were appended from index from on.
  void Grew(std::size_t from) noexcept;

  std::size_t Size() const noexcept { return Packed ? Pts.Size() : Records.Size(); }
  // The index of a packed run's vertices (bounds, order, extremes of y by
  // blocks), built on first use and kept up to date as vertices are
  // appended; nullptr for records.
  const TRunIndex* RunIndex() const;

  // Item k of the stretch, expanded to a record.
  TrcChartItem At(std::size_t k) const noexcept {
    if (!Packed) return Records[k];
    TrcChartItem it = Template;
    it.x = Pts[k].x;
    it.y = Pts[k].y;
    return it;
  }
};

class TRcItemContainer;

// The items of a list in order, each as a full record (read access only).
class KVO_API TItemRange {
public:
  class Iterator {
  public:
    using value_type = TrcChartItem;
    using difference_type = std::ptrdiff_t;
    TrcChartItem operator*() const noexcept { return (*FSegs)[FSeg].At(FOfs); }
    Iterator& operator++() noexcept {
      if (++FOfs >= (*FSegs)[FSeg].Size()) ++FSeg, FOfs = 0;
      return *this;
    }
    bool operator==(const Iterator& o) const noexcept { return FSeg == o.FSeg && FOfs == o.FOfs; }

  private:
    friend class TItemRange;
    const std::vector<TItemSegment>* FSegs = nullptr;
    std::size_t FSeg = 0, FOfs = 0;
  };

  explicit TItemRange(const TRcItemContainer& c) noexcept : FList(&c) {}
  Iterator begin() const noexcept;
  Iterator end() const noexcept;
  std::size_t size() const noexcept;
  bool empty() const noexcept { return size() == 0; }
  TrcChartItem operator[](std::size_t i) const noexcept;

private:
  const TRcItemContainer* FList;
};

// One display list. Indexes are 0-based. The allocated count follows the
// chart's growth step exactly (it grows by allocSize when the list is full),
// while the storage behind it grows geometrically, so appending is amortised
// constant time.
//
// Long runs of items that differ only in x and y (a polyline of one pen,
// marks of one style) are stored packed: the run's common fields once and
// 16 bytes per item. Packing is invisible: every accessor returns the same
// records, byte for byte, as if each item were stored whole.
class KVO_API TRcItemContainer {
public:
  // Trailing items that agree but for x and y become a packed run once there
  // are this many of them.
  static constexpr std::size_t kPackAfter = 32;

  // countKinds: keep the 24 per-kind counters (the data container does).
  explicit TRcItemContainer(bool countKinds) noexcept : FCountKinds(countKinds) {}

  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(FCount); }
  std::int32_t Allocated() const noexcept { return FAllocated; }
  bool Empty() const noexcept { return FCount == 0; }
  bool ValidIndex(std::int32_t i) const noexcept { return i >= 0 && i < Count(); }

  TItemRange Items() const noexcept { return TItemRange(*this); }
  // Item i as a record (i must be valid).
  TrcChartItem operator[](std::int32_t i) const noexcept;

  // The stretches of the list in order and the index of each one's first item.
  const std::vector<TItemSegment>& Segments() const noexcept { return FSegs; }
  const std::vector<std::size_t>& SegmentStarts() const noexcept { return FFirst; }
  // Calls f(const TrcChartItem* items, std::size_t n, std::size_t first) for
  // consecutive blocks covering the list in order; packed runs are expanded
  // into a small buffer block by block.
  template <class F>
  void ForEachBlock(F&& f) const {
    std::array<TrcChartItem, 256> buf;
    for (std::size_t s = 0; s < FSegs.size(); ++s) {
      const TItemSegment& seg = FSegs[s];
      if (!seg.Packed) {
        if (!seg.Records.Empty()) f(seg.Records.Data(), seg.Records.Size(), FFirst[s]);
        continue;
      }
      for (std::size_t k = 0; k < seg.Pts.Size(); k += buf.size()) {
        const std::size_t n = std::min(buf.size(), seg.Pts.Size() - k);
        for (std::size_t j = 0; j < n; ++j) {
          buf[j] = seg.Template;
          buf[j].x = seg.Pts[k + j].x;
          buf[j].y = seg.Pts[k + j].y;
        }
        f(buf.data(), n, FFirst[s] + k);
      }
    }
  }

  TLongTextArray& LongTexts() noexcept { return FLongTexts; }
  const TLongTextArray& LongTexts() const noexcept { return FLongTexts; }

  // Per-kind counter (0 for kinds outside 0..23 and for uncounted lists).
  std::int32_t KindCount(TrcItem kind) const noexcept {
    return IsValidItemKind(kind) ? FKindCount[kind] : 0;
  }

  // Appends a copy of item; when the list is full the allocated count first
  // grows by allocSize (at least 1). Counts the item's kind.
  void Append(const TrcChartItem& item, std::int32_t allocSize);
  // Appends n items that are tmpl with the coordinates (x[i], y[i]), at
  // memory speed (as n single appends would leave the list). If memory runs
  // out, nothing changes.
  void AppendRun(const TrcChartItem& tmpl, const double* x, const double* y, std::size_t n,
                 std::int32_t allocSize);

  // Overwrites item i; with moveCount the counter of the old kind loses one
  // and that of the new kind gains one. i must be valid. Throws
  // std::bad_alloc (changing nothing) when splitting a packed run needs
  // memory that is not there.
  void Replace(std::int32_t i, const TrcChartItem& item, bool moveCount);
  // Sets the pen colour of every item of class cls (255: of all items).
  void Recolour(std::uint8_t cls, TColor color) noexcept;

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
  // with the allocated count as n single appends would leave it. Counts
  // their kinds. If memory runs out, nothing changes.
  template <class Make>
  void AppendMany(std::size_t n, const TrcChartItem& proto, std::int32_t allocSize, Make&& make) {
    if (n == 0) return;
    const std::size_t before = FCount;
    try {
      TrcChartItem item;
      for (std::size_t i = 0; i < n; ++i) {
        item = proto;
        make(i, item);
        Push(item);
      }
    } catch (...) {
      TruncateTo(before);
      throw;
    }
    GrowAllocated(allocSize);
  }

  // A point to go back to: Rollback(Mark()) removes what was appended since
  // and restores the allocated count (for all-or-nothing bulk appends).
  struct TMark {
    std::size_t Count;
    std::int32_t Allocated;
  };
  TMark Mark() const noexcept { return {FCount, FAllocated}; }
  void Rollback(const TMark& m) noexcept {
    TruncateTo(m.Count);
    FAllocated = m.Allocated;
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

  // Storage capacity in items (for tests of the growth policy): what the
  // stretches and the memory kept for the next items can hold.
  std::size_t Capacity() const noexcept;
  // Bytes of item storage in use (records, packed vertices, run indexes).
  std::size_t StorageBytes() const noexcept;

private:
  void CountKind(TrcItem kind, std::int32_t delta) noexcept {
    if (FCountKinds && IsValidItemKind(kind)) FKindCount[kind] += delta;
  }
  // Segment holding item i, and i's offset in it.
  std::size_t Locate(std::size_t i, std::size_t& ofs) const noexcept;
  // Appends without touching the allocated count; may throw, changing nothing.
  void Push(const TrcChartItem& item);
  void PackTail();
  // Replaces item ofs of packed run s by a record that does not fit the run.
  void SplitRun(std::size_t s, std::size_t ofs, const TrcChartItem& item);
  void NewSegment(bool packed);
  void GrowAllocated(std::int32_t allocSize) noexcept;
  // Drops items from the end until n are left (n <= Count()).
  void TruncateTo(std::size_t n) noexcept;
  // Drops empty stretches, joins neighbouring record stretches, recomputes
  // the start indexes.
  void Reindex();

  std::vector<TItemSegment> FSegs;
  std::vector<std::size_t> FFirst;
  std::size_t FCount = 0;
  // Trailing records of the last stretch (a record one) that agree with its
  // last record but for x and y.
  std::size_t FTailMatch = 0;
  TItemStore FSpareRecords;  // memory kept by Clear(.., true)
  TXYStore FSparePts;
  std::int32_t FAllocated = 0;
  std::array<std::int32_t, kNumItemKinds> FKindCount{};
  TLongTextArray FLongTexts;
  bool FCountKinds;
};

inline TItemRange::Iterator TItemRange::begin() const noexcept {
  Iterator it;
  it.FSegs = &FList->Segments();
  return it;
}
inline TItemRange::Iterator TItemRange::end() const noexcept {
  Iterator it;
  it.FSegs = &FList->Segments();
  it.FSeg = FList->Segments().size();
  return it;
}
inline std::size_t TItemRange::size() const noexcept { return std::size_t(FList->Count()); }
inline TrcChartItem TItemRange::operator[](std::size_t i) const noexcept {
  return (*FList)[std::int32_t(i)];
}

}  // namespace kvo
