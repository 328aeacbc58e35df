#include "scale/scale.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/numeric.h"
#include "platform/update.h"
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

}  // namespace

TScale::TScale(TComponent* owner) : TCustomControl(owner) {
  FSettings.DateFormat.OnChange = [this](TObject* sender) { Changed(sender); };
  SetBounds(Left(), Top(), 400, 400);
  ResetComp();
}

TScale::~TScale() { FSettings.DateFormat.OnChange = nullptr; }

void TScale::ResetComp() {
  // The suppression flag and the loaded state describe the component's life,
  // not its settings: a reset keeps them. Painting stays off meanwhile so the
  // date format's notifications do not paint a half-reset scale.
  const TPaintBatch<TScale> batch(*this);  // one paint at the end
  FSettings = {};
  FLook = {};
  FMouse = {};
  FMap = TScaleMap{};
  FTickCount = 0;
  FScaleTickPos.clear();
  FForeignCv = nullptr;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnZoomPan = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  SetWindowless(FLook.IsHelper);
  AdjustScalePars();
}

bool TScale::LogAllowed(const TScaleSettings& s) noexcept {
  return s.RangeLow >= 1e-100 && s.RangeHigh >= 1e-100 && s.LabelType != ftDateTime;
}

void TScale::SetSettings(const TScaleSettings& v) {
  TScaleSettings n = v;
  if (!Finite(n.RangeLow) || !Finite(n.RangeHigh)) {
    n.RangeLow = FSettings.RangeLow;
    n.RangeHigh = FSettings.RangeHigh;
  } else if (n.RangeLow == n.RangeHigh) {
    n.RangeHigh = SeparatedFrom(n.RangeLow);
  }
  n.DecPlaces = ClampToRange<std::int32_t>(n.DecPlaces, -3, 12);
  if (n.MinTicks != 0) n.MinTicks = ClampToRange<std::int32_t>(n.MinTicks, 2, 10);
  // Date/time labels are never logarithmic; while a form is streamed in the
  // range may still follow the flag.
  if (n.Logarithmic && (n.LabelType == ftDateTime || (!Streaming() && !LogAllowed(n))))
    n.Logarithmic = false;
  if (n == FSettings) return;
  const TPaintBatch<TScale> batch(*this);  // one paint at the end
  FSettings = n;  // the date format keeps its link to this scale
  AdjustScalePars();
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
  if (FSettings.Logarithmic && !LogAllowed()) FSettings.Logarithmic = false;
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
  e.MarginLeft = FLook.MarginLeft;
  e.MarginRight = FLook.MarginRight;
  e.MarginTop = FLook.MarginTop;
  e.MarginBottom = FLook.MarginBottom;
  e.Vertical = Vertical();
  return e;
}

void TScale::AdjustScalePars() {
  if (Loading()) return;
  FMap.Adjust(Extent(), FSettings.RangeLow, FSettings.RangeHigh, FSettings.Logarithmic);
}

void TScale::AdjustAndPaint() {
  AdjustScalePars();
  TriggerPaint();
}

std::int32_t TScale::UnderflowPixel() const noexcept {
  // Values a logarithmic axis cannot show lie beyond its low end.
  if (Vertical()) return FSettings.RangeLow < FSettings.RangeHigh ? Height() : 0;
  return FSettings.RangeLow > FSettings.RangeHigh ? Width() : 0;
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
  if (!Finite(v) || v == FSettings.RangeLow) return;
  FSettings.RangeLow = v;
  if (FSettings.RangeHigh == v) FSettings.RangeHigh = SeparatedFrom(v);
  AdjustAndPaint();
}

void TScale::SetRangeHigh(double v) {
  if (!Finite(v) || v == FSettings.RangeHigh) return;
  FSettings.RangeHigh = v;
  if (FSettings.RangeLow == v) FSettings.RangeLow = SeparatedFrom(v);  // the axis is then reversed
  AdjustAndPaint();
}

void TScale::SetRange(double LowVal, double HighVal) {
  if (!Finite(LowVal) || !Finite(HighVal)) return;
  if (LowVal == HighVal) HighVal = SeparatedFrom(LowVal);
  if (LowVal == FSettings.RangeLow && HighVal == FSettings.RangeHigh) return;
  FSettings.RangeLow = LowVal;
  FSettings.RangeHigh = HighVal;
  AdjustAndPaint();
}

// ---- Property setters --------------------------------------------------------

