// TScale: one linear or logarithmic axis as a control. Stand-alone it paints
// itself and lets the user pan, stretch or zoom its range with the mouse; as
// a helper of another control (chart axes, colour legend, gauge) it draws on
// the owner's canvas and converts between values and pixels for it.
//
// The work is done by collaborators: TScaleMap (transform), the tick engine
// (scale/tickengine.h, scale/dateticks_p.h), the label texts
// (scale/ticklabels.h), the drawing (scale/scaledraw_p.h) and Rescale
// (scale/rescale.h). TScale holds the settings and wires them together.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../libs/kvobase.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "rescale.h"
#include "scalemap.h"
#include "scaletypes.h"
#include "ticklabels.h"
#include "tickengine.h"

namespace kvo {

class KVO_API TScale : public TCustomControl {
public:
  explicit TScale(TComponent* owner = nullptr);
  ~TScale() override;

  // Restores every setting to its start value (range 0..100, linear, three
  // ticks, numeric labels, margins 20, ...) and recomputes the transform.
  // The paint suppression flag is left as it is.
  void ResetComp();
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  // ---- Range and transform ------------------------------------------------
  double RangeLow() const noexcept { return FRangeLow; }
  double RangeHigh() const noexcept { return FRangeHigh; }
  // Equal ends are separated: SetRangeLow(x) with RangeHigh == x makes
  // RangeHigh x + 1; SetRangeHigh(x) with RangeLow == x makes RangeLow x + 1
  // (a reversed axis). Low > High is allowed everywhere. NaN and infinite
  // values are ignored.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  // Both ends at once; equal ends give HighVal = LowVal + 1.
  void SetRange(double LowVal, double HighVal);
  double GetScaleCenter() const noexcept { return FRangeLow / 2 + FRangeHigh / 2; }
  // Recomputes the transform from range, size, margins, orientation and log
  // mode (nothing while loading or with equal ends).
  void AdjustScalePars();
  // Pixel of a value, rounded (halves to even) and clamped to +-2147483647. On
  // a logarithmic axis values <= 1e-100 lie beyond the low end: pixel 0 (or
  // Width on a reversed axis) horizontally, Height (or 0) vertically.
  std::int32_t ConvertToPixelCoords(double Value) const noexcept;
  // Value of a pixel. With a degenerate transform (no room for the axis)
  // every pixel gives the middle of the range.
  double ConvertPixelToScale(double PixelCoord) const noexcept;
  double Transf_k() const noexcept { return FMap.K(); }
  double Transf_d() const noexcept { return FMap.D(); }
  const TScaleMap& Map() const noexcept { return FMap; }

  // ---- Tick positions of the last drawing ----------------------------------
  std::int32_t NumTicks() const noexcept { return FTickCount; }
  // The ix-th (1-based) listed tick value; 0.0 outside 1..NumTicks.
  double GetTickPos(std::int32_t ix) const noexcept;
  // The division and label texts of the last drawing.
  const TScaleDivision& Division() const noexcept { return FDivision; }
  const std::vector<TTickLabel>& Labels() const noexcept { return FLabels; }

