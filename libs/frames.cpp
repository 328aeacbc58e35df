// DrawFrame: the outer frames of the controls.
#include "libs/kvobase.h"

namespace kvo {

std::int32_t FrameWidth(TFrameStyle style) noexcept {
  switch (style) {
    case frsNone: return 0;
    case frsSingle: return 1;
    default: return 2;
  }
}

void DrawFrame(TCanvas&, TFrameStyle, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
               TColor, TColor, TColor, TColor, TColor, TColorScheme) {}

}  // namespace kvo
