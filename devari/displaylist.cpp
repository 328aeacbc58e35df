#include "devari/displaylist.h"

#include "platform/update.h"

#include <algorithm>

namespace kvo {

TDisplayListControl::TDisplayListControl(TComponent* owner)
    : TCustomControl(owner), FDataContainer(std::make_shared<TRcItemContainer>(true)) {}

TDisplayListControl::~TDisplayListControl() = default;

void TDisplayListControl::ResetComp() {
  const TPaintBatch batch(*this);
  ResetDisplayList();
}

void TDisplayListControl::ResetDisplayList() {
  FAllocSize = 1000;
  FAvoidDupMarks = false;
  FDupMarksMinD = 1;
  FDataContainer->Clear(true);
  FAnnoContainer.Clear(true);
  FLastElemOnShow = 0;
  FDraw = TDrawSettings{};
  FVisib = TItemVisibility{};
  FTextFont.Assign(Font());
  FInvalidDataBmp = true;
  FAutoRedraw = true;
  AdjustCanInfoOfSharedCharts();
}

// ---- Painting funnels --------------------------------------------------------

void TDisplayListControl::RepaintChart() {
  if (!FSuppressPaint) Paint();
}

void TDisplayListControl::RedrawByRule() {
  if (FAutoRedraw || Designing()) RepaintChart();
}

void TDisplayListControl::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) RepaintChart();
}


// ---- Counts and growth ----------------------------------------------------------

