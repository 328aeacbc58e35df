// TGrid2D: the 1-based two-dimensional store behind TMatrix, TIntMatrix and
// TByteMatrix. Column index ix runs 1..NrOfColumns, row index iy 1..NrOfRows.
// Every modifying call fires OnChange once; BeginUpdate/EndUpdate collect the
// changes of many calls into one notification.
#pragma once

#include "../platform/export.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "kvobase.h"

namespace kvo {

// Raised on cell indexes outside the grid ("grid index out of range") and on
// sizes beyond the addressable range ("grid too large").
KVO_API void RaiseGridIndexError(std::int32_t ix, std::int32_t iy, std::int32_t nx, std::int32_t ny);
KVO_API void RaiseGridSizeError();

template <typename T>
class TGrid2D : public TObject {
public:
  TGrid2D() = default;
  // Negative sizes count as 0.
  TGrid2D(std::int32_t nx, std::int32_t ny) { Store(nx < 0 ? 0 : nx, ny < 0 ? 0 : ny); }
  // Copies take the cells, not the OnChange handler; assignment notifies.
  TGrid2D(const TGrid2D& o) : TObject(), FData(o.FData), FNx(o.FNx), FNy(o.FNy) {}
  TGrid2D& operator=(const TGrid2D& o) {
    if (this != &o) {
      FData = o.FData;
      FNx = o.FNx;
      FNy = o.FNy;
      Changed();
    }
    return *this;
  }

  std::int32_t NrOfColumns() const noexcept { return FNx; }
  std::int32_t NrOfRows() const noexcept { return FNy; }
  bool Empty() const noexcept { return FNx == 0 || FNy == 0; }

  // New size; the overlapping cells keep their values, new cells are 0.
  // Negative sizes count as 0.
  void Resize(std::int32_t nx, std::int32_t ny) {
    if (nx < 0) nx = 0;
    if (ny < 0) ny = 0;
    if (nx == FNx && ny == FNy) return;
    Store(nx, ny);
    Changed();
  }
  void Fill(T v) {
    for (auto& c : FData) c = v;
    Changed();
  }
  // Releases the cells (size 0 x 0).
  void Free() { Resize(0, 0); }

  // Throws EKvoError for indexes outside the grid.
  T Get(std::int32_t ix, std::int32_t iy) const {
    Check(ix, iy);
    return FData[Offset(ix, iy)];
  }
  void Set(std::int32_t ix, std::int32_t iy, T v) {
    Check(ix, iy);
    FData[Offset(ix, iy)] = v;
    Changed();
  }
  // Unchecked access for inner loops (indexes must be valid).
  T At(std::int32_t ix, std::int32_t iy) const noexcept { return FData[Offset(ix, iy)]; }
  bool InRange(std::int32_t ix, std::int32_t iy) const noexcept {
    return ix >= 1 && ix <= FNx && iy >= 1 && iy <= FNy;
  }
  // Column-major storage: column 1 rows 1..ny, then column 2, ...
  const std::vector<T>& Data() const noexcept { return FData; }

  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate() {
    if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPending) {
      FPending = false;
      if (OnChange) OnChange(this);
    }
  }

  TNotifyEvent OnChange;

protected:
  void Changed() {
    if (FUpdateDepth > 0) {
      FPending = true;
      return;
    }
    if (OnChange) OnChange(this);
  }
  std::size_t Offset(std::int32_t ix, std::int32_t iy) const noexcept {
    return std::size_t(ix - 1) * std::size_t(FNy) + std::size_t(iy - 1);
  }
  void Check(std::int32_t ix, std::int32_t iy) const {
    if (!InRange(ix, iy)) RaiseGridIndexError(ix, iy, FNx, FNy);
  }
  // Clips a cell range (either corner order) to the grid; false when empty.
  bool ClipRange(std::int32_t& ix1, std::int32_t& iy1, std::int32_t& ix2,
                 std::int32_t& iy2) const noexcept {
    if (ix1 > ix2) std::swap(ix1, ix2);
    if (iy1 > iy2) std::swap(iy1, iy2);
    if (ix1 < 1) ix1 = 1;
    if (iy1 < 1) iy1 = 1;
    if (ix2 > FNx) ix2 = FNx;
    if (iy2 > FNy) iy2 = FNy;
    return ix1 <= ix2 && iy1 <= iy2;
  }

  std::vector<T> FData;

private:
  void Store(std::int32_t nx, std::int32_t ny) {
    const std::size_t cells = std::size_t(nx) * std::size_t(ny);
    if (nx > 0 && cells / std::size_t(nx) != std::size_t(ny)) RaiseGridSizeError();
    std::vector<T> data(cells, T{});
    const std::int32_t cx = nx < FNx ? nx : FNx, cy = ny < FNy ? ny : FNy;
    for (std::int32_t i = 0; i < cx; ++i)
      for (std::int32_t j = 0; j < cy; ++j)
        data[std::size_t(i) * std::size_t(ny) + std::size_t(j)] =
            FData[std::size_t(i) * std::size_t(FNy) + std::size_t(j)];
    FData.swap(data);
    FNx = nx;
    FNy = ny;
  }

  std::int32_t FNx = 0, FNy = 0;
  int FUpdateDepth = 0;
  bool FPending = false;
};

}  // namespace kvo
