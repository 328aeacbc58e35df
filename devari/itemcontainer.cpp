#include "devari/itemcontainer.h"

#include <algorithm>
#include <utility>

namespace kvo {

// ---- TLongTextArray ----------------------------------------------------------

const std::string& TLongTextArray::Slot(std::int32_t n) const noexcept {
  static const std::string kEmpty;
  return n >= 1 && n <= Capacity ? FSlots[std::size_t(n - 1)] : kEmpty;
}

void TLongTextArray::SetSlot(std::int32_t n, std::string text) {
  if (n >= 1 && n <= FUsed) FSlots[std::size_t(n - 1)] = std::move(text);
}

std::int32_t TLongTextArray::Take(std::string text) {
  if (Full()) return 0;
  FSlots[std::size_t(FUsed)] = std::move(text);
  return ++FUsed;
}

void TLongTextArray::Clear() noexcept {
  for (auto& s : FSlots) std::string().swap(s);
  FUsed = 0;
}

// ---- matching ----------------------------------------------------------------

bool ItemMatches(const TrcChartItem& item, std::int32_t tag, std::uint32_t tagMask,
                 std::uint8_t itemClass, TrcItem kind) noexcept {
  if (tagMask != 0 &&
      (static_cast<std::uint32_t>(item.Tag) & tagMask) != (static_cast<std::uint32_t>(tag) & tagMask))
    return false;
  if (kind != tkEverything && kind != item.ItemKind) return false;
  return itemClass == 255 || itemClass == item.ItemClass;
}

// ---- TRcItemContainer --------------------------------------------------------

void TRcItemContainer::Append(const TrcChartItem& item, std::int32_t allocSize) {
  // The reported allocation grows in steps of allocSize; the vector below
  // grows geometrically on its own, which keeps long appends linear.
  const std::int32_t newAllocated =
      Count() >= FAllocated ? FAllocated + std::max<std::int32_t>(allocSize, 1) : FAllocated;
  const TrcItem kind = item.ItemKind;  // item may be one of ours, moved by the push
  FItems.PushBack(item);  // may throw bad_alloc; nothing changed then
  FAllocated = newAllocated;
  CountKind(kind, +1);
}

void TRcItemContainer::Replace(std::int32_t i, const TrcChartItem& item, bool moveCount) noexcept {
  if (!ValidIndex(i)) return;
  if (moveCount) CountKind(FItems[std::size_t(i)].ItemKind, -1);
  FItems[std::size_t(i)] = item;
  if (moveCount) CountKind(item.ItemKind, +1);
}

void TRcItemContainer::RemoveAt(std::int32_t i) noexcept {
  if (!ValidIndex(i)) return;
  if (Count() == 1) {
    Clear(false);
    return;
  }
  CountKind(FItems[std::size_t(i)].ItemKind, -1);
  FItems.Erase(std::size_t(i));
}

void TRcItemContainer::RemoveLast() noexcept {
  if (FItems.Empty()) return;
  CountKind(FItems.Back().ItemKind, -1);
  FItems.PopBack();
  if (FItems.Empty()) Clear(false);
}

std::int32_t TRcItemContainer::RemoveIf(const std::function<bool(const TrcChartItem&)>& pred) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < FItems.Size(); ++i) {
    if (pred(FItems[i])) {
      CountKind(FItems[i].ItemKind, -1);
    } else {
      if (kept != i) FItems[kept] = FItems[i];
      ++kept;
    }
  }
  const auto removed = static_cast<std::int32_t>(FItems.Size() - kept);
  FItems.Truncate(kept);
  return removed;
}

void TRcItemContainer::Clear(bool clearLongTexts, bool keepMemory) noexcept {
  if (keepMemory) FItems.Truncate();
  else FItems.Release();  // give the memory back
  FAllocated = 0;
  FKindCount.fill(0);
  if (clearLongTexts) FLongTexts.Clear();
}

std::int32_t TRcItemContainer::Search(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                                      std::uint8_t itemClass, TrcItem kind) const noexcept {
  if (start < 0) return -1;
  for (std::int32_t i = start; i < Count(); ++i)
    if (ItemMatches(FItems[std::size_t(i)], tag, tagMask, itemClass, kind)) return i;
  return -1;
}

std::int32_t TRcItemContainer::CountMatching(std::int32_t tag, std::uint32_t tagMask,
                                             std::uint8_t itemClass, TrcItem kind) const noexcept {
  std::int32_t n = 0;
  for (const auto& it : FItems.Items()) n += ItemMatches(it, tag, tagMask, itemClass, kind) ? 1 : 0;
  return n;
}

std::array<std::int32_t, 256> TRcItemContainer::ClassHistogram() const noexcept {
  std::array<std::int32_t, 256> h{};
  for (const auto& it : FItems.Items()) ++h[it.ItemClass];
  return h;
}

std::string TRcItemContainer::FullText(const TrcChartItem& item) const {
  if (!IsTextKind(item.ItemKind)) return {};
  // A slot number that this table never handed out (a record set from
  // outside) falls back to the record's own text.
  if (item.LWid >= 1 && item.LWid <= FLongTexts.Used()) return FLongTexts.Slot(item.LWid);
  return ShortText(item);
}

void TRcItemContainer::SetFullText(std::int32_t i, const std::string& text) {
  if (!ValidIndex(i)) return;
  TrcChartItem& item = FItems[std::size_t(i)];
  if (!IsTextKind(item.ItemKind)) return;
  SetShortText(item, text);
  if (!NeedsLongText(text)) {
    item.LWid = 0;  // a slot the item held stays allocated, unreferenced
    return;
  }
  if (item.LWid >= 1 && item.LWid <= FLongTexts.Used())
    FLongTexts.SetSlot(item.LWid, text);
  else
    item.LWid = FLongTexts.Take(text);
}

void TRcItemContainer::AdoptLoaded(TLoadedItems&& loaded, bool append) {
  // Build the new long-text table and reserve the storage first: these are
  // the steps that can fail, and they leave the list untouched when they do.
  TLongTextArray texts = append ? FLongTexts : TLongTextArray{};
  // Our slot for each line of the file (0: none yet). Records that name
  // the same line (copied labels) share one slot here as they did in the
  // saving chart.
  std::vector<std::int32_t> slotOfLine(loaded.Lines.size(), 0);
  for (auto& rec : loaded.Records.Items()) {
    if (!IsTextKind(rec.ItemKind) || rec.LWid == 0) continue;
    // The record names the saving chart's slot; that slot's text is line
    // LWid of the file. Map it to a slot of our own.
    const std::int32_t s = rec.LWid;
    if (s < 1 || std::size_t(s) > loaded.Lines.size()) {
      rec.LWid = 0;
      continue;
    }
    std::int32_t& mine = slotOfLine[std::size_t(s - 1)];
    if (mine == 0) mine = texts.Take(std::move(loaded.Lines[std::size_t(s - 1)]));
    rec.LWid = mine;
  }
  std::array<std::int32_t, kNumItemKinds> counts{};
  if (append) counts = FKindCount;
  if (FCountKinds)
    for (const auto& rec : loaded.Records.Items())
      if (IsValidItemKind(rec.ItemKind)) ++counts[rec.ItemKind];
  if (append) FItems.Reserve(FItems.Size() + loaded.Records.Size());

  // Commit (no throwing operations from here on: the storage is reserved).
  if (append)
    FItems.Append(loaded.Records.Data(), loaded.Records.Size());
  else
    FItems.Swap(loaded.Records);
  FLongTexts = std::move(texts);
  FKindCount = counts;
  FAllocated = Count();
}

}  // namespace kvo
