/// @file
/// Event types of the chart's rendering.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <functional>
#include <string>

#include "chartitem.h"
#include "../platform/canvas.h"
#include "../platform/types.h"
#include "../scale/scaletypes.h"

namespace kvo {

/// Canvas hooks: (Top, Left) is the data area's offset on that canvas.
using TRenderEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, std::int32_t Top, std::int32_t Left)>;
/// Before an item is drawn: ChartItem is a copy the handler may change for
/// this drawing only.
using TBeforeRenderCItemEvent = std::function<void(TObject* Sender, TrcChartItem& ChartItem,
                                                   std::int32_t Index, bool IsAnnotation)>;
/// Before a text item is measured and drawn: the handler may replace Text.
using TBeforeRenderTextEvent =
    std::function<void(TObject* Sender, std::string& Text, std::int32_t Index, bool IsAnnotation)>;

/// Every mouse move over the chart: inside the data area or not, and the
/// world position in the active layer.
using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
/// Before a crosshair drag starts: the handler may refuse it.
using TBeforeCrossHMoveEvent = std::function<void(TObject* Sender, std::int32_t WhichCrossHair,
                                                  std::int32_t dx, std::int32_t dy, bool& AllowMove)>;
using TCrossHairMoveEvent = std::function<void(TObject* Sender, std::int32_t WhichCrossHair)>;
using TTextLabelMoveEvent = std::function<void(TObject* Sender, std::int32_t WhichTextLabel)>;

/// The chart's rendering events (TCustomDEvari inherits them).
struct KVO_API TChartRenderEvents {
  TRenderEvent OnScalesRendered;    ///< the axes are drawn on the chart image
  TRenderEvent OnBeforeRenderData;  ///< before the grid and items of the data area
  TRenderEvent OnDataRendered;      ///< after the items and labels
  TBeforeRenderCItemEvent OnBeforeRendedEvariItem;
  TBeforeRenderTextEvent OnBeforeRenderText;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
};

}  // namespace kvo
