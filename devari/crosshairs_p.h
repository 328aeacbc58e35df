// Overlays drawn over the chart's pictures: the four crosshairs (on the chart
// bitmap) and the freehand mouse trace (on the data bitmap).
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <span>

#include "devari/transform.h"
#include "libs/kvobase.h"
#include "platform/canvas.h"

namespace kvo {

// What the drawing needs of one crosshair.
struct KVO_API TCrossHairView {
  double X = 0, Y = 0;            // world position
  TColor Color = clRed;
  TCrossHMode Mode = chOff;
  TPenStyle LineType = psDashDotDot;
  std::int32_t LineWidth = 1;
  std::int32_t Layer = 1;         // 3 and 4 convert with layer 2
};

// Draws crosshairs 4 down to 1 (crosshair 1 on top) onto canvas, whose
// origin lies at control pixel (offsX, offsY). Lines stay within the data
// area and are left out when they lie within half their width of its edge.
// Pen and brush style are restored. A crosshair at a NaN position is not drawn.
KVO_API void DrawCrossHairsOn(TCanvas& canvas, std::span<const TCrossHairView> crossHairs,
                      const TLayerTransforms& tf, const TChartGeometry& g, std::int32_t offsX,
                      std::int32_t offsY, TColor chartColor);

// Draws the mouse trace (active layer's world points) onto canvas, whose
// origin lies at data-area pixel (offsX, offsY) shifted: a point maps to
// R2M - (LRim, TRim) + (offsX, offsY). Strokes are not joined; points with
// flag bit 1 are drawn with the XOR pen. Pen and brush are restored.
KVO_API void DrawMouseTraceOn(TCanvas& canvas, std::span<const TColoredPoint> points,
                      const TLayerTransforms& tf, std::int32_t layer, const TChartGeometry& g,
                      std::int32_t offsX, std::int32_t offsY);

}  // namespace kvo