void TScale::SetCaption(const std::string& v) {
  if (v == FSettings.Caption) return;
  FSettings.Caption = v;
  TriggerPaint();
}
void TScale::SetCaptionPosX(std::int32_t v) {
  if (v == FSettings.CaptionPosX) return;
  FSettings.CaptionPosX = v;
  TriggerPaint();
}
void TScale::SetCaptionPosY(std::int32_t v) {
  if (v == FSettings.CaptionPosY) return;
  FSettings.CaptionPosY = v;
  TriggerPaint();
}
void TScale::SetCaptionAlignment(TAlignment v) {
  if (v == FSettings.CaptionAlignment) return;
  FSettings.CaptionAlignment = v;
  TriggerPaint();
}
void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  if (v == FSettings.CaptionAnchor) return;
  FSettings.CaptionAnchor = v;
  TriggerPaint();
}
void TScale::SetColorBackGnd(TColor v) {
  if (v == FLook.ColorBG) return;
  FLook.ColorBG = v;
  TriggerPaint();
}
void TScale::SetColorScale(TColor v) {
  if (v == FSettings.ColorScale) return;
  FSettings.ColorScale = v;
  TriggerPaint();
}
void TScale::SetColorScheme(TColorScheme v) {
  if (v == FLook.ColorScheme) return;
  FLook.ColorScheme = v;
  if (v == cscFixed) {
    FLook.ColGrayLine = 0x808080;
    FLook.ColWhiteLine = 0xFFFFFF;
  } else {
    FLook.ColGrayLine = clBtnShadow;
    FLook.ColWhiteLine = clBtnHighlight;
  }
  TriggerPaint();
}
void TScale::SetDateFormat(const TDTLabel& v) {
  FSettings.DateFormat.Assign(v);  // notifies (and so repaints) only when something changed
}
void TScale::SetDecPlaces(std::int32_t v) {
  v = ClampToRange<std::int32_t>(v, -3, 12);
  if (v == FSettings.DecPlaces) return;
  FSettings.DecPlaces = v;
  AdjustAndPaint();
}
void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == FLook.FrameStyle) return;
  FLook.FrameStyle = v;
  TriggerPaint();
}
void TScale::SetLabelType(TFigType v) {
  if (v == FSettings.LabelType) return;
  FSettings.LabelType = v;
  if (v == ftDateTime && FSettings.Logarithmic) {
    FSettings.Logarithmic = false;
    AdjustScalePars();
  }
  if (v == ftTime) FSettings.DecPlaces = 4;
  TriggerPaint();
}

void TScale::SetLogarithmic(bool v) {
  if (v == FSettings.Logarithmic) return;
  if (v) {
    // While a form is streamed in, the range may still arrive after the
    // flag; afterwards a logarithmic axis needs positive ends and numbers.
    if (!Streaming() && !LogAllowed()) return;
  }
  FSettings.Logarithmic = v;
  AdjustAndPaint();
}
void TScale::SetMarginTop(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FLook.MarginTop) return;
  FLook.MarginTop = v;
  AdjustAndPaint();
}
void TScale::SetMarginBottom(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FLook.MarginBottom) return;
  FLook.MarginBottom = v;
  AdjustAndPaint();
}
void TScale::SetMarginLeft(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FLook.MarginLeft) return;
  FLook.MarginLeft = v;
  AdjustAndPaint();
}
void TScale::SetMarginRight(std::int32_t v) {
  v = std::max(v, 0);
  if (v == FLook.MarginRight) return;
  FLook.MarginRight = v;
  AdjustAndPaint();
}
void TScale::SetMinTicks(std::int32_t v) {
  if (v != 0) v = ClampToRange<std::int32_t>(v, 2, 10);
  if (v == FSettings.MinTicks) return;
  FSettings.MinTicks = v;
  TriggerPaint();
}
void TScale::SetShortTicks(bool v) {
  if (v == FSettings.ShortTicks) return;
  FSettings.ShortTicks = v;
  TriggerPaint();
}
void TScale::SetShowBaseLine(bool v) {
  if (v == FLook.ShowBaseLine) return;
  FLook.ShowBaseLine = v;
  TriggerPaint();
}
void TScale::SetScaleInscript(const std::string& v) {
  if (v == FSettings.ScaleInscript) return;
  FSettings.ScaleInscript = v;
  TriggerPaint();
}
void TScale::SetScaleType(TScaleType v) {
  if (v == FSettings.ScaleType) return;
  FSettings.ScaleType = v;
  AdjustAndPaint();
}
void TScale::SetTransparent(bool v) {
  if (v == FLook.Transparent) return;
  FLook.Transparent = v;
  TriggerPaint();
}
void TScale::SetUserTickText(const std::string& v) {
  if (v == FSettings.UserTickText) return;
  FSettings.UserTickText = v;
  TriggerPaint();
}

