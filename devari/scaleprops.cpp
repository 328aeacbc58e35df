#include "devari/scaleprops.h"

#include <cmath>

#include "platform/numeric.h"
#include "platform/update.h"

namespace kvo {

namespace {
constexpr double kLogFloor = 1e-100;
}

TScaleProps::TScaleProps() {
  FFont.OnChange = [this](TObject*) { Changed(); };
  FSettings.DateFormat.OnChange = [this](TObject*) { Changed(); };
  ResetComp();
}

TScaleProps::~TScaleProps() {
  FFont.OnChange = nullptr;
  FSettings.DateFormat.OnChange = nullptr;
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

TScaleSettings TScaleProps::DefaultSettings() {
  TScaleSettings s;
  s.RangeHigh = 1;
  s.ScaleType = stLabelsBelow;
  s.CaptionPosX = s.CaptionPosY = 0;
  return s;
}

void TScaleProps::ResetComp() {
  // The owned objects report to Changed; keep the reset silent.
  const TSilentChanges<TScaleProps> silent(*this);
  FSettings = DefaultSettings();  // the date format keeps its link
  FExtras = {};
}

void TScaleProps::Assign(const TScaleProps& src) {
  if (&src == this) return;
  {
    const TSilentChanges<TScaleProps> silent(*this);
    FSettings = src.FSettings;
    FExtras = src.FExtras;
    FFont.Assign(src.FFont);
  }
  Changed();
}

void TScaleProps::SetCaption(const std::string& v) { FSettings.Caption = v; Changed(); }
void TScaleProps::SetCaptionPosX(std::int32_t v) { FSettings.CaptionPosX = v; Changed(); }
void TScaleProps::SetCaptionPosY(std::int32_t v) { FSettings.CaptionPosY = v; Changed(); }
void TScaleProps::SetCaptionAlignment(TAlignment v) { FSettings.CaptionAlignment = v; Changed(); }
void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) { FSettings.CaptionAnchor = v; Changed(); }
void TScaleProps::SetColorScale(TColor v) { FSettings.ColorScale = v; Changed(); }
void TScaleProps::SetDateFormat(const TDTLabel& v) {
  // The format's own change event notifies too.
  if (&v != &FSettings.DateFormat) FSettings.DateFormat.Assign(v);
  Changed();
}
void TScaleProps::SetDecPlaces(std::int32_t v) {
  FSettings.DecPlaces = ClampToRange(v, -3, 12);
  Changed();
}
void TScaleProps::SetFont(const TFont& v) {
  if (&v != &FFont) FFont.Assign(v);
  Changed();
}

void TScaleProps::SetLogarithmic(bool v) {
  if (!v) {
    FSettings.Logarithmic = false;
  } else if (FExtras.NotYetLoaded) {
    FSettings.Logarithmic = true;
  } else {
    TScaleSettings& s = FSettings;
    s.Logarithmic =
        s.RangeLow >= kLogFloor && s.RangeHigh >= kLogFloor && s.LabelType != ftDateTime;
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType v) {
  FSettings.LabelType = v;
  if (v == ftDateTime) FSettings.Logarithmic = false;
  if (v == ftTime) FSettings.DecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(std::int32_t v) { FSettings.MinTicks = v; Changed(); }

void TScaleProps::SetMinRange(double v) {
  if (!(v > kLogFloor)) return;  // NaN too
  FExtras.MinRange = v;
  if (v > std::fabs(FSettings.RangeHigh - FSettings.RangeLow)) {
    const double c = (FSettings.RangeLow + FSettings.RangeHigh) / 2;
    FSettings.RangeLow = c - v / 2;
    FSettings.RangeHigh = c + v / 2;
    Changed();
  }
}

void TScaleProps::SetRangeLow(double v) {
  const double m = FExtras.MinRange;
  if (m > std::fabs(FSettings.RangeHigh - v)) {
    FSettings.RangeLow = v;
    FSettings.RangeHigh = v + m;
  } else if (!(FSettings.Logarithmic && v < kLogFloor)) {
    FSettings.RangeLow = v;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double v) {
  const double m = FExtras.MinRange;
  if (m > std::fabs(FSettings.RangeLow - v)) {
    FSettings.RangeHigh = v;
    FSettings.RangeLow = v - m;
  } else if (!(FSettings.Logarithmic && v < kLogFloor)) {
    FSettings.RangeHigh = v;
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool v) { FSettings.ShortTicks = v; Changed(); }
void TScaleProps::SetScaleInscript(const std::string& v) { FSettings.ScaleInscript = v; Changed(); }

namespace {
bool IsVertical(TScaleType t) noexcept { return t == stLabelsRight || t == stLabelsLeft; }
}  // namespace

std::int32_t TScaleProps::ScalePos() const noexcept {
  return IsVertical(FSettings.ScaleType) ? FExtras.ScalePosX : FExtras.ScalePosY;
}
void TScaleProps::SetScalePos(std::int32_t v) {
  (IsVertical(FSettings.ScaleType) ? FExtras.ScalePosX : FExtras.ScalePosY) = v;
  Changed();
}
void TScaleProps::SetScaleType(TScaleType v) { FSettings.ScaleType = v; Changed(); }
void TScaleProps::SetUserTickText(const std::string& v) { FSettings.UserTickText = v; Changed(); }
void TScaleProps::SetVisible(bool v) { FExtras.Visible = v; Changed(); }

void TScalePropsHoriz::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = kStartLocation;
}
void TScalePropsHoriz::Assign(const TScaleProps& src) {
  if (auto* h = dynamic_cast<const TScalePropsHoriz*>(&src)) FScaleLoc = h->FScaleLoc;
  TScaleProps::Assign(src);
}
void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  FScaleLoc = v;
  FSettings.ScaleType = v == slTop ? stLabelsAbove : stLabelsBelow;
  Changed();
}

void TScalePropsVert::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = kStartLocation;
}
void TScalePropsVert::Assign(const TScaleProps& src) {
  if (auto* h = dynamic_cast<const TScalePropsVert*>(&src)) FScaleLoc = h->FScaleLoc;
  TScaleProps::Assign(src);
}
void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  FScaleLoc = v;
  FSettings.ScaleType = v == slLeft ? stLabelsLeft : stLabelsRight;
  Changed();
}

}  // namespace kvo
