/// @file
/// TScaleGauge: one value on a linear or logarithmic scale, like a panel
/// meter. A background (plain, gradient or mid-band), the dial drawn by an
/// embedded axis, an index at the value (thread, triangles, band, dual-colour
/// band or bar), a cover frame around the dial window, a caption and two
/// frames. With a fixed dial the index moves along the scale; with a moving
/// dial the index stays in the middle and the scale scrolls under it.
///
/// Every setter repaints at once unless painting is suppressed
/// (SuppressPaint, or a TScaleGauge::TUpdate guard that repaints once at its end).
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <functional>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "../platform/update.h"
#include "../scale/helperscale.h"

namespace kvo {

enum TGaugeOrientation : std::uint8_t { goHorizontal = 0, goVertical = 1 };
enum TGaugeBackground : std::uint8_t {
  gbPlain = 0,         ///< ColorBg1 everywhere
  gbVertGrad = 1,      ///< vertical lines from ColorBg1 (left) to ColorBg2 (right)
  gbHorizGrad = 2,     ///< horizontal lines from ColorBg1 (top) to ColorBg2 (bottom)
  gbVertMidBand = 3,   ///< ColorBg1 at the left and right edges, ColorBg2 in the middle
  gbHorizMidBand = 4,  ///< ColorBg1 at the top and bottom edges, ColorBg2 in the middle
};
enum TGaugeIndexMode : std::uint8_t {
  gimThread = 0,              ///< a line across the window
  gimTriangle = 1,            ///< a triangle pointing at the base line
  gimThreadTriangle = 2,      ///< thread and triangle
  gimThreadTwoTriangles = 3,  ///< thread and triangles at both sides
  gimBand = 4,                ///< a band from the start of the dial to the value
  gimDualColorBand = 5,       ///< a band from GaugeZero to the value, one colour per side
  gimBar = 6,                 ///< a short bar beside the base line
};

/// Raised on every mouse move: the scale value under the mouse (x of a
/// horizontal gauge, y of a vertical one) and whether the mouse is over the dial.
using TMouseMoveInGaugeEvent =
    std::function<void(TObject* Sender, bool InGauge, TShiftState Shift, double rMousePos)>;

/// Every setting of the gauge with its start value.
struct KVO_API TScaleGaugeSettings {
  TGaugeBackground Background = gbVertGrad;
  std::string Caption;
  TColor CaptionColor = clBlack;
  std::int32_t CaptionPosX = 10, CaptionPosY = 10;
  std::int32_t CaptionSize = 12;
  TFontStyles CaptionStyle{fsBold};
  TColor ColorBg1 = 0x808080, ColorBg2 = clWhite;
  TColor ColorIndex1 = clBlack, ColorIndex2 = clRed;
  TColor ColorCover = 0xC0C0C0;
  TColor ColorScale = clBlack;
  TColorScheme ColorScheme = cscFixed;
  bool FixedDial = true;
  TFrameStyle FrameStyleOuter = frsRaised, FrameStyleInner = frsLowered;
  double GaugeZero = 0;
  TGaugeIndexMode IndexMode = gimTriangle;
  bool Logarithmic = false;
  std::int32_t MarginLeft = 20, MarginRight = 10, MarginTop = 10, MarginBottom = 20;
  double Max = 10, Min = -10;
  std::int32_t MinTicks = 0;
  TGaugeOrientation Orientation = goHorizontal;
  bool ShortTicks = false;
  double Value = 0;
  bool operator==(const TScaleGaugeSettings&) const = default;
};

class KVO_API TScaleGauge : public TCustomControl {
public:
  explicit TScaleGauge(TComponent* owner = nullptr);
  ~TScaleGauge() override;

  using TUpdate = TPaintBatch<TScaleGauge>;

  /// Restores every start value and repaints once.
  void ResetComp();
  const TScaleGaugeSettings& Settings() const noexcept { return FSet; }
  /// Copies all settings of another TScaleGauge (range, value and look
  /// together, so the copied value always lies in the copied range) and the
  /// enabled state; then repaints once.
  void Assign(const TObject& Source) override;
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  /// Drawn in colour when enabled, greyed when not.
  void SetEnabled(bool v) override;

  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  void SetSuppressPaint(bool v);

  /// Places the dial for the current size, margins and orientation.
  void SetScaleDims();
  /// The dial's value at a pixel (x of a horizontal gauge, y of a vertical one).
  double ConvertPixelToScale(double PixelCoord) const noexcept;
  /// The dial's pixel of a value.
  std::int32_t ConvertToPixelCoords(double v) const noexcept;
  /// The pixel of the index (the value's pixel, or the middle with a moving dial).
  std::int32_t IndexPixel() const noexcept;
  /// The range the dial shows now (Min..Max, or around the value with a moving dial).
  double DialLow() const noexcept { return FAxis.Settings().RangeLow; }
  double DialHigh() const noexcept { return FAxis.Settings().RangeHigh; }
  const TScale& Scale() const noexcept { return FAxis.Scale(); }
  /// The whole picture onto any canvas of the control's size.
  void DrawPicture(TCanvas& c);

