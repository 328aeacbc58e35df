#include "scale/scale.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/numeric.h"
#include "scale/scaledraw_p.h"

namespace kvo {

namespace {
bool Finite(double v) { return std::isfinite(v); }

// The value that separates an end from x: x + 1, or where 1 is below the
// resolution of x the next double above it (below it at the top of the
// doubles), so that equal ends are never kept.
double SeparatedFrom(double x) noexcept {
  double v = x + 1;
  if (v == x) v = std::nextafter(x, HUGE_VAL);
  if (!std::isfinite(v)) v = std::nextafter(x, -HUGE_VAL);
  return v;
}

// Sets a flag for a scope, also when a handler throws.
struct TFlagScope {
  bool& Flag;
  explicit TFlagScope(bool& f) : Flag(f) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;
};
}  // namespace

TScale::TScale(TComponent* owner)
    : TCustomControl(owner), FDTFormat(std::make_unique<TDTLabel>()) {
  FSuppressPaint = true;
  FDTFormat->OnChange = [this](TObject* sender) { Changed(sender); };
  SetBounds(Left(), Top(), 400, 400);
  ResetComp();
}

TScale::~TScale() = default;

void TScale::ResetComp() {
  // The suppression flag and the loaded state describe the component's life,
  // not its settings: a reset keeps them. Painting stays off meanwhile so the
  // date format's notifications do not paint a half-reset scale.
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  FFrameStyle = frsLowered;
  FColorFG = clBlack;
  FColorBG = clBtnFace;
  FColBlackLine = clBlack;
  FColGrayLine = 0x808080;
  FColWhiteLine = 0xFFFFFF;
  FColorScheme = cscFixed;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnZoomPan = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  FAxLog = false;
  FMap = TScaleMap{};
  FRangeHigh = 100.0;
  FRangeLow = 0.0;
  FShortTicks = true;
  FTickCount = 0;
  FNumTicks = 3;
  FDecPlaces = -2;
  FDrawBaseLine = true;
  FTransparent = false;
  FLabelType = ftNumber;
  FDTFormat->SetTimeFormat(tf24Hours);
  FDTFormat->SetDateSeparator("-");
  FDTFormat->SetTimeSeparator(":");
  FDTFormat->SetYearLength(ylFourDigits);
  FDTFormat->SetMonthName(true);
  FDTFormat->SetDateForTime(dftDayChange);
  FDTFormat->SetDAteOrder(doDMY);
  FMarginTop = FMarginBottom = FMarginRight = FMarginLeft = 20;
  FIsHelper = false;
  FLblPosX = 4;
  FLblPosY = 4;
  FLblAlign = taCenter;
  FLblAnchor = uaSclTopLft;
  FMouseAction = mamNone;
  FMAnchorX = FMAnchorY = 0;
  FMAnchorWorldLow = FMAnchorWorldHigh = 0;
  FLButtonWasDown = false;
  FUserTicktext.clear();
  FScaleInscript.clear();
  FScaleTickPos.clear();
  FUnitLabel.clear();
  FForeignCv = nullptr;
  FForCvPosX = FForCvPosY = 0;
  FScaleType = stLabelsAbove;
  AdjustScalePars();
  FSuppressPaint = saved;
  TriggerPaint();
}

void TScale::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
}

void TScale::Loaded() {
  TCustomControl::Loaded();
  // While streaming, the log flag was taken as is because the range could
  // still follow; a range that never became positive (or a date/time axis)
  // cannot be logarithmic.
  if (FAxLog && !LogAllowed()) FAxLog = false;
  AdjustScalePars();
  FNotYetLoaded = false;
  TriggerPaint();
}

void TScale::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
  TCustomControl::SetBounds(left, top, width, height);
  AdjustAndPaint();
}

// ---- Transform ----------------------------------------------------------------

