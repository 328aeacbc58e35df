#include "devari/devari.h"

#include <algorithm>

namespace kvo {

TCustomDEvari::TCustomDEvari(TComponent* owner)
    : TCustomControl(owner), FDataContainer(std::make_shared<TRcItemContainer>(true)) {
  SetBounds(0, 0, 280, 200);
  ResetComp();
}

TCustomDEvari::~TCustomDEvari() = default;

void TCustomDEvari::ResetComp() {
  const bool oldSuppress = FSuppressPaint;
  FSuppressPaint = true;
  FAllocSize = 1000;
  FAvoidDupMarks = false;
  FDupMarksMinD = 1;
  FDataContainer->Clear(true);
  FAnnoContainer.Clear(true);
  FLastElemOnShow = 0;
  FNumMTracePoints = 0;
  FDraw = TDrawSettings{};
  FVisib = TItemVisibility{};
  FTextFont.Assign(Font());
  ResetRendering();
  FInvalidDataBmp = true;
  FAutoRedraw = true;
  AdjustCanInfoOfSharedCharts();
  // A live chart (painting on) gets one repaint with its start values; a
  // chart that is still being set up stays suppressed.
  SetSuppressPaint(oldSuppress);
}

// ---- Painting funnels --------------------------------------------------------

void TCustomDEvari::RepaintChart() { Paint(); }

void TCustomDEvari::RedrawByRule() {
  if (FAutoRedraw || Designing()) RepaintChart();
}

void TCustomDEvari::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) RepaintChart();
}

void TCustomDEvari::AdjustCanInfoOfSharedCharts() {
  // Charts that show this chart's data hold the same container object, so
  // items, long texts and counters are already common. What remains per
  // chart (the last-shown index) is brought up to date here once data
  // sharing exists; until then there are no sharing charts to update.
}

// ---- Counts and growth ----------------------------------------------------------

void TCustomDEvari::SetAllocSize(std::int32_t v) noexcept {
  if (v >= 1 && v <= 1'000'000) FAllocSize = v;
}

// ---- Item access -----------------------------------------------------------------

namespace {
TrcChartItem NoItem() noexcept {
  TrcChartItem it;
  CleadEvariItem(it);
  return it;
}
}  // namespace

TrcChartItem TCustomDEvari::GetChartItem(std::int32_t i) const noexcept {
  return FDataContainer->ValidIndex(i) ? (*FDataContainer)[i] : NoItem();
}

void TCustomDEvari::SetChartItem(std::int32_t i, const TrcChartItem& item) noexcept {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->Replace(i, item, false);
  AdjustCanInfoOfSharedCharts();
}

TrcChartItem TCustomDEvari::GetAnnoItem(std::int32_t i) const noexcept {
  return FAnnoContainer.ValidIndex(i) ? FAnnoContainer[i] : NoItem();
}

void TCustomDEvari::SetAnnoItem(std::int32_t i, const TrcChartItem& item) noexcept {
  FAnnoContainer.Replace(i, item, false);
}

void TCustomDEvari::SetItemParams(std::int32_t i, const TrcChartItem& item) noexcept {
  if (item.ItemKind == tkNone || item.ItemKind == tkEverything) return;
  // Values that are not kinds would index past the counters.
  if (!IsValidItemKind(item.ItemKind) || !FDataContainer->ValidIndex(i)) return;
  FDataContainer->Replace(i, item, true);
  AdjustCanInfoOfSharedCharts();
}

std::string TCustomDEvari::GetDataLongText(std::int32_t i) const {
  if (!FDataContainer->ValidIndex(i)) return {};
  return FDataContainer->FullText((*FDataContainer)[i]);
}

void TCustomDEvari::SetDataLongText(std::int32_t i, const std::string& text) {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->SetFullText(i, text);
  AdjustCanInfoOfSharedCharts();
}

std::string TCustomDEvari::GetAnnoLongText(std::int32_t i) const {
  if (!FAnnoContainer.ValidIndex(i)) return {};
  return FAnnoContainer.FullText(FAnnoContainer[i]);
}

void TCustomDEvari::SetAnnoLongText(std::int32_t i, const std::string& text) {
  FAnnoContainer.SetFullText(i, text);
}

TrcItem TCustomDEvari::GetTypeOfFirstItem() const noexcept {
  return FDataContainer->Empty() ? tkNone : (*FDataContainer)[0].ItemKind;
}

TrcItem TCustomDEvari::GetTypeOfLastItem() const noexcept {
  return FDataContainer->Empty() ? tkNone : (*FDataContainer)[NumItems() - 1].ItemKind;
}

// ---- Layers and classes ----------------------------------------------------------

void TCustomDEvari::SetActiveLayer(std::int32_t layer) {
  if ((layer != 1 && layer != 2) || layer == FDraw.ActiveLayer) return;
  FDraw.ActiveLayer = layer;
  RedrawByRule();
}

bool TCustomDEvari::GetLayerVisib(std::int32_t layer) const noexcept {
  return (layer == 1 || layer == 2) && FVisib.LayerVisible[std::size_t(layer)];
}

void TCustomDEvari::SetLayerVisib(std::int32_t layer, bool visible) {
  if (layer != 1 && layer != 2) return;
  if (FVisib.LayerVisible[std::size_t(layer)] == visible) return;
  FVisib.LayerVisible[std::size_t(layer)] = visible;
  RepaintChart();
}

bool TCustomDEvari::GetMAffLayer(std::int32_t layer) const noexcept {
  return (layer == 1 || layer == 2) && FVisib.MouseAffectsLayer[std::size_t(layer)];
}

