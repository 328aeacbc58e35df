// The chart's drawing state behind its façade: its two images, the item
// renderer with the canvas state it keeps between items, the decoded
// background image and the text-label table.
#pragma once

#include "devari/bakgnd_p.h"
#include "devari/renderer_p.h"
#include "devari/textlabels_p.h"
#include "platform/bitmap.h"

namespace kvo {

struct TChartPaintParts {
  TBitmap ChartBmp;  // the whole control
  TBitmap GrafBmp;   // the data area
  TItemRenderer Renderer;
  TBackgroundCache BakGndCache;
  TTextLabelTable TextLabels;
};

}  // namespace kvo
