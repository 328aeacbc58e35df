// The data-area grid: the sequence of grid values along one axis (linear
// steps, the three logarithmic sequences, or the axis' own ticks) and the
// drawing of lines or crossing points through the layer transform.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <vector>

#include "devari/chartstyle.h"
#include "devari/transform.h"
#include "platform/canvas.h"

namespace kvo {


constexpr std::size_t kMaxGridLines = 1000;   // per direction
constexpr std::size_t kMaxGridPoints = 1000;  // crossings of gsPoints, in total

// Grid values of an axis spanning rangeLow..rangeHigh (either order), below
// the larger bound, at most kMaxGridLines, ascending. spacing: > 0 a linear
// step (also on logarithmic axes); 0 the axis' tick positions (ticks, in any
// order; the smaller bound when there are none); on a logarithmic axis -1
// decades, -2 the 1-2-5
// sequence, -3 every mantissa 1..9, other negative values every mantissa from
// the lower bound; a negative spacing on a linear axis is a step of |spacing|.
// A logarithmic axis with a bound <= 0 and a negative spacing has no grid;
// NaN bounds or spacing give no grid.
KVO_API std::vector<double> GridValues(double rangeLow, double rangeHigh, bool log, double spacing,
                               const std::vector<double>& ticks);

struct KVO_API TGridSpec {
  GridStyleType Style = gsNone;
  TColor GridColor = clBlack;
  TColor ChartColor = clWhite;
  std::int32_t Layer = 1;                  // the active layer
  double XLow = 0, XHigh = 1, YLow = 0, YHigh = 1;  // ordered bounds
  std::vector<double> XValues, YValues;    // from GridValues
};

// Draws the grid on canvas; (left, top) is the canvas position of the data
// area's top-left pixel. Leaves the pen solid in GridColor and the brush in
// ChartColor.
KVO_API void DrawGrid(TCanvas& canvas, const TLayerTransforms& tf, const TChartGeometry& g,
              std::int32_t left, std::int32_t top, const TGridSpec& grid);

}  // namespace kvo
