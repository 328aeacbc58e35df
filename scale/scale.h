/// @file
/// TScale: one linear or logarithmic axis as a control. Stand-alone it paints
/// itself and lets the user pan, stretch or zoom its range with the mouse; as
/// a helper of another control (chart axes, colour legend, gauge) it draws on
/// the owner's canvas and converts between values and pixels for it.
///
/// The work is done by collaborators: TScaleMap (transform), the tick engine
/// (scale/tickengine.h, scale/dateticks_p.h), the label texts
/// (scale/ticklabels.h), the drawing (scale/scaledraw_p.h) and Rescale
/// (scale/rescale.h). TScale holds the settings and wires them together.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>
#include <vector>

#include "../libs/kvobase.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "rescale.h"
#include "scalesettings.h"
#include "scalemap.h"
#include "scaletypes.h"
#include "ticklabels.h"
#include "tickengine.h"

namespace kvo {

class KVO_API TScale : public TCustomControl {
public:
  explicit TScale(TComponent* owner = nullptr);
  ~TScale() override;

  /// Restores every setting to its start value (range 0..100, linear, three
  /// ticks, numeric labels, margins 20, ...), clears the events and recomputes
  /// the transform. The paint suppression flag and the loaded state are left
  /// as they are.
  void ResetComp();

  // ---- The axis settings as one value -----------------------------------------
  const TScaleSettings& Settings() const noexcept { return FSettings; }
  /// Applies a whole description with the rules of the single setters: a
  /// range with a NaN or infinite end is ignored (the current range stays),
  /// equal ends are separated as by SetRange, DecPlaces and MinTicks are
  /// clamped, and a logarithmic axis is refused (the axis stays linear) for
  /// date/time labels or an end below 1e-100 (the latter allowed while
  /// streaming). The decimals are taken as given, also with time labels.
  /// Recomputes the transform once and repaints once; no effect when nothing
  /// changes.
  void SetSettings(const TScaleSettings& v);
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  // ---- Range and transform ------------------------------------------------
  double RangeLow() const noexcept { return FSettings.RangeLow; }
  double RangeHigh() const noexcept { return FSettings.RangeHigh; }
  /// Equal ends are separated: SetRangeLow(x) with RangeHigh == x makes
  /// RangeHigh x + 1; SetRangeHigh(x) with RangeLow == x makes RangeLow x + 1
  /// (a reversed axis). Low > High is allowed everywhere. NaN and infinite
  /// values are ignored.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  /// Both ends at once; equal ends give HighVal = LowVal + 1.
  void SetRange(double LowVal, double HighVal);
  double GetScaleCenter() const noexcept {
    return FSettings.RangeLow / 2 + FSettings.RangeHigh / 2;
  }
  /// Recomputes the transform from range, size, margins, orientation and log
  /// mode (nothing while loading or with equal ends).
  void AdjustScalePars();
  /// Pixel of a value, rounded (halves to even) and clamped to +-2147483647. On
  /// a logarithmic axis values <= 1e-100 lie beyond the low end: pixel 0 (or
  /// Width on a reversed axis) horizontally, Height (or 0) vertically.
  std::int32_t ConvertToPixelCoords(double Value) const noexcept;
  /// Value of a pixel. With a degenerate transform (no room for the axis)
  /// every pixel gives the middle of the range.
  double ConvertPixelToScale(double PixelCoord) const noexcept;
  double Transf_k() const noexcept { return FMap.K(); }
  double Transf_d() const noexcept { return FMap.D(); }
  const TScaleMap& Map() const noexcept { return FMap; }

  // ---- Tick positions of the last drawing ----------------------------------
  std::int32_t NumTicks() const noexcept { return FTickCount; }
  /// The ix-th (1-based) listed tick value; 0.0 outside 1..NumTicks.
  double GetTickPos(std::int32_t ix) const noexcept;
  /// The division and label texts of the last drawing.
  const TScaleDivision& Division() const noexcept { return FDivision; }
  const std::vector<TTickLabel>& Labels() const noexcept { return FLabels; }

