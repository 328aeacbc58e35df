// Fuzz target of the chart's data and annotation file readers. Each input is
// loaded as a data file and as an annotation file, with and without append,
// into a chart that already holds items; a failed load must leave the chart
// exactly as it was, a successful one must account for every record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "devari/datafile.h"
#include "devari/tdevari.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "datafile_fuzz: invariant broken: %s\n", what);
    std::abort();
  }
}

const std::string& InputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("kvo_datafile_fuzz_" + std::to_string(::getpid()) + ".dat"))
          .string();
  return path;
}

// One chart for all inputs (building a chart costs far more than a load);
// its lists are emptied and refilled before each load.
kvo::TDEvari& Chart() {
  static kvo::TDEvari chart;
  return chart;
}

void Prefill(kvo::TDEvari& c) {
  c.ClearGraf();
  c.ClearAnnotations();
  c.MoveTo(0.0, 0.0);
  c.DrawTo(1.0, 1.0);
  c.Text(0.5, 0.5, 10, "an existing long text");
  c.SetAnnoMode(true);
  c.Text(1, 1, 8, "an existing long annotation");
  c.MarkAt(2, 2, 3);
  c.SetAnnoMode(false);
}

void LoadOnce(bool anno, bool append) {
  kvo::TDEvari& c = Chart();
  Prefill(c);
  const kvo::TRcItemContainer& list = anno ? c.AnnoItems() : c.DataItems();
  const std::int32_t before = list.Count();
  const std::int32_t lastShown = c.LastElemOnShow();
  const std::int32_t textsBefore = list.LongTexts().Used();
  const std::int32_t r = anno ? c.LoadAnno(InputPath(), append) : c.LoadData(InputPath(), append);
  if (r < 0) {
    Check(r == -1 || r == -2, "result code");
    Check(list.Count() == before, "failed load changed the item count");
    Check(list.LongTexts().Used() == textsBefore, "failed load changed the long texts");
    Check(c.LastElemOnShow() == lastShown, "failed load changed the last shown item");
    return;
  }
  Check(list.Count() == (append ? before : 0) + r, "record count");
  Check(list.Allocated() == list.Count(), "allocated count after load");
  // Records of unknown kinds are kept but counted nowhere.
  std::int32_t counted = 0, known = 0;
  for (int k = 0; k < kvo::kNumItemKinds; ++k) counted += c.ItemCount(kvo::TrcItem(k));
  for (const auto& it : c.DataItems().Items()) known += kvo::IsValidItemKind(it.ItemKind) ? 1 : 0;
  Check(counted == known, "per-kind counters");
  // Everything loaded must be safe to read back and describe.
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const std::string t = anno ? c.AnnoLongText(i) : c.DataLongText(i);
    const std::string d = kvo::ItemDescription(list[i], -1);
    Check(d.size() < 100000 && t.size() <= 1u << 30, "description");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  LoadOnce(false, false);
  LoadOnce(false, true);
  LoadOnce(true, false);
  LoadOnce(true, true);
  std::error_code ec;
  std::filesystem::remove(InputPath(), ec);
  return 0;
}
