/// @file
/// The five standard chart layouts: margins, chart caption placement and, per
/// layer, the placement and caption of the X and Y axis.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>

#include "chartstyle.h"
#include "scaleprops.h"

namespace kvo {


struct KVO_API TLayoutAxis {
  std::int32_t CaptionX, CaptionY;
  TAlignment CaptionAlign;
  TScaleUnitAnchor CaptionAnchor;
  std::int32_t ScalePos;
  bool Visible;
  std::uint8_t Location;  ///< TScaleLocationHoriz for X axes, TScaleLocationVert for Y axes
};

struct KVO_API TLayoutRow {
  std::int32_t L, R, T, B;
  std::int32_t CaptionX, CaptionY;
  TAlignment CaptionAlign;
  TCaptionAnchorHoriz AnchorX;
  TCaptionAnchorVert AnchorY;
  TLayoutAxis X[2], Y[2];  ///< index 0 layer 1, 1 layer 2
};

/// The table, indexed by TrcLayout.
KVO_API const std::array<TLayoutRow, kNumStdLayouts>& StdLayouts() noexcept;

/// Puts a layout's margins and caption placement into a chart style.
KVO_API void ApplyLayout(TChartStyle& style, const TLayoutRow& row) noexcept;

/// The chart's start style: the style's own defaults with the margins and
/// caption placement of the layout rcl_X1Bottom_Y1Left.
KVO_API TChartStyle StartStyle() noexcept;

}  // namespace kvo
