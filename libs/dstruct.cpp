#include "libs/dstruct.h"

namespace kvo {

std::int64_t TByteMatrix::CountValue(std::uint8_t v) const noexcept {
  std::int64_t n = 0;
  for (std::uint8_t b : FData) n += (b == v);
  return n;
}

}  // namespace kvo
