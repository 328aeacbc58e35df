#include "gauge/gauge.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "libs/kvocolors.h"
#include "platform/numeric.h"
#include "platform/registry.h"
#include "platform/update.h"

namespace kvo {

namespace {

// Colours of a disabled gauge.
constexpr TColor kDisabledBg = 0xE9E9EE;
constexpr TColor kDisabledLine = 0x808080;
// Pixels between the dial's base line and the cover, room for the index.
constexpr std::int32_t kIndexRoom = 10;

// k / n for an interpolation over n steps; 0 when there are none.
double Fraction(double k, double n) noexcept { return n != 0 ? k / n : 0.0; }

const bool kRegistered = (RegisterScaleGauge(), true);

}  // namespace

void RegisterScaleGauge() {
  RegisterComponents("Kvo", {TComponentClass{"TScaleGauge", [](TComponent* owner) {
                               return std::unique_ptr<TComponent>(
                                   std::make_unique<TScaleGauge>(owner));
                             }}});
}

// ---- Lifecycle -----------------------------------------------------------------

TScaleGauge::TScaleGauge(TComponent* owner) : TCustomControl(owner) {
  (void)kRegistered;
  FAxis.ForwardEvents(*this, OnScaleTickDrawn, OnBeforeTickLabel);
  FAxis.Scale().SetName("GaugeScale");
  TCustomControl::SetBounds(0, 0, 300, 75);
  ResetComp();
  FSuppressPaint = false;
}

TScaleGauge::~TScaleGauge() = default;

void TScaleGauge::ResetComp() {
  TUpdate update(*this);
  FSet = TScaleGaugeSettings{};
  FAxis.Reset();
  SetScaleDims();
}

void TScaleGauge::Assign(const TObject& Source) {
  const auto* src = dynamic_cast<const TScaleGauge*>(&Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  TUpdate update(*this);
  FSet = src->FSet;
  TCustomControl::SetEnabled(src->Enabled());
  // The margins are limited by this gauge's size.
  SetMargin(&TScaleGaugeSettings::MarginLeft, FSet.MarginLeft, Width(), FSet.MarginRight);
  SetMargin(&TScaleGaugeSettings::MarginRight, FSet.MarginRight, Width(), FSet.MarginLeft);
  SetMargin(&TScaleGaugeSettings::MarginTop, FSet.MarginTop, Height(), FSet.MarginBottom);
  SetMargin(&TScaleGaugeSettings::MarginBottom, FSet.MarginBottom, Height(), FSet.MarginTop);
  SetScaleDims();
}

bool TScaleGauge::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TScaleGauge*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return TCustomControl::AssignTo(dest);
}

void TScaleGauge::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height) {
  TUpdate update(*this);
  TCustomControl::SetBounds(left, top, width, height);
  SetScaleDims();
}

void TScaleGauge::SetEnabled(bool v) {
  if (v == Enabled()) return;
  TUpdate update(*this);
  TCustomControl::SetEnabled(v);
  Changed();
}

void TScaleGauge::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) Changed();
}

void TScaleGauge::Changed() {
  SyncDial();
  if (FSuppressPaint) return;
  Refresh();
}

void TScaleGauge::FontChanged() { Changed(); }

void TScaleGauge::SyncDial() {
  TScaleSettings s = FAxis.Settings();
  double lo = FSet.Min, hi = FSet.Max;
  if (!FSet.FixedDial) {
    // The dial scrolls: the value sits in the middle of a range as wide as Min..Max.
    if (FSet.Logarithmic) {
      const double f = std::sqrt(FSet.Max / FSet.Min);
      lo = FSet.Value / f;
      hi = FSet.Value * f;
    } else {
      const double half = std::fabs(FSet.Max - FSet.Min) / 2;
      lo = FSet.Value - half;
      hi = FSet.Value + half;
    }
  }
  if (lo == hi) hi = lo + 1;  // as the axis would separate them
  s.RangeLow = lo;
  s.RangeHigh = hi;
  s.Logarithmic = FSet.Logarithmic;
  s.MinTicks = FSet.MinTicks;
  s.ShortTicks = FSet.ShortTicks;
  s.ColorScale = Enabled() ? FSet.ColorScale : kDisabledLine;
  FAxis.SetSettings(s);
}

