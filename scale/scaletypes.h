// Small shared types of the scale engine: the caption anchor and the events
// a scale raises while it draws.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/canvas.h"

namespace kvo {

// Where the caption (unit label) of a scale is anchored along the axis.
enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft = 0, uaSclCenter = 1, uaSclBotRgt = 2 };

// Raised at the start of a paint (with the target canvas) and after ticks,
// labels, caption and base line (with the canvas the scale was drawn on).
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
// Raised after a tick: its value and its pixel on the base line.
using TScaleTickDrawnEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                       double CurrentTickPos, std::int32_t ChartX, std::int32_t ChartY)>;
// Raised before a label text (tick label or date line) is measured and drawn;
// the handler may replace the text.
using TBeforeTickLabelEvent = std::function<void(TObject* Sender, TScaleType ScaleType,
                                                 double CurrentTickPos, std::string& TickLabel)>;

}  // namespace kvo
