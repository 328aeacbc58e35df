#include "colorscale/colorscale.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/numeric.h"
#include "platform/registry.h"
#include "platform/update.h"

namespace kvo {

namespace {

// The legend's crosshair at its start: a dotted red full cross at (0, 0).
void InitCrossHair(TCrossHair& ch) {
  TCrossHair start;
  start.SetPos(0, 0);
  start.SetCrossHColor(clRed);
  start.SetCrossHMode(chBoth);
  start.SetCrossHLineType(psDot);
  start.SetCrossHLineWid(1);
  ch.Assign(start);
}

const bool kRegistered = (RegisterColorScale(), true);

}  // namespace

void RegisterColorScale() {
  RegisterComponents("Kvo", {TComponentClass{"TColorScale", [](TComponent* owner) {
                               return std::unique_ptr<TComponent>(
                                   std::make_unique<TColorScale>(owner));
                             }}});
}

// ---- Lifecycle -----------------------------------------------------------------

TColorScale::TColorScale(TComponent* owner) : TCustomControl(owner) {
  (void)kRegistered;
  FAxis.ForwardEvents(*this, OnScaleTickDrawn, OnBeforeTickLabel);
  FAxis.Scale().SetName("ColorScale");
  TCustomControl::SetBounds(0, 0, 300, 75);
  ColorArray.OnChange = [this](TObject*) { Changed(); };
  FCrossHair.OnChange = [this](TObject*) { Changed(); };
  ResetComp();
  FSuppressPaint = false;
}

TColorScale::~TColorScale() {
  ColorArray.OnChange = nullptr;
  FCrossHair.OnChange = nullptr;
}

void TColorScale::ResetComp() {
  TUpdate update(*this);
  FSet = TColorScaleSettings{};
  {
    const TSilentChanges<TCrossHair> quiet(FCrossHair);
    InitCrossHair(FCrossHair);
  }
  FAxis.Reset();
  TScaleSettings s = FAxis.Settings();
  s.RangeLow = -10;
  s.RangeHigh = 10;
  s.ColorScale = FSet.ColorOfScale;
  FAxis.SetSettings(s);
  SetScaleDims();
  ReadRange();
  FZoomPanMode = zpmBoth;
  FLeftButWasDown = false;
  Changed();
}

void TColorScale::Assign(const TObject& Source) {
  const auto* src = dynamic_cast<const TColorScale*>(&Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  TUpdate update(*this);
  FSet = src->FSet;
  FZoomPanMode = src->FZoomPanMode;
  {
    const TSilentChanges<TCrossHair> quiet(FCrossHair);
    FCrossHair.Assign(src->FCrossHair);
  }
  {
    const TSilentChanges<TColorArray> quiet(ColorArray);
    ColorArray.CopyFrom(src->ColorArray);
  }
  OnDataRendered = src->OnDataRendered;
  OnMouseMoveInScale = src->OnMouseMoveInScale;
  OnCrossHairMove = src->OnCrossHairMove;
  OnZoomPan = src->OnZoomPan;
  FAxis.SetSettings(src->FAxis.Settings());
  // Margins are limited by this control's size.
  SetScaleDims();
  ReadRange();
  Changed();
}

bool TColorScale::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TColorScale*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return TCustomControl::AssignTo(dest);
}

void TColorScale::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height) {
  TUpdate update(*this);
  TCustomControl::SetBounds(left, top, width, height);
  SetScaleDims();
}

void TColorScale::Changed() {
  if (FSuppressPaint) return;
  Refresh();
}

void TColorScale::FontChanged() { Changed(); }

void TColorScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) Changed();
}

void TColorScale::ReadRange() noexcept {
  FColSclMin = FAxis.Settings().RangeLow;
  FColSclMax = FAxis.Settings().RangeHigh;
}

// ---- Conversions -------------------------------------------------------------------

TColor TColorScale::ValueToColor(double v) const noexcept {
  const std::int32_t n = ColorArray.NumColors();
  if (n <= 0) return clBlack;
  const double d = FSet.ColorHigh - FSet.ColorLow;
  double a = d == 0 ? n / 2.0 : n * (v - FSet.ColorLow) / d;
  if (std::isnan(a)) a = n / 2.0;
  a = ClampToRange(a, 1.0, double(n));
  return ColorArray.GetColorElem(Round(a));
}