void TDisplayListControl::SetAllocSize(std::int32_t v) noexcept {
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

TrcChartItem TDisplayListControl::GetChartItem(std::int32_t i) const noexcept {
  return FDataContainer->ValidIndex(i) ? (*FDataContainer)[i] : NoItem();
}

void TDisplayListControl::SetChartItem(std::int32_t i, const TrcChartItem& item) noexcept {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->Replace(i, item, false);
  AdjustCanInfoOfSharedCharts();
}

TrcChartItem TDisplayListControl::GetAnnoItem(std::int32_t i) const noexcept {
  return FAnnoContainer.ValidIndex(i) ? FAnnoContainer[i] : NoItem();
}

void TDisplayListControl::SetAnnoItem(std::int32_t i, const TrcChartItem& item) noexcept {
  FAnnoContainer.Replace(i, item, false);
}

void TDisplayListControl::SetItemParams(std::int32_t i, const TrcChartItem& item) noexcept {
  if (item.ItemKind == tkNone || item.ItemKind == tkEverything) return;
  // Values that are not kinds would index past the counters.
  if (!IsValidItemKind(item.ItemKind) || !FDataContainer->ValidIndex(i)) return;
  FDataContainer->Replace(i, item, true);
  AdjustCanInfoOfSharedCharts();
}

std::string TDisplayListControl::GetDataLongText(std::int32_t i) const {
  if (!FDataContainer->ValidIndex(i)) return {};
  return FDataContainer->FullText((*FDataContainer)[i]);
}

void TDisplayListControl::SetDataLongText(std::int32_t i, const std::string& text) {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->SetFullText(i, text);
  AdjustCanInfoOfSharedCharts();
}

std::string TDisplayListControl::GetAnnoLongText(std::int32_t i) const {
  if (!FAnnoContainer.ValidIndex(i)) return {};
  return FAnnoContainer.FullText(FAnnoContainer[i]);
}

void TDisplayListControl::SetAnnoLongText(std::int32_t i, const std::string& text) {
  FAnnoContainer.SetFullText(i, text);
}

TrcItem TDisplayListControl::GetTypeOfFirstItem() const noexcept {
  return FDataContainer->Empty() ? tkNone : (*FDataContainer)[0].ItemKind;
}

TrcItem TDisplayListControl::GetTypeOfLastItem() const noexcept {
  return FDataContainer->Empty() ? tkNone : (*FDataContainer)[NumItems() - 1].ItemKind;
}

// ---- Layers and classes ----------------------------------------------------------

void TDisplayListControl::SetActiveLayer(std::int32_t layer) {
  if ((layer != 1 && layer != 2) || layer == FDraw.ActiveLayer) return;
  FDraw.ActiveLayer = layer;
  RedrawByRule();
}

bool TDisplayListControl::GetLayerVisib(std::int32_t layer) const noexcept {
  return (layer == 1 || layer == 2) && FVisib.LayerVisible[std::size_t(layer)];
}

void TDisplayListControl::SetLayerVisib(std::int32_t layer, bool visible) {
  if (layer != 1 && layer != 2) return;
  if (FVisib.LayerVisible[std::size_t(layer)] == visible) return;
  FVisib.LayerVisible[std::size_t(layer)] = visible;
  RepaintChart();
}

bool TDisplayListControl::GetMAffLayer(std::int32_t layer) const noexcept {
  return (layer == 1 || layer == 2) && FVisib.MouseAffectsLayer[std::size_t(layer)];
}

void TDisplayListControl::SetMAffLayer(std::int32_t layer, bool affected) noexcept {
  if (layer == 1 || layer == 2) FVisib.MouseAffectsLayer[std::size_t(layer)] = affected;
}

void TDisplayListControl::SetClassVisib(std::uint8_t cls, bool visible) {
  if (FVisib.ClassVisible[cls] == visible) return;
  FVisib.ClassVisible[cls] = visible;
  RepaintChart();
}

void TDisplayListControl::SetAnnoClassVisib(std::uint8_t cls, bool visible) {
  if (FVisib.AnnoClassVisible[cls] == visible) return;
  FVisib.AnnoClassVisible[cls] = visible;
  RepaintChart();
}

void TDisplayListControl::SetClassDefault(std::uint8_t cls) noexcept {
  if (cls != 255) FDraw.ClassDefault = cls;
}

void TDisplayListControl::NewColorOfClassItems(TColor color, std::uint8_t cls) noexcept {
  FDataContainer->Recolour(cls, color);
  AdjustCanInfoOfSharedCharts();
}

TLayerSet TDisplayListControl::FindUsedLayers() const noexcept {
  TLayerSet used;
  for (const auto& it : FDataContainer->Items()) {
    if (it.Layer == 1) used.Include(TLayer::L1);
    else if (it.Layer == 2) used.Include(TLayer::L2);
    if (used.Contains(TLayer::L1) && used.Contains(TLayer::L2)) break;
  }
  return used;
}

void TDisplayListControl::SetTextAlignment(TAlignment v) {
  if (v == FDraw.TextAlignment) return;
  FDraw.TextAlignment = v;
  RedrawByRule();
}

// ---- Annotation switches --------------------------------------------------------

void TDisplayListControl::SetAnnoMode(bool v) {
  if (v == FDraw.AnnoMode) return;
  FDraw.AnnoMode = v;
  RepaintChart();
}

void TDisplayListControl::SetAnnoBelow(bool v) {
  if (v == FVisib.AnnoBelowChart) return;
  FVisib.AnnoBelowChart = v;
  RepaintChart();
}

void TDisplayListControl::SetAnnoTextOnTop(bool v) {
  if (v == FVisib.AnnoTextOnTop) return;
  FVisib.AnnoTextOnTop = v;
  RepaintChart();
}

void TDisplayListControl::SetAnnosVisible(bool v) {
  if (v == FVisib.AnnosVisible) return;
  FVisib.AnnosVisible = v;
  FInvalidDataBmp = true;
  RepaintChart();
}

void TDisplayListControl::SetAvoidDupMarks(bool v) {
  if (v == FAvoidDupMarks) return;
  FAvoidDupMarks = v;
  RepaintChart();
}

void TDisplayListControl::SetDupMarksMinD(std::int32_t v) {
  if (v == FDupMarksMinD) return;
  FDupMarksMinD = std::clamp(v, 1, 3);
  RepaintChart();
}

// ---- Searches and counts ---------------------------------------------------------

std::int32_t TDisplayListControl::CountAnnos(std::int32_t tag, std::uint32_t tagMask, std::uint8_t cls,
                                       TrcItem kind) const noexcept {
  return FAnnoContainer.CountMatching(tag, tagMask, cls, kind);
}

std::int32_t TDisplayListControl::CountAnnoByClass(std::span<const std::uint8_t> classes) const noexcept {
  const auto hist = FAnnoContainer.ClassHistogram();
  std::int32_t n = 0;
  for (std::uint8_t c : classes) n += hist[c];
  return n;
}

std::int32_t TDisplayListControl::SearchDataItem(std::int32_t start, std::int32_t tag,
                                           std::uint32_t tagMask, std::uint8_t cls,
                                           TrcItem kind) const noexcept {
  return FDataContainer->Search(start, tag, tagMask, cls, kind);
}

std::int32_t TDisplayListControl::SearchAnnoItem(std::int32_t start, std::int32_t tag,
                                           std::uint32_t tagMask, std::uint8_t cls,
                                           TrcItem kind) const noexcept {
  return FAnnoContainer.Search(start, tag, tagMask, cls, kind);
}

// ---- Removal and clearing ---------------------------------------------------------

void TDisplayListControl::RemoveItem(std::int32_t i) noexcept {
  if (!FDataContainer->ValidIndex(i)) return;
  FDataContainer->RemoveAt(i);
  AdjustCanInfoOfSharedCharts();
}

void TDisplayListControl::RemoveLastItem() noexcept {
  FDataContainer->RemoveLast();
  AdjustCanInfoOfSharedCharts();
}

std::int32_t TDisplayListControl::RemoveItemsByClass(std::uint8_t cls) {
  const std::int32_t n =
      FDataContainer->RemoveIf([cls](const TrcChartItem& it) { return it.ItemClass == cls; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

std::int32_t TDisplayListControl::RemoveItemsByLayer(std::int32_t layer) {
  const std::int32_t n =
      FDataContainer->RemoveIf([layer](const TrcChartItem& it) { return it.Layer == layer; });
  AdjustCanInfoOfSharedCharts();
  return n;
}

void TDisplayListControl::RemoveAnnoItem(std::int32_t i) noexcept { FAnnoContainer.RemoveAt(i); }

void TDisplayListControl::ClearAnnotations() {
  FAnnoContainer.Clear(true);
  RepaintChart();
}

}  // namespace kvo
