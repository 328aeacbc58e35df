// Life cycle of TCustomDEvari: its parts, the start values and clearing.
#include "devari/devari.h"

#include <algorithm>

#include "devari/axislayers_p.h"
#include "devari/bakgndimg.h"
#include "devari/chartparts_p.h"
#include "devari/jointlayers.h"
#include "devari/mouse_p.h"
#include "devari/scaleprops.h"
#include "platform/host.h"
#include "platform/update.h"

namespace kvo {

TCustomDEvari::TCustomDEvari(TComponent* owner)
    : TDisplayListControl(owner),
      FAxes(std::make_unique<TAxisLayers>(this, *this, OnScaleTickDrawn, OnBeforeTickLabel)),
      FParts(std::make_unique<TChartPaintParts>()),
      FBakGndFile(std::make_unique<TBakGndImg>()),
      FJoint(std::make_unique<TJointLayers>()),
      FMouse(std::make_unique<TChartMouse>(*this)) {
  FOwnData = FDataContainer;
  SetBounds(0, 0, 280, 200);
  ResetComp();
}

struct TCustomDEvari::TColorBackup {
  TColor Wind, Frame, Chart, Font, Shadow, ShadowBak;
  std::array<TColor, 3> ScaleX{}, ScaleY{}, FontX{}, FontY{};  // index 1..2
};

TCustomDEvari::~TCustomDEvari() {
  // No chart keeps a link to this one: users fall back to their own lists,
  // the owner forgets this user.
  if (FUseDataOf) FUseDataOf->RemoveDataUser(this);
  for (std::int32_t i = 0; i < FDataUsersNum; ++i) {
    TCustomDEvari* user = FDataUsers[std::size_t(i)];
    user->FUseDataOf = nullptr;
    user->FDataContainer = user->FOwnData;
    user->FLastElemOnShow = 0;
  }
  FDataUsersNum = 0;
}

void TCustomDEvari::ResetComp() {
  // A live chart (painting on) gets one repaint with its start values; a
  // chart that is still being set up stays suppressed.
  const TPaintBatch batch(*this);
  ResetDisplayList();
  FNumMTracePoints = 0;
  ResetRendering();
  // The platform's look applies to all three elements, as on a new control.
  SetStyleElements({seFont, seClient, seBorder});
}

void TCustomDEvari::CreateWnd() {
  TDisplayListControl::CreateWnd();
  SetSuppressPaint(false);
}

// ---- Copying ----------------------------------------------------------------------------

void TCustomDEvari::Assign(const TObject& source) {
  const auto* src = dynamic_cast<const TCustomDEvari*>(&source);
  if (!src) {
    TDisplayListControl::Assign(source);
    return;
  }
  if (src == this) return;
  const TPaintBatch batch(*this);
  // The display lists are copied into this chart's own containers, whatever
  // either chart shares.
  *FDataContainer = *src->FDataContainer;
  FAnnoContainer = src->FAnnoContainer;
  FAllocSize = src->FAllocSize;
  FLastElemOnShow = src->FLastElemOnShow;
  FDraw = src->FDraw;
  FVisib = src->FVisib;
  FTextFont.Assign(src->FTextFont);
  FAvoidDupMarks = src->FAvoidDupMarks;
  FDupMarksMinD = src->FDupMarksMinD;
  FAutoRedraw = src->FAutoRedraw;
  FStyle = src->FStyle;
  FStdLayout = src->FStdLayout;
  FIsometric = src->FIsometric;
  FZoom = src->FZoom;
  FZoomRange = src->FZoomRange;
  FMouseAction = src->FMouseAction;
  FMTrace = src->FMTrace;
  FNumMTracePoints = src->FNumMTracePoints;
  FColorMTrace = src->FColorMTrace;
  FMTraceInvert = src->FMTraceInvert;
  // Sub-objects take settings only: their change links stay bound here.
  for (std::int32_t l = 1; l <= 2; ++l) {
    FAxes->X(l).Assign(src->FAxes->X(l));
    FAxes->Y(l).Assign(src->FAxes->Y(l));
  }
  FBakGndFile->Assign(*src->FBakGndFile);
  FJoint->Assign(*src->FJoint);
  for (std::size_t k = 0; k < FCrossHair.size(); ++k) FCrossHair[k].Assign(src->FCrossHair[k]);
  for (std::int32_t n = 1; n <= TTextLabelTable::Count; ++n)
    FParts->TextLabels.At(n)->Assign(*src->FParts->TextLabels.At(n));
  OnScalesRendered = src->OnScalesRendered;
  OnBeforeRenderData = src->OnBeforeRenderData;
  OnDataRendered = src->OnDataRendered;
  OnBeforeRendedEvariItem = src->OnBeforeRendedEvariItem;
  OnBeforeRenderText = src->OnBeforeRenderText;
  OnScaleTickDrawn = src->OnScaleTickDrawn;
  OnBeforeTickLabel = src->OnBeforeTickLabel;
  OnZoomPan = src->OnZoomPan;
  GeometryChanged();
  ScalePropsChanged(this);
  AdjustCanInfoOfSharedCharts();
}

bool TCustomDEvari::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TCustomDEvari*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return TDisplayListControl::AssignTo(dest);
}