double TColorScale::ColorToValue(TColor c) const noexcept {
  const std::int32_t n = ColorArray.NumColors();
  const double d = FSet.ColorHigh - FSet.ColorLow;
  if (n <= 0) return FSet.ColorLow + d / 2;
  return FSet.ColorLow + double(ColorArray.ColorToIndex(c)) / n * d;
}

std::int32_t TColorScale::ValueToPixel(double v) const noexcept {
  return FAxis.Scale().ConvertToPixelCoords(v);
}

double TColorScale::PixelToValue(double pixel) const noexcept {
  return FAxis.Scale().ConvertPixelToScale(pixel);
}

void TColorScale::SetScaleRange(double LowVal, double HighVal) {
  if (!std::isfinite(LowVal) || !std::isfinite(HighVal)) return;
  if (LowVal == HighVal) {
    LowVal -= 1;
    HighVal += 1;
  }
  TUpdate update(*this);
  TScaleSettings s = FAxis.Settings();
  s.RangeLow = LowVal;
  s.RangeHigh = HighVal;
  FAxis.SetSettings(s);
  ReadRange();
  FSet.ColorLow = LowVal;
  FSet.ColorHigh = HighVal;
  Changed();
}

void TColorScale::SetScaleDims() {
  const std::int32_t w = Width(), h = Height();
  if (Vertical()) {
    // Base line along the bar's right edge, labels to its right.
    FAxis.PlaceWithMargins(w, h, stLabelsRight,
                           TScaleMargins{w - FSet.MarginRight, FSet.MarginTop, 0, FSet.MarginBottom});
  } else {
    // Base line along the bar's lower edge, labels below it.
    FAxis.PlaceWithMargins(w, h, stLabelsBelow,
                           TScaleMargins{FSet.MarginLeft, h - FSet.MarginBottom, FSet.MarginRight, 0});
  }
  Changed();
}

void TColorScale::SetScaleSettings(const TScaleSettings& v) {
  TUpdate update(*this);
  FAxis.SetSettings(v);
  FSet.ColorOfScale = FAxis.Settings().ColorScale;
  ReadRange();
  Changed();
}

void TColorScale::CopyToBitMap(TBitmap* ABitmap, std::int32_t PosX, std::int32_t PosY) {
  if (!ABitmap) return;
  FGrafBmp.SetSurfaceScale(1.0);
  FGrafBmp.SetSize(Width(), Height());
  DrawPicture(FGrafBmp.Canvas());
  if (PosX < 0 || PosY < 0) {
    ABitmap->SetSize(Width(), Height());
    PosX = PosY = 0;
  }
  ABitmap->Canvas().Draw(PosX, PosY, FGrafBmp);
}

// ---- Properties ----------------------------------------------------------------------

#define KVO_CS_SETTER(Name, Type)         \
  void TColorScale::Set##Name(Type v) {   \
    if (v == FSet.Name) return;           \
    FSet.Name = v;                        \
    Changed();                            \
  }
KVO_CS_SETTER(Caption, const std::string&)
KVO_CS_SETTER(CaptionColor, TColor)
KVO_CS_SETTER(CaptionPosX, std::int32_t)
KVO_CS_SETTER(CaptionPosY, std::int32_t)
KVO_CS_SETTER(CaptionSize, std::int32_t)
KVO_CS_SETTER(CaptionStyle, TFontStyles)
KVO_CS_SETTER(ColorSclBkgd, TColor)
KVO_CS_SETTER(ColorScheme, TColorScheme)
KVO_CS_SETTER(ExtendColors, bool)
KVO_CS_SETTER(FramedColorScale, bool)
#undef KVO_CS_SETTER

void TColorScale::SetFrameStyle(TFrameStyle v) {
  if (v == FSet.FrameStyle || int(v) >= kNumFrameStyles) return;
  FSet.FrameStyle = v;
  Changed();
}

void TColorScale::SetColorOfScale(TColor v) {
  if (v == FSet.ColorOfScale) return;
  FSet.ColorOfScale = v;
  TScaleSettings s = FAxis.Settings();
  s.ColorScale = v;
  FAxis.SetSettings(s);
  Changed();
}

void TColorScale::SetCrossHair(const TCrossHair& v) { FCrossHair.Assign(v); }

void TColorScale::SetScaleRangeLow(double v) {
  if (v == FColSclMin) return;
  FAxis.Scale().SetRangeLow(v);  // separates equal ends, ignores NaN
  ReadRange();
  Changed();
}

