#include "libs/vector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "libs/math1.h"

namespace kvo {

void TVector::Changed() {
  if (FUpdateDepth > 0) {
    FPending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TVector::EndUpdate() {
  if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPending) {
    FPending = false;
    if (OnChange) OnChange(this);
  }
}

TVector& TVector::operator=(const TVector& o) {
  if (this != &o) {
    FData = o.FData;
    Changed();
  }
  return *this;
}

void TVector::Resize(std::int32_t n) {
  if (n < 0) n = 0;
  if (std::size_t(n) == FData.size()) return;
  FData.resize(std::size_t(n), 0.0);
  Changed();
}

void TVector::Fill(double v) {
  std::fill(FData.begin(), FData.end(), v);
  Changed();
}

double TVector::GetVal(std::int32_t i) const {
  if (i < 1 || i > NrOfElem())
    throw EKvoError("vector index out of range: " + std::to_string(i) + " of " +
                    std::to_string(NrOfElem()));
  return FData[std::size_t(i - 1)];
}

void TVector::SetVal(std::int32_t i, double v) {
  if (i < 1 || i > NrOfElem())
    throw EKvoError("vector index out of range: " + std::to_string(i) + " of " +
                    std::to_string(NrOfElem()));
  FData[std::size_t(i - 1)] = v;
  Changed();
}

bool TVector::Clip(std::int32_t& first, std::int32_t& last) const noexcept {
  if (first > last) std::swap(first, last);
  first = std::max(first, 1);
  last = std::min(last, NrOfElem());
  return first <= last;
}

std::int32_t TVector::MinMax(std::int32_t first, std::int32_t last, double& min, double& max) const {
  min = max = 0;
  if (!Clip(first, last)) return 0;
  std::int32_t n = 0;
  for (std::int32_t i = first; i <= last; ++i) {
    const double v = At(i);
    if (std::isnan(v)) continue;
    if (n == 0 || v < min) min = v;
    if (n == 0 || v > max) max = v;
    ++n;
  }
  return n;
}

double TVector::Percentile(double p, std::int32_t first, std::int32_t last) const {
  if (!Clip(first, last)) return std::numeric_limits<double>::quiet_NaN();
  std::vector<double> vals(FData.begin() + (first - 1), FData.begin() + last);
  return PercentileOf(vals, p);
}

double TVector::Mean(std::int32_t first, std::int32_t last) const {
  if (!Clip(first, last)) return std::numeric_limits<double>::quiet_NaN();
  double sum = 0;
  std::int32_t n = 0;
  for (std::int32_t i = first; i <= last; ++i)
    if (!std::isnan(At(i))) {
      sum += At(i);
      ++n;
    }
  return n ? sum / n : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace kvo
