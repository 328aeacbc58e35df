// TVector: 1-based vector of doubles (elements 1..NrOfElem). Every modifying
// call fires OnChange once; BeginUpdate/EndUpdate collect changes. Element
// ranges (first, last) may be given in either order and are clipped.
// Percentiles as PercentileOf (math1.h): linear interpolation between order
// statistics, p in percent.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <vector>

#include "kvobase.h"

namespace kvo {

class KVO_API TVector : public TObject {
public:
  TVector() = default;
  explicit TVector(std::int32_t n) { Resize(n); }
  // Copies take the elements, not the OnChange handler; assignment notifies.
  TVector(const TVector& o) : TObject(), FData(o.FData) {}
  TVector& operator=(const TVector& o);

  std::int32_t NrOfElem() const noexcept { return std::int32_t(FData.size()); }
  // New size; existing elements are kept, new ones are 0. Negative sizes give 0.
  void Resize(std::int32_t n);
  void SetVecSize(std::int32_t n) { Resize(n); }
  void Fill(double v);
  // Throws EKvoError outside 1..NrOfElem.
  double GetVal(std::int32_t i) const;
  void SetVal(std::int32_t i, double v);
  // Unchecked access (i must be valid).
  double At(std::int32_t i) const noexcept { return FData[std::size_t(i - 1)]; }
  // Smallest and largest element of the range, NaN skipped; returns the count
  // used (0: min = max = 0).
  std::int32_t MinMax(std::int32_t first, std::int32_t last, double& min, double& max) const;
  std::int32_t MinMax(double& min, double& max) const { return MinMax(1, NrOfElem(), min, max); }
  // Percentile p of the range (NaN skipped); NaN for an empty range.
  double Percentile(double p, std::int32_t first, std::int32_t last) const;
  double Percentile(double p) const { return Percentile(p, 1, NrOfElem()); }
  // Arithmetic mean of the range (NaN skipped); NaN for an empty range.
  double Mean(std::int32_t first, std::int32_t last) const;
  const std::vector<double>& Data() const noexcept { return FData; }

  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate();

  TNotifyEvent OnChange;

private:
  void Changed();
  bool Clip(std::int32_t& first, std::int32_t& last) const noexcept;
  std::vector<double> FData;
  int FUpdateDepth = 0;
  bool FPending = false;
};

}  // namespace kvo