void TCustomDEvari::SetMAffLayer(std::int32_t layer, bool affected) noexcept {
  if (layer == 1 || layer == 2) FVisib.MouseAffectsLayer[std::size_t(layer)] = affected;
}

void TCustomDEvari::SetClassVisib(std::uint8_t cls, bool visible) {
  if (FVisib.ClassVisible[cls] == visible) return;
  FVisib.ClassVisible[cls] = visible;
  RepaintChart();
}

void TCustomDEvari::SetAnnoClassVisib(std::uint8_t cls, bool visible) {
  if (FVisib.AnnoClassVisible[cls] == visible) return;
  FVisib.AnnoClassVisible[cls] = visible;
  RepaintChart();
}

void TCustomDEvari::SetClassDefault(std::uint8_t cls) noexcept {
  if (cls != 255) FDraw.ClassDefault = cls;
}

void TCustomDEvari::NewColorOfClassItems(TColor color, std::uint8_t cls) noexcept {
  TRcItemContainer& data = *FDataContainer;
  for (std::int32_t i = 0; i < data.Count(); ++i)
    if (cls == 255 || data[i].ItemClass == cls) data[i].Color = color;
  AdjustCanInfoOfSharedCharts();
}

TLayerSet TCustomDEvari::FindUsedLayers() const noexcept {
  TLayerSet used;
  for (const auto& it : FDataContainer->Items()) {
    if (it.Layer == 1) used.Include(TLayer::L1);
    else if (it.Layer == 2) used.Include(TLayer::L2);
    if (used.Contains(TLayer::L1) && used.Contains(TLayer::L2)) break;
  }
  return used;
}

void TCustomDEvari::SetTextAlignment(TAlignment v) {
  if (v == FDraw.TextAlignment) return;
  FDraw.TextAlignment = v;
  RedrawByRule();
}

// ---- Annotation switches --------------------------------------------------------

void TCustomDEvari::SetAnnoMode(bool v) {
  if (v == FDraw.AnnoMode) return;
  FDraw.AnnoMode = v;
  RepaintChart();
}

void TCustomDEvari::SetAnnoBelow(bool v) {
  if (v == FVisib.AnnoBelowChart) return;
  FVisib.AnnoBelowChart = v;
  RepaintChart();
}

void TCustomDEvari::SetAnnoTextOnTop(bool v) {
  if (v == FVisib.AnnoTextOnTop) return;
  FVisib.AnnoTextOnTop = v;
  RepaintChart();
}

void TCustomDEvari::SetAnnosVisible(bool v) {
  if (v == FVisib.AnnosVisible) return;
  FVisib.AnnosVisible = v;
  FInvalidDataBmp = true;
  RepaintChart();
}

void TCustomDEvari::SetAvoidDupMarks(bool v) {
  if (v == FAvoidDupMarks) return;
  FAvoidDupMarks = v;
  RepaintChart();
}

void TCustomDEvari::SetDupMarksMinD(std::int32_t v) {
  if (v == FDupMarksMinD) return;
  FDupMarksMinD = std::clamp(v, 1, 3);
  RepaintChart();
}

// ---- Searches and counts ---------------------------------------------------------

std::int32_t TCustomDEvari::CountAnnos(std::int32_t tag, std::uint32_t tagMask, std::uint8_t cls,
                                       TrcItem kind) const noexcept {
  return FAnnoContainer.CountMatching(tag, tagMask, cls, kind);
}

std::int32_t TCustomDEvari::CountAnnoByClass(std::span<const std::uint8_t> classes) const noexcept {
  const auto hist = FAnnoContainer.ClassHistogram();
  std::int32_t n = 0;
  for (std::uint8_t c : classes) n += hist[c];
  return n;
}

std::int32_t TCustomDEvari::SearchDataItem(std::int32_t start, std::int32_t tag,
                                           std::uint32_t tagMask, std::uint8_t cls,
                                           TrcItem kind) const noexcept {
  return FDataContainer->Search(start, tag, tagMask, cls, kind);
}

std::int32_t TCustomDEvari::SearchAnnoItem(std::int32_t start, std::int32_t tag,
                                           std::uint32_t tagMask, std::uint8_t cls,
                                           TrcItem kind) const noexcept {
  return FAnnoContainer.Search(start, tag, tagMask, cls, kind);
}

// ---- Removal and clearing ---------------------------------------------------------

void TCustomDEvari::RemoveItem(std::int32_t i) noexcept {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->RemoveAt(i);
  AdjustCanInfoOfSharedCharts();
}

void TCustomDEvari::RemoveLastItem() noexcept {
  FDataContainer->RemoveLast();
  AdjustCanInfoOfSharedCharts();
}

std::int32_t TCustomDEvari::RemoveItemsByClass(std::uint8_t cls) {
  const std::int32_t n =
      FDataContainer->RemoveIf([cls](const TrcChartItem& it) { return it.ItemClass == cls; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

std::int32_t TCustomDEvari::RemoveItemsByLayer(std::int32_t layer) {
  const std::int32_t n =
      FDataContainer->RemoveIf([layer](const TrcChartItem& it) { return it.Layer == layer; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

void TCustomDEvari::RemoveAnnoItem(std::int32_t i) noexcept { FAnnoContainer.RemoveAt(i); }

void TCustomDEvari::ClearGraf() {
  ResetDataBitmap();
  FDataContainer->Clear(true);
  FNumMTracePoints = 0;
  FLastElemOnShow = 0;
  AdjustCanInfoOfSharedCharts();
}

void TCustomDEvari::ClearAnnotations() {
  FAnnoContainer.Clear(true);
  RepaintChart();
}

}  // namespace kvo
