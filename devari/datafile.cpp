#include "devari/datafile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "devari/atomicfile_p.h"
#include "libs/streams.h"

namespace kvo {

// Records go to and come from the files as they lie in memory.
static_assert(std::endian::native == std::endian::little,
              "the record files are little-endian; a big-endian build needs byte swapping");

namespace {

constexpr std::size_t kRecordSize = sizeof(TrcChartItem);
constexpr std::int32_t kLineMode = 4;  // the encoding WriteLnStream writes

std::string_view Marker(TItemFileKind kind) noexcept {
  return kind == TItemFileKind::Data ? kDataFileMarker : kAnnoFileMarker;
}

std::int32_t Int32At(const unsigned char* rec, std::size_t offset) noexcept {
  std::int32_t v;
  std::memcpy(&v, rec + offset, sizeof v);
  return v;
}

// Brings the bytes of a record read from a file into a valid state before
// any field is read: a boolean byte other than 0 and 1 would be undefined
// behaviour, a text length above 15 would read past the field. A kind
// outside the 24 kinds is kept as it is (a record of a newer writer, or one
// set through SetChartItem): such records are drawn as nothing and counted
// nowhere, and saving writes them back unchanged.
void SanitiseRecord(unsigned char* rec) noexcept {
  unsigned char& transp = rec[offsetof(TrcChartItem, Transp)];
  transp = transp != 0 ? 1 : 0;
  unsigned char& len = rec[offsetof(TrcChartItem, Text)];
  if (len > kShortTextLen) len = kShortTextLen;
}

}  // namespace

TrcChartItem ItemFileHeader(TItemFileKind kind, std::int32_t n, std::int32_t m) noexcept {
  TrcChartItem h;
  CleadEvariItem(h);
  h.LWid = -2;
  SetShortText(h, Marker(kind));
  h.Param1 = n;
  h.Param2 = m;
  return h;
}

void WriteItemFile(const std::string& path, TItemFileKind kind, const TRcItemContainer& list) {
  const TLongTextArray& texts = list.LongTexts();
  const TrcChartItem header = ItemFileHeader(kind, list.Count(), texts.Used());
  WriteFileAtomically(path, [&](std::ostream& os) {
    os.write(reinterpret_cast<const char*>(&header), kRecordSize);
    list.ForEachBlock([&](const TrcChartItem* items, std::size_t n, std::size_t) {
      os.write(reinterpret_cast<const char*>(items), static_cast<std::streamsize>(n * kRecordSize));
    });
    for (std::int32_t k = 1; k <= texts.Used(); ++k) WriteLnStream(os, texts.Slot(k));
  });
}

std::int32_t ReadItemStream(std::istream& in, std::uint64_t size, TItemFileKind kind,
                            TLoadedItems& out) noexcept {
  try {
    out = TLoadedItems{};
    unsigned char head[kRecordSize];
    if (size < kRecordSize || !in.read(reinterpret_cast<char*>(head), kRecordSize)) return kLoadError;
    const std::string_view marker = Marker(kind);
    const unsigned char* text = head + offsetof(TrcChartItem, Text);
    if (text[0] != marker.size() || std::memcmp(text + 1, marker.data(), marker.size()) != 0 ||
        Int32At(head, offsetof(TrcChartItem, LWid)) >= 0)
      return kLoadWrongFormat;

    // The counts must fit the file before anything is allocated for them:
    // n whole records, and at least one byte for each text line.
    const std::int32_t n = Int32At(head, offsetof(TrcChartItem, Param1));
    const std::int32_t m = Int32At(head, offsetof(TrcChartItem, Param2));
    if (n < 0 || m < 0) return kLoadError;
    const std::uint64_t recordBytes = std::uint64_t(n) * kRecordSize;
    if (recordBytes > size - kRecordSize) return kLoadError;
    if (std::uint64_t(m) > size - kRecordSize - recordBytes) return kLoadError;

    out.Records.ResizeForOverwrite(std::size_t(n));  // every byte is read below
    auto* bytes = reinterpret_cast<unsigned char*>(out.Records.Data());
    if (!in.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(recordBytes)))
      return kLoadError;
    // Which lines the text records refer to (a saving chart has at most 50
    // slots, so no record refers to a line past the 50th).
    std::array<bool, TLongTextArray::Capacity + 1> wanted{};
    std::int32_t last = 0;
    for (std::int32_t i = 0; i < n; ++i) {
      unsigned char* rec = bytes + std::size_t(i) * kRecordSize;
      SanitiseRecord(rec);
      const std::int32_t slot = Int32At(rec, offsetof(TrcChartItem, LWid));
      if (IsTextKind(TrcItem(rec[offsetof(TrcChartItem, ItemKind)])) && slot >= 1 && slot <= m &&
          slot <= TLongTextArray::Capacity) {
        wanted[std::size_t(slot)] = true;
        last = std::max(last, slot);
      }
    }

    // Lines missing at the end of the file are not an error: records that
    // refer to them keep only their own 15 characters. Only the lines up to
    // the last one referred to are read; a line no record refers to is
    // skipped unstored, and each line keeps at most what a text item can
    // draw, so neither a damaged count nor a giant line costs memory.
    out.Lines.reserve(std::size_t(last));
    for (std::int32_t k = 1; k <= last; ++k) {
      if (!wanted[std::size_t(k)]) {
        if (!SkipLnStream(in)) break;
        out.Lines.emplace_back();
        continue;
      }
      bool end = false;
      std::string line = ReadLnStream(in, end, kLineMode, kMaxItemTextLen);
      if (end) break;
      out.Lines.push_back(std::move(line));
    }
    return n;
  } catch (...) {
    out = TLoadedItems{};
    return kLoadError;
  }
}

std::int32_t ReadItemFile(const std::string& path, TItemFileKind kind, TLoadedItems& out) noexcept {
  try {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return kLoadError;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return kLoadError;
    std::ifstream in(path, std::ios::binary);
    if (!in) return kLoadError;
    return ReadItemStream(in, size, kind, out);
  } catch (...) {
    return kLoadError;
  }
}

}  // namespace kvo