void TColorScale::SetScaleRangeHigh(double v) {
  if (v == FColSclMax) return;
  FAxis.Scale().SetRangeHigh(v);
  ReadRange();
  Changed();
}

void TColorScale::SetColorLow(double v) {
  if (!std::isfinite(v)) return;
  FSet.ColorLow = v;
  if (v > FSet.ColorHigh) FSet.ColorHigh = v;
  Changed();
}

void TColorScale::SetColorHigh(double v) {
  if (!std::isfinite(v)) return;
  FSet.ColorHigh = v;
  if (v < FSet.ColorLow) FSet.ColorLow = v;
  Changed();
}

void TColorScale::SetMargin(std::int32_t TColorScaleSettings::*field, std::int32_t v,
                            std::int32_t size, std::int32_t other) {
  v = std::clamp(v, 0, std::max(0, size - other - 1));
  if (v == FSet.*field) return;
  FSet.*field = v;
  TUpdate update(*this);
  SetScaleDims();
}

void TColorScale::SetMarginTop(std::int32_t v) {
  SetMargin(&TColorScaleSettings::MarginTop, v, Height(), FSet.MarginBottom);
}
void TColorScale::SetMarginBottom(std::int32_t v) {
  SetMargin(&TColorScaleSettings::MarginBottom, v, Height(), FSet.MarginTop);
}
void TColorScale::SetMarginLeft(std::int32_t v) {
  SetMargin(&TColorScaleSettings::MarginLeft, v, Width(), FSet.MarginRight);
}
void TColorScale::SetMarginRight(std::int32_t v) {
  SetMargin(&TColorScaleSettings::MarginRight, v, Width(), FSet.MarginLeft);
}

void TColorScale::SetMinTicks(std::int32_t v) {
  v = std::clamp(v, 2, 10);
  if (v == FAxis.Settings().MinTicks) return;
  TScaleSettings s = FAxis.Settings();
  s.MinTicks = v;
  FAxis.SetSettings(s);
  Changed();
}

void TColorScale::SetOrientation(TColScaleOrientation v) {
  if (v == FSet.Orientation || v > csoVertical) return;
  FSet.Orientation = v;
  TUpdate update(*this);
  SetScaleDims();
}

// ---- Drawing -----------------------------------------------------------------------------

void TColorScale::Paint() {
  if (!Visible() && !Designing()) return;
  if (FSuppressPaint && !Designing()) return;
  if (FPainting) {
    // A handler changed the legend while it draws: paint again afterwards.
    FRepaintPending = true;
    return;
  }
  const TFlagScope painting(FPainting);
  for (int pass = 0; pass < 2; ++pass) {
    FRepaintPending = false;
    // Drawn at the surface's resolution (sharp on HiDPI hosts).
    const double scale = SurfaceScale();
    FGrafBmp.SetSize(Surface().Width(), Surface().Height());
    FGrafBmp.SetSurfaceScale(scale);
    DrawPicture(FGrafBmp.Canvas());
    if (scale == 1.0) Canvas().Draw(0, 0, FGrafBmp);
    else Canvas().StretchDraw(TRect{0, 0, Width(), Height()}, FGrafBmp);
    if (!FRepaintPending) break;
  }
}

void TColorScale::DrawPicture(TCanvas& c) {
  const std::int32_t w = Width(), h = Height();
  c.Pen().SetData(TPenData{FSet.ColorSclBkgd, psSolid, 1, pmCopy});
  c.Brush().SetData(TBrushData{FSet.ColorSclBkgd, bsSolid});
  c.Rectangle(0, 0, w, h);

  DrawBar(c);

  // The axis, in the legend's font and scale colour.
  TScale& axis = FAxis.Scale();
  axis.Font().Assign(Font());
  axis.Font().SetColor(FSet.ColorOfScale);
  FAxis.Draw(c);

  if (!FSet.Caption.empty()) {
    c.Font().Assign(Font());
    SetCanvasFontSizeScaled(c, FSet.CaptionSize);
    c.Font().SetStyle(FSet.CaptionStyle);
    c.Font().SetColor(FSet.CaptionColor);
    c.Brush().SetStyle(bsClear);
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(FSet.CaptionPosX, FSet.CaptionPosY, FSet.Caption);
  }

  if (OnDataRendered) OnDataRendered(this, c);
  DrawCrossHair(c);
  DrawFrame(c, FSet.FrameStyle, 0, 0, w - 1, h - 1, clWhite, 0xC0C0C0, 0x808080, clBlack, clBlack,
            FSet.ColorScheme);
}

