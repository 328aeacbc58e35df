// TRunIndex: what the line renderer needs to know about a packed run of
// vertices (TXY) without reading all of them: the bounds of the finite
// values, whether x never decreases, whether NaN or infinite values occur,
// and a min/max pyramid of y that gives the extremes of y over any index
// range in O(log n).
//
// The pyramid: level 0 holds min and max of y over blocks of kBaseBlock
// vertices, level k over blocks of kBaseBlock * 2^k; NaN values are left out
// (a block of NaN only holds +inf/-inf). About 2 bytes per vertex.
//
// Vertices with a NaN coordinate are gaps of the line; their runs are kept
// while they are few, so that sorted runs with gaps keep the fast path.
//
// The index describes the vertices it was built from: after appending to the
// run pass the new vertices to Append; after any other change call Rebuild.
#pragma once

#include "../platform/export.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "devari/chartitem.h"

namespace kvo {

class KVO_API TRunIndex {
public:
  static constexpr std::size_t kBaseBlock = 16;

  struct TMinMax {
    double Min = std::numeric_limits<double>::infinity();
    double Max = -std::numeric_limits<double>::infinity();
  };
  // Consecutive vertices [Begin, End) with a NaN coordinate (gaps of the line).
  struct TGapRun {
    std::size_t Begin = 0, End = 0;
  };

  TRunIndex() = default;
  explicit TRunIndex(std::span<const TXY> pts) { Rebuild(pts); }

  // Indexes pts from scratch.
  void Rebuild(std::span<const TXY> pts);
  // Extends the index by vertices appended to the run (only the new ones).
  void Append(std::span<const TXY> added);
  void Clear();

  // Number of vertices indexed.
  std::size_t Count() const noexcept { return FCount; }
  // Bounds of the finite coordinates (Min > Max when there is none).
  double XMin() const noexcept { return FX.Min; }
  double XMax() const noexcept { return FX.Max; }
  double YMin() const noexcept { return FY.Min; }
  double YMax() const noexcept { return FY.Max; }
  // True when x never decreases over the vertices without NaN (also for 0
  // or 1 vertex).
  bool XSorted() const noexcept { return FXSorted; }
  // The runs of vertices with a NaN coordinate, in order, while there are
  // few of them (at most 64 + Count() / 256 when they were found; after
  // that only Rebuild finds them again).
  bool GapsKnown() const noexcept { return FGapsKnown; }
  std::span<const TGapRun> GapRuns() const noexcept { return FGapRuns; }
  // True when some x or y is NaN / infinite.
  bool HasNaN() const noexcept { return FNaN; }
  bool HasInf() const noexcept { return FInf; }

  // Min and max of y over the vertices [first, last) of pts (the span the
  // index describes), NaN left out; O(log n) reads of the pyramid plus at
  // most 2 * kBaseBlock vertices.
  TMinMax RangeY(std::span<const TXY> pts, std::size_t first, std::size_t last) const noexcept;
  // Min and max of all y (NaN left out, infinities included).
  TMinMax AllY() const noexcept;

  // Bytes held by the pyramid.
  std::size_t MemoryBytes() const noexcept;

private:
  void Propagate(std::size_t fromBlock);

  std::size_t FCount = 0;
  TMinMax FX, FY;
  bool FXSorted = true, FNaN = false, FInf = false, FGapsKnown = true;
  std::vector<TGapRun> FGapRuns;
  double FLastX = -std::numeric_limits<double>::infinity();
  // FLevels[k][j]: y extremes of vertices [j * B * 2^k, (j + 1) * B * 2^k).
  std::vector<std::vector<TMinMax>> FLevels;
};

}  // namespace kvo