// ---- Owners -------------------------------------------------------------------

void TScale::SetIsHelper(bool v) {
  if (v == FLook.IsHelper) return;
  FLook.IsHelper = v;
  SetWindowless(v);
  TriggerPaint();
}
void TScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) TriggerPaint();
}
void TScale::UseForeignCanvas(TCanvas* ForeignCv, std::int32_t x, std::int32_t y) {
  FForeignCv = ForeignCv;
  FLook.ForCvPosX = x;
  FLook.ForCvPosY = y;
}
void TScale::SetForCvPosX(std::int32_t v) {
  if (v == FLook.ForCvPosX) return;
  FLook.ForCvPosX = v;
  TriggerPaint();
}
void TScale::SetForCvPosY(std::int32_t v) {
  if (v == FLook.ForCvPosY) return;
  FLook.ForCvPosY = v;
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
  if (!FLook.Transparent || FLook.IsHelper)
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
  FSettings = src->FSettings;  // the date format keeps its link to this scale
  FLook = src->FLook;
  SetWindowless(FLook.IsHelper);
  FMap = src->FMap;
  FTickCount = src->FTickCount;
  FScaleTickPos = src->FScaleTickPos;
  OnScaleTickDrawn = src->OnScaleTickDrawn;
  OnBeforeTickLabel = src->OnBeforeTickLabel;
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
  f.DateOrder = FSettings.DateFormat.DateOrder();
  f.DateSeparator = FSettings.DateFormat.DateSeparator();
  f.TimeSeparator = FSettings.DateFormat.TimeSeparator();
  f.YearLength = FSettings.DateFormat.YearLength();
  f.MonthName = FSettings.DateFormat.MonthName();
  f.TimeFormat = FSettings.DateFormat.TimeFormat();
  f.DateForTime = FSettings.DateFormat.DateForTime();
  return f;
}

void TScale::DrawAxis(TCanvas& canvas, bool horizontal, std::int32_t base) {
  if (FDrawing) return;  // called from a handler of this drawing
  const TFlagScope drawing(FDrawing);
  TTickRequest rq;
  rq.Low = FSettings.RangeLow;
  rq.High = FSettings.RangeHigh;
  rq.MinTicks = FSettings.MinTicks;
  if (horizontal && rq.MinTicks != 0) rq.MinTicks = ClampToRange<std::int32_t>(rq.MinTicks, 2, 20);
  if (rq.MinTicks == 0 && FSettings.LabelType != ftTime && FSettings.LabelType != ftDateTime)
    rq.MinTicks = AutomaticTickCount(Extent().Length());
  rq.Log = FSettings.Logarithmic;
  rq.ShortTicks = FSettings.ShortTicks;
  rq.Vertical = !horizontal;
  rq.Labels = FSettings.LabelType != ftNoFigs;
  rq.Source = FSettings.LabelType == ftDateTime ? TTickSource::DateTime
              : FSettings.LabelType == ftTime   ? TTickSource::TimeOfDay
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
  lc.Low = FSettings.RangeLow;
  lc.High = FSettings.RangeHigh;
  lc.DecPlaces = FSettings.DecPlaces;
  lc.UserText = FSettings.LabelType == ftUserText;
  lc.UserTickText = FSettings.UserTickText;
  lc.Inscription = FSettings.ScaleInscript;
  lc.DateFormat = DateLabelFormat();
  LabelDivision(FDivision, lc, FLabels);

  TScaleDrawInput in;
  in.Type = FSettings.ScaleType;
  in.Extent = Extent();
  in.Low = FSettings.RangeLow;
  in.High = FSettings.RangeHigh;
  in.Log = FSettings.Logarithmic;
  in.Transparent = FLook.Transparent;
  in.Map = &FMap;
  in.UnderflowPixel = UnderflowPixel();
  in.Caption = FSettings.Caption;
  in.CaptionPosX = FSettings.CaptionPosX;
  in.CaptionPosY = FSettings.CaptionPosY;
  in.CaptionAlignment = FSettings.CaptionAlignment;
  in.CaptionAnchor = FSettings.CaptionAnchor;
  in.Sender = this;
  in.OnTickDrawn = &OnScaleTickDrawn;
  in.OnBeforeTickLabel = &OnBeforeTickLabel;
  canvas.Brush().SetColor(FLook.ColorBG);
  if (horizontal)
    ::kvo::DrawXScale(canvas, in, FDivision, FLabels, base);
  else
    ::kvo::DrawYScale(canvas, in, FDivision, FLabels, base);
}