// ---- Shared data --------------------------------------------------------------------------

void TCustomDEvari::SetUseDataOf(TCustomDEvari* chart) {
  if (chart == this) {
    Host().ShowMessage("DEvari: Cannot share data with myself");
    return;
  }
  if (FDataUsersNum > 0) {
    Host().ShowMessage("DEvari: Cannot use foreign data. Other DEvaris are using my own data.");
    return;
  }
  if (chart == FUseDataOf) return;
  if (chart) {
    if (chart->FUseDataOf) chart = chart->FUseDataOf;  // one level deep
    if (chart == this || chart == FUseDataOf) return;
    if (chart->FDataUsersNum >= std::int32_t(chart->FDataUsers.size())) {
      Host().ShowMessage("DEvari: Max. number of data shares exceeded");
      return;
    }
    if (FUseDataOf) FUseDataOf->RemoveDataUser(this);
    FUseDataOf = chart;
    FDataContainer = chart->FDataContainer;
    FLastElemOnShow = chart->FLastElemOnShow;
    chart->FDataUsers[std::size_t(chart->FDataUsersNum++)] = this;
  } else {
    // The chart shows its own list again.
    FUseDataOf->RemoveDataUser(this);
    FUseDataOf = nullptr;
    FDataContainer = FOwnData;
    FLastElemOnShow = 0;
  }
  StyleChanged(this);
}

void TCustomDEvari::RemoveDataUser(TCustomDEvari* user) noexcept {
  auto end = FDataUsers.begin() + FDataUsersNum;
  auto it = std::find(FDataUsers.begin(), end, user);
  if (it == end) return;
  std::copy(it + 1, end, it);
  FDataUsers[std::size_t(--FDataUsersNum)] = nullptr;
}

void TCustomDEvari::AdjustCanInfoOfSharedCharts() {
  // The charts sharing a list hold the same container, so items, long texts
  // and counters are common already; the last-shown index is copied.
  TCustomDEvari* owner = FUseDataOf ? FUseDataOf : this;
  owner->FLastElemOnShow = FLastElemOnShow;
  for (std::int32_t i = 0; i < owner->FDataUsersNum; ++i)
    owner->FDataUsers[std::size_t(i)]->FLastElemOnShow = FLastElemOnShow;
}

// ---- Black and white -------------------------------------------------------------------------

