// Drawing of one axis onto a canvas: ticks, labels, date lines, the
// messages of undrawable date/time ranges and the caption, for each of the
// four scale types. The division, its labels and the transform come in
// ready-made; this file only turns them into canvas calls and events.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "scale/scalemap.h"
#include "scale/scaletypes.h"
#include "scale/ticklabels.h"
#include "scale/tickengine.h"

namespace kvo {

// Tick lengths in pixels.
inline constexpr std::int32_t kMajorTickHoriz = 7, kMajorTickVert = 6, kMinorTick = 4;
// Distance of labels from the base line.
inline constexpr std::int32_t kLabelGapHoriz = 7, kLabelGapVert = 8;

// What the drawer needs to know about the axis.
struct KVO_API TScaleDrawInput {
  TScaleType Type = stLabelsAbove;
  TScaleExtent Extent;           // size of the control and its margins
  double Low = 0, High = 100;    // the range (messages sit at its middle)
  bool Log = false;
  bool Transparent = false;      // labels without background
  const TScaleMap* Map = nullptr;
  std::int32_t UnderflowPixel = 0;  // pixel of values a log axis cannot show
  std::string_view Caption;
  std::int32_t CaptionPosX = 4, CaptionPosY = 4;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
  // Events, raised with Sender (may be empty functions).
  TObject* Sender = nullptr;
  const TScaleTickDrawnEvent* OnTickDrawn = nullptr;
  const TBeforeTickLabelEvent* OnBeforeTickLabel = nullptr;
};

// Draws ticks, labels and caption of a horizontal axis whose base line lies
// at row `baseRow` (types 0 and 1: x coordinates are the control's own), or
// of a vertical one whose base line lies at column `baseCol` (types 2 and 3).
// The pen and font of the canvas are used as they are; the brush is made
// clear for transparent axes and solid otherwise.
KVO_API void DrawXScale(TCanvas& canvas, const TScaleDrawInput& in, const TScaleDivision& div,
                std::vector<TTickLabel>& labels, std::int32_t baseRow);
KVO_API void DrawYScale(TCanvas& canvas, const TScaleDrawInput& in, const TScaleDivision& div,
                std::vector<TTickLabel>& labels, std::int32_t baseCol);

// Left edge of a label of width w centred on x on a horizontal axis of a
// control `width` pixels wide, pulled inside the control (2 pixels from
// either edge).
KVO_API std::int32_t ClampLabelLeft(std::int32_t x, std::int32_t w, std::int32_t width) noexcept;

}  // namespace kvo
