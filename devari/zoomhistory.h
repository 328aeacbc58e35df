/// @file
/// TZoomHistory: the chart's recent world rectangles, a ring of 16 entries
/// per layer (1..16) with one write position shared by both layers. An
/// entry holds (X low, Y high, X high, Y low) as left, top, right, bottom;
/// an all-zero entry is empty.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>

#include "../libs/kvobase.h"

namespace kvo {

class KVO_API TZoomHistory {
public:
  static constexpr std::int32_t Depth = 16;

  /// Empties every entry; the next save writes entry 1.
  void Clear() noexcept {
    for (auto& layer : FStack) layer.fill(TRectDouble{});
    FPoi = 1;
  }
  /// Writes both layers' rectangles at the write position and advances it,
  /// wrapping from 16 to 1 (the oldest entry is overwritten).
  void Save(const TRectDouble& layer1, const TRectDouble& layer2) noexcept {
    FStack[1][std::size_t(FPoi)] = layer1;
    FStack[2][std::size_t(FPoi)] = layer2;
    FPoi = FPoi == Depth ? 1 : FPoi + 1;
  }
  /// Overwrites the last saved entry (a burst of small changes, such as wheel
  /// notches, is one state); saves anew when nothing was saved yet.
  void ReplaceLast(const TRectDouble& layer1, const TRectDouble& layer2) noexcept {
    const std::int32_t last = FPoi == 1 ? Depth : FPoi - 1;
    if (FStack[1][std::size_t(last)] == TRectDouble{} && FStack[2][std::size_t(last)] == TRectDouble{}) {
      Save(layer1, layer2);
      return;
    }
    FStack[1][std::size_t(last)] = layer1;
    FStack[2][std::size_t(last)] = layer2;
  }
  /// The entry `index` steps back from the last save (0 the last, -15 the
  /// oldest); an empty rectangle for indexes outside -15..0 or other layers.
  TRectDouble Entry(std::int32_t layer, std::int32_t index) const noexcept {
    if ((layer != 1 && layer != 2) || index < -(Depth - 1) || index > 0) return {};
    std::int32_t e = FPoi + index - 1;
    if (e < 1) e += Depth;
    return FStack[std::size_t(layer)][std::size_t(e)];
  }
  std::int32_t WritePosition() const noexcept { return FPoi; }
  bool operator==(const TZoomHistory&) const noexcept = default;

private:
  std::array<std::array<TRectDouble, Depth + 1>, 3> FStack{};  ///< [layer][1..16]
  std::int32_t FPoi = 1;
};

}  // namespace kvo