// The bar: one line across it per pixel along it, in the colour of the value
// there. The colour range runs from pixel b (ColorLow) to pixel e (ColorHigh)
// in either direction (a reversed axis puts the low colours at the far end);
// beyond it the bar keeps the background or, with ExtendColors, the end colours.
void TColorScale::DrawBar(TCanvas& c) {
  const std::int32_t w = Width(), h = Height();
  const std::int32_t mL = FSet.MarginLeft, mR = FSet.MarginRight;
  const std::int32_t mT = FSet.MarginTop, mB = FSet.MarginBottom;
  const bool vertical = Vertical();
  // Along the bar: first..last pixel; across it: the line from `from` to `to`.
  const std::int32_t first = vertical ? mT : mL;
  const std::int32_t last = vertical ? h - mB - 1 : w - mR - 1;
  const std::int32_t from = vertical ? mL : mT;
  const std::int32_t to = vertical ? w - mR : h - mB;
  const std::int32_t n = ColorArray.NumColors();
  if (last >= first && to > from && n > 0) {
    const std::int32_t pb = ValueToPixel(FSet.ColorLow), pe = ValueToPixel(FSet.ColorHigh);
    const std::int32_t pMin = std::min(pb, pe), pMax = std::max(pb, pe);
    const std::int32_t lowEnd = std::clamp(pMin, first, last);
    const std::int32_t highEnd = std::clamp(pMax, first, last);
    const bool rangeInside = pMax >= first && pMin <= last;
    const double span = double(pe) - double(pb);
    auto line = [&](std::int32_t k, TColor col) {
      c.Pen().SetColor(col);
      if (vertical) {
        c.MoveTo(from, k);
        c.LineTo(to, k);
      } else {
        c.MoveTo(k, from);
        c.LineTo(k, to);
      }
    };
    // On a logarithmic axis the colours follow the values (as ValueToColor
    // does), not the pixels, so that the bar shows what the data get.
    const bool logAxis = FAxis.Settings().Logarithmic;
    const double d = FSet.ColorHigh - FSet.ColorLow;
    if (rangeInside) {
      for (std::int32_t k = lowEnd; k <= highEnd; ++k) {
        std::int32_t f = n / 2;
        if (logAxis) {
          if (d != 0) f = Round(n * (PixelToValue(k) - FSet.ColorLow) / d);
        } else if (span != 0) {
          f = Round((double(k) - pb) / span * n);
        }
        line(k, ColorArray.GetColorElem(std::clamp(f, 1, n)));
      }
    }
    if (FSet.ExtendColors) {
      // Before the range lies the end colour of the pixel nearer the start.
      const bool lowFirst = pb <= pe;
      const TColor cBefore = ColorArray.GetColorElem(lowFirst ? 1 : n);
      const TColor cAfter = ColorArray.GetColorElem(lowFirst ? n : 1);
      if (rangeInside) {
        if (first < lowEnd)
          for (std::int32_t k = first; k <= lowEnd; ++k) line(k, cBefore);
        if (highEnd < last)
          for (std::int32_t k = highEnd; k <= last; ++k) line(k, cAfter);
      } else {
        const TColor all = pMax < first ? cAfter : cBefore;
        for (std::int32_t k = first; k <= last; ++k) line(k, all);
      }
    }
  }
  if (FSet.FramedColorScale) {
    c.Pen().SetColor(FSet.ColorOfScale);
    c.Brush().SetStyle(bsClear);
    if (vertical) c.Rectangle(mL, mT, w - mR + 1, h - mB);
    else c.Rectangle(mL, mT, w - mR, h - mB + 1);
  }
}

