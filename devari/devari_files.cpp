// Files of TCustomDEvari: saving and loading the display lists, the
// readable export, and copying annotations between charts.
#include <array>
#include <vector>

#include "devari/datafile.h"
#include "devari/devari.h"

namespace kvo {

void TDisplayListControl::SaveData(const std::string& fileName) const {
  WriteItemFile(fileName, TItemFileKind::Data, *FDataContainer);
}

void TDisplayListControl::SaveAnno(const std::string& fileName) const {
  WriteItemFile(fileName, TItemFileKind::Anno, FAnnoContainer);
}

std::int32_t TDisplayListControl::LoadInto(TRcItemContainer& list, const std::string& fileName,
                                     bool appendIt, bool dataFile) {
  // A list is not loaded while it is drawn: a paint handler loading at
  // every item would multiply the list with every paint.
  if (ListBeingDrawn(dataFile))
    throw EKvoError("Cannot load file \"" + fileName + "\": the chart is being drawn");
  // Everything is read and checked before the list is touched, so a file
  // that turns out to be short or damaged changes nothing.
  TLoadedItems loaded;
  const std::int32_t n =
      ReadItemFile(fileName, dataFile ? TItemFileKind::Data : TItemFileKind::Anno, loaded);
  if (n < 0) return n;
  try {
    list.AdoptLoaded(std::move(loaded), appendIt);
  } catch (...) {
    return kLoadError;  // out of memory: the list is unchanged
  }
  if (dataFile) {
    if (!appendIt) FLastElemOnShow = 0;
    AdjustCanInfoOfSharedCharts();
  }
  RepaintChart();
  return n;
}

std::int32_t TDisplayListControl::LoadData(const std::string& fileName, bool appendIt) {
  return LoadInto(*FDataContainer, fileName, appendIt, true);
}

std::int32_t TDisplayListControl::LoadAnno(const std::string& fileName, bool appendIt) {
  return LoadInto(FAnnoContainer, fileName, appendIt, false);
}

void TDisplayListControl::SaveDataASC(const std::string& fileName) const noexcept {
  try {
    WriteItemDescriptions(fileName, *FDataContainer);
  } catch (...) {
    // The export reports nothing; the previous file is left as it was.
  }
}

void TDisplayListControl::CopyAnnoFrom(const TDisplayListControl& src, std::span<const std::uint8_t> classes,
                                 bool appendIt) {
  std::array<bool, 256> wanted{};
  for (std::uint8_t c : classes) wanted[c] = true;
  const bool all = classes.empty();
  // Work from a snapshot: the source may be this chart.
  const TRcItemContainer& from = src.FAnnoContainer;
  TLoadedItems loaded;
  // The source's slots go over as lines 1..Used; items that share a slot
  // there share one here.
  loaded.Lines.resize(std::size_t(from.LongTexts().Used()));
  for (const TrcChartItem& it : from.Items()) {
    if (!all && !wanted[it.ItemClass]) continue;
    loaded.Records.PushBack(it);
    TrcChartItem& rec = loaded.Records[loaded.Records.Size() - 1];
    if (!IsTextKind(rec.ItemKind) || rec.LWid == 0) continue;
    if (rec.LWid < 1 || rec.LWid > from.LongTexts().Used()) {
      rec.LWid = 0;  // the source's slot number was not one of its slots
      continue;
    }
    std::string& line = loaded.Lines[std::size_t(rec.LWid - 1)];
    if (line.empty()) line = from.LongTexts().Slot(rec.LWid);
  }
  FAnnoContainer.AdoptLoaded(std::move(loaded), appendIt);
  RepaintChart();
}

}  // namespace kvo
