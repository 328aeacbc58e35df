// Range arithmetic of mouse drags on an axis: panning, stretching about the
// far end and zooming about the centre, on linear and logarithmic axes. Used
// by the stand-alone scale and by the chart's axis dragging.
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "../libs/kvobase.h"

namespace kvo {

// Computes the range a drag gives. (x, y) is the mouse, (anchorX, anchorY)
// where the drag started and anchorLow/anchorHigh the range at that moment;
// rangeLow/rangeHigh is the current range. Width, height and the margins are
// those of the area the axis spans. mamPan shifts the range, mamStretch
// stretches it about the end away from the anchor, mamZoomDrag zooms it about
// its centre (moving right or up zooms in). Returns false and leaves the out
// parameters alone for every other mode, and when the drag gives no usable
// range (non-finite ends, equal ends, a logarithmic range touching zero, an
// axis without length).
KVO_API bool Rescale(std::int32_t x, std::int32_t y, std::int32_t anchorX, std::int32_t anchorY,
             std::int32_t width, std::int32_t height, std::int32_t marginLeft,
             std::int32_t marginRight, std::int32_t marginTop, std::int32_t marginBottom,
             double anchorLow, double anchorHigh, TMouseActMode mode, TScaleType scaleType,
             bool log, double rangeLow, double rangeHigh, double& newLow, double& newHigh);

}  // namespace kvo