void TScaleGauge::SetScaleDims() {
  const std::int32_t w = Width(), h = Height();
  if (Vertical()) {
    FAxis.PlaceWithMargins(w, h, stLabelsLeft,
                           TScaleMargins{FSet.MarginLeft, FSet.MarginTop,
                                         FSet.MarginRight + kIndexRoom, FSet.MarginBottom});
  } else {
    FAxis.PlaceWithMargins(w, h, stLabelsAbove,
                           TScaleMargins{FSet.MarginLeft, FSet.MarginTop, FSet.MarginRight,
                                         FSet.MarginBottom + kIndexRoom});
  }
  Changed();
}

double TScaleGauge::ConvertPixelToScale(double PixelCoord) const noexcept {
  return FAxis.Scale().ConvertPixelToScale(PixelCoord);
}

std::int32_t TScaleGauge::ConvertToPixelCoords(double v) const noexcept {
  return FAxis.Scale().ConvertToPixelCoords(v);
}

std::int32_t TScaleGauge::IndexPixel() const noexcept {
  if (FSet.FixedDial) return ClampPixel(ConvertToPixelCoords(FSet.Value));
  if (Vertical()) return (Height() - FSet.MarginTop - FSet.MarginBottom) / 2 + FSet.MarginTop;
  return (Width() - FSet.MarginLeft - FSet.MarginRight) / 2 + FSet.MarginLeft;
}

// ---- Properties ----------------------------------------------------------------------

#define KVO_GAUGE_SETTER(Name, Type)      \
  void TScaleGauge::Set##Name(Type v) {   \
    if (v == FSet.Name) return;           \
    FSet.Name = v;                        \
    Changed();                            \
  }
KVO_GAUGE_SETTER(Caption, const std::string&)
KVO_GAUGE_SETTER(CaptionColor, TColor)
KVO_GAUGE_SETTER(CaptionPosX, std::int32_t)
KVO_GAUGE_SETTER(CaptionPosY, std::int32_t)
KVO_GAUGE_SETTER(CaptionSize, std::int32_t)
KVO_GAUGE_SETTER(CaptionStyle, TFontStyles)
KVO_GAUGE_SETTER(ColorBg1, TColor)
KVO_GAUGE_SETTER(ColorBg2, TColor)
KVO_GAUGE_SETTER(ColorIndex1, TColor)
KVO_GAUGE_SETTER(ColorIndex2, TColor)
KVO_GAUGE_SETTER(ColorCover, TColor)
KVO_GAUGE_SETTER(ColorScale, TColor)
KVO_GAUGE_SETTER(ColorScheme, TColorScheme)
KVO_GAUGE_SETTER(ShortTicks, bool)
#undef KVO_GAUGE_SETTER

void TScaleGauge::SetBackground(TGaugeBackground v) {
  if (v == FSet.Background || v > gbHorizMidBand) return;
  FSet.Background = v;
  Changed();
}

void TScaleGauge::SetIndexMode(TGaugeIndexMode v) {
  if (v == FSet.IndexMode || v > gimBar) return;
  FSet.IndexMode = v;
  Changed();
}

void TScaleGauge::SetFrameStyleOuter(TFrameStyle v) {
  if (v == FSet.FrameStyleOuter || int(v) >= kNumFrameStyles) return;
  FSet.FrameStyleOuter = v;
  Changed();
}

void TScaleGauge::SetFrameStyleInner(TFrameStyle v) {
  if (v == FSet.FrameStyleInner || int(v) >= kNumFrameStyles) return;
  FSet.FrameStyleInner = v;
  Changed();
}

void TScaleGauge::SetFixedDial(bool v) {
  if (v == FSet.FixedDial) return;
  FSet.FixedDial = v;
  TUpdate update(*this);
  if (v) SetScaleDims();
  Changed();
}

void TScaleGauge::SetGaugeZero(double v) {
  if (std::isnan(v) || v == FSet.GaugeZero) return;
  FSet.GaugeZero = v;
  Changed();
}

double TScaleGauge::Clamped(double v, double lo, double hi) noexcept {
  return lo < hi ? std::clamp(v, lo, hi) : std::clamp(v, hi, lo);
}

