// Pen, brush and font: plain value structs (what backends receive) and the
// notifying objects a canvas or control owns.
#pragma once

#include "export.h"

#include <string>

#include "types.h"

namespace kvo {

struct KVO_API TPenData {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  std::int32_t Width = 1;     // pixels; 0 and 1 both draw the cosmetic 1-pixel pen
  TPenMode Mode = pmCopy;
  bool operator==(const TPenData&) const noexcept = default;
};

struct KVO_API TBrushData {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  bool operator==(const TBrushData&) const noexcept = default;
};

constexpr const char* kDefaultFontName = "DejaVu Sans";

struct KVO_API TFontData {
  std::string Name = kDefaultFontName;
  double Size = 8;                 // points
  std::int32_t PixelsPerInch = 96; // resolution the size is converted at
  TFontStyles Style{};
  TColor Color = clWindowText;
  std::int32_t Orientation = 0;    // tenths of a degree, counter-clockwise
  // Character height in pixels at PixelsPerInch (size * ppi / 72, rounded).
  std::int32_t PixelHeight() const noexcept;
  bool operator==(const TFontData&) const noexcept = default;
};

// Base of the notifying graphics objects: OnChange fires after every change.
class KVO_API TGraphicsObject : public TObject {
public:
  TNotifyEvent OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

class KVO_API TPen : public TGraphicsObject {
public:
  const TPenData& Data() const noexcept { return FData; }
  void SetData(const TPenData& d);
  TColor Color() const noexcept { return FData.Color; }
  void SetColor(TColor v);
  TPenStyle Style() const noexcept { return FData.Style; }
  void SetStyle(TPenStyle v);
  std::int32_t Width() const noexcept { return FData.Width; }
  void SetWidth(std::int32_t v);  // negative values become 0
  TPenMode Mode() const noexcept { return FData.Mode; }
  void SetMode(TPenMode v);
  void Assign(const TPen& src) { SetData(src.FData); }

private:
  TPenData FData;
};

class KVO_API TBrush : public TGraphicsObject {
public:
  const TBrushData& Data() const noexcept { return FData; }
  void SetData(const TBrushData& d);
  TColor Color() const noexcept { return FData.Color; }
  void SetColor(TColor v);
  TBrushStyle Style() const noexcept { return FData.Style; }
  void SetStyle(TBrushStyle v);
  void Assign(const TBrush& src) { SetData(src.FData); }

private:
  TBrushData FData;
};

class KVO_API TFont : public TGraphicsObject {
public:
  const TFontData& Data() const noexcept { return FData; }
  void SetData(const TFontData& d);
  const std::string& Name() const noexcept { return FData.Name; }
  void SetName(const std::string& v);
  double Size() const noexcept { return FData.Size; }
  void SetSize(double points);
  // Height in pixels at PixelsPerInch (positive). SetHeight converts back to points.
  std::int32_t Height() const noexcept { return FData.PixelHeight(); }
  void SetHeight(std::int32_t pixels);
  std::int32_t PixelsPerInch() const noexcept { return FData.PixelsPerInch; }
  void SetPixelsPerInch(std::int32_t ppi);
  TFontStyles Style() const noexcept { return FData.Style; }
  void SetStyle(TFontStyles v);
  TColor Color() const noexcept { return FData.Color; }
  void SetColor(TColor v);
  std::int32_t Orientation() const noexcept { return FData.Orientation; }
  void SetOrientation(std::int32_t tenthsOfDegree);
  void Assign(const TFont& src) { SetData(src.FData); }

private:
  TFontData FData;
};

}  // namespace kvo