  // ---- Published properties -------------------------------------------------
  const std::string& Caption() const noexcept { return FSettings.Caption; }
  void SetCaption(const std::string& v);
  std::int32_t CaptionPosX() const noexcept { return FSettings.CaptionPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const noexcept { return FSettings.CaptionPosY; }
  void SetCaptionPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FSettings.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const noexcept { return FSettings.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorBackGnd() const noexcept { return FLook.ColorBG; }
  void SetColorBackGnd(TColor v);
  void SetColorBG(TColor v) { SetColorBackGnd(v); }
  TColor ColorScale() const noexcept { return FSettings.ColorScale; }
  void SetColorScale(TColor v);
  void SetColorFG(TColor v) { SetColorScale(v); }
  TColorScheme ColorScheme() const noexcept { return FLook.ColorScheme; }
  /// Fixed scheme: gray line 0x808080 and white line 0xFFFFFF; any other: the
  /// system button shadow and highlight colours.
  void SetColorScheme(TColorScheme v);
  TColor ColBlackLine() const noexcept { return FLook.ColBlackLine; }
  TColor ColGrayLine() const noexcept { return FLook.ColGrayLine; }
  TColor ColWhiteLine() const noexcept { return FLook.ColWhiteLine; }
  const TDTLabel& DateFormat() const noexcept { return FSettings.DateFormat; }
  TDTLabel& DateFormat() noexcept { return FSettings.DateFormat; }
  /// Copies the settings into the scale's own date/time format.
  void SetDateFormat(const TDTLabel& v);
  /// -3 automatic with decade exponents on log axes, -2 automatic, -1 exponent
  /// form, 0..12 fixed; clamped into -3..12.
  std::int32_t DecPlaces() const noexcept { return FSettings.DecPlaces; }
  void SetDecPlaces(std::int32_t v);
  TFrameStyle FrameStyle() const noexcept { return FLook.FrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  /// ftDateTime switches the log mode off, ftTime sets DecPlaces 4.
  TFigType LabelType() const noexcept { return FSettings.LabelType; }
  void SetLabelType(TFigType v);
  /// Switching on is refused silently (the axis stays linear) when a range end
  /// is below 1e-100 or the labels are date/time, except while loading; a
  /// loaded scale for which that holds then turns linear.
  bool Logarithmic() const noexcept { return FSettings.Logarithmic; }
  void SetLogarithmic(bool v);
  std::int32_t MarginTop() const noexcept { return FLook.MarginTop; }
  std::int32_t MarginBottom() const noexcept { return FLook.MarginBottom; }
  std::int32_t MarginLeft() const noexcept { return FLook.MarginLeft; }
  std::int32_t MarginRight() const noexcept { return FLook.MarginRight; }
  /// Negative margins become 0.
  void SetMarginTop(std::int32_t v);
  void SetMarginBottom(std::int32_t v);
  void SetMarginLeft(std::int32_t v);
  void SetMarginRight(std::int32_t v);
  /// Requested number of major ticks: 0 means automatic (numeric axes get
  /// about one major tick per 80 pixels of their length, time and date/time
  /// axes read it as 2), other values are clamped into 2..10.
  std::int32_t MinTicks() const noexcept { return FSettings.MinTicks; }
  void SetMinTicks(std::int32_t v);
  TMouseActMode MouseAction() const noexcept { return FMouse.Action; }
  void SetMouseAction(TMouseActMode v) noexcept { FMouse.Action = v; }
  bool ShortTicks() const noexcept { return FSettings.ShortTicks; }
  void SetShortTicks(bool v);
  bool ShowBaseLine() const noexcept { return FLook.ShowBaseLine; }
  void SetShowBaseLine(bool v);
  const std::string& ScaleInscript() const noexcept { return FSettings.ScaleInscript; }
  void SetScaleInscript(const std::string& v);
  TScaleType ScaleType() const noexcept { return FSettings.ScaleType; }
  void SetScaleType(TScaleType v);
  bool Transparent() const noexcept { return FLook.Transparent; }
  void SetTransparent(bool v);
  const std::string& UserTickText() const noexcept { return FSettings.UserTickText; }
  void SetUserTickText(const std::string& v);

  // ---- Owners ----------------------------------------------------------------
  bool IsHelper() const noexcept { return FLook.IsHelper; }
  /// A helper draws on its owner's canvas only: it keeps no window surface.
  void SetIsHelper(bool v);
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  /// No effect when unchanged; clearing the flag repaints.
  void SetSuppressPaint(bool v);
  /// Draw on `ForeignCv` at offset (x, y) from now on (horizontal scales are
  /// shifted only vertically there, vertical ones only horizontally); nullptr
  /// returns to the own canvas. The canvas is not owned.
  void UseForeignCanvas(TCanvas* ForeignCv, std::int32_t x, std::int32_t y);
  TCanvas* ForeignCanvas() const noexcept { return FForeignCv; }
  std::int32_t ForCvPosX() const noexcept { return FLook.ForCvPosX; }
  std::int32_t ForCvPosY() const noexcept { return FLook.ForCvPosY; }
  void SetForCvPosX(std::int32_t v);
  void SetForCvPosY(std::int32_t v);
  /// Paints now even while painting is suppressed, then restores the flag.
  void ForcePaint();
  /// Opaque scales and helpers paint at once; a transparent stand-alone scale
  /// asks its window for a paint.
  void TriggerPaint();
  /// Change notification of the date/time format: repaints.
  void Changed(TObject* Sender);

  /// Copies all settings of another TScale (not OnZoomPan, MouseAction, the
  /// foreign canvas or the drag state) and repaints.
  void Assign(const TObject& Source) override;

  /// Draws ticks, labels and caption of a horizontal scale whose base line is
  /// row y, or of a vertical one whose base line is column x, and rebuilds
  /// the tick position list.
  void DrawXScale(TCanvas& Canvas, std::int32_t y);
  void DrawYScale(TCanvas& Canvas, std::int32_t x);

  /// User tick texts and inscriptions (see scale/ticklabels.h).
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
  bool Vertical() const noexcept {
    return FSettings.ScaleType == stLabelsRight || FSettings.ScaleType == stLabelsLeft;
  }
  TScaleExtent Extent() const noexcept;
  std::int32_t UnderflowPixel() const noexcept;
  /// Adjusts the transform, then repaints.
  void AdjustAndPaint();
  /// Whether range and label type allow a logarithmic axis.
  static bool LogAllowed(const TScaleSettings& s) noexcept;
  bool LogAllowed() const noexcept { return LogAllowed(FSettings); }
  /// Whether the form is still being streamed in (the range may follow the
  /// log flag).
  bool Streaming() const noexcept { return FNotYetLoaded && Loading(); }
  /// Paints through the own window surface, or directly on the foreign canvas.
  void PaintOnce();
  void PaintPicture();
  void DrawScale(TCanvas& canvas, std::int32_t offX, std::int32_t offY);
  void DrawAxis(TCanvas& canvas, bool horizontal, std::int32_t base);
  TDateLabelFormat DateLabelFormat() const;

  /// The control's own look and placement, beside the axis settings: the
  /// start values are the member initialisers, a reset assigns {}.
  struct TLook {
    TFrameStyle FrameStyle = frsLowered;
    TColor ColorBG = clBtnFace;
    TColor ColBlackLine = clBlack, ColGrayLine = 0x808080, ColWhiteLine = 0xFFFFFF;
    TColorScheme ColorScheme = cscFixed;
    bool ShowBaseLine = true;
    bool Transparent = false;
    std::int32_t MarginTop = 20, MarginBottom = 20, MarginRight = 20, MarginLeft = 20;
    bool IsHelper = false;
    std::int32_t ForCvPosX = 0, ForCvPosY = 0;
  };
  /// The mouse: what a drag does, and a running drag (where it started and
  /// the range then). Reset with the settings, never copied by Assign.
  struct TMouseState {
    TMouseActMode Action = mamNone;
    std::int32_t AnchorX = 0, AnchorY = 0;
    double WorldLow = 0, WorldHigh = 0;
    bool Dragging = false;
  };

  TScaleSettings FSettings;
  TLook FLook;
  TMouseState FMouse;
  TScaleMap FMap;
  std::int32_t FTickCount = 0;
  std::vector<double> FScaleTickPos;
  TCanvas* FForeignCv = nullptr;
  bool FNotYetLoaded = true;
  bool FSuppressPaint = true;

  /// Working storage of the last drawing (kept to reuse its memory).
  TScaleDivision FDivision;
  std::vector<TTickLabel> FLabels;
  TBitmap FPaintBuffer;  ///< off-screen picture of an opaque scale
  bool FPainting = false, FRepaintPending = false, FDrawing = false;
};

}  // namespace kvo