void TScaleGauge::SetLogarithmic(bool v) {
  if (v == FSet.Logarithmic) return;
  if (v && !(FSet.Min > 0 && FSet.Max > 0)) return;
  FSet.Logarithmic = v;
  FSet.Value = Clamped(FSet.Value, FSet.Min, FSet.Max);
  Changed();
}

void TScaleGauge::SetMax(double v) {
  if (v == FSet.Max || !std::isfinite(v)) return;
  if (FSet.Logarithmic && !(v > 0)) return;
  FSet.Max = v;
  // The value stays inside the range (a moving dial is centred on it).
  FSet.Value = Clamped(FSet.Value, FSet.Min, FSet.Max);
  Changed();
}

void TScaleGauge::SetMin(double v) {
  if (v == FSet.Min || !std::isfinite(v)) return;
  if (FSet.Logarithmic && !(v > 0)) return;
  FSet.Min = v;
  FSet.Value = Clamped(FSet.Value, FSet.Min, FSet.Max);
  Changed();
}

void TScaleGauge::SetMinTicks(std::int32_t v) {
  if (v != 0) v = std::clamp(v, 2, 10);
  if (v == FSet.MinTicks) return;
  FSet.MinTicks = v;
  Changed();
}

void TScaleGauge::SetOrientation(TGaugeOrientation v) {
  if (v == FSet.Orientation || v > goVertical) return;
  FSet.Orientation = v;
  TUpdate update(*this);
  SetScaleDims();
}

void TScaleGauge::SetValue(double v) {
  if (std::isnan(v)) return;
  v = Clamped(v, FSet.Min, FSet.Max);
  if (v == FSet.Value) return;
  FSet.Value = v;
  Changed();
}

void TScaleGauge::SetMargin(std::int32_t TScaleGaugeSettings::*field, std::int32_t v,
                            std::int32_t size, std::int32_t other) {
  v = std::clamp(v, 0, std::max(0, size - other - 20));
  if (v == FSet.*field) return;
  FSet.*field = v;
  TUpdate update(*this);
  SetScaleDims();
}

void TScaleGauge::SetMarginLeft(std::int32_t v) {
  SetMargin(&TScaleGaugeSettings::MarginLeft, v, Width(), FSet.MarginRight);
}
void TScaleGauge::SetMarginRight(std::int32_t v) {
  SetMargin(&TScaleGaugeSettings::MarginRight, v, Width(), FSet.MarginLeft);
}
void TScaleGauge::SetMarginTop(std::int32_t v) {
  SetMargin(&TScaleGaugeSettings::MarginTop, v, Height(), FSet.MarginBottom);
}
void TScaleGauge::SetMarginBottom(std::int32_t v) {
  SetMargin(&TScaleGaugeSettings::MarginBottom, v, Height(), FSet.MarginTop);
}

// ---- Drawing -----------------------------------------------------------------------------

