#include "platform/graphics.h"

#include <cmath>

#include "platform/numeric.h"

namespace kvo {

std::int32_t TFontData::PixelHeight() const noexcept {
  const double px = std::fabs(Size) * PixelsPerInch / 72.0;
  const std::int32_t h = Round(px);
  // The font engine takes at most 65535 pixels per em (larger sizes fail
  // inside it and leak), and a HiDPI surface multiplies by up to 8.
  constexpr std::int32_t kMaxPixelHeight = 8191;
  return h < 1 ? 1 : (h > kMaxPixelHeight ? kMaxPixelHeight : h);
}

void TPen::SetData(const TPenData& d) {
  TPenData v = d;
  if (v.Width < 0) v.Width = 0;
  if (v == FData) return;
  FData = v;
  Changed();
}
void TPen::SetColor(TColor v) {
  if (v == FData.Color) return;
  FData.Color = v;
  Changed();
}
void TPen::SetStyle(TPenStyle v) {
  if (v == FData.Style) return;
  FData.Style = v;
  Changed();
}
void TPen::SetWidth(std::int32_t v) {
  if (v < 0) v = 0;
  if (v == FData.Width) return;
  FData.Width = v;
  Changed();
}
void TPen::SetMode(TPenMode v) {
  if (v == FData.Mode) return;
  FData.Mode = v;
  Changed();
}

void TBrush::SetData(const TBrushData& d) {
  if (d == FData) return;
  FData = d;
  Changed();
}
void TBrush::SetColor(TColor v) {
  if (v == FData.Color) return;
  FData.Color = v;
  Changed();
}
void TBrush::SetStyle(TBrushStyle v) {
  if (v == FData.Style) return;
  FData.Style = v;
  Changed();
}

void TFont::SetData(const TFontData& d) {
  TFontData v = d;
  if (std::isnan(v.Size) || v.Size == 0) v.Size = FData.Size;
  if (v.PixelsPerInch <= 0) v.PixelsPerInch = FData.PixelsPerInch;
  if (v.Name.empty()) v.Name = kDefaultFontName;
  if (v == FData) return;
  FData = std::move(v);
  Changed();
}
void TFont::SetName(const std::string& v) {
  const std::string name = v.empty() ? std::string(kDefaultFontName) : v;
  if (name == FData.Name) return;
  FData.Name = name;
  Changed();
}
void TFont::SetSize(double points) {
  // Negative sizes are heights in GDI terms; the magnitude is what counts.
  if (std::isnan(points) || std::isinf(points) || points == 0) return;
  points = std::fabs(points);
  if (points > 4096) points = 4096;
  if (points == FData.Size) return;
  FData.Size = points;
  Changed();
}
void TFont::SetHeight(std::int32_t pixels) {
  if (pixels == 0) return;
  const double px = std::fabs(static_cast<double>(pixels));
  SetSize(px * 72.0 / FData.PixelsPerInch);
}
void TFont::SetPixelsPerInch(std::int32_t ppi) {
  if (ppi <= 0 || ppi == FData.PixelsPerInch) return;
  FData.PixelsPerInch = ppi;
  Changed();
}
void TFont::SetStyle(TFontStyles v) {
  if (v == FData.Style) return;
  FData.Style = v;
  Changed();
}
void TFont::SetColor(TColor v) {
  if (v == FData.Color) return;
  FData.Color = v;
  Changed();
}
void TFont::SetOrientation(std::int32_t tenthsOfDegree) {
  tenthsOfDegree %= 3600;
  if (tenthsOfDegree == FData.Orientation) return;
  FData.Orientation = tenthsOfDegree;
  Changed();
}

}  // namespace kvo
