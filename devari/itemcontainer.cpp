#include "devari/itemcontainer.h"

#include "devari/runindex_p.h"

#include <algorithm>
#include <atomic>
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

// ---- TItemSegment ------------------------------------------------------------

namespace {
std::atomic<std::uint64_t> gVersions{0};
}  // namespace

void TItemSegment::Changed(bool ptsChanged) noexcept {
  if (ptsChanged) Index.reset();
  Version = ++gVersions;
}

void TItemSegment::Grew(std::size_t from) noexcept {
  Version = ++gVersions;
  if (!Index) return;
  // Another list shares this index (a copy), or it does not end where the
  // new vertices start: build it afresh when it is next needed.
  if (Index.use_count() > 1 || Index->Count() != from) {
    Index.reset();
    return;
  }
  try {
    Index->Append(Pts.Items().subspan(from));
  } catch (const std::bad_alloc&) {
    Index.reset();
  }
}

const TRunIndex* TItemSegment::RunIndex() const {
  if (!Packed) return nullptr;
  if (!Index || Index->Count() != Pts.Size()) Index = std::make_shared<TRunIndex>(Pts.Items());
  return Index.get();
}

// ---- TRcItemContainer --------------------------------------------------------
//
// Invariants: no stretch is empty; FFirst[s] is the index of stretch s's
// first item; only the last stretch grows by appends.

TrcChartItem TRcItemContainer::operator[](std::int32_t i) const noexcept {
  std::size_t ofs = 0;
  const std::size_t s = Locate(std::size_t(i), ofs);
  return FSegs[s].At(ofs);
}

std::size_t TRcItemContainer::Locate(std::size_t i, std::size_t& ofs) const noexcept {
  std::size_t s = FSegs.size() - 1;
  if (i < FFirst[s]) s = std::size_t(std::upper_bound(FFirst.begin(), FFirst.end(), i) - FFirst.begin()) - 1;
  ofs = i - FFirst[s];
  return s;
}

void TRcItemContainer::NewSegment(bool packed) {
  FSegs.emplace_back();  // may throw; nothing changed then
  try {
    FFirst.push_back(FCount);
  } catch (...) {
    FSegs.pop_back();
    throw;
  }
  TItemSegment& seg = FSegs.back();
  seg.Packed = packed;
  // Memory kept from a cleared list goes to the first stretch that can use it.
  if (packed) seg.Pts.Swap(FSparePts);
  else seg.Records.Swap(FSpareRecords);
  FTailMatch = 0;
}

void TRcItemContainer::Push(const TrcChartItem& item) {
  if (!FSegs.empty()) {
    TItemSegment& last = FSegs.back();
    if (last.Packed && SameButXY(item, last.Template)) {
      last.Pts.PushBack({item.x, item.y});
      last.Grew(last.Pts.Size() - 1);
      ++FCount;
      CountKind(item.ItemKind, +1);
      return;
    }
  }
  const bool fresh = FSegs.empty() || FSegs.back().Packed;
  if (fresh) NewSegment(false);
  TItemStore& recs = FSegs.back().Records;
  try {
    const bool matches = !recs.Empty() && SameButXY(item, recs.Back());
    recs.PushBack(item);
    FTailMatch = matches ? FTailMatch + 1 : 1;
  } catch (...) {
    if (fresh) {
      FSegs.back().Records.Swap(FSpareRecords);
      FSegs.pop_back();
      FFirst.pop_back();
    }
    throw;
  }
  FSegs.back().Changed();
  ++FCount;
  CountKind(item.ItemKind, +1);
  if (FTailMatch >= kPackAfter) {
    try {
      PackTail();
    } catch (const std::bad_alloc&) {
      FTailMatch = 0;  // stays records; packing is only a saving
    }
  }
}

void TRcItemContainer::PackTail() {
  TItemStore& recs = FSegs.back().Records;
  const std::size_t n = FTailMatch, keep = recs.Size() - n;
  TItemSegment run;
  run.Packed = true;
  run.Template = recs.Back();
  run.Template.x = run.Template.y = 0;
  run.Pts.Swap(FSparePts);
  run.Pts.Reserve(std::max<std::size_t>(n * 2, 64));
  for (std::size_t k = keep; k < recs.Size(); ++k) run.Pts.PushBack({recs[k].x, recs[k].y});
  if (keep == 0) {
    run.Changed();
    recs.Truncate();
    FSpareRecords.Swap(recs);
    FSegs.back() = std::move(run);
  } else {
    FFirst.reserve(FFirst.size() + 1);
    FSegs.push_back(std::move(run));  // may throw; the records are still whole
    FFirst.push_back(FCount - n);
    FSegs[FSegs.size() - 2].Records.Truncate(keep);
    FSegs[FSegs.size() - 2].Changed();
    FSegs.back().Changed();
  }
  FTailMatch = 0;
}

