#include "scale/helperscale.h"

#include <algorithm>
#include <utility>

namespace kvo {

namespace {
bool IsVertical(TScaleType t) noexcept { return t == stLabelsRight || t == stLabelsLeft; }

// Puts a pixel onto 0..size-1 (0 for an empty owner).
std::int32_t Inside(std::int32_t v, std::int32_t size) noexcept {
  return std::clamp(v, 0, std::max(size, 1) - 1);
}

// Points an axis at a canvas for one drawing and lets go of it afterwards,
// also when a handler throws.
struct TForeignCanvasScope {
  TScale& Scale;
  TForeignCanvasScope(TScale& s, TCanvas& c, std::int32_t x, std::int32_t y) : Scale(s) {
    Scale.UseForeignCanvas(&c, x, y);
  }
  ~TForeignCanvasScope() { Scale.UseForeignCanvas(nullptr, 0, 0); }
  TForeignCanvasScope(const TForeignCanvasScope&) = delete;
  TForeignCanvasScope& operator=(const TForeignCanvasScope&) = delete;
};
}  // namespace

TScaleMargins MarginsForPlacement(const TAxisPlacement& p) noexcept {
  const std::int32_t w = std::max(p.OwnerWidth, 0), h = std::max(p.OwnerHeight, 0);
  const bool vertical = IsVertical(p.Type);
  const std::int32_t along = vertical ? h : w, across = vertical ? w : h;
  std::int32_t first = Inside(p.First, along), last = Inside(p.Last, along);
  if (first > last) std::swap(first, last);
  const std::int32_t base = Inside(p.BaseLine, across);
  // The last pixel of a side is size - 1: a margin counts the pixels beyond it.
  const std::int32_t farAlong = std::max(along - 1 - last, 0);
  const std::int32_t farAcross = std::max(across - 1 - base, 0);
  TScaleMargins m;
  switch (p.Type) {
    case stLabelsAbove:  // base line row = Height - MarginBottom - 1
      m = {first, 0, farAlong, farAcross};
      break;
    case stLabelsBelow:  // base line row = MarginTop
      m = {first, base, farAlong, 0};
      break;
    case stLabelsRight:  // base line column = MarginLeft
      m = {base, first, 0, farAlong};
      break;
    case stLabelsLeft:  // base line column = Width - MarginRight - 1
      m = {0, first, farAcross, farAlong};
      break;
  }
  return m;
}

THelperScale::THelperScale(TComponent* owner) : FScale(owner) { SetUp(); }

void THelperScale::SetUp() {
  FScale.SetSuppressPaint(true);  // painted only through Draw
  FScale.SetIsHelper(true);       // no surface of its own
  FScale.SetTransparent(true);
  FScale.SetFrameStyle(frsNone);
  FScale.OnScaleTickDrawn = [this](TObject*, TCanvas& canvas, TScaleType type, double value,
                                   std::int32_t x, std::int32_t y) {
    if (FOnTickDrawn && *FOnTickDrawn) (*FOnTickDrawn)(FSender, canvas, type, value, x, y);
  };
  FScale.OnBeforeTickLabel = [this](TObject*, TScaleType type, double value, std::string& label) {
    if (FOnBeforeTickLabel && *FOnBeforeTickLabel)
      (*FOnBeforeTickLabel)(FSender, type, value, label);
  };
  if (FPlaced) PlaceWithMargins(FWidth, FHeight, FType, FMargins);  // after a reset
}

void THelperScale::Reset() {
  FScale.ResetComp();
  SetUp();
}

void THelperScale::Place(const TAxisPlacement& p) {
  FPlacement = p;
  PlaceWithMargins(p.OwnerWidth, p.OwnerHeight, p.Type, MarginsForPlacement(p));
}

void THelperScale::PlaceWithMargins(std::int32_t ownerWidth, std::int32_t ownerHeight,
                                    TScaleType type, const TScaleMargins& m) {
  FWidth = ownerWidth;
  FHeight = ownerHeight;
  FType = type;
  FMargins = m;
  FPlaced = true;
  FScale.SetBounds(0, 0, ownerWidth, ownerHeight);
  FScale.SetScaleType(type);
  FScale.SetMarginLeft(m.Left);
  FScale.SetMarginTop(m.Top);
  FScale.SetMarginRight(m.Right);
  FScale.SetMarginBottom(m.Bottom);
}

void THelperScale::SetSettings(const TScaleSettings& v) {
  if (!FPlaced || v.ScaleType == FType) {
    FScale.SetSettings(v);
    return;
  }
  TScaleSettings s = v;
  s.ScaleType = FType;
  FScale.SetSettings(s);
}

void THelperScale::Draw(TCanvas& canvas, std::int32_t offX, std::int32_t offY) {
  const TForeignCanvasScope target(FScale, canvas, offX, offY);
  FScale.ForcePaint();
}

void THelperScale::ForwardEvents(TObject& sender, TScaleTickDrawnEvent& onTickDrawn,
                                 TBeforeTickLabelEvent& onBeforeTickLabel) {
  FSender = &sender;
  FOnTickDrawn = &onTickDrawn;
  FOnBeforeTickLabel = &onBeforeTickLabel;
}

}  // namespace kvo