void TCustomDEvari::BackupColorsAndMakeBW() {
  if (FColorBackup) return;  // the first backup holds the original colours
  auto b = std::make_unique<TColorBackup>();
  b->Wind = FStyle.WindColor;
  b->Frame = FStyle.FrameColor;
  b->Chart = FStyle.ChartColor;
  b->Font = Font().Color();
  b->Shadow = FStyle.ShadowColor;
  b->ShadowBak = FStyle.ShadowBakColor;
  for (std::int32_t l = 1; l <= 2; ++l) {
    b->ScaleX[std::size_t(l)] = FAxes->X(l).ColorScale();
    b->ScaleY[std::size_t(l)] = FAxes->Y(l).ColorScale();
    b->FontX[std::size_t(l)] = FAxes->X(l).Font().Color();
    b->FontY[std::size_t(l)] = FAxes->Y(l).Font().Color();
  }
  FColorBackup = std::move(b);
  const TPaintBatch batch(*this);
  FStyle.WindColor = clWhite;
  FStyle.ChartColor = clWhite;
  FStyle.FrameColor = clBlack;
  Font().SetColor(clBlack);
  FStyle.ShadowColor = 12632256;
  FStyle.ShadowBakColor = clWhite;
  for (std::int32_t l = 1; l <= 2; ++l) {
    for (TScaleProps* p : {static_cast<TScaleProps*>(&FAxes->X(l)), static_cast<TScaleProps*>(&FAxes->Y(l))}) {
      const TSilentChanges<TScaleProps> quiet(*p);
      p->SetColorScale(clBlack);
      p->Font().SetColor(clBlack);
    }
  }
  FAxes->Sync(Geometry(), AxisTextColor());
}

void TCustomDEvari::ReloadBackupColors() {
  if (!FColorBackup) return;
  const std::unique_ptr<TColorBackup> b = std::move(FColorBackup);
  const TPaintBatch batch(*this);
  FStyle.WindColor = b->Wind;
  FStyle.FrameColor = b->Frame;
  FStyle.ChartColor = b->Chart;
  Font().SetColor(b->Font);
  FStyle.ShadowColor = b->Shadow;
  FStyle.ShadowBakColor = b->ShadowBak;
  for (std::int32_t l = 1; l <= 2; ++l) {
    const TSilentChanges<TScaleProps> qx(FAxes->X(l));
    const TSilentChanges<TScaleProps> qy(FAxes->Y(l));
    FAxes->X(l).SetColorScale(b->ScaleX[std::size_t(l)]);
    FAxes->Y(l).SetColorScale(b->ScaleY[std::size_t(l)]);
    FAxes->X(l).Font().SetColor(b->FontX[std::size_t(l)]);
    FAxes->Y(l).Font().SetColor(b->FontY[std::size_t(l)]);
  }
  FAxes->Sync(Geometry(), AxisTextColor());
}

// ---- Mouse --------------------------------------------------------------------------------

void TCustomDEvari::MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  FMouse->Down(b, s, x, y);
}
void TCustomDEvari::MouseMove(TShiftState s, std::int32_t x, std::int32_t y) { FMouse->Move(s, x, y); }
void TCustomDEvari::MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  FMouse->Up(b, s, x, y);
}
void TCustomDEvari::DblClick() { FMouse->DoubleClick(); }
bool TCustomDEvari::MouseWheel(TShiftState s, std::int32_t delta, std::int32_t x, std::int32_t y) {
  return FMouse->Wheel(s, delta, x, y);
}
bool TCustomDEvari::KeyDown(std::uint16_t key, TShiftState s) { return FMouse->Key(key, s); }
double TCustomDEvari::MousePosX() const noexcept { return FMouse->MousePosX(); }
double TCustomDEvari::MousePosY() const noexcept { return FMouse->MousePosY(); }
std::int32_t TCustomDEvari::ZoomState() const noexcept { return FMouse->ZoomState(); }
bool TCustomDEvari::MouseBox(double& xLo, double& yLo, double& xHi, double& yHi) {
  return FMouse->Box(xLo, yLo, xHi, yHi);
}
void TCustomDEvari::MouseBoxAbort() noexcept { FMouse->BoxAbort(); }

TColoredPoint TCustomDEvari::GetMTracePoint(std::int32_t idx) const noexcept {
  if (idx < 1 || idx > FNumMTracePoints || std::size_t(idx) > FMTrace.size()) {
    TColoredPoint none;
    none.Flags = 255;
    return none;
  }
  return FMTrace[std::size_t(idx - 1)];
}

void TCustomDEvari::ClearGraf() {
  ResetDataBitmap();
  FDataContainer->Clear(true, true);  // live data: the memory stays for the next items
  FNumMTracePoints = 0;
  FLastElemOnShow = 0;
  AdjustCanInfoOfSharedCharts();
}

}  // namespace kvo
