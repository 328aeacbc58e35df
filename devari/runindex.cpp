#include "devari/runindex_p.h"

#include <algorithm>
#include <cmath>

namespace kvo {

namespace {

void Widen(TRunIndex::TMinMax& m, double v) noexcept {
  // NaN fails both tests and is left out.
  if (v < m.Min) m.Min = v;
  if (v > m.Max) m.Max = v;
}
TRunIndex::TMinMax Join(const TRunIndex::TMinMax& a, const TRunIndex::TMinMax& b) noexcept {
  return {std::min(a.Min, b.Min), std::max(a.Max, b.Max)};
}

// Room for n entries, growing by half (not doubling): the pyramid stays
// within 3 bytes per vertex while a run grows.
void Reserve(std::vector<TRunIndex::TMinMax>& v, std::size_t n) {
  if (n > v.capacity()) v.reserve(std::max(n, v.capacity() + v.capacity() / 2));
}

}  // namespace

void TRunIndex::Clear() { *this = TRunIndex{}; }

void TRunIndex::Rebuild(std::span<const TXY> pts) {
  Clear();
  FLevels.emplace_back();
  FLevels[0].reserve((pts.size() + kBaseBlock - 1) / kBaseBlock);
  Append(pts);
}

void TRunIndex::Append(std::span<const TXY> added) {
  if (added.empty()) return;
  if (FLevels.empty()) FLevels.emplace_back();
  std::vector<TMinMax>& leaves = FLevels[0];
  const std::size_t firstBlock = FCount / kBaseBlock;
  Reserve(leaves, (FCount + added.size() + kBaseBlock - 1) / kBaseBlock);
  for (const TXY& p : added) {
    const bool nx = std::isnan(p.x), ny = std::isnan(p.y);
    if (std::isinf(p.x) || std::isinf(p.y)) FInf = true;
    if (std::isfinite(p.x)) Widen(FX, p.x);
    if (std::isfinite(p.y)) Widen(FY, p.y);
    if (nx || ny) {
      FNaN = true;
      if (FGapsKnown) {
        if (!FGapRuns.empty() && FGapRuns.back().End == FCount) {
          ++FGapRuns.back().End;
        } else if (FGapRuns.size() < 64 + FCount / 256) {
          FGapRuns.push_back({FCount, FCount + 1});
        } else {
          FGapsKnown = false;
          FGapRuns = {};
        }
      }
    } else {
      if (p.x < FLastX) FXSorted = false;
      FLastX = p.x;
    }
    if (FCount % kBaseBlock == 0) leaves.emplace_back();
    Widen(leaves.back(), p.y);
    ++FCount;
  }
  Propagate(firstBlock);
}

// Recomputes the upper levels above leaf blocks fromBlock.. (the ones that
// changed), adding levels until one entry covers everything.
void TRunIndex::Propagate(std::size_t fromBlock) {
  std::size_t from = fromBlock;
  for (std::size_t k = 1; FLevels[k - 1].size() > 1; ++k) {
    if (FLevels.size() <= k) FLevels.emplace_back();
    const std::vector<TMinMax>& below = FLevels[k - 1];
    std::vector<TMinMax>& level = FLevels[k];
    const std::size_t n = (below.size() + 1) / 2;
    from /= 2;
    Reserve(level, n);
    level.resize(n);
    for (std::size_t j = from; j < n; ++j) {
      const std::size_t c = 2 * j;
      level[j] = c + 1 < below.size() ? Join(below[c], below[c + 1]) : below[c];
    }
  }
}

TRunIndex::TMinMax TRunIndex::AllY() const noexcept {
  if (FLevels.empty() || FLevels.back().empty()) return {};
  return FLevels.back().front();
}

TRunIndex::TMinMax TRunIndex::RangeY(std::span<const TXY> pts, std::size_t first,
                                     std::size_t last) const noexcept {
  TMinMax m;
  last = std::min({last, pts.size(), FCount});
  if (first >= last) return m;
  // Whole leaf blocks [b0, b1); the partial ones at the ends are read.
  std::size_t b0 = (first + kBaseBlock - 1) / kBaseBlock, b1 = last / kBaseBlock;
  if (b0 >= b1) {
    for (std::size_t i = first; i < last; ++i) Widen(m, pts[i].y);
    return m;
  }
  for (std::size_t i = first; i < b0 * kBaseBlock; ++i) Widen(m, pts[i].y);
  for (std::size_t i = b1 * kBaseBlock; i < last; ++i) Widen(m, pts[i].y);
  for (std::size_t k = 0; b0 < b1; ++k) {
    const std::vector<TMinMax>& level = FLevels[k];
    if (b0 & 1) m = Join(m, level[b0++]);
    if (b1 & 1) m = Join(m, level[--b1]);
    b0 /= 2;
    b1 /= 2;
  }
  return m;
}

std::size_t TRunIndex::MemoryBytes() const noexcept {
  std::size_t n = 0;
  for (const auto& l : FLevels) n += l.capacity() * sizeof(TMinMax);
  return n + FGapRuns.capacity() * sizeof(TGapRun);
}

}  // namespace kvo
