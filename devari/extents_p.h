// Extent scans over a display list: the bounding box of a layer's items (with
// margin and minimum span, for auto-ranging) and the bounding box of the item
// points inside a window.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <span>

#include "devari/chartitem.h"
#include "devari/itemcontainer.h"

namespace kvo {

struct KVO_API TExtent {
  double MinX, MinY, MaxX, MaxY;
};

// Extent of the items of layer (annotations are not passed in), widened by
// marginPct % of the span per axis (multiplicatively on logarithmic axes)
// and then by minSpanPct % of the centre when narrower than that. All 0
// when the layer has no item. NaN coordinates are skipped.
KVO_API TExtent CalcExtents(std::span<const TrcChartItem> items, std::int32_t layer, double marginPct,
                    double minSpanPct, bool logX, bool logY);

KVO_API TExtent CalcExtents(const TRcItemContainer& items, std::int32_t layer, double marginPct,
                            double minSpanPct, bool logX, bool logY);

// Extent of the item points of layer (0: all layers) strictly inside the
// window; +-uc_MaxDouble (minima +, maxima -) when no point lies inside.
KVO_API TExtent CalcMinMaxInWindow(std::span<const TrcChartItem> items, std::int32_t layer, double xLow,
                           double yLow, double xHigh, double yHigh);
KVO_API TExtent CalcMinMaxInWindow(const TRcItemContainer& items, std::int32_t layer, double xLow,
                                   double yLow, double xHigh, double yHigh);

}  // namespace kvo
