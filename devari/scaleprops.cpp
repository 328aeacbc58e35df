#include "devari/scaleprops.h"

#include <cmath>

#include "platform/numeric.h"

namespace kvo {

namespace {
constexpr double kLogFloor = 1e-100;
}

TScaleProps::TScaleProps() {
  FFont.OnChange = [this](TObject*) { Changed(); };
  FDTFormat.OnChange = [this](TObject*) { Changed(); };
  ResetComp();
}

TScaleProps::~TScaleProps() {
  FFont.OnChange = nullptr;
  FDTFormat.OnChange = nullptr;
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

void TScaleProps::ResetComp() {
  // The owned objects report to Changed; keep the reset silent.
  TNotifyEvent keep = std::move(OnChange);
  OnChange = nullptr;
  FCaption.clear();
  FCaptionPosX = FCaptionPosY = 0;
  FCaptAlign = taCenter;
  FCaptAnchor = uaSclTopLft;
  FColorScale = clBlack;
  FDTFormat.Reset();
  FDecPlaces = -2;
  FLogAx = false;
  FLabelType = TFigType(1);
  FMinTicks = 3;
  FNotYetLoaded = true;
  FRangeLow = 0;
  FRangeHigh = 1;
  FShortTicks = true;
  FScaleInscript.clear();
  FScaleType = TScaleType(1);
  FScalePosX = FScalePosY = 0;
  FMinRngDiff = 1e-10;
  FMouseAction = TMouseActMode(0);
  FUserTickText.clear();
  FVisible = false;
  OnChange = std::move(keep);
}

void TScaleProps::Assign(const TScaleProps& src) {
  if (&src == this) return;
  TNotifyEvent keep = std::move(OnChange);
  OnChange = nullptr;
  FCaption = src.FCaption;
  FCaptionPosX = src.FCaptionPosX;
  FCaptionPosY = src.FCaptionPosY;
  FCaptAlign = src.FCaptAlign;
  FCaptAnchor = src.FCaptAnchor;
  FColorScale = src.FColorScale;
  FDTFormat.Assign(src.FDTFormat);
  FDecPlaces = src.FDecPlaces;
  FLogAx = src.FLogAx;
  FLabelType = src.FLabelType;
  FFont.Assign(src.FFont);
  FMinTicks = src.FMinTicks;
  FNotYetLoaded = src.FNotYetLoaded;
  FRangeLow = src.FRangeLow;
  FRangeHigh = src.FRangeHigh;
  FShortTicks = src.FShortTicks;
  FScaleInscript = src.FScaleInscript;
  FScaleType = src.FScaleType;
  FScalePosX = src.FScalePosX;
  FScalePosY = src.FScalePosY;
  FMinRngDiff = src.FMinRngDiff;
  FMouseAction = src.FMouseAction;
  FUserTickText = src.FUserTickText;
  FVisible = src.FVisible;
  OnChange = std::move(keep);
  Changed();
}

void TScaleProps::SetCaption(const std::string& v) { FCaption = v; Changed(); }
void TScaleProps::SetCaptionPosX(std::int32_t v) { FCaptionPosX = v; Changed(); }
void TScaleProps::SetCaptionPosY(std::int32_t v) { FCaptionPosY = v; Changed(); }
void TScaleProps::SetCaptionAlignment(TAlignment v) { FCaptAlign = v; Changed(); }
void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) { FCaptAnchor = v; Changed(); }
void TScaleProps::SetColorScale(TColor v) { FColorScale = v; Changed(); }
void TScaleProps::SetDateFormat(const TDTLabel& v) {
  if (&v != &FDTFormat) FDTFormat.Assign(v);  // the format's own change event notifies
  Changed();
}
void TScaleProps::SetDecPlaces(std::int32_t v) { FDecPlaces = ClampToRange(v, -3, 12); Changed(); }
void TScaleProps::SetFont(const TFont& v) {
  if (&v != &FFont) FFont.Assign(v);
  Changed();
}

void TScaleProps::SetLogarithmic(bool v) {
  if (!v) {
    FLogAx = false;
  } else if (FNotYetLoaded) {
    FLogAx = true;
  } else {
    FLogAx = FRangeLow >= kLogFloor && FRangeHigh >= kLogFloor && FLabelType != TFigType(3);
  }
  Changed();
}

void TScaleProps::SetLabelType(TFigType v) {
  FLabelType = v;
  if (v == TFigType(3)) FLogAx = false;
  if (v == TFigType(2)) FDecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(std::int32_t v) { FMinTicks = v; Changed(); }

void TScaleProps::SetMinRange(double v) {
  if (!(v > kLogFloor)) return;  // NaN too
  FMinRngDiff = v;
  if (v > std::fabs(FRangeHigh - FRangeLow)) {
    const double c = (FRangeLow + FRangeHigh) / 2;
    FRangeLow = c - v / 2;
    FRangeHigh = c + v / 2;
    Changed();
  }
}

void TScaleProps::SetRangeLow(double v) {
  const double m = FMinRngDiff;
  if (m > std::fabs(FRangeHigh - v)) {
    FRangeLow = v;
    FRangeHigh = v + m;
  } else if (!(FLogAx && v < kLogFloor)) {
    FRangeLow = v;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double v) {
  const double m = FMinRngDiff;
  if (m > std::fabs(FRangeLow - v)) {
    FRangeHigh = v;
    FRangeLow = v - m;
  } else if (!(FLogAx && v < kLogFloor)) {
    FRangeHigh = v;
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool v) { FShortTicks = v; Changed(); }
void TScaleProps::SetScaleInscript(const std::string& v) { FScaleInscript = v; Changed(); }

std::int32_t TScaleProps::ScalePos() const noexcept {
  return (FScaleType == TScaleType(2) || FScaleType == TScaleType(3)) ? FScalePosX : FScalePosY;
}
void TScaleProps::SetScalePos(std::int32_t v) {
  if (FScaleType == TScaleType(2) || FScaleType == TScaleType(3)) FScalePosX = v;
  else FScalePosY = v;
  Changed();
}
void TScaleProps::SetScaleType(TScaleType v) { FScaleType = v; Changed(); }
void TScaleProps::SetUserTickText(const std::string& v) { FUserTickText = v; Changed(); }
void TScaleProps::SetVisible(bool v) { FVisible = v; Changed(); }

void TScalePropsHoriz::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slBottom;
}
void TScalePropsHoriz::Assign(const TScaleProps& src) {
  if (auto* h = dynamic_cast<const TScalePropsHoriz*>(&src)) FScaleLoc = h->FScaleLoc;
  TScaleProps::Assign(src);
}
void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  FScaleLoc = v;
  FScaleType = v == slTop ? TScaleType(0) : TScaleType(1);
  Changed();
}

void TScalePropsVert::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slLeft;
}
void TScalePropsVert::Assign(const TScaleProps& src) {
  if (auto* h = dynamic_cast<const TScalePropsVert*>(&src)) FScaleLoc = h->FScaleLoc;
  TScaleProps::Assign(src);
}
void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  FScaleLoc = v;
  FScaleType = v == slLeft ? TScaleType(3) : TScaleType(2);
  Changed();
}

}  // namespace kvo
