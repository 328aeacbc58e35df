/// @file
/// TChartStyle: how a chart looks around and under its items, as one value:
/// colours, grid, shadow, margins and caption. The chart's reset assigns
/// StartStyle() (stdlayout.h), which takes the margins and caption placement
/// from the standard layout; everything else starts as written here.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/types.h"

namespace kvo {

/// Anchor of the chart caption: an edge or the centre of the control or of
/// the data area.
enum TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft = 0, cahChartLeft, cahChartCenter, cahChartRight, cahControlRight
};
enum TCaptionAnchorVert : std::uint8_t {
  cavControlTop = 0, cavChartTop, cavChartCenter, cavChartBottom, cavControlBottom
};

enum GridStyleType : std::uint8_t {
  gsNone = 0, gsPoints, gsVertLines, gsHorizLines, gsLines, gsVertDotLines, gsHorizDotLines,
  gsDotLines
};

/// The standard layouts (see stdlayout.h for their table).
enum TrcLayout : std::uint8_t {
  rcl_X1Bottom_Y1Left = 0, rcl_X1Bottom_Y2Left, rcl_X1Bottom_Y2Both, rcl_X2Bottom_Y2Left,
  rcl_X2Both_Y2Both
};
inline constexpr int kNumStdLayouts = 5;

struct KVO_API TChartStyle {
  TColor ChartColor = 0xFFFFFF;      ///< data area
  TColor WindColor = clBtnFace;      ///< around the data area
  TColor FrameColor = clBlack;       ///< data-area frame, caption
  TColor GridColor = clBlack;
  GridStyleType GridStyle = gsNone;
  double GridDx = 0, GridDy = 0;     ///< > 0 a step, 0 the ticks, -1..-3 log sequences
  TShadowStyle ShadowStyle = shsPlain;
  TColor ShadowColor = clGrayText, ShadowBakColor = clBtnFace;
  std::int32_t ShadowWidth = 0;      ///< 0..32
  /// Margins around the data area (pixels, within +-30000); set by the layout.
  std::int32_t LRim = 0, RRim = 0, TRim = 0, BRim = 0;
  std::string Caption;
  std::int32_t CaptionPosX = 0, CaptionPosY = 0;  ///< set by the layout
  TAlignment CaptionAlignment = taRightJustify;
  TCaptionAnchorHoriz CaptionAnchorX = cahChartRight;
  TCaptionAnchorVert CaptionAnchorY = cavChartTop;
  std::int32_t CaptionTrim = 100;    ///< 0 (off) or 5..100 % of the data width
  bool operator==(const TChartStyle&) const = default;
};

}  // namespace kvo
