// Colour interpolation, the predefined colours and TColorArray.
#include "libs/kvocolors.h"

#include <algorithm>
#include <cmath>

#include "platform/numeric.h"

namespace kvo {

namespace {
std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, double t) noexcept {
  const double v = double(a) + t * (double(b) - double(a));
  return std::uint8_t(ClampToRange(Round(v), 0, 255));
}
}  // namespace

TColor InterpolateColor(TColor c1, TColor c2, double t) noexcept {
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  if (std::isnan(t)) return a;
  t = ClampToRange(t, 0.0, 1.0);
  return RGBColor(MixChannel(GetRValue(a), GetRValue(b), t),
                  MixChannel(GetGValue(a), GetGValue(b), t),
                  MixChannel(GetBValue(a), GetBValue(b), t));
}

std::int32_t ColorDistanceSq(TColor a, TColor b) noexcept {
  const TColor x = ColorToRGB(a), y = ColorToRGB(b);
  const std::int32_t dr = GetRValue(x) - GetRValue(y), dg = GetGValue(x) - GetGValue(y),
                     db = GetBValue(x) - GetBValue(y);
  return dr * dr + dg * dg + db * db;
}

const std::array<TColor, 16>& PredefinedColors() noexcept {
  // Dark, saturated colours first: they serve as axis and text colours on
  // white; the later ones stay distinct from each other and from the first.
  static const std::array<TColor, 16> table = {
      RGBColor(0, 0, 160),     RGBColor(176, 0, 0),     RGBColor(0, 128, 0),
      RGBColor(128, 0, 128),   RGBColor(0, 128, 128),   RGBColor(200, 100, 0),
      RGBColor(80, 80, 80),    RGBColor(0, 96, 255),    RGBColor(255, 0, 96),
      RGBColor(96, 200, 0),    RGBColor(255, 0, 255),   RGBColor(0, 200, 200),
      RGBColor(128, 96, 0),    RGBColor(160, 160, 255), RGBColor(255, 160, 64),
      RGBColor(176, 176, 176)};
  return table;
}

TColor PredefinedColor(std::int32_t index) noexcept {
  std::int64_t i = (std::int64_t(index) - 1) % 16;
  if (i < 0) i += 16;
  return PredefinedColors()[std::size_t(i)];
}

namespace {
constexpr TColor kSpectrum[] = {RGBColor(0, 0, 128), RGBColor(0, 0, 255), RGBColor(0, 255, 255),
                                RGBColor(0, 192, 0), RGBColor(255, 255, 0), RGBColor(255, 0, 0)};
}  // namespace

TColorArray::TColorArray() : FColors(std::size_t(kDefaultColorCount), clBlack) {
  FillByInterpolation(cipLinear, kSpectrum);
}

void TColorArray::FillDefault() {
  FColors.assign(std::size_t(kDefaultColorCount), clBlack);
  FillByInterpolation(cipLinear, kSpectrum);
}

TColorArray::TColorArray(std::int32_t size) {
  if (size > 0) FColors.assign(std::size_t(size), clBlack);
}

void TColorArray::Changed() {
  if (FUpdateDepth > 0) {
    FPending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TColorArray::EndUpdate() {
  if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPending) {
    FPending = false;
    if (OnChange) OnChange(this);
  }
}

void TColorArray::SetSize(std::int32_t n) {
  if (n < 0) n = 0;
  if (std::size_t(n) == FColors.size()) return;
  FColors.resize(std::size_t(n), clBlack);
  Changed();
}

TColor TColorArray::GetColorElem(std::int32_t index) const noexcept {
  if (FColors.empty()) return clBlack;
  index = ClampToRange(index, 1, NumColors());
  return FColors[std::size_t(index - 1)];
}

void TColorArray::SetColorElem(std::int32_t index, TColor c) {
  if (index < 1 || index > NumColors()) return;
  TColor& slot = FColors[std::size_t(index - 1)];
  if (slot == c) return;
  slot = c;
  Changed();
}

void TColorArray::FillByInterpolation(TColorInterpolation mode, std::span<const TColor> anchors) {
  if (anchors.empty() || FColors.empty()) return;
  const std::size_t n = FColors.size(), m = anchors.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (m == 1) {
      FColors[i] = anchors[0];
      continue;
    }
    if (mode == cipSteps) {
      // Band k covers entries with k = floor(i * m / n).
      FColors[i] = anchors[std::min(m - 1, i * m / n)];
      continue;
    }
    // Position of entry i on the anchor axis 0 .. m-1.
    const double pos = n == 1 ? 0.0 : double(i) * double(m - 1) / double(n - 1);
    std::size_t k = std::size_t(pos);
    if (k >= m - 1) k = m - 2;
    FColors[i] = InterpolateColor(anchors[k], anchors[k + 1], pos - double(k));
  }
  Changed();
}

void TColorArray::CopyFrom(const TColorArray& src) {
  if (&src == this || src.FColors == FColors) return;
  FColors = src.FColors;
  Changed();
}

std::int32_t TColorArray::ColorToIndex(TColor c) const noexcept {
  std::int32_t best = 0, bestDist = 0;
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    const std::int32_t d = ColorDistanceSq(c, FColors[i]);
    if (best == 0 || d < bestDist) {
      best = std::int32_t(i + 1);
      bestDist = d;
      if (d == 0) break;
    }
  }
  return best;
}

}  // namespace kvo
