// Colour tables and colour arithmetic.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "../platform/types.h"

namespace kvo {

// Mixes two colours channel by channel: c1 + t * (c2 - c1), each channel
// rounded (halves to even). t is clamped into 0..1; NaN gives c1. System
// colours are resolved first.
KVO_API TColor InterpolateColor(TColor c1, TColor c2, double t) noexcept;

// Squared distance of two colours in RGB space (system colours resolved).
KVO_API std::int32_t ColorDistanceSq(TColor a, TColor b) noexcept;

// Sixteen clearly distinct colours. Entries 1 and 2 (navy-blue and dark red)
// are the axis colours of chart layers 1 and 2.
KVO_API const std::array<TColor, 16>& PredefinedColors() noexcept;
// Entry 1..16 of PredefinedColors; other indexes wrap around (0 gives 16).
KVO_API TColor PredefinedColor(std::int32_t index) noexcept;

// How FillByInterpolation spreads the anchors over the table.
enum TColorInterpolation : std::uint8_t {
  cipLinear = 0,  // anchors at equal distances, linear blending between them
  cipSteps = 1,   // equal bands, each in one anchor colour
};

// Number of entries of the standard spectrum (FillDefault).
inline constexpr std::int32_t kDefaultColorCount = 256;

// A 1-based table of colours (entries 1..NumColors). Every change fires
// OnChange (once per call, or once per BeginUpdate/EndUpdate bracket).
class KVO_API TColorArray : public TObject {
public:
  // The standard spectrum: 256 entries from dark blue through blue, cyan,
  // green and yellow to red (FillDefault).
  TColorArray();
  // `size` black entries; TColorArray(0) is an empty table.
  explicit TColorArray(std::int32_t size);
  // Copies take the colours, not the OnChange handler; assignment is CopyFrom.
  TColorArray(const TColorArray& o) : TObject(), FColors(o.FColors) {}
  TColorArray& operator=(const TColorArray& o) {
    CopyFrom(o);
    return *this;
  }

  std::int32_t NumColors() const noexcept { return std::int32_t(FColors.size()); }
  // New entries are black; existing ones are kept. Negative sizes give 0.
  void SetSize(std::int32_t n);
  // Index clamped into 1..NumColors (so 0 reads entry 1); an empty table gives black.
  TColor GetColorElem(std::int32_t index) const noexcept;
  // Indexes outside 1..NumColors are ignored.
  void SetColorElem(std::int32_t index, TColor c);
  // Fills all entries through the anchor colours (first anchor at entry 1,
  // last at entry NumColors). One anchor fills the table with it; no anchors
  // or an empty table change nothing.
  void FillByInterpolation(TColorInterpolation mode, std::span<const TColor> anchors);
  void FillByInterpolation(TColorInterpolation mode, std::initializer_list<TColor> anchors) {
    FillByInterpolation(mode, std::span<const TColor>(anchors.begin(), anchors.size()));
  }
  // Replaces the table by the standard spectrum (kDefaultColorCount entries).
  void FillDefault();
  // Same size and entries as src.
  void CopyFrom(const TColorArray& src);
  // Index (1-based) of the entry nearest to c in RGB space; of equally near
  // entries the first wins. 0 for an empty table.
  std::int32_t ColorToIndex(TColor c) const noexcept;
  const std::vector<TColor>& Colors() const noexcept { return FColors; }

  // Collects changes: OnChange fires once at the matching EndUpdate if
  // anything changed in between. Calls nest.
  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate();

  TNotifyEvent OnChange;

private:
  void Changed();
  std::vector<TColor> FColors;
  int FUpdateDepth = 0;
  bool FPending = false;
};

}  // namespace kvo
