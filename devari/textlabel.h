/// @file
/// TTextLabel: one of the chart's thirty movable text labels (numbered 1..30),
/// a text at a world or pixel position with frame, shadow and colours (see
/// TCustomTextLabel for its settings).
#pragma once

#include "../platform/export.h"

#include "../libs/kvobase.h"

namespace kvo {

class KVO_API TTextLabel : public TCustomTextLabel {
public:
  TTextLabel() = default;
};

}  // namespace kvo
