// DrawMarkOnCanvas: the mark symbols.
#include "libs/kvobase.h"

namespace kvo {

void DrawMarkOnCanvas(TCanvas&, std::uint8_t, std::int32_t, std::int32_t) {}

std::string MarkTypeName(std::uint8_t) { return {}; }

}  // namespace kvo
