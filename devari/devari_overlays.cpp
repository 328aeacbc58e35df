// Crosshairs, text labels and the mouse trace of TCustomDEvari.
#include <algorithm>

#include "devari/chartparts_p.h"
#include "devari/crosshairs_p.h"
#include "devari/devari.h"
#include "devari/devarierror.h"

namespace kvo {

namespace {
bool ValidCrossHair(std::int32_t n) { return n >= 1 && n <= 4; }
}  // namespace

// ---- Crosshairs ------------------------------------------------------------------

TCrossHair& TCustomDEvari::CrossHair(std::int32_t n) noexcept {
  return FCrossHair[std::size_t(ValidCrossHair(n) ? n - 1 : 0)];
}

void TCustomDEvari::SetCrossHair(std::int32_t n, const TCrossHair& v) {
  if (!ValidCrossHair(n)) return;
  TCrossHair& ch = FCrossHair[std::size_t(n - 1)];
  if (&ch == &v) return;
  // The crosshair's change event repaints once if anything changed.
  ch.Assign(v);
}

void TCustomDEvari::RefreshCrossHairs() {
  // Without a chart image of the current size there is nothing to refresh
  // quickly: paint it all.
  if (!ChartImageFits()) {
    RepaintChart();
    return;
  }
  if (FSuppressPaint || Loading()) return;
  PutDataImage();
  DrawFinish(0, 0, Canvas(), FParts->ChartBmp);
}

void TCustomDEvari::CrossHairSetPos(std::int32_t chnum, double x, double y) {
  if (!ValidCrossHair(chnum)) return;
  TCrossHair& ch = FCrossHair[std::size_t(chnum - 1)];
  // Position changes do not go through the change event: only the overlays
  // are redrawn, not the data area.
  const TNotifyEvent keep = std::move(ch.OnChange);
  ch.OnChange = nullptr;
  ch.SetPos(x, y);
  ch.OnChange = keep;
  if (ch.Mode() != chOff) RefreshCrossHairs();
}

void TCustomDEvari::SetCHPosX(std::int32_t chnum, double v) {
  if (!ValidCrossHair(chnum)) return;
  CrossHairSetPos(chnum, v, FCrossHair[std::size_t(chnum - 1)].PosY());
}

void TCustomDEvari::SetCHPosY(std::int32_t chnum, double v) {
  if (!ValidCrossHair(chnum)) return;
  CrossHairSetPos(chnum, FCrossHair[std::size_t(chnum - 1)].PosX(), v);
}

double TCustomDEvari::GetCHPosX(std::int32_t chnum) const noexcept {
  return ValidCrossHair(chnum) ? FCrossHair[std::size_t(chnum - 1)].PosX() : 0.0;
}
double TCustomDEvari::GetCHPosY(std::int32_t chnum) const noexcept {
  return ValidCrossHair(chnum) ? FCrossHair[std::size_t(chnum - 1)].PosY() : 0.0;
}

void TCustomDEvari::CrossHairSetup(std::int32_t ch, TColor chColor, TCrossHMode mode,
                                   TPenStyle lineType, std::int32_t lineWidth) {
  if (!ValidCrossHair(ch)) return;
  TCrossHair& c = FCrossHair[std::size_t(ch - 1)];
  const TNotifyEvent keep = std::move(c.OnChange);
  c.OnChange = nullptr;
  c.SetCrossHColor(chColor);
  c.SetCrossHMode(mode);
  c.SetCrossHLineType(lineType);
  c.SetCrossHLineWid(lineWidth);
  c.OnChange = keep;
  RefreshCrossHairs();
}

void TCustomDEvari::DrawCrossHairs(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap) {
  std::array<TCrossHairView, 4> views;
  for (std::size_t i = 0; i < 4; ++i) {
    const TCrossHair& c = FCrossHair[i];
    views[i] = {c.PosX(), c.PosY(), c.Color(), c.Mode(), c.LineType(), c.LineWidth(), c.Layer()};
  }
  DrawCrossHairsOn(bitmap.Canvas(), views, FTransforms, Geometry(), offsX, offsY,
                   PaintColors().Chart);
}

void TCustomDEvari::DrawMouseTrace(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap) {
  const std::size_t n = std::min<std::size_t>(std::size_t(std::max(0, FNumMTracePoints)), FMTrace.size());
  DrawMouseTraceOn(bitmap.Canvas(), std::span<const TColoredPoint>(FMTrace.data(), n), FTransforms,
                   FDraw.ActiveLayer, Geometry(), offsX, offsY);
}

void TCustomDEvari::DrawFinish(std::int32_t offsX, std::int32_t offsY, TCanvas& canvas,
                               TBitmap& bitmap) {
  DrawCrossHairs(offsX, offsY, bitmap);
  PutImage(canvas, offsX, offsY, bitmap);
  if (&canvas == &Canvas()) PresentSurface();
}

void TCustomDEvari::SetNumMTracePoints(std::int32_t n) noexcept {
  FNumMTracePoints = std::clamp<std::int32_t>(n, 0, std::int32_t(FMTrace.size()));
}

// ---- Text labels -------------------------------------------------------------------

std::int32_t TCustomDEvari::AddTextLabel(double posX, double posY, TColor txtColor,
                                         const std::string& txt, std::int32_t propertyTemplate) {
  const TLabelDefaults def{PaintColors().Chart, FStyle.FrameColor, FDraw.ActiveLayer};
  return FParts->TextLabels.Add(posX, posY, txtColor, txt, propertyTemplate, def);
}

void TCustomDEvari::SetTextLabel(std::int32_t idx, double posX, double posY, TColor txtColor,
                                 const std::string& txt, std::int32_t propertyTemplate) {
  const TLabelDefaults def{PaintColors().Chart, FStyle.FrameColor, FDraw.ActiveLayer};
  FParts->TextLabels.Fill(idx, posX, posY, txtColor, txt, propertyTemplate, def);
}

void TCustomDEvari::HideAllTextLabels() {
  const bool keep = FSuppressPaint;
  FSuppressPaint = true;
  FParts->TextLabels.HideAll();
  SetSuppressPaint(keep);  // one repaint when painting was on
}

void TCustomDEvari::ClearAllTextLabels() {
  const bool keep = FSuppressPaint;
  FSuppressPaint = true;
  FParts->TextLabels.ClearAll();
  SetSuppressPaint(keep);
}

TTextLabel& TCustomDEvari::GetFTextLabel(std::int32_t ix) {
  TTextLabel* l = FParts->TextLabels.At(ix);
  if (!l) {
    throw EKvoDEvariError("Component \"" + Name() + "\": invalid index into TextLabel array");
  }
  return *l;
}

void TCustomDEvari::SetFTextLabel(std::int32_t ix, const TTextLabel& v) {
  TTextLabel& l = GetFTextLabel(ix);
  if (&l != &v) l.Assign(v);  // the label's change event redraws by the rule
}

void TCustomDEvari::StyleChanged(TObject*) { RedrawByRule(); }

}  // namespace kvo