void TColorScale::DrawCrossHair(TCanvas& c) {
  if (FCrossHair.Mode() == chOff) return;
  const std::int32_t w = Width(), h = Height();
  const std::int32_t lw = FCrossHair.LineWidth();
  c.Brush().SetData(TBrushData{clWhite, bsSolid});
  c.Pen().SetData(TPenData{FCrossHair.Color(), FCrossHair.LineType(), lw, pmCopy});
  if (Vertical()) {
    const std::int32_t p = ClampPixel(ValueToPixel(FCrossHair.PosY()));
    c.MoveTo(FSet.MarginLeft + lw / 2 + 1, p);
    c.LineTo(w - FSet.MarginRight - lw / 2, p);
  } else {
    const std::int32_t p = ClampPixel(ValueToPixel(FCrossHair.PosX()));
    c.MoveTo(p, FSet.MarginTop + lw / 2 + 1);
    c.LineTo(p, h - FSet.MarginBottom - lw / 2);
  }
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
}

// ---- Mouse ----------------------------------------------------------------------------------

void TColorScale::MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseDown(b, s, x, y);
  if (b != mbLeft || FSet.MouseAction != mamDragRange) return;
  FMouseAnchorX = x;
  FMouseAnchorY = y;
  FAnchorSclLow = FAxis.Settings().RangeLow;
  FAnchorSclHigh = FAxis.Settings().RangeHigh;
  // The end of the bar nearest the low values moves the low end, the end
  // nearest the high values the high end, the middle 16 % both.
  if (Vertical()) {
    const std::int32_t len = Height() - FSet.MarginTop - FSet.MarginBottom;
    if (y < FSet.MarginTop + Round(0.42 * len)) FZoomPanMode = zpmHigh;
    else if (y > FSet.MarginTop + Round(0.58 * len)) FZoomPanMode = zpmLow;
    else FZoomPanMode = zpmBoth;
  } else {
    const std::int32_t len = Width() - FSet.MarginLeft - FSet.MarginRight;
    if (x < FSet.MarginLeft + Round(0.42 * len)) FZoomPanMode = zpmLow;
    else if (x > FSet.MarginLeft + Round(0.58 * len)) FZoomPanMode = zpmHigh;
    else FZoomPanMode = zpmBoth;
  }
}

void TColorScale::RangeDrag(std::int32_t x, std::int32_t y) {
  // The shift is measured against the range at the start of the drag, so a
  // longer drag always moves further.
  const std::int32_t len = Vertical() ? Height() - FSet.MarginTop - FSet.MarginBottom
                                      : Width() - FSet.MarginLeft - FSet.MarginRight;
  if (len <= 0) return;
  const double width = FAnchorSclHigh - FAnchorSclLow;
  const double pixels = Vertical() ? double(FMouseAnchorY) - y : double(x) - FMouseAnchorX;
  const double delta = pixels * width / len;
  double low = FAnchorSclLow, high = FAnchorSclHigh;
  if (FZoomPanMode != zpmHigh) low -= delta;
  if (FZoomPanMode != zpmLow) high -= delta;
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  TUpdate update(*this);
  TScaleSettings s = FAxis.Settings();
  s.RangeLow = low;
  s.RangeHigh = high;
  FAxis.SetSettings(s);
  ReadRange();
  FSet.ColorLow = FColSclMin;
  FSet.ColorHigh = FColSclMax;
  Changed();
}

void TColorScale::MouseMove(TShiftState s, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseMove(s, x, y);
  const bool left = s.Contains(ssLeft);
  if (FSet.MouseAction == mamDragCrossHair) {
    if (left && FCrossHair.Mode() != chOff) {
      // The first move after pressing only arms the drag.
      if (FLeftButWasDown) {
        const double lo = std::min(FColSclMin, FColSclMax), hi = std::max(FColSclMin, FColSclMax);
        const double v = std::clamp(PixelToValue(Vertical() ? y : x), lo, hi);
        FCrossHair.SetPos(v, v);
        if (OnCrossHairMove) OnCrossHairMove(this);
      }
      FLeftButWasDown = true;
    } else {
      FLeftButWasDown = false;
    }
  } else if (FSet.MouseAction == mamDragRange && left) {
    RangeDrag(x, y);
  }
  if (OnMouseMoveInScale) {
    const bool in = FSet.MarginLeft <= x && x <= Width() - FSet.MarginRight &&
                    FSet.MarginTop <= y && y <= Height() - FSet.MarginBottom;
    OnMouseMoveInScale(this, in, s, PixelToValue(Vertical() ? y : x));
  }
}

void TColorScale::MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseUp(b, s, x, y);
  if (b == mbLeft) FLeftButWasDown = false;
  if (b == mbLeft && FSet.MouseAction == mamDragRange && OnZoomPan) OnZoomPan(this);
}

}  // namespace kvo