TScaleExtent TScale::Extent() const noexcept {
  TScaleExtent e;
  e.Width = Width();
  e.Height = Height();
  e.MarginLeft = FMarginLeft;
  e.MarginRight = FMarginRight;
  e.MarginTop = FMarginTop;
  e.MarginBottom = FMarginBottom;
  e.Vertical = Vertical();
  return e;
}

void TScale::AdjustScalePars() {
  if (Loading()) return;
  FMap.Adjust(Extent(), FRangeLow, FRangeHigh, FAxLog);
}

void TScale::AdjustAndPaint() {
  AdjustScalePars();
  TriggerPaint();
}

std::int32_t TScale::UnderflowPixel() const noexcept {
  // Values a logarithmic axis cannot show lie beyond its low end.
  if (Vertical()) return FRangeLow < FRangeHigh ? Height() : 0;
  return FRangeLow > FRangeHigh ? Width() : 0;
}

std::int32_t TScale::ConvertToPixelCoords(double Value) const noexcept {
  return FMap.ToPixel(Value, UnderflowPixel());
}

double TScale::ConvertPixelToScale(double PixelCoord) const noexcept {
  return FMap.ToValue(PixelCoord);
}

double TScale::GetTickPos(std::int32_t ix) const noexcept {
  if (ix < 1 || ix > FTickCount || std::size_t(ix) > FScaleTickPos.size()) return 0.0;
  return FScaleTickPos[std::size_t(ix - 1)];
}

// ---- Range setters --------------------------------------------------------------

void TScale::SetRangeLow(double v) {
  if (!Finite(v) || v == FRangeLow) return;
  FRangeLow = v;
  if (FRangeHigh == v) FRangeHigh = SeparatedFrom(v);
  AdjustAndPaint();
}

void TScale::SetRangeHigh(double v) {
  if (!Finite(v) || v == FRangeHigh) return;
  FRangeHigh = v;
  if (FRangeLow == v) FRangeLow = SeparatedFrom(v);  // the axis is then reversed
  AdjustAndPaint();
}

void TScale::SetRange(double LowVal, double HighVal) {
  if (!Finite(LowVal) || !Finite(HighVal)) return;
  if (LowVal == HighVal) HighVal = SeparatedFrom(LowVal);
  if (LowVal == FRangeLow && HighVal == FRangeHigh) return;
  FRangeLow = LowVal;
  FRangeHigh = HighVal;
  AdjustAndPaint();
}

// ---- Property setters --------------------------------------------------------

void TScale::SetCaption(const std::string& v) {
  if (v == FUnitLabel) return;
  FUnitLabel = v;
  TriggerPaint();
}
void TScale::SetCaptionPosX(std::int32_t v) {
  if (v == FLblPosX) return;
  FLblPosX = v;
  TriggerPaint();
}
void TScale::SetCaptionPosY(std::int32_t v) {
  if (v == FLblPosY) return;
  FLblPosY = v;
  TriggerPaint();
}
void TScale::SetCaptionAlignment(TAlignment v) {
  if (v == FLblAlign) return;
  FLblAlign = v;
  TriggerPaint();
}
void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  if (v == FLblAnchor) return;
  FLblAnchor = v;
  TriggerPaint();
}
void TScale::SetColorBackGnd(TColor v) {
  if (v == FColorBG) return;
  FColorBG = v;
  TriggerPaint();
}
void TScale::SetColorScale(TColor v) {
  if (v == FColorFG) return;
  FColorFG = v;
  TriggerPaint();
}
void TScale::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  if (v == cscFixed) {
    FColGrayLine = 0x808080;
    FColWhiteLine = 0xFFFFFF;
  } else {
    FColGrayLine = clBtnShadow;
    FColWhiteLine = clBtnHighlight;
  }
  TriggerPaint();
}
void TScale::SetDateFormat(const TDTLabel& v) {
  FDTFormat->Assign(v);  // notifies (and so repaints) only when something changed
}
void TScale::SetDecPlaces(std::int32_t v) {
  v = ClampToRange<std::int32_t>(v, -3, 12);
  if (v == FDecPlaces) return;
  FDecPlaces = v;
  AdjustAndPaint();
}
void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  TriggerPaint();
}
void TScale::SetLabelType(TFigType v) {
  if (v == FLabelType) return;
  FLabelType = v;
  if (v == ftDateTime && FAxLog) {
    FAxLog = false;
    AdjustScalePars();
  }
  if (v == ftTime) FDecPlaces = 4;
  TriggerPaint();
}
bool TScale::LogAllowed() const noexcept {
  return FRangeLow >= 1e-100 && FRangeHigh >= 1e-100 && FLabelType != ftDateTime;
}