  // ---- Published properties --------------------------------------------------------
  TGaugeBackground Background() const noexcept { return FSet.Background; }
  void SetBackground(TGaugeBackground v);
  const std::string& Caption() const noexcept { return FSet.Caption; }
  void SetCaption(const std::string& v);
  TColor CaptionColor() const noexcept { return FSet.CaptionColor; }
  void SetCaptionColor(TColor v);
  std::int32_t CaptionPosX() const noexcept { return FSet.CaptionPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const noexcept { return FSet.CaptionPosY; }
  void SetCaptionPosY(std::int32_t v);
  std::int32_t CaptionSize() const noexcept { return FSet.CaptionSize; }
  void SetCaptionSize(std::int32_t v);
  TFontStyles CaptionStyle() const noexcept { return FSet.CaptionStyle; }
  void SetCaptionStyle(TFontStyles v);
  TColor ColorBg1() const noexcept { return FSet.ColorBg1; }
  void SetColorBg1(TColor v);
  TColor ColorBg2() const noexcept { return FSet.ColorBg2; }
  void SetColorBg2(TColor v);
  TColor ColorIndex1() const noexcept { return FSet.ColorIndex1; }
  void SetColorIndex1(TColor v);
  TColor ColorIndex2() const noexcept { return FSet.ColorIndex2; }
  void SetColorIndex2(TColor v);
  TColor ColorCover() const noexcept { return FSet.ColorCover; }
  void SetColorCover(TColor v);
  TColor ColorScale() const noexcept { return FSet.ColorScale; }
  void SetColorScale(TColor v);
  TColorScheme ColorScheme() const noexcept { return FSet.ColorScheme; }
  void SetColorScheme(TColorScheme v);
  bool FixedDial() const noexcept { return FSet.FixedDial; }
  void SetFixedDial(bool v);
  TFrameStyle FrameStyleOuter() const noexcept { return FSet.FrameStyleOuter; }
  void SetFrameStyleOuter(TFrameStyle v);
  TFrameStyle FrameStyleInner() const noexcept { return FSet.FrameStyleInner; }
  void SetFrameStyleInner(TFrameStyle v);
  /// NaN is ignored.
  double GaugeZero() const noexcept { return FSet.GaugeZero; }
  void SetGaugeZero(double v);
  TGaugeIndexMode IndexMode() const noexcept { return FSet.IndexMode; }
  void SetIndexMode(TGaugeIndexMode v);
  /// Switching on is refused while Min or Max is <= 0.
  bool Logarithmic() const noexcept { return FSet.Logarithmic; }
  void SetLogarithmic(bool v);
  /// Each limited to 0..(size - other side - 20).
  std::int32_t MarginLeft() const noexcept { return FSet.MarginLeft; }
  void SetMarginLeft(std::int32_t v);
  std::int32_t MarginRight() const noexcept { return FSet.MarginRight; }
  void SetMarginRight(std::int32_t v);
  std::int32_t MarginTop() const noexcept { return FSet.MarginTop; }
  void SetMarginTop(std::int32_t v);
  std::int32_t MarginBottom() const noexcept { return FSet.MarginBottom; }
  void SetMarginBottom(std::int32_t v);
  /// The range. Values <= 0 are refused while logarithmic, NaN and infinities
  /// always. Min > Max is allowed (a reversed dial). The value is clamped
  /// into the new range.
  double Max() const noexcept { return FSet.Max; }
  void SetMax(double v);
  double Min() const noexcept { return FSet.Min; }
  void SetMin(double v);
  /// The dial's requested tick count (0 automatic, otherwise 2..10).
  std::int32_t MinTicks() const noexcept { return FSet.MinTicks; }
  void SetMinTicks(std::int32_t v);
  TGaugeOrientation Orientation() const noexcept { return FSet.Orientation; }
  void SetOrientation(TGaugeOrientation v);
  bool ShortTicks() const noexcept { return FSet.ShortTicks; }
  void SetShortTicks(bool v);
  /// Clamped into the range (either order of Min and Max); NaN is ignored.
  double Value() const noexcept { return FSet.Value; }
  void SetValue(double v);

  // ---- Events ------------------------------------------------------------------------
  TMouseMoveInGaugeEvent OnMouseMoveInGauge;
  /// Tick and label events of the dial, with the gauge as sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

  void Paint() override;

protected:
  bool AssignTo(TObject& dest) const override;
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override;
  void FontChanged() override;

private:
  /// The one funnel for changes that show: brings the dial up to date, then
  /// repaints unless painting is suppressed.
  void Changed();
  /// Range, log mode, ticks and colour of the dial from the settings.
  void SyncDial();
  bool Vertical() const noexcept { return FSet.Orientation == goVertical; }
  static double Clamped(double v, double lo, double hi) noexcept;
  void SetMargin(std::int32_t TScaleGaugeSettings::*field, std::int32_t v, std::int32_t size,
                 std::int32_t other);
  void DrawBackground(TCanvas& c, TColor bg1, TColor bg2);
  void DrawIndex(TCanvas& c, TColor c1, TColor c2);
  /// Band lines from pixel `from` to pixel `to` along the dial (clipped to the
  /// window), each in colour(k).
  template <class ColorOf>
  void DrawBand(TCanvas& c, std::int32_t from, std::int32_t to, ColorOf colorOf);

  TScaleGaugeSettings FSet;
  THelperScale FAxis{this};
  TBitmap FGrafBmp;
  bool FSuppressPaint = true;
  bool FPainting = false, FRepaintPending = false;
};

/// Registers TScaleGauge on the component page "Kvo" (done when the library
/// is linked; calling it again changes nothing).
KVO_API void RegisterScaleGauge();

}  // namespace kvo
