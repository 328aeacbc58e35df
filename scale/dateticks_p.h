// Ticks of date/time axes: values are day numbers (whole days counted from
// 1899-12-30, the fraction is the time of day). The per-tick span decides the
// level, from hundredths of seconds to years; each level has its own steps
// and its own first tick. Numbers only: texts come from scale/ticklabels.h.
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "scale/tickengine.h"

namespace kvo {

// Day numbers an axis accepts: from 0001-01-01 up to this bound.
inline constexpr double kMinDateTimeDay = -693593;
inline constexpr double kMaxDateTimeDay = 3000000;

// Fills `out` (already cleared) with the date/time division of the request.
// Ranges that are reversed or outside the day bounds give
// TDivisionMessage::InvalidRange, spans per tick too small for the level table
// give TDivisionMessage::BelowSecond; both leave the tick list empty.
// MinTicks 0 is read as 2.
KVO_API void ComputeDateTimeTicks(const TTickRequest& request, TScaleDivision& out);

// The level a per-tick span in days selects (Hundredths only on vertical
// axes; None means the span is too small).
KVO_API TDateLevel SelectDateLevel(double daysPerTick, bool vertical) noexcept;

}  // namespace kvo