void TScale::SetLogarithmic(bool v) {
  if (v == FAxLog) return;
  if (v) {
    // While a form is streamed in, the range may still arrive after the
    // flag; afterwards a logarithmic axis needs positive ends and numbers.
    const bool streaming = FNotYetLoaded && Loading();
    if (!streaming && !LogAllowed()) return;
  }
  FAxLog = v;
  AdjustAndPaint();
}
void TScale::SetMarginTop(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FMarginTop) return;
  FMarginTop = v;
  AdjustAndPaint();
}
void TScale::SetMarginBottom(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FMarginBottom) return;
  FMarginBottom = v;
  AdjustAndPaint();
}
void TScale::SetMarginLeft(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FMarginLeft) return;
  FMarginLeft = v;
  AdjustAndPaint();
}
void TScale::SetMarginRight(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FMarginRight) return;
  FMarginRight = v;
  AdjustAndPaint();
}
void TScale::SetMinTicks(std::int32_t v) {
  if (v != 0) v = ClampToRange<std::int32_t>(v, 2, 10);
  if (v == FNumTicks) return;
  FNumTicks = v;
  TriggerPaint();
}
void TScale::SetShortTicks(bool v) {
  if (v == FShortTicks) return;
  FShortTicks = v;
  TriggerPaint();
}
void TScale::SetShowBaseLine(bool v) {
  if (v == FDrawBaseLine) return;
  FDrawBaseLine = v;
  TriggerPaint();
}
void TScale::SetScaleInscript(const std::string& v) {
  if (v == FScaleInscript) return;
  FScaleInscript = v;
  TriggerPaint();
}
void TScale::SetScaleType(TScaleType v) {
  if (v == FScaleType) return;
  FScaleType = v;
  AdjustAndPaint();
}
void TScale::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  TriggerPaint();
}
void TScale::SetUserTickText(const std::string& v) {
  if (v == FUserTicktext) return;
  FUserTicktext = v;
  TriggerPaint();
}

// ---- Owners -------------------------------------------------------------------

void TScale::SetIsHelper(bool v) {
  if (v == FIsHelper) return;
  FIsHelper = v;
  TriggerPaint();
}
void TScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) TriggerPaint();
}
void TScale::UseForeignCanvas(TCanvas* ForeignCv, std::int32_t x, std::int32_t y) {
  FForeignCv = ForeignCv;
  FForCvPosX = x;
  FForCvPosY = y;
}
void TScale::SetForCvPosX(std::int32_t v) {
  if (v == FForCvPosX) return;
  FForCvPosX = v;
  TriggerPaint();
}
void TScale::SetForCvPosY(std::int32_t v) {
  if (v == FForCvPosY) return;
  FForCvPosY = v;
  TriggerPaint();
}

void TScale::PaintOnce() {
  if (FSuppressPaint) return;
  if (FForeignCv)
    Paint();
  else
    Refresh();  // through the window surface, which it keeps sized and presents
}

void TScale::TriggerPaint() {
  if (!FTransparent || FIsHelper)
    PaintOnce();
  else if (!FSuppressPaint)
    Invalidate();  // a transparent scale shows what lies behind it: the host repaints
}

void TScale::ForcePaint() {
  const bool saved = FSuppressPaint;
  FSuppressPaint = false;
  // At once even for a transparent stand-alone scale: a deferred paint would
  // find painting suppressed again.
  PaintOnce();
  FSuppressPaint = saved;
}

