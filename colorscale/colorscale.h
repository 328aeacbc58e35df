/// @file
/// TColorScale: a colour legend. A bar filled from a colour table maps a value
/// range onto colours; an embedded axis labels the values; a caption, a
/// crosshair marking one value and mouse dragging of the shown range complete
/// it. The application converts values to colours and back through the legend
/// to colour data drawn elsewhere consistently with it.
///
/// Every setter repaints at once unless painting is suppressed
/// (SuppressPaint, or a TColorScale::TUpdate guard that repaints once at its
/// end).
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <functional>
#include <string>

#include "../libs/kvobase.h"
#include "../libs/kvocolors.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "../platform/update.h"
#include "../scale/helperscale.h"

namespace kvo {

enum TColScaleOrientation : std::uint8_t { csoHorizontal = 0, csoVertical = 1 };

/// Raised on every mouse move: the scale value under the mouse (x of a
/// horizontal legend, y of a vertical one) and whether the mouse is over the bar.
using TMouseMoveInColorScaleEvent =
    std::function<void(TObject* Sender, bool InScale, TShiftState Shift, double rMousePos)>;
/// After bar, scale and caption are drawn (before crosshair and frame), with
/// the canvas drawn on.
using TColorScaleRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

/// Every setting of the legend beside its colour table, crosshair and axis
/// settings, with the start values.
struct KVO_API TColorScaleSettings {
  std::string Caption;
  TColor CaptionColor = clBlack;
  std::int32_t CaptionPosX = 10, CaptionPosY = 10;
  std::int32_t CaptionSize = 12;
  TFontStyles CaptionStyle{fsBold};
  TColor ColorSclBkgd = 0xC0C0C0;
  TColor ColorOfScale = clBlack;
  TColorScheme ColorScheme = cscFixed;
  TFrameStyle FrameStyle = frsLowered;
  bool ExtendColors = false;
  bool FramedColorScale = true;
  double ColorLow = -10, ColorHigh = 10;
  std::int32_t MarginTop = 8, MarginBottom = 22, MarginLeft = 16, MarginRight = 16;
  TMouseActMode MouseAction = mamNone;
  TColScaleOrientation Orientation = csoHorizontal;
  bool operator==(const TColorScaleSettings&) const = default;
};

class KVO_API TColorScale : public TCustomControl {
public:
  explicit TColorScale(TComponent* owner = nullptr);
  ~TColorScale() override;

  using TUpdate = TPaintBatch<TColorScale>;

  /// The colour table, entries 1..N (empty at first; the application fills
  /// it). Every change repaints.
  TColorArray ColorArray{0};

  /// Restores every start value (the colour table is kept) and repaints once.
  void ResetComp();
  const TColorScaleSettings& Settings() const noexcept { return FSet; }
  /// Copies all settings of another TColorScale: the settings above, the
  /// range shown, the crosshair, the axis settings, the colour table and the
  /// four events; then repaints once.
  void Assign(const TObject& Source) override;
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  /// No effect when unchanged; clearing the flag repaints.
  void SetSuppressPaint(bool v);

  // ---- Conversions ------------------------------------------------------------
  /// The table entry of a value: with d = ColorHigh - ColorLow and N entries,
  /// entry round(N (v - ColorLow) / d) limited to 1..N (N / 2 when d = 0).
  /// Black for an empty table.
  TColor ValueToColor(double v) const noexcept;
  /// The value of the table entry nearest to c: ColorLow + i / N * d. The
  /// middle of the colour range for an empty table.
  double ColorToValue(TColor c) const noexcept;
  /// The axis pixel of a value (x of a horizontal legend, y of a vertical one).
  std::int32_t ValueToPixel(double v) const noexcept;
  /// The value at an axis pixel.
  double PixelToValue(double pixel) const noexcept;
  /// Sets the range shown and the colour range at once; equal ends are
  /// widened by 1 on each side.
  void SetScaleRange(double LowVal, double HighVal);
  /// Places the axis along the bar for the current size, margins and orientation.
  void SetScaleDims();
  /// Copies the picture into ABitmap at (PosX, PosY); a negative position
  /// resizes ABitmap to the control and copies at (0, 0). Nothing for nullptr.
  void CopyToBitMap(TBitmap* ABitmap, std::int32_t PosX, std::int32_t PosY);
  /// The whole picture onto any canvas of the control's size.
  void DrawPicture(TCanvas& c);

  // ---- The embedded axis ---------------------------------------------------------
  /// Read access to the axis (ticks, transform, label texts of the last paint).
  const TScale& Scale() const noexcept { return FAxis.Scale(); }
  const TScaleSettings& ScaleSettings() const noexcept { return FAxis.Settings(); }
  /// Axis settings (decimals, label type, inscription ...); the scale type
  /// stays the orientation's, and the range shown follows the new range.
  void SetScaleSettings(const TScaleSettings& v);

