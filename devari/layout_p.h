// Chart layout arithmetic: where the chart caption goes, how it is trimmed,
// which axis lies under a pixel. Pure functions of the geometry; the chart
// calls them with its current state.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "devari/chartstyle.h"
#include "devari/transform.h"
#include "platform/types.h"

namespace kvo {


// Shortens text to fit trimPercent % of the data width (control width minus
// margins and shadow) when it is wider: the first round(n*M/w) - 2 characters
// (n characters, M the allowed and w the measured width) followed by "...".
// trimPercent 0 disables trimming. Characters are UTF-8 code points.
KVO_API std::string TrimCaption(const std::string& text, std::int32_t trimPercent, const TChartGeometry& g,
                        const std::function<std::int32_t(std::string_view)>& textWidth);

// Top-left corner of the chart caption of width textWidth for the anchors,
// the offset (posX, posY) and the horizontal alignment.
KVO_API TPoint CaptionTextPos(const TChartGeometry& g, TCaptionAnchorHoriz ax, TCaptionAnchorVert ay,
                      std::int32_t posX, std::int32_t posY, TAlignment align,
                      std::int32_t textWidth);

// Where one axis is drawn, as DetectScale reads it.
struct KVO_API TAxisSpot {
  bool Visible = false;
  std::uint8_t ScaleType = 1;  // 0 top, 1 bottom, 2 right, 3 left
  std::int32_t ScalePos = 0;   // outward offset from the data-area edge
};

// k (1 or 2) when (x, y) lies on the visible Y axis of layer k, -k on the
// visible X axis of layer k, 0 elsewhere. Y axes are tested first, layer 1
// before layer 2. yAxes/xAxes are indexed 0 (layer 1) and 1 (layer 2).
KVO_API std::int32_t DetectScaleAt(const TChartGeometry& g, const TAxisSpot yAxes[2],
                           const TAxisSpot xAxes[2], std::int32_t x, std::int32_t y);

}  // namespace kvo