  // ---- Published properties -------------------------------------------------
  const std::string& Caption() const noexcept { return FUnitLabel; }
  void SetCaption(const std::string& v);
  std::int32_t CaptionPosX() const noexcept { return FLblPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const noexcept { return FLblPosY; }
  void SetCaptionPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FLblAlign; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const noexcept { return FLblAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorBackGnd() const noexcept { return FColorBG; }
  void SetColorBackGnd(TColor v);
  void SetColorBG(TColor v) { SetColorBackGnd(v); }
  TColor ColorScale() const noexcept { return FColorFG; }
  void SetColorScale(TColor v);
  void SetColorFG(TColor v) { SetColorScale(v); }
  TColorScheme ColorScheme() const noexcept { return FColorScheme; }
  // Fixed scheme: gray line 0x808080 and white line 0xFFFFFF; any other: the
  // system button shadow and highlight colours.
  void SetColorScheme(TColorScheme v);
  TColor ColBlackLine() const noexcept { return FColBlackLine; }
  TColor ColGrayLine() const noexcept { return FColGrayLine; }
  TColor ColWhiteLine() const noexcept { return FColWhiteLine; }
  const TDTLabel& DateFormat() const noexcept { return *FDTFormat; }
  TDTLabel& DateFormat() noexcept { return *FDTFormat; }
  // Copies the settings into the scale's own date/time format.
  void SetDateFormat(const TDTLabel& v);
  // -3 automatic with decade exponents on log axes, -2 automatic, -1 exponent
  // form, 0..12 fixed; clamped into -3..12.
  std::int32_t DecPlaces() const noexcept { return FDecPlaces; }
  void SetDecPlaces(std::int32_t v);
  TFrameStyle FrameStyle() const noexcept { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  // ftDateTime switches the log mode off, ftTime sets DecPlaces 4.
  TFigType LabelType() const noexcept { return FLabelType; }
  void SetLabelType(TFigType v);
  // Switching on is refused silently (the axis stays linear) when a range end
  // is below 1e-100 or the labels are date/time, except while loading; a
  // loaded scale for which that holds then turns linear.
  bool Logarithmic() const noexcept { return FAxLog; }
  void SetLogarithmic(bool v);
  std::int32_t MarginTop() const noexcept { return FMarginTop; }
  std::int32_t MarginBottom() const noexcept { return FMarginBottom; }
  std::int32_t MarginLeft() const noexcept { return FMarginLeft; }
  std::int32_t MarginRight() const noexcept { return FMarginRight; }
  // Negative margins become 0.
  void SetMarginTop(std::int32_t v);
  void SetMarginBottom(std::int32_t v);
  void SetMarginLeft(std::int32_t v);
  void SetMarginRight(std::int32_t v);
  // Requested number of major ticks: 0 means automatic (numeric axes get
  // about one major tick per 80 pixels of their length, time and date/time
  // axes read it as 2), other values are clamped into 2..10.
  std::int32_t MinTicks() const noexcept { return FNumTicks; }
  void SetMinTicks(std::int32_t v);
  TMouseActMode MouseAction() const noexcept { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) noexcept { FMouseAction = v; }
  bool ShortTicks() const noexcept { return FShortTicks; }
  void SetShortTicks(bool v);
  bool ShowBaseLine() const noexcept { return FDrawBaseLine; }
  void SetShowBaseLine(bool v);
  const std::string& ScaleInscript() const noexcept { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  TScaleType ScaleType() const noexcept { return FScaleType; }
  void SetScaleType(TScaleType v);
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool v);
  const std::string& UserTickText() const noexcept { return FUserTicktext; }
  void SetUserTickText(const std::string& v);

  // ---- Owners ----------------------------------------------------------------
  bool IsHelper() const noexcept { return FIsHelper; }
  void SetIsHelper(bool v);
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  // No effect when unchanged; clearing the flag repaints.
  void SetSuppressPaint(bool v);
  // Draw on `ForeignCv` at offset (x, y) from now on (horizontal scales are
  // shifted only vertically there, vertical ones only horizontally); nullptr
  // returns to the own canvas. The canvas is not owned.
  void UseForeignCanvas(TCanvas* ForeignCv, std::int32_t x, std::int32_t y);
  TCanvas* ForeignCanvas() const noexcept { return FForeignCv; }
  std::int32_t ForCvPosX() const noexcept { return FForCvPosX; }
  std::int32_t ForCvPosY() const noexcept { return FForCvPosY; }
  void SetForCvPosX(std::int32_t v);
  void SetForCvPosY(std::int32_t v);
  // Paints now even while painting is suppressed, then restores the flag.
  void ForcePaint();
  // Opaque scales and helpers paint at once; a transparent stand-alone scale
  // asks its window for a paint.
  void TriggerPaint();
  // Change notification of the date/time format: repaints.
  void Changed(TObject* Sender);

  // Copies all settings of another TScale (not OnZoomPan, MouseAction, the
  // foreign canvas or the drag state) and repaints.
  void Assign(const TObject& Source) override;

  // Draws ticks, labels and caption of a horizontal scale whose base line is
  // row y, or of a vertical one whose base line is column x, and rebuilds
  // the tick position list.
  void DrawXScale(TCanvas& Canvas, std::int32_t y);
  void DrawYScale(TCanvas& Canvas, std::int32_t x);

  // User tick texts and inscriptions (see scale/ticklabels.h).
  static std::string ExtractUserText(const std::string& text, std::int32_t n) {
    return ::kvo::ExtractUserText(text, n);
  }
  static std::string AddScaleInscription(const std::string& label, const std::string& inscription) {
    return ::kvo::AddScaleInscription(label, inscription);
  }

  void Paint() override;

  // ---- Events ------------------------------------------------------------------
  TZoomPanEvent OnZoomPan;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderedEvent OnAfterScaleRendered;
  TScaleRenderedEvent OnBeforeScaleRendered;

protected:
  void CreateWnd() override;
  void Loaded() override;
  bool AssignTo(TObject& dest) const override;
  void MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  void DblClick() override;

private:
  bool Vertical() const noexcept { return FScaleType == stLabelsRight || FScaleType == stLabelsLeft; }
  TScaleExtent Extent() const noexcept;
  std::int32_t UnderflowPixel() const noexcept;
  // Adjusts the transform, then repaints.
  void AdjustAndPaint();
  // Whether range and label type allow a logarithmic axis.
  bool LogAllowed() const noexcept;
  // Paints through the own window surface, or directly on the foreign canvas.
  void PaintOnce();
  void PaintPicture();
  void DrawScale(TCanvas& canvas, std::int32_t offX, std::int32_t offY);
  void DrawAxis(TCanvas& canvas, bool horizontal, std::int32_t base);
  TDateLabelFormat DateLabelFormat() const;

  TFrameStyle FFrameStyle = frsLowered;
  TColor FColorFG = clBlack;
  TColor FColorBG = clBtnFace;
  TColor FColBlackLine = clBlack, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = cscFixed;
  bool FAxLog = false;
  TScaleMap FMap;
  double FRangeHigh = 100.0, FRangeLow = 0.0;
  bool FShortTicks = true;
  std::int32_t FTickCount = 0;
  std::int32_t FNumTicks = 3;
  std::int32_t FDecPlaces = -2;
  bool FNotYetLoaded = true;
  bool FDrawBaseLine = true;
  bool FTransparent = false;
  TFigType FLabelType = ftNumber;
  std::unique_ptr<TDTLabel> FDTFormat;
  std::int32_t FMarginTop = 20, FMarginBottom = 20, FMarginRight = 20, FMarginLeft = 20;
  bool FIsHelper = false;
  std::int32_t FLblPosX = 4, FLblPosY = 4;
  TAlignment FLblAlign = taCenter;
  TScaleUnitAnchor FLblAnchor = uaSclTopLft;
  TMouseActMode FMouseAction = mamNone;
  std::int32_t FMAnchorX = 0, FMAnchorY = 0;
  double FMAnchorWorldLow = 0, FMAnchorWorldHigh = 0;
  bool FLButtonWasDown = false;
  std::string FUserTicktext;
  std::string FScaleInscript;
  std::vector<double> FScaleTickPos;
  std::string FUnitLabel;
  TCanvas* FForeignCv = nullptr;
  std::int32_t FForCvPosX = 0, FForCvPosY = 0;
  TScaleType FScaleType = stLabelsAbove;
  bool FSuppressPaint = true;

  // Working storage of the last drawing (kept to reuse its memory).
  TScaleDivision FDivision;
  std::vector<TTickLabel> FLabels;
  TBitmap FPaintBuffer;  // off-screen picture of an opaque scale
  bool FPainting = false, FRepaintPending = false, FDrawing = false;
};

}  // namespace kvo