void TScale::Changed(TObject* /*Sender*/) { TriggerPaint(); }

// ---- Assignment ------------------------------------------------------------------

void TScale::Assign(const TObject& Source) {
  const auto* src = dynamic_cast<const TScale*>(&Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  FSuppressPaint = true;  // no paints from the date format while copying
  FFrameStyle = src->FFrameStyle;
  FColorFG = src->FColorFG;
  FColorBG = src->FColorBG;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  OnScaleTickDrawn = src->OnScaleTickDrawn;
  OnBeforeTickLabel = src->OnBeforeTickLabel;
  FAxLog = src->FAxLog;
  FMap = src->FMap;
  FRangeLow = src->FRangeLow;
  FRangeHigh = src->FRangeHigh;
  FShortTicks = src->FShortTicks;
  FTickCount = src->FTickCount;
  FNumTicks = src->FNumTicks;
  FDecPlaces = src->FDecPlaces;
  FDrawBaseLine = src->FDrawBaseLine;
  FTransparent = src->FTransparent;
  FLabelType = src->FLabelType;
  FDTFormat->Assign(*src->FDTFormat);
  FMarginTop = src->FMarginTop;
  FMarginBottom = src->FMarginBottom;
  FMarginLeft = src->FMarginLeft;
  FMarginRight = src->FMarginRight;
  FLblPosX = src->FLblPosX;
  FLblPosY = src->FLblPosY;
  FUserTicktext = src->FUserTicktext;
  FScaleInscript = src->FScaleInscript;
  FScaleTickPos = src->FScaleTickPos;
  FUnitLabel = src->FUnitLabel;
  FLblAnchor = src->FLblAnchor;
  FLblAlign = src->FLblAlign;
  FForCvPosX = src->FForCvPosX;
  FForCvPosY = src->FForCvPosY;
  FScaleType = src->FScaleType;
  FIsHelper = src->FIsHelper;
  OnBeforeScaleRendered = src->OnBeforeScaleRendered;
  OnAfterScaleRendered = src->OnAfterScaleRendered;
  // The copied transform belongs to the source's size; this scale may differ.
  AdjustScalePars();
  FSuppressPaint = src->FSuppressPaint;  // one of the copied settings
  TriggerPaint();
}

bool TScale::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TScale*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return TCustomControl::AssignTo(dest);
}

// ---- Drawing ---------------------------------------------------------------------

TDateLabelFormat TScale::DateLabelFormat() const {
  TDateLabelFormat f;
  f.DateOrder = FDTFormat->DateOrder();
  f.DateSeparator = FDTFormat->DateSeparator();
  f.TimeSeparator = FDTFormat->TimeSeparator();
  f.YearLength = FDTFormat->YearLength();
  f.MonthName = FDTFormat->MonthName();
  f.TimeFormat = FDTFormat->TimeFormat();
  f.DateForTime = FDTFormat->DateForTime();
  return f;
}