void TScaleGauge::Paint() {
  if (!Visible() && !Designing()) return;
  if (FSuppressPaint && !Designing()) return;
  if (FPainting) {
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

void TScaleGauge::DrawPicture(TCanvas& c) {
  const std::int32_t w = Width(), h = Height();
  const std::int32_t mL = FSet.MarginLeft, mR = FSet.MarginRight;
  const std::int32_t mT = FSet.MarginTop, mB = FSet.MarginBottom;
  const bool on = Enabled();
  const TColor bg1 = on ? FSet.ColorBg1 : kDisabledBg, bg2 = on ? FSet.ColorBg2 : kDisabledBg;
  const TColor c1 = on ? FSet.ColorIndex1 : kDisabledLine;
  const TColor c2 = on ? FSet.ColorIndex2 : kDisabledLine;
  const TColor text = on ? Font().Color() : kDisabledLine;
  const TColor caption = on ? FSet.CaptionColor : kDisabledLine;
  SyncDial();

  c.Pen().SetData(TPenData{bg1, psSolid, 1, pmCopy});
  c.Brush().SetData(TBrushData{bg1, bsSolid});
  DrawBackground(c, bg1, bg2);

  TScale& axis = FAxis.Scale();
  axis.Font().Assign(Font());
  axis.Font().SetColor(text);
  FAxis.Draw(c);

  DrawIndex(c, c1, c2);

  // The cover around the dial window.
  c.Pen().SetData(TPenData{FSet.ColorCover, psSolid, 1, pmCopy});
  c.Brush().SetData(TBrushData{FSet.ColorCover, bsSolid});
  c.Rectangle(0, 0, mL, h);
  c.Rectangle(w - mR, 0, w, h);
  c.Rectangle(0, 0, w, mT);
  c.Rectangle(0, h - mB, w, h);

  if (!FSet.Caption.empty()) {
    c.Font().Assign(Font());
    SetCanvasFontSizeScaled(c, FSet.CaptionSize);
    c.Font().SetStyle(FSet.CaptionStyle);
    c.Font().SetColor(caption);
    c.Brush().SetStyle(bsClear);
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(FSet.CaptionPosX, FSet.CaptionPosY, FSet.Caption);
  }

  DrawFrame(c, FSet.FrameStyleInner, mL, mT, w - mR - 1, h - mB - 1, clWhite, 0xC0C0C0, 0x808080,
            clBlack, clBlack, FSet.ColorScheme);
  DrawFrame(c, FSet.FrameStyleOuter, 0, 0, w - 1, h - 1, clWhite, 0xC0C0C0, 0x808080, clBlack,
            clBlack, FSet.ColorScheme);
}

void TScaleGauge::DrawBackground(TCanvas& c, TColor bg1, TColor bg2) {
  const std::int32_t w = Width(), h = Height();
  const std::int32_t mL = FSet.MarginLeft, mR = FSet.MarginRight;
  const std::int32_t mT = FSet.MarginTop, mB = FSet.MarginBottom;
  auto vline = [&](std::int32_t x, TColor col) {
    c.Pen().SetColor(col);
    c.MoveTo(x, 0);
    c.LineTo(x, h);
  };
  auto hline = [&](std::int32_t y, TColor col) {
    c.Pen().SetColor(col);
    c.MoveTo(0, y);
    c.LineTo(w, y);
  };
  switch (FSet.Background) {
    case gbPlain:
      c.Rectangle(0, 0, w, h);
      break;
    case gbVertGrad: {
      const std::int32_t n = w - mL - mR;
      for (std::int32_t k = 0; k <= n; ++k) vline(mL + k, InterpolateColor(bg1, bg2, Fraction(k, n)));
      break;
    }
    case gbHorizGrad: {
      const std::int32_t n = h - mT - mB;
      for (std::int32_t k = 0; k <= n; ++k) hline(mT + k, InterpolateColor(bg1, bg2, Fraction(k, n)));
      break;
    }
    case gbVertMidBand: {
      const std::int32_t n = w - mL - mR;
      for (std::int32_t k = 0; k <= n / 2; ++k) {
        const TColor col = InterpolateColor(bg1, bg2, Fraction(2.0 * k, n));
        vline(mL + k, col);
        vline(w - mR - k, col);
      }
      break;
    }
    case gbHorizMidBand: {
      const std::int32_t n = h - mT - mB;
      for (std::int32_t k = 0; k <= n / 2; ++k) {
        const TColor col = InterpolateColor(bg1, bg2, Fraction(2.0 * k, n));
        hline(mT + k, col);
        hline(h - mB - k, col);
      }
      break;
    }
  }
}

template <class ColorOf>
void TScaleGauge::DrawBand(TCanvas& c, std::int32_t from, std::int32_t to, ColorOf colorOf) {
  const std::int32_t w = Width(), h = Height();
  const std::int32_t bm = FAxis.Scale().MarginBottom(), rm = FAxis.Scale().MarginRight();
  // Only what can show: far-off ends are brought to the window's edges.
  if (Vertical()) {
    from = std::clamp(from, -1, h);
    to = std::clamp(to, -1, h);
  } else {
    from = std::clamp(from, -1, w);
    to = std::clamp(to, -1, w);
  }
  if (from > to) std::swap(from, to);
  for (std::int32_t k = from; k <= to; ++k) {
    c.Pen().SetColor(colorOf(k));
    if (Vertical()) {
      c.MoveTo(w - rm, k);
      c.LineTo(w - rm + 7, k);
    } else {
      c.MoveTo(k, h - bm);
      c.LineTo(k, h - bm + 7);
    }
  }
}

void TScaleGauge::DrawIndex(TCanvas& c, TColor c1, TColor c2) {
  const std::int32_t w = Width(), h = Height();
  const std::int32_t mL = FSet.MarginLeft, mR = FSet.MarginRight;
  const std::int32_t mT = FSet.MarginTop, mB = FSet.MarginBottom;
  const TScale& axis = FAxis.Scale();
  const std::int32_t bm = axis.MarginBottom(), rm = axis.MarginRight();
  const std::int32_t st = axis.MarginTop(), sl = axis.MarginLeft();
  const std::int32_t p = IndexPixel();
  const bool vertical = Vertical();
  auto line = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  auto thread = [&] {
    if (vertical) line(0, p, w, p);
    else line(p, 0, p, h);
  };
  // A 10-pixel triangle whose tip touches the base line (shift: rows lower).
  auto nearTriangle = [&](std::int32_t shift) {
    for (std::int32_t k = 1; k <= 10; ++k) {
      if (vertical) line(w - rm + k - 1 + shift, p - k / 2, w - rm + k - 1 + shift, p + k / 2 + 1);
      else line(p - k / 2, h - bm + k - 1 + shift, p + k / 2 + 1, h - bm + k - 1 + shift);
    }
  };
  c.Pen().SetData(TPenData{c1, psSolid, 1, pmCopy});
  switch (FSet.IndexMode) {
    case gimThread:
      thread();
      break;
    case gimTriangle:
      nearTriangle(0);
      break;
    case gimThreadTriangle:
      thread();
      c.Pen().SetColor(c2);
      nearTriangle(vertical ? 0 : 1);
      break;
    case gimThreadTwoTriangles:
      thread();
      c.Pen().SetColor(c2);
      // A triangle at the far side pointing towards the dial.
      for (std::int32_t k = 1; k <= 10; ++k) {
        if (vertical) line(sl - k + 10, p - k / 2, sl - k + 10, p + k / 2 + 1);
        else line(p - k / 2, st - k + 10, p + k / 2 + 1, st - k + 10);
      }
      nearTriangle(0);
      break;
    case gimBand:
      if (vertical) {
        if (p > h - mB) break;
        const double n = double(mT) - (h - mB);
        DrawBand(c, p, h - mB, [&](std::int32_t y) {
          return InterpolateColor(c1, c2, Fraction(double(y) - (h - mB), n));
        });
      } else {
        if (p < mL) break;
        const double n = double(w) - mR - mL;
        DrawBand(c, mL, p, [&](std::int32_t x) {
          return InterpolateColor(c1, c2, Fraction(double(x) - mL, n));
        });
      }
      break;
    case gimDualColorBand: {
      const std::int32_t z = ClampPixel(ConvertToPixelCoords(FSet.GaugeZero));
      const TColor col = FSet.GaugeZero > FSet.Value ? c2 : c1;
      DrawBand(c, z, p, [col](std::int32_t) { return col; });
      break;
    }
    case gimBar:
      if (vertical) {
        line(w - rm + 2, p - 1, w - rm + 10, p - 1);
        line(w - rm + 1, p, w - rm + 10, p);
        line(w - rm + 2, p + 1, w - rm + 10, p + 1);
      } else {
        line(p - 1, h - bm + 2, p - 1, h - bm + 10);
        line(p, h - bm + 1, p, h - bm + 10);
        line(p + 1, h - bm + 2, p + 1, h - bm + 10);
      }
      break;
  }
}

// ---- Mouse ----------------------------------------------------------------------------------

void TScaleGauge::MouseMove(TShiftState s, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseMove(s, x, y);
  if (!OnMouseMoveInGauge) return;
  const TScale& axis = FAxis.Scale();
  const bool in = axis.MarginLeft() <= x && x <= axis.Width() - axis.MarginRight() &&
                  axis.MarginTop() <= y && y <= Height() - axis.MarginBottom();
  OnMouseMoveInGauge(this, in, s, ConvertPixelToScale(Vertical() ? y : x));
}

}  // namespace kvo