void TRcItemContainer::GrowAllocated(std::int32_t allocSize) noexcept {
  const std::int64_t step = std::max<std::int32_t>(allocSize, 1);
  const std::int64_t count = Count();
  if (count > FAllocated)
    FAllocated = std::int32_t(FAllocated + (count - FAllocated + step - 1) / step * step);
}

void TRcItemContainer::Append(const TrcChartItem& item, std::int32_t allocSize) {
  // The reported allocation grows in steps of allocSize; the storage grows
  // geometrically on its own, which keeps long appends linear.
  const std::int32_t newAllocated =
      Count() >= FAllocated ? FAllocated + std::max<std::int32_t>(allocSize, 1) : FAllocated;
  Push(item);  // may throw bad_alloc; nothing changed then
  FAllocated = newAllocated;
}

void TRcItemContainer::AppendRun(const TrcChartItem& tmpl, const double* x, const double* y,
                                 std::size_t n, std::int32_t allocSize) {
  if (n == 0) return;
  if (n < kPackAfter) {
    AppendMany(n, tmpl, allocSize, [&](std::size_t i, TrcChartItem& it) {
      it.x = x[i];
      it.y = y[i];
    });
    return;
  }
  TrcChartItem key = tmpl;
  key.x = key.y = 0;
  const bool extend = !FSegs.empty() && FSegs.back().Packed && SameButXY(key, FSegs.back().Template);
  if (!extend) {
    NewSegment(true);
    FSegs.back().Template = key;
  }
  TXYStore& dst = FSegs.back().Pts;
  try {
    TXY* out = dst.Extend(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = {x[i], y[i]};
  } catch (...) {
    if (!extend) {
      FSegs.back().Pts.Swap(FSparePts);
      FSegs.pop_back();
      FFirst.pop_back();
    }
    throw;
  }
  dst.Commit(n);
  FSegs.back().Grew(dst.Size() - n);
  FCount += n;
  if (FCountKinds && IsValidItemKind(tmpl.ItemKind)) FKindCount[tmpl.ItemKind] += std::int32_t(n);
  GrowAllocated(allocSize);
}

void TRcItemContainer::Replace(std::int32_t i, const TrcChartItem& item, bool moveCount) {
  if (!ValidIndex(i)) return;
  std::size_t ofs = 0;
  const std::size_t s = Locate(std::size_t(i), ofs);
  TItemSegment& seg = FSegs[s];
  const TrcItem oldKind = seg.Packed ? seg.Template.ItemKind : seg.Records[ofs].ItemKind;
  if (!seg.Packed) {
    seg.Records[ofs] = item;
    seg.Changed();
    if (s + 1 == FSegs.size()) FTailMatch = 0;
  } else if (SameButXY(item, seg.Template)) {
    seg.Pts[ofs] = {item.x, item.y};
    seg.Changed();
  } else {
    SplitRun(s, ofs, item);
  }
  if (moveCount) {
    CountKind(oldKind, -1);
    CountKind(item.ItemKind, +1);
  }
}

void TRcItemContainer::SplitRun(std::size_t s, std::size_t ofs, const TrcChartItem& item) {
  // The part before, the new record, the part after. Short parts become
  // records so that scattered changes cannot leave a list of tiny runs.
  const TItemSegment& seg = FSegs[s];
  std::vector<TItemSegment> parts;
  auto part = [&](std::size_t from, std::size_t to) {
    if (from >= to) return;
    TItemSegment p;
    if (to - from >= kPackAfter) {
      p.Packed = true;
      p.Template = seg.Template;
      p.Pts.Append(seg.Pts.Data() + from, to - from);
    } else {
      p.Records.Reserve(to - from);
      for (std::size_t k = from; k < to; ++k) p.Records.PushBack(seg.At(k));
    }
    parts.push_back(std::move(p));
  };
  part(0, ofs);
  TItemSegment mid;
  mid.Records.PushBack(item);
  parts.push_back(std::move(mid));
  part(ofs + 1, seg.Size());
  FSegs.reserve(FSegs.size() + parts.size());
  FFirst.reserve(FSegs.size() + parts.size());
  // Commit (nothing below throws: the vectors have room).
  for (auto& p : parts) p.Changed();
  FSegs.erase(FSegs.begin() + std::ptrdiff_t(s));
  FSegs.insert(FSegs.begin() + std::ptrdiff_t(s), std::make_move_iterator(parts.begin()),
               std::make_move_iterator(parts.end()));
  Reindex();
}

void TRcItemContainer::Reindex() {
  std::size_t out = 0;
  for (std::size_t s = 0; s < FSegs.size(); ++s) {
    if (FSegs[s].Size() == 0) continue;
    if (out > 0 && !FSegs[out - 1].Packed && !FSegs[s].Packed) {
      // Joining may need memory; when there is none the stretches stay apart.
      try {
        FSegs[out - 1].Records.Append(FSegs[s].Records.Data(), FSegs[s].Records.Size());
        FSegs[out - 1].Changed();
        continue;
      } catch (const std::bad_alloc&) {
      }
    }
    if (out != s) FSegs[out] = std::move(FSegs[s]);
    ++out;
  }
  FSegs.resize(out);
  FFirst.resize(out);
  std::size_t first = 0;
  for (std::size_t s = 0; s < out; ++s) {
    FFirst[s] = first;
    first += FSegs[s].Size();
  }
  FTailMatch = 0;
}

void TRcItemContainer::Recolour(std::uint8_t cls, TColor color) noexcept {
  for (TItemSegment& seg : FSegs) {
    if (seg.Packed) {
      if (cls == 255 || seg.Template.ItemClass == cls) seg.Template.Color = color;
    } else {
      for (TrcChartItem& it : seg.Records.Items())
        if (cls == 255 || it.ItemClass == cls) it.Color = color;
    }
    seg.Changed(false);
  }
  FTailMatch = 0;
}

void TRcItemContainer::RemoveAt(std::int32_t i) noexcept {
  if (!ValidIndex(i)) return;
  if (Count() == 1) {
    Clear(false);
    return;
  }
  std::size_t ofs = 0;
  const std::size_t s = Locate(std::size_t(i), ofs);
  TItemSegment& seg = FSegs[s];
  CountKind(seg.Packed ? seg.Template.ItemKind : seg.Records[ofs].ItemKind, -1);
  if (seg.Packed) seg.Pts.Erase(ofs);
  else seg.Records.Erase(ofs);
  seg.Changed();
  --FCount;
  if (seg.Size() == 0) {
    FSegs.erase(FSegs.begin() + std::ptrdiff_t(s));
    FFirst.erase(FFirst.begin() + std::ptrdiff_t(s));
  }
  for (std::size_t k = s + 1; k < FFirst.size(); ++k) --FFirst[k];
  if (s + 1 >= FSegs.size()) FTailMatch = 0;
}

void TRcItemContainer::RemoveLast() noexcept {
  if (FCount == 0) return;
  if (FCount == 1) {
    Clear(false);
    return;
  }
  TItemSegment& seg = FSegs.back();
  CountKind(seg.Packed ? seg.Template.ItemKind : seg.Records.Back().ItemKind, -1);
  if (seg.Packed) seg.Pts.PopBack();
  else seg.Records.PopBack();
  seg.Changed();
  --FCount;
  if (seg.Size() == 0) {
    FSegs.pop_back();
    FFirst.pop_back();
  }
  FTailMatch = 0;
}

void TRcItemContainer::TruncateTo(std::size_t n) noexcept {
  while (FCount > n) {
    TItemSegment& seg = FSegs.back();
    const std::size_t drop = std::min(FCount - n, seg.Size());
    const TrcItem kind = seg.Packed ? seg.Template.ItemKind : tkNone;
    for (std::size_t k = seg.Size() - drop; k < seg.Size(); ++k)
      CountKind(seg.Packed ? kind : seg.Records[k].ItemKind, -1);
    if (seg.Packed) seg.Pts.Truncate(seg.Size() - drop);
    else seg.Records.Truncate(seg.Size() - drop);
    seg.Changed();
    FCount -= drop;
    if (seg.Size() == 0) {
      FSegs.pop_back();
      FFirst.pop_back();
    }
  }
  FTailMatch = 0;
}

std::int32_t TRcItemContainer::RemoveIf(const std::function<bool(const TrcChartItem&)>& pred) {
  // The survivors are appended to a fresh list, which packs them anew; the
  // old list stays whole until that succeeded.
  TRcItemContainer kept(FCountKinds);
  ForEachBlock([&](const TrcChartItem* items, std::size_t n, std::size_t) {
    for (std::size_t k = 0; k < n; ++k)
      if (!pred(items[k])) kept.Push(items[k]);
  });
  const auto removed = static_cast<std::int32_t>(FCount - kept.FCount);
  if (removed == 0) return 0;
  FSegs.swap(kept.FSegs);
  FFirst.swap(kept.FFirst);
  FCount = kept.FCount;
  FKindCount = kept.FKindCount;
  FTailMatch = kept.FTailMatch;
  for (TItemSegment& seg : FSegs) seg.Changed();
  return removed;
}

void TRcItemContainer::Clear(bool clearLongTexts, bool keepMemory) noexcept {
  if (keepMemory) {
    // Keep the largest block of each kind for the next items.
    for (TItemSegment& seg : FSegs) {
      if (seg.Packed && seg.Pts.Capacity() > FSparePts.Capacity()) FSparePts.Swap(seg.Pts);
      if (!seg.Packed && seg.Records.Capacity() > FSpareRecords.Capacity()) FSpareRecords.Swap(seg.Records);
    }
    FSparePts.Truncate();
    FSpareRecords.Truncate();
  } else {
    FSparePts.Release();
    FSpareRecords.Release();
  }
  FSegs.clear();
  FFirst.clear();
  if (!keepMemory) {
    std::vector<TItemSegment>().swap(FSegs);
    std::vector<std::size_t>().swap(FFirst);
  }
  FCount = 0;
  FTailMatch = 0;
  FAllocated = 0;
  FKindCount.fill(0);
  if (clearLongTexts) FLongTexts.Clear();
}

std::size_t TRcItemContainer::Capacity() const noexcept {
  std::size_t n = FSparePts.Capacity() + FSpareRecords.Capacity();
  for (const TItemSegment& seg : FSegs) n += seg.Packed ? seg.Pts.Capacity() : seg.Records.Capacity();
  return n;
}

std::size_t TRcItemContainer::StorageBytes() const noexcept {
  std::size_t n = FSegs.capacity() * sizeof(TItemSegment) + FFirst.capacity() * sizeof(std::size_t);
  for (const TItemSegment& seg : FSegs) {
    n += seg.Packed ? seg.Pts.Size() * sizeof(TXY) : seg.Records.Size() * sizeof(TrcChartItem);
    if (seg.Index) n += seg.Index->MemoryBytes();
  }
  return n;
}

std::int32_t TRcItemContainer::Search(std::int32_t start, std::int32_t tag, std::uint32_t tagMask,
                                      std::uint8_t itemClass, TrcItem kind) const noexcept {
  if (start < 0 || start >= Count()) return -1;
  std::size_t ofs = 0;
  for (std::size_t s = Locate(std::size_t(start), ofs); s < FSegs.size(); ++s, ofs = 0) {
    const TItemSegment& seg = FSegs[s];
    if (seg.Packed) {
      // Every item of a run matches or none does.
      if (ItemMatches(seg.Template, tag, tagMask, itemClass, kind)) return std::int32_t(FFirst[s] + ofs);
      continue;
    }
    for (std::size_t k = ofs; k < seg.Records.Size(); ++k)
      if (ItemMatches(seg.Records[k], tag, tagMask, itemClass, kind)) return std::int32_t(FFirst[s] + k);
  }
  return -1;
}

std::int32_t TRcItemContainer::CountMatching(std::int32_t tag, std::uint32_t tagMask,
                                             std::uint8_t itemClass, TrcItem kind) const noexcept {
  std::int32_t n = 0;
  for (const TItemSegment& seg : FSegs) {
    if (seg.Packed) {
      if (ItemMatches(seg.Template, tag, tagMask, itemClass, kind)) n += std::int32_t(seg.Pts.Size());
      continue;
    }
    for (const auto& it : seg.Records.Items()) n += ItemMatches(it, tag, tagMask, itemClass, kind) ? 1 : 0;
  }
  return n;
}

std::array<std::int32_t, 256> TRcItemContainer::ClassHistogram() const noexcept {
  std::array<std::int32_t, 256> h{};
  for (const TItemSegment& seg : FSegs) {
    if (seg.Packed) h[seg.Template.ItemClass] += std::int32_t(seg.Pts.Size());
    else
      for (const auto& it : seg.Records.Items()) ++h[it.ItemClass];
  }
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
  TrcChartItem item = (*this)[i];
  if (!IsTextKind(item.ItemKind)) return;
  SetShortText(item, text);
  if (!NeedsLongText(text)) {
    item.LWid = 0;  // a slot the item held stays allocated, unreferenced
  } else if (item.LWid >= 1 && item.LWid <= FLongTexts.Used()) {
    FLongTexts.SetSlot(item.LWid, text);
  } else {
    item.LWid = FLongTexts.Take(text);
  }
  Replace(i, item, false);
}

void TRcItemContainer::AdoptLoaded(TLoadedItems&& loaded, bool append) {
  // Build the new long-text table first: it is a step that can fail, and it
  // leaves the list untouched when it does.
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
  if (append) {
    const std::size_t before = FCount;
    try {
      for (const auto& rec : loaded.Records.Items()) Push(rec);
    } catch (...) {
      TruncateTo(before);
      throw;
    }
  } else {
    TRcItemContainer fresh(FCountKinds);
    for (const auto& rec : loaded.Records.Items()) fresh.Push(rec);
    FSegs.swap(fresh.FSegs);
    FFirst.swap(fresh.FFirst);
    FCount = fresh.FCount;
    FKindCount = fresh.FKindCount;
    FTailMatch = fresh.FTailMatch;
  }
  FLongTexts = std::move(texts);
  FAllocated = Count();
}

}  // namespace kvo