  // ---- Published properties --------------------------------------------------------
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
  TColor ColorSclBkgd() const noexcept { return FSet.ColorSclBkgd; }
  void SetColorSclBkgd(TColor v);
  TColor ColorOfScale() const noexcept { return FSet.ColorOfScale; }
  void SetColorOfScale(TColor v);
  TColorScheme ColorScheme() const noexcept { return FSet.ColorScheme; }
  void SetColorScheme(TColorScheme v);
  const TCrossHair& CrossHair() const noexcept { return FCrossHair; }
  TCrossHair& CrossHair() noexcept { return FCrossHair; }
  /// Copies the given crosshair's settings into the legend's own.
  void SetCrossHair(const TCrossHair& v);
  TFrameStyle FrameStyle() const noexcept { return FSet.FrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  /// The range shown by the axis. The value goes to the axis (which separates
  /// equal ends and ignores NaN); the property takes what the axis then holds.
  double ScaleRangeLow() const noexcept { return FColSclMin; }
  void SetScaleRangeLow(double v);
  double ScaleRangeHigh() const noexcept { return FColSclMax; }
  void SetScaleRangeHigh(double v);
  bool ExtendColors() const noexcept { return FSet.ExtendColors; }
  void SetExtendColors(bool v);
  bool FramedColorScale() const noexcept { return FSet.FramedColorScale; }
  void SetFramedColorScale(bool v);
  /// The value range spread over the colour table. ColorLow above ColorHigh
  /// raises ColorHigh to it; ColorHigh below ColorLow lowers ColorLow. NaN and
  /// infinities are ignored.
  double ColorLow() const noexcept { return FSet.ColorLow; }
  void SetColorLow(double v);
  double ColorHigh() const noexcept { return FSet.ColorHigh; }
  void SetColorHigh(double v);
  /// Bar position inside the control; each is limited to 0..(size - other
  /// side - 1).
  std::int32_t MarginTop() const noexcept { return FSet.MarginTop; }
  void SetMarginTop(std::int32_t v);
  std::int32_t MarginBottom() const noexcept { return FSet.MarginBottom; }
  void SetMarginBottom(std::int32_t v);
  std::int32_t MarginLeft() const noexcept { return FSet.MarginLeft; }
  void SetMarginLeft(std::int32_t v);
  std::int32_t MarginRight() const noexcept { return FSet.MarginRight; }
  void SetMarginRight(std::int32_t v);
  /// The axis' requested tick count; set values are clamped into 2..10.
  std::int32_t MinTicks() const noexcept { return FAxis.Settings().MinTicks; }
  void SetMinTicks(std::int32_t v);
  /// mamDragCrossHair drags the crosshair, mamDragRange the range; other
  /// values do nothing.
  TMouseActMode MouseAction() const noexcept { return FSet.MouseAction; }
  void SetMouseAction(TMouseActMode v) noexcept { FSet.MouseAction = v; }
  TColScaleOrientation Orientation() const noexcept { return FSet.Orientation; }
  void SetOrientation(TColScaleOrientation v);
  /// Which end the last range drag moved (zpmBoth in the middle of the bar).
  TZoomPanMode ZoomPanMode() const noexcept { return FZoomPanMode; }

  // ---- Events ------------------------------------------------------------------------
  TNotifyEvent OnCrossHairMove;
  TColorScaleRenderEvent OnDataRendered;
  TMouseMoveInColorScaleEvent OnMouseMoveInScale;
  TZoomPanEvent OnZoomPan;
  /// Tick and label events of the axis, with the legend as sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

  void Paint() override;

protected:
  bool AssignTo(TObject& dest) const override;
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void FontChanged() override;

private:
  /// The one funnel for changes that show.
  void Changed();
  bool Vertical() const noexcept { return FSet.Orientation == csoVertical; }
  /// The axis range into the properties.
  void ReadRange() noexcept;
  void SetMargin(std::int32_t TColorScaleSettings::*field, std::int32_t v, std::int32_t size,
                 std::int32_t other);
  void DrawBar(TCanvas& c);
  void DrawCrossHair(TCanvas& c);
  void RangeDrag(std::int32_t x, std::int32_t y);

  TColorScaleSettings FSet;
  THelperScale FAxis{this};
  TCrossHair FCrossHair;
  TBitmap FGrafBmp;
  double FColSclMin = -10, FColSclMax = 10;
  /// A running drag: where it started and the range then.
  std::int32_t FMouseAnchorX = 0, FMouseAnchorY = 0;
  double FAnchorSclLow = 0, FAnchorSclHigh = 0;
  TZoomPanMode FZoomPanMode = zpmBoth;
  bool FLeftButWasDown = false;
  bool FSuppressPaint = true;
  bool FPainting = false, FRepaintPending = false;
};

/// Registers TColorScale on the component page "Kvo" (done when the library
/// is linked; calling it again changes nothing).
KVO_API void RegisterColorScale();

}  // namespace kvo