void TScale::DrawXScale(TCanvas& Canvas, std::int32_t y) { DrawAxis(Canvas, true, y); }
void TScale::DrawYScale(TCanvas& Canvas, std::int32_t x) { DrawAxis(Canvas, false, x); }

void TScale::DrawScale(TCanvas& cv, std::int32_t offX, std::int32_t offY) {
  const std::int32_t w = Width(), h = Height();
  switch (FSettings.ScaleType) {
    case stLabelsAbove: {
      const std::int32_t row = ClampToInt(double(offY) + h - FLook.MarginBottom - 1);
      DrawXScale(cv, row);
      if (FLook.ShowBaseLine) {
        cv.MoveTo(FLook.MarginLeft, row);
        cv.LineTo(w - FLook.MarginRight - 1, row);
      }
      break;
    }
    case stLabelsBelow: {
      const std::int32_t row = ClampToInt(double(offY) + FLook.MarginTop);
      DrawXScale(cv, row);
      if (FLook.ShowBaseLine) {
        cv.MoveTo(FLook.MarginLeft, row);
        cv.LineTo(w - FLook.MarginRight - 1, row);
      }
      break;
    }
    case stLabelsRight:
    case stLabelsLeft: {
      // In doubles: offsets and margins may be any integers (exact up to 2^53).
      const std::int32_t col = ClampToInt(FSettings.ScaleType == stLabelsRight
                                              ? double(offX) + FLook.MarginLeft
                                              : double(offX) + w - FLook.MarginRight - 1);
      DrawYScale(cv, col);
      if (FLook.ShowBaseLine) {
        cv.MoveTo(col, FLook.MarginTop);
        cv.LineTo(col, h - FLook.MarginBottom - 1);
      }
      break;
    }
  }
}

void TScale::Paint() {
  if (!Visible() && !(!FLook.IsHelper && Designing())) return;
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
  const std::int32_t offX = FForeignCv ? FLook.ForCvPosX : 0;
  const std::int32_t offY = FForeignCv ? FLook.ForCvPosY : 0;
  target.Font().Assign(Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);
  auto setPen = [this](TCanvas& cv) {
    cv.Pen().SetData(TPenData{FSettings.ColorScale, psSolid, 1, pmCopy});
  };
  if (FLook.Transparent) {
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
  cv.Pen().SetData(TPenData{FLook.ColorBG, psSolid, 1, pmCopy});
  cv.Brush().SetData(TBrushData{FLook.ColorBG, bsSolid});
  cv.Rectangle(0, 0, Width(), Height());
  setPen(cv);
  DrawScale(cv, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, cv);
  DrawFrame(cv, FLook.FrameStyle, 0, 0, Width() - 1, Height() - 1, FLook.ColWhiteLine, clSilver,
            FLook.ColGrayLine, FLook.ColBlackLine, FLook.ColBlackLine, FLook.ColorScheme);
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
                          ? (0 < X && X < w && FLook.MarginTop < Y && Y < h - FLook.MarginBottom)
                          : (FLook.MarginLeft < X && X < w - FLook.MarginRight && 0 < Y && Y < h);
  if (!inside) return;  // a drag in progress is not ended
  if (!FMouse.Dragging) {
    FMouse.AnchorX = X;
    FMouse.AnchorY = Y;
    FMouse.WorldLow = FSettings.RangeLow;
    FMouse.WorldHigh = FSettings.RangeHigh;
    FMouse.Dragging = true;
    return;
  }
  double lo = 0, hi = 0;
  const TMouseState& m = FMouse;
  if (!Rescale(X, Y, m.AnchorX, m.AnchorY, w, h, FLook.MarginLeft, FLook.MarginRight,
               FLook.MarginTop, FLook.MarginBottom, m.WorldLow, m.WorldHigh, m.Action,
               FSettings.ScaleType, FSettings.Logarithmic, FSettings.RangeLow, FSettings.RangeHigh,
               lo, hi))
    return;
  {
    const TPaintBatch<TScale> batch(*this);
    SetRange(lo, hi);
  }
  if (OnZoomPan) OnZoomPan(this);
}

void TScale::MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FMouse.Dragging = false;
}

void TScale::DblClick() {
  if (FMouse.Action == mamPan)
    FMouse.Action = mamStretch;
  else if (FMouse.Action == mamStretch)
    FMouse.Action = mamPan;
  TCustomControl::DblClick();
}

}  // namespace kvo
