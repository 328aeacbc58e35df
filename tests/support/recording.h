// Queries over a recording canvas (platform/metafile.h) for geometry tests:
// the calls of one kind, counts, texts, lines between two points, colours,
// and the pixel box a call or a set of calls covers.
//
//   TMetafile mf(280, 200);
//   chart.ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
//   EXPECT_EQ(test::CountOf(mf, TMetaOp::Line), 4u);
//   EXPECT_EQ(test::BoundsOf(test::RecordsOf(mf, TMetaOp::Polyline)), (TRect{50, 16, 271, 169}));
//   EXPECT_NE(test::FindText(mf, "0.50"), nullptr) << test::Listing(mf);
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/metafile.h"

namespace kvo::test {

using TRecords = std::vector<TMetaRecord>;

// The records of one kind, in drawing order.
TRecords RecordsOf(const TRecords& recs, TMetaOp op);
TRecords RecordsOf(const TMetafile& mf, TMetaOp op);
// The records a predicate accepts.
TRecords RecordsWhere(const TRecords& recs, const std::function<bool(const TMetaRecord&)>& keep);
std::size_t CountOf(const TMetafile& mf, TMetaOp op);
// Records that put pixels on the canvas (not clip or antialiasing switches).
std::size_t DrawingCount(const TMetafile& mf);

// The first Text record with exactly this text, or nullptr.
const TMetaRecord* FindText(const TMetafile& mf, std::string_view text);
// All texts drawn, in order.
std::vector<std::string> Texts(const TMetafile& mf);
// Whether a Line record runs from a to b (either direction).
bool HasLine(const TMetafile& mf, TPoint a, TPoint b);
// Line, Polyline and Polygon records drawn with this pen colour.
TRecords StrokedWith(const TMetafile& mf, TColor color);

// The pixel box a record covers, right and bottom exclusive: its points
// (lines, polylines, polygons, pixels, text reference points) and its box
// (rectangles, ellipses, arcs, bitmaps). Nothing for clip and antialiasing
// switches. The pen width is not added.
std::optional<TRect> BoundsOf(const TMetaRecord& r);
// The union of the boxes of all records; nullopt when none covers pixels.
std::optional<TRect> BoundsOf(const TRecords& recs);

// One record per line (TMetaRecord::ToString), for failure messages.
std::string Listing(const TMetafile& mf);

}  // namespace kvo::test
