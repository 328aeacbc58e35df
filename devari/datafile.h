// Data and annotation files of the chart, and the readable item description:
// what SaveData/LoadData and SaveAnno/LoadAnno use, for programs that read or
// write such files without a chart.
//
// File layout (little-endian): a 104-byte header record, the n item records
// of 104 bytes each in list order, then m text lines (the long texts of
// slots 1..m, one WriteLnStream line each). The header is a record reset by
// CleadEvariItem with LWid = -2, Text = "[DATAFORMAT]" or "[ANNOFORMAT]",
// Param1 = n and Param2 = m. In item records, LWid of a text item is the
// number of its long-text slot in the saving chart (0 = none).
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <istream>
#include <span>
#include <string>
#include <string_view>

#include "chartitem.h"
#include "itemcontainer.h"

namespace kvo {

enum class TItemFileKind : std::uint8_t { Data, Anno };

inline constexpr std::string_view kDataFileMarker = "[DATAFORMAT]";
inline constexpr std::string_view kAnnoFileMarker = "[ANNOFORMAT]";

// Results of the readers besides the record count.
inline constexpr std::int32_t kLoadError = -1;       // missing, short or damaged file
inline constexpr std::int32_t kLoadWrongFormat = -2;  // not a file of the requested kind

// The header record of a file of the kind with n records and m text lines.
KVO_API TrcChartItem ItemFileHeader(TItemFileKind kind, std::int32_t n, std::int32_t m) noexcept;

// Writes list and its long texts (slots 1..Used) to path. The bytes go to a
// temporary file beside path that is renamed into place only when complete,
// so a failure leaves any previous file untouched. Throws EKvoError.
KVO_API void WriteItemFile(const std::string& path, TItemFileKind kind, const TRcItemContainer& list);

// Reads a file of the kind into out and returns its record count, or
// kLoadWrongFormat / kLoadError; out is only meaningful on success. The
// header's counts are checked against the size before anything is
// allocated; a negative count makes the file damaged; a text length byte
// above 15 reads as 15; records of unknown kinds are kept unchanged. Only
// the long-text lines that records refer to are stored (others are left
// empty), each cut to kMaxItemTextLen bytes.
KVO_API std::int32_t ReadItemFile(const std::string& path, TItemFileKind kind, TLoadedItems& out) noexcept;
// The same from a stream holding size bytes from its current position.
KVO_API std::int32_t ReadItemStream(std::istream& in, std::uint64_t size, TItemFileKind kind,
                            TLoadedItems& out) noexcept;

// Description of an item. Parts in this order, joined by CR LF, each only
// with its flag bit: 1 kind name, 2 position and end point, 8 tag, 4 colour
// and pen style, 16 class; with every bit set (-1) also the lines that
// belong to the item's kind.
KVO_API std::string ItemDescription(const TrcChartItem& item, std::int32_t flags);

// Writes the readable description of every item of list (for each item an
// empty line, "------ item i ------" and two blanks before its description;
// lines end with CR LF), through a temporary file like WriteItemFile.
// Throws EKvoError.
KVO_API void WriteItemDescriptions(const std::string& path, const TRcItemContainer& list);

}  // namespace kvo
