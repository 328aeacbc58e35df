// The chart's drawing state behind its façade: its two images, the item
// renderer with the canvas state it keeps between items, the decoded
// background image and the text-label table.
#pragma once

#include "../platform/export.h"

#include "devari/bakgnd_p.h"
#include "devari/renderer_p.h"
#include "devari/textlabels_p.h"
#include "devari/chartstyle.h"
#include "devari/transform.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kvo {

// The colours painting uses: the style's, or the host's visual style where
// the chart's StyleElements ask for it (client: areas and lines, font:
// texts). The headless host has no style.
struct KVO_API TPaintColors {
  TColor Wind, ShadowBak, Shadow, Outline, Chart, Frame, Text;
};
KVO_API TPaintColors ChartPaintColors(const TChartStyle& style, TStyleElements elements);

struct KVO_API TChartPaintParts {
  TBitmap ChartBmp;  // the whole control
  TBitmap GrafBmp;   // the data area
  TItemRenderer Renderer;
  TBackgroundCache BakGndCache;
  TTextLabelTable TextLabels;
  bool Painting = false;        // a paint is running (re-entrancy guard)
  bool RepaintPending = false;  // a handler asked for a paint meanwhile

  // The images hold f device pixels per logical pixel on a HiDPI surface;
  // their canvases stay logical.
  void SizeChart(std::int32_t width, std::int32_t height, std::int32_t f);
  void SizeData(const TChartGeometry& g, std::int32_t f);
  bool ChartFits(std::int32_t width, std::int32_t height, std::int32_t f) const noexcept;
  bool DataFits(const TChartGeometry& g, std::int32_t f) const noexcept;
  // bitmap onto canvas at logical (x, y): one of these images at its logical
  // size (a target at the same factor takes it pixel for pixel), any other
  // bitmap as it is.
  void Put(TCanvas& canvas, std::int32_t x, std::int32_t y, TBitmap& bitmap) const;
};

}  // namespace kvo