void TScale::DrawAxis(TCanvas& canvas, bool horizontal, std::int32_t base) {
  if (FDrawing) return;  // called from a handler of this drawing
  const TFlagScope drawing(FDrawing);
  TTickRequest rq;
  rq.Low = FRangeLow;
  rq.High = FRangeHigh;
  rq.MinTicks = FNumTicks;
  if (horizontal && rq.MinTicks != 0) rq.MinTicks = ClampToRange<std::int32_t>(rq.MinTicks, 2, 20);
  if (rq.MinTicks == 0 && FLabelType != ftTime && FLabelType != ftDateTime)
    rq.MinTicks = AutomaticTickCount(Extent().Length());
  rq.Log = FAxLog;
  rq.ShortTicks = FShortTicks;
  rq.Vertical = !horizontal;
  rq.Labels = FLabelType != ftNoFigs;
  rq.Source = FLabelType == ftDateTime ? TTickSource::DateTime
              : FLabelType == ftTime   ? TTickSource::TimeOfDay
                                       : TTickSource::Numeric;
  ComputeTicks(rq, FDivision);

  // The tick position list: rebuilt on every drawing, at most 250 entries.
  FScaleTickPos.clear();
  FScaleTickPos.reserve(kMaxTickPositions);
  for (const TTick& t : FDivision.Ticks) {
    if (!t.Listed) continue;
    if (FScaleTickPos.size() >= std::size_t(kMaxTickPositions)) break;
    FScaleTickPos.push_back(t.Value);
  }
  FTickCount = static_cast<std::int32_t>(FScaleTickPos.size());

  TLabelContext lc;
  lc.Low = FRangeLow;
  lc.High = FRangeHigh;
  lc.DecPlaces = FDecPlaces;
  lc.UserText = FLabelType == ftUserText;
  lc.UserTickText = FUserTicktext;
  lc.Inscription = FScaleInscript;
  lc.DateFormat = DateLabelFormat();
  LabelDivision(FDivision, lc, FLabels);

  TScaleDrawInput in;
  in.Type = FScaleType;
  in.Extent = Extent();
  in.Low = FRangeLow;
  in.High = FRangeHigh;
  in.Log = FAxLog;
  in.Transparent = FTransparent;
  in.Map = &FMap;
  in.UnderflowPixel = UnderflowPixel();
  in.Caption = FUnitLabel;
  in.CaptionPosX = FLblPosX;
  in.CaptionPosY = FLblPosY;
  in.CaptionAlignment = FLblAlign;
  in.CaptionAnchor = FLblAnchor;
  in.Sender = this;
  in.OnTickDrawn = &OnScaleTickDrawn;
  in.OnBeforeTickLabel = &OnBeforeTickLabel;
  canvas.Brush().SetColor(FColorBG);
  if (horizontal)
    ::kvo::DrawXScale(canvas, in, FDivision, FLabels, base);
  else
    ::kvo::DrawYScale(canvas, in, FDivision, FLabels, base);
}

void TScale::DrawXScale(TCanvas& Canvas, std::int32_t y) { DrawAxis(Canvas, true, y); }
void TScale::DrawYScale(TCanvas& Canvas, std::int32_t x) { DrawAxis(Canvas, false, x); }

void TScale::DrawScale(TCanvas& cv, std::int32_t offX, std::int32_t offY) {
  const std::int32_t w = Width(), h = Height();
  switch (FScaleType) {
    case stLabelsAbove: {
      const std::int32_t row = ClampToInt(double(offY) + h - FMarginBottom - 1);
      DrawXScale(cv, row);
      if (FDrawBaseLine) {
        cv.MoveTo(FMarginLeft, row);
        cv.LineTo(w - FMarginRight - 1, row);
      }
      break;
    }
    case stLabelsBelow: {
      const std::int32_t row = ClampToInt(double(offY) + FMarginTop);
      DrawXScale(cv, row);
      if (FDrawBaseLine) {
        cv.MoveTo(FMarginLeft, row);
        cv.LineTo(w - FMarginRight - 1, row);
      }
      break;
    }
    case stLabelsRight:
    case stLabelsLeft: {
      // In doubles: offsets and margins may be any integers (exact up to 2^53).
      const std::int32_t col = ClampToInt(FScaleType == stLabelsRight
                                              ? double(offX) + FMarginLeft
                                              : double(offX) + w - FMarginRight - 1);
      DrawYScale(cv, col);
      if (FDrawBaseLine) {
        cv.MoveTo(col, FMarginTop);
        cv.LineTo(col, h - FMarginBottom - 1);
      }
      break;
    }
  }
}

void TScale::Paint() {
  if (!Visible() && !(!FIsHelper && Designing())) return;
  if (Loading() || FSuppressPaint) return;
  if (FPainting) {
    // An event handler changed the scale while it draws: the division being
    // drawn must not change under the drawing; paint again afterwards.
    FRepaintPending = true;
    return;
  }
  const TFlagScope painting(FPainting);
  for (int pass = 0; pass < 2; ++pass) {
    FRepaintPending = false;
    PaintPicture();
    if (!FRepaintPending) break;
  }
}

