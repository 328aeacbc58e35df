// Crosshair, text label base and date/time label format of kvobase.h.
#include <cmath>

#include "libs/kvobase.h"

namespace kvo {

// ---- TCrossHair ------------------------------------------------------------

TCrossHair::TCrossHair(const TCrossHair& o)
    : TObject(), FPosX(o.FPosX), FPosY(o.FPosY), FColor(o.FColor), FLineType(o.FLineType),
      FLineWid(o.FLineWid), FMode(o.FMode), FLayer(o.FLayer) {}

void TCrossHair::Changed() {
  if (OnChange) OnChange(this);
}

void TCrossHair::SetCrossHPosX(double x) {
  if (std::isnan(x) || x == FPosX) return;
  FPosX = x;
  Changed();
}

void TCrossHair::SetCrossHPosY(double y) {
  if (std::isnan(y) || y == FPosY) return;
  FPosY = y;
  Changed();
}

void TCrossHair::SetPos(double x, double y) {
  bool changed = false;
  if (!std::isnan(x) && x != FPosX) { FPosX = x; changed = true; }
  if (!std::isnan(y) && y != FPosY) { FPosY = y; changed = true; }
  if (changed) Changed();
}

void TCrossHair::SetCrossHColor(TColor c) {
  if (c == FColor) return;
  FColor = c;
  Changed();
}

void TCrossHair::SetCrossHLineType(TPenStyle s) {
  if (s > psInsideFrame || s == FLineType) return;
  FLineType = s;
  Changed();
}

void TCrossHair::SetCrossHLineWid(std::int32_t w) {
  if (w < 1) w = 1;
  if (w == FLineWid) return;
  FLineWid = w;
  Changed();
}

void TCrossHair::SetCrossHMode(TCrossHMode m) {
  if (m > chSquare || m == FMode) return;
  FMode = m;
  Changed();
}

void TCrossHair::SetCrossHLayer(std::int32_t layer) {
  if (layer < 1 || layer > 2 || layer == FLayer) return;
  FLayer = layer;
  Changed();
}

void TCrossHair::Assign(const TCrossHair& src) {
  if (&src == this) return;
  const bool same = FPosX == src.FPosX && FPosY == src.FPosY && FColor == src.FColor &&
                    FLineType == src.FLineType && FLineWid == src.FLineWid &&
                    FMode == src.FMode && FLayer == src.FLayer;
  if (same) return;
  FPosX = src.FPosX;
  FPosY = src.FPosY;
  FColor = src.FColor;
  FLineType = src.FLineType;
  FLineWid = src.FLineWid;
  FMode = src.FMode;
  FLayer = src.FLayer;
  Changed();
}

// ---- TCustomTextLabel --------------------------------------------------------

TCustomTextLabel::TCustomTextLabel() {
  FFont.OnChange = [this](TObject*) { Changed(); };
}

TCustomTextLabel::~TCustomTextLabel() { FFont.OnChange = nullptr; }

void TCustomTextLabel::Changed() {
  if (FUpdateDepth > 0) {
    FPendingChange = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TCustomTextLabel::EndUpdate() {
  if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPendingChange) {
    FPendingChange = false;
    Changed();
  }
}

namespace {
template <typename T>
bool Store(T& field, const T& v) {
  if (field == v) return false;
  field = v;
  return true;
}
}  // namespace

void TCustomTextLabel::SetTxtLblCaption(const std::string& s) {
  if (Store(FCaption, s)) Changed();
}
void TCustomTextLabel::SetTxtLblPosX(double x) {
  if (!std::isnan(x) && Store(FPosX, x)) Changed();
}
void TCustomTextLabel::SetTxtLblPosY(double y) {
  if (!std::isnan(y) && Store(FPosY, y)) Changed();
}
void TCustomTextLabel::SetTxtLblAlignment(TAlignment a) {
  if (a <= taCenter && Store(FAlignment, a)) Changed();
}
void TCustomTextLabel::SetTxtLblVertAlignment(TVerticalAlignment a) {
  if (a <= taAlignBottom && Store(FVertAlignment, a)) Changed();
}
void TCustomTextLabel::SetTxtLblColorBkg(TColor c) {
  if (Store(FColorBkg, c)) Changed();
}
void TCustomTextLabel::SetTxtLblColorBrd(TColor c) {
  if (Store(FColorBrd, c)) Changed();
}
void TCustomTextLabel::SetTxtLblColorShadow(TColor c) {
  if (Store(FColorShadow, c)) Changed();
}
void TCustomTextLabel::SetTxtLblShadowDx(std::int32_t dx) {
  if (Store(FShadowDx, dx)) Changed();
}
void TCustomTextLabel::SetTxtLblShadowDy(std::int32_t dy) {
  if (Store(FShadowDy, dy)) Changed();
}
void TCustomTextLabel::SetTxtLblTranspar(bool on) {
  if (Store(FTransparent, on)) Changed();
}
void TCustomTextLabel::SetTxtLblVisible(bool on) {
  if (Store(FVisible, on)) Changed();
}
void TCustomTextLabel::SetTxtLblMode(TTxtLblMode m) {
  if (m <= tlmShadowBox && Store(FMode, m)) Changed();
}
void TCustomTextLabel::SetTxtLblScreenPos(TTxtLblAttachMode m) {
  if (m <= tlaWorld && Store(FAttachToData, m)) Changed();
}
void TCustomTextLabel::SetTxtLblLayer(std::int32_t layer) {
  if (layer >= 1 && layer <= 2 && Store(FLayer, layer)) Changed();
}
void TCustomTextLabel::SetTxtLblFont(const TFont& f) {
  if (&f == &FFont || f.Data() == FFont.Data()) return;
  FFont.Assign(f);  // notifies through the font's OnChange
}

void TCustomTextLabel::Assign(const TCustomTextLabel& src) {
  if (&src == this) return;
  BeginUpdate();
  SetTxtLblCaption(src.FCaption);
  SetTxtLblPosX(src.FPosX);
  SetTxtLblPosY(src.FPosY);
  SetTxtLblAlignment(src.FAlignment);
  SetTxtLblVertAlignment(src.FVertAlignment);
  SetTxtLblColorBkg(src.FColorBkg);
  SetTxtLblColorBrd(src.FColorBrd);
  SetTxtLblColorShadow(src.FColorShadow);
  SetTxtLblShadowDx(src.FShadowDx);
  SetTxtLblShadowDy(src.FShadowDy);
  SetTxtLblTranspar(src.FTransparent);
  SetTxtLblVisible(src.FVisible);
  SetTxtLblMode(src.FMode);
  SetTxtLblScreenPos(src.FAttachToData);
  SetTxtLblLayer(src.FLayer);
  SetTxtLblFont(src.FFont);
  EndUpdate();
}

// ---- TDTLabel ------------------------------------------------------------------

namespace {
// The first UTF-8 code point of s (the whole of s if it is malformed and short).
std::string FirstChar(const std::string& s) {
  if (s.empty()) return s;
  const unsigned char c = static_cast<unsigned char>(s[0]);
  std::size_t n = 1;
  if (c >= 0xF0) n = 4;
  else if (c >= 0xE0) n = 3;
  else if (c >= 0xC0) n = 2;
  if (n > s.size()) n = s.size();
  return s.substr(0, n);
}
}  // namespace

TDTLabel::TDTLabel(const TDTLabel& o)
    : TObject(), FDateOrder(o.FDateOrder), FDateForTime(o.FDateForTime),
      FDateSeparator(o.FDateSeparator), FTimeSeparator(o.FTimeSeparator),
      FMonthName(o.FMonthName), FTimeFormat(o.FTimeFormat), FYearLength(o.FYearLength) {}

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetDAteOrder(TDateOrder v) {
  if (v <= doYMD && Store(FDateOrder, v)) Changed();
}
void TDTLabel::SetDateForTime(TDateForTime v) {
  if (v <= dftEveryTick && Store(FDateForTime, v)) Changed();
}
void TDTLabel::SetDateSeparator(const std::string& s) {
  if (Store(FDateSeparator, FirstChar(s))) Changed();
}
void TDTLabel::SetTimeSeparator(const std::string& s) {
  if (Store(FTimeSeparator, FirstChar(s))) Changed();
}
void TDTLabel::SetMonthName(bool on) {
  if (Store(FMonthName, on)) Changed();
}
void TDTLabel::SetTimeFormat(TTimeFormat v) {
  if (v <= tfAmPm && Store(FTimeFormat, v)) Changed();
}
void TDTLabel::SetYearLength(TYearLength v) {
  if (v <= ylFourDigits && Store(FYearLength, v)) Changed();
}

bool TDTLabel::SameSettings(const TDTLabel& o) const noexcept {
  return FDateOrder == o.FDateOrder && FDateForTime == o.FDateForTime &&
         FDateSeparator == o.FDateSeparator && FTimeSeparator == o.FTimeSeparator &&
         FMonthName == o.FMonthName && FTimeFormat == o.FTimeFormat &&
         FYearLength == o.FYearLength;
}

void TDTLabel::Assign(const TDTLabel& src) {
  if (&src == this || SameSettings(src)) return;
  FDateOrder = src.FDateOrder;
  FDateForTime = src.FDateForTime;
  FDateSeparator = src.FDateSeparator;
  FTimeSeparator = src.FTimeSeparator;
  FMonthName = src.FMonthName;
  FTimeFormat = src.FTimeFormat;
  FYearLength = src.FYearLength;
  Changed();
}

void TDTLabel::Reset() {
  const TDTLabel defaults;
  Assign(defaults);
}

}  // namespace kvo