void TScale::PaintPicture() {
  TCanvas& target = FForeignCv ? *FForeignCv : Canvas();
  const std::int32_t offX = FForeignCv ? FForCvPosX : 0, offY = FForeignCv ? FForCvPosY : 0;
  target.Font().Assign(Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);
  auto setPen = [this](TCanvas& cv) {
    cv.Pen().SetData(TPenData{FColorFG, psSolid, 1, pmCopy});
  };
  if (FTransparent) {
    if (!FForeignCv) {
      // On its own window surface nothing lies behind the scale: without
      // clearing, every paint would leave the ticks of the last one behind.
      target.Brush().SetData(TBrushData{Color(), bsSolid});
      target.FillRect(ClientRect());
    }
    setPen(target);
    DrawScale(target, offX, offY);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, target);
    return;
  }
  // The off-screen bitmap is kept between paints; it is refilled every time.
  // On a HiDPI target it has the target's device resolution, so that text
  // and lines stay as sharp as if drawn on the target itself.
  const double scale = std::max(target.Caps().Scale, 1.0);
  TBitmap& bmp = FPaintBuffer;
  bmp.SetSize(ClampToInt(std::ceil(Width() * scale - 1e-9)),
              ClampToInt(std::ceil(Height() * scale - 1e-9)));
  bmp.SetSurfaceScale(scale);
  TCanvas& cv = bmp.Canvas();
  cv.Font().Assign(Font());
  cv.Pen().SetData(TPenData{FColorBG, psSolid, 1, pmCopy});
  cv.Brush().SetData(TBrushData{FColorBG, bsSolid});
  cv.Rectangle(0, 0, Width(), Height());
  setPen(cv);
  DrawScale(cv, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, cv);
  DrawFrame(cv, FFrameStyle, 0, 0, Width() - 1, Height() - 1, FColWhiteLine, clSilver,
            FColGrayLine, FColBlackLine, FColBlackLine, FColorScheme);
  if (scale == 1.0)
    target.Draw(offX, offY, bmp);
  else
    target.StretchDraw(TRect{offX, offY, ClampToInt(double(offX) + Width()),
                             ClampToInt(double(offY) + Height())},
                       bmp);
}

// ---- Mouse ---------------------------------------------------------------------

void TScale::MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Shift.Contains(ssLeft)) return;
  const std::int32_t w = Width(), h = Height();
  const bool inside = Vertical()
                          ? (0 < X && X < w && FMarginTop < Y && Y < h - FMarginBottom)
                          : (FMarginLeft < X && X < w - FMarginRight && 0 < Y && Y < h);
  if (!inside) return;  // a drag in progress is not ended
  if (!FLButtonWasDown) {
    FMAnchorX = X;
    FMAnchorY = Y;
    FMAnchorWorldLow = FRangeLow;
    FMAnchorWorldHigh = FRangeHigh;
    FLButtonWasDown = true;
    return;
  }
  double lo = 0, hi = 0;
  if (!Rescale(X, Y, FMAnchorX, FMAnchorY, w, h, FMarginLeft, FMarginRight, FMarginTop,
               FMarginBottom, FMAnchorWorldLow, FMAnchorWorldHigh, FMouseAction, FScaleType,
               FAxLog, FRangeLow, FRangeHigh, lo, hi))
    return;
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  SetRange(lo, hi);
  SetSuppressPaint(saved);
  if (OnZoomPan) OnZoomPan(this);
}

void TScale::MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FLButtonWasDown = false;
}

void TScale::DblClick() {
  if (FMouseAction == mamPan)
    FMouseAction = mamStretch;
  else if (FMouseAction == mamStretch)
    FMouseAction = mamPan;
  TCustomControl::DblClick();
}

}  // namespace kvo
